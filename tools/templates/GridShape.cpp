#include "GridShape.h"

#include <algorithm>

namespace {

bool Symmetric(const TGridShape& shape) {
    for (int y = 0; y < shape.Height; ++y)
        for (int x = 0; x < shape.Width; ++x)
            if (shape.IsLetter(x, y) != shape.IsLetter(shape.Width - 1 - x, shape.Height - 1 - y)) return false;
    return true;
}

// The length of the run of letter cells through (x, y) along (dx, dy).
int RunThrough(const TGridShape& shape, int x, int y, int dx, int dy) {
    int length = 1;
    for (int i = 1; shape.IsLetter(x - i * dx, y - i * dy); ++i) ++length;
    for (int i = 1; shape.IsLetter(x + i * dx, y + i * dy); ++i) ++length;
    return length;
}

bool SlotsAreGood(const TGridShape& shape) {
    for (int y = 0; y < shape.Height; ++y)
        for (int x = 0; x < shape.Width; ++x) {
            if (!shape.IsLetter(x, y)) continue;
            const int across = RunThrough(shape, x, y, 1, 0);
            const int down = RunThrough(shape, x, y, 0, 1);
            if (across == 2 || down == 2) return false;
            if (across == 1 && down == 1) return false;  // a letter cell in no slot
        }
    return true;
}

bool Connected(const TGridShape& shape) {
    const int total = shape.LetterCount();
    if (total == 0) return false;
    std::vector<uint8_t> seen(shape.Letters.size(), 0);
    std::vector<int> stack;
    const int first = static_cast<int>(std::find(shape.Letters.begin(), shape.Letters.end(), 1) - shape.Letters.begin());
    stack.push_back(first);
    seen[first] = 1;
    int reached = 0;
    while (!stack.empty()) {
        const int at = stack.back();
        stack.pop_back();
        ++reached;
        const int x = at % shape.Width, y = at / shape.Width;
        const int next[4][2] = {{x - 1, y}, {x + 1, y}, {x, y - 1}, {x, y + 1}};
        for (const auto& n : next) {
            if (!shape.IsLetter(n[0], n[1])) continue;
            const int i = n[1] * shape.Width + n[0];
            if (seen[i]) continue;
            seen[i] = 1;
            stack.push_back(i);
        }
    }
    return reached == total;
}

bool EveryLineHoldsALetter(const TGridShape& shape) {
    for (int y = 0; y < shape.Height; ++y) {
        bool letter = false;
        for (int x = 0; x < shape.Width && !letter; ++x) letter = shape.IsLetter(x, y);
        if (!letter) return false;
    }
    for (int x = 0; x < shape.Width; ++x) {
        bool letter = false;
        for (int y = 0; y < shape.Height && !letter; ++y) letter = shape.IsLetter(x, y);
        if (!letter) return false;
    }
    return true;
}

}  // namespace

int TGridShape::LetterCount() const {
    return static_cast<int>(std::count(Letters.begin(), Letters.end(), 1));
}

std::vector<std::string> TGridShape::Picture() const {
    std::vector<std::string> rows(Height, std::string(Width, '#'));
    for (int y = 0; y < Height; ++y)
        for (int x = 0; x < Width; ++x)
            if (IsLetter(x, y)) rows[y][x] = '.';
    return rows;
}

std::vector<std::pair<int, int>> ShardSizesFor(int width, int height) {
    std::vector<std::pair<int, int>> sizes;
    for (const auto& [w, h] : {std::pair{3, 3}, std::pair{4, 3}, std::pair{3, 4}, std::pair{4, 4}})
        if (width % w == 0 && height % h == 0) sizes.emplace_back(w, h);
    return sizes;
}

double ShardCoverage(const TGridShape& shape) {
    int shards = 0, withLetters = 0;
    for (const auto& [w, h] : ShardSizesFor(shape.Width, shape.Height))
        for (int sx = 0; sx < shape.Width; sx += w)
            for (int sy = 0; sy < shape.Height; sy += h) {
                ++shards;
                bool letter = false;
                for (int x = sx; x < sx + w && !letter; ++x)
                    for (int y = sy; y < sy + h && !letter; ++y) letter = shape.IsLetter(x, y);
                withLetters += letter ? 1 : 0;
            }
    return shards == 0 ? 1.0 : static_cast<double>(withLetters) / shards;
}

std::vector<int> SlotLengths(const TGridShape& shape) {
    std::vector<int> lengths(std::max(shape.Width, shape.Height) + 1, 0);
    for (int y = 0; y < shape.Height; ++y)
        for (int x = 0; x < shape.Width; ++x) {
            if (!shape.IsLetter(x, y)) continue;
            if (!shape.IsLetter(x - 1, y) && shape.IsLetter(x + 1, y)) ++lengths[RunThrough(shape, x, y, 1, 0)];
            if (!shape.IsLetter(x, y - 1) && shape.IsLetter(x, y + 1)) ++lengths[RunThrough(shape, x, y, 0, 1)];
        }
    return lengths;
}

bool KeepsTheRules(const TGridShape& shape) {
    return Symmetric(shape) && SlotsAreGood(shape) && Connected(shape) && EveryLineHoldsALetter(shape) &&
           ShardCoverage(shape) >= MinShardCoverage;
}
