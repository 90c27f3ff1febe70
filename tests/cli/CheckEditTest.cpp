#include "../crossword/CrosswordFixture.h"

#include "cli/Crossgen.h"
#include "template/ClassicShablon.h"

#include <sstream>

namespace {

struct Outcome {
    int exitCode;
    std::string out;
    std::string err;
};

class CheckEdit : public CrosswordTest {
protected:
    std::string WriteTemplate(const std::string& name, const GridPicture& grid) {
        TClassicShablon shablon(1, 1);
        DrawGrid(shablon, grid);
        shablon.FileName = Path(name);
        EXPECT_TRUE(shablon.SaveToFile());
        return shablon.FileName;
    }

    // The template file's cells as a picture ("." letter cells); empty when it cannot be read.
    GridPicture ReadTemplate(const std::string& path) {
        TShablonHeader header;
        if (!TShablon::ReadTemplateHeader(path, header)) return {};
        TClassicShablon shablon(header.Width, header.Height);
        shablon.FileName = path;
        if (!shablon.LoadFromFile()) return {};
        return PictureOf(shablon);
    }

    Outcome Run(const std::vector<std::string>& args) {
        std::ostringstream out, err;
        const int code = RunCrossgen(args, out, err, {Path("templates.col"), Path("words.wdi")});
        return {code, out.str(), err.str()};
    }
};

}  // namespace

TEST_F(CheckEdit, HelpDescribesEveryOption) {
    const Outcome main = Run({"--help"});
    EXPECT_NE(main.out.find("check"), std::string::npos);
    EXPECT_NE(main.out.find("edit"), std::string::npos);

    const Outcome check = Run({"check", "--help"});
    EXPECT_EQ(check.exitCode, ExitCode::Filled);
    for (const char* option : {"--size", "--template", "--templates", "--seed", "--min", "--max", "0x0400"})
        EXPECT_NE(check.out.find(option), std::string::npos) << option;

    const Outcome edit = Run({"edit", "-h"});
    EXPECT_EQ(edit.exitCode, ExitCode::Filled);
    for (const char* option : {"--template", "--crop", "--shift", "--mirror", "--rect", "--out"})
        EXPECT_NE(edit.out.find(option), std::string::npos) << option;
}

TEST_F(CheckEdit, BadArgumentsAndFilesExitWithTwo) {
    const std::string knot = WriteTemplate("knot.shb", {"...#.", ".#...", "...#."});
    const std::string out = Path("out.shb");
    const std::vector<std::vector<std::string>> cases = {
        {"check"},
        {"check", "--template", knot, "--min", "256"},
        {"check", "--template", knot, "--max", "x"},
        {"check", "--template", Path("missing.shb")},
        {"check", "--size", "5x3"},  // no collection
        {"edit", "--template", knot, "--crop"},
        {"edit", "--crop", "--out", out},
        {"edit", "--template", knot, "--out", out},
        {"edit", "--template", knot, "--crop", "--mirror", "h", "--out", out},
        {"edit", "--template", knot, "--crop", "--rect", "0,0,1,1", "--out", out},
        {"edit", "--template", knot, "--mirror", "d", "--out", out},
        {"edit", "--template", knot, "--shift", "1", "--out", out},
        {"edit", "--template", knot, "--shift", "1,2,3", "--out", out},
        {"edit", "--template", knot, "--shift", "-201,0", "--out", out},
        {"edit", "--template", knot, "--mirror", "h", "--rect", "0,0,5,2", "--out", out},
        {"edit", "--template", knot, "--mirror", "h", "--rect", "3,0,2,2", "--out", out},
        {"edit", "--template", knot, "--mirror", "h", "--rect", "-1,0,2,2", "--out", out},
        {"edit", "--template", Path("missing.shb"), "--crop", "--out", out},
        {"edit", "--size", "5x3", "--crop", "--out", out},
    };
    for (const auto& args : cases) {
        const Outcome run = Run(args);
        EXPECT_EQ(run.exitCode, ExitCode::BadInput) << ::testing::PrintToString(args);
        EXPECT_NE(run.err.find("crossgen"), std::string::npos) << ::testing::PrintToString(args);
    }
    EXPECT_FALSE(std::filesystem::exists(out));

    // An unwritable output: why, and exit 2.
    const Outcome unwritable = Run({"edit", "--template", knot, "--crop", "--out", mDir.string()});
    EXPECT_EQ(unwritable.exitCode, ExitCode::BadInput);
    EXPECT_EQ(unwritable.err, "crossgen: cannot write " + mDir.string() + ": is a directory\n");
}

TEST_F(CheckEdit, CheckPrintsTheStatisticsThenTheMarkedCells) {
    const std::string knot = WriteTemplate("knot.shb", {"...#.", ".#...", "...#."});
    const Outcome run = Run({"check", "--template", knot});
    EXPECT_EQ(run.exitCode, ExitCode::NotFilled);
    EXPECT_EQ(run.out,
              "Тип кроссворда - Классический\n"
              "Общее число слов в кроссворде - 6\n"
              "Из 3 букв -\t6\n"
              "Общая длина всех слов - 18\n"
              "Общее число рабочих клеток - 12\n"
              "Коэффициент пересечений - 66.67%\n"
              "4 0 0x000C\n"
              "4 1 0x000C\n"
              "4 2 0x000C\n");

    const std::string square = WriteTemplate("square.shb", {"...", "...", "..."});
    const Outcome clean = Run({"check", "--template", square});
    EXPECT_EQ(clean.exitCode, ExitCode::Filled);
    EXPECT_TRUE(clean.out.ends_with("Коэффициент пересечений - 100.00%\n")) << clean.out;

    const Outcome limits = Run({"check", "--template", square, "--min", "4", "--max", "2"});
    EXPECT_EQ(limits.exitCode, ExitCode::NotFilled);
    EXPECT_NE(limits.out.find("\n0 0 0x0600\n"), std::string::npos) << limits.out;
    EXPECT_TRUE(limits.out.ends_with("\n2 2 0x0600\n")) << limits.out;
}

TEST_F(CheckEdit, EditWritesTheReshapedTemplate) {
    const std::string source = WriteTemplate("source.shb", {"#####", "#..##", "#.#.#", "#####"});
    const std::string out = Path("out.shb");
    struct Case {
        std::vector<std::string> operation;
        GridPicture expected;
    };
    const std::vector<Case> cases = {
        {{"--crop"}, {"..#", ".#."}},
        {{"--shift", "-1,1"}, {"#####", "#####", "..###", ".#.##"}},
        {{"--shift", "2,0", "--rect", "1,1,3,1"}, {"#####", "###.#", "#.#.#", "#####"}},
        {{"--mirror", "h"}, {"#####", "##..#", "#.#.#", "#####"}},
        {{"--mirror", "hv", "--rect", "1,1,3,2"}, {"#####", "#.#.#", "##..#", "#####"}},
        {{"--mirror", "v"}, {"#####", "#.#.#", "#..##", "#####"}},
    };
    for (const Case& c : cases) {
        std::vector<std::string> args = {"edit", "--template", source, "--out", out};
        args.insert(args.end(), c.operation.begin(), c.operation.end());
        const Outcome run = Run(args);
        EXPECT_EQ(run.exitCode, ExitCode::Filled) << ::testing::PrintToString(args) << run.err;
        EXPECT_EQ(ReadTemplate(out), c.expected) << ::testing::PrintToString(args);
    }
    EXPECT_EQ(ReadTemplate(source), GridPicture({"#####", "#..##", "#.#.#", "#####"}));
}
