#pragma once

// Letter case of the Russian alphabet in code page 1251 and the Latin key map of a Russian
// keyboard. The 33-letter tables keep "Э" last, which is not the code-page order.

#include <string>
#include <string_view>

// The tables, position i of each belonging to the same letter (cp1251 bytes).
std::string_view UpperLetterTable();
std::string_view LowerLetterTable();
// The keys that type each letter when the keyboard is set to Latin, without and with shift.
std::string_view LowerKeyTable();
std::string_view UpperKeyTable();

// A Russian capital becomes its small letter, "A".."Z" become "a".."z"; other bytes stay.
char LowerLetter(char c);
std::string LowerText(std::string_view text);
// A small Russian letter becomes its capital; a key of the lower key row becomes the key of
// the upper row ("f" -> "F", "<" -> ","); other bytes stay.
char UpperLetter(char c);
std::string UpperText(std::string_view text);
