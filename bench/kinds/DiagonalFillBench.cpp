// The diagonal crossword's fill against the classic fill of the same templates: for several game
// sizes, every template of "templates.col" of that size is filled with "dic1.wdi" as it is (the
// classic crossword) and laid on the diamond lattice (the diagonal crossword), under the same
// seeds, with the game's backtracking method. The laid-out grid has the same slots, so the two
// should cost about the same. Reports per size and kind the share of fills that succeed and the
// median and 95th-percentile fill time (a fill that runs out of time counts with its limit).
//
// Each size and kind gets CaseBudgetSeconds: no fill starts after that, and the figures cover
// the fills that ran (the "fills" counter), so the whole benchmark keeps to a minute or two.

#include "../crossword/FillFigures.h"

#include "crossword/ClassicCrossword.h"
#include "kinds/DiagonalCrossword.h"
#include "platform/RecordingUi.h"
#include "template/ClassicShablon.h"

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

namespace {

constexpr std::pair<int, int> Sizes[] = {{9, 9}, {12, 12}, {15, 15}, {16, 16}};
constexpr int SeedsPerTemplate = 8;
constexpr int TimeLimitSeconds = 10;
constexpr int CaseBudgetSeconds = 10;

using TFiles = TGameFiles<TClassicCrossword, TDiagonalCrossword>;

void FillKind(benchmark::State& state) {
    const auto [width, height] = Sizes[state.range(0)];
    const bool onLattice = state.range(1) != 0;
    ScopedRecordingUi quiet;
    TFiles& files = TFiles::Once();
    const std::vector<std::string> texts = TemplatesOfSize(files.Templates, width, height);
    if (!files.Loaded || texts.empty()) {
        state.SkipWithError("templates.col or dic1.wdi missing: build the data files first");
        return;
    }
    TDiagonalCrossword& diagonal = files.Get<TDiagonalCrossword>();
    TCrossword& crossword = onLattice ? static_cast<TCrossword&>(diagonal) : files.Get<TClassicCrossword>();
    crossword.FillParameters.FillMethod = TFillMethod::Backtrack;
    crossword.FillParameters.TimeLimit = TimeLimitSeconds;
    TFillTally tally;
    for (auto _ : state) {
        const TCaseBudget budget(CaseBudgetSeconds);
        for (int seed = 1; seed <= SeedsPerTemplate && budget.Left(); ++seed)
            for (std::size_t t = 0; t < texts.size() && budget.Left(); ++t) {
                TClassicShablon grid(width, height);
                grid.ParseTemplate(texts[t], 0, 0);
                if (onLattice) {
                    diagonal.LayOnLattice(grid);
                } else {
                    crossword.SetWidth(width);
                    crossword.SetHeight(height);
                    crossword.Template->ParseTemplate(texts[t], 0, 0);
                    crossword.PrepareForFill();
                }
                tally.Fill(crossword, seed);
                crossword.ClearWords(0, 0, crossword.Width, crossword.Height, true);
            }
    }
    tally.Report(state, SizeLabel(width, height) + (onLattice ? " diagonal" : " classic"));
}

void Cases(benchmark::internal::Benchmark* bench) {
    for (int size = 0; size < static_cast<int>(std::size(Sizes)); ++size)
        for (const int lattice : {0, 1}) bench->Args({size, lattice});
}

}  // namespace

BENCHMARK(FillKind)->Apply(Cases)->Iterations(1)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
