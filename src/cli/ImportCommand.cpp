#include "Commands.h"
#include "DrawCommand.h"
#include "Input.h"
#include "Options.h"
#include "Output.h"

#include "crossword/Crossword.h"
#include "publish/IpuzCrossword.h"
#include "publish/IpuzFormat.h"

#include <ostream>

namespace {

// Larger files are no crossword of at most 200 x 200 cells.
constexpr std::size_t MaxIpuzBytes = 16 << 20;

const char* const ImportHelp =
    "usage: crossgen import FILE --out FILE [--dict FILE]\n"
    "\n"
    "Reads an ipuz crossword (a crossword, a barred crossword or an arrowword; UTF-8 JSON) and\n"
    "writes its grid as a template file, or, when it holds the solution, the crossword with its\n"
    "words and its clues as their definitions. Blocks become cells without letters, bars walls\n"
    "(an Estonian template), an arrowword's clue blocks the clue cells of a scanword.\n"
    "\n"
    "  --out FILE     FILE.cwd: the crossword file (for crossgen show, clues, picture, ipuz and\n"
    "                 html); any other name: the template file (- : the standard output)\n"
    "  --dict FILE    the dictionary the crossword file names (default: dic1.wdi beside\n"
    "                 crossgen); the words need not be in it\n"
    "  --help         this text\n"
    "\n"
    "exit codes: 0 written, 2 bad arguments, a file that is no readable ipuz crossword (the\n"
    "message names what is wrong), a crossword file asked of a puzzle without its solution, or a\n"
    "file that cannot be written\n";

}  // namespace

int ImportCommand(const TCommandArgs& args, std::ostream& out, std::ostream& err, const TCrossgenDefaults& defaults) {
    TOptionParser parser("import", err);
    std::string file, outFile, dictionaryFile = defaults.DictionaryFile;
    parser.Operand("FILE", file);
    parser.Text("--out", outFile);
    parser.Text("--dict", dictionaryFile);
    if (!parser.Parse(args)) return ExitCode::BadInput;
    if (parser.Help) {
        out << ImportHelp;
        return ExitCode::Filled;
    }
    if (file.empty()) return parser.Complain("an ipuz FILE"), ExitCode::BadInput;
    if (outFile.empty()) return parser.Complain("--out FILE"), ExitCode::BadInput;

    if (!CheckOutput(outFile, {file, dictionaryFile}, err)) return ExitCode::BadInput;
    std::string bytes;
    if (!ReadInput(file, bytes, err, MaxIpuzBytes)) return ExitCode::BadInput;
    const TIpuzRead read = ReadIpuz(bytes);
    if (!read.Ok) {
        err << "crossgen: " << file << " " << read.Error << "\n";
        return ExitCode::BadInput;
    }
    const TIpuzImport made = CrosswordOfPuzzle(read.Puzzle);
    if (!made.Crossword) {
        err << "crossgen: " << file << " " << made.Error << "\n";
        return ExitCode::BadInput;
    }
    TCrossword& crossword = *made.Crossword;

    if (!HasExtension(outFile, ".cwd")) {
        const TShablon& shablon = *crossword.Template;
        const std::string text = std::string(TShablon::Prefix) + shablon.SerializeTemplate(0, 0, shablon.Width - 1, shablon.Height - 1);
        return WriteOutput(outFile, text, out, err) ? ExitCode::Filled : ExitCode::BadInput;
    }
    if (!made.Solved) {
        err << "crossgen: " << file << " holds no solution: only its template can be written (--out FILE.shb)\n";
        return ExitCode::BadInput;
    }
    // The words keep their places whether the dictionary loads or not.
    crossword.LoadDictionary(dictionaryFile);
    crossword.FileName = outFile;
    std::string text;
    try {
        text = crossword.SaveText(false);
    } catch (...) {
        err << "crossgen: cannot write " << outFile << ": the crossword cannot be stored\n";
        return ExitCode::BadInput;
    }
    return WriteOutput(outFile, text, out, err) ? ExitCode::Filled : ExitCode::BadInput;
}
