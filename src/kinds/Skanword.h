#pragma once

// The scanword crosswords: clues stand in clue cells inside the grid, so CluesInGrid is on.
// TSkanword and TSkanword2 fill the straight runs of their templates as the classic crossword
// does; TSkanword3 fills the bending words of the third scanword template, where a word that
// passes a cell twice must have the same letter at both visits.

#include "crossword/Crossword.h"

class TSkanword : public TCrossword {
public:
    TSkanword();

    bool KeepsBasePlacement() const override { return true; }

protected:
    // The template is made here rather than by the factory, so that a crossword never starts
    // without one whether the kinds are registered or not.
    TSkanword(TCrosswordKind kind, std::unique_ptr<TShablon> shablon);
};

class TSkanword2 : public TSkanword {
public:
    TSkanword2();
};

class TSkanword3 : public TSkanword {
public:
    TSkanword3();

    // The fill places words through PlaceWord, which checks the slots that cross themselves.
    bool KeepsBasePlacement() const override { return false; }
    // The template's bending words, in its list order.
    void RebuildWords() override;
    // TwoLetters when the slot crosses itself and the word has different letters at two visits
    // of one cell; otherwise the base placement.
    int PlaceWord(int slot, std::string_view word, bool checkRelated) override;
};
