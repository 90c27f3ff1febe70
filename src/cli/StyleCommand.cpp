#include "Commands.h"
#include "CrosswordOptions.h"
#include "Input.h"
#include "Options.h"
#include "Output.h"

#include "crossword/ClassicCrossword.h"
#include "platform/IniFile.h"

#include <filesystem>
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
    "  --out FILE        the style file to write (- the standard output, with no other\n"
    "                    sections); it may be IN itself\n"
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
    if (!CheckOutput(outFile, {}, err)) return ExitCode::BadInput;
    TClassicCrossword crossword;
    crossword.CluesInGrid = cluesInGrid ? 1 : 0;
    if (!styleFile.empty() && (!CheckInput(styleFile, err) || !crossword.LoadStyles(styleFile) ||
                               !StyleValuesInRange(*crossword.Template, styleFile, err)))
        return ExitCode::BadInput;
    // An existing file keeps its other sections; the standard output or a device starts bare.
    std::error_code error;
    TIniFile ini(std::filesystem::is_regular_file(outFile, error) ? outFile : std::string());
    if (ini.Failed()) {
        err << "crossgen: cannot write " << outFile << ": its other sections cannot be read\n";
        return ExitCode::BadInput;
    }
    if (!crossword.WriteStyles(ini)) {
        err << "crossgen: cannot write " << outFile << ": a value holds a line break\n";
        return ExitCode::BadInput;
    }
    return WriteOutput(outFile, ini.Text(), out, err) ? ExitCode::Filled : ExitCode::BadInput;
}
