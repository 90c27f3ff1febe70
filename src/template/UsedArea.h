#pragma once

// The used cells' bounds of a template as one value, for the exports that crop to them.

#include "Shablon.h"

struct TUsedArea {
    int MinX = 0;
    int MinY = 0;
    int EndX = 1;  // one past the last used column
    int EndY = 1;  // one past the last used row
};

inline TUsedArea UsedArea(const TShablon& shablon) {
    TUsedArea a;
    shablon.GetUsedBounds(a.MinX, a.MinY, a.EndX, a.EndY);
    return a;
}
