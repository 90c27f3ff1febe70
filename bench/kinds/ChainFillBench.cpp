// The chainword fills with "dic1.wdi": unformatted chainwords on serpentine chains of 8 x 8 to
// 16 x 16 cells, and crossing chainwords on a serpentine and on chains that pass every cell twice
// (the rows, then the columns back to the start), each filled under several seeds with a time
// limit. Reports per case the share of fills that succeed and the median and 95th-percentile
// fill time (a fill that runs out of time counts with its limit).
//
// ChainPlacement places one word at the start of a 60 x 60 serpentine crossing chain: every
// placement walks the chain again, which must stay linear in its length.

#include "../crossword/FillFigures.h"

#include "kinds/Chainword.h"
#include "platform/Clock.h"
#include "platform/RecordingUi.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr int ChainSides[] = {8, 9, 10, 11, 12, 13, 14, 15, 16};
constexpr int Seeds = 20;
constexpr int TimeLimitSeconds = 10;
constexpr int CaseBudgetSeconds = 15;

using TClock = std::chrono::steady_clock;

// The moves of a serpentine from (0, 0): row 0 rightwards, row 1 leftwards and so on.
std::string RowSerpentine(int width, int height) {
    std::string moves;
    for (int y = 0; y < height; ++y) {
        moves.append(width - 1, y % 2 == 0 ? 'R' : 'L');
        if (y + 1 < height) moves += 'D';
    }
    return moves;
}

// For odd sides: the row serpentine, then up and down the columns from the last one back to the
// start, so that every cell is crossed.
std::string DoublePass(int side) {
    std::string moves = RowSerpentine(side, side);
    for (int column = 0; column < side; ++column) {
        moves.append(side - 1, column % 2 == 0 ? 'U' : 'D');
        if (column + 1 < side) moves += 'L';
    }
    return moves;
}

struct TCrossCase {
    int Side;
    bool Double;
};
constexpr TCrossCase CrossCases[] = {{6, false}, {10, false}, {14, false}, {5, true}, {7, true}, {9, true}};

template <typename TKind>
TKind* Loaded() {
    static std::unique_ptr<TKind> crossword;
    if (!crossword) {
        crossword = std::make_unique<TKind>();
        crossword->Dictionary.ShowProgress = false;
        if (!crossword->LoadDictionary(std::string(ZELVANA_DATA_DIR) + "/dic1.wdi")) return nullptr;
        crossword->FillParameters.TimeLimit = TimeLimitSeconds;
    }
    return crossword.get();
}

// Fills the crossword as set up by prepare under each seed while the budget lasts.
template <typename Prepare>
void Run(benchmark::State& state, TCrossword& crossword, Prepare&& prepare, const std::string& label) {
    std::vector<double> milliseconds;
    int filled = 0;
    int lastError = 0;
    for (auto _ : state) {
        const auto start = TClock::now();
        for (int seed = 1; seed <= Seeds && TClock::now() - start < std::chrono::seconds(CaseBudgetSeconds); ++seed) {
            if (!prepare()) {
                state.SkipWithError("the chain was refused");
                return;
            }
            RandSeed(static_cast<uint32_t>(seed));
            int errCode = 0;
            TFillResult best;
            const auto fillStart = TClock::now();
            if (crossword.Fill(0, 0, crossword.Width, crossword.Height, false, errCode, best))
                ++filled;
            else
                lastError = errCode;
            const std::chrono::duration<double, std::milli> elapsed = TClock::now() - fillStart;
            milliseconds.push_back(elapsed.count());
            crossword.ClearWords(0, 0, crossword.Width, crossword.Height, true);
        }
    }
    state.SetLabel(label);
    state.counters["fills"] = static_cast<double>(milliseconds.size());
    state.counters["success_%"] = 100.0 * filled / std::max<std::size_t>(milliseconds.size(), 1);
    state.counters["median_ms"] = Percentile(milliseconds, 0.5);
    state.counters["p95_ms"] = Percentile(milliseconds, 0.95);
    state.counters["last_error"] = lastError;
}

// The crossword sized to the side with the chain of the moves laid, prepared as a loaded
// template is.
template <typename TKind, typename TShape>
bool LayChain(TKind& crossword, int width, int height, const std::string& moves) {
    crossword.ClearWords(0, 0, TCrossword::MaxSide, TCrossword::MaxSide, true);
    crossword.SetWidth(width);
    crossword.SetHeight(height);
    auto& shape = static_cast<TShape&>(*crossword.Template);
    if (!shape.LayMoves(0, 0, moves)) return false;
    crossword.Unformatted = 1;
    crossword.PrepareForFill();
    crossword.Running = 1;
    return true;
}

void Chainword(benchmark::State& state) {
    ScopedRecordingUi quiet;
    TChainword* crossword = Loaded<TChainword>();
    if (!crossword) {
        state.SkipWithError("dic1.wdi missing: build the data files first");
        return;
    }
    const int side = ChainSides[state.range(0)];
    Run(state, *crossword, [&] {
        return LayChain<TChainword, TChainwordShablon>(*crossword, side, side, RowSerpentine(side, side));
    }, std::to_string(side) + "x" + std::to_string(side) + " chainword");
}

void CrossChainword(benchmark::State& state) {
    ScopedRecordingUi quiet;
    TCrossChainword* crossword = Loaded<TCrossChainword>();
    if (!crossword) {
        state.SkipWithError("dic1.wdi missing: build the data files first");
        return;
    }
    const TCrossCase& c = CrossCases[state.range(0)];
    crossword->FillParameters.FillMethod = state.range(1) ? TFillMethod::RandomRestart : TFillMethod::Backtrack;
    const std::string moves = c.Double ? DoublePass(c.Side) : RowSerpentine(c.Side, c.Side);
    Run(state, *crossword, [&] {
        return LayChain<TCrossChainword, TCrossChainwordShablon>(*crossword, c.Side, c.Side, moves);
    }, std::to_string(c.Side) + "x" + std::to_string(c.Side) + (c.Double ? " crossed twice" : " serpentine") +
           (state.range(1) ? ", random restarts" : ", depth first"));
}

void ChainPlacement(benchmark::State& state) {
    ScopedRecordingUi quiet;
    TCrossChainword* crossword = Loaded<TCrossChainword>();
    if (!crossword) {
        state.SkipWithError("dic1.wdi missing: build the data files first");
        return;
    }
    const int side = static_cast<int>(state.range(0));
    if (!LayChain<TCrossChainword, TCrossChainwordShablon>(*crossword, side, side, RowSerpentine(side, side))) {
        state.SkipWithError("the chain was refused");
        return;
    }
    const TCoord cells(0, 0, "66", crossword->Width, crossword->Height);
    const std::string word = "\xea\xee\xf2";  // a three-letter word in the game's code page
    for (auto _ : state) {
        int slot = -1;
        benchmark::DoNotOptimize(crossword->PutWordAtCoord(cells, word, {}, slot));
        crossword->RemoveWordAtCoord(cells);
    }
    state.SetLabel(std::to_string(crossword->Chain.Count()) + " chain cells, place and remove");
}

}  // namespace

BENCHMARK(Chainword)->DenseRange(0, static_cast<int>(std::size(ChainSides)) - 1)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(CrossChainword)
    ->ArgsProduct({benchmark::CreateDenseRange(0, static_cast<int>(std::size(CrossCases)) - 1, 1), {0, 1}})
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(ChainPlacement)->Arg(30)->Arg(60)->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
