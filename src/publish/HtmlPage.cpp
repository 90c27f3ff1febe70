#include "HtmlPage.h"

#include "HtmlPageScript.h"

#include "crossword/Crossword.h"
#include "dictionary/LetterCase.h"
#include "platform/Clock.h"
#include "platform/Metafile.h"
#include "platform/Text.h"

#include <nlohmann/json.hpp>

#include <cstdio>

namespace {

using TJson = nlohmann::ordered_json;

// The printable puzzle (letter cells empty) of the crossword picture's export modes.
constexpr int PuzzlePictureMode = 1;

std::string Escaped(std::string_view text) {
    std::string out;
    for (const char c : text) {
        switch (c) {
            case '&': out += "&amp;"; break;
            case '<': out += "&lt;"; break;
            case '>': out += "&gt;"; break;
            case '"': out += "&quot;"; break;
            default: out += c;
        }
    }
    return out;
}

std::string Base64(std::string_view bytes) {
    static constexpr char Digits[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string out;
    for (std::size_t i = 0; i < bytes.size(); i += 3) {
        uint32_t group = static_cast<unsigned char>(bytes[i]) << 16;
        if (i + 1 < bytes.size()) group |= static_cast<unsigned char>(bytes[i + 1]) << 8;
        if (i + 2 < bytes.size()) group |= static_cast<unsigned char>(bytes[i + 2]);
        out += Digits[(group >> 18) & 63];
        out += Digits[(group >> 12) & 63];
        out += i + 1 < bytes.size() ? Digits[(group >> 6) & 63] : '=';
        out += i + 2 < bytes.size() ? Digits[group & 63] : '=';
    }
    return out;
}

// The letter of each letter cell, row by row, as UTF-16 units mixed with a keystream the page's
// script makes again from the seed: the answer is in the page but cannot be read off it.
std::string ScrambledSolution(const TIpuzPuzzle& puzzle, uint32_t seed) {
    std::string hex;
    uint32_t state = seed;
    for (const TIpuzCell& cell : puzzle.Cells) {
        if (!cell.Letter) continue;
        std::size_t pos = 0;
        const char32_t letter = cp1251::DecodeUtf8(cell.Solution, pos);
        state = state * 1103515245u + 12345u;
        char unit[8];
        std::snprintf(unit, sizeof unit, "%04x", static_cast<unsigned>((letter ^ (state >> 16)) & 0xFFFF));
        hex += unit;
    }
    return hex;
}

// A letter a page can take: one character of the Basic Multilingual Plane.
bool OneLetter(const std::string& utf8) {
    std::size_t pos = 0;
    const char32_t letter = cp1251::DecodeUtf8(utf8, pos);
    return pos == utf8.size() && letter > 0x20 && letter < 0x10000;
}

std::string PageHead(const TIpuzInfo& info) {
    const std::string title = info.Title.empty() ? "Кроссворд" : info.Title;
    std::string head = "<!DOCTYPE html>\n<html lang=\"ru\">\n<head>\n<meta charset=\"utf-8\">\n"
                       "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n"
                       "<title>" + Escaped(title) + "</title>\n<style>\n" + std::string(PageStyle) + "</style>\n</head>\n<body>\n<main>\n";
    head += "<h1>" + Escaped(title) + "</h1>\n";
    if (!info.Author.empty()) head += "<p class=\"byline\">" + Escaped(info.Author) + "</p>\n";
    if (!info.Notes.empty()) head += "<p class=\"notes\">" + Escaped(info.Notes) + "</p>\n";
    return head;
}

std::string PageTail(const TIpuzInfo& info) {
    std::string tail;
    if (!info.Copyright.empty()) tail += "<p class=\"copyright\">" + Escaped(info.Copyright) + "</p>\n";
    return tail + "</main>\n";
}

std::string InteractivePage(const TCrossword& crossword, const TIpuzInfo& info) {
    const TIpuzPuzzle puzzle = PuzzleOfCrossword(crossword, info);
    TJson data = TJson::object();
    data["width"] = puzzle.Width;
    data["height"] = puzzle.Height;
    data["arrowword"] = puzzle.Kind == TIpuzKind::Arrowword;
    TJson cells = TJson::array();
    for (const TIpuzCell& cell : puzzle.Cells) {
        if (!cell.Letter) {
            cells.push_back(nullptr);
            continue;
        }
        TJson object = TJson::object();
        if (cell.Number > 0) object["n"] = cell.Number;
        if (!cell.Bars.empty()) object["bars"] = cell.Bars;
        cells.push_back(std::move(object));
    }
    data["cells"] = std::move(cells);
    TJson clues = TJson::array();
    for (const TIpuzClue& clue : puzzle.Clues) {
        TJson indices = TJson::array();
        for (const auto& [x, y] : clue.Cells) indices.push_back(y * puzzle.Width + x);
        clues.push_back({{"dir", clue.Direction},
                         {"n", clue.Number},
                         {"text", clue.Text},
                         {"cells", std::move(indices)},
                         {"loc", clue.HasLocation ? clue.Location.second * puzzle.Width + clue.Location.first : -1}});
    }
    data["clues"] = std::move(clues);
    // The keyboard map: the key of each letter on a Latin keyboard, without and with shift.
    data["keys"] = {{"lower", ToUtf8(LowerLetterTable())},
                    {"upper", ToUtf8(UpperLetterTable())},
                    {"lowerKeys", ToUtf8(LowerKeyTable())},
                    {"upperKeys", ToUtf8(UpperKeyTable())}};
    const uint32_t seed = static_cast<uint32_t>(RandomInt(0x7FFFFFFF));
    data["seed"] = seed;
    data["solution"] = ScrambledSolution(puzzle, seed);

    std::string json = data.dump(-1, ' ', false, TJson::error_handler_t::replace);
    // "</" would end the script element early.
    for (std::size_t at = json.find("</"); at != std::string::npos; at = json.find("</", at + 3)) json.replace(at, 2, "<\\/");

    std::string page = PageHead(info);
    page += "<div class=\"board\">\n<div id=\"grid\" role=\"grid\" aria-label=\"Сетка кроссворда\"></div>\n"
            "<div id=\"clues\"></div>\n</div>\n"
            "<div class=\"buttons\"><button id=\"check\" type=\"button\">Проверить</button> "
            "<button id=\"reveal\" type=\"button\">Показать ответ</button></div>\n"
            "<p id=\"status\" role=\"status\"></p>\n"
            "<input id=\"keys\" type=\"text\" autocomplete=\"off\" autocapitalize=\"characters\" spellcheck=\"false\" "
            "aria-label=\"Ввод букв\">\n";
    page += PageTail(info);
    page += "<script type=\"application/json\" id=\"puzzle-data\">" + json + "</script>\n";
    page += "<script>\n" + std::string(PageScript) + "</script>\n</body>\n</html>\n";
    return page;
}

std::string StaticPage(TCrossword& crossword, const TIpuzInfo& info) {
    TMetafile picture;
    crossword.DrawToMetafile(picture, PuzzlePictureMode);
    TClueListOptions options;
    options.Numbers = true;
    options.Dot = true;
    options.OnePerLine = true;
    options.SplitDirections = true;
    options.Headings = true;
    const std::string clues = crossword.BuildCluePages(options, false);

    std::string page = PageHead(info);
    page += "<div class=\"board\">\n<img class=\"picture\" alt=\"Кроссворд\" src=\"data:image/svg+xml;base64," +
            Base64(picture.SvgData()) + "\">\n<div id=\"clues\">\n";
    std::string line;
    const auto flush = [&] {
        if (!line.empty()) page += "<p>" + Escaped(ToUtf8(line)) + "</p>\n";
        line.clear();
    };
    for (std::size_t i = 0; i < clues.size(); ++i) {
        if (clues.compare(i, 3, "~#1") == 0 || clues.compare(i, 3, "~#2") == 0) {
            i += 2;
        } else if (clues[i] == '\r' || clues[i] == '\n') {
            flush();
        } else {
            line += clues[i];
        }
    }
    flush();
    page += "</div>\n</div>\n" + PageTail(info) + "</body>\n</html>\n";
    return page;
}

}  // namespace

bool PageIsInteractive(const TCrossword& crossword) {
    if (!IpuzHoldsKind(crossword)) return false;
    const TIpuzPuzzle puzzle = PuzzleOfCrossword(crossword, {});
    if (puzzle.Kind == TIpuzKind::WordSearch) return false;
    for (const TIpuzCell& cell : puzzle.Cells)
        if (cell.Letter && !OneLetter(cell.Solution)) return false;
    return true;
}

std::string CrosswordPage(TCrossword& crossword, const TIpuzInfo& info) {
    return PageIsInteractive(crossword) ? InteractivePage(crossword, info) : StaticPage(crossword, info);
}
