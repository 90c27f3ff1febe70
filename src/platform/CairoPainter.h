#pragma once

// TCairoPainter: paints canvas calls on a Cairo context, the one renderer behind bitmaps and the
// outputs of metafiles. Private to the platform layer.

#include "Canvas.h"

#include <cairo.h>

#include <map>
#include <memory>
#include <string>

// An RGB24 image surface as the bytes of a PNG file, with the filter and compression that suit
// flat drawings (several times faster than Cairo's own writer); empty when it cannot be made.
std::string SurfacePngBytes(cairo_surface_t* surface);

class TCairoPainter {
public:
    // cr stays owned by the caller and must outlive the painter.
    explicit TCairoPainter(cairo_t* cr);
    ~TCairoPainter();
    TCairoPainter(const TCairoPainter&) = delete;
    TCairoPainter& operator=(const TCairoPainter&) = delete;

    void Paint(const TCanvasCall& call);
    // Replays the metafile stretched into rect and clipped to it, upside down with halfTurn.
    void PaintMetafile(const TMetafile& metafile, const TRect& rect, bool halfTurn = false);

private:
    struct TCachedPicture;

    void ApplyClip(const std::optional<TRect>& clip);
    void FillAndStroke(const TCanvasCall& call, bool fill);
    void PaintText(const TCanvasCall& call);
    void PaintPicture(const TCanvasCall& call);
    const TCachedPicture* Cached(const std::shared_ptr<const TPicture>& picture);

    cairo_t* mCr;
    std::optional<TRect> mClip;
    bool mClipSaved = false;
    // Decoded once per painter; each entry keeps its picture alive.
    std::map<const TPicture*, std::unique_ptr<TCachedPicture>> mPictures;
};
