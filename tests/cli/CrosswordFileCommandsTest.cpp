#include "../crossword/CrosswordFixture.h"

#include "cli/Crossgen.h"
#include "crossword/CrosswordWords.h"
#include "dictionary/LetterCase.h"
#include "platform/FileText.h"
#include "platform/IniFile.h"
#include "platform/Process.h"
#include "template/ClassicShablon.h"
#include "template/ShablonWords.h"

#include <sstream>

namespace {

struct Outcome {
    int exitCode;
    std::string out;
    std::string err;
};

// The grid's words and their definitions ("; " between alternatives).
const std::vector<std::pair<std::string, std::string>> Clued = {
    {"дом", "Жилое здание"}, {"дуб", "Дерево с желудями"}, {"мир", "Вселенная; Покой"},
    {"иск", "Требование в суде"}, {"око", "Глаз"},       {"бор", "Сосновый лес"},
    {"кот", "Мурлыка"},      {"лес", "Много деревьев"},   {"сок", "Напиток из фруктов"},
};

class CrosswordCommands : public CrosswordTest {
protected:
    void SetUp() override {
        CrosswordTest::SetUp();
        std::vector<DictionaryWord> words;
        for (const auto& [word, definition] : Clued) words.push_back({Cp(word), WordCategory::Ordinary, Cp(definition)});
        SortInDictionaryOrder(words, CellFormatSingle);
        mDictionary = Path("clued.wdi");
        EXPECT_TRUE(WriteDictionaryFile(mDictionary, DictionaryLayout{}, words));
        TClassicShablon shablon(1, 1);
        DrawGrid(shablon, {"...#.", ".#...", "...#."});
        shablon.FileName = Path("knot.shb");
        EXPECT_TRUE(shablon.SaveToFile());
        mTemplate = shablon.FileName;
    }

    Outcome Run(const std::vector<std::string>& args) {
        std::ostringstream out, err;
        const int code = RunCrossgen(args, out, err, {Path("templates.col"), mDictionary});
        return {code, out.str(), err.str()};
    }

    // Fills the template with definitions and saves it.
    Outcome FillAndSave(const std::string& file, std::vector<std::string> more = {}) {
        std::vector<std::string> args = {"fill", "--template", mTemplate, "--seed", "4", "--definitions", "--save", file};
        args.insert(args.end(), more.begin(), more.end());
        return Run(args);
    }

    std::string mDictionary;
    std::string mTemplate;
};

}  // namespace

TEST_F(CrosswordCommands, HelpForEveryCommand) {
    const std::vector<std::pair<std::string, std::vector<std::string>>> commands = {
        {"fill", {"--style", "--definitions", "--max-clue-length", "--prefer-picture-clues", "--keyword", "--save",
                  "--save-partial", "--with-pictures"}},
        {"show", {"--dict", "--partial", "--json"}},
        {"clues", {"--list", "--with-answers", "--numbers", "--headings", "--split", "--one-per-line", "--capitalize",
                   "--dot", "--markup", "--lengths", "--count", "--order", "--row-labels", "--column-labels",
                   "--definitions", "--style", "--dict", "--partial", "--raw"}},
        {"wrap", {"--box", "--size", "--font", "--bold", "--no-syllables", "--interline", "--width-percent"}},
        {"style", {"--clues-in-grid"}},
    };
    const Outcome main = Run({"--help"});
    for (const auto& [command, options] : commands) {
        EXPECT_NE(main.out.find("  " + command + " "), std::string::npos) << command;
        const Outcome help = Run({command, "--help"});
        EXPECT_EQ(help.exitCode, ExitCode::Filled) << command;
        for (const std::string& option : options) EXPECT_NE(help.out.find(option), std::string::npos) << option;
    }
}

TEST_F(CrosswordCommands, ShowRepeatsWhatFillPrinted) {
    const std::string file = Path("knot.cwd");
    const Outcome fill = FillAndSave(file);
    ASSERT_EQ(fill.exitCode, ExitCode::Filled) << fill.err;
    const Outcome show = Run({"show", file});
    EXPECT_EQ(show.exitCode, ExitCode::Filled) << show.err;
    EXPECT_EQ(show.out, fill.out);
    EXPECT_EQ(Run({"show", file, "--dict", mDictionary}).out, fill.out);

    // The JSON of both holds the words with their definitions.
    const Outcome fillJson = Run({"fill", "--template", mTemplate, "--seed", "4", "--definitions", "--json"});
    const Outcome showJson = Run({"show", "--json", file});
    ASSERT_EQ(showJson.exitCode, ExitCode::Filled);
    const std::string members = showJson.out.substr(0, showJson.out.size() - 2);  // without "}\n"
    EXPECT_TRUE(members.ends_with(", \"complete\": true")) << showJson.out;
    EXPECT_TRUE(fillJson.out.starts_with(members + ", \"filled\": true")) << fillJson.out << showJson.out;
    std::size_t definitions = 0;
    for (std::size_t at = 0; (at = showJson.out.find("\"definition\": \"", at)) != std::string::npos; ++at) ++definitions;
    EXPECT_EQ(definitions, 6u);
}

TEST_F(CrosswordCommands, CluesShowTheDefinitions) {
    const std::string file = Path("knot.cwd");
    ASSERT_EQ(FillAndSave(file).exitCode, ExitCode::Filled);
    const Outcome show = Run({"show", "--json", file});

    const Outcome clues = Run({"clues", file, "--list", "clues", "--with-answers", "--one-per-line", "--numbers"});
    ASSERT_EQ(clues.exitCode, ExitCode::Filled) << clues.err;
    std::istringstream lines(clues.out);
    int count = 0;
    for (std::string line; std::getline(lines, line); ++count) {
        // "N word - definition": the word's definition in the dictionary (or one of its alternatives).
        const std::size_t dash = line.find(" - ");
        ASSERT_NE(dash, std::string::npos) << line;
        const std::string word = line.substr(line.find(' ') + 1, dash - line.find(' ') - 1);
        const std::string clue = line.substr(dash + 3);
        const auto entry = std::find_if(Clued.begin(), Clued.end(), [&](const auto& c) { return c.first == word; });
        ASSERT_NE(entry, Clued.end()) << line;
        EXPECT_NE(entry->second.find(clue), std::string::npos) << line;
        EXPECT_NE(show.out.find("\"definition\": \"" + clue + "\""), std::string::npos) << line;
    }
    EXPECT_EQ(count, 6);

    // The raw switches, and the answers grouped.
    const Outcome raw = Run({"clues", file, "--numbers", "--split", "--headings", "--raw"});
    EXPECT_TRUE(raw.out.starts_with("~#2По горизонтали:~#1 ~#1~#21 ~#1")) << raw.out;
    const Outcome plain = Run({"clues", file, "--numbers", "--split", "--headings"});
    EXPECT_TRUE(plain.out.starts_with("По горизонтали: 1 ")) << plain.out;
    EXPECT_EQ(plain.out.find("~#"), std::string::npos);
    EXPECT_NE(plain.out.find("\nПо вертикали: 1 "), std::string::npos) << plain.out;

    const Outcome labelled = Run({"clues", file, "--list", "lines", "--numbers", "--one-per-line", "--row-labels",
                                  "cyrillic", "--column-labels", "latin"});
    EXPECT_TRUE(labelled.out.starts_with("А ")) << labelled.out;
    EXPECT_NE(labelled.out.find("\nC "), std::string::npos) << labelled.out;  // column 2

    const Outcome shuffled = Run({"clues", file, "--order", "3", "--seed", "9", "--count", "--numbers"});
    EXPECT_EQ(Run({"clues", file, "--order", "3", "--seed", "9", "--count", "--numbers"}).out, shuffled.out);
}

TEST_F(CrosswordCommands, KeyWordsAndStyles) {
    const std::string file = Path("knot.cwd");
    const Outcome impossible = FillAndSave(file, {"--keyword", "ЪЪЪ"});
    EXPECT_EQ(impossible.exitCode, ExitCode::NotFilled);
    EXPECT_NE(impossible.err.find("ЪЪЪ"), std::string::npos);

    // A key word made of three letters the grid holds, shown when its cells are painted.
    const Outcome filled = FillAndSave(file);
    const std::string rows = filled.out.substr(0, filled.out.find("\n\n"));
    std::string keyword;
    for (const std::size_t at : {std::size_t{0}, std::size_t{2}, std::size_t{4}}) keyword += rows.substr(at, 2);
    const std::string style = Path("painted.ini");
    ASSERT_TRUE(WriteFileText(style, "[KEYWORD]\r\nNOPAINT=0\r\n"));
    const Outcome placed = FillAndSave(file, {"--keyword", keyword, "--style", style});
    ASSERT_EQ(placed.exitCode, ExitCode::Filled) << placed.err;
    const Outcome answers = Run({"clues", file, "--style", style});
    EXPECT_NE(answers.out.find("Ключевое слово: " + ToUtf8(LowerText(FromUtf8(keyword)))), std::string::npos)
        << answers.out;

    // The style command writes the crossword's sections, and they read back.
    ASSERT_TRUE(WriteFileText(Path("in.ini"), "[CROSSWORD_MAIN]\r\nFONT_SIZE=21\r\n[SKANWORD_OPR]\r\nFONT_SIZE=9\r\n"));
    ASSERT_EQ(Run({"style", "--style", Path("in.ini"), "--clues-in-grid", "--out", Path("out.ini")}).exitCode,
              ExitCode::Filled);
    const TIniFile written(Path("out.ini"));
    for (const char* section : {"SHABLON_MAIN", "RTF_PARAMETERS", "CROSSWORD_MAIN", "SKANWORD_OPR", "SAPPER"})
        EXPECT_TRUE(written.SectionExists(section)) << section;
    EXPECT_EQ(written.ReadInteger("CROSSWORD_MAIN", "FONT_SIZE", 0), 21);
    EXPECT_EQ(written.ReadInteger("SKANWORD_OPR", "FONT_SIZE", 0), 9);
    TClassicCrossword crossword;
    ASSERT_TRUE(crossword.LoadStyles(Path("out.ini")));
    EXPECT_EQ(crossword.Chars.FontSize, 21);
    ASSERT_EQ(Run({"style", "--out", Path("classic.ini")}).exitCode, ExitCode::Filled);
    EXPECT_FALSE(TIniFile(Path("classic.ini")).SectionExists("SKANWORD_OPR"));
}

TEST_F(CrosswordCommands, DamagedAndUnwritableFiles) {
    const std::string file = Path("knot.cwd");
    ASSERT_EQ(FillAndSave(file).exitCode, ExitCode::Filled);
    std::string data;
    ASSERT_TRUE(ReadFileText(file, data));
    ASSERT_TRUE(WriteFileText(Path("cut.cwd"), data.substr(0, data.size() - 1)));
    ASSERT_TRUE(WriteFileText(Path("text.cwd"), "not a crossword"));
    const std::vector<std::vector<std::string>> cases = {
        {"show", Path("missing.cwd")},
        {"show", Path("cut.cwd")},
        {"show", Path("text.cwd")},
        {"show", file, "--dict", Path("missing.wdi")},
        {"show"},
        {"show", file, file},
        {"clues", Path("cut.cwd")},
        {"clues", file, "--list", "everything"},
        {"clues", file, "--order", "4"},
        {"clues", file, "--max-clue-length", "5"},
        {"clues", file, "--style", Path("missing.ini")},
        {"fill", "--template", mTemplate, "--save", Path("no-folder/knot.cwd")},
        {"fill", "--template", mTemplate, "--with-pictures"},
        {"fill", "--template", mTemplate, "--style", Path("missing.ini")},
    };
    for (const auto& args : cases) {
        const Outcome run = Run(args);
        EXPECT_EQ(run.exitCode, ExitCode::BadInput) << ::testing::PrintToString(args);
        EXPECT_NE(run.err.find("crossgen"), std::string::npos) << ::testing::PrintToString(args) << run.err;
    }
}

TEST_F(CrosswordCommands, WrapBreaksAClueForItsBox) {
    const Outcome wide = Run({"wrap", "--box", "400x100", "--size", "7", "Столица Франции"});
    EXPECT_EQ(wide.exitCode, ExitCode::Filled) << wide.err;
    EXPECT_EQ(wide.out, "Столица Франции\n");

    const Outcome narrow = Run({"wrap", "--box", "100x100", "--size", "20", "Электрификация всей страны"});
    EXPECT_EQ(narrow.exitCode, ExitCode::Filled);
    EXPECT_NE(narrow.out.find("-\n"), std::string::npos) << narrow.out;
    EXPECT_GE(std::count(narrow.out.begin(), narrow.out.end(), '\n'), 3);

    const Outcome whole = Run({"wrap", "--box", "100x100", "--size", "20", "--no-syllables", "Электрификация"});
    EXPECT_EQ(whole.out.find("-\n"), std::string::npos) << whole.out;

    const Outcome none = Run({"wrap", "--box", "2x2", "--no-syllables", "Электрификация"});
    EXPECT_EQ(none.exitCode, ExitCode::NotFilled);
    EXPECT_EQ(none.out, "");
    EXPECT_NE(none.err.find("does not fit"), std::string::npos);

    for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
             {"wrap", "Текст"}, {"wrap", "--box", "0x10", "Текст"}, {"wrap", "--box", "10x10"},
             {"wrap", "--box", "10x10", "--size", "0", "Текст"}, {"wrap", "--box", "10x10", "--interline", "300", "x"}})
        EXPECT_EQ(Run(args).exitCode, ExitCode::BadInput) << ::testing::PrintToString(args);
}

namespace {

// The word lines of show's text ("x,y direction WORD").
int ShownWords(const std::string& text) {
    int words = 0;
    for (std::size_t at = text.find(" across "); at != std::string::npos; at = text.find(" across ", at + 1)) ++words;
    for (std::size_t at = text.find(" down "); at != std::string::npos; at = text.find(" down ", at + 1)) ++words;
    return words;
}

}  // namespace

TEST_F(CrosswordCommands, AWordWithoutItsPlaceIsNamedAndTheFileTakenOnlyAsPartial) {
    const std::string file = Path("knot.cwd");
    ASSERT_EQ(FillAndSave(file).exitCode, ExitCode::Filled);
    std::string data;
    ASSERT_TRUE(ReadFileText(file, data));
    // The first word record (after the header and the blocks of the dictionary and the template)
    // gets a start column off the grid.
    const std::size_t record = 64 + BytesToInt(data.substr(12, 4)) + BytesToInt(data.substr(16, 4)) + 4;
    const std::string lost = ToUtf8(TCrosswordWords::RecordWord(
        std::string_view(data).substr(record, static_cast<std::size_t>(BytesToInt(data.substr(record - 4, 4))))));
    ASSERT_EQ(lost.size(), 6u) << lost;  // three Russian letters
    data[record + 1] = SmallNumberChar(100);
    const std::string damaged = Path("damaged.cwd");
    ASSERT_TRUE(WriteFileText(damaged, data));

    // Unattended, the question about a word without its place goes on with the next word.
    mUi->Answers.assign(20, true);
    const std::vector<std::vector<std::string>> refused = {
        {"show", damaged},
        {"clues", damaged},
        {"picture", damaged, "--out", Path("damaged.svg")},
        {"script", damaged, "--out", Path("damaged.txt")},
    };
    for (const auto& args : refused) {
        SCOPED_TRACE(::testing::PrintToString(args));
        const Outcome run = Run(args);
        EXPECT_EQ(run.exitCode, ExitCode::BadInput);
        EXPECT_TRUE(run.out.empty());
        EXPECT_NE(run.err.find("crossgen: " + damaged + ": the word " + lost + " finds no place in the grid\n"),
                  std::string::npos)
            << run.err;
        EXPECT_NE(run.err.find(damaged + " is incomplete (--partial takes it as it is)"), std::string::npos) << run.err;
    }
    EXPECT_FALSE(std::filesystem::exists(Path("damaged.svg")));
    EXPECT_FALSE(std::filesystem::exists(Path("damaged.txt")));

    const Outcome partial = Run({"show", damaged, "--partial"});
    EXPECT_EQ(partial.exitCode, ExitCode::Filled) << partial.err;
    EXPECT_EQ(ShownWords(partial.out), 5) << partial.out;
    EXPECT_NE(partial.err.find("the word " + lost), std::string::npos);
    EXPECT_TRUE(Run({"show", damaged, "--partial", "--json"}).out.ends_with(", \"complete\": false}\n"));
    EXPECT_EQ(Run({"picture", damaged, "--partial", "--out", Path("damaged.svg")}).exitCode, ExitCode::Filled);

    // crossgen itself answers on its own when no terminal asks: every other word is placed.
    const ProcessResult binary = RunProcess({"bash", "-c", "exec 2>&1 </dev/null; '" + std::string(ZELVANA_DATA_DIR) +
                                                               "/crossgen' show '" + damaged + "' --partial --dict '" +
                                                               mDictionary + "'"});
    EXPECT_EQ(binary.exitCode, 0) << binary.output;
    EXPECT_EQ(ShownWords(binary.output), 5) << binary.output;
}

TEST_F(CrosswordCommands, AFailedFillWritesNoFileButASavedPartialFillIsMarked) {
    // The across slots want 4-letter words; the dictionary has 3-letter words only.
    TClassicShablon shablon(1, 1);
    DrawGrid(shablon, {"....", "....", "...."});
    shablon.FileName = Path("wide.shb");
    ASSERT_TRUE(shablon.SaveToFile());
    const std::string file = Path("wide.cwd");
    const Outcome failed = Run({"fill", "--template", shablon.FileName, "--save", file});
    EXPECT_EQ(failed.exitCode, ExitCode::NotFilled);
    EXPECT_NE(failed.err.find(file + " is not written"), std::string::npos) << failed.err;
    EXPECT_FALSE(std::filesystem::exists(file));

    ASSERT_EQ(Run({"fill", "--template", shablon.FileName, "--save", file, "--save-partial"}).exitCode,
              ExitCode::NotFilled);
    const Outcome shown = Run({"show", file});
    EXPECT_EQ(shown.exitCode, ExitCode::BadInput);
    EXPECT_NE(shown.err.find(file + " holds a fill that did not finish"), std::string::npos) << shown.err;
    const Outcome partial = Run({"show", file, "--partial", "--json"});
    EXPECT_EQ(partial.exitCode, ExitCode::Filled) << partial.err;
    EXPECT_TRUE(partial.out.ends_with(", \"complete\": false}\n")) << partial.out;

    // A fill that succeeds with --save-partial writes a file like any other.
    ASSERT_EQ(FillAndSave(file, {"--save-partial"}).exitCode, ExitCode::Filled);
    EXPECT_EQ(Run({"show", file}).exitCode, ExitCode::Filled);
    EXPECT_EQ(Run({"fill", "--template", mTemplate, "--save-partial"}).exitCode, ExitCode::BadInput);
}
