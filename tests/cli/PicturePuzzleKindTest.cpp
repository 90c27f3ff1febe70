#include "../crossword/CrosswordFixture.h"

#include "cli/Crossgen.h"
#include "kinds/JaponishShablon.h"
#include "platform/FileText.h"
#include "template/ClassicShablon.h"

#include <filesystem>
#include <set>
#include <sstream>

namespace {

struct Outcome {
    int exitCode;
    std::string out;
    std::string err;
};

// A picture as rows of colour indices ("0" the background).
using ColorRows = std::vector<std::string>;

// The runs of one line worked out here: "LENGTH:COLOUR" words, touching colours joined when two.
std::string RunsOf(const std::string& line, bool twoColours) {
    std::string words;
    std::size_t i = 0;
    while (i < line.size()) {
        if (line[i] == '0') {
            ++i;
            continue;
        }
        std::size_t end = i + 1;
        while (end < line.size() && line[end] != '0' && (twoColours || line[end] == line[i])) ++end;
        words += " " + std::to_string(end - i) + ":" + line[i];
        i = end;
    }
    return words.empty() ? " -" : words;
}

class PicturePuzzleKind : public CrosswordTest {
protected:
    std::string WritePuzzle(const std::string& name, const ColorRows& rows, int colorCount) {
        TJaponishShablon shablon(static_cast<int>(rows[0].size()), static_cast<int>(rows.size()));
        shablon.ColorCount = static_cast<uint8_t>(colorCount);
        for (int y = 0; y < shablon.Height; ++y)
            for (int x = 0; x < shablon.Width; ++x) shablon.SetColorAt(x, y, rows[y][x] - '0');
        shablon.FileName = Path(name);
        EXPECT_TRUE(shablon.SaveToFile());
        return shablon.FileName;
    }

    Outcome Run(const std::vector<std::string>& args) {
        std::ostringstream out, err;
        const int code = RunCrossgen(args, out, err, {Path("templates.col"), Path("words.wdi")});
        return {code, out.str(), err.str()};
    }
};

}  // namespace

TEST_F(PicturePuzzleKind, TasksListTheRunsOfEveryRowAndColumn) {
    const ColorRows rows = {"03505", "11000", "00000", "22302"};
    for (const int colorCount : {2, 4}) {
        SCOPED_TRACE(colorCount);
        const std::string file = WritePuzzle("puzzle" + std::to_string(colorCount) + ".tpl", rows, colorCount);
        std::string expected;
        for (std::size_t y = 0; y < rows.size(); ++y)
            expected += "row " + std::to_string(y) + ":" + RunsOf(rows[y], colorCount == 2) + "\n";
        for (std::size_t x = 0; x < rows[0].size(); ++x) {
            std::string column;
            for (const std::string& row : rows) column += row[x];
            expected += "column " + std::to_string(x) + ":" + RunsOf(column, colorCount == 2) + "\n";
        }
        const Outcome text = Run({"tasks", file});
        EXPECT_EQ(text.exitCode, ExitCode::Filled) << text.err;
        EXPECT_EQ(text.out, expected);
    }

    const std::string file = WritePuzzle("small.tpl", {"110", "000"}, 2);
    const Outcome json = Run({"tasks", file, "--json"});
    EXPECT_EQ(json.exitCode, ExitCode::Filled);
    EXPECT_EQ(json.out, "{\"rows\": [[{\"length\": 2, \"color\": 1}], []], \"columns\": [[{\"length\": 1, \"color\": 1}], "
                        "[{\"length\": 1, \"color\": 1}], []]}\n");
}

TEST_F(PicturePuzzleKind, TasksRefuseOtherInput) {
    const Outcome help = Run({"tasks", "--help"});
    EXPECT_EQ(help.exitCode, ExitCode::Filled);
    EXPECT_NE(help.out.find("--json"), std::string::npos);

    TClassicShablon classic(3, 3);
    classic.FileName = Path("classic.tpl");
    ASSERT_TRUE(classic.SaveToFile());
    for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
             {"tasks"}, {"tasks", classic.FileName}, {"tasks", Path("missing.tpl")}, {"tasks", "a", "b"}}) {
        const Outcome refused = Run(args);
        EXPECT_EQ(refused.exitCode, ExitCode::BadInput) << args.back();
        EXPECT_FALSE(refused.err.empty());
    }
}

TEST_F(PicturePuzzleKind, CheckReportsColourStatisticsAndNoDefects) {
    const std::string file = WritePuzzle("check.tpl", {"110", "003"}, 4);
    const Outcome check = Run({"check", "--template", file});
    EXPECT_EQ(check.exitCode, ExitCode::Filled) << check.out;
    EXPECT_NE(check.out.find("4\n"), std::string::npos) << check.out;
    EXPECT_NE(check.out.find("- 6\n"), std::string::npos);
    EXPECT_NE(check.out.find("- 3\n"), std::string::npos);
    EXPECT_NE(check.out.find("50.00%\n"), std::string::npos);
}

TEST_F(PicturePuzzleKind, DrawPuzzleShowsTheTasks) {
    const std::string file = WritePuzzle("draw.tpl", {"110", "003"}, 4);
    // The task numbers among the items: kind 6, the length in X2.
    const auto lengths = [](const std::string& items) {
        std::multiset<int> found;
        std::istringstream lines(items);
        for (std::string line; std::getline(lines, line);) {
            if (!line.starts_with("6 ")) continue;
            const std::size_t at = line.find(" X2=");
            if (at != std::string::npos) found.insert(std::stoi(line.substr(at + 4)));
        }
        return found;
    };
    const Outcome puzzle = Run({"draw", "--template", file, "--items", "--puzzle"});
    EXPECT_EQ(puzzle.exitCode, ExitCode::Filled) << puzzle.err;
    EXPECT_EQ(lengths(puzzle.out), (std::multiset<int>{1, 1, 1, 1, 2}));
    const Outcome plain = Run({"draw", "--template", file, "--items"});
    EXPECT_EQ(plain.exitCode, ExitCode::Filled);
    EXPECT_TRUE(lengths(plain.out).empty());

    const std::string svg = Path("puzzle.svg");
    EXPECT_EQ(Run({"draw", "--template", file, "--puzzle", "--out", svg}).exitCode, ExitCode::Filled);
    EXPECT_GT(std::filesystem::file_size(svg), 0u);

    TClassicShablon classic(3, 3);
    classic.FileName = Path("classic.tpl");
    ASSERT_TRUE(classic.SaveToFile());
    EXPECT_EQ(Run({"draw", "--template", classic.FileName, "--items", "--puzzle"}).exitCode, ExitCode::BadInput);
}

TEST_F(PicturePuzzleKind, FillRefusesItAndViewPaintsIt) {
    const std::string file = WritePuzzle("fill.tpl", {"110", "003"}, 4);
    const Outcome fill = Run({"fill", "--template", file});
    EXPECT_EQ(fill.exitCode, ExitCode::BadInput);
    EXPECT_FALSE(fill.err.empty());

    const std::string png = Path("view.png");
    EXPECT_EQ(Run({"view", "--template", file, "--out", png}).exitCode, ExitCode::Filled);
    EXPECT_GT(std::filesystem::file_size(png), 0u);
}

TEST_F(PicturePuzzleKind, PictureFormKeepsColoursAndBackground) {
    struct Case {
        std::string picture;
        std::vector<std::vector<int>> colors;
    };
    const std::vector<Case> cases = {
        {"picturepuzzle 3x2 colors=4 background=0\n.c1 # .c3\n.c2 .c2 #\n", {{1, 0, 3}, {2, 2, 0}}},
        {"picturepuzzle 2x2 colors=2 background=0\n.c1 #\n# .c1\n", {{1, 0}, {0, 1}}},
        // Index 0 paints a picture cell once another colour is the background.
        {"picturepuzzle 3x1 colors=16 background=2\n.c0 # .c15\n", {{0, 2, 15}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.picture);
        const std::string source = Path("source.txt");
        ASSERT_TRUE(WriteFileText(source, c.picture));
        const std::string file = Path("puzzle.tpl");
        ASSERT_EQ(Run({"template", "--picture", source, "--out", file}).exitCode, ExitCode::Filled);
        TJaponishShablon read(static_cast<int>(c.colors[0].size()), static_cast<int>(c.colors.size()));
        read.FileName = file;
        ASSERT_TRUE(read.LoadFromFile());
        for (int y = 0; y < read.Height; ++y)
            for (int x = 0; x < read.Width; ++x) EXPECT_EQ(read.ColorAt(x, y), c.colors[y][x]) << x << "," << y;

        const Outcome shown = Run({"template", "--template", file});
        EXPECT_EQ(shown.exitCode, ExitCode::Filled) << shown.err;
        EXPECT_EQ(shown.out, c.picture);
    }
}

TEST_F(PicturePuzzleKind, PictureFormRefusesColoursItCannotKeep) {
    const std::vector<std::string> refused = {
        "picturepuzzle 2x1 colors=4 background=0\n.c0 #\n",   // the background's index on a picture cell
        "picturepuzzle 2x1 colors=4 background=0\n.c16 #\n",  // past the palette
        "picturepuzzle 2x1 colors=4 background=0\n.c1 #c2\n",
        "picturepuzzle 2x1 colors=4 background=0\n.c1c2 #\n",
        "picturepuzzle 2x1 colors=1 background=0\n.c1 #\n",
        "picturepuzzle 2x1 colors=17 background=0\n.c1 #\n",
        "picturepuzzle 2x1 colors=4 background=16\n.c1 #\n",
        "picturepuzzle 2x1 colors=4 shade=1\n.c1 #\n",
        "classic 2x1\n.c1 #\n",
    };
    for (const std::string& picture : refused) {
        SCOPED_TRACE(picture);
        const std::string source = Path("bad.txt");
        ASSERT_TRUE(WriteFileText(source, picture));
        const Outcome outcome = Run({"template", "--picture", source});
        EXPECT_EQ(outcome.exitCode, ExitCode::BadInput);
        EXPECT_FALSE(outcome.err.empty());
    }
}
