#include "KindNames.h"

#include "ChainKind.h"
#include "ChildrenKind.h"
#include "HoneyKind.h"
#include "Json.h"
#include "KnightPath.h"
#include "Options.h"

#include "kinds/CircleShablon.h"
#include "kinds/ClueBoxes.h"
#include "kinds/DiagonalShablon.h"
#include "kinds/EstonishCrossword.h"
#include "kinds/FootBallShablon.h"
#include "kinds/JaponishShablon.h"
#include "kinds/LineSkanword.h"
#include "kinds/Skanword.h"
#include "platform/Text.h"

#include <array>

namespace {

// The kinds' Russian names, by template kind code.
constexpr std::array<std::string_view, ShablonKindCount> RussianNames = {
    "Классический"_cp,
    "Эстонский"_cp,
    "Сканворд"_cp,
    "Чайнворд"_cp,
    "Японский"_cp,
    "Ленточный сканворд"_cp,
    "Филворд"_cp,
    "Английский"_cp,
    "Футбольный"_cp,
    "Соты"_cp,
    "Квадратные соты"_cp,
    "Круговой"_cp,
    "Американский"_cp,
    "Детский"_cp,
    "Сканворд со стрелками в клетках"_cp,
    "Пересекающийся чайнворд"_cp,
    "Ход конём"_cp,
    "Сканворд с ломаными словами"_cp,
    "Диагональный"_cp,
};

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
    if (!ParseWholeNumber(value, number) || number < 0) return false;
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

// The strip's chain and its two divisions, each row's words left to right.
std::string StripJson(const TCrossword& crossword) {
    const auto& strip = static_cast<const TLineSkanword&>(crossword);
    std::string json = ", \"answer\": " + JsonString(ToUtf8(strip.BuildClueText({})));
    for (int y = 0; y < 2; ++y) {
        json += y == 0 ? ", \"upper\": [" : "], \"lower\": [";
        bool first = true;
        for (int x = 0; x < strip.Width; ++x) {
            const int slot = strip.WordStartingAt(x, y);
            if (slot < 0 || !strip.Words.SlotFilled(slot)) continue;
            json += (first ? "" : ", ") + JsonString(ToUtf8(strip.Words.SlotWord(slot)));
            first = false;
        }
    }
    return json + "]";
}

// Where a scanword word's clue stands (the clue cell of the map) and its number in the clue order.
std::string ScanwordWordJson(const TCrossword& crossword, int slot) {
    const TSkanword::TClueArea area = static_cast<const TSkanword&>(crossword).ClueAreaOfSlot(slot);
    const std::vector<int> numbers = ClueNumbers(crossword);
    const int number = slot < static_cast<int>(numbers.size()) ? numbers[slot] : 0;
    std::string json = area.X < 0 ? ", \"clueCell\": null"
                                  : ", \"clueCell\": [" + std::to_string(area.X) + ", " + std::to_string(area.Y) + "]";
    return json + ", \"clueNumber\": " + (number > 0 ? std::to_string(number) : "null");
}

// The American word's box in the strips: [-k, y] left of its row, [x, -k] above its column.
std::string AmericanWordJson(const TCrossword& crossword, int slot) {
    for (const TAmerican::TClueBoxPlace& place : static_cast<const TAmerican&>(crossword).ClueBoxPlaces())
        if (place.Slot == slot)
            return ", \"clueBox\": [" + std::to_string(place.X) + ", " + std::to_string(place.Y) + "]";
    return ", \"clueBox\": null";
}

const TKindName Names[] = {
    {"classic", TShablonKind::Classic, TCrosswordKind::Classic},
    {"estonian", TShablonKind::Estonish, TCrosswordKind::Estonish},
    {.Name = "american", .Template = TShablonKind::American, .Crossword = TCrosswordKind::American,
     .JsonWordValues = AmericanWordJson},
    {.Name = "scanword", .Template = TShablonKind::Skanword, .Crossword = TCrosswordKind::Skanword,
     .JsonWordValues = ScanwordWordJson},
    {.Name = "scanword2", .Template = TShablonKind::Skanword2, .Crossword = TCrosswordKind::Skanword2,
     .JsonWordValues = ScanwordWordJson},
    {.Name = "scanword3", .Template = TShablonKind::Skanword3, .Crossword = TCrosswordKind::Skanword3,
     .JsonWordValues = ScanwordWordJson},
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
    {.Name = "children", .Template = TShablonKind::Kinder, .Crossword = TCrosswordKind::Kinder,
     .Size = TSizeSource::LetterField, .PictureValues = ChildrenPictureValues,
     .SetPictureValue = SetChildrenPictureValue, .JsonValues = ChildrenJsonMembers,
     .JsonWordValues = ChildrenWordJson},
    {.Name = "strip", .Template = TShablonKind::Line, .Crossword = TCrosswordKind::LineSkanword,
     .Size = TSizeSource::LetterField, .JsonValues = StripJson, .Rows = 2},
    {.Name = "honeycomb", .Template = TShablonKind::Honey, .Crossword = TCrosswordKind::Honey,
     .Size = TSizeSource::FilesOnly, .PictureValues = HoneyPictureValues, .SetPictureValue = SetHoneyPictureValue,
     .JsonValues = HoneyJsonMembers},
    {.Name = "honeycomb8", .Template = TShablonKind::Honey8, .Crossword = TCrosswordKind::Honey8,
     .Size = TSizeSource::FilesOnly, .PictureValues = HoneyPictureValues, .SetPictureValue = SetHoneyPictureValue,
     .JsonValues = HoneyJsonMembers},
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
    // A template kind named twice goes by the name that fills it, so that its files fill back.
    const TKindName* found = nullptr;
    for (const TKindName& entry : Names)
        if (entry.Template == kind && (!found || (!found->Crossword && entry.Crossword))) found = &entry;
    return found;
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

void NameKindsInRussian() {
    for (int kind = 0; kind < ShablonKindCount; ++kind) KindNames[kind] = RussianNames[kind];
}
