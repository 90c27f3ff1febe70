// The printable picture of the largest grid (LargestCrossword.h): its display list, and the SVG
// document written from it, in the solution mode and in the codeword mode (numbers in the cells
// and the number table). Aim: well under 5 s each.

#include "LargestCrossword.h"

#include "platform/Metafile.h"
#include "platform/RecordingUi.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

// range(0): the mode; range(1): 1 to write the SVG document as well.
void Picture(benchmark::State& state) {
    ScopedRecordingUi quiet;
    const auto crossword = LargestFilled();
    const bool svg = state.range(1) != 0;
    std::size_t calls = 0, bytes = 0;
    for (auto _ : state) {
        TMetafile picture;
        crossword->DrawToMetafile(picture, static_cast<int>(state.range(0)));
        calls = picture.Calls().size();
        benchmark::DoNotOptimize(picture.Calls().data());
        if (!svg) continue;
        const std::string document = picture.SvgData();
        bytes = document.size();
        benchmark::DoNotOptimize(document.data());
    }
    state.counters["calls"] = static_cast<double>(calls);
    if (svg) state.counters["bytes"] = static_cast<double>(bytes);
}
BENCHMARK(Picture)->ArgsProduct({{0, 2}, {0, 1}})->ArgNames({"mode", "svg"})->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
