#pragma once

// TKinderShablon: the children's field (kind 13). A block of letter cells in which every column
// (Orientation 0) or every row (Orientation 1) takes one straight word; the key-word cells, a line
// of cells across the words, spell the key word. With MarkedOnly set only the cells carrying
// mark 0x0080 count as letter cells, which is how the printed puzzle shows the placed words alone.

#include "template/Shablon.h"

#include <cstdint>
#include <string>
#include <string_view>

class TKinderShablon : public TShablon {
public:
    // A letter-cell flag the template keeps and stores without giving it a meaning.
    static constexpr uint16_t KeptFlag = 0x0200;

    TKinderShablon(int width, int height);

    int GetWordLayout() const override { return 1; }
    bool IsLetterCell(int x, int y) const override;
    bool HasMarkE(int x, int y) const override { return HasFlag(x, y, CellFlag::MarkE); }
    void SetMarkE(int x, int y, bool on) override;
    // A letter cell (or its key-word cell) with its number; another cell only when it is drawn.
    void ExportCell(int x, int y, int x0, int y0, TComExport& list) const override;
    // No fixed slots: the crossword lays one word per line.
    void WordsThroughCell(int x, int y, TShablonWords& words) const override;
    bool ParseTemplate(std::string_view text, int x0, int y0) override;
    std::string SerializeTemplate(int x0, int y0, int x1, int y1) const override;
    // Line by line, the first numbered cell of a line takes the next number; the line's other
    // numbered cells lose their flag.
    void NumberCells() override;

    // The cells of line k (a column for Orientation 0, a row for 1) in order along the words.
    int LineCount() const { return Orientation == 0 ? Width : Height; }
    int LineLength() const { return Orientation == 0 ? Height : Width; }
    void LineCell(int line, int i, int& x, int& y) const;
    // The line a cell lies on and its place along it.
    int LineOf(int x, int y) const { return Orientation == 0 ? x : y; }
    int PlaceOf(int x, int y) const { return Orientation == 0 ? y : x; }
    // The step character of the words: "2" down or "6" right.
    char StepChar() const { return Orientation == 0 ? '2' : '6'; }

    uint8_t Orientation = 0;
    uint8_t MarkedOnly = 0;
};
