#include "Crossgen.h"

#include "Commands.h"
#include "KindNames.h"

#include "kinds/Kinds.h"
#include "platform/Process.h"

#include <algorithm>
#include <ostream>

namespace {

struct TCommand {
    const char* Name;
    const char* Summary;
    int (*Run)(const TCommandArgs& args, std::ostream& out, std::ostream& err, const TCrossgenDefaults& defaults);
};

// Every command of crossgen, in the order the help lists them.
const TCommand Commands[] = {
    {"fill", "fill a template with words and print the crossword", FillCommand},
    {"show", "print the crossword of a crossword file", ShowCommand},
    {"clues", "print the answers or the clues of a crossword file", CluesCommand},
    {"ipuz", "write a crossword file as an ipuz puzzle for solving programs and web players", IpuzCommand},
    {"import", "read an ipuz crossword into a template or a crossword file", ImportCommand},
    {"html", "write a crossword file as one web page to solve in the browser", HtmlCommand},
    {"wrap", "break a clue into the lines of a clue cell", WrapCommand},
    {"template", "make a template of a kind: a template file, or its picture as text", TemplateCommand},
    {"draw", "draw the empty grid of a template as SVG, PDF or PNG, or list its drawing items", DrawCommand},
    {"view", "paint the working view of a template, as an editor shows it, into a PNG", ViewCommand},
    {"picture", "draw a crossword file as SVG, PDF or PNG in an export mode, or its working view", PictureCommand},
    {"page", "lay a crossword file out on a printed page: title, grid, clues in columns, solution", PageCommand},
    {"book", "fill many crosswords, no answer twice, and lay them out as a PDF book with solutions", BookCommand},
    {"script", "write the vector-editor commands of a crossword or a template, or drive an in-memory editor", ScriptCommand},
    {"style", "write a template style file, the defaults or another loaded", StyleCommand},
    {"shape", "print the outline points of a cell form or an outline script", ShapeCommand},
    {"check", "check a template: slot statistics and the cells of questionable slots", CheckCommand},
    {"edit", "crop, shift or mirror the cells of a template file", EditCommand},
    {"tasks", "print the run lengths of every row and column of a picture puzzle template", TasksCommand},
};

void PrintHelp(std::ostream& out) {
    out << "crossgen: makes crosswords with the Zelvana crossword engine.\n"
           "\n"
           "usage: crossgen COMMAND [OPTIONS]\n"
           "\n"
           "commands:\n";
    for (const TCommand& command : Commands) {
        std::string name = command.Name;
        name.resize(std::max<std::size_t>(name.size() + 1, 9), ' ');
        out << "  " << name << command.Summary << "\n";
    }
    out << "\n"
           "  crossgen --help             this text\n"
           "  crossgen COMMAND --help     the options of a command\n"
           "\n"
           "exit codes: 0 done, 1 not done (a fill that failed, a template with defects),\n"
           "2 bad arguments or unreadable files\n";
}

}  // namespace

TCrossgenDefaults GameFileDefaults() {
    return {"templates.col", ExecutableDir() + "/dic1.wdi"};
}

int RunCrossgen(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
                const TCrossgenDefaults& defaults) {
    RegisterKinds();
    NameKindsInRussian();
    if (args.empty()) {
        PrintHelp(err);
        return ExitCode::BadInput;
    }
    if (args[0] == "--help" || args[0] == "-h" || args[0] == "help") {
        PrintHelp(out);
        return ExitCode::Filled;
    }
    for (const TCommand& command : Commands)
        if (args[0] == command.Name) return command.Run({args.begin() + 1, args.end()}, out, err, defaults);
    err << "crossgen: unknown command \"" << args[0] << "\" (see crossgen --help)\n";
    return ExitCode::BadInput;
}
