#pragma once

// How crossgen prints a crossword: the grid in capitals ("#" a block, "." a letter cell left
// empty) and the words placed, as text or as JSON members. fill prints what it filled, show what
// a crossword file holds, the same way.

#include <iosfwd>
#include <string>
#include <string_view>
#include <vector>

class TCrossword;

// cp1251 text with CR LF line ends as UTF-8 lines ending in a newline.
std::string TerminalLines(std::string_view text);

// The grid's rows in UTF-8 capitals.
std::vector<std::string> GridRows(const TCrossword& crossword);
// The rows, a blank line, then one line per placed word: "x,y direction WORD".
void PrintCrosswordText(const TCrossword& crossword, std::ostream& out);
// "width", "height", "rows", "kind", the cells' "walls", "arrows", "turns" and "clueCells"
// where the kind has them, and "words" (x, y, direction, path, cells, word, "goal" for a kind
// that plays a match, and the definition when the word has one) as the members of a JSON
// object, without its braces.
std::string CrosswordJsonMembers(const TCrossword& crossword);
