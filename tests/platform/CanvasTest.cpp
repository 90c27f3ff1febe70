#include "platform/Bitmap.h"
#include "platform/Canvas.h"
#include "platform/Metafile.h"
#include "platform/Picture.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

constexpr TColor Black = 0;
constexpr TColor White = 0xFFFFFF;
constexpr TColor32 WhitePixel = 0xFFFFFF;

// A canvas over a white bitmap with a black 1-unit pen and a clear brush.
struct Painted {
    TBitmap Bitmap;
    TCanvas Canvas;

    Painted(int width, int height) : Bitmap(width, height), Canvas(Bitmap) {
        Canvas.Pen.Color = Black;
        Canvas.Brush.Style = TBrushStyle::Clear;
    }
    TColor32 At(int x, int y) const { return Bitmap.Pixels().Pixel(x, y); }
};

// Round joins leave the outer corner of a 1-unit outline a little lighter than black.
bool Dark(TColor32 pixel) {
    return (pixel >> 16 & 0xFF) < 0x40 && (pixel >> 8 & 0xFF) < 0x40 && (pixel & 0xFF) < 0x40;
}

std::shared_ptr<const TPicture> SolidBitmap(int width, int height, TColor32 pixel) {
    TDIB image(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) image.SetPixel(x, y, pixel);
    return TPicture::FromImage(TPictureKind::Bitmap, image);
}

}  // namespace

TEST(Canvas, CallsCarryTheStateTheyWereMadeIn) {
    TMetafile metafile(100, 100, FixedTextMetrics());
    TCanvas canvas(metafile);
    canvas.Pen = {RGB(1, 2, 3), 7, TPenStyle::Solid};
    canvas.Brush = {RGB(9, 8, 7), TBrushStyle::Clear};
    canvas.MoveTo(5, 6);
    canvas.LineTo(10, 20);
    canvas.LineTo(30, 40);
    canvas.SetClipRect({1, 2, 3, 4});
    canvas.RoundRect(0, 0, 50, 60, 8, 6);
    canvas.ResetClip();
    canvas.Font.Name = "Arial Cyr";
    canvas.TextAlign = TTextAlign::Baseline;
    canvas.TextOut(3, 4, "12");

    const auto& calls = metafile.Calls();
    ASSERT_EQ(calls.size(), 4u);
    EXPECT_EQ(calls[0].Op, TCanvasOp::Line);
    EXPECT_EQ(calls[0].Points, (std::vector<TPoint>{{5, 6}, {10, 20}}));
    EXPECT_EQ(calls[1].Points, (std::vector<TPoint>{{10, 20}, {30, 40}}));
    EXPECT_EQ(calls[1].Pen, (TPen{RGB(1, 2, 3), 7, TPenStyle::Solid}));
    EXPECT_EQ(calls[2].Op, TCanvasOp::RoundRect);
    EXPECT_EQ(calls[2].Rect, (TRect{0, 0, 50, 60}));
    EXPECT_EQ(calls[2].Corner, (TPoint{8, 6}));
    EXPECT_EQ(calls[2].Brush.Style, TBrushStyle::Clear);
    EXPECT_EQ(calls[2].Clip, (TRect{1, 2, 3, 4}));
    EXPECT_EQ(calls[3].Op, TCanvasOp::Text);
    EXPECT_EQ(calls[3].At, (TPoint{3, 4}));
    EXPECT_EQ(calls[3].Align, TTextAlign::Baseline);
    EXPECT_EQ(calls[3].Font.Name, "Arial Cyr");
    EXPECT_FALSE(calls[3].Clip.has_value());
}

TEST(Canvas, CallsThatCannotDrawAreNotMade) {
    TMetafile metafile(100, 100, FixedTextMetrics());
    TCanvas canvas(metafile);
    const TPoint one[] = {{1, 1}};
    canvas.Polygon(one);
    canvas.Polyline(one);
    canvas.TextOut(0, 0, "");
    const auto picture = SolidBitmap(4, 4, 0);
    canvas.StretchDraw(TRect{10, 10, 10, 20}, picture);  // no width: no scale to stretch by
    canvas.StretchDraw(TRect{10, 10, 5, 20}, picture);
    canvas.StretchDraw(TRect{0, 0, 10, 10}, std::shared_ptr<const TPicture>());
    canvas.Draw(0, 0, std::make_shared<const TMetafile>(0, 10));
    EXPECT_TRUE(metafile.Calls().empty());
}

TEST(Canvas, FontSizesAndFaces) {
    TFont font;
    font.SetSize(16);
    EXPECT_EQ(font.Height, -21);
    font.SetSize(14);
    EXPECT_EQ(font.Height, -19);
    EXPECT_EQ(ResolveFontFace("Arial Cyr"), "Arial");
    EXPECT_EQ(ResolveFontFace("Times New Roman Cyr"), "Times New Roman");
    EXPECT_EQ(ResolveFontFace("Arial"), "Arial");
    EXPECT_EQ(ResolveFontFace(" Cyr"), " Cyr");
}

TEST(Canvas, FixedMetricsAreSimpleProportions) {
    const TTextMetrics& metrics = FixedTextMetrics();
    TFont letters;
    letters.Height = -20;
    EXPECT_EQ(metrics.TextWidth(letters, "123"), 30);
    EXPECT_EQ(metrics.LineMetrics(letters).Ascent, 20);
    EXPECT_EQ(metrics.LineMetrics(letters).Descent, 5);
    TFont line;
    line.Height = 50;
    line.Bold = true;
    EXPECT_EQ(metrics.LineMetrics(line).Ascent, 40);
    EXPECT_EQ(metrics.LineMetrics(line).Descent, 10);
    EXPECT_EQ(metrics.TextWidth(line, "ab"), 48);
}

TEST(Canvas, RealMetricsFollowTheHeightAndIgnoreTheCyrillicEnding) {
    const TTextMetrics& metrics = CairoTextMetrics();
    TFont font;
    font.Name = "Arial";
    font.SetSize(16);
    const TLineMetrics line = metrics.LineMetrics(font);
    EXPECT_GE(line.Ascent, 17);
    EXPECT_LE(line.Ascent, 21);
    const int width = metrics.TextWidth(font, "88");
    EXPECT_GT(width, 12);
    EXPECT_LT(width, 30);
    TFont cyr = font;
    cyr.Name = "Arial Cyr";
    EXPECT_EQ(metrics.TextWidth(cyr, "88"), width);
    TFont big = font;
    big.Height = -210;
    EXPECT_NEAR(metrics.TextWidth(big, "88"), 10 * width, 10);
    // A positive height is the whole line.
    TFont lineHigh = font;
    lineHigh.Height = 100;
    const TLineMetrics whole = metrics.LineMetrics(lineHigh);
    EXPECT_NEAR(whole.Ascent + whole.Descent, 100, 1);
}

TEST(Canvas, ShapesExcludeTheirRightAndBottomEdge) {
    Painted p(12, 12);
    p.Canvas.Rectangle(2, 2, 8, 8);
    EXPECT_TRUE(Dark(p.At(2, 2)));
    EXPECT_TRUE(Dark(p.At(7, 7)));
    EXPECT_EQ(p.At(7, 4), 0u);
    EXPECT_EQ(p.At(4, 7), 0u);
    EXPECT_EQ(p.At(8, 4), WhitePixel);
    EXPECT_EQ(p.At(4, 8), WhitePixel);
    EXPECT_EQ(p.At(1, 4), WhitePixel);
    EXPECT_EQ(p.At(4, 4), WhitePixel);  // clear brush
}

TEST(Canvas, FillsAndPens) {
    struct Case {
        const char* name;
        int penWidth;
        TPenStyle pen;
        TBrushStyle brush;
        TColor32 inside;
        bool edge;
    };
    const Case cases[] = {
        {"solid pen, solid brush", 1, TPenStyle::Solid, TBrushStyle::Solid, 0x0000FF, true},
        {"pen of width 0 draws 1 wide", 0, TPenStyle::Solid, TBrushStyle::Solid, 0x0000FF, true},
        {"no pen", 1, TPenStyle::Clear, TBrushStyle::Solid, 0x0000FF, false},
        {"no brush", 1, TPenStyle::Solid, TBrushStyle::Clear, WhitePixel, true},
    };
    for (const Case& c : cases) {
        Painted p(20, 20);
        p.Canvas.Pen = {Black, c.penWidth, c.pen};
        p.Canvas.Brush = {RGB(0, 0, 255), c.brush};
        p.Canvas.Rectangle(2, 2, 18, 18);
        EXPECT_EQ(p.At(10, 10), c.inside) << c.name;
        EXPECT_EQ(p.At(2, 10) == 0, c.edge) << c.name;
        EXPECT_EQ(p.At(4, 10), c.inside) << c.name;
        EXPECT_EQ(p.At(1, 10), WhitePixel) << c.name;
    }
}

TEST(Canvas, WidePensSpreadToBothSides) {
    Painted p(40, 40);
    p.Canvas.Pen.Width = 7;
    p.Canvas.Rectangle(10, 10, 30, 30);
    EXPECT_EQ(p.At(7, 20), 0u);
    EXPECT_EQ(p.At(13, 20), 0u);
    EXPECT_EQ(p.At(5, 20), WhitePixel);
    EXPECT_EQ(p.At(15, 20), WhitePixel);
}

TEST(Canvas, PolygonsFillEvenOdd) {
    Painted p(30, 30);
    p.Canvas.Pen.Style = TPenStyle::Clear;
    p.Canvas.Brush = {Black, TBrushStyle::Solid};
    // An outer square and an inner one traced as one polygon: the inner area is a hole.
    const TPoint points[] = {{0, 0}, {29, 0}, {29, 29}, {0, 29}, {0, 0}, {10, 10}, {19, 10}, {19, 19}, {10, 19}, {10, 10}};
    p.Canvas.Polygon(points);
    EXPECT_EQ(p.At(5, 15), 0u);
    EXPECT_EQ(p.At(15, 15), WhitePixel);
}

TEST(Canvas, FillRectIsExactAndRoundRectCutsItsCorners) {
    Painted p(40, 40);
    p.Canvas.Brush = {Black, TBrushStyle::Solid};
    p.Canvas.FillRect({1, 1, 4, 4});
    EXPECT_EQ(p.At(1, 1), 0u);
    EXPECT_EQ(p.At(3, 3), 0u);
    EXPECT_EQ(p.At(4, 3), WhitePixel);
    EXPECT_EQ(p.At(0, 0), WhitePixel);
    p.Canvas.Pen.Style = TPenStyle::Clear;
    p.Canvas.RoundRect(10, 10, 40, 40, 20, 20);
    EXPECT_EQ(p.At(11, 11), WhitePixel);
    EXPECT_EQ(p.At(25, 11), 0u);
    EXPECT_EQ(p.At(25, 25), 0u);
    p.Canvas.Ellipse(0, 20, 10, 40);
    EXPECT_EQ(p.At(5, 30), 0u);
    EXPECT_EQ(p.At(1, 21), WhitePixel);
}

TEST(Canvas, TextTakesItsColourAndOptionalBackground) {
    Painted p(120, 40);
    p.Canvas.Font.Name = "Arial Cyr";
    p.Canvas.Font.SetSize(16);
    p.Canvas.Font.Color = RGB(255, 0, 0);
    p.Canvas.Brush = {RGB(0xC0, 0xC0, 0xC0), TBrushStyle::Solid};
    p.Canvas.TextOut(2, 2, "88");
    const TDIB pixels = p.Bitmap.Pixels();
    int red = 0;
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 120; ++x)
            if (pixels.Pixel(x, y) == 0xFF0000u) ++red;
    EXPECT_GT(red, 10);
    EXPECT_EQ(pixels.Pixel(3, 3), 0xC0C0C0u);  // the text's box
    EXPECT_EQ(pixels.Pixel(100, 3), WhitePixel);
}

TEST(Canvas, ClippingKeepsDrawingInside) {
    Painted p(20, 20);
    p.Canvas.Brush = {Black, TBrushStyle::Solid};
    p.Canvas.SetClipRect({5, 5, 10, 10});
    p.Canvas.FillRect({0, 0, 20, 20});
    p.Canvas.ResetClip();
    p.Canvas.FillRect({15, 15, 16, 16});
    EXPECT_EQ(p.At(5, 5), 0u);
    EXPECT_EQ(p.At(9, 9), 0u);
    EXPECT_EQ(p.At(10, 10), WhitePixel);
    EXPECT_EQ(p.At(4, 7), WhitePixel);
    EXPECT_EQ(p.At(15, 15), 0u);
}

TEST(Canvas, PicturesStretchIntoTheirRectangle) {
    Painted p(40, 40);
    p.Canvas.StretchDraw(TRect{10, 10, 30, 20}, SolidBitmap(2, 2, 0x00FF00));
    EXPECT_EQ(p.At(10, 10), 0x00FF00u);
    EXPECT_EQ(p.At(29, 19), 0x00FF00u);
    EXPECT_EQ(p.At(30, 15), WhitePixel);
    EXPECT_EQ(p.At(20, 20), WhitePixel);
}

TEST(Canvas, SvgPicturesDrawAsVectors) {
    // A 10 x 10 picture whose left half is blue, drawn 100 times larger: the edge stays sharp.
    const std::string svg =
        "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"10\" height=\"10\">"
        "<rect x=\"0\" y=\"0\" width=\"5\" height=\"10\" fill=\"#0000ff\"/></svg>";
    std::shared_ptr<const TPicture> picture = TPicture::FromData(TPictureKind::Metafile, svg);
    ASSERT_TRUE(picture);
    Painted p(1000, 1000);
    p.Canvas.StretchDraw(TRect{0, 0, 1000, 1000}, picture);
    EXPECT_EQ(p.At(499, 500), 0x0000FFu);
    EXPECT_EQ(p.At(500, 500), WhitePixel);
}

TEST(Canvas, AnEmptyStretchLeavesTheCanvasWorking) {
    Painted p(20, 20);
    auto empty = std::make_shared<TMetafile>(10, 10, FixedTextMetrics());
    p.Canvas.StretchDraw(TRect{5, 5, 5, 5}, std::shared_ptr<const TMetafile>(empty));
    p.Canvas.StretchDraw(TRect{5, 5, 15, 15}, SolidBitmap(0, 0, 0));
    p.Canvas.Brush = {Black, TBrushStyle::Solid};
    p.Canvas.FillRect({0, 0, 2, 2});
    EXPECT_EQ(p.At(1, 1), 0u);
}
