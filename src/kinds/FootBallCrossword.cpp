#include "FootBallCrossword.h"

#include "StraightLine.h"

#include "dictionary/Mask.h"
#include "dictionary/TextHelpers.h"
#include "platform/Clock.h"
#include "platform/Text.h"
#include "platform/Ui.h"

#include <algorithm>
#include <array>
#include <memory>

namespace {

constexpr std::string_view NormalText = "~#1";
constexpr std::string_view EmphasizedText = "~#2";
// A word that reaches a goal column scores this much more, or loses this much right after a
// kick-off (a goal straight from the centre is no match).
constexpr int GoalBonusLeast = 5;
constexpr int GoalBonusSpread = 3;
constexpr int KickOffGoalPenalty = -5;
// Every this many take-backs, up to this many further words are taken back as well.
constexpr int DeepTakeBackEvery = 13;
constexpr int DeepTakeBackWords = 5;

bool BesideCentre(int x, int y, int cx, int cy) {
    return std::abs(x - cx) <= 1 && std::abs(y - cy) <= 1;
}

}  // namespace

TFootBallCrossword::TFootBallCrossword()
    : TCrossword(TCrosswordKind::FootBall, std::make_unique<TFootBallShablon>(1, 1)) {
    Unformatted = 1;
}

bool TFootBallCrossword::IsComplete() const {
    return FilledCount() >= 2 * HalfLength();
}

bool TFootBallCrossword::EndsInGoal(int slot) const {
    const TCoord cells = SlotCells(slot);
    if (cells.Count() == 0) return false;
    const int x = cells.CellX(cells.Count() - 1);
    return x == 0 || x == Width - 1;
}

std::vector<int> TFootBallCrossword::OrderedWords(int) const {
    std::vector<int> list;
    std::vector<bool> listed(Words.Count(), false);
    const int cx = Pitch().CentreX(), cy = Pitch().CentreY();
    for (;;) {
        const bool kickOff = list.size() % HalfLength() == 0 || EndsInGoal(list.back());
        int next = -1;
        if (kickOff) {
            for (int i = 0; i < Words.Count() && next < 0; ++i)
                if (!listed[i] && BesideCentre(Words.WordX(i), Words.WordY(i), cx, cy)) next = i;
        } else {
            const TCoord last = SlotCells(list.back());
            const int ex = last.CellX(last.Count() - 1), ey = last.CellY(last.Count() - 1);
            for (int i = 0; i < Words.Count() && next < 0; ++i)
                if (!listed[i] && Words.WordX(i) == ex && Words.WordY(i) == ey) next = i;
        }
        if (next < 0) return list;
        listed[next] = true;
        list.push_back(next);
    }
}

template <typename Entry>
std::string TFootBallCrossword::MatchList(const TClueListOptions& options, Entry&& entry) const {
    const std::string separator = options.OnePerLine ? "\r\n" : " ";
    std::string first(NormalText), second(NormalText);
    int position = 0;
    for (const int slot : ListedWords(options.Order)) {
        ++position;
        std::string text;
        if (options.Numbers) text += ClueNumberText(options.Count ? position : ClueNumber(slot), options);
        text += entry(slot) + separator;
        (options.SplitDirections && position > HalfLength() ? second : first) += text;
    }
    if (!options.SplitDirections) return first;
    const auto heading = [&](std::string_view title) {
        return std::string(EmphasizedText) + std::string(title) + " " + std::string(NormalText) + separator;
    };
    return heading("Первый тайм:"_cp) + first + "\r\n" + heading("Второй тайм:"_cp) + second;
}

std::string TFootBallCrossword::Answer(int slot, const TClueListOptions& options) const {
    if (!Words.SlotFilled(slot)) return std::string(Words.WordLength(slot), '?');
    std::string word(Words.SlotWord(slot));
    if (Dictionary.CellFormat() == CellFormatPieces) word = ReplaceChar(word, '~', ' ');
    if (options.Capitalize && !word.empty()) word[0] = Dictionary.ToUpperLetter(word[0]);
    return word;
}

std::string TFootBallCrossword::BuildClueText(const TClueListOptions& options) const {
    return MatchList(options, [&](int slot) {
        std::string word = Answer(slot, options);
        if (EndsInGoal(slot)) word += " (ГОЛ!)"_cp;
        if (options.Dot) word += ". ";
        return word;
    });
}

std::string TFootBallCrossword::BuildCluePages(const TClueListOptions& options, bool withAnswers) const {
    return MatchList(options, [&](int slot) {
        std::string text;
        if (withAnswers) text += Answer(slot, options) + " - ";
        std::string clue(options.MissingClue);
        if (Words.SlotFilled(slot) && Words.SlotHasDefinition(slot)) {
            const std::string_view stored = Words.SlotDefinition(slot);
            clue = TrimBlanks(options.Markup ? FormatDefinition(stored, true).Text : std::string(stored));
        }
        if (options.Lengths) clue += " (" + std::to_string(Words.WordLength(slot)) + ").";
        return text + clue;
    });
}

TWordLengthLimits TFootBallCrossword::WordLengthLimits(const TCoord& coord, std::string& text) const {
    return StraightLimits(*this, coord, text);
}

void TFootBallCrossword::SlotExtraText(const TCoord& coord, std::string& text) const {
    text = StraightRun(*Template, coord);
}

void TFootBallCrossword::ExtraCells(const TCoord& coord, TCoord& cells) const {
    StraightNeighbours(*Template, coord, cells);
}

bool TFootBallCrossword::FillSpecial(int, int, int, int, int& errCode, TFillResult& result) {
    errCode = FillError::Stopped;
    result.Clear();
    const uint32_t start = TickCount();
    const int half = HalfLength();
    const int cx = Pitch().CentreX(), cy = Pitch().CentreY();
    // The match as cell lists: taking a word back deletes its slot record and moves the indices.
    std::vector<TCoord> match;
    for (const int slot : OrderedWords(0)) match.push_back(SlotCells(slot));
    // Kick-off cells that gave nothing while the match was empty, one bit per cell around the centre.
    unsigned deadKickOffs = 0;
    constexpr unsigned AllKickOffs = 0x1EF;  // the 3 x 3 cells but the centre
    int takeBacks = 0;
    int mostWords = -1;
    const auto lastCell = [](const TCoord& cells) { return cells.Cell(cells.Count() - 1); };
    const auto goal = [&](const TCoord& cells) { return lastCell(cells).x == 0 || lastCell(cells).x == Width - 1; };
    const auto takeBack = [&]() {
        const TCoord& cells = match.back();
        const int slot = Words.FindSlot(cells.CellX(0), cells.CellY(0), cells.ToPath());
        if (slot >= 0 && Words.SlotLocked(slot)) return false;
        RemoveWordAtCoord(cells);
        match.pop_back();
        return true;
    };

    for (int turn = 1;; ++turn) {
        if (const int stop = StopCode(start, FillParameters.TimeLimit)) {
            errCode = stop;
            return false;
        }
        if (static_cast<int>(match.size()) >= 2 * half) {
            errCode = 0;
            return true;
        }
        const bool kickOff = match.size() % half == 0 || goal(match.back());
        int x = 0, y = 0;
        if (kickOff) {
            x = cx + RandomInt(3) - 1;
            y = cy + RandomInt(3) - 1;
            if (x == cx && y == cy) y += RandomInt(2) == 0 ? -1 : 1;
        } else {
            x = lastCell(match.back()).x;
            y = lastCell(match.back()).y;
        }
        const bool startsOnPitch = !Template->IsOutside(x, y) && Template->IsLetterCell(x, y);

        std::string bestWord;
        TCoord bestCells(Width, Height);
        int bestScore = 0;
        if (startsOnPitch) {
            const TCoord from(x, y, {}, Width, Height);
            TCoord neighbours(Width, Height);
            ExtraCells(from, neighbours);
            std::vector<TCell> directions = neighbours.Cells();
            for (int i = static_cast<int>(directions.size()) - 1; i > 0; --i)
                std::swap(directions[i], directions[RandomInt(i + 1)]);
            for (const TCell& next : directions) {
                TCoord run(Width, Height);
                run.AddCell(x, y);
                run.AddCell(next.x, next.y);
                std::string pattern;
                const TWordLengthLimits limits = WordLengthLimits(run, pattern);
                if (!limits.Flag) continue;
                TMask mask(Dictionary.CellFormat(), pattern);
                std::string word;
                if (!Dictionary.RandomMatch(mask, limits.Min, word, limits.Max)) continue;
                std::string steps;
                SlotExtraText(run, steps);
                TCoord cells = StraightCells(*this, x, y, steps, TMask(Dictionary.CellFormat(), word).CellCount());
                // A shorter word on the cells of a standing slot would take that word's place.
                if (Words.FindSlot(x, y, cells.ToPath()) >= 0) continue;
                const int score = cells.Count() +
                                  (goal(cells) ? (kickOff ? KickOffGoalPenalty
                                                          : GoalBonusLeast + RandomInt(GoalBonusSpread))
                                               : 0);
                if (bestWord.empty() || score > bestScore) {
                    bestWord = word;
                    bestCells = cells;
                    bestScore = score;
                }
            }
        }

        if (!bestWord.empty()) {
            int slot = -1;
            const int code = PutWordAtCoord(bestCells, bestWord, {.Related = true}, slot);
            if (code != PutCode::Placed && code != PutCode::Related) {
                errCode = FillError::PlaceFailed;
                return false;
            }
            if (code == PutCode::Placed) {
                match.push_back(bestCells);
                deadKickOffs = 0;
            }
        } else if (!startsOnPitch || match.empty()) {
            // Nothing to take back for this start (only kick-offs get here): another kick-off
            // cell is drawn, until none around the centre is left.
            deadKickOffs |= 1u << ((y - cy + 1) * 3 + (x - cx + 1));
            if (deadKickOffs == AllKickOffs) {
                errCode = FillError::Exhausted;
                return false;
            }
        } else {
            if (!takeBack()) {
                errCode = FillError::PlaceFailed;
                return false;
            }
            deadKickOffs = 0;
            if (++takeBacks % DeepTakeBackEvery == 0)
                for (int k = 0; k < DeepTakeBackWords && !match.empty(); ++k)
                    if (!takeBack()) break;
        }
        if (FilledCount() > mostWords) {
            mostWords = FilledCount();
            SaveState(result);
        }
        if (turn % PassesPerMessageRun == 0) TheUi().ProcessMessages();
    }
}

bool TFootBallCrossword::Fill(int x1, int y1, int x2, int y2, bool, int& errCode, TFillResult& best) {
    return TCrossword::Fill(x1, y1, x2, y2, true, errCode, best);
}
