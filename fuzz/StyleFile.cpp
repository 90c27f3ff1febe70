// Style files: the first byte picks a crossword kind, the rest is the file, loaded into a small
// crossword of that kind, which is then drawn, saved to a new style file, loaded into a fresh
// crossword and saved again: the second file must hold exactly what the first does.

#include "FuzzSupport.h"
#include "crossword/CrosswordFactory.h"
#include "kinds/Kinds.h"
#include "platform/Metafile.h"

#include <cstdio>
#include <memory>

namespace {

constexpr int CrosswordKinds = 18;
constexpr int Side = 4;

std::unique_ptr<TCrossword> Small(int kind) {
    auto crossword = CreateCrossword(kind);
    crossword->SetWidth(Side);
    crossword->SetHeight(Side);
    crossword->Template->ClearRect(0, 0, Side - 1, Side - 1, true);
    crossword->TakeTemplate();
    return crossword;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    UseQuietUi();
    RegisterKinds();
    if (size < 1) return 0;
    const int kind = data[0] % CrosswordKinds;
    const auto crossword = Small(kind);
    if (!crossword || !crossword->LoadStyles(ScratchFile(Bytes(data + 1, size - 1)))) return 0;
    TMetafile picture(1, 1, FixedTextMetrics());
    crossword->DrawToMetafile(picture, 0);

    const std::string first = ScratchPath("first.sty"), second = ScratchPath("second.sty");
    std::remove(first.c_str());
    std::remove(second.c_str());
    if (!crossword->SaveStyles(first)) Broken("a style read cannot be saved");
    const auto fresh = Small(kind);
    if (!fresh->LoadStyles(first)) Broken("a saved style cannot be read back");
    if (!fresh->SaveStyles(second)) Broken("a style read back cannot be saved");
    if (ReadBack(first) != ReadBack(second)) Broken("a style saved, read and saved again changed");
    return 0;
}
