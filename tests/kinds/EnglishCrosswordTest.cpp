#include "kinds/EnglishCrossword.h"

#include "../crossword/CrosswordFixture.h"
#include "../crossword/FillFixture.h"
#include "FieldCheck.h"

#include "platform/Clock.h"

namespace {

std::unique_ptr<TEnglishCrossword> WordFieldOf(int width, int height, const std::string& dictionary) {
    auto crossword = std::make_unique<TEnglishCrossword>();
    crossword->Dictionary.ShowProgress = false;
    EXPECT_TRUE(crossword->LoadDictionary(dictionary));
    crossword->SetWidth(width);
    crossword->SetHeight(height);
    DrawGrid(*crossword->Template, GridPicture(height, std::string(width, '.')));
    crossword->PrepareForFill();
    return crossword;
}

int EmptyLetterCells(const TCrossword& crossword) {
    int count = 0;
    for (int x = 0; x < crossword.Width; ++x)
        for (int y = 0; y < crossword.Height; ++y)
            if (crossword.Template->IsLetterCell(x, y) && crossword.IsCellEmpty(x, y)) ++count;
    return count;
}

// Every word lies straight over letter cells.
::testing::AssertionResult StraightWords(const TCrossword& crossword) {
    for (int i = 0; i < crossword.Words.Count(); ++i) {
        const std::string path(crossword.Words.WordPath(i));
        if (path.empty() || path != std::string(path.size(), path[0]))
            return ::testing::AssertionFailure() << "slot " << i << " bends: " << path;
        for (const FieldCell& cell : CellsOfSlot(crossword, i))
            if (!crossword.Template->IsLetterCell(cell.x, cell.y))
                return ::testing::AssertionFailure() << "slot " << i << " leaves the field";
    }
    return ::testing::AssertionSuccess();
}

}  // namespace

TEST_F(CrosswordTest, WordFieldStartsAsItsKindSays) {
    const TEnglishCrossword crossword;
    EXPECT_EQ(crossword.TargetWords, 30);
    EXPECT_EQ(crossword.FillWhole, 1);
    EXPECT_TRUE(crossword.Chars.FillEmpty);
    EXPECT_TRUE(crossword.Unformatted);
    EXPECT_FALSE(crossword.IsComplete());
}

// The fill is given the far corner (Width, Height) as the base driver passes it.
TEST_F(CrosswordTest, WordFieldFillCoversEveryLetterCell) {
    const auto dictionary = DefaultDictionary();
    struct Case {
        int width, height;
        uint32_t seed;
    };
    for (const Case c : {Case{10, 10, 1}, Case{10, 10, 2}, Case{7, 5, 3}, Case{1, 6, 4}}) {
        RandSeed(c.seed);
        auto crossword = WordFieldOf(c.width, c.height, DefaultDictionaryPath());
        crossword->FillParameters.TimeLimit = 60;
        int errCode = 99;
        TFillResult best;
        const std::string context = std::to_string(c.width) + "x" + std::to_string(c.height);
        ASSERT_TRUE(crossword->Fill(0, 0, c.width, c.height, false, errCode, best)) << context;
        EXPECT_EQ(errCode, 0) << context;
        EXPECT_EQ(EmptyLetterCells(*crossword), 0) << context;
        EXPECT_TRUE(StraightWords(*crossword)) << context;
        EXPECT_TRUE(WordsStandInTheGrid(*crossword, *dictionary)) << context;
    }
}

TEST_F(CrosswordTest, WordFieldPrefersAWordTowardsAnEmptyNeighbour) {
    // From (2, 0) the word fits both ways, once over the fixed "о" and once into empty cells.
    for (uint32_t seed = 1; seed <= 8; ++seed) {
        RandSeed(seed);
        auto crossword = Make<TEnglishCrossword>({"....."}, {"сок"});
        crossword->SetFixedLetter(1, 0, Cp("о"));
        crossword->FillWhole = 0;
        crossword->TargetWords = 1;
        crossword->Running = 1;
        int errCode = 99;
        TFillResult best;
        ASSERT_TRUE(crossword->FillSpecial(2, 0, 2, 0, errCode, best)) << "seed " << seed;
        ASSERT_EQ(crossword->Words.Count(), 1);
        EXPECT_EQ(crossword->Words.WordX(0), 2);
        EXPECT_EQ(crossword->Words.WordPath(0), "66") << "seed " << seed;
    }
}

TEST_F(CrosswordTest, WordFieldStopsAtItsTargetLeavingCellsForTheExport) {
    RandSeed(7);
    auto crossword = WordFieldOf(10, 10, DefaultDictionaryPath());
    crossword->FillWhole = 0;
    crossword->TargetWords = 3;
    int errCode = 99;
    TFillResult best;
    ASSERT_TRUE(crossword->Fill(0, 0, 10, 10, false, errCode, best));
    EXPECT_EQ(errCode, 0);
    EXPECT_EQ(crossword->FilledCount(), 3);
    EXPECT_GT(EmptyLetterCells(*crossword), 0);
}

// Room is made by taking words out; a Locked word stays, and keeps its place in the shuffled list.
TEST_F(CrosswordTest, WordFieldKeepsALockedWord) {
    for (uint32_t seed = 1; seed <= 3; ++seed) {
        RandSeed(seed);
        auto crossword = WordFieldOf(6, 6, DefaultDictionaryPath());
        int slot = -1;
        ASSERT_EQ(crossword->PutWordAtCoord(TCoord(0, 0, "3333", 6, 6), Cp("столб"), {}, slot), PutCode::Placed);
        crossword->Words.SetSlotLocked(slot, true);
        const std::string record = crossword->Words.Entry(slot);
        crossword->FillParameters.TimeLimit = 60;
        int errCode = 99;
        TFillResult best;
        ASSERT_TRUE(crossword->Fill(0, 0, 6, 6, false, errCode, best)) << "seed " << seed;
        ASSERT_GT(crossword->Words.Count(), slot);
        EXPECT_EQ(crossword->Words.Entry(slot), record) << "seed " << seed;
        EXPECT_EQ(EmptyLetterCells(*crossword), 0);
    }
}

// Fills that could never end: a letter cell with no letter neighbour is never covered (with
// FillWhole on the fill gives up at once), and room-making beside it has nothing to draw from.
TEST_F(CrosswordTest, WordFieldFillsEndBesideALoneCell) {
    const GridPicture lone = {"...#.", "...##", "....."};
    {
        auto crossword = Make<TEnglishCrossword>(lone, {"сок", "кот", "ток"});
        int errCode = 99;
        TFillResult best;
        EXPECT_FALSE(crossword->Fill(0, 0, 5, 3, false, errCode, best));
        EXPECT_EQ(errCode, FillError::Exhausted);
        EXPECT_EQ(crossword->FilledCount(), 0);
    }
    {
        RandSeed(3);
        const ClockAtMessageRuns clock(1000);
        auto crossword = Make<TEnglishCrossword>(lone, {"сок", "кот", "ток"});
        crossword->FillWhole = 0;
        crossword->FillParameters.TimeLimit = 2;
        int errCode = 99;
        TFillResult best;
        EXPECT_FALSE(crossword->Fill(0, 0, 5, 3, false, errCode, best));
        EXPECT_EQ(errCode, FillError::TimeLimit);
    }
    // No letter cell at all: nothing to cover, nothing to shuffle.
    auto blank = Make<TEnglishCrossword>({"##", "##"}, {"сок"});
    int errCode = 99;
    TFillResult best;
    EXPECT_TRUE(blank->Fill(0, 0, 2, 2, false, errCode, best));
    EXPECT_EQ(blank->Words.Count(), 0);
}

TEST_F(CrosswordTest, CancelAndTimeLimitEndTheWordFieldFill) {
    const std::string dictionary = DefaultDictionaryPath();
    ExpectCancelAndTimeLimitEnd([&] { return WordFieldOf(15, 15, dictionary); });
}
