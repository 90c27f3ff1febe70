#include "GridPicture.h"

#include "dictionary/FileHelpers.h"
#include "platform/RecordingUi.h"
#include "platform/Text.h"
#include "template/ClassicShablon.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <unistd.h>

namespace {

const std::string BadFormat(std::string("Неверный формат шаблона!"_cp));
const std::string WrongKind(std::string("Несовместимый тип шаблона!"_cp));

// A classic body of the picture, column by column.
std::string BodyOf(const GridPicture& rows) {
    std::string body;
    for (std::size_t x = 0; x < rows[0].size(); ++x)
        for (const std::string& row : rows) body += row[x] == '#' ? '\x02' : '\x01';
    return body;
}

std::string HeaderOf(int kind, int width, int height) {
    return {static_cast<char>(48 + kind), static_cast<char>(48 + width), static_cast<char>(48 + height)};
}

class TemplateFile : public ::testing::Test {
protected:
    void SetUp() override {
        mDir = std::filesystem::temp_directory_path() / ("zelvana-template-" + std::to_string(getpid()));
        std::filesystem::create_directories(mDir);
    }
    void TearDown() override { std::filesystem::remove_all(mDir); }

    std::string Write(const std::string& name, const std::string& content) {
        const std::string path = (mDir / name).string();
        EXPECT_TRUE(WriteFileText(path, content));
        return path;
    }
    std::string Path(const std::string& name) const { return (mDir / name).string(); }

    std::filesystem::path mDir;
    ScopedRecordingUi mUi;
};

}  // namespace

TEST(TemplateText, TwoByTwoRoundTrips) {
    ScopedRecordingUi ui;
    const std::string text = "022" "\x01\x02\x02\x01";
    TClassicShablon shablon(2, 2);
    ASSERT_TRUE(shablon.ParseTemplate(text, 0, 0));
    EXPECT_EQ(PictureOf(shablon), (GridPicture{".#", "#."}));
    EXPECT_EQ(shablon.SerializeTemplate(0, 0, 1, 1), text);
    EXPECT_TRUE(ui->Messages.empty());
}

TEST(TemplateText, PartOfTheGridSerializesAsItsOwnTemplate) {
    TClassicShablon shablon(1, 1);
    const GridPicture grid = {"#..#", "....", "#..#"};
    DrawGrid(shablon, grid);
    EXPECT_EQ(shablon.SerializeTemplate(1, 0, 2, 2), HeaderOf(0, 2, 3) + BodyOf({"..", "..", ".."}));
    EXPECT_EQ(shablon.SerializeTemplate(0, 0, 3, 2), HeaderOf(0, 4, 3) + BodyOf(grid));
}

TEST(TemplateText, AForeignKindLeavesTheGridUntouched) {
    ScopedRecordingUi ui;
    TClassicShablon shablon(1, 1);
    DrawGrid(shablon, {"..", ".#"});
    EXPECT_FALSE(shablon.ParseTemplate(HeaderOf(1, 2, 2) + BodyOf({"##", "##"}), 0, 0));
    EXPECT_EQ(ui->Messages, std::vector<std::string>{WrongKind});
    EXPECT_EQ(PictureOf(shablon), (GridPicture{"..", ".#"}));
}

TEST(TemplateText, TooShortTextsAreReported) {
    ScopedRecordingUi ui;
    TClassicShablon shablon(3, 3);
    EXPECT_FALSE(shablon.ParseTemplate("03", 0, 0));
    shablon.ClearRect(0, 0, 2, 2, true);
    // 3 x 3 with only 5 cell bytes: the area is cleared, column 0 and two cells of column 1 set.
    EXPECT_FALSE(shablon.ParseTemplate(HeaderOf(0, 3, 3) + "\x01\x02\x01\x02\x01", 0, 0));
    EXPECT_EQ(ui->Messages, (std::vector<std::string>{BadFormat, BadFormat}));
    EXPECT_EQ(PictureOf(shablon), (GridPicture{".##", "#.#", ".##"}));
}

TEST(TemplateText, CellsOutsideTheGridAreSkipped) {
    ScopedRecordingUi ui;
    GridPicture big(10, "..........");
    big[0] = "#.........";
    TClassicShablon shablon(5, 5);
    EXPECT_TRUE(shablon.ParseTemplate(HeaderOf(0, 10, 10) + BodyOf(big), 0, 0));
    EXPECT_EQ(PictureOf(shablon), (GridPicture{"#....", ".....", ".....", ".....", "....."}));
    EXPECT_TRUE(ui->Messages.empty());
}

TEST(TemplateText, OriginShiftsTheStoredCells) {
    TClassicShablon shablon(20, 20);
    shablon.SetLetterCellOnly(0, 0, true);
    shablon.SetLetterCellOnly(19, 19, true);
    ASSERT_TRUE(shablon.ParseTemplate(HeaderOf(0, 2, 2) + BodyOf({".#", ".."}), 3, 2));
    EXPECT_TRUE(shablon.IsLetterCell(3, 2));
    EXPECT_FALSE(shablon.IsLetterCell(4, 2));
    EXPECT_TRUE(shablon.IsLetterCell(3, 3));
    EXPECT_TRUE(shablon.IsLetterCell(4, 3));
    EXPECT_TRUE(shablon.IsLetterCell(0, 0));  // outside the stored rectangle
    EXPECT_TRUE(shablon.IsLetterCell(19, 19));
}

TEST(TemplateText, ParsingAppliesTheSymmetry) {
    TClassicShablon shablon(4, 1);
    shablon.MirrorX = {true, 1, true};
    ASSERT_TRUE(shablon.ParseTemplate(HeaderOf(0, 1, 1) + "\x01", 0, 0));
    EXPECT_EQ(PictureOf(shablon), GridPicture{".##."});
}

TEST_F(TemplateFile, SaveAndLoadRoundTrip) {
    TClassicShablon saved(1, 1);
    DrawGrid(saved, {"...#", ".#..", "...."});
    saved.FileName = Path("t.shb");
    ASSERT_TRUE(saved.SaveToFile());
    std::string content;
    ASSERT_TRUE(ReadFileText(saved.FileName, content));
    EXPECT_EQ(content, "SHABLON  " + HeaderOf(0, 4, 3) + BodyOf({"...#", ".#..", "...."}));

    TShablonHeader header;
    ASSERT_TRUE(TShablon::ReadTemplateHeader(saved.FileName, header));
    EXPECT_EQ(header.Kind, 0);
    EXPECT_EQ(header.Width, 4);
    EXPECT_EQ(header.Height, 3);

    TClassicShablon loaded(header.Width, header.Height);
    loaded.FileName = saved.FileName;
    ASSERT_TRUE(loaded.LoadFromFile());
    EXPECT_EQ(PictureOf(loaded), PictureOf(saved));
    EXPECT_TRUE(mUi->Messages.empty());
}

TEST_F(TemplateFile, HeaderLimits) {
    struct Case {
        const char* name;
        std::string content;
        bool ok;
        TShablonHeader header;
    };
    const Case cases[] = {
        {"short", "SHABLON  0:", false, {0, 1, 1}},
        {"bare", "SHABLON  0:;", false, {0, 1, 1}},  // nothing after the header
        {"minimal", "SHABLON  0:;\x01", true, {0, 10, 11}},
        {"noprefix", "SHABLON 0:;\x01\x01", false, {0, 1, 1}},
        {"wide", "SHABLON  0" + std::string(1, static_cast<char>(48 + 201)) + ";\x01", false, {0, 201, 11}},
        {"widest", "SHABLON  2" + std::string(1, static_cast<char>(48 + 200)) + ";\x01", true, {2, 200, 11}},
    };
    for (const Case& c : cases) {
        TShablonHeader header{7, 7, 7};
        EXPECT_EQ(TShablon::ReadTemplateHeader(Write(c.name, c.content), header), c.ok) << c.name;
        EXPECT_EQ(header.Kind, c.header.Kind) << c.name;
        EXPECT_EQ(header.Width, c.header.Width) << c.name;
        EXPECT_EQ(header.Height, c.header.Height) << c.name;
    }
    TShablonHeader header;
    EXPECT_FALSE(TShablon::ReadTemplateHeader(Path("missing"), header));
    EXPECT_TRUE(mUi->Messages.empty());
}

TEST_F(TemplateFile, LoadRefusesMissingAndForeignFiles) {
    TClassicShablon shablon(2, 2);
    shablon.FileName = Path("missing");
    EXPECT_FALSE(shablon.LoadFromFile());
    shablon.FileName = Write("plain", "022\x01\x01\x01\x01");
    EXPECT_FALSE(shablon.LoadFromFile());
    EXPECT_TRUE(mUi->Messages.empty());
    shablon.FileName = Write("truncated", "SHABLON  022\x01");
    EXPECT_FALSE(shablon.LoadFromFile());
    EXPECT_EQ(mUi->Messages, std::vector<std::string>{BadFormat});
}

TEST_F(TemplateFile, SaveReportsAnUnwritablePath) {
    TClassicShablon shablon(2, 2);
    shablon.FileName = Path("no-such-dir/t.shb");
    EXPECT_FALSE(shablon.SaveToFile());
    EXPECT_EQ(mUi->Messages, std::vector<std::string>{Format("Ошибка записи в файл %s"_cp, shablon.FileName)});
}
