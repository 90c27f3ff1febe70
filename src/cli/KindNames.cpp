#include "KindNames.h"

#include "ChainKind.h"
#include "KnightPath.h"
#include "Options.h"

#include "kinds/CircleShablon.h"
#include "kinds/DiagonalShablon.h"
#include "kinds/FootBallShablon.h"
#include "kinds/JaponishShablon.h"

namespace {

std::unique_ptr<TShablon> DiagonalLayOut(const TShablon& picked) {
    auto shablon = std::make_unique<TDiagonalShablon>(1, 1);
    shablon->LayOnLattice(picked);
    return shablon;
}

std::string FootBallValues(const TShablon& shablon) {
    return " half=" + std::to_string(static_cast<const TFootBallShablon&>(shablon).HalfLength);
}

bool SetFootBallValue(TShablon& shablon, std::string_view key, std::string_view value) {
    int half = 0;
    if (key != "half" || !ParseWholeNumber(value, half) || half < 1 || half > 255) return false;
    static_cast<TFootBallShablon&>(shablon).HalfLength = static_cast<uint8_t>(half);
    return true;
}

std::string CircleValues(const TShablon& shablon) {
    return static_cast<const TCircleShablon&>(shablon).Parity ? " parity=on" : " parity=off";
}

bool SetCircleValue(TShablon& shablon, std::string_view key, std::string_view value) {
    if (key != "parity" || (value != "on" && value != "off")) return false;
    // The ring's own shape follows the switch; a picture sets every cell afterwards.
    auto& circle = static_cast<TCircleShablon&>(shablon);
    circle.Parity = value == "on";
    circle.MarkWordCells();
    return true;
}

std::string PuzzleValues(const TShablon& shablon) {
    const auto& puzzle = static_cast<const TJaponishShablon&>(shablon);
    return " colors=" + std::to_string(puzzle.ColorCount) + " background=" + std::to_string(puzzle.BackgroundColor);
}

bool SetPuzzleValue(TShablon& shablon, std::string_view key, std::string_view value) {
    auto& puzzle = static_cast<TJaponishShablon&>(shablon);
    int number = 0;
    if (!ParseWholeNumber(value, number)) return false;
    if (key == "colors" && number >= 2 && number <= TJaponishShablon::PaletteSize)
        puzzle.ColorCount = static_cast<uint8_t>(number);
    else if (key == "background" && number < TJaponishShablon::PaletteSize)
        puzzle.BackgroundColor = static_cast<uint8_t>(number);
    else
        return false;
    return true;
}

std::optional<int> PuzzleColor(const TShablon& shablon, int x, int y) {
    if (!shablon.IsLetterCell(x, y)) return std::nullopt;
    return static_cast<const TJaponishShablon&>(shablon).ColorAt(x, y);
}

// A picture cell keeps its colour; one given the background's index would stop being one.
bool SetPuzzleColors(TShablon& shablon, std::span<const std::optional<int>> colors) {
    auto& puzzle = static_cast<TJaponishShablon&>(shablon);
    for (int y = 0; y < puzzle.Height; ++y)
        for (int x = 0; x < puzzle.Width; ++x) {
            const std::optional<int> color = colors[y * puzzle.Width + x];
            if (!color) continue;
            if (!puzzle.IsLetterCell(x, y) || *color >= TJaponishShablon::PaletteSize ||
                *color == puzzle.BackgroundColor)
                return false;
            puzzle.SetColorAt(x, y, *color);
        }
    return true;
}

std::string CircleJson(const TCrossword& crossword) {
    return static_cast<const TCircleShablon&>(*crossword.Template).Parity ? ", \"parity\": \"on\""
                                                                           : ", \"parity\": \"off\"";
}

// Column words wind inward counterclockwise, diagonal words clockwise.
std::string CircleWordJson(const TCrossword& crossword, int slot) {
    return crossword.Words.WordPath(slot).starts_with('2') ? ", \"sense\": \"counterclockwise\""
                                                           : ", \"sense\": \"clockwise\"";
}

const TKindName Names[] = {
    {"classic", TShablonKind::Classic, TCrosswordKind::Classic},
    {"estonian", TShablonKind::Estonish, TCrosswordKind::Estonish},
    {"american", TShablonKind::American, TCrosswordKind::American},
    {"scanword", TShablonKind::Skanword, TCrosswordKind::Skanword},
    {"scanword2", TShablonKind::Skanword2, TCrosswordKind::Skanword2},
    {"scanword3", TShablonKind::Skanword3, TCrosswordKind::Skanword3},
    {"fillword", TShablonKind::FillWord, TCrosswordKind::FillWord, TSizeSource::LetterField},
    {"field", TShablonKind::English, std::nullopt, TSizeSource::LetterField},
    {"wordfield", TShablonKind::English, TCrosswordKind::English, TSizeSource::LetterField},
    {"football", TShablonKind::FootBall, TCrosswordKind::FootBall, TSizeSource::OwnShape, true, FootBallValues,
     SetFootBallValue},
    {.Name = "knight", .Template = TShablonKind::Knight, .Crossword = TCrosswordKind::Knight,
     .Size = TSizeSource::OwnShape, .PictureValues = KnightPictureValues, .SetPictureValue = SetKnightPictureValue,
     .JsonValues = KnightJsonMembers, .CellLetter = 'p', .CellValue = KnightStep, .SetCellValues = SetKnightSteps},
    {.Name = "picturepuzzle", .Template = TShablonKind::Japonish, .Crossword = std::nullopt,
     .Size = TSizeSource::LetterField, .PictureValues = PuzzleValues, .SetPictureValue = SetPuzzleValue,
     .CellLetter = 'c', .CellValue = PuzzleColor, .SetCellValues = SetPuzzleColors},
    {.Name = "circular", .Template = TShablonKind::Circle, .Crossword = TCrosswordKind::Circle,
     .Size = TSizeSource::OwnShape, .PictureValues = CircleValues, .SetPictureValue = SetCircleValue,
     .JsonValues = CircleJson, .JsonWordValues = CircleWordJson},
    {.Name = "chainword", .Template = TShablonKind::Chainword, .Crossword = TCrosswordKind::Chainword,
     .Size = TSizeSource::OwnShape, .PictureValues = ChainPictureValues, .SetPictureValue = SetChainPictureValue,
     .JsonValues = ChainJsonMembers},
    {.Name = "crosschainword", .Template = TShablonKind::CrossChainword, .Crossword = TCrosswordKind::CrossChainword,
     .Size = TSizeSource::OwnShape, .PictureValues = ChainPictureValues, .SetPictureValue = SetChainPictureValue,
     .JsonValues = ChainJsonMembers},
    {"diagonal", TShablonKind::Diagonal, TCrosswordKind::Diagonal, TSizeSource::Collection, false, nullptr, nullptr,
     DiagonalLayOut},
};

}  // namespace

std::span<const TKindName> AllKindNames() {
    return Names;
}

const TKindName* FindKindName(std::string_view name) {
    for (const TKindName& kind : Names)
        if (name == kind.Name) return &kind;
    return nullptr;
}

const TKindName* KindNameOf(TShablonKind kind) {
    for (const TKindName& entry : Names)
        if (entry.Template == kind) return &entry;
    return nullptr;
}

const TKindName* KindNameOf(TCrosswordKind kind) {
    for (const TKindName& entry : Names)
        if (entry.Crossword == kind) return &entry;
    return nullptr;
}

std::string KindLabel(int templateKind) {
    const TKindName* name = templateKind >= 0 && templateKind < ShablonKindCount
                                ? KindNameOf(static_cast<TShablonKind>(templateKind))
                                : nullptr;
    return name ? std::string(name->Name) : "kind " + std::to_string(templateKind);
}

std::string KindNameList() {
    std::string list;
    for (const TKindName& kind : Names) {
        if (!list.empty()) list += ", ";
        list += kind.Name;
    }
    return list;
}
