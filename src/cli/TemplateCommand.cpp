#include "Commands.h"
#include "Options.h"
#include "Output.h"
#include "TemplateImage.h"
#include "TemplatePicture.h"
#include "TemplateSource.h"

#include "template/Shablon.h"

#include <ostream>
#include <vector>

namespace {

const char* const TemplateHelpHead =
    "usage: crossgen template (--size WxH | --template FILE | --picture FILE) [--kind NAME]\n"
    "                         [--out FILE]\n"
    "       crossgen template --image FILE [--colors N] [--kind picturepuzzle] [--out FILE]\n"
    "\n"
    "Makes a template of a kind as a fill reads it (cropped to its used cells) and writes it as\n"
    "a template file, or prints its picture: a first line with the kind, the size WxH and the\n"
    "values the kind keeps beside the cells (\"football 9x25 half=20\"), then a line per row, one\n"
    "blank-separated token per cell: \"#\" a cell without a letter, \".\" a letter cell, then the\n"
    "cell's data, a letter and a decimal value each: \"w\" walls (1 below, 2 right, 4 above,\n"
    "8 left), \"a\" arrows, \"t\" turn marks, \"d\" the direction, and \"m\" the mark (\".w2\",\n"
    "\".a26\"). --picture reads that form back.\n"
    "\n";

const char* const TemplateHelpTail =
    "  --out FILE         write the template file (of the kind: a file or picture of another kind\n"
    "                     that the kind takes is stored as the kind) instead of the picture;\n"
    "                     - writes it to the standard output; FILE may be the --template FILE\n"
    "  --help             this text\n"
    "\n"
    "exit codes: 0 made, 2 bad arguments, unreadable input or an unwritable file\n";

}  // namespace

int TemplateCommand(const TCommandArgs& args, std::ostream& out, std::ostream& err, const TCrossgenDefaults& defaults) {
    TOptionParser parser("template", err);
    TTemplateSource source;
    source.AddOptions(parser, defaults);
    TImageSource image;
    image.AddOptions(parser);
    std::string outFile;
    parser.Text("--out", outFile);
    if (!parser.Parse(args)) return ExitCode::BadInput;
    if (parser.Help) {
        out << TemplateHelpHead << TemplateSourceHelp() << ImageSourceHelp << TemplateHelpTail;
        return ExitCode::Filled;
    }
    if (!image.Check(parser, source) || (image.File.empty() && !source.Check(parser))) return ExitCode::BadInput;
    // Rewriting the template file itself is meant (the file is read whole and replaced whole);
    // the other inputs are not.
    std::vector<std::string> inputs = {source.PictureFile, image.File};
    if (source.TemplateFile.empty()) inputs.push_back(source.TemplatesFile);
    if (!outFile.empty() && !CheckOutput(outFile, inputs, err)) return ExitCode::BadInput;
    source.SeedRandom();

    const auto shablon = image.File.empty() ? source.LoadTemplate(err) : image.LoadTemplate(err);
    if (!shablon) return ExitCode::BadInput;
    shablon->CropToUsed();
    shablon->NumberCells();
    if (!outFile.empty()) return WriteOutput(outFile, shablon->FileText(), out, err) ? ExitCode::Filled : ExitCode::BadInput;
    const std::string picture = TemplatePicture(*shablon, source.Kind);
    if (picture.empty()) {
        err << "crossgen: templates of kind " << static_cast<int>(shablon->Kind) << " have no picture form\n";
        return ExitCode::BadInput;
    }
    out << picture;
    return ExitCode::Filled;
}
