#include "kinds/SkanwordShablon.h"

#include "ScanwordArrows.h"

#include "export/ComExport.h"
#include "platform/Text.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <tuple>
#include <vector>

namespace {

template <class TKind = TSkanwordShablon>
std::unique_ptr<TKind> Scanword(const GridPicture& grid, const std::vector<TArrow>& arrows, bool canUnite = true) {
    auto shablon = std::make_unique<TKind>(1, 1);
    DrawScanword(*shablon, grid, arrows, canUnite);
    return shablon;
}

// An item as the tests compare it: kind, position, the two second numbers and the value.
using TItem = std::tuple<int, int32_t, int32_t, int32_t, int32_t, int32_t>;

std::vector<TItem> ItemsOfKind(const TComExport& list, TExportKind kind) {
    std::vector<TItem> items;
    for (int i = 0; i < list.Count(); ++i)
        if (list.Kind(i) == static_cast<int>(kind))
            items.emplace_back(list.Kind(i), list.X(i), list.Y(i), list.X2(i), list.Y2(i), list.Value(i));
    return items;
}

std::string Caption(std::string_view text) {
    return std::string(text);
}

std::vector<std::string> Captions(const TComExport& list) {
    std::vector<std::string> captions;
    for (int i = 0; i < list.Count(); ++i)
        if (list.Kind(i) == static_cast<int>(TExportKind::Caption)) captions.emplace_back(list.Text(i));
    return captions;
}

// The template's cells are 100 units, 100 000 export units; a quarter is 25 000.
constexpr int32_t Cell = 100000;
constexpr int32_t Quarter = Cell / 4;

// An arrow item at cell (x, y) of a used area starting at the top-left cell, moved by quarters.
TItem ArrowItem(int x, int y, int bits, int quarters = 0) {
    return {static_cast<int>(TExportKind::Arrows), x * Cell, -y * Cell + quarters * Quarter, bits, 0, 0};
}

}  // namespace

TEST(SkanwordExportTest, ArrowsSharingAClueCellFaceTheirHalves) {
    struct TCase {
        const char* What;
        GridPicture Grid;
        std::vector<TArrow> Arrows;
        std::vector<TItem> Whole;   // BuildExport
        std::vector<TItem> Blocks;  // BuildWordExport, one block of the whole grid in place
    };
    const TCase cases[] = {
        // The clue cell between two down words: the word on its left comes first, up; the one
        // on its right goes down. In the block layout both go up.
        {"down words on both sides", {".#.", ".#.", ".#."}, {{0, 0, V(6)}, {2, 0, V(3)}},
         {ArrowItem(0, 0, V(6), 1), ArrowItem(2, 0, V(3), -1)},
         {ArrowItem(0, 0, V(6), 1), ArrowItem(2, 0, V(3), 1)}},
        // The across word on the right of the corner comes first and goes up; the down word
        // below the corner has its arrow at the top middle and stays.
        {"a side arrow with a word below", {"#..", ".##", ".##"}, {{1, 0, H(3)}, {0, 1, V(1)}},
         {ArrowItem(1, 0, H(3), 1), ArrowItem(0, 1, V(1))}, {ArrowItem(1, 0, H(3), 1), ArrowItem(0, 1, V(1))}},
        // The down word starting above-right of the clue cell takes the upper half: the across
        // word's side arrow goes down.
        {"a side arrow with a down word above", {"#.#", "#..", "#.#"}, {{1, 0, V(4)}, {1, 1, H(3)}},
         {ArrowItem(1, 0, V(4)), ArrowItem(1, 1, H(3), -1)}, {ArrowItem(1, 0, V(4)), ArrowItem(1, 1, H(3), -1)}},
        {"a side arrow with an across word above", {"..#", "#..", "###"}, {{0, 0, H(6)}, {1, 1, H(3)}},
         {ArrowItem(0, 0, H(6)), ArrowItem(1, 1, H(3), -1)}, {ArrowItem(0, 0, H(6)), ArrowItem(1, 1, H(3), -1)}},
        {"a down word's side arrow with an across word above-left", {"..#", "##.", "##."},
         {{0, 0, H(5)}, {2, 1, V(3)}},
         {ArrowItem(0, 0, H(5)), ArrowItem(2, 1, V(3), -1)}, {ArrowItem(0, 0, H(5)), ArrowItem(2, 1, V(3), -1)}},
        {"one word in its clue cell stays", {".##", ".##", ".##"}, {{0, 0, V(6)}}, {ArrowItem(0, 0, V(6))},
         {ArrowItem(0, 0, V(6))}},
        // (0, 1) serves the across word of row 1 and both words of (0, 2): no arrow of a crowded
        // clue cell moves, the side arrow of row 1 neither.
        {"three words in one clue cell stay", {"###", "#..", "...", ".##"},
         {{1, 1, V(1) | H(3)}, {2, 1, V(1)}, {0, 2, V(1) | H(1)}},
         {ArrowItem(1, 1, V(1)), ArrowItem(1, 1, H(3)), ArrowItem(0, 2, V(1)), ArrowItem(0, 2, H(1)),
          ArrowItem(2, 1, V(1))},
         {ArrowItem(1, 1, V(1)), ArrowItem(1, 1, H(3)), ArrowItem(0, 2, V(1)), ArrowItem(0, 2, H(1)),
          ArrowItem(2, 1, V(1))}},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.What);
        const auto shablon = Scanword(c.Grid, c.Arrows);
        int minX = 0, minY = 0, endX = 0, endY = 0;
        shablon->GetUsedBounds(minX, minY, endX, endY);
        ASSERT_EQ(minX, 0);
        ASSERT_EQ(minY, 0);
        TComExport whole;
        shablon->BuildExport(whole);
        EXPECT_EQ(ItemsOfKind(whole, TExportKind::Arrows), c.Whole);
        TComExport blocks;
        shablon->BuildWordExport(blocks, {TCellBlock{0, 0, shablon->Width, shablon->Height, 0, 0}});
        EXPECT_EQ(ItemsOfKind(blocks, TExportKind::Arrows), c.Blocks);
    }
}

TEST(SkanwordExportTest, UnitedClueBlocksStandForTheNonLetterCells) {
    // The clue cell right of the first down word unites with the free cells into a 2 x 3 block.
    const GridPicture grid = {".##.", ".##.", ".##."};
    const auto shablon = Scanword(grid, {{0, 0, V(6)}});
    TComExport list;
    shablon->BuildExport(list);
    const int other = CellKind::Other;
    const std::vector<TItem> block = {{static_cast<int>(TExportKind::CellEx), Cell, 0, 2, 3, other}};
    EXPECT_EQ(ItemsOfKind(list, TExportKind::CellEx), block);
    for (const TItem& cell : ItemsOfKind(list, TExportKind::Cell)) EXPECT_EQ(std::get<5>(cell), CellKind::Letter);
    const std::string shablonCaption = Caption("Экспорт в формате CDR. Шаблон..."_cp);
    const std::string arrowCaption = Caption("Экспорт в формате CDR. Стрелки..."_cp);
    EXPECT_EQ(Captions(list), (std::vector<std::string>{shablonCaption, shablonCaption, arrowCaption}));
    // The export leaves the clue cells to the arrows.
    EXPECT_TRUE(shablon->IsClueCell(1, 0));
    EXPECT_FALSE(shablon->IsClueCell(2, 2));

    // Without uniting, the clue cell is an inner blank cell of its own and there is no block.
    shablon->CanUnite = false;
    TComExport plain;
    shablon->BuildExport(plain);
    EXPECT_TRUE(ItemsOfKind(plain, TExportKind::CellEx).empty());
    EXPECT_EQ(ItemsOfKind(plain, TExportKind::Cell).front(),
              TItem(static_cast<int>(TExportKind::Cell), Cell, 0, 0, 0, other));
    EXPECT_EQ(Captions(plain), (std::vector<std::string>{shablonCaption, arrowCaption}));
}

TEST(SkanwordExportTest, TheSecondKindDrawsItsInsideArrowsAtTheWordsEnds) {
    // The down word of column 3 and the across word of row 3 have their arrows inside the clue
    // cells beyond their ends.
    const auto shablon = Scanword<TSkanwordShablon2>(
        Lattice, {{1, 1, V(2) | H(2)}, {3, 3, 0x40 | V(1)}, {4, 3, 0x80 | H(1)}});
    TComExport list;
    shablon->BuildExport(list);
    // The corner's two words first (neither at a cell side), then the inside arrows.
    EXPECT_EQ(ItemsOfKind(list, TExportKind::Arrows),
              (std::vector<TItem>{ArrowItem(1, 1, V(2)), ArrowItem(1, 1, H(2)), ArrowItem(3, 3, 0x41),
                                  ArrowItem(4, 3, 0x88)}));

    // In the block layout every cell with inside bits gives one item holding both.
    shablon->SetAttrB(4, 3, 0x80 | H(1) | 0x40 | V(2));
    shablon->NumberCells();
    TComExport blocks;
    shablon->BuildWordExport(blocks, {TCellBlock{3, 3, 2, 2, 1, -3}, TCellBlock{0, 0, 3, 3, 2, 2}});
    EXPECT_EQ(ItemsOfKind(blocks, TExportKind::Arrows),
              (std::vector<TItem>{ArrowItem(3, 3, V(2)), ArrowItem(3, 3, H(2)), ArrowItem(4, 0, 0x41),
                                  ArrowItem(5, 0, 0xCA)}));
}

TEST(SkanwordExportTest, ClueBlocksGoWithTheWordBlocks) {
    const GridPicture grid = {".##.", ".##.", ".##."};
    const auto shablon = Scanword(grid, {{0, 0, V(6)}});
    const int part = static_cast<int>(TExportKind::CellPart);
    struct TCase {
        const char* What;
        std::vector<TCellBlock> Blocks;
        std::vector<TItem> Whole;
        std::vector<std::tuple<int, int, TItemRect>> Parts;  // position in cells and the part
        std::vector<TItem> Arrows;
    };
    const TCase cases[] = {
        {"a clue block inside a moved block", {TCellBlock{0, 0, 4, 3, 1, 1}},
         {{static_cast<int>(TExportKind::CellEx), 2 * Cell, -Cell, 2, 3, CellKind::Other}}, {},
         {ArrowItem(1, 1, V(6))}},
        // The columns 0-1 move three cells right, the columns 2-3 two cells left: the clue block
        // is cut in two, each part at its new place.
        {"a clue block cut by the block edges", {TCellBlock{0, 0, 2, 3, 3, 0}, TCellBlock{2, 0, 2, 3, -2, 0}}, {},
         {{4, 0, TItemRect{0, 0, 0, 2}}, {0, 0, TItemRect{1, 0, 1, 2}}},
         {ArrowItem(3, 0, V(6))}},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.What);
        TComExport list;
        shablon->BuildWordExport(list, c.Blocks);
        EXPECT_EQ(ItemsOfKind(list, TExportKind::CellEx), c.Whole);
        std::vector<std::tuple<int, int, TItemRect>> parts;
        for (int i = 0; i < list.Count(); ++i) {
            if (list.Kind(i) != part) continue;
            EXPECT_EQ(list.X2(i), 2);
            EXPECT_EQ(list.Y2(i), 3);
            EXPECT_EQ(list.Value(i), CellKind::Other);
            parts.emplace_back(list.X(i) / Cell, -list.Y(i) / Cell, list.Rect(i));
        }
        EXPECT_EQ(parts, c.Parts);
        EXPECT_EQ(ItemsOfKind(list, TExportKind::Arrows), c.Arrows);
    }
}

TEST(SkanwordExportTest, CellsGiveLetterKeyWordAndBlankItems) {
    // The lattice's middle cell is an inner blank, its border cells lie outside; (4, 3) holds
    // the first key-word letter. Cells are exported from the origin (1, 1).
    struct TCase {
        const char* What;
        int X;
        int Y;
        bool CanUnite;
        bool ShowOutside;
        bool PaintKeyWord;
        std::vector<TItem> Items;
    };
    const int keyWord = static_cast<int>(TExportKind::KeyWordNumber), cell = static_cast<int>(TExportKind::Cell);
    const TCase cases[] = {
        {"a letter cell", 3, 1, true, false, true, {{cell, 2 * Cell, 0, 0, 0, CellKind::Letter}}},
        {"a painted key-word cell", 4, 3, true, false, true, {{keyWord, 3 * Cell, -2 * Cell, 4, 3, 0}}},
        {"an unpainted key-word cell", 4, 3, true, false, false, {{cell, 3 * Cell, -2 * Cell, 0, 0, CellKind::Letter}}},
        {"an inner blank", 2, 2, false, false, true, {{cell, Cell, -Cell, 0, 0, CellKind::Other}}},
        {"an inner blank among united blocks", 2, 2, true, false, true, {}},
        {"a cell outside", 0, 2, false, false, true, {}},
        {"a cell outside shown", 0, 2, false, true, true, {{cell, -Cell, -Cell, 0, 0, CellKind::Other}}},
        {"a cell outside shown among united blocks", 0, 2, true, true, true, {}},
        {"beyond the grid", 5, 1, false, true, true, {}},
        {"before the grid", -1, 1, false, true, true, {}},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.What);
        const auto shablon = Scanword(Lattice, LatticeArrows, c.CanUnite);
        shablon->BlankCellLook.ShowOutside = c.ShowOutside;
        shablon->KeyWordCellLook.NoPaint = !c.PaintKeyWord;
        shablon->SetKeyWordCell(4, 3, 1);
        shablon->MarkInnerBlanks();
        TComExport list;
        shablon->ExportCell(c.X, c.Y, 1, 1, list);
        std::vector<TItem> items;
        for (int i = 0; i < list.Count(); ++i)
            items.emplace_back(list.Kind(i), list.X(i), list.Y(i), list.X2(i), list.Y2(i), list.Value(i));
        EXPECT_EQ(items, c.Items);
    }
}
