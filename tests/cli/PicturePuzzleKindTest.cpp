#include "../crossword/CrosswordFixture.h"
#include "PictureFiles.h"

#include "cli/Crossgen.h"
#include "kinds/JaponishShablon.h"
#include "platform/ArtCanvas.h"
#include "platform/FileText.h"
#include "platform/Picture.h"
#include "template/ClassicShablon.h"

#include <filesystem>
#include <map>
#include <set>
#include <sstream>

namespace {

struct Outcome {
    int exitCode;
    std::string out;
    std::string err;
};

// A picture as rows of colour indices, a hex digit each ("0" the background).
using ColorRows = std::vector<std::string>;

int IndexOf(char digit) {
    return std::stoi(std::string(1, digit), nullptr, 16);
}

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
        words += " " + std::to_string(end - i) + ":" + std::to_string(IndexOf(line[i]));
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
            for (int x = 0; x < shablon.Width; ++x) shablon.SetColorAt(x, y, IndexOf(rows[y][x]));
        shablon.FileName = Path(name);
        EXPECT_TRUE(shablon.SaveToFile());
        return shablon.FileName;
    }

    Outcome Run(const std::vector<std::string>& args) {
        std::ostringstream out, err;
        const int code = RunCrossgen(args, out, err, {Path("templates.col"), Path("words.wdi")});
        return {code, out.str(), err.str()};
    }

    // The tasks crossgen prints for rows, worked out here.
    static std::string ExpectedTasks(const ColorRows& rows, bool twoColours) {
        std::string expected;
        for (std::size_t y = 0; y < rows.size(); ++y)
            expected += "row " + std::to_string(y) + ":" + RunsOf(rows[y], twoColours) + "\n";
        for (std::size_t x = 0; x < rows[0].size(); ++x) {
            std::string column;
            for (const std::string& row : rows) column += row[x];
            expected += "column " + std::to_string(x) + ":" + RunsOf(column, twoColours) + "\n";
        }
        return expected;
    }

    // Writes image as name, a BMP, PNG or JPEG file by its extension.
    std::string WriteImage(const std::string& name, const TDIB& image) {
        const std::string path = Path(name);
        if (name.ends_with(".png")) {
            EXPECT_TRUE(WritePngFile(image, path));
        } else {
            const auto kind = name.ends_with(".bmp") ? TPictureKind::Bitmap : TPictureKind::Jpeg;
            EXPECT_TRUE(WriteFileText(path, TPicture::FromImage(kind, image)->Data()));
        }
        return path;
    }
};

// An image of rows of pixel colours (red in bits 16..23), each pixel a block of side pixels.
TDIB ImageOf(const std::vector<std::vector<TColor32>>& rows, int side) {
    TDIB image(static_cast<int>(rows[0].size()) * side, static_cast<int>(rows.size()) * side);
    for (int y = 0; y < image.Height(); ++y)
        for (int x = 0; x < image.Width(); ++x) image.SetPixel(x, y, rows[y / side][x / side]);
    return image;
}

}  // namespace

TEST_F(PicturePuzzleKind, TasksListTheRunsOfEveryRowAndColumn) {
    const ColorRows rows = {"03505", "11000", "00000", "22302"};
    for (const int colorCount : {2, 4}) {
        SCOPED_TRACE(colorCount);
        const std::string file = WritePuzzle("puzzle" + std::to_string(colorCount) + ".tpl", rows, colorCount);
        const Outcome text = Run({"tasks", file});
        EXPECT_EQ(text.exitCode, ExitCode::Filled) << text.err;
        EXPECT_EQ(text.out, ExpectedTasks(rows, colorCount == 2));
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

TEST_F(PicturePuzzleKind, ImageMakesAPuzzleOfTheNearestPaletteColours) {
    // Off-palette shades among the palette's own colours; every edge row and column coloured,
    // so nothing is cropped.
    const std::vector<std::vector<TColor32>> shades = {
        {0xF01010, 0xFF0000, 0xFFFFFF, 0x1000F0, 0x181010},
        {0xF8F8F8, 0x808080, 0xC0C0C0, 0xFFFFFF, 0xFFFF00},
        {0x100080, 0x800000, 0x008000, 0x008080, 0xFFFFFF},
    };
    // Greys only, in blocks of 16 pixels: JPEG keeps them whole.
    const std::vector<std::vector<TColor32>> greys = {
        {0x000000, 0xFFFFFF, 0x808080},
        {0xC0C0C0, 0x000000, 0xFFFFFF},
    };
    struct Case {
        std::string file;
        const std::vector<std::vector<TColor32>>* pixels;
        int side;
        int colors;
        ColorRows expected;
    };
    const std::vector<Case> cases = {
        {"shades.bmp", &shades, 1, 16, {"990cf", "0780b", "41260"}},
        {"shades.png", &shades, 1, 16, {"990cf", "0780b", "41260"}},
        {"shades4.png", &shades, 1, 4, {"11011", "03003", "11220"}},
        {"shades2.bmp", &shades, 1, 2, {"11011", "01000", "11110"}},
        {"greys.jpg", &greys, 16, 16, {"f07", "8f0"}},
        {"greys2.jpeg", &greys, 16, 2, {"101", "010"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        const std::string image = WriteImage(c.file, ImageOf(*c.pixels, c.side));
        const std::string file = Path("image.tpl");
        std::vector<std::string> args = {"template", "--kind", "picturepuzzle", "--image", image, "--out", file};
        if (c.colors != 16) args.insert(args.end(), {"--colors", std::to_string(c.colors)});
        const Outcome made = Run(args);
        ASSERT_EQ(made.exitCode, ExitCode::Filled) << made.err;

        const int width = static_cast<int>(c.pixels->at(0).size()) * c.side;
        const int height = static_cast<int>(c.pixels->size()) * c.side;
        TJaponishShablon read(width, height);
        read.FileName = file;
        ASSERT_TRUE(read.LoadFromFile());
        ASSERT_EQ(read.Width, width);
        ASSERT_EQ(read.Height, height);
        EXPECT_EQ(read.ColorCount, c.colors);
        EXPECT_EQ(read.BackgroundColor, 0);
        ColorRows cells(height, std::string(width, '0'));
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x) {
                EXPECT_EQ(read.ColorAt(x, y), IndexOf(c.expected[y / c.side][x / c.side])) << x << "," << y;
                cells[y][x] = c.expected[y / c.side][x / c.side];
            }

        const Outcome tasks = Run({"tasks", file});
        EXPECT_EQ(tasks.exitCode, ExitCode::Filled) << tasks.err;
        EXPECT_EQ(tasks.out, ExpectedTasks(cells, c.colors == 2));
    }
    const std::string png = Path("drawn.png");
    EXPECT_EQ(Run({"draw", "--template", Path("image.tpl"), "--puzzle", "--out", png}).exitCode, ExitCode::Filled);
    EXPECT_TRUE(ShowsADrawing(ReadPng(png)));
}

TEST_F(PicturePuzzleKind, ImageRefusalsSayWhatIsWrong) {
    const std::string png = WriteImage("a.png", ImageOf({{0, 0xFFFFFF}}, 1));
    const std::string widest = WriteImage("wide.png", TDIB(200, 2));
    const std::string wide = WriteImage("toowide.png", TDIB(201, 2));
    const std::string tall = WriteImage("tootall.bmp", TDIB(1, 201));
    const std::string text = Path("text.png");
    ASSERT_TRUE(WriteFileText(text, "not an image at all"));
    const std::string damaged = Path("damaged.png");
    ASSERT_TRUE(WriteFileText(damaged, FileBytes(png).substr(0, 40)));
    struct Case {
        std::vector<std::string> args;
        std::string says;
    };
    const std::vector<Case> cases = {
        {{"--image", text}, "not a BMP, PNG or JPEG"},
        {{"--image", damaged}, "damaged"},
        {{"--image", wide}, "201 x 2 pixels"},
        {{"--image", tall}, "1 x 201 pixels"},
        {{"--image", Path("missing.png")}, "cannot read"},
        {{"--image", png, "--colors", "1"}, "from 2 to 16"},
        {{"--image", png, "--colors", "17"}, "from 2 to 16"},
        {{"--size", "3x3", "--kind", "picturepuzzle", "--colors", "4"}, "--colors only with --image"},
        {{"--image", png, "--size", "3x3"}, "without --size"},
        {{"--image", png, "--kind", "classic"}, "--kind picturepuzzle"},
    };
    for (const Case& c : cases) {
        std::vector<std::string> args = {"template"};
        args.insert(args.end(), c.args.begin(), c.args.end());
        const Outcome refused = Run(args);
        EXPECT_EQ(refused.exitCode, ExitCode::BadInput) << c.says;
        EXPECT_NE(refused.err.find(c.says), std::string::npos) << refused.err;
    }
    const Outcome largest = Run({"template", "--image", widest});
    EXPECT_EQ(largest.exitCode, ExitCode::Filled) << largest.err;
    const Outcome help = Run({"template", "--help"});
    for (const char* option : {"--image", "--colors"}) EXPECT_NE(help.out.find(option), std::string::npos) << option;
}

// The editor export of a puzzle: a style per palette colour (and for tasks, guide lines and the
// blank mode), a rectangle per cell in its colour's style, background cells left unfilled.
TEST_F(PicturePuzzleKind, ScriptGivesColourCellsBackgroundAndStyles) {
    const ColorRows rows = {"103", "020"};
    struct Case {
        const char* name;
        int colors;
        std::string style;  // the JAPONISH section's keys
        std::map<std::string, int> applied;  // ApplyStyle lines per style
    };
    const std::vector<Case> cases = {
        {"plain", 4, "", {{"COLOR_0", 3}, {"COLOR_1", 1}, {"COLOR_2", 1}, {"COLOR_3", 1}}},
        {"two colours", 2, "", {{"COLOR_0", 3}, {"COLOR_1", 3}}},
        // Column tasks 1:1, 1:2, 1:3 above; row tasks 1:1 1:3 and an empty cell before 1:2; the
        // six run lengths as clue numbers.
        {"tasks", 4, "ZADANIA=1\n",
         {{"COLOR_0", 3}, {"COLOR_1", 3}, {"COLOR_2", 3}, {"COLOR_3", 3}, {"ZADANIA_STYLE", 1}, {"DIGITS", 6}}},
        {"two-colour tasks", 2, "ZADANIA=1\n",
         {{"COLOR_0", 3}, {"COLOR_1", 3}, {"ZADANIA_STYLE", 7}, {"DIGITS", 6}}},
        {"blank", 4, "QUESTIONS_REZIM=1\n", {{"QUESTIONS_STYLE", 6}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string file = WritePuzzle("script.tpl", rows, c.colors);
        const std::string style = Path("style.ini");
        ASSERT_TRUE(WriteFileText(style, "[JAPONISH]\n" + c.style));
        for (const bool automation : {false, true}) {
            SCOPED_TRACE(automation ? "automation" : "script");
            std::vector<std::string> args = {"script", file, "--template-only", "--style", style, "--out", Path("s.txt")};
            if (automation) args.push_back("--automation");
            const Outcome done = Run(args);
            ASSERT_EQ(done.exitCode, ExitCode::Filled) << done.err;
            std::string text;
            ASSERT_TRUE(ReadFileText(Path("s.txt"), text));
            std::map<std::string, int> applied, saved;
            int rectangles = 0, unfilled = 0;
            std::istringstream lines(text);
            for (std::string line; std::getline(lines, line);) {
                const auto quoted = [&] { return line.substr(line.find('"') + 1, line.rfind('"') - line.find('"') - 1); };
                if (line.starts_with(".ApplyStyle ")) ++applied[quoted()];
                if (line.starts_with(".SaveStyleProp ")) ++saved[quoted()];
                rectangles += line.starts_with(".CreateRectangle ");
                unfilled += line == ".ApplyNoFill";
            }
            // A guide line at the picture's left edge and one at its top.
            EXPECT_EQ(applied["SETKA_STYLE"], 2);
            applied.erase("SETKA_STYLE");
            EXPECT_EQ(applied, c.applied);
            for (int i = 0; i < TJaponishShablon::PaletteSize; ++i) EXPECT_EQ(saved["COLOR_" + std::to_string(i)], 1) << i;
            EXPECT_EQ(saved["ZADANIA_STYLE"], 1);
            EXPECT_EQ(saved["SETKA_STYLE"], 1);
            EXPECT_EQ(saved["QUESTIONS_STYLE"], c.style.starts_with("QUESTIONS") ? 1 : 0);
            // The template's own outline style is unfilled too.
            EXPECT_EQ(unfilled, 1 + (c.style.starts_with("QUESTIONS") ? 0 : 3));
            int cells = 0;
            for (const auto& [name, count] : c.applied) cells += name == "DIGITS" ? 0 : count;
            // Three rectangles carry the styles, then one per cell.
            EXPECT_EQ(rectangles, 3 + cells);
        }
    }
}

// --puzzle draws the puzzle, not its answer: picture cells blank, tasks in the task colour.
TEST_F(PicturePuzzleKind, DrawnPuzzleHidesThePicture) {
    constexpr TColor32 Navy = 0x800000, TaskGrey = 0xC0C0C0;
    const std::string file = WritePuzzle("blank.tpl", {"110", "013"}, 2);
    const auto pixelsOf = [](const TDIB& image, TColor32 colour) {
        int count = 0;
        for (int y = 0; y < image.Height(); ++y)
            for (int x = 0; x < image.Width(); ++x) count += image.Pixel(x, y) == colour;
        return count;
    };
    const std::string answer = Path("answer.png"), puzzle = Path("puzzle.png");
    ASSERT_EQ(Run({"draw", "--template", file, "--out", answer}).exitCode, ExitCode::Filled);
    ASSERT_EQ(Run({"draw", "--template", file, "--puzzle", "--out", puzzle}).exitCode, ExitCode::Filled);
    const TDIB shown = ReadPng(answer), blank = ReadPng(puzzle);
    EXPECT_GT(pixelsOf(shown, Navy), 0);
    EXPECT_EQ(pixelsOf(shown, TaskGrey), 0);
    EXPECT_EQ(pixelsOf(blank, Navy), 0);
    EXPECT_GT(pixelsOf(blank, TaskGrey), 0);
    EXPECT_TRUE(ShowsADrawing(blank));
}

// Reshaping a puzzle moves its colours with its cells.
TEST_F(PicturePuzzleKind, EditMovesTheColoursWithTheCells) {
    const std::string head = "picturepuzzle 3x2 colors=4 background=0\n";
    ASSERT_TRUE(WriteFileText(Path("source.txt"), head + ".c1 .c2 #\n# .c3 .c3\n"));
    ASSERT_EQ(Run({"template", "--picture", Path("source.txt"), "--out", Path("source.tpl")}).exitCode, ExitCode::Filled);
    struct Case {
        std::vector<std::string> operation;
        std::string picture;
    };
    const std::vector<Case> cases = {
        {{"--mirror", "h"}, head + "# .c2 .c1\n.c3 .c3 #\n"},
        {{"--mirror", "v"}, head + "# .c3 .c3\n.c1 .c2 #\n"},
        {{"--shift", "1,0"}, "picturepuzzle 2x2 colors=4 background=0\n.c1 .c2\n# .c3\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.operation[0] + " " + c.operation[1]);
        std::vector<std::string> args = {"edit", "--template", Path("source.tpl"), "--out", Path("edited.tpl")};
        args.insert(args.end(), c.operation.begin(), c.operation.end());
        const Outcome edited = Run(args);
        ASSERT_EQ(edited.exitCode, ExitCode::Filled) << edited.err;
        EXPECT_EQ(Run({"template", "--template", Path("edited.tpl")}).out, c.picture);
    }
}
