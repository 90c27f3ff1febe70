#pragma once

// TCharsCount: how often each letter (cell text) occurs, kept in byte order of the letters.
// Each letter also carries a number. The codeword export keeps its table in the same items.

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

    // --- the same items as the codeword table: field 1 holds the letter's number, field 2 is
    // non-zero when the letter is printed in the number table ---

    int LetterNumber(int i) const { return mItems[i].count; }
    void SetLetterNumber(int i, int number) { mItems[i].count = number; }
    bool Printed(int i) const { return mItems[i].number != 0; }
    void SetPrinted(int i, bool printed) { mItems[i].number = printed ? 1 : 0; }
    void Delete(int i) { mItems.erase(mItems.begin() + i); }

private:
    struct Item {
        int32_t count = 0;
        int32_t number = 0;
        std::string letter;
    };
    std::vector<Item> mItems;
};
