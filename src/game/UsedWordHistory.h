#pragma once

// TUsedWordHistory: the words of the puzzles the game has made, oldest first for each word
// length, with the dictionary category each had before it was placed. The crossword keeps every
// placed word out of later fills; when a length runs dry, the game hands the oldest of its words
// back to the dictionary through this history.

#include "crossword/Crossword.h"

#include <array>
#include <deque>
#include <string>

class TUsedWordHistory {
public:
    // Appends the words of the crossword's filled slots (a puzzle just made).
    void Record(const TCrossword& crossword);
    // After the crossword loaded another dictionary: every recorded word becomes unavailable in
    // it as well, remembering the category it has there.
    void MarkUnavailable(TCrossword& crossword);
    // Hands the oldest recorded words of that many cells back to the crossword until its
    // dictionary offers at least `available` words of the length. Returns the number of words
    // the dictionary offers again (here and below).
    int Release(TCrossword& crossword, int cells, int available);
    // Hands back the older half (at least one) of the recorded words of every length.
    int ReleaseOlderHalf(TCrossword& crossword);
    // The recorded words of that many cells.
    int Count(int cells) const;

private:
    struct TEntry {
        std::string Word;
        WordCategory Category;
    };
    // Hands the oldest word of the length back; true when the dictionary offers it again.
    bool ReleaseOldest(TCrossword& crossword, int cells);

    std::array<std::deque<TEntry>, MaxWordCells + 1> mByLength;  // [cells], oldest first
};

// The dictionary's words of that many cells that a fill may take (not unavailable).
int AvailableWords(const TWorkDictionary& dictionary, int cells);
