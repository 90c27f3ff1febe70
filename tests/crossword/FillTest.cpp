#include "CrosswordFixture.h"

#include "platform/Clock.h"

#include <future>
#include <set>
#include <thread>

namespace {

// rows rows of three separate 3-letter slots, block rows between them.
GridPicture Comb(int rows) {
    GridPicture grid;
    for (int r = 0; r < rows; ++r) {
        if (r > 0) grid.push_back("###########");
        grid.push_back("...#...#...");
    }
    return grid;
}

// 40 three-letter words.
std::vector<std::string> CombWords() {
    std::vector<std::string> words;
    for (const char* first : {"б", "в", "г", "д"})
        for (const char* middle : {"а", "о"})
            for (const char* last : {"к", "л", "м", "н", "р"}) words.push_back(std::string(first) + middle + last);
    return words;
}

// The letters along a slot.
std::string SlotLetters(const TCrossword& crossword, int slot) {
    std::string letters;
    const TCoord cells = crossword.SlotCells(slot);
    for (const TCell& cell : cells.Cells()) letters += crossword.CellText(cell.x, cell.y);
    return letters;
}

// A grid that these words fill in two ways (one the other turned over its diagonal).
const GridPicture Knot = {"...#.", ".#...", "...#."};
const std::vector<std::string> KnotWords = {"дом", "дуб", "мир", "иск", "око", "бор", "кот", "лес", "сок"};

std::vector<std::string> PlacedWords(const TCrossword& crossword) {
    std::vector<std::string> words;
    for (int i = 0; i < crossword.Words.Count(); ++i)
        if (crossword.Words.SlotFilled(i)) words.emplace_back(crossword.Words.SlotWord(i));
    return words;
}

// Installs a Ui for the lifetime of the object and puts the previous one back after.
template <typename TUi>
class ScopedUi {
public:
    ScopedUi() {
        auto ui = std::make_unique<TUi>();
        mUi = ui.get();
        mPrevious = InstallUi(std::move(ui));
    }
    ~ScopedUi() { InstallUi(std::move(mPrevious)); }
    TUi* operator->() { return mUi; }

private:
    TUi* mUi;
    std::unique_ptr<Ui> mPrevious;
};

// Calls Hook at every message run of a fill (once every 25 passes).
class HookUi : public RecordingUi {
public:
    void ProcessMessages() override {
        if (Hook) Hook();
    }
    std::function<void()> Hook;
};

}  // namespace

TEST_F(CrosswordTest, FillPutsMatchingWordsInEverySlot) {
    auto crossword = Make(Knot, KnotWords);
    RandSeed(7);
    int errCode = 99;
    TFillResult best;
    ASSERT_TRUE(crossword->Fill(0, 0, crossword->Width, crossword->Height, false, errCode, best));
    EXPECT_EQ(errCode, 0);
    EXPECT_TRUE(crossword->IsComplete());
    EXPECT_EQ(crossword->Running, 0);
    EXPECT_EQ(best.Count(), crossword->Words.Count());
    for (int i = 0; i < crossword->Words.Count(); ++i)
        EXPECT_EQ(SlotLetters(*crossword, i), crossword->Words.SlotWord(i)) << "slot " << i;
    const std::vector<std::string> words = PlacedWords(*crossword);
    EXPECT_EQ(std::set<std::string>(words.begin(), words.end()).size(), words.size());
}

TEST_F(CrosswordTest, FillOfAFullGridSucceedsAtOnce) {
    auto crossword = Make({"...", ".##", ".##"}, {"дом", "дно"});
    ASSERT_EQ(crossword->PlaceWord(0, Cp("дом"), true), PutCode::Placed);
    ASSERT_EQ(crossword->PlaceWord(1, Cp("дно"), true), PutCode::Placed);
    int errCode = 99;
    TFillResult result;
    EXPECT_TRUE(crossword->FillBacktrack(0, 0, 3, 3, errCode, result));
    EXPECT_EQ(errCode, 0);
    EXPECT_TRUE(crossword->Fill(0, 0, 3, 3, false, errCode, result));
    EXPECT_EQ(PlacedWords(*crossword), (std::vector<std::string>{Cp("дом"), Cp("дно")}));
}

TEST_F(CrosswordTest, PreCheckNamesTheSlotWithoutCandidates) {
    // No 4-letter word at all for slot 2.
    auto crossword = Make({"...#....", ".#######", ".#######"}, {"дом", "дно"});
    int errCode = 99;
    TFillResult best;
    EXPECT_FALSE(crossword->Fill(0, 0, 8, 3, false, errCode, best));
    EXPECT_EQ(errCode, 2);
    EXPECT_EQ(crossword->FilledCount(), 0);

    // The only word that fits the down slot already stands in the grid.
    auto used = Make({"...", ".##", ".##"}, {"дом"});
    ASSERT_EQ(used->PlaceWord(0, Cp("дом"), true), PutCode::Placed);
    EXPECT_FALSE(used->Fill(0, 0, 3, 3, false, errCode, best));
    EXPECT_EQ(errCode, 1);
}

TEST_F(CrosswordTest, DisagreeingCrossingsExhaustTheSearch) {
    auto crossword = Make({"...", ".##", ".##"}, {"дом", "кит"});
    crossword->SetFixedLetter(1, 0, Cp("о"));  // the across slot takes only "дом"
    crossword->SetFixedLetter(0, 1, Cp("и"));  // the down slot takes only "кит"
    int errCode = 99;
    TFillResult best;
    EXPECT_FALSE(crossword->Fill(0, 0, 3, 3, false, errCode, best));
    EXPECT_EQ(errCode, FillError::Exhausted);
    EXPECT_EQ(best.Count(), 1);
    EXPECT_EQ(crossword->FilledCount(), 0);
    EXPECT_FALSE(crossword->IsWordUsed(Cp("дом")));
}

TEST_F(CrosswordTest, ClearingRunningFromAnotherThreadStopsTheFill) {
    struct GateUi : RecordingUi {
        std::promise<void> Reached;
        std::shared_future<void> Release;
        bool Passed = false;
        void ProcessMessages() override {
            if (Passed) return;
            Passed = true;
            Reached.set_value();
            Release.wait();
        }
    };
    ScopedUi<GateUi> gate;
    std::promise<void> release;
    gate->Release = release.get_future().share();
    std::future<void> reached = gate->Reached.get_future();

    auto crossword = Make(Comb(10), CombWords());
    int errCode = 99;
    TFillResult best;
    bool filled = true;
    std::thread fill([&] { filled = crossword->Fill(0, 0, 11, 19, false, errCode, best); });
    reached.wait();  // the fill is 25 passes in and waits
    EXPECT_EQ(crossword->Running, 1);
    crossword->Running = 0;
    release.set_value();
    fill.join();
    EXPECT_FALSE(filled);
    EXPECT_EQ(errCode, FillError::Stopped);
    EXPECT_EQ(crossword->Running, 0);
    EXPECT_EQ(crossword->FilledCount(), 25);
}

TEST_F(CrosswordTest, TwoFillsNeverRepeatAWord) {
    auto crossword = Make(Comb(5), CombWords());
    int errCode = 0;
    TFillResult best;
    ASSERT_TRUE(crossword->Fill(0, 0, 11, 9, false, errCode, best));
    const std::vector<std::string> first = PlacedWords(*crossword);
    crossword->PrepareForFill();
    ASSERT_TRUE(crossword->Fill(0, 0, 11, 9, false, errCode, best));
    const std::vector<std::string> second = PlacedWords(*crossword);
    std::set<std::string> all(first.begin(), first.end());
    all.insert(second.begin(), second.end());
    EXPECT_EQ(all.size(), 30u);
}

TEST_F(CrosswordTest, EveryAttemptStartsFromTheGridAsItWas) {
    ManualClock clock;
    ScopedUi<HookUi> ui;
    auto crossword = Make(Comb(10), CombWords());
    std::vector<int> filledAtMessages;
    ui->Hook = [&] {
        filledAtMessages.push_back(crossword->FilledCount());
        clock.Advance(2000);  // past the one-second limit
    };
    crossword->FillParameters.Attempts = 3;
    crossword->FillParameters.TimeLimit = 1;
    int errCode = 99;
    TFillResult best;
    EXPECT_FALSE(crossword->Fill(0, 0, 11, 19, false, errCode, best));
    EXPECT_EQ(errCode, FillError::TimeLimit);
    EXPECT_EQ(filledAtMessages, (std::vector<int>{25, 25, 25}));
    EXPECT_EQ(best.Count(), 25);
}

TEST_F(CrosswordTest, RandomRestartEndsFurtherAttemptsAtOnce) {
    ManualClock clock;
    ScopedUi<HookUi> ui;
    int messageRuns = 0;
    ui->Hook = [&] {
        ++messageRuns;
        clock.Advance(2000);
    };
    auto crossword = Make(Comb(10), CombWords());
    crossword->FillParameters.FillMethod = TFillMethod::RandomRestart;
    crossword->FillParameters.Attempts = 3;
    crossword->FillParameters.TimeLimit = 1;
    int errCode = 99;
    TFillResult best;
    EXPECT_FALSE(crossword->Fill(0, 0, 11, 19, false, errCode, best));
    EXPECT_EQ(errCode, FillError::Stopped);
    EXPECT_EQ(messageRuns, 1);
    EXPECT_EQ(crossword->Running, 0);
}

TEST_F(CrosswordTest, RandomRestartFillsAGrid) {
    auto crossword = Make({"...", ".##", ".##"}, {"дом", "дно", "кот", "мир", "лес", "сок"});
    crossword->FillParameters.FillMethod = TFillMethod::RandomRestart;
    RandSeed(3);
    int errCode = 99;
    TFillResult best;
    ASSERT_TRUE(crossword->Fill(0, 0, 3, 3, false, errCode, best));
    for (int i = 0; i < crossword->Words.Count(); ++i)
        EXPECT_EQ(SlotLetters(*crossword, i), crossword->Words.SlotWord(i)) << "slot " << i;
}

TEST_F(CrosswordTest, FillKeepsToTheRectangle) {
    auto crossword = Make(Comb(3), CombWords());
    int errCode = 99;
    TFillResult best;
    ASSERT_TRUE(crossword->Fill(4, 0, 10, 2, false, errCode, best));
    EXPECT_EQ(Letters(*crossword)[0].substr(0, 4), "...#");
    EXPECT_EQ(crossword->FilledCount(), 4);  // (4, 0), (8, 0), (4, 2) and (8, 2)
}

TEST_F(CrosswordTest, ListWordsArePlacedFirst) {
    for (const uint8_t ordered : {0, 1}) {
        auto crossword = Make(Comb(3), CombWords());
        crossword->FillParameters.FillMethod = TFillMethod::WordList;
        crossword->FillParameters.WordListOrdered = ordered;
        crossword->FillParameters.WordList = {Cp("бак"), Cp("дом")};
        int errCode = 99;
        TFillResult best;
        ASSERT_TRUE(crossword->Fill(0, 0, 11, 5, false, errCode, best)) << "ordered " << int(ordered);
        EXPECT_TRUE(crossword->IsComplete());
        EXPECT_TRUE(crossword->IsWordUsed(Cp("бак")));
        EXPECT_TRUE(crossword->IsWordUsed(Cp("дом")));

        // A list word that fits no slot is named by its index in the list.
        crossword->PrepareForFill();
        crossword->FillParameters.WordList = {Cp("гол"), Cp("кошка")};
        EXPECT_FALSE(crossword->Fill(0, 0, 11, 5, false, errCode, best));
        EXPECT_EQ(errCode, FillError::ListWordBase + 1);
    }
}

TEST_F(CrosswordTest, AListWordAlreadyUsedIsReportedNotRetried) {
    auto crossword = Make(Comb(2), CombWords());
    crossword->FillParameters.FillMethod = TFillMethod::WordList;
    crossword->FillParameters.WordList = {Cp("бак")};
    int errCode = 99;
    TFillResult best;
    ASSERT_TRUE(crossword->Fill(0, 0, 11, 3, false, errCode, best));
    crossword->PrepareForFill();  // "бак" stays used by the earlier puzzle
    EXPECT_FALSE(crossword->Fill(0, 0, 11, 3, false, errCode, best));
    EXPECT_EQ(errCode, FillError::ListWordBase + 0);
}

TEST_F(CrosswordTest, SavedStateRestoresWordsAndTheirRecords) {
    auto crossword = Make({"...#...", "#######", "...#..."}, {"дом", "кот", "лес"});
    ASSERT_EQ(crossword->PlaceWord(1, Cp("кот"), true), PutCode::Placed);
    crossword->Words.SetSlotLocked(1, true);
    crossword->Words.SetSlotDefinition(1, Cp("зверь"));
    crossword->Words.SetSlotHasDefinition(1, true);
    TFillResult saved;
    crossword->SaveState(saved);
    ASSERT_EQ(saved.Count(), 1);
    EXPECT_EQ(saved.Record(0), std::string("11\0", 3) + std::string("\x03\0\0\0\x05\0\0\0", 8) + Cp("кот") +
                                   Cp("зверь") + "40" "66");

    crossword->ClearWords(0, 0, 6, 2, true);
    ASSERT_EQ(crossword->PlaceWord(0, Cp("дом"), true), PutCode::Placed);
    ASSERT_TRUE(crossword->RestoreState(saved));
    EXPECT_EQ(Letters(*crossword), (GridPicture{"...#кот", "#######", "...#..."}));
    EXPECT_TRUE(crossword->Words.SlotLocked(1));
    EXPECT_EQ(crossword->Words.SlotDefinition(1), Cp("зверь"));

    TFillResult elsewhere;
    elsewhere.Add(TFillResult::MakeRecord(false, false, 0, Cp("лес"), "", 1, 1, "66"));
    EXPECT_FALSE(crossword->RestoreState(elsewhere));
    EXPECT_EQ(crossword->FilledCount(), 0);
}
