#include "kinds/DiagonalCrossword.h"

#include "../crossword/CrosswordFixture.h"

#include "crossword/CrosswordFactory.h"
#include "export/ComExport.h"
#include "platform/Bitmap.h"
#include "platform/Metafile.h"
#include "platform/Surface.h"
#include "kinds/DiagonalShablon.h"
#include "kinds/Kinds.h"

#include <regex>
#include <set>

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

// Two rows: an across word of three letters above a down word of two.
GridPicture SmallGridOfTwoWords() {
    return {"...", "#.#"};
}

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

namespace {

std::vector<std::string> ItemsOf(const TComExport& list) {
    std::vector<std::string> items;
    for (int i = 0; i < list.Count(); ++i) items.push_back(list.ItemText(i));
    return items;
}

// The positions of the codeword table's cells, in the order given.
std::vector<std::pair<int, int>> TableCells(const TComExport& list) {
    std::vector<std::pair<int, int>> cells;
    for (int i = 0; i < list.Count(); ++i)
        if (list.Kind(i) == static_cast<int>(TExportKind::Cell)) cells.emplace_back(list.X(i), list.Y(i));
    return cells;
}

}  // namespace

// Entries stand on every second lattice column, Width div 2 to a line and each line four rows
// lower; a grid one column wide still gets one entry a line.
TEST_F(DiagonalCrosswordTest, CodewordTableStandsOnTheLattice) {
    struct TCase {
        GridPicture Grid;
        std::vector<std::pair<int, int>> Entries;  // lattice column and row of each number cell
    };
    const TCase cases[] = {
        {{".#.#.", "#.#.#"}, {{0, 3}, {2, 3}, {0, 7}}},
        {{".", "#", "."}, {{0, 4}, {0, 8}, {0, 12}}},
    };
    for (const TCase& c : cases) {
        auto crossword = Make<TDiagonalCrossword>(c.Grid, {"кот"});
        crossword->Template->ShowKeyWordTable = false;
        for (const char* letter : {"а", "б", "в"}) crossword->LetterCounts.AddCount(Cp(letter), 0);
        for (int i = 0; i < 3; ++i) crossword->LetterCounts.SetLetterNumber(i, i + 1);
        TComExport list;
        crossword->ExportKeywordScript(list);
        std::vector<std::pair<int, int>> expected;
        const int b = crossword->Template->GetCellPixelHeight() * 1000;
        for (const auto& [column, row] : c.Entries) {
            int ex = 0, ey = 0;
            crossword->Template->CellToExport(column, row, ex, ey);
            expected.emplace_back(ex, ey);
            expected.emplace_back(ex, ey - b);
        }
        EXPECT_EQ(TableCells(list), expected);
    }
}

// The Italian labels would stand beside rows and columns the lattice does not have: mode 4 shows
// the given letters as mode 1 does, with no labels and no markers.
TEST_F(DiagonalCrosswordTest, ModeFourExportsAsModeOne) {
    auto crossword = Make<TDiagonalCrossword>(Cross, {"кот", "рот"});
    ASSERT_EQ(crossword->PlaceWord(0, Cp("кот"), false), PutCode::Placed);
    ASSERT_EQ(crossword->PlaceWord(1, Cp("рот"), false), PutCode::Placed);
    crossword->GivenWords.Add(Cp("кот"));
    TComExport given, italian;
    crossword->BuildModeExport(given, 1);
    crossword->BuildModeExport(italian, 4);
    EXPECT_EQ(ItemsOf(italian), ItemsOf(given));
    int texts = 0;
    for (int i = 0; i < given.Count(); ++i) texts += given.Kind(i) == static_cast<int>(TExportKind::TextBlock);
    EXPECT_EQ(texts, 3);  // the given word's letters only
}

// A classic grid laid on the lattice gives the crossword the classic slots, ready to fill.
TEST_F(DiagonalCrosswordTest, LaidOutGridKeepsTheClassicSlots) {
    auto classic = Make(SmallGridOfTwoWords(), {"кот"});
    auto crossword = Make<TDiagonalCrossword>(Cross, {"кот"});
    crossword->LayOnLattice(*classic->Template);
    EXPECT_EQ(std::pair(int{crossword->Width}, int{crossword->Height}), std::pair(5, 4));
    ASSERT_EQ(crossword->Words.Count(), classic->Words.Count());
    std::multiset<std::pair<int, char>> laid, expected;
    for (int slot = 0; slot < classic->Words.Count(); ++slot)
        expected.insert({classic->Words.WordLength(slot), classic->Words.WordPath(slot)[0] == '6' ? '3' : '1'});
    for (int slot = 0; slot < crossword->Words.Count(); ++slot)
        laid.insert({crossword->Words.WordLength(slot), crossword->Words.WordPath(slot)[0]});
    EXPECT_EQ(laid, expected);
    EXPECT_EQ(crossword->Template->GetNumber(2, 0), 1);  // (0, 0), one column on for the even height
    EXPECT_EQ(crossword->Template->GetNumber(3, 1), 2);  // (1, 0)
}

// The picture of mode 4 is that of mode 1; mode 2 grows by its table's lines of Width div 2
// entries (at least one) on the lattice.
TEST_F(DiagonalCrosswordTest, PictureSizesPerMode) {
    auto crossword = Make<TDiagonalCrossword>(Cross, {"кот", "рот"});
    ASSERT_EQ(crossword->PlaceWord(0, Cp("кот"), false), PutCode::Placed);
    ASSERT_EQ(crossword->PlaceWord(1, Cp("рот"), false), PutCode::Placed);
    crossword->GivenWords.Add(Cp("кот"));
    TMetafile given, italian, codeword;
    crossword->DrawToMetafile(given, 1);
    crossword->DrawToMetafile(italian, 4);
    EXPECT_GT(given.Width(), 0);
    EXPECT_EQ(std::pair(italian.Width(), italian.Height()), std::pair(given.Width(), given.Height()));
    // The same drawing (the SVG names each surface by a running number).
    const std::regex surface("surface[0-9]+");
    EXPECT_EQ(std::regex_replace(italian.SvgData(), surface, ""), std::regex_replace(given.SvgData(), surface, ""));

    crossword->DrawToMetafile(codeword, 2);
    const TShablon& t = *crossword->Template;
    ASSERT_EQ(crossword->LetterCounts.Count(), 4);  // к, о, т, р: two lines of one entry in a 3-wide grid
    EXPECT_EQ(codeword.Height(), t.Scale * t.GetPixelHeight() + (2 * 5 + 1) * t.GetCellPixelHeight());
}

// The view shows each letter in the middle of its diamond.
TEST_F(DiagonalCrosswordTest, ViewLettersStandInTheirDiamonds) {
    auto crossword = Make<TDiagonalCrossword>(Cross, {"кот", "рот"});
    ASSERT_EQ(crossword->PlaceWord(0, Cp("кот"), false), PutCode::Placed);
    TFastDrawParameters p;
    TBitmap bitmap(4 * 48, 4 * 48);
    crossword->DrawToBitmap(p, bitmap);
    const TDIB pixels = bitmap.Pixels();
    // Dark pixels within 12 pixels of the centre of cell (x, y)'s diamond.
    const auto inked = [&](int x, int y) {
        int n = 0;
        for (int py = y * 48 + 36; py < y * 48 + 60; ++py)
            for (int px = x * 48 + 36; px < x * 48 + 60; ++px) n += (pixels.Pixel(px, py) & 0xFFFFFF) < 0x404040;
        return n;
    };
    EXPECT_GT(inked(0, 0), 0);
    EXPECT_GT(inked(1, 1), 0);
    EXPECT_GT(inked(2, 2), 0);
    EXPECT_EQ(inked(2, 0), 0);  // a letter cell of the empty word
}
