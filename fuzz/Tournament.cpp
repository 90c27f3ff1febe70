// Tournament files ("*.tur"): read and checked into a game's table, whose size list and results
// are then built and drawn.

#include "FuzzSupport.h"
#include "game/Game.h"
#include "gfx/ScreenLayout.h"

#include <memory>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    UseQuietUi();
    static const auto game = std::make_unique<TGame>("/nonexistent");  // no dictionary is needed
    static TDirectDrawSurface screen(ScreenWidth, ScreenHeight);
    game->TournamentFile = ScratchFile(Bytes(data, size));
    if (!game->ReadTournament()) return 0;
    game->BuildRatingMenu();
    game->FillSizeList();
    game->DrawResults(screen, PlayResultsAt.X, PlayResultsAt.Y);
    game->SetupGeometry(9, 9, 3, 3);
    return 0;
}
