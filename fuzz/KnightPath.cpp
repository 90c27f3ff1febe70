// Knight path texts ("X,Y X,Y ..."): the grid they need, the knight template laid on them and its
// text read back.

#include "FuzzSupport.h"
#include "cli/KnightPath.h"
#include "kinds/Kinds.h"
#include "template/ShablonFactory.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    UseQuietUi();
    RegisterKinds();
    const std::string_view text = Bytes(data, size);
    int width = 0, height = 0;
    if (!KnightPathSize(text, width, height)) return 0;
    const auto shablon = CreateTemplate(width, height, static_cast<int>(TShablonKind::Knight));
    std::string error;
    if (!shablon || !SetKnightPath(*shablon, text, error)) return 0;
    const std::string stored = shablon->SerializeTemplate(0, 0, shablon->Width - 1, shablon->Height - 1);
    const auto again = CreateTemplate(width, height, static_cast<int>(TShablonKind::Knight));
    if (!again->ParseTemplate(stored, 0, 0)) Broken("a knight template laid on a path cannot be read back");
    return 0;
}
