#include "TestFiles.h"

#include "WordListCompiler.h"
#include "dictionary/WorkDictionary.h"
#include "platform/RecordingUi.h"

#include <map>

TEST(Compiler, OutputLoadsAndRoundTrips) {
    ScratchDir dir;
    ScopedRecordingUi ui;
    const std::string list = dir.File("words.txt");
    ASSERT_TRUE(WriteFileText(list,
                              "# a comment\n"
                              "собака\tдруг человека\r\n"
                              "\n"
                              "кот\n"
                              "ёж\tколючий зверь\t1\n"
                              "ад\t\t2\n"));
    const std::string out = dir.File("words.wdi");
    ASSERT_TRUE(CompileWordList(list, out));
    EXPECT_TRUE(ui->Messages.empty());

    TWorkDictionary dictionary;
    dictionary.FileName = out;
    ASSERT_TRUE(dictionary.Load());
    ASSERT_EQ(dictionary.Count(), 4);
    EXPECT_EQ(dictionary.CellFormat(), CellFormatSingle);
    struct Expected {
        std::string word;
        WordCategory category;
        std::string definition;
    };
    const Expected expected[] = {
        {"ёж", WordCategory::Reserve, "колючий зверь"},  // "ё" comes first in code page 1251
        {"ад", WordCategory::Unavailable, ""},
        {"кот", WordCategory::Ordinary, ""},
        {"собака", WordCategory::Ordinary, "друг человека"},
    };
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(ToUtf8(dictionary.EntryText(i)), expected[i].word);
        EXPECT_EQ(dictionary.EntryCategory(i), expected[i].category);
        EXPECT_EQ(ToUtf8(dictionary.Definition(i)), expected[i].definition);
    }
}

TEST(Compiler, RejectsWhatTheFormatCannotHold) {
    struct Case {
        std::string list;
        std::string message;
    };
    const Case cases[] = {
        {"кот\nкоt\n", "Строка 2: в слове \"коt\" есть знаки вне алфавита словаря"},
        {"кот\nКит\n", "Строка 2: в слове \"Кит\" есть знаки вне алфавита словаря"},
        {"кот\nе\n", "Строка 2: в слове \"е\" должно быть от 2 до 25 букв"},
        {std::string("кот\n") + std::string(52, '\xd0') + "\n", ""},
        {"кот\nлес\nкот\tопределение\n", "Строка 3: слово \"кот\" уже есть в строке 1"},
        {"кот\tопределение\t7\n", "Строка 1: категория слова \"кот\" должна быть 0, 1 или 2"},
        {"два слова\n", "Строка 1: в слове \"два слова\" есть знаки вне алфавита словаря"},
    };
    for (const Case& c : cases) {
        std::vector<DictionaryWord> words;
        std::string error;
        EXPECT_FALSE(ParseWordList(c.list, DefaultAlphabet(), words, error)) << c.list;
        if (!c.message.empty()) {
            EXPECT_EQ(ToUtf8(error), c.message);
        }
    }
    std::string longWord;
    for (int i = 0; i < 26; ++i) longWord += "а";
    std::vector<DictionaryWord> words;
    std::string error;
    EXPECT_FALSE(ParseWordList(longWord, DefaultAlphabet(), words, error));
    EXPECT_EQ(ToUtf8(error), "Строка 1: в слове \"" + longWord + "\" должно быть от 2 до 25 букв");
    EXPECT_TRUE(ParseWordList(longWord.substr(2), DefaultAlphabet(), words, error));

    ScratchDir dir;
    ScopedRecordingUi ui;
    const std::string bad = dir.File("bad.txt");
    ASSERT_TRUE(WriteFileText(bad, "кот\nкот\n"));
    EXPECT_FALSE(CompileWordList(bad, dir.File("bad.wdi")));
    EXPECT_FALSE(std::filesystem::exists(dir.File("bad.wdi")));
    ASSERT_EQ(ui->Messages.size(), 1u);
    EXPECT_FALSE(CompileWordList(dir.File("missing.txt"), dir.File("x.wdi")));
    EXPECT_EQ(ui->Messages.back(), Format("Файл %s не найден!"_cp, dir.File("missing.txt")));
}

// The default dictionaries the build makes from hunspell-ru.
TEST(DefaultDictionaries, HoldEnoughEverydayNounsOfEveryLength) {
    ScopedRecordingUi ui;
    struct Level {
        const char* file;
        int minimum;
    };
    for (const Level level : {Level{"dic1.wdi", 15000}, Level{"dic2.wdi", 40000}}) {
        TWorkDictionary dictionary;
        dictionary.ShowProgress = false;
        dictionary.FileName = std::string(ZELVANA_DATA_DIR) + "/" + level.file;
        ASSERT_TRUE(dictionary.Load()) << level.file;
        EXPECT_GE(dictionary.Count(), level.minimum);
        for (int cells = 2; cells <= 16; ++cells)
            EXPECT_GT(dictionary.LengthIndex(cells + 1) - dictionary.LengthIndex(cells), 0) << cells;
        const std::string_view alphabet = "абвгдежзийклмнопрстуфхцчшщъыьэюя"_cp;
        for (int i = 0; i < dictionary.Count(); ++i) {
            for (const char c : dictionary.EntryText(i))
                ASSERT_NE(alphabet.find(c), std::string_view::npos) << ToUtf8(dictionary.EntryText(i));
        }
        int index = 0;
        for (const char* word : {"кот", "дом", "вода", "время", "ночь", "школа", "еж"})
            EXPECT_TRUE(dictionary.Find(FromUtf8(word), index)) << word << " in " << level.file;
        for (const char* word : {"москва", "ножницы", "красивый", "бежать", "очки"})
            EXPECT_FALSE(dictionary.Find(FromUtf8(word), index)) << word << " in " << level.file;
    }
    EXPECT_TRUE(ui->Messages.empty());
}
