#include "kinds/EstonishShablon.h"

#include "../template/GridPicture.h"

#include "export/ComExport.h"
#include "kinds/Walls.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

struct TWall {
    int X;
    int Y;
    int Bits;
};

}  // namespace

TEST(AmericanShablonTest, NumberingCountsTheWordsOfTheFullestRowAndColumn) {
    struct TCase {
        const char* What;
        GridPicture Grid;
        std::vector<TWall> Walls;
        int Rows;
        int Columns;
    };
    const TCase cases[] = {
        {"a wall parts the first row", {".....", "....."}, {{1, 0, WallBit::Right}}, 2, 1},
        {"single letters are no words", {".#.#.", "....."}, {}, 1, 1},
        {"blocked cells part rows", {"..#..", "#####", "..#.."}, {}, 2, 0},
        {"three words down one column", {".", ".", ".", ".", ".", "."}, {{0, 1, WallBit::Below}, {0, 3, WallBit::Below}}, 0, 3},
        {"no letters", {"##", "##"}, {}, 0, 0},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.What);
        TAmericanShablon shablon(1, 1);
        DrawGrid(shablon, c.Grid);
        for (const TWall& wall : c.Walls) shablon.SetAttrA(wall.X, wall.Y, wall.Bits);
        shablon.NumberCells();
        EXPECT_EQ(shablon.MaxWordsPerRow, c.Rows);
        EXPECT_EQ(shablon.MaxWordsPerColumn, c.Columns);
        for (int x = 0; x < shablon.Width; ++x)
            for (int y = 0; y < shablon.Height; ++y) EXPECT_FALSE(shablon.IsNumbered(x, y));
    }
}

TEST(AmericanShablonTest, TheWordBlockLayoutHasNoItems) {
    TAmericanShablon shablon(1, 1);
    DrawGrid(shablon, {"...", "...", "..."});
    TComExport list;
    shablon.BuildWordExport(list, {TCellBlock{0, 0, 3, 3, 1, 1}, TCellBlock{0, 0, 1, 1, 0, 0}});
    EXPECT_EQ(list.Count(), 0);
}
