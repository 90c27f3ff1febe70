#include "GridPicture.h"

#include "template/ClassicShablon.h"
#include "template/ShablonFactory.h"

#include <gtest/gtest.h>

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

}  // namespace

TEST(Shablon, NewTemplateHasNoLetterCellsAndTheDefaults) {
    const TClassicShablon shablon(7, 5);
    EXPECT_EQ(PictureOf(shablon), GridPicture(5, "#######"));
    EXPECT_EQ(shablon.Kind, TShablonKind::Classic);
    EXPECT_EQ(shablon.BeginNumber, 1);
    EXPECT_EQ(shablon.MinWordLength, 3);
    EXPECT_EQ(shablon.MaxWordLength, 25);
    EXPECT_EQ(shablon.MarkMask, 0xFFFF);
    EXPECT_TRUE(shablon.KeyWordAllowed);
    EXPECT_TRUE(shablon.UsesDigits);
    EXPECT_FALSE(shablon.UsesWalls || shablon.UsesArrows || shablon.SymmetryOn());
}

TEST(Shablon, ClassicSlotsAreRunsOfTwoOrMoreLetterCells) {
    TClassicShablon shablon(1, 1);
    DrawGrid(shablon, {
                          "...#.",
                          ".####",
                          "..#..",
                      });
    EXPECT_EQ(SlotsThrough(shablon, 1, 0), (std::vector<std::string>{"300" "66"}));
    EXPECT_EQ(SlotsThrough(shablon, 0, 1), (std::vector<std::string>{"300" "22"}));
    EXPECT_EQ(SlotsThrough(shablon, 0, 0), (std::vector<std::string>{"300" "66", "300" "22"}));
    EXPECT_EQ(SlotsThrough(shablon, 4, 2), (std::vector<std::string>{"232" "6"}));  // two letters suffice
    EXPECT_TRUE(SlotsThrough(shablon, 4, 0).empty());                                // a lone letter cell
    EXPECT_TRUE(SlotsThrough(shablon, 3, 0).empty());                                // a block
}

TEST(Shablon, NumbersGrowRowByRowAndACellGetsOneNumber) {
    TClassicShablon shablon(1, 1);
    DrawGrid(shablon, {
                          "...#.",
                          ".#...",
                          "...#.",
                      });
    shablon.SetNumber(1, 1, 9);  // a stale number on a block goes away
    shablon.NumberCells();
    EXPECT_EQ(NumbersOf(shablon), (GridPicture{
                                      "1.2#3",
                                      ".#4..",
                                      "5..#.",
                                  }));
}

TEST(Shablon, SymmetricSettingMirrorsTheLetterFlag) {
    TClassicShablon whole(5, 3);
    whole.MirrorX = {true, 2, false};
    whole.SetLetterCell(0, 1, true);
    EXPECT_EQ(PictureOf(whole), (GridPicture{"#####", ".###.", "#####"}));

    TClassicShablon half(4, 4);
    half.MirrorX = {true, 1, true};
    half.MirrorY = {true, 1, true};
    half.SetLetterCell(0, 1, true);
    EXPECT_EQ(PictureOf(half), (GridPicture{"####", ".##.", ".##.", "####"}));
    half.SetLetterCell(3, 2, false);
    EXPECT_EQ(PictureOf(half), GridPicture(4, "####"));

    TClassicShablon offGrid(3, 3);  // mirror images outside the grid are ignored
    offGrid.MirrorX = {true, 5, false};
    offGrid.SetLetterCell(1, 1, true);
    EXPECT_EQ(PictureOf(offGrid), (GridPicture{"###", "#.#", "###"}));
}

TEST(Shablon, KeyWordCellsKeepTheirNumberOrder) {
    TClassicShablon shablon(5, 5);
    shablon.SetKeyWordCell(0, 0, 1);  // a
    shablon.SetKeyWordCell(1, 0, 2);  // b
    shablon.SetKeyWordCell(2, 0, 1);  // c takes number 1, a and b move on
    shablon.SetKeyWordCell(3, 0, 0);  // ignored
    EXPECT_EQ(shablon.KeyWordNumberAt(2, 0), 1);
    EXPECT_EQ(shablon.KeyWordNumberAt(0, 0), 2);
    EXPECT_EQ(shablon.KeyWordNumberAt(1, 0), 3);
    EXPECT_EQ(shablon.KeyWordNumberAt(3, 0), -1);
    int x = -1, y = -1;
    EXPECT_TRUE(shablon.KeyWordCell(3, x, y));
    EXPECT_EQ(x, 1);
    EXPECT_FALSE(shablon.KeyWordCell(4, x, y));
    EXPECT_FALSE(shablon.KeyWordCell(0, x, y));

    shablon.BeginNumber = 10;  // numbers count from BeginNumber
    EXPECT_EQ(shablon.KeyWordNumberAt(1, 0), 12);
    shablon.SetKeyWordCell(4, 4, 11);
    EXPECT_EQ(shablon.KeyWordNumberAt(4, 4), 11);
    EXPECT_EQ(shablon.KeyWordNumberAt(0, 0), 12);
    shablon.ClearKeyWord();
    EXPECT_EQ(shablon.KeyWordNumberAt(2, 0), -1);
}

TEST(Shablon, WidthShrinkHidesColumnsAndRegrowClearsThem) {
    TClassicShablon shablon(10, 2);
    shablon.ClearRect(0, 0, 9, 1, true);
    shablon.SetNumber(7, 0, 3);
    shablon.SetWidth(5);
    EXPECT_EQ(PictureOf(shablon), GridPicture(2, "....."));
    EXPECT_TRUE(shablon.IsLetterCell(7, 0));  // unseen, not cleared
    shablon.SetWidth(10);
    EXPECT_EQ(PictureOf(shablon), GridPicture(2, ".....#####"));
    EXPECT_EQ(shablon.GetNumber(7, 0), 0);

    shablon.SetHeight(1);
    shablon.SetHeight(3);
    EXPECT_EQ(PictureOf(shablon), (GridPicture{".....#####", "##########", "##########"}));
}

TEST(Shablon, SettersIgnoreCellsOutsideTheGrid) {
    TClassicShablon shablon(3, 3);
    shablon.SetLetterCellOnly(3, 0, true);
    shablon.SetLetterCellOnly(-1, 0, true);
    shablon.ClearRect(1, 1, 250, 250, true);
    EXPECT_EQ(PictureOf(shablon), (GridPicture{"###", "#..", "#.."}));
    EXPECT_FALSE(shablon.IsLetterCell(3, 1));
    EXPECT_TRUE(shablon.IsOutside(3, 0));
    EXPECT_TRUE(shablon.IsOutside(0, 255));
    EXPECT_FALSE(shablon.IsOutside(2, 2));
}

TEST(Shablon, BaseAttributesAnswerNothing) {
    TClassicShablon shablon(3, 3);
    shablon.RawCell(1, 1).Attr = 0x00ABCDEF;
    shablon.SetFlagA(1, 1, true);
    shablon.SetClueCell(1, 1, true);
    EXPECT_FALSE(shablon.HasAttrA(1, 1));
    EXPECT_EQ(shablon.GetAttrA(1, 1), 0);
    EXPECT_EQ(shablon.GetAttrB(1, 1), 0);
    EXPECT_EQ(shablon.GetAttrC(1, 1), 0);
    EXPECT_FALSE(shablon.IsClueCell(1, 1));
    shablon.RawCell(1, 1).Flags |= CellFlag::AttrD;  // the base reads the D bit as stored
    EXPECT_EQ(shablon.GetAttrD(1, 1), 0xABCD);
}

TEST(Shablon, CropToUsedMovesTheLettersToTheCorner) {
    TClassicShablon shablon(1, 1);
    DrawGrid(shablon, {
                          "######",
                          "##...#",
                          "##.###",
                          "######",
                      });
    shablon.CropToUsed();
    EXPECT_EQ(PictureOf(shablon), (GridPicture{"...", ".##"}));
    EXPECT_EQ(shablon.GetNumber(0, 0), 1);

    TClassicShablon empty(4, 4);
    empty.CropToUsed();
    EXPECT_EQ(empty.Width, 1);
    EXPECT_EQ(empty.Height, 1);
}

TEST(ShablonFactory, CreatesTheClassicKindOnly) {
    const auto classic = CreateTemplate(4, 3, 0);
    ASSERT_NE(classic, nullptr);
    EXPECT_NE(dynamic_cast<TClassicShablon*>(classic.get()), nullptr);
    EXPECT_EQ(classic->Width, 4);
    EXPECT_EQ(classic->Height, 3);
    EXPECT_EQ(CreateTemplate(4, 3, 19), nullptr);
    EXPECT_EQ(CreateTemplate(4, 3, -1), nullptr);
}

TEST(ShablonFactory, RegisteredKindsAreCreated) {
    class TestShablon : public TClassicShablon {
    public:
        TestShablon(int w, int h) : TClassicShablon(w, h, TShablonKind::Diagonal) {}
    };
    // The kind is registered for this test only, however it ends.
    struct Registration {
        Registration() {
            RegisterTemplateKind(TShablonKind::Diagonal, [](int w, int h) { return std::make_unique<TestShablon>(w, h); });
        }
        ~Registration() { RegisterTemplateKind(TShablonKind::Diagonal, nullptr); }
    };
    EXPECT_EQ(CreateTemplate(2, 2, 18), nullptr);
    {
        const Registration registration;
        const auto made = CreateTemplate(2, 2, 18);
        ASSERT_NE(made, nullptr);
        EXPECT_EQ(made->Kind, TShablonKind::Diagonal);
    }
    EXPECT_EQ(CreateTemplate(2, 2, 18), nullptr);
}
