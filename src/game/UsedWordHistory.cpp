#include "UsedWordHistory.h"

#include <unordered_map>

namespace {

// The category a placed word goes back to: the one its slot remembers (ordinary when the record
// holds no category).
WordCategory CategoryToRestore(int slotCategory) {
    return slotCategory >= 0 && slotCategory < WordCategoryCount ? static_cast<WordCategory>(slotCategory)
                                                                  : WordCategory::Ordinary;
}

}  // namespace

void TUsedWordHistory::Record(const TCrossword& crossword) {
    const TCrosswordWords& words = crossword.Words;
    for (int i = 0; i < words.Count(); ++i) {
        const int cells = words.WordLength(i);
        if (!words.SlotFilled(i) || cells < 0 || cells > MaxWordCells) continue;
        mByLength[cells].push_back({std::string(words.SlotWord(i)), CategoryToRestore(words.SlotCategory(i))});
    }
}

void TUsedWordHistory::MarkUnavailable(TCrossword& crossword) {
    // The words of the grid are unavailable already: their slots hold their categories.
    std::unordered_map<std::string_view, int> inGrid;
    for (int i = 0; i < crossword.Words.Count(); ++i)
        if (crossword.Words.SlotFilled(i)) inGrid.emplace(crossword.Words.SlotWord(i), crossword.Words.SlotCategory(i));
    TWorkDictionary& dictionary = crossword.Dictionary;
    for (auto& entries : mByLength)
        for (TEntry& entry : entries) {
            int index = 0;
            if (!dictionary.Find(entry.Word, index)) continue;
            const WordCategory category = dictionary.EntryCategory(index);
            if (category != WordCategory::Unavailable) {
                entry.Category = category;
                dictionary.SetEntryCategory(index, WordCategory::Unavailable);
            } else if (const auto slot = inGrid.find(entry.Word); slot != inGrid.end()) {
                entry.Category = CategoryToRestore(slot->second);
            } else {
                entry.Category = WordCategory::Unavailable;  // so in this dictionary itself
            }
        }
}

bool TUsedWordHistory::ReleaseOldest(TCrossword& crossword, int cells) {
    std::deque<TEntry>& entries = mByLength[cells];
    TEntry oldest = std::move(entries.front());
    entries.pop_front();
    if (!crossword.ReleaseUsedWord(oldest.Word, oldest.Category)) {
        entries.push_back(std::move(oldest));  // it stands in the grid: its newest use
        return false;
    }
    int index = 0;
    return crossword.Dictionary.Find(oldest.Word, index) &&
           crossword.Dictionary.EntryCategory(index) != WordCategory::Unavailable;
}

int TUsedWordHistory::Release(TCrossword& crossword, int cells, int available) {
    if (cells < 0 || cells > MaxWordCells) return 0;
    int released = 0;
    for (int left = Count(cells), missing = available - AvailableWords(crossword.Dictionary, cells);
         left > 0 && released < missing; --left)
        released += ReleaseOldest(crossword, cells) ? 1 : 0;
    return released;
}

int TUsedWordHistory::ReleaseOlderHalf(TCrossword& crossword) {
    int released = 0;
    for (int cells = 0; cells <= MaxWordCells; ++cells)
        for (int left = (Count(cells) + 1) / 2; left > 0; --left) released += ReleaseOldest(crossword, cells) ? 1 : 0;
    return released;
}

int TUsedWordHistory::Count(int cells) const {
    return cells < 0 || cells > MaxWordCells ? 0 : static_cast<int>(mByLength[cells].size());
}

int AvailableWords(const TWorkDictionary& dictionary, int cells) {
    int count = 0;
    for (int i = dictionary.LengthIndex(cells); i < dictionary.LengthIndex(cells + 1); ++i)
        count += dictionary.EntryCategory(i) != WordCategory::Unavailable ? 1 : 0;
    return count;
}
