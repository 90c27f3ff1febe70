#include "dictionary/Mask.h"
#include "platform/Text.h"

#include <gtest/gtest.h>

TEST(Mask, CellsOfEachMode) {
    struct Case {
        uint8_t mode;
        std::string text;
        int cells;
    };
    const Case cases[] = {
        {0, "", 0},      {0, "k t", 3},     {4, "kot", 3},       {1, "      ", 3}, {1, "abc", 1},
        {2, "", 0},      {2, "ab~ ~c", 3},  {3, "~", 2},         {5, "kot", 0},   {255, "abc", 0},
    };
    for (const Case& c : cases) EXPECT_EQ(TMask(c.mode, c.text).CellCount(), c.cells) << int(c.mode) << c.text;

    const TMask pieces(2, "ab~ ~~c");
    EXPECT_EQ(pieces.CellText(0), "ab");
    EXPECT_TRUE(pieces.IsUnknown(1));
    EXPECT_TRUE(pieces.IsUnknown(2));
    EXPECT_FALSE(pieces.IsUnknown(3));
    EXPECT_TRUE(pieces.IsUnknown(4));
    EXPECT_EQ(pieces.CellText(4), "");
}

TEST(Mask, SetCellGrowsAndResizeCuts) {
    TMask single(0, "");
    single.SetCell(3, "xyz");
    EXPECT_EQ(single.Text(), "   x");
    single.ClearCell(3);
    EXPECT_EQ(single.Text(), "    ");
    single.Resize(2);
    EXPECT_EQ(single.Text(), "  ");

    TMask pairs(1, "ab");
    pairs.SetCell(2, "c");
    EXPECT_EQ(pairs.Text(), "ab  c ");
    pairs.Resize(1);
    EXPECT_EQ(pairs.Text(), "ab");

    TMask pieces(2, "");
    pieces.Resize(3);
    EXPECT_EQ(pieces.Text(), " ~ ~ ");
    pieces.SetCell(1, "qq");
    EXPECT_EQ(pieces.Text(), " ~qq~ ");
    pieces.Resize(2);
    EXPECT_EQ(pieces.Text(), " ~qq");
    pieces.Resize(0);
    EXPECT_EQ(pieces.Text(), "");

    TMask none(7, "abc");
    none.SetCell(1, "z");
    none.Resize(5);
    EXPECT_EQ(none.Text(), "abc");
}

TEST(Mask, MatchesByMode) {
    EXPECT_TRUE(TMask(0, "к т"_cp).Matches("кот"_cp));
    EXPECT_FALSE(TMask(0, "к т"_cp).Matches("коты"_cp));
    EXPECT_FALSE(TMask(0, "к л"_cp).Matches("кот"_cp));
    EXPECT_FALSE(TMask(4, "к к"_cp).Matches("кот"_cp));
    // Two characters a cell: a word of odd length never matches.
    EXPECT_FALSE(TMask(1, "    ").Matches("abc"));
    EXPECT_TRUE(TMask(1, "ab  ").Matches("abcd"));
    EXPECT_FALSE(TMask(1, "ab  ").Matches("abcdef"));
    EXPECT_TRUE(TMask(2, "ab~ ~").Matches("ab~x~yz"));
    EXPECT_FALSE(TMask(2, "ab~ ~").Matches("a~x~yz"));
    EXPECT_FALSE(TMask(2, "ab~ ").Matches("ab~x~yz"));
    EXPECT_FALSE(TMask(9, "").Matches(""));
}
