// The propagating fill (method 4): dense grids, where every letter lies in two words, filled
// soundly; the rules every fill keeps (fixed letters, placed words, categories, related words,
// the rectangle) beside the backtracking fill; and an impossible grid recognised as such. The
// stop, the time limit and the kinds' operations are tested with every method in FillTest.

#include "FillFixture.h"

namespace {

const GridPicture Dense5 = {
    "#...#",
    ".....",
    ".....",
    ".....",
    "#...#",
};
const GridPicture Dense7 = {
    "...#...",
    "...#...",
    ".......",
    "##...##",
    ".......",
    "...#...",
    "...#...",
};
const GridPicture Dense9 = {
    "...#.....",
    "...#.....",
    "...#.....",
    "#.....###",
    "#...#...#",
    "###.....#",
    ".....#...",
    ".....#...",
    ".....#...",
};

// Every word of 3 and 4 letters over five letters and a share of the longer ones: enough for
// a dense grid to have fills, few enough that the crossings decide most letters.
std::vector<std::string> DenseWords() {
    const std::vector<std::string> letters = {"а", "е", "к", "о", "т"};
    std::vector<std::string> words;
    for (const auto& [length, count] : {std::pair{3, 125}, {4, 625}, {5, 1500}, {6, 3000}, {7, 5000}}) {
        const std::vector<std::string> some = WordsOver(letters, length, count, static_cast<uint32_t>(length));
        words.insert(words.end(), some.begin(), some.end());
    }
    return words;
}

const GridPicture Corner = {"...", ".##", ".##"};

class PropagateTest : public CrosswordTest {
protected:
    template <typename TKind = TClassicCrossword>
    std::unique_ptr<TKind> MakeFor(TFillMethod method, const GridPicture& grid, const std::vector<std::string>& words) {
        auto crossword = Make<TKind>(grid, words);
        crossword->FillParameters.FillMethod = method;
        return crossword;
    }
    bool FillAll(TCrossword& crossword, int& errCode, TFillResult& best) {
        return crossword.Fill(0, 0, crossword.Width, crossword.Height, false, errCode, best);
    }
};

}  // namespace

TEST_F(PropagateTest, DenseGridsFillSoundlyKeepingFixedLetters) {
    const std::vector<std::string> words = DenseWords();
    for (const GridPicture* grid : {&Dense5, &Dense7, &Dense9}) {
        for (const uint32_t seed : {1u, 2u, 3u}) {
            auto crossword = MakeFor(TFillMethod::Propagate, *grid, words);
            const int middle = crossword->Width / 2;
            crossword->SetFixedLetter(middle, middle, Cp("к"));
            crossword->SetFixedLetter(0, 2, Cp("т"));
            RandSeed(seed);
            int errCode = 99;
            TFillResult best;
            const std::string context = std::to_string(crossword->Width) + "x" + std::to_string(crossword->Height) +
                                        ", seed " + std::to_string(seed);
            ASSERT_TRUE(FillAll(*crossword, errCode, best)) << context << ", error " << errCode;
            EXPECT_EQ(errCode, 0);
            EXPECT_TRUE(crossword->IsComplete()) << context;
            EXPECT_TRUE(SoundFill(*crossword, words)) << context;
            EXPECT_EQ(crossword->CellText(middle, middle), Cp("к")) << context;
            EXPECT_EQ(crossword->CellText(0, 2), Cp("т")) << context;
            EXPECT_EQ(best.Count(), crossword->Words.Count()) << context;
        }
    }
}

TEST_F(PropagateTest, AFullSquareWithFewWordsIsProvedImpossible) {
    const GridPicture square(6, "......");
    auto crossword = MakeFor(TFillMethod::Propagate, square,
                             {"кабала", "аорист", "бронза", "анклав", "листок", "арахис", "стекло", "осадок"});
    int errCode = 99;
    TFillResult best;
    EXPECT_FALSE(FillAll(*crossword, errCode, best));
    EXPECT_EQ(errCode, FillError::Exhausted);
    EXPECT_EQ(crossword->FilledCount(), 0);
    EXPECT_EQ(crossword->Running, 0);
}

TEST_F(PropagateTest, OnlyTheSlotsOfTheRectangleAreFilled) {
    // The slots that begin in the top two rows: the across slots of rows 0 and 1 and the five
    // down slots; the across slots of rows 2 to 4 stay empty, though the down words cross them.
    const std::vector<std::string> words = DenseWords();
    for (const TFillMethod method : {TFillMethod::Backtrack, TFillMethod::Propagate}) {
        auto crossword = MakeFor(method, Dense5, words);
        int errCode = 99;
        TFillResult best;
        ASSERT_TRUE(crossword->Fill(0, 0, 4, 1, false, errCode, best));
        std::set<std::string> placed;
        for (int i = 0; i < crossword->Words.Count(); ++i) {
            EXPECT_EQ(crossword->Words.SlotFilled(i), crossword->Words.WordY(i) <= 1) << "slot " << i;
            if (!crossword->Words.SlotFilled(i)) continue;
            EXPECT_EQ(SlotLetters(*crossword, i), crossword->Words.SlotWord(i));
            EXPECT_TRUE(placed.insert(std::string(crossword->Words.SlotWord(i))).second);
        }
        EXPECT_EQ(placed.size(), 7u);
    }
}

TEST_F(PropagateTest, PlacedWordsStayAndAreNotUsedAgain) {
    for (const TFillMethod method : {TFillMethod::Backtrack, TFillMethod::Propagate}) {
        auto crossword = MakeFor(method, Corner, {"дом", "дно", "дуб", "док", "кот", "кит"});
        ASSERT_EQ(crossword->PlaceWord(0, Cp("дом"), true), PutCode::Placed);
        int errCode = 99;
        TFillResult best;
        ASSERT_TRUE(FillAll(*crossword, errCode, best));
        EXPECT_EQ(crossword->Words.SlotWord(0), Cp("дом"));
        EXPECT_TRUE(crossword->Words.SlotWord(1) == Cp("дно") || crossword->Words.SlotWord(1) == Cp("дуб"));

        // The next puzzle of the same crossword draws on the words left.
        const std::string first(crossword->Words.SlotWord(1));
        crossword->PrepareForFill();
        ASSERT_TRUE(FillAll(*crossword, errCode, best));
        const std::set<std::string> second = {std::string(crossword->Words.SlotWord(0)),
                                              std::string(crossword->Words.SlotWord(1))};
        EXPECT_FALSE(second.contains(Cp("дом")));
        EXPECT_FALSE(second.contains(first));
    }
}

// The fill keeps what it worked out from the words between fills; a new dictionary's words are
// the ones the next fill reads: with two words of the old one's shape, where the old words did
// not fit, the new ones do.
TEST_F(PropagateTest, AFillAfterTheDictionaryChangedReadsTheNewWords) {
    auto crossword = MakeFor(TFillMethod::Propagate, Corner, {"дом", "кот"});
    int errCode = 99;
    TFillResult best;
    ASSERT_FALSE(FillAll(*crossword, errCode, best));
    EXPECT_EQ(errCode, FillError::Exhausted);
    const std::vector<std::string> next = {"кот", "кит"};
    ASSERT_TRUE(crossword->LoadDictionary(WriteDictionary(next)));
    crossword->ClearWords(0, 0, crossword->Width, crossword->Height, true);
    ASSERT_TRUE(FillAll(*crossword, errCode, best)) << errCode;
    EXPECT_TRUE(SoundFill(*crossword, next));
}

TEST_F(PropagateTest, CategoriesDecideWhichWordsMayStand) {
    // The two slots need two words of one first letter. Reserve words stand only when ordinary
    // ones cannot; unavailable ones never.
    struct Case {
        std::vector<std::string> words;
        std::set<std::string> allowed;  // the words the fill may place
    };
    const std::vector<Case> cases = {
        {{"дом", "дуб", "дно:1", "кот:1"}, {"дом", "дуб"}},
        {{"дом", "дно:1", "кот"}, {"дом", "дно"}},
        {{"дом", "дуб:2", "дно", "кот"}, {"дом", "дно"}},
    };
    for (const TFillMethod method : {TFillMethod::Backtrack, TFillMethod::Propagate}) {
        for (std::size_t k = 0; k < cases.size(); ++k) {
            for (const uint32_t seed : {1u, 2u, 3u, 4u}) {
                auto crossword = MakeFor(method, Corner, cases[k].words);
                RandSeed(seed);
                int errCode = 99;
                TFillResult best;
                const std::string context = "method " + std::to_string(static_cast<int>(method)) + ", case " +
                                            std::to_string(k) + ", seed " + std::to_string(seed);
                ASSERT_TRUE(FillAll(*crossword, errCode, best)) << context;
                for (int i = 0; i < 2; ++i)
                    EXPECT_TRUE(cases[k].allowed.contains(ToUtf8(crossword->Words.SlotWord(i)))) << context;
            }
        }
    }
}

TEST_F(PropagateTest, RelatedWordsNeverStandTogether) {
    for (const TFillMethod method : {TFillMethod::Backtrack, TFillMethod::Propagate}) {
        for (const uint32_t seed : {1u, 2u, 3u, 4u, 5u, 6u}) {
            auto crossword = MakeFor(method, Corner, {"дом", "дно", "дуб"});
            const std::string related = Path("related.wdi");
            // Each word keeps out the words its entry names: "дом" and the others, both ways.
            const std::vector<DictionaryWord> entries = {{Cp("дно"), WordCategory::Ordinary, Cp("дом")},
                                                         {Cp("дом"), WordCategory::Ordinary, Cp("дно; дуб")},
                                                         {Cp("дуб"), WordCategory::Ordinary, Cp("дом")}};
            ASSERT_TRUE(WriteDictionaryFile(related, DictionaryLayout{}, entries));
            crossword->RelatedDictionary.FileName = related;
            ASSERT_TRUE(crossword->RelatedDictionary.Load());
            crossword->AvoidRelatedWords = 1;
            RandSeed(seed);
            int errCode = 99;
            TFillResult best;
            ASSERT_TRUE(FillAll(*crossword, errCode, best));
            EXPECT_FALSE(crossword->IsWordUsed(Cp("дом"))) << "method " << static_cast<int>(method) << ", seed " << seed;
        }
    }
}
