#pragma once

// What a puzzle's page lists beside its grid, by the crossword's kind: the clues under the
// kind's own headings ("По горизонтали", "По вертикали"; the circle's, the diagonal's and the
// football's halves), the words to find (fill-word, word field), the lines the knight's phrase
// is written on; nothing where the clues stand in the grid (scanwords, strip, honeycombs,
// american), which the list then says in a note. Texts are cp1251.

#include <string>
#include <vector>

class TCrossword;

// One entry: a heading, or a clue with its label (the number, set bold) and its text.
struct TListEntry {
    bool Heading = false;
    std::string Label;
    std::string Text;
};

struct TClueList {
    std::vector<TListEntry> Entries;
    // Said in place of the list when there is none.
    std::string Note;
};

// The list of the crossword's page. A word without a clue gets a blank line to write one on;
// with lengths every clue is followed by its answer's length.
TClueList PageClueList(const TCrossword& crossword, bool lengths);

// The letters of the crossword's solution that a reader finds in the list itself (the knight's
// phrase); empty for the other kinds.
std::string ListedSolution(const TCrossword& crossword);
