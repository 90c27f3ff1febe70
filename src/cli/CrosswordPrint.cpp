#include "CrosswordPrint.h"

#include "Json.h"

#include "crossword/Crossword.h"
#include "platform/Text.h"

#include <ostream>
#include <sstream>

namespace {

std::string Direction(std::string_view path) {
    if (path.find_first_not_of('6') == std::string_view::npos) return "across";
    if (path.find_first_not_of('2') == std::string_view::npos) return "down";
    return "path " + std::string(path);
}

std::string UpperWord(const TCrossword& crossword, int slot) {
    return ToUtf8(crossword.Dictionary.ToUpperText(crossword.Words.SlotWord(slot)));
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
            if (!crossword.Template->IsLetterCell(x, y))
                row += '#';
            else if (crossword.IsCellEmpty(x, y))
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
    std::ostringstream out;
    out << "\"width\": " << static_cast<int>(crossword.Width) << ", \"height\": " << static_cast<int>(crossword.Height)
        << ", \"rows\": [";
    const std::vector<std::string> rows = GridRows(crossword);
    for (std::size_t i = 0; i < rows.size(); ++i) out << (i ? ", " : "") << JsonString(rows[i]);
    out << "], \"words\": [";
    const TCrosswordWords& words = crossword.Words;
    bool first = true;
    for (int i = 0; i < words.Count(); ++i) {
        if (!words.SlotFilled(i)) continue;
        out << (first ? "" : ", ") << "{\"x\": " << words.WordX(i) << ", \"y\": " << words.WordY(i)
            << ", \"direction\": " << JsonString(Direction(words.WordPath(i)))
            << ", \"word\": " << JsonString(UpperWord(crossword, i));
        if (words.SlotHasDefinition(i))
            out << ", \"definition\": " << JsonString(ToUtf8(words.SlotDefinition(i)));
        out << "}";
        first = false;
    }
    out << "]";
    return out.str();
}
