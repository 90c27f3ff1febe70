// crossgen script: a template file's vector-editor commands as script lines or as the log of
// the live delivery against the in-memory editor.

#include "../crossword/CrosswordFixture.h"

#include "cli/Crossgen.h"
#include "platform/FileText.h"
#include "platform/RecordingUi.h"
#include "platform/Text.h"
#include "template/ClassicShablon.h"

#include <sstream>

namespace {

struct Outcome {
    int ExitCode;
    std::string Out;
    std::string Err;
};

class ScriptCommand : public CrosswordTest {
protected:
    void SetUp() override {
        CrosswordTest::SetUp();
        TClassicShablon shablon(1, 1);
        DrawGrid(shablon, {"...", ".#.", "..."});
        shablon.FileName = Path("grid.tpl");
        ASSERT_TRUE(shablon.SaveToFile());
        TemplateFile = shablon.FileName;
    }

    Outcome Run(const std::vector<std::string>& args) {
        std::ostringstream out, err;
        const int code = RunCrossgen(args, out, err, {Path("templates.col"), Path("words.wdi")});
        return {code, out.str(), err.str()};
    }

    std::string Read(const std::string& path) {
        std::string text;
        EXPECT_TRUE(ReadFileText(path, text));
        return text;
    }

    // The lines the engine itself writes for the template.
    std::vector<std::string> EngineLines() {
        TClassicShablon shablon(3, 3);
        shablon.FileName = TemplateFile;
        EXPECT_TRUE(shablon.LoadFromFile());
        std::vector<std::string> lines;
        shablon.ExportToScript(lines);
        return lines;
    }

    ScopedRecordingUi Ui;
    std::string TemplateFile;
};

TEST_F(ScriptCommand, WritesTheEngineLinesInUtf8OrCp1251) {
    const std::vector<std::string> lines = EngineLines();
    ASSERT_GT(lines.size(), 20u);
    std::string utf8, cp1251;
    for (const std::string& line : lines) {
        utf8 += ToUtf8(line) + "\n";
        cp1251 += line + "\r\n";
    }
    EXPECT_EQ(Run({"script", TemplateFile, "--template-only", "--out", Path("a.txt")}).ExitCode, ExitCode::Filled);
    EXPECT_EQ(Read(Path("a.txt")), utf8);
    EXPECT_EQ(Run({"script", TemplateFile, "--template-only", "--cp1251", "--out", Path("b.txt")}).ExitCode,
              ExitCode::Filled);
    EXPECT_EQ(Read(Path("b.txt")), cp1251);
}

TEST_F(ScriptCommand, AutomationWritesTheLogAndAFailureExitsOne) {
    const Outcome done = Run({"script", TemplateFile, "--template-only", "--automation", "--out", Path("log.txt")});
    EXPECT_EQ(done.ExitCode, ExitCode::Filled);
    EXPECT_TRUE(Ui->Messages.empty());
    const std::string log = Read(Path("log.txt"));
    EXPECT_EQ(log.rfind(".CreateRectangle 10000, 10000, 20000, 20000\n", 0), 0u);

    const Outcome failed =
        Run({"script", TemplateFile, "--template-only", "--automation", "--fail-at", "5", "--out", Path("fail.txt")});
    EXPECT_EQ(failed.ExitCode, ExitCode::NotFilled);
    EXPECT_EQ(Ui->Messages, std::vector<std::string>{std::string("OLE-ошибка!"_cp)});
    const std::string partial = Read(Path("fail.txt"));
    EXPECT_EQ(std::count(partial.begin(), partial.end(), '\n'), 5);
    EXPECT_EQ(partial, log.substr(0, partial.size()));
}

TEST_F(ScriptCommand, BadArgumentsAndFilesExitTwo) {
    const std::vector<std::vector<std::string>> cases = {
        {"script", TemplateFile, "--out", Path("x.txt")},
        {"script", "--template-only", "--out", Path("x.txt")},
        {"script", TemplateFile, "--template-only"},
        {"script", TemplateFile, "--template-only", "--fail-at", "3", "--out", Path("x.txt")},
        {"script", TemplateFile, "--template-only", "--automation", "--fail-at", "0", "--out", Path("x.txt")},
        {"script", Path("missing.tpl"), "--template-only", "--out", Path("x.txt")},
        {"script", TemplateFile, "--template-only", "--out", Path("no/such/dir/x.txt")},
        {"script", TemplateFile, "--template-only", "--style", Path("missing.ini"), "--out", Path("x.txt")},
    };
    for (const auto& args : cases) {
        const Outcome outcome = Run(args);
        EXPECT_EQ(outcome.ExitCode, ExitCode::BadInput) << args.size();
    }
    const Outcome help = Run({"script", "--help"});
    EXPECT_EQ(help.ExitCode, ExitCode::Filled);
    for (const char* option : {"--template-only", "--out", "--cp1251", "--automation", "--fail-at", "--style"})
        EXPECT_NE(help.Out.find(option), std::string::npos) << option;
}

}  // namespace
