#include "BookFill.h"
#include "Commands.h"
#include "FillJob.h"
#include "Options.h"
#include "Output.h"
#include "PageOptions.h"

#include "crossword/Crossword.h"
#include "platform/Clock.h"
#include "platform/Ui.h"
#include "publish/Book.h"
#include "publish/PrintLook.h"

#include <algorithm>
#include <iterator>
#include <memory>
#include <ostream>
#include <random>
#include <thread>

namespace {

constexpr int MaxCount = 1000;
constexpr int MaxJobs = 64;

const char* const BookHelpHead =
    "usage: crossgen book --count N --out BOOK.pdf (--size WxH | --template FILE | --picture FILE)\n"
    "                     [--kind NAME] [OPTIONS]\n"
    "\n"
    "Fills N different crosswords as \"crossgen fill\" does, no answer twice in the book, and lays\n"
    "them out as a book: each puzzle on pages of its own, numbered, in the print look, and the\n"
    "solutions gathered at the end under the same numbers. The fills run on several threads; the\n"
    "same --seed makes the same book whatever their number. On a terminal the standard error\n"
    "shows the puzzles made so far.\n"
    "\n"
    "  --count N          the number of puzzles, 1 to 1000\n"
    "  --out FILE         the book: FILE.pdf, or - for the standard output\n"
    "  --jobs N           the fills running at once, 1 to 64 (default: the number of cores)\n";

const char* const BookHelpTail =
    "  --help             this text\n"
    "\n"
    "The title names the puzzles (\"Кроссворд № 1\" without one); --solution none leaves the\n"
    "solutions out, same and separate gather them at the end.\n"
    "\n"
    "exit codes: 0 written, 1 a puzzle could not be filled or is not complete, 2 bad arguments,\n"
    "unreadable files, a template without slots or a file that cannot be written\n";

int DefaultJobs() {
    return std::clamp(static_cast<int>(std::thread::hardware_concurrency()), 1, MaxJobs);
}

}  // namespace

int BookCommand(const TCommandArgs& args, std::ostream& out, std::ostream& err, const TCrossgenDefaults& defaults) {
    TOptionParser parser("book", err);
    TFillJob job;
    job.AddOptions(parser, defaults);
    TPageOptions page;
    page.AddOptions(parser);
    int count = 0, jobs = DefaultJobs();
    std::string outFile;
    parser.Number("--count", count, 1, MaxCount);
    parser.Number("--jobs", jobs, 1, MaxJobs);
    AddPagesOutOption(parser, outFile, true);
    if (!parser.Parse(args)) return ExitCode::BadInput;
    if (parser.Help) {
        out << BookHelpHead << FillJobHelp() << PageOptionsHelp << BookHelpTail;
        return ExitCode::Filled;
    }
    if (!job.Check(parser)) return ExitCode::BadInput;
    if (count == 0) return parser.Complain("--count N"), ExitCode::BadInput;
    if (outFile.empty()) return parser.Complain("--out FILE"), ExitCode::BadInput;
    if (!page.Check(parser, err) || !CheckOutput(outFile, job.Inputs(), err)) return ExitCode::BadInput;
    const uint32_t seed = job.Source.Seed ? *job.Source.Seed : std::random_device{}();

    // Each puzzle's pages and solution are laid out on the thread that made it.
    std::vector<std::vector<TMetafile>> puzzlePages(count);
    std::vector<std::shared_ptr<TMetafile>> solutions(count);
    const bool withSolutions = page.Setup.Solution != TSolutionPlace::None;
    TBookHooks hooks;
    hooks.Progress = [count](int made) {
        TheUi().ShowProgress("puzzle " + std::to_string(made) + " of " + std::to_string(count), made, count);
    };
    hooks.Made = [&](int k, TCrossword& crossword) {
        puzzlePages[k] = BookPuzzlePages(crossword, page.Setup, k);
        if (withSolutions) solutions[k] = BookSolution(crossword, page.Setup, k);
    };
    std::vector<TBookPuzzle> puzzles;
    const TBookResult result = FillBook(job, parser, count, jobs, seed, puzzles, err, hooks);
    TheUi().HideProgress();
    if (result == TBookResult::BadInput) return ExitCode::BadInput;
    if (result == TBookResult::NotFilled) return ExitCode::NotFilled;

    std::vector<TMetafile> pages;
    for (int k = 0; k < count; ++k) {
        const std::string name = "puzzle " + std::to_string(k + 1);
        if (!puzzles[k].Outcome.KeywordPlaced)
            err << "crossgen: " << name << ": the key word " << job.Keyword << " cannot be placed in the grid\n";
        if (!page.Printable(*puzzles[k].Crossword, name, err)) return ExitCode::NotFilled;
        if (puzzlePages[k].empty() || (withSolutions && !solutions[k])) {
            err << "crossgen: " << name << " is too large to draw: its positions do not fit in 32 bits\n";
            return ExitCode::BadInput;
        }
        std::move(puzzlePages[k].begin(), puzzlePages[k].end(), std::back_inserter(pages));
    }
    if (withSolutions) {
        std::vector<TMetafile> end = BookSolutionPages(solutions, page.Setup);
        std::move(end.begin(), end.end(), std::back_inserter(pages));
    }
    return WritePages(pages, outFile, out, err) ? ExitCode::Filled : ExitCode::BadInput;
}
