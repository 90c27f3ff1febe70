#pragma once

// TEstonishShablon (kind 1): a crossword template without blocked cells between words; walls on
// the cell sides (attribute A, Walls.h) end the runs instead. TAmericanShablon (kind 12) is the
// same grid without clue numbers; its clues stand in strips beside the grid, as many boxes wide
// and high as the most words of one row and one column.
//
// The template text body: per cell, column by column, chr(2) another cell, chr(1) a letter cell
// without walls, chr(3) and the walls byte a letter cell with walls. Walls are stored as read and
// filtered by NumberCells: while a text is read, the neighbour on the right or below is not read
// yet.

#include "template/Shablon.h"

class TEstonishShablon : public TShablon {
public:
    TEstonishShablon(int width, int height, TShablonKind kind = TShablonKind::Estonish);

    bool HasAttrA(int x, int y) const override { return HasFlag(x, y, CellFlag::AttrA); }
    void SetFlagA(int x, int y, bool on) override;
    // Keeps the walls toward letter cells inside the grid, on the cell and its mirror images.
    void SetAttrA(int x, int y, int value) override;
    void ExportCell(int x, int y, int x0, int y0, TComExport& list) const override;
    // The walls and the number of a letter cell, over its neighbours.
    void ExportCellOverlay(int x, int y, int x0, int y0, TComExport& list) const override;
    void CellToCanvas(int x, int y, int& px, int& py) const override;
    void ExportToCanvas(int ex, int ey, int& px, int& py, bool full) const override;
    // The across and the down run through (x, y), each ended by non-letter cells and walls.
    void WordsThroughCell(int x, int y, TShablonWords& words) const override;
    bool ParseTemplate(std::string_view text, int x0, int y0) override;
    std::string SerializeTemplate(int x0, int y0, int x1, int y1) const override;
    int GetPixelWidth() const override;
    int GetPixelHeight() const override;
    // Filters the walls again, then numbers the cells where a word begins, row by row.
    void NumberCells() override;
    // The base mirror, the walls turned with the cells: left and right swap across a left-right
    // mirror, above and below across a top-bottom one.
    void MirrorCells(int x0, int y0, int x1, int y1, TMirrorAxes axes) override;

protected:
    // SetAttrA again on every cell of the grid.
    void FilterAllWalls();
};

class TAmericanShablon : public TEstonishShablon {
public:
    TAmericanShablon(int width, int height);

    // Filters the walls and counts the words of the rows and columns; numbers no cell.
    void NumberCells() override;
    // No items: the American grid has no word blocks.
    void BuildWordExport(TComExport& list, const std::vector<TCellBlock>& blocks) override {}

    uint8_t MaxWordsPerRow = 0;     // the most across words in one row
    uint8_t MaxWordsPerColumn = 0;  // the most down words in one column
};
