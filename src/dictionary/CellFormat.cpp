#include "CellFormat.h"

#include <algorithm>

int CellCountOf(std::string_view word, uint8_t cellFormat) {
    switch (cellFormat) {
        case CellFormatSingle:
        case CellFormatSingleAnyOrder:
            return static_cast<int>(word.size());
        case CellFormatPairs:
            return static_cast<int>(word.size() / 2);
        case CellFormatPieces:
        case CellFormatPiecesWithFragments:
            return word.empty() ? 0 : static_cast<int>(std::count(word.begin(), word.end(), '~')) + 1;
        default:
            return 0;
    }
}

int CompareDictionaryOrder(int cellsA, std::string_view textA, int cellsB, std::string_view textB) {
    if (cellsA != cellsB) return cellsA < cellsB ? -1 : 1;
    return CompareBytes(textA, textB);
}
