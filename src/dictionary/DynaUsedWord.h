#pragma once

// Words excluded from the fill because a related word stands in the crossword, each with the
// number of standing words that exclude it. Kept in byte order of the word.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class TDynaUsedWord {
public:
    int Count() const { return static_cast<int>(mItems.size()); }
    // Count + 1, or a new word with count 1.
    void AddUse(std::string_view word);
    // Count - 1; the word leaves when its count was 1; nothing when absent.
    void ReleaseUse(std::string_view word);
    bool Contains(std::string_view word) const;
    // The use count of item n; -1 when n is out of range.
    int UseCount(int n) const;
    void SetUseCount(int n, int value);
    // The word of item n; empty when n is out of range.
    std::string ItemWord(int n) const;
    // Binary search on the words: true and the index, else false and the insertion index.
    bool Locate(std::string_view word, int& index) const;
    void Clear() { mItems.clear(); }

private:
    struct Item {
        std::string word;
        uint32_t uses;
    };
    std::vector<Item> mItems;
};
