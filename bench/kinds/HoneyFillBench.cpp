// The honeycomb fills: sample grids of both honeycombs in each ring mode, filled with
// "dic1.wdi" under a run of seeds with the default method (the hexagon honeycomb turning its
// stuck rings). A ring word has the ring's letters and, by the mode, the centre's letter first,
// last or both, so the modes ask for words of 6 to 8 letters round a hexagon and 8 to 10 round a
// square; the closed mode takes only words whose first and last letters agree. Reports per grid
// and mode the share of fills that succeed and the median and 95th-percentile fill time (a fill
// that runs out of time counts with its limit).
//
// Each case gets BudgetSeconds: no fill starts after that, and the figures cover the fills that
// ran (the "fills" counter), so the whole benchmark keeps to a few minutes.

#include "../crossword/FillFigures.h"

#include "kinds/Honey.h"
#include "platform/RecordingUi.h"

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

namespace {

constexpr TSeedRun Run = {.Seeds = 20, .TimeLimitSeconds = 10, .BudgetSeconds = 15};

// "#" a blank, "." a letter cell, "o" a centre starting where its kind's rings start.
struct TSample {
    const char* Label;
    bool Hexagons;
    std::vector<std::string> Rows;
};

const TSample Samples[] = {
    // A row of rings, each sharing one cell with the next.
    {"hexagons 9x3 row", true, {".........", ".o.o.o.o.", "........."}},
    // Two rows of rings, each ring of the lower row sharing a cell with one of the upper.
    {"hexagons 9x5 two rows", true, {".........", ".o..o..o.", ".........", "#..o..o..", "#........"}},
    // A row of squares, each sharing a side of three cells with the next.
    {"squares 7x3 row", false, {".......", ".o.o.o.", "......."}},
    // Two rows of squares sharing sides, four rings round a middle column.
    {"squares 5x5 block", false, {".....", ".o.o.", ".....", ".o.o.", "....."}},
    // Two squares touching at one corner cell.
    {"squares 5x5 corner", false, {"...##", ".o.##", ".....", "##.o.", "##..."}},
};

template <typename TKind>
void FillSample(benchmark::State& state, const TSample& sample, int mode) {
    ScopedRecordingUi quiet;
    TKind* crossword = LoadedOnce<TKind>();
    if (!crossword) {
        state.SkipWithError("dic1.wdi missing: build the data files first");
        return;
    }
    crossword->FillParameters.FillMethod = TFillMethod::Default;
    const auto prepare = [&] {
        crossword->SetWidth(static_cast<int>(sample.Rows[0].size()));
        crossword->SetHeight(static_cast<int>(sample.Rows.size()));
        TBaseHoneyShablon& honey = crossword->Honey();
        honey.RingMode = static_cast<uint8_t>(mode);
        for (int y = 0; y < honey.Height; ++y)
            for (int x = 0; x < honey.Width; ++x) {
                honey.SetLetterCellOnly(x, y, sample.Rows[y][x] == '.');
                honey.SetStartDirection(x, y, sample.Rows[y][x] == 'o' ? (sample.Hexagons ? 0 : 4)
                                                                       : TBaseHoneyShablon::NoDirection);
            }
        honey.NumberCells();
        crossword->PrepareForFill();
        return crossword->Words.Count() > 0;
    };
    FillSeeds(state, *crossword, Run, prepare, std::string(sample.Label) + " mode " + std::to_string(mode));
}

void FillHoney(benchmark::State& state) {
    const TSample& sample = Samples[state.range(0)];
    const int mode = static_cast<int>(state.range(1));
    if (sample.Hexagons)
        FillSample<THoney>(state, sample, mode);
    else
        FillSample<THoney_8>(state, sample, mode);
}

void Cases(benchmark::internal::Benchmark* bench) {
    for (int sample = 0; sample < static_cast<int>(std::size(Samples)); ++sample)
        for (int mode = 0; mode <= 3; ++mode) bench->Args({sample, mode});
}

}  // namespace

BENCHMARK(FillHoney)->Apply(Cases)->Iterations(1)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
