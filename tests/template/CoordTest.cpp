#include "template/Coord.h"
#include "template/CoordList.h"
#include "template/ShablonWords.h"

#include <gtest/gtest.h>

namespace {

std::vector<TCell> CellsOf(const TCoord& coord) {
    return coord.Cells();
}

}  // namespace

TEST(ShablonWords, EntryHoldsLengthStartAndSteps) {
    TShablonWords words;
    words.AddWord(3, 12, 4, "666");
    words.AddWord(0, 0, 2, "2");
    EXPECT_EQ(words.Entry(0), std::string("4") + "3" + "<" + "666");
    EXPECT_EQ(words.WordLength(0), 4);
    EXPECT_EQ(words.WordX(0), 3);
    EXPECT_EQ(words.WordY(0), 12);
    EXPECT_EQ(words.WordPath(0), "666");

    words.ReplaceWord(0, 1, 1, 3, "22");
    EXPECT_EQ(words.Count(), 2);
    EXPECT_EQ(words.Entry(0), "31122");
    EXPECT_EQ(words.WordPath(1), "2");
}

TEST(ShablonWords, PathStopsAtTheLengthOfTheEntry) {
    TShablonWords words;
    words.AddWord(0, 0, 3, "66");
    std::string record = words.Entry(0) + "10";  // a crossword record appends its flags
    EXPECT_EQ(TShablonWords::MakeEntry(0, 0, 3, "66") + "10", record);
    EXPECT_EQ(words.WordPath(0), "66");
}

TEST(Coord, StepsFollowTheKeypadAndTheRing) {
    struct Case {
        char step;
        int dx, dy;
    };
    const Case cases[] = {
        {'1', -1, 1}, {'2', 0, 1},  {'3', 1, 1},  {'4', -1, 0}, {'5', 0, 0},   {'6', 1, 0},  {'7', -1, -1},
        {'8', 0, -1}, {'9', 1, -1}, {'A', -2, -2}, {'C', 0, -2}, {'E', 2, -2}, {'G', 2, 0},  {'I', 2, 2},
        {'K', 0, 2},  {'M', -2, 2}, {'O', -2, 0}, {'P', -2, -1}, {'0', 0, 0},  {'Q', 0, 0},
    };
    for (const Case& c : cases) {
        const TStep step = StepOf(c.step);
        EXPECT_EQ(step.dx, c.dx) << c.step;
        EXPECT_EQ(step.dy, c.dy) << c.step;
    }
}

TEST(Coord, StepsWrapRoundTheEdges) {
    const TCoord up(4, 0, "9", 5, 3);  // from the top-right corner up and right
    EXPECT_EQ(CellsOf(up), (std::vector<TCell>{{4, 0}, {0, 2}}));

    const TCoord left(0, 1, "4O", 5, 3);
    EXPECT_EQ(CellsOf(left), (std::vector<TCell>{{0, 1}, {4, 1}, {2, 1}}));
}

TEST(Coord, ToPathInvertsAppendPath) {
    TCoord corner(3, 3);
    corner.AddCell(0, 0);
    corner.AddCell(1, 0);
    corner.AddCell(1, 1);
    EXPECT_EQ(corner.ToPath(), "62");

    const char* paths[] = {"6666", "2222", "3197", "GKOC", "AEIM", "BDFHJLNP", "66622244488"};
    for (const char* path : paths) {
        const TCoord coord(5, 5, path, 20, 20);
        EXPECT_EQ(coord.ToPath(), path);
    }
}

TEST(Coord, ToPathReadsAMoveToColumnZeroAsAWrap) {
    TCoord wrap(4, 4);
    wrap.AddCell(3, 1);
    wrap.AddCell(0, 1);  // from the last column round to the first
    wrap.AddCell(1, 1);
    wrap.AddCell(0, 1);  // back from column 1 is an ordinary step left
    EXPECT_EQ(wrap.ToPath(), "664");
    const TCoord replay(3, 1, "66", 4, 4);
    EXPECT_EQ(replay.CellX(1), 0);
}

TEST(Coord, CellEditing) {
    TCoord coord(1, 1, "22", 10, 10);
    EXPECT_EQ(coord.IndexOfCell(1, 3), 2);
    EXPECT_EQ(coord.IndexOfCell(2, 2), -1);
    coord.InsertCell(0, 7, 7);
    coord.SetCellX(1, 5);
    EXPECT_EQ(CellsOf(coord), (std::vector<TCell>{{7, 7}, {5, 1}, {1, 2}, {1, 3}}));

    TCoordList list;
    list.AddTag(2, 3, "a");
    list.AddTag(4, 4, "b");
    TCoord fromList(10, 10);
    fromList.AddCellsOf(list);
    EXPECT_EQ(CellsOf(fromList), (std::vector<TCell>{{2, 3}, {4, 4}}));
}

TEST(CoordList, TagsAreKeptOncePerCell) {
    TCoordList list;
    list.AddTag(1, 1, "x");
    list.AddTag(1, 1, "x");
    list.AddTag(1, 1, "y");
    list.AddTag(5, 5, "x");
    EXPECT_EQ(list.Count(), 2);
    EXPECT_EQ(list.Tags(0).size(), 2u);
    EXPECT_EQ(list.IndexOfCell(5, 5), 1);
    EXPECT_EQ(list.IndexOfCell(5, 6), -1);
}

TEST(CoordList, FindTagLooksForTheGivenPositionInNearbyItems) {
    TCoordList list;
    const std::string sideOf34 = std::string{3, 4} + "L";
    list.AddTag(0, 0, "unrelated");
    list.AddTag(9, 9, sideOf34);  // far from (3, 4)
    list.AddTag(4, 5, sideOf34);  // next to (3, 4)
    EXPECT_EQ(list.FindTag(3, 4, "L", true), 1);
    EXPECT_EQ(list.FindTag(3, 4, "L", false), 2);
    EXPECT_EQ(list.FindTag(3, 4, "R", true), -1);
    list.Delete(2);
    EXPECT_EQ(list.FindTag(3, 4, "L", false), -1);
}
