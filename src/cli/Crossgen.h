#pragma once

// crossgen: the command-line crossword generator over the engine.
//
//   crossgen fill (--size WxH | --template FILE) [--templates FILE] [--dict FILE]
//                 [--seed N] [--time-limit S] [--json]
//
// Exit codes: 0 the crossword was filled, 1 it was not, 2 bad arguments or unreadable files.

#include <iosfwd>
#include <string>
#include <vector>

namespace ExitCode {
constexpr int Filled = 0;
constexpr int NotFilled = 1;
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
