// The circular crossword: its slots, the two clue lists, the style copy and the fill of rings
// whose diagonals wrap round.

#include "kinds/Circle.h"

#include "../crossword/FillFixture.h"

#include "crossword/ClassicCrossword.h"
#include "export/ComExport.h"
#include "platform/Bitmap.h"
#include "platform/Metafile.h"

#include <gtest/gtest.h>

#include <set>

namespace {

class CircleTest : public CrosswordTest {
protected:
    // A crossword of W x H rings whose letter cells are the cells of its slots.
    std::unique_ptr<TCircle> MakeCircle(int width, int height, bool parity, const std::vector<std::string>& utf8Words) {
        auto crossword = std::make_unique<TCircle>();
        crossword->Dictionary.ShowProgress = false;
        EXPECT_TRUE(crossword->LoadDictionary(WriteDictionary(utf8Words)));
        crossword->SetWidth(width);
        crossword->SetHeight(height);
        crossword->Circle().Parity = parity;
        crossword->Circle().MarkWordCells();
        crossword->Template->NumberCells();
        crossword->PrepareForFill();
        return crossword;
    }

    // The slot of the column (path "2...") or diagonal (path "3...") word starting at column x.
    static int SlotOf(const TCrossword& crossword, int x, char step) {
        for (int i = 0; i < crossword.Words.Count(); ++i)
            if (crossword.Words.WordX(i) == x && crossword.Words.WordPath(i).front() == step) return i;
        return -1;
    }

    static TClueListOptions SplitOptions() {
        TClueListOptions options;
        options.Numbers = true;
        options.Headings = true;
        options.SplitDirections = true;
        options.OnePerLine = true;
        return options;
    }
};

}  // namespace

TEST_F(CircleTest, SlotsAlternateColumnAndDiagonalWords) {
    const auto crossword = MakeCircle(8, 5, true, {"арбуз"});
    ASSERT_EQ(crossword->Words.Count(), 8);
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(crossword->Words.WordX(i), i / 2 * 2);
        EXPECT_EQ(crossword->Words.WordPath(i), std::string(4, i % 2 == 0 ? '2' : '3'));
    }
}

TEST_F(CircleTest, ClueListsUnderTheirHeadings) {
    ScopedRecordingUi ui;
    const auto crossword = MakeCircle(8, 5, true, {"арбуз", "аршин"});
    ASSERT_EQ(crossword->PlaceWord(4, Cp("арбуз"), false), PutCode::Placed);
    ASSERT_EQ(crossword->PlaceWord(5, Cp("аршин"), false), PutCode::Placed);
    const std::string expected =
        "~#2Против часовой стрелки: ~#1\r\n~#1~#21 ~#1?????\r\n~#22 ~#1?????\r\n~#23 ~#1арбуз\r\n~#24 ~#1?????\r\n"
        "\r\n~#2По часовой стрелке: ~#1\r\n~#1~#21 ~#1?????\r\n~#22 ~#1?????\r\n~#23 ~#1аршин\r\n~#24 ~#1?????\r\n";
    EXPECT_EQ(crossword->BuildClueText(SplitOptions()), Cp(expected));

    // A running count is not a circular number; without the parity switch there is one list.
    TClueListOptions counted = SplitOptions();
    counted.Count = true;
    EXPECT_EQ(crossword->BuildClueText(counted), Cp(expected));
    crossword->Circle().Parity = false;
    EXPECT_EQ(crossword->BuildClueText(SplitOptions()),
              Cp("~#1~#21 ~#1?????\r\n~#21 ~#1?????\r\n~#22 ~#1?????\r\n~#22 ~#1?????\r\n~#23 ~#1арбуз\r\n"
                 "~#23 ~#1аршин\r\n~#24 ~#1?????\r\n~#24 ~#1?????\r\n~#1"));
    EXPECT_EQ(crossword->BuildDirectionClues(SplitOptions()), Cp("Отсутствует!"));
}

// Blocked cells at the top of column 0 make the diagonal of column 0 the seventh slot: the lists
// still go by the words' sense, not by the slots' order.
TEST_F(CircleTest, ClueListsSplitByTheWordsPath) {
    ScopedRecordingUi ui;
    auto crossword = MakeCircle(8, 5, true, {"арбуз", "аршин"});
    crossword->Template->SetLetterCell(0, 0, false);
    crossword->Template->SetLetterCell(0, 1, false);
    crossword->PrepareForFill();
    const int column = SlotOf(*crossword, 0, '2'), diagonal = SlotOf(*crossword, 0, '3');
    ASSERT_EQ(diagonal % 2, 0);
    ASSERT_EQ(crossword->PlaceWord(column, Cp("арбуз"), false), PutCode::Placed);
    ASSERT_EQ(crossword->PlaceWord(diagonal, Cp("аршин"), false), PutCode::Placed);
    for (const bool pages : {false, true}) {
        const std::string text =
            pages ? crossword->BuildCluePages(SplitOptions(), true) : crossword->BuildClueText(SplitOptions());
        const auto clockwise = text.find(Cp("По часовой стрелке:"));
        ASSERT_NE(clockwise, std::string::npos);
        EXPECT_LT(text.find(Cp("арбуз")), clockwise) << pages;
        EXPECT_GT(text.find(Cp("аршин")), clockwise) << pages;
    }
}

TEST_F(CircleTest, KeyWordFollowsTheLists) {
    ScopedRecordingUi ui;
    auto crossword = MakeCircle(4, 3, false, {"дом"});
    ASSERT_EQ(crossword->PlaceWord(0, Cp("дом"), false), PutCode::Placed);
    crossword->Template->KeyWordCellLook.NoPaint = false;
    crossword->Template->SetKeyWordCell(0, 1, 1);
    const std::string text = crossword->BuildClueText(SplitOptions());
    EXPECT_TRUE(text.ends_with(Cp("\r\n\r\n~#1Ключевое слово:~#2 о\r\n"))) << ToUtf8(text);
}

TEST_F(CircleTest, CopyStylesTakesTheRingSettingsOfACircularTemplate) {
    TCircle from;
    from.Circle().BaseRadius = 900;
    from.Circle().SpeedOfChangeRadius = 7;
    from.Circle().NotUseCurve = false;
    from.Circle().Parity = true;
    from.Circle().AutoDecreaseChars = false;
    from.Template->PenWidth = 3;

    TCircle to;
    to.CopyStyles(from);
    EXPECT_EQ(to.Circle().BaseRadius, 900);
    EXPECT_EQ(to.Circle().SpeedOfChangeRadius, 7);
    EXPECT_FALSE(to.Circle().NotUseCurve);
    EXPECT_TRUE(to.Circle().Parity);
    EXPECT_FALSE(to.Circle().AutoDecreaseChars);
    EXPECT_EQ(to.Template->PenWidth, 3);

    TClassicCrossword classic;
    classic.Template->PenWidth = 5;
    to.CopyStyles(classic);
    EXPECT_EQ(to.Circle().BaseRadius, 900);
    EXPECT_TRUE(to.Circle().Parity);
    EXPECT_EQ(to.Template->PenWidth, 5);
}

// The fill writes every slot's word along its cells, the diagonals wrapping round the ring, with
// an even and an odd number of columns.
TEST_F(CircleTest, FillKeepsEveryWordAlongItsCells) {
    ScopedRecordingUi ui;
    struct TCase {
        int W, H;
        bool Parity;
    };
    for (const TCase c : {TCase{6, 3, false}, TCase{5, 3, true}, TCase{7, 3, false}}) {
        SCOPED_TRACE(std::to_string(c.W) + (c.Parity ? " on" : " off"));
        auto crossword = MakeCircle(c.W, c.H, c.Parity, CombWords());
        crossword->FillParameters.TimeLimit = 20;
        int errCode = 0;
        TFillResult best;
        ASSERT_TRUE(crossword->Fill(0, 0, c.W - 1, c.H - 1, false, errCode, best)) << errCode;
        const std::vector<std::string> words = CombWords();
        for (int i = 0; i < crossword->Words.Count(); ++i) {
            ASSERT_TRUE(crossword->Words.SlotFilled(i));
            const std::string word(crossword->Words.SlotWord(i));
            EXPECT_EQ(SlotLetters(*crossword, i), word) << i;
            EXPECT_NE(std::find(words.begin(), words.end(), ToUtf8(word)), words.end());
        }
    }
}

namespace {

struct TLetterItem {
    int X, Y, Side, Size;
    std::string Text;
};

std::vector<TLetterItem> LetterItems(const TComExport& list) {
    std::vector<TLetterItem> items;
    for (int i = 0; i < list.Count(); ++i)
        if (list.Kind(i) == static_cast<int>(TExportKind::StyledTextBlock))
            items.push_back({list.X(i), list.Y(i), list.X2(i), list.Format(i).FontSize, ToUtf8(list.Text(i))});
    return items;
}

}  // namespace

// Letters stand in squares centred on their letter positions, smaller ring by ring.
TEST_F(CircleTest, ExportedLettersShrinkRingByRing) {
    ScopedRecordingUi ui;
    auto crossword = MakeCircle(4, 3, false, {"дом", "кот"});
    ASSERT_EQ(crossword->PlaceWord(0, Cp("дом"), false), PutCode::Placed);
    for (const bool shrinking : {true, false}) {
        crossword->Circle().AutoDecreaseChars = shrinking;
        TComExport list;
        crossword->BuildModeExport(list, 0);
        const std::vector<TLetterItem> items = LetterItems(list);
        ASSERT_EQ(items.size(), 3u);
        const TRingGeometry ring(crossword->Circle(), 1);
        const std::vector<int> sizes = shrinking ? std::vector<int>{16, 14, 13} : std::vector<int>{16, 16, 16};
        for (int y = 0; y < 3; ++y) {
            const TPoint at = ring.Letter(0, y);
            const TLetterItem& item = items[y];
            EXPECT_EQ(item.Text, (std::vector<std::string>{"Д", "О", "М"}[y]));
            EXPECT_EQ(item.X + item.Side / 2, at.X * 1000) << y;
            EXPECT_EQ(item.Y - item.Side / 2, -at.Y * 1000) << y;
            EXPECT_EQ(item.Size, sizes[y]) << y;
        }
        EXPECT_GT(items[0].Side, items[1].Side);
        EXPECT_GT(items[1].Side, items[2].Side);
    }
}

TEST_F(CircleTest, ExportModes) {
    ScopedRecordingUi ui;
    auto crossword = MakeCircle(4, 3, false, {"дом", "кот"});
    ASSERT_EQ(crossword->PlaceWord(0, Cp("дом"), false), PutCode::Placed);
    ASSERT_EQ(crossword->PlaceWord(1, Cp("кот"), false), PutCode::Placed);

    std::vector<std::string> mode0, mode3, mode4, mode5;
    crossword->ExportToScript(mode0, 0);
    crossword->ExportToScript(mode3, 3);
    crossword->ExportToScript(mode4, 4);
    EXPECT_EQ(mode3, mode0);
    EXPECT_EQ(mode4, mode0);
    TComExport blocks;
    crossword->BuildModeExport(blocks, 5);
    EXPECT_EQ(blocks.Count(), 0);

    // The puzzle of mode 1 shows no letter of the solution but the given ones.
    TComExport puzzle;
    crossword->BuildModeExport(puzzle, 1);
    EXPECT_TRUE(LetterItems(puzzle).empty());
    crossword->GivenWords.Add(Cp("кот"));
    crossword->GivenLetters.Add(Cp("д"));
    TComExport given;
    crossword->BuildModeExport(given, 1);
    std::multiset<std::string> texts;
    for (const TLetterItem& item : LetterItems(given)) texts.insert(item.Text);
    EXPECT_EQ(texts, (std::multiset<std::string>{"Д", "К", "О", "Т"}));

    // Mode 2 shows codeword numbers and adds no table.
    TComExport codeword;
    crossword->BuildModeExport(codeword, 2);
    const std::vector<TLetterItem> numbers = LetterItems(codeword);
    ASSERT_EQ(numbers.size(), 6u);
    for (const TLetterItem& item : numbers) EXPECT_GT(std::stoi(item.Text), 0) << item.Text;
    EXPECT_EQ(codeword.Kind(codeword.Count() - 1), static_cast<int>(TExportKind::StyledTextBlock));
}

TEST_F(CircleTest, PictureOfEachMode) {
    ScopedRecordingUi ui;
    auto crossword = MakeCircle(4, 3, false, {"дом", "кот"});
    ASSERT_EQ(crossword->PlaceWord(0, Cp("дом"), false), PutCode::Placed);
    ASSERT_EQ(crossword->PlaceWord(1, Cp("кот"), false), PutCode::Placed);
    const auto calls = [&](int mode, int& width, int& height) {
        TMetafile metafile(1, 1, FixedTextMetrics());
        crossword->DrawToMetafile(metafile, mode);
        width = metafile.Width();
        height = metafile.Height();
        std::vector<std::string> ops;
        for (const TCanvasCall& call : metafile.Calls())
            ops.push_back(std::to_string(static_cast<int>(call.Op)) + " " + call.Text + " " +
                          std::to_string(call.At.X) + "," + std::to_string(call.At.Y));
        return ops;
    };
    int width = 0, height = 0;
    const std::vector<std::string> solution = calls(0, width, height);
    EXPECT_EQ(std::pair(width, height), std::pair(2707, 2707));
    // Four numbers and six letters (each letter a text or a piece holding it).
    const auto texts = std::count_if(solution.begin(), solution.end(), [](const std::string& op) {
        return op.starts_with(std::to_string(int(TCanvasOp::Text)) + " ") ||
               op.starts_with(std::to_string(int(TCanvasOp::Metafile)) + " ");
    });
    EXPECT_EQ(texts, 4 + 6);
    for (const int mode : {3, 4}) {
        int w = 0, h = 0;
        EXPECT_EQ(calls(mode, w, h), solution) << mode;
    }
    int w = 0, h = 0;
    EXPECT_FALSE(calls(2, w, h).empty());
    EXPECT_EQ(std::pair(w, h), std::pair(2707, 2707));
    EXPECT_TRUE(calls(5, w, h).empty());
    EXPECT_EQ(std::pair(w, h), std::pair(0, 0));
}

// The view writes each letter on its letter position, a fixed one in green.
TEST_F(CircleTest, ViewShowsTheLettersOnTheirPositions) {
    ScopedRecordingUi ui;
    auto crossword = MakeCircle(4, 3, false, {"дом"});
    ASSERT_EQ(crossword->PlaceWord(0, Cp("дом"), false), PutCode::Placed);
    crossword->SetFixedLetter(0, 1, Cp("о"));
    TFastDrawParameters view;
    view.Zoom = 20;
    const TCircleShablon& t = crossword->Circle();
    const TRingGeometry ring(t, t.ViewScale(view));
    const auto near = [&](const TDIB& pixels, TPoint at, auto&& wanted) {
        int count = 0;
        for (int dx = -6; dx <= 6; ++dx)
            for (int dy = -6; dy <= 6; ++dy) count += wanted(pixels.Pixel(at.X + dx, at.Y + dy) & 0xFFFFFF);
        return count;
    };
    TBitmap bitmap(t.GetPixelWidth() / 5 + 2, t.GetPixelHeight() / 5 + 2);
    crossword->DrawToBitmap(view, bitmap);
    const TDIB pixels = bitmap.Pixels();
    const auto dark = [](uint32_t p) { return p == 0; };
    const auto green = [](uint32_t p) { return (p & 0xFF00) > 0x8000 && (p & 0xFF0000) < 0x400000; };
    EXPECT_GT(near(pixels, ring.Letter(0, 0), dark), 0);
    EXPECT_GT(near(pixels, ring.Letter(0, 1), green), 0);
    EXPECT_EQ(near(pixels, ring.Letter(2, 1), dark), 0);
}
