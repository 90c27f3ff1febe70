#include "platform/FileText.h"
#include "platform/GraphCollection.h"
#include "platform/IndexCollection.h"
#include "platform/RecordFile.h"
#include "platform/RecordingUi.h"
#include "platform/Text.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

// A fresh directory for the files of one test, removed afterwards.
class TempDir {
public:
    TempDir() {
        mPath = fs::temp_directory_path() / ("zelvana-col-" + std::to_string(::getpid()) + "-" + std::to_string(mNext++));
        fs::create_directories(mPath);
    }
    ~TempDir() { fs::remove_all(mPath); }
    std::string File(const std::string& name) const { return (mPath / name).string(); }

private:
    static inline int mNext = 0;
    fs::path mPath;
};

TDIB Checker(int width, int height, TColor32 a, TColor32 b) {
    TDIB image(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) image.SetPixel(x, y, (x + y) % 2 ? a : b);
    return image;
}

std::string TinySvg() {
    return R"(<svg xmlns="http://www.w3.org/2000/svg" width="6" height="4">)"
           R"(<rect x="0" y="0" width="3" height="4" fill="#ff0000"/></svg>)";
}

}  // namespace

TEST(FileText, BytesToIntReadsFourBytesAndTakesShortTextsAsHighBytes) {
    EXPECT_EQ(BytesToInt(std::string("\x01\x00\x00\x00", 4)), 1);
    EXPECT_EQ(BytesToInt(std::string("\x01\x00", 2)), 65536);
    EXPECT_EQ(BytesToInt(std::string("\x01\x02", 2)), 0x02010000);
    EXPECT_EQ(BytesToInt(""), 0);
    EXPECT_EQ(BytesToInt(std::string("\x09\x01\x00\x00\x00", 5)), 1);  // the last four
    EXPECT_EQ(BytesToInt(std::string("\xFF\xFF\xFF\xFF", 4)), -1);
    for (int32_t n : {0, 1, -1, 255, 256, 0x7FFFFFFF, INT32_MIN, -123456})
        EXPECT_EQ(BytesToInt(IntToBytes(n)), n) << n;
}

TEST(FileText, MissingFilesAreSilentAndBlocksCoverTheWholeFile) {
    ScopedRecordingUi ui;
    TempDir dir;
    std::string text;
    std::vector<std::string> blocks{"old"};
    EXPECT_FALSE(ReadFileText(dir.File("none"), text));
    EXPECT_FALSE(ReadFileBlocks(dir.File("none"), blocks));
    EXPECT_TRUE(blocks.empty());
    EXPECT_TRUE(ui->Messages.empty());

    std::string big(2 * FileBlockSize + 10, 'a');
    for (std::size_t i = 0; i < big.size(); ++i) big[i] = static_cast<char>(i * 7);
    ASSERT_TRUE(WriteFileText(dir.File("big"), big));
    ASSERT_TRUE(ReadFileBlocks(dir.File("big"), blocks));
    ASSERT_EQ(blocks.size(), 3u);
    EXPECT_EQ(blocks[2].size(), 10u);
    EXPECT_EQ(JoinBlocks(blocks), big);
    ASSERT_TRUE(ReadFileText(dir.File("big"), text));
    EXPECT_EQ(text, big);
    // A limit stops after the block that reaches it.
    ASSERT_TRUE(ReadFileText(dir.File("big"), text, 100));
    EXPECT_EQ(text.size(), FileBlockSize);
}

TEST(FileText, ReadAndWriteErrorsAreReportedWithThePath) {
    ScopedRecordingUi ui;
    TempDir dir;
    std::string text = "x";
    EXPECT_FALSE(ReadFileText(dir.File(""), text));  // a directory opens but cannot be read
    EXPECT_TRUE(text.empty());
    EXPECT_FALSE(WriteFileText(dir.File("no/such/dir/f"), "abc"));
    ASSERT_EQ(ui->Messages.size(), 2u);
    EXPECT_EQ(ui->Messages[0], Format("Ошибка чтения файла %s"_cp, dir.File("")));
    EXPECT_EQ(ui->Messages[1], Format("Ошибка записи в файл %s"_cp, dir.File("no/such/dir/f")));
}

TEST(RecordFile, CuttingStopsAtDamageAndKeepsWhatCameBefore) {
    std::string two;
    AppendTwoPartRecord(two, "h1", "body1");
    AppendTwoPartRecord(two, "", "");
    const std::string whole = two;

    struct Case {
        const char* what;
        std::string text;
        std::size_t records;
        bool damaged;
    };
    const Case cases[] = {
        {"empty", "", 0, false},
        {"whole", whole, 2, false},
        {"one stray byte", whole + "x", 2, false},
        {"three stray bytes", whole + "xyz", 2, true},
        {"second record cut short", whole.substr(0, whole.size() - 5), 1, true},
        {"first body cut short", whole.substr(0, 14), 0, true},
        {"negative length", whole + IntToBytes(-1) + "abcd", 2, true},
        {"overlong length", whole + IntToBytes(1000) + "abcd", 2, true},
        {"header without body", whole + IntToBytes(1) + "h", 2, true},
    };
    for (const auto& c : cases) {
        const auto cut = CutTwoPartRecords(c.text);
        EXPECT_EQ(cut.Records.size(), c.records) << c.what;
        EXPECT_EQ(cut.Damaged, c.damaged) << c.what;
    }
    const auto cut = CutTwoPartRecords(whole);
    EXPECT_EQ(cut.Records[0].Header, "h1");
    EXPECT_EQ(cut.Records[0].Body, "body1");

    std::string one;
    AppendOnePartRecord(one, "abc");
    AppendOnePartRecord(one, std::string("\0\x01", 2));
    const auto ones = CutOnePartRecords(one + "z");
    ASSERT_EQ(ones.Records.size(), 2u);
    EXPECT_FALSE(ones.Damaged);
    EXPECT_EQ(ones.Records[1], std::string("\0\x01", 2));
}

TEST(IndexCollection, WrittenEntriesReadBackAndTruncationKeepsTheEarlierOnes) {
    ScopedRecordingUi ui;
    TempDir dir;
    TIndexCollection written;
    written.FileName = dir.File("templates.col");
    written.Add("first", "SHABLON  0<9...");
    written.Add("", "text only");
    written.Add("same", "SHABLON  0<9...");  // duplicates are allowed
    ASSERT_TRUE(written.SaveToFile());

    TIndexCollection read;
    read.FileName = written.FileName;
    ASSERT_TRUE(read.LoadFromFile());
    ASSERT_EQ(read.Count(), 3);
    EXPECT_EQ(read.EntryName(0), "first");
    EXPECT_EQ(read.EntryText(0), "SHABLON  0<9...");
    EXPECT_EQ(read.EntryText(1), "text only");
    EXPECT_EQ(read.Entry(2), written.Entry(2));

    const std::string text = written.SaveToText();
    ASSERT_TRUE(WriteFileText(read.FileName, text.substr(0, text.size() - 3)));
    EXPECT_FALSE(read.LoadFromFile());
    EXPECT_EQ(read.Count(), 2);

    ASSERT_TRUE(WriteFileText(read.FileName, ""));
    EXPECT_TRUE(read.LoadFromFile());
    EXPECT_EQ(read.Count(), 0);

    read.FileName = dir.File("missing.col");
    EXPECT_FALSE(read.LoadFromFile());
    EXPECT_TRUE(ui->Messages.empty());
}

TEST(IndexCollection, EntryWithABadNameLengthHasNoText) {
    TIndexCollection index;
    std::string text;
    AppendOnePartRecord(text, IntToBytes(50) + "short");
    AppendOnePartRecord(text, "ab");
    TempDir dir;
    index.FileName = dir.File("t.col");
    ASSERT_TRUE(WriteFileText(index.FileName, text));
    ASSERT_TRUE(index.LoadFromFile());
    ASSERT_EQ(index.Count(), 2);
    EXPECT_EQ(index.EntryText(0), "");
    EXPECT_EQ(index.EntryText(1), "");
    EXPECT_EQ(index.EntryName(1), "");
}

TEST(Picture, EachKindDecodesAndBitmapsKeepExactPixels) {
    const TDIB image = Checker(5, 3, 0x123456, 0xFEDCBA);
    const auto bmp = TPicture::FromImage(TPictureKind::Bitmap, image);
    ASSERT_NE(bmp, nullptr);
    EXPECT_EQ(bmp->Width(), 5);
    EXPECT_EQ(bmp->Height(), 3);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x) EXPECT_EQ(bmp->Pixels().Pixel(x, y), image.Pixel(x, y));

    const auto jpeg = TPicture::FromImage(TPictureKind::Jpeg, TDIB(16, 8));
    ASSERT_NE(jpeg, nullptr);
    EXPECT_EQ(jpeg->Width(), 16);
    EXPECT_LE(jpeg->Pixels().Pixel(3, 3), 0x030303u);  // black survives compression

    const auto svg = TPicture::FromData(TPictureKind::Metafile, TinySvg());
    ASSERT_NE(svg, nullptr);
    EXPECT_EQ(svg->Width(), 6);
    EXPECT_EQ(svg->Pixels().Pixel(1, 1), 0xFF0000u);
    EXPECT_EQ(svg->Pixels().Pixel(5, 1), 0u);  // the uncovered part decodes black

    // A header that claims a huge image is refused before anything is allocated for it.
    std::string huge = bmp->Data();
    huge.replace(18, 8, IntToBytes(60000) + IntToBytes(60000));
    EXPECT_EQ(TPicture::FromData(TPictureKind::Bitmap, huge), nullptr);
    std::string hugeJpeg = jpeg->Data();
    for (std::size_t i = 0; i + 8 < hugeJpeg.size(); ++i)
        if (hugeJpeg[i] == '\xFF' && hugeJpeg[i + 1] == '\xC0') {  // the frame header holds height and width
            hugeJpeg.replace(i + 5, 4, "\xFF\xF0\xFF\xF0");
            break;
        }
    EXPECT_EQ(TPicture::FromData(TPictureKind::Jpeg, hugeJpeg), nullptr);

    for (const auto kind : {TPictureKind::Metafile, TPictureKind::Bitmap, TPictureKind::Jpeg}) {
        EXPECT_EQ(TPicture::FromData(kind, "garbage"), nullptr);
        EXPECT_EQ(TPicture::FromData(kind, ""), nullptr);
        EXPECT_EQ(TPicture::FromData(kind, bmp->Data().substr(0, 40)), nullptr);
        const auto blank = TPicture::Blank(kind, 7, 9);
        ASSERT_NE(blank, nullptr);
        EXPECT_EQ(blank->Height(), 9);
    }
}

TEST(GraphCollection, WrittenCollectionReadsBackWithTheSamePicturesAndTags) {
    ScopedRecordingUi ui;
    TempDir dir;
    TGraphCollection written;
    written.FileName = dir.File("graph.col");
    ASSERT_TRUE(written.AddGraphic("CHAR", *TPicture::FromImage(TPictureKind::Bitmap, Checker(24, 24, 0xFF00FF, 0x808080))));
    ASSERT_TRUE(written.AddFromStream(TPictureKind::Metafile, "sky", TinySvg()));
    ASSERT_TRUE(written.AddBlank("photo", TPictureKind::Jpeg, 8, 8));
    EXPECT_FALSE(written.AddBlank("CHAR", TPictureKind::Bitmap, 1, 1));
    written.SetTag(0, 0xFF00FF);
    written.SetTag(2, -5);
    ASSERT_TRUE(written.SaveToFile());

    TGraphCollection read;
    read.FileName = written.FileName;
    ASSERT_TRUE(read.LoadFromFile());
    EXPECT_FALSE(read.Damaged());
    ASSERT_EQ(read.Count(), 3);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(read.Name(i), written.Name(i));
        EXPECT_EQ(read.Tag(i), written.Tag(i));
        EXPECT_EQ(read.Kind(i), written.Kind(i));
        EXPECT_EQ(read.Picture(i).Data(), written.Picture(i).Data());
    }
    EXPECT_EQ(read.Picture(0).Pixels().Pixel(1, 0), 0xFF00FFu);
    EXPECT_EQ(read.SaveToText(), written.SaveToText());
    EXPECT_GT(ui->ProcessMessagesCalls, 0);
}

TEST(GraphCollection, DamagedFilesLoadWhatTheyCanAndNeverFail) {
    ScopedRecordingUi ui;
    TempDir dir;
    TGraphCollection source;
    source.AddGraphic("A", *TPicture::FromImage(TPictureKind::Bitmap, Checker(4, 4, 1, 2)));
    source.AddGraphic("B", *TPicture::FromImage(TPictureKind::Bitmap, Checker(6, 6, 3, 4)));
    const std::string text = source.SaveToText();

    TGraphCollection read;
    read.FileName = dir.File("graph.col");
    // Every truncation and a garbled byte at every position: no crash, never more than two pictures.
    for (std::size_t size = 0; size <= text.size(); size += 7) {
        ASSERT_TRUE(WriteFileText(read.FileName, text.substr(0, size)));
        ASSERT_TRUE(read.LoadFromFile());
        EXPECT_LE(read.Count(), 2);
        if (size < text.size() && size > 1) {
            EXPECT_TRUE(read.Damaged()) << size;
        }
    }
    for (std::size_t pos = 0; pos < text.size(); pos += 5) {
        std::string garbled = text;
        garbled[pos] = static_cast<char>(garbled[pos] ^ 0xA5);
        read.Clear();
        read.ParseText(garbled);
        EXPECT_LE(read.Count(), 2);
    }

    // A bad picture in the middle is skipped; the one after it still loads.
    std::string middle;
    AppendTwoPartRecord(middle, std::string(1, '\1') + IntToBytes(0) + "bad", "not a bmp");
    AppendTwoPartRecord(middle, std::string(1, '\7') + IntToBytes(0) + "kind", "x");
    read.Clear();
    read.ParseText(middle + text);
    EXPECT_TRUE(read.Damaged());
    ASSERT_EQ(read.Count(), 2);
    EXPECT_EQ(read.Name(0), "A");

    ASSERT_TRUE(WriteFileText(read.FileName, ""));
    EXPECT_TRUE(read.LoadFromFile());
    EXPECT_EQ(read.Count(), 0);
    EXPECT_FALSE(read.Damaged());
    EXPECT_TRUE(ui->Messages.empty());
}

TEST(GraphCollection, ALaterRecordOfTheSameNameOnlyChangesTheTag) {
    TGraphCollection source;
    source.AddGraphic("A", *TPicture::FromImage(TPictureKind::Bitmap, Checker(4, 4, 1, 2)));
    std::string text = source.SaveToText();
    AppendTwoPartRecord(text, std::string(1, '\2') + IntToBytes(77) + "A", "whatever");
    TGraphCollection read;
    read.ParseText(text);
    ASSERT_EQ(read.Count(), 1);
    EXPECT_EQ(read.Kind(0), TPictureKind::Bitmap);
    EXPECT_EQ(read.Tag(0), 77);
}

TEST(GraphCollection, NamesFilesAndCopies) {
    ScopedRecordingUi ui;
    TempDir dir;
    TGraphCollection pictures;
    pictures.AddBlank("b", TPictureKind::Bitmap, 2, 2);
    pictures.AddBlank("b_0", TPictureKind::Bitmap, 2, 2);
    pictures.AddBlank("sky", TPictureKind::Jpeg, 2, 2);
    pictures.AddBlank("map.v2", TPictureKind::Metafile, 2, 2);
    pictures.AddBlank("plan", TPictureKind::Metafile, 2, 2);
    EXPECT_EQ(pictures.UniqueName("b"), "b_1");
    EXPECT_EQ(pictures.UniqueName("c"), "c");
    EXPECT_EQ(pictures.PictureFileName(2), "sky.jpg");
    EXPECT_EQ(pictures.PictureFileName(3), "map.v2");
    EXPECT_EQ(pictures.PictureFileName(0), "b.bmp");
    EXPECT_EQ(pictures.PictureFileName(4), "plan.svg");
    EXPECT_FALSE(pictures.SetName(0, "sky"));
    EXPECT_TRUE(pictures.SetName(0, "a"));

    // Files come in by extension; unknown extensions and missing files add nothing.
    ASSERT_TRUE(WriteFileText(dir.File("p.BMP"), pictures.Picture(0).Data()));
    ASSERT_TRUE(WriteFileText(dir.File("p.txt"), pictures.Picture(0).Data()));
    EXPECT_TRUE(pictures.AddFromFile("file", dir.File("p.BMP")));
    EXPECT_FALSE(pictures.AddFromFile("txt", dir.File("p.txt")));
    EXPECT_FALSE(pictures.AddFromFile("gone", dir.File("gone.bmp")));
    pictures.ReplaceFromFile("sky", dir.File("p.BMP"));
    EXPECT_EQ(pictures.Kind(pictures.IndexOfName("sky")), TPictureKind::Bitmap);
    pictures.ReplaceFromFile("plan", "");
    EXPECT_EQ(pictures.IndexOfName("plan"), -1);

    TGraphCollection copy;
    copy.AddBlank("a", TPictureKind::Jpeg, 3, 3);
    copy.AssignFrom(pictures);
    EXPECT_EQ(copy.Count(), pictures.Count());
    EXPECT_EQ(copy.Kind(0), TPictureKind::Jpeg);  // a name already present is kept
    EXPECT_TRUE(ui->Messages.empty());
}
