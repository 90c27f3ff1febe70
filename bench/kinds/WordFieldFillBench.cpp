// The word field fill with "dic1.wdi" on open fields of 8 x 8 to 15 x 15, each filled under
// several seeds with a time limit. Reports per field the share of fills that cover it and the
// median and 95th-percentile fill time (a fill that runs out of time counts with its limit).

#include "../crossword/FillFigures.h"

#include "kinds/EnglishCrossword.h"
#include "platform/RecordingUi.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

constexpr int FirstSide = 8;
constexpr int LastSide = 15;
constexpr TSeedRun Run{20, 10, 30};

void WordFieldFill(benchmark::State& state) {
    ScopedRecordingUi quiet;
    const int side = static_cast<int>(state.range(0));
    TEnglishCrossword* crossword = OpenField<TEnglishCrossword>(state, side);
    if (!crossword) return;
    FillSeeds(state, *crossword, Run, [&] {
        crossword->PrepareForFill();
        return true;
    }, SizeLabel(side, side) + " word field");
}

}  // namespace

BENCHMARK(WordFieldFill)->DenseRange(FirstSide, LastSide)->Iterations(1)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
