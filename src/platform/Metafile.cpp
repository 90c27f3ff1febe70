#include "Metafile.h"

#include "CairoPainter.h"

#include <cairo-pdf.h>
#include <cairo-svg.h>

#include <algorithm>
#include <cmath>
#include <memory>

namespace {

constexpr int MaxPngSide = 16384;  // the sides and pixel count pictures are read back within
constexpr double MaxPngPixels = 16.0 * 1024 * 1024;
constexpr double MaxPdfSide = 14400;  // the largest page PDF readers accept, in points

struct SurfaceDeleter {
    void operator()(cairo_surface_t* surface) const { cairo_surface_destroy(surface); }
};
using SurfacePtr = std::unique_ptr<cairo_surface_t, SurfaceDeleter>;

// Paints the picture on surface scaled by (sx, sy), over white when asked; false when Cairo
// reports an error.
bool Render(const TMetafile& metafile, cairo_surface_t* surface, double sx, double sy, bool onWhite) {
    cairo_t* cr = cairo_create(surface);
    if (onWhite) {
        cairo_set_source_rgb(cr, 1, 1, 1);
        cairo_paint(cr);
    }
    cairo_scale(cr, sx, sy);
    {
        TCairoPainter painter(cr);
        painter.PaintMetafile(metafile, {0, 0, metafile.Width(), metafile.Height()});
    }
    const bool ok = cairo_status(cr) == CAIRO_STATUS_SUCCESS;
    cairo_destroy(cr);
    return ok;
}

// Closes a vector surface; its status tells whether everything reached the output.
bool Finish(cairo_surface_t* surface) {
    cairo_surface_finish(surface);
    return cairo_surface_status(surface) == CAIRO_STATUS_SUCCESS;
}

cairo_status_t AppendBytes(void* closure, const unsigned char* data, unsigned int length) {
    static_cast<std::string*>(closure)->append(reinterpret_cast<const char*>(data), length);
    return CAIRO_STATUS_SUCCESS;
}

// Writes data unless it is empty, which means the picture could not be made.
TFileOutcome WriteData(const std::string& path, const std::string& data) {
    if (data.empty()) return TFileOutcome::Failed("the picture is empty or cannot be drawn");
    return WriteOutputFile(path, data);
}

}  // namespace

void TMetafile::SetSize(int width, int height) {
    mWidth = width;
    mHeight = height;
}

std::string TMetafile::SvgData() const {
    if (mWidth <= 0 || mHeight <= 0) return {};
    std::string svg;
    SurfacePtr surface(cairo_svg_surface_create_for_stream(AppendBytes, &svg, mWidth, mHeight));
    cairo_svg_surface_set_document_unit(surface.get(), CAIRO_SVG_UNIT_USER);
    const bool ok = Render(*this, surface.get(), 1, 1, false) && Finish(surface.get());
    return ok ? svg : std::string();
}

std::string TMetafile::PdfData() const {
    if (mWidth <= 0 || mHeight <= 0) return {};
    const double scale = std::min({1.0, MaxPdfSide / mWidth, MaxPdfSide / mHeight});
    std::string pdf;
    SurfacePtr surface(cairo_pdf_surface_create_for_stream(AppendBytes, &pdf, mWidth * scale, mHeight * scale));
    const bool ok = Render(*this, surface.get(), scale, scale, false) && Finish(surface.get());
    return ok ? pdf : std::string();
}

std::string TMetafile::SvgPageData(double pointsPerUnit) const {
    if (mWidth <= 0 || mHeight <= 0 || pointsPerUnit <= 0) return {};
    std::string svg;
    SurfacePtr surface(
        cairo_svg_surface_create_for_stream(AppendBytes, &svg, mWidth * pointsPerUnit, mHeight * pointsPerUnit));
    cairo_svg_surface_set_document_unit(surface.get(), CAIRO_SVG_UNIT_PT);
    const bool ok = Render(*this, surface.get(), pointsPerUnit, pointsPerUnit, false) && Finish(surface.get());
    return ok ? svg : std::string();
}

std::string TMetafile::PngData(double pixelsPerUnit) const {
    if (mWidth <= 0 || mHeight <= 0 || pixelsPerUnit <= 0) return {};
    const double area = static_cast<double>(mWidth) * mHeight;
    const double scale = std::min({pixelsPerUnit, static_cast<double>(MaxPngSide) / mWidth,
                                   static_cast<double>(MaxPngSide) / mHeight, std::sqrt(MaxPngPixels / area)});
    // At the asked resolution a side is rounded (an A4 page at 150 dpi is 1754 pixels, not 1753);
    // held to the limits, it is cut so that it stays within them.
    const auto side = [&](int units) {
        const double pixels = units * scale;
        return std::max(1, static_cast<int>(scale < pixelsPerUnit ? pixels : std::round(pixels)));
    };
    const int width = side(mWidth), height = side(mHeight);
    SurfacePtr surface(cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height));
    if (!Render(*this, surface.get(), static_cast<double>(width) / mWidth, static_cast<double>(height) / mHeight, true))
        return {};
    return SurfacePngBytes(surface.get());
}

TFileOutcome TMetafile::WriteSvg(const std::string& path) const {
    return WriteData(path, SvgData());
}

TFileOutcome TMetafile::WritePdf(const std::string& path) const {
    return WriteData(path, PdfData());
}

TFileOutcome TMetafile::WritePng(const std::string& path) const {
    return WriteData(path, PngData());
}

std::string PdfDocument(std::span<const TMetafile> pages, double pointsPerUnit) {
    if (pages.empty() || pointsPerUnit <= 0) return {};
    for (const TMetafile& page : pages)
        if (page.Width() <= 0 || page.Height() <= 0) return {};
    std::string pdf;
    SurfacePtr surface(cairo_pdf_surface_create_for_stream(AppendBytes, &pdf, pages[0].Width() * pointsPerUnit,
                                                           pages[0].Height() * pointsPerUnit));
    for (const TMetafile& page : pages) {
        cairo_pdf_surface_set_size(surface.get(), page.Width() * pointsPerUnit, page.Height() * pointsPerUnit);
        if (!Render(page, surface.get(), pointsPerUnit, pointsPerUnit, false)) return {};
        cairo_surface_show_page(surface.get());
    }
    return Finish(surface.get()) ? pdf : std::string();
}
