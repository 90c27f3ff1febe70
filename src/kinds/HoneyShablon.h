#pragma once

// The honeycomb templates: every slot is the ring of cells round a numbered centre, read from the
// centre's start direction round it. A centre is a non-letter cell with mark E; its start
// direction is the second byte of its attribute word (255: none, the kind's default start).
// TBaseHoneyShablon is the common parent and never made by the factory; THoneyShablon (kind 9)
// lays hexagons in rows whose odd members are shifted half a cell right, THoneyShablon_8 (kind 10)
// takes the eight squares round a centre.

#include "template/ClassicShablon.h"

#include "platform/Canvas.h"
#include "platform/ColorValue.h"

#include <cstdint>
#include <utility>
#include <vector>

// The stroke out of every numbered centre that shows where its ring word starts.
struct THoneyStroke {
    bool Show = true;
    int32_t Width = 7;  // pen width at the template's cell size
    TColorValue Colour;
    uint8_t Len = 30;   // percent of the cell size

    bool operator==(const THoneyStroke&) const = default;
};

class TBaseHoneyShablon : public TClassicShablon {
public:
    static constexpr uint8_t NoDirection = 255;

    // 0: rings read clockwise on the page; any other value counterclockwise.
    uint8_t RingDirection = 0;
    // 0 ring only; 1 centre, then ring; 2 ring, then centre; 3 centre, ring, centre.
    uint8_t RingMode = 0;
    // Kept in the style file's section "HONEY".
    THoneyStroke HoneyStroke;

    // The length of every ring word.
    virtual int RingWordLength() const;
    // The ring of (x, y) in reading order, positions outside the grid left out; their count.
    virtual int RingCells(int x, int y, std::vector<std::pair<int, int>>& cells) const;
    virtual int NextRingDirection(int d, bool clockwise) const = 0;

    // The start direction of a numbered centre, else 255.
    uint8_t StartDirectionOf(int x, int y) const;
    // Makes (x, y) a centre starting at d (255: no longer a centre), and its mirror images too.
    void SetStartDirection(int x, int y, int d);

    bool HasMarkE(int x, int y) const override { return HasFlag(x, y, CellFlag::MarkE); }
    void SetMarkE(int x, int y, bool on) override { SetFlag(x, y, CellFlag::MarkE, on); }

    // A numbered centre itself, else the centres whose rings pass through (x, y); the centre's
    // letter first, last or both as RingMode says.
    void WordsThroughCell(int x, int y, TShablonWords& words) const override;
    bool ParseTemplate(std::string_view text, int x0, int y0) override;
    std::string SerializeTemplate(int x0, int y0, int x1, int y1) const override;
    // Rows outer: a centre whose whole ring is letter cells gets the next number.
    void NumberCells() override;
    // A centre is exported with its number among the other cells.
    void ExportCell(int x, int y, int x0, int y0, TComExport& list) const override;
    std::string GetStatistics() const override;

    // A numbered centre with its ring cells inside the grid and all letter cells.
    bool IsRingCentre(int x, int y) const;
    // The direction the ring of a numbered centre starts at: its own, else the kind's default.
    int RingStart(int x, int y) const;
    // A move by an odd number of rows takes the shifted rows half a column along (ParityStep).
    std::pair<int, int> MovedCell(int x, int y, int dx, int dy) const override;
    // The cell that lands on (x, y) when the grid's content moves by (dx, dy).
    std::pair<int, int> SourceCell(int x, int y, int dx, int dy) const;
    // The move CropToUsed (and so the export) makes, and the size it leaves: the export places
    // cell (x, y) where MovedCell puts it.
    void CropMove(int& dx, int& dy, int& width, int& height) const;
    // CropMove's move.
    void ExportMove(int& dx, int& dy) const override;

    // Every target cell takes the cell that moves onto it; a cell whose source lies outside the
    // grid is emptied, its centre mark too.
    void ShiftCells(int x0, int y0, int x1, int y1, int dx, int dy) override;
    void CropToUsed() override;
    // The blanks not reached from the border through the sides of non-letter cells.
    void MarkInnerBlanks() override;
    // Exports the grid cropped to its used cells with one stroke item per numbered centre; the
    // grid, its size and its key-word cells are put back on every way out.
    void BuildExport(TComExport& list) override;

    bool LoadStyle(const std::string& fileName) override;
    bool WriteStyle(TIniFile& ini) override;
    void EditorDefineStyles(TCommandWriter& writer) const override;
    // The start stroke of a centre whose cell of size value lies at (px, py), in direction bits.
    void CanvasDrawHoneyArrows(TCanvas& canvas, int px, int py, int value, int bits) const override;
    void EditorDrawHoneyArrows(TCommandWriter& writer, int ex, int ey, int value, int bits) const override;

    // The view's Zoom is the cell's side in pixels.
    void FastDraw(TFastDrawParameters parameters, TBitmap& bitmap) override;

protected:
    TBaseHoneyShablon(int width, int height, TShablonKind kind);

    // The columns a cell landing on row y moves further right when the rows move by dy.
    virtual int ParityStep(int y, int dy) const { return 0; }
    // The directions across the sides of a cell, through which blanks reach the border.
    virtual std::vector<int> SideDirections() const = 0;
    // Where a stroke of direction d leaves a cell of size r, from the cell's reference point with
    // y downward, and its unit direction; false for a direction the kind lacks.
    virtual bool StrokeBase(double r, int d, double& x, double& y, double& ux, double& uy) const = 0;
    // The outline of a cell of side s in the view whose reference point is (px, py).
    virtual std::vector<TPoint> ViewShape(int px, int py, int s) const = 0;
    // The reference point of cell (x, y) in the view.
    virtual TPoint ViewPoint(int x, int y, const TFastDrawParameters& parameters) const = 0;
    // The grid's box in the view (the background picture's).
    virtual TRect ViewGridRect(const TFastDrawParameters& parameters) const = 0;
    // The height of the clue numbers in the view.
    virtual int ViewNumberHeight(int s) const = 0;
    // Moves the used cells to the top-left corner and shrinks the grid to them; the move made.
    void Crop(int& dx, int& dy);
    // The first and last columns the used cells land on when the rows move by dy.
    void CropSpan(int dy, int& first, int& last) const;

    // The cells of a ring before the border cut, and the direction a ring without one starts at.
    virtual int RingSize() const = 0;
    virtual int DefaultStart() const = 0;
    virtual bool IsDirection(int d) const = 0;
    // The neighbour of (x, y) in direction d.
    virtual std::pair<int, int> Neighbour(int x, int y, int d) const = 0;
    // The direction a mirror image of a centre starts at.
    virtual int MirroredDirection(int d) const = 0;

private:
    void SetStartDirectionOnly(int x, int y, int d);
};

class THoneyShablon : public TBaseHoneyShablon {
public:
    THoneyShablon(int width, int height);

    // (d + 1) mod 6 clockwise, (d + 5) mod 6 otherwise.
    int NextRingDirection(int d, bool clockwise) const override;

    int GetCellPixelWidth() const override;
    void CellToCanvas(int x, int y, int& px, int& py) const override;
    void CellToExport(int x, int y, int& ex, int& ey) const override;
    int GetPixelWidth() const override;
    int GetPixelHeight() const override;
    void PixelToCell(int px, int py, const TFastDrawParameters& parameters, int& x, int& y) const override;
    void PixelsToCells(int pixelWidth, int pixelHeight, const TFastDrawParameters& parameters, int& columns,
                       int& rows) const override;

    // Hexagons with a vertex at the top; (px, py) is the upper end of the left side.
    void CanvasDrawCell(TCanvas& canvas, int px, int py, int cellKind, bool extra) const override;
    void EditorDrawCell(TCommandWriter& writer, int ex, int ey, int cellKind, bool extra) const override;
    // The wide outline follows square cells: hexagons get none.
    void ExportOutline(TComExport& list, int x0, int y0) const override {}

protected:
    int RingSize() const override { return 6; }
    int DefaultStart() const override { return 0; }
    bool IsDirection(int d) const override { return d >= 0 && d < 6; }
    std::pair<int, int> Neighbour(int x, int y, int d) const override;
    int MirroredDirection(int d) const override { return (d + 3) % 6; }
    // Shifted rows stay shifted: a move by an odd number of rows takes the cells landing on an
    // even row one column further right.
    int ParityStep(int y, int dy) const override { return (dy & 1) != 0 && (y & 1) == 0 ? 1 : 0; }
    std::vector<int> SideDirections() const override { return {0, 1, 2, 3, 4, 5}; }
    bool StrokeBase(double r, int d, double& x, double& y, double& ux, double& uy) const override;
    std::vector<TPoint> ViewShape(int px, int py, int s) const override;
    TPoint ViewPoint(int x, int y, const TFastDrawParameters& parameters) const override;
    TRect ViewGridRect(const TFastDrawParameters& parameters) const override;
    int ViewNumberHeight(int s) const override;
};

class THoneyShablon_8 : public TBaseHoneyShablon {
public:
    THoneyShablon_8(int width, int height);

    // Clockwise 4, 7, 8, 9, 6, 3, 2, 1; counterclockwise the reverse.
    int NextRingDirection(int d, bool clockwise) const override;
    void PixelToCell(int px, int py, const TFastDrawParameters& parameters, int& x, int& y) const override;
    void PixelsToCells(int pixelWidth, int pixelHeight, const TFastDrawParameters& parameters, int& columns,
                       int& rows) const override;

protected:
    int RingSize() const override { return 8; }
    int DefaultStart() const override { return 4; }
    bool IsDirection(int d) const override { return d >= 1 && d <= 9 && d != 5; }
    std::pair<int, int> Neighbour(int x, int y, int d) const override;
    // The opposite direction: the mirror through the centre of the keypad.
    int MirroredDirection(int d) const override { return 10 - d; }
    std::vector<int> SideDirections() const override { return {2, 4, 6, 8}; }
    // From the middle of a side, or from a corner for the diagonal directions.
    bool StrokeBase(double r, int d, double& x, double& y, double& ux, double& uy) const override;
    std::vector<TPoint> ViewShape(int px, int py, int s) const override;
    TPoint ViewPoint(int x, int y, const TFastDrawParameters& parameters) const override;
    TRect ViewGridRect(const TFastDrawParameters& parameters) const override;
    int ViewNumberHeight(int s) const override { return s / 2; }
};
