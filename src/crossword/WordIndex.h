#pragma once

// TWordIndex: what the propagating fill reads from a dictionary's words, worked out once and
// kept while the dictionary's Version stays, so that a fill after a fill does not index the
// words again. The letters are numbered (a byte in the one-character formats, a cell text in
// the others); for every cell count it holds each word's letters and, per position and letter,
// the set of words with that letter there, as a bitset over the words of that cell count.
// Categories are not part of it: they change with every placed word.

#include "dictionary/WorkDictionary.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

class TWordIndex {
public:
    struct TLength {
        int first = 0;   // the dictionary entry of local word 0
        int count = 0;   // words of this cell count
        int blocks = 0;  // 64-bit blocks per bitset
        std::vector<uint16_t> letters;  // [word * cells + position] -> letter
        std::vector<uint64_t> sets;     // [(position * LetterCount + letter) * blocks + block]
    };

    explicit TWordIndex(const TWorkDictionary& dictionary);

    // The dictionary version the index was made from.
    uint64_t Version() const { return mVersion; }
    int LetterCount() const { return mLetterCount; }
    // The letter of a cell text; -1 for one no word holds.
    int LetterOf(std::string_view cellText) const;
    // The words of a cell count; none outside MinWordCells .. MaxWordCells.
    const TLength& Length(int cells) const { return cells >= 0 && cells <= MaxWordCells ? mLengths[cells] : mNone; }
    // The words of the cell count with the letter at the position.
    const uint64_t* LetterSet(const TLength& length, int position, int letter) const {
        return length.sets.data() + (static_cast<std::size_t>(position) * mLetterCount + letter) * length.blocks;
    }
    // A word's letters, one per cell.
    const uint16_t* Letters(const TLength& length, int cells, int word) const {
        return length.letters.data() + static_cast<std::size_t>(word) * cells;
    }

private:
    void ReadLetters(const TWorkDictionary& dictionary, int cells);
    void BuildSets(int cells);

    uint64_t mVersion;
    bool mSingleChar;
    int mLetterOfByte[256];                              // byte -> letter, one-character formats
    std::unordered_map<std::string, int> mLetterOfText;  // cell text -> letter, other formats
    int mLetterCount = 0;
    std::vector<TLength> mLengths;  // indexed by cell count
    TLength mNone;
};
