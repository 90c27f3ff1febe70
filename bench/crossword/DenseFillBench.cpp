// The fill of dense grids, where every letter lies in two words: for every dense size and for
// both default dictionaries, the backtracking method the game uses (2) against the propagating
// one (4), over many grids and seeds, each fill allowed 10 seconds. Reports the share of fills
// that succeed, the median and the 95th-percentile fill time (a fill that runs out of time
// counts with its 10 seconds).
//
// Each size, dictionary and method gets CaseBudgetSeconds: no fill starts after that, and the
// figures cover the fills that ran (the "fills" counter), the grids taken in turn with one seed
// each, then again with the next seed; so the whole benchmark keeps to a few minutes.
//
// The peak memory of a 200 x 200 fill is measured in a fresh process (this program started
// again with --peak-memory), from the kernel's high-water mark of its resident memory.

#include "FillFigures.h"
#include "GridMaker.h"

#include "crossword/ClassicCrossword.h"
#include "platform/Clock.h"
#include "platform/RecordingUi.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <memory>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

struct TDenseSize {
    int side;
    TDenseStyle style;
    const char* label;
};
constexpr TDenseSize DenseSizes[] = {
    {5, TDenseStyle::Blocked, "5x5"},       {7, TDenseStyle::Blocked, "7x7"},
    {9, TDenseStyle::Blocked, "9x9"},       {11, TDenseStyle::Blocked, "11x11"},
    {13, TDenseStyle::Blocked, "13x13"},    {15, TDenseStyle::Blocked, "15x15"},
    {15, TDenseStyle::OpenAmerican, "15x15 American"},
};
constexpr const char* Dictionaries[] = {"dic1.wdi", "dic2.wdi"};
constexpr int GridsPerSize = 8;
constexpr int SeedsPerGrid = 4;
constexpr int TimeLimitSeconds = 10;
constexpr int CaseBudgetSeconds = 10;
constexpr int LatticeSide = 200;
constexpr uint32_t LatticeSeed = 1;

// A crossword per dictionary, loaded once.
TClassicCrossword* CrosswordWith(int dictionary) {
    static std::unique_ptr<TClassicCrossword> crosswords[std::size(Dictionaries)];
    auto& crossword = crosswords[dictionary];
    if (!crossword) {
        crossword = std::make_unique<TClassicCrossword>();
        crossword->Dictionary.ShowProgress = false;
        if (!crossword->LoadDictionary(std::string(ZELVANA_DATA_DIR) + "/" + Dictionaries[dictionary])) return nullptr;
    }
    return crossword.get();
}

// The dense grids of a size, made once for every dictionary and method.
const std::vector<TGridRows>& DenseGrids(int size) {
    static std::vector<TGridRows> grids[std::size(DenseSizes)];
    if (grids[size].empty())
        for (int grid = 1; grid <= GridsPerSize; ++grid) {
            TGridRows rows = MakeDenseGrid(DenseSizes[size].side, DenseSizes[size].side, DenseSizes[size].style,
                                           static_cast<uint32_t>(grid));
            if (!rows.empty()) grids[size].push_back(std::move(rows));
        }
    return grids[size];
}

void SetGrid(TCrossword& crossword, const TGridRows& rows) {
    const int height = static_cast<int>(rows.size());
    const int width = static_cast<int>(rows[0].size());
    crossword.SetWidth(width);
    crossword.SetHeight(height);
    crossword.Template->SetSize(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) crossword.Template->SetLetterCellOnly(x, y, rows[y][x] != '#');
    crossword.PrepareForFill();
}

struct TFillTime {
    bool filled;
    double ms;
};

// One fill from the whole dictionary; the words go back afterwards.
TFillTime TimedFill(TCrossword& crossword, TFillMethod method, int timeLimit) {
    crossword.FillParameters.FillMethod = method;
    crossword.FillParameters.TimeLimit = timeLimit;
    int errCode = 0;
    TFillResult best;
    const auto start = std::chrono::steady_clock::now();
    const bool filled = crossword.Fill(0, 0, crossword.Width, crossword.Height, false, errCode, best);
    const std::chrono::duration<double, std::milli> elapsed = std::chrono::steady_clock::now() - start;
    crossword.ClearWords(0, 0, crossword.Width, crossword.Height, true);
    return {filled, elapsed.count()};
}

void DenseFill(benchmark::State& state) {
    const TDenseSize& size = DenseSizes[state.range(0)];
    const std::vector<TGridRows>& grids = DenseGrids(static_cast<int>(state.range(0)));
    const int dictionary = static_cast<int>(state.range(1));
    const auto method = static_cast<TFillMethod>(state.range(2));
    ScopedRecordingUi quiet;
    TClassicCrossword* crossword = CrosswordWith(dictionary);
    if (!crossword) {
        state.SkipWithError("dic1.wdi or dic2.wdi missing: build the data files first");
        return;
    }
    std::vector<double> milliseconds;
    int filled = 0;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        const auto inBudget = [&] { return std::chrono::steady_clock::now() - start < std::chrono::seconds(CaseBudgetSeconds); };
        for (int seed = 1; seed <= SeedsPerGrid && inBudget(); ++seed)
            for (std::size_t grid = 0; grid < grids.size() && inBudget(); ++grid) {
                SetGrid(*crossword, grids[grid]);
                RandSeed(static_cast<uint32_t>(seed));
                const TFillTime fill = TimedFill(*crossword, method, TimeLimitSeconds);
                milliseconds.push_back(fill.ms);
                filled += fill.filled ? 1 : 0;
            }
    }
    state.SetLabel(std::string(size.label) + " " + Dictionaries[dictionary] + " method " +
                   std::to_string(static_cast<int>(method)));
    state.counters["fills"] = static_cast<double>(milliseconds.size());
    state.counters["success_%"] = 100.0 * filled / std::max<std::size_t>(milliseconds.size(), 1);
    state.counters["median_ms"] = Percentile(milliseconds, 0.5);
    state.counters["p95_ms"] = Percentile(milliseconds, 0.95);
}

void DenseCases(benchmark::internal::Benchmark* bench) {
    for (int size = 0; size < static_cast<int>(std::size(DenseSizes)); ++size)
        for (int dictionary = 0; dictionary < static_cast<int>(std::size(Dictionaries)); ++dictionary)
            for (const TFillMethod method : {TFillMethod::Backtrack, TFillMethod::Propagate})
                bench->Args({size, dictionary, static_cast<int>(method)});
}

// The resident high-water mark of this process, in megabytes (VmHWM).
double PeakResidentMegabytes() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmHWM:", 0) == 0) return std::stod(line.substr(6)) / 1024.0;
    return 0;
}

// The child's side of LatticeFill: fills a lattice with dic2 and prints "filled ms slots
// peak-before peak-after".
int MeasureLattice(TFillMethod method) {
    ScopedRecordingUi quiet;
    TClassicCrossword* crossword = CrosswordWith(1);
    if (!crossword) return 1;
    SetGrid(*crossword, MakeLatticeGrid(LatticeSide, LatticeSide, LatticeSeed));
    const double before = PeakResidentMegabytes();
    RandSeed(1);
    const TFillTime fill = TimedFill(*crossword, method, 60);
    std::printf("%d %.1f %d %.1f %.1f\n", fill.filled ? 1 : 0, fill.ms, crossword->Words.Count(), before,
                PeakResidentMegabytes());
    return 0;
}

void LatticeFill(benchmark::State& state) {
    const int method = static_cast<int>(state.range(0));
    char self[4096] = {};
    if (readlink("/proc/self/exe", self, sizeof self - 1) <= 0) {
        state.SkipWithError("cannot find this program");
        return;
    }
    int filled = 0, slots = 0;
    double ms = 0, before = 0, peak = 0;
    for (auto _ : state) {
        const std::string command = std::string("'") + self + "' --peak-memory " + std::to_string(method);
        FILE* child = popen(command.c_str(), "r");
        if (!child || std::fscanf(child, "%d %lf %d %lf %lf", &filled, &ms, &slots, &before, &peak) != 5) {
            if (child) pclose(child);
            state.SkipWithError("the measuring process failed (are the data files built?)");
            return;
        }
        pclose(child);
    }
    state.SetLabel("200x200 lattice dic2.wdi method " + std::to_string(method));
    state.counters["slots"] = slots;
    state.counters["filled"] = filled;
    state.counters["fill_ms"] = ms;
    state.counters["before_MB"] = before;
    state.counters["peak_MB"] = peak;
}

}  // namespace

BENCHMARK(DenseFill)->Apply(DenseCases)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(LatticeFill)
    ->Arg(static_cast<int>(TFillMethod::Backtrack))
    ->Arg(static_cast<int>(TFillMethod::Propagate))
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    if (argc == 3 && std::strcmp(argv[1], "--peak-memory") == 0)
        return MeasureLattice(static_cast<TFillMethod>(std::atoi(argv[2])));
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
