#pragma once

// TIndexCollection: the entries of a one-part record file ("templates.col"). Each entry is
// kept as stored: [4-byte n][n bytes: entry name][the rest: the entry's text].

#include <string>
#include <string_view>
#include <vector>

class TIndexCollection {
public:
    std::string FileName;

    // Reads FileName. False when the file is missing or unreadable (empty then) or damaged
    // (the entries before the damage are kept).
    bool LoadFromFile();
    // Replaces the entries by those of a file text; false when it is damaged (the entries
    // before the damage are kept).
    bool ParseText(std::string_view text);
    // Writes every entry to FileName; false (reported) on a write error.
    bool SaveToFile() const;
    // The file text of every entry in order.
    std::string SaveToText() const;

    // Appends an entry made of a name and its text.
    void Add(std::string_view name, std::string_view text);
    void Clear() { mEntries.clear(); }

    int Count() const { return static_cast<int>(mEntries.size()); }
    // The whole entry as stored.
    const std::string& Entry(int i) const { return mEntries[i]; }
    // The entry's name; empty when the stored name length does not fit the entry.
    std::string EntryName(int i) const;
    // The entry's text after its name; empty when the stored name length does not fit the entry.
    std::string EntryText(int i) const;

private:
    std::vector<std::string> mEntries;
};
