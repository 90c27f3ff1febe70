#pragma once

// A book of puzzles: every puzzle on pages of its own under its number, then the solutions
// gathered at the end under the same numbers, several to a page. The puzzles' pages and
// solutions are made one puzzle at a time (on any thread, a crossword each), the book's end
// from them all.

#include "PageSetup.h"

#include "platform/Metafile.h"

#include <memory>
#include <span>
#include <vector>

class TCrossword;

// The pages of puzzle k (from 0), named by the setup's title ("Кроссворд" without one) and its
// number; the crossword takes the print look. Empty when its picture cannot be drawn.
std::vector<TMetafile> BookPuzzlePages(TCrossword& crossword, const TPageSetup& setup, int k);

// Puzzle k's solution under its number, sized for the book's last pages; null when it cannot be
// drawn. The crossword must have taken the print look (BookPuzzlePages).
std::shared_ptr<TMetafile> BookSolution(TCrossword& crossword, const TPageSetup& setup, int k);

// The pages of the solutions in rows, as many rows to a page as fit, under the heading
// "Ответы".
std::vector<TMetafile> BookSolutionPages(std::span<const std::shared_ptr<TMetafile>> solutions,
                                         const TPageSetup& setup);
