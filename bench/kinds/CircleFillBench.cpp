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
#include "platform/RecordingUi.h"

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

namespace {

constexpr std::pair<int, int> Sizes[] = {{8, 8}, {9, 9}, {12, 12}, {16, 16}};
constexpr int SeedsPerGrid = 40;
constexpr int TimeLimitSeconds = 10;
constexpr int CaseBudgetSeconds = 15;

enum TKindCase { Classic = 0, CircleParityOff = 1, CircleParityOn = 2 };

using TFiles = TGameFiles<TClassicCrossword, TCircle>;

void FillKind(benchmark::State& state) {
    const auto [width, height] = Sizes[state.range(0)];
    const auto kind = static_cast<TKindCase>(state.range(1));
    ScopedRecordingUi quiet;
    TFiles& files = TFiles::Once();
    const std::vector<std::string> texts = TemplatesOfSize(files.Templates, width, height);
    if (!files.Loaded) {
        state.SkipWithError("templates.col or dic1.wdi missing: build the data files first");
        return;
    }
    if (kind == Classic && texts.empty()) {
        state.SkipWithError("no template of this size in templates.col");
        return;
    }
    TCircle& circle = files.Get<TCircle>();
    TCrossword& crossword = kind == Classic ? static_cast<TCrossword&>(files.Get<TClassicCrossword>()) : circle;
    crossword.FillParameters.FillMethod = TFillMethod::Backtrack;
    crossword.FillParameters.TimeLimit = TimeLimitSeconds;
    const std::size_t grids = kind == Classic ? texts.size() : 1;
    TFillTally tally;
    double slots = 0;
    for (auto _ : state) {
        const TCaseBudget budget(CaseBudgetSeconds);
        for (int seed = 1; seed <= SeedsPerGrid && budget.Left(); ++seed)
            for (std::size_t t = 0; t < grids && budget.Left(); ++t) {
                crossword.SetWidth(width);
                crossword.SetHeight(height);
                if (kind == Classic) {
                    crossword.Template->ParseTemplate(texts[t], 0, 0);
                } else {
                    circle.Circle().Parity = kind == CircleParityOn;
                    circle.Circle().MarkWordCells();
                }
                crossword.Template->NumberCells();
                crossword.PrepareForFill();
                slots += crossword.Words.Count();
                tally.Fill(crossword, seed);
                crossword.ClearWords(0, 0, crossword.Width, crossword.Height, true);
            }
    }
    static const char* const Labels[] = {" classic", " circular", " circular parity on"};
    tally.Report(state, SizeLabel(width, height) + Labels[kind]);
    state.counters["slots"] = slots / std::max<std::size_t>(tally.Milliseconds.size(), 1);
}

void Cases(benchmark::internal::Benchmark* bench) {
    for (int size = 0; size < static_cast<int>(std::size(Sizes)); ++size)
        for (const int kind : {Classic, CircleParityOff, CircleParityOn}) bench->Args({size, kind});
}

}  // namespace

BENCHMARK(FillKind)->Apply(Cases)->Iterations(1)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
