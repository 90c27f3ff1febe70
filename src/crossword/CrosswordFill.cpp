// The fill: the driver, the backtracking search the game uses, the random-restart method and
// the two word-list methods. The propagating method lives in CrosswordPropagate.cpp.

#include "FillState.h"

#include "dictionary/FindSpecial.h"
#include "dictionary/Mask.h"
#include "platform/Clock.h"
#include "platform/Ui.h"

#include <algorithm>

namespace {

// The word-list methods use at most this many words of the list.
constexpr int MaxListWords = 100;

}  // namespace

bool TCrossword::Fill(int x1, int y1, int x2, int y2, bool useSpecial, int& errCode, TFillResult& best) {
    bool result = false;
    errCode = FillError::Stopped;
    best.Clear();
    Running = 1;
    try {
        TFillResult attempt;
        TFillResult startState;
        SaveState(startState);
        const TFillParameters& p = FillParameters;
        for (int round = 0; round < p.Attempts; ++round) {
            RestoreState(startState);
            if (useSpecial)
                result = FillSpecial(x1, y1, x2, y2, errCode, attempt);
            else if (p.FillMethod == TFillMethod::Default)
                result = FillDefault(x1, y1, x2, y2, errCode, attempt);
            else if (p.FillMethod == TFillMethod::RandomRestart)
                result = FillRandomRestart(x1, y1, x2, y2, errCode, attempt);
            else if (p.FillMethod == TFillMethod::WordList && !p.WordList.empty())
                result = p.WordListOrdered ? FillFromListOrdered(x1, y1, x2, y2, errCode, attempt)
                                           : FillFromList(x1, y1, x2, y2, errCode, attempt);
            else if (p.FillMethod == TFillMethod::Propagate)
                result = FillPropagate(x1, y1, x2, y2, errCode, attempt);
            else
                result = FillBacktrack(x1, y1, x2, y2, errCode, attempt);
            if (attempt.Count() > best.Count()) best = attempt;
            if (result) break;
            const bool listRetry = p.FillMethod == TFillMethod::WordList && !p.WordListOrdered &&
                                   errCode == FillError::Exhausted;
            if (errCode != FillError::TimeLimit && !listRetry) break;
        }
    } catch (...) {
        // A failed step ends the fill with the result of the last completed method.
    }
    Running = 0;
    return result;
}

int TCrossword::StopCode(uint32_t startTick, int timeLimit) const {
    if (!Running) return FillError::Stopped;
    if (timeLimit != 0 && ElapsedSeconds(startTick) >= timeLimit) return FillError::TimeLimit;
    const int limitMs = FillParameters.TimeLimitMs;
    if (limitMs != 0 && TickCount() - startTick >= static_cast<uint32_t>(limitMs)) return FillError::TimeLimit;
    return 0;
}

bool TCrossword::FillDefault(int x1, int y1, int x2, int y2, int& errCode, TFillResult& result) {
    return FillBacktrack(x1, y1, x2, y2, errCode, result);
}

bool TCrossword::PreCheck(int x1, int y1, int x2, int y2, int& errCode) const {
    int failing = -1;
    if (CheckFillable(x1, y1, x2, y2, failing)) return true;
    errCode = failing;
    return false;
}

bool TCrossword::CheckFillable(int x1, int y1, int x2, int y2, int& slot) const {
    slot = -1;
    for (int i = 0; i < Words.Count(); ++i) {
        if (Words.SlotFilled(i) || !InRect(i, x1, y1, x2, y2)) continue;
        if (!Dictionary.HasCandidate(TMask(Dictionary.CellFormat(), SlotPattern(i)))) {
            slot = i;
            return false;
        }
    }
    return true;
}

// --- the fill's placing, pattern and removal ---

void TDeepestFill::Start(const TCrossword& crossword) {
    mRecords.assign(crossword.Words.Count(), std::string());
    for (int i = 0; i < crossword.Words.Count(); ++i)
        if (crossword.Words.SlotFilled(i)) mRecords[i] = crossword.StateRecord(i);
    mSavedSlots.clear();
    mStable = 0;
    mSaved = false;
}

void TDeepestFill::Save(const TCrossword& crossword, std::span<const int> levelSlots) {
    const int levels = static_cast<int>(levelSlots.size());
    for (int k = mStable; k < static_cast<int>(mSavedSlots.size()); ++k) mRecords[mSavedSlots[k]].clear();
    mSavedSlots.resize(mStable);
    for (int k = mStable; k < levels; ++k) {
        mRecords[levelSlots[k]] = crossword.StateRecord(levelSlots[k]);
        mSavedSlots.push_back(levelSlots[k]);
    }
    mStable = levels;
    mSaved = true;
}

void TDeepestFill::WriteTo(TFillResult& result) const {
    result.Clear();
    if (!mSaved) return;
    for (const std::string& record : mRecords)
        if (!record.empty()) result.Add(record);
}

void TCrossword::StartFillState(TFillState& state) const {
    state.fast = KeepsBasePlacement();
    if (state.fast) {
        state.graph.Build(*this);
        state.deepest.Start(*this);
    }
    state.mask = TMask(Dictionary.CellFormat(), std::string());
}

void TCrossword::SaveDeepest(TFillState& state, std::span<const int> levelSlots, TFillResult& result) const {
    if (state.fast)
        state.deepest.Save(*this, levelSlots);
    else
        SaveState(result);
}

void TCrossword::FinishDeepest(const TFillState& state, TFillResult& result) const {
    if (state.fast) state.deepest.WriteTo(result);
}

void TCrossword::FillPattern(TFillState& state, int slot, TMask& mask) const {
    if (!state.fast) {
        mask.SetText(SlotPattern(slot));
        return;
    }
    const std::span<const TCell> cells = state.graph.Cells(slot);
    mask.Resize(static_cast<int>(cells.size()));
    for (int i = 0; i < static_cast<int>(cells.size()); ++i) {
        const std::string& text = CellText(cells[i].x, cells[i].y);
        bool known = false;
        if (text != EmptyCell) {
            known = state.graph.IsFixed(slot, i);
            for (const int other : state.graph.SlotsThrough(slot, i))
                if (!known && other != slot && Words.SlotFilled(other)) known = true;
        }
        if (known)
            mask.SetCell(i, text);
        else
            mask.ClearCell(i);
    }
}

int TCrossword::FillPlace(TFillState& state, int slot, std::string_view word) {
    if (!state.fast) return PlaceWord(slot, word, true);
    return PlaceWordOnCells(slot, word, true, state.graph.Cells(slot));
}

void TCrossword::FillRemove(TFillState& state, int slot) {
    if (!state.fast) {
        RemoveWord(slot);
        return;
    }
    if (!Words.SlotFilled(slot)) return;
    FillPattern(state, slot, state.mask);
    RemoveWordWithPattern(slot, state.mask, state.graph.Cells(slot));
}

std::span<const int> TCrossword::FillCrossing(TFillState& state, int slot) const {
    if (state.fast) return state.graph.Crossing(slot);
    state.crossing = CrossingSlots(slot);
    return state.crossing;
}

// --- the backtracking fill ---

void TCrossword::MarkCrossingForRecount(TFillState& state, TWordVariant& variant, int slot) const {
    for (const int other : FillCrossing(state, slot))
        if (!Words.SlotFilled(other)) variant.SetNeedsRecount(other, true);
}

TFindSpecial& TCrossword::LevelStore(int r) {
    while (static_cast<int>(mStores.size()) <= r) mStores.push_back(std::make_unique<TFindSpecial>());
    // The pieces formats' cell texts may be longer than the fixed store's entries.
    const uint8_t format = Dictionary.CellFormat();
    mStores[r]->SetUseFixedStore(format != CellFormatPieces && format != CellFormatPiecesWithFragments);
    return *mStores[r];
}

int TCrossword::MostConstrainedSlot(TFillState& state, TWordVariant& variant, const std::vector<int>& pending) {
    for (const int slot : pending) {
        variant.SetSelectable(slot, true);
        if (!variant.NeedsRecountOf(slot)) continue;
        FillPattern(state, slot, state.mask);
        const int count = Dictionary.CountCandidates(state.mask, true);
        variant.SetCount(slot, count);
        variant.SetNeedsRecount(slot, false);
        if (count == 0) break;
    }
    return variant.BestSlot();
}

bool TCrossword::FillBacktrack(int x1, int y1, int x2, int y2, int& errCode, TFillResult& result) {
    result.Clear();
    if (!PreCheck(x1, y1, x2, y2, errCode)) return false;
    errCode = 0;
    const uint32_t start = TickCount();

    std::vector<int> pending = EmptySlotsIn(x1, y1, x2, y2);
    const int total = static_cast<int>(pending.size());
    TFillState state;
    StartFillState(state);
    std::vector<int> levelSlot(total, 0);

    TWordVariant variant(Words.Count());
    bool backtracked = false;
    uint8_t passes = 0;
    int r = 0;
    int deepest = 0;
    while (r < total) {
        if (const int stop = StopCode(start, FillParameters.TimeLimit)) {
            errCode = stop;
            break;
        }
        if (!backtracked) {
            const int chosen = MostConstrainedSlot(state, variant, pending);
            levelSlot[r] = chosen;
            TFindSpecial& store = LevelStore(r);
            if (variant.CountOf(chosen) != 0) {
                FillPattern(state, chosen, state.mask);
                Dictionary.CollectCandidates(state.mask, store, true);
            } else {
                store.Reset();
            }
        }
        const int slot = levelSlot[r];
        TFindSpecial& store = *mStores[r];
        const int ordinary = store.BucketCount(WordCategory::Ordinary);
        const int reserve = store.BucketCount(WordCategory::Reserve);
        if (ordinary + reserve > 0) {
            if (!backtracked) {
                const auto at = std::find(pending.begin(), pending.end(), slot);
                if (at != pending.end()) pending.erase(at);
            }
            backtracked = false;
            const int pick = ordinary > 0 ? RandomInt(ordinary) : ordinary + RandomInt(reserve);
            variant.SetSelectable(slot, false);
            const std::string word = store.Item(pick);
            store.Delete(pick);
            if (FillPlace(state, slot, word) != PutCode::Placed) {
                backtracked = true;
            } else {
                ++r;
                MarkCrossingForRecount(state, variant, slot);
            }
            if (r > deepest) {
                deepest = r;
                SaveDeepest(state, std::span<const int>(levelSlot).first(r), result);
            }
        } else {
            if (r == 0) {
                errCode = FillError::Exhausted;
                break;
            }
            variant.SetNeedsRecount(slot, true);
            if (backtracked) pending.push_back(slot);
            backtracked = true;
            --r;
            FillRemove(state, levelSlot[r]);
            state.deepest.Changed(r);
            MarkCrossingForRecount(state, variant, levelSlot[r]);
        }
        if (++passes % PassesPerMessageRun == 0) TheUi().ProcessMessages();
    }
    FinishDeepest(state, result);
    return r >= total;
}

// --- the random-restart fill ---

namespace {

// A matching word of the wanted category that no standing word excludes, scanning the mask's
// length range cyclically from a random entry. matches counts every entry the scan met that
// is not unavailable.
bool ScanForWord(const TWorkDictionary& dictionary, const TDynaUsedWord& excluded, const TMask& mask,
                 WordCategory wanted, std::string& word, int& matches) {
    const int start = dictionary.RandomEntryOfLength(mask.CellCount());
    int position = start;
    bool wrapped = false;
    std::string candidate;
    while (dictionary.ScanFrom(mask, start, candidate, position, wrapped)) {
        ++matches;
        int index = 0;
        const WordCategory category =
            dictionary.Find(candidate, index) ? dictionary.EntryCategory(index) : WordCategory::Ordinary;
        if (category == wanted && !excluded.Contains(candidate)) {
            word = candidate;
            return true;
        }
    }
    return false;
}

}  // namespace

bool TCrossword::FillRandomRestart(int x1, int y1, int x2, int y2, int& errCode, TFillResult& result) {
    errCode = FillError::Stopped;
    const uint32_t start = TickCount();
    std::vector<int> pending = EmptySlotsIn(x1, y1, x2, y2);
    result.Clear();
    std::size_t best = pending.size();
    int passes = 0;

    const auto scan = [&](const TMask& mask, std::string& word, int& matches) {
        matches = 0;
        if (ScanForWord(Dictionary, RelatedUsed, mask, WordCategory::Ordinary, word, matches)) return true;
        if (matches == 0) return false;
        int again = 0;
        return ScanForWord(Dictionary, RelatedUsed, mask, WordCategory::Reserve, word, again);
    };

    while (errCode < 0 && !pending.empty()) {
        if (const int stop = StopCode(start, FillParameters.TimeLimit)) {
            errCode = stop;
            break;
        }
        const int at = RandomInt(static_cast<int>(pending.size()));
        const int slot = pending[at];
        TMask mask(Dictionary.CellFormat(), SlotPattern(slot));
        std::string word;
        int matches = 0;
        const bool found = scan(mask, word, matches);
        if (matches > 0) {
            if (found) {
                if (TryPutWord(slot, word, {.Related = true}) != PutCode::Placed) {
                    errCode = slot;
                    break;
                }
                pending.erase(pending.begin() + at);
            } else if (matches > 1) {
                const int count = Words.Count();
                const int first = RandomInt(count);
                for (int k = 0; k < count; ++k) {
                    const int i = (first + k) % count;
                    if (!Words.SlotFilled(i) || Words.SlotLocked(i) || !InRect(i, x1, y1, x2, y2)) continue;
                    RemoveWord(i);
                    if (std::find(pending.begin(), pending.end(), i) == pending.end()) pending.push_back(i);
                }
                errCode = FillError::Stopped;
            } else {
                errCode = slot;
            }
            if (pending.size() < best) {
                SaveState(result);
                best = pending.size();
            }
        } else {
            // Nothing fits: free the slot by taking out crossing words at its known cells.
            std::vector<int> gathered;
            const TCoord cells = SlotCells(slot);
            for (int i = 0; i < cells.Count(); ++i) {
                if (mask.IsUnknown(i)) continue;
                for (const int j : SlotsThroughCell(cells.CellX(i), cells.CellY(i))) {
                    if (j == slot || !Words.SlotFilled(j) || Words.SlotLocked(j)) continue;
                    if (std::find(gathered.begin(), gathered.end(), j) == gathered.end()) gathered.push_back(j);
                }
            }
            bool freed = false;
            while (!gathered.empty() && !freed) {
                const int k = RandomInt(static_cast<int>(gathered.size()));
                const int j = gathered[k];
                gathered.erase(gathered.begin() + k);
                if (!InRect(j, x1, y1, x2, y2)) continue;
                RemoveWord(j);
                pending.push_back(j);
                freed = scan(TMask(Dictionary.CellFormat(), SlotPattern(slot)), word, matches);
            }
            if (!freed) errCode = slot;
        }
        if (++passes == PassesPerMessageRun) {
            passes = 0;
            TheUi().ProcessMessages();
        }
    }
    Running = 0;
    return pending.empty();
}

// --- the word-list fills ---

bool TCrossword::PrepareWordList(std::vector<std::string>& list, int& errCode) const {
    struct Counted {
        std::string word;
        int slots;
    };
    std::vector<Counted> counted;
    const int n = std::min(static_cast<int>(FillParameters.WordList.size()), MaxListWords);
    for (int k = 0; k < n; ++k) {
        const std::string& word = FillParameters.WordList[k];
        int slots = 0;
        for (int i = 0; i < Words.Count(); ++i)
            if (TMask(Dictionary.CellFormat(), SlotPattern(i)).Matches(word)) ++slots;
        if (slots == 0) {
            errCode = FillError::ListWordBase + k;
            return false;
        }
        counted.push_back({word, slots});
    }
    std::stable_sort(counted.begin(), counted.end(), [](const Counted& a, const Counted& b) { return a.slots < b.slots; });
    list.clear();
    for (const Counted& c : counted) list.push_back(c.word);
    for (int i = 0; i < Words.Count(); ++i) {
        if (!Words.SlotFilled(i)) continue;
        const auto standing = std::find(list.begin(), list.end(), Words.SlotWord(i));
        if (standing != list.end()) list.erase(standing);
    }
    return true;
}

std::vector<int> TCrossword::ListWordCandidates(std::string_view word, int x1, int y1, int x2, int y2) const {
    const int cells = TMask(Dictionary.CellFormat(), std::string(word)).CellCount();
    std::vector<int> slots;
    for (const int slot : EmptySlotsIn(x1, y1, x2, y2))
        if (Words.WordLength(slot) == cells && TMask(Dictionary.CellFormat(), SlotPattern(slot)).Matches(word))
            slots.push_back(slot);
    return slots;
}

bool TCrossword::CrossingSlotsFillable(int slot) const {
    for (const int other : CrossingSlots(slot))
        if (!Words.SlotFilled(other) && !Dictionary.HasCandidate(TMask(Dictionary.CellFormat(), SlotPattern(other))))
            return false;
    return true;
}

bool TCrossword::StartWordList(int x1, int y1, int x2, int y2, std::vector<std::string>& words, int& errCode) const {
    return PreCheck(x1, y1, x2, y2, errCode) && PrepareWordList(words, errCode);
}

bool TCrossword::FillAfterList(int x1, int y1, int x2, int y2, int& errCode, TFillResult& result) {
    TFillResult saved;
    SaveState(saved);
    TFillResult rest;
    const bool filled = FillBacktrack(x1, y1, x2, y2, errCode, rest);
    if (rest.Count() > result.Count()) result = rest;
    if (!filled) RestoreState(saved);
    return filled;
}

bool TCrossword::FillFromList(int x1, int y1, int x2, int y2, int& errCode, TFillResult& result) {
    result.Clear();
    std::vector<std::string> words;
    if (!StartWordList(x1, y1, x2, y2, words, errCode)) return false;
    const auto listIndex = [&](const std::string& word) {
        const auto& all = FillParameters.WordList;
        return FillError::ListWordBase + static_cast<int>(std::find(all.begin(), all.end(), word) - all.begin());
    };
    struct Placed {
        std::string word;
        int slot;
    };
    std::vector<Placed> placed;
    const auto takeBack = [&](int count) {
        for (int k = 0; k < count && !placed.empty(); ++k) {
            const int at = RandomInt(static_cast<int>(placed.size()));
            RemoveWord(placed[at].slot);
            words.push_back(placed[at].word);
            placed.erase(placed.begin() + at);
        }
    };
    const uint32_t start = TickCount();
    int passes = 0;
    for (;;) {
        while (!words.empty()) {
            if (const int stop = StopCode(start, FillParameters.ListTimeLimit)) {
                errCode = stop;
                return false;
            }
            const int at = RandomInt(static_cast<int>(words.size()));
            const std::string word = words[at];
            std::vector<int> candidates = ListWordCandidates(word, x1, y1, x2, y2);
            bool took = false;
            while (!candidates.empty() && !took) {
                const int c = RandomInt(static_cast<int>(candidates.size()));
                const int slot = candidates[c];
                const int code = PlaceWord(slot, word, true);
                // A word refused as related or in use would be refused in every slot.
                if (code != PutCode::Placed) {
                    errCode = listIndex(word);
                    return false;
                }
                candidates.erase(candidates.begin() + c);
                if (!CrossingSlotsFillable(slot)) {
                    RemoveWord(slot);
                    continue;
                }
                placed.push_back({word, slot});
                words.erase(words.begin() + at);
                took = true;
            }
            if (!took) {
                // With no list word to take back, the word can never be placed.
                if (placed.empty()) {
                    errCode = listIndex(word);
                    return false;
                }
                takeBack(1 + RandomInt(4));
            }
            if (result.Count() < static_cast<int>(placed.size())) SaveState(result);
            if (++passes % PassesPerMessageRun == 0) TheUi().ProcessMessages();
        }
        if (FillAfterList(x1, y1, x2, y2, errCode, result)) return true;
        if (placed.empty()) return false;
        takeBack(1 + RandomInt(3));
    }
}

bool TCrossword::FillFromListOrdered(int x1, int y1, int x2, int y2, int& errCode, TFillResult& result) {
    result.Clear();
    std::vector<std::string> words;
    if (!StartWordList(x1, y1, x2, y2, words, errCode)) return false;
    const int n = static_cast<int>(words.size());
    std::vector<std::vector<int>> candidates(n);
    std::vector<int> placedSlot(n, -1);
    if (n > 0) candidates[0] = ListWordCandidates(words[0], x1, y1, x2, y2);
    const uint32_t start = TickCount();
    int passes = 0;
    int level = 0;
    for (;;) {
        if (const int stop = StopCode(start, FillParameters.ListTimeLimit)) {
            errCode = stop;
            return false;
        }
        if (++passes % PassesPerMessageRun == 0) TheUi().ProcessMessages();
        if (level == n) {
            if (FillAfterList(x1, y1, x2, y2, errCode, result)) return true;
            if (n == 0) return false;
            level = n - 1;
            continue;
        }
        if (placedSlot[level] >= 0) {
            RemoveWord(placedSlot[level]);
            placedSlot[level] = -1;
        }
        if (candidates[level].empty()) {
            if (--level < 0) {
                errCode = FillError::Exhausted;
                return false;
            }
            continue;
        }
        if (result.Count() < level) SaveState(result);
        const int c = RandomInt(static_cast<int>(candidates[level].size()));
        const int slot = candidates[level][c];
        if (PlaceWord(slot, words[level], true) != PutCode::Placed) {
            errCode = FillError::ListWordBase + level;
            return false;
        }
        candidates[level].erase(candidates[level].begin() + c);
        placedSlot[level] = slot;
        if (CrossingSlotsFillable(slot) && ++level < n)
            candidates[level] = ListWordCandidates(words[level], x1, y1, x2, y2);
    }
}
