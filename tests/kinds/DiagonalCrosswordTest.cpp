#include "kinds/DiagonalCrossword.h"

#include "../crossword/CrosswordFixture.h"

#include "crossword/CrosswordFactory.h"
#include "kinds/DiagonalShablon.h"
#include "kinds/Kinds.h"

namespace {

// A ring of eight diamonds: four words of three letters meeting at the four corners.
const GridPicture Ring = {
    "##.##",
    "#.#.#",
    ".###.",
    "#.#.#",
    "##.##",
};

const GridPicture Cross = {
    ".#.",
    "#.#",
    ".#.",
};

}  // namespace

using DiagonalCrosswordTest = CrosswordTest;

TEST_F(DiagonalCrosswordTest, TheFactoriesMakeTheDiagonalKind) {
    RegisterKinds();
    const auto crossword = CreateCrossword(static_cast<int>(TShablonKind::Diagonal), TKindCode::Template);
    ASSERT_NE(crossword, nullptr);
    EXPECT_EQ(crossword->Kind, TCrosswordKind::Diagonal);
    EXPECT_NE(dynamic_cast<TDiagonalShablon*>(crossword->Template.get()), nullptr);
}

TEST_F(DiagonalCrosswordTest, ClueListsSplitTheTwoDiagonals) {
    auto crossword = Make<TDiagonalCrossword>(Cross, {"кот", "рот"});
    ASSERT_EQ(crossword->Words.Count(), 2);
    EXPECT_EQ(crossword->Words.WordPath(0), "33");
    EXPECT_EQ(crossword->Words.WordPath(1), "11");
    ASSERT_EQ(crossword->PlaceWord(1, Cp("рот"), false), PutCode::Placed);
    ASSERT_EQ(crossword->PlaceWord(0, Cp("кот"), false), PutCode::Placed);

    struct TCase {
        TClueListOptions Options;
        std::string Expected;
    };
    const TCase cases[] = {
        {{.Headings = true, .SplitDirections = true},
         "~#2Слева-вниз-направо: ~#1 ~#1кот \r\n~#2Справа-вниз-налево: ~#1 ~#1рот "},
        {{.Headings = false, .SplitDirections = true}, "~#1кот ~#1рот "},
        {{.Headings = true, .SplitDirections = false}, "~#1кот рот ~#1"},
    };
    for (const TCase& c : cases) EXPECT_EQ(crossword->BuildClueText(c.Options), Cp(c.Expected)) << c.Expected;
    EXPECT_EQ(crossword->BuildDirectionClues({.Headings = true, .SplitDirections = true}), Cp("Отсутствует!"));
}

// The fill places crossing words along both diagonals; every slot reads its word off the grid.
TEST_F(DiagonalCrosswordTest, FillAgreesAtEveryCrossing) {
    auto crossword = Make<TDiagonalCrossword>(Ring, {"кот", "кит", "тук", "ток", "сок", "лес", "сыр"});
    crossword->Template->NumberCells();
    ASSERT_EQ(crossword->Words.Count(), 4);
    crossword->FillParameters.TimeLimit = 60;
    int errCode = 0;
    TFillResult best;
    ASSERT_TRUE(crossword->Fill(0, 0, crossword->Width - 1, crossword->Height - 1, false, errCode, best));
    EXPECT_TRUE(crossword->IsComplete());
    for (int slot = 0; slot < crossword->Words.Count(); ++slot) {
        std::string read;
        const TCoord cells = crossword->SlotCells(slot);
        for (const TCell& cell : cells.Cells()) read += crossword->CellText(cell.x, cell.y);
        EXPECT_EQ(read, crossword->Words.SlotWord(slot));
    }
}
