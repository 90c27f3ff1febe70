#include "Crossword.h"

#include "WordIndex.h"

#include "dictionary/FindSpecial.h"
#include "dictionary/Mask.h"
#include "dictionary/Opredelenia.h"
#include "dictionary/TextHelpers.h"
#include "platform/Clock.h"
#include "platform/Text.h"
#include "platform/Ui.h"

#include <algorithm>
#include <unordered_set>

namespace {

const std::string EmptyCellText(TCrossword::EmptyCell);

// True when the cells from (x, y) along path all lie in the grid, each step a move: a free path
// read from a record must not wrap round the grid's edge as slot cells do.
bool PathInGrid(int x, int y, std::string_view path, int width, int height) {
    const auto inside = [&] { return x >= 0 && y >= 0 && x < width && y < height; };
    if (!inside()) return false;
    for (const char step : path) {
        const TStep move = StepOf(step);
        if (move.dx == 0 && move.dy == 0) return false;
        x += move.dx;
        y += move.dy;
        if (!inside()) return false;
    }
    return true;
}

// Rectangles that take in every slot, whatever the grid's size.
constexpr int WholeGrid = 255;

WordCategory CategoryFromRecord(int category) {
    return category >= 0 && category < WordCategoryCount ? static_cast<WordCategory>(category) : WordCategory::Ordinary;
}

}  // namespace

bool TemplateKindFits(TCrosswordKind kind, int templateKind) {
    const int k = static_cast<int>(kind);
    switch (kind) {
        case TCrosswordKind::Classic:
        case TCrosswordKind::Estonish:
        case TCrosswordKind::Chainword:
            return templateKind == k;
        case TCrosswordKind::Skanword:
        case TCrosswordKind::Skanword2:
            return templateKind == static_cast<int>(TShablonKind::Skanword) ||
                   templateKind == static_cast<int>(TShablonKind::Skanword2);
        case TCrosswordKind::CrossChainword:
        case TCrosswordKind::Skanword3:
            return true;
        default:
            return templateKind == k + 1;
    }
}

TCrossword::TCrossword(TCrosswordKind kind, std::unique_ptr<TShablon> shablon)
    : Kind(kind),
      Template(std::move(shablon)),
      NoStartLetters("ьъы"_cp),
      mCells(MaxSide * MaxSide, EmptyCellText) {
    RelatedDictionary.SetDefinitionsInMemory(true);
}

TCrossword::~TCrossword() = default;

// --- the grid ---

const std::string& TCrossword::CellText(int x, int y) const {
    if (x < 0 || y < 0 || x >= MaxSide || y >= MaxSide) return EmptyCellText;
    return mCells[Index(x, y)];
}

void TCrossword::SetCellText(int x, int y, std::string_view text) {
    if (x < 0 || y < 0 || x >= MaxSide || y >= MaxSide) return;
    mCells[Index(x, y)].assign(text);
}

void TCrossword::ClearCells(int x1, int y1, int x2, int y2) {
    x1 = std::max(x1, 0);
    y1 = std::max(y1, 0);
    x2 = std::min(x2, MaxSide - 1);
    y2 = std::min(y2, MaxSide - 1);
    for (int x = x1; x <= x2; ++x)
        for (int y = y1; y <= y2; ++y) mCells[Index(x, y)] = EmptyCellText;
}

void TCrossword::SetWidth(int width) {
    width = std::clamp(width, 0, MaxSide);
    if (width == Width) return;
    if (width > Width) ClearCells(Width, 0, width - 1, Height - 1);
    Width = static_cast<uint8_t>(width);
    Template->SetWidth(width);
}

void TCrossword::SetHeight(int height) {
    height = std::clamp(height, 0, MaxSide);
    if (height == Height) return;
    Template->SetHeight(height);
    // A kind whose template keeps a height of its own keeps the grid to it.
    height = Template->Height;
    if (height > Height) ClearCells(0, Height, Width - 1, height - 1);
    Height = static_cast<uint8_t>(height);
}

// --- slots and words ---

bool TCrossword::InRect(int slot, int x1, int y1, int x2, int y2) const {
    const int x = Words.WordX(slot), y = Words.WordY(slot);
    return x >= x1 && x <= x2 && y >= y1 && y <= y2;
}

std::vector<int> TCrossword::EmptySlotsIn(int x1, int y1, int x2, int y2) const {
    std::vector<int> slots;
    for (int i = 0; i < Words.Count(); ++i)
        if (!Words.SlotFilled(i) && InRect(i, x1, y1, x2, y2)) slots.push_back(i);
    return slots;
}

void TCrossword::ClearWords(int x1, int y1, int x2, int y2, bool includeLocked) {
    const auto clears = [&](int i) {
        return Words.SlotFilled(i) && InRect(i, x1, y1, x2, y2) && (includeLocked || !Words.SlotLocked(i));
    };
    if (Unformatted) {
        for (int i = Words.Count() - 1; i >= 0; --i)
            if (i < Words.Count() && clears(i)) RemoveWordAtCoord(SlotCells(i));
    } else {
        for (int i = 0; i < Words.Count(); ++i)
            if (clears(i)) RemoveWord(i);
    }
}

int TCrossword::FilledCount() const {
    int count = 0;
    for (int i = 0; i < Words.Count(); ++i) count += Words.SlotFilled(i) ? 1 : 0;
    return count;
}

void TCrossword::CountLetters(TCharsCount& counts) const {
    counts.Clear();
    for (int i = 0; i < Words.Count(); ++i) {
        if (!Words.SlotFilled(i)) continue;
        const TMask word(Dictionary.CellFormat(), std::string(Words.SlotWord(i)));
        for (int c = 0; c < word.CellCount(); ++c) counts.AddCount(word.CellText(c), 1);
    }
}

bool TCrossword::IsComplete() const {
    for (int i = 0; i < Words.Count(); ++i)
        if (!Words.SlotFilled(i)) return false;
    return true;
}

void TCrossword::RebuildWords() {
    Words.Clear();
    std::unordered_set<std::string> known;
    TShablonWords through;
    for (int y = 0; y < Height; ++y)
        for (int x = 0; x < Width; ++x) {
            if (!Template->IsLetterCell(x, y)) continue;
            Template->WordsThroughCell(x, y, through);
            for (int i = 0; i < through.Count(); ++i)
                if (known.insert(through.Entry(i)).second)
                    Words.AddSlot(through.WordX(i), through.WordY(i), through.WordPath(i), through.WordLength(i));
        }
}

void TCrossword::WordsThroughCell(int x, int y, TShablonWords& words) const {
    if (!Unformatted) {
        Template->WordsThroughCell(x, y, words);
        return;
    }
    words.Clear();
    for (int i = 0; i < Words.Count(); ++i)
        if (SlotCells(i).IndexOfCell(x, y) >= 0)
            words.AddWord(Words.WordX(i), Words.WordY(i), Words.WordLength(i), Words.WordPath(i));
}

std::vector<int> TCrossword::SlotsThroughCell(int x, int y) const {
    TShablonWords through;
    WordsThroughCell(x, y, through);
    std::vector<int> slots;
    for (int i = 0; i < through.Count(); ++i) {
        const int j = Words.FindSlot(through.WordX(i), through.WordY(i), through.WordPath(i));
        if (j >= 0) slots.push_back(j);
    }
    return slots;
}

std::vector<int> TCrossword::CrossingSlots(int slot) const {
    std::vector<int> crossing;
    if (slot < 0 || slot >= Words.Count()) return crossing;
    const TCoord cells = SlotCells(slot);
    for (const TCell& cell : cells.Cells())
        for (const int j : SlotsThroughCell(cell.x, cell.y))
            if (j != slot) crossing.push_back(j);
    return crossing;
}

bool TCrossword::FilledSlotThrough(int x, int y, int exceptSlot) const {
    for (const int j : SlotsThroughCell(x, y))
        if (j != exceptSlot && Words.SlotFilled(j)) return true;
    return false;
}

void TCrossword::BuildPattern(std::span<const TCell> cells, int slot, TMask& mask) const {
    mask = TMask(Dictionary.CellFormat(), std::string());
    mask.Resize(static_cast<int>(cells.size()));
    for (std::size_t i = 0; i < cells.size(); ++i) {
        const std::string& text = CellText(cells[i].x, cells[i].y);
        const bool known = text != EmptyCell && (FilledSlotThrough(cells[i].x, cells[i].y, slot) ||
                                                 IsFixedCell(cells[i].x, cells[i].y));
        if (known)
            mask.SetCell(static_cast<int>(i), text);
        else
            mask.ClearCell(static_cast<int>(i));
    }
}

std::string TCrossword::SlotPattern(int slot) const {
    if (slot < 0 || slot >= Words.Count()) return {};
    TMask mask;
    BuildPattern(SlotCells(slot).Cells(), slot, mask);
    return mask.Text();
}

std::string TCrossword::PatternAtCoord(const TCoord& coord) const {
    TMask mask;
    BuildPattern(coord.Cells(), -1, mask);
    return mask.Text();
}

int TCrossword::PlaceWord(int slot, std::string_view word, bool checkRelated) {
    if (slot < 0 || slot >= Words.Count()) return PutCode::DoesNotFit;
    return PlaceWordOnCells(slot, word, checkRelated, SlotCells(slot).Cells());
}

int TCrossword::PlaceWordOnCells(int slot, std::string_view word, bool checkRelated, std::span<const TCell> cells) {
    if (IsWordUsed(word)) return PutCode::Unavailable;
    if (checkRelated && AvoidRelatedWords && RelatedUsed.Contains(word)) return PutCode::Related;
    if (IsSingleCharFormat(Dictionary.CellFormat())) {
        for (std::size_t i = 0; i < cells.size(); ++i)
            SetCellText(cells[i].x, cells[i].y, i < word.size() ? word.substr(i, 1) : EmptyCell);
    } else {
        const TMask cellsOfWord(Dictionary.CellFormat(), std::string(word));
        for (std::size_t i = 0; i < cells.size(); ++i) {
            const std::string text = cellsOfWord.CellText(static_cast<int>(i));
            SetCellText(cells[i].x, cells[i].y, text.empty() ? EmptyCell : std::string_view(text));
        }
    }
    UsedWords.Add(word);
    RecordPlacedWord(slot, word);
    return PutCode::Placed;
}

void TCrossword::RecordPlacedWord(int slot, std::string_view word) {
    Words.SetSlotFilled(slot, true);
    Words.SetSlotWord(slot, word);
    Words.SetSlotLocked(slot, false);
    int index = 0;
    if (Dictionary.Find(word, index)) {
        Words.SetSlotCategory(slot, static_cast<int>(Dictionary.EntryCategory(index)));
        Dictionary.SetEntryCategory(index, WordCategory::Unavailable);
    } else {
        Words.SetSlotCategory(slot, 0);
    }
    Words.SetSlotHasDefinition(slot, false);
    if (AvoidRelatedWords && RelatedDictionary.Find(word, index)) {
        TOpredelenia related;
        related.SplitDefinitions(RelatedDictionary.Definition(index));
        for (int i = 0; i < related.Count(); ++i) RelatedUsed.AddUse(related.Item(i));
    }
}

void TCrossword::ReleaseRelated(std::string_view word) {
    int index = 0;
    if (!AvoidRelatedWords || !RelatedDictionary.Find(word, index)) return;
    TOpredelenia related;
    related.SplitDefinitions(RelatedDictionary.Definition(index));
    for (int i = 0; i < related.Count(); ++i) RelatedUsed.ReleaseUse(related.Item(i));
}

void TCrossword::RemoveWord(int slot) {
    if (slot < 0 || slot >= Words.Count() || !Words.SlotFilled(slot)) return;
    const TCoord cells = SlotCells(slot);
    TMask pattern;
    BuildPattern(cells.Cells(), slot, pattern);
    RemoveWordWithPattern(slot, pattern, cells.Cells());
}

void TCrossword::RemoveWordWithPattern(int slot, const TMask& pattern, std::span<const TCell> cells) {
    if (IsSingleCharFormat(pattern.Mode())) {
        const std::string& text = pattern.Text();
        for (std::size_t i = 0; i < cells.size(); ++i)
            SetCellText(cells[i].x, cells[i].y, i < text.size() ? std::string_view(text).substr(i, 1) : EmptyCell);
    } else {
        for (std::size_t i = 0; i < cells.size(); ++i)
            SetCellText(cells[i].x, cells[i].y, pattern.CellText(static_cast<int>(i)));
    }
    const std::string word(Words.SlotWord(slot));
    UsedWords.Remove(word);
    int index = 0;
    if (Dictionary.Find(word, index)) Dictionary.SetEntryCategory(index, CategoryFromRecord(Words.SlotCategory(slot)));
    Words.SetSlotCategory(slot, 0);
    Words.SetSlotFilled(slot, false);
    Words.SetSlotLocked(slot, false);
    Words.SetSlotHasDefinition(slot, false);
    ReleaseRelated(word);
}

bool TCrossword::ReleaseUsedWord(std::string_view word, WordCategory category) {
    for (int i = 0; i < Words.Count(); ++i)
        if (Words.SlotFilled(i) && Words.SlotWord(i) == word) return false;
    UsedWords.Remove(word);
    int index = 0;
    if (Dictionary.Find(word, index) && Dictionary.EntryCategory(index) == WordCategory::Unavailable)
        Dictionary.SetEntryCategory(index, category);
    ReleaseRelated(word);
    return true;
}

int TCrossword::StartLetterConflict(std::string_view word, std::span<const TCell> cells, int slot,
                                    bool wordsSlotsOnly) const {
    const TMask cellsOfWord(Dictionary.CellFormat(), std::string(word));
    const std::size_t count = std::min(cells.size(), static_cast<std::size_t>(cellsOfWord.CellCount()));
    TShablonWords through;
    for (std::size_t i = 0; i < count; ++i) {
        const std::string text = cellsOfWord.CellText(static_cast<int>(i));
        if (text.empty() || NoStartLetters.find(text) == std::string::npos) continue;
        const int x = cells[i].x, y = cells[i].y;
        if (wordsSlotsOnly) {
            for (int j = 0; j < Words.Count(); ++j)
                if (j != slot && Words.WordX(j) == x && Words.WordY(j) == y) return true;
            continue;
        }
        WordsThroughCell(x, y, through);
        for (int k = 0; k < through.Count(); ++k) {
            if (through.WordX(k) != x || through.WordY(k) != y) continue;
            const int j = Words.FindSlot(x, y, through.WordPath(k));
            if (j != slot) return true;
        }
    }
    return false;
}

bool TCrossword::TwoLettersForOneCell(std::string_view word, std::span<const TCell> cells) const {
    const TMask cellsOfWord(Dictionary.CellFormat(), std::string(word));
    const std::size_t count = std::min(cells.size(), static_cast<std::size_t>(cellsOfWord.CellCount()));
    for (std::size_t i = 0; i < count; ++i)
        for (std::size_t j = i + 1; j < count; ++j)
            if (cells[i] == cells[j] &&
                cellsOfWord.CellText(static_cast<int>(i)) != cellsOfWord.CellText(static_cast<int>(j)))
                return true;
    return false;
}

int TCrossword::TryPutWord(int slot, std::string_view word, TPutChecks checks) {
    if (slot < 0 || slot >= Words.Count()) return PutCode::DoesNotFit;
    if (Words.SlotFilled(slot)) RemoveWord(slot);
    if (checks.Alphabet && !AllInAlphabet(word, Dictionary.Alphabet)) return PutCode::OutsideAlphabet;
    if (!TMask(Dictionary.CellFormat(), SlotPattern(slot)).Matches(word)) return PutCode::DoesNotFit;
    int index = 0;
    if (Dictionary.Find(word, index) && Dictionary.EntryCategory(index) == WordCategory::Unavailable)
        return PutCode::Unavailable;
    if (checks.StartLetters && StartLetterConflict(word, SlotCells(slot).Cells(), slot, false))
        return PutCode::StartLetter;
    return PlaceWord(slot, word, checks.Related);
}

int TCrossword::PutWordAtCoord(const TCoord& coord, std::string_view word, TPutChecks checks, int& slot) {
    slot = -1;
    if (coord.Count() == 0) return PutCode::DoesNotFit;
    RemoveWordAtCoord(coord);
    if (checks.Alphabet && !AllInAlphabet(word, Dictionary.Alphabet)) return PutCode::OutsideAlphabet;
    TMask pattern;
    BuildPattern(coord.Cells(), -1, pattern);
    if (!pattern.Matches(word)) return PutCode::DoesNotFit;
    if (TwoLettersForOneCell(word, coord.Cells())) return PutCode::TwoLetters;
    int index = 0;
    if (IsWordUsed(word)) return PutCode::Unavailable;
    if (Dictionary.Find(word, index) && Dictionary.EntryCategory(index) == WordCategory::Unavailable)
        return PutCode::Unavailable;
    if (checks.Related && AvoidRelatedWords && RelatedUsed.Contains(word)) return PutCode::Related;
    if (checks.StartLetters && StartLetterConflict(word, coord.Cells(), -1, true)) return PutCode::StartLetter;

    const std::string path = coord.ToPath();
    Words.AddSlot(coord.CellX(0), coord.CellY(0), path, coord.Count());
    slot = Words.FindSlot(coord.CellX(0), coord.CellY(0), path);
    return PlaceWordOnCells(slot, word, false, coord.Cells());
}

void TCrossword::RemoveWordAtCoord(const TCoord& coord) {
    if (coord.Count() == 0) return;
    const int slot = Words.FindSlot(coord.CellX(0), coord.CellY(0), coord.ToPath());
    if (slot < 0) return;
    RemoveWord(slot);
    Words.Delete(slot);
}

void TCrossword::SetFixedLetter(int x, int y, std::string_view letter) {
    if (letter.empty()) {
        const int fixed = FixedCells.IndexOfCell(x, y);
        if (fixed >= 0) FixedCells.Delete(fixed);
        if (!FilledSlotThrough(x, y, -1)) SetCellText(x, y, EmptyCell);
        return;
    }
    if (FilledSlotThrough(x, y, -1)) {
        if (!IsFixedCell(x, y)) FixedCells.AddCell(x, y);
        if (letter != CellText(x, y)) {
            for (const int j : SlotsThroughCell(x, y)) {
                if (!Words.SlotFilled(j)) continue;
                if (Unformatted)
                    RemoveWordAtCoord(SlotCells(j));
                else
                    RemoveWord(j);
            }
        }
        SetCellText(x, y, letter);
        return;
    }
    SetCellText(x, y, letter);
    if (!IsFixedCell(x, y)) FixedCells.AddCell(x, y);
}

bool TCrossword::LoadDictionary(const std::string& path) {
    Dictionary.FileName = path;
    if (!Dictionary.Load()) {
        Dictionary.Clear();
        return false;
    }
    OprFormat.CharSet = static_cast<uint8_t>(Dictionary.Language);
    for (int i = 0; i < Words.Count(); ++i) {
        int index = 0;
        if (!Words.SlotFilled(i) || !Dictionary.Find(Words.SlotWord(i), index)) continue;
        Words.SetSlotCategory(i, static_cast<int>(Dictionary.EntryCategory(index)));
        Dictionary.SetEntryCategory(index, WordCategory::Unavailable);
    }
    return true;
}

bool TCrossword::LoadTemplateFile(const std::string& path) {
    TShablonHeader header;
    if (!TShablon::ReadTemplateHeader(path, header)) return false;
    if (!TemplateKindFits(Kind, header.Kind)) return false;
    const std::vector<std::string> saved = CopyWords(0, 0, WholeGrid, WholeGrid);

    Template->FileName = path;
    Template->SetWidth(header.Width);
    Template->SetHeight(header.Height);
    ClearWords(0, 0, WholeGrid, WholeGrid, true);
    if (!Template->LoadFromFile()) {
        SetWidth(1);
        SetHeight(1);
        Words.Clear();
        return false;
    }
    TakeTemplate();
    return PasteWords(0, 0, false, saved);
}

void TCrossword::TakeTemplate() {
    Template->CropToUsed();
    Template->NumberCells();
    SetWidth(Template->Width);
    SetHeight(Template->Height);
    ClearCells(0, 0, MaxSide - 1, MaxSide - 1);
    const int layout = Template->GetWordLayout();
    if (layout == 2)
        Unformatted = Interactive && TheUi().AskYesNo("Работать с кроссвордом, как с неформатируемым?"_cp) ? 1 : 0;
    else
        Unformatted = layout;
    PrepareForFill();
}

std::vector<std::string> TCrossword::CopyWords(int x1, int y1, int x2, int y2) const {
    std::vector<std::string> list;
    for (int i = 0; i < Words.Count(); ++i) {
        if (!Words.SlotFilled(i) || !InRect(i, x1, y1, x2, y2)) continue;
        std::string record = Words.Entry(i);
        record[1] = SmallNumberChar(Words.WordX(i) - x1);
        record[2] = SmallNumberChar(Words.WordY(i) - y1);
        list.push_back(IntToBytes(static_cast<uint32_t>(record.size())) + record);
    }
    return list;
}

std::string TCrossword::CopyWordsText(int x1, int y1, int x2, int y2) const {
    std::string text;
    for (const std::string& item : CopyWords(x1, y1, x2, y2)) {
        text += item;
        text += "\r\n";
    }
    return text;
}

std::string TCrossword::SlotRecord(int slot) const {
    if (slot < 0 || slot >= Words.Count() || !Words.SlotFilled(slot)) return {};
    return Words.Entry(slot);
}

bool TCrossword::PasteWords(int x, int y, bool checkAlphabet, const std::vector<std::string>& items) {
    UnplacedWords.clear();
    const auto recordOf = [](const std::string& item) {
        return item.size() > 4 ? std::string_view(item).substr(4) : std::string_view{};
    };
    for (auto item = items.begin(); item != items.end(); ++item) {
        std::string word;
        if (PasteWord(x, y, checkAlphabet, word, recordOf(*item))) continue;
        UnplacedWords.push_back(word);
        const std::string question =
            Format("Слово %s не удалось поместить в кроссворд.\r\nПродолжить со следующим словом?"_cp, word);
        if (TheUi().AskOkCancel(question)) continue;
        // The words after the stop find no place either.
        for (++item; item != items.end(); ++item)
            if (!recordOf(*item).empty()) UnplacedWords.emplace_back(TCrosswordWords::RecordWord(recordOf(*item)));
        return false;
    }
    return true;
}

bool TCrossword::PasteWord(int x, int y, bool checkAlphabet, std::string& word, std::string_view record) {
    if (record.empty()) return true;
    word = std::string(TCrosswordWords::RecordWord(record));
    const TPutChecks checks{.Alphabet = checkAlphabet, .StartLetters = false, .Related = PasteChecksRelated != 0};
    const int startX = TCrosswordWords::RecordX(record) + x;
    const int startY = TCrosswordWords::RecordY(record) + y;
    const std::string_view path = TCrosswordWords::RecordPath(record);
    int slot = -1;
    int code = PutCode::DoesNotFit;
    if (!Unformatted) {
        slot = Words.FindSlot(startX, startY, path);
        if (slot < 0) return false;
        code = TryPutWord(slot, word, checks);
    } else {
        if (!PathInGrid(startX, startY, path, Width, Height)) return false;
        code = PutWordAtCoord(TCoord(startX, startY, path, Width, Height), word, checks, slot);
    }
    if (code != PutCode::Placed) return false;
    Words.SetSlotLocked(slot, TCrosswordWords::RecordLocked(record));
    const bool hasDefinition = TCrosswordWords::RecordHasDefinition(record);
    Words.SetSlotHasDefinition(slot, hasDefinition);
    if (hasDefinition) Words.SetSlotDefinition(slot, TCrosswordWords::RecordDefinition(record));
    return true;
}

bool TCrossword::PasteWordsText(int x, int y, std::string_view text) {
    std::vector<std::string> items;
    std::size_t pos = 0;
    while (pos + 4 <= text.size()) {
        const std::size_t length = BytesToInt(text.substr(pos, 4));
        const std::size_t take = std::min(length + 4, text.size() - pos);
        items.emplace_back(text.substr(pos, take));
        pos += take + 2;  // each item is followed by a line break
    }
    return PasteWords(x, y, true, items);
}

std::string TCrossword::KeywordText() const {
    std::string text;
    int x = 0, y = 0;
    for (int n = 1; Template->KeyWordCell(n, x, y); ++n) text += CellText(x, y);
    return text;
}

std::string TCrossword::StateRecord(int slot) const {
    return TFillResult::MakeRecord(Words.SlotLocked(slot), Words.SlotHasDefinition(slot), Words.SlotCategory(slot),
                                   Words.SlotWord(slot), Words.SlotDefinition(slot), Words.WordX(slot),
                                   Words.WordY(slot), Words.WordPath(slot));
}

void TCrossword::SaveState(TFillResult& result) const {
    result.Clear();
    for (int i = 0; i < Words.Count(); ++i)
        if (Words.SlotFilled(i)) result.Add(StateRecord(i));
}

bool TCrossword::RestoreState(const TFillResult& result) {
    ClearWords(0, 0, WholeGrid, WholeGrid, true);
    for (int i = 0; i < result.Count(); ++i) {
        const std::string word(result.Word(i));
        int slot = -1;
        int code = PutCode::DoesNotFit;
        if (Unformatted) {
            code = PutWordAtCoord(TCoord(result.X(i), result.Y(i), result.Path(i), Width, Height), word, {}, slot);
        } else {
            slot = Words.FindSlot(result.X(i), result.Y(i), result.Path(i));
            if (slot >= 0) code = TryPutWord(slot, word, {});
        }
        if (code != PutCode::Placed) return false;
        Words.SetSlotLocked(slot, result.Locked(i));
        const std::string_view definition = result.Definition(i);
        Words.SetSlotDefinition(slot, definition);
        Words.SetSlotHasDefinition(slot, !definition.empty());
        Words.SetSlotCategory(slot, result.Category(i));
    }
    return true;
}

int TCrossword::ElapsedSeconds(uint32_t startTick) {
    return static_cast<int>((TickCount() - startTick) / 1000);
}
