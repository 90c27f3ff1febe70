// What crossgen does with the files it writes and reads: every output through the one writer
// (complete or not at all, links and devices kept, FIFOs refused, never over an input), every
// input a regular file or the standard input. The cases that need a file-size limit, a FIFO or a
// pipe run the crossgen binary through bash; the others run in process.

#include "../crossword/CrosswordFixture.h"

#include "PictureFiles.h"

#include "cli/Crossgen.h"
#include "platform/FileText.h"
#include "platform/Process.h"
#include "template/ClassicShablon.h"

#include <iostream>
#include <sstream>
#include <sys/stat.h>

namespace {

namespace fs = std::filesystem;

struct Outcome {
    int exitCode;
    std::string out;
    std::string err;
};

const std::string CrossgenBinary = std::string(ZELVANA_DATA_DIR) + "/crossgen";

// The text in single quotes for bash (the test's paths hold no quote).
std::string Quoted(const std::string& text) {
    return "'" + text + "'";
}

// std::cin reads text while the object lives.
class ScopedStandardInput {
public:
    explicit ScopedStandardInput(const std::string& text) : mText(text), mPrevious(std::cin.rdbuf(mText.rdbuf())) {
        std::cin.clear();
    }
    ~ScopedStandardInput() {
        std::cin.rdbuf(mPrevious);
        std::cin.clear();
    }
    ScopedStandardInput(const ScopedStandardInput&) = delete;
    ScopedStandardInput& operator=(const ScopedStandardInput&) = delete;

private:
    std::istringstream mText;
    std::streambuf* mPrevious;
};

class FileSafety : public CrosswordTest {
protected:
    void SetUp() override {
        CrosswordTest::SetUp();
        mDictionary = WriteDictionary({"дом", "дуб", "мир", "иск", "око", "бор", "кот", "лес", "сок"});
        TClassicShablon shablon(1, 1);
        DrawGrid(shablon, {"...#.", ".#...", "...#."});
        shablon.FileName = Path("knot.shb");
        ASSERT_TRUE(shablon.SaveToFile());
        mTemplate = shablon.FileName;
        mCrossword = Path("knot.cwd");
        ASSERT_EQ(Run({"fill", "--template", mTemplate, "--seed", "3", "--save", mCrossword}).exitCode, ExitCode::Filled);
        mStyle = Path("look.ini");
        ASSERT_EQ(Run({"style", "--out", mStyle}).exitCode, ExitCode::Filled);
    }

    Outcome Run(const std::vector<std::string>& args) {
        std::ostringstream out, err;
        const int code = RunCrossgen(args, out, err, {Path("templates.col"), mDictionary});
        return {code, out.str(), err.str()};
    }

    // The crossgen binary with the arguments, as a bash command; the dictionary is the test's.
    std::string Command(const std::vector<std::string>& args) const {
        std::string command = Quoted(CrossgenBinary);
        for (const std::string& arg : args) command += " " + Quoted(arg);
        return command;
    }

    // A bash script run with the standard error joined to the standard output and no input.
    static ProcessResult Shell(const std::string& script) {
        return RunProcess({"bash", "-c", "exec 2>&1 </dev/null; " + script});
    }

    std::string mDictionary, mTemplate, mCrossword, mStyle;
};

// Commands that write the file at out, with the test's files.
std::vector<std::vector<std::string>> Writers(const std::string& out, const std::string& shb, const std::string& cwd,
                                              const std::string& dictionary) {
    return {
        {"draw", "--template", shb, "--out", out, "--format", "pdf"},
        {"draw", "--template", shb, "--out", out, "--format", "svg"},
        {"draw", "--template", shb, "--out", out, "--format", "png"},
        {"view", "--template", shb, "--out", out, "--format", "png"},
        {"fill", "--template", shb, "--dict", dictionary, "--seed", "1", "--save", out},
        {"template", "--template", shb, "--out", out},
        {"edit", "--template", shb, "--crop", "--out", out},
        {"style", "--out", out},
        {"script", cwd, "--dict", dictionary, "--out", out},
        {"picture", cwd, "--dict", dictionary, "--out", out, "--format", "pdf"},
        {"picture", cwd, "--dict", dictionary, "--view", "--out", out, "--format", "png"},
    };
}

}  // namespace

TEST_F(FileSafety, AWriteCutShortKeepsTheOldFileAndSaysWhy) {
    const std::string out = Path("old.out");
    for (const auto& args : Writers(out, mTemplate, mCrossword, mDictionary)) {
        SCOPED_TRACE(::testing::PrintToString(args));
        ASSERT_TRUE(WriteFileText(out, "old"));
        const int files = static_cast<int>(std::distance(fs::directory_iterator(mDir), fs::directory_iterator()));
        // No byte may be written: every file the command makes is cut short at once.
        const ProcessResult run = Shell("trap '' XFSZ; ulimit -f 0; " + Command(args));
        EXPECT_EQ(run.exitCode, ExitCode::BadInput) << run.output;
        EXPECT_NE(run.output.find("crossgen: cannot write " + out + ": File too large"), std::string::npos) << run.output;
        EXPECT_EQ(FileBytes(out), "old");
        EXPECT_EQ(std::distance(fs::directory_iterator(mDir), fs::directory_iterator()), files);
    }
}

TEST_F(FileSafety, ALinkStaysALinkAndADeviceADevice) {
    const std::string target = Path("target.out");
    const std::string link = Path("link.out");
    fs::create_symlink(target, link);
    for (const auto& args : Writers(link, mTemplate, mCrossword, mDictionary)) {
        SCOPED_TRACE(::testing::PrintToString(args));
        ASSERT_TRUE(WriteFileText(target, "old"));
        const Outcome run = Run(args);
        EXPECT_EQ(run.exitCode, ExitCode::Filled) << run.err;
        EXPECT_TRUE(fs::is_symlink(link));
        EXPECT_GT(FileBytes(target).size(), 3u);
    }
    for (const auto& args : Writers("/dev/null", mTemplate, mCrossword, mDictionary)) {
        SCOPED_TRACE(::testing::PrintToString(args));
        const Outcome run = Run(args);
        EXPECT_EQ(run.exitCode, ExitCode::Filled) << run.err;
        struct stat info {};
        ASSERT_EQ(stat("/dev/null", &info), 0);
        EXPECT_TRUE(S_ISCHR(info.st_mode));
    }
}

TEST_F(FileSafety, FifosAreRefusedWithoutWaitingForThem) {
    const std::string fifo = Path("pipe");
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    std::vector<std::vector<std::string>> cases = Writers(fifo, mTemplate, mCrossword, mDictionary);
    const std::vector<std::vector<std::string>> readers = {
        {"show", fifo},
        {"clues", fifo},
        {"picture", fifo, "--out", Path("p.svg")},
        {"script", fifo, "--out", Path("s.txt")},
        {"tasks", fifo},
        {"check", "--template", fifo},
        {"fill", "--template", fifo},
        {"fill", "--picture", fifo},
        {"fill", "--size", "5x3", "--templates", fifo},
        {"fill", "--template", mTemplate, "--dict", fifo},
        {"fill", "--template", mTemplate, "--dict", mDictionary, "--style", fifo},
        {"show", mCrossword, "--dict", fifo},
        {"draw", "--template", mTemplate, "--style", fifo, "--out", Path("d.svg")},
        {"style", "--style", fifo, "--out", Path("s.ini")},
        {"shape", "--script", fifo},
    };
    cases.insert(cases.end(), readers.begin(), readers.end());
    for (const auto& args : cases) {
        SCOPED_TRACE(::testing::PrintToString(args));
        // A command that opened the FIFO would wait for its other end until the timeout.
        const ProcessResult run = Shell("timeout 60 " + Command(args));
        EXPECT_EQ(run.exitCode, ExitCode::BadInput) << run.output;
        EXPECT_NE(run.output.find(fifo + ": is a FIFO"), std::string::npos) << run.output;
    }
}

TEST_F(FileSafety, AnOutputThatIsAnInputIsRefusedUnlessTheCommandRewritesIt) {
    const std::string crossword = FileBytes(mCrossword), shb = FileBytes(mTemplate), dictionary = FileBytes(mDictionary);
    // A link to the crossword is the crossword too.
    fs::create_symlink(mCrossword, Path("alias.cwd"));
    const std::vector<std::vector<std::string>> refused = {
        {"script", mCrossword, "--out", mCrossword},
        {"script", mCrossword, "--out", Path("alias.cwd")},
        {"picture", mCrossword, "--out", mCrossword, "--format", "svg"},
        {"picture", mCrossword, "--style", mStyle, "--out", mStyle, "--format", "svg"},
        {"fill", "--template", mTemplate, "--save", mTemplate},
        {"fill", "--template", mTemplate, "--save", mDictionary},
        {"draw", "--template", mTemplate, "--out", mTemplate, "--format", "png"},
        {"view", "--template", mTemplate, "--out", mTemplate, "--format", "png"},
        {"template", "--picture", mTemplate, "--out", mTemplate},
    };
    for (const auto& args : refused) {
        SCOPED_TRACE(::testing::PrintToString(args));
        const Outcome run = Run(args);
        EXPECT_EQ(run.exitCode, ExitCode::BadInput);
        EXPECT_NE(run.err.find(": it is the input "), std::string::npos) << run.err;
    }
    EXPECT_EQ(FileBytes(mCrossword), crossword);
    EXPECT_EQ(FileBytes(mTemplate), shb);
    EXPECT_EQ(FileBytes(mDictionary), dictionary);

    // A template or style rewritten in place is meant, and replaced whole.
    TClassicShablon shablon(1, 1);
    DrawGrid(shablon, {"#####", "#...#", "#####"});
    shablon.FileName = Path("framed.shb");
    ASSERT_TRUE(shablon.SaveToFile());
    ASSERT_EQ(Run({"edit", "--template", shablon.FileName, "--crop", "--out", shablon.FileName}).exitCode,
              ExitCode::Filled);
    EXPECT_EQ(FileBytes(shablon.FileName), std::string(TShablon::Prefix) + "031\x01\x01\x01");
    EXPECT_EQ(Run({"template", "--template", shablon.FileName, "--out", shablon.FileName}).exitCode, ExitCode::Filled);
    EXPECT_EQ(Run({"style", "--style", mStyle, "--out", mStyle}).exitCode, ExitCode::Filled);
}

TEST_F(FileSafety, DashIsTheStandardOutputOfEveryWriter) {
    const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
        {{"draw", "--template", mTemplate, "--out", "-", "--format", "svg"}, "<?xml"},
        {{"draw", "--template", mTemplate, "--out", "-", "--format", "pdf"}, "%PDF"},
        {{"draw", "--template", mTemplate, "--out", "-", "--format", "png"}, "\x89PNG"},
        {{"view", "--template", mTemplate, "--out", "-"}, "\x89PNG"},
        {{"picture", mCrossword, "--out", "-", "--format", "svg"}, "<?xml"},
        {{"picture", mCrossword, "--view", "--out", "-", "--format", "png"}, "\x89PNG"},
        {{"script", mCrossword, "--out", "-"}, ".CreateRectangle"},
        {{"template", "--template", mTemplate, "--out", "-"}, std::string(TShablon::Prefix) + "053"},
        {{"edit", "--template", mTemplate, "--mirror", "h", "--out", "-"}, std::string(TShablon::Prefix) + "053"},
        {{"style", "--out", "-"}, "[SHABLON_MAIN]"},
        {{"fill", "--template", mTemplate, "--seed", "3", "--save", "-"}, FileBytes(mCrossword)},
    };
    for (const auto& [args, head] : cases) {
        SCOPED_TRACE(::testing::PrintToString(args));
        const Outcome run = Run(args);
        EXPECT_EQ(run.exitCode, ExitCode::Filled) << run.err;
        EXPECT_TRUE(run.out.starts_with(head)) << run.out.substr(0, 40);
    }
    // The standard output holds the file alone: a picture needs its format named, and fill
    // prints no JSON beside its file.
    const std::vector<std::vector<std::string>> refused = {
        {"draw", "--template", mTemplate, "--out", "-"},
        {"picture", mCrossword, "--out", "-"},
        {"fill", "--template", mTemplate, "--save", "-", "--json"},
    };
    for (const auto& args : refused) EXPECT_EQ(Run(args).exitCode, ExitCode::BadInput) << ::testing::PrintToString(args);
}

TEST_F(FileSafety, DashIsTheStandardInputOfEveryFileACommandReadsItself) {
    const std::string shown = Run({"show", mCrossword}).out;
    {
        const ScopedStandardInput in(FileBytes(mCrossword));
        const Outcome run = Run({"show", "-"});
        EXPECT_EQ(run.exitCode, ExitCode::Filled) << run.err;
        EXPECT_EQ(run.out, shown);
    }
    {
        const ScopedStandardInput in(FileBytes(mCrossword));
        EXPECT_EQ(Run({"clues", "-"}).out, Run({"clues", mCrossword}).out);
    }
    {
        const ScopedStandardInput in(FileBytes(mTemplate));
        const Outcome run = Run({"fill", "--template", "-", "--seed", "3"});
        EXPECT_EQ(run.exitCode, ExitCode::Filled) << run.err;
        EXPECT_EQ(run.out, shown);
    }
    {
        const ScopedStandardInput in("not a crossword");
        const Outcome run = Run({"show", "-"});
        EXPECT_EQ(run.exitCode, ExitCode::BadInput);
        EXPECT_NE(run.err.find("crossgen: - is not a crossword file"), std::string::npos) << run.err;
    }
    // Files the engine opens by name are not read from the standard input.
    EXPECT_EQ(Run({"show", mCrossword, "--dict", "-"}).exitCode, ExitCode::BadInput);

    // A pipe from one crossgen to the next.
    const ProcessResult piped = Shell(Command({"fill", "--template", mTemplate, "--dict", mDictionary, "--seed", "3",
                                               "--save", "-"}) +
                                      " | " + Command({"show", "-", "--dict", mDictionary}));
    EXPECT_EQ(piped.exitCode, 0) << piped.output;
    EXPECT_EQ(piped.output, shown);
}
