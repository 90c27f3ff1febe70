// Template pictures, the readable form crossgen prints and reads back, of every kind: read,
// printed, read again and printed again: the two printed pictures must be the same.

#include "FuzzSupport.h"
#include "cli/TemplatePicture.h"
#include "kinds/Kinds.h"
#include "template/Shablon.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    UseQuietUi();
    RegisterKinds();
    std::string error;
    const auto shablon = ReadTemplatePicture(Bytes(data, size), error);
    if (!shablon) return 0;
    shablon->NumberCells();
    const std::string first = TemplatePicture(*shablon);
    const auto again = ReadTemplatePicture(first, error);
    if (!again) Broken("a printed template picture cannot be read back");
    again->NumberCells();
    if (TemplatePicture(*again) != first) Broken("a template picture printed, read and printed again changed");
    return 0;
}
