// The children's crossword fill with "dic1.wdi" on open fields of 8 x 8 to 16 x 16, words down
// the columns, the key-word cells across the middle row and an eight-letter key word written
// there, each field filled under several seeds with a time limit. Reports per field the share of
// fills that give every column its word and the median and 95th-percentile fill time (a fill
// that runs out of time counts with its limit).

#include "../crossword/FillFigures.h"

#include "kinds/Kinder.h"
#include "platform/RecordingUi.h"
#include "platform/Text.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

constexpr int FirstSide = 8;
constexpr int LastSide = 16;
constexpr TSeedRun Run{20, 10, 30};

void ChildrenFill(benchmark::State& state) {
    ScopedRecordingUi quiet;
    const int side = static_cast<int>(state.range(0));
    TKinder* crossword = OpenField<TKinder>(state, side);
    if (!crossword) return;
    crossword->Template->ClearKeyWord();
    for (int x = 0; x < side; ++x) {
        crossword->Template->KeyWordCells += static_cast<char>(x);
        crossword->Template->KeyWordCells += static_cast<char>(side / 2);
    }
    const std::string keyword = FromUtf8("карандаш");
    FillSeeds(state, *crossword, Run, [&] {
        crossword->PrepareForFill();
        crossword->SetKeyword(keyword, {});
        return true;
    }, SizeLabel(side, side) + " children's field");
}

}  // namespace

BENCHMARK(ChildrenFill)->DenseRange(FirstSide, LastSide)->Iterations(1)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
