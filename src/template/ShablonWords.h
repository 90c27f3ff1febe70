#pragma once

// TShablonWords: an ordered list of slot entries. An entry is a single-byte text:
// chr(48 + length), chr(48 + x), chr(48 + y) of the first cell, then the step string
// (length - 1 step characters, see Coord.h). The crossword's slot records extend the same
// texts, so the entries stay plain strings and derived lists may append to them.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class TShablonWords {
public:
    // The entry text of a slot.
    static std::string MakeEntry(int x, int y, int length, std::string_view path);

    void AddWord(int x, int y, int length, std::string_view path);
    // Replaces the entry at index by a new one at the same place.
    void ReplaceWord(int index, int x, int y, int length, std::string_view path);

    int Count() const { return static_cast<int>(mItems.size()); }
    const std::string& Entry(int i) const { return mItems[i]; }
    void Delete(int i) {
        mItems.erase(mItems.begin() + i);
        ++mGeneration;
    }
    void Clear() {
        mItems.clear();
        ++mGeneration;
    }
    // Grows whenever an entry is added, replaced or removed, so that derived lists can tell
    // when an index they keep over the entries is stale.
    uint64_t Generation() const { return mGeneration; }

    int WordLength(int i) const { return CharValue(i, 0); }
    int WordX(int i) const { return CharValue(i, 1); }
    int WordY(int i) const { return CharValue(i, 2); }
    // The step string of entry i (characters 4 .. length + 2).
    std::string_view WordPath(int i) const;

protected:
    // Character pos of entry i minus 48, as a byte; 0 past the end of a short entry.
    int CharValue(int i, std::size_t pos) const;

    std::vector<std::string> mItems;
    uint64_t mGeneration = 0;
};

// chr(48 + value) as a stored byte (values up to 207 fit; larger ones wrap like a byte).
inline char SmallNumberChar(int value) {
    return static_cast<char>(static_cast<unsigned char>(48 + value));
}

// The value of a chr(48 + n) character, as the byte arithmetic gives it.
inline int SmallNumberOf(char c) {
    return static_cast<unsigned char>(static_cast<unsigned char>(c) - 48);
}
