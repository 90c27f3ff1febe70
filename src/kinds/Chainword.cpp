#include "Chainword.h"

#include "dictionary/Find.h"
#include "dictionary/Mask.h"
#include "platform/Clock.h"
#include "platform/Ui.h"

#include <algorithm>
#include <memory>

namespace {

constexpr int MaxRunCells = 25;
constexpr int TurnsPerMessageRun = 15;
// The random-restart fill takes words back once this many placements have failed.
constexpr int FailuresBeforeTakeBack = 25;
constexpr int MaxExtraTakeBacks = 10;

// The step character from (x0, y0) to the neighbouring (x1, y1).
char StepChar(int x0, int y0, int x1, int y1) {
    if (x0 == x1) return y0 < y1 ? '2' : '8';
    return x0 < x1 ? '6' : '4';
}

}  // namespace

TChainword::TChainword() : TCrossword(TCrosswordKind::Chainword, std::make_unique<TChainwordShablon>(1, 1)) {}

int TChainword::SlotStartingAt(int x, int y) const {
    for (int i = 0; i < Words.Count(); ++i)
        if (Words.WordX(i) == x && Words.WordY(i) == y) return i;
    return -1;
}

bool TChainword::IsComplete() const {
    if (!Unformatted) return TCrossword::IsComplete();
    if (Width == 1 && Height == 1) return false;
    int x = Shape().ChainStartX, y = Shape().ChainStartY;
    const int overlap = Shape().Overlap;
    for (int steps = Width * Height; steps > 0; --steps) {
        const int slot = SlotStartingAt(x, y);
        if (slot < 0) return false;
        const TCoord cells = SlotCells(slot);
        const int n = cells.Count();
        if (Shape().ChainEndsAt(cells.CellX(n - 1), cells.CellY(n - 1))) return true;
        if (n <= overlap) return false;
        x = cells.CellX(n - overlap);
        y = cells.CellY(n - overlap);
    }
    return false;
}

void TChainword::RebuildWords() {
    Words.Clear();
    TChainwordShablon& shape = Shape();
    if (Unformatted) {
        for (int x = 0; x < Width; ++x)
            for (int y = 0; y < Height; ++y)
                if (shape.HasMarkE(x, y) && shape.GetNumber(x, y) != 1) {
                    shape.SetMarkE(x, y, false);
                    shape.SetNumbered(x, y, false);
                }
        return;
    }
    if (Width == 1 && Height == 1) return;
    int x = shape.ChainStartX, y = shape.ChainStartY;
    if (shape.IsOutside(x, y)) return;
    const auto addSlot = [&](int cx, int cy) {
        const std::string path = shape.ChainWordPath(cx, cy);
        Words.AddSlot(cx, cy, path, static_cast<int>(path.size()) + 1);
    };
    addSlot(x, y);
    for (int steps = Width * Height; steps > 0 && shape.NextChainCell(x, y); --steps)
        if (shape.IsNumbered(x, y)) addSlot(x, y);
}

int TChainword::PutWordAtCoord(const TCoord& coord, std::string_view word, TPutChecks checks, int& slot) {
    const int code = TCrossword::PutWordAtCoord(coord, word, checks, slot);
    if (code == PutCode::Placed && Unformatted && coord.Count() > 0) Shape().SetMarkE(coord.CellX(0), coord.CellY(0), true);
    Template->NumberCells();
    return code;
}

void TChainword::RemoveWordAtCoord(const TCoord& coord) {
    TCrossword::RemoveWordAtCoord(coord);
    if (Unformatted && coord.Count() > 0) Shape().SetMarkE(coord.CellX(0), coord.CellY(0), false);
    Template->NumberCells();
}

void TChainword::SlotExtraText(const TCoord& coord, std::string& text) const {
    text.clear();
    if (coord.Count() == 0) return;
    const TChainwordShablon& shape = Shape();
    int x = coord.CellX(0), y = coord.CellY(0);
    if (shape.IsOutside(x, y)) return;
    int countdown = shape.Overlap;
    bool running = false;
    for (int steps = Width * Height; steps > 0 && static_cast<int>(text.size()) + 1 < MaxRunCells; --steps) {
        const char step = shape.ChainStepChar(x, y);
        if (!shape.NextChainCell(x, y)) break;
        text += step;
        if (!running && shape.HasMarkE(x, y)) running = true;
        if (running && --countdown <= 0) break;
    }
}

TWordLengthLimits TChainword::WordLengthLimits(const TCoord& coord, std::string& text) const {
    text.clear();
    TWordLengthLimits limits;
    limits.Flag = false;
    if (coord.Count() == 0) return limits;
    const int x = coord.CellX(0), y = coord.CellY(0);
    if (Template->IsOutside(x, y) || !Template->IsLetterCell(x, y)) return limits;
    const int overlap = Shape().Overlap;
    std::string steps;
    SlotExtraText(coord, steps);
    const TCoord run(x, y, steps, Width, Height);
    limits.Max = run.Count();
    limits.Min = overlap > 1 ? overlap + 1 : 2;
    TShablonWords through;
    WordsThroughCell(x, y, through);
    bool allowed = through.Count() == 0;
    for (int i = 0; i < through.Count(); ++i) {
        const TCoord cells(through.WordX(i), through.WordY(i), through.WordPath(i), Width, Height);
        if (cells.CellX(0) == x && cells.CellY(0) == y) return limits;
        const int n = cells.Count();
        if (n >= overlap && cells.CellX(n - overlap) == x && cells.CellY(n - overlap) == y) allowed = true;
    }
    limits.Flag = allowed;
    if (allowed) text = PatternAtCoord(run);
    return limits;
}

bool TChainword::FillSpecial(int, int, int, int, int& errCode, TFillResult& result) {
    errCode = 0;
    result.Clear();
    const uint32_t start = TickCount();
    const TChainwordShablon& shape = Shape();
    const int overlap = shape.Overlap;
    struct TLevel {
        int X, Y;
        TFind Candidates;
    };
    std::vector<TLevel> stack;
    std::size_t deepest = 0;
    int x = shape.ChainStartX, y = shape.ChainStartY;
    if (shape.IsOutside(x, y) || !shape.IsLetterCell(x, y)) return true;

    // Moves past the words standing from (x, y) on and opens a level at the first free start.
    // 1: the chain is full; 0: a level was pushed; an error code when a word cannot be followed.
    const auto advance = [&]() -> int {
        for (int steps = Width * Height + 1; steps > 0; --steps) {
            if (shape.ChainEndsAt(x, y)) return 1;
            const TCoord from(x, y, {}, Width, Height);
            std::string pattern;
            const TWordLengthLimits limits = WordLengthLimits(from, pattern);
            const int slot = SlotStartingAt(x, y);
            if (!limits.Flag && slot >= 0) {
                const TCoord cells = SlotCells(slot);
                const int n = cells.Count();
                if (shape.ChainEndsAt(cells.CellX(n - 1), cells.CellY(n - 1))) return 1;
                if (n <= overlap) return FillError::PlaceFailed;
                x = cells.CellX(n - overlap);
                y = cells.CellY(n - overlap);
                continue;
            }
            TLevel level{x, y, {}};
            if (limits.Flag)
                Dictionary.CollectByLengthRange(TMask(Dictionary.CellFormat(), pattern), limits.Min, level.Candidates,
                                                limits.Max);
            stack.push_back(std::move(level));
            return 0;
        }
        return FillError::PlaceFailed;
    };

    bool advancing = true;
    for (int turn = 1;; ++turn) {
        if (const int stop = StopCode(start, FillParameters.TimeLimit)) {
            errCode = stop;
            return false;
        }
        if (advancing) {
            const int state = advance();
            if (state == 1) return true;
            if (state < 0) {
                errCode = state;
                return false;
            }
            advancing = false;
        }
        TLevel& top = stack.back();
        std::string word;
        if (top.Candidates.DrawWord(word)) {
            std::string steps;
            SlotExtraText(TCoord(top.X, top.Y, {}, Width, Height), steps);
            const int cellCount = TMask(Dictionary.CellFormat(), word).CellCount();
            const TCoord cells(top.X, top.Y, steps.substr(0, std::max(cellCount - 1, 0)), Width, Height);
            int slot = -1;
            const int code = PutWordAtCoord(cells, word, {.StartLetters = AvoidStartLetters != 0, .Related = true}, slot);
            if (code == PutCode::Placed) {
                advancing = true;
                x = top.X;
                y = top.Y;
            } else if (code != PutCode::StartLetter && code != PutCode::Related) {
                errCode = FillError::PlaceFailed;
                return false;
            }
        } else {
            stack.pop_back();
            if (stack.empty()) {
                errCode = FillError::Exhausted;
                return false;
            }
            const TLevel& back = stack.back();
            for (int slot = SlotStartingAt(back.X, back.Y); slot >= 0; slot = SlotStartingAt(back.X, back.Y))
                RemoveWordAtCoord(SlotCells(slot));
        }
        if (stack.size() > deepest) {
            deepest = stack.size();
            SaveState(result);
        }
        if (turn % TurnsPerMessageRun == 0) TheUi().ProcessMessages();
    }
}

bool TChainword::Fill(int x1, int y1, int x2, int y2, bool, int& errCode, TFillResult& best) {
    return TCrossword::Fill(x1, y1, x2, y2, Unformatted != 0, errCode, best);
}

TCrossChainword::TCrossChainword()
    : TCrossword(TCrosswordKind::CrossChainword, std::make_unique<TCrossChainwordShablon>(1, 1)) {
    Unformatted = 1;
}

void TCrossChainword::TakeChain() {
    int loopStart = -1;
    Shape().ChainCells(Chain, loopStart);
}

void TCrossChainword::PrepareForFill() {
    TCrossword::PrepareForFill();
    TakeChain();
    RebuildWordStarts();
}

bool TCrossChainword::LoadText(std::string_view data, bool loadDictionary, bool showMessages) {
    const bool loaded = TCrossword::LoadText(data, loadDictionary, showMessages);
    TakeChain();
    RebuildWordStarts();
    return loaded;
}

bool TCrossChainword::LoadTemplateFile(const std::string& path) {
    const bool loaded = TCrossword::LoadTemplateFile(path);
    TakeChain();
    RebuildWordStarts();
    return loaded;
}

int TCrossChainword::ChainPositionOf(const TCoord& cells) const {
    if (cells.Count() < 2) return -1;
    for (int p = 0; p + 1 < Chain.Count(); ++p)
        if (Chain.Cell(p) == cells.Cell(0) && Chain.Cell(p + 1) == cells.Cell(1)) return p;
    return -1;
}

int TCrossChainword::WordAtChainStep(int x0, int y0, int x1, int y1) const {
    const char step = StepChar(x0, y0, x1, y1);
    for (int i = 0; i < Words.Count(); ++i)
        if (Words.WordX(i) == x0 && Words.WordY(i) == y0 && !Words.WordPath(i).empty() &&
            Words.WordPath(i).front() == step)
            return i;
    return -1;
}

int TCrossChainword::WordAtPosition(int p) const {
    if (p < 0 || p + 1 >= Chain.Count()) return -1;
    return WordAtChainStep(Chain.CellX(p), Chain.CellY(p), Chain.CellX(p + 1), Chain.CellY(p + 1));
}

int TCrossChainword::NextOpenPosition(int p) const {
    for (;;) {
        if (p >= Chain.Count() - 1) return -1;
        const int w = WordAtPosition(p);
        if (w < 0) return p;
        p += std::max(Words.WordLength(w) - 1, 1);
    }
}

void TCrossChainword::RebuildWordStarts() {
    TCrossChainwordShablon& shape = Shape();
    shape.WordStarts.Clear();
    for (int i = 0; i < Words.Count(); ++i) {
        const int p = ChainPositionOf(SlotCells(i));
        if (p >= 0) shape.WordStarts.Add(TCrossChainwordShablon::PositionText(p));
    }
    shape.NumberCells();
}

bool TCrossChainword::IsComplete() const {
    const int count = Chain.Count();
    if (count == 0) return false;
    int s = 0;
    while (s < count - 1) {
        const int w = WordAtPosition(s);
        if (w < 0) break;
        s += std::max(Words.WordLength(w) - 1, 1);
    }
    return s == count - 1;
}

TCoord TCrossChainword::StepAt(int p) const {
    TCoord run(Width, Height);
    run.AddCell(Chain.CellX(p), Chain.CellY(p));
    run.AddCell(Chain.CellX(p + 1), Chain.CellY(p + 1));
    return run;
}

TCoord TCrossChainword::CellsFrom(int p, int count) const {
    TCoord cells(Width, Height);
    for (int i = p; i < p + count && i < Chain.Count(); ++i) cells.AddCell(Chain.CellX(i), Chain.CellY(i));
    return cells;
}

void TCrossChainword::SlotExtraText(const TCoord& coord, std::string& text) const {
    text.clear();
    const int p = ChainPositionOf(coord);
    if (p < 0) return;
    const int count = Chain.Count();
    for (int i = p + 1; i < count; ++i) {
        text += StepChar(Chain.CellX(i - 1), Chain.CellY(i - 1), Chain.CellX(i), Chain.CellY(i));
        if (static_cast<int>(text.size()) >= MaxRunCells - 1) return;
        if (i < count - 1 && Template->IsNumbered(Chain.CellX(i), Chain.CellY(i)) && WordAtPosition(i) >= 0) return;
    }
}

TWordLengthLimits TCrossChainword::WordLengthLimits(const TCoord& coord, std::string& text) const {
    text.clear();
    std::string steps;
    SlotExtraText(coord, steps);
    TWordLengthLimits limits;
    limits.Min = 2;
    limits.Max = static_cast<int>(steps.size()) + 1;
    limits.Flag = !steps.empty();
    if (limits.Flag) text = PatternAtCoord(TCoord(coord.CellX(0), coord.CellY(0), steps, Width, Height));
    return limits;
}

void TCrossChainword::ExtraCells(const TCoord& coord, TCoord& cells) const {
    cells.Clear();
    if (coord.Count() == 0) return;
    const TCell from = coord.Cell(0);
    TShablonWords through;
    if (!IsCellEmpty(from.x, from.y)) WordsThroughCell(from.x, from.y, through);
    const auto continued = [&](const TCell& next) {
        for (int w = 0; w < through.Count(); ++w) {
            const TCoord word(through.WordX(w), through.WordY(w), through.WordPath(w), Width, Height);
            for (int i = 0; i + 1 < word.Count(); ++i)
                if (word.Cell(i) == from && word.Cell(i + 1) == next) return true;
        }
        return false;
    };
    for (int n = 0; n + 1 < Chain.Count(); ++n)
        if (Chain.Cell(n) == from && !continued(Chain.Cell(n + 1))) cells.AddCell(Chain.CellX(n + 1), Chain.CellY(n + 1));
}

int TCrossChainword::PutWordAtCoord(const TCoord& coord, std::string_view word, TPutChecks checks, int& slot) {
    slot = -1;
    RemoveWordAtCoord(coord);
    const auto done = [&](int code) {
        Template->NumberCells();
        return code;
    };
    if (TwoLettersForOneCell(word, coord.Cells())) return done(PutCode::TwoLetters);
    const int n = coord.Count();
    const int p = ChainPositionOf(coord);
    if (n > 0) {
        const TCell last = coord.Cell(n - 1);
        if (Template->GetNumber(last.x, last.y) > 1 && p >= 0 && p + n < Chain.Count()) {
            const TCell follower = Chain.Cell(p + n);
            TShablonWords through;
            WordsThroughCell(last.x, last.y, through);
            for (int w = 0; w < through.Count(); ++w) {
                if (through.WordX(w) != last.x || through.WordY(w) != last.y || through.WordPath(w).empty()) continue;
                const TStep step = StepOf(through.WordPath(w).front());
                if (last.x + step.dx != follower.x || last.y + step.dy != follower.y) return done(BreaksChain);
            }
        }
    }
    if (checks.StartLetters && !NoStartLetters.empty()) {
        const TMask cells(Dictionary.CellFormat(), word);
        const std::string lastLetter = cells.CellText(cells.CellCount() - 1);
        if (!lastLetter.empty() && NoStartLetters.find(lastLetter) != std::string::npos) return done(PutCode::StartLetter);
    }
    const int code = TCrossword::PutWordAtCoord(coord, word, checks, slot);
    if (code == PutCode::Placed && p >= 0) Shape().WordStarts.Add(TCrossChainwordShablon::PositionText(p));
    return done(code);
}

void TCrossChainword::RemoveWordAtCoord(const TCoord& coord) {
    TCrossword::RemoveWordAtCoord(coord);
    const int p = ChainPositionOf(coord);
    if (p >= 0) Shape().WordStarts.Remove(TCrossChainwordShablon::PositionText(p));
    Template->NumberCells();
}

bool TCrossChainword::FillSpecial(int, int, int, int, int& errCode, TFillResult& result) {
    errCode = 0;
    result.Clear();
    const uint32_t start = TickCount();
    const int first = NextOpenPosition(0);
    if (first < 0) return true;
    struct TLevel {
        int P;
        TFind Candidates;
    };
    std::vector<TLevel> stack;
    std::size_t deepest = 0;
    const auto push = [&](int p) {
        TLevel level{p, {}};
        std::string pattern;
        const TWordLengthLimits limits = WordLengthLimits(StepAt(p), pattern);
        if (limits.Flag)
            Dictionary.CollectByLengthRange(TMask(Dictionary.CellFormat(), pattern), limits.Min, level.Candidates,
                                            limits.Max);
        stack.push_back(std::move(level));
    };
    push(first);
    for (int turn = 1;; ++turn) {
        if (const int stop = StopCode(start, FillParameters.TimeLimit)) {
            errCode = stop;
            return false;
        }
        TLevel& top = stack.back();
        std::string word;
        if (top.Candidates.DrawWord(word)) {
            const int p = top.P;
            const TCoord cells = CellsFrom(p, TMask(Dictionary.CellFormat(), word).CellCount());
            int slot = -1;
            if (PutWordAtCoord(cells, word, {.StartLetters = true, .Related = true}, slot) == PutCode::Placed) {
                const int next = NextOpenPosition(p);
                if (next < 0) return true;
                push(next);
            }
        } else {
            stack.pop_back();
            if (stack.empty()) {
                errCode = FillError::Exhausted;
                return false;
            }
            const int w = WordAtPosition(stack.back().P);
            if (w >= 0) RemoveWordAtCoord(SlotCells(w));
        }
        if (stack.size() > deepest) {
            deepest = stack.size();
            SaveState(result);
        }
        if (turn % TurnsPerMessageRun == 0) TheUi().ProcessMessages();
    }
}

bool TCrossChainword::FillRandomRestart(int, int, int, int, int& errCode, TFillResult& result) {
    errCode = 0;
    result.Clear();
    const uint32_t start = TickCount();
    int next = NextOpenPosition(0);
    if (next < 0) return true;
    std::vector<int> stack{next};
    std::size_t deepest = 0;
    uint8_t failures = 0;
    for (int turn = 1;; ++turn) {
        if (const int stop = StopCode(start, FillParameters.TimeLimit)) {
            errCode = stop;
            return false;
        }
        const int p = stack.back();
        std::string pattern;
        const TWordLengthLimits limits = WordLengthLimits(StepAt(p), pattern);
        bool deadEnd = false;
        if (limits.Flag) {
            TMask mask(Dictionary.CellFormat(), pattern);
            std::string word;
            if (Dictionary.RandomMatch(mask, limits.Min, word, limits.Max)) {
                const TCoord cells = CellsFrom(p, TMask(Dictionary.CellFormat(), word).CellCount());
                int slot = -1;
                if (PutWordAtCoord(cells, word, {.StartLetters = true, .Related = true}, slot) == PutCode::Placed) {
                    next = NextOpenPosition(p);
                    if (next < 0) return true;
                    stack.push_back(next);
                } else {
                    ++failures;
                }
            } else {
                ++failures;
                deadEnd = true;
            }
        } else {
            ++failures;
        }
        if (failures >= FailuresBeforeTakeBack || deadEnd) {
            failures = static_cast<uint8_t>(failures - FailuresBeforeTakeBack);
            const int k = deadEnd ? 1 : 1 + RandomInt(MaxExtraTakeBacks);
            for (int i = 0; i < k + 1 && !stack.empty(); ++i) {
                const int w = WordAtPosition(stack.back());
                if (w >= 0) RemoveWordAtCoord(SlotCells(w));
                stack.pop_back();
            }
            next = NextOpenPosition(0);
            if (next < 0) return true;
            stack.push_back(next);
        }
        if (stack.size() > deepest) {
            deepest = stack.size();
            SaveState(result);
        }
        if (turn % TurnsPerMessageRun == 0) TheUi().ProcessMessages();
    }
}

bool TCrossChainword::Fill(int x1, int y1, int x2, int y2, bool, int& errCode, TFillResult& best) {
    return TCrossword::Fill(x1, y1, x2, y2, FillParameters.FillMethod != TFillMethod::RandomRestart, errCode, best);
}
