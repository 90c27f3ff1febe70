// The propagating fill (method 4), for dense grids where every letter lies in two words. The
// empty slots of the rectangle keep their candidates as bitsets made consistent across every
// crossing after each placement (TCandidateSets), so a dead end shows before the search walks
// into it. The search takes the slot with the fewest candidates for its failure weight, the
// word that leaves its crossings the most candidates, and refutes a word that failed at the
// level above; it restarts from the top after a growing number of failures, keeping the
// weights, so that one bad early choice cannot hold it.

#include "CandidateSets.h"
#include "FillState.h"
#include "WordIndex.h"

#include "platform/Clock.h"
#include "platform/Ui.h"

#include <algorithm>
#include <tuple>

namespace {

// Failures before the first restart, and how the allowance grows after each: long enough for a
// search to finish a small grid at its first run, short enough to escape a bad start soon.
constexpr int FirstRestartCutoff = 100;
constexpr double RestartGrowth = 1.5;

}  // namespace

const TWordIndex& TCrossword::WordIndex() {
    if (!mWordIndex || mWordIndex->Version() != Dictionary.Version()) mWordIndex = std::make_unique<TWordIndex>(Dictionary);
    return *mWordIndex;
}

bool TCrossword::FillPropagate(int x1, int y1, int x2, int y2, int& errCode, TFillResult& result) {
    result.Clear();
    if (!PreCheck(x1, y1, x2, y2, errCode)) return false;
    errCode = 0;
    const uint32_t start = TickCount();

    const std::vector<int> pending = EmptySlotsIn(x1, y1, x2, y2);
    TFillState state;
    StartFillState(state);
    TCandidateSets sets(Dictionary, WordIndex());
    std::vector<std::tuple<int, int, int>> cellUses;  // grid cell, set slot, position
    for (int s = 0; s < static_cast<int>(pending.size()); ++s) {
        FillPattern(state, pending[s], state.mask);
        sets.AddSlot(state.mask);
        const TCoord cells = SlotCells(pending[s]);
        for (int i = 0; i < cells.Count(); ++i) cellUses.emplace_back(Index(cells.CellX(i), cells.CellY(i)), s, i);
    }
    std::sort(cellUses.begin(), cellUses.end());
    for (std::size_t a = 0; a < cellUses.size(); ++a)
        for (std::size_t b = a + 1; b < cellUses.size() && std::get<0>(cellUses[b]) == std::get<0>(cellUses[a]); ++b)
            sets.Link(std::get<1>(cellUses[a]), std::get<2>(cellUses[a]), std::get<1>(cellUses[b]),
                      std::get<2>(cellUses[b]));
    int entry = 0;
    for (const std::string& word : UsedWords.Items())
        if (Dictionary.Find(word, entry)) sets.Exclude(entry);
    if (AvoidRelatedWords)
        for (int n = 0; n < RelatedUsed.Count(); ++n)
            if (Dictionary.Find(RelatedUsed.ItemWord(n), entry)) sets.Exclude(entry);
    if (!sets.Start()) {
        errCode = FillError::Exhausted;
        return false;
    }
    int deepest = 0;

    // A kind with its own patterns has every slot's candidates checked against them again.
    const auto kindPatternsHold = [&] {
        if (state.fast) return true;
        for (int s = 0; s < sets.SlotCount(); ++s)
            if (!sets.IsDecided(s) && !sets.Restrict(s, TMask(Dictionary.CellFormat(), SlotPattern(pending[s]))))
                return false;
        return true;
    };
    std::vector<int> placed;  // the crossword slot of every open level
    const auto stepBack = [&](int& s, int& word) {
        sets.Backtrack(s, word);
        FillRemove(state, pending[s]);
        placed.pop_back();
        state.deepest.Changed(sets.Depth());
    };
    int failures = 0;
    // After a failed step: back up, refuting the decision above, until a refutation holds;
    // false when the search is back at the top with nothing left.
    const auto settle = [&](bool ok) {
        while (!ok) {
            ++failures;
            if (sets.Depth() == 0) return false;
            int s = 0, word = 0;
            stepBack(s, word);
            ok = sets.Remove(s, word);
        }
        return true;
    };

    double cutoff = FirstRestartCutoff;
    int passes = 0;
    bool filled = false;
    for (;;) {
        if (const int stop = StopCode(start, FillParameters.TimeLimit)) {
            errCode = stop;
            break;
        }
        if (++passes % PassesPerMessageRun == 0) TheUi().ProcessMessages();
        if (failures >= cutoff) {
            int s = 0, word = 0;
            while (sets.Depth() > 0) stepBack(s, word);
            failures = 0;
            cutoff *= RestartGrowth;
        }
        const int s = sets.ChooseSlot();
        if (s < 0) {
            filled = true;
            break;
        }
        const int word = sets.ChooseWord(s);
        if (word >= 0) placed.push_back(pending[s]);
        const bool ok = word >= 0 && sets.Decide(s, word) &&
                        FillPlace(state, pending[s], Dictionary.EntryText(word)) == PutCode::Placed &&
                        kindPatternsHold();
        if (ok && static_cast<int>(placed.size()) > deepest) {
            deepest = static_cast<int>(placed.size());
            SaveDeepest(state, placed, result);
        }
        if (!settle(ok)) {
            errCode = FillError::Exhausted;
            break;
        }
    }
    FinishDeepest(state, result);
    return filled;
}
