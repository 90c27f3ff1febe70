#include "platform/FileText.h"
#include "platform/OutputFile.h"
#include "platform/RecordingUi.h"
#include "platform/Text.h"

#include "ScratchFolder.h"

#include <cerrno>
#include <csignal>
#include <cstring>
#include <filesystem>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>

namespace fs = std::filesystem;

class FileWrite : public testing::Test {
protected:
    void SetUp() override {
        dir = fs::temp_directory_path() / ("zelvana-write-" + std::to_string(::getpid()));
        fs::remove_all(dir);
        fs::create_directories(dir);
    }
    void TearDown() override { fs::remove_all(dir); }

    int FilesIn(const fs::path& folder) const {
        return static_cast<int>(std::distance(fs::directory_iterator(folder), fs::directory_iterator()));
    }

    ScopedRecordingUi ui;
    fs::path dir;
};

TEST_F(FileWrite, ReplacesTheWholeFileAndLeavesNothingBeside) {
    const std::string path = (dir / "game.sav").string();
    ASSERT_TRUE(WriteFileText(path, std::string(10000, 'a')));
    ASSERT_TRUE(WriteFileText(path, "short"));
    std::string text;
    ASSERT_TRUE(ReadFileText(path, text));
    EXPECT_EQ(text, "short");
    EXPECT_EQ(FilesIn(dir), 1);
    EXPECT_TRUE(ui->Messages.empty());
}

TEST_F(FileWrite, AFailedWriteKeepsWhatWasThereAndSaysWhere) {
    // A folder stands where the file should go: the new text cannot replace it.
    const fs::path target = dir / "игра.sav";
    fs::create_directories(target / "inner");
    EXPECT_FALSE(WriteFileText(target.string(), "new"));
    EXPECT_TRUE(fs::is_directory(target / "inner"));
    EXPECT_EQ(FilesIn(dir), 1);  // no half-written file left behind
    ASSERT_EQ(ui->Messages.size(), 1u);
    EXPECT_EQ(ui->Messages[0], Format("Ошибка записи в файл %s"_cp, FromUtf8(target.string())));

    EXPECT_FALSE(WriteFileText((dir / "missing" / "a.sav").string(), "x"));
    EXPECT_EQ(ui->Messages.size(), 2u);
}

TEST_F(FileWrite, ALinkStaysALinkAndItsTargetIsReplaced) {
    const fs::path target = dir / "real.cwd";
    const fs::path link = dir / "link.cwd";
    ASSERT_TRUE(WriteOutputFile(target.string(), "old"));
    fs::create_symlink("real.cwd", link);
    ASSERT_TRUE(WriteOutputFile(link.string(), "new"));
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(ScratchFolder::Read(target.string()), "new");

    // A dangling link makes its target.
    const fs::path dangling = dir / "dangling.cwd";
    fs::create_symlink("made.cwd", dangling);
    ASSERT_TRUE(WriteOutputFile(dangling.string(), "made"));
    EXPECT_TRUE(fs::is_symlink(dangling));
    EXPECT_EQ(ScratchFolder::Read((dir / "made.cwd").string()), "made");

    fs::create_symlink("loop.cwd", dir / "loop.cwd");
    EXPECT_FALSE(WriteOutputFile((dir / "loop.cwd").string(), "x"));
}

TEST_F(FileWrite, AReplacedFileKeepsItsPermissions) {
    const fs::path path = dir / "style.sty";
    ASSERT_TRUE(WriteOutputFile(path.string(), "a"));
    fs::permissions(path, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    ASSERT_TRUE(WriteOutputFile(path.string(), "b"));
    EXPECT_EQ(fs::status(path).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
}

TEST_F(FileWrite, DevicesAreWrittenInPlaceAndFifosAndFoldersRefused) {
    // /dev/full takes nothing: the write fails with its reason, and the device stays a device.
    const TFileOutcome full = WriteOutputFile("/dev/full", "x");
    EXPECT_FALSE(full);
    EXPECT_EQ(full.Reason(), std::strerror(ENOSPC));
    EXPECT_TRUE(fs::is_character_file("/dev/full"));
    EXPECT_TRUE(WriteOutputFile("/dev/null", "x"));
    EXPECT_TRUE(fs::is_character_file("/dev/null"));

    // A FIFO nobody reads is refused at once rather than waited on.
    const fs::path fifo = dir / "pipe";
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    const TFileOutcome piped = WriteOutputFile(fifo.string(), "x");
    EXPECT_EQ(piped.Reason(), "is a FIFO");
    EXPECT_TRUE(fs::is_fifo(fifo));
    EXPECT_EQ(CheckOutputPath(fifo.string()).Reason(), "is a FIFO");
    EXPECT_EQ(CheckOutputPath(dir.string()).Reason(), "is a directory");
    EXPECT_TRUE(CheckOutputPath((dir / "new.png").string()));
}

TEST_F(FileWrite, AWriteCutShortByTheFileSizeLimitKeepsTheOldFile) {
    const fs::path path = dir / "grid.pdf";
    const std::string old(100, 'o');
    ASSERT_TRUE(WriteOutputFile(path.string(), old));

    struct rlimit saved {};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto previous = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit limited = saved;
    limited.rlim_cur = 1024;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limited), 0);
    const TFileOutcome outcome = WriteOutputFile(path.string(), std::string(4096, 'n'));
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previous);

    EXPECT_FALSE(outcome);
    EXPECT_EQ(outcome.Reason(), std::strerror(EFBIG));
    EXPECT_EQ(ScratchFolder::Read(path.string()), old);
    EXPECT_EQ(FilesIn(dir), 1);
}

TEST_F(FileWrite, SameFileFollowsLinks) {
    const fs::path a = dir / "a", b = dir / "b";
    ASSERT_TRUE(WriteOutputFile(a.string(), "a"));
    fs::create_symlink("a", b);
    EXPECT_TRUE(IsSameFile(a.string(), b.string()));
    EXPECT_FALSE(IsSameFile(a.string(), (dir / "missing").string()));
}
