#include "platform/Bitmap.h"
#include "platform/Metafile.h"
#include "platform/Picture.h"

#include <gtest/gtest.h>

#include <cairo.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>

#include <unistd.h>

namespace {

constexpr TColor32 WhitePixel = 0xFFFFFF;

// A 10 x 10 picture: black everywhere, a red unit at (2, 3), and a blue square that reaches
// past its right edge (replays clip it).
std::shared_ptr<TMetafile> Sample() {
    auto metafile = std::make_shared<TMetafile>(10, 10, FixedTextMetrics());
    TCanvas canvas(*metafile);
    canvas.Brush = {0, TBrushStyle::Solid};
    canvas.FillRect({0, 0, 10, 10});
    canvas.Brush.Color = RGB(255, 0, 0);
    canvas.FillRect({2, 3, 3, 4});
    canvas.Brush.Color = RGB(0, 0, 255);
    canvas.FillRect({8, 8, 30, 30});
    return metafile;
}

std::string FileBytes(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

struct TempDir {
    std::filesystem::path Path = std::filesystem::temp_directory_path() / ("metafile_test_" + std::to_string(::getpid()));
    TempDir() { std::filesystem::create_directories(Path); }
    ~TempDir() { std::filesystem::remove_all(Path); }
    std::string File(const char* name) const { return (Path / name).string(); }
};

}  // namespace

TEST(Metafile, ReplaysAtAnOffsetClippedToItsFrame) {
    TBitmap bitmap(40, 40);
    TCanvas canvas(bitmap);
    canvas.Draw(5, 7, Sample());
    const TDIB pixels = bitmap.Pixels();
    EXPECT_EQ(pixels.Pixel(5, 7), 0u);
    EXPECT_EQ(pixels.Pixel(7, 10), 0xFF0000u);
    EXPECT_EQ(pixels.Pixel(14, 16), 0x0000FFu);
    EXPECT_EQ(pixels.Pixel(15, 16), WhitePixel);  // the blue square is cut at the frame
    EXPECT_EQ(pixels.Pixel(14, 17), WhitePixel);
}

TEST(Metafile, StretchesIntoARectangle) {
    TBitmap bitmap(100, 50);
    TCanvas canvas(bitmap);
    canvas.StretchDraw(TRect{0, 0, 100, 50}, std::shared_ptr<const TMetafile>(Sample()));
    const TDIB pixels = bitmap.Pixels();
    EXPECT_EQ(pixels.Pixel(25, 17), 0xFF0000u);  // the unit (2, 3) now covers 20..29 x 15..19
    EXPECT_EQ(pixels.Pixel(19, 17), 0u);
    EXPECT_EQ(pixels.Pixel(99, 49), 0x0000FFu);
}

TEST(Metafile, NestedPicturesKeepTheirOwnClip) {
    auto inner = Sample();
    TMetafile outer(50, 50, FixedTextMetrics());
    TCanvas canvas(outer);
    canvas.SetClipRect({0, 0, 13, 50});
    canvas.Draw(5, 5, inner);
    canvas.ResetClip();
    canvas.Brush = {RGB(0, 255, 0), TBrushStyle::Solid};
    canvas.FillRect({40, 40, 50, 50});
    ASSERT_EQ(outer.Calls().size(), 2u);
    EXPECT_EQ(outer.Calls()[0].Op, TCanvasOp::Metafile);
    EXPECT_EQ(outer.Calls()[0].Rect, (TRect{5, 5, 15, 15}));

    TBitmap bitmap(50, 50);
    TCanvas onBitmap(bitmap);
    onBitmap.Draw(0, 0, std::make_shared<const TMetafile>(outer));
    const TDIB pixels = bitmap.Pixels();
    EXPECT_EQ(pixels.Pixel(12, 6), 0u);
    EXPECT_EQ(pixels.Pixel(13, 6), WhitePixel);  // the outer clip
    EXPECT_EQ(pixels.Pixel(45, 45), 0x00FF00u);  // drawing goes on after the nested picture
}

TEST(Metafile, TurnedUpsideDown) {
    TBitmap bitmap(40, 40);
    TCanvas canvas(bitmap);
    canvas.StretchDrawTurned(TRect{5, 5, 25, 25}, std::shared_ptr<const TMetafile>(Sample()));
    const TDIB pixels = bitmap.Pixels();
    // The red unit (2, 3) of the 10 x 10 picture lands, doubled, at (7, 6) from the bottom right.
    EXPECT_EQ(pixels.Pixel(25 - 5, 25 - 7), 0xFF0000u);
    EXPECT_EQ(pixels.Pixel(5 + 5, 5 + 7), 0u);
    EXPECT_EQ(pixels.Pixel(6, 6), 0x0000FFu);  // the blue corner, now top left
    EXPECT_EQ(pixels.Pixel(4, 4), WhitePixel);
    EXPECT_EQ(pixels.Pixel(25, 25), WhitePixel);
}

TEST(Metafile, PdfDocumentOfPages) {
    TMetafile first(100, 200, FixedTextMetrics()), second(300, 100, FixedTextMetrics());
    const std::vector<TMetafile> pages = {first, second};
    const std::string pdf = PdfDocument(pages, 0.5);
    ASSERT_TRUE(pdf.starts_with("%PDF-"));
    EXPECT_NE(pdf.find("/Count 2"), std::string::npos);
    EXPECT_NE(pdf.find("/MediaBox [ 0 0 50 100 ]"), std::string::npos);
    EXPECT_NE(pdf.find("/MediaBox [ 0 0 150 50 ]"), std::string::npos);
    EXPECT_EQ(PdfDocument({}, 0.5), "");
    const std::vector<TMetafile> withEmpty = {first, TMetafile(0, 0, FixedTextMetrics())};
    EXPECT_EQ(PdfDocument(withEmpty, 0.5), "");
}

TEST(Metafile, PagesInPointsAndPixels) {
    const auto metafile = Sample();
    EXPECT_NE(metafile->SvgPageData(7.2).find("width=\"72pt\""), std::string::npos);
    TempDir dir;
    std::ofstream(dir.File("p.png"), std::ios::binary) << metafile->PngData(3);
    cairo_surface_t* png = cairo_image_surface_create_from_png(dir.File("p.png").c_str());
    EXPECT_EQ(cairo_image_surface_get_width(png), 30);
    cairo_surface_destroy(png);
}

TEST(Metafile, SvgReadsBackAtTheSameSize) {
    const auto metafile = Sample();
    const std::string svg = metafile->SvgData();
    ASSERT_FALSE(svg.empty());
    const auto picture = TPicture::FromData(TPictureKind::Metafile, svg);
    ASSERT_TRUE(picture);
    EXPECT_EQ(picture->Width(), 10);
    EXPECT_EQ(picture->Height(), 10);
    EXPECT_EQ(picture->Pixels().Pixel(2, 3), 0xFF0000u);
    EXPECT_EQ(picture->Pixels().Pixel(9, 9), 0x0000FFu);
}

TEST(Metafile, FileOutputs) {
    TempDir dir;
    const auto metafile = Sample();
    ASSERT_TRUE(metafile->WriteSvg(dir.File("a.svg")));
    const auto svg = TPicture::FromData(TPictureKind::Metafile, FileBytes(dir.File("a.svg")));
    ASSERT_TRUE(svg);
    EXPECT_EQ(svg->Width(), 10);
    ASSERT_TRUE(metafile->WritePdf(dir.File("a.pdf")));
    const std::string pdf = FileBytes(dir.File("a.pdf"));
    EXPECT_EQ(pdf.substr(0, 5), "%PDF-");
    EXPECT_NE(pdf.find("%%EOF", pdf.size() - 8), std::string::npos);
    ASSERT_TRUE(metafile->WritePng(dir.File("a.png")));

    cairo_surface_t* png = cairo_image_surface_create_from_png(dir.File("a.png").c_str());
    ASSERT_EQ(cairo_surface_status(png), CAIRO_STATUS_SUCCESS);
    EXPECT_EQ(cairo_image_surface_get_width(png), 10);
    const auto* row = reinterpret_cast<const uint32_t*>(cairo_image_surface_get_data(png) + 3 * cairo_image_surface_get_stride(png));
    EXPECT_EQ(row[2] & 0xFFFFFF, 0xFF0000u);
    cairo_surface_destroy(png);
}

TEST(Metafile, LargePngsAreScaledDownToTheLimits) {
    TempDir dir;
    struct Case {
        int width, height;
        int pngWidth, pngHeight;
    };
    const Case cases[] = {{20000, 100, 16384, 81}, {8000, 8000, 4096, 4096}};
    for (const Case& c : cases) {
        TMetafile metafile(c.width, c.height, FixedTextMetrics());
        ASSERT_TRUE(metafile.WritePng(dir.File("big.png")));
        cairo_surface_t* png = cairo_image_surface_create_from_png(dir.File("big.png").c_str());
        EXPECT_EQ(cairo_image_surface_get_width(png), c.pngWidth) << c.width;
        EXPECT_EQ(cairo_image_surface_get_height(png), c.pngHeight) << c.width;
        cairo_surface_destroy(png);
    }
}

TEST(Metafile, OutputsFailForEmptyPicturesAndUnwritableFiles) {
    TempDir dir;
    const TMetafile empty(0, 0, FixedTextMetrics());
    EXPECT_EQ(empty.SvgData(), "");
    EXPECT_FALSE(empty.WritePng(dir.File("e.png")));
    EXPECT_FALSE(empty.WritePdf(dir.File("e.pdf")));
    const std::string missing = dir.File("no/such/dir/x");
    const auto metafile = Sample();
    EXPECT_FALSE(metafile->WriteSvg(missing + ".svg"));
    EXPECT_FALSE(metafile->WritePdf(missing + ".pdf"));
    EXPECT_FALSE(metafile->WritePng(missing + ".png"));
}
