// Clue texts as a clue cell reads them: the markup codes at their head ("&W", "&FS", "&L", ...),
// then the text wrapped at the largest font that fits and drawn shrunk into clue boxes of a few
// shapes. Long clues matter here: scripts/fuzz gives this target a larger input limit.

#include "FuzzSupport.h"
#include "crossword/ClassicCrossword.h"
#include "platform/Metafile.h"
#include "template/TextFitting.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    UseQuietUi();
    static const TClassicCrossword crossword;
    const TDefinitionMarkup markup = crossword.FormatDefinition(Bytes(data, size), true);
    for (const TRect& box : {TRect{0, 0, 300, 200}, TRect{5, 5, 7, 6}, TRect{0, 0, 20000, 90}}) {
        TMetafile metafile(box.Right + 1, box.Bottom + 1, FixedTextMetrics());
        TCanvas canvas(metafile);
        double fontSize = 0;
        DrawTextBlock(canvas, markup.Text, box, markup.Format, true, true, fontSize);
        DrawTextBlock(canvas, markup.Text, box, markup.Format, false, false, fontSize);
    }
    return 0;
}
