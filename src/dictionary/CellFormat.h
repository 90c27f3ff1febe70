#pragma once

// How a crossword cell holds text. The same byte is a dictionary's cell format and a mask's
// mode: it says how a word text divides into cells.

#include <cstdint>
#include <string_view>

// One character per cell; a dictionary file keeps its records in dictionary order.
constexpr uint8_t CellFormatSingle = 0;
// Two characters per cell (the text length is even).
constexpr uint8_t CellFormatPairs = 1;
// A piece of text per cell, pieces separated by "~".
constexpr uint8_t CellFormatPieces = 2;
// As CellFormatPieces; the dictionary file also carries fragment values for the export.
constexpr uint8_t CellFormatPiecesWithFragments = 3;
// One character per cell; records in any order.
constexpr uint8_t CellFormatSingleAnyOrder = 4;
// The highest cell format a dictionary file may name.
constexpr uint8_t LastCellFormat = 4;

// A word fills 2 to 25 cells; the length index and every search cover only these counts.
constexpr int MinWordCells = 2;
constexpr int MaxWordCells = 25;

// How the fill may use a dictionary word. The values are stored in dictionary files.
enum class WordCategory : uint8_t {
    Ordinary = 0,     // offered first
    Reserve = 1,      // taken only when a slot has no ordinary candidate left
    Unavailable = 2,  // never offered (also every word while it stands in the crossword)
};
constexpr int WordCategoryCount = 3;

// True when a mask of this mode holds one character per cell.
constexpr bool IsSingleCharFormat(uint8_t format) {
    return format == CellFormatSingle || format == CellFormatSingleAnyOrder;
}

// The number of cells a word text fills in the given cell format (0 for formats above 4).
int CellCountOf(std::string_view word, uint8_t cellFormat);

// Dictionary order: by cell count, then by text byte by byte (unsigned, a prefix first).
// Negative, zero or positive like strcmp.
int CompareDictionaryOrder(int cellsA, std::string_view textA, int cellsB, std::string_view textB);

// Byte order of texts (unsigned, a prefix first), the order of the sorted word lists.
inline int CompareBytes(std::string_view a, std::string_view b) {
    const int c = a.compare(b);  // char_traits<char>::compare compares as unsigned char
    return c < 0 ? -1 : c > 0 ? 1 : 0;
}
