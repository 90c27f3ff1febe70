#include "Commands.h"
#include "CrosswordOptions.h"
#include "CrosswordPrint.h"

#include "crossword/Crossword.h"

#include <ostream>

namespace {

const char* const ShowHelp =
    "usage: crossgen show FILE [--dict FILE] [--json]\n"
    "\n"
    "Prints the crossword of a crossword file (as \"crossgen fill --save\" writes it) the way fill\n"
    "prints what it filled: the grid in capital letters (\"#\" a block, \".\" a letter cell left\n"
    "empty) and the words placed.\n"
    "\n"
    "  --dict FILE   the dictionary to use instead of the one the file names\n"
    "  --json        print one JSON object instead: the members of crossgen fill --json before\n"
    "                \"filled\" (width, height, rows, kind, the cells' data and words)\n"
    "  --help        this text\n"
    "\n"
    "exit codes: 0 shown, 2 bad arguments or an unreadable or damaged file\n";

}  // namespace

int ShowCommand(const TCommandArgs& args, std::ostream& out, std::ostream& err, const TCrossgenDefaults&) {
    TOptionParser parser("show", err);
    std::string file, dictionaryFile;
    parser.Operand("FILE", file);
    parser.Text("--dict", dictionaryFile);
    bool json = false;
    parser.Flag("--json", json);
    if (!parser.Parse(args)) return ExitCode::BadInput;
    if (parser.Help) {
        out << ShowHelp;
        return ExitCode::Filled;
    }
    if (file.empty()) {
        parser.Complain("a crossword FILE");
        return ExitCode::BadInput;
    }

    const auto made = CrosswordOfFile(file, err);
    if (!made) return ExitCode::BadInput;
    TCrossword& crossword = *made;
    if (!LoadCrosswordFile(crossword, file, dictionaryFile, err)) return ExitCode::BadInput;
    if (json)
        out << "{" << CrosswordJsonMembers(crossword) << "}\n";
    else
        PrintCrosswordText(crossword, out);
    return ExitCode::Filled;
}
