#include "kinds/ClueBoxes.h"
#include "kinds/EstonishCrossword.h"
#include "kinds/EstonishShablon.h"
#include "kinds/Walls.h"

#include "../crossword/CrosswordFixture.h"

#include "export/ComExport.h"
#include "platform/Metafile.h"

#include <algorithm>
#include <fstream>
#include <string>
#include <tuple>
#include <vector>

namespace {

class ClueBoxesTest : public CrosswordTest {
protected:
    // Row 0 holds two across words (columns 0-2 and 3-5), row 1 one (columns 1-4); walls below
    // row 0 keep the columns from forming words.
    std::unique_ptr<TAmerican> TwoRows(const std::vector<std::string>& words = {"кот", "сом", "скан"}) {
        auto crossword = Make<TAmerican>({"......", "#....#"}, words);
        for (int x = 0; x < 6; ++x)
            crossword->Template->SetAttrA(x, 0, WallBit::Below | (x == 2 ? WallBit::Right : 0));
        crossword->Template->NumberCells();
        crossword->PrepareForFill();
        return crossword;
    }

    static void Define(TCrossword& crossword, int slot, const std::string& utf8Word, const std::string& utf8Definition) {
        ASSERT_EQ(crossword.TryPutWord(slot, Cp(utf8Word), {}), PutCode::Placed);
        crossword.Words.SetSlotDefinition(slot, Cp(utf8Definition));
        crossword.Words.SetSlotHasDefinition(slot, !utf8Definition.empty());
    }

    // The items after the caption of the strips.
    static int StripsStart(const TComExport& list) {
        for (int i = 0; i < list.Count(); ++i)
            if (list.Kind(i) == 0 && list.Text(i) == Cp("Экспорт в формате CDR. Американский...")) return i + 1;
        return list.Count();
    }
};

std::string Utf8(std::string_view cp) {
    return ToUtf8(std::string(cp));
}

}  // namespace

TEST_F(ClueBoxesTest, WhatTheBoxShowsByShowType) {
    auto crossword = TwoRows();
    const int slot = Across(*crossword, 1, 1, 4);
    ASSERT_GE(slot, 0);
    struct TCase {
        int Type;
        std::string Word;        // empty: the slot stays empty
        std::string Definition;  // empty: none
        std::string Shown;
        bool Picture;
    };
    const TCase cases[] = {
        {0, "скан", "  Смотреть ", "Смотреть", false},
        {0, "скан", "", "", false},
        {0, "", "Смотреть", "", false},
        {1, "", "", "7", false},
        {1, "скан", "Смотреть", "7", false},
        {2, "скан", "Смотреть", "7. Смотреть", false},
        {2, "скан", "&Iглаз.png", "глаз.png", true},
        {2, "скан", "", "", false},
        {3, "скан", "&FB+Смотреть", "Смотреть (4)", false},
        {3, "скан", "&Iглаз.png", "глаз.png", true},
        {4, "скан", "", "скн", false},
        {4, "", "", "", false},
        {6, "скан", "Смотреть", "", false},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(std::to_string(c.Type) + " " + c.Word + " " + c.Definition);
        crossword->RemoveWord(slot);
        crossword->Words.SetSlotHasDefinition(slot, false);
        if (!c.Word.empty()) Define(*crossword, slot, c.Word, c.Definition);
        crossword->OprText.OprShowType = c.Type;
        const TClueContent clue = SlotClue(*crossword, slot, 7);
        EXPECT_EQ(Utf8(clue.Text), c.Shown);
        EXPECT_EQ(clue.Picture, c.Picture);
    }
}

TEST_F(ClueBoxesTest, ShuffledWordKeepsItsLetters) {
    auto crossword = TwoRows();
    const int slot = Across(*crossword, 1, 1, 4);
    Define(*crossword, slot, "скан", "");
    crossword->OprText.OprShowType = 5;
    std::string shown = SlotClue(*crossword, slot, 1).Text, word = Cp("скан");
    std::sort(shown.begin(), shown.end());
    std::sort(word.begin(), word.end());
    EXPECT_EQ(shown, word);
}

TEST_F(ClueBoxesTest, MarkupFormatAndCentringReachTheItem) {
    auto crossword = TwoRows();
    const int slot = Across(*crossword, 1, 1, 4);
    Define(*crossword, slot, "скан", "&FB+&FS012Смотреть");
    TComExport list;
    AddClueItem(list, *crossword, TClueBox{0, 0, 100000, 100000}, SlotClue(*crossword, slot, 1));
    ASSERT_EQ(list.Count(), 1);
    EXPECT_EQ(list.Kind(0), static_cast<int>(TExportKind::FormattedText));
    EXPECT_EQ(list.Name(0), "SKANWORD_OPR");
    EXPECT_TRUE(list.Flag(0));
    EXPECT_TRUE(list.Format(0).Bold);
    EXPECT_EQ(list.Format(0).FontSize, 12);
    // The pen (7) keeps the text off every side.
    EXPECT_EQ(std::make_tuple(list.X(0), list.Y(0), list.X2(0), list.Y2(0)), std::make_tuple(7000, -7000, 86000, 86000));
}

TEST_F(ClueBoxesTest, MarginsAndABoxTheMarginLeavesEmpty) {
    auto crossword = TwoRows();
    const int slot = Across(*crossword, 1, 1, 4);
    Define(*crossword, slot, "скан", "Смотреть");
    struct TCase {
        uint8_t Type;
        int32_t Size;
        int Scale;
        int64_t Margin;
    };
    for (const TCase& c : {TCase{0, 10, 1, 7000}, TCase{0, 10, 2, 14000}, TCase{1, 10, 2, 20000},
                           TCase{1, 60, 1, 60000}, TCase{2, 10, 1, 0}}) {
        SCOPED_TRACE(std::to_string(c.Type) + " " + std::to_string(c.Size) + " " + std::to_string(c.Scale));
        crossword->OprFormat.SpaceType = c.Type;
        crossword->OprFormat.SpaceSize = c.Size;
        crossword->Template->Scale = static_cast<uint8_t>(c.Scale);
        EXPECT_EQ(ClueMargin(*crossword), c.Margin);
        TComExport list;
        AddClueItem(list, *crossword, TClueBox{0, 0, 100000, 100000}, SlotClue(*crossword, slot, 1));
        EXPECT_EQ(list.Count(), c.Margin * 2 < 100000 ? 1 : 0);
    }
    // A box with no room left fits nothing and divides by nothing; a picture still may stand.
    TClueContent text, picture;
    text.Text = Cp("Смотреть");
    picture.Text = "eye.png";
    picture.Picture = true;
    EXPECT_EQ(ClueFontSize(*crossword, text, 0, 100), 0);
    EXPECT_EQ(ClueFontSize(*crossword, text, 100, -40), 0);
    EXPECT_EQ(ClueFontSize(*crossword, picture, 0, 0), -1);
    EXPECT_EQ(FittingDefinitions(*crossword, Cp("Смотреть; &Iглаз.png"), 0, 100, 1.0f), Cp("&Iглаз.png"));
}

TEST_F(ClueBoxesTest, ADefinitionNeedingTooSmallAFontIsNeverChosen) {
    auto crossword = TwoRows();
    std::string longText;
    for (int k = 0; k < 24; ++k) longText += "длинноеслово ";
    TDefinitionChoice choice;
    choice.CheckFits = true;
    choice.MinFontSize = 5;
    struct TCase {
        std::string Definitions;
        std::string Chosen;  // empty: nothing qualifies
    };
    const TCase cases[] = {
        {longText + "; Рыба", "Рыба"},
        {"Рыба; " + longText, "Рыба"},
        {longText + "; &Iрыба.png", "рыба.png"},
        {longText, ""},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Chosen);
        for (int draw = 0; draw < 8; ++draw) {
            std::string text;
            EXPECT_EQ(crossword->PickDefinition(true, Cp(c.Definitions), text, choice), !c.Chosen.empty());
            EXPECT_EQ(Utf8(text), c.Chosen);
        }
    }
    // Without the check the long one is a choice like any other.
    choice.CheckFits = false;
    std::string text;
    EXPECT_TRUE(crossword->PickDefinition(true, Cp(longText), text, choice));
}

TEST_F(ClueBoxesTest, AmericanStripsStandLeftOfTheRowsWithEmptyBoxesBeyond) {
    auto crossword = TwoRows();
    const auto& american = static_cast<const TAmericanShablon&>(*crossword->Template);
    EXPECT_EQ(american.MaxWordsPerRow, 2);
    EXPECT_EQ(american.MaxWordsPerColumn, 0);
    const int left = Across(*crossword, 0, 0, 3), right = Across(*crossword, 3, 0, 3), lower = Across(*crossword, 1, 1, 4);
    std::vector<std::tuple<int, int, int>> places;
    for (const TAmerican::TClueBoxPlace& p : crossword->ClueBoxPlaces()) places.emplace_back(p.X, p.Y, p.Slot);
    EXPECT_EQ(places, (std::vector<std::tuple<int, int, int>>{{-1, 0, right}, {-2, 0, left}, {-1, 1, lower}, {-2, 1, -1}}));

    // Numbers show the clue order; the empty box gets the empty-box picture.
    const std::string picture = Path("empty.png");
    std::ofstream(picture) << "x";
    crossword->OprText.OprShowType = 1;
    crossword->OprText.EmptyOprFileName = picture;
    TComExport list;
    crossword->BuildModeExport(list, 0);
    const int cell = crossword->Template->GetCellPixelWidth() * 1000, pen = crossword->Template->PenWidth * 1000;
    std::vector<std::tuple<int, int, int, std::string>> items;
    for (int i = StripsStart(list); i < list.Count(); ++i)
        items.emplace_back(list.Kind(i), list.X(i), list.Y(i), std::string(list.Text(i)));
    const std::vector<std::tuple<int, int, int, std::string>> expected = {
        {1, -cell, 0, ""},           {20, -cell + pen, -pen, "2"},
        {1, -2 * cell, 0, ""},       {20, -2 * cell + pen, -pen, "1"},
        {1, -cell, -cell, ""},       {20, -cell + pen, -cell - pen, "3"},
        {1, -2 * cell, -cell, ""},   {19, -2 * cell + pen, -cell - pen, picture},
    };
    EXPECT_EQ(items, expected);

    // No picture when the file is missing, nothing at all with NO_PAINT.
    crossword->OprText.EmptyOprFileName = Path("missing.png");
    list.Clear();
    crossword->BuildModeExport(list, 0);
    EXPECT_EQ(list.Count() - StripsStart(list), 7);
    crossword->OprText.NoPaint = true;
    list.Clear();
    crossword->BuildModeExport(list, 0);
    EXPECT_EQ(StripsStart(list), list.Count());
}

TEST_F(ClueBoxesTest, AmericanColumnStripsStandAboveTheGrid) {
    // Column 0 holds two down words (rows 0-2 and 3-6), column 1 one; walls keep the rows apart.
    auto crossword = Make<TAmerican>({"..", "..", "..", "..", "..", "..", ".."}, {"кот"});
    for (int y = 0; y < 7; ++y) crossword->Template->SetAttrA(0, y, WallBit::Right | (y == 2 ? WallBit::Below : 0));
    crossword->Template->NumberCells();
    crossword->PrepareForFill();
    const auto& american = static_cast<const TAmericanShablon&>(*crossword->Template);
    EXPECT_EQ(american.MaxWordsPerRow, 0);
    EXPECT_EQ(american.MaxWordsPerColumn, 2);
    const int upper = Down(*crossword, 0, 0, 3), lower = Down(*crossword, 0, 3, 4), right = Down(*crossword, 1, 0, 7);
    std::vector<std::tuple<int, int, int>> places;
    for (const TAmerican::TClueBoxPlace& p : crossword->ClueBoxPlaces()) places.emplace_back(p.X, p.Y, p.Slot);
    EXPECT_EQ(places, (std::vector<std::tuple<int, int, int>>{{0, -1, lower}, {0, -2, upper}, {1, -1, right}, {1, -2, -1}}));

    // The boxes lie above row 0, y upward; the picture grows by two rows and no column.
    crossword->OprText.OprShowType = 1;
    TComExport list;
    crossword->BuildModeExport(list, 0);
    const int cell = crossword->Template->GetCellPixelWidth() * 1000;
    std::vector<std::tuple<int, int, int>> boxes;
    for (int i = StripsStart(list); i < list.Count(); ++i)
        if (list.Kind(i) == 1) boxes.emplace_back(list.X(i), list.Y(i), list.Kind(i));
    EXPECT_EQ(boxes, (std::vector<std::tuple<int, int, int>>{{0, cell, 1}, {0, 2 * cell, 1}, {cell, cell, 1}, {cell, 2 * cell, 1}}));
    TMetafile withStrips, without;
    crossword->DrawToMetafile(withStrips, 0);
    TEstonishCrossword plain;
    plain.SetWidth(2);
    plain.SetHeight(7);
    DrawGrid(*plain.Template, {"..", "..", "..", "..", "..", "..", ".."});
    plain.DrawToMetafile(without, 0);
    EXPECT_EQ(withStrips.Width(), without.Width());
    EXPECT_EQ(withStrips.Height(), without.Height() + 2 * crossword->Template->GetCellPixelHeight());
}

TEST_F(ClueBoxesTest, AmericanPictureMakesRoomForTheStrips) {
    auto crossword = TwoRows();
    TEstonishCrossword plain;
    plain.SetWidth(crossword->Width);
    plain.SetHeight(crossword->Height);
    DrawGrid(*plain.Template, {"......", "#....#"});
    plain.Template->NumberCells();
    TMetafile withStrips, without;
    crossword->DrawToMetafile(withStrips, 0);
    plain.DrawToMetafile(without, 0);
    const int cell = crossword->Template->GetCellPixelWidth();
    EXPECT_EQ(withStrips.Width(), without.Width() + 2 * cell);
    EXPECT_EQ(withStrips.Height(), without.Height());
    EXPECT_TRUE(crossword->BuildDirectionClues({}).empty());
    TComExport list;
    crossword->ExportItalianScript(list);
    crossword->ExportMarkedWordsScript(list);
    crossword->ExportCellsScript(list, {TCellBlock{0, 0, 3, 2, 0, 0}});
    EXPECT_EQ(list.Count(), 0);
}
