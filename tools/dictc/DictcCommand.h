#pragma once

// The dictc command: its arguments, its help and its exit code.

#include <ostream>
#include <string>
#include <vector>

namespace DictcExit {
constexpr int Written = 0;      // the dictionary was written
constexpr int NotWritten = 1;   // the output file could not be written
constexpr int BadInput = 2;     // bad arguments, nothing usable read, or the list refused
}  // namespace DictcExit

// Runs dictc with its arguments (without the program name): the help goes to out, a usage
// error to err, the compiler's problems and notes through TheUi().
int RunDictc(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
