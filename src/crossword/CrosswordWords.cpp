#include "CrosswordWords.h"

#include "dictionary/TextHelpers.h"

namespace {

// Nine "0": not filled, not locked, category 0, no definition, and the length field.
constexpr std::string_view NewSlotState = "000000000";
// The four state characters and the 4-byte word length that follow the entry.
constexpr std::size_t StateChars = 8;

char CharAt(std::string_view record, std::size_t pos) {
    return pos < record.size() ? record[pos] : '0';
}

// The offset of the slot state: the entry is the length character, the start and n - 1 steps.
std::size_t StateOffset(std::string_view record) {
    return static_cast<std::size_t>(TCrosswordWords::RecordLength(record)) + 2;
}

std::string_view KeyOf(std::string_view record) {
    return record.substr(0, StateOffset(record));
}

std::size_t WordOffset(std::string_view record) {
    return StateOffset(record) + StateChars;
}

std::size_t StoredWordLength(std::string_view record) {
    const std::size_t lengthAt = StateOffset(record) + 4;
    if (lengthAt >= record.size()) return 0;
    return BytesToInt(record.substr(lengthAt, 4));
}

}  // namespace

int TCrosswordWords::RecordLength(std::string_view record) {
    return record.empty() ? 0 : SmallNumberOf(record[0]);
}

int TCrosswordWords::RecordX(std::string_view record) {
    return record.size() > 1 ? SmallNumberOf(record[1]) : 0;
}

int TCrosswordWords::RecordY(std::string_view record) {
    return record.size() > 2 ? SmallNumberOf(record[2]) : 0;
}

std::string_view TCrosswordWords::RecordPath(std::string_view record) {
    const int length = RecordLength(record);
    if (record.size() <= 3 || length < 2) return {};
    return record.substr(3, static_cast<std::size_t>(length - 1));
}

bool TCrosswordWords::RecordFilled(std::string_view record) {
    return CharAt(record, StateOffset(record)) == '1';
}

bool TCrosswordWords::RecordLocked(std::string_view record) {
    return CharAt(record, StateOffset(record) + 1) == '1';
}

int TCrosswordWords::RecordCategory(std::string_view record) {
    return SmallNumberOf(CharAt(record, StateOffset(record) + 2));
}

bool TCrosswordWords::RecordHasDefinition(std::string_view record) {
    return CharAt(record, StateOffset(record) + 3) == '1';
}

std::string_view TCrosswordWords::RecordWord(std::string_view record) {
    const std::size_t at = WordOffset(record);
    if (at >= record.size()) return {};
    return record.substr(at, StoredWordLength(record));
}

std::string_view TCrosswordWords::RecordDefinition(std::string_view record) {
    const std::size_t at = WordOffset(record) + RecordWord(record).size();
    if (at >= record.size()) return {};
    return record.substr(at);
}

void TCrosswordWords::AddSlot(int x, int y, std::string_view path, int length) {
    AddWord(x, y, length, path);
    mItems.back() += NewSlotState;
}

void TCrosswordWords::ReplaceSlot(int index, int x, int y, std::string_view path, int length) {
    ReplaceWord(index, x, y, length, path);
    mItems[index] += NewSlotState;
}

void TCrosswordWords::SetRecord(int index, std::string record) {
    mItems[index] = std::move(record);
    ++mGeneration;
}

int TCrosswordWords::FindSlot(int x, int y, std::string_view path) const {
    if (mIndexedGeneration != mGeneration) {
        mFirstOfKey.clear();
        for (int i = 0; i < Count(); ++i) mFirstOfKey.try_emplace(std::string(KeyOf(mItems[i])), i);
        mIndexedGeneration = mGeneration;
    }
    const auto found = mFirstOfKey.find(MakeEntry(x, y, static_cast<int>(path.size()) + 1, path));
    return found == mFirstOfKey.end() ? -1 : found->second;
}

TCoord TCrosswordWords::SlotCells(int i, int width, int height) const {
    return TCoord(WordX(i), WordY(i), WordPath(i), width, height);
}

void TCrosswordWords::SetSlotWord(int i, std::string_view word) {
    PadRecord(i);
    std::string& record = mItems[i];
    const std::string definition(RecordDefinition(record));
    record.resize(StateOffset(record) + 4);
    record += IntToBytes(static_cast<uint32_t>(word.size()));
    record += word;
    record += definition;
}

void TCrosswordWords::SetSlotDefinition(int i, std::string_view definition) {
    PadRecord(i);
    std::string& record = mItems[i];
    record.resize(WordOffset(record) + RecordWord(record).size());
    record += definition;
}

void TCrosswordWords::SetFlag(int i, int offset, char value) {
    PadRecord(i);
    mItems[i][StateOffset(mItems[i]) + offset] = value;
}

void TCrosswordWords::PadRecord(int i) {
    std::string& record = mItems[i];
    const std::size_t needed = StateOffset(record) + StateChars;
    if (record.size() < needed) record.resize(needed, '0');
}
