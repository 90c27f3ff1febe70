#pragma once

// The straight-line rule of the word field and the football: a word starts at a letter cell and
// runs straight to one of its eight neighbours and on in that direction over letter cells.
// Directions are keypad digits ("7" up-left, "8" up, "9" up-right, "4" left, "6" right,
// "1" down-left, "2" down, "3" down-right).

#include "crossword/Crossword.h"

#include <string>

// The longest word a run may take: runs stop at this many cells.
constexpr int MaxStraightCells = 25;

// The letter cells of the grid around coord's first cell, in the order (x - 1, y - 1),
// (x - 1, y), (x - 1, y + 1), (x + 1, y - 1), (x + 1, y), (x + 1, y + 1), (x, y - 1), (x, y + 1).
void StraightNeighbours(const TShablon& shablon, const TCoord& coord, TCoord& cells);
// For a coord of a start and a neighbour, the run on from the start through the neighbour: the
// direction digit once per letter cell of the run after the start. Empty when the start or the
// neighbour is not a letter cell or they are not neighbours.
std::string StraightRun(const TShablon& shablon, const TCoord& coord);
// The limits of the run of coord, cut from its end while a slot with exactly that start and path
// stands already; pattern receives the pattern of what remains.
TWordLengthLimits StraightLimits(const TCrossword& crossword, const TCoord& coord, std::string& pattern);
// The cells from (x, y) along the first length - 1 steps of run.
TCoord StraightCells(const TCrossword& crossword, int x, int y, std::string_view run, int length);
