#include "platform/Surface.h"

#include <gtest/gtest.h>

namespace {

TDirectDrawSurface Filled(int w, int h, TColor32 color) {
    TDirectDrawSurface s(w, h);
    s.Fill({0, 0, w, h}, color);
    return s;
}

}  // namespace

TEST(Surface, KeyedBlitSkipsExactlyTheTransparentValue) {
    TDirectDrawSurface target = Filled(4, 1, 0x111111);
    TDirectDrawSurface source(4, 1);
    source.SetPixel(0, 0, 0xFF00FF);
    source.SetPixel(1, 0, 0xFF00FE);  // one off the key: drawn
    source.SetPixel(2, 0, 0x000000);
    source.SetPixel(3, 0, 0xFF00FF);
    source.SetTransparentColor(0xFF00FF);
    source.Draw(target, 0, 0, TBlit::Keyed);
    EXPECT_EQ(target.Pixel(0, 0), 0x111111u);
    EXPECT_EQ(target.Pixel(1, 0), 0xFF00FEu);
    EXPECT_EQ(target.Pixel(2, 0), 0x000000u);
    EXPECT_EQ(target.Pixel(3, 0), 0x111111u);
}

TEST(Surface, OpaqueBlitCopiesEveryPixelEvenTheKey) {
    TDirectDrawSurface target = Filled(3, 3, 0x111111);
    TDirectDrawSurface source = Filled(2, 2, 0);
    source.SetPixel(1, 1, 0x123456);
    source.Draw(target, 1, 1, TBlit::Opaque);
    EXPECT_EQ(target.Pixel(0, 0), 0x111111u);
    EXPECT_EQ(target.Pixel(1, 1), 0u);
    EXPECT_EQ(target.Pixel(2, 2), 0x123456u);
}

TEST(Surface, BlitsClipAtEveryEdge) {
    struct Case {
        int x, y;
        int drawn;  // pixels of the 3 x 3 source landing on the 4 x 4 target
    };
    const Case cases[] = {{0, 0, 9}, {-1, -1, 4}, {2, 2, 4}, {3, -2, 1}, {-3, 0, 0}, {4, 4, 0}, {-100, 50, 0}};
    for (const auto& c : cases) {
        TDirectDrawSurface target = Filled(4, 4, 0);
        const TDirectDrawSurface source = Filled(3, 3, 0xABCDEF);
        source.Draw(target, c.x, c.y, TBlit::Opaque);
        int drawn = 0;
        for (int y = 0; y < 4; ++y)
            for (int x = 0; x < 4; ++x) drawn += target.Pixel(x, y) == 0xABCDEF;
        EXPECT_EQ(drawn, c.drawn) << c.x << "," << c.y;
    }
}

TEST(Surface, AlphaFillBlendsAndClips) {
    TDirectDrawSurface s = Filled(3, 1, 0x000000);
    s.FillAlpha({-5, 0, 2, 1}, 0xFFFFFF, 64);
    EXPECT_EQ(s.Pixel(0, 0), 0x404040u);  // 255 * 64 / 255
    EXPECT_EQ(s.Pixel(1, 0), 0x404040u);
    EXPECT_EQ(s.Pixel(2, 0), 0u);
    s.FillAlpha({0, 0, 1, 1}, 0xFF0000, 0);
    EXPECT_EQ(s.Pixel(0, 0), 0x404040u);
    s.FillAlpha({0, 0, 1, 1}, 0xFF0000, 255);
    EXPECT_EQ(s.Pixel(0, 0), 0xFF0000u);
}

TEST(Surface, PixelReadsZeroOutsideAndDropsTheTopByte) {
    TDirectDrawSurface s(2, 2);
    s.SetPixel(1, 1, 0xFF123456);
    EXPECT_EQ(s.Pixel(1, 1), 0x123456u);
    EXPECT_EQ(s.Pixel(-1, 0), 0u);
    EXPECT_EQ(s.Pixel(2, 0), 0u);
    EXPECT_EQ(s.Pixel(0, 2), 0u);
}
