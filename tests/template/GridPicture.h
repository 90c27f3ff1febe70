#pragma once

// Test fixtures drawn as text: one string per row, "#" a block and any other character a
// letter cell, so a test shows its grid at a glance.

#include "template/Shablon.h"

#include <string>
#include <vector>

using GridPicture = std::vector<std::string>;

// Sets the template to the picture's size and cells.
inline void DrawGrid(TShablon& shablon, const GridPicture& rows) {
    const int height = static_cast<int>(rows.size());
    const int width = height == 0 ? 0 : static_cast<int>(rows[0].size());
    shablon.SetSize(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) shablon.SetLetterCellOnly(x, y, rows[y][x] != '#');
}

// The template's cells as a picture ("." letter cells).
inline GridPicture PictureOf(const TShablon& shablon) {
    GridPicture rows(shablon.Height, std::string(shablon.Width, '#'));
    for (int y = 0; y < shablon.Height; ++y)
        for (int x = 0; x < shablon.Width; ++x)
            if (shablon.IsLetterCell(x, y)) rows[y][x] = '.';
    return rows;
}
