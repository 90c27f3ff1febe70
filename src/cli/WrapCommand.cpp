#include "Commands.h"
#include "CrosswordPrint.h"
#include "Options.h"

#include "platform/Metafile.h"
#include "platform/Text.h"
#include "template/TextFitting.h"

#include <cmath>
#include <ostream>

namespace {

const char* const WrapHelp =
    "usage: crossgen wrap --box WxH [OPTIONS] TEXT\n"
    "\n"
    "Breaks a clue into the lines that a clue cell of the box prints: the largest font that lets\n"
    "the text fit, words divided at syllables, measured with the real fonts. One line of output\n"
    "per line of the clue.\n"
    "\n"
    "  --box WxH            the box in drawing units (a cell is 100 x 100)\n"
    "  --size PT            the font size in points at full size (default 7; drawn at PT x 3.58\n"
    "                       units)\n"
    "  --font NAME          the font (default Arial Cyr, drawn as Arial)\n"
    "  --bold               the bold font\n"
    "  --no-syllables       break lines between words only (and at \"-\" and \"~\" in the text)\n"
    "  --interline P        the line pitch in percent of the line height (default 100)\n"
    "  --width-percent P    the horizontal scale of the text in percent (default 100)\n"
    "  --help               this text\n"
    "\n"
    "exit codes: 0 wrapped, 1 the text cannot fit the box, 2 bad arguments\n";

constexpr double UnitsPerPoint = 3.58;
constexpr int LargestBox = 100000;

}  // namespace

int WrapCommand(const TCommandArgs& args, std::ostream& out, std::ostream& err, const TCrossgenDefaults&) {
    TOptionParser parser("wrap", err);
    std::string text;
    parser.Operand("TEXT", text);
    std::vector<int> box;
    parser.Value("--box", [&box](const std::string& value) -> std::string {
        const auto x = value.find_first_of("xX");
        int width = 0, height = 0;
        if (x == std::string::npos || !ParseWholeNumber(value.substr(0, x), width) ||
            !ParseWholeNumber(value.substr(x + 1), height) || width < 1 || height < 1 || width > LargestBox ||
            height > LargestBox)
            return "wants WxH with sides from 1 to " + std::to_string(LargestBox);
        box = {width, height};
        return {};
    });
    int size = 7, interline = 100, widthPercent = 100;
    parser.Number("--size", size, 1, static_cast<int>(255 / UnitsPerPoint));
    TFormatParameters format;
    parser.Text("--font", format.FontName);
    parser.Flag("--bold", format.Bold);
    bool noSyllables = false;
    parser.Flag("--no-syllables", noSyllables);
    parser.Number("--interline", interline, 1, 255);
    parser.Number("--width-percent", widthPercent, 1, 255);
    if (!parser.Parse(args)) return ExitCode::BadInput;
    if (parser.Help) {
        out << WrapHelp;
        return ExitCode::Filled;
    }
    if (box.empty() || text.empty()) {
        parser.Complain("--box WxH and a TEXT");
        return ExitCode::BadInput;
    }

    format.FontName = FromUtf8(format.FontName);
    format.FontSize = static_cast<uint8_t>(std::lround(size * UnitsPerPoint));
    format.HFlag = !noSyllables;
    format.Interline = static_cast<uint8_t>(interline);
    format.FontWidth = static_cast<uint8_t>(widthPercent);
    TMetafile scratch(0, 0, CairoTextMetrics());
    TCanvas canvas(scratch);
    const std::string lines = WrapCellText(canvas, FromUtf8(text), TRect{0, 0, box[0], box[1]}, format);
    if (lines.empty()) {
        err << "crossgen: the text does not fit a box of " << box[0] << "x" << box[1] << "\n";
        return ExitCode::NotFilled;
    }
    out << TerminalLines(lines);
    return ExitCode::Filled;
}
