#include "FillJob.h"

#include "ChainKind.h"
#include "ChildrenKind.h"
#include "Input.h"

#include "crossword/Crossword.h"
#include "platform/Text.h"

#include <chrono>
#include <ostream>

namespace {

const char* const FileOptionsHelp =
    "  --dict FILE        the dictionary (default: dic1.wdi beside crossgen, where the game\n"
    "                     reads it)\n"
    "  --style FILE       a style file for the template's and the crossword's looks\n";

const char* const KeywordHelp =
    "  --keyword WORD     choose the cells whose letters spell the key word (children: write it\n"
    "                     into the key-word cells across the middle before the fill; at most\n"
    "                     one letter per key-word cell)\n";

}  // namespace

std::string FillJobHelp() {
    return TemplateSourceHelp() + FillOptionsHelp + FileOptionsHelp + KnightOptionsHelp + DefinitionOptionsHelp +
           KeywordHelp;
}

void TFillJob::AddOptions(TOptionParser& parser, const TCrossgenDefaults& defaults) {
    Source.AddOptions(parser, defaults);
    DictionaryFile = defaults.DictionaryFile;
    parser.Text("--dict", DictionaryFile);
    Fill.AddOptions(parser);
    parser.Text("--style", StyleFile);
    Definitions.AddOptions(parser);
    parser.Text("--keyword", Keyword);
    Knight.AddOptions(parser);
}

bool TFillJob::Check(const TOptionParser& parser) const {
    return Source.Check(parser) && Definitions.Check(parser);
}

std::vector<std::string> TFillJob::Inputs() const {
    std::vector<std::string> inputs = Source.Inputs();
    inputs.insert(inputs.end(), {DictionaryFile, StyleFile});
    return inputs;
}

std::unique_ptr<TCrossword> TFillJob::Prepare(std::ostream& err) const {
    auto crossword = Source.MakeCrossword(err);
    if (!crossword) return nullptr;
    crossword->Interactive = 0;
    crossword->Dictionary.ShowProgress = false;
    if (!CheckInput(DictionaryFile, err)) return nullptr;
    if (!crossword->LoadDictionary(DictionaryFile)) {
        err << "crossgen: cannot load the dictionary " << DictionaryFile << "\n";
        return nullptr;
    }
    if (!Source.LoadInto(*crossword, err) || !CheckKnightPath(*crossword, err) ||
        !PrepareChainFill(*crossword, Source.Chains.Formatted, err) ||
        !PrepareChildrenFill(*crossword, Keyword, err) || !HasSlots(*crossword, err) ||
        !LoadStyleFile(*crossword, StyleFile, err))
        return nullptr;
    return crossword;
}

bool TFillJob::Run(TCrossword& crossword, const TOptionParser& parser, TFillOutcome& outcome,
                   std::ostream& err) const {
    Fill.Apply(crossword);
    TFillResult best;
    const auto start = std::chrono::steady_clock::now();
    const bool phrase = Knight.WritesPhrase(parser);
    if (phrase && !Knight.ApplyPhrase(crossword, err)) return false;
    outcome.ErrCode = 0;
    outcome.Filled =
        phrase || crossword.Fill(0, 0, crossword.Width, crossword.Height, false, outcome.ErrCode, best);
    Knight.ApplyAnswerLines(crossword);
    outcome.Ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    outcome.Failure = outcome.Filled ? std::string() : ShowFailure(crossword, outcome.ErrCode, best);
    return true;
}

void TFillJob::Finish(TCrossword& crossword, TFillOutcome& outcome) const {
    Definitions.Apply(crossword);
    // The children's key word stands in its cells before the fill.
    outcome.KeywordPlaced = crossword.Kind == TCrosswordKind::Kinder ||
                            crossword.SetKeyword(crossword.Dictionary.ToLowerText(FromUtf8(Keyword)), {});
}
