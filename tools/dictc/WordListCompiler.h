#pragma once

// The dictionary compiler: a UTF-8 word list in, a ".wdi" dictionary out (cell format 0,
// records in dictionary order, definitions in the definition area).
//
// Input: one word per line; after the word an optional tab and definition, after that an
// optional tab and category digit (0 ordinary, 1 reserve, 2 not offered). Empty lines and
// lines starting with "#" are skipped.

#include "dictionary/DictionaryWriter.h"

#include <string>
#include <string_view>
#include <vector>

// The words of a list, sorted into dictionary order. False with a Russian message naming the
// line when a word has letters outside alphabet (cp1251), fewer than 2 or more than 25
// letters, or stands twice.
bool ParseWordList(std::string_view utf8Text, std::string_view alphabet, std::vector<DictionaryWord>& words,
                   std::string& error);

// Reads inputPath, writes outputPath. Problems are shown through TheUi(); false then.
bool CompileWordList(const std::string& inputPath, const std::string& outputPath);
