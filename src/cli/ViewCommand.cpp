#include "Commands.h"
#include "DrawCommand.h"
#include "Options.h"
#include "Output.h"

#include "platform/Bitmap.h"
#include "template/Shablon.h"

#include <cstdlib>
#include <ostream>
#include <vector>

namespace {

const char* const ViewHelpHead =
    "usage: crossgen view (--size WxH | --template FILE | --picture FILE) [--kind NAME] [--style FILE]\n"
    "                     [--zoom P] [--first X,Y] [--window WxH] [--select X0,Y0,X1,Y1] [--details]\n"
    "                     [--marks] --out FILE.png\n"
    "\n"
    "Paints the working view of a template, as an editor shows it: a window onto the grid at a\n"
    "zoom, 48 pixels a cell at zoom 100.\n"
    "\n";

const char* const ViewHelpStyle = "  --style FILE       a style file with the template's looks\n";

const char* const ViewHelpTail =
    "  --select X0,Y0,X1,Y1  show the cells of columns X0..X1 and rows Y0..Y1 selected\n"
    "  --details          show the clue numbers, key-word numbers, markers and background\n"
    "  --marks            check the template and show the marks of questionable slots\n"
    "  --out FILE.png     where to write the view (- the standard output)\n"
    "  --format png       the format, whatever the name of the file\n"
    "  --help             this text\n"
    "\n"
    "exit codes: 0 written, 2 bad arguments, unreadable or unwritable files\n";

constexpr int MaxZoom = 10000;
constexpr int MaxWindowSide = 16384;
constexpr long long MaxWindowPixels = 16LL * 1024 * 1024;
constexpr int MaxFirst = 1000;  // far enough past any grid

}  // namespace

const char* const ViewWindowHelp =
    "  --zoom P           the zoom in percent (default 100; 1 or less shows one pixel a cell)\n"
    "  --first X,Y        the column and row at the top-left corner (default 0,0)\n"
    "  --window WxH       the size of the view in pixels (default 800x600)\n";

void TViewWindowOptions::AddOptions(TOptionParser& parser, TFastDrawParameters& view) {
    parser.Number("--zoom", view.Zoom, -MaxZoom, MaxZoom);
    parser.Value("--first", [&view](const std::string& value) -> std::string {
        std::vector<int> xy;
        if (!ParseNumberList(value, 2, xy) || std::abs(xy[0]) > MaxFirst || std::abs(xy[1]) > MaxFirst)
            return "wants X,Y from -1000 to 1000";
        view.FirstColumn = xy[0];
        view.FirstRow = xy[1];
        return {};
    });
    parser.Value("--window", [this](const std::string& value) -> std::string {
        const auto x = value.find_first_of("xX");
        int w = 0, h = 0;
        if (x == std::string::npos || !ParseWholeNumber(value.substr(0, x), w) ||
            !ParseWholeNumber(value.substr(x + 1), h) || w < 1 || h < 1 || w > MaxWindowSide || h > MaxWindowSide ||
            static_cast<long long>(w) * h > MaxWindowPixels)
            return "wants WxH with sides from 1 to 16384 and at most 16 M pixels";
        Width = w;
        Height = h;
        return {};
    });
}

int ViewCommand(const TCommandArgs& args, std::ostream& out, std::ostream& err, const TCrossgenDefaults& defaults) {
    TOptionParser parser("view", err);
    TPictureOptions options;
    options.AddOptions(parser, defaults, {"png"});
    TFastDrawParameters view;
    TViewWindowOptions window;
    window.AddOptions(parser, view);
    parser.Value("--select", [&view](const std::string& value) -> std::string {
        std::vector<int> r;
        if (!ParseNumberList(value, 4, r)) return "wants X0,Y0,X1,Y1";
        view.SelectionOn = true;
        view.SelX0 = r[0], view.SelY0 = r[1], view.SelX1 = r[2], view.SelY1 = r[3];
        return {};
    });
    parser.Flag("--details", view.ShowDetails);
    parser.Flag("--marks", view.ShowMarks);
    if (!parser.Parse(args)) return ExitCode::BadInput;
    if (parser.Help) {
        out << ViewHelpHead << TemplateSourceHelp() << ViewHelpStyle << ViewWindowHelp << ViewHelpTail;
        return ExitCode::Filled;
    }
    if (!options.Source.Check(parser) || !options.Output.Check(parser)) return ExitCode::BadInput;
    if (options.Output.File.empty()) {
        parser.Complain("--out FILE.png");
        return ExitCode::BadInput;
    }
    if (!CheckOutput(options.Output.File, options.Inputs(), err)) return ExitCode::BadInput;
    options.Source.SeedRandom();
    const auto shablon = options.LoadTemplate(err);
    if (!shablon) return ExitCode::BadInput;
    shablon->NumberCells();
    if (view.ShowMarks) shablon->CheckTemplate();

    TBitmap bitmap(window.Width, window.Height);
    shablon->FastDraw(view, bitmap);
    return WriteOutput(options.Output.File, bitmap.PngData(), out, err) ? ExitCode::Filled : ExitCode::BadInput;
}
