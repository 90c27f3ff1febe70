#include "kinds/SkanwordShablon.h"

#include "ScanwordArrows.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

std::unique_ptr<TSkanwordShablon> MakeKind(TShablonKind kind) {
    switch (kind) {
        case TShablonKind::Skanword2: return std::make_unique<TSkanwordShablon2>(1, 1);
        case TShablonKind::Skanword3: return std::make_unique<TSkanwordShablon3>(1, 1);
        default: return std::make_unique<TSkanwordShablon>(1, 1);
    }
}

// The grid with the arrows given and nothing else, numbered.
std::unique_ptr<TSkanwordShablon> Scanword(TShablonKind kind, const GridPicture& grid,
                                           const std::vector<TArrow>& arrows, bool canUnite = true) {
    auto shablon = MakeKind(kind);
    DrawScanword(*shablon, grid, arrows, canUnite);
    return shablon;
}

// "cx,cy: x,y path; x,y path" per clue cell.
std::vector<std::string> MapText(const TCoordList& map) {
    std::vector<std::string> lines;
    for (int i = 0; i < map.Count(); ++i) {
        std::string line = std::to_string(map.X(i)) + "," + std::to_string(map.Y(i)) + ":";
        for (const std::string& tag : map.Tags(i))
            line += " " + std::to_string(static_cast<uint8_t>(tag[0])) + "," +
                    std::to_string(static_cast<uint8_t>(tag[1])) + " " + tag.substr(2) + ";";
        lines.push_back(line);
    }
    return lines;
}

// "kx,ky: x,y wxh clue|empty" per block.
std::vector<std::string> BlocksText(const TCoordList& blocks) {
    std::vector<std::string> lines;
    for (int i = 0; i < blocks.Count(); ++i)
        for (const std::string& tag : blocks.Tags(i)) {
            const TClueBlock b = ClueBlockOf(tag);
            lines.push_back(std::to_string(blocks.X(i)) + "," + std::to_string(blocks.Y(i)) + ": " +
                            std::to_string(b.X) + "," + std::to_string(b.Y) + " " + std::to_string(b.Width) + "x" +
                            std::to_string(b.Height) + (b.Empty ? " empty" : " clue"));
        }
    return lines;
}

}  // namespace

// ---- the clue map ----

TEST(SkanwordClueCellsTest, TheClueMapHoldsEveryWordAtTheCellItsArrowNames) {
    struct TCase {
        const char* What;
        TShablonKind Kind;
        GridPicture Grid;
        std::vector<TArrow> Arrows;
        std::vector<std::string> Map;
    };
    const std::vector<std::string> lattice = {"0,0: 1,1 22; 1,1 666;", "3,0: 3,1 22;", "0,3: 1,3 666;"};
    const TCase cases[] = {
        {"first kind", TShablonKind::Skanword, Lattice, LatticeArrows, lattice},
        {"second kind", TShablonKind::Skanword2, Lattice, LatticeArrows, lattice},
        {"third kind", TShablonKind::Skanword3, Lattice, LatticeArrows, lattice},
        // Above the across word of row 0 lies no cell, left of the first down word a letter.
        {"an arrow out of the grid or at a letter cell registers nothing", TShablonKind::Skanword, {"...", "#.."},
         {{0, 0, H(1)}, {1, 0, V(3)}, {2, 0, V(7)}}, {}},
        // The inside arrows stand at the words' last cells and name the clue cell beyond them;
        // they follow the outside ones.
        {"inside arrows of the second kind", TShablonKind::Skanword2, Lattice,
         {{1, 1, V(2) | H(2)}, {3, 1, V(1)}, {3, 3, 0x40 | V(1)}, {4, 3, 0x80 | H(1)}},
         {"0,0: 1,1 22; 1,1 666;", "3,0: 3,1 22;", "3,4: 3,1 22;", "4,4: 1,3 666;"}},
        {"an inside arrow beside the grid", TShablonKind::Skanword2, Lattice, {{4, 3, 0x80 | H(3)}}, {}},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.What);
        const auto shablon = Scanword(c.Kind, c.Grid, c.Arrows);
        TCoordList map;
        map.AddTag(9, 9, "stale");
        shablon->ClueCellWords(map);
        EXPECT_EQ(MapText(map), c.Map);
    }
}

TEST(SkanwordClueCellsTest, TheInsideArrowsOfEveryCodeNameTheirCell) {
    // An across word of row 1 ending at (4, 1) and a down word of column 1 ending at (1, 3),
    // each with clue places all round its end. The tables differ in codes 5 and 6.
    struct TCase {
        bool Vertical;
        int Code;
        int X;
        int Y;
    };
    const TCase cases[] = {
        {false, 1, 4, 2}, {false, 2, 5, 2}, {false, 3, 5, 1}, {false, 4, 5, 0},
        {false, 5, 4, 0}, {false, 6, 3, 0}, {false, 7, 3, 2},
        {true, 1, 1, 4},  {true, 2, 2, 4},  {true, 3, 2, 3},  {true, 4, 2, 2},
        {true, 5, 0, 2},  {true, 6, 0, 3},  {true, 7, 0, 4},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE((c.Vertical ? "vertical " : "horizontal ") + std::to_string(c.Code));
        auto shablon = MakeKind(TShablonKind::Skanword2);
        if (c.Vertical) {
            DrawGrid(*shablon, {"###", "#.#", "#.#", "#.#", "###"});
            shablon->SetAttrB(1, 3, 0x40 | V(c.Code));
        } else {
            DrawGrid(*shablon, {"######", "###..#", "######"});
            shablon->SetAttrB(4, 1, 0x80 | H(c.Code));
        }
        shablon->NumberCells();
        TCoordList map;
        shablon->ClueCellWords(map);
        const std::string word = c.Vertical ? "1,1 22;" : "3,1 6;";
        EXPECT_EQ(MapText(map), std::vector<std::string>{std::to_string(c.X) + "," + std::to_string(c.Y) + ": " + word});
    }
}

TEST(SkanwordClueCellsTest, OnlyTheFirstKindLooksForAClueNextToTheWord) {
    // The down word of column 3 has only an inside arrow: its clue stands below its last cell.
    const std::vector<TArrow> arrows = {{3, 3, 0x40 | V(1)}};
    const auto second = Scanword(TShablonKind::Skanword2, Lattice, arrows);
    TCoordList map;
    second->ClueCellWords(map);
    ASSERT_EQ(MapText(map), std::vector<std::string>{"3,4: 3,1 22;"});
    EXPECT_EQ(second->FindClueCell(map, 3, 1, "22"), 0);
    EXPECT_EQ(second->FindClueCell(map, 3, 1, "666"), -1);
    const auto first = Scanword(TShablonKind::Skanword, Lattice, {});
    EXPECT_EQ(first->FindClueCell(map, 3, 1, "22"), -1);
    EXPECT_EQ(first->FindClueCell(map, 3, 3, "22"), -1);
    map.AddTag(2, 2, ClueWordTag(3, 1, "22"));
    EXPECT_EQ(first->FindClueCell(map, 3, 1, "22"), 1);
}

// ---- united clue blocks ----

TEST(SkanwordClueCellsTest, FreeCellsUniteWithTheOneWordClueCells) {
    struct TCase {
        const char* What;
        GridPicture Grid;
        std::vector<TArrow> Arrows;
        std::vector<std::string> Blocks;
    };
    const TCase cases[] = {
        // The clue of the down word stands right of it, in a free area two cells wide.
        {"a clue cell beside a free area takes it", {".##", ".##", ".##"}, {{0, 0, V(6)}}, {"1,0: 1,0 2x3 clue"}},
        {"a clue cell in the corner of a free square takes the square", {"###", "###", "###", "..."},
         {{0, 3, H(1)}}, {"0,2: 0,0 3x3 clue"}},
        // The corner serves two words and stays a cell of its own; the free strips around it
        // are empty blocks, each given once.
        {"a two-word clue cell is never united", {"###", "#..", "#.#"}, {{1, 1, V(2) | H(2)}},
         {"0,0: 0,0 1x1 clue", "0,1: 0,1 1x2 empty", "1,0: 1,0 2x1 empty", "2,2: 2,2 1x1 empty"}},
        // Both clue cells are shut in between letters; the free square beside them stays empty.
        {"a free square no clue reaches is an empty block", {".#.##", ".#.##"}, {{0, 0, V(6)}, {2, 0, V(4)}},
         {"1,0: 1,0 1x1 clue", "1,1: 1,1 1x1 clue", "3,0: 3,0 2x2 empty"}},
        // Both clues of row 1 face one free row: the first one's strip ends where the second
        // one's strip begins, but takes two cells.
        {"a shared strip is cut", {"#######", "...#..."}, {{0, 1, H(1)}, {4, 1, H(1)}},
         {"0,0: 0,0 2x1 clue", "4,0: 2,0 5x1 clue", "3,1: 3,1 1x1 empty"}},
        {"a clue cell takes the free column below it", {".#", ".#", "##"}, {{0, 0, V(6)}},
         {"1,0: 1,0 1x3 clue", "0,2: 0,2 1x1 empty"}},
        {"a clue cell takes the free cell below it", {".#", ".#"}, {{0, 0, V(6)}}, {"1,0: 1,0 1x2 clue"}},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.What);
        const auto shablon = Scanword(TShablonKind::Skanword, c.Grid, c.Arrows);
        TCoordList map;
        shablon->ClueCellWords(map);
        TCoordList blocks;
        blocks.AddTag(9, 9, "stale");
        shablon->UniteClueCells(0, 0, blocks, map, shablon->Height, shablon->Width);
        EXPECT_EQ(BlocksText(blocks), c.Blocks);
        // Every block is a clue cell now, every other non-letter cell too (no cell is left).
        for (int x = 0; x < shablon->Width; ++x)
            for (int y = 0; y < shablon->Height; ++y)
                EXPECT_EQ(shablon->IsClueCell(x, y), !shablon->IsLetterCell(x, y)) << x << "," << y;
    }
}

TEST(SkanwordClueCellsTest, AnInsideArrowsClueCellIsNoFreeCell) {
    // (0, 1) serves the first word of row 2 from outside, (4, 1) the second word from inside
    // its end; no arrow flags (4, 1), yet it is no free cell that the block of (0, 1) could take.
    const auto shablon = Scanword(TShablonKind::Skanword2, {"#####", "#####", "..#.."}, {{0, 2, H(1)}, {4, 2, 0x80 | H(5)}});
    TCoordList map;
    shablon->ClueCellWords(map);
    ASSERT_EQ(MapText(map), (std::vector<std::string>{"0,1: 0,2 6;", "4,1: 3,2 6;"}));
    TCoordList blocks;
    shablon->UniteClueCells(0, 0, blocks, map, shablon->Height, shablon->Width);
    EXPECT_EQ(BlocksText(blocks),
              (std::vector<std::string>{"4,1: 1,0 4x2 clue", "0,1: 0,0 1x2 clue", "2,2: 2,2 1x1 empty"}));
}

TEST(SkanwordClueCellsTest, BlocksStayWithinTheAreaAndNeedCanUnite) {
    const GridPicture grid = {".##", ".##", ".##"};
    const auto shablon = Scanword(TShablonKind::Skanword, grid, {{0, 0, V(6)}});
    TCoordList map;
    shablon->ClueCellWords(map);
    TCoordList blocks;
    // The area stops before row 2: the block is two rows high.
    shablon->UniteClueCells(0, 0, blocks, map, 2, 3);
    EXPECT_EQ(BlocksText(blocks), std::vector<std::string>{"1,0: 1,0 2x2 clue"});
    EXPECT_FALSE(shablon->IsClueCell(1, 2));
    // The next numbering forgets the blocks.
    shablon->NumberCells();
    EXPECT_TRUE(shablon->IsClueCell(1, 0));
    EXPECT_FALSE(shablon->IsClueCell(2, 1));

    shablon->CanUnite = false;
    shablon->UniteClueCells(0, 0, blocks, map, 3, 3);
    EXPECT_EQ(blocks.Count(), 0);
    EXPECT_FALSE(shablon->IsClueCell(2, 1));
}

TEST(SkanwordClueCellsTest, BlockTagsRoundTrip) {
    const TClueBlock blocks[] = {{0, 0, 1, 1, false}, {199, 3, 2, 199, true}, {5, 198, 3, 1, false}};
    for (const TClueBlock& b : blocks) {
        const std::string tag = ClueBlockTag(b);
        ASSERT_EQ(tag.size(), 5u);
        EXPECT_EQ(static_cast<uint8_t>(tag[4]), b.Empty ? 255 : 0);
        const TClueBlock back = ClueBlockOf(tag);
        EXPECT_EQ(back.X, b.X);
        EXPECT_EQ(back.Y, b.Y);
        EXPECT_EQ(back.Width, b.Width);
        EXPECT_EQ(back.Height, b.Height);
        EXPECT_EQ(back.Empty, b.Empty);
    }
}

// ---- the check ----

TEST(SkanwordClueCellsTest, TheCheckMarksEachClueDefect) {
    struct TMark {
        int X;
        int Y;
        bool Set;
    };
    struct TCase {
        const char* What;
        TShablonKind Kind;
        GridPicture Grid;
        std::vector<TArrow> Arrows;
        bool CanUnite;
        uint16_t Mark;
        std::vector<TMark> Cells;
    };
    const TCase cases[] = {
        {"two words in one clue cell", TShablonKind::Skanword, Lattice, LatticeArrows, true, DefectMark::TwoWordClue,
         {{0, 0, true}, {3, 0, false}, {0, 3, false}, {1, 1, false}}},
        // (1, 1) serves the across word of row 1 and both words starting at (1, 2).
        {"three words in one clue cell", TShablonKind::Skanword, {"####", "##..", "#...", "#.##"},
         {{2, 1, V(1) | H(3)}, {3, 1, V(1)}, {1, 2, V(1) | H(1)}}, true, DefectMark::CrowdedClue,
         {{1, 1, true}, {2, 0, false}, {3, 0, false}}},
        {"a word without an arrow", TShablonKind::Skanword, Lattice, {{1, 1, V(2) | H(2)}, {3, 1, V(1)}}, true,
         DefectMark::NoClue, {{1, 3, true}, {2, 3, true}, {4, 3, true}, {3, 3, true}, {1, 1, false}, {3, 1, false}}},
        {"a clue the first kind would not find", TShablonKind::Skanword2, Lattice,
         {{1, 1, V(2) | H(2)}, {3, 3, 0x40 | V(1)}, {1, 3, H(3)}}, true, DefectMark::NoClue,
         {{3, 1, false}, {3, 2, false}}},
        {"united cells are no empty area", TShablonKind::Skanword, {".##", ".##", ".##"}, {{0, 0, V(6)}}, true,
         DefectMark::EmptyArea, {{1, 0, false}, {2, 2, false}, {1, 2, false}}},
        {"without uniting every free cell is empty", TShablonKind::Skanword, {".##", ".##", ".##"}, {{0, 0, V(6)}},
         false, DefectMark::EmptyArea, {{1, 0, false}, {2, 2, true}, {1, 2, true}}},
        {"an empty block", TShablonKind::Skanword, {".#.##", ".#.##"}, {{0, 0, V(6)}, {2, 0, V(4)}}, true,
         DefectMark::EmptyArea, {{1, 0, false}, {1, 1, false}, {3, 0, true}, {4, 1, true}}},
        {"cells serving no word", TShablonKind::Skanword, {".##", ".##", ".##"}, {{0, 0, V(6)}}, true,
         DefectMark::NotClueCell, {{1, 0, false}, {2, 2, true}, {1, 2, true}, {0, 1, false}}},
        // The down word of column 3 has its outside arrow and an inside one at its last cell.
        {"a word with two clues", TShablonKind::Skanword2, Lattice,
         {{1, 1, V(2) | H(2)}, {3, 1, V(1)}, {1, 3, H(3)}, {3, 3, 0x40 | V(1)}}, true, DefectMark::TwoClues,
         {{3, 1, true}, {3, 2, true}, {3, 3, true}, {1, 1, false}, {4, 3, false}}},
        {"an inside arrow alone is one clue", TShablonKind::Skanword2, Lattice,
         {{1, 1, V(2) | H(2)}, {1, 3, H(3)}, {3, 3, 0x40 | V(1)}}, true, DefectMark::TwoClues,
         {{3, 1, false}, {3, 2, false}, {3, 3, false}}},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.What);
        const auto shablon = Scanword(c.Kind, c.Grid, c.Arrows, c.CanUnite);
        shablon->CheckTemplate();
        for (const TMark& m : c.Cells) EXPECT_EQ((shablon->MarksAt(m.X, m.Y) & c.Mark) != 0, m.Set) << m.X << "," << m.Y;
        // The check leaves the clue cells to the arrows.
        TCoordList map;
        shablon->ClueCellWords(map);
        if (c.Kind != TShablonKind::Skanword) continue;
        for (int x = 0; x < shablon->Width; ++x)
            for (int y = 0; y < shablon->Height; ++y)
                EXPECT_EQ(shablon->IsClueCell(x, y), map.IndexOfCell(x, y) >= 0) << x << "," << y;
    }
}
