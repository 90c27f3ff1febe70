// The commands of the on-screen buttons, run once per frame tick for the buttons whose click
// completed. Screen changes and the making of a puzzle are collected during the walk and
// carried out once after it.

#include "Main.h"

#include "platform/FileText.h"

namespace {

constexpr std::size_t SavedGameReadLimit = 5000;

TScreen MenuOf(const TGame& game) {
    return game.SimpleMode ? ScreenSimpleMenu : ScreenRatingMenu;
}

}  // namespace

bool TfmMain::ProcessButtons() {
    TGame& game = *mGame;
    if (!game.Buttons.TickAll()) return false;
    bool createPuzzle = false;
    std::optional<TScreen> screen;
    for (int i = 0; i < game.Buttons.Count(); ++i)
        if (game.Buttons.ButtonAt(i)->Clicked()) RunCommand(game.Buttons.NameAt(i), createPuzzle, screen);

    if (createPuzzle) {
        game.SetScreen(ScreenGenerating);
        const TSize size = game.GetCrossSize();
        // A creation that failed (its message was shown) goes back to the menu instead of
        // leaving the player on a generating screen with nothing running.
        if (!game.CreatePuzzle(size.Width, size.Height)) game.SetScreen(MenuOf(game));
    }
    if (screen) ChangeScreen(*screen);
    return true;
}

void TfmMain::RunCommand(const std::string& name, bool& createPuzzle, std::optional<TScreen>& screen) {
    TGame& game = *mGame;
    if (name == "BT_CLOSE") {
        if (game.GameOver) {
            screen = MenuOf(game);
        } else {
            game.GiveUp();
            screen = ScreenPlay;
        }
    } else if (name == "BT_CREATE" || name == "BT_CREATE2") {
        if (game.Filling)
            game.SetFilling(false);
        else
            createPuzzle = true;
    } else if (name == "BT_RATING" || name == "BT_SIMPLE") {
        // A puzzle being made for one mode's size is never started in the other mode.
        game.SetFilling(false);
        if (name == "BT_RATING") game.RememberSizes();
        game.SetReady(false);
        game.SimpleMode = name == "BT_SIMPLE";
        screen = MenuOf(game);
    } else if (name == "BT_LOAD") {
        const auto path = TheUi().ChooseOpenFile(opDialog);
        std::string text;
        if (path && ReadFileText(*path, text, SavedGameReadLimit) && game.LoadSaved(text)) screen = ScreenPlay;
    } else if (name == "BT_LOAD2") {
        if (const auto path = TheUi().ChooseOpenFile(opTurnir)) {
            game.TournamentFile = *path;
            game.SetReady(false);
            screen = ScreenRatingMenu;
        }
    } else if (name == "BT_SAVE") {
        game.CancelDrag();
        if (const auto path = TheUi().ChooseSaveFile(svDialog)) WriteFileText(*path, game.SaveGameText());
    } else if (name == "BT_BEGIN") {
        // The menu may have changed since the press (a size stepped within the click's
        // countdown): only a puzzle made for what the menu shows now is started.
        const TSize shard = game.GetShardSize();
        if (!game.StartGame(shard.Width, shard.Height)) return;
        game.RememberSizes();
        screen = ScreenPlay;
    } else if (name == "BT_BEGIN2") {
        if (!game.PuzzleFitsChoice()) return;
        if (game.TournamentFile.empty())
            if (const auto path = TheUi().ChooseSaveFile(svTurnir)) game.TournamentFile = *path;
        if (game.TournamentFile.empty()) return;
        const TSize shard = game.GetShardSize();
        if (!game.StartGame(shard.Width, shard.Height)) return;
        screen = ScreenPlay;
        game.WriteTournament();
    } else if (name == "BT_LEFT") {
        game.ShiftBoard(-1, 0);
    } else if (name == "BT_RIGHT") {
        game.ShiftBoard(1, 0);
    } else if (name == "BT_UP") {
        game.ShiftBoard(0, -1);
    } else if (name == "BT_DOWN") {
        game.ShiftBoard(0, 1);
    } else if (name == "BT_CLEAR") {
        game.ClearBoard();
    } else if (name == "BT_HINT") {
        game.HintUsed = true;
        screen = ScreenPlay;
    }
}

void TfmMain::ChangeScreen(TScreen s) {
    TGame& game = *mGame;
    switch (s) {
        case ScreenSimpleMenu: {
            game.BuildSimpleMenu();
            // The shard sizes follow the template size the selector really shows, so the two
            // never disagree (a remembered size the list lacks keeps the selector's choice).
            if (TBrevSelector* crossSize = game.Controls.FindSelector("CROSSSIZE"))
                crossSize->SetValue(SizeText({game.LastSize[0], game.LastSize[1]}));
            CrossSizeChanged();
            if (TBrevSelector* blockSize = game.Controls.FindSelector("BLOCKSIZE"))
                blockSize->SetValue(SizeText({game.LastSize[2], game.LastSize[3]}));
            game.SetReady(false);
            break;
        }
        case ScreenRatingMenu:
            game.SetReady(false);
            game.BuildRatingMenu();
            game.InitTournament();
            if (!game.TournamentFile.empty() && !game.ReadTournament()) {
                // A broken file starts a fresh tournament, and a fresh tournament has no points.
                game.TournamentFile.clear();
                game.InitTournament();
                game.Rating = 0;
            }
            game.FillSizeList();
            break;
        case ScreenPlay:
            game.BuildPlayButtons();
            break;
        case ScreenGenerating:
            break;
    }
    game.SetScreen(s);
}
