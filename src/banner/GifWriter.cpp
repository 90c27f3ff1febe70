#include "GifWriter.h"

#include <gif_lib.h>

#include <map>
#include <memory>

namespace {

constexpr int MaxColors = 255;  // one index stays free for transparency

int WriteToString(GifFileType* gif, const GifByteType* data, int size) {
    static_cast<std::string*>(gif->UserData)->append(reinterpret_cast<const char*>(data), size);
    return size;
}

struct ColorMapDeleter {
    void operator()(ColorMapObject* map) const { GifFreeMapObject(map); }
};
using ColorMap = std::unique_ptr<ColorMapObject, ColorMapDeleter>;

// The frame as indices into a colour table: exact when it has few colours, quantized otherwise.
// The transparent colour, if any, gets the last index of a 256-entry table.
ColorMap Index(const TGifFrame& frame, std::vector<GifByteType>& indices, int& transparentIndex) {
    const int w = frame.Image.Width(), h = frame.Image.Height();
    const std::size_t count = static_cast<std::size_t>(w) * h;
    indices.assign(count, 0);
    transparentIndex = NO_TRANSPARENT_COLOR;

    std::map<TColor32, int> exact;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const TColor32 p = frame.Image.Pixel(x, y) & 0xFFFFFF;
            if (frame.Transparent && p == *frame.Transparent) continue;
            if (exact.size() <= MaxColors) exact.emplace(p, 0);
        }

    ColorMap map(GifMakeMapObject(256, nullptr));
    if (!map) return nullptr;
    if (exact.size() <= MaxColors) {
        int next = 0;
        for (auto& [color, index] : exact) {
            index = next++;
            map->Colors[index] = {static_cast<GifByteType>(color >> 16), static_cast<GifByteType>(color >> 8),
                                  static_cast<GifByteType>(color)};
        }
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                const TColor32 p = frame.Image.Pixel(x, y) & 0xFFFFFF;
                if (frame.Transparent && p == *frame.Transparent) continue;
                indices[static_cast<std::size_t>(y) * w + x] = static_cast<GifByteType>(exact[p]);
            }
    } else {
        std::vector<GifByteType> red(count), green(count), blue(count);
        for (std::size_t i = 0; i < count; ++i) {
            const TColor32 p = frame.Image.Row(0)[i];
            red[i] = static_cast<GifByteType>(p >> 16);
            green[i] = static_cast<GifByteType>(p >> 8);
            blue[i] = static_cast<GifByteType>(p);
        }
        int size = MaxColors;
        if (GifQuantizeBuffer(w, h, &size, red.data(), green.data(), blue.data(), indices.data(), map->Colors) !=
            GIF_OK)
            return nullptr;
    }
    if (frame.Transparent) {
        transparentIndex = 255;
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                if ((frame.Image.Pixel(x, y) & 0xFFFFFF) == *frame.Transparent)
                    indices[static_cast<std::size_t>(y) * w + x] = 255;
    }
    return map;
}

}  // namespace

std::string EncodeGif(int width, int height, const std::vector<TGifFrame>& frames, bool loop) {
    std::string out;
    int error = 0;
    GifFileType* gif = EGifOpen(&out, WriteToString, &error);
    if (!gif) return {};
    EGifSetGifVersion(gif, true);
    bool ok = EGifPutScreenDesc(gif, width, height, 8, 0, nullptr) == GIF_OK;
    if (ok && loop) {
        const GifByteType netscape[] = {'N', 'E', 'T', 'S', 'C', 'A', 'P', 'E', '2', '.', '0'};
        const GifByteType repeat[] = {1, 0, 0};  // loop forever
        ok = EGifPutExtensionLeader(gif, APPLICATION_EXT_FUNC_CODE) == GIF_OK &&
             EGifPutExtensionBlock(gif, sizeof netscape, netscape) == GIF_OK &&
             EGifPutExtensionBlock(gif, sizeof repeat, repeat) == GIF_OK && EGifPutExtensionTrailer(gif) == GIF_OK;
    }
    std::vector<GifByteType> indices;
    for (const TGifFrame& frame : frames) {
        if (!ok) break;
        int transparent = NO_TRANSPARENT_COLOR;
        ColorMap map = Index(frame, indices, transparent);
        if (!map) {
            ok = false;
            break;
        }
        if (frame.Delay > 0 || transparent != NO_TRANSPARENT_COLOR) {
            GraphicsControlBlock control{};
            control.DisposalMode = DISPOSAL_UNSPECIFIED;
            control.DelayTime = frame.Delay;
            control.TransparentColor = transparent;
            GifByteType extension[4];
            const std::size_t length = EGifGCBToExtension(&control, extension);
            ok = EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, static_cast<int>(length), extension) == GIF_OK;
        }
        const int w = frame.Image.Width(), h = frame.Image.Height();
        ok = ok && EGifPutImageDesc(gif, 0, 0, w, h, false, map.get()) == GIF_OK;
        for (int y = 0; ok && y < h; ++y)
            ok = EGifPutLine(gif, indices.data() + static_cast<std::size_t>(y) * w, w) == GIF_OK;
    }
    if (EGifCloseFile(gif, &error) != GIF_OK) ok = false;
    return ok ? out : std::string();
}
