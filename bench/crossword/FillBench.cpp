// The fill of the game's templates: for every game size, every template of "templates.col"
// filled with "dic1.wdi" under many seeds, the way the game fills a new puzzle. Reports per
// size the share of fills that succeed and the median and 95th-percentile fill time.
//
// Each fill starts from the whole dictionary (the words of the previous fill are taken out
// again), so the figures describe one puzzle, not the end of a long session.

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

double Percentile(std::vector<double> values, double share) {
    if (values.empty()) return 0;
    std::sort(values.begin(), values.end());
    const auto at = static_cast<std::size_t>(share * static_cast<double>(values.size() - 1) + 0.5);
    return values[std::min(at, values.size() - 1)];
}

void FillGameSize(benchmark::State& state) {
    const auto [width, height] = GameSizes[state.range(0)];
    ScopedRecordingUi quiet;
    TGameFiles& files = Files();
    const std::vector<std::string> texts = TemplatesOfSize(files.templates, width, height);
    if (!files.loaded || texts.empty()) {
        state.SkipWithError("templates.col or dic1.wdi missing: build the data files first");
        return;
    }
    TCrossword& crossword = files.crossword;
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
    state.SetLabel(std::to_string(width) + "x" + std::to_string(height));
    state.counters["success_%"] = 100.0 * filled / std::max(fill, 1);
    state.counters["median_ms"] = Percentile(milliseconds, 0.5);
    state.counters["p95_ms"] = Percentile(milliseconds, 0.95);
    state.counters["max_ms"] = Percentile(milliseconds, 1.0);
}

void GameSizes_(benchmark::internal::Benchmark* bench) {
    for (int i = 0; i < static_cast<int>(std::size(GameSizes)); ++i) bench->Arg(i);
}

}  // namespace

// Every template of a size (24 in the game's file) times SeedsPerTemplate seeds.
BENCHMARK(FillGameSize)->Apply(GameSizes_)->Iterations(24 * SeedsPerTemplate)->UseManualTime()->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
