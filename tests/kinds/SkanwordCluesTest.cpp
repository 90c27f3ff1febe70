#include "kinds/Skanword.h"
#include "kinds/SkanwordShablon.h"

#include "ScanwordArrows.h"

#include "../crossword/CrosswordFixture.h"

#include "export/ComExport.h"

#include <string>
#include <tuple>
#include <vector>

namespace {

class SkanwordCluesTest : public CrosswordTest {
protected:
    std::unique_ptr<TSkanword> Scanword(const GridPicture& grid, const std::vector<TArrow>& arrows, bool canUnite) {
        auto crossword = Make<TSkanword>(grid, {"кот", "скан", "сом", "ухо"});
        for (const TArrow& arrow : arrows) crossword->Template->SetAttrB(arrow.X, arrow.Y, arrow.Bits);
        crossword->Template->CanUnite = canUnite;
        crossword->Template->NumberCells();
        crossword->PrepareForFill();
        return crossword;
    }

    // The lattice's slots: the corner's down and across words, column 3's and row 3's.
    struct TLatticeSlots {
        int Down1;
        int Across1;
        int Down3;
        int Across3;
    };
    static TLatticeSlots LatticeSlots(const TCrossword& crossword) {
        return {Down(crossword, 1, 1, 3), Across(crossword, 1, 1, 4), Down(crossword, 3, 1, 3), Across(crossword, 1, 3, 4)};
    }

    // The items after the caption of the clue areas, as (kind, x, y, text).
    static std::vector<std::tuple<int, int, int, std::string>> ClueItems(const TComExport& list) {
        std::vector<std::tuple<int, int, int, std::string>> items;
        bool after = false;
        for (int i = 0; i < list.Count(); ++i) {
            if (list.Kind(i) == 0) after = list.Text(i) == Cp("Экспорт в формате CDR. Определения...");
            else if (after) items.emplace_back(list.Kind(i), list.X(i), list.Y(i), std::string(list.Text(i)));
        }
        return items;
    }
};

}  // namespace

TEST_F(SkanwordCluesTest, NumbersFollowTheClueCellsInReadingOrderBeforeTheFill) {
    auto crossword = Scanword(Lattice, LatticeArrows, false);
    const auto [down1, across1, down3, across3] = LatticeSlots(*crossword);
    EXPECT_EQ(crossword->OrderedWords(0), (std::vector<int>{down1, across1, down3, across3}));

    crossword->OprText.OprShowType = 1;
    TComExport list;
    crossword->BuildModeExport(list, 0);
    const int cell = crossword->Template->GetCellPixelWidth() * 1000, pen = crossword->Template->PenWidth * 1000;
    int x0 = 0, y0 = 0, endX = 0, endY = 0;
    crossword->Template->GetUsedBounds(x0, y0, endX, endY);
    const auto at = [&](int x, int y) { return std::pair((x - x0) * cell, -(y - y0) * cell); };
    const auto [cx, cy] = at(0, 0);
    const auto [ux, uy] = at(3, 0);
    const auto [lx, ly] = at(0, 3);
    // The corner holds two clues, one above the other, parted by a line at half height.
    const std::vector<std::tuple<int, int, int, std::string>> expected = {
        {20, cx + pen, cy - pen, "1"}, {20, cx + pen, cy - cell / 2 - pen, "2"}, {14, cx, cy - cell / 2, ""},
        {20, ux + pen, uy - pen, "3"}, {20, lx + pen, ly - pen, "4"},
    };
    EXPECT_EQ(ClueItems(list), expected);

    TClueListOptions options;
    options.Numbers = true;
    EXPECT_EQ(crossword->BuildClueText(options), Cp("~#1~#21 ~#1??? ~#22 ~#1???? ~#23 ~#1??? ~#24 ~#1???? ~#1"));
}

TEST_F(SkanwordCluesTest, ClueAreaOfASlotFollowsTheTemplate) {
    auto crossword = Scanword(Lattice, LatticeArrows, false);
    const TLatticeSlots slots = LatticeSlots(*crossword);
    const int down1 = slots.Down1, across3 = slots.Across3;
    int width = 0, height = 0, words = 0;
    EXPECT_TRUE(crossword->ClueAreaOfSlot(down1, width, height, words));
    EXPECT_EQ(std::make_tuple(width, height, words), std::make_tuple(1, 1, 2));
    EXPECT_EQ(crossword->ClueAreaOfSlot(across3).Y, 3);
    // The arrow of row 3 turned to the cell above on the left: the area goes with it, not with
    // the old map.
    crossword->Template->SetAttrB(1, 3, H(2));
    crossword->Template->NumberCells();
    EXPECT_EQ(crossword->ClueAreaOfSlot(across3).Y, 2);
    // Without an arrow the word has no clue cell.
    crossword->Template->SetAttrB(1, 3, 0);
    crossword->Template->NumberCells();
    EXPECT_FALSE(crossword->ClueAreaOfSlot(across3, width, height, words));
    EXPECT_EQ(std::make_tuple(width, height, words), std::make_tuple(1, 1, 1));
}

TEST_F(SkanwordCluesTest, EmptyBlocksTakeThePicturesInTurn) {
    // Three free 2 x 2 areas and one free cell between letter columns.
    const GridPicture grid = {".##.##.##.#", ".##.##.##.."};
    auto crossword = Scanword(grid, {}, true);
    crossword->OprText.EmptyOprFileName = "A.png||B.png|C.png";
    TComExport list;
    crossword->BuildModeExport(list, 0);
    const int cell = crossword->Template->GetCellPixelWidth() * 1000, pen = crossword->Template->PenWidth * 1000;
    const std::vector<std::tuple<int, int, int, std::string>> expected = {
        {19, cell + pen, -pen, "B.png"},
        {19, 4 * cell + pen, -pen, "C.png"},
        {19, 7 * cell + pen, -pen, "B.png"},
        {19, 10 * cell + pen, -pen, "A.png"},
    };
    EXPECT_EQ(ClueItems(list), expected);
    // A single name serves every block; without names or with EMPTY_OPR off there are none.
    crossword->OprText.EmptyOprFileName = "A.png";
    list.Clear();
    crossword->BuildModeExport(list, 0);
    for (const auto& item : ClueItems(list)) EXPECT_EQ(std::get<3>(item), "A.png");
    EXPECT_EQ(ClueItems(list).size(), 4u);
    crossword->OprText.EmptyOpr = false;
    list.Clear();
    crossword->BuildModeExport(list, 0);
    EXPECT_TRUE(ClueItems(list).empty());
}

TEST_F(SkanwordCluesTest, DefinitionsMustFitTheHalfOfATwoWordCell) {
    auto crossword = Scanword(Lattice, LatticeArrows, false);
    std::string longText;
    for (int k = 0; k < 12; ++k) longText += "длинноеслово ";
    TDefinitionChoice choice;
    choice.CheckFits = true;
    choice.MinFontSize = 5;
    choice.Slot = LatticeSlots(*crossword).Down1;
    for (int draw = 0; draw < 6; ++draw) {
        std::string text;
        EXPECT_TRUE(crossword->PickDefinition(true, Cp(longText + "; Кот; &Iкот.png"), text, choice));
        EXPECT_NE(text, Cp(longText));
    }
    std::string text;
    EXPECT_FALSE(crossword->PickDefinition(true, Cp(longText), text, choice));
    // Without a slot nothing is measured.
    choice.Slot = -1;
    EXPECT_TRUE(crossword->PickDefinition(true, Cp(longText), text, choice));
}

TEST_F(SkanwordCluesTest, ListEntriesKeepTheirClueNumbersInEveryOrderAndEndWithTheKeyWord) {
    auto crossword = Scanword(Lattice, LatticeArrows, false);
    const int across1 = LatticeSlots(*crossword).Across1;
    ASSERT_EQ(crossword->TryPutWord(across1, Cp("скан"), {}), PutCode::Placed);
    crossword->Words.SetSlotDefinition(across1, Cp("Смотреть"));
    crossword->Words.SetSlotHasDefinition(across1, true);
    crossword->Template->KeyWordCells = std::string{1, 1, 2, 1};
    crossword->Template->KeyWordCellLook.NoPaint = false;
    // Clue numbers: the corner's down word 1 and across word 2, column 3's 3, row 3's 4.
    struct TCase {
        uint8_t Order;
        std::string Answers;
        std::string Clues;
    };
    const TCase cases[] = {
        {0, "~#1~#21 ~#1??? ~#22 ~#1скан ~#23 ~#1??? ~#24 ~#1???? ~#1",
         "~#1~#21 ~#1??? ~#22 ~#1Смотреть ~#23 ~#1??? ~#24 ~#1??? ~#1"},
        // Across words row by row, then down words column by column.
        {1, "~#1~#22 ~#1скан ~#24 ~#1???? ~#21 ~#1??? ~#23 ~#1??? ~#1",
         "~#1~#22 ~#1Смотреть ~#24 ~#1??? ~#21 ~#1??? ~#23 ~#1??? ~#1"},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.Order));
        const TClueListOptions options{.Numbers = true, .Order = c.Order};
        EXPECT_EQ(crossword->BuildClueText(options), Cp(c.Answers + "\r\n\r\n~#1Ключевое слово:~#2 ск "));
        EXPECT_EQ(crossword->BuildCluePages(options, false), Cp(c.Clues));
    }
    // Without painted key-word cells the answer list has no key-word line.
    crossword->Template->KeyWordCellLook.NoPaint = true;
    EXPECT_EQ(crossword->BuildClueText({.Numbers = true}), Cp(cases[0].Answers));
}

TEST_F(SkanwordCluesTest, AClueAreaTheMarginLeavesEmptyFitsOnlyPictures) {
    auto crossword = Scanword(Lattice, LatticeArrows, false);
    TDefinitionChoice choice;
    choice.CheckFits = true;
    choice.MinFontSize = 1;
    choice.Slot = LatticeSlots(*crossword).Down3;
    // A margin of half a cell on every side leaves nothing of the one-cell area.
    crossword->OprFormat.SpaceType = 1;
    crossword->OprFormat.SpaceSize = crossword->Template->CellSize / 2;
    for (int draw = 0; draw < 6; ++draw) {
        std::string text;
        EXPECT_TRUE(crossword->PickDefinition(true, Cp("Кот; &Iкот.png"), text, choice));
        EXPECT_EQ(text, Cp("кот.png"));
    }
    std::string text;
    EXPECT_FALSE(crossword->PickDefinition(true, Cp("Кот"), text, choice));
    // A narrower margin leaves room for the text.
    crossword->OprFormat.SpaceSize = crossword->Template->CellSize / 4;
    EXPECT_TRUE(crossword->PickDefinition(true, Cp("Кот"), text, choice));
    EXPECT_EQ(text, Cp("Кот"));
}

TEST_F(SkanwordCluesTest, AWordWithTwoClueCellsKeepsItsFirstNumber) {
    // The second scanword also hangs column 3's down word below its last cell, an arrow drawn
    // inside: the word has two clues, at (3, 0) and at (3, 4).
    auto crossword = std::make_unique<TSkanword2>();
    crossword->SetWidth(5);
    crossword->SetHeight(5);
    DrawGrid(*crossword->Template, Lattice);
    for (const TArrow& arrow : LatticeArrows) crossword->Template->SetAttrB(arrow.X, arrow.Y, arrow.Bits);
    crossword->Template->SetAttrB(3, 3, 0x40 | V(1));
    crossword->Template->CanUnite = false;
    crossword->Template->NumberCells();
    crossword->PrepareForFill();
    const auto [down1, across1, down3, across3] = LatticeSlots(*crossword);
    EXPECT_EQ(crossword->OrderedWords(0), (std::vector<int>{down1, across1, down3, across3, down3}));
    // Both clue cells show the same number.
    crossword->OprText.OprShowType = 1;
    TComExport list;
    crossword->BuildModeExport(list, 0);
    std::vector<std::string> shown;
    for (const auto& item : ClueItems(list))
        if (std::get<0>(item) == 20) shown.push_back(std::get<3>(item));
    EXPECT_EQ(shown, (std::vector<std::string>{"1", "2", "3", "4", "3"}));
}
