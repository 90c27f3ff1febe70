#pragma once

// TEstonishCrossword (kind 1) and TAmerican (kind 11): crosswords on the wall templates. Their
// slots are the template's straight runs, so the fill works on the grid as for the classic kind.

#include "crossword/Crossword.h"

class TEstonishCrossword : public TCrossword {
public:
    TEstonishCrossword();

    bool KeepsBasePlacement() const override { return true; }
};

// The American crossword prints its clues in strips beside the grid (CluesInGrid on).
class TAmerican : public TCrossword {
public:
    TAmerican();

    bool KeepsBasePlacement() const override { return true; }
    // Always empty: the clues stand in the strips.
    std::string BuildDirectionClues(const TClueListOptions& options) const override { return {}; }
    // Modes 1 and 4 on: the across words by row, each row left to right, then the down words by
    // column, each column top to bottom; the others as the base orders them.
    std::vector<int> OrderedWords(int mode) const override;
};
