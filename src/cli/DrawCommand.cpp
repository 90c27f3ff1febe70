#include "DrawCommand.h"

#include "Commands.h"
#include "CrosswordOptions.h"
#include "Input.h"
#include "Json.h"
#include "KindNames.h"
#include "Options.h"
#include "Output.h"
#include "PageOptions.h"

#include "crossword/Crossword.h"
#include "crossword/CrosswordFactory.h"
#include "export/ComExport.h"
#include "kinds/JaponishShablon.h"
#include "platform/Metafile.h"
#include "platform/Text.h"
#include "publish/PrintLook.h"
#include "template/Shablon.h"

#include <algorithm>
#include <cctype>
#include <ostream>

namespace {

const char* const DrawHelpHead =
    "usage: crossgen draw (--size WxH | --template FILE | --picture FILE) [--kind NAME] [--style FILE]\n"
    "                     (--out FILE [--format F] | --items) [--puzzle] [--look print]\n"
    "\n"
    "Draws the empty grid of a template: its cells, clue numbers, key-word cells and outline as\n"
    "the style sets them. The kinds with clues in the grid or in strips beside it (scanwords,\n"
    "american, honeycombs) are drawn as their empty puzzle, with the clue boxes as the style's\n"
    "clue settings show them.\n"
    "\n";

const char* const DrawHelpStyle =
    "  --style FILE       a style file with the template's looks (default: the built-in looks)\n";

const char* const DrawHelpTail =
    "  --items            print the drawing items instead, one a line: the item kind, a blank,\n"
    "                     then its fields as name=value (positions in export units, 1000 a\n"
    "                     drawing unit, y upward); the clue boxes follow the grid\n"
    "  --puzzle           a picture puzzle template as the puzzle: its tasks beside the rows and\n"
    "                     above the columns, the picture cells blank\n"
    "  --help             this text\n"
    "\n"
    "exit codes: 0 drawn, 2 bad arguments, unreadable or unwritable files, or a picture too large\n"
    "for its positions\n";

// The fields an item kind carries, in the order they are printed.
enum TField : unsigned {
    Value = 1 << 0,
    Name = 1 << 1,
    X = 1 << 2,
    Y = 1 << 3,
    X2 = 1 << 4,
    Y2 = 1 << 5,
    Flag = 1 << 6,
    Mode = 1 << 7,
    Flag2 = 1 << 8,
    Param1 = 1 << 9,
    Param2 = 1 << 10,
    Colour = 1 << 11,
    Rect = 1 << 12,
    Param3 = 1 << 13,
    Param4 = 1 << 14,
    Text = 1 << 15,
    Points = 1 << 16,
};

constexpr unsigned Position = X | Y;
constexpr unsigned Box = X | Y | X2 | Y2;
constexpr unsigned Framed = Box | Flag | Text | Rect | Param3 | Param4;

constexpr unsigned KindFields[ExportKindCount] = {
    Text,                                         // caption
    Position | Flag | Value,                      // cell
    Position | Flag | Value,                      // shaped cell
    Position | Flag | Value,                      // cell in drawing units
    Box | Value,                                  // spanning cell
    Box | Flag | Mode,                            // colour cell
    Position | X2,                                // number
    Position | X2,                                // number in drawing units
    Box,                                          // key-word number
    Box,                                          // key-word number, shaped
    Box,                                          // key-word number in drawing units
    Box | Text,                                   // outline
    Position | X2,                                // walls
    Position | X2,                                // arrows
    Box | Name,                                   // line
    Points | Name | Colour | X2,                  // polyline
    Position | X2 | Value,                        // honeycomb arrows
    Box | Name | Flag | Param1 | Param2 | Text,   // text block
    Box | Name | Flag | Flag2 | Param1 | Param2 | Text,
    Box | Flag | Text,                            // picture
    Box | Name | Flag | Param1 | Param2 | Text,   // formatted text
    Text,                                         // background
    Box | Value | Rect,                           // part of a large cell
    Framed,                                       // framed picture
    Framed | Name | Param1 | Param2,              // framed text
    Position,                                     // marker
    Position | X2,                                // turn marks
};

void PrintItem(const TComExport& list, int i, std::ostream& out) {
    const int kind = list.Kind(i);
    out << kind;
    const unsigned fields = kind < ExportKindCount ? KindFields[kind] : 0;
    const auto number = [&](unsigned field, const char* name, long long value) {
        if (fields & field) out << " " << name << "=" << value;
    };
    number(Value, "Value", list.Value(i));
    if (fields & Name) out << " Name=" << JsonString(ToUtf8(list.Name(i)));
    number(X, "X", list.X(i));
    number(Y, "Y", list.Y(i));
    number(X2, "X2", list.X2(i));
    number(Y2, "Y2", list.Y2(i));
    number(Flag, "Flag", list.Flag(i));
    number(Mode, "Mode", list.Mode(i));
    number(Flag2, "Flag2", list.Flag2(i));
    number(Param1, "Param1", list.Param1(i));
    number(Param2, "Param2", list.Param2(i));
    if (fields & Colour) out << " Colour=" << list.Colour(i).Value << "/" << static_cast<int>(list.Colour(i).Model);
    if (fields & Rect) {
        const TItemRect r = list.Rect(i);
        out << " Rect=" << r.Left << "," << r.Top << "," << r.Right << "," << r.Bottom;
    }
    number(Param3, "Param3", list.Param3(i));
    number(Param4, "Param4", list.Param4(i));
    if (fields & Points) {
        out << " Points=";
        const auto points = list.Points(i);
        for (std::size_t p = 0; p < points.size(); ++p) out << (p ? " " : "") << points[p].X << "," << points[p].Y;
    }
    if (fields & Text) out << " Text=" << JsonString(ToUtf8(list.Text(i)));
    out << "\n";
}

// For the kinds whose clues stand in the grid or beside it (with anyKind, every kind that has
// crosswords): an empty crossword of the kind that takes over the template; nullptr for the
// others, with the template left in place.
std::unique_ptr<TCrossword> EmptyCrossword(std::unique_ptr<TShablon>& shablon, bool anyKind) {
    const TKindName* kind = KindNameOf(shablon->Kind);
    if (!kind || !kind->Crossword) return nullptr;
    auto crossword = CreateCrossword(static_cast<int>(*kind->Crossword));
    if (!crossword || !(anyKind || crossword->CluesInGrid) || crossword->Template->Kind != shablon->Kind) return nullptr;
    crossword->Template = std::move(shablon);
    crossword->TakeTemplate();
    return crossword;
}

}  // namespace

bool HasExtension(const std::string& path, std::string_view extension) {
    if (path.size() <= extension.size()) return false;
    return std::equal(extension.begin(), extension.end(), path.end() - extension.size(),
                      [](char a, char b) { return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b)); });
}

const char* const PictureOutputHelp =
    "  --out FILE         write the picture: FILE.svg or FILE.pdf (one unit a point) or FILE.png\n"
    "                     (one pixel a unit on white, scaled down to at most 16384 pixels a side\n"
    "                     and 16 M pixels); - writes it to the standard output\n"
    "  --format F         svg, pdf or png, whatever the name of the file (needed with --out -)\n";

void TPictureOutput::AddOptions(TOptionParser& parser, std::vector<std::string> formats) {
    mFormats = std::move(formats);
    parser.Text("--out", File);
    parser.Value("--format", [this](const std::string& value) -> std::string {
        if (std::find(mFormats.begin(), mFormats.end(), value) != mFormats.end()) {
            Format = value;
            return {};
        }
        std::string wanted = "wants";
        for (std::size_t i = 0; i < mFormats.size(); ++i)
            wanted += (i == 0 ? " " : i + 1 == mFormats.size() ? " or " : ", ") + mFormats[i];
        return wanted;
    });
}

bool TPictureOutput::Check(const TOptionParser& parser) {
    if (!Format.empty() || File.empty()) return true;
    for (const std::string& format : mFormats)
        if (HasExtension(File, "." + format)) Format = format;
    if (File == StandardStreamName && mFormats.size() == 1) Format = mFormats[0];
    if (!Format.empty()) return true;
    std::string formats, extensions;
    for (std::size_t i = 0; i < mFormats.size(); ++i) {
        formats += (i == 0 ? "" : "|") + mFormats[i];
        extensions += (i == 0 ? "." : i + 1 == mFormats.size() ? " or ." : ", .") + mFormats[i];
    }
    if (File == StandardStreamName) return parser.Complain("--format " + formats + " with --out -");
    return parser.Complain("--out FILE ending in " + extensions + " or --format " + formats + ", not \"" + File + "\"");
}

bool TPictureOutput::Write(const TMetafile& picture, std::ostream& out, std::ostream& err) const {
    if (picture.Width() <= 0 || picture.Height() <= 0) {
        err << "crossgen: the picture is too large: its positions do not fit in 32 bits (lower the SCALE or WIDTH of the style)\n";
        return false;
    }
    const std::string bytes = Format == "svg"   ? picture.SvgData()
                              : Format == "pdf" ? picture.PdfData()
                                                : picture.PngData();
    if (bytes.empty()) {
        err << "crossgen: cannot write " << File << ": the picture cannot be drawn\n";
        return false;
    }
    return WriteOutput(File, bytes, out, err);
}

void TPictureOptions::AddOptions(TOptionParser& parser, const TCrossgenDefaults& defaults,
                                 std::vector<std::string> formats) {
    Source.AddOptions(parser, defaults);
    parser.Text("--style", StyleFile);
    Output.AddOptions(parser, std::move(formats));
}

std::unique_ptr<TShablon> TPictureOptions::LoadTemplate(std::ostream& err) const {
    auto shablon = Source.LoadTemplate(err);
    if (!shablon || StyleFile.empty()) return shablon;
    if (!CheckInput(StyleFile, err) || !shablon->LoadStyle(StyleFile) || !StyleValuesInRange(*shablon, StyleFile, err))
        return nullptr;
    return shablon;
}

std::vector<std::string> TPictureOptions::Inputs() const {
    std::vector<std::string> inputs = Source.Inputs();
    inputs.push_back(StyleFile);
    return inputs;
}

int DrawCommand(const TCommandArgs& args, std::ostream& out, std::ostream& err, const TCrossgenDefaults& defaults) {
    TOptionParser parser("draw", err);
    TPictureOptions options;
    options.AddOptions(parser, defaults, {"svg", "pdf", "png"});
    bool items = false;
    bool puzzle = false;
    parser.Flag("--items", items);
    parser.Flag("--puzzle", puzzle);
    TLookOptions look;
    look.AddOptions(parser, true);
    if (!parser.Parse(args)) return ExitCode::BadInput;
    if (parser.Help) {
        out << DrawHelpHead << TemplateSourceHelp() << DrawHelpStyle << PictureOutputHelp << LookOptionsHelp
            << DrawHelpTail;
        return ExitCode::Filled;
    }
    if (!options.Source.Check(parser) || !options.Output.Check(parser) || !look.Check(parser, err))
        return ExitCode::BadInput;
    if (items == parser.Given("--out")) {
        parser.Complain("either --out FILE or --items");
        return ExitCode::BadInput;
    }
    if (!items && !CheckOutput(options.Output.File, options.Inputs(), err)) return ExitCode::BadInput;
    options.Source.SeedRandom();
    auto shablon = options.LoadTemplate(err);
    if (!shablon) return ExitCode::BadInput;
    if (puzzle) {
        auto* japonish = dynamic_cast<TJaponishShablon*>(shablon.get());
        if (!japonish) {
            err << "crossgen: draw --puzzle takes a picture puzzle template\n";
            return ExitCode::BadInput;
        }
        japonish->Zadania = true;
        japonish->QuestionsRezim = true;
    }

    // The kinds with clues in the grid or beside it are drawn as their empty puzzle, the clue
    // settings coming from the style file's crossword sections; in the print look every kind
    // with crosswords is, so that the look places its blocks.
    const auto crossword = EmptyCrossword(shablon, look.Printed());
    if (crossword && !LoadStyleFile(*crossword, options.StyleFile, err)) return ExitCode::BadInput;
    if (look.Printed()) {
        if (crossword)
            ApplyPrintLook(*crossword, look.Print);
        else
            ApplyPrintLook(*shablon, look.Print);
    }
    if (items) {
        TComExport list;
        if (crossword)
            crossword->BuildModeExport(list, 1);
        else
            shablon->BuildExport(list);
        for (int i = 0; i < list.Count(); ++i) PrintItem(list, i, out);
        return ExitCode::Filled;
    }
    TMetafile picture;
    if (crossword)
        crossword->DrawToMetafile(picture, 1);
    else
        shablon->DrawToMetafile(picture);
    return options.Output.Write(picture, out, err) ? ExitCode::Filled : ExitCode::BadInput;
}
