#include "Shablon.h"
#include "UsedArea.h"

#include "export/ComExport.h"
#include "platform/Text.h"

#include <algorithm>
#include <cstdint>
#include <limits>

namespace {

constexpr int64_t ExportUnitsPerDrawingUnit = 1000;

bool FitsInt(int64_t v) {
    return v >= std::numeric_limits<int>::min() && v <= std::numeric_limits<int>::max();
}

// Held to the int range, so that absurd style values give absurd pictures, not overflow.
int ClampToInt(int64_t v) {
    return static_cast<int>(std::clamp<int64_t>(v, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

bool KeyWordTableShown(const TShablon& shablon) {
    return shablon.KeyWordAllowed && shablon.ShowKeyWordTable && !shablon.KeyWordCellLook.NoPaint;
}

int64_t CellExportSize(const TShablon& shablon) {
    return int64_t{shablon.CellSize} * shablon.Scale * ExportUnitsPerDrawingUnit;
}

// As wide as the used area, or as the key-word table when that is wider.
int64_t PixelWidth(const TShablon& shablon, const TUsedArea& a) {
    return std::max<int64_t>(a.EndX - a.MinX, shablon.KeyWordTableColumns()) * shablon.CellSize + shablon.GridMargin();
}

int64_t PixelHeight(const TShablon& shablon, const TUsedArea& a) {
    const int64_t table = KeyWordTableShown(shablon) ? 2 * int64_t{shablon.CellSize} : 0;
    return int64_t{a.EndY - a.MinY} * shablon.CellSize + shablon.GridMargin() + table;
}

// How a walk along one side of a cell goes on at the end of that side: the cell ahead, the cell
// diagonally ahead on the outer hand, the side taken when the walk steps onto the diagonal cell,
// and the side taken when it turns round the corner of its own cell.
struct TSideWalk {
    uint8_t Side;
    char Step;
    int AheadX, AheadY;
    int DiagonalX, DiagonalY;
    uint8_t DiagonalSide;
    uint8_t TurnSide;
};

// Indexed by side code: 4 top (walked right), 2 right (down), 1 bottom (left), 8 left (up).
const TSideWalk& WalkOf(uint8_t side) {
    static const TSideWalk Top{4, '6', 1, 0, 1, -1, 8, 2};
    static const TSideWalk Right{2, '2', 0, 1, 1, 1, 4, 1};
    static const TSideWalk Bottom{1, '4', -1, 0, -1, 1, 2, 8};
    static const TSideWalk Left{8, '8', 0, -1, -1, -1, 1, 4};
    switch (side) {
    case 4: return Top;
    case 2: return Right;
    case 1: return Bottom;
    default: return Left;
    }
}

}  // namespace

int TShablon::KeyWordTableColumns() const {
    return KeyWordTableShown(*this) ? static_cast<int>(KeyWordCells.size() / 2) : 0;
}

int TShablon::GridMargin() const {
    return WideOutline.Show && WideOutline.Width >= PenWidth ? WideOutline.Width : PenWidth;
}

bool TShablon::ExportFits() const {
    const TUsedArea a = UsedArea(*this);
    const int64_t columns = std::max<int64_t>(a.EndX - a.MinX, KeyWordTableColumns());
    int64_t rows = a.EndY - a.MinY;
    if (KeyWordTableShown(*this)) rows = std::max<int64_t>(rows, Height + 2);
    const int64_t cell = CellExportSize(*this);
    return FitsInt(columns * cell) && FitsInt(rows * cell) && FitsInt(int64_t{Scale} * PixelWidth(*this, a)) &&
           FitsInt(int64_t{Scale} * PixelHeight(*this, a)) && FitsInt(int64_t{Scale} * GridMargin());
}

int TShablon::GetCellPixelWidth() const {
    return ClampToInt(int64_t{Scale} * CellSize);
}

int TShablon::GetCellPixelHeight() const {
    return ClampToInt(int64_t{Scale} * CellSize);
}

void TShablon::CellToCanvas(int x, int y, int& px, int& py) const {
    const int half = GridMargin() / 2;
    px = ClampToInt(int64_t{Scale} * (int64_t{x} * CellSize + half));
    py = ClampToInt(int64_t{Scale} * (int64_t{y} * CellSize + half));
}

void TShablon::CellToExport(int x, int y, int& ex, int& ey) const {
    ex = ClampToInt(x * CellExportSize(*this));
    ey = ClampToInt(-y * CellExportSize(*this));
}

void TShablon::ExportToCanvas(int ex, int ey, int& px, int& py, bool full) const {
    const int64_t f = int64_t{Scale} * (full ? GridMargin() : GridMargin() / 2);
    px = ClampToInt(ex / ExportUnitsPerDrawingUnit + f);
    py = ClampToInt(-int64_t{ey} / ExportUnitsPerDrawingUnit + f);
}

int TShablon::GetPixelWidth() const {
    return ClampToInt(PixelWidth(*this, UsedArea(*this)));
}

int TShablon::GetPixelHeight() const {
    return ClampToInt(PixelHeight(*this, UsedArea(*this)));
}

int TShablon::GetExportWidth() const {
    const TUsedArea a = UsedArea(*this);
    return ClampToInt((a.EndX - a.MinX) * CellExportSize(*this));
}

int TShablon::GetExportHeight() const {
    const TUsedArea a = UsedArea(*this);
    return ClampToInt((a.EndY - a.MinY) * CellExportSize(*this));
}

void TShablon::TraceOutline(bool withInnerBlanks, std::vector<std::string>& contours) const {
    contours.clear();
    const auto outside = [&](int x, int y) { return x < 0 || y < 0 || x >= Width || y >= Height; };
    const auto filled = [&](int x, int y) { return !outside(x, y) && (IsLetterCell(x, y) || IsClueCell(x, y)); };
    const auto boundary = [&](int x, int y) {
        return outside(x, y) || (!filled(x, y) && !(withInnerBlanks && IsInnerBlank(x, y)));
    };
    // The side codes already walked, per cell.
    std::vector<uint8_t> walked(static_cast<std::size_t>(Width) * Height, 0);
    const auto sidesAt = [&](int x, int y) -> uint8_t& { return walked[static_cast<std::size_t>(x) * Height + y]; };

    const auto walk = [&](int x, int y, uint8_t side) {
        std::string contour{static_cast<char>(x), static_cast<char>(y), static_cast<char>(side)};
        do {
            const TSideWalk& w = WalkOf(side);
            contour += w.Step;
            sidesAt(x, y) |= side;
            const int aheadX = x + w.AheadX, aheadY = y + w.AheadY;
            const int diagonalX = x + w.DiagonalX, diagonalY = y + w.DiagonalY;
            if (outside(aheadX, aheadY)) {
                side = w.TurnSide;
            } else if (outside(diagonalX, diagonalY) || !filled(diagonalX, diagonalY)) {
                if (filled(aheadX, aheadY)) {
                    x = aheadX;
                    y = aheadY;
                } else {
                    side = w.TurnSide;
                }
            } else {
                x = diagonalX;
                y = diagonalY;
                side = w.DiagonalSide;
            }
        } while (!(sidesAt(x, y) & side));
        return contour;
    };

    struct TStartSide {
        uint8_t Side;
        int Dx, Dy;
    };
    // Sides are tried top, bottom, left, right.
    constexpr TStartSide StartSides[] = {{4, 0, -1}, {1, 0, 1}, {8, -1, 0}, {2, 1, 0}};
    for (int y = 0; y < Height; ++y)
        for (int x = 0; x < Width; ++x) {
            if (!filled(x, y)) continue;
            for (const TStartSide& s : StartSides)
                if (boundary(x + s.Dx, y + s.Dy) && !(sidesAt(x, y) & s.Side)) contours.push_back(walk(x, y, s.Side));
        }
}

void TShablon::ExportOutline(TComExport& list, int x0, int y0) const {
    std::vector<std::string> contours;
    TraceOutline(WideOutline.OutlineOnly, contours);
    for (const std::string& contour : contours)
        list.AddOutline(static_cast<uint8_t>(contour[0]), static_cast<uint8_t>(contour[1]), x0, y0,
                        std::string_view(contour).substr(2));
}

void TShablon::BuildExport(TComExport& list) {
    NumberCells();
    MarkInnerBlanks();
    const TUsedArea a = UsedArea(*this);
    // A picture whose positions wrap round would be garbage; it stays empty instead.
    if (!ExportFits()) return;

    list.AddCaption("Экспорт в формате CDR. Шаблон..."_cp);
    if (!BackgroundPicture.empty()) list.AddBackground(BackgroundPicture);
    if (WideOutline.Show) ExportOutline(list, a.MinX, a.MinY);

    const bool keyWordPainted = !KeyWordCellLook.NoPaint;
    const auto isKeyWordCell = [&](int x, int y) { return keyWordPainted && KeyWordNumberAt(x, y) >= 0; };
    const auto forEachUsedCell = [&](auto&& visit) {
        for (int x = a.MinX; x < a.EndX; ++x)
            for (int y = a.MinY; y < a.EndY; ++y) visit(x, y);
    };
    forEachUsedCell([&](int x, int y) {
        if (!IsLetterCell(x, y)) ExportCell(x, y, a.MinX, a.MinY, list);
    });
    forEachUsedCell([&](int x, int y) {
        if (IsLetterCell(x, y) && !isKeyWordCell(x, y)) ExportCell(x, y, a.MinX, a.MinY, list);
    });
    if (UsesWalls) forEachUsedCell([&](int x, int y) { ExportCellOverlay(x, y, a.MinX, a.MinY, list); });
    if (keyWordPainted)
        forEachUsedCell([&](int x, int y) {
            if (IsLetterCell(x, y) && isKeyWordCell(x, y)) ExportCell(x, y, a.MinX, a.MinY, list);
        });

    if (!KeyWordTableShown(*this)) return;
    int cellX = 0, cellY = 0;
    for (int n = 1; KeyWordCell(n, cellX, cellY); ++n) {
        int ex = 0, ey = 0;
        CellToExport(n - 1, Height + 1, ex, ey);
        list.AddKeyWordNumber(ex, ey, cellX, cellY);
    }
}
