#include "Commands.h"
#include "Options.h"
#include "Output.h"
#include "TemplateSource.h"

#include "template/Shablon.h"

#include <cstdlib>
#include <ostream>
#include <vector>

namespace {

const char* const EditHelp =
    "usage: crossgen edit --template FILE [--kind NAME] (--crop | --shift DX,DY | --mirror h|v|hv)\n"
    "                     [--rect X0,Y0,X1,Y1] --out FILE\n"
    "\n"
    "Reshapes a template file and writes the result as a template file.\n"
    "\n"
    "  --template FILE    the template to reshape\n"
    "  --kind NAME        read it into a template of that kind, written as that kind\n"
    "  --crop             move the letter cells to the top-left corner and shrink the grid to them\n"
    "  --shift DX,DY      move the cells DX columns right and DY rows down (negative: left, up);\n"
    "                     cells moved off the grid are lost, cells left behind become blocks\n"
    "  --mirror h|v|hv    mirror the cells left to right (h), top to bottom (v) or both (hv)\n"
    "  --rect X0,Y0,X1,Y1 shift or mirror only the cells of columns X0..X1 and rows Y0..Y1\n"
    "                     (default: the whole grid)\n"
    "  --out FILE         where to write the result (- the standard output); the --template\n"
    "                     FILE itself is replaced whole once the result is complete\n"
    "  --help             this text\n"
    "\n"
    "exit codes: 0 written, 2 bad arguments, unreadable or unwritable files\n";

constexpr int MaxShift = 200;  // farther moves empty the grid just the same

// One reshaping, a template and a result file; false after a complaint.
bool CheckEditOptions(const TOptionParser& parser, bool crop) {
    if (!parser.Given("--template")) return parser.Complain("--template FILE");
    if (!parser.Given("--out")) return parser.Complain("--out FILE");
    if (crop + parser.Given("--shift") + parser.Given("--mirror") != 1)
        return parser.Complain("one of --crop, --shift DX,DY and --mirror h|v|hv");
    if (crop && parser.Given("--rect")) return parser.Complain("--rect only with --shift or --mirror");
    return true;
}

}  // namespace

int EditCommand(const TCommandArgs& args, std::ostream& out, std::ostream& err, const TCrossgenDefaults& defaults) {
    TOptionParser parser("edit", err);
    TTemplateSource source;
    parser.Text("--template", source.TemplateFile);
    source.AddKindOption(parser);
    bool crop = false;
    parser.Flag("--crop", crop);
    std::vector<int> shift;
    parser.Value("--shift", [&shift](const std::string& value) -> std::string {
        const bool ok = ParseNumberList(value, 2, shift) && std::abs(shift[0]) <= MaxShift &&
                        std::abs(shift[1]) <= MaxShift;
        return ok ? "" : "wants DX,DY, whole numbers from -200 to 200";
    });
    int mirror = 0;
    parser.Choice("--mirror", mirror, {"h", "v", "hv"});
    std::vector<int> rect;
    parser.Value("--rect", [&rect](const std::string& value) -> std::string {
        return ParseNumberList(value, 4, rect) ? "" : "wants X0,Y0,X1,Y1";
    });
    std::string outFile;
    parser.Text("--out", outFile);
    if (!parser.Parse(args)) return ExitCode::BadInput;
    if (parser.Help) {
        out << EditHelp;
        return ExitCode::Filled;
    }
    if (!CheckEditOptions(parser, crop) || !CheckOutput(outFile, {}, err)) return ExitCode::BadInput;

    const auto shablon = source.LoadTemplate(err);
    if (!shablon) return ExitCode::BadInput;
    if (rect.empty()) rect = {0, 0, shablon->Width - 1, shablon->Height - 1};
    if (rect[0] < 0 || rect[1] < 0 || rect[0] > rect[2] || rect[1] > rect[3] || rect[2] >= shablon->Width ||
        rect[3] >= shablon->Height) {
        err << "crossgen: --rect must lie inside the " << static_cast<int>(shablon->Width) << "x"
            << static_cast<int>(shablon->Height) << " grid, with X0 <= X1 and Y0 <= Y1\n";
        return ExitCode::BadInput;
    }

    if (crop)
        shablon->CropToUsed();
    else if (!shift.empty())
        shablon->ShiftCells(rect[0], rect[1], rect[2], rect[3], shift[0], shift[1]);
    else
        shablon->MirrorCells(rect[0], rect[1], rect[2], rect[3], static_cast<TMirrorAxes>(mirror + 1));

    return WriteOutput(outFile, shablon->FileText(), out, err) ? ExitCode::Filled : ExitCode::BadInput;
}
