#pragma once

// The largest grid the benchmarks work on: a 200 x 200 crossword, a block after every fifth cell
// of a row, with a word placed (by PlaceWord) in each of its 6600 five-letter across slots.

#include "crossword/ClassicCrossword.h"
#include "platform/Text.h"

#include <memory>
#include <string>

constexpr int LargestSide = 200;

// Words of five different letters: the n-th in a counting of the 32 letters "а" .. "я".
inline std::string LargestWord(int n) {
    const std::string_view letters = "абвгдежзийклмнопрстуфхцчшщъыьэюя"_cp;
    std::string word;
    for (int i = 0; i < 5; ++i, n /= 32) word += letters[n % 32];
    return word;
}

inline std::unique_ptr<TClassicCrossword> LargestFilled() {
    auto crossword = std::make_unique<TClassicCrossword>();
    crossword->SetWidth(LargestSide);
    crossword->SetHeight(LargestSide);
    for (int x = 0; x < LargestSide; ++x)
        for (int y = 0; y < LargestSide; ++y) crossword->Template->SetLetterCellOnly(x, y, x % 6 != 5);
    crossword->Template->NumberCells();
    crossword->PrepareForFill();
    int n = 0;
    for (int i = 0; i < crossword->Words.Count(); ++i)
        if (crossword->Words.WordLength(i) == 5 && crossword->Words.WordPath(i).starts_with('6'))
            crossword->PlaceWord(i, LargestWord(n++), false);
    return crossword;
}
