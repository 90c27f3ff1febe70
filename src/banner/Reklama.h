#pragma once

// TReklama: the banner strip's rotator. It holds the animated GIF banners of "rekl.col", each
// with a repeat count and a link, and the animation state: which banner and frame is shown,
// the picture built from the frames so far, and when the frame's delay runs out.

#include "banner/GifImage.h"
#include "platform/Surface.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class TReklama {
public:
    TReklama();

    // Reads FileName: every banner whose GIF decodes is kept, in file order. False when the
    // file is missing or unreadable; a damaged tail or an undecodable banner only loses itself
    // (and makes Damaged() true).
    bool LoadFromFile();
    // Adds the banners of a collection file text, as LoadFromFile does.
    void ParseText(std::string_view text);
    // True when the last load skipped something.
    bool Damaged() const { return mDamaged; }
    // Adds a banner of one pass and no link; -1 when the GIF cannot be decoded.
    int AddBanner(std::string_view gifBytes);
    void Clear();

    int Count() const { return static_cast<int>(mBanners.size()); }
    // Passes through the animation before the next banner (0 or less: once).
    int RepeatCount(int i) const;
    // The link opened when banner i is clicked.
    std::string Link(int i) const;
    // The item text: the repeat count as four bytes, then the link.
    void SetItemText(int i, std::string text) { mBanners[i].text = std::move(text); }

    // The picture of the current frame, built up from the frames before it; null when there is
    // no banner.
    const TDIB* CurrentPicture();
    // Moves to the next frame (and banner) once the current frame's delay has run out.
    void Advance();

    std::string FileName;
    int32_t CurrentBanner = 0;
    int32_t CurrentFrame = 0;
    int32_t RenderedBanner = -1;
    int32_t RenderedFrame = -1;
    std::unique_ptr<TDIB> FrameBitmap;
    uint32_t FrameTick = 0;
    int32_t FrameDelay = 0;  // hundredths of a second
    int32_t Loops = 0;

private:
    struct Banner {
        std::string text;
        TGifImage image;
    };

    std::vector<Banner> mBanners;
    bool mDamaged = false;
};
