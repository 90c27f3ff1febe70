#pragma once

// TCrosswordWords: the slots of a crossword, each with the word placed in it. A slot record is
// the template's slot entry followed by the slot's state (n = the slot length, 0-based offsets):
//   n + 2      "1" when the slot holds a word (Filled)
//   n + 3      "1" when the word is Locked (kept when words are cleared)
//   n + 4      chr(48 + category): the dictionary category the word had before it was placed
//   n + 5      "1" when the slot carries a definition
//   n + 6..9   the word's length in characters, 4 bytes little-endian
//   n + 10..   the word, then the definition text to the end of the record
// A new record has nine "0" characters after the entry; the length field then reads "0000"
// until a word is first stored. Copied and saved words travel as these records.

#include "template/Coord.h"
#include "template/ShablonWords.h"

#include <string>
#include <string_view>
#include <unordered_map>

class TCrosswordWords : public TShablonWords {
public:
    // Fields of a record given as text (a copied word, a saved slot). Out-of-range fields read
    // as "0" / empty.
    static int RecordLength(std::string_view record);
    static int RecordX(std::string_view record);
    static int RecordY(std::string_view record);
    static std::string_view RecordPath(std::string_view record);
    static bool RecordFilled(std::string_view record);
    static bool RecordLocked(std::string_view record);
    static int RecordCategory(std::string_view record);
    static bool RecordHasDefinition(std::string_view record);
    static std::string_view RecordWord(std::string_view record);
    static std::string_view RecordDefinition(std::string_view record);

    // Appends a new, empty slot record.
    void AddSlot(int x, int y, std::string_view path, int length);
    // Replaces record index by a new, empty slot record.
    void ReplaceSlot(int index, int x, int y, std::string_view path, int length);
    // Replaces record index by a whole record text.
    void SetRecord(int index, std::string record);
    // The first record with that start and step string; -1 if none.
    int FindSlot(int x, int y, std::string_view path) const;
    // The cells of slot i, wrapping round a width x height grid.
    TCoord SlotCells(int i, int width, int height) const;

    bool SlotFilled(int i) const { return RecordFilled(Entry(i)); }
    bool SlotLocked(int i) const { return RecordLocked(Entry(i)); }
    int SlotCategory(int i) const { return RecordCategory(Entry(i)); }
    bool SlotHasDefinition(int i) const { return RecordHasDefinition(Entry(i)); }
    std::string_view SlotWord(int i) const { return RecordWord(Entry(i)); }
    std::string_view SlotDefinition(int i) const { return RecordDefinition(Entry(i)); }

    void SetSlotFilled(int i, bool on) { SetFlag(i, 0, on ? '1' : '0'); }
    void SetSlotLocked(int i, bool on) { SetFlag(i, 1, on ? '1' : '0'); }
    void SetSlotCategory(int i, int category) { SetFlag(i, 2, SmallNumberChar(category)); }
    void SetSlotHasDefinition(int i, bool on) { SetFlag(i, 3, on ? '1' : '0'); }
    // Stores the word, keeping the definition behind it.
    void SetSlotWord(int i, std::string_view word);
    void SetSlotDefinition(int i, std::string_view definition);

private:
    // Sets state character k (0 Filled, 1 Locked, 2 category, 3 definition) of record i,
    // padding a short record.
    void SetFlag(int i, int offset, char value);
    void PadRecord(int i);

    // FindSlot's index from the slot key (the entry part of a record) to its first record;
    // rebuilt when the list has changed since.
    mutable std::unordered_map<std::string, int> mFirstOfKey;
    mutable uint64_t mIndexedGeneration = ~uint64_t{0};
};
