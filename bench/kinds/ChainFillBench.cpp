// The chainword fills with "dic1.wdi": unformatted chainwords on serpentine chains of 8 x 8 to
// 16 x 16 cells, and crossing chainwords on a serpentine, on chains that cross the even rows once
// down the middle column and on chains that pass every cell twice (the rows, then the columns back
// to the start), each filled under several seeds with a time limit. Reports per case the share
// of fills that succeed and the median and 95th-percentile fill time (a fill that runs out of
// time counts with its limit).
//
// ChainPlacement places one word at the start of a 60 x 60 serpentine crossing chain: every
// placement walks the chain again, which must stay linear in its length.

#include "../crossword/FillFigures.h"

#include "kinds/Chainword.h"
#include "platform/Clock.h"
#include "platform/RecordingUi.h"

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

namespace {

constexpr int ChainSides[] = {8, 9, 10, 11, 12, 13, 14, 15, 16};
constexpr TSeedRun Run{20, 10, 15};

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

// For odd sides: rows 0, 2, 4, ... as a serpentine joined through the side columns, then round
// into the middle column and up it to row 0, crossing every even row there.
std::string MiddleCrossing(int side) {
    std::string moves;
    for (int y = 0; y < side; y += 2) {
        moves.append(side - 1, y % 4 == 0 ? 'R' : 'L');
        if (y + 2 < side) moves += "DD";
    }
    const bool endsLeft = ((side - 1) / 2) % 2 == 1;
    moves += 'U';
    moves.append(endsLeft ? side / 2 : side - 1 - side / 2, endsLeft ? 'R' : 'L');
    moves.append(side - 2, 'U');
    return moves;
}

enum class TCrossChain { Serpentine, MiddleCrossing, DoublePass };

struct TCrossCase {
    int Side;
    TCrossChain Chain;
};
constexpr TCrossCase CrossCases[] = {
    {6, TCrossChain::Serpentine},     {10, TCrossChain::Serpentine},     {14, TCrossChain::Serpentine},
    {7, TCrossChain::MiddleCrossing}, {11, TCrossChain::MiddleCrossing}, {15, TCrossChain::MiddleCrossing},
    {5, TCrossChain::DoublePass},     {7, TCrossChain::DoublePass},      {9, TCrossChain::DoublePass},
};

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
    TChainword* crossword = LoadedOnce<TChainword>();
    if (!crossword) {
        state.SkipWithError("dic1.wdi missing: build the data files first");
        return;
    }
    const int side = ChainSides[state.range(0)];
    FillSeeds(state, *crossword, Run, [&] {
        return LayChain<TChainword, TChainwordShablon>(*crossword, side, side, RowSerpentine(side, side));
    }, SizeLabel(side, side) + " chainword");
}

void CrossChainword(benchmark::State& state) {
    ScopedRecordingUi quiet;
    TCrossChainword* crossword = LoadedOnce<TCrossChainword>();
    if (!crossword) {
        state.SkipWithError("dic1.wdi missing: build the data files first");
        return;
    }
    const TCrossCase& c = CrossCases[state.range(0)];
    crossword->FillParameters.FillMethod = state.range(1) ? TFillMethod::RandomRestart : TFillMethod::Backtrack;
    const std::string moves = c.Chain == TCrossChain::DoublePass       ? DoublePass(c.Side)
                              : c.Chain == TCrossChain::MiddleCrossing ? MiddleCrossing(c.Side)
                                                                       : RowSerpentine(c.Side, c.Side);
    const char* const chainName = c.Chain == TCrossChain::DoublePass       ? " crossed twice"
                                  : c.Chain == TCrossChain::MiddleCrossing ? " crossed down the middle"
                                                                           : " serpentine";
    FillSeeds(state, *crossword, Run, [&] {
        return LayChain<TCrossChainword, TCrossChainwordShablon>(*crossword, c.Side, c.Side, moves);
    }, SizeLabel(c.Side, c.Side) + chainName + (state.range(1) ? ", random restarts" : ", depth first"));
}

void ChainPlacement(benchmark::State& state) {
    ScopedRecordingUi quiet;
    TCrossChainword* crossword = LoadedOnce<TCrossChainword>();
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
