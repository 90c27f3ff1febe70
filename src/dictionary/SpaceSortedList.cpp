#include "SpaceSortedList.h"

#include "CellFormat.h"

#include <algorithm>

namespace {
bool ByteLess(std::string_view a, std::string_view b) {
    return CompareBytes(a, b) < 0;
}
}  // namespace

bool TSpaceSortedList::Locate(std::string_view text, int& index) const {
    const auto at = std::lower_bound(mItems.begin(), mItems.end(), text,
                                     [](const std::string& item, std::string_view key) { return ByteLess(item, key); });
    index = static_cast<int>(at - mItems.begin());
    return at != mItems.end() && *at == text;
}

int TSpaceSortedList::Add(std::string_view text) {
    int index = 0;
    if (!Locate(text, index)) mItems.insert(mItems.begin() + index, std::string(text));
    return index;
}

void TSpaceSortedList::Remove(std::string_view text) {
    int index = 0;
    if (Locate(text, index)) mItems.erase(mItems.begin() + index);
}

bool TSpaceSortedList::Contains(std::string_view text) const {
    int index = 0;
    return Locate(text, index);
}

void TSpaceSortedList::Delete(int i) {
    if (i >= 0 && i < Count()) mItems.erase(mItems.begin() + i);
}

void TSpaceSortedList::Sort() {
    std::stable_sort(mItems.begin(), mItems.end(), ByteLess);
    // Held twice, a text would stay in the set after one Remove.
    mItems.erase(std::unique(mItems.begin(), mItems.end()), mItems.end());
}

void TSpaceSortedList::AddStrings(const std::vector<std::string>& texts) {
    mItems.insert(mItems.end(), texts.begin(), texts.end());
    Sort();
}
