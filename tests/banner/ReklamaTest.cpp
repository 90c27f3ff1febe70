#include "banner/GifWriter.h"
#include "banner/Reklama.h"
#include "platform/Clock.h"
#include "platform/FileText.h"
#include "platform/RecordFile.h"
#include "platform/RecordingUi.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace {

constexpr TColor32 Key = 0xFF00FF;

// A w x h frame of one colour; the pixels of column x = w - 1 get `corner` when given.
TGifFrame Frame(int w, int h, TColor32 color, int delay, std::optional<TColor32> transparent = std::nullopt) {
    TGifFrame frame{TDIB(w, h), delay, transparent};
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) frame.Image.SetPixel(x, y, color);
    return frame;
}

std::string Animation(int frames, int delay, TColor32 base = 0x102030) {
    std::vector<TGifFrame> list;
    for (int i = 0; i < frames; ++i) list.push_back(Frame(8, 4, base + 0x10 * i, delay));
    return EncodeGif(8, 4, list, true);
}

std::string Header(int repeat, const std::string& link) {
    return IntToBytes(repeat) + link;
}

// Paints every 10 ms as the main window does until banner `from` gives way; the time it took.
uint32_t ShownFor(TReklama& banners, ManualClock& clock) {
    const int start = banners.CurrentBanner;
    const uint32_t begin = clock.Now();
    banners.CurrentPicture();
    for (int i = 0; i < 100000 && banners.CurrentBanner == start; ++i) {
        clock.Advance(10);
        banners.CurrentPicture();
        banners.Advance();
    }
    return clock.Now() - begin;
}

}  // namespace

TEST(Banner, AnimationRoundTripsThroughTheEncoder) {
    const auto image = TGifImage::Decode(Animation(5, 20));
    ASSERT_TRUE(image);
    EXPECT_EQ(image->Width(), 8);
    EXPECT_EQ(image->Height(), 4);
    ASSERT_EQ(image->FrameCount(), 5);
    EXPECT_EQ(image->FrameDelay(3), 20);
    TDIB picture(8, 4);
    image->DrawFrame(2, picture);
    EXPECT_EQ(picture.Pixel(7, 3), 0x102030u + 0x20);
    EXPECT_FALSE(TGifImage::Decode("GIF89a garbage"));
    EXPECT_FALSE(TGifImage::Decode(""));
}

TEST(Banner, ThreePassesOfFiveFramesAtTwentyHundredthsLastThreeSeconds) {
    ManualClock clock;
    TReklama banners;
    banners.SetItemText(banners.AddBanner(Animation(5, 20)), Header(3, "a"));
    banners.SetItemText(banners.AddBanner(Animation(1, 0)), Header(1, "b"));
    EXPECT_EQ(ShownFor(banners, clock), 3000u);
    EXPECT_EQ(banners.CurrentBanner, 1);
    EXPECT_EQ(banners.Link(1), "b");
}

TEST(Banner, AFrameWithoutDelayShowsForATenthOfASecond) {
    ManualClock clock;
    TReklama banners;
    banners.AddBanner(Animation(1, 0));  // one pass by default
    banners.AddBanner(Animation(1, 0));
    EXPECT_EQ(ShownFor(banners, clock), 100u);
}

TEST(Banner, ARepeatCountOfZeroShowsTheBannerOnce) {
    ManualClock clock;
    TReklama banners;
    banners.SetItemText(banners.AddBanner(Animation(2, 5)), Header(0, ""));
    banners.AddBanner(Animation(1, 0));
    EXPECT_EQ(ShownFor(banners, clock), 100u);
    EXPECT_EQ(banners.RepeatCount(0), 0);
    EXPECT_EQ(banners.Link(0), "");
}

TEST(Banner, TransparentPixelsLeaveTheEarlierFrameVisible) {
    // Frame 0 is red; frame 1 is blue with its left half transparent.
    TGifFrame second = Frame(8, 4, 0x0000FF, 1, Key);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x) second.Image.SetPixel(x, y, Key);
    ManualClock clock;
    TReklama banners;
    banners.AddBanner(EncodeGif(8, 4, {Frame(8, 4, 0xFF0000, 1), second}, true));
    banners.CurrentPicture();
    clock.Advance(10);
    banners.Advance();
    const TDIB* picture = banners.CurrentPicture();
    ASSERT_EQ(banners.CurrentFrame, 1);
    EXPECT_EQ(picture->Pixel(0, 0), 0xFF0000u);
    EXPECT_EQ(picture->Pixel(7, 0), 0x0000FFu);
}

TEST(Banner, TheSeriesWrapsToTheFirstBannerOnAFreshBitmap) {
    // Banner 0: a frame transparent except one pixel, so anything left over would show.
    TGifFrame dot = Frame(8, 4, Key, 0, Key);
    dot.Image.SetPixel(0, 0, 0x00FF00);
    ManualClock clock;
    TReklama banners;
    banners.AddBanner(EncodeGif(8, 4, {dot}, true));
    banners.AddBanner(Animation(1, 0));
    banners.CurrentPicture();
    banners.FrameBitmap->SetPixel(5, 2, 0x123456);  // a mark that a fresh bitmap would not have
    ShownFor(banners, clock);
    ASSERT_EQ(banners.CurrentBanner, 1);
    ShownFor(banners, clock);
    ASSERT_EQ(banners.CurrentBanner, 0);
    EXPECT_EQ(banners.CurrentFrame, 0);
    EXPECT_EQ(banners.FrameBitmap->Pixel(5, 2), 0xFFFFFFu);
    EXPECT_EQ(banners.FrameBitmap->Pixel(0, 0), 0x00FF00u);
}

TEST(Banner, ABrokenBodyLosesOnlyItself) {
    ScopedRecordingUi ui;
    const auto path = std::filesystem::temp_directory_path() / "zelvana-rekl-test.col";
    std::string file;
    AppendTwoPartRecord(file, Header(2, "https://one.example"), Animation(2, 10));
    AppendTwoPartRecord(file, Header(1, "https://broken.example"), "GIF89a\x08\x00\x04\x00 not a picture");
    AppendTwoPartRecord(file, Header(1, "https://three.example"), Animation(1, 0));
    ASSERT_TRUE(WriteFileText(path.string(), file));

    TReklama banners;
    banners.FileName = path.string();
    EXPECT_TRUE(banners.LoadFromFile());
    ASSERT_EQ(banners.Count(), 2);
    EXPECT_EQ(banners.Link(0), "https://one.example");
    EXPECT_EQ(banners.RepeatCount(0), 2);
    EXPECT_EQ(banners.Link(1), "https://three.example");

    // A file cut inside its last record keeps the banners before the cut.
    ASSERT_TRUE(WriteFileText(path.string(), file.substr(0, file.size() - 7)));
    EXPECT_TRUE(banners.LoadFromFile());
    EXPECT_EQ(banners.Count(), 1);
    std::filesystem::remove(path);

    banners.FileName = "no-such-rekl.col";
    EXPECT_FALSE(banners.LoadFromFile());
    EXPECT_EQ(banners.Count(), 0);
    EXPECT_EQ(banners.CurrentPicture(), nullptr);
    banners.Advance();
    EXPECT_TRUE(ui->Messages.empty());
}

TEST(Banner, GifsThatAskForMoreThanABannerNeedsAreRefusedBeforeDecoding) {
    const std::string wide = EncodeGif(2100, 2, {Frame(2100, 2, 0x102030, 0)}, false);  // over 2048 a side
    ASSERT_FALSE(wide.empty());
    EXPECT_FALSE(TGifImage::Decode(wide));
    EXPECT_TRUE(TGifImage::Decode(EncodeGif(2000, 2, {Frame(2000, 2, 0x102030, 0)}, false)));

    // The frame stays 8 x 4 while the logical screen shrinks to 4 x 4: the frame reaches past it.
    std::string overhanging = Animation(2, 5);
    ASSERT_TRUE(TGifImage::Decode(overhanging));
    overhanging[6] = 4;
    EXPECT_FALSE(TGifImage::Decode(overhanging));

    // Records that stop before the trailer.
    const std::string whole = Animation(2, 5);
    EXPECT_FALSE(TGifImage::Decode(whole.substr(0, whole.size() - 1)));
}
