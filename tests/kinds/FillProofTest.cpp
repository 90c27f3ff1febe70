// The propagating fill's answer "no fill exists" (-2) is a proof: on random small grids of
// every kind whose words lie in fixed slots, with random small word lists, it never says so
// where the backtracking fill finds a fill, and what it fills is sound. Both run the base
// methods on the slots as they stand (the hexagon honeycomb's turning of rings, which changes
// the slots, is left out), so the grids include slots that pass a cell twice: the honeycomb's
// centre, ring, centre words and the third scanword's looping words.

#include "kinds/ChainwordShablon.h"
#include "kinds/CircleShablon.h"
#include "kinds/HoneyShablon.h"
#include "kinds/Kinds.h"
#include "kinds/SkanwordShablon.h"

#include "../crossword/FillFixture.h"

#include "crossword/CrosswordFactory.h"

#include <random>
#include <set>

namespace {

// Seconds each method gets; a backtracking fill that runs out of time proves nothing either way.
constexpr int TimeLimitSeconds = 5;
constexpr int GridsPerKind = 12;

using TRandom = std::mt19937;

int Draw(TRandom& random, int n) {
    return static_cast<int>(random() % static_cast<uint32_t>(n));
}

// A grid of the size with about blockPercent of its cells blocked.
GridPicture RandomGrid(TRandom& random, int width, int height, int blockPercent) {
    GridPicture grid(height, std::string(width, '.'));
    for (std::string& row : grid)
        for (char& cell : row)
            if (Draw(random, 100) < blockPercent) cell = '#';
    return grid;
}

// Random words of every length from 2 to 12 over a few letters: few enough for some grids to
// have no fill, many enough for others to have one.
std::vector<std::string> RandomWords(TRandom& random) {
    const std::vector<std::string> letters = {"а", "к", "о", "т"};
    std::set<std::string> words;
    for (int length = 2; length <= 12; ++length) {
        const int count = 4 + Draw(random, 40);
        for (int k = 0; k < count; ++k) {
            std::string word;
            for (int i = 0; i < length; ++i) word += letters[Draw(random, 3 + (length > 5))];
            words.insert(word);
        }
    }
    return {words.begin(), words.end()};
}

// The kind's template drawn at random (it may have no slot at all).
void MakeTemplate(TShablonKind kind, TShablon& shablon, TRandom& random) {
    const int width = 4 + Draw(random, 4), height = 4 + Draw(random, 4);
    switch (kind) {
        case TShablonKind::Classic:
        case TShablonKind::Diagonal:
            DrawGrid(shablon, RandomGrid(random, width, height, 20));
            break;
        case TShablonKind::Estonish:
        case TShablonKind::American:
            DrawGrid(shablon, RandomGrid(random, width, height, 10));
            for (int k = 0; k < width * height / 4; ++k)
                shablon.SetAttrA(Draw(random, width), Draw(random, height), 1 << Draw(random, 4));
            break;
        case TShablonKind::Skanword:
        case TShablonKind::Skanword2:
        case TShablonKind::Skanword3: {
            GridPicture grid = RandomGrid(random, width, height, 25);
            grid[0].assign(width, '#');
            DrawGrid(shablon, grid);
            auto& scanword = dynamic_cast<TSkanwordShablon&>(shablon);
            for (int x = 0; x < width; ++x)
                for (int y = 0; y < height; ++y) {
                    scanword.NextHorzArrow(x, y);
                    scanword.NextVertArrow(x, y);
                }
            if (kind == TShablonKind::Skanword3)
                for (int k = 0; k < width * height / 5; ++k)
                    shablon.SetAttrC(Draw(random, width), Draw(random, height), 1 << Draw(random, 8));
            break;
        }
        case TShablonKind::Honey:
        case TShablonKind::Honey8: {
            auto& honey = dynamic_cast<TBaseHoneyShablon&>(shablon);
            DrawGrid(shablon, GridPicture(height, std::string(width, '.')));
            honey.RingMode = static_cast<uint8_t>(Draw(random, 4));
            honey.RingDirection = static_cast<uint8_t>(Draw(random, 2));
            const std::vector<int> directions =
                kind == TShablonKind::Honey ? std::vector<int>{0, 1, 2, 3, 4, 5} : std::vector<int>{1, 2, 3, 4, 6, 7, 8, 9};
            for (int k = 0; k < width * height / 5; ++k) {
                const int x = 1 + Draw(random, width - 2), y = 1 + Draw(random, height - 2);
                shablon.SetLetterCellOnly(x, y, false);
                honey.SetStartDirection(x, y, directions[Draw(random, static_cast<int>(directions.size()))]);
            }
            break;
        }
        case TShablonKind::Circle: {
            auto& circle = dynamic_cast<TCircleShablon&>(shablon);
            shablon.SetSize(2 * width, height - 1);
            circle.Parity = Draw(random, 2) == 0;
            circle.MarkWordCells();
            break;
        }
        case TShablonKind::Chainword: {
            // A snake from the top left corner, row by row, with random word starts.
            auto& chain = dynamic_cast<TChainwordShablon&>(shablon);
            DrawGrid(shablon, GridPicture(height, std::string(width, '.')));
            for (int y = 0; y < height; ++y)
                for (int x = 0; x < width; ++x) {
                    const bool rightwards = y % 2 == 0;
                    const bool turn = rightwards ? x == width - 1 : x == 0;
                    chain.SetAttrD(x, y, turn ? 2 : rightwards ? 4 : 6);
                    if (Draw(random, 4) == 0) chain.SetMarkE(x, y, true);
                }
            chain.Overlap = static_cast<uint8_t>(1 + Draw(random, 2));
            break;
        }
        default:
            break;
    }
    shablon.NumberCells();
}

// Every slot holds a dictionary word that its cells spell, and no word stands twice.
::testing::AssertionResult SlotsHoldTheirWords(const TCrossword& crossword) {
    std::set<std::string> seen;
    for (int i = 0; i < crossword.Words.Count(); ++i) {
        const std::string word(crossword.Words.SlotWord(i));
        int index = 0;
        if (!crossword.Words.SlotFilled(i) || !crossword.Dictionary.Find(word, index))
            return ::testing::AssertionFailure() << "slot " << i << " holds no dictionary word";
        if (SlotLetters(crossword, i) != word)
            return ::testing::AssertionFailure() << "slot " << i << " spells " << ToUtf8(SlotLetters(crossword, i))
                                                 << " for " << ToUtf8(word);
        if (!seen.insert(word).second) return ::testing::AssertionFailure() << ToUtf8(word) << " stands twice";
    }
    return ::testing::AssertionSuccess();
}

using FillProofTest = CrosswordTest;

}  // namespace

TEST_F(FillProofTest, NoFillExistsOnlyWhereTheBacktrackingFillFindsNone) {
    RegisterKinds();
    ScopedRecordingUi quiet;
    const TShablonKind kinds[] = {
        TShablonKind::Classic,  TShablonKind::Estonish,  TShablonKind::American,  TShablonKind::Diagonal,
        TShablonKind::Skanword, TShablonKind::Skanword2, TShablonKind::Skanword3, TShablonKind::Honey,
        TShablonKind::Honey8,   TShablonKind::Circle,    TShablonKind::Chainword,
    };
    int filled = 0, proved = 0;
    for (const TShablonKind kind : kinds) {
        for (uint32_t seed = 1; seed <= GridsPerKind; ++seed) {
            SCOPED_TRACE("kind " + std::to_string(static_cast<int>(kind)) + ", seed " + std::to_string(seed));
            TRandom random(seed);
            auto crossword = CreateCrossword(static_cast<int>(kind), TKindCode::Template);
            ASSERT_TRUE(crossword);
            crossword->Dictionary.ShowProgress = false;
            ASSERT_TRUE(crossword->LoadDictionary(WriteDictionary(RandomWords(random))));
            MakeTemplate(kind, *crossword->Template, random);
            crossword->SetWidth(crossword->Template->Width);
            crossword->SetHeight(crossword->Template->Height);
            crossword->PrepareForFill();
            if (crossword->Words.Count() == 0) continue;
            crossword->FillParameters.TimeLimit = TimeLimitSeconds;
            const auto fill = [&](bool propagate, int& errCode) {
                crossword->ClearWords(0, 0, crossword->Width, crossword->Height, true);
                TFillResult best;
                RandSeed(seed);
                crossword->Running = 1;
                const int w = crossword->Width, h = crossword->Height;
                return propagate ? crossword->TCrossword::FillPropagate(0, 0, w, h, errCode, best)
                                 : crossword->TCrossword::FillBacktrack(0, 0, w, h, errCode, best);
            };
            int backtrackError = 0, propagateError = 0;
            // The base backtracking fill knows nothing of a word passing a cell twice (the kinds
            // hold back the words that would not fit there); only a fill whose words stand counts.
            const bool backtracked = fill(false, backtrackError) && SlotsHoldTheirWords(*crossword);
            const bool propagated = fill(true, propagateError);
            if (propagated) {
                EXPECT_TRUE(SlotsHoldTheirWords(*crossword));
            }
            if (backtracked) {
                EXPECT_TRUE(propagated) << "error " << propagateError;
            }
            if (backtrackError == FillError::Exhausted) {
                EXPECT_FALSE(propagated);
            }
            filled += backtracked && propagated;
            proved += backtrackError == FillError::Exhausted && propagateError == FillError::Exhausted;
        }
    }
    // The grids and word lists make both answers common, so both kinds of proof are checked.
    EXPECT_GT(filled, 10);
    EXPECT_GT(proved, 10);
}
