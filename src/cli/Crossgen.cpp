#include "Crossgen.h"

#include "FillCommand.h"

#include "platform/Process.h"

#include <ostream>

namespace {

const char* const MainHelp =
    "crossgen: makes crosswords with the Zelvana crossword engine.\n"
    "\n"
    "usage: crossgen COMMAND [OPTIONS]\n"
    "\n"
    "commands:\n"
    "  fill     fill a template with words and print the crossword\n"
    "\n"
    "  crossgen --help          this text\n"
    "  crossgen fill --help     the options of fill\n"
    "\n"
    "exit codes: 0 filled, 1 not filled, 2 bad arguments or unreadable files\n";

}  // namespace

TCrossgenDefaults GameFileDefaults() {
    return {"templates.col", ExecutableDir() + "/dic1.wdi"};
}

int RunCrossgen(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
                const TCrossgenDefaults& defaults) {
    if (args.empty()) {
        err << MainHelp;
        return ExitCode::BadInput;
    }
    if (args[0] == "--help" || args[0] == "-h" || args[0] == "help") {
        out << MainHelp;
        return ExitCode::Filled;
    }
    if (args[0] != "fill") {
        err << "crossgen: unknown command \"" << args[0] << "\" (see crossgen --help)\n";
        return ExitCode::BadInput;
    }
    TFillOptions options;
    if (!ParseFillOptions({args.begin() + 1, args.end()}, defaults, options, err)) return ExitCode::BadInput;
    if (options.Help) {
        out << FillHelp;
        return ExitCode::Filled;
    }
    return RunFill(options, out, err);
}
