// crossgen picture on a filled game-size crossword: the printable picture of every mode in every
// format, the letters in the PNG, the working view and the complaints.

#include "PictureFiles.h"

#include "../crossword/CrosswordFixture.h"

#include "cli/Crossgen.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

const std::string DataDir = ZELVANA_DATA_DIR;

// The grid letters are blue by default (the clue numbers red, the cell lines black).
bool Bluish(TColor32 pixel) {
    return (pixel & 0xFF) > 150 && (pixel >> 8 & 0xFF) < 100 && (pixel >> 16 & 0xFF) < 100;
}

class PictureCommand : public CrosswordTest {
protected:
    struct Outcome {
        int exitCode;
        std::string out;
        std::string err;
    };

    void SetUp() override {
        CrosswordTest::SetUp();
        mFile = Path("game.cwd");
        const Outcome fill = Run({"fill", "--size", "15x15", "--seed", "1", "--save", mFile});
        ASSERT_EQ(fill.exitCode, ExitCode::Filled) << fill.err;
    }

    Outcome Run(const std::vector<std::string>& args) {
        std::ostringstream out, err;
        const int code = RunCrossgen(args, out, err, {DataDir + "/templates.col", DataDir + "/dic1.wdi"});
        return {code, out.str(), err.str()};
    }

    // The blue pixels in the middle of each letter cell of the crossword file, in the PNG.
    std::vector<int> InkInLetterCells(const TDIB& png) {
        TClassicCrossword crossword;
        crossword.Dictionary.ShowProgress = false;
        crossword.Interactive = 0;
        crossword.FileName = mFile;
        std::string extra;
        EXPECT_TRUE(crossword.LoadFromFile(true, false, extra));
        int minX = 0, minY = 0, endX = 0, endY = 0;
        crossword.Template->GetUsedBounds(minX, minY, endX, endY);
        std::vector<int> ink;
        for (int x = minX; x < endX; ++x)
            for (int y = minY; y < endY; ++y) {
                if (!crossword.Template->IsLetterCell(x, y)) continue;
                const int left = 3 + 100 * (x - minX), top = 3 + 100 * (y - minY);
                int blue = 0;
                for (int py = top + 25; py < top + 75; ++py)
                    for (int px = left + 25; px < left + 75; ++px) blue += Bluish(png.Pixel(px, py)) ? 1 : 0;
                ink.push_back(blue);
            }
        return ink;
    }

    std::string mFile;
};

}  // namespace

TEST_F(PictureCommand, EveryFormatIsWritten) {
    for (const char* extension : {".svg", ".pdf", ".png"}) {
        const std::string out = Path(std::string("solution") + extension);
        const Outcome run = Run({"picture", mFile, "--out", out});
        ASSERT_EQ(run.exitCode, ExitCode::Filled) << extension << ": " << run.err;
        const std::string bytes = FileBytes(out);
        const std::string_view head = std::string(extension) == ".svg"   ? "<?xml"
                                      : std::string(extension) == ".pdf" ? "%PDF-"
                                                                         : "\x89PNG";
        EXPECT_TRUE(bytes.starts_with(head)) << extension;
    }
    for (const char* mode : {"1", "2", "3", "4", "5", "6"}) {
        const Outcome run = Run({"picture", mFile, "--mode", mode, "--seed", "2", "--out", Path("mode.svg")});
        EXPECT_EQ(run.exitCode, ExitCode::Filled) << "mode " << mode << ": " << run.err;
    }
}

TEST_F(PictureCommand, TheSolutionShowsEveryLetterAndThePuzzleNone) {
    ASSERT_EQ(Run({"picture", mFile, "--out", Path("solution.png")}).exitCode, ExitCode::Filled);
    ASSERT_EQ(Run({"picture", mFile, "--mode", "1", "--out", Path("puzzle.png")}).exitCode, ExitCode::Filled);
    const TDIB solution = ReadPng(Path("solution.png"));
    ASSERT_EQ(solution.Width(), 1507);
    const std::vector<int> letters = InkInLetterCells(solution);
    ASSERT_GT(letters.size(), 100u);
    for (std::size_t i = 0; i < letters.size(); ++i) EXPECT_GT(letters[i], 30) << "letter cell " << i;
    for (const int ink : InkInLetterCells(ReadPng(Path("puzzle.png")))) EXPECT_EQ(ink, 0);
}

TEST_F(PictureCommand, ViewPaintsTheWindow) {
    const Outcome run =
        Run({"picture", mFile, "--view", "--zoom", "50", "--first", "1,1", "--window", "300x200", "--out", Path("view.png")});
    ASSERT_EQ(run.exitCode, ExitCode::Filled) << run.err;
    const TDIB view = ReadPng(Path("view.png"));
    EXPECT_EQ(view.Width(), 300);
    EXPECT_EQ(view.Height(), 200);
    int dark = 0;
    for (int y = 0; y < view.Height(); ++y)
        for (int x = 0; x < view.Width(); ++x) dark += (view.Pixel(x, y) & 0xFFFFFF) == 0 ? 1 : 0;
    EXPECT_GT(dark, 0);
}

TEST_F(PictureCommand, HelpAndComplaints) {
    const Outcome help = Run({"picture", "--help"});
    EXPECT_EQ(help.exitCode, ExitCode::Filled);
    for (const char* option : {"--out", "--view", "--zoom", "--first", "--window", "--mode", "--given-letters", "--style"})
        EXPECT_NE(help.out.find(option), std::string::npos) << option;
    EXPECT_NE(Run({"--help"}).out.find("  picture "), std::string::npos);

    const std::vector<std::vector<std::string>> cases = {
        {"picture", "--out", Path("a.svg")},
        {"picture", mFile},
        {"picture", mFile, "--out", Path("a.gif")},
        {"picture", mFile, "--view", "--out", Path("a.svg")},
        {"picture", mFile, "--view", "--mode", "2", "--out", Path("a.png")},
        {"picture", mFile, "--zoom", "200", "--out", Path("a.png")},
        {"picture", mFile, "--mode", "7", "--out", Path("a.png")},
        {"picture", Path("missing.cwd"), "--out", Path("a.png")},
        {"picture", mFile, "--out", Path("no/such/dir/a.png")},
        {"picture", mFile, "--view", "--out", Path("no/such/dir/a.png")},
        {"picture", mFile, "--style", Path("missing.sty"), "--out", Path("a.png")},
    };
    for (const auto& args : cases) {
        const Outcome run = Run(args);
        EXPECT_EQ(run.exitCode, ExitCode::BadInput) << args.back();
        EXPECT_FALSE(run.err.empty()) << args.back();
    }
}
