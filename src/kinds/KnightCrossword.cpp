#include "KnightCrossword.h"

#include "dictionary/Mask.h"
#include "platform/Clock.h"
#include "platform/Ui.h"

#include <algorithm>
#include <cstdlib>
#include <memory>

namespace {

constexpr int MaxRun = 25;
// Refusals and failed placings the fill takes before it backs off.
constexpr int FailuresBeforeBackOff = 25;
constexpr int MostRandomBackOff = 10;
constexpr int TurnsPerMessageRun = 15;

// A slot record stores steps of at most two cells either way; a longer jump ends a run.
bool StorableStep(const TCell& from, const TCell& to) {
    const int dx = std::abs(to.x - from.x), dy = std::abs(to.y - from.y);
    return std::max(dx, dy) <= 2 && (dx != 0 || dy != 0);
}

}  // namespace

TKnightCrossword::TKnightCrossword()
    : TCrossword(TCrosswordKind::Knight, std::make_unique<TKnightShablon>(1, 1)) {
    // The words are free cell lists from the start: without it the word rule and the fill
    // would not see the words already placed.
    Unformatted = 1;
}

TCoord TKnightCrossword::PathRun(int first, int count) const {
    TCoord run(Width, Height);
    const std::vector<TCell>& path = Knight().Fill.Path;
    const int end = std::min<int>(Knight().PathLength(), first + count);
    for (int i = std::max(first, 0); i < end; ++i) {
        if (i > first && !StorableStep(path[i - 1], path[i])) break;
        run.AddCell(path[i].x, path[i].y);
    }
    return run;
}

int TKnightCrossword::FirstFreeStep(int first) const {
    const std::vector<TCell>& path = Knight().Fill.Path;
    TShablonWords through;
    for (int i = std::max(first, 0); i < Knight().PathLength(); ++i) {
        WordsThroughCell(path[i].x, path[i].y, through);
        if (through.Count() == 0) return i;
    }
    return -1;
}

void TKnightCrossword::MarkWordStarts() {
    TKnightShablon& knight = Knight();
    for (int x = 0; x < Width; ++x)
        for (int y = 0; y < Height; ++y) knight.SetMarkE(x, y, false);
    for (int i = 0; i < Words.Count(); ++i)
        if (Words.SlotFilled(i)) knight.SetMarkE(Words.WordX(i), Words.WordY(i), true);
    knight.NumberCells();
}

bool TKnightCrossword::IsComplete() const {
    int letters = 0;
    for (int i = 0; i < Words.Count(); ++i) letters += Words.WordLength(i);
    return letters == Knight().Fill.PathLength();
}

std::string TKnightCrossword::BuildClueText(const TClueListOptions& options) const {
    if (!Knight().PhraseMode) return TCrossword::BuildClueText(options);
    return (options.Headings && options.SplitDirections ? "~#2" : "") + Phrase;
}

void TKnightCrossword::ExportCrosswordScript(TComExport& list, int mode) {
    if (mode != 1) {
        TCrossword::ExportCrosswordScript(list, mode);
        return;
    }
    TCrossword::ExportCrosswordScript(list, 0);
    if (!StrikeOut.ShowLine || !Template->ExportFits()) return;
    // The given words are struck through; with none given, every word.
    std::vector<int> slots;
    for (int i = 0; i < Words.Count(); ++i)
        if (Words.SlotFilled(i) && (GivenWords.Count() == 0 || GivenWords.Contains(Words.SlotWord(i))))
            slots.push_back(i);
    AddStrikeOutLines(*this, slots, StrikeOut, list);
}

void TKnightCrossword::ExportCharStyles(TCommandWriter& writer, int mode) const {
    TCrossword::ExportCharStyles(writer, mode);
    DefineStrikeOutStyle(writer, *Template, StrikeOut);
}

std::string TKnightCrossword::SaveText(bool withPictures) {
    // The answer lines' look follows the phrase, after a NUL no phrase holds.
    return SaveToText(withPictures, StrikeOut.ShowLine ? Phrase + '\0' + StrikeOutLookText(StrikeOut) : Phrase);
}

bool TKnightCrossword::LoadText(std::string_view data, bool loadDictionary, bool showMessages) {
    std::string extra;
    if (!LoadFromText(data, loadDictionary, showMessages, extra)) return false;
    const std::size_t end = extra.find('\0');
    SetPhrase(std::string_view(extra).substr(0, end));
    if (end != std::string::npos) ReadStrikeOutLookText(std::string_view(extra).substr(end + 1), StrikeOut);
    return true;
}

bool TKnightCrossword::LoadStyles(const std::string& path) {
    return TCrossword::LoadStyles(path) && LoadStrikeOutLook(path, StrikeOut, Template->StyleClamps);
}

bool TKnightCrossword::WriteStyles(TIniFile& ini) {
    const bool ok = TCrossword::WriteStyles(ini);
    return WriteStrikeOutLook(ini, StrikeOut) && ok;
}

void TKnightCrossword::CopyStyles(const TCrossword& other) {
    TCrossword::CopyStyles(other);
    CopyStrikeOutLook(other, StrikeOut);
}

int TKnightCrossword::PutWordAtCoord(const TCoord& coord, std::string_view word, TPutChecks checks, int& slot) {
    const int code = TCrossword::PutWordAtCoord(coord, word, checks, slot);
    MarkWordStarts();
    return code;
}

void TKnightCrossword::RemoveWordAtCoord(const TCoord& coord) {
    TCrossword::RemoveWordAtCoord(coord);
    MarkWordStarts();
}

TWordLengthLimits TKnightCrossword::WordLengthLimits(const TCoord& coord, std::string& text) const {
    TWordLengthLimits limits;
    text.clear();
    const TKnightShablon& knight = Knight();
    const int p = coord.Count() > 0 ? knight.PathIndex(coord.CellX(0), coord.CellY(0)) : -1;
    const int most = knight.PathLength() - p;
    TShablonWords through;
    if (p >= 0) WordsThroughCell(coord.CellX(0), coord.CellY(0), through);
    if (knight.PhraseMode || p < 0 || most < 2 || through.Count() > 0) {
        limits.Flag = false;
        return limits;
    }
    TCoord run = PathRun(p, std::min(most, MaxRun));
    int maximum = run.Count();
    for (int h = 1; h < run.Count(); ++h) {
        WordsThroughCell(run.CellX(h), run.CellY(h), through);
        if (through.Count() > 0) {
            maximum = h;
            break;
        }
    }
    if (maximum < 2) {
        limits.Flag = false;
        return limits;
    }
    while (run.Count() > maximum) run.Delete(run.Count() - 1);
    limits.Max = maximum;
    text = PatternAtCoord(run);
    return limits;
}

void TKnightCrossword::SlotExtraText(const TCoord& coord, std::string& text) const {
    text.clear();
    if (coord.Count() == 0) return;
    const int p = Knight().PathIndex(coord.CellX(0), coord.CellY(0));
    if (p >= 0) text = PathRun(p, MaxRun).ToPath();
}

bool TKnightCrossword::FillSpecial(int, int, int, int, int& errCode, TFillResult& result) {
    result.Clear();
    errCode = 0;
    // Without a path, or with a phrase to take its place, every word is refused: the fill could
    // only churn until its time limit.
    if (!Knight().HasPath || Knight().PhraseMode) {
        errCode = FillError::Exhausted;
        return false;
    }
    int best = -1;
    uint8_t failures = 0;
    int p = FirstFreeStep(0);
    if (p < 0) return true;
    std::vector<int> stack{p};
    const uint32_t start = TickCount();
    const std::vector<TCell>& path = Knight().Fill.Path;
    for (int turn = 1;; ++turn) {
        if (const int stop = StopCode(start, FillParameters.TimeLimit)) {
            errCode = stop;
            return false;
        }
        p = stack.back();
        std::string pattern;
        const TWordLengthLimits limits = WordLengthLimits(PathRun(p, 1), pattern);
        bool deadEnd = false;
        if (limits.Flag) {
            TMask mask(Dictionary.CellFormat(), pattern);
            std::string word;
            if (Dictionary.RandomMatch(mask, limits.Min, word, limits.Max)) {
                const int cells = TMask(Dictionary.CellFormat(), word).CellCount();
                int slot = -1;
                const TPutChecks checks{.StartLetters = AvoidStartLetters != 0, .Related = true};
                if (PutWordAtCoord(PathRun(p, cells), word, checks, slot) != PutCode::Placed) {
                    ++failures;
                } else {
                    p = FirstFreeStep(p);
                    if (p < 0) return true;
                    stack.push_back(p);
                }
            } else {
                ++failures;
                deadEnd = true;
            }
        } else {
            ++failures;
        }
        if (failures >= FailuresBeforeBackOff || deadEnd) {
            failures -= FailuresBeforeBackOff;
            const int k = deadEnd ? 1 : 1 + RandomInt(MostRandomBackOff);
            for (int i = 0; i <= k && !stack.empty(); ++i) {
                const TCell cell = path[stack.back()];
                stack.pop_back();
                // The stack holds only steps the fill itself took, so no Locked word is met here.
                const std::vector<int> slots = SlotsThroughCell(cell.x, cell.y);
                if (!slots.empty()) RemoveWordAtCoord(SlotCells(slots.front()));
            }
            p = FirstFreeStep(0);
            if (p < 0) return true;
            stack.push_back(p);
        }
        if (static_cast<int>(stack.size()) > best) {
            SaveState(result);
            best = static_cast<int>(stack.size());
        }
        if (turn % TurnsPerMessageRun == 0) TheUi().ProcessMessages();
    }
}

bool TKnightCrossword::Fill(int x1, int y1, int x2, int y2, bool, int& errCode, TFillResult& best) {
    return TCrossword::Fill(x1, y1, x2, y2, true, errCode, best);
}

void TKnightCrossword::SetPhrase(std::string_view text) {
    Phrase = std::string(text);
    while (FixedCells.Count() > 0) SetFixedLetter(FixedCells.CellX(0), FixedCells.CellY(0), {});
    const std::vector<TCell>& path = Knight().Fill.Path;
    const std::size_t steps = std::min<std::size_t>(Phrase.size(), Knight().PathLength());
    for (std::size_t j = 0; j < steps; ++j) SetFixedLetter(path[j].x, path[j].y, Phrase.substr(j, 1));
}
