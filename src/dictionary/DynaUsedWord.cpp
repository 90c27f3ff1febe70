#include "DynaUsedWord.h"

#include "CellFormat.h"

#include <algorithm>

bool TDynaUsedWord::Locate(std::string_view word, int& index) const {
    const auto at = std::lower_bound(mItems.begin(), mItems.end(), word,
                                     [](const Item& item, std::string_view key) { return CompareBytes(item.word, key) < 0; });
    index = static_cast<int>(at - mItems.begin());
    return at != mItems.end() && at->word == word;
}

void TDynaUsedWord::AddUse(std::string_view word) {
    int index = 0;
    if (Locate(word, index))
        ++mItems[index].uses;
    else
        mItems.insert(mItems.begin() + index, Item{std::string(word), 1});
}

void TDynaUsedWord::ReleaseUse(std::string_view word) {
    int index = 0;
    if (!Locate(word, index)) return;
    if (mItems[index].uses <= 1)
        mItems.erase(mItems.begin() + index);
    else
        --mItems[index].uses;
}

bool TDynaUsedWord::Contains(std::string_view word) const {
    int index = 0;
    return Locate(word, index);
}

int TDynaUsedWord::UseCount(int n) const {
    if (n < 0 || n >= Count()) return -1;
    return static_cast<int>(mItems[n].uses);
}

void TDynaUsedWord::SetUseCount(int n, int value) {
    if (n >= 0 && n < Count()) mItems[n].uses = static_cast<uint32_t>(value);
}

std::string TDynaUsedWord::ItemWord(int n) const {
    if (n < 0 || n >= Count()) return {};
    return mItems[n].word;
}
