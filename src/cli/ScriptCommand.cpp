#include "Commands.h"
#include "CrosswordOptions.h"
#include "ExportModeOptions.h"
#include "Input.h"
#include "Options.h"
#include "Output.h"
#include "TemplateSource.h"

#include "crossword/Crossword.h"
#include "platform/RecordingEditor.h"
#include "platform/Text.h"
#include "template/Shablon.h"

#include <ostream>

namespace {

const char* const ScriptHelpHead =
    "usage: crossgen script FILE --out OUT.txt [mode options] [--cp1251]\n"
    "       crossgen script FILE --automation --out LOG.txt [--fail-at K] [mode options]\n"
    "       crossgen script FILE --pictures [--style FILE] [--dict FILE] [--partial]\n"
    "       crossgen script FILE --template-only [--style FILE] --out OUT.txt [--cp1251]\n"
    "       crossgen script FILE --template-only [--style FILE] --automation --out LOG.txt\n"
    "                            [--fail-at K] [--cp1251]\n"
    "\n"
    "Writes the vector-editor commands of the crossword file FILE (\"-\" reads it from the\n"
    "standard input), one command a line: its styles, then its grid with what the export mode\n"
    "shows in the cells and adds round them.\n"
    "With --template-only FILE is a template file and only its empty grid is exported. With\n"
    "--automation the same commands are sent live to an in-memory editor, which computes the\n"
    "sizes and positions the script leaves as variables, and its log of calls is written\n"
    "instead. --pictures prints the picture files the export draws on, one a line.\n"
    "\n"
    "  --template-only    FILE is a template file\n"
    "  --out FILE         where the lines go (- the standard output); not FILE itself\n"
    "  --cp1251           write the engine's own bytes (cp1251) with CR LF line ends instead of\n"
    "                     UTF-8 with LF\n"
    "  --automation       drive the in-memory editor and write its log\n"
    "  --fail-at K        with --automation: the K-th call (from 1) fails, as a broken editor\n"
    "                     would; \"OLE-ошибка!\" is shown and the export stops\n"
    "  --pictures         print the picture files instead of exporting\n";

const char* const ScriptHelpTail =
    "  --help             this text\n"
    "\n"
    "exit codes: 0 written, 1 the automation export failed (the log is written), 2 bad\n"
    "arguments, or an unreadable or unwritable file\n";

bool WriteLines(const std::vector<std::string>& lines, const std::string& outFile, bool cp1251, std::ostream& out,
                std::ostream& err) {
    std::string text;
    for (const std::string& line : lines) text += (cp1251 ? line : ToUtf8(line)) + (cp1251 ? "\r\n" : "\n");
    return WriteOutput(outFile, text, out, err);
}

}  // namespace

int ScriptCommand(const TCommandArgs& args, std::ostream& out, std::ostream& err, const TCrossgenDefaults& defaults) {
    TOptionParser parser("script", err);
    TTemplateSource source;
    TExportModeOptions modes;
    std::string outFile;
    bool templateOnly = false, cp1251 = false, automation = false, pictures = false;
    int failAt = 0;
    parser.Operand("FILE", source.TemplateFile);
    parser.Flag("--template-only", templateOnly);
    modes.AddOptions(parser);
    parser.Text("--out", outFile);
    parser.Flag("--cp1251", cp1251);
    parser.Flag("--automation", automation);
    parser.Number("--fail-at", failAt, 1, 1000000000);
    parser.Flag("--pictures", pictures);
    if (!parser.Parse(args)) return ExitCode::BadInput;
    if (parser.Help) {
        out << ScriptHelpHead << ExportModeOptionsHelp << CrosswordInputHelp << ScriptHelpTail;
        return ExitCode::Filled;
    }
    if (source.TemplateFile.empty()) return parser.Complain("a crossword or template FILE"), ExitCode::BadInput;
    if (outFile.empty() && !pictures) return parser.Complain("--out FILE"), ExitCode::BadInput;
    if (failAt > 0 && !automation) return parser.Complain("--automation with --fail-at"), ExitCode::BadInput;
    if (pictures && (automation || templateOnly))
        return parser.Complain("--pictures without --automation and --template-only"), ExitCode::BadInput;
    if (!pictures &&
        !CheckOutput(outFile, {source.TemplateFile, modes.StyleFile, modes.Input.DictionaryFile}, err))
        return ExitCode::BadInput;

    std::vector<std::string> lines;
    bool exported = true;
    TRecordingEditor editor;
    editor.FailAt(failAt);
    if (templateOnly) {
        auto shablon = source.LoadTemplate(err);
        if (!shablon) return ExitCode::BadInput;
        if (!modes.StyleFile.empty() && (!CheckInput(modes.StyleFile, err) || !shablon->LoadStyle(modes.StyleFile) ||
                                         !StyleValuesInRange(*shablon, modes.StyleFile, err)))
            return ExitCode::BadInput;
        if (automation)
            exported = shablon->ExportToOle(editor);
        else
            shablon->ExportToScript(lines);
    } else {
        const auto crossword = modes.Load(source.TemplateFile, parser, err);
        if (!crossword) return ExitCode::BadInput;
        if (pictures) {
            std::vector<std::string> names;
            crossword->ExportPictureList(names);
            for (const std::string& name : names) out << ToUtf8(name) << "\n";
            return ExitCode::Filled;
        }
        if (automation)
            exported = crossword->ExportTemplateScript(editor, modes.Mode);
        else
            crossword->ExportToScript(lines, modes.Mode);
    }
    if (automation) lines = editor.Log();
    if (!WriteLines(lines, outFile, cp1251, out, err)) return ExitCode::BadInput;
    return exported ? ExitCode::Filled : ExitCode::NotFilled;
}
