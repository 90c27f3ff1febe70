#include "Coord.h"

#include "CoordList.h"

#include <array>
#include <cstdlib>

namespace {

// The ring of distance 2, clockwise from the upper left: "A" .. "P".
constexpr std::array<TStep, 16> RingSteps = {{
    {-2, -2}, {-1, -2}, {0, -2}, {1, -2}, {2, -2},
    {2, -1}, {2, 0}, {2, 1}, {2, 2},
    {1, 2}, {0, 2}, {-1, 2}, {-2, 2},
    {-2, 1}, {-2, 0}, {-2, -1},
}};

// A byte wrap size of 0 stands for the whole byte range.
int Wrap(int value, int size) {
    const int n = size == 0 ? 256 : size;
    const int r = value % n;
    return r < 0 ? r + n : r;
}

// The direction of a move along one axis, as the step string records it: a move to 0 from
// anything but 1 is a wrap from the last column forward.
int AxisSign(int previous, int next) {
    if (next != 0 && next != previous) return next > previous ? 1 : -1;
    if (next == 0 && previous != 0) return previous == 1 ? -1 : 1;
    return 0;
}

}  // namespace

TStep StepOf(char step) {
    if (step >= '1' && step <= '9') {
        const int k = step - '1';  // keypad: 1 2 3 bottom row, 7 8 9 top row
        return {k % 3 - 1, 1 - k / 3};
    }
    if (step >= 'A' && step <= 'P') return RingSteps[step - 'A'];
    return {};
}

TCoord::TCoord(int wrapWidth, int wrapHeight)
    : mWrapWidth(static_cast<uint8_t>(wrapWidth)), mWrapHeight(static_cast<uint8_t>(wrapHeight)) {}

TCoord::TCoord(int x, int y, std::string_view path, int wrapWidth, int wrapHeight) : TCoord(wrapWidth, wrapHeight) {
    AppendPath(x, y, path);
}

void TCoord::AddCell(int x, int y) {
    mCells.push_back({static_cast<uint8_t>(x), static_cast<uint8_t>(y)});
}

void TCoord::InsertCell(int index, int x, int y) {
    mCells.insert(mCells.begin() + index, TCell{static_cast<uint8_t>(x), static_cast<uint8_t>(y)});
}

int TCoord::IndexOfCell(int x, int y) const {
    const TCell wanted{static_cast<uint8_t>(x), static_cast<uint8_t>(y)};
    for (std::size_t i = 0; i < mCells.size(); ++i)
        if (mCells[i] == wanted) return static_cast<int>(i);
    return -1;
}

void TCoord::AppendPath(int x, int y, std::string_view path) {
    mCells.reserve(mCells.size() + path.size() + 1);
    AddCell(x, y);
    for (const char c : path) {
        const TStep step = StepOf(c);
        x = Wrap(x + step.dx, mWrapWidth);
        y = Wrap(y + step.dy, mWrapHeight);
        AddCell(x, y);
    }
}

void TCoord::AddCellsOf(const TCoordList& list) {
    for (int i = 0; i < list.Count(); ++i) AddCell(list.X(i), list.Y(i));
}

std::string TCoord::ToPath() const {
    std::string path;
    for (std::size_t i = 1; i < mCells.size(); ++i) {
        const int px = mCells[i - 1].x, py = mCells[i - 1].y;
        const int nx = mCells[i].x, ny = mCells[i].y;
        const int dx = nx - px, dy = ny - py;
        if (std::abs(dx) == 2 || std::abs(dy) == 2) {
            char step = '5';
            for (std::size_t k = 0; k < RingSteps.size(); ++k)
                if (RingSteps[k].dx == dx && RingSteps[k].dy == dy) step = static_cast<char>('A' + k);
            path += step;
            continue;
        }
        const int sx = AxisSign(px, nx), sy = AxisSign(py, ny);
        path += static_cast<char>('5' + sx - 3 * sy);
    }
    return path;
}
