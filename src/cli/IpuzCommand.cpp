#include "Commands.h"
#include "CrosswordOptions.h"
#include "Output.h"
#include "PublishOptions.h"
#include "TemplateSource.h"

#include "crossword/Crossword.h"

#include <ostream>

namespace {

const char* const IpuzHelpHead =
    "usage: crossgen ipuz FILE [--out FILE] [OPTIONS]\n"
    "\n"
    "Writes the crossword of a crossword file (as \"crossgen fill --save\" writes it) as an ipuz\n"
    "file (version 2, UTF-8 JSON) that solving programs and web players read: the grid with its\n"
    "clue numbers, blocks or bars, the solution, and every word's clue (its definition) by\n"
    "direction with its cells. Classic, children's and diagonal crosswords become crosswords,\n"
    "Estonian and American ones barred crosswords, the scanwords arrowwords (each clue with its\n"
    "clue cell), the fill-word and the word field word searches; other kinds are refused.\n"
    "\n"
    "  --out FILE         the ipuz file (default: - , the standard output)\n";

const char* const IpuzHelpTail =
    "  --dict FILE        the dictionary to use instead of the one the file names\n"
    "  --seed N           repeat the random letters of a word field's empty cells\n"
    "  --help             this text\n"
    "\n"
    "exit codes: 0 written, 2 bad arguments, an unreadable or damaged file, a kind ipuz cannot\n"
    "hold, or a file that cannot be written\n";

}  // namespace

int IpuzCommand(const TCommandArgs& args, std::ostream& out, std::ostream& err, const TCrossgenDefaults&) {
    TOptionParser parser("ipuz", err);
    std::string file, dictionaryFile, outFile(StandardStreamName);
    parser.Operand("FILE", file);
    parser.Text("--out", outFile);
    TPublishOptions publish;
    publish.AddOptions(parser);
    parser.Text("--dict", dictionaryFile);
    std::optional<uint32_t> seed;
    parser.Seed("--seed", seed);
    if (!parser.Parse(args)) return ExitCode::BadInput;
    if (parser.Help) {
        out << IpuzHelpHead << PublishOptionsHelp << IpuzHelpTail;
        return ExitCode::Filled;
    }
    if (file.empty()) {
        parser.Complain("a crossword FILE");
        return ExitCode::BadInput;
    }
    SeedRandomFrom(seed);

    const auto crossword = CrosswordOfFile(file, err);
    if (!crossword || !LoadCrosswordFile(*crossword, file, dictionaryFile, err)) return ExitCode::BadInput;
    return WriteIpuzFile(*crossword, publish.Info, outFile, out, err) ? ExitCode::Filled : ExitCode::BadInput;
}
