// The cost of the game's screens on the headless surface, with the artwork the build draws:
// one full frame of the play and the rating menu (against the 10 ms frame tick), a line of
// text, and loading the two collections at start-up.

#include "game/Game.h"
#include "gfx/GraphicsLoader.h"
#include "gfx/ScreenLayout.h"
#include "platform/Text.h"

#include <benchmark/benchmark.h>

namespace {

const std::string DataDir = ZELVANA_DATA_DIR;

void LoadArtwork(TGame& game) {
    LoadGraphics(game.Surfaces, DataDir + "/graph.col");
    LoadFont(game.Letters, DataDir + "/font.col");
}

// A 16 x 16 game of 25 shards of 4 x 4: a dozen on the board, the rest in the tray, hint on.
void SetUpPlay(TGame& game) {
    game.SetupGeometry(16, 16, 4, 4);
    for (auto& shard : game.ShardLetters)
        for (int cx = 0; cx < 4; ++cx)
            for (int cy = 0; cy < 4; ++cy) shard[cx][cy] = (cx + cy) % 3 == 0 ? '*' : static_cast<char>(0xC0 + cx * 4 + cy);
    game.DealShards();
    game.ResetBoard();
    for (int id = 0; id < 12; ++id) {
        game.TakeShard(id);
        game.PutShard(id, id / 5, id % 5, TPutKind::Board);
    }
    game.HintUsed = true;
    game.BuildPlayButtons();
    game.SetScreen(ScreenPlay);
    game.MouseX = game.BoardSlotLeft(3) + 10;
    game.MouseY = game.BoardSlotTop(3) + 10;
    for (int tick = 0; tick < 20; ++tick) game.Step();
}

void BM_PlayFrame(benchmark::State& state) {
    TGame game;
    LoadArtwork(game);
    SetUpPlay(game);
    TDirectDrawSurface screen(ScreenWidth, ScreenHeight);
    for (auto _ : state) {
        game.DrawPlay(screen);
        benchmark::DoNotOptimize(screen.Pixel(100, 100));
    }
}
BENCHMARK(BM_PlayFrame)->Unit(benchmark::kMicrosecond);

void BM_RatingMenuFrame(benchmark::State& state) {
    TGame game;
    LoadArtwork(game);
    game.SimpleMode = false;
    game.InitTournament();
    game.BuildRatingMenu();
    game.Controls.FindSelector("SIZE")->Items = {"9x9 (3x3)", "16x16 (4x4)"};
    game.SetScreen(ScreenRatingMenu);
    TDirectDrawSurface screen(ScreenWidth, ScreenHeight);
    for (auto _ : state) {
        game.DrawMenu(screen);
        benchmark::DoNotOptimize(screen.Pixel(100, 100));
    }
}
BENCHMARK(BM_RatingMenuFrame)->Unit(benchmark::kMicrosecond);

void BM_TimeLine(benchmark::State& state) {
    TGame game;
    LoadArtwork(game);
    TDirectDrawSurface screen(ScreenWidth, ScreenHeight);
    const std::string_view text = "Время: &11:05.3 &2Игра окончена"_cp;
    for (auto _ : state) game.Letters.DrawText(screen, TimeTextAt.X, TimeTextAt.Y, text, THorzAlign::Left, TVertAlign::Top);
}
BENCHMARK(BM_TimeLine)->Unit(benchmark::kMicrosecond);

void BM_LoadArtwork(benchmark::State& state) {
    for (auto _ : state) {
        TGame game;
        LoadArtwork(game);
        benchmark::DoNotOptimize(game.Surfaces.Count());
    }
}
BENCHMARK(BM_LoadArtwork)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
