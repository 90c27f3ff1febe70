#include "CairoPainter.h"

#include "Metafile.h"
#include "Picture.h"
#include "Text.h"

#include <librsvg/rsvg.h>
#include <png.h>

#include <algorithm>
#include <cmath>
#include <csetjmp>
#include <cstdio>
#include <mutex>

namespace {

// Fonts are measured once at this size; with unhinted metrics every size scales from it.
constexpr double ReferenceEm = 1000;

// One face with its line metrics per unit of letter height.
struct TFace {
    cairo_font_face_t* Face = nullptr;
    cairo_scaled_font_t* Reference = nullptr;  // at ReferenceEm
    double Ascent = 0;
    double Descent = 0;
};

cairo_font_options_t* LinearFontOptions() {
    cairo_font_options_t* options = cairo_font_options_create();
    cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_OFF);
    cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_NONE);
    return options;
}

// The faces in use; they live as long as the process.
class TFaceTable {
public:
    const TFace& Face(const TFont& font) {
        const std::string family = ResolveFontFace(font.Name);
        const std::string key = family + (font.Bold ? "\1" : "\0") + (font.Italic ? "\1" : "\0");
        std::lock_guard lock(mMutex);
        auto found = mFaces.find(key);
        if (found != mFaces.end()) return found->second;
        TFace face;
        face.Face = cairo_toy_font_face_create(family.c_str(), font.Italic ? CAIRO_FONT_SLANT_ITALIC : CAIRO_FONT_SLANT_NORMAL,
                                               font.Bold ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
        cairo_matrix_t size, identity;
        cairo_matrix_init_scale(&size, ReferenceEm, ReferenceEm);
        cairo_matrix_init_identity(&identity);
        cairo_font_options_t* options = LinearFontOptions();
        face.Reference = cairo_scaled_font_create(face.Face, &size, &identity, options);
        cairo_font_options_destroy(options);
        cairo_font_extents_t extents;
        cairo_scaled_font_extents(face.Reference, &extents);
        face.Ascent = extents.ascent / ReferenceEm;
        face.Descent = extents.descent / ReferenceEm;
        return mFaces.emplace(key, face).first->second;
    }

private:
    std::mutex mMutex;
    std::map<std::string, TFace> mFaces;
};

TFaceTable& Faces() {
    static TFaceTable* table = new TFaceTable;  // never destroyed: measuring may run at exit
    return *table;
}

// The letter height Cairo draws a font at; 0 when the font has no size.
double LetterHeight(const TFont& font, const TFace& face) {
    if (font.Height < 0) return -static_cast<double>(font.Height);
    const double line = face.Ascent + face.Descent;
    return line > 0 ? font.Height / line : 0;
}

class TCairoTextMetrics final : public TTextMetrics {
public:
    int TextWidth(const TFont& font, std::string_view text) const override {
        const TFace& face = Faces().Face(font);
        const std::string utf8 = ToUtf8(text);
        cairo_text_extents_t extents;
        cairo_scaled_font_text_extents(face.Reference, utf8.c_str(), &extents);
        return static_cast<int>(std::lround(extents.x_advance / ReferenceEm * LetterHeight(font, face)));
    }

    TLineMetrics LineMetrics(const TFont& font) const override {
        const TFace& face = Faces().Face(font);
        const double em = LetterHeight(font, face);
        return {static_cast<int>(std::lround(face.Ascent * em)), static_cast<int>(std::lround(face.Descent * em))};
    }
};

void SetSource(cairo_t* cr, TColor color) {
    cairo_set_source_rgb(cr, (color & 0xFF) / 255.0, (color >> 8 & 0xFF) / 255.0, (color >> 16 & 0xFF) / 255.0);
}

// Outlines run through the centres of the units they cover.
constexpr double Centre = 0.5;

// An ellipse path round (cx, cy); rx, ry > 0.
void EllipsePath(cairo_t* cr, double cx, double cy, double rx, double ry) {
    cairo_save(cr);
    cairo_translate(cr, cx, cy);
    cairo_scale(cr, rx, ry);
    cairo_new_sub_path(cr);
    cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
    cairo_close_path(cr);
    cairo_restore(cr);
}

void RoundRectPath(cairo_t* cr, double left, double top, double width, double height, double rx, double ry) {
    const double right = left + width, bottom = top + height;
    const auto corner = [cr, rx, ry](double cx, double cy, double from) {
        cairo_save(cr);
        cairo_translate(cr, cx, cy);
        cairo_scale(cr, rx, ry);
        cairo_arc(cr, 0, 0, 1, from, from + M_PI / 2);
        cairo_restore(cr);
    };
    cairo_new_sub_path(cr);
    corner(right - rx, top + ry, -M_PI / 2);
    corner(right - rx, bottom - ry, 0);
    corner(left + rx, bottom - ry, M_PI / 2);
    corner(left + rx, top + ry, M_PI);
    cairo_close_path(cr);
}

void AppendPngBytes(png_structp png, png_bytep data, png_size_t length) {
    static_cast<std::string*>(png_get_io_ptr(png))->append(reinterpret_cast<const char*>(data), length);
}

void FlushNothing(png_structp) {}

// Encodes the rows through libpng into bytes. No object with a destructor may live in this
// frame: an error jumps back to setjmp.
bool EncodePngRows(std::string* bytes, int width, int height, png_bytepp rows) {
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    if (!png) return false;
    png_infop info = png_create_info_struct(png);
    if (!info || setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return false;
    }
    png_set_write_fn(png, bytes, AppendPngBytes, FlushNothing);
    // Drawings are rows of flat colour: one cheap filter and quick compression do as well as
    // trying every filter on every row.
    png_set_filter(png, PNG_FILTER_TYPE_BASE, PNG_FILTER_SUB);
    png_set_compression_level(png, 3);
    png_set_IHDR(png, info, width, height, 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    // Cairo keeps a pixel as a native 32-bit 0x00RRGGBB: bytes B, G, R, unused on this machine.
    png_set_bgr(png);
    png_set_filler(png, 0, PNG_FILLER_AFTER);
    png_write_image(png, rows);
    png_write_end(png, info);
    png_destroy_write_struct(&png, &info);
    return true;
}

struct HandleDeleter {
    void operator()(RsvgHandle* handle) const { g_object_unref(handle); }
};

}  // namespace

std::string SurfacePngBytes(cairo_surface_t* surface) {
    cairo_surface_flush(surface);
    unsigned char* data = cairo_image_surface_get_data(surface);
    const int width = cairo_image_surface_get_width(surface), height = cairo_image_surface_get_height(surface);
    const int stride = cairo_image_surface_get_stride(surface);
    if (!data || width <= 0 || height <= 0) return {};
    std::vector<png_bytep> rows(height);
    for (int y = 0; y < height; ++y) rows[y] = data + static_cast<std::size_t>(y) * stride;
    std::string bytes;
    if (!EncodePngRows(&bytes, width, height, rows.data())) return {};
    return bytes;
}

const TTextMetrics& CairoTextMetrics() {
    static const TCairoTextMetrics metrics;
    return metrics;
}

// A picture ready to paint: an SVG handle, or an image surface over the picture's pixels.
struct TCairoPainter::TCachedPicture {
    std::shared_ptr<const TPicture> Picture;
    std::unique_ptr<RsvgHandle, HandleDeleter> Svg;
    cairo_surface_t* Image = nullptr;
    double Width = 0;
    double Height = 0;

    ~TCachedPicture() {
        if (Image) cairo_surface_destroy(Image);
    }
};

TCairoPainter::TCairoPainter(cairo_t* cr) : mCr(cr) {
    cairo_set_line_cap(mCr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_join(mCr, CAIRO_LINE_JOIN_ROUND);
    cairo_set_fill_rule(mCr, CAIRO_FILL_RULE_EVEN_ODD);
    cairo_font_options_t* options = LinearFontOptions();
    cairo_set_font_options(mCr, options);
    cairo_font_options_destroy(options);
}

TCairoPainter::~TCairoPainter() {
    ApplyClip(std::nullopt);
}

void TCairoPainter::ApplyClip(const std::optional<TRect>& clip) {
    if (clip == mClip) return;
    if (mClipSaved) cairo_restore(mCr);
    mClipSaved = false;
    mClip = clip;
    if (!clip) return;
    cairo_save(mCr);
    cairo_rectangle(mCr, clip->Left, clip->Top, clip->Width(), clip->Height());
    cairo_clip(mCr);
    mClipSaved = true;
}

void TCairoPainter::FillAndStroke(const TCanvasCall& call, bool fill) {
    if (fill && call.Brush.Style == TBrushStyle::Solid) {
        SetSource(mCr, call.Brush.Color);
        cairo_fill_preserve(mCr);
    }
    if (call.Pen.Style == TPenStyle::Solid) {
        SetSource(mCr, call.Pen.Color);
        cairo_set_line_width(mCr, std::max(1, call.Pen.Width));
        cairo_stroke(mCr);
    }
    cairo_new_path(mCr);
}

void TCairoPainter::Paint(const TCanvasCall& call) {
    ApplyClip(call.Clip);
    const TRect& r = call.Rect;
    const double left = r.Left + Centre, top = r.Top + Centre;
    const double width = r.Width() - 1.0, height = r.Height() - 1.0;
    switch (call.Op) {
        case TCanvasOp::Line:
        case TCanvasOp::Polyline:
        case TCanvasOp::Polygon:
            for (const TPoint& p : call.Points) cairo_line_to(mCr, p.X + Centre, p.Y + Centre);
            if (call.Op == TCanvasOp::Polygon) cairo_close_path(mCr);
            FillAndStroke(call, call.Op == TCanvasOp::Polygon);
            break;
        case TCanvasOp::Rectangle:
            cairo_rectangle(mCr, left, top, width, height);
            FillAndStroke(call, true);
            break;
        case TCanvasOp::RoundRect: {
            const double rx = std::min(call.Corner.X / 2.0, width / 2), ry = std::min(call.Corner.Y / 2.0, height / 2);
            if (rx > 0 && ry > 0)
                RoundRectPath(mCr, left, top, width, height, rx, ry);
            else
                cairo_rectangle(mCr, left, top, width, height);
            FillAndStroke(call, true);
            break;
        }
        case TCanvasOp::Ellipse:
            if (width > 0 && height > 0) {
                EllipsePath(mCr, left + width / 2, top + height / 2, width / 2, height / 2);
                FillAndStroke(call, true);
            }
            break;
        case TCanvasOp::FillRect:
            if (call.Brush.Style == TBrushStyle::Solid) {
                SetSource(mCr, call.Brush.Color);
                cairo_rectangle(mCr, r.Left, r.Top, r.Width(), r.Height());
                cairo_fill(mCr);
            }
            break;
        case TCanvasOp::Text: PaintText(call); break;
        case TCanvasOp::Picture: PaintPicture(call); break;
        case TCanvasOp::Metafile:
            if (call.Metafile) PaintMetafile(*call.Metafile, r, call.HalfTurn);
            break;
    }
}

void TCairoPainter::PaintText(const TCanvasCall& call) {
    const TFace& face = Faces().Face(call.Font);
    const double em = LetterHeight(call.Font, face);
    if (em <= 0) return;
    const TLineMetrics line = CairoTextMetrics().LineMetrics(call.Font);
    const int baseline = call.Align == TTextAlign::Baseline ? call.At.Y : call.At.Y + line.Ascent;
    const std::string utf8 = ToUtf8(call.Text);
    cairo_set_font_face(mCr, face.Face);
    cairo_set_font_size(mCr, em);
    if (call.Brush.Style == TBrushStyle::Solid) {
        const int width = CairoTextMetrics().TextWidth(call.Font, call.Text);
        SetSource(mCr, call.Brush.Color);
        cairo_rectangle(mCr, call.At.X, baseline - line.Ascent, width, line.Ascent + line.Descent);
        cairo_fill(mCr);
    }
    SetSource(mCr, call.Font.Color);
    cairo_move_to(mCr, call.At.X, baseline);
    cairo_show_text(mCr, utf8.c_str());
    cairo_new_path(mCr);
}

const TCairoPainter::TCachedPicture* TCairoPainter::Cached(const std::shared_ptr<const TPicture>& picture) {
    auto found = mPictures.find(picture.get());
    if (found != mPictures.end()) return found->second.get();
    auto cached = std::make_unique<TCachedPicture>();
    cached->Picture = picture;
    cached->Width = picture->Width();
    cached->Height = picture->Height();
    if (picture->Kind() == TPictureKind::Metafile) {
        const std::string& data = picture->Data();
        GError* error = nullptr;
        cached->Svg.reset(rsvg_handle_new_from_data(reinterpret_cast<const guint8*>(data.data()), data.size(), &error));
        if (error) g_error_free(error);
    } else {
        // The picture's pixels have Cairo's RGB24 layout; the surface only reads them.
        const TDIB& pixels = picture->Pixels();
        cached->Image = cairo_image_surface_create_for_data(
            reinterpret_cast<unsigned char*>(const_cast<TColor32*>(pixels.Row(0))), CAIRO_FORMAT_RGB24, pixels.Width(),
            pixels.Height(), pixels.Width() * 4);
    }
    return mPictures.emplace(picture.get(), std::move(cached)).first->second.get();
}

void TCairoPainter::PaintPicture(const TCanvasCall& call) {
    const TRect& r = call.Rect;
    if (!call.Picture || call.Picture->Width() <= 0 || call.Picture->Height() <= 0 || r.Width() <= 0 || r.Height() <= 0)
        return;
    const TCachedPicture* picture = Cached(call.Picture);
    cairo_save(mCr);
    cairo_rectangle(mCr, r.Left, r.Top, r.Width(), r.Height());
    cairo_clip(mCr);
    cairo_translate(mCr, r.Left, r.Top);
    cairo_scale(mCr, r.Width() / picture->Width, r.Height() / picture->Height);
    if (picture->Svg) {
        const RsvgRectangle viewport{0, 0, picture->Width, picture->Height};
        GError* error = nullptr;
        rsvg_handle_render_document(picture->Svg.get(), mCr, &viewport, &error);
        if (error) g_error_free(error);
    } else if (picture->Image) {
        cairo_set_source_surface(mCr, picture->Image, 0, 0);
        cairo_pattern_set_extend(cairo_get_source(mCr), CAIRO_EXTEND_PAD);
        cairo_paint(mCr);
    }
    cairo_restore(mCr);
}

void TCairoPainter::PaintMetafile(const TMetafile& metafile, const TRect& rect, bool halfTurn) {
    if (metafile.Width() <= 0 || metafile.Height() <= 0 || rect.Width() <= 0 || rect.Height() <= 0) return;
    cairo_save(mCr);
    cairo_rectangle(mCr, rect.Left, rect.Top, rect.Width(), rect.Height());
    cairo_clip(mCr);
    if (halfTurn) {
        cairo_translate(mCr, rect.Right, rect.Bottom);
        cairo_rotate(mCr, M_PI);
    } else {
        cairo_translate(mCr, rect.Left, rect.Top);
    }
    cairo_scale(mCr, static_cast<double>(rect.Width()) / metafile.Width(),
                static_cast<double>(rect.Height()) / metafile.Height());
    const std::optional<TRect> outerClip = mClip;
    const bool outerSaved = mClipSaved;
    mClip.reset();
    mClipSaved = false;
    for (const TCanvasCall& call : metafile.Calls()) Paint(call);
    ApplyClip(std::nullopt);
    mClip = outerClip;
    mClipSaved = outerSaved;
    cairo_restore(mCr);
}
