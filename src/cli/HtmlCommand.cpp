#include "Commands.h"
#include "CrosswordOptions.h"
#include "Output.h"
#include "PublishOptions.h"
#include "TemplateSource.h"

#include "crossword/Crossword.h"
#include "publish/HtmlPage.h"

#include <ostream>

namespace {

const char* const HtmlHelpHead =
    "usage: crossgen html FILE [--out FILE] [OPTIONS]\n"
    "\n"
    "Writes one self-contained web page (no network access, no other file) of the crossword of a\n"
    "crossword file. A solved classic-like crossword (classic, Estonian, American, children's,\n"
    "diagonal) or scanword becomes a page to solve in the browser: the grid and its clues side by\n"
    "side; Russian letters typed directly or with the same keys on a Latin keyboard; the arrows\n"
    "move, Tab and Shift+Tab go to the next and the previous word, Backspace erases; a click on a\n"
    "cell or a clue chooses it, a second click on a crossing cell turns the direction; the current\n"
    "word and its clue are highlighted; \"Проверить\" marks the wrong letters, \"Показать ответ\"\n"
    "fills in the answer, and \"Решено!\" appears when every letter is right. The answer is stored\n"
    "in the page scrambled. Any other crossword gets a page with its picture and its clues.\n"
    "\n"
    "  --out FILE         the page (default: - , the standard output)\n";

const char* const HtmlHelpTail =
    "  --dict FILE        the dictionary to use instead of the one the file names\n"
    "  --seed N           repeat the page exactly (the scrambling is random)\n"
    "  --help             this text\n"
    "\n"
    "exit codes: 0 written, 2 bad arguments, an unreadable or damaged file, or a file that cannot\n"
    "be written\n";

}  // namespace

int HtmlCommand(const TCommandArgs& args, std::ostream& out, std::ostream& err, const TCrossgenDefaults&) {
    TOptionParser parser("html", err);
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
        out << HtmlHelpHead << PublishOptionsHelp << HtmlHelpTail;
        return ExitCode::Filled;
    }
    if (file.empty()) {
        parser.Complain("a crossword FILE");
        return ExitCode::BadInput;
    }
    SeedRandomFrom(seed);

    const auto crossword = CrosswordOfFile(file, err);
    if (!crossword || !LoadCrosswordFile(*crossword, file, dictionaryFile, err)) return ExitCode::BadInput;
    return WriteOutput(outFile, CrosswordPage(*crossword, publish.Info), out, err) ? ExitCode::Filled
                                                                                   : ExitCode::BadInput;
}
