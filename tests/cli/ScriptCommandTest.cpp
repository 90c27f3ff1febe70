// crossgen script: a template file's vector-editor commands as script lines or as the log of
// the live delivery against the in-memory editor.

#include "../crossword/CrosswordFixture.h"

#include "cli/Crossgen.h"
#include "platform/FileText.h"
#include "platform/RecordingUi.h"
#include "platform/Text.h"
#include "template/ClassicShablon.h"

#include <cstdio>
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

    // A filled 15 x 15 crossword file: eight rows of one 15-letter word each, blocked rows
    // between them. Its dictionary is Path("words.wdi").
    std::string CrosswordFile() {
        const std::string letters = Cp("абвгдеёжзийклмнопрстуфхцчшщъыьэюя");
        GridPicture grid;
        std::vector<std::string> words;
        for (int y = 0; y < 15; ++y) {
            grid.push_back(y % 2 == 0 ? std::string(15, '.') : std::string(15, '#'));
            if (y % 2 == 0) words.push_back(ToUtf8(letters.substr(y, 15)));
        }
        auto crossword = Make(grid, words);
        crossword->Template->NumberCells();
        for (int y = 0; y < 15; y += 2)
            EXPECT_EQ(crossword->PlaceWord(Across(*crossword, 0, y, 15), letters.substr(y, 15), false), PutCode::Placed);
        crossword->FileName = Path("filled.crw");
        EXPECT_TRUE(crossword->SaveToFile(false, ""));
        return crossword->FileName;
    }

    static int CountPrefix(const std::string& text, const std::string& prefix) {
        int n = 0;
        for (std::size_t at = text.find(prefix); at != std::string::npos; at = text.find(prefix, at + 1))
            n += at == 0 || text[at - 1] == '\n';
        return n;
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

TEST_F(ScriptCommand, ACrosswordScriptWritesOneTextPerLetterNumberAndTextStyle) {
    const std::string file = CrosswordFile();
    const Outcome done = Run({"script", file, "--dict", Path("words.wdi"), "--out", Path("s.txt")});
    ASSERT_EQ(done.ExitCode, ExitCode::Filled) << done.Err;
    const std::string script = Read(Path("s.txt"));
    // 120 letters, 8 clue numbers, and the temporary texts the template's digit styles and the
    // letter style are saved from.
    EXPECT_EQ(CountPrefix(script, ".ApplyStyle \"CROSSWORD_CHARS\""), 120);
    EXPECT_EQ(CountPrefix(script, ".ApplyStyle \"DIGITS\""), 8);
    EXPECT_EQ(CountPrefix(script, ".CreateArtisticText "), 120 + 8 + 2);
    EXPECT_NE(script.find(".CreateArtisticText \"А\", "), std::string::npos);

    // The same export in the engine's bytes, and a mode that shows no letters.
    ASSERT_EQ(Run({"script", file, "--dict", Path("words.wdi"), "--cp1251", "--out", Path("c.txt")}).ExitCode,
              ExitCode::Filled);
    std::string cp1251;
    for (std::size_t at = 0; at < script.size();) {
        const std::size_t end = script.find('\n', at);
        cp1251 += FromUtf8(script.substr(at, end - at)) + "\r\n";
        at = end + 1;
    }
    EXPECT_EQ(Read(Path("c.txt")), cp1251);
    ASSERT_EQ(Run({"script", file, "--dict", Path("words.wdi"), "--mode", "1", "--out", Path("p.txt")}).ExitCode,
              ExitCode::Filled);
    EXPECT_EQ(CountPrefix(Read(Path("p.txt")), ".ApplyStyle \"CROSSWORD_CHARS\""), 0);
}

TEST_F(ScriptCommand, ModeOptionsReachTheExport) {
    const std::string file = CrosswordFile();
    const auto script = [&](std::vector<std::string> more) {
        std::vector<std::string> args = {"script", file, "--dict", Path("words.wdi"), "--seed", "3", "--out",
                                         Path("m.txt")};
        args.insert(args.end(), more.begin(), more.end());
        const Outcome outcome = Run(args);
        EXPECT_EQ(outcome.ExitCode, ExitCode::Filled) << outcome.Err;
        return Read(Path("m.txt"));
    };
    // Given letters in the puzzle mode, whatever case they are typed in.
    EXPECT_EQ(CountPrefix(script({"--mode", "1", "--given-letters", "АБ"}), ".ApplyStyle \"CROSSWORD_CHARS\""),
              2);
    // The codeword table prints the revealed letters.
    const std::string codeword = script({"--mode", "2", "--reveal", "а"});
    EXPECT_NE(codeword.find(".CreateArtisticText \"А\""), std::string::npos);
    EXPECT_EQ(script({"--mode", "2", "--reveal", "а"}), codeword);
    // Italian markers need painted blank cells to show; labels come in digits or letters.
    const std::string italian = script({"--mode", "4", "--column-labels", "latin", "--hint-markers", "2"});
    EXPECT_NE(italian.find(".SaveStyleProp \"ITALIAN_HINT\""), std::string::npos);
    EXPECT_NE(italian.find(".CreateArtisticText \"O\""), std::string::npos);
    // Blocks of one cell stand one cell apart: every cell's left edge is an even cell.
    std::istringstream blocks(script({"--mode", "5", "--blocks", "1x1"}));
    int cells = 0;
    for (std::string line; std::getline(blocks, line);) {
        int top = 0, left = 0;
        if (std::sscanf(line.c_str(), ".CreateRectangle %d, %d,", &top, &left) != 2 || top == 10000) continue;
        ++cells;
        EXPECT_EQ(left % 200000, 0) << line;
        EXPECT_EQ(top % 200000, 0) << line;
    }
    EXPECT_EQ(cells, 120);
    EXPECT_NE(script({"--mode", "6"}).find(".SaveStyleProp \"SAPPER_CHARS\""), std::string::npos);

    for (const std::vector<std::string>& bad : {std::vector<std::string>{"--mode", "7"},
                                                 std::vector<std::string>{"--blocks", "0x3"},
                                                 std::vector<std::string>{"--row-labels", "roman"},
                                                 std::vector<std::string>{"--hint-markers", "256"}}) {
        std::vector<std::string> args = {"script", file, "--dict", Path("words.wdi"), "--out", Path("x.txt")};
        args.insert(args.end(), bad.begin(), bad.end());
        EXPECT_EQ(Run(args).ExitCode, ExitCode::BadInput) << bad[0];
    }
}

TEST_F(ScriptCommand, ACrosswordAutomationFailureExitsOne) {
    const std::string file = CrosswordFile();
    const Outcome done = Run({"script", file, "--dict", Path("words.wdi"), "--automation", "--out", Path("log.txt")});
    EXPECT_EQ(done.ExitCode, ExitCode::Filled) << done.Err;
    EXPECT_TRUE(Ui->Messages.empty());
    const Outcome failed = Run(
        {"script", file, "--dict", Path("words.wdi"), "--automation", "--fail-at", "5", "--out", Path("fail.txt")});
    EXPECT_EQ(failed.ExitCode, ExitCode::NotFilled);
    EXPECT_EQ(Ui->Messages, std::vector<std::string>{std::string("OLE-ошибка!"_cp)});
    const std::string partial = Read(Path("fail.txt"));
    EXPECT_EQ(std::count(partial.begin(), partial.end(), '\n'), 5);
    EXPECT_EQ(partial, Read(Path("log.txt")).substr(0, partial.size()));
}

TEST_F(ScriptCommand, PicturesListsTheFilesTheExportDrawsOn) {
    const std::string file = CrosswordFile();
    const std::string style = Path("look.ini");
    ASSERT_TRUE(WriteFileText(style, "[SHABLON_MAIN]\r\nBACKGROUND_PICTURE=back.png\r\n"));
    const Outcome listed = Run({"script", file, "--dict", Path("words.wdi"), "--style", style, "--pictures"});
    EXPECT_EQ(listed.ExitCode, ExitCode::Filled) << listed.Err;
    EXPECT_NE(listed.Out.find("back.png\n"), std::string::npos) << listed.Out;
    EXPECT_EQ(Run({"script", file, "--pictures", "--automation"}).ExitCode, ExitCode::BadInput);
}

}  // namespace
