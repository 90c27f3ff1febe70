#include "Commands.h"
#include "CrosswordOptions.h"
#include "Options.h"

#include "crossword/ClassicCrossword.h"

#include <ostream>

namespace {

const char* const StyleHelp =
    "usage: crossgen style [--style IN] [--clues-in-grid] --out FILE\n"
    "\n"
    "Writes the style file of a classic crossword: its template's cell size, lines, colours,\n"
    "cell forms, number fonts and outline, then the crossword's letters, the two text styles of\n"
    "its clue lists and the sapper texts, with the defaults or as IN sets them. The other\n"
    "sections of an existing FILE stay as they are.\n"
    "\n"
    "  --style IN        a style file to start from\n"
    "  --clues-in-grid   also the clue texts printed in clue cells (SKANWORD_OPR)\n"
    "  --out FILE        the style file to write\n"
    "  --help            this text\n"
    "\n"
    "exit codes: 0 written, 2 bad arguments or unreadable or unwritable files\n";

}  // namespace

int StyleCommand(const TCommandArgs& args, std::ostream& out, std::ostream& err, const TCrossgenDefaults&) {
    TOptionParser parser("style", err);
    std::string styleFile, outFile;
    parser.Text("--style", styleFile);
    parser.Text("--out", outFile);
    bool cluesInGrid = false;
    parser.Flag("--clues-in-grid", cluesInGrid);
    if (!parser.Parse(args)) return ExitCode::BadInput;
    if (parser.Help) {
        out << StyleHelp;
        return ExitCode::Filled;
    }
    if (outFile.empty()) {
        parser.Complain("--out FILE");
        return ExitCode::BadInput;
    }
    TClassicCrossword crossword;
    crossword.CluesInGrid = cluesInGrid ? 1 : 0;
    if (!styleFile.empty() &&
        (!crossword.LoadStyles(styleFile) || !StyleValuesInRange(*crossword.Template, styleFile, err)))
        return ExitCode::BadInput;
    return crossword.SaveStyles(outFile) ? ExitCode::Filled : ExitCode::BadInput;
}
