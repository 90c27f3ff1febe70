// BMP file images, as collection files and crossword files store them.

#include "FuzzSupport.h"
#include "platform/Picture.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    UseQuietUi();
    const auto picture = TPicture::FromData(TPictureKind::Bitmap, Bytes(data, size));
    if (picture && (picture->Width() <= 0 || picture->Height() <= 0)) __builtin_trap();
    return 0;
}
