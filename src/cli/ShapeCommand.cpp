#include "Commands.h"
#include "Input.h"
#include "Options.h"

#include "cellshape/CellOutline.h"
#include "platform/Text.h"

#include <ostream>

namespace {

const char* const ShapeHelp =
    "usage: crossgen shape (--form N [--params A,B,C,D] | --script FILE) [--cell WxH] [--at X,Y]\n"
    "                      [--unit N]\n"
    "\n"
    "Prints the outline of one cell, one \"x y\" line per point: the base form N or the outline\n"
    "script FILE traced over the cell rectangle.\n"
    "\n"
    "  --form N          a base form: 0 rectangle with rounded corners, 1 ellipse, 2 triangle,\n"
    "                    3 hexagon, 4 octagon, 5 concave corners, 6 cut corners, 7 pinched\n"
    "                    sides, 8 mixed corners, 9 notched circle, 10 looped corners\n"
    "  --params A,B,C,D  the form's four parameters (default 0,0,0,0)\n"
    "  --script FILE     an outline script instead\n"
    "  --cell WxH        the cell's size (default 100x100)\n"
    "  --at X,Y          its top-left corner (default 0,0)\n"
    "  --unit N          what 1000 script units stand for where the script does not stretch\n"
    "                    (default the cell's width)\n"
    "  --help            this text\n"
    "\n"
    "Problems in the script are listed on stderr.\n"
    "\n"
    "exit codes: 0 a clean outline, 1 the script has problems, 2 bad arguments or unreadable files\n";

constexpr int MaxCellSide = 1000000;

}  // namespace

int ShapeCommand(const TCommandArgs& args, std::ostream& out, std::ostream& err, const TCrossgenDefaults&) {
    TOptionParser parser("shape", err);
    TKletkaForm form;
    int code = 0;
    parser.Number("--form", code, 0, KletkaForm::Last);
    parser.Value("--params", [&form](const std::string& value) -> std::string {
        std::vector<int> params;
        if (!ParseNumberList(value, 4, params)) return "wants four whole numbers A,B,C,D";
        form.Param1 = params[0];
        form.Param2 = params[1];
        form.Param3 = params[2];
        form.Param4 = params[3];
        return {};
    });
    std::string scriptFile;
    parser.Text("--script", scriptFile);
    int width = 100, height = 100;
    parser.Value("--cell", [&](const std::string& value) -> std::string {
        const auto x = value.find_first_of("xX");
        if (x == std::string::npos || !ParseWholeNumber(value.substr(0, x), width) ||
            !ParseWholeNumber(value.substr(x + 1), height) || width < 0 || height < 0 || width > MaxCellSide ||
            height > MaxCellSide)
            return "wants WxH with sides from 0 to " + std::to_string(MaxCellSide);
        return {};
    });
    std::vector<int> at{0, 0};
    parser.Value("--at", [&at](const std::string& value) -> std::string {
        return ParseNumberList(value, 2, at) ? "" : "wants two whole numbers X,Y";
    });
    int unit = -1;
    parser.Number("--unit", unit, 0, MaxCellSide);
    if (!parser.Parse(args)) return ExitCode::BadInput;
    if (parser.Help) {
        out << ShapeHelp;
        return ExitCode::Filled;
    }
    if (parser.Given("--form") == parser.Given("--script") || (parser.Given("--params") && !parser.Given("--form"))) {
        parser.Complain("either --form N [--params A,B,C,D] or --script FILE");
        return ExitCode::BadInput;
    }

    std::vector<std::string> lines;
    if (parser.Given("--form")) {
        form.Form = static_cast<uint8_t>(code);
        MakeBaseFormScript(form, lines);
    } else if (!CheckInput(scriptFile, err)) {
        return ExitCode::BadInput;
    } else if (!LoadCellScript(scriptFile, lines)) {
        err << "crossgen: cannot read the script " << scriptFile << "\n";
        return ExitCode::BadInput;
    }

    TOutlinePoints points;
    int count = 0;
    std::string errors;
    BuildCellOutline(lines, unit < 0 ? width : unit, at[0], at[1], width, height, points, count, errors);
    for (int i = 0; i < count; ++i) out << points[i].X << " " << points[i].Y << "\n";
    if (errors.empty()) return ExitCode::Filled;
    std::string_view rest = errors;
    while (!rest.empty()) {
        const std::size_t end = rest.find("\r\n");
        err << "crossgen: " << ToUtf8(rest.substr(0, end)) << "\n";
        rest.remove_prefix(end == std::string_view::npos ? rest.size() : end + 2);
    }
    return ExitCode::NotFilled;
}
