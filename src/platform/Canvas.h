#pragma once

// TCanvas: the drawing model of the Windows canvas that the engine draws its pictures with. A
// canvas keeps a current pen, brush and font and a clip rectangle; every drawing call takes a
// snapshot of them and hands it to its target: a metafile records it (TMetafile), a bitmap
// paints it at once through Cairo (TBitmap).
//
// Geometry follows the Windows canvas: integer units; shapes given by a rectangle exclude its
// right and bottom edge, their outline runs through the centres of the edge units and wide pens
// spread evenly to both sides with round caps and joins; polygons fill even-odd; a pen narrower
// than 1 draws 1 unit wide. Colours are Windows colour values (red in the low byte). Texts are
// cp1251.

#include "ColorValue.h"
#include "Surface.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

class TPicture;
class TMetafile;

// A Windows colour value 0x00BBGGRR, as RGB(r, g, b) makes it.
using TColor = uint32_t;

// The surface pixel (red in bits 16..23) of a colour value.
constexpr TColor32 PixelOf(TColor color) {
    return (color & 0xFF) << 16 | (color & 0xFF00) | (color >> 16 & 0xFF);
}

struct TPoint {
    int X = 0;
    int Y = 0;

    bool operator==(const TPoint&) const = default;
};

enum class TPenStyle : uint8_t { Solid, Clear };
enum class TBrushStyle : uint8_t { Solid, Clear };

struct TPen {
    TColor Color = 0;
    int Width = 1;
    TPenStyle Style = TPenStyle::Solid;

    bool operator==(const TPen&) const = default;
};

struct TBrush {
    TColor Color = 0xFFFFFF;
    TBrushStyle Style = TBrushStyle::Solid;

    bool operator==(const TBrush&) const = default;
};

struct TFont {
    // A face ending in " Cyr" (the Cyrillic variants of old Windows fonts) is drawn with the
    // face of the same name without that ending.
    std::string Name = "Arial";
    // Positive: the line height (ascent + descent); negative: the letter height.
    int Height = -11;
    bool Bold = false;
    bool Italic = false;
    TColor Color = 0;
    // The Windows character set (204 Cyrillic, 0 ANSI, 1 the default one); fontconfig finds the
    // glyphs by their code points whatever it says.
    uint8_t Charset = 1;

    // Sets the letter height of a size in points at 96 units per inch (16 points: 21 units).
    void SetSize(int points);
    bool operator==(const TFont&) const = default;
};

// The face fontconfig is asked for.
std::string ResolveFontFace(std::string_view name);

// Where the y of TextOut lies: the top of the text's line, or its baseline.
enum class TTextAlign : uint8_t { Top, Baseline };

struct TLineMetrics {
    int Ascent = 0;
    int Descent = 0;
};

// Text measurement: the real one measures through Cairo and fontconfig, the fixed one gives
// every font the same simple proportions, so that tests do not depend on the fonts installed.
class TTextMetrics {
public:
    virtual ~TTextMetrics() = default;
    // The advance of a cp1251 text, in units.
    virtual int TextWidth(const TFont& font, std::string_view text) const = 0;
    virtual TLineMetrics LineMetrics(const TFont& font) const = 0;
};

// Fonts as Cairo draws them. Safe to use from any thread.
const TTextMetrics& CairoTextMetrics();
// Letter height e (a positive height h is a line height, e = 4h/5 rounded): ascent e, descent
// the rest of the line (e/4 for a negative height), every byte e/2 wide (e/2 + e/10 bold).
const TTextMetrics& FixedTextMetrics();

enum class TCanvasOp : uint8_t {
    Line,       // Points[0] to Points[1], pen only
    Polyline,   // Points, pen only
    Polygon,    // Points, closed, pen and brush
    Rectangle,  // Rect, pen and brush
    RoundRect,  // Rect with corner ellipses Corner.X wide and Corner.Y high, pen and brush
    Ellipse,    // inscribed in Rect, pen and brush
    FillRect,   // Rect exactly, brush only
    Text,       // Text at At by Align, in Font; a solid brush fills the text's box first
    Picture,    // Picture stretched into Rect
    Metafile,   // Metafile stretched into Rect, clipped to it
};

// One recorded drawing call with the canvas state it was made in.
struct TCanvasCall {
    TCanvasOp Op = TCanvasOp::Line;
    std::vector<TPoint> Points;
    TRect Rect;
    TPoint Corner;
    TPoint At;
    TPen Pen;
    TBrush Brush;
    TFont Font;
    TTextAlign Align = TTextAlign::Top;
    std::string Text;
    std::shared_ptr<const TPicture> Picture;
    std::shared_ptr<const TMetafile> Metafile;
    bool HalfTurn = false;  // Metafile: turned upside down about the centre of Rect
    std::optional<TRect> Clip;
};

// What a canvas draws on.
class TCanvasTarget {
public:
    virtual ~TCanvasTarget() = default;
    virtual void Perform(TCanvasCall&& call) = 0;
    virtual const TTextMetrics& Metrics() const = 0;
};

class TCanvas {
public:
    explicit TCanvas(TCanvasTarget& target) : mTarget(&target) {}

    TPen Pen;
    TBrush Brush;
    TFont Font;
    TTextAlign TextAlign = TTextAlign::Top;

    void MoveTo(int x, int y) { mPenPos = {x, y}; }
    // A line from the pen position; the pen position moves to (x, y).
    void LineTo(int x, int y);
    // Fewer than 2 points draw nothing.
    void Polyline(std::span<const TPoint> points);
    void Polygon(std::span<const TPoint> points);
    void Rectangle(int left, int top, int right, int bottom);
    // The corners are quarters of an ellipse cornerWidth wide and cornerHeight high.
    void RoundRect(int left, int top, int right, int bottom, int cornerWidth, int cornerHeight);
    void Ellipse(int left, int top, int right, int bottom);
    void FillRect(const TRect& rect);
    void TextOut(int x, int y, std::string_view text);

    int TextWidth(std::string_view text) const { return Metrics().TextWidth(Font, text); }
    // The height of a line of the current font.
    int TextHeight() const;
    int FontAscent() const { return Metrics().LineMetrics(Font).Ascent; }
    // The line height less the letter height of the current font.
    int InternalLeading() const;

    // Later calls draw only inside rect.
    void SetClipRect(const TRect& rect) { mClip = rect; }
    void ResetClip() { mClip.reset(); }

    // Draws the picture or metafile stretched into rect; null draws nothing.
    void StretchDraw(const TRect& rect, std::shared_ptr<const TPicture> picture);
    void StretchDraw(const TRect& rect, std::shared_ptr<const TMetafile> metafile);
    // The same turned upside down (a half turn about the rectangle's centre), as a newspaper
    // prints its solution.
    void StretchDrawTurned(const TRect& rect, std::shared_ptr<const TMetafile> metafile);
    // Draws the metafile at its own size with its top-left corner at (x, y).
    void Draw(int x, int y, std::shared_ptr<const TMetafile> metafile);

    const TTextMetrics& Metrics() const { return mTarget->Metrics(); }

private:
    TCanvasCall Call(TCanvasOp op) const;

    TCanvasTarget* mTarget;
    TPoint mPenPos;
    std::optional<TRect> mClip;
};
