#include "Commands.h"
#include "CrosswordOptions.h"
#include "DrawCommand.h"
#include "ExportModeOptions.h"
#include "Options.h"
#include "Output.h"

#include "crossword/Crossword.h"
#include "platform/Bitmap.h"
#include "platform/Metafile.h"

#include <ostream>

namespace {

const char* const PictureHelpHead =
    "usage: crossgen picture FILE --out OUT.svg|OUT.pdf|OUT.png [--mode 0-6] [mode options]\n"
    "       crossgen picture FILE --view [--zoom P] [--first X,Y] [--window WxH] [--style FILE]\n"
    "                                [--dict FILE] --out OUT.png\n"
    "\n"
    "Draws the crossword of a crossword file (as \"crossgen fill --save\" writes it): the printable\n"
    "picture of an export mode, from the same items as the vector-editor script (mode 0 the\n"
    "solution, mode 1 with nothing given the empty puzzle), or with --view the working view an\n"
    "editor shows, the grid with its letters, fixed letters in green.\n"
    "\n"
    "  --out FILE         write the picture: FILE.svg or FILE.pdf (one unit a point) or FILE.png\n"
    "                     (one pixel a unit on white, scaled down to at most 16384 pixels a side\n"
    "                     and 16 M pixels); the view only as FILE.png\n"
    "  --view             paint the working view instead, 48 pixels a cell at zoom 100\n";

const char* const PictureHelpTail =
    "  --help             this text\n"
    "\n"
    "exit codes: 0 written, 2 bad arguments, an unreadable or damaged file, a file that cannot be\n"
    "written, or a picture too large for its positions\n";

}  // namespace

int PictureCommand(const TCommandArgs& args, std::ostream& out, std::ostream& err, const TCrossgenDefaults&) {
    TOptionParser parser("picture", err);
    std::string file, outFile;
    parser.Operand("FILE", file);
    AddOutFileOption(parser, outFile, {".svg", ".pdf", ".png"});
    TExportModeOptions modeOptions;
    modeOptions.AddOptions(parser);
    bool viewOnly = false;
    parser.Flag("--view", viewOnly);
    TFastDrawParameters view;
    TViewWindowOptions window;
    window.AddOptions(parser, view);
    if (!parser.Parse(args)) return ExitCode::BadInput;
    if (parser.Help) {
        out << PictureHelpHead << ViewWindowHelp << ExportModeOptionsHelp << PictureHelpTail;
        return ExitCode::Filled;
    }
    if (file.empty()) return parser.Complain("a crossword FILE"), ExitCode::BadInput;
    if (outFile.empty()) return parser.Complain("--out FILE"), ExitCode::BadInput;
    if (viewOnly) {
        if (!HasExtension(outFile, ".png")) return parser.Complain("--view with --out FILE.png"), ExitCode::BadInput;
        if (parser.Given("--mode")) return parser.Complain("--mode without --view"), ExitCode::BadInput;
    } else if (parser.Given("--zoom") || parser.Given("--first") || parser.Given("--window")) {
        return parser.Complain("--view with --zoom, --first and --window"), ExitCode::BadInput;
    }

    const auto crossword = CrosswordOfFile(file, err);
    if (!crossword || !modeOptions.Load(*crossword, file, parser, err)) return ExitCode::BadInput;
    if (viewOnly) {
        TBitmap bitmap(window.Width, window.Height);
        crossword->DrawToBitmap(view, bitmap);
        return WriteOutput(outFile, bitmap.PngData(), out, err) ? ExitCode::Filled : ExitCode::BadInput;
    }
    TMetafile picture;
    crossword->DrawToMetafile(picture, modeOptions.Mode);
    return WritePictureFile(picture, outFile, out, err) ? ExitCode::Filled : ExitCode::BadInput;
}
