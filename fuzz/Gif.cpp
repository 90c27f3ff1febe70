// GIF banners: decoded, and every frame drawn over a picture of the logical screen's size.

#include "FuzzSupport.h"
#include "banner/GifImage.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    UseQuietUi();
    const auto image = TGifImage::Decode(Bytes(data, size));
    if (!image) return 0;
    TDIB picture(image->Width(), image->Height());
    for (int k = 0; k < image->FrameCount(); ++k) image->DrawFrame(k, picture);
    return 0;
}
