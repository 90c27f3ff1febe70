#pragma once

// What a crossword still lacks before it is printed: letter cells without a letter, and the
// words whose clue its page would print without one.

#include <string>

class TCrossword;

struct TMissingParts {
    int EmptyCells = 0;
    int WordsWithoutClue = 0;

    bool None() const { return EmptyCells == 0 && WordsWithoutClue == 0; }
    // "3 empty cells, 1 word without a clue"; empty when nothing is missing.
    std::string Describe() const;
};

// Letter cells whose letter the puzzle's pictures leave blank (an empty cell the look fills with
// a random letter is not missing), and the slots without a word and a clue where the page prints
// clues, in a list or in the grid (not the words to find of the fill-word and word field, nor the
// knight's phrase).
TMissingParts MissingParts(const TCrossword& crossword);
