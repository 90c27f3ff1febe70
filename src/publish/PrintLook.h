#pragma once

// The print look: a puzzle as a newspaper prints it. Black lines and letters on white; clue
// numbers small and black in the top-left corner of their cell, sized so that the largest number
// of the grid fits there, with the letters set below them so that the two never meet; key-word
// numbers in the top-right corner; blocks painted solid (or in a chosen grey) wherever they touch
// a letter cell; the clue cells of the kinds with clues in the grid framed and lightly shaded,
// with black arrows. Every colour it sets is black or grey; colours that carry the picture (the
// picture puzzle's palette, a background picture) stay as they are.

#include <string>

class TCrossword;
class TShablon;

// The face the print look and the page set their texts in unless told otherwise.
inline constexpr const char* DefaultPrintFont = "DejaVu Sans";

struct TPrintLook {
    std::string FontName = DefaultPrintFont;
    int BlockShade = 100;  // how dark the blocks are, percent of black (100 black, 0 white)
};

// Gives the crossword and its template the print look. Every picture and script the crossword
// makes from then on places its items the look's way (TCrossword::ExportPass): its blocks are
// painted and its letters stand below the clue numbers.
void ApplyPrintLook(TCrossword& crossword, const TPrintLook& look);

// Gives a template drawn alone (a kind without crosswords) the print look's lines, numbers,
// walls and arrows.
void ApplyPrintLook(TShablon& shablon, const TPrintLook& look);
