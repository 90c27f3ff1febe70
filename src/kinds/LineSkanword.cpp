#include "LineSkanword.h"

#include "ClueBoxes.h"
#include "LineShablon.h"

#include "dictionary/Find.h"
#include "dictionary/Mask.h"
#include "dictionary/TextHelpers.h"
#include "export/ComExport.h"
#include "export/ScriptWriter.h"
#include "platform/Clock.h"
#include "platform/Metafile.h"
#include "platform/Text.h"
#include "platform/Ui.h"

#include <algorithm>
#include <memory>
#include <vector>

namespace {

constexpr int Rows = TLineShablon::Rows;
constexpr int MaxRunCells = 24;
constexpr int TurnsPerMessageRun = 15;
constexpr int64_t ExportUnits = 1000;
constexpr std::string_view NormalText = "~#1";

}  // namespace

TLineSkanword::TLineSkanword() : TCrossword(TCrosswordKind::LineSkanword, std::make_unique<TLineShablon>(1, Rows)) {
    CluesInGrid = 1;
    Unformatted = 1;
    SetHeight(Rows);
}

bool TLineSkanword::HoldsLetter(int x, int y) const {
    if (!InStrip(x, y) || IsCellEmpty(x, y)) return false;
    return IsFixedCell(x, y) || FilledSlotThrough(x, y, -1);
}

int TLineSkanword::WordStartingAt(int x, int y) const {
    for (int i = 0; i < Words.Count(); ++i)
        if (Words.WordX(i) == x && Words.WordY(i) == y) return i;
    return -1;
}

bool TLineSkanword::IsComplete() const {
    bool anyLetterCell = false;
    for (int x = 0; x < Width; ++x)
        for (int y = 0; y < Rows; ++y) {
            if (!Template->IsLetterCell(x, y)) continue;
            anyLetterCell = true;
            if (IsCellEmpty(x, y)) return false;
        }
    return anyLetterCell;
}

std::string TLineSkanword::PatternAtCoord(const TCoord& coord) const {
    TMask mask(Dictionary.CellFormat(), std::string());
    mask.Resize(coord.Count());
    for (int i = 0; i < coord.Count(); ++i) {
        const int x = coord.CellX(i), y = coord.CellY(i);
        // Only the strip's two rows have another row; elsewhere the position is open.
        const int other = 1 - y;
        if (InStrip(x, y) && HoldsLetter(x, other))
            mask.SetCell(i, CellText(x, other));
        else
            mask.ClearCell(i);
    }
    return mask.Text();
}

std::string TLineSkanword::SlotPattern(int slot) const {
    if (slot < 0 || slot >= Words.Count()) return {};
    return PatternAtCoord(SlotCells(slot));
}

void TLineSkanword::RemoveWord(int slot) {
    if (slot < 0 || slot >= Words.Count() || !Words.SlotFilled(slot)) return;
    const TCoord cells = SlotCells(slot);
    TCrossword::RemoveWord(slot);
    for (const TCell& cell : cells.Cells())
        if (!IsFixedCell(cell.x, cell.y)) SetCellText(cell.x, cell.y, EmptyCell);
}

void TLineSkanword::SetFixedLetter(int x, int y, std::string_view letter) {
    if (x < 0 || x >= Width || y < 0 || y >= Rows) return;
    for (int row = 0; row < Rows; ++row) TCrossword::SetFixedLetter(x, row, letter);
}

int TLineSkanword::PutWordAtCoord(const TCoord& coord, std::string_view word, TPutChecks checks, int& slot) {
    slot = -1;
    if (coord.Count() == 0) return PutCode::DoesNotFit;
    RemoveWordAtCoord(coord);
    if (coord.ToPath().find_first_not_of('6') != std::string::npos) return PutCode::DoesNotFit;
    for (const TCell& cell : coord.Cells())
        if (!InStrip(cell.x, cell.y) || !Template->IsLetterCell(cell.x, cell.y) || FilledSlotThrough(cell.x, cell.y, -1))
            return PutCode::DoesNotFit;
    // The alphabet refusal comes before the pattern's, as in the base placement.
    if (checks.Alphabet && !AllInAlphabet(word, Dictionary.Alphabet)) return PutCode::OutsideAlphabet;
    if (!TMask(Dictionary.CellFormat(), PatternAtCoord(coord)).Matches(word)) return PutCode::DoesNotFit;
    return TCrossword::PutWordAtCoord(coord, word, checks, slot);
}

void TLineSkanword::SlotExtraText(const TCoord& coord, std::string& text) const {
    text.clear();
    if (coord.Count() == 0) return;
    const int x = coord.CellX(0), y = coord.CellY(0);
    if (!InStrip(x, y) || FilledSlotThrough(x, y, -1)) return;
    for (int next = x + 1; next < Width && static_cast<int>(text.size()) + 1 < MaxRunCells; ++next) {
        // A word never spans a column that holds no letters.
        if (FilledSlotThrough(next, y, -1) || !Template->IsLetterCell(next, y)) break;
        text += '6';
    }
}

TWordLengthLimits TLineSkanword::WordLengthLimits(const TCoord& coord, std::string& text) const {
    text.clear();
    TWordLengthLimits limits;
    limits.Flag = false;
    if (coord.Count() == 0) return limits;
    const int x = coord.CellX(0), y = coord.CellY(0);
    if (!InStrip(x, y) || !Template->IsLetterCell(x, y)) return limits;
    std::string steps;
    SlotExtraText(coord, steps);
    const TCoord run(x, y, steps, Width, Height);
    limits.Min = 2;
    limits.Max = run.Count();
    limits.Flag = limits.Max >= 2;
    text = PatternAtCoord(run);
    return limits;
}

bool TLineSkanword::FillSpecial(int x1, int y1, int x2, int y2, int& errCode, TFillResult& result) {
    errCode = 0;
    result.Clear();
    const uint32_t start = TickCount();
    // Callers pass the grid's width as the last column; the scan keeps to the strip.
    x1 = std::max(x1, 0);
    y1 = std::max(y1, 0);
    x2 = std::min(x2, Width - 1);
    y2 = std::min(y2, Rows - 1);
    if (x1 > x2 || y1 > y2) return true;

    struct TLevel {
        int X, Y;
        TFind Candidates;
    };
    std::vector<TLevel> stack;
    std::size_t deepest = 0;
    int px = x1;

    // The first position from column px on still to fill: an empty letter cell, or a fixed letter
    // no word covers. False when the scan passes the last column.
    const auto nextPosition = [&](int& x, int& y) {
        for (x = px; x <= x2; ++x)
            for (y = y1; y <= y2; ++y) {
                if (!Template->IsLetterCell(x, y)) continue;
                if (IsCellEmpty(x, y) || (IsFixedCell(x, y) && !FilledSlotThrough(x, y, -1))) return true;
            }
        return false;
    };
    const auto takeOutWordAt = [&](const TLevel& level) {
        for (const int slot : SlotsThroughCell(level.X, level.Y))
            if (Words.SlotFilled(slot)) {
                RemoveWordAtCoord(SlotCells(slot));
                return;
            }
    };

    bool advancing = true;
    for (int turn = 1;; ++turn) {
        if (const int stop = StopCode(start, FillParameters.TimeLimit)) {
            errCode = stop;
            return false;
        }
        if (advancing) {
            int x = 0, y = 0;
            if (!nextPosition(x, y)) return true;
            TLevel level{x, y, {}};
            std::string pattern;
            const TWordLengthLimits limits = WordLengthLimits(TCoord(x, y, {}, Width, Height), pattern);
            if (limits.Flag)
                Dictionary.CollectByLengthRange(TMask(Dictionary.CellFormat(), pattern), limits.Min, level.Candidates,
                                                limits.Max);
            stack.push_back(std::move(level));
            advancing = false;
        }
        TLevel& top = stack.back();
        takeOutWordAt(top);
        std::string word;
        if (top.Candidates.DrawWord(word)) {
            const int cellCount = TMask(Dictionary.CellFormat(), word).CellCount();
            const TCoord cells(top.X, top.Y, std::string(std::max(cellCount - 1, 0), '6'), Width, Height);
            int slot = -1;
            const int code = PutWordAtCoord(cells, word, {.StartLetters = AvoidStartLetters != 0, .Related = true}, slot);
            if (code == PutCode::Placed) {
                advancing = true;
                px = top.X;
            } else if (code != PutCode::StartLetter && code != PutCode::Related) {
                // A refused start letter means the word is not there: it is dropped like a related one.
                errCode = FillError::PlaceFailed;
                return false;
            }
        } else {
            stack.pop_back();
            if (stack.empty()) {
                errCode = FillError::Exhausted;
                return false;
            }
        }
        if (stack.size() > deepest) {
            deepest = stack.size();
            SaveState(result);
        }
        if (turn % TurnsPerMessageRun == 0) TheUi().ProcessMessages();
    }
}

bool TLineSkanword::Fill(int x1, int y1, int x2, int y2, bool, int& errCode, TFillResult& best) {
    return TCrossword::Fill(x1, y1, x2, y2, Unformatted != 0, errCode, best);
}

// ---- clue texts ----

std::string TLineSkanword::BuildClueText(const TClueListOptions&) const {
    std::string chain;
    for (int x = 0; x < Width; ++x) {
        if (!Template->IsLetterCell(x, 0)) continue;
        chain += IsCellEmpty(x, 0) ? std::string("?") : CellText(x, 0);
    }
    return chain;
}

std::string TLineSkanword::BuildCluePages(const TClueListOptions& options, bool) const {
    const std::string separator = options.OnePerLine ? "\r\n" : " ";
    std::string text;
    for (int y = 0; y < Rows; ++y) {
        text += NormalText;
        for (int x = 0; x < Width; ++x) {
            const int slot = WordStartingAt(x, y);
            if (slot < 0) continue;
            const bool known = Words.SlotFilled(slot) && Words.SlotHasDefinition(slot);
            text += known ? std::string(Words.SlotDefinition(slot)) : std::string(options.MissingClue);
            text += separator;
        }
        text += "\r\n\r\n";
    }
    return text;
}

bool TLineSkanword::PickDefinition(bool applyCase, std::string_view definitions, std::string& text,
                                  const TDefinitionChoice& choice) const {
    if (!choice.CheckFits || choice.Slot < 0 || choice.Slot >= Words.Count())
        return TCrossword::PickDefinition(applyCase, definitions, text, choice);
    const std::string fitting =
        FittingDefinitionsInBox(*this, definitions, int64_t{Template->GetCellPixelWidth()} * Words.WordLength(choice.Slot),
                                Template->GetCellPixelHeight(), choice.MinFontSize);
    return TCrossword::PickDefinition(applyCase, fitting, text, choice);
}

// ---- export and picture ----

void TLineSkanword::ExportCrosswordScript(TComExport& list, int mode) {
    {
        const TUpperRowOnly upper(*Template);
        TCrossword::ExportCrosswordScript(list, mode);
    }
    if (Template->ExportFits()) ExportDefinitions(list);
}

void TLineSkanword::ExportDefinitions(TComExport& list) {
    if (OprText.NoPaint) return;
    const TShablon& t = *Template;
    int minX = 0, minY = 0, endX = 1, endY = 1;
    t.GetUsedBounds(minX, minY, endX, endY);
    const int64_t cellWidth = int64_t{t.GetCellPixelWidth()} * ExportUnits;
    const int64_t cellHeight = int64_t{t.GetCellPixelHeight()} * ExportUnits;
    for (int slot = 0; slot < Words.Count(); ++slot) {
        if (!Words.SlotFilled(slot) || !Words.SlotHasDefinition(slot)) continue;
        const int columns = Words.WordLength(slot);
        int ex = 0, ey = 0;
        t.CellToExport(Words.WordX(slot) - minX, Words.WordY(slot) == 0 ? -1 : 1, ex, ey);
        list.AddCellEx(ex, ey, columns, 1, CellKind::Other);
        const TDefinitionMarkup markup = FormatDefinition(Words.SlotDefinition(slot), true);
        const TClueContent clue{.Text = std::string(TrimBlanks(markup.Text)),
                                .Picture = markup.Picture,
                                .Format = markup.Format,
                                .Link = markup.Link};
        AddClueItem(list, *this, {.X = ex, .Y = ey, .Width = columns * cellWidth, .Height = cellHeight}, clue);
    }
}

void TLineSkanword::ExportCellsScript(TComExport& list, const std::vector<TCellBlock>&) {
    list.Clear();
}

void TLineSkanword::ExportCharStyles(TCommandWriter& writer, int mode) const {
    TCrossword::ExportCharStyles(writer, mode);
    DefineClueStyle(writer, *this);
}

void TLineSkanword::DrawToMetafile(TMetafile& metafile, int mode) {
    TShablon& shablon = *Template;
    shablon.BeginDrawing();
    metafile.Clear();
    metafile.SetSize(0, 0);
    if (!shablon.ExportFits()) return;
    const int64_t cellHeight = shablon.GetCellPixelHeight();
    const int64_t width = int64_t{shablon.Scale} * shablon.GetPixelWidth();
    int64_t height = int64_t{shablon.Scale} * (int64_t{shablon.GetPixelHeight()} + shablon.CellSize);
    TComExport list;
    BuildModeExport(list, mode);
    if (mode == 2) height += (2 * (LetterCounts.Count() / std::max<int>(Width, 1) + 1) + 1) * cellHeight;
    list.ShiftItems(0, ToEditorRange(-cellHeight * ExportUnits));
    if (width > INT32_MAX || height > INT32_MAX) return;
    metafile.SetSize(static_cast<int>(width), static_cast<int>(height));
    DrawItemsToMetafile(list, metafile);
}
