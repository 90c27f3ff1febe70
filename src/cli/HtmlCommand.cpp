#include "Commands.h"
#include "Output.h"
#include "PublishOptions.h"

#include "publish/HtmlPage.h"

namespace {

const char* const HtmlHelp =
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
    "\n";

const char* const HtmlHelpTail =
    "  --seed N           repeat the page exactly (the scrambling is random)\n"
    "  --help             this text\n"
    "\n"
    "exit codes: 0 written, 2 bad arguments, an unreadable or damaged file, or a file that cannot\n"
    "be written\n";

bool WritePage(TCrossword& crossword, const TIpuzInfo& info, const std::string& path, std::ostream& out,
               std::ostream& err) {
    return WriteOutput(path, CrosswordPage(crossword, info), out, err);
}

}  // namespace

int HtmlCommand(const TCommandArgs& args, std::ostream& out, std::ostream& err, const TCrossgenDefaults&) {
    return RunPublishCommand("html", args, out, err, HtmlHelp, HtmlHelpTail, WritePage);
}
