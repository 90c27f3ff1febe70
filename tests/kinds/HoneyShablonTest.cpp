// The honeycomb templates: rings, numbering, slots in each ring mode, mirrored centres, texts
// (also placed at a row of the other parity) and the working views' hit tests.

#include "kinds/HoneyShablon.h"

#include "platform/RecordingUi.h"
#include "platform/Text.h"
#include "template/Coord.h"

#include <gtest/gtest.h>

#include <string>
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

TEST(HoneyShablon, CropKeepsTheRowParity) {
    THoneyShablon shablon(7, 8);
    DrawHoney(shablon, {"#######", "#######", "#######", "##...##", "##.0..#", "##...##", "#######", "#######"});
    ASSERT_EQ(shablon.GetNumber(3, 4), 1);
    shablon.CropToUsed();
    EXPECT_EQ(shablon.GetNumber(1, 2), 1);
    EXPECT_EQ(Ring(shablon, 1, 2), (TCells{{0, 2}, {0, 1}, {1, 1}, {2, 2}, {1, 3}, {0, 3}}));
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

}  // namespace
