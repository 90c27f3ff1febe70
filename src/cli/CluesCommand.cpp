#include "Commands.h"
#include "CrosswordOptions.h"
#include "CrosswordPrint.h"
#include "TemplateSource.h"

#include "crossword/Crossword.h"
#include "platform/Text.h"

#include <ostream>

namespace {

const char* const CluesHelpHead =
    "usage: crossgen clues FILE [OPTIONS]\n"
    "\n"
    "Prints the answers or the clues of a crossword file (as \"crossgen fill --save\" writes it;\n"
    "\"-\" reads it from the standard input).\n"
    "\n"
    "  --list KIND          answers (the default): the words; clues: the definitions (\"???\"\n"
    "                       for a word without one); lines: the definitions of each row and\n"
    "                       each column, labelled\n"
    "  --with-answers       clues: each definition after its word\n"
    "  --numbers            number the entries as the crossword's picture does (none for the\n"
    "                       kinds whose picture has no numbers); label the rows and columns\n"
    "  --headings           the direction headings (with --split)\n"
    "  --split              across words and down words in two lists\n"
    "  --one-per-line       one entry per line\n"
    "  --capitalize         answers: the first letter of each word upper-cased\n"
    "  --dot                \". \" after each number (answers: after each word too)\n"
    "  --markup             read the markup codes at the head of the definitions\n"
    "  --lengths            the word length after each definition\n"
    "  --count              number the entries 1, 2, 3 ... instead of by the grid's numbers\n"
    "  --order N            0 by number (the default), 1 across words then down words by\n"
    "                       position, 2 the same by rows, 3 shuffled, across before down;\n"
    "                       every word is listed, those an order cannot place after the rest\n"
    "  --row-labels A       lines: cyrillic, latin (the default) or digits\n"
    "  --column-labels A    lines: cyrillic, latin or digits (the default)\n";

const char* const CluesHelpTail =
    "  --style FILE         a style file (the key-word line needs its key-word cells painted)\n"
    "  --seed N             repeat the random choices of --order 3 and --definitions\n"
    "  --raw                keep the font switches ~#1 (normal text) and ~#2 (numbers, labels,\n"
    "                       headings)\n"
    "  --help               this text\n"
    "\n"
    "exit codes: 0 printed, 2 bad arguments or unreadable, damaged or incomplete files\n";

// The text without its font switches.
std::string WithoutSwitches(const std::string& text) {
    std::string plain;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text.compare(i, 3, "~#1") == 0 || text.compare(i, 3, "~#2") == 0)
            i += 2;
        else
            plain += text[i];
    }
    return plain;
}

}  // namespace

int CluesCommand(const TCommandArgs& args, std::ostream& out, std::ostream& err, const TCrossgenDefaults&) {
    TOptionParser parser("clues", err);
    std::string file, styleFile;
    parser.Operand("FILE", file);
    int list = 0, order = 0;
    parser.Choice("--list", list, {"answers", "clues", "lines"});
    bool withAnswers = false, raw = false;
    parser.Flag("--with-answers", withAnswers);
    TClueListOptions options;
    parser.Flag("--numbers", options.Numbers);
    parser.Flag("--headings", options.Headings);
    parser.Flag("--split", options.SplitDirections);
    parser.Flag("--one-per-line", options.OnePerLine);
    parser.Flag("--capitalize", options.Capitalize);
    parser.Flag("--dot", options.Dot);
    parser.Flag("--markup", options.Markup);
    parser.Flag("--lengths", options.Lengths);
    parser.Flag("--count", options.Count);
    parser.Number("--order", order, 0, 3);
    const std::vector<std::string> alphabets = {"cyrillic", "latin", "digits"};
    int rowLabels = LabelAlphabet::Latin, columnLabels = LabelAlphabet::Digits;
    parser.Choice("--row-labels", rowLabels, alphabets);
    parser.Choice("--column-labels", columnLabels, alphabets);
    TDefinitionOptions definitions;
    definitions.AddOptions(parser);
    parser.Text("--style", styleFile);
    TCrosswordInput input;
    input.AddOptions(parser);
    std::optional<uint32_t> seed;
    parser.Seed("--seed", seed);
    parser.Flag("--raw", raw);
    if (!parser.Parse(args)) return ExitCode::BadInput;
    if (parser.Help) {
        out << CluesHelpHead << DefinitionOptionsHelp << CrosswordInputHelp << CluesHelpTail;
        return ExitCode::Filled;
    }
    if (!definitions.Check(parser)) return ExitCode::BadInput;
    if (file.empty()) {
        parser.Complain("a crossword FILE");
        return ExitCode::BadInput;
    }
    SeedRandomFrom(seed);

    const auto made = input.Load(file, err);
    if (!made) return ExitCode::BadInput;
    TCrossword& crossword = *made;
    if (!LoadStyleFile(crossword, styleFile, err)) return ExitCode::BadInput;
    definitions.Apply(crossword);
    options.Order = static_cast<uint8_t>(order);
    crossword.Output.RowLabels = static_cast<uint8_t>(rowLabels);
    crossword.Output.ColumnLabels = static_cast<uint8_t>(columnLabels);

    std::string text;
    if (list == 0) text = crossword.BuildClueText(options);
    if (list == 1) text = crossword.BuildCluePages(options, withAnswers);
    if (list == 2) text = crossword.BuildDirectionClues(options);
    out << TerminalLines(raw ? text : WithoutSwitches(text));
    return ExitCode::Filled;
}
