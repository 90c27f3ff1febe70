#include "SlotGraph.h"

#include "Crossword.h"

void TSlotGraph::Build(const TCrossword& crossword) {
    *this = TSlotGraph{};
    for (int slot = 0; slot < crossword.Words.Count(); ++slot) {
        const TCoord cells = crossword.SlotCells(slot);
        for (const TCell& cell : cells.Cells()) {
            mCells.push_back(cell);
            mFixed.push_back(crossword.FixedCells.IndexOfCell(cell.x, cell.y) >= 0 ? 1 : 0);
            for (const int other : crossword.SlotsThroughCell(cell.x, cell.y)) {
                mThrough.push_back(other);
                if (other != slot) mCross.push_back(other);
            }
            mThroughStart.push_back(static_cast<int>(mThrough.size()));
        }
        mCellStart.push_back(static_cast<int>(mCells.size()));
        mCrossStart.push_back(static_cast<int>(mCross.size()));
    }
}

std::span<const TCell> TSlotGraph::Cells(int slot) const {
    return std::span<const TCell>(mCells).subspan(mCellStart[slot], mCellStart[slot + 1] - mCellStart[slot]);
}

std::span<const int> TSlotGraph::SlotsThrough(int slot, int i) const {
    const int entry = mCellStart[slot] + i;
    return std::span<const int>(mThrough).subspan(mThroughStart[entry], mThroughStart[entry + 1] - mThroughStart[entry]);
}

std::span<const int> TSlotGraph::Crossing(int slot) const {
    return std::span<const int>(mCross).subspan(mCrossStart[slot], mCrossStart[slot + 1] - mCrossStart[slot]);
}
