// Template texts as "templates.col" holds them after the "SHABLON  " prefix: the kind and size
// characters, then the body, parsed into a template of that kind and size, numbered and written
// back.

#include "FuzzSupport.h"
#include "template/ShablonFactory.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    UseQuietUi();
    const std::string_view text = Bytes(data, size);
    if (text.size() < 3) return 0;
    const auto shablon = CreateTemplate(SmallNumberOf(text[1]), SmallNumberOf(text[2]), SmallNumberOf(text[0]));
    if (!shablon || !shablon->ParseTemplate(text, 0, 0)) return 0;
    shablon->NumberCells();
    shablon->SerializeTemplate(0, 0, shablon->Width - 1, shablon->Height - 1);
    return 0;
}
