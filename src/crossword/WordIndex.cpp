#include "WordIndex.h"

#include "dictionary/Mask.h"

#include <algorithm>

TWordIndex::TWordIndex(const TWorkDictionary& dictionary)
    : mVersion(dictionary.Version()), mSingleChar(IsSingleCharFormat(dictionary.CellFormat())) {
    std::fill(std::begin(mLetterOfByte), std::end(mLetterOfByte), -1);
    mLengths.resize(MaxWordCells + 1);
    // Every word's letters first, so that the letters are all numbered before any set is laid out.
    for (int cells = MinWordCells; cells <= MaxWordCells; ++cells) ReadLetters(dictionary, cells);
    for (int cells = MinWordCells; cells <= MaxWordCells; ++cells) BuildSets(cells);
}

int TWordIndex::LetterOf(std::string_view cellText) const {
    if (mSingleChar) return cellText.size() == 1 ? mLetterOfByte[static_cast<uint8_t>(cellText[0])] : -1;
    const auto found = mLetterOfText.find(std::string(cellText));
    return found == mLetterOfText.end() ? -1 : found->second;
}

void TWordIndex::ReadLetters(const TWorkDictionary& dictionary, int cells) {
    TLength& length = mLengths[cells];
    length.first = dictionary.LengthIndex(cells);
    length.count = dictionary.LengthIndex(cells + 1) - length.first;
    length.blocks = (length.count + 63) / 64;
    length.letters.resize(static_cast<std::size_t>(length.count) * cells);
    for (int w = 0; w < length.count; ++w) {
        const std::string_view text = dictionary.EntryText(length.first + w);
        uint16_t* letters = length.letters.data() + static_cast<std::size_t>(w) * cells;
        if (mSingleChar) {
            for (int p = 0; p < cells; ++p) {
                int& letter = mLetterOfByte[static_cast<uint8_t>(text[p])];
                if (letter < 0) letter = mLetterCount++;
                letters[p] = static_cast<uint16_t>(letter);
            }
            continue;
        }
        const TMask cellsOfWord(dictionary.CellFormat(), text);
        for (int p = 0; p < cells; ++p) {
            const auto [at, added] = mLetterOfText.emplace(cellsOfWord.CellText(p), mLetterCount);
            if (added) ++mLetterCount;
            letters[p] = static_cast<uint16_t>(at->second);
        }
    }
}

void TWordIndex::BuildSets(int cells) {
    TLength& length = mLengths[cells];
    const std::size_t blocks = length.blocks;
    length.sets.assign(static_cast<std::size_t>(cells) * mLetterCount * blocks, 0);
    for (int w = 0; w < length.count; ++w) {
        const uint64_t bit = uint64_t{1} << (w % 64);
        const uint16_t* letters = Letters(length, cells, w);
        for (int p = 0; p < cells; ++p)
            length.sets[(static_cast<std::size_t>(p) * mLetterCount + letters[p]) * blocks + w / 64] |= bit;
    }
}
