#include "kinds/EstonishCrossword.h"
#include "kinds/EstonishShablon.h"

#include "FieldCheck.h"

#include "../crossword/CrosswordFixture.h"
#include "../crossword/FillFixture.h"

#include "crossword/CrosswordFactory.h"
#include "export/ComExport.h"
#include "kinds/Kinds.h"
#include "platform/Clock.h"
#include "template/ShablonFactory.h"

#include <map>
#include <set>
#include <tuple>
#include <utility>

namespace {

// Wall bits as the template stores them.
constexpr int Below = 1, Right = 2, Above = 4, Left = 8;

struct TWall {
    int X;
    int Y;
    int Bits;
};

const TShablonKind WallKinds[] = {TShablonKind::Estonish, TShablonKind::American};

std::string Cell(char c) {
    return std::string(1, c);
}

// A template text: kind, columns, rows, then the cells as given (column by column).
std::string Text(char kind, int columns, int rows, const std::string& cells) {
    return std::string(1, kind) + static_cast<char>(48 + columns) + static_cast<char>(48 + rows) + cells;
}

std::unique_ptr<TShablon> MakeTemplate(TShablonKind kind, const GridPicture& grid, const std::vector<TWall>& walls) {
    RegisterKinds();
    auto shablon = CreateTemplate(1, 1, static_cast<int>(kind));
    DrawGrid(*shablon, grid);
    for (const TWall& wall : walls) shablon->SetAttrA(wall.X, wall.Y, wall.Bits);
    return shablon;
}

// The walls of the grid as (x, y) -> bits, cells without walls left out.
std::map<std::pair<int, int>, int> WallsOf(const TShablon& shablon) {
    std::map<std::pair<int, int>, int> walls;
    for (int x = 0; x < shablon.Width; ++x)
        for (int y = 0; y < shablon.Height; ++y)
            if (shablon.GetAttrA(x, y) != 0) walls[{x, y}] = shablon.GetAttrA(x, y);
    return walls;
}

// The words through a cell as (x, y, length, path).
std::vector<std::tuple<int, int, int, std::string>> WordsAt(const TShablon& shablon, int x, int y) {
    TShablonWords words;
    shablon.WordsThroughCell(x, y, words);
    std::vector<std::tuple<int, int, int, std::string>> result;
    for (int i = 0; i < words.Count(); ++i)
        result.emplace_back(words.WordX(i), words.WordY(i), words.WordLength(i), std::string(words.WordPath(i)));
    return result;
}

class EstonishTest : public CrosswordTest {};

// The runs of the picture, ended by blocks, the border and the test's own walls: each as its
// cells.
std::vector<std::vector<std::pair<int, int>>> RunsOf(const GridPicture& grid, const std::vector<TWall>& walls) {
    std::set<std::pair<std::pair<int, int>, std::pair<int, int>>> closed;
    for (const TWall& w : walls) {
        if (w.Bits & Right) closed.insert({{w.X, w.Y}, {w.X + 1, w.Y}});
        if (w.Bits & Left) closed.insert({{w.X - 1, w.Y}, {w.X, w.Y}});
        if (w.Bits & Below) closed.insert({{w.X, w.Y}, {w.X, w.Y + 1}});
        if (w.Bits & Above) closed.insert({{w.X, w.Y - 1}, {w.X, w.Y}});
    }
    const int height = static_cast<int>(grid.size()), width = static_cast<int>(grid[0].size());
    const auto letter = [&](int x, int y) { return x < width && y < height && grid[y][x] != '#'; };
    std::vector<std::vector<std::pair<int, int>>> runs;
    const auto walk = [&](int x, int y, int dx, int dy) {
        std::vector<std::pair<int, int>> run;
        for (; letter(x, y); x += dx, y += dy) {
            run.emplace_back(x, y);
            if (closed.contains({{x, y}, {x + dx, y + dy}})) break;
        }
        return run;
    };
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const bool acrossStart = x == 0 || !letter(x - 1, y) || closed.contains({{x - 1, y}, {x, y}});
            const bool downStart = y == 0 || !letter(x, y - 1) || closed.contains({{x, y - 1}, {x, y}});
            for (const auto& [start, dx, dy] : {std::tuple{acrossStart, 1, 0}, std::tuple{downStart, 0, 1}}) {
                if (!start || !letter(x, y)) continue;
                auto run = walk(x, y, dx, dy);
                if (run.size() >= 2) runs.push_back(run);
            }
        }
    return runs;
}

// A filled wall grid checked by its letters and the test's walls alone: every filled slot lies
// on one run, every run holds a dictionary word equal to its slot's word, no word twice.
::testing::AssertionResult SoundWallFill(const TCrossword& crossword, const GridPicture& grid,
                                         const std::vector<TWall>& walls) {
    const auto runs = RunsOf(grid, walls);
    std::set<std::string> seen;
    int slotsOnRuns = 0;
    for (const auto& run : runs) {
        std::string word;
        for (const auto& [x, y] : run) word += crossword.CellText(x, y);
        int index = 0;
        if (!crossword.Dictionary.Find(word, index))
            return ::testing::AssertionFailure() << "\"" << ToUtf8(word) << "\" is not in the dictionary";
        if (!seen.insert(word).second) return ::testing::AssertionFailure() << "\"" << ToUtf8(word) << "\" twice";
        for (int i = 0; i < crossword.Words.Count(); ++i) {
            const TCoord cells = crossword.SlotCells(i);
            if (cells.Count() != static_cast<int>(run.size()) || cells.CellX(0) != run[0].first ||
                cells.CellY(0) != run[0].second || cells.CellX(1) != run[1].first || cells.CellY(1) != run[1].second)
                continue;
            ++slotsOnRuns;
            if (!crossword.Words.SlotFilled(i) || crossword.Words.SlotWord(i) != word)
                return ::testing::AssertionFailure() << "the slot of \"" << ToUtf8(word) << "\" holds another word";
        }
    }
    if (slotsOnRuns != static_cast<int>(runs.size()) || crossword.Words.Count() != slotsOnRuns)
        return ::testing::AssertionFailure() << crossword.Words.Count() << " slots for " << runs.size() << " runs";
    return ::testing::AssertionSuccess();
}

std::unique_ptr<TCrossword> MakeCrossword(TShablonKind kind, const GridPicture& grid, const std::vector<TWall>& walls,
                                          const std::string& dictionary) {
    RegisterKinds();
    auto crossword = CreateCrossword(static_cast<int>(kind), TKindCode::Template);
    crossword->Dictionary.ShowProgress = false;
    EXPECT_TRUE(crossword->LoadDictionary(dictionary));
    crossword->SetWidth(static_cast<int>(grid[0].size()));
    crossword->SetHeight(static_cast<int>(grid.size()));
    DrawGrid(*crossword->Template, grid);
    for (const TWall& wall : walls) crossword->Template->SetAttrA(wall.X, wall.Y, wall.Bits);
    crossword->Template->NumberCells();
    crossword->PrepareForFill();
    return crossword;
}

// Three-letter words in rows of nine letter cells, split by walls on the right of columns 2 and
// 5; a wall below every cell keeps the columns from forming words.
GridPicture WalledRows(int rows, std::vector<TWall>& walls) {
    walls.clear();
    for (int y = 0; y < rows; ++y)
        for (int x = 0; x < 9; ++x) walls.push_back({x, y, (x == 2 || x == 5 ? Right : 0) | Below});
    return GridPicture(rows, std::string(9, '.'));
}

}  // namespace

TEST_F(EstonishTest, TextsRoundTripWithWallsOnAllSides) {
    // 3 x 3: the middle cell walled on all four sides, a corner walled towards the border (kept
    // as read until the numbering filters it), one other cell.
    const std::string cells = Cell(3) + Cell(12) + Cell(1) + Cell(1) +  // column 0
                              Cell(1) + Cell(3) + Cell(15) + Cell(2) +  // column 1
                              Cell(1) + Cell(3) + Cell(1) + Cell(1);    // column 2
    for (const auto& [kind, letter] : {std::pair{TShablonKind::Estonish, '1'}, std::pair{TShablonKind::American, '<'}}) {
        SCOPED_TRACE(letter);
        auto shablon = MakeTemplate(kind, {"...", "...", "..."}, {});
        ASSERT_TRUE(shablon->ParseTemplate(Text(letter, 3, 3, cells), 0, 0));
        EXPECT_EQ(shablon->SerializeTemplate(0, 0, 2, 2), Text(letter, 3, 3, cells));
        EXPECT_EQ(PictureOf(*shablon), (GridPicture{"...", "...", ".#."}));
        EXPECT_EQ(WallsOf(*shablon), (std::map<std::pair<int, int>, int>{{{0, 0}, 12}, {{1, 1}, 15}, {{2, 1}, 1}}));
        shablon->NumberCells();
        // The corner's walls face the border; the middle cell's lower wall faces the other cell.
        EXPECT_EQ(WallsOf(*shablon), (std::map<std::pair<int, int>, int>{{{1, 1}, 14}, {{2, 1}, 1}}));
        EXPECT_TRUE(mUi->Messages.empty());
    }
}

TEST_F(EstonishTest, TextKindsTheTemplatesAccept) {
    RegisterKinds();
    const std::string incompatible(("Несовместимый тип шаблона!"_cp));
    struct Case {
        TShablonKind kind;
        char text;
        bool accepted;
    };
    const Case cases[] = {
        {TShablonKind::Estonish, '0', true},  {TShablonKind::Estonish, '1', true},
        {TShablonKind::Estonish, '<', true},  {TShablonKind::Estonish, '2', false},
        {TShablonKind::American, '0', true},  {TShablonKind::American, '1', true},
        {TShablonKind::American, '<', true},  {TShablonKind::American, '3', false},
        {TShablonKind::Classic, '0', true},   {TShablonKind::Classic, '1', false},
        {TShablonKind::Classic, '<', false},  {TShablonKind::Classic, '2', false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(static_cast<int>(c.kind)) + " <- " + c.text);
        mUi->Messages.clear();
        auto shablon = CreateTemplate(2, 1, static_cast<int>(c.kind));
        EXPECT_EQ(shablon->ParseTemplate(Text(c.text, 2, 1, Cell(1) + Cell(2)), 0, 0), c.accepted);
        if (c.accepted) {
            EXPECT_TRUE(mUi->Messages.empty());
            EXPECT_EQ(PictureOf(*shablon), (GridPicture{".#"}));
        } else {
            EXPECT_EQ(mUi->Messages, std::vector<std::string>{incompatible});
        }
    }
}

TEST_F(EstonishTest, TruncatedTextsAreRefusedKeepingWhatWasRead) {
    const std::string malformed(("Неверный формат шаблона!"_cp));
    struct Case {
        const char* name;
        std::string text;
        GridPicture kept;
    };
    const Case cases[] = {
        {"short", "1\x32", {"###"}},
        {"a cell missing", Text('1', 3, 1, Cell(1) + Cell(3) + Cell(2)), {"..#"}},
        {"the walls byte missing", Text('1', 3, 1, Cell(1) + Cell(3)), {".##"}},
    };
    for (const auto kind : WallKinds)
        for (const Case& c : cases) {
            SCOPED_TRACE(c.name);
            mUi->Messages.clear();
            auto shablon = MakeTemplate(kind, {"###"}, {});
            EXPECT_FALSE(shablon->ParseTemplate(c.text, 0, 0));
            EXPECT_EQ(mUi->Messages, std::vector<std::string>{malformed});
            EXPECT_EQ(PictureOf(*shablon), c.kept);
        }
}

TEST_F(EstonishTest, WallsEndTheRuns) {
    using Words = std::vector<std::tuple<int, int, int, std::string>>;
    struct Case {
        const char* name;
        GridPicture grid;
        std::vector<TWall> walls;
        int x, y;
        Words words;
    };
    const Case cases[] = {
        {"a wall right of (2, 0), left of it", {"....."}, {{2, 0, Right}}, 1, 0, {{0, 0, 3, "66"}}},
        {"a wall right of (2, 0), right of it", {"....."}, {{2, 0, Right}}, 3, 0, {{3, 0, 2, "6"}}},
        {"the same wall as the left wall of (3, 0)", {"....."}, {{3, 0, Left}}, 1, 0, {{0, 0, 3, "66"}}},
        {"a wall above", {".", ".", ".", "."}, {{0, 2, Above}}, 0, 3, {{0, 2, 2, "2"}}},
        {"a wall below", {".", ".", ".", "."}, {{0, 1, Below}}, 0, 0, {{0, 0, 2, "2"}}},
        {"walls round a cell leave it no word", {"...", "...", "..."}, {{1, 1, 15}}, 1, 1, {}},
        {"a block ends a run as in the classic grid", {"..#..", "....."}, {}, 1, 0, {{0, 0, 2, "6"}, {1, 0, 2, "2"}}},
    };
    for (const auto kind : WallKinds)
        for (const Case& c : cases) {
            SCOPED_TRACE(c.name);
            auto shablon = MakeTemplate(kind, c.grid, c.walls);
            EXPECT_EQ(WordsAt(*shablon, c.x, c.y), c.words);
        }
}

TEST_F(EstonishTest, WallsAreMirroredAndFiltered) {
    struct Case {
        const char* name;
        bool mirrorX, mirrorY;
        TWall wall;
        std::map<std::pair<int, int>, int> walls;
    };
    // A 5 x 3 grid of letter cells but (3, 0); mirrors through column 2 and row 1.
    const Case cases[] = {
        {"no symmetry", false, false, {0, 1, Right | Above}, {{{0, 1}, Right | Above}}},
        {"across columns", true, false, {0, 1, Right | Above}, {{{0, 1}, Right | Above}, {{4, 1}, Left | Above}}},
        {"across rows", false, true, {0, 1, Right | Above}, {{{0, 1}, Right | Above | Below}}},
        {"across both", true, true, {0, 0, Right | Below},
         {{{0, 0}, Right | Below}, {{4, 0}, Below}, {{0, 2}, Right | Above}, {{4, 2}, Left | Above}}},
        {"the middle column gets both", true, false, {2, 2, Right}, {{{2, 2}, Right | Left}}},
        {"walls facing the border go", false, false, {0, 0, Left | Above | Right | Below}, {{{0, 0}, Right | Below}}},
        {"walls facing another cell go", false, false, {2, 0, Right | Below}, {{{2, 0}, Below}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto shablon = MakeTemplate(TShablonKind::Estonish, {"...#.", ".....", "....."}, {});
        shablon->MirrorX = {c.mirrorX, 2, false};
        shablon->MirrorY = {c.mirrorY, 1, false};
        shablon->SetAttrA(c.wall.X, c.wall.Y, c.wall.Bits);
        EXPECT_EQ(WallsOf(*shablon), c.walls);
    }
}

TEST_F(EstonishTest, NumbersAndWordsPerLine) {
    // Row 0 holds two words, row 1 one; every column one word of two cells.
    const GridPicture grid = {".....", "....."};
    for (const auto kind : WallKinds) {
        SCOPED_TRACE(static_cast<int>(kind));
        auto shablon = MakeTemplate(kind, grid, {{1, 0, Right}});
        shablon->NumberCells();
        std::vector<int> numbers;
        for (int y = 0; y < 2; ++y)
            for (int x = 0; x < 5; ++x) numbers.push_back(shablon->GetNumber(x, y));
        if (kind == TShablonKind::Estonish) {
            EXPECT_EQ(numbers, (std::vector<int>{1, 2, 3, 4, 5, 6, 0, 0, 0, 0}));
        } else {
            EXPECT_EQ(numbers, std::vector<int>(10, 0));
            const auto& american = static_cast<const TAmericanShablon&>(*shablon);
            EXPECT_EQ(american.MaxWordsPerRow, 2);
            EXPECT_EQ(american.MaxWordsPerColumn, 1);
        }
    }
}

TEST_F(EstonishTest, ExportCarriesWallsAndNumbers) {
    for (const auto kind : WallKinds) {
        SCOPED_TRACE(static_cast<int>(kind));
        auto shablon = MakeTemplate(kind, {"...", "..."}, {{0, 0, Right | Below}});
        TComExport list;
        shablon->BuildExport(list);
        std::vector<int> walls, numbers;
        int cells = 0;
        for (int i = 0; i < list.Count(); ++i) {
            const auto item = static_cast<TExportKind>(list.Kind(i));
            if (item == TExportKind::Walls) walls.push_back(list.X2(i));
            if (item == TExportKind::Number) numbers.push_back(list.X2(i));
            if (item == TExportKind::Cell) ++cells;
        }
        EXPECT_EQ(cells, 6);
        EXPECT_EQ(walls, std::vector<int>{Right | Below});
        // Numbers in the export's column order: (0, 1), (1, 0), (2, 0).
        EXPECT_EQ(numbers, kind == TShablonKind::Estonish ? (std::vector<int>{3, 1, 2}) : std::vector<int>{});

        TComExport words;
        shablon->BuildWordExport(words, {TCellBlock{0, 0, 2, 1, 1, 1}});
        EXPECT_EQ(words.Count(), kind == TShablonKind::Estonish ? 2 : 0);
    }
}

TEST_F(EstonishTest, WallsWidenTheMarginUnlessTheOutlineIsWider) {
    struct Case {
        bool outline;
        int outlineWidth;
        int half;   // the top-left corner of cell (0, 0)
        int extra;  // over the classic picture's width
    };
    // Pen 7, wall factor 2: walls 14 wide; the picture grows by 2 x 14 - 7.
    const Case cases[] = {{false, 20, 7, 21}, {true, 10, 7, 21}, {true, 14, 7, 0}, {true, 20, 10, 0}};
    for (const auto kind : WallKinds)
        for (const Case& c : cases) {
            SCOPED_TRACE(std::to_string(c.outline) + " " + std::to_string(c.outlineWidth));
            auto shablon = MakeTemplate(kind, {"..", ".."}, {});
            auto classic = MakeTemplate(TShablonKind::Classic, {"..", ".."}, {});
            for (TShablon* s : {shablon.get(), classic.get()}) {
                s->WideOutline.Show = c.outline;
                s->WideOutline.Width = c.outlineWidth;
            }
            int px = 0, py = 0;
            shablon->CellToCanvas(0, 0, px, py);
            EXPECT_EQ(px, c.half);
            EXPECT_EQ(py, c.half);
            EXPECT_EQ(shablon->GetPixelWidth() - classic->GetPixelWidth(), c.extra);
            EXPECT_EQ(shablon->GetPixelHeight() - classic->GetPixelHeight(), c.extra);
        }
}

TEST_F(EstonishTest, AmericanCluesGoAcrossByRowsThenDownByColumns) {
    // Walls part row 0 and close the middle row from below.
    const GridPicture grid = {".....", "#...#", "....."};
    const std::vector<TWall> walls = {{1, 0, Right}, {1, 1, Below}, {2, 1, Below}, {3, 1, Below}};
    auto crossword = MakeCrossword(TShablonKind::American, grid, walls, WriteDictionary({"дом"}));
    const std::vector<std::tuple<int, int, char>> expected = {
        {0, 0, '6'}, {2, 0, '6'}, {1, 1, '6'}, {0, 2, '6'}, {1, 0, '2'}, {2, 0, '2'}, {3, 0, '2'}};
    for (const int mode : {1, 4, 5}) {
        SCOPED_TRACE(mode);
        std::vector<std::tuple<int, int, char>> starts;
        for (const int slot : crossword->OrderedWords(mode))
            starts.emplace_back(crossword->Words.WordX(slot), crossword->Words.WordY(slot),
                                crossword->Words.WordPath(slot).front());
        EXPECT_EQ(starts, expected);
    }
    EXPECT_EQ(crossword->BuildDirectionClues({}), "");
}

TEST_F(EstonishTest, FillsWithTheDefaultDictionaryAreSound) {
    const std::string dic1 = std::string(ZELVANA_DATA_DIR) + "/dic1.wdi";
    const GridPicture grid = {".......", ".#.#.#.", ".......", ".#.#.#.", "......."};
    const std::vector<TWall> walls = {{2, 0, Right}, {3, 2, Right}, {2, 4, Right}, {6, 1, Below}};
    for (const auto kind : WallKinds) {
        auto crossword = MakeCrossword(kind, grid, walls, dic1);
        for (uint32_t seed = 1; seed <= 4; ++seed) {
            SCOPED_TRACE("kind " + std::to_string(static_cast<int>(kind)) + ", seed " + std::to_string(seed));
            RandSeed(seed);
            crossword->ClearWords(0, 0, 255, 255, true);
            int errCode = 0;
            TFillResult best;
            ASSERT_TRUE(crossword->Fill(0, 0, crossword->Width, crossword->Height, false, errCode, best));
            EXPECT_TRUE(SoundWallFill(*crossword, grid, walls));
        }
    }
}

TEST_F(EstonishTest, CancelAndTheTimeLimitEndTheFill) {
    // 42 slots of three letters and 40 words: the fill searches until it is stopped.
    const std::string words = WriteDictionary(CombWords());
    std::vector<TWall> walls;
    const GridPicture grid = WalledRows(14, walls);
    for (const auto kind : WallKinds) {
        SCOPED_TRACE(static_cast<int>(kind));
        ExpectCancelAndTimeLimitEnd([&] {
            auto crossword = MakeCrossword(kind, grid, walls, words);
            EXPECT_EQ(crossword->Words.Count(), 42);
            return crossword;
        });
    }
}
