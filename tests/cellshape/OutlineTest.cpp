#include "../platform/ScratchFolder.h"

#include "cellshape/CellOutline.h"
#include "platform/Text.h"

#include <gtest/gtest.h>

namespace {

using Lines = std::vector<std::string>;
using Points = std::vector<TOutlinePoint>;

struct Outline {
    Points points;
    std::string errors;
};

Outline Build(const Lines& lines, int unitSize, int left, int top, int width, int height) {
    TOutlinePoints points;
    int count = 0;
    Outline out;
    BuildCellOutline(lines, unitSize, left, top, width, height, points, count, out.errors);
    out.points.assign(points.begin(), points.begin() + count);
    return out;
}

Outline BuildForm(uint8_t code, int left, int top, int width, int height) {
    TKletkaForm form;
    form.Form = code;
    Lines lines;
    MakeBaseFormScript(form, lines);
    return Build(lines, width, left, top, width, height);
}

TEST(CellOutline, PlainRectangleIsItsFourCorners) {
    const Outline out = BuildForm(0, 10, 20, 80, 40);
    EXPECT_EQ(out.points, (Points{{10, 20}, {90, 20}, {90, 60}, {10, 60}}));
    EXPECT_EQ(out.errors, "");
}

TEST(CellOutline, EllipseStretchesToTheCellAndCloses) {
    const Outline out = BuildForm(1, 0, 0, 100, 50);
    ASSERT_EQ(out.points.size(), 61u);
    EXPECT_EQ(out.points[0], (TOutlinePoint{50, 0}));
    EXPECT_EQ(out.points[1], (TOutlinePoint{55, 0}));
    EXPECT_EQ(out.points[2], (TOutlinePoint{60, 1}));
    EXPECT_EQ(out.points[30], (TOutlinePoint{50, 50}));  // the first arc ends exactly on its target
    EXPECT_EQ(out.points[60], (TOutlinePoint{50, 0}));   // the closing point is not a consecutive duplicate
}

TEST(CellOutline, CornerFormsKeepTheirCornerSizeWhateverTheCell) {
    // Chamfer of 5 x 20 = 100 script units: 10 output units at a unit size of 100, in both cells.
    TKletkaForm form;
    form.Form = KletkaForm::Chamfered;
    form.Param1 = 20;
    Lines lines;
    MakeBaseFormScript(form, lines);
    EXPECT_EQ(Build(lines, 100, 0, 0, 300, 50).points,
              (Points{{0, 10}, {10, 0}, {300, 0}, {300, 50}, {0, 50}}));
    EXPECT_EQ(Build(lines, 100, 0, 0, 40, 200).points,
              (Points{{0, 10}, {10, 0}, {40, 0}, {40, 200}, {0, 200}}));
}

struct AnchorCase {
    const char* name;
    Lines lines;
    Points points;
};

TEST(CellOutline, AnchorsWithStretchingOnAndOff) {
    // A 200 x 100 cell at (10, 20); 1000 units stand for 50 without stretching.
    const Lines corners = {"BEGIN 100, 200", "TOPRIGHT", "LINE -100, 200", "BOTTOMRIGHT", "LINE -100, -200",
                           "BOTTOMLEFT", "LINE 100, -200", "TOPLEFT", "LINE 0, 0"};
    const auto with = [&](std::string first) {
        Lines lines{std::move(first)};
        lines.insert(lines.end(), corners.begin(), corners.end());
        return lines;
    };
    const AnchorCase cases[] = {
        {"stretching", with("SCALE 1"), {{30, 40}, {190, 40}, {190, 100}, {30, 100}, {10, 20}}},
        {"unit size", with("SCALE 0"), {{15, 30}, {205, 30}, {205, 110}, {15, 110}, {10, 20}}},
        {"unit size by default", with("REM"), {{15, 30}, {205, 30}, {205, 110}, {15, 110}, {10, 20}}},
        // The current point is carried over to the new corner: the arc starts where BEGIN put it.
        {"arc after a corner change",
         {"SCALE 1", "BEGIN 1000, 0", "TOPRIGHT", "ARC 0, 1000, 0, 500, 0, 2"},
         {{210, 20}, {310, 70}, {210, 120}}},
        {"counter-clockwise arc",
         {"SCALE 1", "BEGIN 1000, 0", "TOPRIGHT", "ARC 0, 1000, 0, 500, 1, 2"},
         {{210, 20}, {110, 70}, {210, 120}}},
    };
    for (const AnchorCase& c : cases) {
        const Outline out = Build(c.lines, 50, 10, 20, 200, 100);
        EXPECT_EQ(out.points, c.points) << c.name;
        EXPECT_EQ(out.errors, "") << c.name;
    }
}

struct ScriptCase {
    const char* name;
    Lines lines;
    Points points;
    std::string errors;  // UTF-8 here, cp1251 in the outline
};

TEST(CellOutline, ScriptLinesAndTheirMessages) {
    // A 1000 x 1000 cell at the origin: output units equal script units.
    const ScriptCase cases[] = {
        {"nothing before BEGIN counts", {"LINE 5, 5", "ARC 1, 1, 0, 0", "FOO", "END", "LINE 7, 7"}, {}, ""},
        {"end stops reading", {"BEGIN 0, 0", "END", "LINE 5, 5", "FOO"}, {{0, 0}}, ""},
        {"a second BEGIN is reported, the first stands",
         {"BEGIN 1, 1", "BEGIN 2, 2", "LINE 3, 3"},
         {{1, 1}, {3, 3}},
         "Повторное использование команды Begin"},
        {"comments", {"REM", "rem anything", "BEGIN 0, 0"}, {{0, 0}},
         "Неверный формат параметров в строке \"rem anything\""},
        {"missing numbers keep their defaults", {"BEGIN 1, 1", "LINE 500"}, {{1, 1}, {500, 0}}, ""},
        {"empty numbers are 0, blanks before a number are allowed",
         {"BEGIN ,7", "LINE   8,  9", "LINE ,,,"}, {{0, 7}, {8, 9}, {0, 0}}, ""},
        {"commands in any case, blank lines skipped",
         {"  begin 4, 4  ", "", "   ", "Line 6, 6"}, {{4, 4}, {6, 6}}, ""},
        {"hexadecimal numbers", {"BEGIN $10, 0x20"}, {{16, 32}}, ""},
        {"a blank after a number is malformed, the line is skipped",
         {"BEGIN 0, 0", " LINE 5 , 5", "LINE 6, 6"},
         {{0, 0}, {6, 6}},
         "Неверный формат параметров в строке \" LINE 5 , 5\""},
        {"numbers beyond 32 bits are malformed",
         {"BEGIN 0, 0", "LINE 99999999999, 1", "LINE 2, 2"},
         {{0, 0}, {2, 2}},
         "Неверный формат параметров в строке \"LINE 99999999999, 1\""},
        {"a malformed line before BEGIN is still reported", {"FOO bar"}, {},
         "Неверный формат параметров в строке \"FOO bar\""},
        {"unknown commands are reported with the stored line",
         {"BEGIN 0, 0", "\tCIRCLE 5\t", "MOVE"},
         {{0, 0}},
         "Неверная команда \"\tCIRCLE 5\t\"\r\nНеверная команда \"MOVE\""},
        {"an arc of no segments is a straight line",
         {"BEGIN 0, 0", "ARC 200, 0, 100, 0, 0, 0", "ARC 400, 0, 300, 0, 0, -5"},
         {{0, 0}, {200, 0}, {400, 0}},
         ""},
        {"consecutive duplicates are dropped",
         {"BEGIN 0, 0", "LINE 0, 0", "LINE 9, 0", "LINE 9, 0", "LINE 9, 0", "LINE 0, 0"},
         {{0, 0}, {9, 0}, {0, 0}},
         ""},
    };
    for (const ScriptCase& c : cases) {
        const Outline out = Build(c.lines, 1000, 0, 0, 1000, 1000);
        EXPECT_EQ(out.points, c.points) << c.name;
        EXPECT_EQ(out.errors, FromUtf8(c.errors)) << c.name;
    }
}

TEST(CellOutline, AnArcOfFiveNumbersHasThirtySegments) {
    const Outline out = Build({"BEGIN 0, 0", "ARC 200, 0, 100, 0, 0"}, 1000, 0, 0, 1000, 1000);
    ASSERT_EQ(out.points.size(), 31u);
    EXPECT_EQ(out.points[15], (TOutlinePoint{100, -100}));  // half way, on top: the angle grew
    EXPECT_EQ(out.points[30], (TOutlinePoint{200, 0}));
}

TEST(CellOutline, PointsBeyond32BitsAreClamped) {
    const int32_t max = std::numeric_limits<int32_t>::max(), min = std::numeric_limits<int32_t>::min();
    const Outline stretched = Build({"SCALE 1", "BEGIN 1000, 0", "BOTTOMRIGHT", "LINE 2147483647, -2147483648"},
                                    0, max - 10, min + 10, max, max);
    EXPECT_EQ(stretched.points, (Points{{max, min + 10}, {max, min}}));
    const Outline unitSized = Build({"BEGIN -2147483648, 2147483647", "ARC 2147483647, -2147483648, 0, 0, 0, 3"},
                                    max, min, max, 1, 1);
    ASSERT_FALSE(unitSized.points.empty());
    EXPECT_EQ(unitSized.points.front(), (TOutlinePoint{min, max}));
    EXPECT_EQ(unitSized.points.back(), (TOutlinePoint{max, min}));
    EXPECT_EQ(unitSized.errors, "");
}

TEST(CellOutline, ThePointLimit) {
    // 1000 distinct points, then one line more.
    Lines lines{"BEGIN 0, 0"};
    for (int i = 1; i < MAX_OUTLINE_POINTS; ++i) lines.push_back("LINE " + std::to_string(i) + ", 0");
    lines.push_back("LINE 0, 0");
    Outline out = Build(lines, 1000, 0, 0, 1000, 1000);
    EXPECT_EQ(out.points.size(), 1000u);
    EXPECT_EQ(out.points.back(), (TOutlinePoint{999, 0}));
    EXPECT_EQ(out.errors, FromUtf8("Слишком много опорных точек!"));

    // An arc that reaches the limit stops early and still ends on its target; with no line
    // after it there is no message.
    lines.resize(MAX_OUTLINE_POINTS - 1);
    lines.push_back("ARC 0, 500, 0, 0, 0, 30");
    out = Build(lines, 1000, 0, 0, 1000, 1000);
    EXPECT_EQ(out.points.size(), 1000u);
    EXPECT_EQ(out.points.back(), (TOutlinePoint{0, 500}));
    EXPECT_EQ(out.errors, "");

    lines.push_back("END");
    EXPECT_EQ(Build(lines, 1000, 0, 0, 1000, 1000).errors, FromUtf8("Слишком много опорных точек!"));
}

class ScriptFile : public testing::Test {
protected:
    std::string Write(const char* name, const std::string& text) const { return scratch.Write(name, text); }

    ScratchFolder scratch{"script"};
    const std::filesystem::path& dir = scratch.Dir();
};

TEST_F(ScriptFile, LoadsLinesWithAnyLineEnd) {
    Lines lines{"stale"};
    ASSERT_TRUE(LoadCellScript(Write("a.txt", "BEGIN 0, 0\r\nLINE 1, 1\nLINE 2, 2\r\n\r\nEND"), lines));
    EXPECT_EQ(lines, (Lines{"BEGIN 0, 0", "LINE 1, 1", "LINE 2, 2", "", "END"}));
}

TEST_F(ScriptFile, OnlyRegularFilesUpToOneMebibyte) {
    Lines lines{"stale"};
    EXPECT_FALSE(LoadCellScript((dir / "missing.txt").string(), lines));
    EXPECT_TRUE(lines.empty());
    EXPECT_FALSE(LoadCellScript(dir.string(), lines));
    EXPECT_FALSE(LoadCellScript(Write("big.txt", std::string((1 << 20) + 1, 'x')), lines));
    EXPECT_TRUE(LoadCellScript(Write("edge.txt", std::string(1 << 20, 'x')), lines));
    EXPECT_EQ(lines.size(), 1u);
}

}  // namespace
