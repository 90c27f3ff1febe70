// The fill of dense grids, where every letter lies in two words: for every grid size and for
// both default dictionaries, the backtracking method the game uses (2) against the propagating
// one (4). Every grid of the set is filled once per seed, each fill allowed the time limit.
// Reports per case the share of fills that filled the grid, the share that proved no fill
// exists (-2 after a complete search), their sum (settled), and the median and 95th-percentile
// fill time (a fill that runs out of time counts with its limit).
//
// The grid set is the one `densegen OUTPUT` writes (10 blocked grids of every odd side from 5
// to 15 and 10 open American-style 15 x 15 grids), or the grids of a densegen collection.
// Then the lattices, each filled with dic2.wdi in a fresh process (this program started again
// with --lattice) so that its peak memory is the kernel's high-water mark of its resident
// memory: 200 x 200 with every fourth letter checked, and every second letter checked at
// several sides.
//
// Options before the benchmark library's own:
//   --grids FILE        the grids of a densegen collection instead of the built-in set
//   --time-limit S      seconds per dense fill (default 20)
//   --seeds N           fills per grid, seeds 1 .. N (default 1)
//   --lattice-limit S   seconds per lattice fill (default 60)

#include "FillFigures.h"
#include "GridMaker.h"

#include "crossword/ClassicCrossword.h"
#include "platform/Clock.h"
#include "platform/RecordingUi.h"
#include "template/ClassicShablon.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <memory>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

constexpr const char* Dictionaries[] = {"dic1.wdi", "dic2.wdi"};
constexpr int LatticeDictionary = 1;
constexpr TFillMethod Methods[] = {TFillMethod::Backtrack, TFillMethod::Propagate};
// The built-in grid set: what densegen writes without options.
constexpr int BlockedSides[] = {5, 7, 9, 11, 13, 15};
constexpr int AmericanSide = 15;
constexpr int GridsPerSize = 10;
constexpr uint32_t GridSeedBase = 1000;
struct TLattice {
    int side;
    int step;
};
constexpr TLattice Lattices[] = {{200, 4}, {50, 2}, {100, 2}, {200, 2}};
constexpr uint32_t LatticeSeed = 1;

struct TSettings {
    std::string gridFile;
    int timeLimit = 20;
    int seeds = 1;
    int latticeLimit = 60;
};
TSettings Settings;

struct TGridSet {
    std::string label;
    std::vector<TGridRows> grids;
};

// A crossword per dictionary, loaded once.
TClassicCrossword* CrosswordWith(int dictionary) {
    static std::unique_ptr<TClassicCrossword> crosswords[std::size(Dictionaries)];
    auto& crossword = crosswords[dictionary];
    if (!crossword) {
        crossword = std::make_unique<TClassicCrossword>();
        crossword->Dictionary.ShowProgress = false;
        if (!crossword->LoadDictionary(DataFile(Dictionaries[dictionary]))) crossword.reset();
    }
    return crossword.get();
}

std::vector<TGridSet> BuiltInGrids() {
    std::vector<TGridSet> sets;
    const auto add = [&](const std::string& label, int side, TDenseStyle style) {
        TGridSet set{label, {}};
        for (int n = 0; n < GridsPerSize; ++n) {
            TGridRows rows = MakeDenseGrid(side, side, style, GridSeedBase + static_cast<uint32_t>(n));
            if (!rows.empty()) set.grids.push_back(std::move(rows));
        }
        sets.push_back(std::move(set));
    };
    for (const int side : BlockedSides) add(SizeLabel(side, side), side, TDenseStyle::Blocked);
    add(SizeLabel(AmericanSide, AmericanSide) + " American", AmericanSide, TDenseStyle::OpenAmerican);
    return sets;
}

// The grids of a densegen collection, grouped by the size its entry names begin with
// ("13x13-4"); empty when the file cannot be read.
std::vector<TGridSet> GridsOfFile(const std::string& path) {
    ScopedRecordingUi quiet;
    TIndexCollection collection;
    collection.FileName = path;
    std::vector<TGridSet> sets;
    if (!collection.LoadFromFile()) return sets;
    for (int i = 0; i < collection.Count(); ++i) {
        const std::string name = collection.EntryName(i);
        const std::string text = collection.EntryText(i);
        if (text.size() < TShablon::Prefix.size() + 3) continue;
        const std::string body = text.substr(TShablon::Prefix.size());
        TClassicShablon shablon(body[1] - '0', body[2] - '0');
        if (!shablon.ParseTemplate(body, 0, 0)) continue;
        TGridRows rows(shablon.Height, std::string(shablon.Width, '#'));
        for (int y = 0; y < shablon.Height; ++y)
            for (int x = 0; x < shablon.Width; ++x)
                if (shablon.IsLetterCell(x, y)) rows[y][x] = '.';
        const std::string label = name.substr(0, name.find('-'));
        auto set = std::find_if(sets.begin(), sets.end(), [&](const TGridSet& s) { return s.label == label; });
        if (set == sets.end()) set = sets.insert(sets.end(), TGridSet{label, {}});
        set->grids.push_back(std::move(rows));
    }
    return sets;
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
    int errCode;
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
    return {filled, errCode, elapsed.count()};
}

void DenseFill(benchmark::State& state, const TGridSet* set, int dictionary, TFillMethod method) {
    ScopedRecordingUi quiet;
    TClassicCrossword* crossword = CrosswordWith(dictionary);
    if (!crossword) {
        state.SkipWithError("dic1.wdi or dic2.wdi missing: build the data files first");
        return;
    }
    std::vector<double> milliseconds;
    int filled = 0, proved = 0;
    for (auto _ : state)
        for (int seed = 1; seed <= Settings.seeds; ++seed)
            for (const TGridRows& grid : set->grids) {
                SetGrid(*crossword, grid);
                RandSeed(static_cast<uint32_t>(seed));
                const TFillTime fill = TimedFill(*crossword, method, Settings.timeLimit);
                milliseconds.push_back(fill.ms);
                filled += fill.filled ? 1 : 0;
                proved += !fill.filled && fill.errCode == FillError::Exhausted ? 1 : 0;
            }
    const double fills = static_cast<double>(std::max<std::size_t>(milliseconds.size(), 1));
    state.SetLabel(set->label + " " + Dictionaries[dictionary] + " method " + std::to_string(static_cast<int>(method)));
    state.counters["fills"] = static_cast<double>(milliseconds.size());
    state.counters["filled_%"] = 100.0 * filled / fills;
    state.counters["proved_%"] = 100.0 * proved / fills;
    state.counters["settled_%"] = 100.0 * (filled + proved) / fills;
    state.counters["median_ms"] = Percentile(milliseconds, 0.5);
    state.counters["p95_ms"] = Percentile(milliseconds, 0.95);
}

// The resident high-water mark of this process, in megabytes (VmHWM).
double PeakResidentMegabytes() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmHWM:", 0) == 0) return std::stod(line.substr(6)) / 1024.0;
    return 0;
}

// The child's side of LatticeFill: fills a lattice with dic2 and prints "filled errCode ms slots
// peak-before peak-after".
int MeasureLattice(int side, int step, TFillMethod method, int timeLimit) {
    ScopedRecordingUi quiet;
    TClassicCrossword* crossword = CrosswordWith(LatticeDictionary);
    const TGridRows rows = MakeLatticeGrid(side, side, step, LatticeSeed);
    if (!crossword || rows.empty()) return 1;
    SetGrid(*crossword, rows);
    const double before = PeakResidentMegabytes();
    RandSeed(1);
    const TFillTime fill = TimedFill(*crossword, method, timeLimit);
    std::printf("%d %d %.1f %d %.1f %.1f\n", fill.filled ? 1 : 0, fill.errCode, fill.ms, crossword->Words.Count(),
                before, PeakResidentMegabytes());
    return 0;
}

void LatticeFill(benchmark::State& state, TLattice lattice, TFillMethod method) {
    char self[4096] = {};
    if (readlink("/proc/self/exe", self, sizeof self - 1) <= 0) {
        state.SkipWithError("cannot find this program");
        return;
    }
    int filled = 0, errCode = 0, slots = 0;
    double ms = 0, before = 0, peak = 0;
    for (auto _ : state) {
        const std::string command = std::string("'") + self + "' --lattice " + std::to_string(lattice.side) + " " +
                                    std::to_string(lattice.step) + " " + std::to_string(static_cast<int>(method)) +
                                    " " + std::to_string(Settings.latticeLimit);
        FILE* child = popen(command.c_str(), "r");
        if (!child ||
            std::fscanf(child, "%d %d %lf %d %lf %lf", &filled, &errCode, &ms, &slots, &before, &peak) != 6) {
            if (child) pclose(child);
            state.SkipWithError("the measuring process failed (are the data files built?)");
            return;
        }
        pclose(child);
    }
    state.SetLabel(SizeLabel(lattice.side, lattice.side) + " lattice step " + std::to_string(lattice.step) +
                   " dic2.wdi method " + std::to_string(static_cast<int>(method)));
    state.counters["slots"] = slots;
    state.counters["filled"] = filled;
    state.counters["proved"] = !filled && errCode == FillError::Exhausted ? 1 : 0;
    state.counters["fill_ms"] = ms;
    state.counters["before_MB"] = before;
    state.counters["peak_MB"] = peak;
}

// "DenseFill/13x13/dic2/method:4", for --benchmark_filter.
std::string CaseName(const std::string& kind, std::string label, int dictionary, TFillMethod method) {
    std::replace(label.begin(), label.end(), ' ', '_');
    const std::string file = Dictionaries[dictionary];
    return kind + "/" + label + "/" + file.substr(0, file.find('.')) + "/method:" +
           std::to_string(static_cast<int>(method));
}

// Takes this benchmark's own options out of argv; false on a bad one.
bool ReadSettings(int& argc, char** argv) {
    int kept = 1;
    for (int i = 1; i < argc; ++i) {
        const auto number = [&](int& value) {
            if (i + 1 >= argc) return false;
            value = std::atoi(argv[++i]);
            return value > 0;
        };
        if (std::strcmp(argv[i], "--grids") == 0 && i + 1 < argc) {
            Settings.gridFile = argv[++i];
        } else if (std::strcmp(argv[i], "--time-limit") == 0) {
            if (!number(Settings.timeLimit)) return false;
        } else if (std::strcmp(argv[i], "--seeds") == 0) {
            if (!number(Settings.seeds)) return false;
        } else if (std::strcmp(argv[i], "--lattice-limit") == 0) {
            if (!number(Settings.latticeLimit)) return false;
        } else {
            argv[kept++] = argv[i];
        }
    }
    argc = kept;
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 6 && std::strcmp(argv[1], "--lattice") == 0)
        return MeasureLattice(std::atoi(argv[2]), std::atoi(argv[3]), static_cast<TFillMethod>(std::atoi(argv[4])),
                              std::atoi(argv[5]));
    if (!ReadSettings(argc, argv)) {
        std::fprintf(stderr, "usage: crossword_dense_bench [--grids FILE] [--time-limit S] [--seeds N] "
                             "[--lattice-limit S] [benchmark options]\n");
        return 2;
    }
    static const std::vector<TGridSet> sets = Settings.gridFile.empty() ? BuiltInGrids() : GridsOfFile(Settings.gridFile);
    if (sets.empty()) {
        std::fprintf(stderr, "crossword_dense_bench: no grids in %s\n", Settings.gridFile.c_str());
        return 2;
    }
    for (const TGridSet& set : sets)
        for (int dictionary = 0; dictionary < static_cast<int>(std::size(Dictionaries)); ++dictionary)
            for (const TFillMethod method : Methods)
                benchmark::RegisterBenchmark(CaseName("DenseFill", set.label, dictionary, method).c_str(), DenseFill,
                                             &set, dictionary, method)
                    ->Iterations(1)
                    ->Unit(benchmark::kMillisecond);
    for (const TLattice& lattice : Lattices)
        for (const TFillMethod method : Methods)
            benchmark::RegisterBenchmark(CaseName("LatticeFill", SizeLabel(lattice.side, lattice.side) + " step " +
                                                      std::to_string(lattice.step), LatticeDictionary, method)
                                             .c_str(),
                                         LatticeFill, lattice, method)
                ->Iterations(1)
                ->Unit(benchmark::kMillisecond);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
