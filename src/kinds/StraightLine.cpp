#include "StraightLine.h"

#include <algorithm>
#include <cstdlib>

namespace {

char DirectionDigit(int dx, int dy) {
    static constexpr char Digits[3][3] = {{'7', '8', '9'}, {'4', '5', '6'}, {'1', '2', '3'}};
    return Digits[dy + 1][dx + 1];
}

}  // namespace

void StraightNeighbours(const TShablon& shablon, const TCoord& coord, TCoord& cells) {
    cells.Clear();
    if (coord.Count() == 0) return;
    static constexpr int Offsets[8][2] = {{-1, -1}, {-1, 0}, {-1, 1}, {1, -1}, {1, 0}, {1, 1}, {0, -1}, {0, 1}};
    const int x = coord.CellX(0), y = coord.CellY(0);
    for (const auto& offset : Offsets) {
        const int nx = x + offset[0], ny = y + offset[1];
        if (!shablon.IsOutside(nx, ny) && shablon.IsLetterCell(nx, ny)) cells.AddCell(nx, ny);
    }
}

std::string StraightRun(const TShablon& shablon, const TCoord& coord) {
    std::string run;
    if (coord.Count() < 2) return run;
    const int x = coord.CellX(0), y = coord.CellY(0);
    const int dx = coord.CellX(1) - x, dy = coord.CellY(1) - y;
    if (std::abs(dx) > 1 || std::abs(dy) > 1 || (dx == 0 && dy == 0)) return run;
    if (shablon.IsOutside(x, y) || !shablon.IsLetterCell(x, y)) return run;
    const char digit = DirectionDigit(dx, dy);
    for (int nx = x + dx, ny = y + dy; static_cast<int>(run.size()) < MaxStraightCells - 1; nx += dx, ny += dy) {
        if (shablon.IsOutside(nx, ny) || !shablon.IsLetterCell(nx, ny)) break;
        run += digit;
    }
    return run;
}

TWordLengthLimits StraightLimits(const TCrossword& crossword, const TCoord& coord, std::string& pattern) {
    TWordLengthLimits limits;
    std::string run = StraightRun(*crossword.Template, coord);
    if (!run.empty()) {
        const int x = coord.CellX(0), y = coord.CellY(0);
        while (!run.empty() && crossword.Words.FindSlot(x, y, run) >= 0) run.pop_back();
    }
    limits.Max = static_cast<int>(run.size()) + 1;
    limits.Flag = limits.Max >= limits.Min;
    pattern = coord.Count() == 0 ? std::string()
                                 : crossword.PatternAtCoord(TCoord(coord.CellX(0), coord.CellY(0), run,
                                                                   crossword.Width, crossword.Height));
    return limits;
}

TCoord StraightCells(const TCrossword& crossword, int x, int y, std::string_view run, int length) {
    return TCoord(x, y, run.substr(0, static_cast<std::size_t>(std::max(length - 1, 0))), crossword.Width,
                  crossword.Height);
}
