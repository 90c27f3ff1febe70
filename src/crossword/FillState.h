#pragma once

// What a fill keeps between its passes (the fill's own header; the crossword's users never see
// it).

#include "Crossword.h"
#include "SlotGraph.h"

#include "dictionary/Mask.h"

#include <algorithm>
#include <span>
#include <string>
#include <vector>

// The deepest state a search has reached, in SaveState's records, kept as the search goes: a
// save makes records only for the levels placed since the levels were last the same, where
// SaveState makes one for every filled slot each time. It holds only while placing a word
// changes no slot but its own (a kind that keeps the base placement).
class TDeepestFill {
public:
    // Keeps the records of the slots filled before the search.
    void Start(const TCrossword& crossword);
    // The word of this level was taken back.
    void Changed(int level) { mStable = std::min(mStable, level); }
    // The grid with levelSlots placed by the search becomes the deepest.
    void Save(const TCrossword& crossword, std::span<const int> levelSlots);
    // The deepest grid as SaveState gives it; empty when none was saved.
    void WriteTo(TFillResult& result) const;

private:
    std::vector<std::string> mRecords;  // per slot: its record in the deepest grid, or empty
    std::vector<int> mSavedSlots;       // the level slots of the deepest grid
    int mStable = 0;                    // leading levels unchanged since the last save
    bool mSaved = false;
};

struct TCrossword::TFillState {
    bool fast = false;  // the kind keeps the base placement: work on the grid and the graph
    TSlotGraph graph;   // built only on the fast path
    TMask mask;         // the pattern of the slot at hand, reused pass after pass
    std::vector<int> crossing;  // FillCrossing's answer off the fast path
    TDeepestFill deepest;       // the fast path's deepest grid
};
