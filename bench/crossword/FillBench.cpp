// The fill of the game's templates: for every game size, every template of "templates.col"
// filled with "dic1.wdi" under many seeds, the way the game fills a new puzzle (method 2), and
// the same with the propagating method (4). Reports per size and method the share of fills that
// succeed and the median and 95th-percentile fill time.
//
// Each fill starts from the whole dictionary (the words of the previous fill are taken out
// again), so the figures describe one puzzle, not the end of a long session. A fill gets
// TimeLimitSeconds (the game gives it no limit): the backtracking search now and then runs
// for minutes on a template, and one such fill would hold the whole benchmark; it counts as
// not filled.

#include "FillFigures.h"

#include "crossword/ClassicCrossword.h"
#include "platform/RecordingUi.h"

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

namespace {

constexpr std::pair<int, int> GameSizes[] = {
    {8, 8},   {8, 9},   {9, 8},   {9, 9},   {12, 9},  {9, 12},  {12, 12}, {15, 9},
    {9, 15},  {15, 12}, {12, 15}, {15, 15}, {16, 12}, {12, 16}, {16, 16},
};
constexpr int SeedsPerTemplate = 40;
constexpr int TimeLimitSeconds = 10;

void FillGameSize(benchmark::State& state) {
    const auto [width, height] = GameSizes[state.range(0)];
    const auto method = static_cast<TFillMethod>(state.range(1));
    ScopedRecordingUi quiet;
    auto& files = TGameFiles<TClassicCrossword>::Once();
    const std::vector<std::string> texts = TemplatesOfSize(files.Templates, width, height);
    if (!files.Loaded || texts.empty()) {
        state.SkipWithError("templates.col or dic1.wdi missing: build the data files first");
        return;
    }
    TCrossword& crossword = files.Get<TClassicCrossword>();
    crossword.FillParameters.FillMethod = method;
    crossword.FillParameters.TimeLimit = TimeLimitSeconds;
    TFillTally tally;
    int fill = 0;
    for (auto _ : state) {
        crossword.SetWidth(width);
        crossword.SetHeight(height);
        crossword.Template->ParseTemplate(texts[fill % texts.size()], 0, 0);
        crossword.PrepareForFill();
        tally.Fill(crossword, static_cast<int>(fill / texts.size() + 1));
        state.SetIterationTime(tally.Milliseconds.back() / 1000);
        crossword.ClearWords(0, 0, width, height, true);
        ++fill;
    }
    tally.Report(state, SizeLabel(width, height) + " method " + std::to_string(static_cast<int>(method)));
    state.counters["max_ms"] = Percentile(tally.Milliseconds, 1.0);
}

void GameSizes_(benchmark::internal::Benchmark* bench) {
    for (const TFillMethod method : {TFillMethod::Backtrack, TFillMethod::Propagate})
        for (int i = 0; i < static_cast<int>(std::size(GameSizes)); ++i) bench->Args({i, static_cast<int>(method)});
}

}  // namespace

// Every template of a size (24 in the game's file) times SeedsPerTemplate seeds.
BENCHMARK(FillGameSize)->Apply(GameSizes_)->Iterations(24 * SeedsPerTemplate)->UseManualTime()->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
