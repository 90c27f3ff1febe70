// The fills of the fill-word and the football with "dic1.wdi": fill-word fields of 8 x 8 to
// 15 x 15 and four football pitches, each filled under several seeds with a time limit.
// Reports per case the share of fills that succeed and the median and 95th-percentile fill time
// (a fill that runs out of time counts with its limit); for the fill-word also the share of the
// time spent in the search for the longest path of free cells from each start cell.
//
// Each case gets CaseBudgetSeconds: no fill starts after that, and the figures cover the fills
// that ran (the "fills" counter).

#include "../crossword/FillFigures.h"

#include "kinds/FillWordCrossword.h"
#include "kinds/FootBallCrossword.h"
#include "platform/Clock.h"
#include "platform/RecordingUi.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <ctime>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr int FieldSides[] = {8, 9, 10, 11, 12, 13, 14, 15};
constexpr std::pair<int, int> Pitches[] = {{9, 15}, {9, 25}, {11, 21}, {15, 25}};
constexpr int Seeds = 20;
constexpr int TimeLimitSeconds = 10;
constexpr int CaseBudgetSeconds = 15;

using TClock = std::chrono::steady_clock;

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

template <typename TKind>
TKind* Loaded() {
    static std::unique_ptr<TKind> crossword;
    if (!crossword) {
        crossword = std::make_unique<TKind>();
        crossword->Dictionary.ShowProgress = false;
        if (!crossword->LoadDictionary(std::string(ZELVANA_DATA_DIR) + "/dic1.wdi")) return nullptr;
        crossword->FillParameters.TimeLimit = TimeLimitSeconds;
    }
    return crossword.get();
}

// Fills the crossword as set up by prepare under each seed while the budget lasts.
template <typename Prepare>
void Run(benchmark::State& state, TCrossword& crossword, Prepare&& prepare, const std::string& label) {
    std::vector<double> milliseconds;
    int filled = 0;
    int lastError = 0;
    for (auto _ : state) {
        const auto start = TClock::now();
        for (int seed = 1; seed <= Seeds && TClock::now() - start < std::chrono::seconds(CaseBudgetSeconds); ++seed) {
            prepare();
            RandSeed(static_cast<uint32_t>(seed));
            int errCode = 0;
            TFillResult best;
            const auto fillStart = TClock::now();
            if (crossword.Fill(0, 0, crossword.Width, crossword.Height, false, errCode, best))
                ++filled;
            else
                lastError = errCode;
            const std::chrono::duration<double, std::milli> elapsed = TClock::now() - fillStart;
            milliseconds.push_back(elapsed.count());
            crossword.ClearWords(0, 0, crossword.Width, crossword.Height, true);
        }
    }
    state.SetLabel(label);
    state.counters["fills"] = static_cast<double>(milliseconds.size());
    state.counters["success_%"] = 100.0 * filled / std::max<std::size_t>(milliseconds.size(), 1);
    state.counters["median_ms"] = Percentile(milliseconds, 0.5);
    state.counters["p95_ms"] = Percentile(milliseconds, 0.95);
    state.counters["last_error"] = lastError;
}

void FillWord(benchmark::State& state) {
    ScopedRecordingUi quiet;
    TTimedFillWord* crossword = Loaded<TTimedFillWord>();
    if (!crossword) {
        state.SkipWithError("dic1.wdi missing: build the data files first");
        return;
    }
    const int side = FieldSides[state.range(0)];
    crossword->Searching = 0;
    const double start = ThreadSeconds();
    Run(state, *crossword, [&] {
        crossword->SetWidth(side);
        crossword->SetHeight(side);
        crossword->Template->ClearRect(0, 0, side - 1, side - 1, true);
    }, std::to_string(side) + "x" + std::to_string(side) + " fill-word");
    state.counters["path_search_%"] = 100.0 * crossword->Searching / (ThreadSeconds() - start);
}

void FootBall(benchmark::State& state) {
    ScopedRecordingUi quiet;
    TFootBallCrossword* crossword = Loaded<TFootBallCrossword>();
    if (!crossword) {
        state.SkipWithError("dic1.wdi missing: build the data files first");
        return;
    }
    const auto [width, height] = Pitches[state.range(0)];
    Run(state, *crossword, [&] {
        crossword->SetWidth(width);
        crossword->SetHeight(height);
    }, std::to_string(width) + "x" + std::to_string(height) + " football");
}

}  // namespace

BENCHMARK(FillWord)->DenseRange(0, static_cast<int>(std::size(FieldSides)) - 1)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(FootBall)->DenseRange(0, static_cast<int>(std::size(Pitches)) - 1)->Iterations(1)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
