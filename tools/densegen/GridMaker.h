#pragma once

// Grids for measuring the fill, drawn as rows of "." (letter cell) and "#" (block), made
// deterministically from a seed.
//
// A dense grid is symmetric (the same turned half round), connected, and every letter cell lies
// in an across and a down slot of 3 letters or more, so every letter is shared by two words, as
// in scanwords and blocked English-style crosswords. The blocked style puts blocks on about a
// fifth of the cells and keeps slots short; the open American style uses fewer blocks and lets
// slots run the width of the grid.
//
// A lattice grid is a large open grid of the game's kind: across slots on every other row, down
// slots on every step-th column, both cut by blocks into words. With step 4 the words have 5 to
// 9 letters and every fourth letter of an across word is shared; with step 2 they have 5 to 15
// and every second letter of every word is shared, the denser test.

#include <cstdint>
#include <string>
#include <vector>

using TGridRows = std::vector<std::string>;

enum class TDenseStyle {
    Blocked,       // blocks on about a fifth of the cells, slots of at most 7 letters
    OpenAmerican,  // blocks on about a sixth of the cells, slots as long as the grid
};

// A dense grid of the size; empty when none was found (sides below 5).
TGridRows MakeDenseGrid(int width, int height, TDenseStyle style, uint32_t seed);

// The column steps MakeLatticeGrid knows.
constexpr int LatticeSteps[] = {2, 4};

// A lattice grid of the size (sides of 10 or more) with down lines on every step-th column;
// empty for a step it does not know.
TGridRows MakeLatticeGrid(int width, int height, int step, uint32_t seed);

// The slots of a grid: runs of 2 letter cells or more, across and down.
int CountSlots(const TGridRows& rows);
