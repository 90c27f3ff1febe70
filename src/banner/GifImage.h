#pragma once

// A decoded GIF: its logical screen size and its frames, each with its place, its delay and
// its transparency, ready to be drawn over a 32-bit image.

#include "platform/Surface.h"

#include <optional>
#include <string_view>
#include <vector>

class TGifImage {
public:
    // The image held by bytes (a whole GIF file); nullopt when giflib cannot decode it, it has
    // no frame, or it asks for more than a banner may (a screen over 2048 a side or 2 million
    // pixels, a frame reaching past the screen, 16 million pixels in all its frames).
    static std::optional<TGifImage> Decode(std::string_view bytes);

    int Width() const { return mWidth; }
    int Height() const { return mHeight; }
    int FrameCount() const { return static_cast<int>(mFrames.size()); }
    // Delay of frame k in hundredths of a second; 0 when the frame states none.
    int FrameDelay(int k) const { return mFrames[k].delay; }
    // Draws frame k over target at the frame's place; transparent pixels leave target unchanged.
    void DrawFrame(int k, TDIB& target) const;

private:
    struct Frame {
        int left = 0, top = 0, width = 0, height = 0;
        int delay = 0;
        std::vector<TColor32> pixels;  // row by row
        std::vector<bool> opaque;      // false where the frame is transparent
    };

    int mWidth = 0;
    int mHeight = 0;
    std::vector<Frame> mFrames;
};
