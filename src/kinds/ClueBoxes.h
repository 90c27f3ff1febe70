#pragma once

// Clue boxes: what the box of a slot's clue shows (by OprShowType, through the clue markup), the
// margin that keeps it off the box's sides, the item that lays it into a box of the export, and
// the test whether a definition fits its box. The scanword's clue areas, the honeycomb's centres
// and the American's strips all lay their clues out through these.

#include "crossword/ClueOptions.h"

#include "export/ComExport.h"
#include "export/FormatParameters.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class TCommandWriter;
class TCrossword;

// The style the clue texts of the kinds with clues in the grid apply.
inline constexpr std::string_view ClueStyle = "SKANWORD_OPR";

// What one clue box shows: a text (already wrapped when laid into a box) or a picture's name.
struct TClueContent {
    std::string Text;          // empty: the box shows nothing
    bool Picture = false;
    TFormatParameters Format;  // the clue format as the markup changed it
    TLinkParameters Link;
};

// The clue of a slot as OprShowType shows it, number being the slot's clue number: the
// definition (0), the number (1, also for an empty slot), the number and the definition (2), the
// definition and the length (3), the word without the LettersOut letters (4) or shuffled (5).
// A slot without a word shows nothing (but with 1), nor one without a definition with 0, 2, 3.
TClueContent SlotClue(const TCrossword& crossword, int slot, int number);

// The margin of a clue box in export units: SPACE_TYPE 0 the pen width, 1 SPACE_SIZE, both times
// Scale; any other type none.
int64_t ClueMargin(const TCrossword& crossword);

// A box of the export: its top-left corner and its size, export units.
struct TClueBox {
    int64_t X = 0;
    int64_t Y = 0;
    int64_t Width = 0;
    int64_t Height = 0;
};

// A box spanning Columns x Rows cells of which only the cells Part (counted inside it) are
// exported; (X, Y) is the corner of the part's first cell.
struct TClueFrame {
    int32_t X = 0;
    int32_t Y = 0;
    int Columns = 1;
    int Rows = 1;
    TItemRect Part;
};

// Lays a clue into a box less the margin: a picture item, or a text block in the clue style at
// the clue format's size x Scale x 3.58, centred when the format is. Nothing for empty content
// or a box the margin leaves empty.
void AddClueItem(TComExport& list, const TCrossword& crossword, const TClueBox& box, const TClueContent& clue);
// The same for a box the exported area cuts: the framed picture or text of its visible part.
void AddFramedClueItem(TComExport& list, const TCrossword& crossword, const TClueFrame& frame,
                       const TClueContent& clue);

// The font size in points a clue text reaches laid out in a box of width x height drawing units
// at Scale 1; 0 when it does not fit at all or the box has no area, -1 for a picture.
double ClueFontSize(const TCrossword& crossword, const TClueContent& clue, int width, int height);

// The alternatives of definitions whose layout in a box of width x height drawing units (Scale
// 1) reaches minFontSize (pictures always), joined again.
std::string FittingDefinitions(const TCrossword& crossword, std::string_view definitions, int width,
                               int height, float minFontSize);

// The same for a clue box of width x height drawing units at the template's Scale, less the
// margin on every side.
std::string FittingDefinitionsInBox(const TCrossword& crossword, std::string_view definitions, int64_t width,
                                    int64_t height, float minFontSize);

// The clue style for the editor: the clue format's font, size and colour under ClueStyle.
void DefineClueStyle(TCommandWriter& writer, const TCrossword& crossword);

// The clue number of every slot: its first position in the clue order of mode 0, plus 1; 0 for
// a slot the order leaves out.
std::vector<int> ClueNumbers(const TCrossword& crossword);

// The picture of EMPTY_OPR_FILE_NAME taken whole as one file name, when EMPTY_OPR is on and the
// file exists; empty content otherwise.
TClueContent EmptyBoxPicture(const TCrossword& crossword);
// The names of EMPTY_OPR_FILE_NAME split at "|", empty names dropped; none with EMPTY_OPR off.
std::vector<std::string> EmptyBoxPictures(const TCrossword& crossword);
