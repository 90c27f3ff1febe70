#include "KnightPath.h"

#include "Json.h"

#include "kinds/KnightCrossword.h"
#include "platform/Text.h"

#include <algorithm>
#include <charconv>
#include <ostream>
#include <sstream>
#include <vector>

namespace {

// The cells of "X,Y X,Y ...", each side from 0 to 199; empty for a malformed text.
std::vector<TCell> ParseCells(std::string_view text) {
    std::vector<TCell> cells;
    std::istringstream words{std::string(text)};
    std::string word;
    while (words >> word) {
        const auto comma = word.find(',');
        if (comma == std::string::npos) return {};
        int x = -1, y = -1;
        const char* end = word.data() + word.size();
        const auto [xEnd, xError] = std::from_chars(word.data(), word.data() + comma, x);
        const auto [yEnd, yError] = std::from_chars(word.data() + comma + 1, end, y);
        if (xError != std::errc() || yError != std::errc() || xEnd != word.data() + comma || yEnd != end) return {};
        if (x < 0 || y < 0 || x >= TShablon::MaxSide || y >= TShablon::MaxSide) return {};
        cells.push_back({static_cast<uint8_t>(x), static_cast<uint8_t>(y)});
    }
    return cells;
}

// Lays the path on the knight's letter cells through its own text, so the template checks it.
bool LayPath(TKnightShablon& knight, const std::vector<TCell>& path) {
    std::string text = knight.SerializeTemplate(0, 0, knight.Width - 1, knight.Height - 1);
    text += SmallNumberChar(path[0].x);
    text += SmallNumberChar(path[0].y);
    for (const TCell& cell : path) {
        text += SmallNumberChar(cell.x);
        text += SmallNumberChar(cell.y);
    }
    return knight.ParseTemplate(text, 0, 0);
}

}  // namespace

const char* const KnightPathHelp =
    "  --path \"X,Y ...\"   for knight, instead of --size or with it: the path, two cells or more,\n"
    "                     none twice; its cells are the letter cells (the grid is as large as\n"
    "                     they need, or of --size)\n";

const char* const KnightOptionsHelp =
    "  --phrase TEXT      for knight: write TEXT along the path instead of filling\n"
    "  --answer-lines     for knight: strike every placed word through in the solution picture\n"
    "                     (picture --mode 1 of the file --save writes)\n";

bool KnightPathSize(std::string_view cells, int& width, int& height) {
    const std::vector<TCell> path = ParseCells(cells);
    if (path.empty()) return false;
    width = height = 1;
    for (const TCell& cell : path) {
        width = std::max(width, cell.x + 1);
        height = std::max(height, cell.y + 1);
    }
    return true;
}

bool SetKnightPath(TShablon& shablon, std::string_view cells, std::string& error) {
    auto* knight = dynamic_cast<TKnightShablon*>(&shablon);
    if (!knight) {
        error = "--path is for the knight kind";
        return false;
    }
    const std::vector<TCell> path = ParseCells(cells);
    if (path.size() < 2) {
        error = "--path wants two cells or more as \"X,Y X,Y ...\", each side from 0 to 199";
        return false;
    }
    knight->ClearRect(0, 0, knight->Width - 1, knight->Height - 1, false);
    for (const TCell& cell : path) {
        if (knight->IsOutside(cell.x, cell.y)) {
            error = "--path leaves the grid";
            return false;
        }
        if (knight->IsLetterCell(cell.x, cell.y)) {
            error = "--path visits a cell twice";
            return false;
        }
        knight->SetLetterCellOnly(cell.x, cell.y, true);
    }
    if (!LayPath(*knight, path)) {
        error = "--path makes no knight template";
        return false;
    }
    return true;
}

std::string KnightPictureValues(const TShablon& shablon) {
    return static_cast<const TKnightShablon&>(shablon).PhraseMode ? " phrase=on" : " phrase=off";
}

bool SetKnightPictureValue(TShablon& shablon, std::string_view key, std::string_view value) {
    if (key != "phrase" || (value != "on" && value != "off")) return false;
    static_cast<TKnightShablon&>(shablon).PhraseMode = value == "on";
    return true;
}

std::optional<int> KnightStep(const TShablon& shablon, int x, int y) {
    const int step = static_cast<const TKnightShablon&>(shablon).PathIndex(x, y);
    return step < 0 ? std::nullopt : std::optional<int>(step + 1);
}

bool SetKnightSteps(TShablon& shablon, std::span<const std::optional<int>> steps) {
    auto& knight = static_cast<TKnightShablon&>(shablon);
    std::vector<TCell> path;
    for (std::size_t i = 0; i < steps.size(); ++i) {
        if (!steps[i]) continue;
        if (*steps[i] < 1 || *steps[i] > static_cast<int>(steps.size())) return false;
        if (path.size() < static_cast<std::size_t>(*steps[i])) path.resize(*steps[i], {TShablon::MaxSide, 0});
        TCell& cell = path[*steps[i] - 1];
        const int x = static_cast<int>(i) % knight.Width, y = static_cast<int>(i) / knight.Width;
        if (cell.x != TShablon::MaxSide || !knight.IsLetterCell(x, y)) return false;
        cell = {static_cast<uint8_t>(x), static_cast<uint8_t>(y)};
    }
    if (path.empty()) return true;
    if (std::ranges::any_of(path, [](const TCell& cell) { return cell.x == TShablon::MaxSide; })) return false;
    return LayPath(knight, path);
}

bool CheckKnightPath(const TCrossword& crossword, std::ostream& err) {
    const auto* knight = dynamic_cast<const TKnightCrossword*>(&crossword);
    if (!knight || knight->Knight().HasPath) return true;
    err << "crossgen: a knight template needs its path (--path \"X,Y X,Y ...\")\n";
    return false;
}

std::string KnightJsonMembers(const TCrossword& crossword) {
    const auto* knight = dynamic_cast<const TKnightCrossword*>(&crossword);
    if (!knight) return {};
    std::string members = ", \"steps\": [";
    const TKnightShablon& shablon = knight->Knight();
    for (int i = 0; i < shablon.PathLength(); ++i) {
        const TCell cell = shablon.Fill.Path[i];
        members += (i ? ", [" : "[") + std::to_string(cell.x) + ", " + std::to_string(cell.y) + "]";
    }
    return members + "], \"phrase\": " + JsonString(ToUtf8(knight->Phrase));
}

void TKnightOptions::AddOptions(TOptionParser& parser) {
    parser.Text("--phrase", Phrase);
    parser.Flag("--answer-lines", AnswerLines);
}

bool TKnightOptions::WritesPhrase(const TOptionParser& parser) const {
    return parser.Given("--phrase");
}

bool TKnightOptions::ApplyPhrase(TCrossword& crossword, std::ostream& err) const {
    auto* knight = dynamic_cast<TKnightCrossword*>(&crossword);
    if (!knight) {
        err << "crossgen: --phrase is for the knight kind\n";
        return false;
    }
    const std::string phrase = FromUtf8(Phrase);
    // One letter for every cell: a shorter phrase would leave cells blank.
    if (static_cast<int>(phrase.size()) != knight->Knight().PathLength()) {
        err << "crossgen: the phrase has " << phrase.size() << " letters, the path " << knight->Knight().PathLength()
            << " cells\n";
        return false;
    }
    knight->Knight().PhraseMode = true;
    knight->SetPhrase(phrase);
    return true;
}

void TKnightOptions::ApplyAnswerLines(TCrossword& crossword) const {
    auto* knight = dynamic_cast<TKnightCrossword*>(&crossword);
    if (AnswerLines && knight) knight->StrikeOut.ShowLine = true;
}
