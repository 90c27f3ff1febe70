#include "Commands.h"
#include "Options.h"
#include "TemplateSource.h"

#include "kinds/JaponishShablon.h"

#include <ostream>

namespace {

const char* const TasksHelp =
    "usage: crossgen tasks TEMPLATE [--json]\n"
    "\n"
    "Prints the tasks of a picture puzzle template: the runs of coloured cells of every row, top\n"
    "to bottom, then of every column, left to right, each run in reading order as LENGTH:COLOUR\n"
    "(the colour index). A line without runs prints \"-\". In a two-colour puzzle touching cells\n"
    "of any colours make one run. TEMPLATE \"-\" reads the template file from the standard input.\n"
    "\n"
    "  --json             {\"rows\": [[{\"length\", \"color\"}, ...], ...], \"columns\": [...]}\n"
    "  --help             this text\n"
    "\n"
    "exit codes: 0 done, 2 bad arguments, an unreadable file or another kind of template\n";

void PrintLines(std::ostream& out, const char* label, const std::vector<std::vector<TColorRun>>& lines) {
    for (std::size_t i = 0; i < lines.size(); ++i) {
        out << label << ' ' << i << ':';
        if (lines[i].empty()) out << " -";
        for (const TColorRun& run : lines[i]) out << ' ' << run.Length << ':' << run.Color;
        out << '\n';
    }
}

std::string JsonLines(const std::vector<std::vector<TColorRun>>& lines) {
    std::string json = "[";
    for (std::size_t i = 0; i < lines.size(); ++i) {
        json += i ? ", [" : "[";
        for (std::size_t k = 0; k < lines[i].size(); ++k)
            json += (k ? ", " : "") + std::string("{\"length\": ") + std::to_string(lines[i][k].Length) +
                    ", \"color\": " + std::to_string(lines[i][k].Color) + "}";
        json += "]";
    }
    return json + "]";
}

}  // namespace

int TasksCommand(const TCommandArgs& args, std::ostream& out, std::ostream& err, const TCrossgenDefaults&) {
    TOptionParser parser("tasks", err);
    TTemplateSource source;
    bool json = false;
    parser.Operand("TEMPLATE", source.TemplateFile);
    parser.Flag("--json", json);
    if (!parser.Parse(args)) return ExitCode::BadInput;
    if (parser.Help) {
        out << TasksHelp;
        return ExitCode::Filled;
    }
    if (source.TemplateFile.empty()) return parser.Complain("a TEMPLATE file"), ExitCode::BadInput;
    const auto shablon = source.LoadTemplate(err);
    if (!shablon) return ExitCode::BadInput;
    const auto* puzzle = dynamic_cast<const TJaponishShablon*>(shablon.get());
    if (!puzzle) {
        err << "crossgen: tasks reads picture puzzle templates only\n";
        return ExitCode::BadInput;
    }
    std::vector<std::vector<TColorRun>> rows, columns;
    for (int y = 0; y < puzzle->Height; ++y) rows.push_back(puzzle->RowRuns(y));
    for (int x = 0; x < puzzle->Width; ++x) columns.push_back(puzzle->ColumnRuns(x));
    if (json) {
        out << "{\"rows\": " << JsonLines(rows) << ", \"columns\": " << JsonLines(columns) << "}\n";
    } else {
        PrintLines(out, "row", rows);
        PrintLines(out, "column", columns);
    }
    return ExitCode::Filled;
}
