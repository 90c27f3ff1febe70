// Crossword files of every kind: read into a crossword of the kind the header names (without its
// dictionary), printed as clues and letters, drawn in the solution and the puzzle mode, saved,
// and read and saved again: the second file must hold exactly what the first does.

#include "FuzzSupport.h"
#include "crossword/CrosswordFactory.h"
#include "kinds/Kinds.h"
#include "platform/Metafile.h"
#include "template/ShablonWords.h"

#include <memory>

namespace {

constexpr std::string_view Magic = "CROSSWORD";
constexpr std::size_t KindAt = 9;

std::unique_ptr<TCrossword> Read(int kind, const std::string& path) {
    auto crossword = CreateCrossword(kind);
    if (!crossword) return nullptr;
    crossword->Dictionary.ShowProgress = false;
    crossword->FileName = path;
    if (!crossword->Load(false, false)) return nullptr;
    return crossword;
}

std::string Saved(TCrossword& crossword, const std::string& path) {
    crossword.FileName = path;
    if (!crossword.Save(false)) Broken("a crossword read cannot be saved");
    return ReadBack(path);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    UseQuietUi();
    RegisterKinds();
    const std::string_view bytes = Bytes(data, size);
    if (bytes.size() <= KindAt || !bytes.starts_with(Magic)) return 0;
    const int kind = SmallNumberOf(bytes[KindAt]);
    const auto crossword = Read(kind, ScratchFile(bytes));
    if (!crossword) return 0;

    crossword->BuildClueText({});
    for (int x = 0; x < crossword->Width; ++x)
        for (int y = 0; y < crossword->Height; ++y) crossword->CellText(x, y);
    for (const int mode : {0, 1}) {
        TMetafile picture(1, 1, FixedTextMetrics());
        crossword->DrawToMetafile(picture, mode);
    }

    const std::string first = Saved(*crossword, ScratchPath("first"));
    const auto again = Read(kind, ScratchPath("first"));
    if (!again) Broken("a saved crossword cannot be read back");
    if (Saved(*again, ScratchPath("second")) != first) Broken("a crossword saved, read and saved again changed");
    return 0;
}
