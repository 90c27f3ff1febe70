// The printable picture of the largest grid (LargestCrossword.h): its display list, and the SVG
// document written from it, in the solution mode and in the codeword mode (numbers in the cells
// and the number table). Aim: well under 5 s each.

#include "LargestCrossword.h"

#include "platform/Metafile.h"
#include "platform/RecordingUi.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

void PictureItems(benchmark::State& state) {
    ScopedRecordingUi quiet;
    const auto crossword = LargestFilled();
    std::size_t calls = 0;
    for (auto _ : state) {
        TMetafile picture;
        crossword->DrawToMetafile(picture, static_cast<int>(state.range(0)));
        calls = picture.Calls().size();
        benchmark::DoNotOptimize(picture.Calls().data());
    }
    state.counters["calls"] = static_cast<double>(calls);
}
BENCHMARK(PictureItems)->Arg(0)->Arg(2)->Unit(benchmark::kMillisecond);

void PictureSvg(benchmark::State& state) {
    ScopedRecordingUi quiet;
    const auto crossword = LargestFilled();
    std::size_t bytes = 0;
    for (auto _ : state) {
        TMetafile picture;
        crossword->DrawToMetafile(picture, static_cast<int>(state.range(0)));
        const std::string svg = picture.SvgData();
        bytes = svg.size();
        benchmark::DoNotOptimize(svg.data());
    }
    state.counters["bytes"] = static_cast<double>(bytes);
}
BENCHMARK(PictureSvg)->Arg(0)->Arg(2)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace

BENCHMARK_MAIN();
