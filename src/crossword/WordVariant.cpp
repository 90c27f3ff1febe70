#include "WordVariant.h"

#include <algorithm>

int TWordVariant::BestSlot() const {
    int best = 0;
    int bestCount = NoCount;
    const int last = std::min(SlotCount, MaxSlots);
    for (int i = 0; i < last; ++i)
        if (mSelectable[i] && mCount[i] < bestCount) {
            best = i;
            bestCount = mCount[i];
        }
    return best;
}
