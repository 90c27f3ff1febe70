// The honeycomb templates: rings, numbering, slots in each ring mode, mirrored centres, texts
// (also placed at a row of the other parity), shifts and crops, the export with its start strokes,
// the stroke style, and the working views with their hit tests.

#include "kinds/HoneyShablon.h"

#include "export/ComExport.h"
#include "export/ScriptWriter.h"
#include "platform/Bitmap.h"
#include "platform/RecordingUi.h"
#include "platform/Surface.h"
#include "platform/Text.h"
#include "template/Coord.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <tuple>
#include <unistd.h>
#include <utility>
#include <vector>

namespace {

using TCells = std::vector<std::pair<int, int>>;

// "#" a blank, "." a letter cell, a digit a centre starting there, "o" a centre with no stored
// direction.
void DrawHoney(TBaseHoneyShablon& shablon, const std::vector<std::string>& rows) {
    shablon.SetSize(static_cast<int>(rows[0].size()), static_cast<int>(rows.size()));
    for (int y = 0; y < shablon.Height; ++y)
        for (int x = 0; x < shablon.Width; ++x) {
            const char c = rows[y][x];
            shablon.SetLetterCellOnly(x, y, c == '.');
            if (c >= '0' && c <= '9') shablon.SetStartDirection(x, y, c - '0');
            if (c == 'o') {
                shablon.SetMarkE(x, y, true);
                shablon.RawCell(x, y).Attr |= 0xFF00;
            }
        }
    shablon.NumberCells();
}

TCells Ring(const TBaseHoneyShablon& shablon, int x, int y) {
    TCells cells;
    shablon.RingCells(x, y, cells);
    return cells;
}

// The cells of every slot through (x, y), in reading order.
std::vector<TCells> SlotsAt(const TBaseHoneyShablon& shablon, int x, int y) {
    TShablonWords words;
    shablon.WordsThroughCell(x, y, words);
    std::vector<TCells> slots;
    for (int i = 0; i < words.Count(); ++i) {
        EXPECT_EQ(words.WordLength(i), shablon.RingWordLength());
        const TCoord coord(words.WordX(i), words.WordY(i), words.WordPath(i), shablon.Width, shablon.Height);
        TCells cells;
        for (int k = 0; k < coord.Count(); ++k) cells.emplace_back(coord.CellX(k), coord.CellY(k));
        slots.push_back(cells);
    }
    return slots;
}

const std::vector<std::string> HexGrid = {
    ".....",
    ".....",
    "..0..",
    ".....",
    ".....",
};

TEST(HoneyShablon, RingsRunFromTheStartDirectionInTheirSense) {
    struct TCase {
        int X, Y, RingDirection;
        TCells Expected;
    };
    const TCase cases[] = {
        {2, 2, 0, {{1, 2}, {1, 1}, {2, 1}, {3, 2}, {2, 3}, {1, 3}}},
        {2, 1, 0, {{1, 1}, {2, 0}, {3, 0}, {3, 1}, {3, 2}, {2, 2}}},
        {2, 2, 1, {{1, 2}, {1, 3}, {2, 3}, {3, 2}, {2, 1}, {1, 1}}},
        {2, 1, 1, {{1, 1}, {2, 2}, {3, 2}, {3, 1}, {3, 0}, {2, 0}}},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(testing::Message() << c.X << "," << c.Y << " sense " << c.RingDirection);
        THoneyShablon shablon(5, 5);
        DrawHoney(shablon, {".....", ".....", ".....", ".....", "....."});
        shablon.SetLetterCellOnly(c.X, c.Y, false);
        shablon.SetStartDirection(c.X, c.Y, 0);
        shablon.RingDirection = static_cast<uint8_t>(c.RingDirection);
        shablon.NumberCells();
        EXPECT_EQ(shablon.GetNumber(c.X, c.Y), 1);
        EXPECT_EQ(Ring(shablon, c.X, c.Y), c.Expected);
    }
}

TEST(HoneyShablon, SquareRingWithoutStoredDirectionStartsAtTheLeftNeighbour) {
    THoneyShablon_8 shablon(3, 3);
    DrawHoney(shablon, {"...", ".o.", "..."});
    EXPECT_EQ(shablon.GetNumber(1, 1), 1);
    EXPECT_EQ(shablon.StartDirectionOf(1, 1), TBaseHoneyShablon::NoDirection);
    EXPECT_EQ(Ring(shablon, 1, 1), (TCells{{0, 1}, {0, 0}, {1, 0}, {2, 0}, {2, 1}, {2, 2}, {1, 2}, {0, 2}}));
    shablon.RingDirection = 1;
    EXPECT_EQ(Ring(shablon, 1, 1), (TCells{{0, 1}, {0, 2}, {1, 2}, {2, 2}, {2, 1}, {2, 0}, {1, 0}, {0, 0}}));
}

TEST(HoneyShablon, CentresWhoseRingLeavesTheGridOrMissesALetterCellMakeNoSlot) {
    THoneyShablon hex(5, 5);
    DrawHoney(hex, {".....", "0....", ".....", "...#.", "..0.."});
    THoneyShablon_8 square(3, 3);
    DrawHoney(square, {"...", "..#", "4.."});
    for (const auto& [x, y] : TCells{{0, 1}, {2, 4}}) {
        EXPECT_EQ(hex.GetNumber(x, y), 0) << x << "," << y;
        EXPECT_TRUE(SlotsAt(hex, x, y).empty());
    }
    EXPECT_EQ(square.GetNumber(0, 2), 0);
    EXPECT_NE(hex.GetStatistics().find("Общее число слов в кроссворде - 0"_cp), std::string::npos);
}

// The words are the numbered centres only; a centre whose ring misses a letter cell counts none.
TEST(HoneyShablon, StatisticsCountNumberedCentresAndLetterCells) {
    THoneyShablon hex(5, 5);
    DrawHoney(hex, {".....", ".0.0.", ".....", "..0#.", "....."});
    THoneyShablon_8 square(3, 3);
    DrawHoney(square, {"...", ".o.", "..."});
    const auto report = [](const TBaseHoneyShablon& shablon, int words, int cells) {
        return Format("Тип кроссворда - %s\r\nОбщее число слов в кроссворде - %d\r\nОбщее число рабочих клеток - %d\r\n"_cp,
                      KindNames[static_cast<int>(shablon.Kind)], words, cells);
    };
    EXPECT_EQ(hex.GetStatistics(), report(hex, 2, 21));
    EXPECT_EQ(square.GetStatistics(), report(square, 1, 8));
}

TEST(HoneyShablon, RingModesPlaceTheCentreFirstLastOrBoth) {
    const TCells ring = {{1, 2}, {1, 1}, {2, 1}, {3, 2}, {2, 3}, {1, 3}};
    for (int mode = 0; mode <= 3; ++mode) {
        SCOPED_TRACE(mode);
        THoneyShablon shablon(5, 5);
        DrawHoney(shablon, HexGrid);
        shablon.RingMode = static_cast<uint8_t>(mode);
        TCells expected = ring;
        if (mode == 1 || mode == 3) expected.insert(expected.begin(), {2, 2});
        if (mode == 2 || mode == 3) expected.emplace_back(2, 2);
        EXPECT_EQ(shablon.RingWordLength(), static_cast<int>(expected.size()));
        EXPECT_EQ(SlotsAt(shablon, 2, 2), std::vector<TCells>{expected});
        EXPECT_EQ(SlotsAt(shablon, 3, 2), std::vector<TCells>{expected});
    }
    THoneyShablon_8 square(3, 3);
    DrawHoney(square, {"...", ".o.", "..."});
    square.RingMode = 3;
    EXPECT_EQ(square.RingWordLength(), 10);
}

TEST(HoneyShablon, ACellOnTwoRingsLiesInBothSlots) {
    THoneyShablon shablon(5, 4);
    DrawHoney(shablon, {".....", ".0.0.", ".....", "....."});
    EXPECT_EQ(shablon.GetNumber(1, 1), 1);
    EXPECT_EQ(shablon.GetNumber(3, 1), 2);
    const auto slots = SlotsAt(shablon, 2, 1);
    ASSERT_EQ(slots.size(), 2u);
    EXPECT_EQ(slots[0][0], (std::pair{0, 1}));
    EXPECT_EQ(slots[1][0], (std::pair{2, 1}));
}

TEST(HoneyShablon, MirroredCentresGetTheOppositeDirection) {
    THoneyShablon hex(5, 5);
    hex.MirrorX = {true, 2, false};
    hex.SetStartDirection(1, 2, 1);
    EXPECT_TRUE(hex.HasMarkE(3, 2));
    EXPECT_EQ((hex.RawCell(3, 2).Attr >> 8) & 0xFF, 4u);

    THoneyShablon_8 square(5, 5);
    square.MirrorX = {true, 2, false};
    square.MirrorY = {true, 2, false};
    square.SetStartDirection(1, 1, 7);
    for (const auto& [x, y] : TCells{{3, 1}, {1, 3}, {3, 3}}) {
        EXPECT_TRUE(square.HasMarkE(x, y)) << x << "," << y;
        EXPECT_EQ((square.RawCell(x, y).Attr >> 8) & 0xFF, 3u) << x << "," << y;
    }
    square.SetStartDirection(1, 1, TBaseHoneyShablon::NoDirection);
    EXPECT_FALSE(square.HasMarkE(3, 3));
}

TEST(HoneyShablon, TextsRoundTripWithRingSettingsAndDirections) {
    ScopedRecordingUi ui;
    THoneyShablon source(5, 5);
    DrawHoney(source, {".....", ".....", "..3..", ".....", "....."});
    source.RingDirection = 1;
    source.RingMode = 2;
    const std::string text = source.SerializeTemplate(0, 0, 4, 4);
    ASSERT_EQ(text.substr(0, 6), "955012");

    THoneyShablon copy(5, 5);
    ASSERT_TRUE(copy.ParseTemplate(text, 0, 0));
    EXPECT_EQ(copy.RingDirection, 1);
    EXPECT_EQ(copy.RingMode, 2);
    EXPECT_EQ(copy.StartDirectionOf(2, 2), 3);
    EXPECT_EQ(copy.SerializeTemplate(0, 0, 4, 4), text);
    EXPECT_TRUE(ui->Messages.empty());

    // A centre with no stored direction is written with the default start, not as "no centre".
    THoneyShablon_8 square(3, 3);
    DrawHoney(square, {"...", ".o.", "..."});
    THoneyShablon_8 squareCopy(3, 3);
    ASSERT_TRUE(squareCopy.ParseTemplate(square.SerializeTemplate(0, 0, 2, 2), 0, 0));
    EXPECT_EQ(squareCopy.GetNumber(1, 1), 1);
    EXPECT_EQ(Ring(squareCopy, 1, 1), Ring(square, 1, 1));
}

TEST(HoneyShablon, TextPlacedAtARowOfTheOtherParityKeepsEveryRing) {
    ScopedRecordingUi ui;
    THoneyShablon source(5, 5);
    DrawHoney(source, HexGrid);
    const std::string text = source.SerializeTemplate(0, 0, 4, 4);
    THoneyShablon moved(7, 7);
    ASSERT_TRUE(moved.ParseTemplate(text, 0, 1));
    ASSERT_EQ(moved.GetNumber(2, 3), 1);
    // The stored odd rows land on even rows one column further right.
    EXPECT_TRUE(moved.IsLetterCell(1, 1));
    EXPECT_FALSE(moved.IsLetterCell(0, 2));
    EXPECT_TRUE(moved.IsLetterCell(5, 2));
    TCells expected;
    for (auto [x, y] : Ring(source, 2, 2)) expected.emplace_back(x + ((y + 1) % 2 == 0 ? 1 : 0), y + 1);
    EXPECT_EQ(Ring(moved, 2, 3), expected);

    // Read back from its odd first row to row 0, the whole picture stands one column right.
    const std::string again = moved.SerializeTemplate(0, 1, 6, 6);
    EXPECT_EQ(again[3], '1');
    THoneyShablon back(7, 7);
    ASSERT_TRUE(back.ParseTemplate(again, 0, 0));
    ASSERT_EQ(back.GetNumber(3, 2), 1);
    expected.clear();
    for (auto [x, y] : Ring(source, 2, 2)) expected.emplace_back(x + 1, y);
    EXPECT_EQ(Ring(back, 3, 2), expected);
    EXPECT_TRUE(ui->Messages.empty());
}

TEST(HoneyShablon, BadTextsAreRefused) {
    THoneyShablon valid(3, 3);
    DrawHoney(valid, {"...", ".0.", "..."});
    const std::string text = valid.SerializeTemplate(0, 0, 2, 2);
    std::string badDirection = text;
    badDirection[6 + 2 * 4 + 1] = 6;
    std::string badMode = text;
    badMode[5] = '4';
    struct TCase {
        std::string Text;
        std::string_view Message;
    };
    const TCase cases[] = {
        {text.substr(0, 6), "Неверный формат шаблона!"_cp},
        {":33000" + text.substr(6), "Несовместимый тип шаблона!"_cp},
        {badDirection, "Неверный формат шаблона!"_cp},
        {badMode, "Неверный формат шаблона!"_cp},
        {text.substr(0, text.size() - 3), "Неверный формат шаблона!"_cp},
    };
    for (const TCase& c : cases) {
        ScopedRecordingUi ui;
        THoneyShablon shablon(3, 3);
        EXPECT_FALSE(shablon.ParseTemplate(c.Text, 0, 0));
        EXPECT_EQ(ui->Messages, std::vector<std::string>{std::string(c.Message)});
    }
}

TEST(HoneyShablon, CropToAnOddRowMovesTheShiftedRowsAndKeepsTheRing) {
    THoneyShablon shablon(7, 8);
    DrawHoney(shablon, {"#######", "#######", "#######", "##...##", "##.0..#", "##...##", "#######", "#######"});
    ASSERT_EQ(shablon.GetNumber(3, 4), 1);
    shablon.CropToUsed();
    EXPECT_EQ(std::pair(static_cast<int>(shablon.Width), static_cast<int>(shablon.Height)), std::pair(4, 3));
    EXPECT_EQ(shablon.GetNumber(1, 1), 1);
    EXPECT_EQ(Ring(shablon, 1, 1), (TCells{{0, 1}, {1, 0}, {2, 0}, {2, 1}, {2, 2}, {1, 2}}));
    int minX, minY, endX, endY;
    shablon.GetUsedBounds(minX, minY, endX, endY);
    EXPECT_EQ(std::pair(minX, minY), std::pair(0, 0));
}

TEST(HoneyShablon, HitTestsFindTheHexagonUnderThePixel) {
    THoneyShablon shablon(5, 5);
    TFastDrawParameters view;
    view.Zoom = 20;
    struct TCase {
        int Px, Py, X, Y;
    };
    const TCase cases[] = {
        {17, 20, 0, 0},  // middle of the first hexagon
        {69, 50, 1, 1},  // middle of a shifted one
        {53, 32, 1, 0},  // above a shifted hexagon's upper left side
        {85, 32, 2, 0},  // above its upper right side
        {37, 62, 0, 1},  // above an unshifted hexagon's upper left side
        {-5, 20, -1, 0},
        // Inside each corner of the shifted hexagon (1, 1), whose left side runs from (52, 40).
        {55, 42, 1, 1},
        {69, 33, 1, 1},
        {84, 42, 1, 1},
        {84, 58, 1, 1},
        {69, 67, 1, 1},
        {55, 58, 1, 1},
        // Just across each of its sides.
        {60, 32, 1, 0},
        {79, 32, 2, 0},
        {89, 50, 2, 1},
        {50, 50, 0, 1},
        {58, 69, 1, 2},
        {80, 69, 2, 2},
    };
    for (const TCase& c : cases) {
        int x = 0, y = 0;
        shablon.PixelToCell(c.Px, c.Py, view, x, y);
        EXPECT_EQ((std::pair{x, y}), (std::pair{c.X, c.Y})) << c.Px << "," << c.Py;
    }
    THoneyShablon_8 square(5, 5);
    view.FirstColumn = 1;
    int x = 0, y = 0;
    square.PixelToCell(45, 19, view, x, y);
    EXPECT_EQ((std::pair{x, y}), (std::pair{3, 0}));
    square.PixelToCell(80, 5, view, x, y);
    EXPECT_EQ(x, -1);
}

// Every shift, by an odd number of rows too, moves each ring with its centre: the centre keeps its
// number and its ring is the moved ring; the cells left behind carry no centre.
TEST(HoneyShablon, ShiftsMoveEveryRingWithItsCentre) {
    const std::vector<std::string> hexRows = {".......", ".......", ".......", "...0...", ".......", ".......", "......."};
    const std::vector<std::string> squareRows = {".......", ".......", ".......", "...o...", ".......", ".......", "......."};
    struct TCase {
        bool Hexagons;
        int Dx, Dy;
    };
    const TCase cases[] = {{true, 0, 1}, {true, 0, -1}, {true, 1, 2}, {true, -1, -1}, {true, 1, 1},
                           {true, -2, 0}, {false, 1, 1}, {false, -2, 1}, {false, 0, -1}};
    for (const TCase& c : cases) {
        SCOPED_TRACE(testing::Message() << (c.Hexagons ? "hexagons " : "squares ") << c.Dx << "," << c.Dy);
        THoneyShablon hex(7, 7);
        THoneyShablon_8 square(7, 7);
        TBaseHoneyShablon& shablon = c.Hexagons ? static_cast<TBaseHoneyShablon&>(hex) : square;
        DrawHoney(shablon, c.Hexagons ? hexRows : squareRows);
        ASSERT_EQ(shablon.GetNumber(3, 3), 1);
        TCells moved;
        for (const auto& [x, y] : Ring(shablon, 3, 3)) moved.push_back(shablon.MovedCell(x, y, c.Dx, c.Dy));
        const auto [cx, cy] = shablon.MovedCell(3, 3, c.Dx, c.Dy);
        shablon.ShiftCells(0, 0, 6, 6, c.Dx, c.Dy);
        EXPECT_EQ(shablon.GetNumber(cx, cy), 1);
        EXPECT_EQ(Ring(shablon, cx, cy), moved);
        int centres = 0;
        for (int x = 0; x < 7; ++x)
            for (int y = 0; y < 7; ++y) centres += shablon.HasMarkE(x, y) ? 1 : 0;
        EXPECT_EQ(centres, 1);
        const int vacatedRow = c.Dy > 0 ? 0 : 6;
        if (c.Dy != 0) { EXPECT_FALSE(shablon.IsLetterCell(3, vacatedRow)); }
    }
    // A move by one row half a column to the right, as a text placed at the other parity.
    THoneyShablon hex(7, 7);
    EXPECT_EQ(hex.MovedCell(3, 3, 0, 1), (std::pair{4, 4}));
    EXPECT_EQ(hex.MovedCell(3, 4, 0, 1), (std::pair{3, 5}));
}

// Blanks of the hexagon grid reach the border through the six sides of a cell, not through the
// four sides of a square.
TEST(HoneyShablon, InnerBlanksOfHexagonsFollowTheirSides) {
    struct TCase {
        std::vector<std::string> Rows;
        bool Inner;  // of the blank (1, 1)
    };
    const TCase cases[] = {
        {{"..#..", ".#...", ".....", "....."}, false},  // (2, 0) touches the shifted (1, 1)
        {{"#....", ".#...", ".....", "....."}, true},   // (0, 0) does not
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Rows[0]);
        THoneyShablon shablon(5, 4);
        DrawHoney(shablon, c.Rows);
        shablon.MarkInnerBlanks();
        EXPECT_EQ(shablon.IsInnerBlank(1, 1), c.Inner);
        EXPECT_FALSE(shablon.IsInnerBlank(0, 0));
    }
    THoneyShablon shablon(5, 5);
    DrawHoney(shablon, HexGrid);
    shablon.MarkInnerBlanks();
    EXPECT_TRUE(shablon.IsInnerBlank(2, 2));
}

// The export crops to the used cells, here from an odd row, so that the hexagons keep their rows'
// shift; the template, its size and its key word are back afterwards.
TEST(HoneyShablon, ExportCropsAddsTheStrokesAndPutsTheGridBack) {
    THoneyShablon shablon(6, 7);
    DrawHoney(shablon, {"######", "#...##", "#.0..#", "#...##", "######", "######", "######"});
    shablon.SetKeyWordCell(3, 2, 1);
    shablon.KeyWordCellLook.NoPaint = false;
    shablon.BlankCellLook.ShowOutside = false;
    const std::string before = shablon.SerializeTemplate(0, 0, 5, 6);
    TComExport list;
    shablon.BuildExport(list);

    EXPECT_EQ(shablon.SerializeTemplate(0, 0, 5, 6), before);
    EXPECT_EQ(std::pair(static_cast<int>(shablon.Width), static_cast<int>(shablon.Height)), std::pair(6, 7));
    EXPECT_EQ(shablon.KeyWordCells, std::string({3, 2}));
    EXPECT_EQ(shablon.GetNumber(2, 2), 1);
    int dx = 0, dy = 0, width = 0, height = 0;
    shablon.CropMove(dx, dy, width, height);
    EXPECT_EQ(shablon.MovedCell(2, 2, dx, dy), (std::pair{1, 1}));
    EXPECT_EQ(std::pair(width, height), std::pair(4, 3));

    // The centre lands on (1, 1) of the cropped grid: half a column in, one and a half rows down.
    constexpr int CentreX = 259808, CentreY = -200000;
    int letters = 0, others = 0, strokes = 0, numbers = 0, keyWords = 0;
    for (int i = 0; i < list.Count(); ++i) {
        switch (static_cast<TExportKind>(list.Kind(i))) {
            case TExportKind::Cell: ++(list.Value(i) == CellKind::Letter ? letters : others); break;
            case TExportKind::Number:
                ++numbers;
                EXPECT_EQ((std::tuple{list.X(i), list.Y(i), list.X2(i)}), (std::tuple{CentreX, CentreY, 1}));
                break;
            case TExportKind::HoneyArrows:
                ++strokes;
                EXPECT_EQ((std::tuple{list.X(i), list.Y(i), list.X2(i), list.Value(i)}),
                          (std::tuple{CentreX, CentreY, 0, 100}));
                break;
            case TExportKind::KeyWordNumber:
                ++keyWords;
                EXPECT_EQ((std::pair{list.X2(i), list.Y2(i)}), (std::pair{3, 2}));
                break;
            default: break;
        }
    }
    EXPECT_EQ(std::tuple(letters, others, numbers, strokes, keyWords), std::tuple(8, 1, 1, 1, 2));

    // The picture is as wide as the cropped hexagons reach: four columns and the half of the
    // shifted rows, with the pen.
    EXPECT_EQ(shablon.GetPixelWidth(), 7 + 779);
    for (int i = 0; i < list.Count(); ++i) {
        if (list.Kind(i) != static_cast<int>(TExportKind::Cell)) continue;
        int px = 0, py = 0;
        shablon.ExportToCanvas(list.X(i), list.Y(i), px, py, false);
        EXPECT_LE(px + shablon.GetCellPixelWidth(), shablon.GetPixelWidth());
        EXPECT_LE(py + 150, shablon.GetPixelHeight());
    }

    shablon.HoneyStroke.Show = false;
    TComExport plain;
    shablon.BuildExport(plain);
    for (int i = 0; i < plain.Count(); ++i) EXPECT_NE(plain.Kind(i), static_cast<int>(TExportKind::HoneyArrows));
}

// A stroke leaves the middle of the side facing its direction (a corner for the square's
// diagonals) and runs outward for Len per cent of the cell, in the style of the strokes.
TEST(HoneyShablon, StrokesLeaveTheSideTheRingStartsAt) {
    struct TCase {
        bool Hexagons;
        int Direction;
        std::pair<int, int> From, To;
    };
    const TCase cases[] = {
        {true, 0, {1000, -52000}, {-29000, -52000}},
        {true, 1, {44301, 23000}, {29301, 48981}},
        {true, 4, {130904, -127000}, {145904, -152981}},
        {false, 2, {51000, -102000}, {51000, -132000}},
        {false, 9, {101000, -2000}, {122213, 19213}},
        {false, 4, {1000, -52000}, {-29000, -52000}},
    };
    const auto at = [](std::pair<int, int> p) { return std::to_string(p.first) + ", " + std::to_string(p.second); };
    for (const TCase& c : cases) {
        SCOPED_TRACE(testing::Message() << (c.Hexagons ? "hexagons " : "squares ") << c.Direction);
        THoneyShablon hex(3, 3);
        THoneyShablon_8 square(3, 3);
        const TBaseHoneyShablon& shablon = c.Hexagons ? static_cast<TBaseHoneyShablon&>(hex) : square;
        std::vector<std::string> lines;
        TScriptWriter writer(lines, false);
        shablon.EditorDrawHoneyArrows(writer, 1000, -2000, 100, c.Direction);
        EXPECT_EQ(lines, (std::vector<std::string>{".BeginDrawCurve " + at(c.From), ".DrawCurveLineTo " + at(c.To),
                                                    ".EndDrawCurve", ".ApplyStyle \"HONEY_STRELKS\""}));
    }
    THoneyShablon_8 square(3, 3);
    std::vector<std::string> lines;
    TScriptWriter writer(lines, false);
    square.EditorDrawHoneyArrows(writer, 0, 0, 100, 5);
    EXPECT_TRUE(lines.empty());
}

TEST(HoneyShablon, ScriptExportDefinesAndDrawsTheStrokes) {
    THoneyShablon_8 shablon(3, 3);
    DrawHoney(shablon, {"...", ".6.", "..."});
    shablon.HoneyStroke.Width = 5;
    std::vector<std::string> lines;
    shablon.ExportToScript(lines);
    const auto at = [&](std::string_view line) { return std::find(lines.begin(), lines.end(), line) - lines.begin(); };
    const auto defined = at(".SaveStyleProp \"HONEY_STRELKS\", -1, -1");
    ASSERT_LT(defined, static_cast<long>(lines.size()));
    EXPECT_EQ(lines[defined - 4], ".SetOutlineWidth 5000");
    const auto drawn = at(".BeginDrawCurve 200000, -150000");
    ASSERT_LT(drawn + 3, static_cast<long>(lines.size()));
    EXPECT_GT(drawn, defined);
    EXPECT_EQ(lines[drawn + 1], ".DrawCurveLineTo 230000, -150000");
    EXPECT_EQ(lines[drawn + 3], ".ApplyStyle \"HONEY_STRELKS\"");
}

TEST(HoneyShablon, StrokeStyleSettings) {
    ScopedRecordingUi ui;
    const std::string path =
        (std::filesystem::temp_directory_path() / ("zelvana-honey-" + std::to_string(getpid()) + ".ini")).string();
    struct TCase {
        std::string Section;
        THoneyStroke Expected;
    };
    const TCase cases[] = {
        {"SHOW=0\nWIDTH=12\nLEN=40\nCOLOR=255\nCOLOR_T=1\n", {false, 12, {255, TColorModel::Cmyk}, 40}},
        {"SHOW=x\nWIDTH=x\nLEN=x\nCOLOR=x\nCOLOR_T=x\n", {true, 100, {0, TColorModel::Rgb}, 25}},
        {"LEN=50\n", {true, 7, {0, TColorModel::Rgb}, 50}},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Section);
        {
            std::ofstream out(path);
            out << "[HONEY]\n" << c.Section;
        }
        THoneyShablon shablon(3, 3);
        ASSERT_TRUE(shablon.LoadStyle(path));
        EXPECT_EQ(shablon.HoneyStroke, c.Expected);
    }
    std::filesystem::remove(path);
    THoneyShablon_8 saved(3, 3);
    saved.HoneyStroke = {false, 11, {0x123456, TColorModel::Cmyk}, 45};
    ASSERT_TRUE(saved.SaveStyle(path));
    THoneyShablon_8 loaded(3, 3);
    ASSERT_TRUE(loaded.LoadStyle(path));
    EXPECT_EQ(loaded.HoneyStroke, saved.HoneyStroke);
    std::filesystem::remove(path);
    EXPECT_TRUE(ui->Messages.empty());
}

// The working views: hexagons (or squares) of the zoom's side, letter cells white, selected ones
// blue, other cells in the window colour, and the start strokes over the neighbours.
TEST(HoneyShablon, WorkingViewsDrawCellsAndStrokes) {
    constexpr uint32_t Window = 0xF0F0F0, White = 0xFFFFFF, Blue = 0x0000FF, Green = 0x00FF00;
    TFastDrawParameters view;
    view.Zoom = 20;
    view.ShowDetails = true;
    view.SelectionOn = true;
    view.SelX0 = view.SelX1 = view.SelY0 = view.SelY1 = 3;
    THoneyShablon hex(5, 5);
    DrawHoney(hex, HexGrid);
    hex.HoneyStroke.Colour = {0x00FF00, TColorModel::Rgb};
    TBitmap bitmap(200, 160);
    hex.FastDraw(view, bitmap);
    TDIB pixels = bitmap.Pixels();
    const auto pixel = [&](int x, int y) { return pixels.Pixel(x, y) & 0xFFFFFFu; };
    EXPECT_EQ(pixel(69, 50), White);   // the middle of (1, 1)
    EXPECT_EQ(pixel(138, 110), Blue);  // the middle of the selected (3, 3)
    EXPECT_EQ(pixel(86, 82), Window);  // the centre (2, 2)
    EXPECT_EQ(pixel(66, 80), Green);   // its stroke, out of its left side into (1, 2)
    hex.HoneyStroke.Show = false;
    hex.FastDraw(view, bitmap);
    pixels = bitmap.Pixels();
    EXPECT_EQ(pixel(66, 80), White);

    THoneyShablon_8 square(3, 3);
    DrawHoney(square, {"...", ".o.", "..."});
    square.HoneyStroke.Colour = {0x00FF00, TColorModel::Rgb};
    view.Zoom = 40;
    view.SelectionOn = false;
    square.FastDraw(view, bitmap);
    pixels = bitmap.Pixels();
    EXPECT_EQ(pixel(20, 20), White);
    EXPECT_EQ(pixel(75, 75), Window);
    EXPECT_EQ(pixel(34, 60), Green);  // out of the left side, where the ring starts
    EXPECT_EQ(pixel(125, 20), Window);  // beyond the grid
}

}  // namespace
