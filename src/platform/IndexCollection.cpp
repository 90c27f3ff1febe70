#include "IndexCollection.h"

#include "FileText.h"
#include "RecordFile.h"

namespace {

// The length of an entry's name, or -1 when the stored number does not fit the entry.
int NameLength(const std::string& entry) {
    if (entry.size() < 4) return -1;
    const int32_t n = BytesToInt(std::string_view(entry).substr(0, 4));
    if (n < 0 || static_cast<std::size_t>(n) > entry.size() - 4) return -1;
    return n;
}

}  // namespace

bool TIndexCollection::LoadFromFile() {
    Clear();
    std::vector<std::string> blocks;
    if (!ReadFileBlocks(FileName, blocks)) return false;
    return ParseText(JoinBlocks(blocks));
}

bool TIndexCollection::ParseText(std::string_view text) {
    auto cut = CutOnePartRecords(text);
    mEntries = std::move(cut.Records);
    return !cut.Damaged;
}

bool TIndexCollection::SaveToFile() const {
    return WriteFileText(FileName, SaveToText());
}

std::string TIndexCollection::SaveToText() const {
    std::string text;
    for (const auto& entry : mEntries) AppendOnePartRecord(text, entry);
    return text;
}

void TIndexCollection::Add(std::string_view name, std::string_view text) {
    std::string entry = IntToBytes(static_cast<int32_t>(name.size()));
    entry += name;
    entry += text;
    mEntries.push_back(std::move(entry));
}

std::string TIndexCollection::EntryName(int i) const {
    const int n = NameLength(mEntries[i]);
    return n < 0 ? std::string() : mEntries[i].substr(4, n);
}

std::string TIndexCollection::EntryText(int i) const {
    const int n = NameLength(mEntries[i]);
    return n < 0 ? std::string() : mEntries[i].substr(4 + n);
}
