#include "PublishOptions.h"

#include "KindNames.h"
#include "Output.h"

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
