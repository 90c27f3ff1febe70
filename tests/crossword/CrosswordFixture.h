#pragma once

// Crossword fixtures built by the tests themselves: a grid drawn as text ("#" a block, any
// other character a letter cell) and a small dictionary written with the project's own writer.

#include "../template/GridPicture.h"

#include "crossword/ClassicCrossword.h"
#include "dictionary/DictionaryWriter.h"
#include "platform/RecordingUi.h"
#include "platform/Text.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <unistd.h>
#include <vector>

// Words are given in UTF-8 with an optional category: "кот" or "кот:1".
inline std::vector<DictionaryWord> DictionaryWords(const std::vector<std::string>& utf8Words) {
    std::vector<DictionaryWord> words;
    for (const std::string& entry : utf8Words) {
        DictionaryWord word;
        const auto colon = entry.find(':');
        word.text = FromUtf8(entry.substr(0, colon));
        if (colon != std::string::npos) word.category = static_cast<WordCategory>(entry[colon + 1] - '0');
        words.push_back(word);
    }
    SortInDictionaryOrder(words, CellFormatSingle);
    return words;
}

inline std::string Cp(const std::string& utf8) {
    return FromUtf8(utf8);
}

class CrosswordTest : public ::testing::Test {
protected:
    void SetUp() override {
        mDir = std::filesystem::temp_directory_path() /
               ("zelvana-crossword-" + std::to_string(getpid()) + "-" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::create_directories(mDir);
    }
    void TearDown() override { std::filesystem::remove_all(mDir); }

    std::string Path(const std::string& name) const { return (mDir / name).string(); }

    std::string WriteDictionary(const std::vector<std::string>& utf8Words, const std::string& name = "words.wdi") {
        const std::string path = Path(name);
        EXPECT_TRUE(WriteDictionaryFile(path, DictionaryLayout{}, DictionaryWords(utf8Words)));
        return path;
    }

    // A classic crossword (or a test kind) of the grid with its slots built, its dictionary
    // holding the words.
    template <typename TKind = TClassicCrossword>
    std::unique_ptr<TKind> Make(const GridPicture& grid, const std::vector<std::string>& utf8Words) {
        auto crossword = std::make_unique<TKind>();
        crossword->Dictionary.ShowProgress = false;
        EXPECT_TRUE(crossword->LoadDictionary(WriteDictionary(utf8Words)));
        crossword->SetWidth(static_cast<int>(grid[0].size()));
        crossword->SetHeight(static_cast<int>(grid.size()));
        DrawGrid(*crossword->Template, grid);
        crossword->PrepareForFill();
        return crossword;
    }

    // The grid's letters in UTF-8: "#" for a block, "." for an empty letter cell.
    static GridPicture Letters(const TCrossword& crossword) {
        GridPicture rows;
        for (int y = 0; y < crossword.Height; ++y) {
            std::string row;
            for (int x = 0; x < crossword.Width; ++x) {
                if (!crossword.Template->IsLetterCell(x, y))
                    row += '#';
                else if (crossword.IsCellEmpty(x, y))
                    row += '.';
                else
                    row += ToUtf8(crossword.CellText(x, y));
            }
            rows.push_back(row);
        }
        return rows;
    }

    // The slot that starts at (x, y) going across ("6" steps) or down ("2" steps).
    static int Across(const TCrossword& crossword, int x, int y, int length) {
        return crossword.Words.FindSlot(x, y, std::string(length - 1, '6'));
    }
    static int Down(const TCrossword& crossword, int x, int y, int length) {
        return crossword.Words.FindSlot(x, y, std::string(length - 1, '2'));
    }

    ScopedRecordingUi mUi;
    std::filesystem::path mDir;
};
