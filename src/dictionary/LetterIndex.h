#pragma once

// The per-position letter index of a one-character-per-cell dictionary. For every cell count
// L, every position p < L and every byte b it holds the set of entries of L cells with b at p,
// as a bitset over the entries of that length. A mask search ANDs the sets of its known cells
// 64 entries at a time, so its cost falls with every known letter instead of scanning texts.

#include "CellFormat.h"

#include <bit>
#include <cstdint>
#include <functional>
#include <string_view>
#include <vector>

// The known cells of a one-character-per-cell mask.
struct MaskCells {
    int cells = 0;      // the mask's cell count
    int knownCount = 0; // entries used in position and letter
    uint8_t position[MaxWordCells] = {};
    uint8_t letter[MaxWordCells] = {};
};

class TLetterIndex {
public:
    // lengthIndex[L] for L = 2..26 as in the dictionary; text(i) the word of entry i (its
    // length equals its cell count); unavailable(i) for entries of category 2.
    void Build(const int* lengthIndex, const std::function<std::string_view(int)>& text,
               const std::function<bool(int)>& unavailable);
    void Clear();
    bool Empty() const { return mLengths.empty(); }

    // Marks or unmarks entry i (of cells cells) as unavailable.
    void SetUnavailable(int i, int cells, bool on);

    // The entries of mask.cells cells that match: all of them, or those not unavailable.
    int Count(const MaskCells& mask, bool withoutUnavailable) const;
    // True when some matching entry is not unavailable.
    bool AnyAvailable(const MaskCells& mask) const;
    // Calls visit(entryIndex) for every matching entry in entry order.
    template <typename Visit>
    void ForEach(const MaskCells& mask, Visit&& visit) const;

private:
    struct Length {
        int first = 0;                 // the first entry of this length
        int count = 0;                 // entries of this length
        int words = 0;                 // 64-bit words per bitset
        std::vector<int32_t> slot;     // [position * 256 + byte] -> bitset number, -1 none
        std::vector<uint64_t> bits;    // the bitsets, words each
        std::vector<uint64_t> unavailable;
    };

    // The bitsets of the known cells; false when some known letter never occurs there.
    bool Gather(const MaskCells& mask, const uint64_t** sets, int& setCount) const;
    static uint64_t Chunk(const uint64_t* const* sets, int setCount, int w) {
        uint64_t chunk = ~uint64_t{0};
        for (int s = 0; s < setCount; ++s) chunk &= sets[s][w];
        return chunk;
    }

    std::vector<Length> mLengths;  // indexed by cell count; empty when not built
};

template <typename Visit>
void TLetterIndex::ForEach(const MaskCells& mask, Visit&& visit) const {
    const uint64_t* sets[MaxWordCells];
    int setCount = 0;
    if (!Gather(mask, sets, setCount)) return;
    const Length& length = mLengths[mask.cells];
    for (int w = 0; w < length.words; ++w) {
        uint64_t chunk = Chunk(sets, setCount, w);
        if (w == length.words - 1 && length.count % 64 != 0) chunk &= (uint64_t{1} << (length.count % 64)) - 1;
        while (chunk != 0) {
            const int bit = std::countr_zero(chunk);
            chunk &= chunk - 1;
            visit(length.first + w * 64 + bit);
        }
    }
}
