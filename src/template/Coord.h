#pragma once

// TCoord: the ordered cells of one slot, and the step characters that lead from one cell of a
// slot to the next. Steps wrap round: a column is taken modulo the wrap width and a row modulo
// the wrap height, so a step off one edge re-enters at the opposite edge.
//
// Step characters (x grows to the right, y downward): the keypad digits "1".."9" are the unit
// moves ("6" right, "2" down, "5" none); "A".."P" run clockwise round the ring of distance 2,
// starting at the upper left. Any other character is no move.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class TCoordList;

struct TStep {
    int dx = 0;
    int dy = 0;
};

// The move of a step character.
TStep StepOf(char step);

struct TCell {
    uint8_t x = 0;
    uint8_t y = 0;
    bool operator==(const TCell&) const = default;
};

class TCoord {
public:
    // An empty list with the wrap sizes.
    TCoord(int wrapWidth, int wrapHeight);
    // The cells of the slot that starts at (x, y) and follows path.
    TCoord(int x, int y, std::string_view path, int wrapWidth, int wrapHeight);

    int Count() const { return static_cast<int>(mCells.size()); }
    int CellX(int i) const { return mCells[i].x; }
    int CellY(int i) const { return mCells[i].y; }
    const TCell& Cell(int i) const { return mCells[i]; }
    const std::vector<TCell>& Cells() const { return mCells; }
    void SetCellX(int i, int x) { mCells[i].x = static_cast<uint8_t>(x); }
    void SetCellY(int i, int y) { mCells[i].y = static_cast<uint8_t>(y); }
    int WrapWidth() const { return mWrapWidth; }
    int WrapHeight() const { return mWrapHeight; }

    void AddCell(int x, int y);
    void InsertCell(int index, int x, int y);
    void Delete(int index) { mCells.erase(mCells.begin() + index); }
    void Clear() { mCells.clear(); }
    // The first item equal to (x, y); -1 if none.
    int IndexOfCell(int x, int y) const;

    // Appends (x, y), then one cell per step character of path.
    void AppendPath(int x, int y, std::string_view path);
    // Appends every cell position of a cell list, in its order.
    void AddCellsOf(const TCoordList& list);
    // The step string that leads through the cells in order (the inverse of AppendPath).
    std::string ToPath() const;

private:
    std::vector<TCell> mCells;
    uint8_t mWrapWidth;
    uint8_t mWrapHeight;
};
