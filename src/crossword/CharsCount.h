#pragma once

// TCharsCount: how often each letter (cell text) occurs, kept in byte order of the letters.
// Each letter also carries a number, which the letter-number table of an export assigns.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class TCharsCount {
public:
    // Adds k to the count of letter (a new item with count k when absent).
    void AddCount(std::string_view letter, int k);

    int Count() const { return static_cast<int>(mItems.size()); }
    const std::string& Letter(int i) const { return mItems[i].letter; }
    int CountOf(int i) const { return mItems[i].count; }
    int NumberOf(int i) const { return mItems[i].number; }
    void SetNumber(int i, int number) { mItems[i].number = number; }
    // The index of letter; -1 when absent.
    int IndexOf(std::string_view letter) const;
    void Clear() { mItems.clear(); }

private:
    struct Item {
        int32_t count = 0;
        int32_t number = 0;
        std::string letter;
    };
    std::vector<Item> mItems;
};
