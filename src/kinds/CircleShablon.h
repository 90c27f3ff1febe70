#pragma once

// TCircleShablon: the circular template (kind 11). The columns are the positions round a ring,
// the rows the rings from the outermost inward; each ring is smaller than the one outside it and
// turned by half a cell, so the cells of neighbouring rings interleave like bricks. Every slot
// runs through all rings: a column slot winds inward counterclockwise (steps "2"), a diagonal
// slot one column on per ring, clockwise (steps "3"); columns wrap round the ring.
//
// The template text body: ";", width, height, four parity bytes (1 0 0 0 on, 0 0 0 0 off), then
// one byte per cell, columns outer: 0x01 a letter cell, 0x02 any other.

#include "template/Shablon.h"

#include "platform/Canvas.h"

#include <cstdint>
#include <string>
#include <vector>

class TCircleShablon;

// Corner codes of a circular cell and of the outline's contour points.
namespace CircleCorner {
constexpr int SideBefore = 1;  // at θ(x, y + 1), on ring y
constexpr int Outer = 2;       // at θ(x, y), on ring y - 1
constexpr int SideAfter = 3;   // at θ(x + 1, y + 1), on ring y
constexpr int Inner = 4;       // at θ(x, y), on ring y + 1
}  // namespace CircleCorner

// The polar layout of one drawing at one zoom: the ring radii and the centre. Points are in the
// drawing's units times the zoom, y downward.
class TRingGeometry {
public:
    TRingGeometry(const TCircleShablon& shablon, double zoom);

    // r(n) times the zoom, for any n >= -2.
    double Radius(int n) const;
    // θ(x, y) in radians, counterclockwise from the positive x axis.
    double Angle(int x, int y) const;
    TPoint At(double angle, double radius) const;
    // A corner (CircleCorner) of cell (x, y).
    TPoint Corner(int x, int y, int corner) const;
    // The four corners in drawing order: side corner 1, outer, side corner 2, inner.
    std::vector<TPoint> Cell(int x, int y) const;
    // Where the letter of cell (x, y) stands.
    TPoint Letter(int x, int y) const;
    // Where the clue number of cell (x, y) is centred.
    TPoint NumberPoint(int x, int y) const;

private:
    int mWidth;
    double mZoom;
    TPoint mCentre;
    std::vector<double> mRadii;  // r(-2) .. r(Height + 1), unzoomed
    int32_t mBase;
    float mFactor;
};

class TCircleShablon : public TShablon {
public:
    static constexpr int32_t DefaultBaseRadius = 1500;
    static constexpr uint8_t DefaultSpeedOfChangeRadius = 10;

    // The grid starts with exactly the cells of its slots as letter cells.
    TCircleShablon(int width, int height);

    // Makes exactly the cells that some slot passes letter cells.
    void MarkWordCells();

    // r(n) = round(B * (1 - s / 100)^(n + 2)) for n >= -2, with the settings in force.
    int RingRadius(int n) const;
    // The settings the geometry uses: out-of-range values count as the defaults (a radius below
    // 1 or one whose picture would not fit in 32-bit export positions, a ring 100 per cent or
    // more smaller than the one outside it).
    int32_t EffectiveBaseRadius() const;
    uint8_t EffectiveSpeedOfChangeRadius() const;
    // The per-ring factor 1 - s / 100, in single precision.
    float RingFactor() const;

    // The column slot (even columns) and the diagonal slot whose start column has the parity
    // that the parity switch chooses; every slot is Height cells long.
    void WordsThroughCell(int x, int y, TShablonWords& words) const override;
    bool ParseTemplate(std::string_view text, int x0, int y0) override;
    std::string SerializeTemplate(int x0, int y0, int x1, int y1) const override;
    // Numbers row 0: with the parity switch the even columns (x / 2 + 1), else every column.
    void NumberCells() override;
    // The inner blanks are the non-letter cells between the outer and the inner contour.
    void MarkInnerBlanks() override;
    // The whole grid, always.
    void GetUsedBounds(int& minX, int& minY, int& endX, int& endY) const override;
    void ShiftCells(int x0, int y0, int x1, int y1, int dx, int dy) override {}
    void MirrorCells(int x0, int y0, int x1, int y1, TMirrorAxes axes) override {}

    int GetPixelWidth() const override;
    int GetPixelHeight() const override;
    // Export positions are the drawing's points times 1000 (y negated), margin included.
    void ExportToCanvas(int ex, int ey, int& px, int& py, bool full) const override;

    // Contours of (column, row, corner code) byte triplets: the outer ring, the inner ring and,
    // unless outlineOnly, one round each inner non-letter cell.
    void TraceOutline(bool outlineOnly, std::vector<std::string>& contours) const override;
    // Cell items carry the column and row in place of a position.
    void ExportCell(int x, int y, int x0, int y0, TComExport& list) const override;
    // The rings cannot be cut into blocks: no items.
    void BuildWordExport(TComExport& list, const std::vector<TCellBlock>& blocks) override {}

    bool LoadStyle(const std::string& fileName) override;
    bool WriteStyle(TIniFile& ini) override;

    // The drawing operations take (px, py) as the cell's column and row.
    void CanvasDrawOutline(TCanvas& canvas, int x, int y, int x0, int y0, std::string_view contour) const override;
    void CanvasDrawCell(TCanvas& canvas, int px, int py, int cellKind, bool extra) const override;
    void CanvasDrawNumber(TCanvas& canvas, int px, int py, int number) const override;
    void CanvasDrawKeyWordNumber(TCanvas& canvas, int px, int py, int x, int y) const override;
    void EditorDrawOutline(TCommandWriter& writer, int x, int y, int x0, int y0,
                           std::string_view contour) const override;
    void EditorDrawCell(TCommandWriter& writer, int ex, int ey, int cellKind, bool extra) const override;
    void EditorDrawNumber(TCommandWriter& writer, int ex, int ey, int number) const override;
    void EditorDrawKeyWordNumber(TCommandWriter& writer, int ex, int ey, int x, int y) const override;

    void FastDraw(TFastDrawParameters parameters, TBitmap& bitmap) override;
    void PixelToCell(int px, int py, const TFastDrawParameters& parameters, int& x, int& y) const override;
    // The whole ring is always in view.
    void PixelsToCells(int pixelWidth, int pixelHeight, const TFastDrawParameters& parameters, int& columns,
                       int& rows) const override;

    // The view's scale: drawing units to pixels at the view's zoom.
    double ViewScale(const TFastDrawParameters& parameters) const;
    // The view's shift for its first column and row, in pixels.
    TPoint ViewOffset(const TFastDrawParameters& parameters) const;
    // The letter size factor of row y: (1 - s / 100)^y with AutoDecreaseChars, else 1.
    double LetterScale(int y) const;

    // --- settings (section "CIRCLE") ---

    int32_t BaseRadius = DefaultBaseRadius;
    uint8_t SpeedOfChangeRadius = DefaultSpeedOfChangeRadius;  // percent each ring is smaller
    bool NotUseCurve = true;      // kept with the style; no drawing reads it
    bool Parity = false;          // which diagonal slots exist; kept in the template text
    bool AutoDecreaseChars = true;

private:
    // A contour point's row: rows above the grid are stored as wrapped bytes.
    static int ContourRow(uint8_t row);
    // The first row of the inner non-letter cells.
    int FirstInnerRow() const { return Parity ? 2 : 1; }
    // Draws the digits centred on a point.
    void CanvasDrawCentredDigits(TCanvas& canvas, TPoint at, int number, const TDigitGraphics& look) const;
    void EditorDrawCentredDigits(TCommandWriter& writer, TPoint at, int number, std::string_view style,
                                 const TDigitGraphics& look) const;
};
