// The template's picture as canvas calls, measured with the fixed text metrics: cells in every
// form, numbers under every alignment, walls, arrows, outlines and the replay of the export items.

#include "GridPicture.h"

#include "cellshape/CellOutline.h"
#include "export/ComExport.h"
#include "platform/Canvas.h"
#include "platform/Metafile.h"
#include "platform/Picture.h"
#include "template/ClassicShablon.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <set>

#include <unistd.h>

namespace {

using TPoints = std::vector<TPoint>;

// A canvas that records into a large metafile.
struct Recorder {
    TMetafile Metafile{10000, 10000, FixedTextMetrics()};
    TCanvas Canvas{Metafile};

    const std::vector<TCanvasCall>& Calls() const { return Metafile.Calls(); }
};

std::shared_ptr<const TPicture> Blank(int width, int height) {
    return TPicture::Blank(TPictureKind::Bitmap, width, height);
}

std::vector<TCanvasCall> CallsOf(const TMetafile& metafile, TCanvasOp op) {
    std::vector<TCanvasCall> calls;
    std::copy_if(metafile.Calls().begin(), metafile.Calls().end(), std::back_inserter(calls),
                 [op](const TCanvasCall& call) { return call.Op == op; });
    return calls;
}

// A line as its two end points, the smaller first, so that contours compare as sets.
using TSegment = std::pair<std::pair<int, int>, std::pair<int, int>>;

std::set<TSegment> Segments(const TMetafile& metafile) {
    std::set<TSegment> segments;
    for (const TCanvasCall& call : CallsOf(metafile, TCanvasOp::Line)) {
        auto a = std::make_pair(call.Points[0].X, call.Points[0].Y);
        auto b = std::make_pair(call.Points[1].X, call.Points[1].Y);
        segments.insert(std::minmax(a, b));
    }
    return segments;
}

bool WritePictureForTest(const std::string& path) {
    const auto picture = TPicture::FromImage(TPictureKind::Bitmap, TDIB(40, 20));
    std::ofstream(path, std::ios::binary) << picture->Data();
    return std::filesystem::file_size(path) == picture->Data().size();
}

struct TempDir {
    std::filesystem::path Path = std::filesystem::temp_directory_path() / ("draw_test_" + std::to_string(::getpid()));
    TempDir() { std::filesystem::create_directories(Path); }
    ~TempDir() { std::filesystem::remove_all(Path); }
    std::string File(const char* name) const { return (Path / name).string(); }
};

}  // namespace

TEST(TemplateDraw, CellsSitAtTheirGridPositionsInsideTheMargin) {
    TClassicShablon shablon(1, 1);
    DrawGrid(shablon, {"....", "....", "....", "...."});
    TMetafile metafile(0, 0, FixedTextMetrics());
    shablon.DrawToMetafile(metafile);
    EXPECT_EQ(metafile.Width(), 407);
    EXPECT_EQ(metafile.Height(), 407);
    const auto cells = CallsOf(metafile, TCanvasOp::RoundRect);
    ASSERT_EQ(cells.size(), 16u);
    const bool found = std::any_of(cells.begin(), cells.end(), [](const TCanvasCall& call) {
        return call.Rect == TRect{203, 303, 303, 403};  // cell (2, 3): m div 2 = 3
    });
    EXPECT_TRUE(found);
    EXPECT_EQ(cells[0].Pen, (TPen{0, 7, TPenStyle::Solid}));
    EXPECT_EQ(cells[0].Brush, (TBrush{0xFFFFFF, TBrushStyle::Solid}));
    EXPECT_EQ(cells[0].Corner, (TPoint{0, 0}));

    shablon.WideOutline.Show = true;
    shablon.WideOutline.Width = 20;
    shablon.DrawToMetafile(metafile);
    EXPECT_EQ(metafile.Width(), 420);
    EXPECT_EQ(CallsOf(metafile, TCanvasOp::RoundRect)[0].Rect, (TRect{10, 10, 110, 110}));
    shablon.WideOutline.Width = 5;  // thinner than the pen: the margin stays the pen's
    shablon.DrawToMetafile(metafile);
    EXPECT_EQ(metafile.Width(), 407);
}

TEST(TemplateDraw, EveryBaseFormDrawsItsShape) {
    struct Case {
        const char* name;
        uint8_t form;
        int params[4];
        TCanvasOp op;
        TPoints points;  // for polygons, when the points are fixed
    };
    const Case cases[] = {
        {"square", 0, {0, 0, 0, 0}, TCanvasOp::RoundRect, {}},
        {"rounded alike", 0, {20, 20, 20, 20}, TCanvasOp::RoundRect, {}},
        {"ellipse", 1, {}, TCanvasOp::Ellipse, {}},
        {"triangle", 2, {}, TCanvasOp::Polygon, {{10, 120}, {60, 20}, {110, 120}}},
        {"hexagon", 3, {}, TCanvasOp::Polygon, {{60, 20}, {110, 45}, {110, 95}, {60, 120}, {10, 95}, {10, 45}}},
        {"octagon",
         4,
         {},
         TCanvasOp::Polygon,
         {{39, 20}, {81, 20}, {110, 49}, {110, 91}, {81, 120}, {39, 120}, {10, 91}, {10, 49}}},
        {"rounded unalike", 0, {10, 0, 0, 0}, TCanvasOp::Polygon, {}},
        {"concave", 5, {10, 10, 10, 10}, TCanvasOp::Polygon, {}},
        {"chamfered", 6, {10, 10, 10, 10}, TCanvasOp::Polygon, {{10, 25}, {15, 20}}},  // corners of 50 / 1000 cells
        {"pinched", 7, {10, 10, 10, 10}, TCanvasOp::Polygon, {}},
        {"mixed", 8, {31, 1, 2, 3}, TCanvasOp::Polygon, {}},
        {"notched", 9, {0, 20, 0, 0}, TCanvasOp::Polygon, {}},
        {"looped", 10, {10, 0, 0, 0}, TCanvasOp::Polygon, {}},
    };
    for (const Case& c : cases) {
        TClassicShablon shablon(3, 3);
        TKletkaForm& form = shablon.LetterCellLook.Form;
        form.Form = c.form;
        form.Param1 = c.params[0], form.Param2 = c.params[1], form.Param3 = c.params[2], form.Param4 = c.params[3];
        Recorder r;
        shablon.CanvasDrawCell(r.Canvas, 10, 20, CellKind::Letter, false);
        ASSERT_EQ(r.Calls().size(), 1u) << c.name;
        const TCanvasCall& call = r.Calls()[0];
        EXPECT_EQ(call.Op, c.op) << c.name;
        EXPECT_EQ(call.Pen.Width, 7) << c.name;
        if (c.op == TCanvasOp::RoundRect) {
            EXPECT_EQ(call.Rect, (TRect{10, 20, 110, 120})) << c.name;
            EXPECT_EQ(call.Corner, (TPoint{c.params[0], c.params[0]})) << c.name;  // round(w * PARAM1 / 100)
        }
        if (c.op == TCanvasOp::Ellipse) { EXPECT_EQ(call.Rect, (TRect{10, 20, 110, 120})) << c.name; }
        if (c.op != TCanvasOp::Polygon) continue;
        if (c.form <= 4 && c.params[0] == 0) {
            EXPECT_EQ(call.Points, c.points) << c.name;
            continue;
        }
        // Script forms: the interpreter's outline of the generated script for the cell.
        std::vector<std::string> script;
        MakeBaseFormScript(form, script);
        TOutlinePoints outline;
        int count = 0;
        std::string errors;
        BuildCellOutline(script, 100, 10, 20, 100, 100, outline, count, errors);
        ASSERT_EQ(call.Points.size(), static_cast<std::size_t>(count)) << c.name;
        for (int i = 0; i < count; ++i) EXPECT_EQ(call.Points[i], (TPoint{outline[i].X, outline[i].Y})) << c.name;
        for (std::size_t i = 0; i < c.points.size(); ++i) EXPECT_EQ(call.Points[i], c.points[i]) << c.name;
    }
}

TEST(TemplateDraw, LooksDecideWhetherAndHowACellIsDrawn) {
    TClassicShablon shablon(3, 3);
    Recorder r;
    shablon.CanvasDrawCell(r.Canvas, 0, 0, CellKind::Other, false);  // other cells are not painted
    shablon.LetterCellLook.Form.Form = 11;
    shablon.CanvasDrawCell(r.Canvas, 0, 0, CellKind::Letter, false);
    shablon.LetterCellLook.Form = {};
    shablon.LetterCellLook.Form.ImportType = static_cast<TKletkaImport>(3);
    shablon.CanvasDrawCell(r.Canvas, 0, 0, CellKind::Letter, false);
    shablon.CanvasDrawCell(r.Canvas, 0, 0, 3, false);
    EXPECT_TRUE(r.Calls().empty());

    shablon.KeyWordCellLook.NoPaint = false;
    shablon.KeyWordCellLook.NoFill = true;
    shablon.Scale = 2;
    shablon.CanvasDrawCellEx(r.Canvas, 5, 6, 3, 2, CellKind::KeyWord, false);
    ASSERT_EQ(r.Calls().size(), 1u);
    EXPECT_EQ(r.Calls()[0].Rect, (TRect{5, 6, 605, 406}));
    EXPECT_EQ(r.Calls()[0].Pen, (TPen{0x0000FF, 14, TPenStyle::Solid}));
    EXPECT_EQ(r.Calls()[0].Brush.Style, TBrushStyle::Clear);
}

TEST(TemplateDraw, CellsFromPictureAndScriptFiles) {
    TempDir dir;
    TClassicShablon shablon(3, 3);
    TKletkaForm& form = shablon.LetterCellLook.Form;
    form.ImportType = TKletkaImport::Picture;
    form.File1 = "cell.bmp";
    Recorder r;
    shablon.CanvasDrawCell(r.Canvas, 0, 0, CellKind::Letter, false);  // neither kept nor a file
    EXPECT_TRUE(r.Calls().empty());

    ASSERT_TRUE(shablon.Pictures.AddGraphic("cell.bmp", *Blank(50, 25)));
    shablon.CanvasDrawCell(r.Canvas, 0, 0, CellKind::Letter, false);
    ASSERT_EQ(r.Calls().size(), 1u);
    EXPECT_EQ(r.Calls()[0].Op, TCanvasOp::Picture);
    EXPECT_EQ(r.Calls()[0].Rect, (TRect{0, 25, 100, 75}));
    EXPECT_EQ(r.Calls()[0].Picture.get(), &shablon.Pictures.Picture(0));

    std::ofstream(dir.File("cell.txt")) << "SCALE 1\nBEGIN 0, 0\nLINE 1000, 0\nLINE 500, 1000\nEND\n";
    form.ImportType = TKletkaImport::Script;
    form.ScriptFile = dir.File("cell.txt");
    shablon.CanvasDrawCell(r.Canvas, 10, 10, CellKind::Letter, false);
    ASSERT_EQ(r.Calls().size(), 2u);
    EXPECT_EQ(r.Calls()[1].Op, TCanvasOp::Polygon);
    EXPECT_EQ(r.Calls()[1].Points, (TPoints{{10, 10}, {110, 10}, {60, 110}}));
    form.ScriptFile = dir.File("missing.txt");
    shablon.CanvasDrawCell(r.Canvas, 10, 10, CellKind::Letter, false);
    EXPECT_EQ(r.Calls().size(), 2u);
}

TEST(TemplateDraw, ShapedCellsAreMarkers) {
    const TPoints expected[] = {
        {{0, 50}, {50, 0}, {100, 50}, {50, 100}},
        {},
        {{25, 75}, {50, 0}, {100, 50}},
        {{25, 25}, {62, 12}, {88, 38}, {75, 75}, {38, 88}, {12, 62}},
        {{14, 36}, {36, 14}, {64, 14}, {86, 36}, {86, 64}, {64, 86}, {36, 86}, {14, 64}},
    };
    for (uint8_t code = 0; code <= 5; ++code) {
        TClassicShablon shablon(3, 3);
        shablon.LetterCellLook.Form.Form = code;
        Recorder r;
        shablon.CanvasDrawShapedCell(r.Canvas, 0, 0, CellKind::Letter, false);
        if (code == 5) {
            EXPECT_TRUE(r.Calls().empty());
            continue;
        }
        ASSERT_EQ(r.Calls().size(), 1u) << int(code);
        if (code == 1) {
            EXPECT_EQ(r.Calls()[0].Op, TCanvasOp::Ellipse);
            EXPECT_EQ(r.Calls()[0].Rect, (TRect{15, 15, 85, 85}));  // radius round(50 / sqrt 2) = 35
        } else {
            EXPECT_EQ(r.Calls()[0].Points, expected[code]) << int(code);
        }
    }
}

TEST(TemplateDraw, NumbersUnderEveryAlignment) {
    // Font height round(14 * 3.58) = 50, a line: letters 40 high with ascent 40, "12" 40 wide.
    struct Case {
        int alignX, alignY;
        int scale;
        TPoint at;
    };
    const Case cases[] = {
        {0, 0, 1, {110, 250}}, {1, 0, 1, {150, 250}}, {2, 0, 1, {130, 250}}, {3, 7, 1, {110, 250}},
        {0, 1, 1, {110, 290}}, {0, 2, 1, {110, 270}},
        // Scale 2: height 100 (letters 80), "12" 80 wide, cells 200, DX and DY 20.
        {1, 1, 2, {200, 380}}, {2, 2, 2, {160, 340}},
    };
    for (const Case& c : cases) {
        TClassicShablon shablon(3, 3);
        shablon.Scale = static_cast<uint8_t>(c.scale);
        shablon.DigitLook.AlignX = static_cast<uint8_t>(c.alignX);
        shablon.DigitLook.AlignY = static_cast<uint8_t>(c.alignY);
        Recorder r;
        shablon.CanvasDrawNumber(r.Canvas, 100, 200, 12);
        ASSERT_EQ(r.Calls().size(), 1u);
        const TCanvasCall& text = r.Calls()[0];
        EXPECT_EQ(text.At, c.at) << c.alignX << "," << c.alignY << " scale " << c.scale;
        EXPECT_EQ(text.Text, "12");
        EXPECT_EQ(text.Align, TTextAlign::Baseline);
        EXPECT_EQ(text.Font.Height, c.scale == 1 ? 50 : 100);
        EXPECT_EQ(text.Font.Name, "Arial Cyr");
        EXPECT_EQ(text.Font.Color, 0x0000FFu);
        EXPECT_EQ(text.Brush.Style, TBrushStyle::Clear);
    }
    TClassicShablon hidden(3, 3);
    hidden.DigitLook.Hidden = true;
    Recorder r;
    hidden.CanvasDrawNumber(r.Canvas, 0, 0, 5);
    EXPECT_TRUE(r.Calls().empty());
}

TEST(TemplateDraw, WallsAreRoundedBarsOnTheCellSides) {
    TClassicShablon shablon(3, 3);
    shablon.WallColor = RgbColor(0x123456);
    Recorder r;
    shablon.CanvasDrawWalls(r.Canvas, 100, 100, 8 | 2 | 4 | 1);
    // Half-thickness round(7 * 2) = 14.
    const TRect expected[] = {{86, 86, 114, 214}, {186, 86, 214, 214}, {86, 86, 214, 114}, {86, 186, 214, 214}};
    ASSERT_EQ(r.Calls().size(), 4u);
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(r.Calls()[i].Op, TCanvasOp::RoundRect);
        EXPECT_EQ(r.Calls()[i].Rect, expected[i]);
        EXPECT_EQ(r.Calls()[i].Corner, (TPoint{14, 14}));
        EXPECT_EQ(r.Calls()[i].Pen.Style, TPenStyle::Clear);
        EXPECT_EQ(r.Calls()[i].Brush, (TBrush{0x123456, TBrushStyle::Solid}));
    }
}

TEST(TemplateDraw, ArrowPicturesSitAtTheirOffsets) {
    TClassicShablon shablon(3, 3);
    for (const char* name : {"STRELKA_V_1", "STRELKA_H_3", "STRELKA_V_65", "STRELKA_H_130"})
        ASSERT_TRUE(shablon.ArrowPictures.AddBlank(name, TPictureKind::Bitmap, 10, 10));
    shablon.ArrowOffsets[1] = {10, -20};
    shablon.ArrowOffsets[10] = {-5, 0};
    shablon.ArrowOffsets[15] = {0, 30};
    shablon.ArrowOffsets[23] = {50, 50};
    struct Case {
        int bits;
        std::vector<std::pair<int, TRect>> pictures;  // picture index, rectangle
    };
    const Case cases[] = {
        {0x01 | 3 << 3, {{0, {110, 180, 210, 280}}, {1, {95, 200, 195, 300}}}},
        {0x41 | 0x80 | 2 << 3, {{2, {100, 230, 200, 330}}, {3, {150, 250, 250, 350}}}},
        {0x02, {}},  // no such picture
    };
    for (const Case& c : cases) {
        Recorder r;
        shablon.CanvasDrawArrows(r.Canvas, 100, 200, c.bits);
        ASSERT_EQ(r.Calls().size(), c.pictures.size()) << c.bits;
        for (std::size_t i = 0; i < c.pictures.size(); ++i) {
            EXPECT_EQ(r.Calls()[i].Picture.get(), &shablon.ArrowPictures.Picture(c.pictures[i].first)) << c.bits;
            EXPECT_EQ(r.Calls()[i].Rect, c.pictures[i].second) << c.bits;
        }
    }
    shablon.ArrowLook.Show = false;
    Recorder r;
    shablon.CanvasDrawArrows(r.Canvas, 100, 200, 0x01);
    EXPECT_TRUE(r.Calls().empty());
}

TEST(TemplateDraw, LineArrowsForEveryCode) {
    // The defaults: Len1 40, Len2 30, straight heads k = 13 (and 8 across) with the notch 7 behind
    // the tip, diagonal heads p = 14, q = 4, d = 5. Codes with 0x40 or 0x80 are inset by
    // PenWidth div 2 = 3 (PenInsetInside); the others are not (PenInset).
    struct Case {
        int code;
        bool approach;
        TPoint from, start;
        int dx, dy;
        int length;
    };
    const Case cases[] = {
        {0x01, false, {}, {50, 0}, 0, 1, 40},
        {0x02, true, {0, 0}, {40, 40}, 0, 1, 30},
        {0x03, true, {0, 50}, {40, 50}, 0, 1, 30},
        {0x04, true, {0, 100}, {40, 60}, 0, 1, 30},
        {0x05, true, {100, 100}, {60, 60}, 0, 1, 30},
        {0x06, true, {100, 50}, {60, 50}, 0, 1, 30},
        {0x07, true, {100, 0}, {60, 40}, 0, 1, 30},
        {0x41, false, {}, {50, 57}, 0, 1, 40},
        {0x42, true, {67, 27}, {67, 67}, 1, 1, 30},
        {0x43, true, {57, 10}, {57, 50}, 1, 0, 40},
        {0x44, true, {67, -7}, {67, 33}, 1, -1, 30},
        {0x45, true, {33, -7}, {33, 33}, -1, -1, 30},
        {0x46, true, {43, 10}, {43, 50}, -1, 0, 40},
        {0x47, true, {33, 27}, {33, 67}, -1, 1, 30},
        {0x08, true, {50, 0}, {50, 40}, 1, 0, 30},
        {0x10, true, {0, 0}, {40, 40}, 1, 0, 30},
        {0x18, false, {}, {0, 50}, 1, 0, 40},
        {0x20, true, {0, 100}, {40, 60}, 1, 0, 30},
        {0x28, true, {100, 100}, {60, 60}, 1, 0, 30},
        {0x30, true, {50, 100}, {50, 60}, 1, 0, 30},
        {0x38, true, {100, 0}, {60, 40}, 1, 0, 30},
        {0x88, true, {20, 57}, {50, 57}, 0, 1, 40},
        {0x90, true, {27, 67}, {67, 67}, 1, 1, 30},
        {0x98, false, {}, {57, 50}, 1, 0, 40},
        {0xA0, true, {27, 33}, {67, 33}, 1, -1, 30},
        {0xA8, true, {10, 33}, {50, 33}, 0, -1, 30},
        {0xB0, true, {-7, 33}, {33, 33}, -1, -1, 30},
        {0xB8, true, {-7, 67}, {33, 67}, -1, 1, 30},
    };
    for (const Case& c : cases) {
        TClassicShablon shablon(3, 3);
        Recorder r;
        shablon.DrawLineArrows(r.Canvas, c.code);
        ASSERT_EQ(r.Calls().size(), c.approach ? 2u : 1u) << c.code;
        if (c.approach) { EXPECT_EQ(r.Calls()[0].Points, (TPoints{c.from, c.start})) << c.code; }
        const TCanvasCall& stroke = r.Calls().back();
        EXPECT_EQ(stroke.Pen, (TPen{0xFF0000, 5, TPenStyle::Solid})) << c.code;
        const TPoint tip{c.start.X + c.dx * c.length, c.start.Y + c.dy * c.length};
        TPoint barb1, notch, barb2;
        if (c.dx == 0 || c.dy == 0) {
            const int sx = std::abs(c.dy), sy = std::abs(c.dx);
            barb1 = {tip.X - 13 * c.dx - 8 * sx, tip.Y - 13 * c.dy - 8 * sy};
            barb2 = {tip.X - 13 * c.dx + 8 * sx, tip.Y - 13 * c.dy + 8 * sy};
            notch = {tip.X - 7 * c.dx, tip.Y - 7 * c.dy};
        } else {
            barb1 = {tip.X - 14 * c.dx, tip.Y - 4 * c.dy};
            notch = {tip.X - 5 * c.dx, tip.Y - 5 * c.dy};
            barb2 = {tip.X - 4 * c.dx, tip.Y - 14 * c.dy};
        }
        EXPECT_EQ(stroke.Points, (TPoints{c.start, tip, barb1, notch, barb2, tip})) << c.code;
    }
}

TEST(TemplateDraw, LineArrowCodesCarryTwoArrowsAndTheirInsets) {
    TClassicShablon shablon(3, 3);
    Recorder both;
    shablon.DrawLineArrows(both.Canvas, 0x01 | 0x18);  // down from the top, right from the left
    ASSERT_EQ(both.Calls().size(), 2u);
    EXPECT_EQ(both.Calls()[0].Points[0], (TPoint{50, 0}));
    EXPECT_EQ(both.Calls()[1].Points[0], (TPoint{0, 50}));

    shablon.ArrowLook.PenInset = true;
    shablon.ArrowLook.PenInsetInside = false;
    Recorder inset;
    shablon.DrawLineArrows(inset.Canvas, 0x01);
    shablon.DrawLineArrows(inset.Canvas, 0x41);
    ASSERT_EQ(inset.Calls().size(), 2u);
    EXPECT_EQ(inset.Calls()[0].Points[0], (TPoint{50, 3}));
    EXPECT_EQ(inset.Calls()[1].Points[0], (TPoint{50, 60}));

    Recorder none;
    shablon.DrawLineArrows(none.Canvas, 0x40);
    shablon.DrawArrowStroke(none.Canvas, 0, 0, 9, true);
    EXPECT_TRUE(none.Calls().empty());
}

TEST(TemplateDraw, PicturesFitWithTheirProportions) {
    struct Case {
        int width, height;
        TRect rect;
        bool centred;
        TRect drawn;
    };
    const Case cases[] = {
        {200, 100, {0, 0, 100, 100}, false, {0, 0, 100, 50}},
        {200, 100, {0, 0, 100, 100}, true, {0, 25, 100, 75}},
        {50, 100, {10, 10, 110, 60}, true, {47, 10, 72, 60}},
        {10, 10, {0, 0, 30, 20}, false, {0, 0, 20, 20}},
        {3, 2, {0, 0, 100, 100}, true, {0, 16, 100, 83}},  // 66.67 rounds to 67
    };
    for (const Case& c : cases) {
        Recorder r;
        TShablon::DrawPictureFitted(r.Canvas, Blank(c.width, c.height), c.rect, c.centred);
        ASSERT_EQ(r.Calls().size(), 1u);
        EXPECT_EQ(r.Calls()[0].Rect, c.drawn) << c.width << "x" << c.height;
    }
    Recorder r;
    TShablon::DrawPictureFitted(r.Canvas, nullptr, TRect{0, 0, 10, 10}, true);
    TShablon::DrawPictureFitted(r.Canvas, Blank(10, 10), TRect{0, 0, 0, 10}, true);
    TShablon::DrawPictureFitted(r.Canvas, Blank(10, 10), TRect{0, 0, 10, -5}, false);
    EXPECT_TRUE(r.Calls().empty());
}

TEST(TemplateDraw, OutlinesRunRoundTheLetterArea) {
    // The wide outline is 20 wide: corners are at 100 c + 10.
    const auto at = [](int c) { return 100 * c + 10; };
    const auto segment = [&](int x1, int y1, int x2, int y2) -> TSegment {
        return std::minmax(std::make_pair(at(x1), at(y1)), std::make_pair(at(x2), at(y2)));
    };
    struct Case {
        const char* name;
        GridPicture grid;
        std::set<TSegment> segments;
    };
    const Case cases[] = {
        {"L shape",
         {".#", ".."},
         {segment(0, 0, 1, 0), segment(1, 0, 1, 1), segment(1, 1, 2, 1), segment(2, 1, 2, 2), segment(2, 2, 0, 2),
          segment(0, 2, 0, 0)}},
        {"two islands",
         {".#.", ".#."},
         {segment(0, 0, 1, 0), segment(1, 0, 1, 2), segment(1, 2, 0, 2), segment(0, 2, 0, 0), segment(2, 0, 3, 0),
          segment(3, 0, 3, 2), segment(3, 2, 2, 2), segment(2, 2, 2, 0)}},
        {"touching at a corner",
         {".#", "#."},
         {segment(0, 0, 1, 0), segment(1, 0, 1, 1), segment(1, 1, 2, 1), segment(2, 1, 2, 2), segment(2, 2, 1, 2),
          segment(1, 2, 1, 1), segment(1, 1, 0, 1), segment(0, 1, 0, 0)}},
    };
    for (const Case& c : cases) {
        TClassicShablon shablon(1, 1);
        DrawGrid(shablon, c.grid);
        shablon.WideOutline.Show = true;
        shablon.WideOutline.Color = RgbColor(0x00FF00);
        TMetafile metafile(0, 0, FixedTextMetrics());
        shablon.DrawToMetafile(metafile);
        const auto lines = CallsOf(metafile, TCanvasOp::Line);
        EXPECT_EQ(lines.size(), c.segments.size()) << c.name;  // one line per straight run
        EXPECT_EQ(Segments(metafile), c.segments) << c.name;
        ASSERT_FALSE(lines.empty());
        EXPECT_EQ(lines[0].Pen, (TPen{0x00FF00, 20, TPenStyle::Solid})) << c.name;
    }
}

TEST(TemplateDraw, TheOutlineOfAStartCellWalksItsContour) {
    TClassicShablon shablon(3, 3);
    Recorder r;
    // A 2 x 1 pair starting at cell (4, 5), drawn relative to the origin (3, 5): four lines.
    shablon.CanvasDrawOutline(r.Canvas, 4, 5, 3, 5, "\x04" "662448");
    const TPoints starts = {{103, 3}, {303, 3}, {303, 103}, {103, 103}};
    ASSERT_EQ(r.Calls().size(), 4u);
    for (int i = 0; i < 4; ++i) EXPECT_EQ(r.Calls()[i].Points, (TPoints{starts[i], starts[(i + 1) % 4]}));
    Recorder none;
    shablon.CanvasDrawOutline(none.Canvas, 0, 0, 0, 0, "\x05" "6248");
    shablon.CanvasDrawOutline(none.Canvas, 0, 0, 0, 0, "");
    EXPECT_TRUE(none.Calls().empty());
}

TEST(TemplateDraw, LinesAndPolylines) {
    TClassicShablon shablon(3, 3);
    shablon.LetterCellLook.PenColor = RgbColor(0x112233);
    Recorder r;
    r.Canvas.Pen = {0x999999, 3, TPenStyle::Solid};
    shablon.CanvasDrawLine(r.Canvas, 1, 2, 3, 4, "SETKA_STYLE");
    shablon.CanvasDrawLine(r.Canvas, 5, 6, 7, 8, "CHAR_POLE");
    ASSERT_EQ(r.Calls().size(), 2u);
    EXPECT_EQ(r.Calls()[0].Pen, (TPen{0x999999, 3, TPenStyle::Solid}));
    EXPECT_EQ(r.Calls()[1].Pen, (TPen{0x112233, 7, TPenStyle::Solid}));
    EXPECT_EQ(r.Calls()[1].Points, (TPoints{{5, 6}, {7, 8}}));

    // Export points (0, 0), (100000, -200000), (300000, 0) and half a point more.
    TComExport list;
    list.AddPolyline({{0, 0}, {100000, -200000}, {300000, 0}}, "SETKA_STYLE", RgbColor(0x0000FF), 2);
    std::string points(list.Text(0));
    points += std::string("\x01\x02\x03\x04", 4);
    Recorder poly;
    shablon.CanvasDrawPolyline(poly.Canvas, points, "SETKA_STYLE", RgbColor(0x0000FF), 2);
    ASSERT_EQ(poly.Calls().size(), 2u);
    EXPECT_EQ(poly.Calls()[0].Points, (TPoints{{3, 3}, {103, 203}}));
    EXPECT_EQ(poly.Calls()[1].Points, (TPoints{{103, 203}, {303, 3}}));
    EXPECT_EQ(poly.Calls()[1].Pen, (TPen{0x0000FF, 2, TPenStyle::Solid}));
}

TEST(TemplateDraw, TurnMarksAndPartsOfLargeCells) {
    TClassicShablon shablon(3, 3);
    ASSERT_TRUE(shablon.ArrowPictures.AddBlank("TURN_1", TPictureKind::Bitmap, 10, 10));
    ASSERT_TRUE(shablon.ArrowPictures.AddBlank("TURN_8", TPictureKind::Bitmap, 10, 10));
    Recorder turns;
    shablon.DrawTurnMarks(turns.Canvas, 100, 200, 0x01 | 0x08 | 0x30);  // no TURN_48
    ASSERT_EQ(turns.Calls().size(), 2u);
    EXPECT_EQ(turns.Calls()[0].Picture.get(), &shablon.ArrowPictures.Picture(0));
    EXPECT_EQ(turns.Calls()[1].Picture.get(), &shablon.ArrowPictures.Picture(1));
    EXPECT_EQ(turns.Calls()[1].Rect, (TRect{107, 207, 193, 293}));

    // The middle column of the bottom row of a 3 x 2 cell: the whole cell drawn shifted into a
    // one-cell piece.
    Recorder part;
    shablon.DrawCellPart(part.Canvas, 40, 50, 3, 2, TItemRect{1, 1, 1, 1}, CellKind::Letter);
    ASSERT_EQ(part.Calls().size(), 1u);
    const TCanvasCall& piece = part.Calls()[0];
    EXPECT_EQ(piece.Op, TCanvasOp::Metafile);
    EXPECT_EQ(piece.Rect, (TRect{40, 50, 140, 150}));
    ASSERT_EQ(piece.Metafile->Calls().size(), 1u);
    EXPECT_EQ(piece.Metafile->Calls()[0].Rect, (TRect{-100, -100, 200, 100}));
    EXPECT_EQ(piece.Metafile->Calls()[0].Clip, (TRect{0, 0, 100, 100}));

    Recorder empty;
    shablon.DrawCellPart(empty.Canvas, 40, 50, 3, 2, TItemRect{2, 0, 1, 1}, CellKind::Letter);
    EXPECT_TRUE(empty.Calls().empty());
}

TEST(TemplateDraw, KeyWordCellsNumbersAndTheirTable) {
    TClassicShablon shablon(1, 1);
    DrawGrid(shablon, {"...", ".#.", "..."});
    shablon.SetKeyWordCell(0, 0, 1);
    shablon.SetKeyWordCell(2, 2, 2);
    shablon.KeyWordCellLook.NoPaint = false;
    TMetafile metafile(0, 0, FixedTextMetrics());
    shablon.DrawToMetafile(metafile);
    EXPECT_EQ(metafile.Height(), 507);  // room for the key-word table
    const auto cells = CallsOf(metafile, TCanvasOp::RoundRect);
    const auto keyWordCells = std::count_if(cells.begin(), cells.end(), [](const TCanvasCall& call) {
        return call.Pen.Color == 0x0000FF;
    });
    // Two key-word cells in the grid and two in the table below it; the inner blank is not painted.
    EXPECT_EQ(keyWordCells, 4);
    EXPECT_EQ(cells.size(), 10u);
    const auto texts = CallsOf(metafile, TCanvasOp::Text);
    std::multiset<std::string> shown;
    for (const auto& text : texts) shown.insert(text.Text);
    // Clue numbers 1..3 and the key-word numbers 1 and 2, each in the grid and in the table.
    EXPECT_EQ(shown, (std::multiset<std::string>{"1", "1", "1", "2", "2", "2", "3"}));
}

TEST(TemplateDraw, APictureTooLargeForItsPositionsIsEmpty) {
    TClassicShablon shablon(200, 3);
    DrawGrid(shablon, {std::string(200, '.'), std::string(200, '.'), std::string(200, '.')});
    shablon.Scale = 108;
    TMetafile metafile(5, 5, FixedTextMetrics());
    shablon.DrawToMetafile(metafile);
    EXPECT_EQ(metafile.Width(), 0);
    EXPECT_TRUE(metafile.Calls().empty());
    shablon.Scale = 100;
    shablon.DrawToMetafile(metafile);
    EXPECT_EQ(metafile.Width(), 2000700);
}

TEST(TemplateDraw, TheBackgroundFitsThePicture) {
    TempDir dir;
    TClassicShablon shablon(1, 1);
    DrawGrid(shablon, {"..", ".."});
    ASSERT_TRUE(WritePictureForTest(dir.File("sky.bmp")));
    shablon.BackgroundPicture = dir.File("sky.bmp");
    TMetafile metafile(0, 0, FixedTextMetrics());
    shablon.DrawToMetafile(metafile);
    ASSERT_FALSE(metafile.Calls().empty());
    EXPECT_EQ(metafile.Calls()[0].Op, TCanvasOp::Picture);
    EXPECT_EQ(metafile.Calls()[0].Rect, (TRect{0, 51, 207, 155}));  // 40 x 20 fitted into 207 x 207

    ASSERT_TRUE(shablon.Pictures.AddBlank("background", TPictureKind::Bitmap, 10, 10));
    shablon.BackgroundPicture = "background";
    shablon.DrawToMetafile(metafile);
    EXPECT_EQ(metafile.Calls()[0].Picture.get(), &shablon.Pictures.Picture(0));
}
