// Crossword files of the largest grid: a 200 x 200 crossword, a block after every fifth cell of a
// row, with a word placed (by PlaceWord) in each of its 6600 five-letter across slots, saved and
// read back. Aim: well under 1 s each.

#include "crossword/ClassicCrossword.h"
#include "platform/RecordingUi.h"
#include "platform/Text.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>
#include <string>

#include <unistd.h>

namespace {

constexpr int Side = 200;

std::string CrosswordFile() {
    return (std::filesystem::temp_directory_path() / ("storage_bench_" + std::to_string(::getpid()) + ".cwd")).string();
}

// Words of five different letters: the n-th in a counting of the 32 letters "а" .. "я".
std::string Word(int n) {
    const std::string_view letters = "абвгдежзийклмнопрстуфхцчшщъыьэюя"_cp;
    std::string word;
    for (int i = 0; i < 5; ++i, n /= 32) word += letters[n % 32];
    return word;
}

std::unique_ptr<TClassicCrossword> Filled() {
    auto crossword = std::make_unique<TClassicCrossword>();
    crossword->SetWidth(Side);
    crossword->SetHeight(Side);
    for (int x = 0; x < Side; ++x)
        for (int y = 0; y < Side; ++y) crossword->Template->SetLetterCellOnly(x, y, x % 6 != 5);
    crossword->Template->NumberCells();
    crossword->PrepareForFill();
    int n = 0;
    for (int i = 0; i < crossword->Words.Count(); ++i)
        if (crossword->Words.WordLength(i) == 5 && crossword->Words.WordPath(i).starts_with('6'))
            crossword->PlaceWord(i, Word(n++), false);
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
