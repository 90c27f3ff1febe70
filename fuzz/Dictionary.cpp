// Dictionary files (".wdi"): the header, the body and every word record, then the definitions
// read both from the file and from memory.

#include "FuzzSupport.h"
#include "dictionary/WorkDictionary.h"

#include <algorithm>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    UseQuietUi();
    TWorkDictionary dictionary;
    dictionary.ShowProgress = false;
    dictionary.FileName = ScratchFile(Bytes(data, size));
    if (!dictionary.Load()) return 0;
    constexpr int DefinitionsRead = 64;
    const int count = std::min(dictionary.Count(), DefinitionsRead);
    for (int i = 0; i < count; ++i) {
        dictionary.Definition(i);
        int index = 0;
        dictionary.Find(std::string(dictionary.EntryText(i)), index);
    }
    dictionary.SetDefinitionsInMemory(true);
    for (int i = 0; i < count; ++i) dictionary.Definition(i);
    return 0;
}
