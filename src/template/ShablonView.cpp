#include "Shablon.h"

#include "CoordList.h"
#include "ShablonDrawing.h"

#include "platform/Bitmap.h"
#include "platform/Canvas.h"
#include "platform/Metafile.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace {

// The view draws every cell as a square of 48 units and stretches the squares to the zoom.
constexpr int Unit = 48;
constexpr int ZoomUnscaled = 100;
using namespace ViewLook;
constexpr TColor SelectedHighlight = RGB(127, 127, 255);
constexpr TColor ChainArrow = RGB(128, 0, 0);
constexpr int WallBar = 6;       // thickness of a wall in the view
constexpr int AxisWidth = 6;
constexpr int TurnInset = Unit / 20;
constexpr int DetailFontSize = 16;

// Membership of the grid's cells in a caller's cell list, looked up once per view.
class TCellSet {
public:
    TCellSet() : mCells(TShablon::MaxSide * TShablon::MaxSide, 0) {}
    void Add(int x, int y) { mCells[x * TShablon::MaxSide + y] = 1; }
    bool Has(int x, int y) const { return mCells[x * TShablon::MaxSide + y] != 0; }

private:
    std::vector<uint8_t> mCells;
};

TCellSet SetOf(const TCoordList* list) {
    TCellSet set;
    if (list)
        for (int i = 0; i < list->Count(); ++i) set.Add(list->X(i), list->Y(i));
    return set;
}

TCellSet SetOf(const TCoord* word) {
    TCellSet set;
    if (word)
        for (const TCell& cell : word->Cells()) set.Add(cell.x, cell.y);
    return set;
}

void FillSquare(TCanvas& canvas, int left, int top, int right, int bottom, TColor color) {
    canvas.Brush = {color, TBrushStyle::Solid};
    canvas.FillRect({left, top, right, bottom});
}

void DetailFont(TCanvas& canvas, TColor color) {
    canvas.Font.Name = "Arial";
    canvas.Font.SetSize(DetailFontSize);
    canvas.Font.Bold = false;
    canvas.Font.Italic = false;
    canvas.Font.Color = color;
    canvas.TextAlign = TTextAlign::Top;
}

// The chainword direction arrow of value in the square (l, t) .. (r, b).
void DrawDirectionArrow(TCanvas& canvas, int l, int t, int r, int b, int value) {
    const int w = r - l, hw = w / 2, qw = w / 4, tw = w / 3;
    canvas.Pen = {ChainArrow, w / 25 + 1, TPenStyle::Solid};
    std::vector<TPoint> points;
    switch (value) {
        case 4: points = {{l + qw, t + hw}, {r - qw, t + hw}, {r - tw, t + tw}, {r - qw, t + hw}, {r - tw, b - tw}}; break;
        case 6: points = {{r - qw, t + hw}, {l + qw, t + hw}, {l + tw, t + tw}, {l + qw, t + hw}, {l + tw, b - tw}}; break;
        case 8: points = {{l + hw, b - qw}, {l + hw, t + qw}, {l + tw, t + tw}, {l + hw, t + qw}, {r - tw, t + tw}}; break;
        case 2: points = {{l + hw, t + qw}, {l + hw, b - qw}, {l + tw, b - tw}, {l + hw, b - qw}, {r - tw, b - tw}}; break;
        default: return;
    }
    canvas.Polyline(points);
}

// The turn figure of value in the square (l, t) .. (r, b): four 2-bit groups, each a path in its
// own colour with an arrow head at its end.
void DrawTurnFigure(TCanvas& canvas, int l, int t, int r, int b, int value) {
    const int w = r - l, q = w / 6;
    const TPoint west{l + w / 8, t + w / 2}, east{r - w / 8, t + w / 2};
    const TPoint north{l + w / 2, t + w / 8}, south{l + w / 2, b - w / 8}, middle{l + w / 2, t + w / 2};
    // Where each end point's head opens towards: the head is drawn back from the tip.
    const auto head = [&](const TPoint& tip) {
        std::vector<TPoint> points;
        if (tip == east) points = {{tip.X - q, tip.Y - q}, tip, {tip.X - q, tip.Y + q}};
        if (tip == south) points = {{tip.X - q, tip.Y - q}, tip, {tip.X + q, tip.Y - q}};
        if (tip == north) points = {{tip.X - q, tip.Y + q}, tip, {tip.X + q, tip.Y + q}};
        if (tip == west) points = {{tip.X + q, tip.Y - q}, tip, {tip.X + q, tip.Y + q}};
        canvas.Polyline(points);
    };
    struct TGroup {
        TColor Color;
        TPoint From, Straight, Bend2, Bend3;
    };
    const TGroup groups[] = {
        {RGB(255, 0, 255), west, east, south, north},
        {RGB(128, 0, 128), east, west, north, south},
        {RGB(0, 0, 255), south, north, east, west},
        {RGB(0, 0, 128), north, south, west, east},
    };
    canvas.Pen.Width = w / 25 + 1;
    canvas.Pen.Style = TPenStyle::Solid;
    for (int g = 0; g < 4; ++g) {
        const int v = value >> (2 * g) & 3;
        if (v == 0) continue;
        const TGroup& group = groups[g];
        canvas.Pen.Color = group.Color;
        const TPoint end = v == 1 ? group.Straight : v == 2 ? group.Bend2 : group.Bend3;
        std::vector<TPoint> path{group.From};
        if (v != 1) path.push_back(middle);
        path.push_back(end);
        canvas.Polyline(path);
        head(end);
    }
}

}  // namespace

int TFastDrawParameters::CellPixels() const {
    return std::max(1, RoundEven(Zoom * static_cast<double>(Unit) / 100));
}

void TShablon::PixelsToCells(int pixelWidth, int pixelHeight, const TFastDrawParameters& parameters, int& columns,
                             int& rows) const {
    const int64_t z = parameters.CellPixels();
    columns = static_cast<int>(std::max<int64_t>(0, (pixelWidth + z - 1) / z));
    rows = static_cast<int>(std::max<int64_t>(0, (pixelHeight + z - 1) / z));
}

void TShablon::PixelToCell(int px, int py, const TFastDrawParameters& parameters, int& x, int& y) const {
    const int z = parameters.CellPixels();
    const int64_t column = int64_t{px} / z + parameters.FirstColumn;
    const int64_t row = int64_t{py} / z + parameters.FirstRow;
    x = column >= 0 && column < Width ? static_cast<int>(column) : -1;
    y = row >= 0 && row < Height ? static_cast<int>(row) : -1;
}

void TShablon::DrawViewLines(TCanvas& canvas, const TFastDrawParameters& p, int cols, int rows) const {
    // The grid shows from the first column and row that exist (a view may start before the grid)
    // to the last.
    const int firstCol = static_cast<int>(std::clamp<int64_t>(-int64_t{p.FirstColumn}, 0, cols));
    const int firstRow = static_cast<int>(std::clamp<int64_t>(-int64_t{p.FirstRow}, 0, rows));
    const int shownCols = static_cast<int>(std::clamp<int64_t>(int64_t{Width} - p.FirstColumn, 0, cols));
    const int shownRows = static_cast<int>(std::clamp<int64_t>(int64_t{Height} - p.FirstRow, 0, rows));

    canvas.Pen = {Red, AxisWidth, TPenStyle::Solid};
    const int64_t xAxis = p.XAxis.Axis & 0xFF, yAxis = p.YAxis.Axis & 0xFF;
    if (p.XAxis.Enabled && p.FirstColumn <= xAxis && xAxis < int64_t{p.FirstColumn} + cols) {
        const int at = static_cast<int>(p.XAxis.HalfStep ? Unit * (xAxis - p.FirstColumn + 1)
                                                          : Unit * (xAxis - p.FirstColumn) + Unit / 2);
        canvas.MoveTo(at, Unit * firstRow);
        canvas.LineTo(at, Unit * shownRows);
    }
    if (p.YAxis.Enabled && p.FirstRow <= yAxis && yAxis < int64_t{p.FirstRow} + rows) {
        const int at = static_cast<int>(p.YAxis.HalfStep ? Unit * (yAxis - p.FirstRow + 1)
                                                         : Unit * (yAxis - p.FirstRow) + Unit / 2);
        canvas.MoveTo(Unit * firstCol, at);
        canvas.LineTo(Unit * shownCols, at);
    }

    if (shownCols > firstCol && shownRows > firstRow) {
        canvas.Pen = {Black, 1, TPenStyle::Solid};
        for (int k = firstCol; k <= shownCols; ++k) {
            canvas.MoveTo(Unit * k, Unit * firstRow);
            canvas.LineTo(Unit * k, Unit * shownRows);
        }
        for (int k = firstRow; k <= shownRows; ++k) {
            canvas.MoveTo(Unit * firstCol, Unit * k);
            canvas.LineTo(Unit * shownCols, Unit * k);
        }
    }
}

void TShablon::FastDraw(TFastDrawParameters parameters, TBitmap& bitmap) {
    BeginDrawing();
    const TFastDrawParameters& p = parameters;
    const int z = p.CellPixels();
    int cols = 0, rows = 0;
    PixelsToCells(bitmap.Width(), bitmap.Height(), p, cols, rows);
    if (AutoCheck) CheckTemplate();

    const TCellSet highlighted = SetOf(p.HighlightOn ? p.HighlightCells : nullptr);
    const bool onPath = p.PathMode == 1 || p.PathMode == 2;
    const TCellSet path = SetOf(onPath ? p.PathCells : nullptr);
    const TCellSet word = SetOf(onPath ? p.CurrentWord : nullptr);
    const bool marksShown = (p.ShowDetails && AutoCheck) || p.ShowMarks;

    auto view = std::make_shared<TMetafile>(cols * Unit, rows * Unit, bitmap.Metrics());
    TCanvas canvas(*view);
    for (int i = 0; i < cols; ++i) {
        const int64_t x64 = int64_t{p.FirstColumn} + i;
        if (x64 < 0 || x64 >= Width) continue;
        const int x = static_cast<int>(x64);
        const int left = Unit * i, right = left + Unit;
        for (int j = 0; j < rows; ++j) {
            const int64_t y64 = int64_t{p.FirstRow} + j;
            if (y64 < 0 || y64 >= Height) continue;
            const int y = static_cast<int>(y64);
            const int top = Unit * j, bottom = top + Unit;
            const bool selected = p.SelectionOn && p.SelX0 <= x && x <= p.SelX1 && p.SelY0 <= y && y <= p.SelY1;

            if (IsLetterCell(x, y)) {
                TColor fill = selected ? Blue : White;
                if (highlighted.Has(x, y)) fill = selected ? SelectedHighlight : Yellow;
                if (path.Has(x, y)) fill = Yellow;
                if (word.Has(x, y)) fill = Blue;
                FillSquare(canvas, left, top, right, bottom, fill);
            } else if (selected) {
                FillSquare(canvas, left, top, right, bottom, Navy);
            }

            if (UsesWalls && HasAttrA(x, y)) {
                const int bits = GetAttrA(x, y);
                if (bits & 8) FillSquare(canvas, left, top, left + WallBar, bottom, Black);
                if (bits & 2) FillSquare(canvas, right - WallBar, top, right, bottom, Black);
                if (bits & 4) FillSquare(canvas, left, top, right, top + WallBar, Black);
                if (bits & 1) FillSquare(canvas, left, bottom - WallBar, right, bottom, Black);
            }

            if (UsesTurnMarks && HasAttrC(x, y)) {
                const int bits = GetAttrC(x, y);
                for (const int mask : {0x03, 0x0C, 0x30, 0xC0}) {
                    const int v = bits & mask;
                    const int index = v == 0 ? -1 : ArrowPictures.IndexOfName("TURN_" + std::to_string(v));
                    if (index >= 0)
                        canvas.StretchDraw(TRect{left + TurnInset, top + TurnInset, right - TurnInset, bottom - TurnInset},
                                           ArrowPictures.SharedPicture(index));
                }
            }

            if (p.ShowDetails) {
                if (UsesDigits && IsNumbered(x, y)) {
                    DetailFont(canvas, Red);
                    canvas.Brush.Style = TBrushStyle::Clear;
                    canvas.TextOut(left + 2, top, std::to_string(GetNumber(x, y)));
                }
                if (HasAttrD(x, y)) {
                    if (Kind == TShablonKind::Chainword)
                        DrawDirectionArrow(canvas, left, top, right, bottom, GetAttrD(x, y));
                    else
                        DrawTurnFigure(canvas, left, top, right, bottom, GetAttrD(x, y));
                }
                if (UsesArrows && HasAttrB(x, y)) DrawArrowPictures(canvas, left, top, Unit, GetAttrB(x, y));
                const int keyWordNumber = KeyWordNumberAt(x, y);
                if (keyWordNumber > 0) {
                    const std::string text = std::to_string(keyWordNumber);
                    DetailFont(canvas, White);
                    canvas.Brush = {Silver, TBrushStyle::Solid};
                    canvas.TextOut(right - 1 - canvas.TextWidth(text), bottom - canvas.TextHeight(), text);
                }
            }

            if (marksShown) {
                const uint16_t m = Marks[Index(x, y)];
                if (ShowsLowerMark(m, MarkMask))
                    FillSquare(canvas, left + 35, top + 35, left + 45, top + 45, Red);
                if (ShowsUpperMark(m, MarkMask))
                    FillSquare(canvas, left + 35, top + 23, left + 45, top + 33, UpperMark);
            }
        }
    }

    DrawViewLines(canvas, p, cols, rows);

    TCanvas target(bitmap);
    FillSquare(target, 0, 0, bitmap.Width(), bitmap.Height(), WindowColor);
    if (p.ShowDetails && BackgroundPicture.find_first_not_of(' ') != std::string::npos) {
        const auto at = [z](int64_t cells) {
            return static_cast<int>(std::clamp<int64_t>(cells * z, INT_MIN, INT_MAX));
        };
        DrawPictureFitted(target, BackgroundPictureOf(BackgroundPicture),
                          TRect{at(-int64_t{p.FirstColumn}), at(-int64_t{p.FirstRow}), at(int64_t{Width} - p.FirstColumn),
                                at(int64_t{Height} - p.FirstRow)},
                          true);
    }
    if (p.Zoom == ZoomUnscaled)
        target.Draw(0, 0, std::shared_ptr<const TMetafile>(std::move(view)));
    else
        target.StretchDraw(TRect{0, 0, cols * z, rows * z}, std::shared_ptr<const TMetafile>(std::move(view)));
}
