#pragma once

// Writes ".wdi" dictionary files: the compiler's output and the tests' fixtures.

#include "CellFormat.h"

#include <string>
#include <vector>

struct DictionaryWord {
    std::string text;  // cp1251, cells as the cell format divides it
    WordCategory category = WordCategory::Ordinary;
    std::string definition;  // empty: none
};

// What a file holds besides its words.
struct DictionaryLayout {
    uint8_t cellFormat = CellFormatSingle;
    uint8_t language = 0;
    std::string alphabet;      // empty: the default alphabet
    std::string fragmentText;  // the fragment block; written only for cell format 3
    bool letterMap = false;
    std::string lowerLetters;
    std::string upperLetters;
};

// Sorts words into dictionary order for the cell format.
void SortInDictionaryOrder(std::vector<DictionaryWord>& words, uint8_t cellFormat);

// The bytes of a dictionary file with the words' records in the given order (cell format 0
// needs them in dictionary order). Definitions are laid out in the same order.
std::string DictionaryFileBytes(const DictionaryLayout& layout, const std::vector<DictionaryWord>& words);

// Writes DictionaryFileBytes to path; false with "Ошибка записи в файл %s" on error.
bool WriteDictionaryFile(const std::string& path, const DictionaryLayout& layout,
                         const std::vector<DictionaryWord>& words);
