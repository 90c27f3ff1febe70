#pragma once

// TWordVariant: the slot-choice table of the backtracking fill, for slot indices 0 .. 2999.
// Per slot: the last counted number of candidates, whether it must be counted again, and
// whether it may be chosen. Reading an index outside the table gives count 100000, no recount
// and not selectable; writing one is ignored, so slots beyond the table are never chosen.

#include <array>
#include <cstdint>

class TWordVariant {
public:
    static constexpr int MaxSlots = 3000;
    static constexpr int NoCount = 100000;

    int SlotCount = MaxSlots;

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
    static bool InTable(int i) { return i >= 0 && i < MaxSlots; }

    std::array<int32_t, MaxSlots> mCount{};
    std::array<bool, MaxSlots> mNeedsRecount = [] {
        std::array<bool, MaxSlots> all;
        all.fill(true);
        return all;
    }();
    std::array<bool, MaxSlots> mSelectable{};
};
