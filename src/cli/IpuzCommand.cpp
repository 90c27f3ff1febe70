#include "Commands.h"
#include "PublishOptions.h"

namespace {

const char* const IpuzHelp =
    "usage: crossgen ipuz FILE [--out FILE] [OPTIONS]\n"
    "\n"
    "Writes the crossword of a crossword file (as \"crossgen fill --save\" writes it) as an ipuz\n"
    "file (version 2, UTF-8 JSON) that solving programs and web players read: the grid with its\n"
    "clue numbers, blocks or bars, the solution, and every word's clue (its definition) by\n"
    "direction with its cells. Classic, children's and diagonal crosswords become crosswords,\n"
    "Estonian and American ones barred crosswords, the scanwords arrowwords (each clue with its\n"
    "clue cell), the fill-word and the word field word searches; other kinds are refused.\n"
    "\n";

const char* const IpuzHelpTail =
    "  --seed N           repeat the random letters of a word field's empty cells\n"
    "  --help             this text\n"
    "\n"
    "exit codes: 0 written, 2 bad arguments, an unreadable or damaged file, a kind ipuz cannot\n"
    "hold, or a file that cannot be written\n";

}  // namespace

int IpuzCommand(const TCommandArgs& args, std::ostream& out, std::ostream& err, const TCrossgenDefaults&) {
    return RunPublishCommand("ipuz", args, out, err, IpuzHelp, IpuzHelpTail, WriteIpuzFile);
}
