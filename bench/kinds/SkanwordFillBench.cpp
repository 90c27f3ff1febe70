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
#include "platform/RecordingUi.h"
#include "template/ClassicShablon.h"

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

namespace {

constexpr std::pair<int, int> Sizes[] = {{9, 9}, {12, 12}, {15, 15}};
constexpr int SeedsPerTemplate = 8;
constexpr int TimeLimitSeconds = 10;
constexpr int CaseBudgetSeconds = 10;

using TFiles = TGameFiles<TSkanword, TSkanword3>;

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
    TFiles& files = TFiles::Once();
    const std::vector<std::string> texts = TemplatesOfSize(files.Templates, width, height);
    if (!files.Loaded || texts.empty()) {
        state.SkipWithError("templates.col or dic1.wdi missing: build the data files first");
        return;
    }
    TCrossword& crossword = bending ? static_cast<TCrossword&>(files.Get<TSkanword3>()) : files.Get<TSkanword>();
    crossword.FillParameters.FillMethod = TFillMethod::Backtrack;
    crossword.FillParameters.TimeLimit = TimeLimitSeconds;
    TFillTally tally;
    double words = 0;
    for (auto _ : state) {
        const TCaseBudget budget(CaseBudgetSeconds);
        for (int seed = 1; seed <= SeedsPerTemplate && budget.Left(); ++seed)
            for (std::size_t t = 0; t < texts.size() && budget.Left(); ++t) {
                TClassicShablon grid(width, height);
                grid.ParseTemplate(texts[t], 0, 0);
                MakeSample(crossword, grid);
                tally.Fill(crossword, seed);
                words += crossword.FilledCount();
            }
    }
    crossword.ClearWords(0, 0, 255, 255, true);
    tally.Report(state, SizeLabel(width, height) + (bending ? " third scanword" : " scanword"));
    state.counters["words"] = words / std::max<std::size_t>(tally.Milliseconds.size(), 1);
}

void Cases(benchmark::internal::Benchmark* bench) {
    for (int size = 0; size < static_cast<int>(std::size(Sizes)); ++size)
        for (const int bending : {0, 1}) bench->Args({size, bending});
}

}  // namespace

BENCHMARK(FillScanword)->Apply(Cases)->Iterations(1)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
