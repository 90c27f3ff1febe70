#pragma once

// TFillWordCrossword: the fill-word (kind 5). Words snake through the field by orthogonal steps,
// never sharing a cell, until every letter cell belongs to a word; the answer lines strike the
// words through.

#include "StrikeOut.h"

#include "crossword/Crossword.h"

#include <cstdint>
#include <vector>

class TFillWordCrossword : public TCrossword, public TStrikeOutOwner {
public:
    TFillWordCrossword();

    // No letter cell is left without a word.
    bool IsComplete() const override;
    // The first word whose cells hold (x, y).
    void WordsThroughCell(int x, int y, TShablonWords& words) const override;
    // At a free letter cell: up to the longest path of free letter cells from it (25 at most),
    // with an empty pattern. At a cell a word covers: that word's length and pattern, not allowed.
    TWordLengthLimits WordLengthLimits(const TCoord& coord, std::string& text) const override;
    // The free letter cells beside the last cell of coord, across and down only.
    void ExtraCells(const TCoord& coord, TCoord& cells) const override;
    // Covers the free letter cells of the area with words until none is left.
    bool FillSpecial(int x1, int y1, int x2, int y2, int& errCode, TFillResult& result) override;
    // The base driver with the fill-word's own fill.
    bool Fill(int x1, int y1, int x2, int y2, bool useSpecial, int& errCode, TFillResult& best) override;

    // The base items, then with ShowLine one answer line through every word.
    void ExportCrosswordScript(TComExport& list, int mode) override;
    // The base styles and the answer lines' "STRIKE_OUT".
    void ExportCharStyles(TCommandWriter& writer, int mode) const override;
    // The base sections and "FILLWORD_STRIKEOUT".
    bool LoadStyles(const std::string& path) override;
    bool WriteStyles(TIniFile& ini) override;
    // The base styles, and the answer lines' look from a kind that draws them.
    void CopyStyles(const TCrossword& other) override;

private:
    // Width x Height flags, [x * Height + y]: 1 for a letter cell no word covers.
    std::vector<uint8_t> FreeCells() const;
    // The slot of the first word over (x, y), or -1.
    int CoveringSlot(int x, int y) const;
    // One turn's answer to a start cell that took no word: takes out a word beside it that is
    // not Locked. False when there is none.
    bool FreeNeighbour(int x, int y);
};
