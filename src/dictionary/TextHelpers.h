#pragma once

// Small text routines used inside the engine's texts and files. The 4-byte numbers of the
// engine's texts (IntToBytes, BytesToInt) come from the platform layer.

#include "platform/FileText.h"

#include <cstdint>
#include <string>
#include <string_view>

// The last width digits of n written after "000": ZeroPadded(7, 2) is "07", ZeroPadded(123, 2) "23".
std::string ZeroPadded(int n, int width);

// Occurrences of c in s.
int CountChar(std::string_view s, char c);
// s with every c replaced by d.
std::string ReplaceChar(std::string_view s, char c, char d);
// The characters of s that are not in set, in order.
std::string RemoveChars(std::string_view s, std::string_view set);
// The characters of s in a uniformly random order (the program's one generator).
std::string ShuffleText(std::string_view s);
// True when every character of word is in alphabet or is " " or "~".
bool AllInAlphabet(std::string_view word, std::string_view alphabet);
// s without the blanks and control characters at either end.
std::string_view TrimBlanks(std::string_view s);
