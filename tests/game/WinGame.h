#pragma once

#include "game/Game.h"

// Wins the running game as a player would finish it: the solution laid out, then one shard
// picked up and dropped back onto its slot (the drop that tests for completion).
inline void WinByLastDrop(TGame& game) {
    game.GiveUp();
    game.GameOver = false;
    const int x = game.BoardSlotLeft(0) + 1, y = game.BoardSlotTop(0) + 1;
    game.PickUp(x, y);
    game.Drop(x, y);
}
