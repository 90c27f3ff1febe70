// A puzzle's page: what its list holds, what a crossword lacks before it is printed, the paper
// sizes, the flow of the list down its columns and over pages, and where the solution goes.

#include "../crossword/SmallCrossword.h"

#include "publish/ClueList.h"
#include "publish/Completeness.h"
#include "publish/PageSetup.h"
#include "publish/PuzzlePage.h"
#include "publish/TextColumns.h"

#include <gtest/gtest.h>

namespace {

class PageTest : public SmallCrosswordTest {
protected:
    // The small crossword with definitions for every slot but 3 (конь).
    std::unique_ptr<TClassicCrossword> WithClues() {
        auto crossword = MakeSmall();
        SetDefinition(*crossword, 0, "Жилое здание");
        SetDefinition(*crossword, 1, "Дерево с желудями");
        SetDefinition(*crossword, 2, "&FB+Весенний месяц");
        SetDefinition(*crossword, 4, "Упрямое животное");
        SetDefinition(*crossword, 5, "Колючий зверёк");
        return crossword;
    }
};

// The texts drawn on a page, top level and in its pieces, each with whether it is upside down.
void PageTexts(const TMetafile& page, std::vector<std::pair<std::string, bool>>& texts, bool turned = false) {
    for (const TCanvasCall& call : page.Calls()) {
        if (call.Op == TCanvasOp::Text) texts.emplace_back(ToUtf8(call.Text), turned);
        if (call.Op == TCanvasOp::Metafile && call.Metafile) PageTexts(*call.Metafile, texts, turned || call.HalfTurn);
    }
}

std::vector<std::string> UprightTexts(const TMetafile& page) {
    std::vector<std::pair<std::string, bool>> all;
    PageTexts(page, all);
    std::vector<std::string> upright;
    for (const auto& [text, turned] : all)
        if (!turned) upright.push_back(text);
    return upright;
}

TEST_F(PageTest, ListHoldsTheKindsHeadingsNumbersAndBlankLinesForMissingClues) {
    auto crossword = WithClues();
    const TClueList list = PageClueList(*crossword, true);
    std::vector<std::string> lines;
    for (const TListEntry& entry : list.Entries)
        lines.push_back((entry.Heading ? "# " : "") + ToUtf8(entry.Label) + "|" + ToUtf8(entry.Text));
    EXPECT_EQ(lines, (std::vector<std::string>{"# |По горизонтали", "1.|Жилое здание (3).", "4.|Упрямое животное (5).",
                                               "5.|Колючий зверёк (2).", "# |По вертикали", "1.|Дерево с желудями (3).",
                                               "2.|Весенний месяц (4).", "3.|______________ (4)."}));
    EXPECT_TRUE(list.Note.empty());
}

TEST_F(PageTest, AKindWithNothingToListSaysSo) {
    TClueGridCrossword grid;
    EXPECT_TRUE(PageClueList(grid, false).Entries.empty());
    EXPECT_EQ(ToUtf8(PageClueList(grid, false).Note), "Определения стоят в сетке.");
    TClassicCrossword empty;
    EXPECT_EQ(ToUtf8(PageClueList(empty, false).Note), "В кроссворде нет слов.");
}

TEST_F(PageTest, MissingPartsAreCounted) {
    struct Case {
        const char* name;
        std::function<std::unique_ptr<TClassicCrossword>()> make;
        int emptyCells;
        int withoutClue;
        const char* said;
    };
    const Case cases[] = {
        {"complete",
         [&] {
             auto c = WithClues();
             SetDefinition(*c, 3, "Лошадь");
             return c;
         },
         0, 0, ""},
        {"one clue missing", [&] { return WithClues(); }, 0, 1, "1 word without a clue"},
        {"empty", [&] { return MakeSmall(false); }, 16, 6, "16 empty cells, 6 words without a clue"},
    };
    for (const Case& c : cases) {
        const TMissingParts missing = MissingParts(*c.make());
        EXPECT_EQ(missing.EmptyCells, c.emptyCells) << c.name;
        EXPECT_EQ(missing.WordsWithoutClue, c.withoutClue) << c.name;
        EXPECT_EQ(missing.Describe(), c.said) << c.name;
        EXPECT_EQ(missing.None(), c.emptyCells == 0 && c.withoutClue == 0) << c.name;
    }
}

TEST(Paper, NamesAndSizes) {
    struct Case {
        const char* text;
        bool ok;
        double width;
        double height;
    };
    const Case cases[] = {
        {"A4", true, 210, 297},       {"a5", true, 148, 210},        {"Letter", true, 215.9, 279.4},
        {"100x150mm", true, 100, 150}, {"99.5x120mm", true, 99.5, 120}, {"A3", false, 0, 0},
        {"100x150", false, 0, 0},      {"40x150mm", false, 0, 0},     {"100x1001mm", false, 0, 0},
        {"x150mm", false, 0, 0},       {"100x150mmm", false, 0, 0},
    };
    for (const Case& c : cases) {
        TPaper paper;
        EXPECT_EQ(ParsePaper(c.text, paper), c.ok) << c.text;
        if (!c.ok) continue;
        EXPECT_DOUBLE_EQ(paper.Width, c.width) << c.text;
        EXPECT_DOUBLE_EQ(paper.Height, c.height) << c.text;
    }
}

TEST(ListFlow, EntriesStayWholeAndHeadingsGoWithTheirFirstEntry) {
    // Blocks of 1 to 3 lines of 10 units; frames of 40 units, the first cut to 15 by a grid.
    const auto block = [](int lines, bool heading) {
        TSetBlock b;
        b.Lines.resize(lines);
        b.KeepWithNext = heading;
        return b;
    };
    const std::vector<TSetBlock> blocks = {block(1, false), block(1, true), block(2, false), block(3, false),
                                           block(1, true), block(1, false)};
    const auto frameAt = [](int i) { return TColumnFrame{i / 2, 100 * (i % 2), i == 0 ? 25 : 0, 40}; };
    std::vector<TColumnFrame> frames;
    const std::vector<TPlacedBlock> placed = FlowBlocks(blocks, 10, frameAt, frames);
    // The first frame holds one line only: the heading moves on with its entry.
    const std::vector<std::pair<int, int>> expected = {{0, 25}, {1, 0}, {1, 10}, {2, 0}, {3, 0}, {3, 10}};
    ASSERT_EQ(placed.size(), expected.size());
    for (std::size_t i = 0; i < placed.size(); ++i) {
        EXPECT_EQ(placed[i].Frame, expected[i].first) << i;
        EXPECT_EQ(placed[i].Top, expected[i].second) << i;
    }
    EXPECT_EQ(frames.size(), 4u);

    // A block that an empty short frame cannot hold waits for a taller one.
    const std::vector<TPlacedBlock> tall = FlowBlocks({block(2, false)}, 10, frameAt, frames);
    EXPECT_EQ(tall[0].Frame, 1);
}

TEST_F(PageTest, SolutionGoesWhereTheSetupPutsIt) {
    struct Case {
        TSolutionPlace place;
        std::size_t pages;
        bool turned;
    };
    for (const Case& c : {Case{TSolutionPlace::Same, 1, true}, Case{TSolutionPlace::Separate, 2, false},
                          Case{TSolutionPlace::None, 1, false}}) {
        auto crossword = WithClues();
        TPageSetup setup;
        setup.Title = Cp("Пробный");
        setup.Solution = c.place;
        const std::vector<TMetafile> pages = PuzzlePages(*crossword, setup);
        ASSERT_EQ(pages.size(), c.pages) << int(c.place);
        std::vector<std::pair<std::string, bool>> texts;
        PageTexts(pages[0], texts);
        const auto has = [&](const std::string& text, bool turned) {
            return std::count(texts.begin(), texts.end(), std::pair(text, turned));
        };
        EXPECT_EQ(has("Пробный", false), 1);
        EXPECT_EQ(has("По горизонтали", false), 1);
        EXPECT_EQ(has("Колючий зверёк", false), 1);
        EXPECT_EQ(has("Ответ", true), c.turned ? 1 : 0);
        // The solution shows the answers' letters; the puzzle grid shows none.
        EXPECT_EQ(has("Б", true), c.turned ? 1 : 0);
        EXPECT_EQ(has("Б", false), 0);
        if (c.place == TSolutionPlace::Separate) {
            const std::vector<std::string> solution = UprightTexts(pages[1]);
            EXPECT_EQ(std::count(solution.begin(), solution.end(), "Б"), 1);
            EXPECT_EQ(std::count(solution.begin(), solution.end(), "Ответ"), 1);
        }
    }
}

TEST_F(PageTest, LongListGoesOnOverPagesWithTheSolutionAtTheLastFoot) {
    // An empty dense grid: hundreds of entries, each with its blank line.
    GridPicture grid(31, std::string(31, '.'));
    for (int y = 0; y < 31; ++y)
        for (int x = 0; x < 31; ++x)
            if ((x + 2 * y) % 5 == 0) grid[y][x] = '#';
    auto crossword = Make(grid, {"ж"});
    crossword->Template->NumberCells();
    TPageSetup setup;
    ASSERT_TRUE(ParsePaper("A5", setup.Paper));
    const std::vector<TMetafile> pages = PuzzlePages(*crossword, setup);
    ASSERT_GT(pages.size(), 2u);
    std::vector<int> numbers;
    for (std::size_t p = 0; p < pages.size(); ++p) {
        std::vector<std::pair<std::string, bool>> texts;
        PageTexts(pages[p], texts);
        const bool foot = std::any_of(texts.begin(), texts.end(), [](const auto& t) { return t.second; });
        EXPECT_EQ(foot, p + 1 == pages.size()) << p;
        for (const std::string& text : UprightTexts(pages[p]))
            if (text.size() > 1 && text.back() == '.' && std::isdigit(static_cast<unsigned char>(text[0])))
                numbers.push_back(std::stoi(text));
    }
    // Every slot is listed once: the across numbers in order, then the down numbers.
    EXPECT_EQ(numbers.size(), static_cast<std::size_t>(crossword->Words.Count()));
    const auto down = std::adjacent_find(numbers.begin(), numbers.end(), std::greater<>());
    ASSERT_NE(down, numbers.end());
    EXPECT_TRUE(std::is_sorted(numbers.begin(), down + 1));
    EXPECT_TRUE(std::is_sorted(down + 1, numbers.end()));
}

}  // namespace
