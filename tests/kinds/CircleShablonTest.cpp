// The circular template: ring geometry, slots, numbering, text, outline, export items, style
// settings, the picture and the working view's hit test.

#include "kinds/CircleShablon.h"

#include "export/ComExport.h"
#include "platform/Bitmap.h"
#include "platform/Metafile.h"
#include "platform/RecordingUi.h"
#include "platform/Text.h"
#include "template/Coord.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <set>
#include <unistd.h>

namespace {

struct TWord {
    int X, Y;
    std::string Path;
    bool operator==(const TWord&) const = default;
};

std::vector<TWord> WordsAt(const TCircleShablon& shablon, int x, int y) {
    TShablonWords words;
    shablon.WordsThroughCell(x, y, words);
    std::vector<TWord> list;
    for (int i = 0; i < words.Count(); ++i)
        list.push_back({words.WordX(i), words.WordY(i), std::string(words.WordPath(i))});
    return list;
}

std::unique_ptr<TCircleShablon> Ring(int width, int height, bool parity) {
    auto shablon = std::make_unique<TCircleShablon>(width, height);
    shablon->Parity = parity;
    shablon->MarkWordCells();
    return shablon;
}

struct TPointCode {
    int X, Y, Corner;
    bool operator==(const TPointCode&) const = default;
};

std::vector<TPointCode> Points(const std::string& contour) {
    std::vector<TPointCode> points;
    for (std::size_t i = 0; i + 2 < contour.size(); i += 3)
        points.push_back({static_cast<uint8_t>(contour[i]), static_cast<int8_t>(contour[i + 1]),
                          static_cast<uint8_t>(contour[i + 2])});
    return points;
}

std::string TempPath(const std::string& name) {
    return (std::filesystem::temp_directory_path() /
            ("zelvana-circle-" + std::to_string(getpid()) + "-" + name))
        .string();
}

}  // namespace

TEST(CircleShablon, RingRadiiAndPictureSize) {
    TCircleShablon shablon(8, 5);
    EXPECT_EQ(shablon.RingRadius(-2), 1500);
    EXPECT_EQ(shablon.RingRadius(-1), 1350);
    EXPECT_EQ(shablon.RingRadius(0), 1215);
    EXPECT_EQ(shablon.GetPixelWidth(), 2700 + shablon.PenWidth);
    EXPECT_EQ(shablon.GetPixelHeight(), 2700 + shablon.PenWidth);
    shablon.WideOutline.Show = true;
    shablon.WideOutline.Width = 30;
    EXPECT_EQ(shablon.GetPixelWidth(), 2730);
}

TEST(CircleShablon, WordsThroughTheCellsOfTheEightByFiveGrid) {
    const auto shablon = Ring(8, 5, true);
    const std::vector<TWord> at24 = {{2, 0, "2222"}, {6, 0, "3333"}};
    EXPECT_EQ(WordsAt(*shablon, 2, 4), at24);
    EXPECT_TRUE(WordsAt(*shablon, 3, 4).empty());
    // Without the parity switch the diagonals start at the odd columns.
    const auto off = Ring(8, 5, false);
    const std::vector<TWord> at34 = {{7, 0, "3333"}};
    EXPECT_EQ(WordsAt(*off, 3, 4), at34);
}

// Every cell of a slot lists that slot, also when a diagonal wraps past column 0 of a ring with
// an odd number of columns.
TEST(CircleShablon, EveryCellOfASlotListsIt) {
    struct TCase {
        int W, H;
        bool Parity;
    };
    for (const TCase c : {TCase{8, 5, true}, TCase{8, 5, false}, TCase{5, 4, true}, TCase{5, 4, false},
                          TCase{7, 9, true}, TCase{3, 6, false}, TCase{1, 3, true}}) {
        SCOPED_TRACE(std::to_string(c.W) + "x" + std::to_string(c.H) + (c.Parity ? " on" : " off"));
        const auto shablon = Ring(c.W, c.H, c.Parity);
        for (int x = 0; x < c.W; ++x)
            for (int y = 0; y < c.H; ++y)
                for (const TWord& word : WordsAt(*shablon, x, y)) {
                    ASSERT_EQ(static_cast<int>(word.Path.size()), c.H - 1);
                    const TCoord cells(word.X, word.Y, word.Path, c.W, c.H);
                    ASSERT_GE(cells.IndexOfCell(x, y), 0);
                    for (const TCell& cell : cells.Cells()) {
                        const std::vector<TWord> there = WordsAt(*shablon, cell.x, cell.y);
                        EXPECT_NE(std::find(there.begin(), there.end(), word), there.end())
                            << "cell " << int(cell.x) << "," << int(cell.y) << " misses the word at " << word.X;
                    }
                }
    }
}

TEST(CircleShablon, NumbersFollowTheParitySwitch) {
    for (const bool parity : {true, false}) {
        auto shablon = Ring(8, 5, parity);
        shablon->SetNumber(1, 0, 9);
        shablon->NumberCells();
        std::vector<int> numbers;
        for (int x = 0; x < 8; ++x) numbers.push_back(shablon->GetNumber(x, 0));
        const std::vector<int> expected =
            parity ? std::vector<int>{1, 0, 2, 0, 3, 0, 4, 0} : std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8};
        EXPECT_EQ(numbers, expected) << parity;
    }
}

TEST(CircleShablon, TextRoundTripKeepsTheParitySwitchAndCells) {
    ScopedRecordingUi ui;
    auto source = Ring(6, 4, true);
    source->SetLetterCell(1, 1, false);
    const std::string text = source->SerializeTemplate(0, 0, 5, 3);
    ASSERT_EQ(text.substr(0, 7), std::string(";64") + std::string("\x01\0\0\0", 4));

    TCircleShablon copy(6, 4);
    ASSERT_TRUE(copy.ParseTemplate(text, 0, 0));
    EXPECT_TRUE(copy.Parity);
    for (int x = 0; x < 6; ++x)
        for (int y = 0; y < 4; ++y) EXPECT_EQ(copy.IsLetterCell(x, y), source->IsLetterCell(x, y)) << x << "," << y;
    EXPECT_EQ(copy.SerializeTemplate(0, 0, 5, 3), text);
    EXPECT_TRUE(ui->Messages.empty());
}

// A refused text leaves the parity switch and the cells as they were.
TEST(CircleShablon, RefusedTextsChangeNothing) {
    const std::string good = Ring(4, 3, true)->SerializeTemplate(0, 0, 3, 2);
    std::string foreign = good;
    foreign[0] = '0';
    struct TCase {
        std::string Text;
        const char* Message;
    };
    const TCase cases[] = {
        {foreign, "Несовместимый тип шаблона!"},
        {good.substr(0, 6), "Неверный формат шаблона!"},
        {good.substr(0, good.size() - 1), "Неверный формат шаблона!"},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Message);
        ScopedRecordingUi ui;
        auto shablon = Ring(4, 3, false);
        shablon->SetLetterCell(0, 0, false);
        const std::string before = shablon->SerializeTemplate(0, 0, 3, 2);
        EXPECT_FALSE(shablon->ParseTemplate(c.Text, 0, 0));
        EXPECT_FALSE(shablon->Parity);
        EXPECT_EQ(shablon->SerializeTemplate(0, 0, 3, 2), before);
        EXPECT_EQ(ui->Messages, std::vector<std::string>{FromUtf8(c.Message)});
    }
}

TEST(CircleShablon, TheUsedAreaIsTheWholeGridAndShiftsDoNothing) {
    auto shablon = Ring(6, 4, false);
    for (int x = 0; x < 6; ++x) shablon->SetLetterCell(x, 0, false);
    const std::string before = shablon->SerializeTemplate(0, 0, 5, 3);
    int minX, minY, endX, endY;
    shablon->GetUsedBounds(minX, minY, endX, endY);
    EXPECT_EQ(std::vector<int>({minX, minY, endX, endY}), std::vector<int>({0, 0, 6, 4}));
    shablon->ShiftCells(0, 0, 5, 3, 1, 1);
    shablon->MirrorCells(0, 0, 5, 3, TMirrorAxes::Both);
    shablon->CropToUsed();
    EXPECT_EQ(shablon->SerializeTemplate(0, 0, 5, 3), before);
}

TEST(CircleShablon, OutlineContours) {
    struct TCase {
        bool Parity;
        int H;
        std::vector<TPointCode> Outer;  // the points of columns 0 and 1; columns 2 and 3 repeat them
        std::vector<TPointCode> Inner;
    };
    const TCase cases[] = {
        {false, 3, {{0, 1, 2}, {0, 0, 2}, {1, 1, 2}, {1, 0, 2}}, {{0, 2, 4}, {0, 1, 4}, {1, 2, 4}, {1, 1, 4}}},
        {false, 4, {{0, 1, 2}, {0, 0, 2}, {1, 1, 2}, {1, 0, 2}}, {{0, 3, 4}, {0, 2, 4}, {0, 1, 4}, {1, 2, 4}}},
        {true, 4, {{0, 2, 2}, {0, 1, 2}, {0, 0, 2}, {1, 1, 2}}, {{0, 3, 4}, {0, 2, 4}, {1, 3, 4}, {1, 2, 4}}},
        {true, 5, {{0, 2, 2}, {0, 1, 2}, {0, 0, 2}, {1, 1, 2}}, {{0, 4, 4}, {0, 3, 4}, {0, 2, 4}, {1, 3, 4}}},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(std::to_string(c.H) + (c.Parity ? " on" : " off"));
        auto shablon = Ring(4, c.H, c.Parity);
        const auto repeated = [](std::vector<TPointCode> two) {
            std::vector<TPointCode> all = two;
            for (TPointCode p : two) all.push_back({p.X + 2, p.Y, p.Corner});
            return all;
        };
        std::vector<std::string> contours;
        shablon->TraceOutline(true, contours);
        ASSERT_EQ(contours.size(), 2u);
        EXPECT_EQ(Points(contours[0]), repeated(c.Outer));
        EXPECT_EQ(Points(contours[1]), repeated(c.Inner));

        // Only the non-letter cells between the two rings get a contour of their own.
        const int first = c.Parity ? 2 : 1;
        shablon->SetLetterCell(3, first, false);
        shablon->SetLetterCell(3, 0, false);
        shablon->SetLetterCell(2, c.H - 1, false);
        shablon->TraceOutline(false, contours);
        std::vector<TPointCode> cells;
        for (std::size_t i = 2; i < contours.size(); ++i)
            for (const TPointCode& p : Points(contours[i])) cells.push_back(p);
        std::vector<TPointCode> expected;
        for (int y = first; y <= c.H - 2; ++y)
            for (int x = 0; x < 4; ++x)
                if (!shablon->IsLetterCell(x, y))
                    for (int corner = 1; corner <= 4; ++corner) expected.push_back({x, y, corner});
        EXPECT_EQ(cells, expected);
        EXPECT_FALSE(expected.empty());
    }
}

TEST(CircleShablon, ExportItemsCarryColumnAndRow) {
    auto shablon = Ring(4, 4, false);
    shablon->SetLetterCell(1, 2, false);
    shablon->SetLetterCell(1, 0, false);
    shablon->NumberCells();
    shablon->MarkInnerBlanks();
    EXPECT_TRUE(shablon->IsInnerBlank(1, 2));
    EXPECT_FALSE(shablon->IsInnerBlank(1, 0));

    TComExport list;
    shablon->ExportCell(0, 0, 0, 0, list);
    shablon->ExportCell(1, 2, 0, 0, list);
    shablon->ExportCell(1, 0, 0, 0, list);
    shablon->KeyWordCellLook.NoPaint = false;
    shablon->SetKeyWordCell(3, 2, 1);
    shablon->ExportCell(3, 2, 0, 0, list);
    ASSERT_EQ(list.Count(), 4);
    const auto item = [&](int i) {
        return std::vector<int>{list.Kind(i), list.X(i), list.Y(i), list.Value(i), list.X2(i)};
    };
    EXPECT_EQ(item(0), (std::vector<int>{static_cast<int>(TExportKind::CanvasCell), 0, 0, CellKind::Letter, 0}));
    EXPECT_EQ(item(1), (std::vector<int>{static_cast<int>(TExportKind::CanvasNumber), 0, 0, 0, 1}));
    EXPECT_EQ(item(2), (std::vector<int>{static_cast<int>(TExportKind::CanvasCell), 1, 2, CellKind::Other, 0}));
    EXPECT_EQ(item(3), (std::vector<int>{static_cast<int>(TExportKind::CanvasKeyWordNumber), 3, 2, 0, 3}));

    TCellBlock whole;
    whole.Width = 4;
    whole.Height = 4;
    TComExport blocks;
    shablon->BuildWordExport(blocks, {whole});
    EXPECT_EQ(blocks.Count(), 0);
}

// Radii that would divide by zero or overflow, and rings that would vanish, are read as the
// defaults; NotUseCurve, written under that name, survives a save and a load.
TEST(CircleShablon, StyleSettings) {
    ScopedRecordingUi ui;
    struct TCase {
        const char* Radius;
        const char* Speed;
        int32_t BaseRadius;
        int Speed8;
    };
    const TCase cases[] = {
        {"2000", "20", 2000, 20}, {"0", "100", 1500, 10}, {"-5", "250", 1500, 10},
        {"2000000000", "0", 1500, 0}, {"1100000", "10", 1100000, 10}, {"1200000", "10", 1500, 10},
        {"x", "y", 1500, 10},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(std::string(c.Radius) + " " + c.Speed);
        const std::string path = TempPath("settings.ini");
        {
            std::ofstream out(path);
            out << "[CIRCLE]\nBASE_RADIUS=" << c.Radius << "\nSPEED_OF_CHANGE_RADIUS=" << c.Speed
                << "\nNOT_USE_CURVE=0\nAUTO_DECREASE_CHARS=0\n";
        }
        TCircleShablon shablon(8, 5);
        ASSERT_TRUE(shablon.LoadStyle(path));
        EXPECT_EQ(shablon.BaseRadius, c.BaseRadius);
        EXPECT_EQ(shablon.SpeedOfChangeRadius, c.Speed8);
        EXPECT_FALSE(shablon.NotUseCurve);
        EXPECT_FALSE(shablon.AutoDecreaseChars);
        EXPECT_GT(shablon.GetPixelWidth(), 0);
        EXPECT_GT(shablon.RingRadius(5), 0);
        std::filesystem::remove(path);
    }

    const std::string path = TempPath("saved.ini");
    TCircleShablon saved(8, 5);
    saved.NotUseCurve = false;
    saved.BaseRadius = 900;
    saved.SpeedOfChangeRadius = 5;
    ASSERT_TRUE(saved.SaveStyle(path));
    TCircleShablon loaded(8, 5);
    ASSERT_TRUE(loaded.LoadStyle(path));
    EXPECT_FALSE(loaded.NotUseCurve);
    EXPECT_EQ(loaded.BaseRadius, 900);
    EXPECT_EQ(loaded.SpeedOfChangeRadius, 5);
    std::filesystem::remove(path);
    EXPECT_TRUE(ui->Messages.empty());
}

// Settings set directly to such values draw with the defaults instead.
TEST(CircleShablon, OutOfRangeSettingsDrawWithTheDefaults) {
    TCircleShablon shablon(8, 5);
    shablon.BaseRadius = 0;
    shablon.SpeedOfChangeRadius = 200;
    EXPECT_EQ(shablon.RingRadius(-1), 1350);
    EXPECT_EQ(shablon.GetPixelWidth(), 2707);
    TFastDrawParameters view;
    int x = 0, y = 0;
    shablon.PixelToCell(0, 0, view, x, y);
    EXPECT_EQ(x, -1);
    EXPECT_EQ(y, -1);
}

TEST(CircleShablon, ScriptCellCornersAndNumberPoint) {
    auto shablon = Ring(4, 3, false);
    shablon->NumberCells();
    std::vector<std::string> lines;
    shablon->ExportToScript(lines);
    // Cell (0, 0): the centre is (1353, 1353); the side corners lie on ring 0 (1215) a quarter
    // turn apart, the outer corner on ring -1 (1350), the inner on ring 1 (1093).
    const std::vector<std::string> cell = {".BeginDrawCurve 494000, -494000", ".DrawCurveLineTo 1353000, -3000",
                                           ".DrawCurveLineTo 2212000, -494000", ".DrawCurveLineTo 1353000, -260000",
                                           ".DrawCurveClosePath", ".EndDrawCurve", ".ApplyStyle \"CHAR_POLE\""};
    const auto at = std::search(lines.begin(), lines.end(), cell.begin(), cell.end());
    EXPECT_NE(at, lines.end());
    // Number 1 is centred on the ring between r(0) and r(-1), straight above the centre.
    EXPECT_NE(std::find(lines.begin(), lines.end(), ".CreateArtisticText \"1\", 1353000, -71000"), lines.end());
    // Items placed in export units come back to the same drawing points.
    int px = 0, py = 0;
    shablon->ExportToCanvas(1353000, -71000, px, py, false);
    EXPECT_EQ(std::pair(px, py), std::pair(1353, 71));
}

TEST(CircleShablon, PictureDrawsCellsOutlineAndNumbers) {
    auto shablon = Ring(6, 4, true);
    shablon->WideOutline.Show = true;
    shablon->WideOutline.OutlineOnly = false;
    shablon->BlankCellLook.NoPaint = false;
    TMetafile metafile(1, 1, FixedTextMetrics());
    shablon->DrawToMetafile(metafile);
    EXPECT_EQ(metafile.Width(), 2720);
    int polygons = 0, polylines = 0, texts = 0;
    for (const TCanvasCall& call : metafile.Calls()) {
        polygons += call.Op == TCanvasOp::Polygon;
        polylines += call.Op == TCanvasOp::Polyline;
        texts += call.Op == TCanvasOp::Text;
    }
    int letters = 0, blanks = 0;
    for (int x = 0; x < 6; ++x)
        for (int y = 0; y < 4; ++y) {
            letters += shablon->IsLetterCell(x, y);
            blanks += shablon->IsInnerBlank(x, y);
        }
    EXPECT_EQ(blanks, 3);  // (1, 2), (3, 2), (5, 2)
    EXPECT_EQ(polygons, letters + blanks);
    EXPECT_EQ(polylines, 2 + blanks);  // outer ring, inner ring, one round each blank
    EXPECT_EQ(texts, 3);               // numbers 1, 2, 3
}

// The point at a cell's letter position hits that cell, at every zoom and scroll position.
TEST(CircleShablon, HitTestFindsEveryCellAtItsLetter) {
    struct TCase {
        int W, H;
        bool Parity;
    };
    for (const TCase c : {TCase{8, 5, true}, TCase{16, 5, false}, TCase{7, 3, false}, TCase{12, 8, true}}) {
        const auto shablon = Ring(c.W, c.H, c.Parity);
        for (const int zoom : {30, 100, 250}) {
            for (const int first : {0, 1}) {
                TFastDrawParameters view;
                view.Zoom = zoom;
                view.FirstColumn = first;
                view.FirstRow = first;
                const TRingGeometry ring(*shablon, shablon->ViewScale(view));
                const TPoint offset = shablon->ViewOffset(view);
                for (int x = 0; x < c.W; ++x)
                    for (int y = 0; y < c.H; ++y) {
                        const TPoint p = ring.Letter(x, y);
                        int hx = -1, hy = -1;
                        shablon->PixelToCell(p.X - offset.X, p.Y - offset.Y, view, hx, hy);
                        EXPECT_EQ(std::pair(hx, hy), std::pair(x, y)) << c.W << "x" << c.H << " zoom " << zoom;
                    }
                int hx = 0, hy = 0;
                shablon->PixelToCell(-5000, -5000, view, hx, hy);
                EXPECT_EQ(std::pair(hx, hy), std::pair(-1, -1));
                const TPoint centre = ring.At(0, 0);
                shablon->PixelToCell(centre.X - offset.X, centre.Y - offset.Y, view, hx, hy);
                EXPECT_EQ(std::pair(hx, hy), std::pair(-1, -1));
            }
        }
    }
}

TEST(CircleShablon, ViewColoursCellsAndShowsTheWholeRing) {
    auto shablon = Ring(8, 4, false);
    TFastDrawParameters view;
    view.Zoom = 10;
    view.SelectionOn = true;
    view.SelX0 = view.SelX1 = 0;
    view.SelY0 = view.SelY1 = 0;
    int columns = 0, rows = 0;
    shablon->PixelsToCells(10, 10, view, columns, rows);
    EXPECT_EQ(std::pair(columns, rows), std::pair(8, 4));
    TBitmap bitmap(shablon->GetPixelWidth() / 10 + 2, shablon->GetPixelHeight() / 10 + 2);
    shablon->FastDraw(view, bitmap);
    const TRingGeometry ring(*shablon, shablon->ViewScale(view));
    const TDIB pixels = bitmap.Pixels();
    const TPoint selected = ring.Letter(0, 0), plain = ring.Letter(4, 2);
    EXPECT_EQ(pixels.Pixel(selected.X, selected.Y) & 0xFFFFFF, 0x0000FFu);
    EXPECT_EQ(pixels.Pixel(plain.X, plain.Y) & 0xFFFFFF, 0xFFFFFFu);
}
