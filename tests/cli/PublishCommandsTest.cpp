#include "KindJson.h"

#include "platform/RecordingUi.h"

#include <fstream>
#include <set>
#include <sstream>

namespace {

class PublishCommands : public KindCrossgenTest {
protected:
    std::string Read(const std::string& name) const {
        std::ifstream file(Path(name), std::ios::binary);
        std::ostringstream text;
        text << file.rdbuf();
        return text.str();
    }
};

// The rows of a crossword file and its words as cells, word and definition, which every kind
// shows alike.
std::pair<nlohmann::json, std::set<std::string>> GridAndWords(const std::string& json) {
    std::set<std::string> words;
    for (const nlohmann::json& word : JsonMember(json, "words"))
        words.insert(word["cells"].dump() + " " + word["word"].dump() + " " + word.value("definition", nlohmann::json()).dump());
    return {JsonMember(json, "rows"), words};
}

// fill --save-ipuz, import back into a crossword file, show: the same grid, words and clues, for
// every kind ipuz writes as a crossword or an arrowword, in the kind import makes of it.
TEST_F(PublishCommands, FilledCrosswordsComeBackFromTheirIpuzFiles) {
    // ".w2": a wall on the cell's right.
    const std::string walls = " 7x3\n. . . .w2 . . .\n. # . # . # .\n. . .w2 . . . .\n";
    std::ofstream(Path("estonian.txt")) << "estonian" << walls;
    std::ofstream(Path("american.txt")) << "american" << walls;
    // Clue cells up-left of a cell's two words (".a18"), above (".a1") and left (".a24").
    const std::string clueCells =
        " 7x6\n# # # # # # #\n# .a18 . .a1 . .a1 .\n# . # . # . #\n# .a24 . . . . .\n# . # . # . #\n# .a24 . . . . .\n";
    std::ofstream(Path("scanword.txt")) << "scanword" << clueCells;
    std::ofstream(Path("scanword3.txt")) << "scanword3" << clueCells;
    const struct {
        std::vector<std::string> grid;
        const char* kind;  // of the imported crossword
    } cases[] = {
        {{"--size", "9x9"}, "classic"},
        {{"--kind", "children", "--size", "6x5", "--keyword", "сон"}, "estonian"},
        {{"--kind", "diagonal", "--size", "9x9"}, "diagonal"},
        {{"--picture", Path("estonian.txt")}, "estonian"},
        {{"--picture", Path("american.txt")}, "estonian"},
        {{"--picture", Path("scanword.txt")}, "scanword"},
        {{"--picture", Path("scanword3.txt")}, "scanword"},
        // A plain grid read into the scanword kind has no clue cells: a numbered crossword.
        {{"--kind", "scanword", "--size", "9x9"}, "classic"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.grid[1]);
        std::vector<std::string> args = {"fill", "--seed", "4", "--definitions", "--save", Path("p.cwd"),
                                         "--save-ipuz", Path("p.ipuz"), "--title", "Тест"};
        args.insert(args.end(), c.grid.begin(), c.grid.end());
        const Outcome fill = Run(args);
        ASSERT_EQ(fill.exitCode, ExitCode::Filled) << fill.err;
        EXPECT_NE(Read("p.ipuz").find("\"title\": \"Тест\""), std::string::npos);

        const Outcome imported = Run({"import", Path("p.ipuz"), "--out", Path("copy.cwd")});
        ASSERT_EQ(imported.exitCode, ExitCode::Filled) << imported.err;
        const Outcome original = Run({"show", Path("p.cwd"), "--json"});
        const Outcome copy = Run({"show", Path("copy.cwd"), "--json"});
        ASSERT_EQ(copy.exitCode, ExitCode::Filled) << copy.err;
        EXPECT_EQ(JsonMember(copy.out, "kind"), c.kind);
        EXPECT_EQ(GridAndWords(copy.out), GridAndWords(original.out));
    }
}

TEST_F(PublishCommands, WhatCannotBeDoneEndsWithExitTwoAndSaysWhy) {
    ScopedRecordingUi quiet;
    ASSERT_EQ(Run({"fill", "--kind", "chainword", "--size", "10x6", "--seed", "3", "--save", Path("chain.cwd")}).exitCode,
              ExitCode::Filled);
    ASSERT_EQ(Run({"fill", "--size", "9x9", "--seed", "3", "--save", Path("p.cwd")}).exitCode, ExitCode::Filled);
    ASSERT_EQ(Run({"ipuz", Path("p.cwd"), "--out", Path("p.ipuz")}).exitCode, ExitCode::Filled);
    std::ofstream(Path("broken.ipuz")) << R"({"version": "http://ipuz.org/v2", "kind": ["http://ipuz.org/crossword#1"],)";
    std::ofstream(Path("grid.ipuz")) << R"({"version": "http://ipuz.org/v2", "kind": ["http://ipuz.org/crossword#1"],
        "dimensions": {"width": 2, "height": 1}, "puzzle": [[1, 0]]})";
    const struct {
        std::vector<std::string> args;
        const char* complaint;
    } cases[] = {
        {{"ipuz", Path("chain.cwd")}, "no kind of puzzle for a crossword of kind chainword"},
        {{"import", Path("broken.ipuz"), "--out", Path("x.cwd")}, "broken.ipuz is not JSON"},
        {{"import", Path("missing.ipuz"), "--out", Path("x.cwd")}, "cannot read"},
        {{"import", Path("grid.ipuz"), "--out", Path("x.cwd")}, "holds no solution"},
        {{"fill", "--size", "9x9", "--title", "Тест"}, "--save-ipuz FILE"},
    };
    for (const auto& c : cases) {
        const Outcome run = Run(c.args);
        EXPECT_EQ(run.exitCode, ExitCode::BadInput) << c.args[0];
        EXPECT_NE(run.err.find(c.complaint), std::string::npos) << run.err;
    }
}

TEST_F(PublishCommands, ImportWritesTheGridAsATemplateAndHtmlWritesAPage) {
    ASSERT_EQ(Run({"fill", "--size", "9x9", "--seed", "3", "--save", Path("p.cwd"), "--save-ipuz", Path("p.ipuz")}).exitCode,
              ExitCode::Filled);
    ASSERT_EQ(Run({"import", Path("p.ipuz"), "--out", Path("grid.shb")}).exitCode, ExitCode::Filled);
    const Outcome shown = Run({"show", Path("p.cwd"), "--json"});
    const Outcome drawn = Run({"template", "--template", Path("grid.shb")});
    ASSERT_EQ(drawn.exitCode, ExitCode::Filled) << drawn.err;
    // The template's picture marks the letter cells of the crossword's rows, and only them.
    std::vector<std::string> rows = JsonRows(shown.out);
    std::string expected = "classic 9x9\n";
    for (const std::string& row : rows) {
        for (std::size_t x = 0; x < row.size(); ++x) expected += std::string(x ? " " : "") + (row[x] == '#' ? "#" : ".");
        expected += "\n";
    }
    EXPECT_EQ(drawn.out, expected);

    const Outcome page = Run({"html", Path("p.cwd"), "--title", "Девять"});
    ASSERT_EQ(page.exitCode, ExitCode::Filled) << page.err;
    EXPECT_TRUE(page.out.starts_with("<!DOCTYPE html>"));
    EXPECT_NE(page.out.find("<title>Девять</title>"), std::string::npos);
}

}  // namespace
