#pragma once

// The game's two sounds, made by the program itself as RIFF WAVE bytes.

#include <cstdint>
#include <vector>

// A soft falling tone: a shard goes back to the tray.
std::vector<uint8_t> ReturnBlockWave();
// A short crisp click: a shard snaps into a slot.
std::vector<uint8_t> BlockSetWave();
