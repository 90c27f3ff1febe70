#include "Commands.h"
#include "CrosswordOptions.h"
#include "CrosswordPrint.h"

#include "crossword/Crossword.h"

#include <ostream>

namespace {

const char* const ShowHelpHead =
    "usage: crossgen show FILE [--dict FILE] [--partial] [--json]\n"
    "\n"
    "Prints the crossword of a crossword file (as \"crossgen fill --save\" writes it; \"-\" reads\n"
    "it from the standard input) the way fill prints what it filled: the grid in capital letters\n"
    "(\"#\" a block, \".\" a letter cell left empty) and the words placed.\n"
    "\n";

const char* const ShowHelpTail =
    "  --json             print one JSON object instead: the members of crossgen fill --json before\n"
    "                     \"filled\" (width, height, rows, kind, the cells' data, words and\n"
    "                     \"complete\", false for a file taken with --partial)\n"
    "  --help             this text\n"
    "\n"
    "exit codes: 0 shown, 2 bad arguments or an unreadable, damaged or incomplete file\n";

}  // namespace

int ShowCommand(const TCommandArgs& args, std::ostream& out, std::ostream& err, const TCrossgenDefaults&) {
    TOptionParser parser("show", err);
    std::string file;
    parser.Operand("FILE", file);
    TCrosswordInput input;
    input.AddOptions(parser);
    bool json = false;
    parser.Flag("--json", json);
    if (!parser.Parse(args)) return ExitCode::BadInput;
    if (parser.Help) {
        out << ShowHelpHead << CrosswordInputHelp << ShowHelpTail;
        return ExitCode::Filled;
    }
    if (file.empty()) {
        parser.Complain("a crossword FILE");
        return ExitCode::BadInput;
    }

    const auto crossword = input.Load(file, err);
    if (!crossword) return ExitCode::BadInput;
    if (json)
        out << "{" << CrosswordJsonMembers(*crossword) << ", \"complete\": " << (IsCompleteFile(*crossword) ? "true" : "false")
            << "}\n";
    else
        PrintCrosswordText(*crossword, out);
    return ExitCode::Filled;
}
