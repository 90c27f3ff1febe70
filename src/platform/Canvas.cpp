#include "Canvas.h"

#include "Metafile.h"
#include "Picture.h"

#include <cmath>

namespace {

constexpr std::string_view CyrillicSuffix = " Cyr";
constexpr int UnitsPerInch = 96;
constexpr int PointsPerInch = 72;

class TFixedTextMetrics final : public TTextMetrics {
public:
    int TextWidth(const TFont& font, std::string_view text) const override {
        const int e = LetterHeight(font);
        return static_cast<int>(text.size()) * (e / 2 + (font.Bold ? e / 10 : 0));
    }

    TLineMetrics LineMetrics(const TFont& font) const override {
        const int e = LetterHeight(font);
        return {e, font.Height > 0 ? font.Height - e : e / 4};
    }

private:
    static int LetterHeight(const TFont& font) {
        return font.Height < 0 ? -font.Height : static_cast<int>(std::lround(font.Height * 4 / 5.0));
    }
};

}  // namespace

void TFont::SetSize(int points) {
    Height = -static_cast<int>(std::lround(static_cast<double>(points) * UnitsPerInch / PointsPerInch));
}

std::string ResolveFontFace(std::string_view name) {
    if (name.size() > CyrillicSuffix.size() && name.ends_with(CyrillicSuffix))
        name.remove_suffix(CyrillicSuffix.size());
    return std::string(name);
}

const TTextMetrics& FixedTextMetrics() {
    static const TFixedTextMetrics metrics;
    return metrics;
}

TCanvasCall TCanvas::Call(TCanvasOp op) const {
    TCanvasCall call;
    call.Op = op;
    call.Pen = Pen;
    call.Brush = Brush;
    call.Clip = mClip;
    return call;
}

void TCanvas::LineTo(int x, int y) {
    TCanvasCall call = Call(TCanvasOp::Line);
    call.Points = {mPenPos, {x, y}};
    mPenPos = {x, y};
    mTarget->Perform(std::move(call));
}

void TCanvas::Polyline(std::span<const TPoint> points) {
    if (points.size() < 2) return;
    TCanvasCall call = Call(TCanvasOp::Polyline);
    call.Points.assign(points.begin(), points.end());
    mTarget->Perform(std::move(call));
}

void TCanvas::Polygon(std::span<const TPoint> points) {
    if (points.size() < 2) return;
    TCanvasCall call = Call(TCanvasOp::Polygon);
    call.Points.assign(points.begin(), points.end());
    mTarget->Perform(std::move(call));
}

void TCanvas::Rectangle(int left, int top, int right, int bottom) {
    TCanvasCall call = Call(TCanvasOp::Rectangle);
    call.Rect = {left, top, right, bottom};
    mTarget->Perform(std::move(call));
}

void TCanvas::RoundRect(int left, int top, int right, int bottom, int cornerWidth, int cornerHeight) {
    TCanvasCall call = Call(TCanvasOp::RoundRect);
    call.Rect = {left, top, right, bottom};
    call.Corner = {cornerWidth, cornerHeight};
    mTarget->Perform(std::move(call));
}

void TCanvas::Ellipse(int left, int top, int right, int bottom) {
    TCanvasCall call = Call(TCanvasOp::Ellipse);
    call.Rect = {left, top, right, bottom};
    mTarget->Perform(std::move(call));
}

void TCanvas::FillRect(const TRect& rect) {
    TCanvasCall call = Call(TCanvasOp::FillRect);
    call.Rect = rect;
    mTarget->Perform(std::move(call));
}

void TCanvas::TextOut(int x, int y, std::string_view text) {
    if (text.empty()) return;
    TCanvasCall call = Call(TCanvasOp::Text);
    call.At = {x, y};
    call.Font = Font;
    call.Align = TextAlign;
    call.Text = text;
    mTarget->Perform(std::move(call));
}

int TCanvas::TextHeight() const {
    const TLineMetrics line = Metrics().LineMetrics(Font);
    return line.Ascent + line.Descent;
}

int TCanvas::InternalLeading() const {
    if (Font.Height < 0) return TextHeight() + Font.Height;
    // A line height: the letter height is in the proportion of a large letter to its line.
    constexpr int Reference = 1000;
    TFont reference = Font;
    reference.Height = -Reference;
    const TLineMetrics line = Metrics().LineMetrics(reference);
    const int referenceLine = line.Ascent + line.Descent;
    if (referenceLine <= 0) return 0;
    return TextHeight() - static_cast<int>(std::lround(static_cast<double>(Font.Height) * Reference / referenceLine));
}

// An empty or inverted rectangle has no scale to stretch by.
void TCanvas::StretchDraw(const TRect& rect, std::shared_ptr<const TPicture> picture) {
    if (!picture || rect.Width() <= 0 || rect.Height() <= 0 || picture->Width() <= 0 || picture->Height() <= 0) return;
    TCanvasCall call = Call(TCanvasOp::Picture);
    call.Rect = rect;
    call.Picture = std::move(picture);
    mTarget->Perform(std::move(call));
}

void TCanvas::StretchDraw(const TRect& rect, std::shared_ptr<const TMetafile> metafile) {
    if (!metafile || rect.Width() <= 0 || rect.Height() <= 0 || metafile->Width() <= 0 || metafile->Height() <= 0)
        return;
    TCanvasCall call = Call(TCanvasOp::Metafile);
    call.Rect = rect;
    call.Metafile = std::move(metafile);
    mTarget->Perform(std::move(call));
}

void TCanvas::StretchDrawTurned(const TRect& rect, std::shared_ptr<const TMetafile> metafile) {
    if (!metafile || rect.Width() <= 0 || rect.Height() <= 0 || metafile->Width() <= 0 || metafile->Height() <= 0)
        return;
    TCanvasCall call = Call(TCanvasOp::Metafile);
    call.Rect = rect;
    call.Metafile = std::move(metafile);
    call.HalfTurn = true;
    mTarget->Perform(std::move(call));
}

void TCanvas::Draw(int x, int y, std::shared_ptr<const TMetafile> metafile) {
    if (!metafile) return;
    const TRect rect{x, y, x + metafile->Width(), y + metafile->Height()};
    StretchDraw(rect, std::move(metafile));
}
