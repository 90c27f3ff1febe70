#pragma once

// TClassicShablon: the classic crossword template (kind 0). A slot is a maximal horizontal or
// vertical run of at least two letter cells; the body of its template text is one byte per cell,
// column by column, 0x01 for a letter cell and 0x02 for any other.

#include "Shablon.h"

class TClassicShablon : public TShablon {
public:
    TClassicShablon(int width, int height, TShablonKind kind = TShablonKind::Classic);

    // The across slot through (x, y) first, then the down slot; each only when 2 cells or longer.
    void WordsThroughCell(int x, int y, TShablonWords& words) const override;
    bool ParseTemplate(std::string_view text, int x0, int y0) override;
    std::string SerializeTemplate(int x0, int y0, int x1, int y1) const override;
    // Numbers the cells where a slot begins, row by row, left to right, from 1.
    void NumberCells() override;
    // A letter cell (or its key-word cell) with its number; another cell only when it is drawn.
    void ExportCell(int x, int y, int x0, int y0, TComExport& list) const override;
};

// The export of a square cell as the classic template makes it: a letter cell (or its key-word
// cell) with its number; another cell only when it is drawn.
void ExportSquareCell(const TShablon& shablon, int x, int y, int x0, int y0, TComExport& list);
