#pragma once

// TMetafile: a picture made by the program, a size plus the display list of the canvas calls
// that drew it (TCanvas canvas(metafile) records into it). Tests read the calls; the outputs
// replay them through Cairo. Replaying draws only inside the metafile's own rectangle. Its
// stored form (collection and crossword files) is SVG, which TPicture reads back at the same
// size.

#include "Canvas.h"
#include "OutputFile.h"

#include <span>
#include <string>
#include <vector>

class TMetafile final : public TCanvasTarget {
public:
    // An empty picture whose texts are measured with metrics (which must outlive it).
    explicit TMetafile(int width = 0, int height = 0, const TTextMetrics& metrics = CairoTextMetrics())
        : mWidth(width), mHeight(height), mMetrics(&metrics) {}

    int Width() const { return mWidth; }
    int Height() const { return mHeight; }
    void SetSize(int width, int height);
    const std::vector<TCanvasCall>& Calls() const { return mCalls; }
    void Clear() { mCalls.clear(); }

    void Perform(TCanvasCall&& call) override { mCalls.push_back(std::move(call)); }
    const TTextMetrics& Metrics() const override { return *mMetrics; }

    // The picture as an SVG document sized in user units; empty when it cannot be made.
    std::string SvgData() const;
    // The picture as a PDF document: one point per unit, pages of at most 14400 points a side
    // (larger pictures are scaled down); empty when it cannot be made completely.
    std::string PdfData() const;
    // The picture as a PNG image: pixelsPerUnit pixels per unit on white, scaled down to at most
    // 16384 pixels a side and 16 M pixels; empty when it cannot be made.
    std::string PngData(double pixelsPerUnit = 1) const;
    // The picture as an SVG document measured in points, pointsPerUnit points a unit (a printed
    // page); empty when it cannot be made.
    std::string SvgPageData(double pointsPerUnit) const;
    // Each output fails when the picture is empty or the file cannot be written (OutputFile.h).
    TFileOutcome WriteSvg(const std::string& path) const;
    TFileOutcome WritePdf(const std::string& path) const;
    TFileOutcome WritePng(const std::string& path) const;

private:
    int mWidth;
    int mHeight;
    const TTextMetrics* mMetrics;
    std::vector<TCanvasCall> mCalls;
};

// A PDF document of the pages in order, each page the size of its picture at pointsPerUnit
// points a unit; empty when there is no page, a page is empty, or the document cannot be made
// completely.
std::string PdfDocument(std::span<const TMetafile> pages, double pointsPerUnit);
