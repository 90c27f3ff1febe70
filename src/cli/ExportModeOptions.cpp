#include "ExportModeOptions.h"

#include "TemplateSource.h"

#include "crossword/Crossword.h"
#include "platform/Text.h"

#include <ostream>

const char* const ExportModeOptionsHelp =
    "  --mode N           0 the solution, 1 the puzzle with the given letters only, 2 codeword\n"
    "                     (numbers in the cells and a number table), 3 a decoy letter beside\n"
    "                     each letter, 4 Italian (row and column labels, hint markers), 5 the\n"
    "                     grid in shuffled blocks, 6 sapper (blocked cells list the letters\n"
    "                     around them); default 0\n"
    "                     (a diagonal crossword draws mode 4 as mode 1: its lattice has no\n"
    "                     rows and columns to label)\n"
    "  --style FILE       a style file with the crossword's looks\n"
    "  --seed N           seed of the random choices (decoys, shuffles, markers)\n"
    "  --given-letters L  letters shown in the given-letters modes (1, 4, 6)\n"
    "  --given-words W1,W2  words whose cells are shown in those modes\n"
    "  --hint-markers N   hint markers of the Italian mode (0-255)\n"
    "  --reveal LETTERS|all  letters the codeword table prints\n"
    "  --shuffle-numbers  the codeword numbering mixes the numbers\n"
    "  --blocks WxH       the block size of mode 5 (default: the template's, 3x3)\n"
    "  --row-labels A     cyrillic, latin or digits (mode 4)\n"
    "  --column-labels A  cyrillic, latin or digits (mode 4)\n";

void TExportModeOptions::AddOptions(TOptionParser& parser) {
    parser.Number("--mode", Mode, 0, 6);
    parser.Text("--style", StyleFile);
    Input.AddOptions(parser);
    parser.Seed("--seed", Seed);
    parser.Text("--given-letters", GivenLetters);
    parser.Text("--given-words", GivenWords);
    parser.Number("--hint-markers", HintMarkers, 0, 255);
    parser.Text("--reveal", Reveal);
    parser.Flag("--shuffle-numbers", ShuffleNumbers);
    parser.Value("--blocks", [this](const std::string& value) {
        return ParseSize(value, BlockWidth, BlockHeight) ? std::string() : std::string("wants WxH with sides from 1 to 200");
    });
    const std::vector<std::string> alphabets = {"cyrillic", "latin", "digits"};
    parser.Choice("--row-labels", RowLabels, alphabets);
    parser.Choice("--column-labels", ColumnLabels, alphabets);
}

std::unique_ptr<TCrossword> TExportModeOptions::Load(const std::string& file, const TOptionParser& parser,
                                                     std::ostream& err) const {
    auto crossword = Input.Load(file, err);
    if (!crossword || !LoadStyleFile(*crossword, StyleFile, err)) return nullptr;
    SeedRandomFrom(Seed);
    Apply(*crossword, parser);
    return crossword;
}

void TExportModeOptions::Apply(TCrossword& crossword, const TOptionParser& parser) const {
    const TWorkDictionary& dictionary = crossword.Dictionary;
    // Letters are compared as the grid holds them, whatever case they were typed in.
    const auto gridCase = [&](const std::string& utf8) { return dictionary.ToLowerText(FromUtf8(utf8)); };
    for (const char letter : gridCase(GivenLetters)) crossword.GivenLetters.Add(std::string(1, letter));
    const std::string words = gridCase(GivenWords);
    for (std::size_t from = 0; from <= words.size();) {
        const std::size_t comma = std::min(words.find(',', from), words.size());
        if (comma > from) crossword.GivenWords.Add(words.substr(from, comma - from));
        from = comma + 1;
    }
    if (parser.Given("--hint-markers")) crossword.Output.HintMarkerCount = static_cast<uint8_t>(HintMarkers);
    if (ShuffleNumbers) crossword.Output.ShuffleNumbers = true;
    if (BlockWidth > 0) {
        crossword.Template->WordBlockWidth = static_cast<uint8_t>(BlockWidth);
        crossword.Template->WordBlockHeight = static_cast<uint8_t>(BlockHeight);
    }
    if (parser.Given("--row-labels")) crossword.Output.RowLabels = static_cast<uint8_t>(RowLabels);
    if (parser.Given("--column-labels")) crossword.Output.ColumnLabels = static_cast<uint8_t>(ColumnLabels);
    if (Reveal.empty()) return;
    crossword.NumberLetters();
    const std::string revealed = gridCase(Reveal);
    TCharsCount& table = crossword.LetterCounts;
    for (int i = 0; i < table.Count(); ++i)
        if (Reveal == "all" || revealed.find(table.Letter(i)) != std::string::npos) table.SetPrinted(i, true);
}
