#include "kinds/JaponishShablon.h"

#include "export/ComExport.h"
#include "platform/Bitmap.h"
#include "platform/Metafile.h"
#include "platform/Surface.h"
#include "platform/RecordingUi.h"
#include "platform/Text.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <set>
#include <unistd.h>

namespace {

// A picture as rows of hexadecimal colour indices ("0" the background).
using ColorPicture = std::vector<std::string>;

void Paint(TJaponishShablon& shablon, const ColorPicture& rows) {
    shablon.SetSize(static_cast<int>(rows[0].size()), static_cast<int>(rows.size()));
    for (int y = 0; y < shablon.Height; ++y)
        for (int x = 0; x < shablon.Width; ++x) shablon.SetColorAt(x, y, std::stoi(std::string(1, rows[y][x]), nullptr, 16));
}

ColorPicture PictureOf(const TJaponishShablon& shablon) {
    ColorPicture rows(shablon.Height, std::string(shablon.Width, '0'));
    for (int y = 0; y < shablon.Height; ++y)
        for (int x = 0; x < shablon.Width; ++x) rows[y][x] = "0123456789abcdef"[shablon.ColorAt(x, y) & 15];
    return rows;
}

std::vector<int> Lengths(const std::vector<TColorRun>& runs) {
    std::vector<int> lengths;
    for (const TColorRun& run : runs) lengths.push_back(run.Length);
    return lengths;
}

constexpr int Cell = 100 * 1000;

// The task zone and picture of an export as a picture of cells: "." nothing, "-" an empty task
// cell, a digit a task of that length, "p" a picture cell.
ColorPicture TasksOf(const TComExport& list, int columns, int rows) {
    ColorPicture drawing(rows, std::string(columns, '.'));
    for (int i = 0; i < list.Count(); ++i) {
        const int x = list.X(i) / Cell, y = -list.Y(i) / Cell;
        if (list.Kind(i) == static_cast<int>(TExportKind::ColorCell))
            drawing.at(y).at(x) = list.Flag(i) ? 'p' : '-';
        else if (list.Kind(i) == static_cast<int>(TExportKind::Number))
            drawing.at(y).at(x) = static_cast<char>('0' + list.X2(i));
    }
    return drawing;
}

std::vector<std::pair<int, int>> LinesOf(const TComExport& list) {
    std::vector<std::pair<int, int>> lines;
    for (int i = 0; i < list.Count(); ++i)
        if (list.Kind(i) == static_cast<int>(TExportKind::Line)) lines.emplace_back(list.X(i), list.Y(i));
    return lines;
}

std::string TempPath(const std::string& name) {
    return (std::filesystem::temp_directory_path() / ("zelvana-japonish-" + std::to_string(getpid()) + "-" + name))
        .string();
}

}  // namespace

TEST(Japonish, RunsJoinTouchingColoursOnlyInTwoColourPuzzles) {
    struct TCase {
        std::string Row;
        int ColorCount;
        std::vector<int> Lengths;
    };
    const std::vector<TCase> cases = {
        {"03505", 2, {2, 1}},
        {"03505", 4, {1, 1, 1}},
        {"33550", 16, {2, 2}},
        {"11111", 2, {5}},
        {"00000", 2, {}},
        {"10101", 3, {1, 1, 1}},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Row + " " + std::to_string(c.ColorCount));
        TJaponishShablon shablon(1, 1);
        Paint(shablon, {c.Row});
        shablon.ColorCount = static_cast<uint8_t>(c.ColorCount);
        EXPECT_EQ(Lengths(shablon.RowRuns(0)), c.Lengths);
        EXPECT_EQ(shablon.MaxRowRuns(), c.Lengths.size());
        EXPECT_EQ(shablon.MaxColumnRuns(), c.Lengths.empty() ? 0 : 1);
    }
    TJaponishShablon shablon(1, 1);
    Paint(shablon, {"03505"});
    shablon.ColorCount = 4;
    EXPECT_EQ(shablon.RowRuns(0), (std::vector<TColorRun>{{1, 3}, {1, 5}, {1, 5}}));
}

TEST(Japonish, PaintingAndBackgroundDecideThePictureCells) {
    TJaponishShablon shablon(3, 1);
    EXPECT_FALSE(shablon.KeyWordAllowed);
    EXPECT_TRUE(shablon.UsesDigits);
    shablon.CurrentColor = 7;
    shablon.SetLetterCell(1, 0, true);
    EXPECT_EQ(shablon.ColorAt(1, 0), 7);
    EXPECT_TRUE(shablon.IsLetterCell(1, 0));
    shablon.BackgroundColor = 7;
    EXPECT_FALSE(shablon.IsLetterCell(1, 0));
    EXPECT_TRUE(shablon.IsLetterCell(0, 0));
    shablon.SetLetterCell(0, 0, false);
    EXPECT_EQ(shablon.ColorAt(0, 0), 7);
    TShablonWords words;
    shablon.WordsThroughCell(2, 0, words);
    EXPECT_EQ(words.Count(), 0);
}

TEST(Japonish, TextRoundTripsAndReadsTheOldForm) {
    ScopedRecordingUi ui;
    TJaponishShablon shablon(1, 1);
    Paint(shablon, {"0a3", "f00"});
    shablon.ColorCount = 5;
    shablon.BackgroundColor = 0;
    shablon.Palette[3] = TColorValue{0x11223344, TColorModel::Cmyk};
    const std::string text = shablon.SerializeTemplate(0, 0, 2, 1);
    ASSERT_EQ(text.size(), 4u + 80 + 6 + 1);
    EXPECT_EQ(text.substr(0, 4), std::string("432") + static_cast<char>(0x85));
    EXPECT_EQ(text.substr(4 + 15, 5), std::string("\x44\x33\x22\x11\x01", 5));
    EXPECT_EQ(text.substr(84), std::string("\x00\x0f\x0a\x00\x03\x00", 6) + "0");

    TJaponishShablon copy(3, 2);
    copy.BackgroundColor = 2;
    ASSERT_TRUE(copy.ParseTemplate(text, 0, 0));
    EXPECT_EQ(PictureOf(copy), PictureOf(shablon));
    EXPECT_EQ(copy.ColorCount, 5);
    EXPECT_EQ(copy.BackgroundColor, 0);
    EXPECT_EQ(copy.Palette, shablon.Palette);

    // The older form: no bit 7, four bytes a colour, no colour types, and the background index
    // left as it was when the text ends with the cells.
    std::string old = std::string("421") + static_cast<char>(3);
    for (int i = 0; i < 16; ++i) old += std::string("\x01\x02\x03", 3) + static_cast<char>(i);
    old += std::string("\x02\x09", 2);
    TJaponishShablon older(2, 1);
    older.BackgroundColor = 9;
    ASSERT_TRUE(older.ParseTemplate(old, 0, 0));
    EXPECT_EQ(older.ColorCount, 3);
    EXPECT_EQ(older.Palette[5], (TColorValue{0x05030201, TColorModel::Rgb}));
    EXPECT_EQ(PictureOf(older), (ColorPicture{"29"}));
    EXPECT_EQ(older.BackgroundColor, 9);
    EXPECT_TRUE(ui->Messages.empty());
}

TEST(Japonish, MalformedTextsAreRefusedKeepingTheCellsReadSoFar) {
    const std::string bad("Неверный формат шаблона!"_cp);
    TJaponishShablon source(1, 1);
    Paint(source, {"12", "34"});
    const std::string good = source.SerializeTemplate(0, 0, 1, 1);
    std::string foreign = good;
    foreign[0] = '0';
    std::string colourTooHigh = good;
    colourTooHigh[84 + 2] = 16;
    std::string backgroundTooHigh = good;
    backgroundTooHigh.back() = static_cast<char>(48 + 16);
    struct TCase {
        const char* Name;
        std::string Text;
        std::string Message;
        ColorPicture Kept;
    };
    const std::vector<TCase> cases = {
        {"67 characters", good.substr(0, 67), bad, {"55", "55"}},
        {"new palette cut", good.substr(0, 83), bad, {"55", "55"}},
        {"cells cut", good.substr(0, 86), bad, {"10", "30"}},
        {"foreign kind", foreign, std::string("Несовместимый тип шаблона!"_cp), {"55", "55"}},
        {"colour above 15", colourTooHigh, bad, {"10", "30"}},
        {"background above 15", backgroundTooHigh, bad, {"12", "34"}},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        ScopedRecordingUi ui;
        TJaponishShablon shablon(1, 1);
        Paint(shablon, {"55", "55"});
        EXPECT_FALSE(shablon.ParseTemplate(c.Text, 0, 0));
        EXPECT_EQ(ui->Messages, std::vector<std::string>{c.Message});
        EXPECT_EQ(PictureOf(shablon), c.Kept);
        EXPECT_EQ(shablon.BackgroundColor, 0);
    }
}

TEST(Japonish, StatisticsReportColoursCellsAndBlackness) {
    const std::string name = KindNames[4];
    KindNames[4] = "Японский"_cp;
    TJaponishShablon shablon(10, 10);
    shablon.ColorCount = 3;
    for (int i = 0; i < 25; ++i) shablon.SetColorAt(i % 10, i / 10, 1 + i % 2);
    EXPECT_EQ(shablon.GetStatistics(), "Тип кроссворда - Японский\r\n"
                                       "Общее число цветов в кроссворде - 3\r\n"
                                       "Общее число клеток кроссворде - 100\r\n"
                                       "Общее число рабочих клеток - 25\r\n"
                                       "Процент \"черноты\" - 25.00%\r\n"_cp);
    KindNames[4] = name;
}

TEST(Japonish, ExportPlacesTasksNextToThePicture) {
    TJaponishShablon shablon(1, 1);
    Paint(shablon, {"00000", "01010", "01010", "00010", "00000"});
    shablon.Zadania = true;
    shablon.ShowSetka = false;
    EXPECT_EQ(shablon.GetPixelWidth(), 100 * (3 + 2) + 2 * 7);
    EXPECT_EQ(shablon.GetPixelHeight(), 100 * (3 + 1) + 2 * 7);
    TComExport list;
    shablon.BuildExport(list);
    // Two task columns for rows of two runs, one task row; the empty middle column gets only an
    // empty task cell, and the right-most (bottom-most) run sits next to the picture.
    EXPECT_EQ(TasksOf(list, 5, 4), (ColorPicture{
                                       "..2-3",
                                       "11ppp",
                                       "11ppp",
                                       "-1ppp",
                                   }));

    shablon.ColorCount = 4;
    Paint(shablon, {"3305"});
    TComExport colours;
    shablon.BuildExport(colours);
    std::vector<std::pair<int, int>> tasks;
    for (int i = 0; i < colours.Count(); ++i)
        if (colours.Kind(i) == static_cast<int>(TExportKind::ColorCell) && !colours.Flag(i) && colours.X(i) < 2 * Cell)
            tasks.emplace_back(colours.X(i) / Cell, colours.Mode(i));
    EXPECT_EQ(tasks, (std::vector<std::pair<int, int>>{{1, 5}, {0, 3}}));

    shablon.Zadania = false;
    TComExport plain;
    shablon.BuildExport(plain);
    EXPECT_EQ(TasksOf(plain, 4, 1), (ColorPicture{"pppp"}));
    EXPECT_EQ(shablon.GetPixelWidth(), 100 * 4 + 2 * 7);
}

TEST(Japonish, GuideLinesEveryStepInsideThePicture) {
    TJaponishShablon shablon(1, 1);
    Paint(shablon, {"1101101011", "1000000001"});
    shablon.Zadania = true;
    const int left = shablon.MaxRowRuns(), top = shablon.MaxColumnRuns();
    ASSERT_EQ(left, 4);
    ASSERT_EQ(top, 1);
    TComExport list;
    shablon.BuildExport(list);
    // Columns at L and L + 5 (not the right edge L + 10); a row line only at T.
    EXPECT_EQ(LinesOf(list), (std::vector<std::pair<int, int>>{
                                 {left * Cell, 0}, {(left + 5) * Cell, 0}, {0, -top * Cell}}));
    for (int i = 0; i < list.Count(); ++i)
        if (list.Kind(i) == static_cast<int>(TExportKind::Line)) { EXPECT_EQ(list.Name(i), "SETKA_STYLE"); }

    for (const int step : {0, -3}) {
        shablon.SetkaStep = step;
        TComExport none;
        shablon.BuildExport(none);
        EXPECT_TRUE(LinesOf(none).empty());
    }
}

TEST(Japonish, StyleSectionRoundTripsAndReadsDefaultsForBadValues) {
    const std::string path = TempPath("style.ini");
    TJaponishShablon saved(2, 2);
    saved.Zadania = true;
    saved.SetkaStep = 3;
    saved.SetkaWidth = 2.5f;
    saved.Palette[7] = TColorValue{0x123456, TColorModel::Cmyk};
    saved.QuestionsRezim = true;
    ASSERT_TRUE(saved.SaveStyle(path));

    TJaponishShablon loaded(2, 2);
    ASSERT_TRUE(loaded.LoadStyle(path));
    EXPECT_TRUE(loaded.Zadania);
    EXPECT_TRUE(loaded.QuestionsRezim);
    EXPECT_EQ(loaded.SetkaStep, 3);
    EXPECT_FLOAT_EQ(loaded.SetkaWidth, 2.5f);
    EXPECT_EQ(loaded.Palette, saved.Palette);

    {
        std::ofstream out(path);
        out << "[JAPONISH]\nZADANIA=x\nSETKA_STEP=y\nSETKA_WIDTH=z\nCOLOR_0=q\nCOLOR_3=q\n";
    }
    TJaponishShablon defaults(2, 2);
    ASSERT_TRUE(defaults.LoadStyle(path));
    EXPECT_TRUE(defaults.Zadania);
    EXPECT_EQ(defaults.SetkaStep, 5);
    EXPECT_FLOAT_EQ(defaults.SetkaWidth, 1.5f);
    EXPECT_EQ(defaults.Palette[0].Value, 0xFFFFFFu);
    EXPECT_EQ(defaults.Palette[3].Value, 0u);
    EXPECT_EQ(defaults.Palette[4].Value, 0x800000u);
    std::filesystem::remove(path);
}

TEST(Japonish, PictureFillsCellsAndTasksByTheColourRules) {
    struct TCase {
        const char* Name;
        int ColorCount;
        bool Blank;
        std::set<uint32_t> Fills;
        int Rectangles;
    };
    // Six picture cells and three column tasks. With colours row 0 has two runs, so row 1's one
    // run leaves an empty task cell in the task colour; two colours join row 0 into one run and
    // fill every task in the task colour.
    const std::vector<TCase> cases = {
        {"colours", 4, false, {0x000080, 0x008000, 0x008080, 0xC0C0C0}, 6 + 3 + 4},
        {"two colours", 2, false, {0x000080, 0xC0C0C0}, 6 + 3 + 2},
        {"blank", 4, true, {0xFFFFFF, 0x000080, 0x008000, 0x008080, 0xC0C0C0}, 6 + 3 + 4},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        TJaponishShablon shablon(1, 1);
        Paint(shablon, {"120", "003"});
        shablon.ColorCount = static_cast<uint8_t>(c.ColorCount);
        shablon.QuestionsRezim = c.Blank;
        shablon.Zadania = true;
        TMetafile metafile;
        shablon.DrawToMetafile(metafile);
        EXPECT_EQ(metafile.Width(), shablon.GetPixelWidth());
        std::set<uint32_t> fills;
        int rectangles = 0;
        for (const TCanvasCall& call : metafile.Calls()) {
            if (call.Op != TCanvasOp::Rectangle) continue;
            ++rectangles;
            if (call.Brush.Style == TBrushStyle::Solid) fills.insert(call.Brush.Color);
        }
        EXPECT_EQ(fills, c.Fills);
        EXPECT_EQ(rectangles, c.Rectangles);
    }
}

// The run numbers keep the digit colour (red) on the grey task cells of a two-colour puzzle, and
// turn white where a task cell takes its run's dark colour (here red and dark red).
TEST(Japonish, RunNumbersStandOutFromTheirTaskCells) {
    const std::vector<std::pair<int, std::set<uint32_t>>> cases = {{16, {0xFFFFFF}}, {2, {0x0000FF}}};
    for (const auto& [colorCount, digitColours] : cases) {
        SCOPED_TRACE(colorCount);
        TJaponishShablon shablon(1, 1);
        Paint(shablon, {"19"});
        shablon.ColorCount = static_cast<uint8_t>(colorCount);
        shablon.Zadania = true;
        TMetafile metafile;
        shablon.DrawToMetafile(metafile);
        std::set<uint32_t> colours;
        int numbers = 0;
        for (const TCanvasCall& call : metafile.Calls()) {
            if (call.Op != TCanvasOp::Text) continue;
            ++numbers;
            colours.insert(call.Font.Color);
        }
        EXPECT_EQ(numbers, colorCount == 2 ? 3 : 4);
        EXPECT_EQ(colours, digitColours);
    }
}

TEST(Japonish, WorkingViewFillsCellsWithTheirColours) {
    constexpr TColor32 Window = 0xF0F0F0, Navy = 0x800000, Green = 0x008000, Teal = 0x808000, Blue = 0x0000FF;
    struct TCase {
        int ColorCount;
        uint8_t FillBackground;
        TColor32 Cell10, Cell21, Cell20;
    };
    const std::vector<TCase> cases = {
        {4, 0, Green, Teal, Window},
        {2, 0, Navy, Navy, Window},
        {4, 1, Green, Teal, 0xFFFFFF},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.ColorCount * 10 + c.FillBackground);
        TJaponishShablon shablon(1, 1);
        Paint(shablon, {"120", "003"});
        shablon.ColorCount = static_cast<uint8_t>(c.ColorCount);
        shablon.FillBackground = c.FillBackground;
        TFastDrawParameters p;
        p.SelectionOn = true;
        p.SelX0 = p.SelX1 = 2;
        p.SelY0 = p.SelY1 = 1;
        TBitmap bitmap(4 * 48, 3 * 48);
        shablon.FastDraw(p, bitmap);
        const TDIB pixels = bitmap.Pixels();
        const auto centre = [&](int x, int y) { return pixels.Pixel(x * 48 + 24, y * 48 + 24); };
        EXPECT_EQ(centre(0, 0), Navy);
        EXPECT_EQ(centre(1, 0), c.Cell10);
        EXPECT_EQ(centre(2, 1), c.Cell21);
        EXPECT_EQ(centre(2, 0), c.Cell20);
        EXPECT_EQ(pixels.Pixel(2 * 48 + 4, 48 + 4), Blue);
        EXPECT_EQ(centre(3, 0), Window);
    }
}

// Red axes of width 6 through a column's middle or on its edge, and grid lines over the cells
// the grid has, none beyond them.
TEST(Japonish, WorkingViewDrawsAxesAndTheGridOfTheShownCells) {
    constexpr TColor32 Window = 0xF0F0F0, Red = 0xFF0000;
    struct TPixel {
        int X, Y;
        TColor32 Colour;
    };
    struct TCase {
        const char* Name;
        TSymmetry XAxis, YAxis;
        std::vector<TPixel> Pixels;
    };
    const std::vector<TCase> cases = {
        {"none", {}, {}, {{72, 20, Window}, {20, 72, Window}, {240, 20, Window}, {20, 192, Window}}},
        {"column middle", {true, 1, false}, {}, {{72, 20, Red}, {72, 140, Red}, {72, 160, Window}, {98, 20, Window}}},
        {"column edge", {true, 1, true}, {}, {{98, 20, Red}, {72, 20, Window}}},
        {"row middle", {}, {true, 1, false}, {{20, 72, Red}, {180, 72, Red}, {200, 72, Window}}},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        TJaponishShablon shablon(4, 3);
        TFastDrawParameters p;
        p.XAxis = c.XAxis;
        p.YAxis = c.YAxis;
        TBitmap bitmap(6 * 48, 5 * 48);
        shablon.FastDraw(p, bitmap);
        const TDIB pixels = bitmap.Pixels();
        for (const TPixel& pixel : c.Pixels) EXPECT_EQ(pixels.Pixel(pixel.X, pixel.Y), pixel.Colour) << pixel.X << "," << pixel.Y;
        // Grid lines on the cell boundaries of the 4 x 3 cells only.
        for (const int x : {0, 48, 96, 144, 192}) EXPECT_NE(pixels.Pixel(x, 20), Window) << x;
        for (const int y : {0, 48, 96, 144}) EXPECT_NE(pixels.Pixel(20, y), Window) << y;
        EXPECT_EQ(pixels.Pixel(20, 145), Window);
        EXPECT_EQ(pixels.Pixel(193, 20), Window);
    }
}
