#include "kinds/DiagonalShablon.h"

#include "../template/GridPicture.h"

#include "export/ComExport.h"
#include "export/ScriptWriter.h"
#include "template/ClassicShablon.h"
#include "platform/Bitmap.h"
#include "platform/Surface.h"
#include "platform/RecordingUi.h"
#include "platform/Text.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <tuple>

namespace {

std::vector<std::string> SlotsThrough(const TShablon& shablon, int x, int y) {
    TShablonWords words;
    shablon.WordsThroughCell(x, y, words);
    std::vector<std::string> entries;
    for (int i = 0; i < words.Count(); ++i) entries.push_back(words.Entry(i));
    return entries;
}

// The clue numbers as a picture: a digit where a number stands, "." for other letter cells.
GridPicture NumbersOf(const TShablon& shablon) {
    GridPicture rows = PictureOf(shablon);
    for (int y = 0; y < shablon.Height; ++y)
        for (int x = 0; x < shablon.Width; ++x)
            if (shablon.IsNumbered(x, y)) rows[y][x] = static_cast<char>('0' + shablon.GetNumber(x, y));
    return rows;
}

// Inner blanks as a picture: "o" an inner blank, "." a letter cell, "#" another cell.
GridPicture InnerBlanksOf(const TShablon& shablon) {
    GridPicture rows = PictureOf(shablon);
    for (int y = 0; y < shablon.Height; ++y)
        for (int x = 0; x < shablon.Width; ++x)
            if (!shablon.IsLetterCell(x, y) && shablon.IsInnerBlank(x, y)) rows[y][x] = 'o';
    return rows;
}

std::string Contour(int x, int y, int side, std::string_view steps) {
    return std::string{static_cast<char>(x), static_cast<char>(y), static_cast<char>(side)} + std::string(steps);
}

// A ring of eight diamonds round the blank (2, 2) of a 5 x 5 grid.
const GridPicture Ring = {
    "##.##",
    "#.#.#",
    ".###.",
    "#.#.#",
    "##.##",
};

}  // namespace

TEST(DiagonalShablon, OnlyCellsOfEqualParityStayLetterCells) {
    TDiagonalShablon shablon(5, 5);
    DrawGrid(shablon, GridPicture(5, "....."));
    shablon.NumberCells();
    EXPECT_EQ(PictureOf(shablon), (GridPicture{".#.#.", "#.#.#", ".#.#.", "#.#.#", ".#.#."}));  // 13 cells

    shablon.SetLetterCell(1, 0, true);
    EXPECT_TRUE(shablon.IsLetterCell(1, 0));
    shablon.NumberCells();
    EXPECT_FALSE(shablon.IsLetterCell(1, 0));
}

TEST(DiagonalShablon, WordsRunAlongBothDiagonalsAndAreNumberedRowByRow) {
    TDiagonalShablon shablon(1, 1);
    DrawGrid(shablon, {
                          ".#.",
                          "#.#",
                          ".#.",
                      });
    EXPECT_EQ(SlotsThrough(shablon, 1, 1), (std::vector<std::string>{"300" "33", "320" "11"}));
    EXPECT_EQ(SlotsThrough(shablon, 2, 2), (std::vector<std::string>{"300" "33"}));
    EXPECT_EQ(SlotsThrough(shablon, 0, 2), (std::vector<std::string>{"320" "11"}));
    EXPECT_TRUE(SlotsThrough(shablon, 1, 0).empty());
    shablon.NumberCells();
    EXPECT_EQ(NumbersOf(shablon), (GridPicture{"1#2", "#.#", ".#."}));

    // A run stops at the border and at a non-letter cell; a lone diagonal neighbour is no word.
    DrawGrid(shablon, {
                          "..#.",
                          "#.#.",
                          "..#.",
                      });
    EXPECT_EQ(SlotsThrough(shablon, 1, 1), (std::vector<std::string>{"200" "3", "211" "1"}));
    EXPECT_TRUE(SlotsThrough(shablon, 3, 1).empty());
}

TEST(DiagonalShablon, TextRoundTripsAndRefusesForeignOrShortTexts) {
    ScopedRecordingUi ui;
    TDiagonalShablon shablon(3, 2);
    DrawGrid(shablon, {".#.", "#.#"});
    const std::string text = shablon.SerializeTemplate(0, 0, 2, 1);
    EXPECT_EQ(text, std::string("B32") + "\x01\x02\x02\x01\x01\x02");

    TDiagonalShablon copy(3, 2);
    ASSERT_TRUE(copy.ParseTemplate(text, 0, 0));
    EXPECT_EQ(PictureOf(copy), PictureOf(shablon));
    EXPECT_TRUE(ui->Messages.empty());

    struct TCase {
        std::string Text;
        std::string_view Message;
    };
    const TCase cases[] = {
        {"B3", "Неверный формат шаблона!"_cp},
        {std::string("032") + "\x01\x02\x02\x01\x01\x02", "Несовместимый тип шаблона!"_cp},
        {std::string("B32") + "\x02\x02\x02", "Неверный формат шаблона!"_cp},
    };
    for (const TCase& c : cases) {
        ui->Messages.clear();
        EXPECT_FALSE(copy.ParseTemplate(c.Text, 0, 0));
        EXPECT_EQ(ui->Messages, std::vector<std::string>{std::string(c.Message)});
    }
}

TEST(DiagonalShablon, InnerBlanksAreEnclosedAgainstDiagonalSteps) {
    TDiagonalShablon shablon(1, 1);
    DrawGrid(shablon, Ring);
    shablon.MarkInnerBlanks();
    // (2, 2) is closed off; (2, 1), (1, 2) and the like reach the border by diagonal steps.
    EXPECT_EQ(InnerBlanksOf(shablon), (GridPicture{"##.##", "#.#.#", ".#o#.", "#.#.#", "##.##"}));

    shablon.SetLetterCellOnly(3, 3, false);
    shablon.MarkInnerBlanks();
    EXPECT_EQ(InnerBlanksOf(shablon), (GridPicture{"##.##", "#.#.#", ".###.", "#.###", "##.##"}));
}

TEST(DiagonalShablon, OutlineWalksTheDiamondSides) {
    TDiagonalShablon shablon(1, 1);
    DrawGrid(shablon, {"###", "#.#", "###"});
    std::vector<std::string> contours;
    shablon.TraceOutline(false, contours);
    EXPECT_EQ(contours, std::vector<std::string>{Contour(1, 1, 16, "9317")});

    // Two diagonal neighbours share a side: one contour of six sides.
    DrawGrid(shablon, {".#", "#."});
    shablon.TraceOutline(false, contours);
    EXPECT_EQ(contours, std::vector<std::string>{Contour(0, 0, 16, "933177")});

    // The ring: its inner side is a contour of its own unless the enclosed blank counts as filled.
    DrawGrid(shablon, Ring);
    shablon.MarkInnerBlanks();
    shablon.TraceOutline(false, contours);
    EXPECT_EQ(contours.size(), 2u);
    shablon.TraceOutline(true, contours);
    EXPECT_EQ(contours.size(), 1u);
}

// Every contour closes on its start corner, and every boundary side of a letter cell is walked
// exactly once, for even and odd heights.
TEST(DiagonalShablon, OutlineContoursCloseAndCoverEveryBoundarySideOnce) {
    const GridPicture grids[] = {
        {".#.#.", "#.#.#", ".#.#."},
        {"..#.", "#.#.", ".#..", "#.#."},
        Ring,
        {"#.#.#.", "..#...", "#.#.#.", ".#.#.#"},
    };
    for (const GridPicture& grid : grids) {
        TDiagonalShablon shablon(1, 1);
        DrawGrid(shablon, grid);
        shablon.NumberCells();
        std::vector<std::string> contours;
        shablon.TraceOutline(false, contours);
        int walkedSides = 0;
        for (const std::string& contour : contours) {
            const auto corners = TDiagonalShablon::ContourCorners(contour[0], contour[1], 0, 0, contour.substr(2));
            ASSERT_GE(corners.size(), 2u);
            EXPECT_EQ(corners.front(), corners.back());
            walkedSides += static_cast<int>(contour.size()) - 3;
        }
        int boundarySides = 0;
        for (int y = 0; y < shablon.Height; ++y)
            for (int x = 0; x < shablon.Width; ++x) {
                if (!shablon.IsLetterCell(x, y)) continue;
                for (const auto& [dx, dy] : {std::pair{-1, -1}, {1, -1}, {1, 1}, {-1, 1}})
                    if (shablon.IsOutside(x + dx, y + dy) || !shablon.IsLetterCell(x + dx, y + dy)) ++boundarySides;
            }
        EXPECT_EQ(walkedSides, boundarySides);
    }
}

TEST(DiagonalShablon, ShiftsKeepTheParity) {
    struct TCase {
        int Dx, Dy;
        int ToX, ToY;
    };
    const TCase cases[] = {
        {1, 0, 3, 1}, {-1, 0, 1, 3}, {0, 1, 3, 3}, {0, -1, 1, 1}, {2, 1, 4, 4}, {-2, 1, 1, 3}, {2, 2, 4, 4},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(testing::Message() << c.Dx << "," << c.Dy);
        TDiagonalShablon shablon(7, 7);
        shablon.SetLetterCell(2, 2, true);
        shablon.ShiftCells(0, 0, 6, 6, c.Dx, c.Dy);
        EXPECT_TRUE(shablon.IsLetterCell(c.ToX, c.ToY));
        EXPECT_FALSE(shablon.IsLetterCell(2, 2));
    }
}

TEST(DiagonalShablon, CropKeepsTheParity) {
    TDiagonalShablon shablon(1, 1);
    DrawGrid(shablon, {
                          "######",
                          "######",
                          "####.#",
                          "###.##",
                          "######",
                      });
    // The used area starts at (3, 2), of odd sum and odd column: the crop starts a column earlier.
    shablon.CropToUsed();
    EXPECT_EQ(PictureOf(shablon), (GridPicture{"##.", "#.#"}));

    DrawGrid(shablon, {
                          "####",
                          "###.",
                          "##.#",
                      });
    // (2, 1): the column is even, so the crop starts a row higher.
    shablon.CropToUsed();
    EXPECT_EQ(PictureOf(shablon), (GridPicture{"##", "#.", ".#"}));
}

// The point at a diamond's centre hits that cell, for every used cell of the grid at several
// zooms and scroll positions; points off the grid hit nothing.
TEST(DiagonalShablon, HitTestFindsEveryDiamondByItsCentre) {
    TDiagonalShablon shablon(7, 6);
    struct TView {
        int Zoom, FirstColumn, FirstRow;
    };
    const TView views[] = {{100, 0, 0}, {50, 1, 0}, {37, 0, 3}, {250, 2, 1}, {1, 0, 0}};
    for (const TView& v : views) {
        TFastDrawParameters p;
        p.Zoom = v.Zoom;
        p.FirstColumn = v.FirstColumn;
        p.FirstRow = v.FirstRow;
        const int z = p.CellPixels();
        for (int y = 0; y < shablon.Height; ++y)
            for (int x = 0; x < shablon.Width; ++x) {
                if (!TDiagonalShablon::IsUsedCell(x, y)) continue;
                SCOPED_TRACE(testing::Message() << "zoom " << v.Zoom << " cell " << x << "," << y);
                int hx = 0, hy = 0;
                shablon.PixelToCell((x - v.FirstColumn) * z + z, (y - v.FirstRow) * z + z, p, hx, hy);
                EXPECT_EQ(std::pair(hx, hy), std::pair(x, y));
            }
        int hx = 0, hy = 0;
        shablon.PixelToCell(-3 * z - v.FirstColumn * z, 0, p, hx, hy);
        EXPECT_EQ(std::pair(hx, hy), std::pair(-1, -1));
        shablon.PixelToCell((shablon.Width + 2 - v.FirstColumn) * z, z, p, hx, hy);
        EXPECT_EQ(std::pair(hx, hy), std::pair(-1, -1));
    }
}

TEST(DiagonalShablon, LatticeGeometry) {
    TDiagonalShablon shablon(1, 1);
    DrawGrid(shablon, {".#.", "#.#", ".#."});
    shablon.CellSize = 100;
    shablon.PenWidth = 8;
    shablon.Scale = 2;
    EXPECT_EQ(shablon.GetCellPixelWidth(), 283);  // 2 x 100 x 1.414
    EXPECT_EQ(shablon.GetCellPixelHeight(), 283);
    int px = 0, py = 0;
    shablon.CellToCanvas(1, 2, px, py);
    EXPECT_EQ(std::pair(px, py), std::pair(2 * (71 + 4), 2 * (141 + 4)));
    int ex = 0, ey = 0;
    shablon.CellToExport(1, 2, ex, ey);
    EXPECT_EQ(std::pair(ex, ey), std::pair(141421, -282843));
    EXPECT_EQ(shablon.GetPixelWidth(), 283 + 8);  // four lattice units and the pen
    EXPECT_EQ(shablon.GetPixelHeight(), 283 + 8);
}

TEST(DiagonalShablon, ExportGivesDiamondsOnlyForUsedCells) {
    TDiagonalShablon shablon(1, 1);
    DrawGrid(shablon, Ring);
    shablon.BlankCellLook.ShowOutside = false;
    TComExport list;
    shablon.BuildExport(list);
    std::multiset<std::tuple<int, int, int>> cells;  // kind, value, number
    for (int i = 0; i < list.Count(); ++i) {
        const auto kind = static_cast<TExportKind>(list.Kind(i));
        EXPECT_NE(kind, TExportKind::Cell);
        if (kind == TExportKind::ShapedCell) cells.insert({list.Kind(i), list.Value(i), 0});
        if (kind == TExportKind::Number) cells.insert({list.Kind(i), 0, list.X2(i)});
    }
    const int shaped = static_cast<int>(TExportKind::ShapedCell), number = static_cast<int>(TExportKind::Number);
    // Eight letter diamonds, the enclosed blank, the numbers 1 to 3 of the four words.
    std::multiset<std::tuple<int, int, int>> expected{
        {shaped, CellKind::Other, 0}, {number, 0, 1}, {number, 0, 2}, {number, 0, 3}};
    for (int i = 0; i < 8; ++i) expected.insert({shaped, CellKind::Letter, 0});
    EXPECT_EQ(cells, expected);
}

// A classic grid laid on the lattice keeps its slots: across words run down-right, down words
// down-left, with the same lengths, for an odd and an even height.
TEST(DiagonalShablon, AClassicGridLaidOnTheLatticeKeepsItsSlots) {
    const GridPicture grids[] = {
        {"...#.", ".#...", "...#."},
        {"....", ".#..", "..#.", "...."},
    };
    for (const GridPicture& grid : grids) {
        TClassicShablon classic(1, 1);
        DrawGrid(classic, grid);
        TDiagonalShablon shablon(1, 1);
        shablon.LayOnLattice(classic);
        const int h = classic.Height;
        EXPECT_EQ(shablon.Height, classic.Width + h - 1);
        EXPECT_EQ(shablon.Width, classic.Width + h - 1 + (h % 2 == 0));

        std::set<std::string> expected, laid;
        TShablonWords words;
        for (int c = 0; c < classic.Width; ++c)
            for (int r = 0; r < h; ++r) {
                classic.WordsThroughCell(c, r, words);
                for (int i = 0; i < words.Count(); ++i) {
                    const auto [x, y] = TDiagonalShablon::LatticeCellOf(words.WordX(i), words.WordY(i), h);
                    const char step = words.WordPath(i)[0] == '6' ? '3' : '1';
                    expected.insert(TShablonWords::MakeEntry(x, y, words.WordLength(i),
                                                             std::string(words.WordLength(i) - 1, step)));
                }
            }
        shablon.NumberCells();
        for (int x = 0; x < shablon.Width; ++x)
            for (int y = 0; y < shablon.Height; ++y) {
                shablon.WordsThroughCell(x, y, words);
                for (int i = 0; i < words.Count(); ++i) laid.insert(words.Entry(i));
            }
        EXPECT_FALSE(expected.empty());
        EXPECT_EQ(laid, expected);
    }
}

// The working view draws used cells as diamonds: letter cells white (blue when selected), other
// cells in the window colour (navy when selected); the unused corners between them stay bare.
TEST(DiagonalShablon, WorkingViewDrawsDiamonds) {
    constexpr TColor32 Window = 0xF0F0F0, White = 0xFFFFFF, Blue = 0x0000FF, Navy = 0x000080;
    TDiagonalShablon shablon(1, 1);
    DrawGrid(shablon, {".#.", "#.#", ".#."});
    shablon.SetLetterCellOnly(2, 2, false);
    TFastDrawParameters p;  // zoom 100: a lattice unit of 48 pixels
    p.SelectionOn = true;
    p.SelX0 = p.SelX1 = 2;
    p.SelY0 = 0;
    p.SelY1 = 2;
    TBitmap bitmap(5 * 48, 5 * 48);
    shablon.FastDraw(p, bitmap);
    const TDIB pixels = bitmap.Pixels();
    const auto centre = [&](int x, int y) { return pixels.Pixel(x * 48 + 48, y * 48 + 48); };
    EXPECT_EQ(centre(0, 0), White);
    EXPECT_EQ(centre(1, 1), White);
    EXPECT_EQ(centre(2, 0), Blue);
    EXPECT_EQ(centre(2, 2), Navy);
    EXPECT_EQ(centre(0, 2), White);
    EXPECT_EQ(pixels.Pixel(2, 2), Window);  // the corner left of the first diamond's top

    // A zoom that rounds to no pixels still counts cells of one pixel.
    p.Zoom = 0;
    int columns = 0, rows = 0;
    shablon.PixelsToCells(10, 4, p, columns, rows);
    EXPECT_EQ(std::pair(columns, rows), std::pair(11, 5));
}

// The wide outline of one cell runs round its diamond: from the left corner up-right, down-right,
// down-left and back, one line per side, in the picture and in the editor export.
TEST(DiagonalShablon, OutlineIsDrawnAlongTheDiamondSides) {
    TDiagonalShablon shablon(3, 3);
    shablon.SetLetterCell(1, 1, true);
    const std::string contour = Contour(1, 1, 16, "9317").substr(2);
    const std::vector<std::pair<int, int>> corners = {{1, 2}, {2, 1}, {3, 2}, {2, 3}, {1, 2}};
    EXPECT_EQ(TDiagonalShablon::ContourCorners(1, 1, 0, 0, contour), corners);

    std::vector<std::string> drawn, expected;
    TScriptWriter drawnWriter(drawn, false), expectedWriter(expected, false);
    shablon.EditorDrawOutline(drawnWriter, 1, 1, 0, 0, contour);
    std::vector<std::pair<int32_t, int32_t>> points;
    for (const auto& [x, y] : corners) {
        int ex = 0, ey = 0;
        shablon.CellToExport(x, y, ex, ey);
        points.emplace_back(ex, ey);
    }
    expectedWriter.Curve(points, true);
    expectedWriter.ApplyStyle("WIDE_ABRIS");
    EXPECT_EQ(drawn, expected);
}
