#include "FillFixture.h"

#include "template/ClassicShablon.h"

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
    for (const TFillMethod method : {TFillMethod::Backtrack, TFillMethod::Propagate}) {
        auto crossword = Make(Comb(10), CombWords());
        crossword->FillParameters.FillMethod = method;
        int errCode = 99;
        TFillResult best;
        bool filled = true;
        AtFirstMessageRun([&] { filled = crossword->Fill(0, 0, 11, 19, false, errCode, best); },
                          [&] {
                              EXPECT_EQ(crossword->Running, 1);
                              crossword->Running = 0;
                          });
        const std::string context = "method " + std::to_string(static_cast<int>(method));
        EXPECT_FALSE(filled) << context;
        EXPECT_EQ(errCode, FillError::Stopped) << context;
        EXPECT_EQ(crossword->Running, 0) << context;
        EXPECT_EQ(crossword->FilledCount(), 25) << context;
        EXPECT_EQ(best.Count(), 25) << context;
    }
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
    const ClockAtMessageRuns clock(2000);
    auto crossword = Make(Comb(10), CombWords());
    crossword->FillParameters.FillMethod = TFillMethod::RandomRestart;
    crossword->FillParameters.Attempts = 3;
    crossword->FillParameters.TimeLimit = 1;
    int errCode = 99;
    TFillResult best;
    EXPECT_FALSE(crossword->Fill(0, 0, 11, 19, false, errCode, best));
    EXPECT_EQ(errCode, FillError::Stopped);
    EXPECT_EQ(clock.Runs(), 1);
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

namespace {

// The methods a test runs: each with its fill parameters set on a crossword.
struct FillMethodCase {
    const char* name;
    TFillMethod method;
    uint8_t ordered;  // the word-list methods: place the list in order
};
constexpr FillMethodCase EveryMethod[] = {
    {"default", TFillMethod::Default, 0},      {"random restart", TFillMethod::RandomRestart, 0},
    {"backtrack", TFillMethod::Backtrack, 0},  {"word list", TFillMethod::WordList, 0},
    {"ordered word list", TFillMethod::WordList, 1}, {"propagate", TFillMethod::Propagate, 0},
};

void UseMethod(TCrossword& crossword, const FillMethodCase& method) {
    crossword.FillParameters.FillMethod = method.method;
    crossword.FillParameters.WordListOrdered = method.ordered;
}

// A kind with its own placing rules: it refuses one word, and counts the words it placed and
// took out, so a test sees whether the fill went through its operations.
class TPickyCrossword : public TCrossword {
public:
    TPickyCrossword() : TCrossword(TCrosswordKind::Classic, std::make_unique<TClassicShablon>(1, 1)) {}

    int PlaceWord(int slot, std::string_view word, bool checkRelated) override {
        if (word == Refused) return PutCode::Unavailable;
        const int code = TCrossword::PlaceWord(slot, word, checkRelated);
        if (code == PutCode::Placed) ++Placed;
        return code;
    }
    void RemoveWord(int slot) override {
        if (slot >= 0 && slot < Words.Count() && Words.SlotFilled(slot)) ++Removed;
        TCrossword::RemoveWord(slot);
    }

    std::string Refused;
    int Placed = 0;
    int Removed = 0;
};

// Across slots in rows 0 and 2 that share their first letters with a down slot; the middle
// letters of the across slots are fixed to "а" by the tests.
const GridPicture Ladder = {"...", ".##", "..."};
const std::vector<std::string> LadderWords = {"кот", "кап", "таз", "мак", "мох"};

}  // namespace

TEST_F(CrosswordTest, EveryMethodPlacesThroughTheKindsOperations) {
    // The words fill the knot in two ways; only one of them does without "иск".
    for (const FillMethodCase& method : EveryMethod) {
        for (const uint32_t seed : {1u, 2u, 3u}) {
            auto crossword = Make<TPickyCrossword>(Knot, KnotWords);
            crossword->Refused = Cp("иск");
            UseMethod(*crossword, method);
            crossword->FillParameters.WordList = {Cp("бор")};
            RandSeed(seed);
            int errCode = 99;
            TFillResult best;
            const bool filled = crossword->Fill(0, 0, crossword->Width, crossword->Height, false, errCode, best);
            const std::string context = std::string(method.name) + ", seed " + std::to_string(seed);
            EXPECT_FALSE(crossword->IsWordUsed(Cp("иск"))) << context;
            EXPECT_EQ(crossword->Placed - crossword->Removed, crossword->FilledCount()) << context;
            // Random restart gives up at the first refusal; every other method finds the other way.
            if (method.method == TFillMethod::RandomRestart) continue;
            EXPECT_TRUE(filled) << context;
            EXPECT_TRUE(SoundFill(*crossword, KnotWords)) << context;
        }
    }
}

TEST_F(CrosswordTest, TheKindsOperationsAndTheGridGiveTheSameSearch) {
    // The classic kind fills on the grid directly, the test kind through its operations: with
    // the same seed both take the same course. Without "око" the knot cannot be filled, and
    // the backtracking search gets some way first.
    std::vector<std::string> withoutOko = KnotWords;
    std::erase(withoutOko, "око");
    for (const TFillMethod method : {TFillMethod::Backtrack, TFillMethod::Propagate}) {
        for (const auto& words : {KnotWords, withoutOko}) {
            for (const uint32_t seed : {1u, 5u}) {
                auto classic = Make(Knot, words);
                auto kind = Make<TPickyCrossword>(Knot, words);
                int classicCode = 99, kindCode = 99;
                TFillResult classicBest, kindBest;
                classic->FillParameters.FillMethod = kind->FillParameters.FillMethod = method;
                RandSeed(seed);
                const bool classicFilled = classic->Fill(0, 0, 5, 3, false, classicCode, classicBest);
                RandSeed(seed);
                const bool kindFilled = kind->Fill(0, 0, 5, 3, false, kindCode, kindBest);
                const std::string context = "method " + std::to_string(static_cast<int>(method)) + ", " +
                                            std::to_string(words.size()) + " words, seed " + std::to_string(seed);
                EXPECT_EQ(classicFilled, words.size() == KnotWords.size()) << context;
                EXPECT_EQ(kindFilled, classicFilled) << context;
                EXPECT_EQ(kindCode, classicCode) << context;
                EXPECT_EQ(Letters(*kind), Letters(*classic)) << context;
                if (method == TFillMethod::Backtrack) { EXPECT_GT(classicBest.Count(), 0) << context; }
                ASSERT_EQ(kindBest.Count(), classicBest.Count()) << context;
                for (int i = 0; i < classicBest.Count(); ++i) EXPECT_EQ(kindBest.Record(i), classicBest.Record(i));
            }
        }
    }
}

TEST_F(CrosswordTest, TimeLimitsCountFromTheStart) {
    // The clock moves once, at the message run after 25 passes; the fill has 30 slots (28 list
    // words and 2 more for the word-list method). limit counts whole seconds, limitMs
    // milliseconds; 0 is none.
    struct Case {
        int limit;
        int limitMs;
        uint32_t advance;
        bool stops;
    };
    constexpr Case cases[] = {
        {1, 0, 999, false},          {1, 0, 1000, true},          {2, 0, 1999, false},
        {3600, 0, 3'600'000, true},  {5000, 0, 4'000'000, false}, {5000, 0, 5'000'000, true},
        {0, 50, 49, false},          {0, 50, 50, true},           {2, 1500, 1000, false},
        {1, 1500, 1000, true},       {0, 1500, 1500, true},
    };
    for (const FillMethodCase& method : EveryMethod) {
        for (const Case& c : cases) {
            const ClockAtMessageRuns clock(c.advance);
            auto crossword = Make(Comb(10), CombWords());
            UseMethod(*crossword, method);
            if (method.method == TFillMethod::WordList) {
                for (int k = 0; k < 28; ++k) crossword->FillParameters.WordList.push_back(Cp(CombWords()[k]));
                crossword->FillParameters.ListTimeLimit = c.limit;
            } else {
                crossword->FillParameters.TimeLimit = c.limit;
            }
            crossword->FillParameters.TimeLimitMs = c.limitMs;
            int errCode = 99;
            TFillResult best;
            const bool filled = crossword->Fill(0, 0, 11, 19, false, errCode, best);
            const std::string context = std::string(method.name) + ": " + std::to_string(c.limit) + " s, " +
                                        std::to_string(c.limitMs) + " ms, " + std::to_string(c.advance) + " ms";
            if (c.stops) {
                EXPECT_FALSE(filled) << context;
                EXPECT_EQ(errCode, FillError::TimeLimit) << context;
                EXPECT_EQ(crossword->FilledCount(), 25) << context;
                EXPECT_GE(best.Count(), 24) << context;  // the ordered list saves before it places
            } else {
                EXPECT_TRUE(filled) << context;
            }
        }
    }
}

TEST_F(CrosswordTest, TheTimeLimitEndsAHopelessFill) {
    // 42 slots and 40 words: the searching methods cannot tell, and search on until their time
    // is up (random restart gives up by itself when a slot has no word left).
    for (const FillMethodCase& method : EveryMethod) {
        if (method.method == TFillMethod::WordList || method.method == TFillMethod::RandomRestart) continue;
        const ClockAtMessageRuns clock(400);
        auto crossword = Make(Comb(14), CombWords());
        UseMethod(*crossword, method);
        crossword->FillParameters.TimeLimit = 2;
        int errCode = 99;
        TFillResult best;
        EXPECT_FALSE(crossword->Fill(0, 0, 11, 27, false, errCode, best)) << method.name;
        EXPECT_EQ(errCode, FillError::TimeLimit) << method.name;
        EXPECT_EQ(clock.Runs(), 5) << method.name;  // stopped at the first pass past 2 seconds
        EXPECT_GE(best.Count(), 39) << method.name;
    }
}

TEST_F(CrosswordTest, ListWordsTakeTheirPlaceOnCrossingSlots) {
    // "кот" fits the down slot and the bottom slot, "кап" the top slot and the bottom slot; only
    // "кот" down and "кап" on top leave the bottom slot a word, so a wrong first choice must be
    // taken back.
    for (const uint8_t ordered : {0, 1}) {
        for (uint32_t seed = 1; seed <= 8; ++seed) {
            auto crossword = Make(Ladder, LadderWords);
            crossword->SetFixedLetter(1, 0, Cp("а"));
            crossword->FillParameters.FillMethod = TFillMethod::WordList;
            crossword->FillParameters.WordListOrdered = ordered;
            crossword->FillParameters.WordList = {Cp("кот"), Cp("кап")};
            RandSeed(seed);
            int errCode = 99;
            TFillResult best;
            const std::string context = "ordered " + std::to_string(ordered) + ", seed " + std::to_string(seed);
            ASSERT_TRUE(crossword->Fill(0, 0, 3, 3, false, errCode, best)) << context;
            EXPECT_EQ(Letters(*crossword), (GridPicture{"кап", "о##", "таз"})) << context;
        }
    }
}

TEST_F(CrosswordTest, ListWordsThatCannotStandTogether) {
    // "кот" fits only the down slot, and then "мак" fits nowhere.
    const auto make = [&](uint8_t ordered) {
        auto crossword = Make(Ladder, LadderWords);
        crossword->SetFixedLetter(1, 0, Cp("а"));
        crossword->SetFixedLetter(1, 2, Cp("а"));
        crossword->FillParameters.FillMethod = TFillMethod::WordList;
        crossword->FillParameters.WordListOrdered = ordered;
        crossword->FillParameters.WordList = {Cp("кот"), Cp("мак")};
        return crossword;
    };
    int errCode = 99;
    TFillResult best;
    // In order, the search comes back to its first word with nothing left.
    EXPECT_FALSE(make(1)->Fill(0, 0, 3, 3, false, errCode, best));
    EXPECT_EQ(errCode, FillError::Exhausted);

    // At random, the words are placed and taken back until the list's time is up.
    const ClockAtMessageRuns clock(1000);
    auto crossword = make(0);
    crossword->FillParameters.ListTimeLimit = 3;
    EXPECT_FALSE(crossword->Fill(0, 0, 3, 3, false, errCode, best));
    EXPECT_EQ(errCode, FillError::TimeLimit);
    EXPECT_EQ(clock.Runs(), 3);
    EXPECT_EQ(best.Count(), 1);
}

TEST_F(CrosswordTest, AGridOfMoreThan3000SlotsFills) {
    // 800 rings of four 3-letter slots, 200 cells wide; every 3-letter word over 16 letters.
    GridPicture grid;
    for (int ring = 0; ring < 16; ++ring)
        for (const char* row : {"...#", ".#.#", "...#", "####"}) {
            std::string line;
            for (int k = 0; k < 50; ++k) line += row;
            grid.push_back(line);
        }
    const std::vector<std::string> words = WordsOver(
        {"а", "б", "в", "г", "д", "е", "ж", "з", "и", "к", "л", "м", "н", "о", "п", "р"}, 3, 4096, 1);
    auto crossword = Make(grid, words);
    ASSERT_EQ(crossword->Words.Count(), 3200);
    RandSeed(1);
    int errCode = 99;
    TFillResult best;
    ASSERT_TRUE(crossword->Fill(0, 0, 200, 64, false, errCode, best));
    EXPECT_TRUE(crossword->IsComplete());
    EXPECT_TRUE(SoundFill(*crossword, words));
    EXPECT_EQ(best.Count(), 3200);
}
