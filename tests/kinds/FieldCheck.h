#pragma once

// Checks of the field kinds' fills that read the grid and the slot records by themselves: the
// step characters are decoded here, not through the engine's cell lists.

#include "crossword/Crossword.h"
#include "dictionary/WorkDictionary.h"
#include "platform/Text.h"

#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <string>
#include <vector>

struct FieldCell {
    int x = 0;
    int y = 0;
    bool operator==(const FieldCell&) const = default;
};

// The cells of slot i from its start and its keypad step digits.
inline std::vector<FieldCell> CellsOfSlot(const TCrossword& crossword, int i) {
    std::vector<FieldCell> cells{{crossword.Words.WordX(i), crossword.Words.WordY(i)}};
    for (const char step : crossword.Words.WordPath(i)) {
        const int digit = step - '0';
        const int dx = digit % 3 == 0 ? 1 : digit % 3 == 1 ? -1 : 0;
        const int dy = digit <= 3 ? 1 : digit >= 7 ? -1 : 0;
        cells.push_back({cells.back().x + dx, cells.back().y + dy});
    }
    return cells;
}

// The default dictionary, read apart from the crossword's.
inline std::unique_ptr<TWorkDictionary> DefaultDictionary() {
    auto dictionary = std::make_unique<TWorkDictionary>();
    dictionary->ShowProgress = false;
    dictionary->FileName = std::string(ZELVANA_DATA_DIR) + "/dic1.wdi";
    EXPECT_TRUE(dictionary->Load());
    return dictionary;
}

inline std::string DefaultDictionaryPath() {
    return std::string(ZELVANA_DATA_DIR) + "/dic1.wdi";
}

// Every slot holds a word of the dictionary, each word stands once, and the grid's letters on a
// slot's cells spell its word.
inline ::testing::AssertionResult WordsStandInTheGrid(const TCrossword& crossword, const TWorkDictionary& dictionary) {
    std::set<std::string> seen;
    for (int i = 0; i < crossword.Words.Count(); ++i) {
        if (!crossword.Words.SlotFilled(i)) return ::testing::AssertionFailure() << "slot " << i << " is empty";
        const std::string word(crossword.Words.SlotWord(i));
        int index = 0;
        if (!dictionary.Find(word, index))
            return ::testing::AssertionFailure() << "\"" << ToUtf8(word) << "\" is not in the dictionary";
        if (!seen.insert(word).second) return ::testing::AssertionFailure() << "\"" << ToUtf8(word) << "\" stands twice";
        std::string letters;
        for (const FieldCell& cell : CellsOfSlot(crossword, i)) letters += crossword.CellText(cell.x, cell.y);
        if (letters != word)
            return ::testing::AssertionFailure() << "the grid spells \"" << ToUtf8(letters) << "\" for \"" << ToUtf8(word)
                                                 << "\"";
    }
    return ::testing::AssertionSuccess();
}
