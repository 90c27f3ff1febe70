#pragma once

// The shape of a game template while it is being made: letter cells and blocks in a grid, and
// the rules a game template keeps.
//   - symmetric: the grid turned half round is the same grid;
//   - every letter cell lies in an across or a down slot, and every slot has 3 letters or more
//     (a run of exactly two letter cells is forbidden);
//   - the letter cells are connected, and every row and every column holds one, so the
//     template really has its size;
//   - almost every shard the game may cut from it holds a letter.

#include <cstdint>
#include <string>
#include <vector>

struct TGridShape {
    int Width = 0;
    int Height = 0;
    std::vector<uint8_t> Letters;  // [y * Width + x]: 1 for a letter cell

    TGridShape() = default;
    TGridShape(int width, int height) : Width(width), Height(height), Letters(width * height, 0) {}

    bool IsLetter(int x, int y) const {
        return x >= 0 && y >= 0 && x < Width && y < Height && Letters[y * Width + x] != 0;
    }
    // Sets the cell and its partner in the half-turned grid.
    void SetSymmetric(int x, int y, bool letter) {
        Letters[y * Width + x] = letter ? 1 : 0;
        Letters[(Height - 1 - y) * Width + (Width - 1 - x)] = letter ? 1 : 0;
    }
    int LetterCount() const;
    // The grid as rows of "." (letter cell) and "#" (block).
    std::vector<std::string> Picture() const;
};

// The shard sizes the game offers for a template size ("3x3", "4x3", "3x4", "4x4" by what
// divides the sides), as (width, height) pairs.
std::vector<std::pair<int, int>> ShardSizesFor(int width, int height);

// The share of shards, over every shard size the game offers, that hold a letter cell.
double ShardCoverage(const TGridShape& shape);

// The shards of every offered size must nearly all hold letters.
constexpr double MinShardCoverage = 0.9;

// The number of slots of each length (index = length; runs of 2 letter cells or more).
std::vector<int> SlotLengths(const TGridShape& shape);

// True when the shape keeps every rule above.
bool KeepsTheRules(const TGridShape& shape);
