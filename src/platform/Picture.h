#pragma once

// TPicture: one picture of a collection file, kept as the bytes of a standard file format
// together with its decoded pixels. A metafile is stored as SVG (drawn through librsvg), a
// bitmap as a BMP file image, a JPEG as JFIF. Pixels decode onto black, the transparent colour
// of the screen images and glyphs, so transparent parts of an SVG end up black.

#include "Surface.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

// Stored in the first byte of a picture header; the numbers are part of the file format.
enum class TPictureKind : uint8_t {
    Metafile = 0,
    Bitmap = 1,
    Jpeg = 2,
};

// True for the three kinds a file may name.
bool IsPictureKind(int kind);

// The kind a file's extension names, compared without case: SVG (or WMF, EMF, the names older
// files give metafiles) a metafile, BMP a bitmap, JPG or JPEG a JPEG; -1 for any other.
int PictureKindOfFile(std::string_view path);

// The most pixels one picture may have; a larger one is taken for damaged data.
constexpr long long MaxPicturePixels = 16LL * 1024 * 1024;

// The image files pictures are read from outside the collections, told by their first bytes.
enum class TImageFormat {
    Unknown,
    Bmp,
    Png,
    Jpeg,
};

TImageFormat ImageFormatOf(std::string_view data);

// The size a BMP, PNG or JPEG file image's header gives, read without decoding the pixels; false
// when the data is none of them or its header cannot be read.
bool ReadImageSize(std::string_view data, long long& width, long long& height);

// The pixels of a BMP, PNG or JPEG file image, transparent parts of a PNG laid over backdrop;
// nullopt when the data is none of them, cannot be decoded or would have more than maxPixels.
std::optional<TDIB> DecodeImage(std::string_view data, TColor32 backdrop = 0, long long maxPixels = MaxPicturePixels);

class TPicture {
public:
    // Decodes data as a picture of the kind; null when it is not one or would have more than
    // maxPixels pixels (nothing reported). The size is checked before pixels are allocated.
    static std::unique_ptr<TPicture> FromData(TPictureKind kind, std::string_view data,
                                              long long maxPixels = MaxPicturePixels);
    // Encodes an image as a bitmap (exact pixels) or a JPEG (lossy); null for a metafile.
    static std::unique_ptr<TPicture> FromImage(TPictureKind kind, const TDIB& image);
    // A black picture of the kind and size (a metafile: an empty drawing of that size).
    static std::unique_ptr<TPicture> Blank(TPictureKind kind, int width, int height);
    // The picture in a regular file of a kind its extension names (a WMF file played into SVG;
    // an EMF file has no player); null otherwise, silently.
    static std::unique_ptr<TPicture> FromFile(const std::string& path);

    TPictureKind Kind() const { return mKind; }
    int Width() const { return mPixels.Width(); }
    int Height() const { return mPixels.Height(); }
    // The stored bytes: what a collection file holds as the picture's body.
    const std::string& Data() const { return mData; }
    // The decoded pixels, 32-bit with red in bits 16..23 and the top byte 0.
    const TDIB& Pixels() const { return mPixels; }

private:
    // Only the factories above make pictures, so the pixels always match the data.
    struct Key {
        explicit Key() = default;
    };

public:
    TPicture(Key, TPictureKind kind, std::string data, TDIB pixels)
        : mKind(kind), mData(std::move(data)), mPixels(std::move(pixels)) {}

private:
    TPictureKind mKind;
    std::string mData;
    TDIB mPixels;
};
