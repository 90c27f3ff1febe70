#pragma once

// How crossgen writes what it makes: "-" is the standard output (the command's out stream), any
// other name goes through the platform's output writer (OutputFile.h). A failure is one line on
// err, "crossgen: cannot write FILE: reason", and the command answers ExitCode::BadInput.

#include <iosfwd>
#include <string>
#include <string_view>
#include <vector>

// Names the standard output where a command takes a file name.
constexpr std::string_view StandardStreamName = "-";

// Writes bytes to path (or out for "-"); false after the complaint on err.
bool WriteOutput(const std::string& path, std::string_view bytes, std::ostream& out, std::ostream& err);

// Before the work: false, after the same complaint, when path cannot take an output (a FIFO, a
// directory) or is one of the inputs, which writing it would destroy. "-" always passes.
bool CheckOutput(const std::string& path, const std::vector<std::string>& inputs, std::ostream& err);
