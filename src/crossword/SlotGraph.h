#pragma once

// TSlotGraph: the shape of a crossword's slots as the fill needs it, worked out once at the
// start of a fill so that the search itself asks the template nothing. For every slot: its
// cells; for every cell of it, the slots that pass through that cell (as the crossword's
// WordsThroughCell and FindSlot give them) and whether its letter is fixed; and the crossing
// slots, once per shared cell. The template, the slot list and the fixed cells must not change
// while the graph is in use.

#include "template/Coord.h"

#include <span>
#include <vector>

class TCrossword;

class TSlotGraph {
public:
    void Build(const TCrossword& crossword);

    int SlotCount() const { return static_cast<int>(mCellStart.size()) - 1; }
    std::span<const TCell> Cells(int slot) const;
    // The slots through cell i of slot (slot itself among them).
    std::span<const int> SlotsThrough(int slot, int i) const;
    bool IsFixed(int slot, int i) const { return mFixed[mCellStart[slot] + i] != 0; }
    std::span<const int> Crossing(int slot) const;

private:
    std::vector<int> mCellStart{0};     // per slot: its first entry in mCells, then the end
    std::vector<TCell> mCells;
    std::vector<uint8_t> mFixed;        // per entry of mCells
    std::vector<int> mThroughStart{0};  // per entry of mCells: its first entry in mThrough
    std::vector<int> mThrough;
    std::vector<int> mCrossStart{0};    // per slot: its first entry in mCross
    std::vector<int> mCross;
};
