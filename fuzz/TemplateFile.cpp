// Template files: the header read first, then the whole file into a template of the kind and
// size it names, cropped to its used cells.

#include "FuzzSupport.h"
#include "template/ShablonFactory.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    UseQuietUi();
    const std::string& path = ScratchFile(Bytes(data, size));
    TShablonHeader header;
    if (!TShablon::ReadTemplateHeader(path, header)) return 0;
    const auto shablon = CreateTemplate(header.Width, header.Height, header.Kind);
    if (!shablon) return 0;
    shablon->FileName = path;
    if (!shablon->LoadFromFile()) return 0;
    shablon->NumberCells();
    shablon->CropToUsed();
    return 0;
}
