#pragma once

// Scanword fixtures: arrows written as the cell and the codes of attribute B, and a small
// lattice of four words with a clue cell for each.

#include "../template/GridPicture.h"

#include "template/Shablon.h"

#include <vector>

struct TArrow {
    int X;
    int Y;
    int Bits;
};

// Attribute B of a vertical (V) and a horizontal (H) arrow code.
constexpr int V(int code) {
    return code;
}
constexpr int H(int code) {
    return code << 3;
}

// Across words on rows 1 and 3, down words in columns 1 and 3.
inline const GridPicture Lattice = {"#####", "#....", "#.#.#", "#....", "#####"};
// Both words of (1, 1) take their clue from the corner, the down word of column 3 from above,
// the across word of row 3 from the left.
inline const std::vector<TArrow> LatticeArrows = {{1, 1, V(2) | H(2)}, {3, 1, V(1)}, {1, 3, H(3)}};

// Draws the grid, gives it the arrows and nothing else, and numbers it.
inline void DrawScanword(TShablon& shablon, const GridPicture& grid, const std::vector<TArrow>& arrows,
                         bool canUnite) {
    DrawGrid(shablon, grid);
    for (const TArrow& arrow : arrows) shablon.SetAttrB(arrow.X, arrow.Y, arrow.Bits);
    shablon.CanUnite = canUnite;
    shablon.NumberCells();
}
