// Images that make picture puzzles (BMP, PNG, JPEG, as crossgen template --image reads them): the
// puzzle template, its tasks and its picture.

#include "FuzzSupport.h"
#include "cli/TemplateImage.h"
#include "kinds/JaponishShablon.h"
#include "kinds/Kinds.h"
#include "platform/Metafile.h"
#include "template/Shablon.h"

#include <sstream>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    UseQuietUi();
    RegisterKinds();
    TImageSource image;
    image.File = ScratchFile(Bytes(data, size));
    std::ostringstream err;
    const auto puzzle = image.LoadTemplate(err);
    if (!puzzle) return 0;
    puzzle->CropToUsed();
    static_cast<TJaponishShablon&>(*puzzle).Zadania = true;
    TMetafile picture(1, 1, FixedTextMetrics());
    puzzle->DrawToMetafile(picture);
    return 0;
}
