#pragma once

// A puzzle as an ipuz file holds it (ipuz version 2, UTF-8 text): the grid with its numbers,
// bars and solution letters, and the clues by direction. The writer turns a crossword into one
// (IpuzCrossword.h) and then into JSON (IpuzFormat.h); the reader goes the other way.
// Coordinates are 0-based here, x the column and y the row; the file counts from 1.

#include <string>
#include <utility>
#include <vector>

// What the grid is: a crossword with numbered words (blocks or bars between them), an
// arrowword whose clues stand in blocks beside their words, or a word search whose words hide
// in a field of letters.
enum class TIpuzKind { Crossword, Arrowword, WordSearch };

using TIpuzCellRef = std::pair<int, int>;  // (x, y)

struct TIpuzCell {
    bool Letter = false;   // a cell that takes a letter; else a block (or nothing, Omitted)
    bool Omitted = false;  // no cell at all: outside the puzzle's shape
    int Number = 0;        // the clue number shown in the cell; 0 none
    std::string Bars;      // sides with a bar, of "TLBR" (top, left, bottom, right)
    std::string Solution;  // the letter, UTF-8; empty when the file gives none
};

struct TIpuzClue {
    std::string Direction;  // "Across", "Down", "Diagonal", "Diagonal Down Left", or the file's
    int Number = 0;         // 0 when the clue has none
    std::string Text;       // UTF-8
    std::vector<TIpuzCellRef> Cells;  // the word's cells in order; empty when the file gives none
    bool HasLocation = false;         // the clue stands in a block of the grid (arrowword)
    TIpuzCellRef Location;
};

struct TIpuzPuzzle {
    TIpuzKind Kind = TIpuzKind::Crossword;
    int Width = 0;
    int Height = 0;
    std::vector<TIpuzCell> Cells;  // row by row, Width x Height
    std::vector<TIpuzClue> Clues;
    bool ZigZag = false;  // word search: words may turn from cell to cell
    std::string Title, Author, Copyright, Notes;

    TIpuzCell& Cell(int x, int y) { return Cells[static_cast<std::size_t>(y) * Width + x]; }
    const TIpuzCell& Cell(int x, int y) const { return Cells[static_cast<std::size_t>(y) * Width + x]; }
};

// The direction names of straight words by their step: "6" across, "2" down, "3" down-right,
// "1" down-left; empty for any other step.
std::string IpuzDirectionOfStep(char step);
// The step of a direction name; 0 for a name that is not one of the four.
char IpuzStepOfDirection(const std::string& direction);
