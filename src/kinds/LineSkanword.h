#pragma once

// TLineSkanword: the strip scanword (kind 4). One chain of letters in the two rows of a strip,
// each row cut into consecutive words of its own; a column carries one letter in both rows, so
// the upper words and the lower words spell the same chain. Slots exist only where words were
// placed; every word lies in one row, runs right and shares no cell with another of its row.

#include "crossword/Crossword.h"

#include <string>

class TLineSkanword : public TCrossword {
public:
    TLineSkanword();

    // Every letter cell of both rows holds a letter.
    bool IsComplete() const override;
    // No slots until words are placed.
    void RebuildWords() override { Words.Clear(); }
    // The slot's cells as the other row binds them.
    std::string SlotPattern(int slot) const override;
    // The base removal; then the slot's cells empty but for fixed letters.
    void RemoveWord(int slot) override;
    // Fixes the letter in both rows of the column.
    void SetFixedLetter(int x, int y, std::string_view letter) override;
    // Per cell the letter (placed or fixed) in the same column of the other row; open otherwise.
    std::string PatternAtCoord(const TCoord& coord) const override;
    // Refuses (2) a coord that leaves the strip's letter cells, does not run right along one row,
    // or meets another word of its row, and a word the other row's letters do not match; then
    // the base placement.
    int PutWordAtCoord(const TCoord& coord, std::string_view word, TPutChecks checks, int& slot) override;
    // The free run from coord's first cell: allowed from 2 letters up to the run's length.
    TWordLengthLimits WordLengthLimits(const TCoord& coord, std::string& text) const override;
    // "6" per further cell of the free run to the right: up to the next word of the row, a
    // column without letters or the row's end, 24 cells at most; empty when a word passes
    // through the first cell.
    void SlotExtraText(const TCoord& coord, std::string& text) const override;
    // Lays words from the left, column by column, going back over the positions when stuck.
    bool FillSpecial(int x1, int y1, int x2, int y2, int& errCode, TFillResult& result) override;
    // The base driver, with the strip's own fill when unformatted.
    bool Fill(int x1, int y1, int x2, int y2, bool useSpecial, int& errCode, TFillResult& best) override;

    // The chain: the upper row's letters, "?" for an empty cell.
    std::string BuildClueText(const TClueListOptions& options) const override;
    // The definitions of the upper words left to right, then those of the lower words.
    std::string BuildCluePages(const TClueListOptions& options, bool withAnswers) const override;
    std::string BuildDirectionClues(const TClueListOptions& options) const override { return {}; }
    // With CheckFits, only the alternatives that fit the slot's definition box: as wide as the
    // word, one cell high.
    bool PickDefinition(bool applyCase, std::string_view definitions, std::string& text,
                        const TDefinitionChoice& choice) const override;

    // The upper row's cells and letters, then the definition boxes of both rows.
    void ExportCrosswordScript(TComExport& list, int mode) override;
    void ExportItalianScript(TComExport& list) override {}
    void ExportMarkedWordsScript(TComExport& list) override {}
    void ExportSapperScript(TComExport& list) override {}
    // The strip has no blocks: the list is emptied.
    void ExportCellsScript(TComExport& list, const std::vector<TCellBlock>& blocks) override;
    // The base styles and "SKANWORD_OPR".
    void ExportCharStyles(TCommandWriter& writer, int mode) const override;
    // The strip with the upper boxes above it and the lower boxes below.
    void DrawToMetafile(TMetafile& metafile, int mode) override;

    // The slot of row y whose first cell is in column x, or -1.
    int WordStartingAt(int x, int y) const;

private:
    // The definition boxes: the upper words' one row above the strip, the lower words' in the
    // lower row.
    void ExportDefinitions(TComExport& list);
    // True when (x, y) lies in the strip's two rows within the grid's columns.
    bool InStrip(int x, int y) const { return x >= 0 && x < Width && y >= 0 && y < 2; }
    // A letter (placed or fixed) stands in (x, y).
    bool HoldsLetter(int x, int y) const;
};
