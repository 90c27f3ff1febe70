// Banner collections ("rekl.col"): the records cut, every banner decoded, then the rotator run
// through every frame of every banner twice.

#include "FuzzSupport.h"
#include "banner/Reklama.h"
#include "platform/Clock.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    UseQuietUi();
    TReklama banners;
    banners.ParseText(Bytes(data, size));
    for (int i = 0; i < banners.Count(); ++i) {
        banners.RepeatCount(i);
        banners.Link(i);
    }
    constexpr int Steps = 200;
    for (int step = 0; step < Steps && banners.Count() > 0; ++step) {
        banners.CurrentPicture();
        banners.FrameTick = TickCount() - 100000;  // every frame's delay has run out
        banners.Advance();
    }
    return 0;
}
