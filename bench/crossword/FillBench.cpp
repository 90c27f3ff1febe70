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
#include "platform/Clock.h"
#include "platform/IndexCollection.h"
#include "platform/RecordingUi.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr std::pair<int, int> GameSizes[] = {
    {8, 8},   {8, 9},   {9, 8},   {9, 9},   {12, 9},  {9, 12},  {12, 12}, {15, 9},
    {9, 15},  {15, 12}, {12, 15}, {15, 15}, {16, 12}, {12, 16}, {16, 16},
};
constexpr int SeedsPerTemplate = 40;
constexpr int TimeLimitSeconds = 10;

// The dictionary and the collection, loaded once for every size.
struct TGameFiles {
    TGameFiles() {
        crossword.Dictionary.ShowProgress = false;
        loaded = crossword.LoadDictionary(std::string(ZELVANA_DATA_DIR) + "/dic1.wdi");
        templates.FileName = std::string(ZELVANA_DATA_DIR) + "/templates.col";
        loaded = templates.LoadFromFile() && loaded;
    }
    TClassicCrossword crossword;
    TIndexCollection templates;
    bool loaded = false;
};

TGameFiles& Files() {
    static TGameFiles files;
    return files;
}

// The template texts of a size, without the prefix, as the game picks them.
std::vector<std::string> TemplatesOfSize(const TIndexCollection& templates, int width, int height) {
    std::vector<std::string> texts;
    for (int i = 0; i < templates.Count(); ++i) {
        const std::string text = templates.EntryText(i);
        if (text.size() > 12 && text[10] == static_cast<char>(48 + width) && text[11] == static_cast<char>(48 + height))
            texts.push_back(text.substr(9));
    }
    return texts;
}

void FillGameSize(benchmark::State& state) {
    const auto [width, height] = GameSizes[state.range(0)];
    const auto method = static_cast<TFillMethod>(state.range(1));
    ScopedRecordingUi quiet;
    TGameFiles& files = Files();
    const std::vector<std::string> texts = TemplatesOfSize(files.templates, width, height);
    if (!files.loaded || texts.empty()) {
        state.SkipWithError("templates.col or dic1.wdi missing: build the data files first");
        return;
    }
    TCrossword& crossword = files.crossword;
    crossword.FillParameters.FillMethod = method;
    crossword.FillParameters.TimeLimit = TimeLimitSeconds;
    std::vector<double> milliseconds;
    int filled = 0;
    int fill = 0;
    for (auto _ : state) {
        crossword.SetWidth(width);
        crossword.SetHeight(height);
        crossword.Template->ParseTemplate(texts[fill % texts.size()], 0, 0);
        crossword.PrepareForFill();
        RandSeed(static_cast<uint32_t>(fill / texts.size() + 1));
        int errCode = 0;
        TFillResult best;
        const auto start = std::chrono::steady_clock::now();
        const bool ok = crossword.Fill(0, 0, width, height, false, errCode, best);
        const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
        state.SetIterationTime(elapsed.count());
        milliseconds.push_back(elapsed.count() * 1000);
        filled += ok ? 1 : 0;
        crossword.ClearWords(0, 0, width, height, true);
        ++fill;
    }
    state.SetLabel(std::to_string(width) + "x" + std::to_string(height) + " method " +
                   std::to_string(static_cast<int>(method)));
    state.counters["success_%"] = 100.0 * filled / std::max(fill, 1);
    state.counters["median_ms"] = Percentile(milliseconds, 0.5);
    state.counters["p95_ms"] = Percentile(milliseconds, 0.95);
    state.counters["max_ms"] = Percentile(milliseconds, 1.0);
}

void GameSizes_(benchmark::internal::Benchmark* bench) {
    for (const TFillMethod method : {TFillMethod::Backtrack, TFillMethod::Propagate})
        for (int i = 0; i < static_cast<int>(std::size(GameSizes)); ++i) bench->Args({i, static_cast<int>(method)});
}

}  // namespace

// Every template of a size (24 in the game's file) times SeedsPerTemplate seeds.
BENCHMARK(FillGameSize)->Apply(GameSizes_)->Iterations(24 * SeedsPerTemplate)->UseManualTime()->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
