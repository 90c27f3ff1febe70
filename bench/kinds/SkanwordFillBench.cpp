// The scanword fills: every game template of "templates.col" of a size becomes a scanword
// sample (the grid moved one cell right and down, so that every word has a clue cell on its
// left or above, and every word start given the first clue place it allows), filled with
// "dic1.wdi" by the first scanword (the straight slots on the grid directly) and by the third
// (its bending words, placed through its own PlaceWord), under the same seeds, with the game's
// backtracking method. Reports per size and kind the share of fills that succeed and the median
// and 95th-percentile fill time (a fill that runs out of time counts with its limit).
//
// Each size and kind gets CaseBudgetSeconds: no fill starts after that, and the figures cover
// the fills that ran (the "fills" counter), so the whole benchmark keeps to a minute or two.

#include "../crossword/FillFigures.h"

#include "kinds/Skanword.h"
#include "kinds/SkanwordShablon.h"
#include "platform/Clock.h"
#include "platform/IndexCollection.h"
#include "platform/RecordingUi.h"
#include "template/ClassicShablon.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr std::pair<int, int> Sizes[] = {{9, 9}, {12, 12}, {15, 15}};
constexpr int SeedsPerTemplate = 8;
constexpr int TimeLimitSeconds = 10;
constexpr int CaseBudgetSeconds = 10;

struct TFiles {
    TFiles() {
        for (TCrossword* crossword : {static_cast<TCrossword*>(&first), static_cast<TCrossword*>(&third)}) {
            crossword->Dictionary.ShowProgress = false;
            loaded = crossword->LoadDictionary(std::string(ZELVANA_DATA_DIR) + "/dic1.wdi");
        }
        templates.FileName = std::string(ZELVANA_DATA_DIR) + "/templates.col";
        loaded = templates.LoadFromFile() && loaded;
    }
    TSkanword first;
    TSkanword3 third;
    TIndexCollection templates;
    bool loaded = false;
};

TFiles& Files() {
    static TFiles files;
    return files;
}

// The template texts of a size, without the prefix.
std::vector<std::string> TemplatesOfSize(const TIndexCollection& templates, int width, int height) {
    std::vector<std::string> texts;
    for (int i = 0; i < templates.Count(); ++i) {
        const std::string text = templates.EntryText(i);
        if (text.size() > 12 && text[10] == static_cast<char>(48 + width) && text[11] == static_cast<char>(48 + height))
            texts.push_back(text.substr(9));
    }
    return texts;
}

// The classic grid one cell right and down in the crossword's scanword template, arrows given.
void MakeSample(TCrossword& crossword, const TClassicShablon& grid) {
    crossword.ClearWords(0, 0, 255, 255, true);
    crossword.SetWidth(grid.Width + 1);
    crossword.SetHeight(grid.Height + 1);
    auto& shablon = dynamic_cast<TSkanwordShablon&>(*crossword.Template);
    shablon.ClearRect(0, 0, shablon.Width - 1, shablon.Height - 1, false);
    for (int x = 0; x < grid.Width; ++x)
        for (int y = 0; y < grid.Height; ++y) shablon.SetLetterCellOnly(x + 1, y + 1, grid.IsLetterCell(x, y));
    for (int x = 0; x < shablon.Width; ++x)
        for (int y = 0; y < shablon.Height; ++y) {
            shablon.NextHorzArrow(x, y);
            shablon.NextVertArrow(x, y);
        }
    shablon.NumberCells();
    crossword.PrepareForFill();
}

void FillScanword(benchmark::State& state) {
    const auto [width, height] = Sizes[state.range(0)];
    const bool bending = state.range(1) != 0;
    ScopedRecordingUi quiet;
    TFiles& files = Files();
    const std::vector<std::string> texts = TemplatesOfSize(files.templates, width, height);
    if (!files.loaded || texts.empty()) {
        state.SkipWithError("templates.col or dic1.wdi missing: build the data files first");
        return;
    }
    TCrossword& crossword = bending ? static_cast<TCrossword&>(files.third) : files.first;
    crossword.FillParameters.FillMethod = TFillMethod::Backtrack;
    crossword.FillParameters.TimeLimit = TimeLimitSeconds;
    std::vector<double> milliseconds;
    int filled = 0;
    double words = 0;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        const auto inBudget = [&] {
            return std::chrono::steady_clock::now() - start < std::chrono::seconds(CaseBudgetSeconds);
        };
        for (int seed = 1; seed <= SeedsPerTemplate && inBudget(); ++seed)
            for (std::size_t t = 0; t < texts.size() && inBudget(); ++t) {
                TClassicShablon grid(width, height);
                grid.ParseTemplate(texts[t], 0, 0);
                MakeSample(crossword, grid);
                RandSeed(static_cast<uint32_t>(seed));
                int errCode = 0;
                TFillResult best;
                const auto fillStart = std::chrono::steady_clock::now();
                filled += crossword.Fill(0, 0, crossword.Width, crossword.Height, false, errCode, best) ? 1 : 0;
                const std::chrono::duration<double, std::milli> elapsed = std::chrono::steady_clock::now() - fillStart;
                milliseconds.push_back(elapsed.count());
                words += crossword.FilledCount();
            }
    }
    crossword.ClearWords(0, 0, 255, 255, true);
    state.SetLabel(std::to_string(width) + "x" + std::to_string(height) + (bending ? " third scanword" : " scanword"));
    state.counters["fills"] = static_cast<double>(milliseconds.size());
    state.counters["words"] = words / std::max<std::size_t>(milliseconds.size(), 1);
    state.counters["success_%"] = 100.0 * filled / std::max<std::size_t>(milliseconds.size(), 1);
    state.counters["median_ms"] = Percentile(milliseconds, 0.5);
    state.counters["p95_ms"] = Percentile(milliseconds, 0.95);
}

void Cases(benchmark::internal::Benchmark* bench) {
    for (int size = 0; size < static_cast<int>(std::size(Sizes)); ++size)
        for (const int bending : {0, 1}) bench->Args({size, bending});
}

}  // namespace

BENCHMARK(FillScanword)->Apply(Cases)->Iterations(1)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
