#pragma once

// Candidate lines: each line is the category digit followed by the word, so a sorted list
// holds the ordinary words first. Three one-byte counters count the lines per category.

#include "CellFormat.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class TFind {
public:
    int Count() const { return static_cast<int>(mLines.size()); }
    const std::string& Line(int n) const { return mLines[n]; }
    // The line without its category digit.
    std::string_view LineWord(int n) const;
    // Inserts a line at its sorted place (the list is sorted while it is not growing in bulk).
    void Add(std::string line);
    void Delete(int n);
    // Removes every line and zeroes the counters.
    void Clear();
    // The counters wrap modulo 256.
    uint8_t CategoryCount(WordCategory category) const { return mCounts[static_cast<int>(category)]; }
    void SetCategoryCount(WordCategory category, uint8_t value) { mCounts[static_cast<int>(category)] = value; }

    // Bulk growth used by the search: lines appended unsorted, then Sort.
    void Append(std::string line) { mLines.push_back(std::move(line)); }
    void Sort();

    // Draws a line at random from category 0 while there is one, else from category 1, removes
    // it and gives its word. The lines are counted, not the byte counters, so 256 candidates do
    // not read as none. False when neither category has a line.
    bool DrawWord(std::string& word);

private:
    std::vector<std::string> mLines;
    uint8_t mCounts[WordCategoryCount] = {0, 0, 0};
};
