#pragma once

// A set of texts kept in byte order, each held once (the words standing in a crossword,
// marked letters and words, chain positions).

#include <string>
#include <string_view>
#include <vector>

class TSpaceSortedList {
public:
    int Count() const { return static_cast<int>(mItems.size()); }
    const std::string& Item(int i) const { return mItems[i]; }
    const std::vector<std::string>& Items() const { return mItems; }

    // The index of text, inserting it at its sorted place when absent.
    int Add(std::string_view text);
    void Remove(std::string_view text);
    bool Contains(std::string_view text) const;
    // Binary search: true and the index when found, else false and the insertion index.
    bool Locate(std::string_view text, int& index) const;
    void Delete(int i);
    void Clear() { mItems.clear(); }
    // Restores byte order after items were appended; a text held twice is kept once.
    void Sort();
    // Appends the texts, then sorts.
    void AddStrings(const std::vector<std::string>& texts);

private:
    std::vector<std::string> mItems;
};
