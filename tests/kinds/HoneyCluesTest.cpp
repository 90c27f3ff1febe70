#include "kinds/Honey.h"

#include "../crossword/CrosswordFixture.h"

#include "export/ComExport.h"

#include <fstream>
#include <tuple>
#include <vector>

namespace {

class HoneyCluesTest : public CrosswordTest {};

// rows: "#" blank, "." letter cell, "o" a centre with the hexagon kind's default start.
std::unique_ptr<THoney> Honeycomb(const std::vector<std::string>& rows) {
    auto crossword = std::make_unique<THoney>();
    crossword->SetWidth(static_cast<int>(rows[0].size()));
    crossword->SetHeight(static_cast<int>(rows.size()));
    TBaseHoneyShablon& honey = crossword->Honey();
    for (int y = 0; y < honey.Height; ++y)
        for (int x = 0; x < honey.Width; ++x) {
            honey.SetLetterCellOnly(x, y, rows[y][x] == '.');
            if (rows[y][x] == 'o') honey.SetStartDirection(x, y, 0);
        }
    honey.NumberCells();
    crossword->PrepareForFill();
    return crossword;
}

}  // namespace

TEST_F(HoneyCluesTest, CentresShowTheirNumbersAndBlanksThePicture) {
    // Two numbered centres; the centre of the last row has no whole ring, the blank beside it is
    // outside. With a blank first row the export crops by one row, which moves the shifted rows too.
    struct TCase {
        std::vector<std::string> Rows;
        int Centres;
        int BlankX;
        int BlankY;
    };
    const TCase cases[] = {
        {{".....", ".o.o.", ".....", "o...#"}, 2, 4, 3},
        {{"#####", ".....", ".o.o.", ".....", "o...#"}, 2, 4, 4},
        {{"######", "......", "#.o...", "......"}, 1, 0, 2},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Rows.size());
        auto crossword = Honeycomb(c.Rows);
        ASSERT_EQ(crossword->Words.Count(), c.Centres);
        const std::string picture = Path("empty.png");
        std::ofstream(picture) << "x";
        crossword->OprText.OprShowType = 1;
        crossword->OprText.EmptyOprFileName = picture;
        crossword->Template->BlankCellLook.ShowOutside = true;
        TComExport list;
        crossword->BuildModeExport(list, 0);

        const TShablon& t = *crossword->Template;
        const int pen = t.PenWidth * 1000;
        // The clue stands below the number: its font (14 points, 50 units) and its distance (10).
        const int band = (50 + 10) * 1000;
        std::vector<std::tuple<int, int, int, std::string>> expected;
        for (int i = 0; i < list.Count(); ++i)
            if (list.Kind(i) == static_cast<int>(TExportKind::Number))
                expected.emplace_back(20, list.X(i) + pen, list.Y(i) - band - pen, std::to_string(list.X2(i)));
        ASSERT_EQ(expected.size(), static_cast<std::size_t>(c.Centres));
        int dx = 0, dy = 0, ex = 0, ey = 0;
        t.ExportMove(dx, dy);
        const auto [bx, by] = t.MovedCell(c.BlankX, c.BlankY, dx, dy);
        t.CellToExport(bx, by, ex, ey);
        expected.emplace_back(19, ex + pen, ey - pen, picture);

        std::vector<std::tuple<int, int, int, std::string>> clues;
        bool after = false;
        for (int i = 0; i < list.Count(); ++i) {
            if (list.Kind(i) == 0) after = list.Text(i) == Cp("Экспорт в формате CDR. Определения...");
            else if (after) clues.emplace_back(list.Kind(i), list.X(i), list.Y(i), std::string(list.Text(i)));
        }
        EXPECT_EQ(clues, expected);
        // The text stands between the hexagon's vertical sides below the number, less the pen on
        // each side.
        for (int i = 0; i < list.Count(); ++i)
            if (list.Kind(i) == static_cast<int>(TExportKind::FormattedText)) {
                EXPECT_EQ(list.X2(i), t.GetCellPixelWidth() * 1000 - 2 * pen);
                EXPECT_EQ(list.Y2(i), t.GetCellPixelHeight() * 1000 - 2 * pen - band);
            }
    }
}

TEST_F(HoneyCluesTest, DefinitionsMustFitBetweenTheVerticalSidesOfTheCentre) {
    auto crossword = Honeycomb({".....", ".o.o.", "....."});
    ASSERT_EQ(crossword->Words.Count(), 2);
    std::string longText;
    for (int k = 0; k < 12; ++k) longText += "длинноеслово ";
    TDefinitionChoice choice;
    choice.CheckFits = true;
    choice.MinFontSize = 5;
    choice.Slot = 0;
    struct TCase {
        std::string Definitions;
        std::string Chosen;  // empty: nothing qualifies
    };
    const TCase cases[] = {
        {longText + "; Рыба", "Рыба"},
        {longText + "; &Iрыба.png", "рыба.png"},
        {longText, ""},
    };
    for (const TCase& c : cases)
        for (int draw = 0; draw < 6; ++draw) {
            std::string text;
            EXPECT_EQ(crossword->PickDefinition(true, Cp(c.Definitions), text, choice), !c.Chosen.empty());
            EXPECT_EQ(text, Cp(c.Chosen));
        }
    // The hexagon's side is the box's height: a margin of half of it leaves no room for a text.
    crossword->OprFormat.SpaceType = 1;
    crossword->OprFormat.SpaceSize = crossword->Template->CellSize / 2;
    std::string text;
    EXPECT_FALSE(crossword->PickDefinition(true, Cp("Рыба"), text, choice));
    EXPECT_TRUE(crossword->PickDefinition(true, Cp("Рыба; &Iрыба.png"), text, choice));
    EXPECT_EQ(text, Cp("рыба.png"));
}

TEST_F(HoneyCluesTest, TheEmptyCellPictureGoesToInnerBlanksUnlessOutsideIsShown) {
    // (2, 3) is walled in by letter cells, (4, 4) lies on the edge.
    auto crossword = Honeycomb({".....", ".o.o.", ".....", "..#..", "....#"});
    const std::string picture = Path("empty.png");
    std::ofstream(picture) << "x";
    crossword->OprText.EmptyOprFileName = picture;
    const TShablon& t = *crossword->Template;
    const auto at = [&](int x, int y) {
        int ex = 0, ey = 0;
        t.CellToExport(x, y, ex, ey);
        return std::pair(ex + t.PenWidth * 1000, ey - t.PenWidth * 1000);
    };
    for (const bool outside : {false, true}) {
        SCOPED_TRACE(outside);
        crossword->Template->BlankCellLook.ShowOutside = outside;
        TComExport list;
        crossword->BuildModeExport(list, 0);
        std::vector<std::pair<int, int>> pictures;
        for (int i = 0; i < list.Count(); ++i)
            if (list.Kind(i) == static_cast<int>(TExportKind::Picture)) pictures.emplace_back(list.X(i), list.Y(i));
        std::vector<std::pair<int, int>> expected = {at(2, 3)};
        if (outside) expected.push_back(at(4, 4));
        EXPECT_EQ(pictures, expected);
    }
}
