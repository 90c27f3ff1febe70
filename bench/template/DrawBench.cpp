// The template's pictures: the whole picture drawn and written as PNG and SVG for a game-sized
// and the largest grid, the working view of the largest grid at three zooms in a 1280 x 800
// window, and the outline of every base cell form. Aims: a 15 x 15 PNG well under 100 ms, a
// 200 x 200 picture under 2 s, a view frame under 50 ms.

#include "cellshape/CellOutline.h"
#include "platform/Bitmap.h"
#include "platform/Metafile.h"
#include "template/ClassicShablon.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>
#include <vector>

#include <unistd.h>

namespace {

// A square grid in the manner of a crossword: a block every fourth cell of every fourth row and
// column, the rest letter cells, numbered.
std::unique_ptr<TClassicShablon> Grid(int side) {
    auto shablon = std::make_unique<TClassicShablon>(side, side);
    for (int x = 0; x < side; ++x)
        for (int y = 0; y < side; ++y) shablon->SetLetterCellOnly(x, y, !((x % 4 == 3 && y % 2 == 1) || (y % 4 == 3 && x % 2 == 1)));
    shablon->NumberCells();
    return shablon;
}

std::string PngFile() {
    return (std::filesystem::temp_directory_path() / ("template_bench_" + std::to_string(::getpid()) + ".png")).string();
}

void DrawPng(benchmark::State& state) {
    const auto shablon = Grid(static_cast<int>(state.range(0)));
    const std::string file = PngFile();
    for (auto _ : state) {
        TMetafile picture;
        shablon->DrawToMetafile(picture);
        benchmark::DoNotOptimize(picture.WritePng(file));
    }
    std::filesystem::remove(file);
}
BENCHMARK(DrawPng)->Arg(15)->Arg(200)->Unit(benchmark::kMillisecond);

void DrawSvg(benchmark::State& state) {
    const auto shablon = Grid(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        TMetafile picture;
        shablon->DrawToMetafile(picture);
        benchmark::DoNotOptimize(picture.SvgData().size());
    }
}
BENCHMARK(DrawSvg)->Arg(15)->Arg(200)->Unit(benchmark::kMillisecond);

void FastView(benchmark::State& state) {
    const auto shablon = Grid(200);
    TFastDrawParameters view;
    view.Zoom = static_cast<int>(state.range(0));
    view.ShowDetails = true;
    view.FirstColumn = 20;
    view.FirstRow = 20;
    TBitmap bitmap(1280, 800);
    for (auto _ : state) {
        shablon->FastDraw(view, bitmap);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(FastView)->Arg(10)->Arg(100)->Arg(400)->Unit(benchmark::kMillisecond);

void CellOutline(benchmark::State& state) {
    TKletkaForm form;
    form.Form = static_cast<uint8_t>(state.range(0));
    form.Param1 = 10, form.Param2 = 20, form.Param3 = 30, form.Param4 = 40;
    std::vector<std::string> script;
    MakeBaseFormScript(form, script);
    TOutlinePoints points;
    int count = 0;
    std::string errors;
    for (auto _ : state) {
        BuildCellOutline(script, 100, 0, 0, 100, 100, points, count, errors);
        benchmark::DoNotOptimize(count);
    }
    state.counters["points"] = count;
}
BENCHMARK(CellOutline)->DenseRange(0, 10)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
