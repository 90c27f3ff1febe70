#include "../crossword/CrosswordFixture.h"

#include "cli/Crossgen.h"
#include "cli/Commands.h"
#include "cli/FillOptions.h"
#include "dictionary/FileHelpers.h"
#include "platform/IndexCollection.h"
#include "template/ClassicShablon.h"

#include <algorithm>
#include <cstdio>
#include <sstream>

namespace {

// A capital Russian letter in code page 1251.
bool IsCapital(char c) {
    const auto b = static_cast<unsigned char>(c);
    return (b >= 0xC0 && b <= 0xDF) || b == 0xA8;
}

struct Outcome {
    int exitCode;
    std::string out;
    std::string err;
};

class Crossgen : public CrosswordTest {
protected:
    void SetUp() override {
        CrosswordTest::SetUp();
        mDictionary = WriteDictionary({"дом", "дуб", "мир", "иск", "око", "бор", "кот", "лес", "сок"});
        mTemplate = WriteTemplate("knot.shb", {"...#.", ".#...", "...#."});
        mDefaults = {Path("templates.col"), mDictionary};
    }

    std::string WriteTemplate(const std::string& name, const GridPicture& grid) {
        TClassicShablon shablon(1, 1);
        DrawGrid(shablon, grid);
        shablon.FileName = Path(name);
        EXPECT_TRUE(shablon.SaveToFile());
        return shablon.FileName;
    }

    Outcome Run(const std::vector<std::string>& args) {
        std::ostringstream out, err;
        const int code = RunCrossgen(args, out, err, mDefaults);
        return {code, out.str(), err.str()};
    }

    std::string mDictionary;
    std::string mTemplate;
    TCrossgenDefaults mDefaults;
};

}  // namespace

TEST_F(Crossgen, HelpDescribesEveryOption) {
    const Outcome main = Run({"--help"});
    EXPECT_EQ(main.exitCode, ExitCode::Filled);
    EXPECT_NE(main.out.find("fill"), std::string::npos);

    const Outcome fill = Run({"fill", "--help"});
    EXPECT_EQ(fill.exitCode, ExitCode::Filled);
    for (const char* option :
         {"--size", "--template", "--templates", "--dict", "--seed", "--method", "--time-limit", "--json"})
        EXPECT_NE(fill.out.find(option), std::string::npos) << option;
}

TEST_F(Crossgen, BadArgumentsExitWithTwo) {
    const std::vector<std::vector<std::string>> cases = {
        {},
        {"make"},
        {"fill"},
        {"fill", "--size", "9x9", "--template", "t.shb"},
        {"fill", "--size"},
        {"fill", "--size", "0x9"},
        {"fill", "--size", "9by9"},
        {"fill", "--size", "201x9"},
        {"fill", "--size", "9x9", "--seed", "-1"},
        {"fill", "--size", "9x9", "--seed", "12ab"},
        {"fill", "--size", "9x9", "--time-limit", "-3"},
        {"fill", "--size", "9x9", "--time-limit", "0"},
        {"fill", "--size", "9x9", "--time-limit", "86401"},
        {"fill", "--size", "9x9", "--method", "fastest"},
        {"fill", "--size", "9x9", "--method"},
        {"fill", "--size", "9x9", "--dict", ""},
        {"fill", "--size", "9x9", "--colour"},
    };
    for (const auto& args : cases) {
        const Outcome run = Run(args);
        EXPECT_EQ(run.exitCode, ExitCode::BadInput) << ::testing::PrintToString(args);
        EXPECT_NE(run.err.find("crossgen"), std::string::npos) << ::testing::PrintToString(args);
        EXPECT_TRUE(run.out.empty());
    }
}

TEST_F(Crossgen, UnreadableFilesExitWithTwo) {
    ASSERT_TRUE(WriteFileText(Path("notes.txt"), "not a template at all"));
    ASSERT_TRUE(WriteFileText(Path("scan.shb"), "SHABLON  2" "33" "\x01\x01\x01\x01\x01\x01\x01\x01\x01"));
    TIndexCollection collection;
    collection.FileName = Path("templates.col");
    collection.Add("5x3", "SHABLON  053" "\x01\x01\x01\x01\x01\x01\x01\x01\x01\x01\x01\x01\x01\x01\x01");
    ASSERT_TRUE(collection.SaveToFile());
    const std::vector<std::vector<std::string>> cases = {
        {"fill", "--template", Path("missing.shb")},
        {"fill", "--template", Path("notes.txt")},
        {"fill", "--template", Path("scan.shb"), "--kind", "classic"},
        {"fill", "--template", mTemplate, "--dict", Path("missing.wdi")},
        {"fill", "--size", "9x9", "--templates", Path("missing.col")},
        {"fill", "--size", "9x9"},  // the collection holds 5 x 3 only
    };
    for (const auto& args : cases) {
        const Outcome run = Run(args);
        EXPECT_EQ(run.exitCode, ExitCode::BadInput) << ::testing::PrintToString(args);
        EXPECT_NE(run.err.find("crossgen: "), std::string::npos) << ::testing::PrintToString(args);
    }
}

TEST_F(Crossgen, FillsATemplateFileAndPrintsTheGrid) {
    const Outcome run = Run({"fill", "--template", mTemplate, "--seed", "5"});
    ASSERT_EQ(run.exitCode, ExitCode::Filled) << run.err;
    // The grid's shape, every letter a capital.
    const std::string out = FromUtf8(run.out);  // one byte per letter
    const std::string shape = "xxx#x\nx#xxx\nxxx#x\n\n";
    ASSERT_GE(out.size(), shape.size());
    for (std::size_t i = 0; i < shape.size(); ++i)
        EXPECT_TRUE(shape[i] == 'x' ? IsCapital(out[i]) : out[i] == shape[i]) << run.out;
    EXPECT_NE(run.out.find("0,0 across "), std::string::npos);
    EXPECT_NE(run.out.find("4,0 down "), std::string::npos);
    EXPECT_EQ(Run({"fill", "--template", mTemplate, "--seed", "5"}).out, run.out);  // the seed decides
}

TEST_F(Crossgen, JsonHoldsTheGridTheWordsAndTheResult) {
    const Outcome run = Run({"fill", "--template=" + mTemplate, "--json", "--seed", "1", "--time-limit", "10"});
    ASSERT_EQ(run.exitCode, ExitCode::Filled) << run.err;
    EXPECT_TRUE(run.out.starts_with("{\"width\": 5, \"height\": 3, \"rows\": [\"")) << run.out;
    EXPECT_EQ(std::count(run.out.begin(), run.out.end(), '\n'), 1);
    const std::string out = FromUtf8(run.out);  // one byte per letter
    int words = 0;
    for (std::size_t at = out.find("\"word\": \""); at != std::string::npos; at = out.find("\"word\": \"", at + 1)) {
        ++words;
        const std::size_t word = at + 9;
        EXPECT_TRUE(IsCapital(out[word]) && IsCapital(out[word + 1]) && IsCapital(out[word + 2]) && out[word + 3] == '"');
    }
    EXPECT_EQ(words, 6);
    EXPECT_EQ(std::count(out.begin(), out.end(), '{'), 7);  // the object and its six words
    const std::string members = "], \"complete\": true, \"filled\": true, \"method\": \"propagate\", \"error\": 0, \"message\": \"\", \"ms\": ";
    const std::size_t tail = run.out.find(members);
    ASSERT_NE(tail, std::string::npos) << run.out;
    double ms = -1;
    EXPECT_EQ(std::sscanf(run.out.c_str() + tail + members.size(), "%lf}", &ms), 1);
    EXPECT_GE(ms, 0);
    EXPECT_TRUE(run.out.ends_with("}\n"));
}

TEST_F(Crossgen, AGridThatCannotBeFilledExitsWithOne) {
    // The across slots want 4-letter words; the dictionary has 3-letter words only.
    const std::string wide = WriteTemplate("wide.shb", {"....", "....", "...."});
    const std::string noWords = "слот 0,0 вправо, 4 буквы: нет слов такой длины";
    const Outcome run = Run({"fill", "--template", wide, "--json"});
    EXPECT_EQ(run.exitCode, ExitCode::NotFilled);
    EXPECT_NE(run.out.find("\"rows\": [\"....\", \"....\", \"....\"]"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("\"filled\": false, \"method\": \"propagate\", \"error\": 0, \"message\": \"" + noWords + "\""),
              std::string::npos)
        << run.out;

    const Outcome text = Run({"fill", "--template", wide});
    EXPECT_EQ(text.exitCode, ExitCode::NotFilled);
    EXPECT_NE(text.err.find("could not be filled (error 0): " + noWords + "\n"), std::string::npos) << text.err;
}

TEST_F(Crossgen, AFailedFillShowsTheLargestPartialFill) {
    // Both slots begin in the corner, and no two words share a first letter: one word stands.
    ASSERT_TRUE(WriteDictionaryFile(mDictionary, DictionaryLayout{}, DictionaryWords({"дом", "кит", "лес"})));
    const std::string corner = WriteTemplate("corner.shb", {"...", ".##", ".##"});
    for (const char* method : {"backtrack", "propagate"}) {
        const Outcome run = Run({"fill", "--template", corner, "--method", method, "--seed", "3"});
        EXPECT_EQ(run.exitCode, ExitCode::NotFilled) << method;
        const std::string out = FromUtf8(run.out);
        const bool across = IsCapital(out[0]) && IsCapital(out[1]) && IsCapital(out[2]);
        const bool down = IsCapital(out[0]) && IsCapital(out[4]) && IsCapital(out[8]);
        // Backtracking keeps the deepest grid it reached; propagation proves before it places a
        // word that no fill exists.
        EXPECT_EQ(across || down, std::string(method) == "backtrack") << method << "\n" << run.out;
        EXPECT_NE(run.err.find("could not be filled"), std::string::npos) << method;
    }
    const Outcome proof = Run({"fill", "--template", corner, "--json"});
    EXPECT_NE(proof.out.find("\"error\": -2, \"message\": \"no fill exists"), std::string::npos) << proof.out;
}

TEST_F(Crossgen, ATemplateWithoutSlotsIsRefused) {
    const std::string dots = WriteTemplate("dots.shb", {".#.", "#.#", ".#."});
    const Outcome run = Run({"fill", "--template", dots});
    EXPECT_EQ(run.exitCode, ExitCode::BadInput);
    EXPECT_NE(run.err.find("crossgen: the template has no slot"), std::string::npos) << run.err;
    EXPECT_TRUE(run.out.empty());
}

TEST_F(Crossgen, TheMethodIsNamedInTheJson) {
    for (const char* method : {"backtrack", "restart", "propagate"}) {
        const Outcome run = Run({"fill", "--template", mTemplate, "--method", method, "--seed", "2", "--json"});
        ASSERT_EQ(run.exitCode, ExitCode::Filled) << method << ": " << run.err;
        EXPECT_NE(run.out.find(std::string("\"filled\": true, \"method\": \"") + method + "\""), std::string::npos)
            << run.out;
    }
}

TEST_F(Crossgen, AFailureNamesTheSlotItsLettersAndItsWay) {
    // A fixed letter no 3-letter word has in the middle, on a down slot.
    auto crossword = Make({"#.#", "#.#", "#.#"}, {"дом", "кит"});
    crossword->SetFixedLetter(1, 1, Cp("я"));
    int errCode = 99;
    TFillResult best;
    ASSERT_FALSE(crossword->Fill(0, 0, 3, 3, false, errCode, best));
    EXPECT_EQ(ShowFailure(*crossword, errCode, best), "слот 1,0 вниз, 3 буквы: нет слов с буквами .Я.");
}

TEST_F(Crossgen, PicksATemplateOfTheSizeFromTheCollection) {
    TIndexCollection collection;
    collection.FileName = Path("templates.col");
    collection.Add("3x3", "SHABLON  033" "\x01\x01\x01" "\x01\x02\x02" "\x01\x02\x02");
    collection.Add("5x3", "SHABLON  053" "\x01\x01\x01" "\x02\x02\x01" "\x01\x01\x01" "\x02\x01\x02" "\x01\x01\x01");
    ASSERT_TRUE(collection.SaveToFile());
    const Outcome run = Run({"fill", "--size", "5x3", "--json", "--seed", "2"});
    ASSERT_EQ(run.exitCode, ExitCode::Filled) << run.err;
    EXPECT_TRUE(run.out.starts_with("{\"width\": 5, \"height\": 3,"));
}
