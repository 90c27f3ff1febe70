#include "kinds/FillWordCrossword.h"
#include "kinds/KnightCrossword.h"
#include "kinds/KnightShablon.h"
#include "kinds/Kinds.h"

#include "../crossword/CrosswordFixture.h"
#include "../crossword/FillFixture.h"

#include "dictionary/Mask.h"
#include "export/ComExport.h"

#include <utility>

namespace {

using TSteps = std::vector<std::pair<int, int>>;

// The body of a knight template text: the cells of the grid (x outer, y inner), the phrase
// flag, then the start cell and the steps.
std::string KnightText(const GridPicture& grid, const TSteps& steps, char phrase = '0', bool withPath = true) {
    const int height = static_cast<int>(grid.size()), width = static_cast<int>(grid[0].size());
    std::string text{SmallNumberChar(16), SmallNumberChar(width), SmallNumberChar(height)};
    for (int x = 0; x < width; ++x)
        for (int y = 0; y < height; ++y) text += grid[y][x] == '#' ? '\x02' : '\x01';
    text += phrase;
    if (!withPath) return text;
    text += SmallNumberChar(steps[0].first);
    text += SmallNumberChar(steps[0].second);
    for (const auto& [x, y] : steps) {
        text += SmallNumberChar(x);
        text += SmallNumberChar(y);
    }
    return text;
}

std::vector<TCell> CellsOf(const TSteps& steps) {
    std::vector<TCell> cells;
    for (const auto& [x, y] : steps) cells.push_back({static_cast<uint8_t>(x), static_cast<uint8_t>(y)});
    return cells;
}

// A 3 x 2 board visited out of row order, so that path order and row order differ.
const GridPicture Board = {"...", "..."};
const TSteps BoardSteps = {{2, 1}, {0, 0}, {1, 1}, {2, 0}, {0, 1}, {1, 0}};

// A straight row of width cells walked left to right.
TSteps RowSteps(int width) {
    TSteps steps;
    for (int x = 0; x < width; ++x) steps.emplace_back(x, 0);
    return steps;
}

class KnightTest : public CrosswordTest {
protected:
    // A knight crossword read from a template file of the grid and steps, as a file is read.
    std::unique_ptr<TKnightCrossword> Knight(const GridPicture& grid, const TSteps& steps,
                                             const std::vector<std::string>& utf8Words) {
        TKnightShablon shablon(static_cast<int>(grid[0].size()), static_cast<int>(grid.size()));
        EXPECT_TRUE(shablon.ParseTemplate(KnightText(grid, steps), 0, 0));
        shablon.FileName = Path("knight.tpl");
        EXPECT_TRUE(shablon.SaveToFile());
        auto crossword = std::make_unique<TKnightCrossword>();
        crossword->Dictionary.ShowProgress = false;
        EXPECT_TRUE(crossword->LoadDictionary(WriteDictionary(utf8Words)));
        EXPECT_TRUE(crossword->LoadTemplateFile(shablon.FileName));
        EXPECT_TRUE(crossword->Knight().HasPath);
        return crossword;
    }

    static int Put(TKnightCrossword& crossword, int first, const std::string& utf8Word) {
        TCoord coord(crossword.Width, crossword.Height);
        const std::string word = Cp(utf8Word);
        const auto& path = crossword.Knight().Fill.Path;
        for (std::size_t i = 0; i < word.size(); ++i) coord.AddCell(path[first + i].x, path[first + i].y);
        int slot = -1;
        return crossword.PutWordAtCoord(coord, word, {}, slot);
    }

    static TWordLengthLimits RuleAt(const TKnightCrossword& crossword, int step, std::string& pattern) {
        const TCell cell = crossword.Knight().Fill.Path[step];
        return crossword.WordLengthLimits(TCoord(cell.x, cell.y, {}, crossword.Width, crossword.Height), pattern);
    }
};

}  // namespace

TEST_F(KnightTest, APathTextComesBackAsItWas) {
    TKnightShablon shablon(3, 2);
    const std::string text = KnightText(Board, BoardSteps);
    ASSERT_TRUE(shablon.ParseTemplate(text, 0, 0));
    EXPECT_TRUE(shablon.HasPath);
    EXPECT_EQ(shablon.PathLength(), 6);
    EXPECT_EQ(shablon.Fill.PathLength(), 6);
    EXPECT_EQ(shablon.Fill.Path, CellsOf(BoardSteps));
    EXPECT_EQ(shablon.SerializeTemplate(0, 0, 2, 1), text);
    EXPECT_EQ(shablon.GetWordLayout(), 1);
    EXPECT_TRUE(mUi->Messages.empty());
}

TEST_F(KnightTest, TemplateTextsByKindAndShape) {
    struct Case {
        const char* name;
        std::string text;
        bool taken;
        const char* message;  // UTF-8; empty for none
        bool hasPath;
    };
    std::string classic = KnightText(Board, {}, '0', false);
    classic[0] = '0';
    classic.pop_back();  // a classic text ends after its cells
    std::string foreign = classic;
    foreign[0] = '1';
    std::string shortPath = KnightText(Board, BoardSteps);
    shortPath.pop_back();
    TSteps twice = BoardSteps;
    twice[5] = twice[0];
    TSteps outside = BoardSteps;
    outside[5] = {3, 0};
    const Case cases[] = {
        {"classic", classic, true, "", false},
        {"foreign", foreign, false, "Несовместимый тип шаблона!", false},
        {"no path", KnightText(Board, {}, '1', false), true, "", false},
        {"short path", shortPath, false, "Неверный формат шаблона!", false},
        {"cell twice", KnightText(Board, twice), false, "Неверный формат шаблона!", false},
        {"step outside", KnightText(Board, outside), false, "Неверный формат шаблона!", false},
        {"step on a block", KnightText({"..#", "..."}, {{2, 1}, {0, 0}, {1, 1}, {2, 0}, {0, 1}}), false,
         "Неверный формат шаблона!", false},
    };
    for (const Case& c : cases) {
        TKnightShablon shablon(3, 2);
        mUi->Messages.clear();
        EXPECT_EQ(shablon.ParseTemplate(c.text, 0, 0), c.taken) << c.name;
        EXPECT_EQ(shablon.HasPath, c.hasPath) << c.name;
        if (*c.message) {
            ASSERT_EQ(mUi->Messages.size(), 1u) << c.name;
            EXPECT_EQ(mUi->Messages[0], Cp(c.message)) << c.name;
        } else {
            EXPECT_TRUE(mUi->Messages.empty()) << c.name;
        }
    }
}

TEST_F(KnightTest, AFailedPathKeepsTheOldOne) {
    TKnightShablon shablon(3, 2);
    ASSERT_TRUE(shablon.ParseTemplate(KnightText(Board, BoardSteps), 0, 0));
    TSteps twice = BoardSteps;
    twice[1] = twice[0];
    EXPECT_FALSE(shablon.ParseTemplate(KnightText(Board, twice), 0, 0));
    EXPECT_EQ(shablon.Fill.Path, CellsOf(BoardSteps));
}

TEST_F(KnightTest, ACellChangeDropsThePath) {
    TKnightShablon shablon(3, 2);
    ASSERT_TRUE(shablon.ParseTemplate(KnightText(Board, BoardSteps, '1'), 0, 0));
    shablon.SetLetterCell(1, 1, false);
    EXPECT_FALSE(shablon.HasPath);
    const std::string text = shablon.SerializeTemplate(0, 0, 2, 1);
    ASSERT_EQ(text.size(), 3u + 6u + 1u);
    EXPECT_EQ(text.back(), '1');
}

TEST_F(KnightTest, ShiftsMoveThePathOrDropIt) {
    struct Case {
        int dx, dy;
        bool kept;
    };
    const Case cases[] = {{2, 1, true}, {0, 0, true}, {-1, 0, false}, {0, -1, false}};
    for (const Case& c : cases) {
        TKnightShablon shablon(6, 4);
        GridPicture grid(4, "######");
        grid[0] = "...###";
        grid[1] = "...###";
        ASSERT_TRUE(shablon.ParseTemplate(KnightText(grid, BoardSteps), 0, 0));
        shablon.ShiftCells(0, 0, 5, 3, c.dx, c.dy);
        EXPECT_EQ(shablon.HasPath, c.kept) << c.dx << "," << c.dy;
        if (!c.kept) continue;
        TSteps moved;
        for (const auto& [x, y] : BoardSteps) moved.emplace_back(x + c.dx, y + c.dy);
        EXPECT_EQ(shablon.Fill.Path, CellsOf(moved));
        EXPECT_EQ(shablon.Fill.StartX, 2 + c.dx);
        EXPECT_EQ(shablon.Fill.StartY, 1 + c.dy);
        for (const TCell& step : shablon.Fill.Path) EXPECT_TRUE(shablon.IsLetterCell(step.x, step.y));
    }
}

TEST_F(KnightTest, CroppingKeepsThePathWithItsCells) {
    TKnightShablon shablon(5, 4);
    GridPicture grid(4, "#####");
    grid[2] = "#...#";
    grid[3] = "#...#";
    TSteps steps;
    for (const auto& [x, y] : BoardSteps) steps.emplace_back(x + 1, y + 2);
    ASSERT_TRUE(shablon.ParseTemplate(KnightText(grid, steps), 0, 0));
    shablon.CropToUsed();
    EXPECT_EQ(shablon.Width, 3);
    EXPECT_EQ(shablon.Height, 2);
    ASSERT_TRUE(shablon.HasPath);
    EXPECT_EQ(shablon.Fill.Path, CellsOf(BoardSteps));
}

TEST_F(KnightTest, WordsNumberThePathInItsOrder) {
    auto crossword = Knight(Board, BoardSteps, {"кот", "сон"});
    EXPECT_EQ(crossword->Unformatted, 1);
    EXPECT_FALSE(crossword->IsComplete());
    ASSERT_EQ(Put(*crossword, 0, "кот"), PutCode::Placed);
    ASSERT_EQ(Put(*crossword, 3, "сон"), PutCode::Placed);
    EXPECT_TRUE(crossword->IsComplete());
    const TKnightShablon& shablon = crossword->Knight();
    // Step 0 is (2, 1), after step 3 (2, 0) in row order: the path order decides.
    EXPECT_EQ(shablon.GetNumber(2, 1), 1);
    EXPECT_EQ(shablon.GetNumber(2, 0), 2);
    EXPECT_TRUE(shablon.HasMarkE(2, 1));
    // The placed word is seen through its cells.
    TShablonWords through;
    crossword->WordsThroughCell(0, 0, through);
    EXPECT_EQ(through.Count(), 1);

    crossword->RemoveWordAtCoord(crossword->SlotCells(0));
    EXPECT_FALSE(shablon.HasMarkE(2, 1));
    EXPECT_EQ(shablon.GetNumber(2, 0), 1);
}

TEST_F(KnightTest, TheWordRuleFollowsThePath) {
    auto crossword = Knight({std::string(30, '.')}, RowSteps(30), {"кот"});
    std::string pattern;
    struct Case {
        int step;
        bool allowed;
        int max;
    };
    // A word stands on steps 10..12.
    ASSERT_EQ(Put(*crossword, 10, "кот"), PutCode::Placed);
    const Case cases[] = {
        {0, true, 10}, {8, true, 2}, {9, false, 0}, {11, false, 0}, {13, true, 17}, {28, true, 2}, {29, false, 0},
    };
    for (const Case& c : cases) {
        const TWordLengthLimits limits = RuleAt(*crossword, c.step, pattern);
        EXPECT_EQ(limits.Flag, c.allowed) << c.step;
        if (c.allowed) {
            EXPECT_EQ(limits.Max, c.max) << c.step;
            EXPECT_EQ(TMask(crossword->Dictionary.CellFormat(), pattern).CellCount(), c.max) << c.step;
        }
    }
    crossword->RemoveWordAtCoord(crossword->SlotCells(0));
    EXPECT_EQ(RuleAt(*crossword, 0, pattern).Max, 25);
    crossword->Knight().PhraseMode = true;
    EXPECT_FALSE(RuleAt(*crossword, 0, pattern).Flag);
}

TEST_F(KnightTest, TheFillCoversThePathAroundALockedWord) {
    auto crossword = Knight(Board, BoardSteps, {"кот", "сон", "лес", "мир"});
    ASSERT_EQ(Put(*crossword, 3, "мир"), PutCode::Placed);
    crossword->Words.SetSlotLocked(0, true);
    crossword->FillParameters.TimeLimit = 60;
    int err = 0;
    TFillResult best;
    ASSERT_TRUE(crossword->Fill(0, 0, 2, 1, false, err, best));
    EXPECT_TRUE(crossword->IsComplete());
    const std::vector<int> through = crossword->SlotsThroughCell(2, 0);
    ASSERT_EQ(through.size(), 1u);
    const int locked = through[0];
    EXPECT_EQ(crossword->Words.SlotWord(locked), Cp("мир"));
    EXPECT_TRUE(crossword->Words.SlotLocked(locked));
    EXPECT_EQ(crossword->Knight().GetNumber(2, 1), 1);
    EXPECT_EQ(crossword->Knight().GetNumber(2, 0), 2);
}

// Without a path, or with a phrase taking the words' place, no word can be laid: the fill ends
// at once instead of churning until its time limit.
TEST_F(KnightTest, AFillThatCanLayNoWordEndsAtOnce) {
    for (const bool phrase : {false, true}) {
        auto crossword = Knight(Board, BoardSteps, {"кот", "сон"});
        if (phrase)
            crossword->Knight().PhraseMode = true;
        else
            crossword->Knight().SetLetterCell(0, 0, true);
        ASSERT_EQ(crossword->Knight().HasPath, phrase);
        crossword->FillParameters.TimeLimit = 2;
        int err = 0;
        TFillResult best;
        EXPECT_FALSE(crossword->Fill(0, 0, 2, 1, false, err, best)) << phrase;
        EXPECT_EQ(err, FillError::Exhausted) << phrase;
    }
}

TEST_F(KnightTest, ThePhraseStaysOnThePathAndInTheFile) {
    auto crossword = Knight(Board, BoardSteps, {"кот"});
    crossword->Knight().PhraseMode = true;
    crossword->SetPhrase(Cp("вперёд, конь!"));
    const auto& path = crossword->Knight().Fill.Path;
    for (int i = 0; i < 6; ++i) EXPECT_EQ(crossword->CellText(path[i].x, path[i].y), Cp("вперёд").substr(i, 1));
    EXPECT_EQ(crossword->FixedCells.Count(), 6);
    TClueListOptions options;
    EXPECT_EQ(crossword->BuildClueText(options), Cp("вперёд, конь!"));
    options.Headings = options.SplitDirections = true;
    EXPECT_EQ(crossword->BuildClueText(options), "~#2" + Cp("вперёд, конь!"));

    RegisterKinds();
    crossword->FileName = Path("knight.crw");
    ASSERT_TRUE(crossword->Save(false));
    TKnightCrossword read;
    read.FileName = crossword->FileName;
    ASSERT_TRUE(read.Load(false, false));
    EXPECT_EQ(read.Phrase, Cp("вперёд, конь!"));
    EXPECT_TRUE(read.Knight().HasPath);
    EXPECT_TRUE(read.Knight().PhraseMode);
    EXPECT_EQ(read.CellText(path[5].x, path[5].y), Cp("д"));
    // A shorter phrase leaves the rest of the path empty.
    read.SetPhrase(Cp("ход"));
    EXPECT_EQ(read.FixedCells.Count(), 3);
    EXPECT_TRUE(read.IsCellEmpty(path[3].x, path[3].y));
}

TEST_F(KnightTest, GivenWordsAreStruckThroughInTheSolution) {
    auto crossword = Knight(Board, BoardSteps, {"кот", "сон"});
    ASSERT_EQ(Put(*crossword, 0, "кот"), PutCode::Placed);
    ASSERT_EQ(Put(*crossword, 3, "сон"), PutCode::Placed);
    crossword->GivenWords.Add(Cp("сон"));
    const auto lines = [&](int mode) {
        TComExport list;
        crossword->ExportCrosswordScript(list, mode);
        int count = 0;
        for (int i = 0; i < list.Count(); ++i) count += list.Kind(i) == static_cast<int>(TExportKind::Polyline);
        return count;
    };
    EXPECT_EQ(lines(1), 0);
    crossword->StrikeOut.ShowLine = true;
    EXPECT_EQ(lines(1), 1);
    EXPECT_EQ(lines(0), 0);
    // With no word given, every word is struck through.
    crossword->GivenWords.Clear();
    EXPECT_EQ(lines(1), 2);

    // The file keeps the look after the phrase, so the lines come back with it.
    RegisterKinds();
    crossword->StrikeOut.Width = 6;
    crossword->Phrase = Cp("ход");
    crossword->FileName = Path("lines.crw");
    ASSERT_TRUE(crossword->Save(false));
    TKnightCrossword read;
    read.FileName = crossword->FileName;
    ASSERT_TRUE(read.Load(false, false));
    EXPECT_EQ(read.StrikeOut, crossword->StrikeOut);
    EXPECT_EQ(read.Phrase, Cp("ход"));

    TFillWordCrossword fillWord;
    fillWord.StrikeOut.Width = 9;
    crossword->CopyStyles(fillWord);
    EXPECT_EQ(crossword->StrikeOut.Width, 9);
}
