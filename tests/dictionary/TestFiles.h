#pragma once

// A scratch folder per test and small dictionaries written with the project's own writer.

#include "dictionary/DictionaryWriter.h"
#include "dictionary/FileHelpers.h"
#include "platform/Text.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <unistd.h>
#include <string>
#include <vector>

class ScratchDir {
public:
    ScratchDir() {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        mPath = std::filesystem::temp_directory_path() /
                ("zelvana-dict-" + std::string(info->test_suite_name()) + "-" + info->name() + "-" +
                 std::to_string(::getpid()));
        std::filesystem::remove_all(mPath);
        std::filesystem::create_directories(mPath);
    }
    ~ScratchDir() { std::filesystem::remove_all(mPath); }
    std::string File(const std::string& name) const { return (mPath / name).string(); }

private:
    std::filesystem::path mPath;
};

// Ordinary words from UTF-8 texts, in the given order.
inline std::vector<DictionaryWord> Words(std::initializer_list<std::string_view> utf8Texts) {
    std::vector<DictionaryWord> words;
    for (const auto text : utf8Texts) words.push_back({FromUtf8(text), WordCategory::Ordinary, {}});
    return words;
}

inline std::string WriteBytes(const std::string& path, const std::string& bytes) {
    EXPECT_TRUE(WriteFileText(path, bytes));
    return path;
}
