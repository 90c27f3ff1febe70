#pragma once

// Walls on cell sides (attribute A: 1 below, 2 right, 4 above, 8 left), shared by the templates
// whose words are separated by walls instead of blocked cells (the Estonian and American ones,
// and the chainword): the filter that keeps a wall only between letter cells, its mirror images,
// the wall margin and the cells' export items.

#include "template/Shablon.h"

namespace WallBit {
constexpr int Below = 1;
constexpr int Right = 2;
constexpr int Above = 4;
constexpr int Left = 8;
}  // namespace WallBit

// The wall bits of walls whose neighbour across is a letter cell inside the grid.
int FilterWalls(const TShablon& shablon, int x, int y, int walls);

// The walls seen from the mirror image across the given axes: left and right swap across a
// vertical axis (MirrorX), above and below across a horizontal one (MirrorY).
int MirrorWalls(int walls, bool acrossX, bool acrossY);

// Calls set(cx, cy, bits) for (x, y) and each of its mirror images with the walls mirrored; a
// cell that is its own mirror image gets the union of the walls that fall on it.
template <class TSet>
void ForWallImages(const TShablon& shablon, int x, int y, int walls, TSet&& set) {
    struct Image {
        int x, y, walls;
    };
    Image images[4]{};
    int count = 0;
    const auto add = [&](int cx, int cy, int bits) {
        for (int i = 0; i < count; ++i)
            if (images[i].x == cx && images[i].y == cy) {
                images[i].walls |= bits;
                return;
            }
        images[count++] = {cx, cy, bits};
    };
    add(x, y, walls);
    if (shablon.SymmetryOn()) {
        const bool mx = shablon.MirrorX.Enabled, my = shablon.MirrorY.Enabled;
        if (mx) add(shablon.MirrorX.MirrorOf(x), y, MirrorWalls(walls, true, false));
        if (my) add(x, shablon.MirrorY.MirrorOf(y), MirrorWalls(walls, false, true));
        if (mx && my) add(shablon.MirrorX.MirrorOf(x), shablon.MirrorY.MirrorOf(y), MirrorWalls(walls, true, true));
    }
    for (int i = 0; i < count; ++i) set(images[i].x, images[i].y, images[i].walls);
}

// True when a word running right from (x, y) may go on into (x + 1, y): no wall between them.
bool OpenToRight(const TShablon& shablon, int x, int y);
// The same downward, into (x, y + 1).
bool OpenBelow(const TShablon& shablon, int x, int y);

// The wall width: the pen width times the wall factor, rounded.
int WallWidth(const TShablon& shablon);
// True when the walls, not the outline or the pen, set the margin round the grid: the outline is
// not shown or is thinner than a wall.
bool WallsSetMargin(const TShablon& shablon);
// The margin round the grid in drawing units (before Scale): the wall width when the walls set
// it, else the base margin.
int WallMargin(const TShablon& shablon);
// How much wider and higher the picture is when the walls set the margin.
int WallPictureExtra(const TShablon& shablon);

// The cell item of (x, y): the key-word item for a painted key-word cell, else the letter-cell
// item; a non-letter cell only when it is an inner blank or the outside is shown.
void ExportWallCell(const TShablon& shablon, int x, int y, int x0, int y0, TComExport& list);
// Over a letter cell: its walls item when it has walls, its number item when it is numbered.
void ExportWallOverlay(const TShablon& shablon, int x, int y, int x0, int y0, TComExport& list);
