#pragma once

// Writes animated GIF files: the banner tool's encoder and the tests' fixture maker.

#include "platform/Surface.h"

#include <optional>
#include <string>
#include <vector>

struct TGifFrame {
    TDIB Image;                               // the frame, drawn at (0, 0) of the logical screen
    int Delay = 0;                            // hundredths of a second; 0 writes no delay
    std::optional<TColor32> Transparent;      // pixels of this colour are written transparent
};

// The bytes of a GIF of width x height holding frames; each frame gets its own colour table
// (quantized to at most 255 colours when it has more). loop = true repeats the animation.
// Empty when giflib fails.
std::string EncodeGif(int width, int height, const std::vector<TGifFrame>& frames, bool loop);
