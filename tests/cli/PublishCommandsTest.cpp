#include "KindJson.h"

#include "platform/RecordingUi.h"

#include <fstream>
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

// fill --save-ipuz, import back into a crossword file, show: the same grid and words, for every
// kind import takes.
TEST_F(PublishCommands, FilledCrosswordsComeBackFromTheirIpuzFiles) {
    std::ofstream(Path("walled.txt")) << "estonian 7x3\n. . . .w2 . . .\n. # . # . # .\n. . .w2 . . . .\n";
    const std::vector<std::vector<std::string>> grids = {
        {"--size", "9x9"}, {"--picture", Path("walled.txt")}, {"--kind", "scanword", "--size", "12x12"}};
    for (const std::vector<std::string>& grid : grids) {
        SCOPED_TRACE(grid[1]);
        std::vector<std::string> args = {"fill", "--seed", "4", "--definitions", "--save", Path("p.cwd"),
                                         "--save-ipuz", Path("p.ipuz"), "--title", "Тест"};
        args.insert(args.end(), grid.begin(), grid.end());
        const Outcome fill = Run(args);
        ASSERT_EQ(fill.exitCode, ExitCode::Filled) << fill.err;
        EXPECT_NE(Read("p.ipuz").find("\"title\": \"Тест\""), std::string::npos);

        const Outcome imported = Run({"import", Path("p.ipuz"), "--out", Path("copy.cwd")});
        ASSERT_EQ(imported.exitCode, ExitCode::Filled) << imported.err;
        const Outcome original = Run({"show", Path("p.cwd"), "--json"});
        const Outcome copy = Run({"show", Path("copy.cwd"), "--json"});
        ASSERT_EQ(copy.exitCode, ExitCode::Filled) << copy.err;
        EXPECT_EQ(JsonMember(copy.out, "rows"), JsonMember(original.out, "rows"));
        EXPECT_EQ(JsonMember(copy.out, "words"), JsonMember(original.out, "words"));
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
