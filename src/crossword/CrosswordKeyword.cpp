// Choosing the key-word cells of a filled grid.

#include "Crossword.h"

#include "dictionary/Mask.h"
#include "platform/Clock.h"
#include "platform/Text.h"
#include "platform/Ui.h"

#include <algorithm>
#include <cmath>

namespace {

// Key words this long or longer are placed cell by cell; shorter ones by a scored search.
constexpr int GreedyKeywordCells = 15;
constexpr int KeywordTrials = 101;
constexpr int NoScore = 1000000;
constexpr int ScoreNumbered = 100;     // the cell carries a clue number
constexpr int ScoreArrow = 100;        // the cell carries an arrow
constexpr int ScoreCrossing = 500;     // two slots pass through the cell
constexpr int ScoreSameSlot = 3000;    // another key-word cell lies in the same slot
constexpr int ScoreSpread = 15;        // per cell of distance between two key-word cells, shared out
constexpr int ScoreOffCentre = 10;     // per cell of distance from the centre

}  // namespace

bool TCrossword::SetKeyword(std::string_view keyword, TKeywordOptions options) {
    Template->ClearKeyWord();
    if (keyword.empty()) return true;

    const TMask cells(Dictionary.CellFormat(), std::string(keyword));
    const int n = cells.CellCount();
    std::vector<std::string> texts;
    for (int p = 0; p < n; ++p) texts.push_back(cells.CellText(p));

    const auto candidatesOf = [&](const std::string& text) {
        std::vector<TCell> found;
        for (int x = 0; x < Width; ++x)
            for (int y = 0; y < Height; ++y)
                if (CellText(x, y) == text) found.push_back({static_cast<uint8_t>(x), static_cast<uint8_t>(y)});
        return found;
    };
    TShablonWords through;
    const auto slotsThrough = [&](TCell cell) {
        WordsThroughCell(cell.x, cell.y, through);
        return through.Count();
    };
    const auto passes = [&](TCell cell) {
        if (options.SingleWordCellsOnly && slotsThrough(cell) > 1) return false;
        if (options.AvoidMarkedCells) {
            if (Template->UsesDigits && Template->IsNumbered(cell.x, cell.y)) return false;
            if (Template->UsesArrows && Template->HasAttrB(cell.x, cell.y)) return false;
        }
        return true;
    };
    const auto append = [&](TCell cell) {
        Template->KeyWordCells += static_cast<char>(cell.x);
        Template->KeyWordCells += static_cast<char>(cell.y);
    };

    if (n >= GreedyKeywordCells) {
        for (int p = 0; p < n; ++p) {
            std::vector<TCell> list = candidatesOf(texts[p]);
            std::erase_if(list, [&](TCell c) { return Template->KeyWordNumberAt(c.x, c.y) >= 0; });
            if (list.empty()) return false;
            while (list.size() > 1) {
                const int k = RandomInt(static_cast<int>(list.size()));
                if (passes(list[k])) {
                    list = {list[k]};
                    break;
                }
                list.erase(list.begin() + k);
            }
            append(list.front());
        }
        return true;
    }

    std::vector<std::vector<TCell>> candidates(n);
    for (int p = 0; p < n; ++p) {
        const std::size_t needed = static_cast<std::size_t>(std::count(texts.begin(), texts.end(), texts[p]));
        std::vector<TCell>& list = candidates[p] = candidatesOf(texts[p]);
        if (list.size() < needed) {
            TheUi().Message(Format("Не достаточно букв \"%s\" для ключевого слова!"_cp, texts[p]));
            return false;
        }
        for (std::size_t i = 0; list.size() > needed && i < list.size();) {
            if (i + 1 < list.size() && !passes(list[i]))
                list.erase(list.begin() + static_cast<std::ptrdiff_t>(i));
            else
                ++i;
        }
    }

    std::vector<TCell> trial(n);
    std::vector<TCell> best;
    int bestScore = NoScore;
    for (int t = 0; t < KeywordTrials; ++t) {
        for (int p = 0; p < n; ++p) trial[p] = candidates[p][RandomInt(static_cast<int>(candidates[p].size()))];
        bool distinct = true;
        for (int i = 0; i < n && distinct; ++i)
            for (int j = i + 1; j < n && distinct; ++j) distinct = !(trial[i] == trial[j]);
        if (!distinct) continue;

        int score = RandomInt(100);
        for (const TCell& cell : trial) {
            if (Template->UsesDigits && Template->IsNumbered(cell.x, cell.y)) score += ScoreNumbered;
            if (Template->UsesArrows && Template->HasAttrB(cell.x, cell.y)) score += ScoreArrow;
            WordsThroughCell(cell.x, cell.y, through);
            if (through.Count() > 1) score += ScoreCrossing;
            for (int k = 0; k < through.Count(); ++k) {
                const TCoord slotCells(through.WordX(k), through.WordY(k), through.WordPath(k), Width, Height);
                for (const TCell& other : slotCells.Cells())
                    if (!(other == cell) && std::find(trial.begin(), trial.end(), other) != trial.end())
                        score += ScoreSameSlot;
            }
        }
        for (int i = 0; i < n; ++i)
            for (int j = i + 1; j < n; ++j) {
                const double d = std::hypot(trial[i].x - trial[j].x, trial[i].y - trial[j].y);
                score -= static_cast<int>(std::nearbyint(ScoreSpread * d / n));  // halves to even
            }
        for (const TCell& cell : trial)
            score += ScoreOffCentre * (std::abs(cell.x - Width / 2) + std::abs(cell.y - Height / 2));
        if (score < bestScore) {
            bestScore = score;
            best = trial;
        }
    }
    if (best.empty()) return false;
    for (const TCell& cell : best) append(cell);
    return true;
}
