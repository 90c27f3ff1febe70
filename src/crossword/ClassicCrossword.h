#pragma once

// TClassicCrossword: the classic crossword (kind 0) on a classic template. The game owns one.

#include "Crossword.h"

class TClassicCrossword : public TCrossword {
public:
    TClassicCrossword();

    bool KeepsBasePlacement() const override { return true; }
};
