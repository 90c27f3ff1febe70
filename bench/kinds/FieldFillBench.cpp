// The fills of the fill-word and the football with "dic1.wdi": fill-word fields of 8 x 8 to
// 15 x 15 and four football pitches, each filled under several seeds with a time limit.
// Reports per case the share of fills that succeed and the median and 95th-percentile fill time
// (a fill that runs out of time counts with its limit); for the fill-word also the share of the
// time spent in the search for the longest path of free cells from each start cell.
//
// Each case gets the budget of Run: no fill starts after that, and the figures cover the fills
// that ran (the "fills" counter).

#include "../crossword/FillFigures.h"

#include "kinds/FillWordCrossword.h"
#include "kinds/FootBallCrossword.h"
#include "platform/Clock.h"
#include "platform/RecordingUi.h"

#include <benchmark/benchmark.h>

#include <ctime>
#include <string>
#include <vector>

namespace {

constexpr int FieldSides[] = {8, 9, 10, 11, 12, 13, 14, 15};
constexpr std::pair<int, int> Pitches[] = {{9, 15}, {9, 25}, {11, 21}, {15, 25}};
constexpr TSeedRun Run{20, 10, 15};

// Seconds of processor time this thread has used: the search's share is taken in it, so that
// other programs on the machine do not blur it.
double ThreadSeconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

// The fill-word with its path searches timed.
class TTimedFillWord : public TFillWordCrossword {
public:
    TWordLengthLimits WordLengthLimits(const TCoord& coord, std::string& text) const override {
        const double start = ThreadSeconds();
        const TWordLengthLimits limits = TFillWordCrossword::WordLengthLimits(coord, text);
        Searching += ThreadSeconds() - start;
        return limits;
    }
    mutable double Searching = 0;
};

void FillWord(benchmark::State& state) {
    ScopedRecordingUi quiet;
    TTimedFillWord* crossword = LoadedOnce<TTimedFillWord>();
    if (!crossword) {
        state.SkipWithError("dic1.wdi missing: build the data files first");
        return;
    }
    const int side = FieldSides[state.range(0)];
    crossword->Searching = 0;
    const double start = ThreadSeconds();
    FillSeeds(state, *crossword, Run, [&] {
        crossword->SetWidth(side);
        crossword->SetHeight(side);
        crossword->Template->ClearRect(0, 0, side - 1, side - 1, true);
        return true;
    }, SizeLabel(side, side) + " fill-word");
    state.counters["path_search_%"] = 100.0 * crossword->Searching / (ThreadSeconds() - start);
}

void FootBall(benchmark::State& state) {
    ScopedRecordingUi quiet;
    TFootBallCrossword* crossword = LoadedOnce<TFootBallCrossword>();
    if (!crossword) {
        state.SkipWithError("dic1.wdi missing: build the data files first");
        return;
    }
    const auto [width, height] = Pitches[state.range(0)];
    FillSeeds(state, *crossword, Run, [&] {
        crossword->SetWidth(width);
        crossword->SetHeight(height);
        return true;
    }, SizeLabel(width, height) + " football");
}

}  // namespace

BENCHMARK(FillWord)->DenseRange(0, static_cast<int>(std::size(FieldSides)) - 1)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(FootBall)->DenseRange(0, static_cast<int>(std::size(Pitches)) - 1)->Iterations(1)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
