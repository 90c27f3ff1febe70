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
};
