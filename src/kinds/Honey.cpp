#include "Honey.h"

#include "crossword/FillResult.h"
#include "dictionary/CellFormat.h"
#include "platform/Clock.h"

#include <utility>
#include <vector>

namespace {

// Gives the held-back words their categories again, whichever way the fill ends.
class TCategoryRestore {
public:
    explicit TCategoryRestore(TWorkDictionary& dictionary) : mDictionary(dictionary) {}
    ~TCategoryRestore() {
        for (const auto& [i, category] : mHeld) mDictionary.SetEntryCategory(i, category);
    }
    TCategoryRestore(const TCategoryRestore&) = delete;
    TCategoryRestore& operator=(const TCategoryRestore&) = delete;

    void Hold(int i) {
        mHeld.emplace_back(i, mDictionary.EntryCategory(i));
        mDictionary.SetEntryCategory(i, WordCategory::Unavailable);
    }

private:
    TWorkDictionary& mDictionary;
    std::vector<std::pair<int, WordCategory>> mHeld;
};

}  // namespace

TBaseHoney::TBaseHoney(TCrosswordKind kind, std::unique_ptr<TBaseHoneyShablon> shablon)
    : TCrossword(kind, std::move(shablon)) {
    CluesInGrid = 1;
}

std::vector<std::pair<int, int>> TBaseHoney::Centres() const {
    std::vector<std::pair<int, int>> centres;
    for (int y = 0; y < Height; ++y)
        for (int x = 0; x < Width; ++x)
            if (Template->IsNumbered(x, y) && !Template->IsLetterCell(x, y)) centres.emplace_back(x, y);
    return centres;
}

void TBaseHoney::RebuildWords() {
    Words.Clear();
    TShablonWords through;
    for (const auto& [x, y] : Centres()) {
        Template->WordsThroughCell(x, y, through);
        Words.AddSlot(through.WordX(0), through.WordY(0), through.WordPath(0), Honey().RingWordLength());
    }
}

bool TBaseHoney::RingWordCloses(std::string_view word) const {
    const int cells = CellCountOf(word, Dictionary.CellFormat());
    if (cells <= 0) return false;
    // Single and pair formats hold a fixed number of bytes per cell.
    const std::size_t size = word.size() / static_cast<std::size_t>(cells);
    if (size == 0 || word.size() % size != 0) return false;
    return word.substr(0, size) == word.substr(word.size() - size);
}

int TBaseHoney::TryPutWord(int slot, std::string_view word, TPutChecks checks) {
    if (Honey().RingMode == 3 && !RingWordCloses(word)) return PutCode::RingEnds;
    return TCrossword::TryPutWord(slot, word, checks);
}

bool TBaseHoney::Fill(int x1, int y1, int x2, int y2, bool useSpecial, int& errCode, TFillResult& best) {
    if (Honey().RingMode != 3) return TCrossword::Fill(x1, y1, x2, y2, useSpecial, errCode, best);
    // Held back as unavailable rather than deleted: the placed words keep their dictionary
    // entries, and nothing has to be pasted back afterwards.
    TCategoryRestore restore(Dictionary);
    const int length = Honey().RingWordLength();
    for (int i = 0; i < Dictionary.Count(); ++i)
        if (Dictionary.EntryCells(i) == length && Dictionary.EntryCategory(i) != WordCategory::Unavailable &&
            !RingWordCloses(Dictionary.EntryText(i)))
            restore.Hold(i);
    return TCrossword::Fill(x1, y1, x2, y2, useSpecial, errCode, best);
}

THoney::THoney() : TBaseHoney(TCrosswordKind::Honey, std::make_unique<THoneyShablon>(1, 1)) {}

void THoney::UpdateRings() {
    TShablonWords through;
    const auto centres = Centres();
    for (int slot = 0; slot < static_cast<int>(centres.size()) && slot < Words.Count(); ++slot) {
        if (Words.SlotFilled(slot)) continue;
        Template->WordsThroughCell(centres[slot].first, centres[slot].second, through);
        if (Words.WordX(slot) != through.WordX(0) || Words.WordY(slot) != through.WordY(0) ||
            Words.WordPath(slot) != through.WordPath(0))
            Words.ReplaceSlot(slot, through.WordX(0), through.WordY(0), through.WordPath(0), Honey().RingWordLength());
    }
}

bool THoney::FillDefault(int x1, int y1, int x2, int y2, int& errCode, TFillResult& result) {
    std::vector<std::pair<int, int>> free;
    const auto centres = Centres();
    for (int slot = 0; slot < static_cast<int>(centres.size()) && slot < Words.Count(); ++slot) {
        const auto [x, y] = centres[slot];
        if (x >= x1 && x <= x2 && y >= y1 && y <= y2 && !Words.SlotFilled(slot)) free.emplace_back(x, y);
    }
    // Each base run keeps its own clock; the turning keeps one from its own start.
    const uint32_t start = TickCount();
    std::string bestTemplate;
    TFillResult bestResult;
    bool done = false;
    for (;;) {
        const std::string saved = CopyWordsText(0, 0, Width - 1, Height - 1);
        TFillResult run;
        done = TCrossword::FillDefault(x1, y1, x2, y2, errCode, run);
        result = run;
        if (done || errCode != FillError::Exhausted || free.empty()) break;
        if (run.Count() > bestResult.Count()) {
            bestTemplate = Template->SerializeTemplate(0, 0, Width - 1, Height - 1);
            bestResult = run;
        }
        ClearWords(0, 0, Width - 1, Height - 1, true);
        PasteWordsText(0, 0, saved);
        if (const int stop = StopCode(start, FillParameters.TimeLimit); stop != 0) {
            errCode = stop;
            break;
        }
        const auto [cx, cy] = free[RandomInt(static_cast<int>(free.size()))];
        Honey().SetStartDirection(cx, cy, RandomInt(6));
        UpdateRings();
    }
    if (!done && errCode < 0 && !bestTemplate.empty()) {
        result = bestResult;
        const std::string saved = CopyWordsText(0, 0, Width - 1, Height - 1);
        ClearWords(0, 0, Width - 1, Height - 1, true);
        Template->ParseTemplate(bestTemplate, 0, 0);
        Template->NumberCells();
        RebuildWords();
        PasteWordsText(0, 0, saved);
    }
    return done;
}

THoney_8::THoney_8() : TBaseHoney(TCrosswordKind::Honey8, std::make_unique<THoneyShablon_8>(1, 1)) {}
