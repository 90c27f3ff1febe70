// The scanword clue map, the united clue blocks and the template check built on them.

#include "SkanwordShablon.h"

#include "template/Coord.h"
#include "template/ShablonWords.h"

#include <algorithm>

namespace {

constexpr char VerticalStep = '2';
constexpr char HorizontalStep = '6';
constexpr uint8_t EmptyBlockType = 255;

// Where the clue cell of an arrow drawn inside it lies from the cell carrying the arrow (the
// word's end): {dx, dy} per code, vertical and horizontal words.
constexpr int InsideVertical[8][2] = {{0, 0}, {0, 1}, {1, 1}, {1, 0}, {1, -1}, {-1, -1}, {-1, 0}, {-1, 1}};
constexpr int InsideHorizontal[8][2] = {{0, 0}, {0, 1}, {1, 1}, {1, 0}, {1, -1}, {0, -1}, {-1, -1}, {-1, 1}};

// The path of the word of direction step in words that starts at (x, y) (any start when
// anywhere); false when there is none.
bool WordOf(const TShablonWords& words, int x, int y, char step, bool anywhere, int& wordX, int& wordY,
            std::string& path) {
    for (int i = 0; i < words.Count(); ++i) {
        const std::string_view p = words.WordPath(i);
        if (p.empty() || p.front() != step) continue;
        if (!anywhere && (words.WordX(i) != x || words.WordY(i) != y)) continue;
        wordX = words.WordX(i);
        wordY = words.WordY(i);
        path = p;
        return true;
    }
    return false;
}

// Registers at (cx, cy) the word of direction step through (x, y) when (cx, cy) can hold a clue.
void Register(const TShablon& shablon, TCoordList& map, const TShablonWords& words, int x, int y, char step,
              bool anywhere, int cx, int cy) {
    if (shablon.IsOutside(cx, cy) || shablon.IsLetterCell(cx, cy)) return;
    int wordX = 0, wordY = 0;
    std::string path;
    if (WordOf(words, x, y, step, anywhere, wordX, wordY, path)) map.AddTag(cx, cy, ClueWordTag(wordX, wordY, path));
}

// Calls visit(x, y, path) for every word of the template at its first cell, columns outer,
// rows inner.
template <class TVisit>
void ForEachWord(const TShablon& shablon, TVisit&& visit) {
    TShablonWords words;
    for (int x = 0; x < shablon.Width; ++x)
        for (int y = 0; y < shablon.Height; ++y) {
            if (!shablon.IsLetterCell(x, y)) continue;
            shablon.WordsThroughCell(x, y, words);
            for (int i = 0; i < words.Count(); ++i)
                if (words.WordX(i) == x && words.WordY(i) == y && !words.WordPath(i).empty())
                    visit(x, y, words.WordPath(i));
        }
}

struct TFreeRect {
    int X = 0;
    int Y = 0;
    int W = 1;
    int H = 1;
    int Area() const { return W * H; }
};

// The free cells of an area: neither letter cells nor clue cells (those of the clue map
// included, which the inside arrows leave unflagged). Row and column sums make a strip's test
// one subtraction.
class TFreeArea {
public:
    TFreeArea(const TShablon& shablon, const TCoordList& map, int x0, int y0, int x1, int y1)
        : mShablon(shablon), mX0(x0), mY0(y0), mX1(std::max(x0, x1)), mY1(std::max(y0, y1)),
          mClue(Size(), false), mRows(static_cast<std::size_t>(Columns() + 1) * Rows(), 0),
          mColumns(static_cast<std::size_t>(Rows() + 1) * Columns(), 0) {
        for (int i = 0; i < map.Count(); ++i)
            if (Inside(map.X(i), map.Y(i))) mClue[At(map.X(i), map.Y(i))] = true;
        Refresh();
    }

    int X0() const { return mX0; }
    int Y0() const { return mY0; }
    int X1() const { return mX1; }
    int Y1() const { return mY1; }

    bool Free(int x, int y) const {
        return Inside(x, y) && !mClue[At(x, y)] && !mShablon.IsLetterCell(x, y) && !mShablon.IsClueCell(x, y);
    }

    // Called after cells have been flagged.
    void Refresh() {
        for (int y = mY0; y < mY1; ++y)
            for (int x = mX0; x < mX1; ++x) {
                const int free = Free(x, y) ? 1 : 0;
                RowSum(y, x + 1) = RowSum(y, x) + free;
                ColumnSum(x, y + 1) = ColumnSum(x, y) + free;
            }
    }

    // The largest rectangle of free cells through (x, y), (x, y) itself counting as free.
    TFreeRect LargestThrough(int x, int y) const {
        TFreeRect best{x, y, 1, 1};
        int bestArea = 1;
        const bool self = Free(x, y);
        // Strips by width, then by height: along is the strip's extent across the rows it
        // spans (columns of a width strip), across the extent grown outwards from (x, y).
        for (const bool byWidth : {true, false}) {
            const int along = byWidth ? x : y;
            const int across = byWidth ? y : x;
            for (int n = 1;; ++n) {
                int bestExtent = 0, bestStart = 0, bestFirst = 0;
                for (int s = along - n + 1; s <= along; ++s) {
                    const auto full = [&](int line) {
                        return byWidth ? RowFull(line, s, n, x, y, self) : ColumnFull(line, s, n, x, y, self);
                    };
                    int before = 0;
                    while (full(across - before)) ++before;
                    if (before == 0) continue;
                    int after = 0;
                    while (full(across + 1 + after)) ++after;
                    if (before + after > bestExtent) {
                        bestExtent = before + after;
                        bestStart = s;
                        bestFirst = across - before + 1;
                    }
                }
                if (bestExtent == 0) break;
                if (bestExtent * n < bestArea) continue;
                bestArea = bestExtent * n;
                best = byWidth ? TFreeRect{bestStart, bestFirst, n, bestExtent} : TFreeRect{bestFirst, bestStart, bestExtent, n};
            }
        }
        return best;
    }

private:
    bool Inside(int x, int y) const { return x >= mX0 && x < mX1 && y >= mY0 && y < mY1; }
    int Columns() const { return mX1 - mX0; }
    int Rows() const { return mY1 - mY0; }
    std::size_t Size() const { return static_cast<std::size_t>(Columns()) * Rows(); }
    std::size_t At(int x, int y) const { return static_cast<std::size_t>(x - mX0) * Rows() + (y - mY0); }
    int& RowSum(int y, int x) { return mRows[static_cast<std::size_t>(y - mY0) * (Columns() + 1) + (x - mX0)]; }
    int RowSum(int y, int x) const { return mRows[static_cast<std::size_t>(y - mY0) * (Columns() + 1) + (x - mX0)]; }
    int& ColumnSum(int x, int y) { return mColumns[static_cast<std::size_t>(x - mX0) * (Rows() + 1) + (y - mY0)]; }
    int ColumnSum(int x, int y) const {
        return mColumns[static_cast<std::size_t>(x - mX0) * (Rows() + 1) + (y - mY0)];
    }

    // Whether the n cells of row y from column s on lie in the area and are free.
    bool RowFull(int y, int s, int n, int selfX, int selfY, bool self) const {
        if (y < mY0 || y >= mY1 || s < mX0 || s + n > mX1) return false;
        const int extra = !self && y == selfY && selfX >= s && selfX < s + n ? 1 : 0;
        return RowSum(y, s + n) - RowSum(y, s) + extra == n;
    }
    bool ColumnFull(int x, int s, int n, int selfX, int selfY, bool self) const {
        if (x < mX0 || x >= mX1 || s < mY0 || s + n > mY1) return false;
        const int extra = !self && x == selfX && selfY >= s && selfY < s + n ? 1 : 0;
        return ColumnSum(x, s + n) - ColumnSum(x, s) + extra == n;
    }

    const TShablon& mShablon;
    int mX0, mY0, mX1, mY1;
    std::vector<bool> mClue;  // the clue map's cells
    std::vector<int> mRows;     // per row the free cells before each column
    std::vector<int> mColumns;  // per column the free cells above each row
};

TClueBlock BlockOf(const TFreeRect& r, bool empty) {
    return {r.X, r.Y, r.W, r.H, empty};
}

}  // namespace

std::string ClueBlockTag(const TClueBlock& block) {
    return {static_cast<char>(block.X), static_cast<char>(block.Y), static_cast<char>(block.Width),
            static_cast<char>(block.Height), static_cast<char>(block.Empty ? EmptyBlockType : 0)};
}

TClueBlock ClueBlockOf(std::string_view tag) {
    const auto byte = [&](std::size_t i) { return i < tag.size() ? static_cast<uint8_t>(tag[i]) : 0; };
    return {byte(0), byte(1), byte(2), byte(3), byte(4) == EmptyBlockType};
}

std::string ClueWordTag(int x, int y, std::string_view path) {
    std::string tag{static_cast<char>(x), static_cast<char>(y)};
    tag += path;
    return tag;
}

bool InsideArrowClueCell(int x, int y, int code, bool horizontal, int& clueX, int& clueY) {
    if (code < 1 || code > 7) return false;
    const int* d = horizontal ? InsideHorizontal[code] : InsideVertical[code];
    clueX = x + d[0];
    clueY = y + d[1];
    return true;
}

// ---- the clue map ----

void TSkanwordShablon::ClueCellWords(TCoordList& map) const {
    map.Clear();
    TShablonWords words;
    for (int y = 0; y < Height; ++y)
        for (int x = 0; x < Width; ++x) {
            if (!HasAttrB(x, y)) continue;
            const int bits = GetAttrB(x, y);
            WordsThroughCell(x, y, words);
            int cx = 0, cy = 0;
            if (!(bits & 0x40) && ArrowClueCell(x, y, bits & 7, false, cx, cy))
                Register(*this, map, words, x, y, VerticalStep, false, cx, cy);
            if (!(bits & 0x80) && ArrowClueCell(x, y, bits >> 3 & 7, true, cx, cy))
                Register(*this, map, words, x, y, HorizontalStep, false, cx, cy);
        }
}

void TSkanwordShablon2::ClueCellWords(TCoordList& map) const {
    TSkanwordShablon::ClueCellWords(map);
    TShablonWords words;
    for (int y = 0; y < Height; ++y)
        for (int x = 0; x < Width; ++x) {
            if (!HasAttrB(x, y)) continue;
            const int bits = GetAttrB(x, y);
            WordsThroughCell(x, y, words);
            int cx = 0, cy = 0;
            if (bits & 0x40 && InsideArrowClueCell(x, y, bits & 7, false, cx, cy))
                Register(*this, map, words, x, y, VerticalStep, true, cx, cy);
            if (bits & 0x80 && InsideArrowClueCell(x, y, bits >> 3 & 7, true, cx, cy))
                Register(*this, map, words, x, y, HorizontalStep, true, cx, cy);
        }
}

int TSkanwordShablon::FindClueCell(const TCoordList& map, int x, int y, std::string_view path) const {
    return map.FindTag(x, y, path, Kind != TShablonKind::Skanword);
}

// ---- united clue blocks ----

void TSkanwordShablon::UniteClueCells(int x0, int y0, TCoordList& blocks, const TCoordList& map, int height,
                                      int width) {
    NumberCells();
    blocks.Clear();
    if (!CanUnite) return;
    TFreeArea area(*this, map, std::max(x0, 0), std::max(y0, 0), std::min(width, int{Width}),
                   std::min(height, int{Height}));

    struct TPending {
        int X;
        int Y;
    };
    std::vector<TPending> pending;
    for (int i = 0; i < map.Count(); ++i) {
        if (map.Tags(i).size() >= 2)
            blocks.AddTag(map.X(i), map.Y(i), ClueBlockTag({map.X(i), map.Y(i), 1, 1, false}));
        else if (map.Tags(i).size() == 1)
            pending.push_back({map.X(i), map.Y(i)});
    }

    const auto flag = [&](const TFreeRect& r) {
        for (int x = r.X; x < r.X + r.W; ++x)
            for (int y = r.Y; y < r.Y + r.H; ++y) SetClueCell(x, y, true);
        area.Refresh();
    };
    // The pending cell i takes r as its block and leaves the list.
    const auto give = [&](std::size_t i, const TFreeRect& r) {
        blocks.AddTag(pending[i].X, pending[i].Y, ClueBlockTag(BlockOf(r, false)));
        pending.erase(pending.begin() + static_cast<std::ptrdiff_t>(i));
        flag(r);
    };
    const auto rectOf = [&](std::size_t i) { return area.LargestThrough(pending[i].X, pending[i].Y); };
    const auto wide = [](const TFreeRect& r) { return r.W > 1 && r.H > 1; };

    // The largest areas first, free ones and those of the one-word clue cells alike.
    for (;;) {
        TFreeRect best;
        int bestArea = 0;
        bool found = false;
        bool ofPending = false;
        for (int x = area.X0(); x < area.X1(); ++x)
            for (int y = area.Y0(); y < area.Y1(); ++y) {
                if (!area.Free(x, y)) continue;
                const TFreeRect r = area.LargestThrough(x, y);
                if (wide(r) && r.Area() > bestArea) {
                    best = r;
                    bestArea = r.Area();
                    found = true;
                }
            }
        TPending bestCell{};
        for (std::size_t i = 0; i < pending.size();) {
            const TFreeRect r = rectOf(i);
            if (r.W == 1 && r.H == 1) {
                give(i, r);
                continue;
            }
            if (wide(r) && r.Area() >= bestArea) {
                best = r;
                bestArea = r.Area();
                found = true;
                ofPending = true;
                bestCell = pending[i];
            }
            ++i;
        }
        if (!found) break;
        if (!ofPending) {
            blocks.AddTag(best.X, best.Y, ClueBlockTag(BlockOf(best, true)));
            flag(best);
            continue;
        }
        for (std::size_t i = 0; i < pending.size(); ++i)
            if (pending[i].X == bestCell.X && pending[i].Y == bestCell.Y) {
                give(i, best);
                break;
            }
    }

    // Then the strips: the shortest first, a long one cut where another cell's strip begins.
    while (!pending.empty()) {
        for (bool took = true; took;) {
            took = false;
            for (std::size_t i = 0; i < pending.size();) {
                const TFreeRect r = rectOf(i);
                if (r.H == 1 && r.W <= 2) {
                    give(i, r);
                    took = true;
                } else {
                    ++i;
                }
            }
        }
        if (pending.empty()) break;
        bool tookColumn = false;
        for (std::size_t i = 0; i < pending.size() && !tookColumn; ++i) {
            const TFreeRect r = rectOf(i);
            if (r.W == 1 && r.H <= 2) {
                give(i, r);
                tookColumn = true;
            }
        }
        if (tookColumn) continue;
        TFreeRect r = rectOf(0);
        for (std::size_t j = 1; j < pending.size(); ++j) {
            const TFreeRect q = rectOf(j);
            if (r.H == 1 && q.H == 1 && r.Y == q.Y && r.X <= q.X && q.X <= r.X + r.W) {
                r.W = q.X - r.X == 1 ? 2 : q.X - r.X;
                break;
            }
            if (r.W == 1 && q.W == 1 && r.X == q.X && r.Y <= q.Y && q.Y <= r.Y + r.H) {
                r.H = q.Y - r.Y == 1 ? 2 : q.Y - r.Y;
                break;
            }
        }
        // A strip cut to nothing would leave the clue without a place.
        if (r.W == 0 || r.H == 0) r = {pending[0].X, pending[0].Y, 1, 1};
        give(0, r);
    }

    // What is left free: the strips of free cells.
    std::vector<TFreeRect> left;
    for (int x = area.X0(); x < area.X1(); ++x)
        for (int y = area.Y0(); y < area.Y1(); ++y) {
            if (!area.Free(x, y)) continue;
            const TFreeRect r = area.LargestThrough(x, y);
            blocks.AddTag(r.X, r.Y, ClueBlockTag(BlockOf(r, true)));
            left.push_back(r);
        }
    for (const TFreeRect& r : left)
        for (int x = r.X; x < r.X + r.W; ++x)
            for (int y = r.Y; y < r.Y + r.H; ++y) SetClueCell(x, y, true);
}

// ---- the check ----

void TSkanwordShablon::CheckTemplate() {
    TClassicShablon::CheckTemplate();
    TCoordList map;
    ClueCellWords(map);
    for (int i = 0; i < map.Count(); ++i) {
        const std::size_t words = map.Tags(i).size();
        if (words == 2) Marks[Index(map.X(i), map.Y(i))] |= DefectMark::TwoWordClue;
        if (words > 2) Marks[Index(map.X(i), map.Y(i))] |= DefectMark::CrowdedClue;
    }

    ForEachWord(*this, [&](int x, int y, std::string_view path) {
        if (FindClueCell(map, x, y, path) >= 0) return;
        const TCoord cells(x, y, path, Width, Height);
        for (const TCell& cell : cells.Cells()) Marks[Index(cell.x, cell.y)] |= DefectMark::NoClue;
    });

    const auto notClue = [&](int x, int y) { return !IsLetterCell(x, y) && map.IndexOfCell(x, y) < 0; };
    if (CanUnite) {
        TCoordList blocks;
        UniteClueCells(0, 0, blocks, map, Height, Width);
        for (int i = 0; i < blocks.Count(); ++i)
            for (const std::string& tag : blocks.Tags(i)) {
                const TClueBlock block = ClueBlockOf(tag);
                if (!block.Empty) continue;
                for (int x = block.X; x < block.X + block.Width; ++x)
                    for (int y = block.Y; y < block.Y + block.Height; ++y) Marks[Index(x, y)] |= DefectMark::EmptyArea;
            }
        // A check leaves the clue cells as the arrows make them.
        NumberCells();
    } else {
        for (int x = 0; x < Width; ++x)
            for (int y = 0; y < Height; ++y)
                if (notClue(x, y)) Marks[Index(x, y)] |= DefectMark::EmptyArea;
    }
    for (int x = 0; x < Width; ++x)
        for (int y = 0; y < Height; ++y)
            if (notClue(x, y)) Marks[Index(x, y)] |= DefectMark::NotClueCell;
}

void TSkanwordShablon2::CheckTemplate() {
    TSkanwordShablon::CheckTemplate();
    ForEachWord(*this, [&](int x, int y, std::string_view path) {
        const TCoord cells(x, y, path, Width, Height);
        const TCell& last = cells.Cells().back();
        const bool vertical = path.front() == VerticalStep;
        const int code = GetAttrB(x, y) & (vertical ? 0x07 : 0x38);
        const int inside = GetAttrB(last.x, last.y) & (vertical ? 0x40 : 0x80);
        if (!HasAttrB(x, y) || !HasAttrB(last.x, last.y) || code == 0 || inside == 0) return;
        for (const TCell& cell : cells.Cells()) Marks[Index(cell.x, cell.y)] |= DefectMark::TwoClues;
    });
}
