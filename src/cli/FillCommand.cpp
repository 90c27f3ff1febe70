#include "Commands.h"
#include "CrosswordPrint.h"
#include "FillJob.h"
#include "Json.h"
#include "Options.h"
#include "Output.h"
#include "PublishOptions.h"

#include "crossword/Crossword.h"

#include <ostream>

namespace {

const char* const FillHelpHead =
    "usage: crossgen fill (--size WxH | --template FILE | --picture FILE) [--kind NAME] [OPTIONS]\n"
    "\n"
    "Fills a crossword template of a kind with dictionary words and prints the grid in capital\n"
    "letters (\"#\" for a cell without a letter, \".\" for a letter cell left empty) and the words\n"
    "placed.\n"
    "\n";

const char* const FillHelpEnd =
    "  --save FILE        write the crossword file (for crossgen show and clues) when the fill\n"
    "                     succeeds; - writes it to the standard output instead of the crossword\n"
    "  --save-partial     with --save: write it after a failed fill too, with the largest partial\n"
    "                     fill, marked incomplete (show, clues, picture and script then take it\n"
    "                     only with --partial)\n"
    "  --with-pictures    with the pictures of the template\n"
    "  --save-ipuz FILE   write the crossword as an ipuz puzzle (as crossgen ipuz does; with\n"
    "                     --title, --author, --copyright and --notes)\n"
    "  --json             print one JSON object instead: kind, width, height, rows, words (x,\n"
    "                     y, direction, path, cells, word, definition; football: in match order,\n"
    "                     with goal), the cells' walls, arrows and turns ([x, y, value]) and\n"
    "                     clueCells ([x, y]) where the kind has them, complete (false after a\n"
    "                     failed fill, as show tells of the file it saves), filled, method, error\n"
    "                     (the fill's error code: -1 stopped, -2 no solution, -3 a word the kind's\n"
    "                     fill could not place, -4 time limit, 0 or more a slot without candidates),\n"
    "                     message (what went wrong, empty when filled) and ms (the fill time in\n"
    "                     milliseconds)\n"
    "  --help             this text\n"
    "\n"
    "A fill that fails prints the largest partial fill it reached, and writes no file without\n"
    "--save-partial.\n"
    "\n"
    "exit codes: 0 filled, 1 not filled (or the key word cannot be placed), 2 bad arguments,\n"
    "unreadable files, a template without slots or a file that cannot be written\n";

}  // namespace

int FillCommand(const TCommandArgs& args, std::ostream& out, std::ostream& err, const TCrossgenDefaults& defaults) {
    TOptionParser parser("fill", err);
    TFillJob job;
    job.AddOptions(parser, defaults);
    bool json = false;
    parser.Flag("--json", json);
    std::string saveFile, ipuzFile;
    parser.Text("--save", saveFile);
    parser.Text("--save-ipuz", ipuzFile);
    TPublishOptions publish;
    publish.AddOptions(parser);
    bool withPictures = false, savePartial = false;
    parser.Flag("--with-pictures", withPictures);
    parser.Flag("--save-partial", savePartial);
    if (!parser.Parse(args)) return ExitCode::BadInput;
    if (parser.Help) {
        out << FillHelpHead << FillJobHelp() << PublishOptionsHelp << FillHelpEnd;
        return ExitCode::Filled;
    }
    if (!job.Check(parser)) return ExitCode::BadInput;
    if ((withPictures || savePartial) && saveFile.empty()) {
        parser.Complain("--save FILE with --with-pictures and --save-partial");
        return ExitCode::BadInput;
    }
    if (ipuzFile.empty() && publish.Given(parser)) {
        parser.Complain("--save-ipuz FILE with --title, --author, --copyright and --notes");
        return ExitCode::BadInput;
    }
    // A file takes the standard output: the crossword is not printed there too.
    const bool saveToOut = saveFile == StandardStreamName || ipuzFile == StandardStreamName;
    if (saveToOut && (json || saveFile == ipuzFile)) {
        parser.Complain("one of --save - and --save-ipuz -, without --json");
        return ExitCode::BadInput;
    }
    for (const std::string& file : {saveFile, ipuzFile})
        if (!file.empty() && !CheckOutput(file, job.Inputs(), err)) return ExitCode::BadInput;
    job.Source.SeedRandom();

    const auto made = job.Prepare(err);
    if (!made) return ExitCode::BadInput;
    TCrossword& crossword = *made;
    TFillOutcome outcome;
    if (!job.Run(crossword, parser, outcome, err)) return ExitCode::BadInput;
    job.Finish(crossword, outcome);

    const bool filled = outcome.Filled;
    if (json) {
        out << "{" << CrosswordJsonMembers(crossword) << ", \"complete\": " << (filled ? "true" : "false")
            << ", \"filled\": " << (filled ? "true" : "false")
            << ", \"method\": " << JsonString(job.Fill.MethodName(crossword)) << ", \"error\": " << outcome.ErrCode
            << ", \"message\": " << JsonString(outcome.Failure) << ", \"ms\": " << JsonFixed2(outcome.Ms) << "}\n";
    } else {
        if (!saveToOut) PrintCrosswordText(crossword, out);
        if (!filled)
            err << "crossgen: the crossword could not be filled (error " << outcome.ErrCode << "): " << outcome.Failure
                << "\n";
    }
    if (!outcome.KeywordPlaced) err << "crossgen: the key word " << job.Keyword << " cannot be placed in the grid\n";
    const bool done = filled && outcome.KeywordPlaced;
    for (const std::string& file : {saveFile, ipuzFile})
        if (!file.empty() && !done && !savePartial)
            err << "crossgen: " << file << " is not written: the crossword is not done (--save-partial writes it)\n";
    if (!saveFile.empty() && (done || savePartial)) {
        crossword.Incomplete = filled ? 0 : 1;
        std::string bytes;
        try {
            bytes = crossword.SaveText(withPictures);
        } catch (...) {
            err << "crossgen: cannot write " << saveFile << ": the crossword cannot be stored\n";
            return ExitCode::BadInput;
        }
        if (!WriteOutput(saveFile, bytes, out, err)) return ExitCode::BadInput;
    }
    if (!ipuzFile.empty() && (done || savePartial) && !WriteIpuzFile(crossword, publish.Info, ipuzFile, out, err))
        return ExitCode::BadInput;
    return done ? ExitCode::Filled : ExitCode::NotFilled;
}
