// The knight-path fill with "dic1.wdi" along knight's tours of 5 x 5 to 8 x 8, each filled under
// several seeds with a time limit. Reports per board the share of fills that succeed and the
// median and 95th-percentile fill time (a fill that runs out of time counts with its limit).

#include "../crossword/FillFigures.h"

#include "kinds/KnightCrossword.h"
#include "platform/Clock.h"
#include "platform/RecordingUi.h"
#include "template/ShablonWords.h"

#include <benchmark/benchmark.h>

#include <sstream>
#include <string>

namespace {

// Knight's tours (Warnsdorff's rule from the corner), one per board side from 5.
const char* const Tours[] = {
    "0,0 1,2 0,4 2,3 4,4 3,2 4,0 2,1 3,3 4,1 2,0 0,1 1,3 3,4 4,2 3,0 1,1 0,3 2,4 4,3 3,1 1,0 2,2 1,4 0,2",
    "0,0 1,2 0,4 2,5 4,4 5,2 4,0 2,1 0,2 1,0 3,1 5,0 4,2 5,4 3,3 4,5 5,3 4,1 2,0 0,1 1,3 0,5 2,4 3,2 5,1 3,0 1,1 "
    "2,3 3,5 1,4 2,2 4,3 5,5 3,4 1,5 0,3",
    "0,0 1,2 2,0 0,1 1,3 0,5 2,6 4,5 6,6 5,4 6,2 5,0 3,1 1,0 0,2 2,1 4,0 6,1 4,2 6,3 5,1 3,0 1,1 3,2 5,3 6,5 4,6 "
    "3,4 5,5 3,6 1,5 0,3 2,4 1,6 0,4 2,3 3,5 5,6 6,4 4,3 2,2 4,1 6,0 5,2 4,4 2,5 3,3 1,4 0,6",
    "0,0 1,2 2,0 0,1 1,3 0,5 1,7 3,6 5,7 7,6 6,4 7,2 6,0 4,1 6,2 7,0 5,1 3,0 1,1 0,3 1,5 0,7 2,6 4,7 6,6 7,4 5,5 "
    "6,7 7,5 6,3 7,1 5,0 3,1 1,0 2,2 4,3 2,4 4,5 3,7 1,6 0,4 2,5 0,6 2,7 4,6 3,4 5,3 3,2 4,0 6,1 7,3 5,2 3,3 5,4 "
    "4,2 2,1 0,2 1,4 3,5 2,3 4,4 5,6 7,7 6,5",
};
constexpr int FirstSide = 5;
constexpr TSeedRun Run{20, 10, 30};

// The knight template text of a side x side board whose every cell lies on the tour.
std::string TourText(int side, const char* tour) {
    std::string text{SmallNumberChar(16), SmallNumberChar(side), SmallNumberChar(side)};
    text.append(static_cast<std::size_t>(side) * side, '\x01');
    text += '0';
    std::istringstream steps(tour);
    std::string step;
    bool first = true;
    while (steps >> step) {
        const int x = std::stoi(step), y = std::stoi(step.substr(step.find(',') + 1));
        if (first) text += {SmallNumberChar(x), SmallNumberChar(y)};
        first = false;
        text += {SmallNumberChar(x), SmallNumberChar(y)};
    }
    return text;
}

void KnightFill(benchmark::State& state) {
    ScopedRecordingUi quiet;
    TKnightCrossword* crossword = LoadedOnce<TKnightCrossword>();
    if (!crossword) {
        state.SkipWithError("dic1.wdi missing: build the data files first");
        return;
    }
    const int side = FirstSide + static_cast<int>(state.range(0));
    crossword->SetWidth(side);
    crossword->SetHeight(side);
    if (!crossword->Template->ParseTemplate(TourText(side, Tours[state.range(0)]), 0, 0)) {
        state.SkipWithError("the tour is no knight template");
        return;
    }
    crossword->TakeTemplate();
    FillSeeds(state, *crossword, Run, [] { return true; }, SizeLabel(side, side) + " knight's tour");
}

}  // namespace

BENCHMARK(KnightFill)->DenseRange(0, static_cast<int>(std::size(Tours)) - 1)->Iterations(1)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
