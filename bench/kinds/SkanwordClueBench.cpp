// The scanword's clue side on a 30 x 30 grid: the export of every clue area (numbers shown, so
// every slot has a clue without a fill; blocks united), and the clue area of every slot in turn,
// which reuses one clue map and block list while the template stays the same.

#include "kinds/Skanword.h"
#include "kinds/SkanwordShablon.h"

#include "export/ComExport.h"
#include "platform/RecordingUi.h"

#include <benchmark/benchmark.h>

namespace {

constexpr int Side = 30;

// Clue cells on the first row and column and on a diagonal pattern, every word start given the
// first clue place it allows.
void MakeSample(TSkanword& crossword) {
    crossword.SetWidth(Side);
    crossword.SetHeight(Side);
    auto& shablon = dynamic_cast<TSkanwordShablon&>(*crossword.Template);
    for (int x = 0; x < Side; ++x)
        for (int y = 0; y < Side; ++y)
            shablon.SetLetterCellOnly(x, y, x > 0 && y > 0 && (x + 2 * y) % 5 != 0);
    for (int x = 0; x < Side; ++x)
        for (int y = 0; y < Side; ++y) {
            shablon.NextHorzArrow(x, y);
            shablon.NextVertArrow(x, y);
        }
    shablon.NumberCells();
    crossword.PrepareForFill();
    crossword.OprText.OprShowType = 1;
}

void ClueExport(benchmark::State& state) {
    ScopedRecordingUi quiet;
    TSkanword crossword;
    MakeSample(crossword);
    int items = 0;
    for (auto _ : state) {
        TComExport list;
        crossword.BuildModeExport(list, 0);
        items = list.Count();
        benchmark::DoNotOptimize(items);
    }
    state.counters["slots"] = crossword.Words.Count();
    state.counters["items"] = items;
}

bool SameArea(const TSkanword::TClueArea& a, const TSkanword::TClueArea& b) {
    return a.X == b.X && a.Y == b.Y && a.Width == b.Width && a.Height == b.Height && a.WordsInCell == b.WordsInCell &&
           a.Place == b.Place;
}

void ClueAreasOfEverySlot(benchmark::State& state) {
    ScopedRecordingUi quiet;
    TSkanword crossword;
    MakeSample(crossword);
    // The kept layout must answer as one made for the slot alone.
    for (int slot = 0; slot < crossword.Words.Count(); ++slot) {
        TSkanword fresh;
        MakeSample(fresh);
        if (!SameArea(crossword.ClueAreaOfSlot(slot), fresh.ClueAreaOfSlot(slot))) {
            state.SkipWithError("the kept clue layout answers differently");
            return;
        }
    }
    for (auto _ : state)
        for (int slot = 0; slot < crossword.Words.Count(); ++slot) {
            const TSkanword::TClueArea area = crossword.ClueAreaOfSlot(slot);
            benchmark::DoNotOptimize(area);
        }
    state.counters["slots"] = crossword.Words.Count();
}

}  // namespace

BENCHMARK(ClueExport)->Unit(benchmark::kMillisecond);
BENCHMARK(ClueAreasOfEverySlot)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
