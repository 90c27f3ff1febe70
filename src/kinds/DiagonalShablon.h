#pragma once

// TDiagonalShablon: the diagonal crossword's template (kind 18). The grid is a square grid turned
// by 45 degrees: only the cells whose column and row have equal parity are used, each a diamond
// touching its four diagonal neighbours along a side, and words run down-right ("3") and
// down-left ("1"). The lattice unit is a cell side over the square root of 2; cell (x, y) is the
// diamond in the 2 x 2 units square whose top-left corner is lattice point (x, y).
//
// Outline contours walk diamond sides: 16 upper-left (step "9"), 32 upper-right ("3"),
// 64 lower-right ("1"), 128 lower-left ("7").

#include "template/Shablon.h"

#include <utility>

class TDiagonalShablon : public TShablon {
public:
    TDiagonalShablon(int width, int height);

    // A used cell: column and row of equal parity.
    static bool IsUsedCell(int x, int y) { return ((x + y) & 1) == 0; }

    int GetCellPixelWidth() const override;
    int GetCellPixelHeight() const override;
    void CellToCanvas(int x, int y, int& px, int& py) const override;
    void CellToExport(int x, int y, int& ex, int& ey) const override;
    int GetPixelWidth() const override;
    int GetPixelHeight() const override;

    // The down-right run through (x, y), then the down-left one; each only with 2 cells or more.
    void WordsThroughCell(int x, int y, TShablonWords& words) const override;
    bool ParseTemplate(std::string_view text, int x0, int y0) override;
    std::string SerializeTemplate(int x0, int y0, int x1, int y1) const override;
    // Clears the letter flag of the unused cells and numbers the word starts row by row.
    void NumberCells() override;
    // The non-letter cells not reached from the border by diagonal steps through non-letter cells.
    void MarkInnerBlanks() override;
    // Crops so that the shift keeps the parity of the cells.
    void CropToUsed() override;
    // A straight one-cell move becomes a diagonal one, and any move keeps the parity.
    void ShiftCells(int x0, int y0, int x1, int y1, int dx, int dy) override;

    void TraceOutline(bool withInnerBlanks, std::vector<std::string>& contours) const override;
    void CanvasDrawOutline(TCanvas& canvas, int x, int y, int x0, int y0, std::string_view contour) const override;
    void EditorDrawOutline(TCommandWriter& writer, int x, int y, int x0, int y0,
                           std::string_view contour) const override;
    // Used cells as diamonds: a letter cell (or its key-word variant) with its number, another
    // cell when it is an inner blank or the outside is shown.
    void ExportCell(int x, int y, int x0, int y0, TComExport& list) const override;

    void FastDraw(TFastDrawParameters parameters, TBitmap& bitmap) override;
    void PixelToCell(int px, int py, const TFastDrawParameters& parameters, int& x, int& y) const override;
    void PixelsToCells(int pixelWidth, int pixelHeight, const TFastDrawParameters& parameters, int& columns,
                       int& rows) const override;

    // Takes the shape of a classic-style grid turned by 45 degrees: cell (c, r) becomes
    // (c - r + H - 1, c + r), one column further right when H is even, so that its across words
    // run down-right, its down words down-left, and its slots stay the same words.
    void LayOnLattice(const TShablon& grid);
    // Where LayOnLattice puts cell (c, r) of a grid of height h.
    static std::pair<int, int> LatticeCellOf(int c, int r, int h) { return {c - r + h - 1 + (h % 2 == 0), c + r}; }

    // The lattice corners a contour passes, from its first side's first corner, one per change of
    // direction and the last; relative to (x0, y0).
    static std::vector<std::pair<int, int>> ContourCorners(int x, int y, int x0, int y0, std::string_view contour);
};
