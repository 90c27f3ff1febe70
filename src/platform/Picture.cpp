#include "Picture.h"

#include "Handles.h"
#include "SvgCheck.h"
#include "WmfPicture.h"

#include <librsvg/rsvg.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <jpeglib.h>
#include <optional>
#include <png.h>
#include <vector>

namespace {

// Larger pictures are taken for damaged data rather than allocated.
constexpr int MaxPictureSide = 16384;
// A progressive JPEG may repeat its scans without end, each a pass over the whole picture;
// ordinary files have about ten.
constexpr int MaxJpegScans = 100;
constexpr int JpegQuality = 92;  // the artwork's photos stay clean at this level

bool SizeAllowed(long long width, long long height, long long maxPixels = MaxPicturePixels) {
    return width > 0 && height > 0 && width <= MaxPictureSide && height <= MaxPictureSide &&
           width * height <= std::min(maxPixels, MaxPicturePixels);
}

// --- BMP through SDL ---


uint32_t LittleEndian(std::string_view data, std::size_t at, std::size_t bytes) {
    uint32_t value = 0;
    for (std::size_t i = 0; i < bytes; ++i) value |= static_cast<uint32_t>(static_cast<unsigned char>(data[at + i])) << (8 * i);
    return value;
}

struct TBmpHeader {
    long long Width = 0;
    long long Height = 0;
    uint32_t Bits = 0;
    uint32_t Compression = 0;
};

// The size and pixel format a BMP file's header gives; false when there is no such header.
bool ReadBmpHeader(std::string_view data, TBmpHeader& header) {
    constexpr std::size_t FileHeader = 14, CoreHeader = 12, InfoHeader = 40;
    if (data.size() < FileHeader + CoreHeader || data.substr(0, 2) != "BM") return false;
    const uint32_t headerSize = LittleEndian(data, 14, 4);
    if (headerSize == CoreHeader) {
        header.Width = LittleEndian(data, 18, 2);
        header.Height = LittleEndian(data, 20, 2);
        header.Bits = LittleEndian(data, 24, 2);
        return true;
    }
    if (headerSize < InfoHeader || data.size() < FileHeader + InfoHeader) return false;
    header.Width = static_cast<int32_t>(LittleEndian(data, 18, 4));
    header.Height = std::llabs(static_cast<int32_t>(LittleEndian(data, 22, 4)));
    header.Bits = LittleEndian(data, 28, 2);
    header.Compression = LittleEndian(data, 30, 4);
    return true;
}

// Checks a BMP file's header before SDL sizes its image from it: a plausible size, and for
// uncompressed pixels enough bytes to hold them.
bool BmpHeaderFits(std::string_view data, long long maxPixels) {
    TBmpHeader header;
    if (!ReadBmpHeader(data, header)) return false;
    const long long width = header.Width, height = header.Height;
    const uint32_t bits = header.Bits, compression = header.Compression;
    if (!SizeAllowed(width, height, maxPixels) || bits == 0 || bits > 32) return false;
    const bool runLength = compression == 1 || compression == 2;
    const long long rowBytes = (width * bits + 31) / 32 * 4;
    return runLength || static_cast<long long>(data.size()) >= rowBytes * height;
}

std::optional<TDIB> DecodeBmp(std::string_view data, long long maxPixels) {
    if (!BmpHeaderFits(data, maxPixels)) return std::nullopt;
    SDL_RWops* rw = SDL_RWFromConstMem(data.data(), static_cast<int>(data.size()));
    if (!rw) return std::nullopt;
    SdlSurfacePtr loaded(SDL_LoadBMP_RW(rw, 1));
    if (!loaded || !SizeAllowed(loaded->w, loaded->h, maxPixels)) return std::nullopt;
    SdlSurfacePtr xrgb(SDL_ConvertSurfaceFormat(loaded.get(), SDL_PIXELFORMAT_XRGB8888, 0));
    if (!xrgb || SDL_LockSurface(xrgb.get()) != 0) return std::nullopt;
    TDIB image(xrgb->w, xrgb->h);
    for (int y = 0; y < xrgb->h; ++y) {
        const auto* src = reinterpret_cast<const uint32_t*>(static_cast<const uint8_t*>(xrgb->pixels) + y * xrgb->pitch);
        TColor32* dst = image.Row(y);
        for (int x = 0; x < xrgb->w; ++x) dst[x] = src[x] & 0xFFFFFF;
    }
    SDL_UnlockSurface(xrgb.get());
    return image;
}

std::string EncodeBmp(const TDIB& image) {
    // SDL writes an XRGB surface as a 24-bit BMP: 14 + 40 header bytes, rows padded to 4 bytes.
    const std::size_t rowBytes = (static_cast<std::size_t>(image.Width()) * 3 + 3) & ~std::size_t(3);
    const std::size_t capacity = 256 + rowBytes * image.Height();
    SdlSurfacePtr surface(SDL_CreateRGBSurfaceWithFormat(0, image.Width(), image.Height(), 32, SDL_PIXELFORMAT_XRGB8888));
    if (!surface) return {};
    for (int y = 0; y < image.Height(); ++y) {
        auto* dst = reinterpret_cast<uint32_t*>(static_cast<uint8_t*>(surface->pixels) + y * surface->pitch);
        std::copy(image.Row(y), image.Row(y) + image.Width(), dst);
    }
    std::string out(capacity, '\0');
    SDL_RWops* rw = SDL_RWFromMem(out.data(), static_cast<int>(out.size()));
    if (!rw) return {};
    if (SDL_SaveBMP_RW(surface.get(), rw, 0) != 0) {
        SDL_RWclose(rw);
        return {};
    }
    out.resize(static_cast<std::size_t>(SDL_RWtell(rw)));
    SDL_RWclose(rw);
    return out;
}

// --- JPEG through libjpeg ---

struct JpegError {
    jpeg_error_mgr manager;
    std::jmp_buf jump;
};

void JpegFail(j_common_ptr info) {
    std::longjmp(reinterpret_cast<JpegError*>(info->err)->jump, 1);
}

void JpegSilence(j_common_ptr, int) {}

// The error manager of one coding: errors jump back to the caller's setjmp, warnings are dropped.
jpeg_error_mgr* JpegErrors(JpegError& error) {
    jpeg_std_error(&error.manager);
    error.manager.error_exit = JpegFail;
    error.manager.emit_message = JpegSilence;
    return &error.manager;
}

// Ends a decoding that has read more scans than a picture needs; libjpeg reports progress
// between the steps that take in the scans.
void JpegLimitScans(j_common_ptr info) {
    if (info->is_decompressor && reinterpret_cast<j_decompress_ptr>(info)->input_scan_number > MaxJpegScans)
        JpegFail(info);
}

// Reads the header's size into width and height, then, unless image is null, decodes into
// image, which the caller has not sized yet. No C++ object with a destructor may live in this
// frame: a decoding error jumps back to setjmp.
bool DecodeJpegInto(std::string_view data, long long maxPixels, TDIB* image, long long& width, long long& height) {
    jpeg_decompress_struct info;
    JpegError error;
    info.err = JpegErrors(error);
    jpeg_progress_mgr progress{};
    progress.progress_monitor = JpegLimitScans;
    if (setjmp(error.jump)) {
        jpeg_destroy_decompress(&info);
        return false;
    }
    jpeg_create_decompress(&info);
    info.progress = &progress;
    jpeg_mem_src(&info, reinterpret_cast<const unsigned char*>(data.data()), static_cast<unsigned long>(data.size()));
    jpeg_read_header(&info, TRUE);
    width = info.image_width;
    height = info.image_height;
    // Checked before the decoder sizes its buffers from the header.
    if (!image || !SizeAllowed(info.image_width, info.image_height, maxPixels)) {
        jpeg_destroy_decompress(&info);
        return !image;
    }
    info.out_color_space = JCS_RGB;
    jpeg_start_decompress(&info);
    if (info.output_components != 3) {
        jpeg_destroy_decompress(&info);
        return false;
    }
    *image = TDIB(static_cast<int>(info.output_width), static_cast<int>(info.output_height));
    unsigned char* row = static_cast<unsigned char*>(
        (*info.mem->alloc_small)(reinterpret_cast<j_common_ptr>(&info), JPOOL_IMAGE, info.output_width * 3));
    while (info.output_scanline < info.output_height) {
        const int y = static_cast<int>(info.output_scanline);
        jpeg_read_scanlines(&info, &row, 1);
        TColor32* dst = image->Row(y);
        for (unsigned x = 0; x < info.output_width; ++x)
            dst[x] = static_cast<TColor32>(row[3 * x]) << 16 | static_cast<TColor32>(row[3 * x + 1]) << 8 | row[3 * x + 2];
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    return true;
}

std::optional<TDIB> DecodeJpeg(std::string_view data, long long maxPixels) {
    TDIB image;
    long long width = 0, height = 0;
    if (!DecodeJpegInto(data, maxPixels, &image, width, height)) return std::nullopt;
    return image;
}

// Encodes into a buffer libjpeg allocates; the caller frees it. Same rule as above for the frame.
bool EncodeJpegInto(const TDIB& image, unsigned char*& buffer, unsigned long& size) {
    jpeg_compress_struct info;
    JpegError error;
    info.err = JpegErrors(error);
    if (setjmp(error.jump)) {
        jpeg_destroy_compress(&info);
        return false;
    }
    jpeg_create_compress(&info);
    jpeg_mem_dest(&info, &buffer, &size);
    info.image_width = static_cast<JDIMENSION>(image.Width());
    info.image_height = static_cast<JDIMENSION>(image.Height());
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, JpegQuality, TRUE);
    jpeg_start_compress(&info, TRUE);
    unsigned char* row = static_cast<unsigned char*>(
        (*info.mem->alloc_small)(reinterpret_cast<j_common_ptr>(&info), JPOOL_IMAGE, info.image_width * 3));
    while (info.next_scanline < info.image_height) {
        const TColor32* src = image.Row(static_cast<int>(info.next_scanline));
        for (unsigned x = 0; x < info.image_width; ++x) {
            row[3 * x] = static_cast<unsigned char>(src[x] >> 16);
            row[3 * x + 1] = static_cast<unsigned char>(src[x] >> 8);
            row[3 * x + 2] = static_cast<unsigned char>(src[x]);
        }
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    return true;
}

std::string EncodeJpeg(const TDIB& image) {
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    const bool ok = EncodeJpegInto(image, buffer, size);
    std::string out = ok ? std::string(reinterpret_cast<const char*>(buffer), size) : std::string();
    std::free(buffer);
    return out;
}

// --- PNG through libpng ---

// The size comes from the header, checked before the pixels are allocated.
std::optional<TDIB> DecodePng(std::string_view data, TColor32 backdrop, long long maxPixels) {
    png_image png{};
    png.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_memory(&png, data.data(), data.size())) return std::nullopt;
    if (!SizeAllowed(png.width, png.height, maxPixels)) {
        png_image_free(&png);
        return std::nullopt;
    }
    png.format = PNG_FORMAT_RGB;
    std::vector<png_byte> rgb(PNG_IMAGE_SIZE(png));
    const png_color background{static_cast<png_byte>(backdrop >> 16), static_cast<png_byte>(backdrop >> 8),
                               static_cast<png_byte>(backdrop)};
    if (!png_image_finish_read(&png, &background, rgb.data(), 0, nullptr)) return std::nullopt;
    TDIB image(static_cast<int>(png.width), static_cast<int>(png.height));
    const png_byte* src = rgb.data();
    for (int y = 0; y < image.Height(); ++y) {
        TColor32* dst = image.Row(y);
        for (int x = 0; x < image.Width(); ++x, src += 3)
            dst[x] = static_cast<TColor32>(src[0]) << 16 | static_cast<TColor32>(src[1]) << 8 | src[2];
    }
    return image;
}

// --- SVG through librsvg and Cairo ---

struct HandleDeleter {
    void operator()(RsvgHandle* handle) const { g_object_unref(handle); }
};

std::optional<TDIB> DecodeSvg(std::string_view data, long long maxPixels) {
    if (!SvgWithinLimits(data)) return std::nullopt;
    GError* error = nullptr;
    std::unique_ptr<RsvgHandle, HandleDeleter> handle(
        rsvg_handle_new_from_data(reinterpret_cast<const guint8*>(data.data()), data.size(), &error));
    if (error) g_error_free(error);
    if (!handle) return std::nullopt;
    double width = 0, height = 0;
    if (!rsvg_handle_get_intrinsic_size_in_pixels(handle.get(), &width, &height)) return std::nullopt;
    const long long w = std::llround(width), h = std::llround(height);
    if (!SizeAllowed(w, h, maxPixels)) return std::nullopt;
    const CairoSurfacePtr surface(
        cairo_image_surface_create(CAIRO_FORMAT_RGB24, static_cast<int>(w), static_cast<int>(h)));
    const CairoPtr cr(cairo_create(surface.get()));
    cairo_set_source_rgb(cr.get(), 0, 0, 0);
    cairo_paint(cr.get());
    const RsvgRectangle viewport{0, 0, static_cast<double>(w), static_cast<double>(h)};
    const bool drawn = rsvg_handle_render_document(handle.get(), cr.get(), &viewport, &error);
    if (error) g_error_free(error);
    if (!drawn) return std::nullopt;
    cairo_surface_flush(surface.get());
    TDIB image(static_cast<int>(w), static_cast<int>(h));
    const unsigned char* data0 = cairo_image_surface_get_data(surface.get());
    const int stride = cairo_image_surface_get_stride(surface.get());
    for (int y = 0; y < image.Height(); ++y) {
        const auto* src = reinterpret_cast<const uint32_t*>(data0 + static_cast<std::size_t>(y) * stride);
        TColor32* dst = image.Row(y);
        for (int x = 0; x < image.Width(); ++x) dst[x] = src[x] & 0xFFFFFF;
    }
    return image;
}

std::string BlankSvg(int width, int height) {
    return "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" + std::to_string(width) + "\" height=\"" +
           std::to_string(height) + "\"/>";
}

}  // namespace

TImageFormat ImageFormatOf(std::string_view data) {
    if (data.starts_with("BM")) return TImageFormat::Bmp;
    if (data.starts_with("\x89PNG\r\n\x1A\n")) return TImageFormat::Png;
    if (data.starts_with("\xFF\xD8\xFF")) return TImageFormat::Jpeg;
    return TImageFormat::Unknown;
}

bool ReadImageSize(std::string_view data, long long& width, long long& height) {
    switch (ImageFormatOf(data)) {
        case TImageFormat::Bmp: {
            TBmpHeader header;
            if (!ReadBmpHeader(data, header)) return false;
            width = header.Width;
            height = header.Height;
            return true;
        }
        case TImageFormat::Png: {
            png_image png{};
            png.version = PNG_IMAGE_VERSION;
            if (!png_image_begin_read_from_memory(&png, data.data(), data.size())) return false;
            width = png.width;
            height = png.height;
            png_image_free(&png);
            return true;
        }
        case TImageFormat::Jpeg: return DecodeJpegInto(data, 0, nullptr, width, height);
        case TImageFormat::Unknown: break;
    }
    return false;
}

std::optional<TDIB> DecodeImage(std::string_view data, TColor32 backdrop, long long maxPixels) {
    switch (ImageFormatOf(data)) {
        case TImageFormat::Bmp: return DecodeBmp(data, maxPixels);
        case TImageFormat::Png: return DecodePng(data, backdrop, maxPixels);
        case TImageFormat::Jpeg: return DecodeJpeg(data, maxPixels);
        case TImageFormat::Unknown: break;
    }
    return std::nullopt;
}

bool IsPictureKind(int kind) {
    return kind >= 0 && kind <= static_cast<int>(TPictureKind::Jpeg);
}

namespace {

// The extension of a file name in capitals, without the dot; empty for none.
std::string UpperExtension(std::string_view path) {
    const std::size_t dot = path.rfind('.');
    const std::size_t slash = path.rfind('/');
    if (dot == std::string_view::npos || (slash != std::string_view::npos && dot < slash)) return {};
    std::string ext(path.substr(dot + 1));
    std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return std::toupper(c); });
    return ext;
}

}  // namespace

int PictureKindOfFile(std::string_view path) {
    const std::string ext = UpperExtension(path);
    if (ext == "SVG" || ext == "WMF" || ext == "EMF") return static_cast<int>(TPictureKind::Metafile);
    if (ext == "BMP") return static_cast<int>(TPictureKind::Bitmap);
    if (ext == "JPG" || ext == "JPEG") return static_cast<int>(TPictureKind::Jpeg);
    return -1;
}

std::unique_ptr<TPicture> TPicture::FromData(TPictureKind kind, std::string_view data, long long maxPixels) {
    std::optional<TDIB> pixels;
    switch (kind) {
        case TPictureKind::Metafile: pixels = DecodeSvg(data, maxPixels); break;
        case TPictureKind::Bitmap: pixels = DecodeBmp(data, maxPixels); break;
        case TPictureKind::Jpeg: pixels = DecodeJpeg(data, maxPixels); break;
    }
    if (!pixels) return nullptr;
    return std::make_unique<TPicture>(Key{}, kind, std::string(data), std::move(*pixels));
}

std::unique_ptr<TPicture> TPicture::FromImage(TPictureKind kind, const TDIB& image) {
    if (!SizeAllowed(image.Width(), image.Height())) return nullptr;
    std::string data;
    if (kind == TPictureKind::Bitmap) data = EncodeBmp(image);
    if (kind == TPictureKind::Jpeg) data = EncodeJpeg(image);
    if (data.empty()) return nullptr;
    return FromData(kind, data);
}

std::unique_ptr<TPicture> TPicture::FromFile(const std::string& path) {
    const int kind = PictureKindOfFile(path);
    std::error_code error;
    if (kind < 0 || !std::filesystem::is_regular_file(path, error)) return nullptr;
    std::ifstream file(path, std::ios::binary);
    std::string data((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    if (file.bad()) return nullptr;
    if (UpperExtension(path) == "WMF") {
        const std::optional<std::string> svg = WmfToSvg(data);
        return svg ? FromData(TPictureKind::Metafile, *svg) : nullptr;
    }
    return FromData(static_cast<TPictureKind>(kind), data);
}

std::unique_ptr<TPicture> TPicture::Blank(TPictureKind kind, int width, int height) {
    if (kind == TPictureKind::Metafile) return FromData(kind, BlankSvg(width, height));
    return FromImage(kind, TDIB(width, height));
}
