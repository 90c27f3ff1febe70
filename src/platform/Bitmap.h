#pragma once

// TBitmap: a white image that a canvas paints on at once through Cairo (TCanvas canvas(bitmap)).
// Texts are measured with the real fonts.

#include "Canvas.h"
#include "OutputFile.h"

#include <memory>
#include <string>

class TBitmap final : public TCanvasTarget {
public:
    // Sides below 1 are taken as 1.
    TBitmap(int width, int height);
    ~TBitmap() override;
    TBitmap(const TBitmap&) = delete;
    TBitmap& operator=(const TBitmap&) = delete;

    int Width() const { return mWidth; }
    int Height() const { return mHeight; }

    void Perform(TCanvasCall&& call) override;
    const TTextMetrics& Metrics() const override { return CairoTextMetrics(); }

    // The pixels, red in bits 16..23.
    TDIB Pixels() const;
    // The image as the bytes of a PNG file; empty when it cannot be made.
    std::string PngData() const;
    // Writes the PNG through the output writer (OutputFile.h).
    TFileOutcome WritePng(const std::string& path) const;

private:
    struct State;

    int mWidth;
    int mHeight;
    std::unique_ptr<State> mState;
};
