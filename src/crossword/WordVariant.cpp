#include "WordVariant.h"

#include <algorithm>

TWordVariant::TWordVariant(int slotCount)
    : mCount(std::max(slotCount, 0), 0), mNeedsRecount(std::max(slotCount, 0), 1), mSelectable(std::max(slotCount, 0), 0) {}

int TWordVariant::BestSlot() const {
    int best = 0;
    int bestCount = NoCount;
    for (int i = 0; i < SlotCount(); ++i)
        if (mSelectable[i] && mCount[i] < bestCount) {
            best = i;
            bestCount = mCount[i];
        }
    return best;
}
