// Crossword files of the largest grid: a 200 x 200 crossword, a block after every fifth cell of a
// row, with a word placed (by PlaceWord) in each of its 6600 five-letter across slots, saved and
// read back. Aim: well under 1 s each.

#include "LargestCrossword.h"

#include "platform/RecordingUi.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>
#include <string>

#include <unistd.h>

namespace {

std::string CrosswordFile() {
    return (std::filesystem::temp_directory_path() / ("storage_bench_" + std::to_string(::getpid()) + ".cwd")).string();
}

std::unique_ptr<TClassicCrossword> Filled() {
    auto crossword = LargestFilled();
    crossword->FileName = CrosswordFile();
    return crossword;
}

void SaveLargest(benchmark::State& state) {
    const auto crossword = Filled();
    for (auto _ : state) benchmark::DoNotOptimize(crossword->Save(false));
    state.counters["words"] = crossword->FilledCount();
    std::filesystem::remove(crossword->FileName);
}
BENCHMARK(SaveLargest)->Unit(benchmark::kMillisecond);

void LoadLargest(benchmark::State& state) {
    ScopedRecordingUi quiet;
    const auto saved = Filled();
    saved->Save(false);
    TClassicCrossword crossword;
    crossword.FileName = saved->FileName;
    for (auto _ : state) benchmark::DoNotOptimize(crossword.Load(false, false));
    state.counters["words"] = crossword.FilledCount();
    std::filesystem::remove(crossword.FileName);
}
BENCHMARK(LoadLargest)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
