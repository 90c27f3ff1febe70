#pragma once

// TFillResult: a saved state of a crossword, one record per filled slot in slot order.
// Record (0-based offsets):
//   0        "1" when the slot is Locked
//   1        "1" when the slot has a definition
//   2        the slot's category as a raw byte
//   3..6     word length, 4 bytes little-endian
//   7..10    definition length, 4 bytes little-endian
//   11..     the word, the definition, then chr(48 + x), chr(48 + y) and the step string

#include <string>
#include <string_view>
#include <vector>

class TFillResult {
public:
    static std::string MakeRecord(bool locked, bool hasDefinition, int category, std::string_view word,
                                  std::string_view definition, int x, int y, std::string_view path);

    int Count() const { return static_cast<int>(mRecords.size()); }
    const std::string& Record(int i) const { return mRecords[i]; }
    void Add(std::string record) { mRecords.push_back(std::move(record)); }
    void Clear() { mRecords.clear(); }

    // Fields of record i; a damaged record reads as empty or 0 where it falls short.
    bool Locked(int i) const;
    bool HasDefinition(int i) const;
    int Category(int i) const;
    std::string_view Word(int i) const;
    std::string_view Definition(int i) const;
    int X(int i) const;
    int Y(int i) const;
    std::string_view Path(int i) const;

private:
    std::string_view Field(int i, std::size_t at, std::size_t length) const;
    std::size_t PositionOffset(int i) const;

    std::vector<std::string> mRecords;
};
