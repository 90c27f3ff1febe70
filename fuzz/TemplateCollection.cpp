// One-part collections ("templates.col"): the records cut, each entry's name and text read.

#include "FuzzSupport.h"
#include "platform/IndexCollection.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    UseQuietUi();
    TIndexCollection templates;
    templates.ParseText(Bytes(data, size));
    std::size_t total = 0;
    for (int i = 0; i < templates.Count(); ++i) total += templates.EntryName(i).size() + templates.EntryText(i).size();
    if (total > size) __builtin_trap();  // entries are parts of the file
    return 0;
}
