#include "GifImage.h"

#include <gif_lib.h>

#include <algorithm>
#include <cstring>
#include <memory>

namespace {

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
