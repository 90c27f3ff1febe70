#include "Skanword.h"

#include "SkanwordShablon.h"

TSkanword::TSkanword() : TSkanword(TCrosswordKind::Skanword, std::make_unique<TSkanwordShablon>(1, 1)) {}

TSkanword::TSkanword(TCrosswordKind kind, std::unique_ptr<TShablon> shablon) : TCrossword(kind, std::move(shablon)) {
    CluesInGrid = 1;
}

TSkanword2::TSkanword2() : TSkanword(TCrosswordKind::Skanword2, std::make_unique<TSkanwordShablon2>(1, 1)) {}

TSkanword3::TSkanword3() : TSkanword(TCrosswordKind::Skanword3, std::make_unique<TSkanwordShablon3>(1, 1)) {}

void TSkanword3::RebuildWords() {
    Words.Clear();
    const auto* shablon = dynamic_cast<const TSkanwordShablon3*>(Template.get());
    if (!shablon) {
        TCrossword::RebuildWords();
        return;
    }
    const TShablonWords& bending = shablon->BendingWords();
    for (int i = 0; i < bending.Count(); ++i)
        Words.AddSlot(bending.WordX(i), bending.WordY(i), bending.WordPath(i), bending.WordLength(i));
}

int TSkanword3::PlaceWord(int slot, std::string_view word, bool checkRelated) {
    if (slot < 0 || slot >= Words.Count()) return PutCode::DoesNotFit;
    const TCoord cells = SlotCells(slot);
    if (TwoLettersForOneCell(word, cells.Cells())) return PutCode::TwoLetters;
    return PlaceWordOnCells(slot, word, checkRelated, cells.Cells());
}
