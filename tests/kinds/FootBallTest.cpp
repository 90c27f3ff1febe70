#include "kinds/FootBallCrossword.h"
#include "kinds/FootBallShablon.h"

#include "../crossword/CrosswordFixture.h"
#include "../crossword/FillFixture.h"
#include "FieldCheck.h"

#include "platform/Clock.h"

#include <numeric>

namespace {

std::unique_ptr<TFootBallCrossword> FootBallOf(int width, int height, const std::string& dictionary) {
    auto crossword = std::make_unique<TFootBallCrossword>();
    crossword->Dictionary.ShowProgress = false;
    EXPECT_TRUE(crossword->LoadDictionary(dictionary));
    crossword->SetWidth(width);
    crossword->SetHeight(height);
    crossword->PrepareForFill();
    return crossword;
}

// An empty slot from (x, y) along path.
void AddSlot(TCrossword& crossword, int x, int y, const std::string& path) {
    crossword.Words.AddSlot(x, y, path, static_cast<int>(path.size()) + 1);
}

std::size_t Occurrences(const std::string& text, const std::string& part) {
    std::size_t count = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + part.size())) ++count;
    return count;
}

}  // namespace

TEST_F(CrosswordTest, FootBallPitchesHaveOddWidthGoalsAndACentreSpot) {
    struct Case {
        int width, height, pitchWidth, goal;
    };
    const Case cases[] = {{10, 25, 9, 5}, {9, 20, 9, 3}, {7, 22, 7, 3}, {11, 35, 11, 7}, {8, 21, 7, 3}};
    for (const Case& c : cases) {
        const std::string context = std::to_string(c.width) + "x" + std::to_string(c.height);
        TFootBallShablon pitch(c.width, c.height);
        EXPECT_EQ(pitch.Width, c.pitchWidth) << context;
        EXPECT_EQ(pitch.HalfLength, 20) << context;
        const int middle = (c.height - 1) / 2;
        for (int y = 0; y < c.height; ++y) {
            const bool inGoal = y >= middle - c.goal / 2 && y <= middle + c.goal / 2;
            EXPECT_EQ(pitch.IsLetterCell(0, y), inGoal) << context << " row " << y;
            EXPECT_EQ(pitch.IsLetterCell(pitch.Width - 1, y), inGoal) << context << " row " << y;
            for (int x = 1; x < pitch.Width - 1; ++x)
                EXPECT_EQ(pitch.IsLetterCell(x, y), x != pitch.CentreX() || y != pitch.CentreY()) << context;
        }
    }
    EXPECT_EQ(TFootBallShablon(0, 5).Width, 1);
    TFootBallShablon pitch(9, 7);
    pitch.SetWidth(12);
    EXPECT_EQ(pitch.Width, 11);
    EXPECT_FALSE(pitch.IsLetterCell(5, 3));
    EXPECT_TRUE(pitch.IsLetterCell(4, 3));
}

TEST_F(CrosswordTest, FootBallTextsCarryTheHalfLength) {
    TFootBallShablon written(5, 3);
    written.HalfLength = 7;
    written.SetLetterCellOnly(1, 0, false);
    const std::string text = written.SerializeTemplate(0, 0, 4, 2);
    EXPECT_EQ(text.substr(0, 4), std::string("8") + SmallNumberChar(5) + SmallNumberChar(3) + '\x07');
    TFootBallShablon read(5, 3);
    ASSERT_TRUE(read.ParseTemplate(text, 0, 0));
    EXPECT_EQ(read.HalfLength, 7);
    EXPECT_EQ(PictureOf(read), PictureOf(written));
    // Reading a pitch back keeps it when the size stays.
    read.CropToUsed();
    EXPECT_EQ(PictureOf(read), PictureOf(written));
    EXPECT_TRUE(mUi->Messages.empty());
}

TEST_F(CrosswordTest, FootBallRefusesShortForeignAndHalflessTexts) {
    struct Case {
        std::string text;
        const char* message;
        int halfLength;  // afterwards
    };
    const std::string size = std::string(1, SmallNumberChar(1)) + SmallNumberChar(1);
    const Case cases[] = {
        {"8" + size, "Неверный формат шаблона!", 20},
        {"8" + size + '\0' + "\x01", "Неверный формат шаблона!", 20},
        {"0" + size + "\x05\x01", "Несовместимый тип шаблона!", 20},
        {"8" + size + "\x05", "Неверный формат шаблона!", 5},  // the half length read stays
        {"8", "Неверный формат шаблона!", 20},
    };
    for (const Case& c : cases) {
        TFootBallShablon pitch(3, 3);
        mUi->Messages.clear();
        EXPECT_FALSE(pitch.ParseTemplate(c.text, 0, 0)) << c.text.size();
        ASSERT_EQ(mUi->Messages.size(), 1u) << c.text.size();
        EXPECT_EQ(mUi->Messages[0], Cp(c.message)) << c.text.size();
        EXPECT_EQ(pitch.HalfLength, c.halfLength) << c.text.size();
    }
}

TEST_F(CrosswordTest, FootBallWordsRunStraightOverLetterCells) {
    // A 9 x 7 pitch: centre (4, 3) blocked, goals in rows 2 to 4 of columns 0 and 8.
    struct Case {
        int x, y, nx, ny;
        std::string run;
    };
    const Case cases[] = {
        {3, 3, 2, 3, "444"},  {2, 3, 3, 2, "999"}, {4, 2, 4, 1, "88"}, {3, 3, 4, 3, ""},
        {1, 1, 0, 0, ""},     {7, 6, 8, 7, ""},    {2, 2, 4, 2, ""},   {1, 5, 0, 6, ""},
    };
    auto crossword = FootBallOf(9, 7, WriteDictionary({"мяч"}));
    for (const Case& c : cases) {
        TCoord run(9, 7);
        run.AddCell(c.x, c.y);
        run.AddCell(c.nx, c.ny);
        std::string text;
        crossword->SlotExtraText(run, text);
        EXPECT_EQ(text, c.run) << c.x << "," << c.y << " to " << c.nx << "," << c.ny;
        std::string pattern;
        const TWordLengthLimits limits = crossword->WordLengthLimits(run, pattern);
        EXPECT_EQ(limits.Max, static_cast<int>(c.run.size()) + 1);
        EXPECT_EQ(limits.Flag, !c.run.empty());
    }
    TCoord around(9, 7);
    crossword->ExtraCells(TCoord(3, 3, "", 9, 7), around);
    EXPECT_EQ(around.Count(), 7);  // all but the centre spot
    crossword->ExtraCells(TCoord(0, 2, "", 9, 7), around);
    EXPECT_EQ(around.Count(), 4);  // (1, 1), (1, 2), (1, 3) and the goal cell below
    // A standing slot on the whole run shortens the run by a cell.
    AddSlot(*crossword, 4, 2, "88");
    TCoord up(9, 7);
    up.AddCell(4, 2);
    up.AddCell(4, 1);
    std::string pattern;
    EXPECT_EQ(crossword->WordLengthLimits(up, pattern).Max, 2);
    EXPECT_EQ(pattern, "  ");
    // Runs stop at the longest word.
    auto tall = FootBallOf(9, 41, WriteDictionary({"мяч"}, "tall.wdi"));
    TCoord down(9, 41);
    down.AddCell(1, 0);
    down.AddCell(1, 1);
    std::string text;
    tall->SlotExtraText(down, text);
    EXPECT_EQ(text, std::string(24, '2'));
}

TEST_F(CrosswordTest, FootBallAnswersScoreGoalsOnlyInTheGoalColumns) {
    // A 9 x 7 pitch: centre (4, 3), goal columns 0 and 8.
    struct Case {
        int x, y;
        std::string path;
        std::string answer;
    };
    const Case cases[] = {
        {3, 3, "444", "???? (ГОЛ!)"},
        {5, 3, "666", "???? (ГОЛ!)"},
        {3, 3, "44", "???"},
        {5, 2, "66", "???"},
        {4, 2, "8888", "?????"},
    };
    for (const Case& c : cases) {
        auto crossword = FootBallOf(9, 7, WriteDictionary({"мяч"}));
        AddSlot(*crossword, c.x, c.y, c.path);
        EXPECT_EQ(crossword->BuildClueText({}), "~#1" + Cp(c.answer) + " ") << c.path;
    }
}

TEST_F(CrosswordTest, FootBallClueListsSplitTheMatchIntoHalves) {
    // 25 slots back and forth beside the centre: slot k starts where slot k - 1 ends.
    auto crossword = FootBallOf(9, 7, WriteDictionary({"мяч"}));
    for (int k = 0; k < 25; ++k) AddSlot(*crossword, 3, k % 2 == 0 ? 3 : 2, k % 2 == 0 ? "8" : "2");
    std::vector<int> order(25);
    std::iota(order.begin(), order.end(), 0);
    EXPECT_EQ(crossword->OrderedWords(0), order);

    TClueListOptions options;
    options.SplitDirections = true;
    options.Numbers = true;
    options.Count = true;
    options.OnePerLine = true;
    const std::string text = crossword->BuildClueText(options);
    const std::string second = "~#2" + Cp("Второй тайм:") + " ~#1\r\n";
    ASSERT_EQ(text.find("~#2" + Cp("Первый тайм:") + " ~#1\r\n~#1"), 0u);
    const std::size_t split = text.find(second);
    ASSERT_NE(split, std::string::npos);
    EXPECT_EQ(Occurrences(text.substr(0, split), "??\r\n"), 20u);
    EXPECT_EQ(Occurrences(text.substr(split), "??\r\n"), 5u);
    EXPECT_NE(text.find("~#220 ~#1??\r\n\r\n" + second + "~#1~#221 ~#1??"), std::string::npos);
}

TEST_F(CrosswordTest, FootBallOrderKicksOffAgainAfterAGoal) {
    auto crossword = FootBallOf(9, 7, WriteDictionary({"мяч"}));
    AddSlot(*crossword, 5, 3, "666");  // 0: scores
    AddSlot(*crossword, 8, 3, "44");   // 1: starts in the goal, never reached
    AddSlot(*crossword, 3, 4, "4");    // 2: the next kick-off
    AddSlot(*crossword, 2, 4, "9");    // 3: goes on from slot 2
    EXPECT_EQ(crossword->OrderedWords(0), (std::vector<int>{0, 2, 3}));
}

// Words run straight, each from the last cell of the one before or, at a new half and after a
// goal, from beside the centre; they are dictionary words standing once, spelt by the grid.
TEST_F(CrosswordTest, FootBallFillsPlayBothHalves) {
    const auto dictionary = DefaultDictionary();
    for (uint32_t seed = 1; seed <= 4; ++seed) {
        RandSeed(seed);
        auto crossword = FootBallOf(11, 15, DefaultDictionaryPath());
        crossword->FillParameters.TimeLimit = 60;
        int errCode = 99;
        TFillResult best;
        const std::string context = "seed " + std::to_string(seed);
        ASSERT_TRUE(crossword->Fill(0, 0, 11, 15, false, errCode, best)) << context;
        EXPECT_EQ(errCode, 0) << context;
        EXPECT_TRUE(crossword->IsComplete()) << context;
        EXPECT_TRUE(WordsStandInTheGrid(*crossword, *dictionary)) << context;
        const std::vector<int> match = crossword->OrderedWords(0);
        ASSERT_EQ(match.size(), 40u) << context;
        EXPECT_EQ(crossword->Words.Count(), 40) << context;
        for (std::size_t k = 0; k < match.size(); ++k) {
            const std::vector<FieldCell> cells = CellsOfSlot(*crossword, match[k]);
            ASSERT_GE(cells.size(), 2u) << context;
            const std::string path(crossword->Words.WordPath(match[k]));
            EXPECT_EQ(path, std::string(path.size(), path[0])) << context;
            for (const FieldCell& cell : cells) EXPECT_TRUE(crossword->Template->IsLetterCell(cell.x, cell.y)) << context;
            const bool kickOff = k % 20 == 0 || [&] {
                const FieldCell end = CellsOfSlot(*crossword, match[k - 1]).back();
                return end.x == 0 || end.x == crossword->Width - 1;
            }();
            if (kickOff) {
                EXPECT_LE(std::abs(cells[0].x - 5), 1) << context << " word " << k;
                EXPECT_LE(std::abs(cells[0].y - 7), 1) << context << " word " << k;
            } else {
                EXPECT_EQ(cells[0], CellsOfSlot(*crossword, match[k - 1]).back()) << context << " word " << k;
            }
        }
    }
}

TEST_F(CrosswordTest, AFootBallWithoutAKickOffEndsTheFill) {
    // Words longer than any run of a 5 x 3 pitch: no kick-off ever finds one.
    RandSeed(2);
    auto crossword = FootBallOf(5, 3, WriteDictionary({"корова", "собака"}));
    int errCode = 99;
    TFillResult best;
    EXPECT_FALSE(crossword->Fill(0, 0, 5, 3, false, errCode, best));
    EXPECT_EQ(errCode, FillError::Exhausted);
    // A pitch whose centre is walled in.
    auto walled = FootBallOf(9, 7, DefaultDictionaryPath());
    for (int x = 3; x <= 5; ++x)
        for (int y = 2; y <= 4; ++y) walled->Template->SetLetterCellOnly(x, y, false);
    EXPECT_FALSE(walled->Fill(0, 0, 9, 7, false, errCode, best));
    EXPECT_EQ(errCode, FillError::Exhausted);
    EXPECT_EQ(walled->FilledCount(), 0);
}

TEST_F(CrosswordTest, CancelAndTimeLimitEndTheFootBallFill) {
    const std::string dictionary = DefaultDictionaryPath();
    ExpectCancelAndTimeLimitEnd([&] { return FootBallOf(11, 15, dictionary); });
}
