// Two-part picture collections ("graph.col", "font.col"): the records cut, every picture decoded
// within the file's pixel budget, the pictures turned into screen surfaces and glyphs.

#include "FuzzSupport.h"
#include "gfx/LettersCollection.h"
#include "gfx/SurfaceCollection.h"
#include "platform/GraphCollection.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    UseQuietUi();
    TGraphCollection pictures;
    pictures.ParseText(Bytes(data, size));
    TSurfaceSortCollection surfaces;
    for (int i = 0; i < pictures.Count(); ++i) surfaces.AddNamed(pictures.Name(i), pictures.Picture(i).Pixels());
    TLettersCollection letters;
    letters.LoadGlyphSet(pictures, {TGlyphEffectKind::Outlined, 0xFFFFFF, 0x000040}, 0);
    letters.LoadGlyphSet(pictures, {TGlyphEffectKind::Shaded, 0xFFFF00, 0}, 1);
    return 0;
}
