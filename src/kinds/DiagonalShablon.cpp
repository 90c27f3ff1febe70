#include "DiagonalShablon.h"

#include "export/ComExport.h"
#include "export/ScriptWriter.h"
#include "platform/Bitmap.h"
#include "platform/Canvas.h"
#include "platform/Text.h"
#include "platform/Ui.h"
#include "template/Coord.h"
#include "template/CoordList.h"
#include "template/ShablonDrawing.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>

namespace {

constexpr char LetterCellByte = 0x01;
constexpr char OtherCellByte = 0x02;
constexpr double ExportUnits = 1000;

using namespace ViewLook;
constexpr int MarkSide = 4;

int ClampToInt(double v) {
    constexpr double Lowest = std::numeric_limits<int>::min(), Highest = std::numeric_limits<int>::max();
    return static_cast<int>(std::clamp(v, Lowest, Highest));
}

// Lattice units of n cell sides: n over the square root of 2, rounded.
int LatticeUnits(double n) {
    return RoundEven(n / std::numbers::sqrt2);
}

// How a walk along one side of a diamond goes on at the side's end: the neighbour across the
// side (the walk's outer hand), the cell straight ahead, the cell beyond the corner on the outer
// hand, the side taken on that cell, and the side taken when the walk turns round its own cell.
struct TDiamondSide {
    uint8_t Side;
    char Step;
    int AcrossX, AcrossY;
    int AheadX, AheadY;
    int BeyondX, BeyondY;
    uint8_t BeyondSide;
    uint8_t TurnSide;
    int FirstCornerX, FirstCornerY;  // lattice offset of the side's first corner from the cell
};

constexpr TDiamondSide DiamondSides[] = {
    {16, '9', -1, -1, 1, -1, 0, -2, 128, 32, 0, 1},
    {32, '3', 1, -1, 1, 1, 2, 0, 16, 64, 1, 0},
    {64, '1', 1, 1, -1, 1, 0, 2, 32, 128, 2, 1},
    {128, '7', -1, 1, -1, -1, -2, 0, 64, 16, 1, 2},
};

const TDiamondSide* SideOf(uint8_t code) {
    for (const TDiamondSide& side : DiamondSides)
        if (side.Side == code) return &side;
    return nullptr;
}

}  // namespace

TDiagonalShablon::TDiagonalShablon(int width, int height) : TShablon(width, height, TShablonKind::Diagonal) {
    UsesDigits = true;
}

int TDiagonalShablon::GetCellPixelWidth() const {
    return ClampToInt(std::nearbyint(static_cast<double>(Scale) * CellSize * std::numbers::sqrt2));
}

int TDiagonalShablon::GetCellPixelHeight() const {
    return GetCellPixelWidth();
}

void TDiagonalShablon::CellToCanvas(int x, int y, int& px, int& py) const {
    const double half = GridMargin() / 2;
    px = ClampToInt(static_cast<double>(Scale) * (LatticeUnits(static_cast<double>(x) * CellSize) + half));
    py = ClampToInt(static_cast<double>(Scale) * (LatticeUnits(static_cast<double>(y) * CellSize) + half));
}

void TDiagonalShablon::CellToExport(int x, int y, int& ex, int& ey) const {
    const double unit = static_cast<double>(CellSize) * Scale * ExportUnits / std::numbers::sqrt2;
    ex = ClampToInt(std::nearbyint(x * unit));
    ey = ClampToInt(std::nearbyint(-y * unit));
}

int TDiagonalShablon::GetPixelWidth() const {
    int minX, minY, endX, endY;
    GetUsedBounds(minX, minY, endX, endY);
    return ClampToInt(static_cast<double>(LatticeUnits(static_cast<double>(endX - minX + 1) * CellSize)) + GridMargin());
}

int TDiagonalShablon::GetPixelHeight() const {
    int minX, minY, endX, endY;
    GetUsedBounds(minX, minY, endX, endY);
    return ClampToInt(static_cast<double>(LatticeUnits(static_cast<double>(endY - minY + 1) * CellSize)) + GridMargin());
}

void TDiagonalShablon::WordsThroughCell(int x, int y, TShablonWords& words) const {
    words.Clear();
    if (IsOutside(x, y) || !IsLetterCell(x, y)) return;
    const auto letterAt = [&](int cx, int cy) { return !IsOutside(cx, cy) && IsLetterCell(cx, cy); };
    // The run along direction (dx, 1) through (x, y), walked back up first.
    const auto addRun = [&](int dx, char step) {
        int sx = x, sy = y;
        while (letterAt(sx - dx, sy - 1)) sx -= dx, --sy;
        int length = 1;
        while (letterAt(sx + length * dx, sy + length)) ++length;
        if (length > 1) words.AddWord(sx, sy, length, std::string(length - 1, step));
    };
    addRun(1, '3');
    addRun(-1, '1');
}

bool TDiagonalShablon::ParseTemplate(std::string_view text, int x0, int y0) {
    if (text.size() < 3) {
        TheUi().Message("Неверный формат шаблона!"_cp);
        return false;
    }
    if (SmallNumberOf(text[0]) != static_cast<int>(TShablonKind::Diagonal)) {
        TheUi().Message("Несовместимый тип шаблона!"_cp);
        return false;
    }
    const int w = SmallNumberOf(text[1]);
    const int h = SmallNumberOf(text[2]);
    ClearRect(x0, y0, x0 + w - 1, y0 + h - 1, false);
    std::size_t p = 3;
    for (int x = x0; x < x0 + w; ++x)
        for (int y = y0; y < y0 + h; ++y, ++p) {
            if (p >= text.size()) {
                TheUi().Message("Неверный формат шаблона!"_cp);
                return false;
            }
            if (x < Width && y < Height) SetLetterCell(x, y, text[p] == LetterCellByte);
        }
    return true;
}

std::string TDiagonalShablon::SerializeTemplate(int x0, int y0, int x1, int y1) const {
    std::string text;
    text += SmallNumberChar(static_cast<int>(Kind));
    text += SmallNumberChar(x1 - x0 + 1);
    text += SmallNumberChar(y1 - y0 + 1);
    for (int x = x0; x <= x1; ++x)
        for (int y = y0; y <= y1; ++y) text += IsLetterCell(x, y) ? LetterCellByte : OtherCellByte;
    return text;
}

void TDiagonalShablon::NumberCells() {
    TShablonWords words;
    int counter = 1;
    for (int y = 0; y < Height; ++y)
        for (int x = 0; x < Width; ++x) {
            SetNumbered(x, y, false);
            if (!IsUsedCell(x, y)) {
                SetLetterCellOnly(x, y, false);
                continue;
            }
            if (!IsLetterCell(x, y)) continue;
            WordsThroughCell(x, y, words);
            for (int i = 0; i < words.Count(); ++i)
                if (words.WordX(i) == x && words.WordY(i) == y) {
                    SetNumber(x, y, counter++);
                    break;
                }
        }
}

void TDiagonalShablon::MarkInnerBlanks() {
    for (int x = 0; x < Width; ++x)
        for (int y = 0; y < Height; ++y)
            if (!IsLetterCell(x, y)) SetInnerBlank(x, y, true);

    std::vector<std::pair<int, int>> stack;
    const auto open = [&](int x, int y) { return !IsOutside(x, y) && !IsLetterCell(x, y) && IsInnerBlank(x, y); };
    const auto fillFrom = [&](int seedX, int seedY) {
        if (!open(seedX, seedY)) return;
        stack.push_back({seedX, seedY});
        while (!stack.empty()) {
            const auto [x, y] = stack.back();
            stack.pop_back();
            if (!open(x, y)) continue;
            SetInnerBlank(x, y, false);
            for (const int dx : {-1, 1})
                for (const int dy : {-1, 1})
                    if (open(x + dx, y + dy)) stack.push_back({x + dx, y + dy});
        }
    };
    for (int x = 0; x < Width; ++x) {
        fillFrom(x, 0);
        fillFrom(x, Height - 1);
    }
    for (int y = 0; y < Height; ++y) {
        fillFrom(0, y);
        fillFrom(Width - 1, y);
    }
}

void TDiagonalShablon::CropToUsed() {
    int minX, minY, endX, endY;
    GetUsedBounds(minX, minY, endX, endY);
    if (!IsUsedCell(minX, minY)) {
        if (minX % 2 == 1)
            --minX;
        else
            --minY;
    }
    TShablon::ShiftCells(0, 0, Width - 1, Height - 1, -minX, -minY);
    SetSize(endX - minX, endY - minY);
}

void TDiagonalShablon::ShiftCells(int x0, int y0, int x1, int y1, int dx, int dy) {
    if (std::abs(dx) + std::abs(dy) == 1) {
        if (dx == -1) dy = 1;
        if (dx == 1) dy = -1;
        if (dy == -1 && dx == 0) dx = -1;
        if (dy == 1 && dx == 0) dx = 1;
    }
    if (!IsUsedCell(dx, dy)) {
        if (dx < 0)
            ++dx;
        else
            ++dy;
    }
    TShablon::ShiftCells(x0, y0, x1, y1, dx, dy);
}

void TDiagonalShablon::LayOnLattice(const TShablon& grid) {
    const int w = grid.Width, h = grid.Height;
    const int side = std::min(w + h - 1, MaxSide);
    SetSize(side + (h % 2 == 0), side);
    ClearRect(0, 0, Width - 1, Height - 1, false);
    for (int c = 0; c < w; ++c)
        for (int r = 0; r < h; ++r) {
            const auto [x, y] = LatticeCellOf(c, r, h);
            if (grid.IsLetterCell(c, r)) SetLetterCellOnly(x, y, true);
        }
}

void TDiagonalShablon::TraceOutline(bool withInnerBlanks, std::vector<std::string>& contours) const {
    contours.clear();
    const auto filled = [&](int x, int y) { return !IsOutside(x, y) && IsLetterCell(x, y); };
    const auto boundary = [&](int x, int y) {
        return IsOutside(x, y) || (!IsLetterCell(x, y) && !(withInnerBlanks && IsInnerBlank(x, y)));
    };
    std::vector<uint8_t> walked(static_cast<std::size_t>(Width) * Height, 0);
    const auto sidesAt = [&](int x, int y) -> uint8_t& { return walked[static_cast<std::size_t>(x) * Height + y]; };

    const auto walk = [&](int x, int y, uint8_t code) {
        std::string contour{static_cast<char>(x), static_cast<char>(y), static_cast<char>(code)};
        do {
            const TDiamondSide& side = *SideOf(code);
            contour += side.Step;
            sidesAt(x, y) |= code;
            const int aheadX = x + side.AheadX, aheadY = y + side.AheadY;
            const int beyondX = x + side.BeyondX, beyondY = y + side.BeyondY;
            if (IsOutside(aheadX, aheadY)) {
                code = side.TurnSide;
            } else if (filled(beyondX, beyondY)) {
                x = beyondX;
                y = beyondY;
                code = side.BeyondSide;
            } else if (filled(aheadX, aheadY)) {
                x = aheadX;
                y = aheadY;
            } else {
                code = side.TurnSide;
            }
        } while (!(sidesAt(x, y) & code));
        return contour;
    };

    constexpr uint8_t StartOrder[] = {16, 32, 128, 64};
    for (int y = 0; y < Height; ++y)
        for (int x = 0; x < Width; ++x) {
            if (!filled(x, y)) continue;
            for (const uint8_t code : StartOrder) {
                const TDiamondSide& side = *SideOf(code);
                if (boundary(x + side.AcrossX, y + side.AcrossY) && !(sidesAt(x, y) & code))
                    contours.push_back(walk(x, y, code));
            }
        }
}

std::vector<std::pair<int, int>> TDiagonalShablon::ContourCorners(int x, int y, int x0, int y0,
                                                                  std::string_view contour) {
    std::vector<std::pair<int, int>> corners;
    const TDiamondSide* side = contour.empty() ? nullptr : SideOf(static_cast<uint8_t>(contour[0]));
    if (!side) return corners;
    int cornerX = x - x0 + side->FirstCornerX, cornerY = y - y0 + side->FirstCornerY;
    corners.emplace_back(cornerX, cornerY);
    for (std::size_t i = 1; i < contour.size(); ++i) {
        if (i > 1 && contour[i] != contour[i - 1]) corners.emplace_back(cornerX, cornerY);
        const TStep step = StepOf(contour[i]);
        cornerX += step.dx;
        cornerY += step.dy;
    }
    if (contour.size() > 1) corners.emplace_back(cornerX, cornerY);
    return corners;
}

void TDiagonalShablon::CanvasDrawOutline(TCanvas& canvas, int x, int y, int x0, int y0,
                                         std::string_view contour) const {
    const auto corners = ContourCorners(x, y, x0, y0, contour);
    if (corners.size() < 2) return;
    canvas.Pen = {WideOutline.Color.ToRgb(), ClampToInt(static_cast<double>(WideOutline.Width) * Scale), TPenStyle::Solid};
    for (std::size_t i = 1; i < corners.size(); ++i) {
        int px1 = 0, py1 = 0, px2 = 0, py2 = 0;
        CellToCanvas(corners[i - 1].first, corners[i - 1].second, px1, py1);
        CellToCanvas(corners[i].first, corners[i].second, px2, py2);
        canvas.MoveTo(px1, py1);
        canvas.LineTo(px2, py2);
    }
}

void TDiagonalShablon::EditorDrawOutline(TCommandWriter& writer, int x, int y, int x0, int y0,
                                         std::string_view contour) const {
    std::vector<std::pair<int32_t, int32_t>> curve;
    for (const auto& [cx, cy] : ContourCorners(x, y, x0, y0, contour)) {
        int ex = 0, ey = 0;
        CellToExport(cx, cy, ex, ey);
        curve.emplace_back(ex, ey);
    }
    if (curve.size() < 3) return;
    writer.Curve(curve, true);
    writer.ApplyStyle("WIDE_ABRIS");
}

void TDiagonalShablon::ExportCell(int x, int y, int x0, int y0, TComExport& list) const {
    if (IsOutside(x, y) || !IsUsedCell(x, y)) return;
    int ex = 0, ey = 0;
    CellToExport(x - x0, y - y0, ex, ey);
    if (IsLetterCell(x, y)) {
        if (!KeyWordCellLook.NoPaint && KeyWordNumberAt(x, y) >= 0)
            list.AddKeyWordNumberShaped(ex, ey, x, y);
        else
            list.AddShapedCell(ex, ey, false, CellKind::Letter);
        if (IsNumbered(x, y)) list.AddNumber(ex, ey, GetNumber(x, y));
    } else if (IsInnerBlank(x, y) || BlankCellLook.ShowOutside) {
        list.AddShapedCell(ex, ey, false, CellKind::Other);
    }
}

void TDiagonalShablon::PixelsToCells(int pixelWidth, int pixelHeight, const TFastDrawParameters& parameters,
                                     int& columns, int& rows) const {
    // A diamond is two lattice units wide, so one more cell than units shows partly at the edge.
    const int64_t z = parameters.CellPixels();
    columns = static_cast<int>(std::max<int64_t>(0, (pixelWidth + z - 1) / z + 1));
    rows = static_cast<int>(std::max<int64_t>(0, (pixelHeight + z - 1) / z + 1));
}

void TDiagonalShablon::PixelToCell(int px, int py, const TFastDrawParameters& parameters, int& x, int& y) const {
    const int64_t z = parameters.CellPixels();
    const int64_t X = z * parameters.FirstColumn + px, Y = z * parameters.FirstRow + py;
    const auto floorDiv = [](int64_t a, int64_t b) { return a / b - (a % b != 0 && (a < 0) != (b < 0)); };
    int64_t n = 2 * floorDiv(X, 2 * z), m = 2 * floorDiv(Y, 2 * z);
    const int64_t d = X - z * n, e = Y - z * m;
    if (d + e < z)
        --n, --m;
    else if (e < d - z)
        ++n, --m;
    else if (d < e - z)
        --n, ++m;
    else if (d + e > 3 * z)
        ++n, ++m;
    if (n < 0 || m < 0 || n >= Width || m >= Height) {
        x = y = -1;
        return;
    }
    x = static_cast<int>(n);
    y = static_cast<int>(m);
}

void TDiagonalShablon::FastDraw(TFastDrawParameters parameters, TBitmap& bitmap) {
    const TFastDrawParameters& p = parameters;
    const int64_t z = p.CellPixels();
    if (AutoCheck) CheckTemplate();
    const bool onPath = p.PathMode == 1 || p.PathMode == 2;
    const auto listed = [](const TCoordList* list, int x, int y) {
        if (!list) return false;
        for (int i = 0; i < list->Count(); ++i)
            if (list->X(i) == x && list->Y(i) == y) return true;
        return false;
    };
    const bool marksShown = (p.ShowDetails && AutoCheck) || p.ShowMarks;

    TCanvas canvas(bitmap);
    canvas.Brush = {WindowColor, TBrushStyle::Solid};
    canvas.FillRect({0, 0, bitmap.Width(), bitmap.Height()});
    for (int y = 0; y < Height; ++y)
        for (int x = 0; x < Width; ++x) {
            if (!IsUsedCell(x, y)) continue;
            const int64_t u = (int64_t{x} - p.FirstColumn) * z, v = (int64_t{y} - p.FirstRow) * z;
            if (u <= -2 * z || v <= -2 * z || u >= bitmap.Width() || v >= bitmap.Height()) continue;
            const int l = static_cast<int>(u), t = static_cast<int>(v), c = static_cast<int>(z);
            const bool selected = p.SelectionOn && p.SelX0 <= x && x <= p.SelX1 && p.SelY0 <= y && y <= p.SelY1;
            TColor fill = selected ? Navy : WindowColor;
            if (IsLetterCell(x, y)) {
                fill = selected ? Blue : White;
                if (p.HighlightOn && listed(p.HighlightCells, x, y)) fill = Yellow;
                if (onPath && listed(p.PathCells, x, y)) fill = Yellow;
                if (onPath && p.CurrentWord && p.CurrentWord->IndexOfCell(x, y) >= 0) fill = Blue;
            }
            canvas.Pen = {Black, 1, TPenStyle::Solid};
            canvas.Brush = {fill, TBrushStyle::Solid};
            const TPoint diamond[] = {{l + c, t}, {l + 2 * c, t + c}, {l + c, t + 2 * c}, {l, t + c}};
            canvas.Polygon(diamond);

            const int keyWordNumber = KeyWordNumberAt(x, y);
            if (keyWordNumber > 0) {
                const std::string text = std::to_string(keyWordNumber);
                canvas.Font = TFont{};
                canvas.Font.Name = "Arial";
                canvas.Font.SetSize(c / 2);
                canvas.Font.Color = White;
                canvas.Brush = {Silver, TBrushStyle::Solid};
                canvas.TextAlign = TTextAlign::Top;
                canvas.TextOut(l + c + canvas.TextWidth(text) / 2, t + 2 * c - canvas.TextHeight(), text);
            }
            if (p.ShowDetails && IsNumbered(x, y)) {
                const std::string text = std::to_string(GetNumber(x, y));
                canvas.Font = TFont{};
                canvas.Font.Name = "Arial";
                canvas.Font.Height = c / 2;
                canvas.Font.Color = Red;
                canvas.Brush.Style = TBrushStyle::Clear;
                canvas.TextAlign = TTextAlign::Top;
                canvas.TextOut(l + c - canvas.TextWidth(text) / 2, t + c / 10 + 1, text);
            }
            if (marksShown) {
                const uint16_t m = MarksAt(x, y);
                canvas.Pen = {Black, 1, TPenStyle::Solid};
                // Both marks stand on the diamond's vertical axis, the lower one below its centre.
                const auto mark = [&](TColor color, int top) {
                    canvas.Brush = {color, TBrushStyle::Solid};
                    canvas.FillRect({l + c - MarkSide / 2, top, l + c + MarkSide / 2, top + MarkSide});
                };
                if (ShowsLowerMark(m, MarkMask)) mark(Red, t + c + c / 2);
                if (ShowsUpperMark(m, MarkMask)) mark(UpperMark, t + c / 2);
            }
        }
}
