// The word field fill with "dic1.wdi" on open fields of 8 x 8 to 15 x 15, each filled under
// several seeds with a time limit. Reports per field the share of fills that cover it and the
// median and 95th-percentile fill time (a fill that runs out of time counts with its limit).

#include "../crossword/FillFigures.h"

#include "kinds/EnglishCrossword.h"
#include "platform/Clock.h"
#include "platform/RecordingUi.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr int FirstSide = 8;
constexpr int LastSide = 15;
constexpr int Seeds = 20;
constexpr int TimeLimitSeconds = 10;
constexpr int CaseBudgetSeconds = 30;

using TClock = std::chrono::steady_clock;

void WordFieldFill(benchmark::State& state) {
    ScopedRecordingUi quiet;
    static std::unique_ptr<TEnglishCrossword> crossword;
    if (!crossword) {
        crossword = std::make_unique<TEnglishCrossword>();
        crossword->Dictionary.ShowProgress = false;
        if (!crossword->LoadDictionary(std::string(ZELVANA_DATA_DIR) + "/dic1.wdi")) crossword.reset();
    }
    if (!crossword) {
        state.SkipWithError("dic1.wdi missing: build the data files first");
        return;
    }
    const int side = static_cast<int>(state.range(0));
    crossword->SetWidth(side);
    crossword->SetHeight(side);
    crossword->Template->ClearRect(0, 0, side - 1, side - 1, true);
    crossword->PrepareForFill();
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
            if (crossword->Fill(0, 0, side, side, false, errCode, best)) ++filled;
            const std::chrono::duration<double, std::milli> elapsed = TClock::now() - fillStart;
            milliseconds.push_back(elapsed.count());
            crossword->ClearWords(0, 0, side, side, true);
            crossword->PrepareForFill();
        }
    }
    state.SetLabel(std::to_string(side) + "x" + std::to_string(side) + " word field");
    state.counters["fills"] = static_cast<double>(milliseconds.size());
    state.counters["success_%"] = 100.0 * filled / std::max<std::size_t>(milliseconds.size(), 1);
    state.counters["median_ms"] = Percentile(milliseconds, 0.5);
    state.counters["p95_ms"] = Percentile(milliseconds, 0.95);
}

}  // namespace

BENCHMARK(WordFieldFill)->DenseRange(FirstSide, LastSide)->Iterations(1)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
