// The strip scanword fills with "dic1.wdi": strips of 10 to 40 columns, each filled under several
// seeds with a time limit. Reports per width the share of fills that succeed and the median and
// 95th-percentile fill time (a fill that runs out of time counts with its limit).

#include "../crossword/FillFigures.h"

#include "kinds/LineSkanword.h"
#include "platform/RecordingUi.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

constexpr TSeedRun Run{20, 10, 20};

void Strip(benchmark::State& state) {
    ScopedRecordingUi quiet;
    const int width = static_cast<int>(state.range(0));
    // The strip keeps its two rows whatever height the open field asks for.
    TLineSkanword* crossword = OpenField<TLineSkanword>(state, width);
    if (!crossword) return;
    FillSeeds(state, *crossword, Run, [&] {
        crossword->PrepareForFill();
        return true;
    }, SizeLabel(width, 2) + " strip");
}

}  // namespace

BENCHMARK(Strip)->DenseRange(10, 40, 5)->Iterations(1)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
