#include "ScratchFolder.h"

#include "platform/ArtCanvas.h"
#include "platform/Picture.h"

#include <cairo.h>
#include <gtest/gtest.h>

namespace {

// A small image whose pixels all differ, red in bits 16..23.
TDIB Sample() {
    TDIB image(5, 3);
    for (int y = 0; y < image.Height(); ++y)
        for (int x = 0; x < image.Width(); ++x)
            image.SetPixel(x, y, static_cast<TColor32>(0x302010 * (x + 1) + 0x4080C0 * y) & 0xFFFFFF);
    return image;
}

std::string PngOf(const TDIB& image, const ScratchFolder& folder) {
    const std::string path = folder.Path("image.png");
    EXPECT_TRUE(WritePngFile(image, path));
    return ScratchFolder::Read(path);
}

cairo_status_t AppendBytes(void* closure, const unsigned char* data, unsigned int length) {
    static_cast<std::string*>(closure)->append(reinterpret_cast<const char*>(data), length);
    return CAIRO_STATUS_SUCCESS;
}

// A 2 x 1 PNG with an alpha channel: an opaque blue pixel, then a fully transparent one.
std::string TransparentPng() {
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 2, 1);
    cairo_surface_flush(surface);
    auto* row = reinterpret_cast<uint32_t*>(cairo_image_surface_get_data(surface));
    row[0] = 0xFF0000FF;
    row[1] = 0;
    cairo_surface_mark_dirty(surface);
    std::string bytes;
    cairo_surface_write_to_png_stream(surface, AppendBytes, &bytes);
    cairo_surface_destroy(surface);
    return bytes;
}

void ExpectPixels(const TDIB& actual, const TDIB& expected) {
    ASSERT_EQ(actual.Width(), expected.Width());
    ASSERT_EQ(actual.Height(), expected.Height());
    for (int y = 0; y < expected.Height(); ++y)
        for (int x = 0; x < expected.Width(); ++x) EXPECT_EQ(actual.Pixel(x, y), expected.Pixel(x, y)) << x << "," << y;
}

}  // namespace

TEST(Image, PngDecodesToItsExactPixels) {
    const ScratchFolder folder("image-png");
    const std::string png = PngOf(Sample(), folder);
    EXPECT_EQ(ImageFormatOf(png), TImageFormat::Png);
    const auto decoded = DecodeImage(png);
    ASSERT_TRUE(decoded);
    ExpectPixels(*decoded, Sample());
}

TEST(Image, TransparentPngPixelsShowTheBackdrop) {
    const std::string png = TransparentPng();
    struct Case {
        TColor32 backdrop;
        TColor32 transparent;
    };
    for (const Case c : {Case{0, 0}, Case{0xFFFFFF, 0xFFFFFF}, Case{0x123456, 0x123456}}) {
        const auto decoded = DecodeImage(png, c.backdrop);
        ASSERT_TRUE(decoded);
        EXPECT_EQ(decoded->Pixel(0, 0), 0x0000FFu);
        EXPECT_EQ(decoded->Pixel(1, 0), c.transparent);
    }
}

TEST(Image, EveryFormatIsToldByItsBytes) {
    const ScratchFolder folder("image-formats");
    const TDIB sample = Sample();
    const std::string bmp = TPicture::FromImage(TPictureKind::Bitmap, sample)->Data();
    const std::string jpeg = TPicture::FromImage(TPictureKind::Jpeg, sample)->Data();
    struct Case {
        std::string data;
        TImageFormat format;
    };
    for (const Case& c : {Case{bmp, TImageFormat::Bmp}, Case{PngOf(sample, folder), TImageFormat::Png},
                          Case{jpeg, TImageFormat::Jpeg}}) {
        EXPECT_EQ(ImageFormatOf(c.data), c.format);
        const auto decoded = DecodeImage(c.data);
        ASSERT_TRUE(decoded);
        EXPECT_EQ(decoded->Width(), sample.Width());
        EXPECT_EQ(decoded->Height(), sample.Height());
    }
    ExpectPixels(*DecodeImage(bmp), sample);
}

TEST(Image, DamagedUnknownAndOversizedDataDecodeToNothing) {
    const ScratchFolder folder("image-bad");
    const std::string png = PngOf(Sample(), folder);
    EXPECT_EQ(ImageFormatOf("GIF89a"), TImageFormat::Unknown);
    EXPECT_EQ(ImageFormatOf(""), TImageFormat::Unknown);
    for (const std::string& data : {std::string("GIF89a\x01\x00\x01\x00"), std::string(), png.substr(0, 8),
                                    png.substr(0, 40), png.substr(0, png.size() - 20)})
        EXPECT_FALSE(DecodeImage(data)) << data.size();
    // The header's size is refused before the pixels are made.
    EXPECT_FALSE(DecodeImage(png, 0, 14));
    EXPECT_TRUE(DecodeImage(png, 0, 15));
}
