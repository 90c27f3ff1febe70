#include "FindSpecial.h"

#include <algorithm>
#include <cstring>

// Each fixed entry is a length byte and the characters. A word longer than the entry (a long
// pairs or pieces word) keeps LongMarker as its length and the index of its full text in
// mLongWords in the next four bytes, so no word is ever cut.
namespace {
constexpr unsigned char LongMarker = 255;
constexpr int EntrySize = TFindSpecial::FixedEntryChars + 1;
}  // namespace

struct TFindSpecial::FixedStore {
    std::vector<char> entries;  // EntrySize bytes per entry; grown, never shrunk
    std::vector<std::string> longWords;

    char* Entry(int n) { return entries.data() + static_cast<std::size_t>(n) * EntrySize; }
    const char* Entry(int n) const { return entries.data() + static_cast<std::size_t>(n) * EntrySize; }
};

TFindSpecial::TFindSpecial() : mFixed(std::make_unique<FixedStore>()) {}

TFindSpecial::~TFindSpecial() = default;

void TFindSpecial::AddToFixed(std::string_view word) {
    const std::size_t needed = static_cast<std::size_t>(mFixedCount + 1) * EntrySize;
    if (mFixed->entries.size() < needed)
        mFixed->entries.resize(std::min(std::max(needed, 2 * mFixed->entries.size()),
                                        static_cast<std::size_t>(FixedStoreSize) * EntrySize));
    char* entry = mFixed->Entry(mFixedCount++);
    if (word.size() <= static_cast<std::size_t>(FixedEntryChars)) {
        entry[0] = static_cast<char>(word.size());
        std::memcpy(entry + 1, word.data(), word.size());
    } else {
        entry[0] = static_cast<char>(LongMarker);
        const uint32_t index = static_cast<uint32_t>(mFixed->longWords.size());
        std::memcpy(entry + 1, &index, sizeof index);
        mFixed->longWords.emplace_back(word);
    }
}

std::string_view TFindSpecial::FixedItem(int n) const {
    const char* entry = mFixed->Entry(n);
    const auto length = static_cast<unsigned char>(entry[0]);
    if (length != LongMarker) return {entry + 1, length};
    uint32_t index = 0;
    std::memcpy(&index, entry + 1, sizeof index);
    return mFixed->longWords[index];
}

void TFindSpecial::Add(std::string_view word, WordCategory category) {
    switch (category) {
        case WordCategory::Ordinary:
            if (mUseFixedStore && mFixedCount < FixedStoreSize)
                AddToFixed(word);
            else
                mOverflow.emplace_back(word);
            break;
        case WordCategory::Reserve:
            mReserve.emplace_back(word);
            break;
        case WordCategory::Unavailable:
            mUnavailable.emplace_back(word);
            break;
    }
    ++mCounts[static_cast<int>(category)];
}

void TFindSpecial::Reset() {
    mFixedCount = 0;
    mFixed->longWords.clear();
    mOverflow.clear();
    mReserve.clear();
    mUnavailable.clear();
    mCounts[0] = mCounts[1] = mCounts[2] = 0;
}

std::string TFindSpecial::Item(int n) const {
    if (n < 0) return {};
    if (n < mCounts[0]) {
        if (n < mFixedCount) return std::string(FixedItem(n));
        return mOverflow[n - mFixedCount];
    }
    n -= mCounts[0];
    if (n < mCounts[1]) return mReserve[n];
    n -= mCounts[1];
    if (n < mCounts[2]) return mUnavailable[n];
    return {};
}

void TFindSpecial::Delete(int n) {
    if (n < 0) return;
    if (n < mCounts[0]) {
        if (n < mFixedCount) {
            std::memmove(mFixed->Entry(n), mFixed->Entry(n + 1),
                         static_cast<std::size_t>(mFixedCount - n - 1) * EntrySize);
            --mFixedCount;
            if (!mOverflow.empty()) {
                AddToFixed(mOverflow.front());
                mOverflow.erase(mOverflow.begin());
            }
        } else {
            mOverflow.erase(mOverflow.begin() + (n - mFixedCount));
        }
        --mCounts[0];
        return;
    }
    n -= mCounts[0];
    if (n < mCounts[1]) {
        mReserve.erase(mReserve.begin() + n);
        --mCounts[1];
        return;
    }
    n -= mCounts[1];
    if (n < mCounts[2]) {
        mUnavailable.erase(mUnavailable.begin() + n);
        --mCounts[2];
    }
}

void TFindSpecial::SetUseFixedStore(bool on) {
    if (on == mUseFixedStore) return;
    std::vector<std::string> ordinary;
    ordinary.reserve(mCounts[0]);
    for (int i = 0; i < mCounts[0]; ++i) ordinary.push_back(Item(i));
    mFixedCount = 0;
    mFixed->longWords.clear();
    mOverflow.clear();
    mCounts[0] = 0;
    mUseFixedStore = on;
    for (const std::string& word : ordinary) Add(word, WordCategory::Ordinary);
}
