#include "Walls.h"

#include "export/ComExport.h"
#include "template/ShablonDrawing.h"

namespace {

// A neighbour outside the grid is no letter cell, whatever the array holds there.
bool LetterCellInGrid(const TShablon& shablon, int x, int y) {
    return !shablon.IsOutside(x, y) && shablon.IsLetterCell(x, y);
}

}  // namespace

int FilterWalls(const TShablon& shablon, int x, int y, int walls) {
    int kept = 0;
    if ((walls & WallBit::Below) && LetterCellInGrid(shablon, x, y + 1)) kept |= WallBit::Below;
    if ((walls & WallBit::Right) && LetterCellInGrid(shablon, x + 1, y)) kept |= WallBit::Right;
    if ((walls & WallBit::Above) && LetterCellInGrid(shablon, x, y - 1)) kept |= WallBit::Above;
    if ((walls & WallBit::Left) && LetterCellInGrid(shablon, x - 1, y)) kept |= WallBit::Left;
    return kept;
}

int MirrorWalls(int walls, bool acrossX, bool acrossY) {
    int mirrored = walls & 0xFF;
    const auto swap = [&](int a, int b) {
        const int both = mirrored & (a | b);
        mirrored &= ~(a | b);
        if (both & a) mirrored |= b;
        if (both & b) mirrored |= a;
    };
    if (acrossX) swap(WallBit::Right, WallBit::Left);
    if (acrossY) swap(WallBit::Below, WallBit::Above);
    return mirrored;
}

bool OpenToRight(const TShablon& shablon, int x, int y) {
    return !(shablon.GetAttrA(x, y) & WallBit::Right) && !(shablon.GetAttrA(x + 1, y) & WallBit::Left);
}

bool OpenBelow(const TShablon& shablon, int x, int y) {
    return !(shablon.GetAttrA(x, y) & WallBit::Below) && !(shablon.GetAttrA(x, y + 1) & WallBit::Above);
}

int WallWidth(const TShablon& shablon) {
    return RoundEven(shablon.PenWidth * static_cast<double>(shablon.WallScale));
}

bool WallsSetMargin(const TShablon& shablon) {
    return !shablon.WideOutline.Show || shablon.WideOutline.Width < WallWidth(shablon);
}

int WallMargin(const TShablon& shablon) {
    return WallsSetMargin(shablon) ? WallWidth(shablon) : shablon.GridMargin();
}

int WallPictureExtra(const TShablon& shablon) {
    if (!WallsSetMargin(shablon)) return 0;
    const double wall = shablon.PenWidth * static_cast<double>(shablon.WallScale);
    return RoundEven((2 * wall - shablon.PenWidth) * shablon.Scale);
}

void ExportWallCell(const TShablon& shablon, int x, int y, int x0, int y0, TComExport& list) {
    if (shablon.IsOutside(x, y)) return;
    int ex = 0, ey = 0;
    shablon.CellToExport(x - x0, y - y0, ex, ey);
    if (shablon.IsLetterCell(x, y)) {
        if (!shablon.KeyWordCellLook.NoPaint && shablon.KeyWordNumberAt(x, y) >= 0)
            list.AddKeyWordNumber(ex, ey, x, y);
        else
            list.AddCell(ex, ey, false, CellKind::Letter);
    } else if (shablon.BlankCellLook.ShowOutside || shablon.IsInnerBlank(x, y)) {
        list.AddCell(ex, ey, false, CellKind::Other);
    }
}

void ExportWallOverlay(const TShablon& shablon, int x, int y, int x0, int y0, TComExport& list) {
    if (shablon.IsOutside(x, y) || !shablon.IsLetterCell(x, y)) return;
    int ex = 0, ey = 0;
    shablon.CellToExport(x - x0, y - y0, ex, ey);
    if (shablon.HasAttrA(x, y) && shablon.GetAttrA(x, y) != 0) list.AddWalls(ex, ey, shablon.GetAttrA(x, y));
    if (shablon.IsNumbered(x, y)) list.AddNumber(ex, ey, shablon.GetNumber(x, y));
}
