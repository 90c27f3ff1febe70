#include "SmallCrossword.h"

#include "platform/FileText.h"

#include <array>
#include <fstream>

namespace {

// Where the header keeps the nine block lengths.
constexpr std::array<std::size_t, 9> LengthAt = {12, 16, 20, 24, 31, 35, 40, 44, 48};
enum { A, B, C, D, E, F, G, H, I };

// A crossword file cut into its header and blocks, and put together again.
struct FileParts {
    std::string header;
    std::array<std::string, 9> blocks;

    explicit FileParts(const std::string& data) : header(data.substr(0, 64)) {
        std::size_t at = 64;
        for (int b = 0; b < 9; ++b) {
            const std::size_t length = static_cast<uint32_t>(BytesToInt(header.substr(LengthAt[b], 4)));
            blocks[b] = data.substr(at, length);
            at += length;
        }
    }
    int32_t Length(int b) const { return BytesToInt(header.substr(LengthAt[b], 4)); }
    std::string Join() const {
        std::string data = header;
        for (int b = 0; b < 9; ++b) {
            data.replace(LengthAt[b], 4, IntToBytes(static_cast<int32_t>(blocks[b].size())));
            data += blocks[b];
        }
        return data;
    }
};

class CrosswordFileTest : public SmallCrosswordTest {
protected:
    void SetUp() override {
        SmallCrosswordTest::SetUp();
        source = MakeSmall();
        SetDefinition(*source, 0, "Жилое здание");
        SetDefinition(*source, 3, "&FB+Лошадь");
        source->Words.SetSlotLocked(1, true);
        source->Template->KeyWordCells = std::string{0, 0, 1, 2, 2, 2};
        source->Template->FileName = "grid.shb";
        source->FileName = Path("small.cwd");
    }

    std::string Saved(bool withPictures = false, std::string_view extra = {}) {
        EXPECT_TRUE(source->SaveToFile(withPictures, extra));
        std::string data;
        EXPECT_TRUE(ReadFileText(source->FileName, data));
        return data;
    }

    // A crossword that holds other words and another dictionary before it reads a file.
    std::unique_ptr<TClassicCrossword> Target() {
        auto target = Make({"...", "#.#"}, {"кот", "сон", "ток"});
        EXPECT_EQ(target->PlaceWord(0, Cp("кот"), false), PutCode::Placed);
        target->FileName = Path("target.cwd");
        return target;
    }

    // Loads data as a file into crossword, with messages.
    static void WriteData(const std::string& path, const std::string& data) {
        std::ofstream(path, std::ios::binary | std::ios::trunc) << data;
    }

    bool LoadData(TCrossword& crossword, const std::string& data, std::string* extra = nullptr) {
        WriteData(crossword.FileName, data);
        std::string text;
        const bool loaded = crossword.LoadFromFile(true, true, text);
        if (extra) *extra = text;
        return loaded;
    }

    // A damaged file: false, the format message last, a 1 x 1 crossword without words, and the
    // dictionary it had.
    void ExpectFormatError(TCrossword& crossword, const std::string& data, const std::string& what) {
        const int words = crossword.Dictionary.Count();
        const std::string dictionary = crossword.Dictionary.FileName;
        mUi->Messages.clear();
        EXPECT_FALSE(LoadData(crossword, data)) << what;
        ASSERT_FALSE(mUi->Messages.empty()) << what;
        EXPECT_EQ(mUi->Messages.back(), Format("Ошибка формата файла %s"_cp, crossword.FileName)) << what;
        EXPECT_EQ(crossword.Width, 1) << what;
        EXPECT_EQ(crossword.Height, 1) << what;
        EXPECT_EQ(crossword.Words.Count(), 0) << what;
        EXPECT_EQ(crossword.UsedWords.Count(), 0) << what;
        EXPECT_EQ(crossword.Dictionary.Count(), words) << what;
        EXPECT_EQ(crossword.Dictionary.FileName, dictionary) << what;
    }

    std::unique_ptr<TClassicCrossword> source;
};

}  // namespace

TEST_F(CrosswordFileTest, AFilledCrosswordComesBack) {
    source->Template->Pictures.AddBlank("pic", TPictureKind::Bitmap, 4, 3);
    const std::string extra = Cp("свой\r\nтекст");
    Saved(true, extra);

    auto target = Target();
    target->FileName = source->FileName;
    std::string loadedExtra;
    ASSERT_TRUE(target->LoadFromFile(true, true, loadedExtra));
    EXPECT_TRUE(mUi->Messages.empty());
    EXPECT_EQ(loadedExtra, extra);
    EXPECT_EQ(Letters(*target), Letters(*source));
    ASSERT_EQ(target->Words.Count(), 6);
    for (int i = 0; i < 6; ++i) EXPECT_EQ(target->Words.Entry(i), source->Words.Entry(i)) << i;
    EXPECT_TRUE(target->Words.SlotLocked(1));
    EXPECT_EQ(ToUtf8(target->Words.SlotDefinition(3)), "&FB+Лошадь");
    EXPECT_FALSE(target->IsWordUsed(Cp("кот")));
    EXPECT_TRUE(target->IsWordUsed(Cp("конь")));
    EXPECT_EQ(target->Dictionary.FileName, source->Dictionary.FileName);
    EXPECT_EQ(target->Dictionary.Count(), source->Dictionary.Count());
    EXPECT_EQ(target->Template->KeyWordCells, source->Template->KeyWordCells);
    EXPECT_EQ(target->KeywordText(), Cp("дар"));
    EXPECT_EQ(target->Template->FileName, "grid.shb");
    EXPECT_EQ(target->Template->GetNumber(4, 0), 3);
    ASSERT_EQ(target->Template->Pictures.Count(), 1);
    EXPECT_EQ(target->Template->Pictures.Name(0), "pic");
    EXPECT_EQ(target->Template->Pictures.Picture(0).Width(), 4);

    EXPECT_TRUE(target->Save(false));
    EXPECT_TRUE(target->Load(false, true));
    EXPECT_EQ(target->FilledCount(), 6);
}

TEST_F(CrosswordFileTest, HeaderAndBlocks) {
    const std::string data = Saved(false, "xyz");
    const FileParts parts(data);
    EXPECT_EQ(data.substr(0, 12), "CROSSWORD055");
    EXPECT_EQ(data[28], 3);
    EXPECT_EQ(data[29], 0);
    EXPECT_EQ(data[39], 0);
    EXPECT_EQ(data.substr(52, 12), std::string(12, '\0'));
    EXPECT_EQ(parts.blocks[A], source->Dictionary.FileName);
    EXPECT_EQ(parts.blocks[B], source->Template->SerializeTemplate(0, 0, 4, 4));
    // Six length prefixes, six records of 10 fixed characters and their cells, the words and
    // the two definitions.
    EXPECT_EQ(parts.Length(C), 6 * 4 + (6 * 10 + 21) + 21 + 12 + 10);
    EXPECT_EQ(parts.blocks[D], "grid.shb");
    EXPECT_EQ(parts.blocks[E], source->Dictionary.Alphabet);
    EXPECT_EQ(parts.Length(F), 0);  // a classic crossword keeps no clue format
    EXPECT_EQ(parts.blocks[G], std::string({0, 0, 1, 2, 2, 2}));
    EXPECT_EQ(parts.Length(H), 0);
    EXPECT_EQ(parts.blocks[I], "xyz");
    EXPECT_EQ(parts.Join(), data);

    TClassicCrossword wide;
    wide.SetWidth(10);
    wide.SetHeight(12);
    wide.FileName = Path("wide.cwd");
    ASSERT_TRUE(wide.SaveToFile(false, {}));
    std::string wideData;
    ASSERT_TRUE(ReadFileText(wide.FileName, wideData));
    EXPECT_EQ(wideData.substr(0, 12), "CROSSWORD0:<");
}

TEST_F(CrosswordFileTest, TheClueFormatOfCluesInTheGrid) {
    TClueGridCrossword grid;
    grid.Dictionary.ShowProgress = false;
    ASSERT_TRUE(grid.LoadDictionary(WriteSmallDictionary()));
    grid.SetWidth(5);
    grid.SetHeight(5);
    DrawGrid(*grid.Template, SmallGrid);
    grid.PrepareForFill();
    for (int i = 0; i < 6; ++i) ASSERT_EQ(grid.PlaceWord(i, Cp(SmallWords[i].first), false), PutCode::Placed);
    TFormatParameters& format = grid.OprFormat;
    format = {.FontName = "Times New Roman", .FontSize = 9, .FontColor = {0x80FF0001u, TColorModel::Cmyk},
              .Bold = true, .Italic = true, .CharSet = 1, .FontWidth = 80, .HFlag = false, .SPercent = 70,
              .Interline = 120, .CaseMode = 2, .SpaceType = 3, .SpaceSize = -5};
    grid.Template->CanUnite = false;
    grid.OprText.EmptyOpr = false;
    grid.OprText.EmptyOprFileName = "a.bmp|b.bmp";
    grid.FileName = Path("grid.cwd");
    ASSERT_TRUE(grid.SaveToFile(false, {}));
    std::string data;
    ASSERT_TRUE(ReadFileText(grid.FileName, data));
    const FileParts parts(data);
    EXPECT_EQ(data[9], '2');
    EXPECT_EQ(parts.Length(F), 35 + 15 + 1 + 4 + 11);

    TClueGridCrossword target;
    target.Dictionary.ShowProgress = false;
    target.FileName = grid.FileName;
    std::string extra;
    ASSERT_TRUE(target.LoadFromFile(true, true, extra));
    EXPECT_EQ(target.OprFormat, format);
    EXPECT_FALSE(target.Template->CanUnite);
    EXPECT_FALSE(target.OprText.EmptyOpr);
    EXPECT_EQ(target.OprText.EmptyOprFileName, "a.bmp|b.bmp");
    EXPECT_EQ(target.FilledCount(), 6);

    // Older blocks, and blocks cut short: what is there is read, the rest keeps its value.
    const auto block = [](std::initializer_list<int> bytes, std::string_view tail = {}) {
        std::string text;
        for (const int b : bytes) text += static_cast<char>(b);
        return text + std::string(tail);
    };
    const std::string color = IntToBytes(0x00123456);
    struct Case {
        int version;
        std::string block;
        std::function<void(TFormatParameters&, TClueGridCrossword&)> expect;
    };
    const Case cases[] = {
        {1, block({0}) + color + block({80, 70, 120, 1, '1', '0', '0'}, "Courier"),
         [](TFormatParameters& f, TClueGridCrossword&) {
             f.FontSize = 1;  // a size of 0 would be the canvas's default
             f.FontColor = {0x123456, TColorModel::Rgb};
             f.FontWidth = 80, f.SPercent = 70, f.Interline = 120, f.CharSet = 1, f.Bold = true, f.Italic = false,
             f.HFlag = false, f.FontName = "Courier";
         }},
        {2, block({12}) + color + block({7, 90, 60, 110, 2, '0', '1', '1', 0}) + IntToBytes(5) + "Arial1" + "1" +
                IntToBytes(3) + "x|y",
         [](TFormatParameters& f, TClueGridCrossword& c) {
             f.FontSize = 12, f.FontColor = {0x123456, TColorModel::Rgb};  // type 7 is not a colour type
             f.FontWidth = 90, f.SPercent = 60, f.Interline = 110, f.CharSet = 2, f.Bold = false, f.Italic = true,
             f.HFlag = true, f.FontName = "Arial";
             c.Template->CanUnite = true, c.OprText.EmptyOpr = true, c.OprText.EmptyOprFileName = "x|y";
         }},
        {2, block({12}) + color + block({1, 90, 60, 110, 2, '0', '1', '1'}),
         [](TFormatParameters& f, TClueGridCrossword&) {
             f.FontSize = 12, f.FontColor = {0x123456, TColorModel::Cmyk};
             f.FontWidth = 90, f.SPercent = 60, f.Interline = 110, f.CharSet = 2, f.Bold = false, f.Italic = true,
             f.HFlag = true;
         }},
        {3, block({14}) + color + block({0, 50, 40, 30, 0, '1', '1', '0', 1, '1', 2}) + IntToBytes(7) +
                std::string(11, '\0') + "\x05",
         [](TFormatParameters& f, TClueGridCrossword& c) {
             f.FontSize = 14, f.FontColor = {0x123456, TColorModel::Rgb};
             f.FontWidth = 50, f.SPercent = 40, f.Interline = 30, f.CharSet = 0, f.Bold = true, f.Italic = true,
             f.HFlag = false, f.CaseMode = 1, f.SpaceType = 2, f.SpaceSize = 7;
             c.Template->CanUnite = true;
         }},
        {3, block({14}) + color + std::string(15, '\0'), [](TFormatParameters&, TClueGridCrossword&) {}},
        {1, block({14}) + color + block({1, 2, 3, 4, '1', '1'}), [](TFormatParameters&, TClueGridCrossword&) {}},
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(LoadData(target, data));
        FileParts old(data);
        old.header[28] = static_cast<char>(c.version);
        old.blocks[F] = c.block;
        TClueGridCrossword expected;
        expected.OprFormat = format;
        expected.Template->CanUnite = false;
        expected.OprText.EmptyOpr = false;
        expected.OprText.EmptyOprFileName = "a.bmp|b.bmp";
        c.expect(expected.OprFormat, expected);
        ASSERT_TRUE(LoadData(target, old.Join())) << c.block.size();
        EXPECT_EQ(target.OprFormat, expected.OprFormat) << c.block.size();
        EXPECT_EQ(target.Template->CanUnite, expected.Template->CanUnite) << c.block.size();
        EXPECT_EQ(target.OprText, expected.OprText) << c.block.size();
    }

    // A name or picture list that runs past the block is damage.
    for (const std::size_t at : {31, 35 + 15 + 1})
        for (const int32_t length : {100, -1}) {
            FileParts damaged(data);
            damaged.blocks[F].replace(at, 4, IntToBytes(length));
            ExpectFormatError(target, damaged.Join(), std::to_string(at) + ": " + std::to_string(length));
        }
    // A classic crossword does not read a file of another kind.
    auto classic = MakeSmall();
    classic->FileName = grid.FileName;
    ExpectFormatError(*classic, data, "kind");
}

TEST_F(CrosswordFileTest, EveryCutOfAFileIsAFormatError) {
    const std::string data = Saved(false, "extra");
    auto target = Target();
    target->FileName = source->FileName;
    for (std::size_t size = 0; size < data.size(); ++size) {
        WriteData(target->FileName, data);
        ASSERT_TRUE(target->Load(false, true)) << size;
        EXPECT_EQ(target->FilledCount(), 6);
        ExpectFormatError(*target, data.substr(0, size), std::to_string(size));
    }
}

TEST_F(CrosswordFileTest, LengthsAndValuesOutOfRange) {
    const std::string data = Saved(true, "extra");
    auto target = Target();
    std::vector<std::pair<std::string, std::string>> damaged;
    for (int b = 0; b < 9; ++b)
        for (const int32_t length : {-1, 0x7FFFFFFF, static_cast<int32_t>(0x80000000)}) {
            std::string bad = data;
            bad.replace(LengthAt[b], 4, IntToBytes(length));
            damaged.emplace_back("block " + std::to_string(b) + " length " + std::to_string(length), bad);
        }
    for (const int32_t length : {-1, 0x7FFFFFFF, 1000}) {
        FileParts parts(data);
        parts.blocks[C].replace(0, 4, IntToBytes(length));
        damaged.emplace_back("word length " + std::to_string(length), parts.Join());
        parts = FileParts(data);
        parts.blocks[C] += IntToBytes(length) + "x";
        damaged.emplace_back("last word length " + std::to_string(length), parts.Join());
    }
    const std::pair<std::size_t, char> bytes[] = {
        {0, 'X'},                                        // not a crossword file
        {9, '1'}, {9, static_cast<char>(48 + 18)},       // another kind, no kind
        {10, '0'}, {10, static_cast<char>(48 + 201)},    // width 0 and 201
        {11, '0'}, {11, '/'},                            // height 0 and 255
        {28, 0}, {28, 4},                                // versions
        {29, 5},                                         // cell format
        {39, 2},                                         // Unformatted
    };
    for (const auto& [at, value] : bytes) {
        std::string bad = data;
        bad[at] = value;
        damaged.emplace_back("byte " + std::to_string(at) + " = " + std::to_string(value), bad);
    }
    for (const auto& [what, bad] : damaged) {
        ASSERT_TRUE(LoadData(*target, data)) << what;
        ExpectFormatError(*target, bad, what);
    }
}

TEST_F(CrosswordFileTest, ABrokenTemplateLeavesTheDictionary) {
    FileParts parts(Saved());
    auto target = Target();
    for (const std::string& template_ : {std::string("2") + parts.blocks[B].substr(1), parts.blocks[B].substr(0, 20)}) {
        FileParts broken = parts;
        broken.blocks[B] = template_;
        ExpectFormatError(*target, broken.Join(), "template");
        ASSERT_GE(mUi->Messages.size(), 2u);
        EXPECT_EQ(mUi->Messages[mUi->Messages.size() - 2], "Ошибка чтения шаблона кроссворда!"_cp);
        EXPECT_EQ(target->Dictionary.Count(), 3);
    }
    // Without messages nothing of the crossword's is shown.
    mUi->Messages.clear();
    FileParts broken = parts;
    broken.blocks[B] = parts.blocks[B].substr(0, 20);
    ASSERT_TRUE(WriteFileText(target->FileName, broken.Join()));
    EXPECT_FALSE(target->Load(true, false));
    for (const std::string& message : mUi->Messages) {
        EXPECT_NE(message, "Ошибка чтения шаблона кроссворда!"_cp);
        EXPECT_EQ(message.find("Ошибка формата файла"_cp), std::string::npos);
    }
}

TEST_F(CrosswordFileTest, AMissingDictionaryStillPlacesTheWords) {
    const std::string data = Saved();
    const std::string dictionary = source->Dictionary.FileName;
    std::filesystem::remove(dictionary);
    for (const bool showMessages : {true, false}) {
        auto target = Target();
        target->FileName = source->FileName;
        mUi->Messages.clear();
        EXPECT_TRUE(target->Load(true, showMessages));
        EXPECT_EQ(target->FilledCount(), 6);
        EXPECT_EQ(target->Dictionary.Count(), 0);
        EXPECT_EQ(target->Dictionary.FileName, dictionary);
        EXPECT_EQ(target->Dictionary.Alphabet, source->Dictionary.Alphabet);
        const std::string message = Format("Ошибка чтения словаря %s!\r\nКроссворд загружен без словаря"_cp, dictionary);
        EXPECT_EQ(std::count(mUi->Messages.begin(), mUi->Messages.end(), message), showMessages ? 1 : 0);
    }
    // Without loading the dictionary the crossword keeps its own words in it.
    auto target = Target();
    target->FileName = source->FileName;
    EXPECT_TRUE(target->Load(false, true));
    EXPECT_EQ(target->Dictionary.Count(), 3);
    EXPECT_EQ(target->FilledCount(), 6);
}

TEST_F(CrosswordFileTest, PicturesOnlyWhenSaved) {
    auto target = Target();
    target->Template->Pictures.AddBlank("own", TPictureKind::Bitmap, 2, 2);
    target->FileName = source->FileName;
    Saved(false);
    ASSERT_TRUE(target->Load(true, true));
    EXPECT_EQ(target->Template->Pictures.IndexOfName("own"), 0);
    EXPECT_TRUE(target->Template->BackgroundPicture.empty());

    source->Template->Pictures.AddBlank("background", TPictureKind::Bitmap, 3, 3);
    Saved(true);
    ASSERT_TRUE(target->Load(true, true));
    EXPECT_EQ(target->Template->Pictures.IndexOfName("own"), -1);
    EXPECT_EQ(target->Template->Pictures.IndexOfName("background"), 0);
    EXPECT_EQ(target->Template->BackgroundPicture, "background");
}

TEST_F(CrosswordFileTest, TheBackgroundFileTravelsWithTheCrossword) {
    TGraphCollection files;
    ASSERT_TRUE(files.AddBlank("b", TPictureKind::Bitmap, 5, 4));
    const std::string background = Path("back.bmp");
    ASSERT_TRUE(WriteFileText(background, files.Picture(0).Data()));
    source->Template->BackgroundPicture = background;
    std::vector<std::string> names;
    source->ListPictures(names);
    EXPECT_EQ(names, std::vector<std::string>{"background"});
    Saved(true);
    std::filesystem::remove(background);

    auto target = Target();
    target->FileName = source->FileName;
    ASSERT_TRUE(target->Load(true, true));
    EXPECT_EQ(target->Template->BackgroundPicture, "background");
    ASSERT_EQ(target->Template->Pictures.IndexOfName("background"), 0);
    EXPECT_EQ(target->Template->Pictures.Picture(0).Width(), 5);
}

TEST_F(CrosswordFileTest, ClueInTheGridPicturesAreListed) {
    source->CluesInGrid = 1;
    SetDefinition(*source, 4, "&CO\"link.bmp\"&Iclue.bmp");
    std::vector<std::string> names;
    source->ListPictures(names);
    EXPECT_EQ(names, (std::vector<std::string>{"clue.bmp", "link.bmp"}));
}

TEST_F(CrosswordFileTest, AWordThatNoLongerFitsAsksOnlyWithMessages) {
    source->RemoveWord(1);
    ASSERT_EQ(source->PlaceWord(1, Cp("зуб"), false), PutCode::Placed);  // overwrites the "д" of дом
    Saved();
    struct Case {
        bool showMessages;
        std::deque<bool> answers;
        int questions;
        int filled;
        int unplaced;  // the word, and after a stop the words not tried
    };
    const Case cases[] = {
        {true, {}, 1, 1, 5},       // Cancel stops at the word
        {true, {true}, 1, 5, 1},   // OK goes on
        {false, {}, 0, 5, 1},      // skipped without asking
    };
    for (const Case& c : cases) {
        auto target = Target();
        target->FileName = source->FileName;
        mUi->Questions.clear();
        mUi->Answers = c.answers;
        EXPECT_TRUE(target->Load(true, c.showMessages));
        ASSERT_EQ(static_cast<int>(mUi->Questions.size()), c.questions);
        if (c.questions) {
            EXPECT_NE(mUi->Questions[0].find(Cp("зуб")), std::string::npos);
        }
        EXPECT_EQ(target->FilledCount(), c.filled);
        ASSERT_EQ(static_cast<int>(target->UnplacedWords.size()), c.unplaced);
        EXPECT_EQ(target->UnplacedWords[0], Cp("зуб"));
    }
}

TEST_F(CrosswordFileTest, AnUnfinishedFillIsMarkedInAByteThatOtherFilesLeaveZero) {
    EXPECT_EQ(Saved()[52], '\0');
    source->Incomplete = 1;
    const std::string data = Saved();
    EXPECT_EQ(data[52], '\x01');
    EXPECT_EQ(data.substr(53, 11), std::string(11, '\0'));
    auto target = Target();
    ASSERT_TRUE(LoadData(*target, data));
    EXPECT_EQ(target->Incomplete, 1);
    EXPECT_EQ(target->FilledCount(), 6);

    FileParts unmarked(data);
    unmarked.header[52] = '\0';
    ASSERT_TRUE(LoadData(*target, unmarked.Join()));
    EXPECT_EQ(target->Incomplete, 0);
    EXPECT_TRUE(target->UnplacedWords.empty());
}

TEST_F(CrosswordFileTest, AFailedSaveSaysSoOnlyWhenInteractive) {
    source->FileName = Path("no-such-folder/small.cwd");
    EXPECT_FALSE(source->SaveToFile(false, {}));
    ASSERT_EQ(mUi->Messages.size(), 1u);
    EXPECT_EQ(mUi->Messages[0], Format("Ошибка записи в файл %s"_cp, source->FileName));
    source->Interactive = 0;
    EXPECT_FALSE(source->Save(false));
    EXPECT_EQ(mUi->Messages.size(), 1u);

    // A missing file is no message at all.
    EXPECT_FALSE(source->Load(true, true));
    EXPECT_EQ(mUi->Messages.size(), 1u);
}

TEST_F(CrosswordTest, TheDictionaryLanguageIsTheClueCharacterSet) {
    DictionaryLayout layout;
    layout.language = 1;
    const std::string path = Path("ansi.wdi");
    ASSERT_TRUE(WriteDictionaryFile(path, layout, DictionaryWords({"кот"})));
    TClassicCrossword crossword;
    crossword.Dictionary.ShowProgress = false;
    EXPECT_EQ(crossword.OprFormat.CharSet, 0);
    ASSERT_TRUE(crossword.LoadDictionary(path));
    EXPECT_EQ(crossword.OprFormat.CharSet, 1);
}
