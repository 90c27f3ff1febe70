#include "FindSpecial.h"
#include "Find.h"
#include "Mask.h"
#include "WorkDictionary.h"

#include "platform/Clock.h"

#include <algorithm>

namespace {

// The length the fill tries first lies in 4..11, the lengths of most crossword slots.
constexpr int RandomCentreBase = 4;
constexpr int RandomCentreSpread = 8;
constexpr int RandomWalkSteps = 51;

bool CellsSearchable(int cells) {
    return cells >= MinWordCells && cells <= MaxWordCells;
}

// The known cells of a one-character-per-cell mask, within its first 25 characters.
MaskCells KnownCells(const TMask& mask) {
    MaskCells known;
    known.cells = mask.CellCount();
    const std::string& text = mask.Text();
    const int limit = std::min(known.cells, MaxWordCells);
    for (int p = 0; p < limit; ++p) {
        if (text[p] == ' ') continue;
        known.position[known.knownCount] = static_cast<uint8_t>(p);
        known.letter[known.knownCount] = static_cast<uint8_t>(text[p]);
        ++known.knownCount;
    }
    return known;
}

bool KnownCellsMatch(const MaskCells& known, std::string_view word) {
    for (int k = 0; k < known.knownCount; ++k) {
        const int p = known.position[k];
        if (static_cast<std::size_t>(p) >= word.size() || static_cast<uint8_t>(word[p]) != known.letter[k])
            return false;
    }
    return true;
}

bool EveryCellUnknown(const TMask& mask) {
    const int cells = mask.CellCount();
    for (int i = 0; i < cells; ++i)
        if (!mask.IsUnknown(i)) return false;
    return true;
}

}  // namespace

bool TWorkDictionary::UsesLetterIndex(const TMask& mask) const {
    return IsSingleCharFormat(mask.Mode()) && !mLetterIndex.Empty();
}

bool TWorkDictionary::EntryMatches(const TMask& mask, const MaskCells& known, int i) const {
    // With the letter index every entry of the range has exactly as many characters as cells.
    if (UsesLetterIndex(mask)) return KnownCellsMatch(known, EntryText(i));
    return mask.Matches(EntryText(i));
}

template <typename Visit>
void TWorkDictionary::ForEachMatch(const TMask& mask, MatchRule rule, Visit&& visit) const {
    const int cells = mask.CellCount();
    if (!CellsSearchable(cells)) return;
    const int first = mLengthIndex[cells];
    const int end = mLengthIndex[cells + 1];
    if (IsSingleCharFormat(mask.Mode())) {
        const MaskCells known = KnownCells(mask);
        if (!mLetterIndex.Empty()) {
            mLetterIndex.ForEach(known, visit);
            return;
        }
        for (int i = first; i < end; ++i) {
            const std::string_view word = EntryText(i);
            const bool match = rule == MatchRule::KnownPositions ? KnownCellsMatch(known, word) : mask.Matches(word);
            if (match) visit(i);
        }
        return;
    }
    for (int i = first; i < end; ++i)
        if (mask.Matches(EntryText(i))) visit(i);
}

bool TWorkDictionary::HasCandidate(const TMask& mask) const {
    const int cells = mask.CellCount();
    if (!CellsSearchable(cells)) return false;
    const MaskCells known = IsSingleCharFormat(mask.Mode()) ? KnownCells(mask) : MaskCells{};
    if (UsesLetterIndex(mask)) return mLetterIndex.AnyAvailable(known);
    for (int i = mLengthIndex[cells]; i < mLengthIndex[cells + 1]; ++i)
        if (mEntries[i].category != WordCategory::Unavailable && mask.Matches(EntryText(i))) return true;
    return false;
}

int TWorkDictionary::CountCandidates(const TMask& mask, bool withoutUnavailable) const {
    const int cells = mask.CellCount();
    if (!CellsSearchable(cells)) return 0;
    if (EveryCellUnknown(mask)) return mLengthIndex[cells + 1] - mLengthIndex[cells];
    if (UsesLetterIndex(mask)) return mLetterIndex.Count(KnownCells(mask), withoutUnavailable);
    int count = 0;
    ForEachMatch(mask, MatchRule::KnownPositions, [&](int i) {
        if (!withoutUnavailable || mEntries[i].category != WordCategory::Unavailable) ++count;
    });
    return count;
}

void TWorkDictionary::CollectCandidates(const TMask& mask, TFindSpecial& store, bool clearFirst) const {
    if (clearFirst) store.Reset();
    ForEachMatch(mask, MatchRule::KnownPositions, [&](int i) { store.Add(EntryText(i), mEntries[i].category); });
}

void TWorkDictionary::CollectCandidateLines(const TMask& mask, TFind& list, bool clearFirst) const {
    if (clearFirst) list.Clear();
    ForEachMatch(mask, MatchRule::WholeMask, [&](int i) {
        const WordCategory category = mEntries[i].category;
        const std::string_view word = EntryText(i);
        std::string line;
        line.reserve(word.size() + 1);
        line += static_cast<char>('0' + static_cast<int>(category));
        line += word;
        list.Append(std::move(line));
        list.SetCategoryCount(category, static_cast<uint8_t>(list.CategoryCount(category) + 1));
    });
    list.Sort();
}

void TWorkDictionary::CollectByLengthRange(const TMask& mask, int minCells, TFind& list, int maxCells) const {
    list.Clear();
    minCells = std::max(minCells, MinWordCells);
    maxCells = std::min(maxCells, MaxWordCells);  // longer masks match nothing
    for (int cells = minCells; cells <= maxCells; ++cells) {
        TMask sized(mask.Mode(), mask.Text());
        sized.Resize(cells);
        CollectCandidateLines(sized, list, false);
    }
}

int TWorkDictionary::RandomEntryOfLength(int cells) const {
    const int first = LengthIndex(cells);
    if (!CellsSearchable(cells)) return first;
    const int size = mLengthIndex[cells + 1] - first;
    return size > 0 ? first + RandomInt(size) : first;
}

bool TWorkDictionary::ScanFrom(const TMask& mask, int startIndex, std::string& word, int& position,
                               bool& wrapped) const {
    const int cells = mask.CellCount();
    if (!CellsSearchable(cells)) return false;
    const int first = mLengthIndex[cells];
    const int end = mLengthIndex[cells + 1];
    // A start outside the range could never end the scan.
    if (startIndex < first || startIndex >= end || (wrapped && position == startIndex)) return false;
    if (position < first - 1 || position >= end) position = first - 1;
    const MaskCells known = IsSingleCharFormat(mask.Mode()) ? KnownCells(mask) : MaskCells{};
    for (int tested = 0; tested < end - first; ++tested) {
        if (++position >= end) {
            position = first;
            wrapped = true;
        }
        if (mEntries[position].category != WordCategory::Unavailable && EntryMatches(mask, known, position)) {
            word = EntryText(position);
            return true;
        }
        if (position == startIndex) break;
    }
    return false;
}

bool TWorkDictionary::RandomMatch(TMask& mask, int minCells, std::string& word, int maxCells) const {
    if (minCells <= 1 || maxCells < minCells) return false;
    bool allowed[MaxWordCells + 1] = {};
    int allowedCount = 0;
    for (int cells = std::max(minCells, MinWordCells); cells <= std::min(maxCells, MaxWordCells); ++cells) {
        allowed[cells] = true;
        ++allowedCount;
    }
    const std::string given = mask.Text();
    while (allowedCount > 0) {
        const int centre = RandomCentreBase + RandomInt(RandomCentreSpread);
        int length = -1;
        for (int step = 0; step < RandomWalkSteps && length < 0; ++step) {
            const int candidate = centre + (step / 2) * (step % 2 == 0 ? 1 : -1);
            if (CellsSearchable(candidate) && allowed[candidate]) length = candidate;
        }
        if (length < 0) break;
        int position = RandomEntryOfLength(length);
        mask.SetText(given);
        mask.Resize(length);
        bool wrapped = false;
        if (ScanFrom(mask, position, word, position, wrapped)) return true;
        allowed[length] = false;
        --allowedCount;
    }
    return false;
}
