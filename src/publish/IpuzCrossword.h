#pragma once

// Crosswords as ipuz puzzles and back. A crossword of a kind that ipuz has a place for becomes
// a puzzle: the classic, children's and diagonal crosswords as crosswords, the Estonian and
// American ones as barred crosswords, the three scanwords as arrowwords (each clue with its clue
// cell), the fill-word and the word field as word searches. A crossword puzzle read from a file
// becomes a classic crossword, an Estonian one when it has bars, a diagonal one when its words
// run diagonally, or a scanword when it is an arrowword.

#include "IpuzPuzzle.h"

#include "crossword/Crossword.h"

#include <memory>
#include <string>

// What a puzzle carries besides the crossword, UTF-8.
struct TIpuzInfo {
    std::string Title, Author, Copyright, Notes;
};

// False when ipuz has no kind of puzzle for the crossword's kind (the chainwords, the strip
// scanword, the football, the honeycombs, the circular and the knight-path crosswords).
bool IpuzHoldsKind(const TCrossword& crossword);

// The puzzle of a crossword whose kind IpuzHoldsKind: its grid, clue numbers, bars, clue cells,
// the letters of its words (none for empty cells) and every slot's clue, its definition or empty.
TIpuzPuzzle PuzzleOfCrossword(const TCrossword& crossword, const TIpuzInfo& info);

struct TIpuzImport {
    std::unique_ptr<TCrossword> Crossword;  // null when the puzzle cannot become one
    bool Solved = false;                    // the puzzle gave every letter: the words stand in it
    std::string Error;                      // what stands in the way, in English
};

// The crossword of a puzzle: its template always, and when the puzzle holds a solution, the
// words placed with their clues as definitions. The dictionary stays empty.
TIpuzImport CrosswordOfPuzzle(const TIpuzPuzzle& puzzle);
