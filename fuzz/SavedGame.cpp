// Saved games ("*.sav"): read into a game, which is then drawn, played (every shard picked up
// and dropped on the board), saved again and given up.

#include "FuzzSupport.h"
#include "game/Game.h"
#include "gfx/ScreenLayout.h"

#include <memory>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    UseQuietUi();
    static const auto game = std::make_unique<TGame>("/nonexistent");  // no dictionary is needed
    static TDirectDrawSurface screen(ScreenWidth, ScreenHeight);
    if (!game->LoadSaved(Bytes(data, size))) return 0;
    game->SetScreen(ScreenPlay);
    game->DrawPlay(screen);
    for (int c = 0; c < game->ShardCols; ++c)
        for (int r = 0; r < game->ShardRows; ++r) {
            const TShardSlot& slot = game->Tray[c][r];
            game->PickUp(slot.X + TrayFrameInset, slot.Y + TrayFrameInset);
            game->Drop(game->BoardSlotLeft(c), game->BoardSlotTop(r));
        }
    game->HintUsed = true;
    game->DrawPlay(screen);
    game->SaveGameText();
    game->GiveUp();
    game->DrawPlay(screen);
    return 0;
}
