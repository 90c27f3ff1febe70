#include "TemplatePicture.h"

#include "KindNames.h"
#include "Options.h"

#include "kinds/HoneyShablon.h"
#include "template/Shablon.h"
#include "template/ShablonFactory.h"

#include <array>
#include <optional>
#include <vector>

namespace {

// A cell's data as a token letter and the template's accessors of it.
struct TCellData {
    char Letter;
    bool (TShablon::*Has)(int, int) const;
    int (TShablon::*Get)(int, int) const;
    void (TShablon::*Set)(int, int, int);
    int Max;
};

constexpr std::array<TCellData, 4> CellData = {{
    {'w', &TShablon::HasAttrA, &TShablon::GetAttrA, &TShablon::SetAttrA, 0xFF},
    {'a', &TShablon::HasAttrB, &TShablon::GetAttrB, &TShablon::SetAttrB, 0xFFFF},
    {'t', &TShablon::HasAttrC, &TShablon::GetAttrC, &TShablon::SetAttrC, 0xFFFF},
    {'d', &TShablon::HasAttrD, &TShablon::GetAttrD, &TShablon::SetAttrD, 0xFFFFFF},
}};
constexpr char MarkLetter = 'm';
// A honeycomb centre: the token letter, then its start direction, if one is stored.
constexpr char CentreLetter = 'o';
constexpr std::string_view FirstRowKey = "first-row=";
constexpr int KindValueMax = 0xFFFF;

// One token of a row, read.
struct TCellToken {
    bool Letter = false;
    std::array<std::optional<int>, CellData.size()> Values;
    bool Mark = false;
    std::optional<int> KindValue;
    bool Centre = false;
    std::optional<int> Direction;
};

bool IsHoneycomb(TShablonKind kind) {
    return kind == TShablonKind::Honey || kind == TShablonKind::Honey8;
}

// A start direction the honeycomb kind has: 0 to 5 round a hexagon, keypad digits round a square.
bool IsRingDirection(TShablonKind kind, int d) {
    return kind == TShablonKind::Honey ? d >= 0 && d < 6 : d >= 1 && d <= 9 && d != 5;
}

// "o" and the stored start direction of a honeycomb centre; empty for other cells.
std::string CentreToken(const TShablon& shablon, int x, int y) {
    if (!IsHoneycomb(shablon.Kind) || shablon.IsLetterCell(x, y) || !shablon.HasMarkE(x, y)) return {};
    const int d = (shablon.RawCell(x, y).Attr >> 8) & 0xFF;
    return CentreLetter + (IsRingDirection(shablon.Kind, d) ? std::to_string(d) : std::string());
}

std::string CellToken(const TKindName& kind, const TShablon& shablon, int x, int y) {
    if (std::string centre = CentreToken(shablon, x, y); !centre.empty()) return centre;
    std::string token = shablon.IsLetterCell(x, y) ? "." : "#";
    for (const TCellData& data : CellData)
        if ((shablon.*data.Has)(x, y)) token += data.Letter + std::to_string((shablon.*data.Get)(x, y));
    if (shablon.HasMarkE(x, y)) token += MarkLetter;
    if (kind.CellValue)
        if (const std::optional<int> value = kind.CellValue(shablon, x, y)) token += kind.CellLetter + std::to_string(*value);
    return token;
}

std::vector<std::string_view> Split(std::string_view text, char separator) {
    std::vector<std::string_view> parts;
    while (true) {
        const auto at = text.find(separator);
        parts.push_back(text.substr(0, at));
        if (at == std::string_view::npos) return parts;
        text.remove_prefix(at + 1);
    }
}

// The blank-separated words of a line.
std::vector<std::string_view> Words(std::string_view line) {
    std::vector<std::string_view> words;
    for (const std::string_view word : Split(line, ' '))
        if (!word.empty()) words.push_back(word);
    return words;
}

bool ReadToken(const TKindName& kind, std::string_view text, TCellToken& token) {
    if (text.starts_with(CentreLetter) && IsHoneycomb(kind.Template)) {
        token.Centre = true;
        if (text.size() == 1) return true;
        int d = 0;
        if (!ParseWholeNumber(text.substr(1), d) || !IsRingDirection(kind.Template, d)) return false;
        token.Direction = d;
        return true;
    }
    if (text.empty() || (text[0] != '.' && text[0] != '#')) return false;
    token.Letter = text[0] == '.';
    std::size_t at = 1;
    while (at < text.size()) {
        const char letter = text[at++];
        if (letter == MarkLetter) {
            if (token.Mark) return false;
            token.Mark = true;
            continue;
        }
        std::size_t i = 0;
        while (i < CellData.size() && CellData[i].Letter != letter) ++i;
        std::optional<int>* slot = nullptr;
        int max = KindValueMax;
        if (i < CellData.size()) {
            slot = &token.Values[i];
            max = CellData[i].Max;
        } else if (kind.CellValue && letter == kind.CellLetter) {
            slot = &token.KindValue;
        }
        if (!slot || *slot) return false;
        const std::size_t end = text.find_first_not_of("0123456789", at);
        int value = 0;
        if (!ParseWholeNumber(text.substr(at, end - at), value) || value > max) return false;
        *slot = value;
        at = end == std::string_view::npos ? text.size() : end;
    }
    return true;
}

std::string At(int x, int y) {
    return "cell " + std::to_string(x) + "," + std::to_string(y);
}

}  // namespace

std::string TemplatePicture(const TShablon& shablon, const TKindName* named) {
    const TKindName* kind = named && named->Template == shablon.Kind ? named : KindNameOf(shablon.Kind);
    if (!kind) return {};
    std::string text = std::string(kind->Name) + " " + std::to_string(shablon.Width) + "x" +
                       std::to_string(shablon.Height);
    if (kind->PictureValues) text += kind->PictureValues(shablon);
    text += "\n";
    for (int y = 0; y < shablon.Height; ++y) {
        for (int x = 0; x < shablon.Width; ++x) {
            if (x) text += ' ';
            text += CellToken(*kind, shablon, x, y);
        }
        text += "\n";
    }
    return text;
}

std::unique_ptr<TShablon> ReadTemplatePicture(std::string_view picture, std::string& error, const TKindName** named) {
    std::vector<std::string_view> lines = Split(picture, '\n');
    for (std::string_view& line : lines)
        if (line.ends_with('\r')) line.remove_suffix(1);
    while (!lines.empty() && Words(lines.back()).empty()) lines.pop_back();
    if (lines.empty()) {
        error = "the picture is empty";
        return nullptr;
    }
    const std::vector<std::string_view> head = Words(lines[0]);
    const TKindName* kind = head.empty() ? nullptr : FindKindName(head[0]);
    if (!kind) {
        error = "the first line does not begin with a kind (" + KindNameList() + ")";
        return nullptr;
    }
    if (named) *named = kind;
    int width = 0, height = 0;
    if (head.size() < 2 || !ParseSize(head[1], width, height)) {
        error = "the kind is not followed by the size WxH";
        return nullptr;
    }
    auto shablon = CreateTemplate(width, height, static_cast<int>(kind->Template));
    if (!shablon) {
        error = "crossgen makes no " + std::string(kind->Name) + " templates";
        return nullptr;
    }
    if (shablon->Width != width || shablon->Height != height) {
        error = std::string(kind->Name) + " templates cannot be " + std::string(head[1]);
        return nullptr;
    }
    shablon->ClearRect(0, 0, width - 1, height - 1, false);
    int firstRow = 0;
    for (std::size_t i = 2; i < head.size(); ++i) {
        if (IsHoneycomb(kind->Template) && head[i].starts_with(FirstRowKey) &&
            ParseWholeNumber(head[i].substr(FirstRowKey.size()), firstRow) && firstRow >= 0)
            continue;
        const auto eq = head[i].find('=');
        if (eq == std::string_view::npos || !kind->SetPictureValue ||
            !kind->SetPictureValue(*shablon, head[i].substr(0, eq), head[i].substr(eq + 1))) {
            error = std::string(kind->Name) + " templates take no value \"" + std::string(head[i]) + "\"";
            return nullptr;
        }
    }
    if (lines.size() != static_cast<std::size_t>(height) + 1) {
        error = "the picture has " + std::to_string(lines.size() - 1) + " rows, not " + std::to_string(height);
        return nullptr;
    }

    std::vector<TCellToken> cells(static_cast<std::size_t>(width) * height);
    for (int y = 0; y < height; ++y) {
        const std::vector<std::string_view> tokens = Words(lines[y + 1]);
        if (tokens.size() != static_cast<std::size_t>(width)) {
            error = "row " + std::to_string(y) + " has " + std::to_string(tokens.size()) + " cells, not " +
                    std::to_string(width);
            return nullptr;
        }
        for (int x = 0; x < width; ++x)
            if (!ReadToken(*kind, tokens[x], cells[y * width + x])) {
                error = At(x, y) + ": \"" + std::string(tokens[x]) + "\" is no cell";
                return nullptr;
            }
    }
    // Every letter cell first: a kind may keep a cell's data only beside letter cells.
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) shablon->SetLetterCellOnly(x, y, cells[y * width + x].Letter);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const TCellToken& cell = cells[y * width + x];
            if (cell.Centre) {
                auto& honey = static_cast<TBaseHoneyShablon&>(*shablon);
                honey.SetStartDirection(x, y, cell.Direction.value_or(TBaseHoneyShablon::NoDirection));
                honey.SetMarkE(x, y, true);
            }
            for (std::size_t i = 0; i < CellData.size(); ++i) {
                const TCellData& data = CellData[i];
                if (!cell.Values[i]) continue;
                ((*shablon).*data.Set)(x, y, *cell.Values[i]);
                if (!((*shablon).*data.Has)(x, y) || ((*shablon).*data.Get)(x, y) != *cell.Values[i]) {
                    error = At(x, y) + ": " + std::string(kind->Name) + " templates do not keep " + data.Letter +
                            std::to_string(*cell.Values[i]) + " there";
                    return nullptr;
                }
            }
            if (!cell.Mark) continue;
            shablon->SetMarkE(x, y, true);
            if (!shablon->HasMarkE(x, y)) {
                error = At(x, y) + ": " + std::string(kind->Name) + " templates keep no mark there";
                return nullptr;
            }
        }
    if (kind->SetCellValues) {
        std::vector<std::optional<int>> values;
        values.reserve(cells.size());
        for (const TCellToken& cell : cells) values.push_back(cell.KindValue);
        if (!kind->SetCellValues(*shablon, values)) {
            error = std::string("the cells' ") + kind->CellLetter + " numbers do not make a " + kind->Name + " template";
            return nullptr;
        }
    }
    if (IsHoneycomb(kind->Template)) {
        // Rows drawn from an odd first row sit as the template text's parity rule places them.
        shablon->NumberCells();
        if (firstRow % 2 != 0) {
            std::string text = shablon->SerializeTemplate(0, 0, width - 1, height - 1);
            text[3] = SmallNumberChar(1);
            shablon->ParseTemplate(text, 0, 0);
        }
    }
    return shablon;
}
