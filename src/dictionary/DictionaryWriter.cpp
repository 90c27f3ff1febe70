#include "DictionaryWriter.h"

#include "FileHelpers.h"
#include "TextHelpers.h"
#include "WorkDictionary.h"

#include <algorithm>

namespace {
constexpr std::size_t HeaderSize = 256;
// The reader skips the two bytes after each record; a line break keeps the file readable.
constexpr std::string_view RecordTrailer = "\r\n";

void PutU32(std::string& out, std::size_t at, uint32_t n) {
    out.replace(at, 4, IntToBytes(static_cast<int32_t>(n)));
}
}  // namespace

void SortInDictionaryOrder(std::vector<DictionaryWord>& words, uint8_t cellFormat) {
    std::stable_sort(words.begin(), words.end(), [cellFormat](const DictionaryWord& a, const DictionaryWord& b) {
        return CompareDictionaryOrder(CellCountOf(a.text, cellFormat), a.text, CellCountOf(b.text, cellFormat),
                                      b.text) < 0;
    });
}

std::string DictionaryFileBytes(const DictionaryLayout& layout, const std::vector<DictionaryWord>& words) {
    const std::string alphabet = layout.alphabet.empty() ? std::string(DefaultAlphabet()) : layout.alphabet;
    const std::string fragments =
        layout.cellFormat == CellFormatPiecesWithFragments ? layout.fragmentText : std::string();
    const std::string lower = layout.letterMap ? layout.lowerLetters : std::string();
    const std::string upper = layout.letterMap ? layout.upperLetters : std::string();

    std::string records;
    std::string definitions;
    for (const DictionaryWord& word : words) {
        records += IntToBytes(static_cast<int32_t>(9 + word.text.size()));
        records += static_cast<char>(word.category);
        records += IntToBytes(word.definition.empty() ? 0 : static_cast<int32_t>(definitions.size()));
        records += IntToBytes(static_cast<int32_t>(word.definition.size()));
        records += word.text;
        records += RecordTrailer;
        definitions += word.definition;
    }

    std::string out(HeaderSize, '\0');
    out.replace(0, 8, "WorkDict");
    out[8] = static_cast<char>(layout.cellFormat);
    out[9] = static_cast<char>(layout.language);
    PutU32(out, 10, static_cast<uint32_t>(alphabet.size()));
    PutU32(out, 14, static_cast<uint32_t>(records.size()));
    PutU32(out, 18, static_cast<uint32_t>(fragments.size()));
    out[22] = layout.letterMap ? '1' : '0';
    PutU32(out, 23, static_cast<uint32_t>(lower.size()));
    PutU32(out, 27, static_cast<uint32_t>(upper.size()));
    out += alphabet;
    out += fragments;
    out += lower;
    out += upper;
    out += records;
    out += definitions;
    return out;
}

bool WriteDictionaryFile(const std::string& path, const DictionaryLayout& layout,
                         const std::vector<DictionaryWord>& words) {
    return WriteFileText(path, DictionaryFileBytes(layout, words));
}
