#include "WmfPicture.h"

#include <libwmf/api.h>
#include <libwmf/svg.h>

#include <algorithm>
#include <iterator>
#include <memory>

namespace {

// A placeable metafile starts with this key, a plain one with its type (1 memory, 2 disk) and a
// header of nine words.
constexpr unsigned char PlaceableKey[4] = {0xD7, 0xCD, 0xC6, 0x9A};
// The drawing units per inch the SVG is laid out at, those of the pictures drawn by the program.
constexpr double OutputDpi = 72;
// Larger drawings are taken for damaged data.
constexpr unsigned MaxSide = 16384;

struct ApiDeleter {
    void operator()(wmfAPI* api) const { wmf_api_destroy(api); }
};

bool LooksLikeWmf(std::string_view data) {
    if (data.size() >= 4 && std::equal(std::begin(PlaceableKey), std::end(PlaceableKey), data.begin(),
                                       [](unsigned char key, char c) { return key == static_cast<unsigned char>(c); }))
        return true;
    return data.size() >= 18 && (data[0] == 1 || data[0] == 2) && data[1] == 0 && data[2] == 9 && data[3] == 0;
}

}  // namespace

std::optional<std::string> WmfToSvg(std::string_view data) {
    if (!LooksLikeWmf(data)) return std::nullopt;
    wmfAPI_Options options{};
    options.function = wmf_svg_function;
    // Quiet: the library would print its complaints on the standard error itself.
    const unsigned long flags = WMF_OPT_FUNCTION | WMF_OPT_IGNORE_NONFATAL | WMF_OPT_NO_ERROR | WMF_OPT_NO_DEBUG;
    wmfAPI* created = nullptr;
    if (wmf_api_create(&created, flags, &options) != wmf_E_None) {
        if (created) wmf_api_destroy(created);
        return std::nullopt;
    }
    const std::unique_ptr<wmfAPI, ApiDeleter> api(created);
    // The library reads from the buffer without writing to it.
    std::string bytes(data);
    wmfD_Rect box{};
    unsigned width = 0, height = 0;
    if (wmf_mem_open(api.get(), reinterpret_cast<unsigned char*>(bytes.data()), static_cast<long>(bytes.size())) !=
            wmf_E_None ||
        wmf_scan(api.get(), 0, &box) != wmf_E_None ||
        wmf_display_size(api.get(), &width, &height, OutputDpi, OutputDpi) != wmf_E_None || width == 0 ||
        height == 0 || width > MaxSide || height > MaxSide)
        return std::nullopt;
    wmf_svg_t* svg = WMF_SVG_GetData(api.get());
    svg->out = wmf_stream_create(api.get(), nullptr);
    if (!svg->out) return std::nullopt;
    svg->Description = nullptr;
    svg->bbox = box;
    svg->width = width;
    svg->height = height;
    const wmf_error_t played = wmf_play(api.get(), 0, &box);
    char* text = nullptr;
    unsigned long length = 0;
    wmf_stream_destroy(api.get(), svg->out, &text, &length);
    svg->out = nullptr;
    std::optional<std::string> result;
    if (played == wmf_E_None && text) result = std::string(text, length);
    // The memory stream's text comes from the library's own allocator, which the API frees.
    return result;
}
