#pragma once

// Division of Russian words into syllables, so that clue texts can break words at line ends.

#include <string>
#include <string_view>

// The word with "~" between its syllables ("молоко" -> "мо~ло~ко").
std::string Syllabify(std::string_view word);

// Every run of Cyrillic letters (bytes 192..255) replaced by its Syllabify form; every other
// character ends a run and is copied unchanged.
std::string MarkSyllables(std::string_view text);
