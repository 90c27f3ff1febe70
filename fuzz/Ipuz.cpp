// ipuz files as "crossgen import" reads them: the JSON read into a puzzle, which then becomes a
// crossword (its template, and with a solution its words and clues).

#include "FuzzSupport.h"
#include "kinds/Kinds.h"
#include "publish/IpuzCrossword.h"
#include "publish/IpuzFormat.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    UseQuietUi();
    RegisterKinds();
    const TIpuzRead read = ReadIpuz(Bytes(data, size));
    if (read.Ok) CrosswordOfPuzzle(read.Puzzle);
    return 0;
}
