#include "../platform/ScratchFolder.h"

#include "cli/Crossgen.h"
#include "crossword/ClassicCrossword.h"
#include "platform/RecordingUi.h"
#include "platform/Text.h"
#include "template/ClassicShablon.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

namespace fs = std::filesystem;

namespace {

struct Outcome {
    int exitCode;
    std::string out;
    std::string err;
};

class StyleShape : public testing::Test {
protected:
    Outcome Run(const std::vector<std::string>& args) {
        std::ostringstream out, err;
        const int code = RunCrossgen(args, out, err, {});
        return {code, out.str(), err.str()};
    }
    std::string Path(const char* name) const { return scratch.Path(name); }
    std::string Write(const char* name, const std::string& text) const { return scratch.Write(name, text); }
    static std::string Read(const std::string& path) { return ScratchFolder::Read(path); }

    ScopedRecordingUi ui;
    ScratchFolder scratch{"cli-style"};
    const fs::path& dir = scratch.Dir();
};

TEST_F(StyleShape, HelpTexts) {
    const Outcome style = Run({"style", "--help"});
    EXPECT_EQ(style.exitCode, ExitCode::Filled);
    for (const char* option : {"--style", "--out"}) EXPECT_NE(style.out.find(option), std::string::npos) << option;
    const Outcome shape = Run({"shape", "--help"});
    EXPECT_EQ(shape.exitCode, ExitCode::Filled);
    for (const char* option : {"--form", "--params", "--script", "--cell", "--at", "--unit"})
        EXPECT_NE(shape.out.find(option), std::string::npos) << option;
    const Outcome main = Run({"--help"});
    EXPECT_NE(main.out.find("style"), std::string::npos);
    EXPECT_NE(main.out.find("shape"), std::string::npos);
}

TEST_F(StyleShape, StyleWritesTheDefaultsOrTheLoadedStyle) {
    TClassicCrossword crossword;
    ASSERT_TRUE(crossword.SaveStyles(Path("expected.ini")));
    EXPECT_EQ(Run({"style", "--out", Path("default.ini")}).exitCode, ExitCode::Filled);
    EXPECT_EQ(Read(Path("default.ini")), Read(Path("expected.ini")));

    const std::string in = Write("in.ini", "[SHABLON_MAIN]\nWIDTH=80\n[KEYWORD]\nBEGIN_NUMBER=4\n");
    EXPECT_EQ(Run({"style", "--style", in, "--out", Path("loaded.ini")}).exitCode, ExitCode::Filled);
    TClassicShablon shablon(1, 1);
    ASSERT_TRUE(shablon.LoadStyle(Path("loaded.ini")));
    EXPECT_EQ(shablon.CellSize, 80);
    EXPECT_EQ(shablon.BeginNumber, 4);
    EXPECT_TRUE(ui->Messages.empty());
}

TEST_F(StyleShape, StyleFailures) {
    EXPECT_EQ(Run({"style"}).exitCode, ExitCode::BadInput);
    EXPECT_EQ(Run({"style", "--out"}).exitCode, ExitCode::BadInput);
    const Outcome missing = Run({"style", "--style", Path("none.ini"), "--out", Path("o.ini")});
    EXPECT_EQ(missing.exitCode, ExitCode::BadInput);
    EXPECT_EQ(missing.err, "crossgen: cannot read " + Path("none.ini") + ": No such file or directory\n");
    EXPECT_FALSE(fs::exists(Path("o.ini")));
    const Outcome unwritable = Run({"style", "--out", Path("no/o.ini")});
    EXPECT_EQ(unwritable.exitCode, ExitCode::BadInput);
    EXPECT_EQ(unwritable.err, "crossgen: cannot write " + Path("no/o.ini") + ": No such file or directory\n");
    EXPECT_TRUE(ui->Messages.empty());
}

TEST_F(StyleShape, ShapePrintsThePoints) {
    Outcome o = Run({"shape", "--form", "0", "--cell", "80x40", "--at", "10,20"});
    EXPECT_EQ(o.exitCode, ExitCode::Filled);
    EXPECT_EQ(o.out, "10 20\n90 20\n90 60\n10 60\n");
    EXPECT_EQ(o.err, "");

    o = Run({"shape", "--form", "6", "--params", "20,0,0,0", "--cell", "300x50", "--unit", "100"});
    EXPECT_EQ(o.out, "0 10\n10 0\n300 0\n300 50\n0 50\n");

    o = Run({"shape", "--form=1", "--cell=100x50"});
    EXPECT_EQ(std::count(o.out.begin(), o.out.end(), '\n'), 61);
    EXPECT_TRUE(o.out.starts_with("50 0\n55 0\n60 1\n"));
}

TEST_F(StyleShape, ShapeOfAScriptWithProblems) {
    const std::string script = Write("s.txt", "BEGIN 0, 0\r\nLINE 1000, 0\r\nJUMP 5\r\nLINE 0, 1000\r\nLINE x\r\n");
    const Outcome o = Run({"shape", "--script", script, "--cell", "10x10"});
    EXPECT_EQ(o.exitCode, ExitCode::NotFilled);
    EXPECT_EQ(o.out, "0 0\n10 0\n0 10\n");
    EXPECT_EQ(o.err, "crossgen: Неверная команда \"JUMP 5\"\n"
                     "crossgen: Неверный формат параметров в строке \"LINE x\"\n");
}

TEST_F(StyleShape, ShapeBadArguments) {
    const std::vector<std::vector<std::string>> cases = {
        {"shape"},
        {"shape", "--form", "1", "--script", "s.txt"},
        {"shape", "--script", "s.txt", "--params", "1,2,3,4"},
        {"shape", "--form", "11"},
        {"shape", "--form", "-1"},
        {"shape", "--form", "1", "--params", "1,2,3"},
        {"shape", "--form", "1", "--params", "1,2,3,4,5"},
        {"shape", "--form", "1", "--cell", "100"},
        {"shape", "--form", "1", "--cell", "-1x5"},
        {"shape", "--form", "1", "--at", "1"},
        {"shape", "--form", "1", "--unit", "-2"},
        {"shape", "--script", Path("missing.txt")},
        {"shape", "--script", dir.string()},
    };
    for (const auto& args : cases) {
        const Outcome o = Run(args);
        EXPECT_EQ(o.exitCode, ExitCode::BadInput) << args.size();
        EXPECT_FALSE(o.err.empty()) << args.size();
        EXPECT_EQ(o.out, "");
    }
}

}  // namespace
