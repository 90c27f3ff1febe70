#include "LetterIndex.h"

void TLetterIndex::Clear() {
    mLengths.clear();
}

void TLetterIndex::Build(const int* lengthIndex, const std::function<std::string_view(int)>& text,
                         const std::function<bool(int)>& unavailable) {
    mLengths.assign(MaxWordCells + 1, Length{});
    for (int cells = MinWordCells; cells <= MaxWordCells; ++cells) {
        Length& length = mLengths[cells];
        length.first = lengthIndex[cells];
        length.count = lengthIndex[cells + 1] - length.first;
        length.words = (length.count + 63) / 64;
        length.unavailable.assign(length.words, 0);
        if (length.count == 0) continue;
        // One pass to number the (position, byte) pairs that occur, one to set the bits.
        length.slot.assign(static_cast<std::size_t>(cells) * 256, -1);
        int sets = 0;
        for (int e = 0; e < length.count; ++e) {
            const std::string_view word = text(length.first + e);
            for (int p = 0; p < cells; ++p) {
                int32_t& slot = length.slot[p * 256 + static_cast<unsigned char>(word[p])];
                if (slot < 0) slot = sets++;
            }
        }
        length.bits.assign(static_cast<std::size_t>(sets) * length.words, 0);
        for (int e = 0; e < length.count; ++e) {
            const std::string_view word = text(length.first + e);
            const uint64_t bit = uint64_t{1} << (e % 64);
            for (int p = 0; p < cells; ++p) {
                const int32_t slot = length.slot[p * 256 + static_cast<unsigned char>(word[p])];
                length.bits[static_cast<std::size_t>(slot) * length.words + e / 64] |= bit;
            }
            if (unavailable(length.first + e)) length.unavailable[e / 64] |= bit;
        }
    }
}

void TLetterIndex::SetUnavailable(int i, int cells, bool on) {
    if (cells < MinWordCells || cells > MaxWordCells || mLengths.empty()) return;
    Length& length = mLengths[cells];
    const int e = i - length.first;
    if (e < 0 || e >= length.count) return;
    const uint64_t bit = uint64_t{1} << (e % 64);
    if (on)
        length.unavailable[e / 64] |= bit;
    else
        length.unavailable[e / 64] &= ~bit;
}

bool TLetterIndex::Gather(const MaskCells& mask, const uint64_t** sets, int& setCount) const {
    setCount = 0;
    if (mask.cells < MinWordCells || mask.cells > MaxWordCells || mLengths.empty()) return false;
    const Length& length = mLengths[mask.cells];
    if (length.count == 0) return false;
    for (int k = 0; k < mask.knownCount; ++k) {
        const int32_t slot = length.slot[mask.position[k] * 256 + mask.letter[k]];
        if (slot < 0) return false;
        sets[setCount++] = length.bits.data() + static_cast<std::size_t>(slot) * length.words;
    }
    return true;
}

int TLetterIndex::Count(const MaskCells& mask, bool withoutUnavailable) const {
    const uint64_t* sets[MaxWordCells];
    int setCount = 0;
    if (!Gather(mask, sets, setCount)) return 0;
    const Length& length = mLengths[mask.cells];
    int count = 0;
    if (setCount == 0) {
        count = length.count;
        if (withoutUnavailable)
            for (const uint64_t w : length.unavailable) count -= std::popcount(w);
        return count;
    }
    for (int w = 0; w < length.words; ++w) {
        uint64_t chunk = Chunk(sets, setCount, w);
        if (withoutUnavailable) chunk &= ~length.unavailable[w];
        count += std::popcount(chunk);
    }
    return count;
}

bool TLetterIndex::AnyAvailable(const MaskCells& mask) const {
    const uint64_t* sets[MaxWordCells];
    int setCount = 0;
    if (!Gather(mask, sets, setCount)) return false;
    const Length& length = mLengths[mask.cells];
    for (int w = 0; w < length.words; ++w) {
        uint64_t chunk = Chunk(sets, setCount, w) & ~length.unavailable[w];
        if (w == length.words - 1 && length.count % 64 != 0) chunk &= (uint64_t{1} << (length.count % 64)) - 1;
        if (chunk != 0) return true;
    }
    return false;
}
