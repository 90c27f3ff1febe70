#include "FillWordCrossword.h"

#include "FillWordShablon.h"

#include "dictionary/Mask.h"
#include "platform/Clock.h"
#include "platform/Ui.h"

#include <algorithm>
#include <array>
#include <memory>

namespace {

// Random draws of a start cell before the fill turns to scanning the area in order.
constexpr int StartCellDraws = 40;
// A path search visits at most this many cells; beyond it the path found so far stands (it is
// still a path of free cells, only perhaps not the longest).
constexpr int PathSearchBudget = 200000;

constexpr std::array<TStep, 4> OrthogonalSteps = {{{0, -1}, {1, 0}, {0, 1}, {-1, 0}}};

// Depth-first searches for simple paths over the free cells of a map, across and down only.
class TSnakeSearch {
public:
    TSnakeSearch(int width, int height, std::vector<uint8_t> free)
        : mWidth(width), mHeight(height), mFree(std::move(free)), mSeen(mFree.size(), 0) {}

    // The longest path from (x, y), stopping early once it holds cap cells or as many as the
    // free cells the start reaches allow.
    std::vector<TCell> Longest(int x, int y, int cap) {
        mPath.clear();
        mBest.clear();
        if (!Free(x, y)) return mBest;
        mTarget = std::min(cap, Reachable(x, y, cap));
        mRandom = false;
        mBudget = PathSearchBudget;
        Visit(x, y);
        return mBest;
    }

    // A path of exactly length cells from (x, y), its steps tried in random order; empty when
    // none was found within the budget.
    std::vector<TCell> RandomPath(int x, int y, int length) {
        mPath.clear();
        mBest.clear();
        if (!Free(x, y) || length < 1) return mBest;
        mTarget = length;
        mRandom = true;
        mBudget = PathSearchBudget;
        Visit(x, y);
        return static_cast<int>(mBest.size()) == length ? mBest : std::vector<TCell>();
    }

private:
    bool Free(int x, int y) const {
        return x >= 0 && y >= 0 && x < mWidth && y < mHeight && mFree[x * mHeight + y] && !mSeen[x * mHeight + y];
    }

    // The most cells a path from (x, y) over free cells outside the path could hold, when that is
    // below limit; otherwise limit or more. A path alternates the two colours of the
    // checkerboard, so beyond the reachable cells it is also bounded by the scarcer colour.
    int Reachable(int x, int y, int limit) {
        std::vector<TCell>& stack = mStack;
        std::vector<int>& marked = mMarked;
        stack.assign(1, {static_cast<uint8_t>(x), static_cast<uint8_t>(y)});
        marked.assign(1, x * mHeight + y);
        mSeen[x * mHeight + y] = 2;
        int count = 0;
        int sameColour = 0;  // cells of the colour of (x, y)
        while (!stack.empty() && count < limit) {
            const TCell cell = stack.back();
            stack.pop_back();
            ++count;
            if ((cell.x + cell.y) % 2 == (x + y) % 2) ++sameColour;
            for (const TStep step : OrthogonalSteps) {
                const int nx = cell.x + step.dx, ny = cell.y + step.dy;
                if (!Free(nx, ny)) continue;
                mSeen[nx * mHeight + ny] = 2;
                marked.push_back(nx * mHeight + ny);
                stack.push_back({static_cast<uint8_t>(nx), static_cast<uint8_t>(ny)});
            }
        }
        const bool whole = stack.empty();
        for (const int i : marked) mSeen[i] = 0;
        if (!whole) return count;
        const int otherColour = count - sameColour;
        return std::min(count, std::min(2 * sameColour, 2 * otherColour + 1));
    }

    // True once the search may stop.
    bool Visit(int x, int y) {
        mSeen[x * mHeight + y] = 1;
        mPath.push_back({static_cast<uint8_t>(x), static_cast<uint8_t>(y)});
        if (mPath.size() > mBest.size()) mBest = mPath;
        bool done = static_cast<int>(mPath.size()) >= mTarget || --mBudget <= 0;
        if (!done) {
            std::array<TStep, 4> steps = OrthogonalSteps;
            if (mRandom)
                for (int i = 3; i > 0; --i) std::swap(steps[i], steps[RandomInt(i + 1)]);
            const int length = static_cast<int>(mPath.size());
            // Cells still wanted beyond the path; a branch that cannot reach them is cut.
            const int wanted = (mRandom ? mTarget : static_cast<int>(mBest.size()) + 1) - length;
            for (const TStep step : steps) {
                const int nx = x + step.dx, ny = y + step.dy;
                if (!Free(nx, ny) || Reachable(nx, ny, wanted) < wanted) continue;
                if ((done = Visit(nx, ny))) break;
            }
        }
        mPath.pop_back();
        mSeen[x * mHeight + y] = 0;
        return done;
    }

    int mWidth;
    int mHeight;
    std::vector<uint8_t> mFree;
    std::vector<uint8_t> mSeen;  // 1 on the path, 2 while counting
    std::vector<TCell> mPath;
    std::vector<TCell> mBest;
    std::vector<TCell> mStack;  // Reachable's, kept between its calls
    std::vector<int> mMarked;
    int mTarget = 0;
    bool mRandom = false;
    int mBudget = 0;
};

}  // namespace

TFillWordCrossword::TFillWordCrossword()
    : TCrossword(TCrosswordKind::FillWord, std::make_unique<TFillWordShablon>(1, 1)) {
    Unformatted = 1;
}

int TFillWordCrossword::CoveringSlot(int x, int y) const {
    for (int i = 0; i < Words.Count(); ++i)
        if (SlotCells(i).IndexOfCell(x, y) >= 0) return i;
    return -1;
}

std::vector<uint8_t> TFillWordCrossword::FreeCells() const {
    std::vector<uint8_t> free(static_cast<std::size_t>(Width) * Height, 0);
    for (int x = 0; x < Width; ++x)
        for (int y = 0; y < Height; ++y) free[x * Height + y] = Template->IsLetterCell(x, y) ? 1 : 0;
    for (int i = 0; i < Words.Count(); ++i) {
        const TCoord cells = SlotCells(i);
        for (const TCell& cell : cells.Cells())
            if (cell.x < Width && cell.y < Height) free[cell.x * Height + cell.y] = 0;
    }
    return free;
}

bool TFillWordCrossword::IsComplete() const {
    return std::ranges::none_of(FreeCells(), [](uint8_t free) { return free != 0; });
}

void TFillWordCrossword::WordsThroughCell(int x, int y, TShablonWords& words) const {
    words.Clear();
    const int slot = CoveringSlot(x, y);
    if (slot >= 0) words.AddWord(Words.WordX(slot), Words.WordY(slot), Words.WordLength(slot), Words.WordPath(slot));
}

TWordLengthLimits TFillWordCrossword::WordLengthLimits(const TCoord& coord, std::string& text) const {
    TWordLengthLimits limits;
    limits.Flag = false;
    text.clear();
    if (coord.Count() == 0) return limits;
    const int x = coord.CellX(0), y = coord.CellY(0);
    if (Template->IsOutside(x, y) || !Template->IsLetterCell(x, y)) return limits;
    if (const int slot = CoveringSlot(x, y); slot >= 0) {
        limits.Min = limits.Max = Words.WordLength(slot);
        text = SlotPattern(slot);
        return limits;
    }
    TSnakeSearch search(Width, Height, FreeCells());
    const int longest = static_cast<int>(search.Longest(x, y, MaxWordCells).size());
    limits.Max = longest;
    limits.Flag = longest > 1;
    TMask empty(Dictionary.CellFormat(), std::string());
    empty.Resize(longest);
    text = empty.Text();
    return limits;
}

void TFillWordCrossword::ExtraCells(const TCoord& coord, TCoord& cells) const {
    cells.Clear();
    if (coord.Count() == 0) return;
    const std::vector<uint8_t> free = FreeCells();
    const int x = coord.CellX(coord.Count() - 1), y = coord.CellY(coord.Count() - 1);
    for (const TStep step : OrthogonalSteps) {
        const int nx = x + step.dx, ny = y + step.dy;
        if (!Template->IsOutside(nx, ny) && free[nx * Height + ny]) cells.AddCell(nx, ny);
    }
}

bool TFillWordCrossword::FreeNeighbour(int x, int y) {
    std::array<TStep, 4> steps = OrthogonalSteps;
    for (int i = 3; i > 0; --i) std::swap(steps[i], steps[RandomInt(i + 1)]);
    for (const TStep step : steps) {
        const int nx = x + step.dx, ny = y + step.dy;
        if (Template->IsOutside(nx, ny) || !Template->IsLetterCell(nx, ny)) continue;
        const int slot = CoveringSlot(nx, ny);
        if (slot < 0 || Words.SlotLocked(slot)) continue;
        RemoveWordAtCoord(SlotCells(slot));
        return true;
    }
    return false;
}

bool TFillWordCrossword::FillSpecial(int x1, int y1, int x2, int y2, int& errCode, TFillResult& result) {
    errCode = FillError::Stopped;
    result.Clear();
    x1 = std::max(x1, 0);
    y1 = std::max(y1, 0);
    x2 = std::min(x2, Width - 1);
    y2 = std::min(y2, Height - 1);
    const uint32_t start = TickCount();
    int failedDraws = 0;
    int mostWords = -1;
    for (int turn = 1;; ++turn) {
        if (const int stop = StopCode(start, FillParameters.TimeLimit)) {
            errCode = stop;
            return false;
        }
        const std::vector<uint8_t> free = FreeCells();
        const auto isFree = [&](int x, int y) { return free[x * Height + y] != 0; };
        int x = -1, y = -1;
        while (x < 0 && failedDraws < StartCellDraws && x1 <= x2 && y1 <= y2) {
            const int dx = x1 + RandomInt(x2 - x1 + 1), dy = y1 + RandomInt(y2 - y1 + 1);
            if (isFree(dx, dy)) {
                x = dx;
                y = dy;
                failedDraws = 0;
            } else {
                ++failedDraws;
            }
        }
        // Once the draws keep missing, the few free cells left are taken in order.
        const bool scanning = x < 0;
        for (int cx = x1; scanning && x < 0 && cx <= x2; ++cx)
            for (int cy = y1; x < 0 && cy <= y2; ++cy)
                if (isFree(cx, cy)) {
                    x = cx;
                    y = cy;
                }
        if (x < 0) {
            errCode = 0;
            return true;
        }

        std::string pattern;
        const TCoord at(x, y, {}, Width, Height);
        const TWordLengthLimits limits = WordLengthLimits(at, pattern);
        std::string word;
        bool found = false;
        if (limits.Flag) {
            TMask mask(Dictionary.CellFormat(), pattern);
            found = Dictionary.RandomMatch(mask, limits.Min, word, limits.Max);
        }
        if (found) {
            const int cells = TMask(Dictionary.CellFormat(), word).CellCount();
            TSnakeSearch search(Width, Height, free);
            std::vector<TCell> path = search.RandomPath(x, y, cells);
            if (path.empty()) {
                path = search.Longest(x, y, cells);
                path.resize(std::min<std::size_t>(path.size(), cells));
            }
            TCoord coord(Width, Height);
            for (const TCell& cell : path) coord.AddCell(cell.x, cell.y);
            int slot = -1;
            const int code = PutWordAtCoord(coord, word, {.Related = true}, slot);
            if (code != PutCode::Placed && code != PutCode::Related) {
                errCode = FillError::PlaceFailed;
                return false;
            }
        } else if (!FreeNeighbour(x, y) && scanning) {
            // The first free cell takes no word and frees no neighbour: it can never be covered.
            errCode = FillError::Exhausted;
            return false;
        }
        if (FilledCount() > mostWords) {
            mostWords = FilledCount();
            SaveState(result);
        }
        if (turn % PassesPerMessageRun == 0) TheUi().ProcessMessages();
    }
}

bool TFillWordCrossword::Fill(int x1, int y1, int x2, int y2, bool, int& errCode, TFillResult& best) {
    return TCrossword::Fill(x1, y1, x2, y2, true, errCode, best);
}

bool TFillWordCrossword::LoadStyles(const std::string& path) {
    return TCrossword::LoadStyles(path) && LoadStrikeOutLook(path, StrikeOut, Template->StyleClamps);
}

bool TFillWordCrossword::WriteStyles(TIniFile& ini) {
    const bool ok = TCrossword::WriteStyles(ini);
    return WriteStrikeOutLook(ini, StrikeOut) && ok;
}

void TFillWordCrossword::CopyStyles(const TCrossword& other) {
    TCrossword::CopyStyles(other);
    CopyStrikeOutLook(other, StrikeOut);
}

void TFillWordCrossword::ExportCrosswordScript(TComExport& list, int mode) {
    TCrossword::ExportCrosswordScript(list, mode);
    if (!StrikeOut.ShowLine || !Template->ExportFits()) return;
    std::vector<int> slots;
    for (int i = 0; i < Words.Count(); ++i)
        if (Words.SlotFilled(i)) slots.push_back(i);
    AddStrikeOutLines(*this, slots, StrikeOut, list);
}

void TFillWordCrossword::ExportCharStyles(TCommandWriter& writer, int mode) const {
    TCrossword::ExportCharStyles(writer, mode);
    DefineStrikeOutStyle(writer, *Template, StrikeOut);
}
