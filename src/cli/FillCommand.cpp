#include "Commands.h"
#include "Json.h"
#include "Options.h"
#include "TemplateSource.h"

#include "crossword/ClassicCrossword.h"
#include "platform/Text.h"
#include "template/ShablonWords.h"

#include <chrono>
#include <ostream>

namespace {

const char* const FillHelpHead =
    "usage: crossgen fill (--size WxH | --template FILE) [OPTIONS]\n"
    "\n"
    "Fills a classic crossword template with dictionary words and prints the grid in capital\n"
    "letters (\"#\" for a block, \".\" for a letter cell left empty) and the words placed.\n"
    "\n";

const char* const FillHelpTail =
    "  --dict FILE        the dictionary (default: dic1.wdi beside crossgen, where the game\n"
    "                     reads it)\n"
    "  --time-limit S     give up after S whole seconds (default 0: no limit)\n"
    "  --json             print one JSON object instead: width, height, rows, words (x, y,\n"
    "                     direction, word), filled, error (the fill's error code: -1 stopped,\n"
    "                     -2 no solution, -4 time limit, 0 or more a slot without candidates)\n"
    "                     and ms (the fill time in milliseconds)\n"
    "  --help             this text\n"
    "\n"
    "exit codes: 0 filled, 1 not filled, 2 bad arguments or unreadable files\n";

constexpr int MaxTimeLimit = 3599;  // the fill counts elapsed time within the hour

std::string Direction(std::string_view path) {
    if (path.find_first_not_of('6') == std::string_view::npos) return "across";
    if (path.find_first_not_of('2') == std::string_view::npos) return "down";
    return "path " + std::string(path);
}

// The grid's rows in UTF-8 capitals.
std::vector<std::string> GridRows(const TCrossword& crossword) {
    std::vector<std::string> rows;
    for (int y = 0; y < crossword.Height; ++y) {
        std::string row;
        for (int x = 0; x < crossword.Width; ++x) {
            if (!crossword.Template->IsLetterCell(x, y))
                row += '#';
            else if (crossword.IsCellEmpty(x, y))
                row += '.';
            else
                row += ToUtf8(crossword.Dictionary.ToUpperText(crossword.CellText(x, y)));
        }
        rows.push_back(row);
    }
    return rows;
}

void PrintText(const TCrossword& crossword, std::ostream& out) {
    for (const std::string& row : GridRows(crossword)) out << row << "\n";
    out << "\n";
    for (int i = 0; i < crossword.Words.Count(); ++i) {
        if (!crossword.Words.SlotFilled(i)) continue;
        out << crossword.Words.WordX(i) << "," << crossword.Words.WordY(i) << " "
            << Direction(crossword.Words.WordPath(i)) << " "
            << ToUtf8(crossword.Dictionary.ToUpperText(crossword.Words.SlotWord(i))) << "\n";
    }
}

void PrintJson(const TCrossword& crossword, bool filled, int errCode, double ms, std::ostream& out) {
    out << "{\"width\": " << static_cast<int>(crossword.Width) << ", \"height\": " << static_cast<int>(crossword.Height)
        << ", \"rows\": [";
    const std::vector<std::string> rows = GridRows(crossword);
    for (std::size_t i = 0; i < rows.size(); ++i) out << (i ? ", " : "") << JsonString(rows[i]);
    out << "], \"words\": [";
    bool first = true;
    for (int i = 0; i < crossword.Words.Count(); ++i) {
        if (!crossword.Words.SlotFilled(i)) continue;
        out << (first ? "" : ", ") << "{\"x\": " << crossword.Words.WordX(i) << ", \"y\": " << crossword.Words.WordY(i)
            << ", \"direction\": " << JsonString(Direction(crossword.Words.WordPath(i)))
            << ", \"word\": " << JsonString(ToUtf8(crossword.Dictionary.ToUpperText(crossword.Words.SlotWord(i))))
            << "}";
        first = false;
    }
    out << "], \"filled\": " << (filled ? "true" : "false") << ", \"error\": " << errCode
        << ", \"ms\": " << JsonFixed2(ms) << "}\n";
}

}  // namespace

int FillCommand(const TCommandArgs& args, std::ostream& out, std::ostream& err, const TCrossgenDefaults& defaults) {
    TOptionParser parser("fill", err);
    TTemplateSource source;
    source.AddOptions(parser, defaults);
    std::string dictionaryFile = defaults.DictionaryFile;
    parser.Text("--dict", dictionaryFile);
    int timeLimit = 0;
    parser.Number("--time-limit", timeLimit, 0, MaxTimeLimit);
    bool json = false;
    parser.Flag("--json", json);
    if (!parser.Parse(args)) return ExitCode::BadInput;
    if (parser.Help) {
        out << FillHelpHead << TemplateSourceHelp << FillHelpTail;
        return ExitCode::Filled;
    }
    if (!source.Check(parser)) return ExitCode::BadInput;
    source.SeedRandom();

    TClassicCrossword crossword;
    crossword.Interactive = 0;
    crossword.Dictionary.ShowProgress = false;
    if (!crossword.LoadDictionary(dictionaryFile)) {
        err << "crossgen: cannot load the dictionary " << dictionaryFile << "\n";
        return ExitCode::BadInput;
    }
    if (!source.LoadInto(crossword, err)) return ExitCode::BadInput;

    crossword.FillParameters.TimeLimit = timeLimit;
    int errCode = 0;
    TFillResult best;
    const auto start = std::chrono::steady_clock::now();
    const bool filled = crossword.Fill(0, 0, crossword.Width, crossword.Height, false, errCode, best);
    const double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();

    if (json) {
        PrintJson(crossword, filled, errCode, ms, out);
    } else {
        PrintText(crossword, out);
        if (!filled) err << "crossgen: the crossword could not be filled (error " << errCode << ")\n";
    }
    return filled ? ExitCode::Filled : ExitCode::NotFilled;
}
