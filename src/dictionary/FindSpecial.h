#pragma once

// The candidate store of one slot: the matching words in three buckets by category.
// Candidates are numbered across the buckets: ordinary words first, then reserve words, then
// unavailable ones, each bucket in the order the words were added.

#include "CellFormat.h"

#include <memory>
#include <string>
#include <string_view>
#include <vector>

class TFindSpecial {
public:
    // The first ordinary words go into a fixed store of entries that grows to the most words
    // the object has held and keeps that room across Reset, so that the fill collects the
    // candidates of a slot without allocating per word, and a store that never holds many
    // words never takes much room.
    static constexpr int FixedStoreSize = 4000;
    static constexpr int FixedEntryChars = 25;

    TFindSpecial();
    ~TFindSpecial();
    TFindSpecial(const TFindSpecial&) = delete;
    TFindSpecial& operator=(const TFindSpecial&) = delete;

    void Add(std::string_view word, WordCategory category);
    // Empties every bucket.
    void Reset();
    int Total() const { return mCounts[0] + mCounts[1] + mCounts[2]; }
    int BucketCount(WordCategory category) const { return mCounts[static_cast<int>(category)]; }
    // Candidate n (0 .. Total - 1); empty when out of range.
    std::string Item(int n) const;
    // Removes candidate n, keeping the order of the others.
    void Delete(int n);
    // On by default; turning it off keeps every ordinary word in the list (the pieces formats,
    // whose cell texts may be long). Words already held keep their order.
    void SetUseFixedStore(bool on);
    bool UseFixedStore() const { return mUseFixedStore; }

private:
    struct FixedStore;

    std::string_view FixedItem(int n) const;
    void AddToFixed(std::string_view word);

    std::unique_ptr<FixedStore> mFixed;
    int mFixedCount = 0;
    std::vector<std::string> mOverflow;  // ordinary words after the fixed store
    std::vector<std::string> mReserve;
    std::vector<std::string> mUnavailable;
    int mCounts[WordCategoryCount] = {0, 0, 0};
    bool mUseFixedStore = true;
};
