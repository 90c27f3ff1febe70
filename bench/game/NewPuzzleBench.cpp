// The time from "Создать" to a ready puzzle, the way the game makes one: for every game size and
// level ("dic1.wdi" normal, "dic2.wdi" hard) one game makes puzzles in a row with the generated
// "templates.col", from CreatePuzzle until the fill thread's completion has run on this thread.
// The words of earlier puzzles stay used, so a case wears the dictionary down as a long evening
// of one size does, and the figures include the fills that move on to another template and
// those that hand used words back.
//
// Reports per case the median, 99th and 99.99th percentile and the worst time (ms), the puzzles
// not made, the share of puzzles that needed more than one fill and the used words handed back.
// ZELVANA_PUZZLE_FILLS sets the puzzles per case (default 100 000, the documented figure; the
// 30 cases then take a long while, so a quick look may ask for fewer).

#include "../crossword/FillFigures.h"

#include "game/Game.h"
#include "platform/MainThread.h"
#include "platform/RecordingUi.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

namespace {

constexpr int DefaultFills = 100000;
// How often the waiting window's thread looks for the fill's completion.
constexpr auto PollInterval = std::chrono::microseconds(20);

int FillsPerCase() {
    const char* text = std::getenv("ZELVANA_PUZZLE_FILLS");
    const int fills = text ? std::atoi(text) : DefaultFills;
    return fills > 0 ? fills : DefaultFills;
}

void MakePuzzles(benchmark::State& state) {
    const TSize size = TemplateSizes()[state.range(0)];
    const bool hard = state.range(1) != 0;
    const int fills = FillsPerCase();
    ScopedRecordingUi quiet;
    TGame game(ZELVANA_DATA_DIR);
    game.Templates.FileName = DataFile("templates.col");
    if (!game.Templates.LoadFromFile() || game.Crossword->Dictionary.Count() == 0) {
        state.SkipWithError("templates.col or dic1.wdi missing: build the data files first");
        return;
    }
    if (hard) game.SetHard(true);
    RandSeed(static_cast<uint32_t>(state.range(0) * 2 + state.range(1) + 1));

    std::vector<double> milliseconds;
    milliseconds.reserve(fills);
    int notMade = 0, movedOn = 0;
    double released = 0;
    for (auto _ : state) {
        for (int i = 0; i < fills; ++i) {
            const auto start = std::chrono::steady_clock::now();
            if (game.CreatePuzzle(size.Width, size.Height))
                while (game.Filling) {
                    std::this_thread::sleep_for(PollInterval);
                    RunPostedTasks();
                }
            const std::chrono::duration<double, std::milli> elapsed = std::chrono::steady_clock::now() - start;
            milliseconds.push_back(elapsed.count());
            notMade += game.PuzzleReady ? 0 : 1;
            movedOn += game.LastMaking().Fills > 1 ? 1 : 0;
            released += game.LastMaking().WordsReleased;
        }
    }
    state.SetLabel(SizeText(size) + (hard ? " dic2" : " dic1"));
    state.counters["fills"] = fills;
    state.counters["median_ms"] = Percentile(milliseconds, 0.5);
    state.counters["p99_ms"] = Percentile(milliseconds, 0.99);
    state.counters["p99.99_ms"] = Percentile(milliseconds, 0.9999);
    state.counters["max_ms"] = Percentile(milliseconds, 1.0);
    state.counters["not_made"] = notMade;
    state.counters["moved_on_%"] = 100.0 * movedOn / fills;
    state.counters["released"] = released;
}

void SizesAndLevels(benchmark::internal::Benchmark* bench) {
    for (int level = 0; level < 2; ++level)
        for (int i = 0; i < static_cast<int>(TemplateSizes().size()); ++i) bench->Args({i, level});
}

}  // namespace

BENCHMARK(MakePuzzles)->Apply(SizesAndLevels)->Iterations(1)->Unit(benchmark::kSecond);

BENCHMARK_MAIN();
