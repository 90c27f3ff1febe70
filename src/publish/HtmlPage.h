#pragma once

// A crossword as one self-contained web page (UTF-8 HTML with its style and script inside, no
// network access, no other file). A solved crossword of a kind that ipuz holds as a crossword or
// an arrowword becomes a page to solve: the grid and its clue list, letters typed on a Russian or
// a Latin keyboard (the keyboard map of the text utilities), arrows and Tab to move, the current
// word and clue highlighted, "Проверить", "Показать ответ" and "Решено!". Its solution is stored
// scrambled. Any other crossword becomes a static page: its picture and its clue list.

#include "IpuzCrossword.h"

#include <string>

class TCrossword;

// True when the page of the crossword is one to solve.
bool PageIsInteractive(const TCrossword& crossword);

// The page. Drawing the static picture needs the crossword non-const; nothing in it changes.
std::string CrosswordPage(TCrossword& crossword, const TIpuzInfo& info);
