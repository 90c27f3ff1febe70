#include "Bitmap.h"

#include "CairoPainter.h"

#include <algorithm>

struct TBitmap::State {
    cairo_surface_t* Surface = nullptr;
    cairo_t* Cr = nullptr;
    std::unique_ptr<TCairoPainter> Painter;

    ~State() {
        Painter.reset();
        if (Cr) cairo_destroy(Cr);
        if (Surface) cairo_surface_destroy(Surface);
    }
};

TBitmap::TBitmap(int width, int height)
    : mWidth(std::max(1, width)), mHeight(std::max(1, height)), mState(std::make_unique<State>()) {
    mState->Surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, mWidth, mHeight);
    mState->Cr = cairo_create(mState->Surface);
    cairo_set_source_rgb(mState->Cr, 1, 1, 1);
    cairo_paint(mState->Cr);
    mState->Painter = std::make_unique<TCairoPainter>(mState->Cr);
}

TBitmap::~TBitmap() = default;

void TBitmap::Perform(TCanvasCall&& call) {
    mState->Painter->Paint(call);
}

TDIB TBitmap::Pixels() const {
    cairo_surface_flush(mState->Surface);
    const unsigned char* data = cairo_image_surface_get_data(mState->Surface);
    const int stride = cairo_image_surface_get_stride(mState->Surface);
    TDIB image(mWidth, mHeight);
    if (!data) return image;
    for (int y = 0; y < mHeight; ++y) {
        const auto* row = reinterpret_cast<const uint32_t*>(data + static_cast<std::size_t>(y) * stride);
        std::transform(row, row + mWidth, image.Row(y), [](uint32_t pixel) { return pixel & 0xFFFFFF; });
    }
    return image;
}

std::string TBitmap::PngData() const {
    return SurfacePngBytes(mState->Surface);
}

TFileOutcome TBitmap::WritePng(const std::string& path) const {
    const std::string png = PngData();
    if (png.empty()) return TFileOutcome::Failed("the picture cannot be encoded");
    return WriteOutputFile(path, png);
}
