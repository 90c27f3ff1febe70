#include "Honey.h"

#include "dictionary/CellFormat.h"

TBaseHoney::TBaseHoney(TCrosswordKind kind, std::unique_ptr<TBaseHoneyShablon> shablon)
    : TCrossword(kind, std::move(shablon)) {
    CluesInGrid = 1;
}

void TBaseHoney::RebuildWords() {
    Words.Clear();
    TShablonWords through;
    for (int y = 0; y < Height; ++y)
        for (int x = 0; x < Width; ++x) {
            if (!Template->IsNumbered(x, y) || Template->IsLetterCell(x, y)) continue;
            Template->WordsThroughCell(x, y, through);
            if (through.Count() == 0) continue;
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

THoney::THoney() : TBaseHoney(TCrosswordKind::Honey, std::make_unique<THoneyShablon>(1, 1)) {}

THoney_8::THoney_8() : TBaseHoney(TCrosswordKind::Honey8, std::make_unique<THoneyShablon_8>(1, 1)) {}
