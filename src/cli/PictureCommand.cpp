#include "Commands.h"
#include "CrosswordOptions.h"
#include "DrawCommand.h"
#include "ExportModeOptions.h"
#include "KindNames.h"
#include "Options.h"
#include "Output.h"
#include "PageOptions.h"

#include "crossword/Crossword.h"
#include "platform/Bitmap.h"
#include "platform/Metafile.h"
#include "publish/PrintLook.h"
#include "template/Shablon.h"

#include <ostream>

namespace {

const char* const PictureHelpHead =
    "usage: crossgen picture FILE --out OUT.svg|OUT.pdf|OUT.png [--format F] [--mode 0-6]\n"
    "                             [mode options] [--look print]\n"
    "       crossgen picture FILE --view [--zoom P] [--first X,Y] [--window WxH] [--style FILE]\n"
    "                                [--dict FILE] --out OUT.png\n"
    "\n"
    "Draws the crossword of a crossword file (as \"crossgen fill --save\" writes it; \"-\" reads it\n"
    "from the standard input): the printable picture of an export mode, from the same items as\n"
    "the vector-editor script (mode 0 the solution, mode 1 with nothing given the empty puzzle),\n"
    "or with --view the working view an editor shows, the grid with its letters, fixed letters\n"
    "in green.\n"
    "\n";

const char* const PictureHelpView =
    "                     (the view only as PNG)\n"
    "  --view             paint the working view instead, 48 pixels a cell at zoom 100\n";

const char* const PictureHelpTail =
    "  --help             this text\n"
    "\n"
    "exit codes: 0 written, 2 bad arguments, an unreadable, damaged or incomplete file, a file\n"
    "that cannot be written, a mode that draws nothing for the kind, or a picture too large for\n"
    "its positions\n";

}  // namespace

int PictureCommand(const TCommandArgs& args, std::ostream& out, std::ostream& err, const TCrossgenDefaults&) {
    TOptionParser parser("picture", err);
    std::string file;
    parser.Operand("FILE", file);
    TPictureOutput output;
    output.AddOptions(parser, {"svg", "pdf", "png"});
    TExportModeOptions modeOptions;
    modeOptions.AddOptions(parser);
    bool viewOnly = false;
    parser.Flag("--view", viewOnly);
    TFastDrawParameters view;
    TViewWindowOptions window;
    window.AddOptions(parser, view);
    TLookOptions look;
    look.AddOptions(parser, true);
    if (!parser.Parse(args)) return ExitCode::BadInput;
    if (parser.Help) {
        out << PictureHelpHead << PictureOutputHelp << PictureHelpView << ViewWindowHelp << ExportModeOptionsHelp
            << CrosswordInputHelp << LookOptionsHelp << PictureHelpTail;
        return ExitCode::Filled;
    }
    if (!look.Check(parser, err)) return ExitCode::BadInput;
    if (file.empty()) return parser.Complain("a crossword FILE"), ExitCode::BadInput;
    if (output.File.empty()) return parser.Complain("--out FILE"), ExitCode::BadInput;
    if (!output.Check(parser)) return ExitCode::BadInput;
    if (viewOnly) {
        if (output.Format != "png") return parser.Complain("--view with a PNG --out"), ExitCode::BadInput;
        if (parser.Given("--mode") || look.Printed())
            return parser.Complain("--mode and --look print without --view"), ExitCode::BadInput;
    } else if (parser.Given("--zoom") || parser.Given("--first") || parser.Given("--window")) {
        return parser.Complain("--view with --zoom, --first and --window"), ExitCode::BadInput;
    }
    if (!CheckOutput(output.File, {file, modeOptions.StyleFile, modeOptions.Input.DictionaryFile}, err))
        return ExitCode::BadInput;

    const auto crossword = modeOptions.Load(file, parser, err);
    if (!crossword) return ExitCode::BadInput;
    if (viewOnly) {
        TBitmap bitmap(window.Width, window.Height);
        crossword->DrawToBitmap(view, bitmap);
        return WriteOutput(output.File, bitmap.PngData(), out, err) ? ExitCode::Filled : ExitCode::BadInput;
    }
    if (look.Printed()) ApplyPrintLook(*crossword, look.Print);
    TMetafile picture;
    crossword->DrawToMetafile(picture, modeOptions.Mode);
    if ((picture.Width() <= 0 || picture.Height() <= 0) && crossword->Template->ExportFits()) {
        err << "crossgen: a " << KindLabel(static_cast<int>(crossword->Template->Kind)) << " crossword draws nothing in mode "
            << modeOptions.Mode << "\n";
        return ExitCode::BadInput;
    }
    return output.Write(picture, out, err) ? ExitCode::Filled : ExitCode::BadInput;
}
