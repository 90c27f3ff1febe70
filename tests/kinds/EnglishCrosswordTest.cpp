#include "kinds/EnglishCrossword.h"

#include "../crossword/CrosswordFixture.h"
#include "../crossword/FillFixture.h"
#include "FieldCheck.h"

#include "export/ComExport.h"
#include "platform/Clock.h"

#include <algorithm>

namespace {

template <class TField = TEnglishCrossword>
std::unique_ptr<TField> WordFieldOf(int width, int height, const std::string& dictionary) {
    auto crossword = std::make_unique<TField>();
    crossword->Dictionary.ShowProgress = false;
    EXPECT_TRUE(crossword->LoadDictionary(dictionary));
    crossword->SetWidth(width);
    crossword->SetHeight(height);
    DrawGrid(*crossword->Template, GridPicture(height, std::string(width, '.')));
    crossword->PrepareForFill();
    return crossword;
}

// A word field that records the words it lays, in the order laid.
class TLayingField : public TEnglishCrossword {
public:
    int PutWordAtCoord(const TCoord& coord, std::string_view word, TPutChecks checks, int& slot) override {
        const int code = TEnglishCrossword::PutWordAtCoord(coord, word, checks, slot);
        if (code == PutCode::Placed) Laid.emplace_back(word);
        return code;
    }
    std::vector<std::string> Laid;
};

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

// No word lies inside another, read either way: every word listed is one more to find.
::testing::AssertionResult MaximalWords(const TCrossword& crossword) {
    for (int i = 0; i < crossword.Words.Count(); ++i)
        for (int j = 0; j < crossword.Words.Count(); ++j) {
            if (i == j) continue;
            const std::vector<FieldCell> inner = CellsOfSlot(crossword, i), outer = CellsOfSlot(crossword, j);
            if (std::ranges::all_of(inner, [&](const FieldCell& c) { return std::ranges::find(outer, c) != outer.end(); }))
                return ::testing::AssertionFailure() << ToUtf8(std::string(crossword.Words.SlotWord(i))) << " lies inside "
                                                     << ToUtf8(std::string(crossword.Words.SlotWord(j)));
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
        EXPECT_TRUE(MaximalWords(*crossword)) << context;
    }
}

// A word laid over a standing word's cells takes it out; one that would lie inside a standing
// word is never laid.
TEST_F(CrosswordTest, WordFieldKeepsOnlyMaximalWords) {
    for (uint32_t seed = 1; seed <= 6; ++seed) {
        RandSeed(seed);
        auto crossword = Make<TEnglishCrossword>({"....."}, {"бак", "бакен"});
        int slot = -1;
        ASSERT_EQ(crossword->PutWordAtCoord(TCoord(0, 0, "66", 5, 1), Cp("бак"), {}, slot), PutCode::Placed);
        crossword->Running = 1;
        int errCode = 99;
        TFillResult best;
        ASSERT_TRUE(crossword->FillSpecial(0, 0, 4, 0, errCode, best)) << "seed " << seed;
        EXPECT_EQ(EmptyLetterCells(*crossword), 0) << "seed " << seed;
        EXPECT_TRUE(MaximalWords(*crossword)) << "seed " << seed;
        EXPECT_EQ(crossword->FilledCount(), 1) << "seed " << seed;
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
    // The export writes a letter into every cell, covered or not.
    TComExport list;
    crossword->BuildModeExport(list, 0);
    int letters = 0;
    for (int i = 0; i < list.Count(); ++i)
        if (list.Kind(i) == static_cast<int>(TExportKind::TextBlock) && list.Text(i).size() == 1) ++letters;
    EXPECT_EQ(letters, 100);
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

TEST_F(CrosswordTest, WordFieldNeighboursComeInTheirOrder) {
    struct Case {
        int x, y;
        std::vector<FieldCell> cells;
    };
    // Columns to the left, then to the right, then above and below; blocks and cells outside left out.
    const std::vector<Case> cases = {
        {1, 1, {{0, 0}, {0, 1}, {0, 2}, {2, 0}, {2, 1}, {2, 2}, {1, 0}, {1, 2}}},
        {2, 1, {{1, 0}, {1, 2}, {3, 0}, {3, 1}, {3, 2}, {2, 0}, {2, 2}}},
        {0, 0, {{1, 0}, {0, 1}}},
        {3, 2, {{2, 1}, {2, 2}, {3, 1}}},
    };
    auto crossword = Make<TEnglishCrossword>({"....", ".#..", "...."}, {"сок"});
    for (const Case& c : cases) {
        TCoord around(4, 3);
        crossword->ExtraCells(TCoord(c.x, c.y, "", 4, 3), around);
        std::vector<FieldCell> cells;
        for (const TCell& cell : around.Cells()) cells.push_back({cell.x, cell.y});
        EXPECT_EQ(cells, c.cells) << c.x << "," << c.y;
    }
}

// The list is shuffled at the end: it holds the words that stand, but not in the order laid.
TEST_F(CrosswordTest, WordFieldListFollowsNoOrderOfTheFill) {
    for (uint32_t seed = 1; seed <= 3; ++seed) {
        RandSeed(seed);
        auto crossword = WordFieldOf<TLayingField>(10, 10, DefaultDictionaryPath());
        crossword->FillParameters.TimeLimit = 60;
        int errCode = 99;
        TFillResult best;
        ASSERT_TRUE(crossword->Fill(0, 0, 10, 10, false, errCode, best)) << "seed " << seed;
        std::vector<std::string> listed;
        for (int i = 0; i < crossword->Words.Count(); ++i) listed.emplace_back(crossword->Words.SlotWord(i));
        // A word taken out may be laid again: it stands where it was laid last.
        std::vector<std::string> laid;
        for (auto w = crossword->Laid.rbegin(); w != crossword->Laid.rend(); ++w)
            if (std::find(listed.begin(), listed.end(), *w) != listed.end() &&
                std::find(laid.begin(), laid.end(), *w) == laid.end())
                laid.insert(laid.begin(), *w);
        ASSERT_GT(listed.size(), 10u);
        EXPECT_TRUE(std::is_permutation(listed.begin(), listed.end(), laid.begin(), laid.end())) << "seed " << seed;
        EXPECT_NE(listed, laid) << "seed " << seed;
    }
}

// A run that would repeat a standing slot's start and path is cut until it repeats none.
TEST_F(CrosswordTest, WordFieldRunsNeverRepeatASlot) {
    struct Case {
        std::vector<std::string> standing;  // paths of slots from (0, 0)
        int max;
    };
    const std::vector<Case> cases = {
        {{}, 4},
        {{"666"}, 3},
        {{"666", "66"}, 2},
        {{"666", "66", "6"}, 1},
        {{"66"}, 4},
        {{"222"}, 4},
    };
    for (const Case& c : cases) {
        auto crossword = Make<TEnglishCrossword>({"....", "....", "....", "...."}, {"сок"});
        std::string context;
        for (const std::string& path : c.standing) {
            crossword->Words.AddSlot(0, 0, path, static_cast<int>(path.size()) + 1);
            context += path + " ";
        }
        TCoord run(4, 4);
        run.AddCell(0, 0);
        run.AddCell(1, 0);
        std::string pattern;
        const TWordLengthLimits limits = crossword->WordLengthLimits(run, pattern);
        EXPECT_EQ(limits.Max, c.max) << context;
        EXPECT_EQ(limits.Flag, c.max >= limits.Min) << context;
        EXPECT_EQ(pattern.size(), static_cast<std::size_t>(c.max)) << context;
    }
}

// A record read from a file whose cells leave the grid, or whose path holds a step that is no
// move, is refused, not laid wrapped round the grid's edge.
TEST_F(CrosswordTest, WordFieldRecordsOffTheGridAreRefused) {
    const GridPicture field(6, "......");
    auto source = Make<TEnglishCrossword>(field, {"кот"});
    int slot = -1;
    ASSERT_EQ(source->PutWordAtCoord(TCoord(3, 0, "66", 6, 6), Cp("кот"), {}, slot), PutCode::Placed);
    const std::string record = source->Words.Entry(slot);
    const auto changed = [&](std::size_t at, char c) {
        std::string text = record;
        text[at] = c;
        return text;
    };
    const std::pair<std::string, bool> cases[] = {
        {record, true},
        {changed(1, '7'), false},  // starts beyond the last column
        {changed(1, '4'), false},  // runs off the right edge
        {changed(4, '5'), false},  // a step that does not move
    };
    for (const auto& [text, pasted] : cases) {
        auto crossword = Make<TEnglishCrossword>(field, {"кот"});
        std::string word;
        EXPECT_EQ(crossword->PasteWord(0, 0, false, word, text), pasted) << text;
        EXPECT_EQ(crossword->FilledCount(), pasted ? 1 : 0) << text;
    }
}
