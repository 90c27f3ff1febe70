#include "platform/FileText.h"
#include "platform/RecordingUi.h"
#include "platform/Text.h"

#include <filesystem>
#include <gtest/gtest.h>

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
