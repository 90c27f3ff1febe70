#pragma once

// TEnglishCrossword: the word field (kind 6). Words lie straight in any of the eight directions,
// crossing and sharing letters freely, until every letter cell is covered (or, with FillWhole
// off, until TargetWords words stand); no word lies inside another, the export writes a random
// letter into any cell left empty and the word list follows no order of the field.

#include "crossword/Crossword.h"

#include <cstdint>

class TEnglishCrossword : public TCrossword {
public:
    TEnglishCrossword();

    uint16_t TargetWords = 30;
    uint8_t FillWhole = 1;

    // Only the fill decides success.
    bool IsComplete() const override { return false; }
    // No fixed slots.
    void RebuildWords() override { Words.Clear(); }
    // The straight-line rule.
    TWordLengthLimits WordLengthLimits(const TCoord& coord, std::string& text) const override;
    void SlotExtraText(const TCoord& coord, std::string& text) const override;
    void ExtraCells(const TCoord& coord, TCoord& cells) const override;
    // Passes over the area laying words from every letter cell, making room when a pass lays
    // none; the word list is shuffled at the end.
    bool FillSpecial(int x1, int y1, int x2, int y2, int& errCode, TFillResult& result) override;
    // The base driver with the word field's own fill.
    bool Fill(int x1, int y1, int x2, int y2, bool useSpecial, int& errCode, TFillResult& best) override;

private:
    // The best word laid from (x, y) towards one of its neighbours, none lying inside a word that
    // stands; false when none fits.
    bool BestWordFrom(int x, int y, std::string& word, TCoord& cells) const;
    // True when every cell of cells is a cell of one word that stands.
    bool LiesInAWord(const TCoord& cells) const;
    // Takes out the words, but Locked ones, that lie inside the word of slot: only maximal words
    // stay listed.
    void RemoveWordsWithin(int slot);
    // Takes out the words through a random neighbour of every empty letter cell listed that are
    // not Locked.
    void MakeRoom(const std::vector<TCell>& emptyCells);
    // Exchanges slot records at random, Locked ones staying in place.
    void ShuffleWords();
};
