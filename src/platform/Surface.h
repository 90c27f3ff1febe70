#pragma once

// Software display surfaces. A pixel is a 32-bit value with red in bits 16..23, green in
// 8..15 and blue in 0..7; the top byte is always 0. Every blit clips at both surfaces' edges.

#include <cstdint>
#include <vector>

using TColor32 = uint32_t;

struct TRect {
    int Left = 0, Top = 0, Right = 0, Bottom = 0;  // Right and Bottom are excluded

    int Width() const { return Right - Left; }
    int Height() const { return Bottom - Top; }
    bool operator==(const TRect&) const = default;
};

// A device-independent 32-bit image, the stage between a picture and a surface.
class TDIB {
public:
    TDIB() = default;
    TDIB(int width, int height);

    int Width() const { return mWidth; }
    int Height() const { return mHeight; }
    // The pixel at (x, y); 0 outside the image.
    TColor32 Pixel(int x, int y) const;
    // Sets the pixel at (x, y); ignored outside the image.
    void SetPixel(int x, int y, TColor32 color);
    // Row y, Width() pixels.
    TColor32* Row(int y) { return mPixels.data() + static_cast<std::size_t>(y) * mWidth; }
    const TColor32* Row(int y) const { return mPixels.data() + static_cast<std::size_t>(y) * mWidth; }

private:
    int mWidth = 0;
    int mHeight = 0;
    std::vector<TColor32> mPixels;
};

enum class TBlit {
    Opaque,  // every source pixel is copied
    Keyed,   // source pixels equal to the transparent colour leave the target unchanged
};

// An off-screen surface: a drawing target and a source of keyed and opaque blits.
class TDirectDrawSurface {
public:
    TDirectDrawSurface() = default;
    TDirectDrawSurface(int width, int height);
    // A surface of the image's size holding its pixels.
    explicit TDirectDrawSurface(const TDIB& image);

    int Width() const { return mImage.Width(); }
    int Height() const { return mImage.Height(); }

    // The colour that keyed blits leave out (0 = black).
    TColor32 TransparentColor() const { return mTransparentColor; }
    void SetTransparentColor(TColor32 color) { mTransparentColor = color & 0xFFFFFF; }

    // Draws this surface onto target with its top-left corner at (x, y).
    void Draw(TDirectDrawSurface& target, int x, int y, TBlit mode) const;
    // The pixel at (x, y); 0 outside the surface (hit masks read 0 as no hit).
    TColor32 Pixel(int x, int y) const { return mImage.Pixel(x, y); }
    void SetPixel(int x, int y, TColor32 color) { mImage.SetPixel(x, y, color & 0xFFFFFF); }
    // Fills rect (clipped) with color.
    void Fill(const TRect& rect, TColor32 color);
    // Blends color over rect (clipped): alpha 0 leaves the pixels, 255 paints color.
    void FillAlpha(const TRect& rect, TColor32 color, uint8_t alpha);

    const TDIB& Image() const { return mImage; }
    TDIB& Image() { return mImage; }

private:
    TDIB mImage;
    TColor32 mTransparentColor = 0;
};
