#include "EstonishCrossword.h"

#include "EstonishShablon.h"

TEstonishCrossword::TEstonishCrossword()
    : TCrossword(TCrosswordKind::Estonish, std::make_unique<TEstonishShablon>(1, 1)) {}

TAmerican::TAmerican() : TCrossword(TCrosswordKind::American, std::make_unique<TAmericanShablon>(1, 1)) {
    CluesInGrid = 1;
}

std::vector<int> TAmerican::OrderedWords(int mode) const {
    if (mode != 1 && mode < 4) return TCrossword::OrderedWords(mode);
    std::vector<int> list;
    for (const int lines : {0, 1})
        for (const int slot : SlotsByLine(lines))
            if (Template->IsLetterCell(Words.WordX(slot), Words.WordY(slot))) list.push_back(slot);
    return list;
}
