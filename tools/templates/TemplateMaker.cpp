#include "TemplateMaker.h"

#include <algorithm>

namespace {

// Longest words a candidate may hold: long lines are cut down to this.
constexpr int ShortestMaxLength = 7;
constexpr int LongestMaxLength = 12;
// A template of fewer letters than this share of its cells looks empty in the game's shards.
constexpr double MinLetterShare = 0.5;
// Shortest slot a cut may leave. Short words are few in a dictionary (a few hundred of 3
// letters against thousands of 6 to 9), and a game never uses a word twice in one run, so
// slots of 4 letters or more let a player make many more puzzles before the words run out.
constexpr int MinSlot = 5;
// Tries at cutting a line, per cell of the line.
constexpr int CutAttemptsPerCell = 4;
// Candidates drawn before the uncut lattice is taken as it is.
constexpr int MaxDraws = 1000;

int RunLength(const TGridShape& shape, int x, int y, int dx, int dy) {
    if (!shape.IsLetter(x, y)) return 0;
    int length = 1;
    for (int i = 1; shape.IsLetter(x - i * dx, y - i * dy); ++i) ++length;
    for (int i = 1; shape.IsLetter(x + i * dx, y + i * dy); ++i) ++length;
    return length;
}

// Every letter cell next to (x, y) still lies in a slot, and each of its runs is a single cell
// or a slot of MinSlot letters or more.
bool SlotsGoodAround(const TGridShape& shape, int x, int y) {
    const int near[4][2] = {{x - 1, y}, {x + 1, y}, {x, y - 1}, {x, y + 1}};
    for (const auto& n : near) {
        if (!shape.IsLetter(n[0], n[1])) continue;
        const int across = RunLength(shape, n[0], n[1], 1, 0);
        const int down = RunLength(shape, n[0], n[1], 0, 1);
        if ((across > 1 && across < MinSlot) || (down > 1 && down < MinSlot)) return false;
        if (across == 1 && down == 1) return false;
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
    if (SlotsGoodAround(shape, x, y) && SlotsGoodAround(shape, mx, my)) return true;
    shape.SetSymmetric(x, y, true);
    return false;
}

void TTemplateMaker::CutLine(TGridShape& shape, int x0, int y0, int dx, int dy, int maxLength, int extraCuts) {
    const int n = dx != 0 ? mWidth : mHeight;
    for (int attempt = 0; attempt < CutAttemptsPerCell * n; ++attempt) {
        // The runs of the line as (start, length).
        std::vector<std::pair<int, int>> runs, tooLong;
        for (int i = 0; i < n;) {
            if (!shape.IsLetter(x0 + i * dx, y0 + i * dy)) {
                ++i;
                continue;
            }
            int j = i;
            while (j < n && shape.IsLetter(x0 + j * dx, y0 + j * dy)) ++j;
            runs.emplace_back(i, j - i);
            if (j - i > maxLength) tooLong.emplace_back(i, j - i);
            i = j;
        }
        if (runs.empty() || (tooLong.empty() && extraCuts <= 0)) return;
        const auto& from = tooLong.empty() ? runs : tooLong;
        const auto [start, length] = from[Random(static_cast<int>(from.size()))];
        // Any cell of the run will do, the ends too, as long as every slot stays long enough.
        const int at = start + Random(length);
        if (TryBlock(shape, x0 + at * dx, y0 + at * dy) && tooLong.empty()) --extraCuts;
    }
}

TGridShape TTemplateMaker::Next() {
    for (int draw = 0;; ++draw) {
        const std::vector<int> rows = LineSet(mHeight);
        const std::vector<int> cols = LineSet(mWidth);
        TGridShape shape(mWidth, mHeight);
        for (int y = 0; y < mHeight; ++y)
            for (int x = 0; x < mWidth; ++x) {
                const bool onLine = std::find(rows.begin(), rows.end(), y) != rows.end() ||
                                    std::find(cols.begin(), cols.end(), x) != cols.end();
                shape.Letters[y * mWidth + x] = onLine ? 1 : 0;
            }
        if (draw >= MaxDraws) return shape;  // the lattice itself keeps the rules
        const int maxLength = ShortestMaxLength + Random(LongestMaxLength - ShortestMaxLength + 1);
        for (const int y : rows) CutLine(shape, 0, y, 1, 0, maxLength, Random(3));
        for (const int x : cols) CutLine(shape, x, 0, 0, 1, maxLength, Random(3));
        const double letterShare = static_cast<double>(shape.LetterCount()) / (mWidth * mHeight);
        if (letterShare >= MinLetterShare && KeepsTheRules(shape)) return shape;
    }
}
