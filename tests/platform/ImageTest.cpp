#include "ScratchFolder.h"

#include "platform/ArtCanvas.h"
#include "platform/Picture.h"

#include <cairo.h>
#include <gtest/gtest.h>

#include <utility>

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
        long long width = 0, height = 0;
        EXPECT_TRUE(ReadImageSize(c.data, width, height));
        EXPECT_EQ(std::pair(width, height), (std::pair<long long, long long>(sample.Width(), sample.Height())));
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
    long long width = 0, height = 0;
    for (const std::string& data : {std::string("GIF89a\x01\x00\x01\x00"), std::string("BM"), png.substr(0, 8),
                                    std::string("\xFF\xD8\xFF")})
        EXPECT_FALSE(ReadImageSize(data, width, height)) << data.size();
    // The header's size is refused before the pixels are made.
    EXPECT_FALSE(DecodeImage(png, 0, 14));
    EXPECT_TRUE(DecodeImage(png, 0, 15));
}

namespace {

// A placeable Windows metafile 100 x 100 units at 72 units an inch: a red rectangle, which the
// player stretches over the picture.
std::string RedSquareWmf() {
    std::string out;
    const auto word = [&out](int v) {
        out += static_cast<char>(v & 0xFF);
        out += static_cast<char>(v >> 8 & 0xFF);
    };
    const auto dword = [&](long v) {
        word(static_cast<int>(v & 0xFFFF));
        word(static_cast<int>(v >> 16 & 0xFFFF));
    };
    const int placeable[10] = {0xCDD7, 0x9AC6, 0, 0, 0, 100, 100, 72, 0, 0};
    int checksum = 0;
    for (const int w : placeable) {
        word(w);
        checksum ^= w;
    }
    word(checksum);
    word(1), word(9), word(0x0300), dword(40), word(1), dword(7), word(0);
    const auto record = [&](int function, std::initializer_list<int> params) {
        dword(3 + static_cast<long>(params.size()));
        word(function);
        for (const int p : params) word(p);
    };
    record(0x020B, {0, 0});                // window origin
    record(0x020C, {100, 100});            // window extent
    record(0x02FC, {0, 0x00FF, 0x0000, 0});  // a solid red brush
    record(0x012D, {0});                   // selected
    record(0x041B, {80, 80, 20, 20});      // the rectangle: bottom, right, top, left
    record(0x0000, {});
    return out;
}

}  // namespace

// A WMF file is played into a metafile picture; an EMF file, which nothing here plays, and a
// damaged WMF give none.
TEST(Image, WindowsMetafilesArePlayedIntoPictures) {
    const ScratchFolder folder("image-wmf");
    const std::string wmf = folder.Write("square.wmf", RedSquareWmf());
    const auto picture = TPicture::FromFile(wmf);
    ASSERT_TRUE(picture);
    EXPECT_EQ(picture->Kind(), TPictureKind::Metafile);
    EXPECT_EQ(std::pair(picture->Width(), picture->Height()), std::pair(100, 100));
    EXPECT_EQ(picture->Pixels().Pixel(50, 50), 0xFF0000u);
    EXPECT_FALSE(TPicture::FromFile(folder.Write("square.emf", RedSquareWmf())));
    EXPECT_FALSE(TPicture::FromFile(folder.Write("broken.wmf", RedSquareWmf().substr(0, 30))));
}
