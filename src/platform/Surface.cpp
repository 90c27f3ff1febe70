#include "Surface.h"

#include <algorithm>

TDIB::TDIB(int width, int height)
    : mWidth(std::max(width, 0)), mHeight(std::max(height, 0)),
      mPixels(static_cast<std::size_t>(mWidth) * mHeight, 0) {}

TColor32 TDIB::Pixel(int x, int y) const {
    if (x < 0 || y < 0 || x >= mWidth || y >= mHeight) return 0;
    return mPixels[static_cast<std::size_t>(y) * mWidth + x];
}

void TDIB::SetPixel(int x, int y, TColor32 color) {
    if (x < 0 || y < 0 || x >= mWidth || y >= mHeight) return;
    mPixels[static_cast<std::size_t>(y) * mWidth + x] = color;
}

TDirectDrawSurface::TDirectDrawSurface(int width, int height) : mImage(width, height) {}

TDirectDrawSurface::TDirectDrawSurface(const TDIB& image) : mImage(image) {
    for (int y = 0; y < mImage.Height(); ++y) {
        TColor32* row = mImage.Row(y);
        for (int x = 0; x < mImage.Width(); ++x) row[x] &= 0xFFFFFF;
    }
}

namespace {

// The part of a w x h rectangle at (x, y) that lies inside a target of tw x th.
TRect Clip(int x, int y, int w, int h, int tw, int th) {
    return {std::max(x, 0), std::max(y, 0), std::min(x + w, tw), std::min(y + h, th)};
}

}  // namespace

void TDirectDrawSurface::Draw(TDirectDrawSurface& target, int x, int y, TBlit mode) const {
    const TRect clip = Clip(x, y, Width(), Height(), target.Width(), target.Height());
    if (clip.Width() <= 0 || clip.Height() <= 0) return;
    const int count = clip.Width();
    for (int ty = clip.Top; ty < clip.Bottom; ++ty) {
        const TColor32* src = mImage.Row(ty - y) + (clip.Left - x);
        TColor32* dst = target.mImage.Row(ty) + clip.Left;
        if (mode == TBlit::Opaque) {
            std::copy(src, src + count, dst);
        } else {
            const TColor32 key = mTransparentColor;
            for (int i = 0; i < count; ++i)
                if (src[i] != key) dst[i] = src[i];
        }
    }
}

void TDirectDrawSurface::Fill(const TRect& rect, TColor32 color) {
    const TRect clip = Clip(rect.Left, rect.Top, rect.Width(), rect.Height(), Width(), Height());
    if (clip.Width() <= 0) return;
    for (int y = clip.Top; y < clip.Bottom; ++y) {
        TColor32* row = mImage.Row(y);
        std::fill(row + clip.Left, row + clip.Right, color & 0xFFFFFF);
    }
}

void TDirectDrawSurface::FillAlpha(const TRect& rect, TColor32 color, uint8_t alpha) {
    const TRect clip = Clip(rect.Left, rect.Top, rect.Width(), rect.Height(), Width(), Height());
    if (clip.Width() <= 0) return;
    const uint32_t a = alpha;
    const uint32_t keep = 255 - a;
    const uint32_t r = (color >> 16) & 0xFF, g = (color >> 8) & 0xFF, b = color & 0xFF;
    // Per channel: (color * a + pixel * (255 - a)) / 255, rounded.
    const auto blend = [&](uint32_t over, uint32_t under) { return (over * a + under * keep + 127) / 255; };
    for (int y = clip.Top; y < clip.Bottom; ++y) {
        TColor32* row = mImage.Row(y);
        for (int x = clip.Left; x < clip.Right; ++x) {
            const TColor32 p = row[x];
            row[x] = blend(r, (p >> 16) & 0xFF) << 16 | blend(g, (p >> 8) & 0xFF) << 8 | blend(b, p & 0xFF);
        }
    }
}
