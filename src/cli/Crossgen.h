#pragma once

// crossgen: the command-line crossword generator over the engine. "crossgen --help" lists its
// commands (Commands.h), "crossgen COMMAND --help" the options of one.
//
// Exit codes: 0 done, 1 not done (a fill that failed, a check that found defects), 2 bad
// arguments or unreadable files.

#include <iosfwd>
#include <string>
#include <vector>

namespace ExitCode {
constexpr int Filled = 0;     // done
constexpr int NotFilled = 1;  // not done
constexpr int BadInput = 2;
}  // namespace ExitCode

// Where crossgen looks for the game's files unless told otherwise: "templates.col" in the
// working directory and "dic1.wdi" beside the executable, as the game does.
struct TCrossgenDefaults {
    std::string TemplatesFile;
    std::string DictionaryFile;
};
TCrossgenDefaults GameFileDefaults();

// Runs crossgen with the arguments after the program name. Results go to out, crossgen's own
// complaints to err; messages of the engine go through the process-wide Ui.
int RunCrossgen(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
                const TCrossgenDefaults& defaults);
