#pragma once

// TWordVariant: the slot-choice table of the backtracking fill, one entry per slot of the
// crossword. Per slot: the last counted number of candidates, whether it must be counted again,
// and whether it may be chosen. Reading an index outside the table gives count NoCount, no
// recount and not selectable; writing one is ignored.

#include <cstdint>
#include <vector>

class TWordVariant {
public:
    static constexpr int NoCount = 100000;

    // A table for slots 0 .. slotCount - 1: counts 0, every slot to be counted, none selectable.
    explicit TWordVariant(int slotCount);

    int SlotCount() const { return static_cast<int>(mCount.size()); }
    // The selectable slot with the fewest candidates (below NoCount), the lowest index on a tie;
    // 0 when none is selectable.
    int BestSlot() const;

    bool IsSelectable(int i) const { return InTable(i) && mSelectable[i]; }
    void SetSelectable(int i, bool on) {
        if (InTable(i)) mSelectable[i] = on;
    }
    bool NeedsRecountOf(int i) const { return InTable(i) && mNeedsRecount[i]; }
    void SetNeedsRecount(int i, bool on) {
        if (InTable(i)) mNeedsRecount[i] = on;
    }
    int CountOf(int i) const { return InTable(i) ? mCount[i] : NoCount; }
    void SetCount(int i, int n) {
        if (InTable(i)) mCount[i] = n;
    }

private:
    bool InTable(int i) const { return i >= 0 && i < SlotCount(); }

    std::vector<int32_t> mCount;
    std::vector<uint8_t> mNeedsRecount;
    std::vector<uint8_t> mSelectable;
};
