// The honeycomb crosswords: one slot per numbered centre, the centre letter where the ring mode
// puts it, the closed-ring rule of the centre, ring, centre mode and fills of both kinds.

#include "kinds/Honey.h"

#include "../crossword/FillFixture.h"

#include "platform/Text.h"

#include <gtest/gtest.h>

namespace {

class HoneyTest : public CrosswordTest {
protected:
    // rows: "#" blank, "." letter cell, "o" a centre with its default start.
    template <class TKind>
    std::unique_ptr<TKind> Make(const std::vector<std::string>& rows, int mode,
                                const std::vector<std::string>& utf8Words) {
        auto crossword = std::make_unique<TKind>();
        crossword->Dictionary.ShowProgress = false;
        EXPECT_TRUE(crossword->LoadDictionary(WriteDictionary(utf8Words)));
        crossword->SetWidth(static_cast<int>(rows[0].size()));
        crossword->SetHeight(static_cast<int>(rows.size()));
        TBaseHoneyShablon& honey = crossword->Honey();
        honey.RingMode = static_cast<uint8_t>(mode);
        for (int y = 0; y < honey.Height; ++y)
            for (int x = 0; x < honey.Width; ++x) {
                honey.SetLetterCellOnly(x, y, rows[y][x] == '.');
                if (rows[y][x] == 'o') honey.SetStartDirection(x, y, honey.Kind == TShablonKind::Honey ? 0 : 4);
            }
        honey.NumberCells();
        crossword->PrepareForFill();
        return crossword;
    }
};

TEST_F(HoneyTest, EveryNumberedCentreGivesOneRingSlot) {
    auto hex = Make<THoney>({".....", ".o.o.", ".....", "o...."}, 0, {"абвгде"});
    ASSERT_EQ(hex->Words.Count(), 2);
    EXPECT_EQ(hex->Words.WordLength(0), 6);
    EXPECT_EQ((std::pair{hex->Words.WordX(0), hex->Words.WordY(0)}), (std::pair{0, 1}));
    EXPECT_EQ((std::pair{hex->Words.WordX(1), hex->Words.WordY(1)}), (std::pair{2, 1}));
    EXPECT_EQ(hex->CluesInGrid, 1);
    EXPECT_TRUE(hex->BuildDirectionClues({}).empty());
}

TEST_F(HoneyTest, FillsPutTheCentreLetterWhereTheModeSays) {
    const std::vector<std::string> square = {"...", ".o.", "..."};
    struct TCase {
        int Mode;
        std::string Word;
        int CentreAt;  // index of the centre's letter in the word, -1 none
    };
    const TCase cases[] = {
        {0, "абвгдежз", -1},
        {1, "абвгдежзи", 0},
        {2, "абвгдежзи", 8},
        {3, "абвгдежзиа", 0},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Mode);
        ScopedRecordingUi ui;
        auto crossword = Make<THoney_8>(square, c.Mode, {c.Word});
        ASSERT_EQ(crossword->Words.Count(), 1);
        crossword->FillParameters.TimeLimit = 20;
        int errCode = 0;
        TFillResult best;
        ASSERT_TRUE(crossword->Fill(0, 0, 2, 2, false, errCode, best)) << errCode;
        const std::string word = FromUtf8(c.Word);
        EXPECT_EQ(SlotLetters(*crossword, 0), word);
        // The ring starts at the left neighbour and runs clockwise.
        const std::string ring = c.Mode == 1 || c.Mode == 3 ? word.substr(1, 8) : word.substr(0, 8);
        EXPECT_EQ(crossword->CellText(0, 1) + crossword->CellText(0, 0) + crossword->CellText(1, 0), ring.substr(0, 3));
        if (c.CentreAt >= 0) { EXPECT_EQ(crossword->CellText(1, 1), word.substr(c.CentreAt, 1)); }
    }
}

TEST_F(HoneyTest, ClosedRingModeRefusesWordsWithDifferentEnds) {
    auto crossword = Make<THoney_8>({"...", ".o.", "..."}, 3, {"абвгдежзиа", "абвгдежзик"});
    EXPECT_EQ(crossword->TryPutWord(0, FromUtf8("абвгдежзик"), {}), PutCode::RingEnds);
    EXPECT_FALSE(crossword->Words.SlotFilled(0));
    EXPECT_EQ(crossword->TryPutWord(0, FromUtf8("абвгдежзиа"), {}), PutCode::Placed);
}

TEST_F(HoneyTest, ClosedRingFillUsesOnlyClosingWordsAndGivesTheOthersBack) {
    ScopedRecordingUi ui;
    const std::vector<std::string> words = {"абвгдежзик", "бвгдежзикл", "вгдежзиклв", "гдежзиклмн"};
    auto crossword = Make<THoney_8>({"...", ".o.", "..."}, 3, words);
    crossword->FillParameters.TimeLimit = 20;
    int errCode = 0;
    TFillResult best;
    ASSERT_TRUE(crossword->Fill(0, 0, 2, 2, false, errCode, best)) << errCode;
    EXPECT_EQ(ToUtf8(std::string(crossword->Words.SlotWord(0))), "вгдежзиклв");
    for (const std::string& word : words) {
        int i = 0;
        ASSERT_TRUE(crossword->Dictionary.Find(FromUtf8(word), i));
        EXPECT_EQ(crossword->Dictionary.EntryCategory(i),
                  word == "вгдежзиклв" ? WordCategory::Unavailable : WordCategory::Ordinary)
            << word;
    }
    // With no closing word the fill fails and still gives every word back.
    auto hopeless = Make<THoney_8>({"...", ".o.", "..."}, 3, {"абвгдежзик", "бвгдежзикл"});
    hopeless->FillParameters.TimeLimit = 5;
    EXPECT_FALSE(hopeless->Fill(0, 0, 2, 2, false, errCode, best));
    for (int i = 0; i < hopeless->Dictionary.Count(); ++i)
        EXPECT_EQ(hopeless->Dictionary.EntryCategory(i), WordCategory::Ordinary);
}

// Two hexagon rings share one cell; with the first ring's start turned away no word pair
// agrees there, so only turning rings fills the grid. Words without a common letter never agree.
TEST_F(HoneyTest, TurningRingsFillsAStuckTemplateAndStopsAtTheTimeLimit) {
    struct TCase {
        std::vector<std::string> Words;
        int TimeLimit;
        bool Filled;
    };
    const TCase cases[] = {
        {{"абвгде", "гзиклм"}, 20, true},
        {{"абвгде", "жзиклм"}, 1, false},
    };
    for (const TCase& c : cases) {
        ScopedRecordingUi ui;
        auto crossword = Make<THoney>({".....", ".o.o.", "....."}, 0, c.Words);
        crossword->Honey().SetStartDirection(1, 1, 1);
        crossword->Honey().NumberCells();
        crossword->PrepareForFill();
        crossword->FillParameters.FillMethod = TFillMethod::Default;
        crossword->FillParameters.TimeLimit = c.TimeLimit;
        int errCode = 0;
        TFillResult best;
        EXPECT_EQ(crossword->Fill(0, 0, 4, 2, false, errCode, best), c.Filled) << errCode;
        if (!c.Filled) {
            EXPECT_EQ(errCode, FillError::TimeLimit);
            continue;
        }
        // Every word lies on the ring its slot now has.
        TShablonWords through;
        for (const auto& [x, y] : std::vector<std::pair<int, int>>{{1, 1}, {3, 1}}) {
            crossword->Honey().WordsThroughCell(x, y, through);
            const int slot = crossword->Words.FindSlot(through.WordX(0), through.WordY(0), through.WordPath(0));
            ASSERT_GE(slot, 0);
            ASSERT_TRUE(crossword->Words.SlotFilled(slot));
            EXPECT_EQ(SlotLetters(*crossword, slot), std::string(crossword->Words.SlotWord(slot)));
        }
    }
}

}  // namespace
