#pragma once

// TDiagonalCrossword: the diagonal crossword (kind 17) on a diagonal template. Its slots are the
// template's fixed diagonal runs, so the fill places words as the classic crossword does; the
// clue lists split the down-right words ("3") from the down-left ones ("1").

#include "crossword/Crossword.h"

class TDiagonalCrossword : public TCrossword {
public:
    TDiagonalCrossword();

    // Takes a classic-style grid laid on the lattice (TDiagonalShablon::LayOnLattice) as its
    // template, numbered and with its slots rebuilt.
    void LayOnLattice(const TShablon& grid);

    bool KeepsBasePlacement() const override { return true; }
    // The grid has no rows and columns of words to group clues by.
    std::string BuildDirectionClues(const TClueListOptions& options) const override;
    // The down-right list, then the down-left one, under their headings when asked.
    std::string JoinDirectionClues(const TClueListOptions& options, std::string_view downRight,
                                   std::string_view separator, std::string_view downLeft) const override;

    // Mode 4 has no row and column labels on the lattice: it shows what mode 1 shows.
    void ExportCrosswordScript(TComExport& list, int mode) override;
    // The codeword table on every second lattice column below the grid, at least one entry a line.
    void ExportKeywordScript(TComExport& list) override;
    void ExportItalianScript(TComExport& list) override {}

    // The picture of a mode: mode 4 as mode 1, and mode 2 as high as its table on the lattice.
    void DrawToMetafile(TMetafile& metafile, int mode) override;
    // The diamond view with each letter fitted into the square round its diamond's centre, green
    // when fixed.
    void DrawToBitmap(TFastDrawParameters parameters, TBitmap& bitmap) override;
};
