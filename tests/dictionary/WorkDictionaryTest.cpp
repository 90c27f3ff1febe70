#include "TestFiles.h"

#include "dictionary/TextHelpers.h"
#include "dictionary/WorkDictionary.h"
#include "platform/RecordingUi.h"
#include "platform/Text.h"

namespace {

using Strings = std::vector<std::string>;

class WorkDictionaryTest : public ::testing::Test {
protected:
    // Writes the words in the given order and loads them; the load's result.
    bool Load(const std::vector<DictionaryWord>& words, DictionaryLayout layout = {}) {
        dictionary.FileName = WriteBytes(dir.File("d.wdi"), DictionaryFileBytes(layout, words));
        return dictionary.Load();
    }
    // The entries' words in UTF-8.
    std::vector<std::string> Texts() const {
        std::vector<std::string> texts;
        for (int i = 0; i < dictionary.Count(); ++i) texts.push_back(ToUtf8(dictionary.EntryText(i)));
        return texts;
    }

    ScratchDir dir;
    ScopedRecordingUi ui;
    TWorkDictionary dictionary;
};

}  // namespace

TEST_F(WorkDictionaryTest, LoadsFormatZeroInDictionaryOrderWithLengthIndex) {
    dictionary.ShowProgress = false;
    ASSERT_TRUE(Load(Words({"ад", "ум", "кот", "лес", "сова"})));
    EXPECT_EQ(Texts(), (Strings{"ад", "ум", "кот", "лес", "сова"}));
    EXPECT_EQ(dictionary.LengthIndex(2), 0);
    EXPECT_EQ(dictionary.LengthIndex(3), 2);
    EXPECT_EQ(dictionary.LengthIndex(4), 4);
    for (int cells = 5; cells <= 26; ++cells) EXPECT_EQ(dictionary.LengthIndex(cells), 5) << cells;
    EXPECT_EQ(dictionary.EntryCells(4), 4);
    EXPECT_TRUE(ui->Messages.empty());
    EXPECT_TRUE(ui->Progress.empty());
}

TEST_F(WorkDictionaryTest, FormatZeroOutOfOrderOrTwiceFailsAndLeavesNothing) {
    for (const auto& words : {Words({"кот", "ад"}), Words({"лес", "кот"}), Words({"кот", "кот"})}) {
        ui->Messages.clear();
        EXPECT_FALSE(Load(words));
        EXPECT_EQ(dictionary.Count(), 0);
        EXPECT_EQ(ui->Messages, (Strings{std::string("Ошибка чтения словаря!"_cp)}));
    }
}

TEST_F(WorkDictionaryTest, AnyOrderFormatsLoadSorted) {
    DictionaryLayout layout;
    layout.cellFormat = CellFormatSingleAnyOrder;
    ASSERT_TRUE(Load(Words({"сова", "кот", "ум", "ад", "лес"}), layout));
    EXPECT_EQ(Texts(), (Strings{"ад", "ум", "кот", "лес", "сова"}));

    layout.cellFormat = CellFormatPairs;
    ASSERT_TRUE(Load(Words({"aabbcc", "zzyy", "aabb"}), layout));
    EXPECT_EQ(Texts(), (Strings{"aabb", "zzyy", "aabbcc"}));
    int index = -1;
    EXPECT_TRUE(dictionary.Find("zzyy", index));
    EXPECT_EQ(index, 1);

    layout.cellFormat = CellFormatPieces;
    ASSERT_TRUE(Load(Words({"a~b~c", "ab~c", "x~y"}), layout));
    EXPECT_EQ(Texts(), (Strings{"ab~c", "x~y", "a~b~c"}));
    EXPECT_EQ(dictionary.EntryCells(2), 3);
}

TEST_F(WorkDictionaryTest, DuplicatesInAnyOrderFormatsReportBothMessages) {
    DictionaryLayout layout;
    layout.cellFormat = CellFormatSingleAnyOrder;
    EXPECT_FALSE(Load(Words({"кот", "ум", "кот"}), layout));
    EXPECT_EQ(dictionary.Count(), 0);
    EXPECT_EQ(ui->Messages, (Strings{Format("Ошибка формата файла %s"_cp, dictionary.FileName),
                                   std::string("Ошибка чтения словаря!"_cp)}));
}

TEST_F(WorkDictionaryTest, EmptyWordAreaLoadsEmpty) {
    ASSERT_TRUE(Load({}));
    EXPECT_EQ(dictionary.Count(), 0);
    for (int cells = 2; cells <= 26; ++cells) EXPECT_EQ(dictionary.LengthIndex(cells), 0);
    int index = -1;
    EXPECT_FALSE(dictionary.Find("кот"_cp, index));
    EXPECT_EQ(index, 0);
}

TEST_F(WorkDictionaryTest, WordsOutsideTwoToTwentyFiveCellsAreLeftOut) {
    ASSERT_TRUE(Load(Words({"я", "ад", std::string(26, 'a')})));
    EXPECT_EQ(Texts(), (Strings{"ад"}));
}

TEST_F(WorkDictionaryTest, FindAtBothEnds) {
    ASSERT_TRUE(Load(Words({"ад", "ум", "кот", "сова"})));
    int index = -1;
    EXPECT_TRUE(dictionary.Find("ад"_cp, index));
    EXPECT_EQ(index, 0);
    EXPECT_TRUE(dictionary.Find("сова"_cp, index));
    EXPECT_EQ(index, 3);
    EXPECT_FALSE(dictionary.Find("аа"_cp, index));
    EXPECT_EQ(index, 0);
    EXPECT_FALSE(dictionary.Find("ящер"_cp, index));
    EXPECT_EQ(index, 4);
    EXPECT_FALSE(dictionary.Find("длинноеслово"_cp, index));
    EXPECT_EQ(index, 4);
    EXPECT_FALSE(dictionary.Find("кит"_cp, index));
    EXPECT_EQ(index, 2);
}

TEST_F(WorkDictionaryTest, DefinitionsFromFileAndFromMemoryRoundTrip) {
    std::vector<DictionaryWord> words = {
        {"ад", WordCategory::Reserve, "преисподняя; пекло"},
        {"кот", WordCategory::Ordinary, ""},
        {"лес", WordCategory::Unavailable, std::string(9000, 'x')},
    };
    ASSERT_TRUE(Load(words));
    for (bool inMemory : {false, true}) {
        dictionary.SetDefinitionsInMemory(inMemory);
        for (int i = 0; i < 3; ++i) {
            EXPECT_EQ(dictionary.EntryText(i), words[i].text);
            EXPECT_EQ(dictionary.EntryCategory(i), words[i].category);
            EXPECT_EQ(dictionary.Definition(i), words[i].definition) << inMemory << i;
        }
    }
    EXPECT_EQ(dictionary.Definitions().size(), 9000u + words[0].definition.size());
    dictionary.SetDefinitionsInMemory(false);
    EXPECT_TRUE(dictionary.Definitions().empty());
    EXPECT_TRUE(ui->Messages.empty());
}

TEST_F(WorkDictionaryTest, DefinitionPastTheFileEndIsAnError) {
    std::vector<DictionaryWord> words = {{"ад", WordCategory::Ordinary, "пекло"}};
    std::string bytes = DictionaryFileBytes({}, words);
    bytes.resize(bytes.size() - 2);
    dictionary.FileName = WriteBytes(dir.File("cut.wdi"), bytes);
    ASSERT_TRUE(dictionary.Load());
    EXPECT_EQ(dictionary.Definition(0), "");
    EXPECT_EQ(ui->Messages,
              (Strings{Format("Ошибка чтения файла %s!\r\nСоздайте файл заново!"_cp, dictionary.FileName)}));
}

TEST_F(WorkDictionaryTest, HeaderFieldsAndLetterMap) {
    DictionaryLayout layout;
    layout.language = 2;
    layout.alphabet = "abc";
    layout.letterMap = true;
    layout.lowerLetters = "ab";
    layout.upperLetters = "XY";
    ASSERT_TRUE(Load(Words({"ab", "cab"}), layout));
    EXPECT_EQ(dictionary.CharsetCode(), 1);
    EXPECT_EQ(dictionary.Alphabet, "abc");
    EXPECT_EQ(dictionary.BodySize(), 3u + 4u + (15 + 2) + (15 + 3));
    EXPECT_TRUE(dictionary.HasLetterMap());
    EXPECT_EQ(dictionary.ToUpperText("abcё"_cp), "XYCЁ"_cp);
    EXPECT_EQ(dictionary.ToLowerText("XYZ"), "abz");
    dictionary.Language = 0;
    EXPECT_EQ(dictionary.CharsetCode(), 204);
    dictionary.Language = 1;
    EXPECT_EQ(dictionary.CharsetCode(), 0);
}

TEST_F(WorkDictionaryTest, MapFlagOtherThanOneIgnoresTheMapLengths) {
    DictionaryLayout layout;
    layout.alphabet = "ab";
    std::string bytes = DictionaryFileBytes(layout, Words({"ab"}));
    bytes[22] = 'Y';
    bytes.replace(23, 4, IntToBytes(1000));
    bytes.replace(27, 4, IntToBytes(1000));
    dictionary.FileName = WriteBytes(dir.File("flag.wdi"), bytes);
    ASSERT_TRUE(dictionary.Load());
    EXPECT_FALSE(dictionary.HasLetterMap());
    EXPECT_EQ(Texts(), (Strings{"ab"}));
}

TEST_F(WorkDictionaryTest, FragmentsLoadForFormatThreeAndBrokenOnesAreReported) {
    DictionaryLayout layout;
    layout.cellFormat = CellFormatPiecesWithFragments;
    layout.fragmentText = "ab;*1;*c;*2;*";
    ASSERT_TRUE(Load(Words({"ab~c"}), layout));
    EXPECT_EQ(dictionary.Fragments().Count(), 2);
    EXPECT_EQ(dictionary.Fragments().FragmentValue(1), "2");

    layout.fragmentText = "ab;*1;*c;*";
    ASSERT_TRUE(Load(Words({"ab~c"}), layout));
    EXPECT_EQ(dictionary.Fragments().Count(), 1);
    EXPECT_EQ(ui->Messages, (Strings{std::string("Ошибка инициализации фрагментов!"_cp)}));
    dictionary.SetCellFormat(CellFormatSingle);
    EXPECT_EQ(dictionary.Fragments().Count(), 0);
}

TEST_F(WorkDictionaryTest, ProgressShowsReadingThenPreparing) {
    std::vector<DictionaryWord> words;
    for (int i = 0; i < 3000; ++i) words.push_back({"w" + ZeroPadded(i, 5), WordCategory::Ordinary, {}});
    ASSERT_TRUE(Load(words));
    ASSERT_GE(ui->Progress.size(), 4u);
    EXPECT_EQ(ui->Progress[0].text, "Чтение словаря..."_cp);
    EXPECT_EQ(ui->Progress[0].maximum, 1);
    EXPECT_EQ(ui->Progress[1].maximum, static_cast<int>(dictionary.BodySize()));
    const auto preparing = std::find_if(ui->Progress.begin(), ui->Progress.end(), [](const auto& step) {
        return step.text == "Подготовка словаря к работе..."_cp;
    });
    ASSERT_NE(preparing, ui->Progress.end());
    // Records of 21 bytes: the 1001st and 2002nd records move the bar.
    EXPECT_EQ(ui->Progress.end() - preparing, 3);
    EXPECT_EQ(ui->Progress.back().position, static_cast<int>(dictionary.BodySize() - 998 * 21));
    EXPECT_EQ(ui->ProgressHidden, 1);
}

TEST_F(WorkDictionaryTest, CategoriesAndAssignFrom) {
    ASSERT_TRUE(Load({{std::string("ад"_cp), WordCategory::Ordinary, "пекло"}, {std::string("кот"_cp), WordCategory::Reserve, {}}}));
    dictionary.SetCategoryOf("кот"_cp, WordCategory::Unavailable);
    EXPECT_EQ(dictionary.EntryCategory(1), WordCategory::Unavailable);
    dictionary.SetCategoryOf("нет"_cp, WordCategory::Ordinary);
    dictionary.SetDefinitionsInMemory(true);

    TWorkDictionary copy;
    copy.AssignFrom(dictionary);
    EXPECT_EQ(copy.Count(), 2);
    EXPECT_EQ(copy.FileName, dictionary.FileName);
    EXPECT_EQ(copy.EntryCategory(1), WordCategory::Unavailable);
    EXPECT_EQ(copy.LengthIndex(3), 1);
    EXPECT_EQ(copy.Definition(0), "пекло");
    dictionary.Clear();
    EXPECT_EQ(dictionary.Count(), 0);
    EXPECT_EQ(copy.EntryText(0), "ад"_cp);
}

TEST_F(WorkDictionaryTest, MissingFile) {
    dictionary.FileName = dir.File("none.wdi");
    EXPECT_FALSE(dictionary.Load());
    EXPECT_EQ(ui->Messages, (Strings{Format("Файл %s не найден!"_cp, dictionary.FileName)}));
}
