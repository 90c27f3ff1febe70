#pragma once

// The ipuz file itself: a puzzle written as ipuz JSON (version 2), and an ipuz file read back
// into a puzzle. Reading checks everything it takes from the file (JSON syntax, nesting, the
// grid's size and shape, every cell, clue and coordinate) and names the first thing wrong.

#include "IpuzPuzzle.h"

#include <string>
#include <string_view>

// The ipuz text of a puzzle: UTF-8 JSON, fields in a fixed order, ending in a newline.
std::string IpuzText(const TIpuzPuzzle& puzzle);

struct TIpuzRead {
    bool Ok = false;
    std::string Error;  // what is wrong with the file, in English, when not Ok
    TIpuzPuzzle Puzzle;
};

// Reads an ipuz crossword (arrowwords included). Never throws.
TIpuzRead ReadIpuz(std::string_view bytes);
