#include "CrosswordPrint.h"

#include "Json.h"
#include "KindNames.h"

#include "crossword/Crossword.h"
#include "platform/Text.h"

#include <optional>
#include <ostream>
#include <sstream>
#include <vector>

namespace {

std::string Direction(std::string_view path) {
    if (path.find_first_not_of('6') == std::string_view::npos) return "across";
    if (path.find_first_not_of('2') == std::string_view::npos) return "down";
    if (path.find_first_not_of('3') == std::string_view::npos) return "down-right";
    if (path.find_first_not_of('1') == std::string_view::npos) return "down-left";
    return "path " + std::string(path);
}

std::string UpperWord(const TCrossword& crossword, int slot) {
    return ToUtf8(crossword.Dictionary.ToUpperText(crossword.Words.SlotWord(slot)));
}

// "[[x, y], ...]", or with value "[[x, y, value], ...]".
template <typename TCells, typename TValue>
std::string CellArray(const TCells& cells, TValue value) {
    std::string text = "[";
    for (const TCell& cell : cells) {
        text += (text.size() > 1 ? ", [" : "[") + std::to_string(cell.x) + ", " + std::to_string(cell.y);
        if (const std::optional<int> v = value(cell)) text += ", " + std::to_string(*v);
        text += "]";
    }
    return text + "]";
}

// The template's cells that have some data, with its value (none for a flag).
std::string DataCells(const TShablon& shablon, bool (TShablon::*has)(int, int) const,
                      int (TShablon::*get)(int, int) const) {
    std::vector<TCell> cells;
    for (int y = 0; y < shablon.Height; ++y)
        for (int x = 0; x < shablon.Width; ++x)
            if ((shablon.*has)(x, y)) cells.push_back({static_cast<uint8_t>(x), static_cast<uint8_t>(y)});
    return CellArray(cells, [&](const TCell& cell) -> std::optional<int> {
        if (!get) return std::nullopt;
        return (shablon.*get)(cell.x, cell.y);
    });
}

// The filled slots in the order the crossword lists them.
std::vector<int> ListedSlots(const TCrossword& crossword, const TKindName* kind) {
    std::vector<int> slots;
    if (kind && kind->Match) {
        slots = crossword.ListedWords(0);
    } else {
        for (int i = 0; i < crossword.Words.Count(); ++i) slots.push_back(i);
    }
    std::erase_if(slots, [&](int slot) { return !crossword.Words.SlotFilled(slot); });
    return slots;
}

}  // namespace

std::string TerminalLines(std::string_view text) {
    std::string lines;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text.substr(i, 2) == "\r\n") {
            lines += '\n';
            ++i;
        } else {
            lines += text[i];
        }
    }
    if (!lines.ends_with('\n')) lines += '\n';
    return ToUtf8(lines);
}

std::vector<std::string> GridRows(const TCrossword& crossword) {
    std::vector<std::string> rows;
    for (int y = 0; y < crossword.Height; ++y) {
        std::string row;
        for (int x = 0; x < crossword.Width; ++x) {
            const bool empty = crossword.IsCellEmpty(x, y);
            if (!crossword.Template->IsLetterCell(x, y) && (empty || !crossword.AllCellsHoldLetters))
                row += '#';
            else if (empty)
                row += '.';
            else
                row += ToUtf8(crossword.Dictionary.ToUpperText(crossword.CellText(x, y)));
        }
        rows.push_back(row);
    }
    return rows;
}

void PrintCrosswordText(const TCrossword& crossword, std::ostream& out) {
    for (const std::string& row : GridRows(crossword)) out << row << "\n";
    out << "\n";
    const TCrosswordWords& words = crossword.Words;
    for (int i = 0; i < words.Count(); ++i) {
        if (!words.SlotFilled(i)) continue;
        out << words.WordX(i) << "," << words.WordY(i) << " " << Direction(words.WordPath(i)) << " "
            << UpperWord(crossword, i) << "\n";
    }
}

std::string CrosswordJsonMembers(const TCrossword& crossword) {
    const TShablon& shablon = *crossword.Template;
    const TKindName* kind = KindNameOf(crossword.Kind);
    std::ostringstream out;
    out << "\"width\": " << static_cast<int>(crossword.Width) << ", \"height\": " << static_cast<int>(crossword.Height)
        << ", \"rows\": [";
    const std::vector<std::string> rows = GridRows(crossword);
    for (std::size_t i = 0; i < rows.size(); ++i) out << (i ? ", " : "") << JsonString(rows[i]);
    out << "], \"kind\": " << JsonString(kind ? kind->Name : KindLabel(static_cast<int>(shablon.Kind)));
    if (kind && kind->JsonValues) out << kind->JsonValues(crossword);
    if (shablon.UsesWalls) out << ", \"walls\": " << DataCells(shablon, &TShablon::HasAttrA, &TShablon::GetAttrA);
    if (shablon.UsesArrows) out << ", \"arrows\": " << DataCells(shablon, &TShablon::HasAttrB, &TShablon::GetAttrB);
    if (shablon.UsesTurnMarks) out << ", \"turns\": " << DataCells(shablon, &TShablon::HasAttrC, &TShablon::GetAttrC);
    if (shablon.UsesArrows) out << ", \"clueCells\": " << DataCells(shablon, &TShablon::IsClueCell, nullptr);
    out << ", \"words\": [";
    const TCrosswordWords& words = crossword.Words;
    bool first = true;
    for (const int i : ListedSlots(crossword, kind)) {
        const TCoord cells = crossword.SlotCells(i);
        out << (first ? "" : ", ") << "{\"x\": " << words.WordX(i) << ", \"y\": " << words.WordY(i)
            << ", \"direction\": " << JsonString(Direction(words.WordPath(i)))
            << ", \"path\": " << JsonString(words.WordPath(i))
            << ", \"cells\": " << CellArray(cells.Cells(), [](const TCell&) { return std::optional<int>(); })
            << ", \"word\": " << JsonString(UpperWord(crossword, i))
            << ", \"number\": " << shablon.GetNumber(words.WordX(i), words.WordY(i));
        if (kind && kind->Match) {
            const int lastX = cells.Count() > 0 ? cells.CellX(cells.Count() - 1) : -1;
            out << ", \"goal\": " << (lastX == 0 || lastX == crossword.Width - 1 ? "true" : "false");
        }
        if (kind && kind->JsonWordValues) out << kind->JsonWordValues(crossword, i);
        if (words.SlotHasDefinition(i))
            out << ", \"definition\": " << JsonString(ToUtf8(words.SlotDefinition(i)));
        out << "}";
        first = false;
    }
    out << "]";
    return out.str();
}
