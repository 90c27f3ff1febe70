// Loading the hard-level dictionary and the candidate searches the fill runs in its inner loop.

#include "dictionary/FileHelpers.h"
#include "dictionary/FindSpecial.h"
#include "dictionary/Mask.h"
#include "dictionary/WorkDictionary.h"

#include <benchmark/benchmark.h>

#include <random>

namespace {

const std::string& HardDictionaryPath() {
    static const std::string path = std::string(ZELVANA_DATA_DIR) + "/dic2.wdi";
    return path;
}

const TWorkDictionary& HardDictionary() {
    static const TWorkDictionary& dictionary = [] () -> const TWorkDictionary& {
        static TWorkDictionary d;
        d.ShowProgress = false;
        d.FileName = HardDictionaryPath();
        d.Load();
        return d;
    }();
    return dictionary;
}

// Masks of slot lengths 3..10 taken from real words, with `known` letters kept, so that every
// mask has at least one candidate, as in a fill.
std::vector<TMask> Masks(int known) {
    const TWorkDictionary& dictionary = HardDictionary();
    std::mt19937 random(42);
    std::vector<TMask> masks;
    while (masks.size() < 256) {
        const int cells = 3 + static_cast<int>(random() % 8);
        const int first = dictionary.LengthIndex(cells);
        const int count = dictionary.LengthIndex(cells + 1) - first;
        if (count == 0) continue;
        const std::string_view word = dictionary.EntryText(first + static_cast<int>(random() % count));
        TMask mask(CellFormatSingle, std::string(cells, ' '));
        for (int k = 0; k < known; ++k) {
            const int i = static_cast<int>(random() % cells);
            mask.SetCell(i, word.substr(i, 1));
        }
        masks.push_back(mask);
    }
    return masks;
}

void ReadFileBytes(benchmark::State& state) {
    std::string bytes;
    for (auto _ : state) {
        ReadFileText(HardDictionaryPath(), bytes);
        benchmark::DoNotOptimize(bytes.data());
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(bytes.size()));
}
BENCHMARK(ReadFileBytes)->Unit(benchmark::kMillisecond);

void LoadHardDictionary(benchmark::State& state) {
    TWorkDictionary dictionary;
    dictionary.ShowProgress = false;
    dictionary.FileName = HardDictionaryPath();
    for (auto _ : state) benchmark::DoNotOptimize(dictionary.Load());
    state.counters["words"] = dictionary.Count();
}
BENCHMARK(LoadHardDictionary)->Unit(benchmark::kMillisecond);

void CountCandidates(benchmark::State& state) {
    const TWorkDictionary& dictionary = HardDictionary();
    const std::vector<TMask> masks = Masks(static_cast<int>(state.range(0)));
    std::size_t i = 0;
    int64_t found = 0;
    for (auto _ : state) {
        found += dictionary.CountCandidates(masks[i++ % masks.size()], true);
    }
    state.counters["candidates"] = static_cast<double>(found) / state.iterations();
}
BENCHMARK(CountCandidates)->ArgName("known")->Arg(0)->Arg(1)->Arg(3);

void CollectCandidates(benchmark::State& state) {
    const TWorkDictionary& dictionary = HardDictionary();
    const std::vector<TMask> masks = Masks(static_cast<int>(state.range(0)));
    TFindSpecial store;
    std::size_t i = 0;
    int64_t found = 0;
    for (auto _ : state) {
        dictionary.CollectCandidates(masks[i++ % masks.size()], store, true);
        found += store.Total();
    }
    state.counters["candidates"] = static_cast<double>(found) / state.iterations();
}
BENCHMARK(CollectCandidates)->ArgName("known")->Arg(0)->Arg(1)->Arg(3);

// What a plain scan of the length's range with Matches costs, for comparison with the index.
void CountByScanningTheRange(benchmark::State& state) {
    const TWorkDictionary& dictionary = HardDictionary();
    const std::vector<TMask> masks = Masks(static_cast<int>(state.range(0)));
    std::size_t i = 0;
    for (auto _ : state) {
        const TMask& mask = masks[i++ % masks.size()];
        int count = 0;
        for (int e = dictionary.LengthIndex(mask.CellCount()); e < dictionary.LengthIndex(mask.CellCount() + 1); ++e)
            count += mask.Matches(dictionary.EntryText(e)) ? 1 : 0;
        benchmark::DoNotOptimize(count);
    }
}
BENCHMARK(CountByScanningTheRange)->ArgName("known")->Arg(1)->Arg(3);

}  // namespace

BENCHMARK_MAIN();
