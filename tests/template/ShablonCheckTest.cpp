#include "GridPicture.h"

#include "platform/Text.h"
#include "template/ClassicShablon.h"

#include <gtest/gtest.h>

#include <deque>
#include <random>
#include <set>

namespace {

// A classic template with clue cells ("?" in the picture) and a choice of slot layout.
class TestShablon : public TClassicShablon {
public:
    explicit TestShablon(const GridPicture& rows, int layout = 0) : TClassicShablon(1, 1), mLayout(layout) {
        DrawGrid(*this, rows);
        for (int y = 0; y < Height; ++y)
            for (int x = 0; x < Width; ++x)
                if (rows[y][x] == '?') {
                    SetLetterCellOnly(x, y, false);
                    mClues.insert({x, y});
                }
    }
    int GetWordLayout() const override { return mLayout; }
    bool IsClueCell(int x, int y) const override { return mClues.count({x, y}) != 0; }

private:
    int mLayout;
    std::set<std::pair<int, int>> mClues;
};

// The inner blanks as a picture: "o" an inner blank, "." a letter cell, "#" another cell.
GridPicture InnerBlanksOf(const TShablon& shablon) {
    GridPicture rows = PictureOf(shablon);
    for (int y = 0; y < shablon.Height; ++y)
        for (int x = 0; x < shablon.Width; ++x)
            if (shablon.IsInnerBlank(x, y)) rows[y][x] = 'o';
    return rows;
}

// What the inner blanks must be: non-letter cells that a plain breadth-first search from the
// border through non-letter, non-clue cells never reaches.
GridPicture ReferenceInnerBlanks(const TShablon& shablon) {
    const int w = shablon.Width, h = shablon.Height;
    const auto free = [&](int x, int y) { return !shablon.IsLetterCell(x, y) && !shablon.IsClueCell(x, y); };
    std::vector<std::vector<bool>> reached(w, std::vector<bool>(h, false));
    std::deque<std::pair<int, int>> queue;
    for (int x = 0; x < w; ++x)
        for (int y = 0; y < h; ++y)
            if ((x == 0 || y == 0 || x == w - 1 || y == h - 1) && free(x, y)) {
                reached[x][y] = true;
                queue.push_back({x, y});
            }
    while (!queue.empty()) {
        const auto [x, y] = queue.front();
        queue.pop_front();
        for (const auto& [dx, dy] : {std::pair{1, 0}, {-1, 0}, {0, 1}, {0, -1}}) {
            const int nx = x + dx, ny = y + dy;
            if (nx < 0 || ny < 0 || nx >= w || ny >= h || reached[nx][ny] || !free(nx, ny)) continue;
            reached[nx][ny] = true;
            queue.push_back({nx, ny});
        }
    }
    GridPicture rows = PictureOf(shablon);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            if (!shablon.IsLetterCell(x, y) && !reached[x][y]) rows[y][x] = 'o';
    return rows;
}

std::vector<uint16_t> MarksOf(const TShablon& shablon) {
    std::vector<uint16_t> marks;
    for (int y = 0; y < shablon.Height; ++y)
        for (int x = 0; x < shablon.Width; ++x) marks.push_back(shablon.MarksAt(x, y));
    return marks;
}

constexpr uint16_t Few = DefectMark::FewCrossings | DefectMark::LowCrossings;

}  // namespace

TEST(CheckTemplate, MarksQuestionableSlots) {
    struct Case {
        const char* what;
        GridPicture grid;
        std::vector<uint16_t> marks;  // row by row
        int layout = 0;
        int maxWordLength = 25;
    };
    const std::vector<Case> cases = {
        {"lone letter", {"#.#"}, {0, DefectMark::NoSlot, 0}},
        {"two letters, too short", {"..#"}, {Few | DefectMark::TooShort, Few | DefectMark::TooShort, 0}},
        {"cross of two five-letter words",
         {"##.##", "##.##", ".....", "##.##", "##.##"},
         {0, 0, Few, 0, 0, 0, 0, Few, 0, 0, Few, Few, Few, Few, Few, 0, 0, Few, 0, 0, 0, 0, Few, 0, 0}},
        {"well crossed", {"...", "...", "..."}, std::vector<uint16_t>(9, 0)},
        {"longer than allowed", {"....", "....", "...."}, std::vector<uint16_t>(12, DefectMark::TooLong), 0, 3},
        {"free paths: only lone letters", {".#..", "#..#"}, {DefectMark::NoSlot, 0, 0, 0, 0, 0, 0, 0}, 1},
    };
    for (const Case& c : cases) {
        TestShablon shablon(c.grid, c.layout);
        shablon.MaxWordLength = static_cast<uint8_t>(c.maxWordLength);
        std::fill(shablon.Marks.begin(), shablon.Marks.end(), 0xFFFF);  // stale marks are cleared
        shablon.CheckTemplate();
        EXPECT_EQ(MarksOf(shablon), c.marks) << c.what;
    }
}

TEST(CheckTemplate, TwentySixLettersAreTooLong) {
    TestShablon shablon({std::string(26, '.')});
    shablon.CheckTemplate();
    EXPECT_EQ(MarksOf(shablon), std::vector<uint16_t>(26, Few | DefectMark::Over25 | DefectMark::TooLong));
    shablon.MaxWordLength = 30;
    shablon.CheckTemplate();
    EXPECT_EQ(MarksOf(shablon), std::vector<uint16_t>(26, Few | DefectMark::Over25));
}

TEST(MarkInnerBlanks, EnclosedBlanksOnly) {
    struct Case {
        const char* what;
        GridPicture grid;
        GridPicture expected;
    };
    const std::vector<Case> cases = {
        {"ring", {".....", ".#.#.", "....."}, {".....", ".o.o.", "....."}},
        {"blank touching the border", {"..#", ".#.", "..."}, {"..#", ".o.", "..."}},
        {"open ring leaks", {".##.", ".#..", "...."}, {".##.", ".#..", "...."}},
        {"diagonal gap does not leak", {"#.##", ".#.#", "#.##"}, {"#.##", ".o.#", "#.##"}},
        {"clue cells wall in and stay flagged", {"#?#", "?#?", "#?#"}, {"#o#", "ooo", "#o#"}},
        {"single column", {"#", ".", "#"}, {"#", ".", "#"}},
    };
    for (const Case& c : cases) {
        TestShablon shablon(c.grid);
        shablon.MarkInnerBlanks();
        EXPECT_EQ(InnerBlanksOf(shablon), c.expected) << c.what;
    }
}

TEST(MarkInnerBlanks, MatchesAPlainFloodFillOnRandomGrids) {
    std::mt19937 random(20261);
    for (int round = 0; round < 300; ++round) {
        const int w = 1 + static_cast<int>(random() % 24);
        const int h = 1 + static_cast<int>(random() % 24);
        const unsigned letterShare = 30 + random() % 50;  // percent
        GridPicture grid(h, std::string(w, '#'));
        for (std::string& row : grid)
            for (char& c : row) {
                const unsigned roll = random() % 100;
                c = roll < letterShare ? '.' : roll < letterShare + 5 ? '?' : '#';
            }
        TestShablon shablon(grid);
        shablon.MarkInnerBlanks();
        ASSERT_EQ(InnerBlanksOf(shablon), ReferenceInnerBlanks(shablon)) << "round " << round;
        // Running again after a change leaves no stale flags.
        shablon.SetLetterCellOnly(static_cast<int>(random() % w), static_cast<int>(random() % h), false);
        shablon.MarkInnerBlanks();
        ASSERT_EQ(InnerBlanksOf(shablon), ReferenceInnerBlanks(shablon)) << "round " << round << " again";
    }
}

TEST(MirrorCells, SwapsWholeCellsAcrossTheRectangle) {
    struct Case {
        const char* what;
        GridPicture grid;
        int x0, y0, x1, y1;
        TMirrorAxes axes;
        GridPicture expected;
    };
    const std::vector<Case> cases = {
        {"odd span keeps the middle", {".#..#"}, 0, 0, 4, 0, TMirrorAxes::Horizontal, {"#..#."}},
        {"even span", {"..##"}, 0, 0, 3, 0, TMirrorAxes::Horizontal, {"##.."}},
        {"inside a rectangle", {"#..##", "#.###"}, 1, 0, 3, 1, TMirrorAxes::Horizontal, {"##..#", "###.#"}},
        {"vertical", {".#", "##", "#."}, 0, 0, 1, 2, TMirrorAxes::Vertical, {"#.", "##", ".#"}},
        {"both", {".#", "##"}, 0, 0, 1, 1, TMirrorAxes::Both, {"##", "#."}},
        {"a one-column span stays", {".#"}, 1, 0, 1, 0, TMirrorAxes::Both, {".#"}},
    };
    for (const Case& c : cases) {
        TestShablon shablon(c.grid);
        shablon.MirrorCells(c.x0, c.y0, c.x1, c.y1, c.axes);
        EXPECT_EQ(PictureOf(shablon), c.expected) << c.what;
    }

    TestShablon shablon({"...", "#.#"});
    shablon.NumberCells();
    shablon.RawCell(0, 0).Attr = 0x1234;
    shablon.MirrorCells(0, 0, 2, 1, TMirrorAxes::Horizontal);
    EXPECT_EQ(shablon.RawCell(2, 0).Attr, 0x1234u);
    EXPECT_EQ(shablon.GetNumber(2, 0), 1);  // numbers travel with their cells, stale until renumbered
    EXPECT_EQ(shablon.GetNumber(1, 0), 2);
}

TEST(MirrorCells, StaysInsideTheArray) {
    TestShablon shablon({"..#"});
    shablon.SetSize(TShablon::MaxSide, 1);
    shablon.MirrorCells(-5, 0, 260, 0, TMirrorAxes::Both);
    EXPECT_TRUE(shablon.IsLetterCell(199, 0));
    EXPECT_TRUE(shablon.IsLetterCell(198, 0));
    EXPECT_FALSE(shablon.IsLetterCell(0, 0));
}

TEST(UsedBounds, LetterAndClueCellsCount) {
    struct Case {
        GridPicture grid;
        int minX, minY, endX, endY;
    };
    const std::vector<Case> cases = {
        {{"###", "###"}, 0, 0, 1, 1},
        {{"####", "#.##", "##.#", "####"}, 1, 1, 3, 3},
        {{"###?", "####"}, 3, 0, 4, 1},
        {{"....."}, 0, 0, 5, 1},
    };
    for (const Case& c : cases) {
        TestShablon shablon(c.grid);
        int minX = -1, minY = -1, endX = -1, endY = -1;
        shablon.GetUsedBounds(minX, minY, endX, endY);
        EXPECT_EQ(std::vector<int>({minX, minY, endX, endY}), std::vector<int>({c.minX, c.minY, c.endX, c.endY}));
    }

    TestShablon empty({"###", "###"});
    empty.CropToUsed();
    EXPECT_EQ(PictureOf(empty), GridPicture({"#"}));
}

TEST(ShiftCells, MovesColumnsAndRowsAndClearsTheVacatedLetters) {
    struct Case {
        const char* what;
        GridPicture grid;
        int dx, dy;
        GridPicture expected;
    };
    const std::vector<Case> cases = {
        {"left by two", {"..#.#.#..#"}, -2, 0, {"#.#.#..###"}},
        {"right by one", {".#..", "#..#"}, 1, 0, {"#.#.", "##.."}},
        {"up by one", {".#", "#.", ".."}, 0, -1, {"#.", "..", "##"}},
        {"down and left", {"..", ".#"}, -1, 1, {"##", ".#"}},
    };
    for (const Case& c : cases) {
        TestShablon shablon(c.grid);
        shablon.ShiftCells(0, 0, shablon.Width - 1, shablon.Height - 1, c.dx, c.dy);
        EXPECT_EQ(PictureOf(shablon), c.expected) << c.what;
    }

    // A vacated cell loses only its letter flag; the numbers are recomputed.
    TestShablon shablon({"#.........", "#........."});
    shablon.RawCell(9, 0).Attr = 77;
    shablon.ShiftCells(0, 0, 9, 1, -2, 0);
    EXPECT_EQ(shablon.RawCell(7, 0).Attr, 77u);
    EXPECT_EQ(shablon.RawCell(9, 0).Attr, 77u);
    EXPECT_FALSE(shablon.IsLetterCell(9, 0));
    EXPECT_EQ(shablon.GetNumber(0, 0), 1);
    EXPECT_EQ(shablon.GetNumber(7, 0), 8);
}

TEST(GetStatistics, ReportsLengthsCellsAndCrossings) {
    struct Case {
        const char* what;
        GridPicture grid;
        std::string report;
    };
    const std::string head = "Тип кроссворда - \r\n";
    const std::vector<Case> cases = {
        {"two crossing five-letter words",
         {"##.##", "##.##", ".....", "##.##", "##.##"},
         head + "Общее число слов в кроссворде - 2\r\nИз 5 букв -\t2\r\nОбщая длина всех слов - 10\r\n"
                "Общее число рабочих клеток - 9\r\nКоэффициент пересечений - 20.00%\r\n"},
        {"no words",
         {"#.#"},
         head + "Общее число слов в кроссворде - 0\r\nОбщая длина всех слов - 0\r\n"
                "Общее число рабочих клеток - 1\r\nКоэффициент пересечений - 0.00%\r\n"},
        {"a long word counts only in the total",
         {std::string(27, '.'), "..#" + std::string(24, '#')},
         head + "Общее число слов в кроссворде - 4\r\nИз 2 букв -\t3\r\nСлов из более чем 25 букв - 1\r\n\r\n"
                "Общая длина всех слов - 6\r\nОбщее число рабочих клеток - 29\r\n"
                "Коэффициент пересечений - 0.00%\r\n"},
    };
    for (const Case& c : cases) {
        TestShablon shablon(c.grid);
        EXPECT_EQ(ToUtf8(shablon.GetStatistics()), c.report) << c.what;
    }

    // A kind whose lone letters are one-letter slots: they count as words, not in the lengths.
    class LoneSlots : public TestShablon {
    public:
        using TestShablon::TestShablon;
        void WordsThroughCell(int x, int y, TShablonWords& words) const override {
            TestShablon::WordsThroughCell(x, y, words);
            if (IsLetterCell(x, y) && words.Count() == 0) words.AddWord(x, y, 1, "");
        }
    };
    const LoneSlots lone({".#.."});
    EXPECT_EQ(ToUtf8(lone.GetStatistics()),
              head + "Общее число слов в кроссворде - 2\r\nИз 2 букв -\t1\r\nОбщая длина всех слов - 2\r\n"
                     "Общее число рабочих клеток - 3\r\nКоэффициент пересечений - 0.00%\r\n");

    KindNames[0] = "Классический"_cp;
    TestShablon named({".."});
    EXPECT_TRUE(ToUtf8(named.GetStatistics()).starts_with("Тип кроссворда - Классический\r\n"));
    KindNames[0].clear();
}
