#include "PageOptions.h"

#include "DrawCommand.h"
#include "Output.h"

#include "crossword/Crossword.h"
#include "platform/Fonts.h"
#include "platform/Metafile.h"
#include "platform/Text.h"
#include "publish/Completeness.h"

#include <charconv>
#include <ostream>

namespace {

constexpr int PngDotsPerInch = 150;
constexpr double PointsPerInch = 72;
// The content a sheet keeps inside its margins, millimetres.
constexpr double SmallestContent = 40;
constexpr double LargestMargins = 100;
// The faces the print look takes unless told, the first one installed.
constexpr const char* DefaultFaces[] = {DefaultPrintFont, "Liberation Sans"};

}  // namespace

const char* const LookOptionsHelp =
    "  --look L           default (the crossword's own look, as the vector editor gets it) or\n"
    "                     print: black lines and letters, small numbers in the top-left corners\n"
    "                     clear of the letters, blocks painted, clue cells framed and shaded\n"
    "  --font NAME        print look: the face of its texts (default DejaVu Sans, else\n"
    "                     Liberation Sans)\n"
    "  --block-shade P    print look: the blocks' grey, percent of black (default 100)\n";

const char* const PageOptionsHelp =
    "  --title TEXT       a title above the grid\n"
    "  --paper P          A4 (default), A5, letter or WxHmm (sides of 50 to 1000 mm)\n"
    "  --margins MM       the margins on every side (default 15)\n"
    "  --columns N        the clue list's columns, 1 to 8 (default: chosen by its length)\n"
    "  --font NAME        the face of every text, embedded in a PDF (default DejaVu Sans,\n"
    "                     else Liberation Sans)\n"
    "  --font-size PT     the clue list's size in points, 5 to 24 (default 9)\n"
    "  --lengths          each clue followed by its answer's length\n"
    "  --solution S       same: small and upside down at the page's foot (default); separate:\n"
    "                     on a page of its own; none\n"
    "  --block-shade P    the blocks' grey, percent of black (default 100)\n"
    "  --allow-incomplete print a crossword with empty cells or words without a clue\n";

void TLookOptions::AddOptions(TOptionParser& parser, bool look) {
    if (look) parser.Choice("--look", Look, {"default", "print"});
    parser.Text("--font", Print.FontName);
    parser.Number("--block-shade", Print.BlockShade, 0, 100);
}

bool TLookOptions::Check(const TOptionParser& parser, std::ostream& err) {
    if (!Printed() && (parser.Given("--font") || parser.Given("--block-shade")))
        return parser.Complain("--look print with --font and --block-shade");
    if (!Printed()) return true;
    std::string substitute;
    if (!parser.Given("--font")) {
        // Without either default face fontconfig draws with its nearest.
        for (const char* face : DefaultFaces)
            if (FontFamilyInstalled(face, substitute)) {
                Print.FontName = face;
                break;
            }
        return true;
    }
    if (FontFamilyInstalled(Print.FontName, substitute)) return true;
    err << "crossgen: option --font: no font \"" << Print.FontName << "\" is installed"
        << (substitute.empty() ? std::string() : " (fontconfig would draw with \"" + substitute + "\")") << "\n";
    return false;
}

void TPageOptions::AddOptions(TOptionParser& parser) {
    Look.Look = 1;
    Look.AddOptions(parser, false);
    parser.Text("--title", Title);
    parser.Value("--paper", [this](const std::string& value) -> std::string {
        return ParsePaper(value, Setup.Paper) ? std::string() : "wants A4, A5, letter or WxHmm with sides of 50 to 1000";
    });
    parser.Value("--margins", [this](const std::string& value) -> std::string {
        double margins = 0;
        const auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), margins);
        if (error != std::errc() || end != value.data() + value.size() || margins < 0 || margins > LargestMargins)
            return "wants millimetres from 0 to 100";
        Setup.Margins = margins;
        return {};
    });
    parser.Number("--columns", Setup.Columns, 1, 8);
    parser.Value("--font-size", [this](const std::string& value) -> std::string {
        int points = 0;
        if (!ParseWholeNumber(value, points) || points < 5 || points > 24) return "wants whole points from 5 to 24";
        Setup.FontSize = points;
        return {};
    });
    parser.Flag("--lengths", Setup.Lengths);
    parser.Choice("--solution", Solution, {"same", "separate", "none"});
    parser.Flag("--allow-incomplete", AllowIncomplete);
}

bool TPageOptions::Check(const TOptionParser& parser, std::ostream& err) {
    if (!Look.Check(parser, err)) return false;
    const double content = std::min(Setup.Paper.Width, Setup.Paper.Height) - 2 * Setup.Margins;
    if (content < SmallestContent) {
        err << "crossgen: option --margins: " << Setup.Margins << " mm margins leave less than "
            << SmallestContent << " mm of the paper to print on\n";
        return false;
    }
    Setup.Look = Look.Print;
    Setup.Title = FromUtf8(Title);
    Setup.Solution = static_cast<TSolutionPlace>(Solution);
    return true;
}

bool TPageOptions::Printable(const TCrossword& crossword, const std::string& name, std::ostream& err) const {
    const TMissingParts missing = MissingParts(crossword);
    if (AllowIncomplete || missing.None()) return true;
    err << "crossgen: " << name << " is not complete: " << missing.Describe()
        << " (--allow-incomplete prints it as it is)\n";
    return false;
}

void AddPagesOutOption(TOptionParser& parser, std::string& outFile, bool pdfOnly) {
    parser.Value("--out", [&outFile, pdfOnly](const std::string& value) -> std::string {
        if (value == StandardStreamName || HasExtension(value, ".pdf") ||
            (!pdfOnly && (HasExtension(value, ".svg") || HasExtension(value, ".png")))) {
            outFile = value;
            return {};
        }
        return pdfOnly ? "wants a file name ending in .pdf, or - for the standard output"
                       : "wants a file name ending in .pdf, .svg or .png, or - for the standard output";
    });
}

bool WritePages(std::span<const TMetafile> pages, const std::string& file, std::ostream& out, std::ostream& err) {
    const auto cannotDraw = [&] {
        err << "crossgen: cannot write " << file << ": the pages cannot be drawn\n";
        return false;
    };
    if (pages.empty()) return cannotDraw();
    if (file == StandardStreamName || HasExtension(file, ".pdf")) {
        const std::string pdf = PdfDocument(pages, PointsPerPageUnit);
        return pdf.empty() ? cannotDraw() : WriteOutput(file, pdf, out, err);
    }
    const bool svg = HasExtension(file, ".svg");
    const std::string extension = file.substr(file.size() - 4);
    for (std::size_t i = 0; i < pages.size(); ++i) {
        const std::string name =
            i == 0 ? file : file.substr(0, file.size() - extension.size()) + "-" + std::to_string(i + 1) + extension;
        const std::string bytes = svg ? pages[i].SvgPageData(PointsPerPageUnit)
                                      : pages[i].PngData(PngDotsPerInch / PointsPerInch * PointsPerPageUnit);
        if (bytes.empty()) return cannotDraw();
        if (!WriteOutput(name, bytes, out, err)) return false;
    }
    return true;
}
