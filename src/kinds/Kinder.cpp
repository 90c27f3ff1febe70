#include "Kinder.h"

#include "crossword/CrosswordFile.h"
#include "dictionary/Find.h"
#include "dictionary/Mask.h"
#include "platform/Clock.h"
#include "platform/Text.h"
#include "platform/Ui.h"

#include <algorithm>
#include <memory>
#include <numeric>
#include <vector>

namespace {

constexpr uint8_t KinderFileVersion = 2;
constexpr std::size_t MaxRunSteps = 24;
constexpr int LinesPerMessageRun = 15;

// For the duration of an export: MarkedOnly set and mark 0x0080 on exactly the cells the printed
// puzzle shows. The template's own switch and marks come back however the export ends.
class TShownCellsOnly {
public:
    explicit TShownCellsOnly(TKinderShablon& shape) : mShape(shape), mMarkedOnly(shape.MarkedOnly) {
        for (int x = 0; x < shape.Width; ++x)
            for (int y = 0; y < shape.Height; ++y) mMarks.push_back(shape.HasMarkE(x, y));
    }
    ~TShownCellsOnly() {
        mShape.MarkedOnly = 0;
        std::size_t i = 0;
        for (int x = 0; x < mShape.Width; ++x)
            for (int y = 0; y < mShape.Height; ++y) mShape.SetMarkE(x, y, mMarks[i++]);
        mShape.MarkedOnly = mMarkedOnly;
    }
    TShownCellsOnly(const TShownCellsOnly&) = delete;
    TShownCellsOnly& operator=(const TShownCellsOnly&) = delete;

private:
    TKinderShablon& mShape;
    uint8_t mMarkedOnly;
    std::vector<bool> mMarks;
};

}  // namespace

TKinder::TKinder() : TCrossword(TCrosswordKind::Kinder, std::make_unique<TKinderShablon>(1, 1)) {
    // Words lie on free runs kept in Words from the start: the fixed slots of a formatted
    // crossword would not see them.
    Unformatted = 1;
}

bool TKinder::IsComplete() const {
    if (FilledCount() != Shape().LineCount()) return false;
    // The key word belongs to the puzzle: each of its letters must stand on a word.
    int x = 0, y = 0;
    for (int n = 1; Template->KeyWordCell(n, x, y); ++n)
        if (!KeywordLetter(x, y).empty() && !FilledSlotThrough(x, y, -1)) return false;
    return true;
}

std::string TKinder::SlotPattern(int slot) const {
    if (slot < 0 || slot >= Words.Count()) return {};
    return PatternAtCoord(SlotCells(slot));
}

void TKinder::MarkWordStart(int x, int y, bool on) {
    Template->SetNumbered(x, y, on);
    Template->NumberCells();
}

int TKinder::TryPutWord(int slot, std::string_view word, TPutChecks checks) {
    const int code = TCrossword::TryPutWord(slot, word, checks);
    if (code == PutCode::Placed) MarkWordStart(Words.WordX(slot), Words.WordY(slot), true);
    return code;
}

void TKinder::RemoveWord(int slot) {
    if (slot < 0 || slot >= Words.Count() || !Words.SlotFilled(slot)) return;
    MarkWordStart(Words.WordX(slot), Words.WordY(slot), false);
    TCrossword::RemoveWord(slot);
    WriteKeyword();
}

std::string TKinder::KeywordLetter(int x, int y) const {
    const int number = Template->KeyWordNumberAt(x, y);
    if (number < 0 || Keyword.empty()) return {};
    const TMask letters(Dictionary.CellFormat(), Keyword);
    const int index = number - Template->BeginNumber;
    return index < letters.CellCount() ? letters.CellText(index) : std::string();
}

void TKinder::WriteKeyword() {
    int x = 0, y = 0;
    for (int n = 1; Template->KeyWordCell(n, x, y); ++n) {
        const std::string letter = KeywordLetter(x, y);
        // A cell past the key word keeps the letter of a word through it.
        if (!letter.empty())
            SetCellText(x, y, letter);
        else if (!FilledSlotThrough(x, y, -1))
            SetCellText(x, y, EmptyCell);
    }
}

bool TKinder::SetKeyword(std::string_view keyword, TKeywordOptions) {
    const std::vector<std::string> words = CopyWords(0, 0, MaxSide - 1, MaxSide - 1);
    ClearWords(0, 0, MaxSide - 1, MaxSide - 1, true);
    ClearCells(0, 0, MaxSide - 1, MaxSide - 1);
    Keyword = keyword;
    WriteKeyword();
    std::string word;
    for (const std::string& item : words) PasteWord(0, 0, false, word, std::string_view(item).substr(4));
    return true;
}

std::string TKinder::PatternAtCoord(const TCoord& coord) const {
    TMask mask(Dictionary.CellFormat(), std::string());
    mask.Resize(coord.Count());
    for (int i = 0; i < coord.Count(); ++i) {
        const std::string letter = KeywordLetter(coord.CellX(i), coord.CellY(i));
        if (letter.empty())
            mask.ClearCell(i);
        else
            mask.SetCell(i, letter);
    }
    return mask.Text();
}

int TKinder::PutWordAtCoord(const TCoord& coord, std::string_view word, TPutChecks checks, int& slot) {
    slot = -1;
    if (coord.Count() == 0) return PutCode::DoesNotFit;
    RemoveWordAtCoord(coord);
    // The base pattern knows only the letters of words: the key word binds here.
    if (!TMask(Dictionary.CellFormat(), PatternAtCoord(coord)).Matches(word)) return PutCode::DoesNotFit;
    const int code = TCrossword::PutWordAtCoord(coord, word, checks, slot);
    if (code == PutCode::Placed) MarkWordStart(coord.CellX(0), coord.CellY(0), true);
    return code;
}

void TKinder::SlotExtraText(const TCoord& coord, std::string& text) const {
    text.clear();
    if (coord.Count() == 0) return;
    const TKinderShablon& shape = Shape();
    const int x = coord.CellX(0), y = coord.CellY(0);
    if (shape.IsOutside(x, y) || !shape.IsLetterCell(x, y)) return;
    const int line = shape.LineOf(x, y);
    for (int i = 0; i < Words.Count(); ++i)
        if (shape.LineOf(Words.WordX(i), Words.WordY(i)) == line) return;
    for (int place = shape.PlaceOf(x, y) + 1; place < shape.LineLength() && text.size() < MaxRunSteps; ++place) {
        int cx = 0, cy = 0;
        shape.LineCell(line, place, cx, cy);
        if (!shape.IsLetterCell(cx, cy)) break;
        text += shape.StepChar();
    }
}

TWordLengthLimits TKinder::WordLengthLimits(const TCoord& coord, std::string& text) const {
    TWordLengthLimits limits;
    std::string steps;
    SlotExtraText(coord, steps);
    limits.Max = static_cast<int>(steps.size()) + 1;
    limits.Flag = !steps.empty();
    text = coord.Count() == 0 ? std::string()
                              : PatternAtCoord(TCoord(coord.CellX(0), coord.CellY(0), steps, Width, Height));
    return limits;
}

bool TKinder::DrawRunWord(int x, int y, std::string_view steps, int length, std::string& word) const {
    TMask mask(Dictionary.CellFormat(), PatternAtCoord(TCoord(x, y, steps.substr(0, length - 1), Width, Height)));
    TFind candidates;
    Dictionary.CollectCandidateLines(mask, candidates, true);
    return candidates.DrawWord(word);
}

bool TKinder::ChooseLineWord(int line, int firstPlace, int lastPlace, std::string& word, int& place) const {
    const TKinderShablon& shape = Shape();
    const auto cellAt = [&](int p) {
        int x = 0, y = 0;
        shape.LineCell(line, p, x, y);
        return TCell{static_cast<uint8_t>(x), static_cast<uint8_t>(y)};
    };
    // The run from p inside the area: its steps, and its cell count as the result.
    const auto runFrom = [&](int p, std::string& steps) {
        const TCell cell = cellAt(p);
        SlotExtraText(TCoord(cell.x, cell.y, {}, Width, Height), steps);
        steps.resize(std::min(steps.size(), static_cast<std::size_t>(lastPlace - p)));
        return static_cast<int>(steps.size()) + 1;
    };
    const auto keyCellsIn = [&](int from, int count) {
        int keys = 0;
        for (int p = from; p < from + count; ++p) {
            const TCell cell = cellAt(p);
            keys += Template->KeyWordNumberAt(cell.x, cell.y) >= 0 ? 1 : 0;
        }
        return keys;
    };

    std::string steps;
    const int whole = runFrom(firstPlace, steps);
    if (whole >= 2) {
        const TCell cell = cellAt(firstPlace);
        if (DrawRunWord(cell.x, cell.y, steps, whole, word)) {
            place = firstPlace;
            return true;
        }
    }

    const int keys = keyCellsIn(firstPlace, lastPlace - firstPlace + 1);
    std::vector<int> starts(static_cast<std::size_t>(lastPlace - firstPlace + 1));
    std::iota(starts.begin(), starts.end(), firstPlace);
    for (int i = static_cast<int>(starts.size()) - 1; i > 0; --i) std::swap(starts[i], starts[RandomInt(i + 1)]);
    bool chosen = false;
    int bestKeys = 0;
    for (const int p : starts) {
        const int most = runFrom(p, steps);
        const TCell cell = cellAt(p);
        for (int length = most; length >= 2; --length) {
            const int covered = keyCellsIn(p, length);
            if (chosen && covered <= bestKeys) continue;
            std::string found;
            if (!DrawRunWord(cell.x, cell.y, steps, length, found)) continue;
            word = std::move(found);
            place = p;
            bestKeys = covered;
            chosen = true;
            if (covered == keys) return true;
        }
    }
    return chosen;
}

bool TKinder::FillSpecial(int x1, int y1, int x2, int y2, int& errCode, TFillResult& result) {
    errCode = 0;
    result.Clear();
    // Callers pass the far corner as (Width, Height): the area stops at the grid.
    x1 = std::max(x1, 0);
    y1 = std::max(y1, 0);
    x2 = std::min(x2, Width - 1);
    y2 = std::min(y2, Height - 1);
    const TKinderShablon& shape = Shape();
    const uint32_t start = TickCount();
    const int firstLine = shape.LineOf(x1, y1), lastLine = shape.LineOf(x2, y2);
    const int firstPlace = shape.PlaceOf(x1, y1), lastPlace = shape.PlaceOf(x2, y2);
    const TPutChecks checks{.Alphabet = false, .StartLetters = AvoidStartLetters != 0, .Related = true};
    for (int line = firstLine; line <= lastLine && firstPlace <= lastPlace; ++line) {
        if (const int stop = StopCode(start, FillParameters.TimeLimit)) {
            errCode = stop;
            break;
        }
        std::string word;
        int place = 0;
        if (ChooseLineWord(line, firstPlace, lastPlace, word, place)) {
            int x = 0, y = 0;
            shape.LineCell(line, place, x, y);
            const int length = TMask(Dictionary.CellFormat(), word).CellCount();
            const TCoord cells(x, y, std::string(static_cast<std::size_t>(length - 1), shape.StepChar()), Width, Height);
            int slot = -1;
            const int code = PutWordAtCoord(cells, word, checks, slot);
            if (code != PutCode::Placed && code != PutCode::StartLetter && code != PutCode::Related) {
                errCode = FillError::PlaceFailed;
                break;
            }
            SaveState(result);
        }
        if ((line - firstLine + 1) % LinesPerMessageRun == 0) TheUi().ProcessMessages();
    }
    const bool complete = IsComplete();
    // A line left without a word: nothing more to try.
    if (!complete && errCode == 0) errCode = FillError::Exhausted;
    return complete;
}

bool TKinder::Fill(int x1, int y1, int x2, int y2, bool, int& errCode, TFillResult& best) {
    return TCrossword::Fill(x1, y1, x2, y2, true, errCode, best);
}

void TKinder::ExportCrosswordScript(TComExport& list, int mode) {
    TKinderShablon& shape = Shape();
    const TShownCellsOnly shown(shape);
    for (int x = 0; x < shape.Width; ++x)
        for (int y = 0; y < shape.Height; ++y) shape.SetMarkE(x, y, shape.KeyWordNumberAt(x, y) >= 0);
    for (int i = 0; i < Words.Count(); ++i) {
        const TCoord cells = SlotCells(i);
        if (Words.SlotFilled(i))
            for (const TCell& cell : cells.Cells()) shape.SetMarkE(cell.x, cell.y, true);
    }
    shape.MarkedOnly = 1;
    TCrossword::ExportCrosswordScript(list, mode);
}

std::string TKinder::SaveToText(bool, std::string_view) {
    std::array<std::string, BlockCount> blocks = CrosswordFileBlocks(*this);
    blocks[BlockG] = Keyword;
    // The key word alone would come back into no cells: the cells ride along.
    blocks[BlockI] = Template->KeyWordCells;
    return CrosswordFileText(*this, KinderFileVersion, blocks);
}

bool TKinder::LoadFromText(std::string_view data, bool loadDictionary, bool showMessages, std::string& extra) {
    extra.clear();
    // A failed read leaves no key word either.
    const auto formatError = [&] {
        Keyword.clear();
        return CrosswordFormatError(*this, showMessages);
    };
    try {
        TCrosswordFile file;
        if (!CutCrosswordFile(data, Kind, KinderFileVersion, file)) return formatError();
        // Tried on a scratch template first: what follows changes the crossword and its dictionary.
        TKinderShablon scratch(file.Width, file.Height);
        if (!scratch.ParseTemplate(file.Blocks[BlockB], 0, 0)) {
            if (showMessages) TheUi().Message("Ошибка чтения шаблона кроссворда!"_cp);
            return formatError();
        }
        EmptyCrossword(*this, file.Width, file.Height);
        Incomplete = file.Incomplete;
        Keyword.clear();
        TakeFileDictionary(*this, file, loadDictionary, showMessages);
        Template->ParseTemplate(file.Blocks[BlockB], 0, 0);
        Template->NumberCells();
        RebuildWords();
        Template->FileName = file.Blocks[BlockD];
        const std::string_view cells = file.Blocks[BlockI];
        for (std::size_t i = 0; i + 1 < cells.size(); i += 2)
            if (!Template->IsOutside(static_cast<uint8_t>(cells[i]), static_cast<uint8_t>(cells[i + 1])))
                Template->KeyWordCells += cells.substr(i, 2);
        SetKeyword(file.Blocks[BlockG], {});
        PasteFileWords(*this, file, showMessages);
        return true;
    } catch (...) {
        return formatError();
    }
}
