#include "PublishOptions.h"

#include "Crossgen.h"
#include "CrosswordOptions.h"
#include "KindNames.h"
#include "Output.h"
#include "TemplateSource.h"

#include "crossword/Crossword.h"
#include "publish/IpuzFormat.h"

#include <ostream>

const char* const PublishOptionsHelp =
    "  --title TEXT       the puzzle's title\n"
    "  --author TEXT      its author\n"
    "  --copyright TEXT   its copyright line\n"
    "  --notes TEXT       notes shown with it\n";

void TPublishOptions::AddOptions(TOptionParser& parser) {
    parser.Text("--title", Info.Title);
    parser.Text("--author", Info.Author);
    parser.Text("--copyright", Info.Copyright);
    parser.Text("--notes", Info.Notes);
}

bool TPublishOptions::Given(const TOptionParser& parser) const {
    return parser.Given("--title") || parser.Given("--author") || parser.Given("--copyright") || parser.Given("--notes");
}

bool WriteIpuzFile(const TCrossword& crossword, const TIpuzInfo& info, const std::string& path, std::ostream& out,
                   std::ostream& err) {
    if (!IpuzHoldsKind(crossword)) {
        const TKindName* kind = KindNameOf(crossword.Kind);
        err << "crossgen: ipuz has no kind of puzzle for a crossword of kind "
            << (kind ? kind->Name : std::to_string(static_cast<int>(crossword.Kind))) << "\n";
        return false;
    }
    return WriteOutput(path, IpuzText(PuzzleOfCrossword(crossword, info)), out, err);
}

int RunPublishCommand(const std::string& name, const std::vector<std::string>& args, std::ostream& out,
                      std::ostream& err, const char* helpHead, const char* helpTail, const TPublishWriter& write) {
    TOptionParser parser(name, err);
    std::string file, outFile(StandardStreamName);
    parser.Operand("FILE", file);
    parser.Text("--out", outFile);
    TPublishOptions publish;
    publish.AddOptions(parser);
    TCrosswordInput input;
    input.AddOptions(parser);
    std::optional<uint32_t> seed;
    parser.Seed("--seed", seed);
    if (!parser.Parse(args)) return ExitCode::BadInput;
    if (parser.Help) {
        out << helpHead << "  --out FILE         the file to write (default: - , the standard output)\n"
            << PublishOptionsHelp << CrosswordInputHelp << helpTail;
        return ExitCode::Filled;
    }
    if (file.empty()) {
        parser.Complain("a crossword FILE");
        return ExitCode::BadInput;
    }
    if (!CheckOutput(outFile, {file, input.DictionaryFile}, err)) return ExitCode::BadInput;
    SeedRandomFrom(seed);

    const auto crossword = input.Load(file, err);
    if (!crossword) return ExitCode::BadInput;
    return write(*crossword, publish.Info, outFile, out, err) ? ExitCode::Filled : ExitCode::BadInput;
}
