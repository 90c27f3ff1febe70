#pragma once

// The crossword file cut into its header values and blocks, and put together again; the kinds
// with a file variant of their own (another version, other block contents) share them with the
// base storage. The layout is described in CrosswordStorage.cpp.

#include "Crossword.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

enum TCrosswordBlock { BlockA, BlockB, BlockC, BlockD, BlockE, BlockF, BlockG, BlockH, BlockI, BlockCount };

// A crossword file cut into its parts, every length and value checked.
struct TCrosswordFile {
    int Width = 1;
    int Height = 1;
    uint8_t Version = 0;
    uint8_t CellFormat = 0;
    uint8_t Language = 0;
    int Unformatted = 0;
    bool Incomplete = false;
    std::array<std::string_view, BlockCount> Blocks;
    std::vector<std::string> Records;  // block C's word records, each with its length prefix
};

// Cuts data (which must outlive file) into file; false when it is no crossword file of kind with
// a version from 1 to lastVersion, or a length or value does not fit.
bool CutCrosswordFile(std::string_view data, TCrosswordKind kind, uint8_t lastVersion, TCrosswordFile& file);
// The file text of the crossword: its header values (Incomplete among them) with version, then
// the blocks.
std::string CrosswordFileText(const TCrossword& crossword, uint8_t version,
                              const std::array<std::string, BlockCount>& blocks);
// Blocks A to E of the crossword's file: the dictionary's file name, the template text, the word
// records, the template's file name and the alphabet; the other blocks empty.
std::array<std::string, BlockCount> CrosswordFileBlocks(const TCrossword& crossword);
// The crossword emptied (words, locked ones too, fixed letters, key-word cells, every cell, the
// unplaced words and the Incomplete mark) and resized to width x height.
void EmptyCrossword(TCrossword& crossword, int width, int height);
// The file's word records put back at (0, 0): with showMessages through PasteWords and its
// questions, otherwise each alone and silently; UnplacedWords receives those without a place.
void PasteFileWords(TCrossword& crossword, const TCrosswordFile& file, bool showMessages);
// The end of a failed read: "Ошибка формата файла %s" (with showMessages), the crossword left as
// a 1 x 1 grid without words or key-word cells; false.
bool CrosswordFormatError(TCrossword& crossword, bool showMessages);
// The dictionary's file name, alphabet, cell format and language from the file, and with
// loadDictionary the dictionary itself; a failed load is reported (showMessages) and the reading
// goes on without it.
void TakeFileDictionary(TCrossword& crossword, const TCrosswordFile& file, bool loadDictionary, bool showMessages);
