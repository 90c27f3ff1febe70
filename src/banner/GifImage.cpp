#include "GifImage.h"

#include <gif_lib.h>

#include <algorithm>
#include <cstring>
#include <memory>

namespace {

// What a banner may ask for. giflib sizes a frame's pixels from its descriptor before it reads
// any of its data, so these are checked on the file's records first.
constexpr int MaxScreenSide = 2048;
constexpr long long MaxScreenPixels = 2LL * 1024 * 1024;
constexpr long long MaxFramePixels = 16LL * 1024 * 1024;  // all frames together

constexpr std::size_t HeaderBytes = 6, ScreenBytes = 7, FrameDescriptorBytes = 9;
constexpr unsigned char ExtensionIntroducer = 0x21, ImageSeparator = 0x2C, Trailer = 0x3B;

// Reads the records of a GIF without decoding them.
class GifRecords {
public:
    explicit GifRecords(std::string_view bytes) : mBytes(bytes) {}

    // True when the logical screen and every frame keep to the limits above, each frame lying
    // within the screen, and the records run in order up to the trailer.
    bool WithinLimits() {
        if (mBytes.size() < HeaderBytes + ScreenBytes || !mBytes.starts_with("GIF")) return false;
        const long long width = Word(6), height = Word(8);
        if (width == 0 || height == 0 || width > MaxScreenSide || height > MaxScreenSide ||
            width * height > MaxScreenPixels)
            return false;
        mPos = HeaderBytes + ScreenBytes;
        SkipColorTable(Byte(10));
        long long framePixels = 0;
        while (mPos < mBytes.size()) {
            const unsigned char record = Byte(mPos++);
            if (record == Trailer) return true;
            if (record == ExtensionIntroducer) {
                ++mPos;  // the extension's label
            } else if (record == ImageSeparator) {
                if (mBytes.size() - mPos < FrameDescriptorBytes) return false;
                const long long left = Word(mPos), top = Word(mPos + 2), w = Word(mPos + 4), h = Word(mPos + 6);
                if (w == 0 || h == 0 || left + w > width || top + h > height) return false;
                framePixels += w * h;
                if (framePixels > MaxFramePixels) return false;
                const unsigned char flags = Byte(mPos + 8);
                mPos += FrameDescriptorBytes;
                SkipColorTable(flags);
                ++mPos;  // the LZW code size
            } else {
                return false;
            }
            if (!SkipSubBlocks()) return false;
        }
        return false;
    }

private:
    unsigned char Byte(std::size_t at) const { return static_cast<unsigned char>(mBytes[at]); }
    long long Word(std::size_t at) const { return Byte(at) | Byte(at + 1) << 8; }

    void SkipColorTable(unsigned char flags) {
        if (flags & 0x80) mPos += 3u << ((flags & 7) + 1);
    }

    // Skips a chain of data sub-blocks and its terminator; false when the bytes end first.
    bool SkipSubBlocks() {
        while (mPos < mBytes.size()) {
            const std::size_t length = Byte(mPos++);
            if (length == 0) return true;
            mPos += length;
        }
        return false;
    }

    std::string_view mBytes;
    std::size_t mPos = 0;
};

struct MemoryReader {
    std::string_view bytes;
    std::size_t position = 0;
};

int ReadFromMemory(GifFileType* gif, GifByteType* buffer, int size) {
    auto* reader = static_cast<MemoryReader*>(gif->UserData);
    const std::size_t n = std::min<std::size_t>(static_cast<std::size_t>(std::max(size, 0)),
                                                reader->bytes.size() - reader->position);
    std::memcpy(buffer, reader->bytes.data() + reader->position, n);
    reader->position += n;
    return static_cast<int>(n);
}

struct GifCloser {
    void operator()(GifFileType* gif) const {
        int error = 0;
        DGifCloseFile(gif, &error);
    }
};

}  // namespace

std::optional<TGifImage> TGifImage::Decode(std::string_view bytes) {
    if (!GifRecords(bytes).WithinLimits()) return std::nullopt;
    MemoryReader reader{bytes};
    int error = 0;
    std::unique_ptr<GifFileType, GifCloser> gif(DGifOpen(&reader, ReadFromMemory, &error));
    if (!gif || DGifSlurp(gif.get()) != GIF_OK || gif->ImageCount <= 0) return std::nullopt;

    TGifImage image;
    image.mWidth = gif->SWidth;
    image.mHeight = gif->SHeight;
    for (int k = 0; k < gif->ImageCount; ++k) {
        const SavedImage& saved = gif->SavedImages[k];
        const GifImageDesc& desc = saved.ImageDesc;
        const ColorMapObject* colors = desc.ColorMap ? desc.ColorMap : gif->SColorMap;
        if (!colors || !saved.RasterBits || desc.Width <= 0 || desc.Height <= 0) return std::nullopt;

        GraphicsControlBlock control{};
        control.TransparentColor = NO_TRANSPARENT_COLOR;
        const bool hasControl = DGifSavedExtensionToGCB(gif.get(), k, &control) == GIF_OK;

        Frame frame;
        frame.left = desc.Left;
        frame.top = desc.Top;
        frame.width = desc.Width;
        frame.height = desc.Height;
        frame.delay = hasControl ? control.DelayTime : 0;
        const std::size_t count = static_cast<std::size_t>(desc.Width) * desc.Height;
        frame.pixels.resize(count);
        frame.opaque.resize(count);
        for (std::size_t i = 0; i < count; ++i) {
            const int index = saved.RasterBits[i];
            // An index past the colour table is treated as transparent rather than read out of bounds.
            if (index == control.TransparentColor || index >= colors->ColorCount) continue;
            const GifColorType& c = colors->Colors[index];
            frame.pixels[i] = static_cast<TColor32>(c.Red) << 16 | static_cast<TColor32>(c.Green) << 8 | c.Blue;
            frame.opaque[i] = true;
        }
        image.mFrames.push_back(std::move(frame));
    }
    return image;
}

void TGifImage::DrawFrame(int k, TDIB& target) const {
    const Frame& frame = mFrames[k];
    for (int y = 0; y < frame.height; ++y) {
        const int ty = frame.top + y;
        if (ty < 0 || ty >= target.Height()) continue;
        TColor32* row = target.Row(ty);
        const std::size_t base = static_cast<std::size_t>(y) * frame.width;
        for (int x = 0; x < frame.width; ++x) {
            const int tx = frame.left + x;
            if (tx < 0 || tx >= target.Width() || !frame.opaque[base + x]) continue;
            row[tx] = frame.pixels[base + x];
        }
    }
}
