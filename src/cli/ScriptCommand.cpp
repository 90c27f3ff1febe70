#include "Commands.h"
#include "Options.h"
#include "TemplateSource.h"

#include "platform/FileText.h"
#include "platform/RecordingEditor.h"
#include "platform/Text.h"
#include "template/Shablon.h"

#include <ostream>

namespace {

const char* const ScriptHelp =
    "usage: crossgen script FILE --template-only [--style FILE] --out OUT.txt [--cp1251]\n"
    "       crossgen script FILE --template-only [--style FILE] --automation --out LOG.txt\n"
    "                            [--fail-at K] [--cp1251]\n"
    "\n"
    "Writes the vector-editor commands of the template file FILE, one command a line: its\n"
    "styles, then its cells, numbers, walls, arrows and outline. With --automation the same\n"
    "commands are sent live to an in-memory editor, which computes the sizes and positions the\n"
    "script leaves as variables, and its log of calls is written instead.\n"
    "\n"
    "  --template-only    FILE is a template file and only its empty grid is exported\n"
    "  --style FILE       a style file with the template's looks (default: the built-in looks)\n"
    "  --out FILE         where the lines go\n"
    "  --cp1251           write the engine's own bytes (cp1251) with CR LF line ends instead of\n"
    "                     UTF-8 with LF\n"
    "  --automation       drive the in-memory editor and write its log\n"
    "  --fail-at K        with --automation: the K-th call (from 1) fails, as a broken editor\n"
    "                     would; \"OLE-ошибка!\" is shown and the export stops\n"
    "  --help             this text\n"
    "\n"
    "exit codes: 0 written, 1 the automation export failed (the log is written), 2 bad\n"
    "arguments, or an unreadable or unwritable file\n";

}  // namespace

int ScriptCommand(const TCommandArgs& args, std::ostream& out, std::ostream& err, const TCrossgenDefaults& defaults) {
    TOptionParser parser("script", err);
    TTemplateSource source;
    std::string styleFile, outFile;
    bool templateOnly = false, cp1251 = false, automation = false;
    int failAt = 0;
    parser.Operand("FILE", source.TemplateFile);
    parser.Flag("--template-only", templateOnly);
    parser.Text("--style", styleFile);
    parser.Text("--out", outFile);
    parser.Flag("--cp1251", cp1251);
    parser.Flag("--automation", automation);
    parser.Number("--fail-at", failAt, 1, 1000000000);
    if (!parser.Parse(args)) return ExitCode::BadInput;
    if (parser.Help) {
        out << ScriptHelp;
        return ExitCode::Filled;
    }
    if (source.TemplateFile.empty()) return parser.Complain("a template FILE"), ExitCode::BadInput;
    if (!templateOnly) return parser.Complain("--template-only: FILE is read as a template file"), ExitCode::BadInput;
    if (outFile.empty()) return parser.Complain("--out FILE"), ExitCode::BadInput;
    if (failAt > 0 && !automation) return parser.Complain("--automation with --fail-at"), ExitCode::BadInput;

    auto shablon = source.LoadTemplate(err);
    if (!shablon) return ExitCode::BadInput;
    if (!styleFile.empty() && !shablon->LoadStyle(styleFile)) return ExitCode::BadInput;

    std::vector<std::string> lines;
    bool exported = true;
    if (automation) {
        TRecordingEditor editor;
        editor.FailAt(failAt);
        exported = shablon->ExportToOle(editor);
        lines = editor.Log();
    } else {
        shablon->ExportToScript(lines);
    }
    std::string text;
    for (const std::string& line : lines) text += (cp1251 ? line : ToUtf8(line)) + (cp1251 ? "\r\n" : "\n");
    if (!ReplaceFileText(outFile, text)) {
        err << "crossgen: cannot write " << outFile << "\n";
        return ExitCode::BadInput;
    }
    return exported ? ExitCode::Filled : ExitCode::NotFilled;
}
