// zelvana_screenshots: draws the game's screens on a headless surface exactly as the game does
// and writes each as a PNG file, so the artwork can be looked at without playing.
// Usage (in the directory holding graph.col, font.col and rekl.col):
//   zelvana_screenshots OUT_DIR [GRID_FILE]
// GRID_FILE holds a filled 12 x 12 crossword, one UTF-8 row per line with "#" for a block; a
// built-in grid is used without it.

#include "banner/Reklama.h"
#include "game/Game.h"
#include "gfx/GraphicsLoader.h"
#include "gfx/ScreenLayout.h"
#include "platform/ArtCanvas.h"
#include "platform/Clock.h"
#include "platform/Text.h"

#include <cstdio>
#include <fstream>
#include <vector>

namespace {

constexpr int GridSize = 12;

const char* const BuiltInGrid[GridSize] = {
    "ПАРОХОД#СТОЛ", "А#О#О#Е#Л#О#", "РЕКА#ЛЕТО#РЫ", "К#А#ОКНО#ВАЗ", "#СЛОН#ТАРА#А", "ЛИСА#БОР#ТОН",
    "У#Т#ЛУК#ЛАК#", "КОТ#ОСА#ЕЛЬ#", "#Р#ЖУК#ПАР#К", "СОК#К#МИР#ЛО", "#Г#ДОМ#ЛЕС#Т", "ГОРА#ЧАЙ#СОН",
};

// The rows of the grid in code page 1251, "*" for a block; empty when the file is unusable.
std::vector<std::string> ReadGrid(const char* path) {
    std::vector<std::string> rows;
    if (!path) {
        for (const char* row : BuiltInGrid) rows.push_back(FromUtf8(row));
    } else {
        std::ifstream in(path);
        for (std::string line; std::getline(in, line) && static_cast<int>(rows.size()) < GridSize;)
            rows.push_back(FromUtf8(line));
    }
    for (auto& row : rows) {
        if (static_cast<int>(row.size()) != GridSize) return {};
        for (char& c : row)
            if (c == '#') c = '*';
    }
    return static_cast<int>(rows.size()) == GridSize ? rows : std::vector<std::string>();
}

class TScreenshots {
public:
    TScreenshots(std::string outDir) : mOutDir(std::move(outDir)) {
        LoadGraphics(mGame.Surfaces, "graph.col");
        LoadFont(mGame.Letters, "font.col");
        mBanner.FileName = "rekl.col";
        mBanner.LoadFromFile();
    }

    bool SimpleMenu() {
        mGame.BuildSimpleMenu();
        mGame.SetScreen(ScreenSimpleMenu);
        return Capture("1-simple-menu", false);
    }

    bool Generating() {
        mGame.SetScreen(ScreenGenerating);
        return Capture("2-generating", false);
    }

    bool RatingMenu() {
        mGame.SimpleMode = false;
        mGame.InitTournament();
        mGame.Tournament[0].Order = 0;
        mGame.Tournament[0].Seconds = 83;
        mGame.Tournament[0].Points = 157;
        mGame.Tournament[1].Order = 1;
        mGame.Tournament[1].Seconds = 131;
        mGame.Tournament[1].Points = 409;
        mGame.Rating = 566;
        mGame.BuildRatingMenu();
        TBrevSelector* size = mGame.Controls.FindSelector("SIZE");
        for (const TTournamentEntry& entry : mGame.Tournament)
            if (!entry.Played()) size->Items.push_back(Format("%dx%d (%dx%d)", entry.W, entry.H, entry.w, entry.h));
        mGame.SetScreen(ScreenRatingMenu);
        mGame.SetReady(true);
        return Capture("3-rating-menu", false);
    }

    // A 12 x 12 game with 3 x 4 shards, half of them placed, one in the hand.
    bool Play(const std::vector<std::string>& grid) {
        mGame.SimpleMode = true;
        mGame.SetupGeometry(GridSize, GridSize, 3, 4);
        for (int sc = 0; sc < mGame.ShardCols; ++sc)
            for (int sr = 0; sr < mGame.ShardRows; ++sr)
                for (int cx = 0; cx < 3; ++cx)
                    for (int cy = 0; cy < 4; ++cy)
                        mGame.ShardLetters[sc * mGame.ShardRows + sr][cx][cy] = grid[sr * 4 + cy][sc * 3 + cx];
        mGame.DealShards();
        mGame.ResetBoard();
        for (const int id : {0, 1, 3, 4, 6}) {
            mGame.TakeShard(id);
            mGame.PutShard(id, id / mGame.ShardRows, id % mGame.ShardRows, TPutKind::Board);
        }
        mGame.BuildPlayButtons();
        mGame.SetScreen(ScreenPlay);
        mGame.StartTick = TickCount() - 83400;
        mGame.MouseX = mGame.BoardSlotLeft(2) + 30;
        mGame.MouseY = mGame.BoardSlotTop(1) + 40;
        for (int tick = 0; tick < 20; ++tick) mGame.Step();
        // The last tray slot that holds a shard gives one into the hand, carried towards the board.
        for (int c = mGame.ShardCols - 1, picked = 0; c >= 0 && !picked; --c)
            for (int r = mGame.ShardRows - 1; r >= 0 && !picked; --r)
                if (mGame.Tray[c][r].Shard >= 0) {
                    const int x = mGame.Tray[c][r].X + 20, y = mGame.Tray[c][r].Y + 20;
                    mGame.PickUp(x, y);
                    mGame.MouseX = x - 150;
                    mGame.MouseY = y + 20;
                    picked = 1;
                }
        return Capture("4-play", true);
    }

    bool Victory() {
        mGame.CancelDrag();
        for (int id = 0; id < mGame.ShardCols * mGame.ShardRows; ++id) {
            mGame.TakeShard(id);
            mGame.PutShard(id, id / mGame.ShardRows, id % mGame.ShardRows, TPutKind::Board);
        }
        mGame.CheckSolved();
        mGame.EndTick = TickCount() - 6000;  // the spiral has settled
        return Capture("5-victory", true);
    }

private:
    bool Capture(const std::string& name, bool play) {
        if (play)
            mGame.DrawPlay(mScreen);
        else
            mGame.DrawMenu(mScreen);
        if (const TDIB* picture = mBanner.CurrentPicture())
            TDirectDrawSurface(*picture).Draw(mScreen, BannerLeft, BannerCentreY - picture->Height() / 2, TBlit::Opaque);
        const std::string path = mOutDir + "/" + name + ".png";
        if (!WritePngFile(mScreen.Image(), path)) {
            std::fprintf(stderr, "zelvana_screenshots: cannot write %s\n", path.c_str());
            return false;
        }
        std::printf("%s\n", path.c_str());
        return true;
    }

    std::string mOutDir;
    TGame mGame;
    TReklama mBanner;
    TDirectDrawSurface mScreen{ScreenWidth, ScreenHeight};
};

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2 || argc > 3) {
        std::fprintf(stderr, "usage: %s OUT_DIR [GRID_FILE]\n", argv[0]);
        return 2;
    }
    const std::vector<std::string> grid = ReadGrid(argc == 3 ? argv[2] : nullptr);
    if (grid.empty()) {
        std::fprintf(stderr, "zelvana_screenshots: %s does not hold a filled 12 x 12 grid\n", argv[2]);
        return 2;
    }
    TScreenshots shots(argv[1]);
    const bool ok = shots.SimpleMenu() && shots.Generating() && shots.RatingMenu() && shots.Play(grid) && shots.Victory();
    return ok ? 0 : 1;
}
