// The circular crossword's fill beside the classic fill of the same size: for several sizes,
// the circular grid of W positions round H rings (its letter cells exactly the cells of its
// slots, with the parity switch off and on) and every template of "templates.col" of that size,
// filled with "dic1.wdi" under a run of seeds with the game's backtracking method. Every
// circular slot runs through all rings, so a ring of H rings asks for words of H letters that
// cross H / 2 others: the figures show how its cost grows with the rings against the classic
// grid. Reports per size and kind the share of fills that succeed and the median and
// 95th-percentile fill time (a fill that runs out of time counts with its limit).
//
// Each size and kind gets CaseBudgetSeconds: no fill starts after that, and the figures cover
// the fills that ran (the "fills" counter), so the whole benchmark keeps to a few minutes.

#include "../crossword/FillFigures.h"

#include "crossword/ClassicCrossword.h"
#include "kinds/Circle.h"
#include "platform/Clock.h"
#include "platform/IndexCollection.h"
#include "platform/RecordingUi.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <string>
#include <vector>

namespace {

constexpr std::pair<int, int> Sizes[] = {{8, 8}, {9, 9}, {12, 12}, {16, 16}};
constexpr int SeedsPerGrid = 40;
constexpr int TimeLimitSeconds = 10;
constexpr int CaseBudgetSeconds = 15;

enum TKindCase { Classic = 0, CircleParityOff = 1, CircleParityOn = 2 };

struct TFiles {
    TFiles() {
        for (TCrossword* crossword : {static_cast<TCrossword*>(&classic), static_cast<TCrossword*>(&circle)}) {
            crossword->Dictionary.ShowProgress = false;
            loaded = crossword->LoadDictionary(std::string(ZELVANA_DATA_DIR) + "/dic1.wdi");
        }
        templates.FileName = std::string(ZELVANA_DATA_DIR) + "/templates.col";
        loaded = templates.LoadFromFile() && loaded;
    }
    TClassicCrossword classic;
    TCircle circle;
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

void FillKind(benchmark::State& state) {
    const auto [width, height] = Sizes[state.range(0)];
    const auto kind = static_cast<TKindCase>(state.range(1));
    ScopedRecordingUi quiet;
    TFiles& files = Files();
    const std::vector<std::string> texts = TemplatesOfSize(files.templates, width, height);
    if (!files.loaded) {
        state.SkipWithError("templates.col or dic1.wdi missing: build the data files first");
        return;
    }
    if (kind == Classic && texts.empty()) {
        state.SkipWithError("no template of this size in templates.col");
        return;
    }
    TCrossword& crossword = kind == Classic ? static_cast<TCrossword&>(files.classic) : files.circle;
    crossword.FillParameters.FillMethod = TFillMethod::Backtrack;
    crossword.FillParameters.TimeLimit = TimeLimitSeconds;
    const std::size_t grids = kind == Classic ? texts.size() : 1;
    std::vector<double> milliseconds;
    int filled = 0;
    double slots = 0;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        const auto inBudget = [&] {
            return std::chrono::steady_clock::now() - start < std::chrono::seconds(CaseBudgetSeconds);
        };
        for (int seed = 1; seed <= SeedsPerGrid && inBudget(); ++seed)
            for (std::size_t t = 0; t < grids && inBudget(); ++t) {
                crossword.SetWidth(width);
                crossword.SetHeight(height);
                if (kind == Classic) {
                    crossword.Template->ParseTemplate(texts[t], 0, 0);
                } else {
                    files.circle.Circle().Parity = kind == CircleParityOn;
                    files.circle.Circle().MarkWordCells();
                }
                crossword.Template->NumberCells();
                crossword.PrepareForFill();
                slots += crossword.Words.Count();
                RandSeed(static_cast<uint32_t>(seed));
                int errCode = 0;
                TFillResult best;
                const auto fillStart = std::chrono::steady_clock::now();
                filled += crossword.Fill(0, 0, crossword.Width, crossword.Height, false, errCode, best) ? 1 : 0;
                const std::chrono::duration<double, std::milli> elapsed = std::chrono::steady_clock::now() - fillStart;
                milliseconds.push_back(elapsed.count());
                crossword.ClearWords(0, 0, crossword.Width, crossword.Height, true);
            }
    }
    static const char* const Labels[] = {" classic", " circular", " circular parity on"};
    state.SetLabel(std::to_string(width) + "x" + std::to_string(height) + Labels[kind]);
    state.counters["fills"] = static_cast<double>(milliseconds.size());
    state.counters["slots"] = slots / std::max<std::size_t>(milliseconds.size(), 1);
    state.counters["success_%"] = 100.0 * filled / std::max<std::size_t>(milliseconds.size(), 1);
    state.counters["median_ms"] = Percentile(milliseconds, 0.5);
    state.counters["p95_ms"] = Percentile(milliseconds, 0.95);
}

void Cases(benchmark::internal::Benchmark* bench) {
    for (int size = 0; size < static_cast<int>(std::size(Sizes)); ++size)
        for (const int kind : {Classic, CircleParityOff, CircleParityOn}) bench->Args({size, kind});
}

}  // namespace

BENCHMARK(FillKind)->Apply(Cases)->Iterations(1)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
