#include "TestFiles.h"

#include "DictcCommand.h"
#include "ListText.h"
#include "WordListCompiler.h"
#include "dictionary/LetterCase.h"
#include "dictionary/Opredelenia.h"
#include "dictionary/TextHelpers.h"
#include "dictionary/WorkDictionary.h"
#include "platform/RecordingUi.h"

#include <algorithm>
#include <memory>
#include <sstream>

namespace {

struct Entry {
    std::string word;  // UTF-8
    WordCategory category;
    std::string definition;  // UTF-8
};

// Loads a compiled dictionary and compares its entries, in order, with expected.
void ExpectEntries(const std::string& file, const std::vector<Entry>& expected) {
    TWorkDictionary dictionary;
    dictionary.ShowProgress = false;
    dictionary.FileName = file;
    ASSERT_TRUE(dictionary.Load());
    EXPECT_EQ(dictionary.CellFormat(), CellFormatSingle);
    ASSERT_EQ(dictionary.Count(), static_cast<int>(expected.size()));
    for (int i = 0; i < dictionary.Count(); ++i) {
        EXPECT_EQ(ToUtf8(dictionary.EntryText(i)), expected[i].word);
        EXPECT_EQ(dictionary.EntryCategory(i), expected[i].category) << expected[i].word;
        EXPECT_EQ(ToUtf8(dictionary.Definition(i)), expected[i].definition) << expected[i].word;
    }
}

}  // namespace

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
    ASSERT_EQ(CompileWordList(list, out, ListReading::Forgiving), CompileResult::Written);
    EXPECT_EQ(ui->Messages,
              std::vector<std::string>{Format("%s: заглавные буквы и \"ё\" заменены в словах: 1"_cp, list)});

    ExpectEntries(out, {
                           {"ад", WordCategory::Unavailable, ""},
                           {"еж", WordCategory::Reserve, "колючий зверь"},
                           {"кот", WordCategory::Ordinary, ""},
                           {"собака", WordCategory::Ordinary, "друг человека"},
                       });
}

TEST(Compiler, TakesBomCapitalsYoAndMergesRepeatedWords) {
    ScratchDir dir;
    ScopedRecordingUi ui;
    const std::string list = WriteBytes(dir.File("words.txt"),
                                        "\xEF\xBB\xBF"
                                        "Кот\tзверь\n"
                                        "ёж\tколючий\t1\n"
                                        "кот\tмурлыка; Зверь\n"
                                        "ЁЖ\tклубок\n"
                                        "ад\n");
    const std::string out = dir.File("words.wdi");
    EXPECT_EQ(CompileWordList(list, out, ListReading::Forgiving), CompileResult::Written);
    EXPECT_EQ(ui->Messages, (std::vector<std::string>{
                                Format("%s: заглавные буквы и \"ё\" заменены в словах: 2"_cp, list),
                                Format("%s: повторы слов объединены: 2"_cp, list),
                            }));
    ExpectEntries(out, {
                           {"ад", WordCategory::Ordinary, ""},
                           {"еж", WordCategory::Reserve, "колючий; клубок"},
                           {"кот", WordCategory::Ordinary, "зверь; мурлыка"},
                       });
}

namespace {
// A word of n letters "а" (UTF-8).
std::string Letters(int n) {
    std::string word;
    for (int i = 0; i < n; ++i) word += "а";
    return word;
}
}  // namespace

TEST(Compiler, SkipsEveryBadLineNamingItAndStrictRefusesTheList) {
    struct Bad {
        std::string line;
        std::string reason;  // the message after "Строка N: "
    };
    const Bad bads[] = {
        {"коt", "в слове \"коt\" есть латинские буквы"},
        {"Dog\tсобака", "в слове \"Dog\" есть латинские буквы"},
        {"кот5", "в слове \"кот5\" есть цифры"},
        {"два слова", "в слове \"два слова\" есть пробел"},
        {"пол-дома", "в слове \"пол-дома\" есть дефис"},
        {"кот!", "в слове \"кот!\" есть знаки вне алфавита словаря"},
        {std::string(52, '\xD0'), "в слове \"" + std::string(52, '?') + "\" есть знаки вне алфавита словаря"},  // not UTF-8
        {"е", "в слове \"е\" должно быть от 2 до 25 букв"},
        {Letters(26), "в слове \"" + Letters(26) + "\" должно быть от 2 до 25 букв"},
        {"лес\tчаща\t7", "категория слова \"лес\" должна быть 0, 1 или 2"},
        {"лес\tчаща\t01", "категория слова \"лес\" должна быть 0, 1 или 2"},
        {"\tбез слова", "нет слова"},
    };
    // Each bad line stands between good ones: line 1 "дом", then bad, good, bad, good ...
    std::string text = "дом\n";
    std::vector<std::string> expected;
    int lineNumber = 1;
    for (const Bad& bad : bads) {
        text += bad.line + "\n";
        expected.push_back("Строка " + std::to_string(++lineNumber) + ": " + bad.reason);
        text += "кот\n";
        ++lineNumber;
    }
    text += Letters(25) + "\tдлинное\n";  // the longest word

    const WordList forgiving = ParseWordList(text, DefaultAlphabet(), ListReading::Forgiving);
    std::vector<std::string> problems;
    for (const std::string& problem : forgiving.problems) problems.push_back(ToUtf8(problem));
    EXPECT_EQ(problems, expected);
    ASSERT_EQ(forgiving.words.size(), 3u);
    EXPECT_EQ(ToUtf8(forgiving.words[0].text), "дом");
    EXPECT_EQ(ToUtf8(forgiving.words[1].text), "кот");
    EXPECT_EQ(forgiving.words[2].text.size(), 25u);
    EXPECT_EQ(forgiving.merged, static_cast<int>(std::size(bads)) - 1);

    ScratchDir dir;
    ScopedRecordingUi ui;
    const std::string list = WriteBytes(dir.File("words.txt"), text);
    EXPECT_EQ(CompileWordList(list, dir.File("words.wdi"), ListReading::Forgiving), CompileResult::Written);
    EXPECT_EQ(ui->Messages.front(), Format("%s: %s"_cp, list, FromUtf8(expected.front())));
    EXPECT_EQ(ui->Messages[std::size(bads)], Format("%s: пропущено строк: %d"_cp, list, std::size(bads)));

    // The strict reading refuses the same list: every bad line and every repeated word is named.
    ui->Messages.clear();
    EXPECT_EQ(CompileWordList(list, dir.File("strict.wdi"), ListReading::Strict), CompileResult::NothingUsable);
    EXPECT_FALSE(std::filesystem::exists(dir.File("strict.wdi")));
    EXPECT_EQ(ui->Messages[1], Format("%s: Строка 4: в слове \"Dog\" есть латинские буквы"_cp, list));
    EXPECT_EQ(ui->Messages[2], Format("%s: Строка 5: слово \"кот\" уже есть в строке 3"_cp, list));
    EXPECT_EQ(ui->Messages.back(),
              Format("%s: список не принят, строк с ошибками: %d"_cp, list, 2 * std::size(bads) - 1));
}

TEST(Compiler, WritesNothingWhenNothingIsUsable) {
    ScratchDir dir;
    ScopedRecordingUi ui;
    const std::string bad = WriteBytes(dir.File("bad.txt"), "# only a comment\nkot\n\n");
    EXPECT_EQ(CompileWordList(bad, dir.File("bad.wdi"), ListReading::Forgiving), CompileResult::NothingUsable);
    EXPECT_FALSE(std::filesystem::exists(dir.File("bad.wdi")));
    EXPECT_EQ(ui->Messages.back(), Format("%s: в списке нет слов для словаря"_cp, bad));
    EXPECT_EQ(CompileWordList(dir.File("missing.txt"), dir.File("x.wdi"), ListReading::Forgiving),
              CompileResult::NothingUsable);
    EXPECT_EQ(ui->Messages.back(), Format("Файл %s не найден!"_cp, dir.File("missing.txt")));
}

TEST(Compiler, CommandHelpArgumentsAndExitCodes) {
    ScratchDir dir;
    ScopedRecordingUi ui;
    const std::string good = WriteBytes(dir.File("good.txt"), "кот\nкот\tзверь\n");
    const std::string out = dir.File("out.wdi");
    enum class Prints { Help, Usage, Nothing };
    struct Case {
        std::vector<std::string> args;
        int exitCode;
        Prints prints;
        bool written;
    };
    const Case cases[] = {
        {{"--help"}, DictcExit::Written, Prints::Help, false},
        {{good, out, "--help"}, DictcExit::Written, Prints::Help, false},
        {{}, DictcExit::BadInput, Prints::Usage, false},
        {{good}, DictcExit::BadInput, Prints::Usage, false},
        {{good, out, "extra"}, DictcExit::BadInput, Prints::Usage, false},
        {{"--strict", good, out}, DictcExit::BadInput, Prints::Nothing, false},  // "кот" twice
        {{good, dir.File("no-such-folder/out.wdi")}, DictcExit::NotWritten, Prints::Nothing, false},
        {{good, out}, DictcExit::Written, Prints::Nothing, true},
    };
    for (const Case& c : cases) {
        const std::string args = ::testing::PrintToString(c.args);
        std::ostringstream stdOut, stdErr;
        EXPECT_EQ(RunDictc(c.args, stdOut, stdErr), c.exitCode) << args;
        EXPECT_EQ(std::filesystem::exists(out), c.written) << args;
        EXPECT_EQ(stdOut.str().find("WORD[<tab>DEFINITIONS[<tab>CATEGORY]]") != std::string::npos,
                  c.prints == Prints::Help) << args;
        EXPECT_EQ(stdErr.str().starts_with("usage: dictc"), c.prints == Prints::Usage) << args;
    }
}

// The default dictionaries the build makes. Which words they hold depends on the installed
// Debian packages; what is checked here holds whatever their versions.
namespace {

std::unique_ptr<TWorkDictionary> LoadDefault(const char* file) {
    auto dictionary = std::make_unique<TWorkDictionary>();
    dictionary->ShowProgress = false;
    dictionary->FileName = std::string(ZELVANA_DATA_DIR) + "/" + file;
    EXPECT_TRUE(dictionary->Load()) << file;
    return dictionary;
}

std::vector<std::string> AssetWords(const char* file) {
    std::string text;
    EXPECT_TRUE(ReadFileText(std::string(ZELVANA_ASSETS_DIR) + "/" + file, text)) << file;
    return WordsOfList(text);
}

// Small letters, "ё" as "е".
std::string Plain(std::string_view text) {
    return ReplaceChar(LowerText(text), "ё"_cp[0], "е"_cp[0]);
}

// The Russian words of a text in plain form.
std::vector<std::string> RussianWords(std::string_view text) {
    std::vector<std::string> words;
    std::string word;
    for (const char c : Plain(text) + " ") {
        if (static_cast<unsigned char>(c) >= 0xE0) {
            word += c;
        } else if (!word.empty()) {
            words.push_back(word);
            word.clear();
        }
    }
    return words;
}

// A clue word gives the answer away when it is the answer or shares its root: the first five
// letters of the one (or all of it, when it is shorter) begin the other.
bool GivesAway(const std::string& clueWord, const std::string& answer) {
    const auto begins = [](const std::string& whole, const std::string& start) {
        return whole.compare(0, std::min<std::size_t>(5, start.size()), start, 0, 5) == 0;
    };
    return begins(clueWord, answer) || (clueWord.size() >= 3 && begins(answer, clueWord));
}

}  // namespace

TEST(DefaultDictionaries, HoldEnoughNounsOfEveryLength) {
    ScopedRecordingUi ui;
    const auto normal = LoadDefault("dic1.wdi");
    const auto hard = LoadDefault("dic2.wdi");
    EXPECT_GE(normal->Count(), 6000);
    EXPECT_GE(hard->Count(), 15000);
    for (int cells = 2; cells <= 16; ++cells)
        EXPECT_GT(normal->LengthIndex(cells + 1) - normal->LengthIndex(cells), 0) << cells;
    const std::string_view alphabet = "абвгдежзийклмнопрстуфхцчшщъыьэюя"_cp;
    for (const TWorkDictionary* dictionary : {normal.get(), hard.get()}) {
        for (int i = 0; i < dictionary->Count(); ++i) {
            for (const char c : dictionary->EntryText(i))
                ASSERT_NE(alphabet.find(c), std::string_view::npos) << ToUtf8(dictionary->EntryText(i));
        }
    }
    // The hard level holds every word of the normal one.
    int index = 0;
    for (int i = 0; i < normal->Count(); ++i)
        ASSERT_TRUE(hard->Find(std::string(normal->EntryText(i)), index)) << ToUtf8(normal->EntryText(i));
    EXPECT_TRUE(ui->Messages.empty());
}

TEST(DefaultDictionaries, LeaveOutExcludedAndHardOnlyWords) {
    ScopedRecordingUi ui;
    const auto normal = LoadDefault("dic1.wdi");
    const auto hard = LoadDefault("dic2.wdi");
    const std::vector<std::string> excluded = AssetWords("excluded-words.txt");
    const std::vector<std::string> hardOnly = AssetWords("hard-only-words.txt");
    for (const std::string_view word : {"хохол"_cp, "мразь"_cp, "быдло"_cp, "сиська"_cp, "шалава"_cp})
        EXPECT_NE(std::find(excluded.begin(), excluded.end(), word), excluded.end()) << ToUtf8(word);
    for (const std::string_view word : {"тулий"_cp, "пять"_cp, "двенадцать"_cp, "теодолит"_cp, "тонзура"_cp})
        EXPECT_NE(std::find(hardOnly.begin(), hardOnly.end(), word), hardOnly.end()) << ToUtf8(word);
    int index = 0;
    for (const std::string& word : excluded) {
        EXPECT_FALSE(normal->Find(word, index)) << ToUtf8(word);
        EXPECT_FALSE(hard->Find(word, index)) << ToUtf8(word);
    }
    for (const std::string& word : hardOnly) EXPECT_FALSE(normal->Find(word, index)) << ToUtf8(word);
}

TEST(DefaultDictionaries, EveryClueIsShortAndNeverGivesTheAnswerAway) {
    ScopedRecordingUi ui;
    const std::vector<std::string> excluded = AssetWords("excluded-words.txt");
    for (const char* file : {"dic1.wdi", "dic2.wdi"}) {
        const auto dictionary = LoadDefault(file);
        // The definitions read back alike from the file and from memory.
        const auto inMemory = LoadDefault(file);
        inMemory->SetDefinitionsInMemory(true);
        for (int i = 0; i < dictionary->Count(); ++i) {
            const std::string answer(dictionary->EntryText(i));
            const std::string definition = dictionary->Definition(i);
            ASSERT_EQ(inMemory->Definition(i), definition) << ToUtf8(answer);
            TOpredelenia clues;
            clues.SplitDefinitions(definition);
            // Every normal word has a clue; a hard one may have none.
            if (std::string_view(file) == "dic1.wdi") {
                ASSERT_GT(clues.Count(), 0) << ToUtf8(answer);
            }
            for (int c = 0; c < clues.Count(); ++c) {
                const std::string& clue = clues.Item(c);
                const std::string where = ToUtf8(answer) + ": " + ToUtf8(clue);
                ASSERT_FALSE(clue.empty()) << where;
                ASSERT_LE(clue.size(), 40u) << where;
                for (const std::string& word : RussianWords(clue)) {
                    ASSERT_FALSE(GivesAway(word, answer)) << where;
                    ASSERT_EQ(std::find(excluded.begin(), excluded.end(), word), excluded.end()) << where;
                }
            }
        }
    }
    EXPECT_TRUE(ui->Messages.empty());
}
