#pragma once

// TArtCanvas: vector drawing onto a 32-bit image through Cairo, for the artwork made at build
// time (anti-aliased shapes and gradients, text in fontconfig fonts, crisp glyphs without
// anti-aliasing). Coordinates are pixels from the top-left corner; texts are UTF-8.

#include "Surface.h"

#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// A colour with opacity, each part 0..1.
struct TRgba {
    double R = 0, G = 0, B = 0, A = 1;
};

// A colour from a 0xRRGGBB value and an opacity.
TRgba RgbaOf(TColor32 rgb, double alpha = 1);

// A colour stop of a gradient: where (0..1) and which colour.
struct TGradientStop {
    double Offset;
    TRgba Color;
};

enum class TTextEdges {
    Smooth,  // anti-aliased
    Crisp,   // every pixel fully on or off
};

struct TFontSpec {
    std::string Family = "DejaVu Sans";
    double PixelSize = 16;
    bool Bold = false;
    bool Italic = false;
    TTextEdges Edges = TTextEdges::Smooth;
};

// Where a text's ink lies relative to its pen start on the baseline, and how far the pen moves.
struct TTextExtents {
    double InkLeft = 0, InkTop = 0;  // InkTop is negative above the baseline
    double InkWidth = 0, InkHeight = 0;
    double Advance = 0;
};

// The font's line metrics at the current size.
struct TFontMetrics {
    double Ascent = 0, Descent = 0, Height = 0;
};

class TArtCanvas {
public:
    // A transparent canvas.
    TArtCanvas(int width, int height);
    // An opaque canvas holding the image.
    explicit TArtCanvas(const TDIB& background);
    ~TArtCanvas();
    TArtCanvas(const TArtCanvas&) = delete;
    TArtCanvas& operator=(const TArtCanvas&) = delete;

    int Width() const { return mWidth; }
    int Height() const { return mHeight; }

    // --- the current path (drawing it clears it) ---
    void Rectangle(double x, double y, double w, double h);
    void RoundedRectangle(double x, double y, double w, double h, double radius);
    void Polygon(const std::vector<std::pair<double, double>>& points);
    void Circle(double cx, double cy, double radius);
    void MoveTo(double x, double y);
    void LineTo(double x, double y);
    // An arc around (cx, cy) from angle a0 to a1 (radians, clockwise on screen), joined to the path.
    void Arc(double cx, double cy, double radius, double a0, double a1);

    // --- painting the path ---
    void Fill(TRgba color);
    // Fills with a gradient running from (x0, y0) to (x1, y1).
    void FillGradient(double x0, double y0, double x1, double y1, const std::vector<TGradientStop>& stops);
    // Fills with a radial gradient from the centre (cx, cy) out to radius.
    void FillRadial(double cx, double cy, double radius, const std::vector<TGradientStop>& stops);
    void Stroke(TRgba color, double width);
    // Keeps later drawing inside the path (until ResetClip).
    void Clip();
    void ResetClip();

    // --- text ---
    void SetFont(const TFontSpec& font);
    TFontMetrics FontMetrics() const;
    TTextExtents MeasureText(std::string_view utf8) const;
    // Draws text with its pen starting at (x, baseline).
    void DrawText(double x, double baseline, std::string_view utf8, TRgba color);
    // The text's outline as the current path, for outlined lettering.
    void TextPath(double x, double baseline, std::string_view utf8);

    // --- results ---
    // The pixels over black (colours scaled by their opacity), red in bits 16..23.
    TDIB Pixels() const;
    // The opacity of a pixel, 0..255.
    int Alpha(int x, int y) const;
    // Writes the canvas as a PNG file; false when it cannot be written.
    bool WritePng(const std::string& path) const;

private:
    struct State;

    int mWidth;
    int mHeight;
    std::unique_ptr<State> mState;
};

// Writes a 32-bit image as an opaque PNG file; false when it cannot be written.
bool WritePngFile(const TDIB& image, const std::string& path);
