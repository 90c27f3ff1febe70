#include "Commands.h"
#include "Options.h"

#include "template/ClassicShablon.h"

#include <ostream>

namespace {

const char* const StyleHelp =
    "usage: crossgen style [--style IN] --out FILE\n"
    "\n"
    "Writes the style file of a classic template: its cell size, lines, colours, cell forms,\n"
    "number fonts and outline, with the defaults or as IN sets them. The other sections of an\n"
    "existing FILE (a crossword's) stay as they are.\n"
    "\n"
    "  --style IN    a style file to start from\n"
    "  --out FILE    the style file to write\n"
    "  --help        this text\n"
    "\n"
    "exit codes: 0 written, 2 bad arguments or unreadable or unwritable files\n";

}  // namespace

int StyleCommand(const TCommandArgs& args, std::ostream& out, std::ostream& err, const TCrossgenDefaults&) {
    TOptionParser parser("style", err);
    std::string styleFile, outFile;
    parser.Text("--style", styleFile);
    parser.Text("--out", outFile);
    if (!parser.Parse(args)) return ExitCode::BadInput;
    if (parser.Help) {
        out << StyleHelp;
        return ExitCode::Filled;
    }
    if (outFile.empty()) {
        parser.Complain("--out FILE");
        return ExitCode::BadInput;
    }
    TClassicShablon shablon(1, 1);
    if (!styleFile.empty() && !shablon.LoadStyle(styleFile)) return ExitCode::BadInput;
    return shablon.SaveStyle(outFile) ? ExitCode::Filled : ExitCode::BadInput;
}
