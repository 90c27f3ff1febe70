#include "Commands.h"
#include "CrosswordOptions.h"
#include "Options.h"
#include "Output.h"
#include "PageOptions.h"

#include "crossword/Crossword.h"
#include "publish/PuzzlePage.h"

#include <ostream>

namespace {

const char* const PageHelpHead =
    "usage: crossgen page FILE --out OUT.pdf|OUT.svg|OUT.png [OPTIONS]\n"
    "\n"
    "Lays the puzzle of a crossword file (as \"crossgen fill --save\" writes it) out on a printed\n"
    "page in the print look: the title, the grid scaled to the page, and the clues in columns\n"
    "under the kind's headings, going on to the next column and page; the words to find of a\n"
    "fill-word or word field, the lines of a knight's phrase. The scanwords, the strip, the\n"
    "honeycombs and the american crossword are their grid, their clues inside it. A crossword\n"
    "with empty cells or words without a clue is refused unless --allow-incomplete.\n"
    "\n"
    "  --out FILE         OUT.pdf (every page, its fonts embedded), OUT.svg or OUT.png (150 dots\n"
    "                     per inch) with the second page and later in OUT-2.svg and so on; - a\n"
    "                     PDF on the standard output\n";

const char* const PageHelpTail =
    "  --dict FILE        the dictionary to use instead of the one the file names\n"
    "  --help             this text\n"
    "\n"
    "exit codes: 0 written, 1 the crossword is not complete, 2 bad arguments, an unreadable or\n"
    "damaged file, a file that cannot be written, or a picture too large for its positions\n";

}  // namespace

int PageCommand(const TCommandArgs& args, std::ostream& out, std::ostream& err, const TCrossgenDefaults&) {
    TOptionParser parser("page", err);
    std::string file, outFile;
    parser.Operand("FILE", file);
    AddPagesOutOption(parser, outFile, false);
    TPageOptions page;
    page.AddOptions(parser);
    TCrosswordInput input;
    parser.Text("--dict", input.DictionaryFile);
    if (!parser.Parse(args)) return ExitCode::BadInput;
    if (parser.Help) {
        out << PageHelpHead << PageOptionsHelp << PageHelpTail;
        return ExitCode::Filled;
    }
    if (file.empty()) return parser.Complain("a crossword FILE"), ExitCode::BadInput;
    if (outFile.empty()) return parser.Complain("--out FILE"), ExitCode::BadInput;
    if (!page.Check(parser, err)) return ExitCode::BadInput;
    if (!CheckOutput(outFile, {file, input.DictionaryFile}, err)) return ExitCode::BadInput;

    // A file whose words do not all find their place, or saved from a fill that did not finish,
    // loads with its empty cells, which Printable names.
    input.Partial = true;
    const auto crossword = input.Load(file, err);
    if (!crossword) return ExitCode::BadInput;
    if (!page.Printable(*crossword, file, err)) return ExitCode::NotFilled;
    const std::vector<TMetafile> pages = PuzzlePages(*crossword, page.Setup);
    if (pages.empty()) {
        err << "crossgen: the puzzle is too large to draw: its positions do not fit in 32 bits\n";
        return ExitCode::BadInput;
    }
    return WritePages(pages, outFile, out, err) ? ExitCode::Filled : ExitCode::BadInput;
}
