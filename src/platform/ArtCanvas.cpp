#include "ArtCanvas.h"

#include "OutputFile.h"

#include <cairo.h>

#include <cmath>

namespace {

// Cairo ARGB32 pixels are premultiplied, alpha in bits 24..31.
uint32_t* PixelRow(cairo_surface_t* surface, int y) {
    return reinterpret_cast<uint32_t*>(cairo_image_surface_get_data(surface) +
                                       static_cast<std::size_t>(y) * cairo_image_surface_get_stride(surface));
}

void AddStops(cairo_pattern_t* pattern, const std::vector<TGradientStop>& stops) {
    for (const auto& stop : stops)
        cairo_pattern_add_color_stop_rgba(pattern, stop.Offset, stop.Color.R, stop.Color.G, stop.Color.B, stop.Color.A);
}

}  // namespace

TRgba RgbaOf(TColor32 rgb, double alpha) {
    return {((rgb >> 16) & 0xFF) / 255.0, ((rgb >> 8) & 0xFF) / 255.0, (rgb & 0xFF) / 255.0, alpha};
}

struct TArtCanvas::State {
    cairo_surface_t* surface = nullptr;
    cairo_t* cr = nullptr;

    ~State() {
        if (cr) cairo_destroy(cr);
        if (surface) cairo_surface_destroy(surface);
    }
};

TArtCanvas::TArtCanvas(int width, int height) : mWidth(width), mHeight(height), mState(std::make_unique<State>()) {
    mState->surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height);
    mState->cr = cairo_create(mState->surface);
}

TArtCanvas::TArtCanvas(const TDIB& background) : TArtCanvas(background.Width(), background.Height()) {
    cairo_surface_flush(mState->surface);
    for (int y = 0; y < mHeight; ++y) {
        uint32_t* row = PixelRow(mState->surface, y);
        const TColor32* src = background.Row(y);
        for (int x = 0; x < mWidth; ++x) row[x] = 0xFF000000u | (src[x] & 0xFFFFFF);
    }
    cairo_surface_mark_dirty(mState->surface);
}

TArtCanvas::~TArtCanvas() = default;

void TArtCanvas::Rectangle(double x, double y, double w, double h) {
    cairo_rectangle(mState->cr, x, y, w, h);
}

void TArtCanvas::RoundedRectangle(double x, double y, double w, double h, double radius) {
    cairo_t* cr = mState->cr;
    const double r = std::min(radius, std::min(w, h) / 2);
    cairo_new_sub_path(cr);
    cairo_arc(cr, x + w - r, y + r, r, -M_PI / 2, 0);
    cairo_arc(cr, x + w - r, y + h - r, r, 0, M_PI / 2);
    cairo_arc(cr, x + r, y + h - r, r, M_PI / 2, M_PI);
    cairo_arc(cr, x + r, y + r, r, M_PI, 3 * M_PI / 2);
    cairo_close_path(cr);
}

void TArtCanvas::Polygon(const std::vector<std::pair<double, double>>& points) {
    if (points.empty()) return;
    cairo_new_sub_path(mState->cr);
    for (const auto& [x, y] : points) cairo_line_to(mState->cr, x, y);
    cairo_close_path(mState->cr);
}

void TArtCanvas::Circle(double cx, double cy, double radius) {
    cairo_new_sub_path(mState->cr);
    cairo_arc(mState->cr, cx, cy, radius, 0, 2 * M_PI);
    cairo_close_path(mState->cr);
}

void TArtCanvas::MoveTo(double x, double y) {
    cairo_move_to(mState->cr, x, y);
}

void TArtCanvas::LineTo(double x, double y) {
    cairo_line_to(mState->cr, x, y);
}

void TArtCanvas::Arc(double cx, double cy, double radius, double a0, double a1) {
    cairo_arc(mState->cr, cx, cy, radius, a0, a1);
}

void TArtCanvas::Fill(TRgba color) {
    cairo_set_source_rgba(mState->cr, color.R, color.G, color.B, color.A);
    cairo_fill(mState->cr);
}

void TArtCanvas::FillGradient(double x0, double y0, double x1, double y1, const std::vector<TGradientStop>& stops) {
    cairo_pattern_t* pattern = cairo_pattern_create_linear(x0, y0, x1, y1);
    AddStops(pattern, stops);
    cairo_set_source(mState->cr, pattern);
    cairo_fill(mState->cr);
    cairo_pattern_destroy(pattern);
}

void TArtCanvas::FillRadial(double cx, double cy, double radius, const std::vector<TGradientStop>& stops) {
    cairo_pattern_t* pattern = cairo_pattern_create_radial(cx, cy, 0, cx, cy, radius);
    AddStops(pattern, stops);
    cairo_set_source(mState->cr, pattern);
    cairo_fill(mState->cr);
    cairo_pattern_destroy(pattern);
}

void TArtCanvas::Stroke(TRgba color, double width) {
    cairo_set_source_rgba(mState->cr, color.R, color.G, color.B, color.A);
    cairo_set_line_width(mState->cr, width);
    cairo_set_line_join(mState->cr, CAIRO_LINE_JOIN_ROUND);
    cairo_set_line_cap(mState->cr, CAIRO_LINE_CAP_ROUND);
    cairo_stroke(mState->cr);
}

void TArtCanvas::Clip() {
    cairo_clip(mState->cr);
}

void TArtCanvas::ResetClip() {
    cairo_reset_clip(mState->cr);
}

void TArtCanvas::SetFont(const TFontSpec& font) {
    cairo_t* cr = mState->cr;
    cairo_select_font_face(cr, font.Family.c_str(), font.Italic ? CAIRO_FONT_SLANT_ITALIC : CAIRO_FONT_SLANT_NORMAL,
                           font.Bold ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
    cairo_set_font_size(cr, font.PixelSize);
    cairo_font_options_t* options = cairo_font_options_create();
    const bool crisp = font.Edges == TTextEdges::Crisp;
    cairo_font_options_set_antialias(options, crisp ? CAIRO_ANTIALIAS_NONE : CAIRO_ANTIALIAS_GRAY);
    cairo_font_options_set_hint_style(options, crisp ? CAIRO_HINT_STYLE_FULL : CAIRO_HINT_STYLE_SLIGHT);
    cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_ON);
    cairo_set_font_options(cr, options);
    cairo_font_options_destroy(options);
    cairo_set_antialias(cr, crisp ? CAIRO_ANTIALIAS_NONE : CAIRO_ANTIALIAS_DEFAULT);
}

TFontMetrics TArtCanvas::FontMetrics() const {
    cairo_font_extents_t extents;
    cairo_font_extents(mState->cr, &extents);
    return {extents.ascent, extents.descent, extents.height};
}

TTextExtents TArtCanvas::MeasureText(std::string_view utf8) const {
    const std::string text(utf8);
    cairo_text_extents_t extents;
    cairo_text_extents(mState->cr, text.c_str(), &extents);
    return {extents.x_bearing, extents.y_bearing, extents.width, extents.height, extents.x_advance};
}

void TArtCanvas::DrawText(double x, double baseline, std::string_view utf8, TRgba color) {
    const std::string text(utf8);
    cairo_set_source_rgba(mState->cr, color.R, color.G, color.B, color.A);
    cairo_move_to(mState->cr, x, baseline);
    cairo_show_text(mState->cr, text.c_str());
    cairo_new_path(mState->cr);
}

void TArtCanvas::TextPath(double x, double baseline, std::string_view utf8) {
    const std::string text(utf8);
    cairo_move_to(mState->cr, x, baseline);
    cairo_text_path(mState->cr, text.c_str());
}

TDIB TArtCanvas::Pixels() const {
    cairo_surface_flush(mState->surface);
    TDIB image(mWidth, mHeight);
    for (int y = 0; y < mHeight; ++y) {
        const uint32_t* row = PixelRow(mState->surface, y);
        TColor32* dst = image.Row(y);
        for (int x = 0; x < mWidth; ++x) dst[x] = row[x] & 0xFFFFFF;
    }
    return image;
}

int TArtCanvas::Alpha(int x, int y) const {
    if (x < 0 || y < 0 || x >= mWidth || y >= mHeight) return 0;
    cairo_surface_flush(mState->surface);
    return static_cast<int>(PixelRow(mState->surface, y)[x] >> 24);
}

bool TArtCanvas::WritePng(const std::string& path) const {
    cairo_surface_flush(mState->surface);
    std::string png;
    const auto append = [](void* closure, const unsigned char* data, unsigned int length) {
        static_cast<std::string*>(closure)->append(reinterpret_cast<const char*>(data), length);
        return CAIRO_STATUS_SUCCESS;
    };
    return cairo_surface_write_to_png_stream(mState->surface, append, &png) == CAIRO_STATUS_SUCCESS &&
           WriteOutputFile(path, png);
}

bool WritePngFile(const TDIB& image, const std::string& path) {
    return TArtCanvas(image).WritePng(path);
}
