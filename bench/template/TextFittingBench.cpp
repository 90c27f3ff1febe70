// Clue texts fitted into one cell with the real fonts: a few hundred definitions of the game's
// dictionary, 20 to 120 characters long, wrapped for a 100 x 100 cell at 7 points, as every clue
// cell of a scanword will be. Aim: under 1 ms a clue.

#include "dictionary/WorkDictionary.h"
#include "platform/Metafile.h"
#include "platform/RecordingUi.h"
#include "template/TextFitting.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <string>
#include <vector>

namespace {

constexpr std::size_t ClueCount = 300;

// Definitions of 20 to 120 characters from "dic1.wdi", their first alternative each.
std::vector<std::string> Clues() {
    ScopedRecordingUi quiet;
    TWorkDictionary dictionary;
    dictionary.ShowProgress = false;
    dictionary.FileName = std::string(ZELVANA_DATA_DIR) + "/dic1.wdi";
    std::vector<std::string> clues;
    if (!dictionary.Load()) return clues;
    for (int i = 0; i < dictionary.Count() && clues.size() < ClueCount; ++i) {
        std::string clue = dictionary.Definition(i);
        clue = clue.substr(0, clue.find("; "));
        if (clue.size() >= 20 && clue.size() <= 120) clues.push_back(clue);
    }
    return clues;
}

void WrapClues(benchmark::State& state) {
    const std::vector<std::string> clues = Clues();
    if (clues.size() < ClueCount) {
        state.SkipWithError("dic1.wdi missing or without enough definitions: build the data files first");
        return;
    }
    TFormatParameters format;
    format.FontSize = static_cast<uint8_t>(std::lround(7 * 3.58));
    format.HFlag = state.range(0) != 0;
    TMetafile scratch(0, 0, CairoTextMetrics());
    TCanvas canvas(scratch);
    const TRect cell{0, 0, 100, 100};
    std::size_t fitted = 0;
    for (auto _ : state)
        for (const std::string& clue : clues) fitted += WrapCellText(canvas, clue, cell, format).empty() ? 0 : 1;
    state.counters["per_clue"] = benchmark::Counter(static_cast<double>(clues.size()),
                                                     benchmark::Counter::kIsIterationInvariantRate |
                                                         benchmark::Counter::kInvert);
    state.counters["fitted_share"] = static_cast<double>(fitted) / static_cast<double>(clues.size() * state.iterations());
}
BENCHMARK(WrapClues)->ArgName("syllables")->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
