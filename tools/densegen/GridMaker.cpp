#include "GridMaker.h"

#include <algorithm>
#include <cmath>
#include <random>

namespace {

constexpr char Letter = '.';
constexpr char Block = '#';

// Dense grids: no slot shorter than this.
constexpr int MinDenseSlot = 3;
// Fresh grids tried before giving up, and failed block placements allowed per cell in one.
constexpr int DenseAttempts = 200;
constexpr int FailuresPerCell = 40;
// A new block goes to the cell with the longest runs through it among this many drawn at
// random: blocks spread over the grid and slot lengths stay even, as a constructor places them,
// instead of leaving stacks of long words that no word list fills.
constexpr int BlockDraws = 6;

// Lattice grids: across lines on every second row; per column step, the lengths the words are
// cut to, drawn by weight from the shortest up.
constexpr int LatticeRowStep = 2;
struct TLatticeRules {
    int step;
    int minWord;
    std::vector<int> weights;
    int MaxWord() const { return minWord + static_cast<int>(weights.size()) - 1; }
};
// With step 2 a word starts and ends on a shared cell, so its length is odd; the shares follow
// the nouns of each length in a large word list, so that a 200 x 200 lattice asks for less than
// half of a dictionary's words of any length.
const TLatticeRules LatticeRules[] = {
    {2, 5, {22, 0, 28, 0, 24, 0, 15, 0, 8, 0, 3}},
    {4, 5, {1, 1, 1, 1, 1}},
};

struct TStyleRules {
    double blockShare;
    int maxSlot;  // 0: as long as the grid
};

TStyleRules RulesOf(TDenseStyle style) {
    return style == TDenseStyle::Blocked ? TStyleRules{0.20, 7} : TStyleRules{1.0 / 6, 0};
}

class TDenseGrid {
public:
    TDenseGrid(int width, int height) : mWidth(width), mHeight(height), mRows(height, std::string(width, Letter)) {}

    bool IsLetter(int x, int y) const { return mRows[y][x] == Letter; }
    // Sets the cell and its partner in the half-turned grid; the number of cells changed.
    int SetSymmetric(int x, int y, char c) {
        mRows[y][x] = c;
        const int px = mWidth - 1 - x, py = mHeight - 1 - y;
        mRows[py][px] = c;
        return px == x && py == y ? 1 : 2;
    }
    // The rows and columns through the cell and its partner keep every run either empty or
    // of MinDenseSlot letters or more, and hold a letter.
    bool LinesKeepTheRules(int x, int y) const {
        return RowKeeps(y) && RowKeeps(mHeight - 1 - y) && ColumnKeeps(x) && ColumnKeeps(mWidth - 1 - x);
    }
    bool Connected() const;
    // The letters of the across and the down run through a letter cell.
    int RunsThrough(int x, int y) const {
        const auto run = [&](int dx, int dy) {
            int n = 0;
            for (int i = 1; IsInside(x + i * dx, y + i * dy) && IsLetter(x + i * dx, y + i * dy); ++i) ++n;
            return n;
        };
        return 1 + run(1, 0) + run(-1, 0) + 1 + run(0, 1) + run(0, -1);
    }
    bool IsInside(int x, int y) const { return x >= 0 && y >= 0 && x < mWidth && y < mHeight; }
    // A cell inside a run longer than maxSlot, where a block leaves runs of MinDenseSlot or more
    // on both sides; false when no run is too long.
    bool CellInLongRun(std::mt19937& random, int maxSlot, int& x, int& y) const;
    const TGridRows& Rows() const { return mRows; }

private:
    bool RunsKeep(int x0, int y0, int dx, int dy, int n) const {
        int run = 0, letters = 0;
        for (int i = 0; i <= n; ++i) {
            if (i < n && IsLetter(x0 + i * dx, y0 + i * dy)) {
                ++run;
                ++letters;
                continue;
            }
            if (run > 0 && run < MinDenseSlot) return false;
            run = 0;
        }
        return letters > 0;
    }
    bool RowKeeps(int y) const { return RunsKeep(0, y, 1, 0, mWidth); }
    bool ColumnKeeps(int x) const { return RunsKeep(x, 0, 0, 1, mHeight); }

    int mWidth;
    int mHeight;
    TGridRows mRows;
};

bool TDenseGrid::Connected() const {
    std::vector<std::pair<int, int>> stack;
    std::vector<uint8_t> seen(static_cast<std::size_t>(mWidth) * mHeight, 0);
    int letters = 0;
    for (int y = 0; y < mHeight; ++y)
        for (int x = 0; x < mWidth; ++x)
            if (IsLetter(x, y) && letters++ == 0) {
                stack.emplace_back(x, y);
                seen[y * mWidth + x] = 1;
            }
    int reached = 0;
    while (!stack.empty()) {
        const auto [x, y] = stack.back();
        stack.pop_back();
        ++reached;
        constexpr std::pair<int, int> Steps[] = {{1, 0}, {-1, 0}, {0, 1}, {0, -1}};
        for (const auto& [dx, dy] : Steps) {
            const int nx = x + dx, ny = y + dy;
            if (nx < 0 || ny < 0 || nx >= mWidth || ny >= mHeight || !IsLetter(nx, ny) || seen[ny * mWidth + nx]) continue;
            seen[ny * mWidth + nx] = 1;
            stack.emplace_back(nx, ny);
        }
    }
    return letters > 0 && reached == letters;
}

bool TDenseGrid::CellInLongRun(std::mt19937& random, int maxSlot, int& x, int& y) const {
    struct TRun {
        int x, y, dx, dy, length;
    };
    std::vector<TRun> longRuns;
    const auto scan = [&](int x0, int y0, int dx, int dy, int n) {
        int start = 0;
        for (int i = 0; i <= n; ++i) {
            if (i < n && IsLetter(x0 + i * dx, y0 + i * dy)) continue;
            if (i - start > maxSlot) longRuns.push_back({x0 + start * dx, y0 + start * dy, dx, dy, i - start});
            start = i + 1;
        }
    };
    for (int row = 0; row < mHeight; ++row) scan(0, row, 1, 0, mWidth);
    for (int column = 0; column < mWidth; ++column) scan(column, 0, 0, 1, mHeight);
    if (longRuns.empty()) return false;
    const TRun& run = longRuns[random() % longRuns.size()];
    const int at = MinDenseSlot + static_cast<int>(random() % (run.length - 2 * MinDenseSlot));
    x = run.x + at * run.dx;
    y = run.y + at * run.dy;
    return true;
}

// A word length drawn by the rules' weights.
int DrawLength(const TLatticeRules& rules, std::mt19937& random) {
    int total = 0;
    for (const int weight : rules.weights) total += weight;
    int drawn = static_cast<int>(random() % total);
    int k = 0;
    while (drawn >= rules.weights[k]) drawn -= rules.weights[k++];
    return rules.minWord + k;
}

// Cuts the line (x0, y0) + i * (dx, dy) of n cells into words of the rules' lengths with blocks
// at cells where cuttable(i) holds.
template <typename Cuttable>
void CutLine(TGridRows& rows, const TLatticeRules& rules, std::mt19937& random, int x0, int y0, int dx, int dy,
             int n, Cuttable cuttable) {
    const int minWord = rules.minWord, maxWord = rules.MaxWord();
    int start = 0;
    while (n - start > maxWord) {
        const int wanted = DrawLength(rules, random);
        int cut = -1;
        for (int d = 0; d <= maxWord && cut < 0; ++d)
            for (const int length : {wanted - d, wanted + d}) {
                const int at = start + length;
                if (length >= minWord && length <= maxWord && cuttable(at) && n - at - 1 >= minWord) {
                    cut = at;
                    break;
                }
            }
        if (cut < 0) return;
        rows[y0 + cut * dy][x0 + cut * dx] = Block;
        start = cut + 1;
    }
}

}  // namespace

TGridRows MakeDenseGrid(int width, int height, TDenseStyle style, uint32_t seed) {
    if (width < 2 * MinDenseSlot - 1 || height < 2 * MinDenseSlot - 1) return {};
    const TStyleRules rules = RulesOf(style);
    const int maxSlot = rules.maxSlot > 0 ? rules.maxSlot : std::max(width, height);
    const int target = static_cast<int>(std::lround(rules.blockShare * width * height));
    std::mt19937 random(seed);
    for (int attempt = 0; attempt < DenseAttempts; ++attempt) {
        TDenseGrid grid(width, height);
        int blocks = 0;
        for (int failures = 0; failures < FailuresPerCell * width * height;) {
            int x = 0, y = 0;
            if (!grid.CellInLongRun(random, maxSlot, x, y)) {
                if (blocks >= target) break;
                int longest = -1;
                for (int draw = 0; draw < BlockDraws; ++draw) {
                    const int cx = static_cast<int>(random() % width), cy = static_cast<int>(random() % height);
                    if (!grid.IsLetter(cx, cy) || grid.RunsThrough(cx, cy) <= longest) continue;
                    longest = grid.RunsThrough(cx, cy);
                    x = cx;
                    y = cy;
                }
            }
            if (!grid.IsLetter(x, y)) {
                ++failures;
                continue;
            }
            const int changed = grid.SetSymmetric(x, y, Block);
            if (grid.LinesKeepTheRules(x, y) && grid.Connected()) {
                blocks += changed;
            } else {
                grid.SetSymmetric(x, y, Letter);
                ++failures;
            }
        }
        int x = 0, y = 0;
        if (!grid.CellInLongRun(random, maxSlot, x, y) && blocks >= target - 2) return grid.Rows();
    }
    return {};
}

TGridRows MakeLatticeGrid(int width, int height, int step, uint32_t seed) {
    const auto rules = std::find_if(std::begin(LatticeRules), std::end(LatticeRules),
                                    [&](const TLatticeRules& r) { return r.step == step; });
    if (rules == std::end(LatticeRules)) return {};
    TGridRows rows(height, std::string(width, Block));
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            if (y % LatticeRowStep == 0 || x % step == 0) rows[y][x] = Letter;
    std::mt19937 random(seed);
    // Across words are cut between the down lines, down words between the across lines, so
    // that no block cuts both.
    for (int y = 0; y < height; y += LatticeRowStep)
        CutLine(rows, *rules, random, 0, y, 1, 0, width, [&](int x) { return x % step != 0; });
    for (int x = 0; x < width; x += step)
        CutLine(rows, *rules, random, x, 0, 0, 1, height, [](int y) { return y % LatticeRowStep != 0; });
    return rows;
}

int CountSlots(const TGridRows& rows) {
    const int height = static_cast<int>(rows.size());
    const int width = height == 0 ? 0 : static_cast<int>(rows[0].size());
    int slots = 0;
    const auto count = [&](int x0, int y0, int dx, int dy, int n) {
        int run = 0;
        for (int i = 0; i <= n; ++i) {
            if (i < n && rows[y0 + i * dy][x0 + i * dx] == Letter) {
                ++run;
                continue;
            }
            if (run >= 2) ++slots;
            run = 0;
        }
    };
    for (int y = 0; y < height; ++y) count(0, y, 1, 0, width);
    for (int x = 0; x < width; ++x) count(x, 0, 0, 1, height);
    return slots;
}
