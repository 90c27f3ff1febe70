#pragma once

// TKinder: the children's crossword (kind 12). One straight word per column (or row) of the field,
// each a run the fill chooses, preferring runs through the key-word cells, whose letters the key
// word fixes. Every word's first cell is numbered, line by line. The printed puzzle shows the
// cells of the placed words and the key-word cells only.

#include "KinderShablon.h"

#include "crossword/Crossword.h"

#include <string>

class TKinder : public TCrossword {
public:
    TKinder();

    TKinderShablon& Shape() { return static_cast<TKinderShablon&>(*Template); }
    const TKinderShablon& Shape() const { return static_cast<const TKinderShablon&>(*Template); }

    // One word stands in every line.
    bool IsComplete() const override;
    // No fixed slots.
    void RebuildWords() override { Words.Clear(); }
    std::string SlotPattern(int slot) const override;
    // The base placing with the word's first cell numbered.
    int TryPutWord(int slot, std::string_view word, TPutChecks checks) override;
    // The base removal; the key word's letters stay in their cells.
    void RemoveWord(int slot) override;
    std::string KeywordText() const override { return Keyword; }
    // Stores the key word and writes it into the key-word cells, keeping the words that agree
    // with it; options play no part.
    bool SetKeyword(std::string_view keyword, TKeywordOptions options) override;
    // Only the key-word cells bind: the n-th key-word cell holds the key word's n-th letter.
    std::string PatternAtCoord(const TCoord& coord) const override;
    // The base placing of a word that agrees with the key word, its first cell numbered.
    int PutWordAtCoord(const TCoord& coord, std::string_view word, TPutChecks checks, int& slot) override;
    // A word runs straight along its line from its start over letter cells, at least 2 cells,
    // and only in a line without a word.
    TWordLengthLimits WordLengthLimits(const TCoord& coord, std::string& text) const override;
    void SlotExtraText(const TCoord& coord, std::string& text) const override;
    // One word per line of the area, in order, without taking words back.
    bool FillSpecial(int x1, int y1, int x2, int y2, int& errCode, TFillResult& result) override;
    bool Fill(int x1, int y1, int x2, int y2, bool useSpecial, int& errCode, TFillResult& best) override;
    // The base export drawing only the key-word cells and the cells of the placed words.
    void ExportCrosswordScript(TComExport& list, int mode) override;
    // The crossword file in its version 2: the key word in block G, the key-word cells in block I
    // where the base keeps the caller's text (none is written or read), no pictures. The file
    // operations come here through the base.
    std::string SaveToText(bool withPictures, std::string_view extra) override;
    bool LoadFromText(std::string_view data, bool loadDictionary, bool showMessages, std::string& extra) override;

    std::string Keyword;

private:
    // The key word's letter for (x, y): empty unless it is a key-word cell within the key word.
    std::string KeywordLetter(int x, int y) const;
    // The key word's letters into the key-word cells; the others empty unless a word holds them.
    void WriteKeyword();
    // The numbered flag of (x, y) set or cleared, then the numbers renewed.
    void MarkWordStart(int x, int y, bool on);
    // A random word of exactly length cells for the run of steps from (x, y), drawn as the fill
    // draws (ordinary words first); false when none.
    bool DrawRunWord(int x, int y, std::string_view steps, int length, std::string& word) const;
    // The word the fill lays on line, with its first place along the line; false for none.
    bool ChooseLineWord(int line, int firstPlace, int lastPlace, std::string& word, int& place) const;
};
