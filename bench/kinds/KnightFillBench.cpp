// The knight-path fill with "dic1.wdi" along knight's tours of 5 x 5 to 8 x 8, each filled under
// several seeds with a time limit. Reports per board the share of fills that succeed and the
// median and 95th-percentile fill time (a fill that runs out of time counts with its limit).

#include "../crossword/FillFigures.h"

#include "kinds/KnightCrossword.h"
#include "platform/Clock.h"
#include "platform/RecordingUi.h"
#include "template/ShablonWords.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

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
constexpr int Seeds = 20;
constexpr int TimeLimitSeconds = 10;
constexpr int CaseBudgetSeconds = 30;

using TClock = std::chrono::steady_clock;

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
    static std::unique_ptr<TKnightCrossword> crossword;
    if (!crossword) {
        crossword = std::make_unique<TKnightCrossword>();
        crossword->Dictionary.ShowProgress = false;
        if (!crossword->LoadDictionary(std::string(ZELVANA_DATA_DIR) + "/dic1.wdi")) crossword.reset();
    }
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
    crossword->FillParameters.TimeLimit = TimeLimitSeconds;

    std::vector<double> milliseconds;
    int filled = 0;
    for (auto _ : state) {
        const auto start = TClock::now();
        for (int seed = 1; seed <= Seeds && TClock::now() - start < std::chrono::seconds(CaseBudgetSeconds); ++seed) {
            RandSeed(static_cast<uint32_t>(seed));
            int errCode = 0;
            TFillResult best;
            const auto fillStart = TClock::now();
            if (crossword->Fill(0, 0, crossword->Width, crossword->Height, false, errCode, best)) ++filled;
            const std::chrono::duration<double, std::milli> elapsed = TClock::now() - fillStart;
            milliseconds.push_back(elapsed.count());
            crossword->ClearWords(0, 0, crossword->Width, crossword->Height, true);
        }
    }
    state.SetLabel(std::to_string(side) + "x" + std::to_string(side) + " knight's tour");
    state.counters["fills"] = static_cast<double>(milliseconds.size());
    state.counters["success_%"] = 100.0 * filled / std::max<std::size_t>(milliseconds.size(), 1);
    state.counters["median_ms"] = Percentile(milliseconds, 0.5);
    state.counters["p95_ms"] = Percentile(milliseconds, 0.95);
}

}  // namespace

BENCHMARK(KnightFill)->DenseRange(0, static_cast<int>(std::size(Tours)) - 1)->Iterations(1)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
