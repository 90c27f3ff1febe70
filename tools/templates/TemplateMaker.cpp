#include "TemplateMaker.h"

#include <algorithm>

namespace {

// Longest words a candidate may hold: long lines are cut down to this.
constexpr int ShortestMaxLength = 6;
constexpr int LongestMaxLength = 9;
// Shortest slot a cut may leave.
constexpr int MinSlot = 3;

int RunLength(const TGridShape& shape, int x, int y, int dx, int dy) {
    if (!shape.IsLetter(x, y)) return 0;
    int length = 1;
    for (int i = 1; shape.IsLetter(x - i * dx, y - i * dy); ++i) ++length;
    for (int i = 1; shape.IsLetter(x + i * dx, y + i * dy); ++i) ++length;
    return length;
}

// No run of exactly two letter cells touches (x, y)'s four neighbours.
bool NoPairsAround(const TGridShape& shape, int x, int y) {
    const int near[4][2] = {{x - 1, y}, {x + 1, y}, {x, y - 1}, {x, y + 1}};
    for (const auto& n : near) {
        if (!shape.IsLetter(n[0], n[1])) continue;
        if (RunLength(shape, n[0], n[1], 1, 0) == 2 || RunLength(shape, n[0], n[1], 0, 1) == 2) return false;
        if (RunLength(shape, n[0], n[1], 1, 0) == 1 && RunLength(shape, n[0], n[1], 0, 1) == 1) return false;
    }
    return true;
}

}  // namespace

TTemplateMaker::TTemplateMaker(int width, int height, uint32_t seed)
    : mWidth(width), mHeight(height), mRandom(seed) {}

std::vector<int> TTemplateMaker::LineSet(int n) {
    // Every symmetric set with gaps of 2 or 3 that starts at 0 or 1, by depth-first search.
    std::vector<std::vector<int>> sets;
    std::vector<int> lines;
    const auto extend = [&](auto&& self, int last) -> void {
        const int mirror = n - 1 - last;
        if (mirror - last >= 2 && mirror - last <= 3) {
            std::vector<int> set = lines;
            for (auto it = lines.rbegin(); it != lines.rend(); ++it) set.push_back(n - 1 - *it);
            sets.push_back(set);
        }
        if (mirror == last) {
            std::vector<int> set = lines;
            for (auto it = lines.rbegin() + 1; it != lines.rend(); ++it) set.push_back(n - 1 - *it);
            sets.push_back(set);
        }
        for (int gap = 2; gap <= 3; ++gap) {
            if (last + gap > n - 1 - (last + gap)) continue;
            lines.push_back(last + gap);
            self(self, last + gap);
            lines.pop_back();
        }
    };
    for (int first = 0; first <= 1; ++first) {
        lines = {first};
        extend(extend, first);
    }
    return sets[Random(static_cast<int>(sets.size()))];
}

bool TTemplateMaker::TryBlock(TGridShape& shape, int x, int y) {
    if (!shape.IsLetter(x, y)) return false;
    const int mx = mWidth - 1 - x, my = mHeight - 1 - y;
    shape.SetSymmetric(x, y, false);
    if (NoPairsAround(shape, x, y) && NoPairsAround(shape, mx, my)) return true;
    shape.SetSymmetric(x, y, true);
    return false;
}

void TTemplateMaker::CutLine(TGridShape& shape, int x0, int y0, int dx, int dy, int maxLength, int extraCuts) {
    const int n = dx != 0 ? mWidth : mHeight;
    for (int guard = 0; guard < 4 * n; ++guard) {
        // The runs of the line as (start, length).
        std::vector<std::pair<int, int>> runs;
        for (int i = 0; i < n;) {
            if (!shape.IsLetter(x0 + i * dx, y0 + i * dy)) {
                ++i;
                continue;
            }
            int j = i;
            while (j < n && shape.IsLetter(x0 + j * dx, y0 + j * dy)) ++j;
            runs.emplace_back(i, j - i);
            i = j;
        }
        std::vector<std::pair<int, int>> cuttable;
        for (const auto& run : runs)
            if (run.second > maxLength || (extraCuts > 0 && run.second >= 2 * MinSlot + 1)) cuttable.push_back(run);
        if (cuttable.empty()) return;
        const auto [start, length] = cuttable[Random(static_cast<int>(cuttable.size()))];
        const int at = start + MinSlot + Random(length - 2 * MinSlot);
        if (TryBlock(shape, x0 + at * dx, y0 + at * dy) && length <= maxLength) --extraCuts;
    }
}

TGridShape TTemplateMaker::Next() {
    for (;;) {
        const std::vector<int> rows = LineSet(mHeight);
        const std::vector<int> cols = LineSet(mWidth);
        TGridShape shape(mWidth, mHeight);
        for (int y = 0; y < mHeight; ++y)
            for (int x = 0; x < mWidth; ++x) {
                const bool onLine = std::find(rows.begin(), rows.end(), y) != rows.end() ||
                                    std::find(cols.begin(), cols.end(), x) != cols.end();
                shape.Letters[y * mWidth + x] = onLine ? 1 : 0;
            }
        const int maxLength = ShortestMaxLength + Random(LongestMaxLength - ShortestMaxLength + 1);
        for (const int y : rows) CutLine(shape, 0, y, 1, 0, maxLength, Random(2));
        for (const int x : cols) CutLine(shape, x, 0, 0, 1, maxLength, Random(2));
        if (KeepsTheRules(shape)) return shape;
    }
}
