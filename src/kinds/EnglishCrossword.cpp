#include "EnglishCrossword.h"

#include "EnglishShablon.h"
#include "StraightLine.h"

#include "dictionary/Mask.h"
#include "platform/Clock.h"
#include "platform/Ui.h"

#include <algorithm>
#include <memory>

namespace {

// A word laid towards an empty neighbour scores this much more than its length.
constexpr int EmptyNeighbourBonus = 5;

// True when every cell of inner is a cell of outer: a straight word lying inside another one,
// read either way, gives the solver nothing more to find.
bool LiesWithin(const TCoord& inner, const TCoord& outer) {
    return std::ranges::all_of(inner.Cells(), [&](const TCell& cell) { return outer.IndexOfCell(cell.x, cell.y) >= 0; });
}

}  // namespace

TEnglishCrossword::TEnglishCrossword() : TCrossword(TCrosswordKind::English, std::make_unique<TEnglishShablon>(1, 1)) {
    Unformatted = 1;
    Chars.FillEmpty = true;
}

TWordLengthLimits TEnglishCrossword::WordLengthLimits(const TCoord& coord, std::string& text) const {
    return StraightLimits(*this, coord, text);
}

void TEnglishCrossword::SlotExtraText(const TCoord& coord, std::string& text) const {
    text = StraightRun(*Template, coord);
}

void TEnglishCrossword::ExtraCells(const TCoord& coord, TCoord& cells) const {
    StraightNeighbours(*Template, coord, cells);
}

bool TEnglishCrossword::BestWordFrom(int x, int y, std::string& word, TCoord& cells) const {
    TCoord neighbours(Width, Height);
    ExtraCells(TCoord(x, y, {}, Width, Height), neighbours);
    std::vector<TCell> order = neighbours.Cells();
    for (int i = static_cast<int>(order.size()) - 1; i > 0; --i) std::swap(order[i], order[RandomInt(i + 1)]);
    int bestScore = 0;
    word.clear();
    for (const TCell& next : order) {
        TCoord run(Width, Height);
        run.AddCell(x, y);
        run.AddCell(next.x, next.y);
        std::string pattern;
        const TWordLengthLimits limits = WordLengthLimits(run, pattern);
        if (!limits.Flag) continue;
        std::string found;
        TMask mask(Dictionary.CellFormat(), pattern);
        if (!Dictionary.RandomMatch(mask, limits.Min, found, limits.Max)) continue;
        const int length = TMask(Dictionary.CellFormat(), found).CellCount();
        const int score = length + (IsCellEmpty(next.x, next.y) ? EmptyNeighbourBonus : 0);
        if (!word.empty() && score <= bestScore) continue;
        std::string steps;
        SlotExtraText(run, steps);
        TCoord laid = StraightCells(*this, x, y, steps, length);
        if (LiesInAWord(laid)) continue;
        word = found;
        cells = std::move(laid);
        bestScore = score;
    }
    return !word.empty();
}

bool TEnglishCrossword::LiesInAWord(const TCoord& cells) const {
    const std::vector<int> slots = SlotsThroughCell(cells.CellX(0), cells.CellY(0));
    return std::ranges::any_of(slots, [&](int slot) { return Words.SlotFilled(slot) && LiesWithin(cells, SlotCells(slot)); });
}

void TEnglishCrossword::RemoveWordsWithin(int slot) {
    const TCoord outer = SlotCells(slot);
    for (int i = Words.Count() - 1; i >= 0; --i) {
        if (i == slot || !Words.SlotFilled(i) || Words.SlotLocked(i)) continue;
        const TCoord inner = SlotCells(i);
        if (!LiesWithin(inner, outer)) continue;
        RemoveWordAtCoord(inner);
        if (i < slot) --slot;
    }
}

void TEnglishCrossword::MakeRoom(const std::vector<TCell>& emptyCells) {
    for (const TCell& cell : emptyCells) {
        TCoord neighbours(Width, Height);
        ExtraCells(TCoord(cell.x, cell.y, {}, Width, Height), neighbours);
        if (neighbours.Count() == 0) continue;
        const TCell next = neighbours.Cell(RandomInt(neighbours.Count()));
        // Taking a word out moves the indices of the ones after it: look again after each.
        for (bool removed = true; removed;) {
            removed = false;
            for (const int slot : SlotsThroughCell(next.x, next.y))
                if (!Words.SlotLocked(slot)) {
                    RemoveWordAtCoord(SlotCells(slot));
                    removed = true;
                    break;
                }
        }
    }
}

void TEnglishCrossword::ShuffleWords() {
    const int count = Words.Count();
    if (count < 2) return;
    for (int k = 0; k < count * 5 + 1; ++k) {
        const int a = RandomInt(count), b = RandomInt(count);
        if (a == b || Words.SlotLocked(a) || Words.SlotLocked(b)) continue;
        std::string first = Words.Entry(a);
        Words.SetRecord(a, Words.Entry(b));
        Words.SetRecord(b, std::move(first));
    }
}

bool TEnglishCrossword::FillSpecial(int x1, int y1, int x2, int y2, int& errCode, TFillResult& result) {
    errCode = FillError::Stopped;
    result.Clear();
    x1 = std::max(x1, 0);
    y1 = std::max(y1, 0);
    x2 = std::min(x2, Width - 1);
    y2 = std::min(y2, Height - 1);
    const auto isLetter = [&](int x, int y) { return Template->IsLetterCell(x, y); };
    if (x1 > x2 || y1 > y2) {
        errCode = FillError::Exhausted;
        return false;
    }
    // A letter cell without letter neighbours never takes a word: covering it is hopeless.
    if (FillWhole)
        for (int x = x1; x <= x2; ++x)
            for (int y = y1; y <= y2; ++y) {
                TCoord neighbours(Width, Height);
                ExtraCells(TCoord(x, y, {}, Width, Height), neighbours);
                if (isLetter(x, y) && IsCellEmpty(x, y) && neighbours.Count() == 0) {
                    errCode = FillError::Exhausted;
                    return false;
                }
            }

    const uint32_t start = TickCount();
    bool forward = false;
    int x = x2, y = y2;
    bool productive = false;
    int mostWords = -1;
    bool done = false;
    for (uint32_t turn = 1; !done; ++turn) {
        if (const int stop = StopCode(start, FillParameters.TimeLimit)) {
            errCode = stop;
            break;
        }
        std::string word;
        TCoord cells(Width, Height);
        if (isLetter(x, y) && BestWordFrom(x, y, word, cells)) {
            int slot = -1;
            const int code = PutWordAtCoord(cells, word, {.Related = true}, slot);
            if (code != PutCode::Placed && code != PutCode::Related) {
                errCode = FillError::PlaceFailed;
                break;
            }
            if (code == PutCode::Placed) {
                productive = true;
                RemoveWordsWithin(slot);
            }
        }
        // The next cell of the scan; leaving the area ends the pass.
        const bool passEnds = forward ? (x == x2 && y == y2) : (x == x1 && y == y1);
        if (!passEnds) {
            const int step = forward ? 1 : -1;
            x += step;
            if (x > x2 || x < x1) {
                x = forward ? x1 : x2;
                y += step;
            }
        } else {
            if (!productive) {
                std::vector<TCell> emptyCells;
                for (int cy = y1; cy <= y2; ++cy)
                    for (int cx = x1; cx <= x2; ++cx)
                        if (isLetter(cx, cy) && IsCellEmpty(cx, cy))
                            emptyCells.push_back({static_cast<uint8_t>(cx), static_cast<uint8_t>(cy)});
                if (emptyCells.empty() && FillWhole) {
                    errCode = 0;
                    done = true;
                }
                MakeRoom(emptyCells);
            }
            productive = false;
            forward = RandomInt(2) == 0;
            x = forward ? x1 : x2;
            y = forward ? y1 : y2;
        }
        if (FilledCount() > mostWords) {
            mostWords = FilledCount();
            SaveState(result);
        }
        if (!FillWhole && FilledCount() >= TargetWords) {
            errCode = 0;
            done = true;
        }
        if (turn % PassesPerMessageRun == 0) TheUi().ProcessMessages();
    }
    ShuffleWords();
    return done;
}

bool TEnglishCrossword::Fill(int x1, int y1, int x2, int y2, bool, int& errCode, TFillResult& best) {
    return TCrossword::Fill(x1, y1, x2, y2, true, errCode, best);
}
