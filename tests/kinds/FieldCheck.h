#pragma once

// Checks of the field kinds' fills that read the grid and the slot records by themselves: the
// step characters are decoded here, not through the engine's cell lists.

#include "../crossword/FillFixture.h"

#include "crossword/Crossword.h"
#include "dictionary/WorkDictionary.h"
#include "platform/Text.h"

#include <gtest/gtest.h>

#include <functional>
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

// A fill made by make stops at its first message run when Running is cleared there (-1, keeping
// what it placed), and when a 1-second limit has passed by then (-4). make must give a crossword
// whose fill takes more than 25 turns.
inline void ExpectCancelAndTimeLimitEnd(const std::function<std::unique_ptr<TCrossword>()>& make) {
    {
        RandSeed(5);
        const auto crossword = make();
        int errCode = 99;
        TFillResult best;
        bool filled = true;
        AtFirstMessageRun(
            [&] { filled = crossword->Fill(0, 0, crossword->Width, crossword->Height, false, errCode, best); },
            [&] { crossword->Running = 0; });
        EXPECT_FALSE(filled);
        EXPECT_EQ(errCode, FillError::Stopped);
        EXPECT_GT(best.Count(), 0);
    }
    {
        RandSeed(5);
        const ClockAtMessageRuns clock(1000);
        const auto crossword = make();
        crossword->FillParameters.TimeLimit = 1;
        int errCode = 99;
        TFillResult best;
        EXPECT_FALSE(crossword->Fill(0, 0, crossword->Width, crossword->Height, false, errCode, best));
        EXPECT_EQ(errCode, FillError::TimeLimit);
        EXPECT_EQ(clock.Runs(), 1);
    }
}
