#include "ChildrenKind.h"

#include "Json.h"

#include "dictionary/Mask.h"
#include "kinds/Kinder.h"
#include "platform/Text.h"

#include <ostream>

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
    std::string cells;
    const int middle = field.Orientation == 0 ? field.Height / 2 : field.Width / 2;
    for (int line = 0; line < field.LineCount(); ++line) {
        int x = 0, y = 0;
        field.LineCell(line, middle, x, y);
        if (!field.IsLetterCell(x, y)) continue;
        cells += static_cast<char>(x);
        cells += static_cast<char>(y);
    }
    kinder->Template->KeyWordCells = cells;
    const std::string text = kinder->Dictionary.ToLowerText(FromUtf8(keyword));
    const int letters = text.empty() ? 0 : TMask(kinder->Dictionary.CellFormat(), text).CellCount();
    if (letters > static_cast<int>(cells.size() / 2)) {
        err << "crossgen: the key word " << keyword << " has " << letters << " letters, the field "
            << cells.size() / 2 << " key-word cells\n";
        return false;
    }
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
