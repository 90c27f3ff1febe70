#include "ChildrenKind.h"

#include "Json.h"

#include "dictionary/Mask.h"
#include "kinds/Kinder.h"
#include "platform/Text.h"

#include <algorithm>
#include <ostream>
#include <utility>
#include <vector>

namespace {

std::string CellJson(int x, int y) {
    return "[" + std::to_string(x) + ", " + std::to_string(y) + "]";
}

}  // namespace

const char* const ChildrenOptionsHelp =
    "  --across           children: the words run along the rows of the --size field (default:\n"
    "                     down its columns)\n";

void TChildrenOptions::AddOptions(TOptionParser& parser) {
    parser.Flag("--across", Across);
}

bool TChildrenOptions::Apply(TShablon& shablon, std::string& error) const {
    if (!Across) return true;
    auto* field = dynamic_cast<TKinderShablon*>(&shablon);
    if (!field) {
        error = "--across is for children";
        return false;
    }
    field->Orientation = 1;
    return true;
}

bool PrepareChildrenFill(TCrossword& crossword, const std::string& keyword, std::ostream& err) {
    auto* kinder = dynamic_cast<TKinder*>(&crossword);
    if (!kinder) return true;
    const TKinderShablon& field = kinder->Shape();
    const TWorkDictionary& dictionary = kinder->Dictionary;
    std::string text = dictionary.ToLowerText(FromUtf8(keyword));
    // The dictionaries write ё as е: a key word keeping ё could cross no word.
    std::ranges::replace(text, "ё"_cp[0], "е"_cp[0]);
    const std::string_view alphabet = dictionary.Alphabet.empty() ? DefaultAlphabet() : std::string_view(dictionary.Alphabet);
    for (const char c : text)
        if (c != '~' && alphabet.find(c) == std::string_view::npos) {
            err << "crossgen: the key word " << keyword << " holds letters that are not in the dictionary's alphabet\n";
            return false;
        }
    const int letters = text.empty() ? 0 : TMask(dictionary.CellFormat(), text).CellCount();
    // The lines whose middle cell can hold a letter; the key word takes as many of them as it
    // has letters, in the middle of the field.
    std::vector<std::pair<int, int>> middles;
    const int middle = field.Orientation == 0 ? field.Height / 2 : field.Width / 2;
    for (int line = 0; line < field.LineCount(); ++line) {
        int x = 0, y = 0;
        field.LineCell(line, middle, x, y);
        if (field.IsLetterCell(x, y)) middles.emplace_back(x, y);
    }
    if (letters > static_cast<int>(middles.size())) {
        err << "crossgen: the key word " << keyword << " has " << letters << " letters, the field "
            << middles.size() << " key-word cells\n";
        return false;
    }
    std::string cells;
    const std::size_t first = (middles.size() - letters) / 2;
    for (std::size_t i = first; i < first + letters; ++i) {
        cells += static_cast<char>(middles[i].first);
        cells += static_cast<char>(middles[i].second);
    }
    kinder->Template->KeyWordCells = cells;
    kinder->SetKeyword(text, {});
    return true;
}

std::string ChildrenPictureValues(const TShablon& shablon) {
    return " orientation=" + std::to_string(static_cast<const TKinderShablon&>(shablon).Orientation);
}

bool SetChildrenPictureValue(TShablon& shablon, std::string_view key, std::string_view value) {
    if (key != "orientation" || (value != "0" && value != "1")) return false;
    static_cast<TKinderShablon&>(shablon).Orientation = value == "1" ? 1 : 0;
    return true;
}

std::string ChildrenJsonMembers(const TCrossword& crossword) {
    const auto& kinder = static_cast<const TKinder&>(crossword);
    std::string text = ", \"keyword\": " + JsonString(ToUtf8(kinder.Dictionary.ToUpperText(kinder.Keyword))) +
                       ", \"keywordCells\": [";
    int x = 0, y = 0;
    for (int n = 1; kinder.Template->KeyWordCell(n, x, y); ++n) text += (n > 1 ? ", " : "") + CellJson(x, y);
    return text + "]";
}

std::string ChildrenWordJson(const TCrossword& crossword, int slot) {
    const TCoord cells = crossword.SlotCells(slot);
    for (const TCell& cell : cells.Cells())
        if (crossword.Template->KeyWordNumberAt(cell.x, cell.y) >= 0)
            return ", \"keyword\": " + CellJson(cell.x, cell.y);
    return ", \"keyword\": null";
}
