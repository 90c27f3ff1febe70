#pragma once

// What the field kinds (fill-word, word field, football) share: a body of one byte per cell,
// column by column (0x01 a letter cell, anything else another cell), no slots of their own (the
// crossword lays each word on a free path), no clue numbers, and cells exported plain, without
// numbers or key-word cells.

#include "template/Shablon.h"

#include <initializer_list>
#include <string>
#include <string_view>

// The header of a field text: its kind character, size and where the cells begin.
struct TFieldHeader {
    int Kind = 0;
    int Width = 0;
    int Height = 0;
    std::size_t CellsAt = 3;
};

// Checks the kind character against accepted; "Несовместимый тип шаблона!" and false otherwise.
bool AcceptsFieldKind(const TFieldHeader& header, std::initializer_list<TShablonKind> accepted);
// Clears the header's rectangle at (x0, y0) and reads its cells, skipping those outside the grid.
// "Неверный формат шаблона!" and false when the text ends before the last cell (what was read stays).
bool ParseFieldCells(TShablon& shablon, std::string_view text, const TFieldHeader& header, int x0, int y0);
// The reader of the fill-word and word-field texts: header, kind check, cells.
bool ParseFieldText(TShablon& shablon, std::string_view text, int x0, int y0,
                    std::initializer_list<TShablonKind> accepted);
// The kind character, the size of [x0..x1] x [y0..y1], the bytes after the header, then the cells.
std::string SerializeFieldText(const TShablon& shablon, int x0, int y0, int x1, int y1, std::string_view afterHeader);
// A plain cell item for a letter cell; for another cell only when it is drawn.
void ExportFieldCell(const TShablon& shablon, int x, int y, int x0, int y0, TComExport& list);

// TFieldShablon: the common part of the fill-word field and the word field. Every cell is a letter
// cell after creation; a text of its own kind or a classic one is taken.
class TFieldShablon : public TShablon {
public:
    TFieldShablon(int width, int height, TShablonKind kind);

    int GetWordLayout() const override { return 1; }
    void ExportCell(int x, int y, int x0, int y0, TComExport& list) const override;
    void WordsThroughCell(int x, int y, TShablonWords& words) const override { words.Clear(); }
    bool ParseTemplate(std::string_view text, int x0, int y0) override;
    std::string SerializeTemplate(int x0, int y0, int x1, int y1) const override;
    void NumberCells() override {}
};
