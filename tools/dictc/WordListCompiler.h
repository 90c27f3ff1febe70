#pragma once

// The dictionary compiler: a UTF-8 word list in, a ".wdi" dictionary out (cell format 0,
// records in dictionary order, definitions in the definition area).
//
// Input: one word per line; after the word an optional tab and definitions (alternatives
// separated by "; "), after that an optional tab and category digit (0 ordinary, 1 reserve,
// 2 not offered). Empty lines and lines starting with "#" are skipped; a byte-order mark is
// allowed. Capitals become small letters and "ё" becomes "е", as in the default dictionaries.

#include "dictionary/DictionaryWriter.h"

#include <string>
#include <string_view>
#include <vector>

struct WordList {
    std::vector<DictionaryWord> words;  // in dictionary order, each once
    // One Russian message (cp1251) per line not taken, naming the line and the reason; in the
    // strict reading also one per word given again.
    std::vector<std::string> problems;
    int respelled = 0;  // words written with capitals or "ё"
    int merged = 0;     // lines whose word stood on an earlier line, merged into it
};

enum class ListReading {
    Forgiving,  // lines that cannot be taken are skipped, words given again merged
    Strict,     // the same lines and repeated words are problems that refuse the list
};

// Reads a list; the words may use only alphabet's letters (cp1251).
WordList ParseWordList(std::string_view utf8Text, std::string_view alphabet, ListReading reading);

enum class CompileResult {
    Written,        // the dictionary was written (lines may have been skipped)
    NotWritten,     // the output file could not be written
    NothingUsable,  // no list, no word in it, or a strict reading refused it
};

// Reads inputPath, writes outputPath. Every problem and note goes through TheUi().
CompileResult CompileWordList(const std::string& inputPath, const std::string& outputPath, ListReading reading);
