#pragma once

// How crossgen writes what it makes: "-" is the standard output (the command's out stream), any
// other name goes through the platform's output writer (OutputFile.h). A failure is one line on
// err, "crossgen: cannot write FILE: reason", and the command answers ExitCode::BadInput.

#include <iosfwd>
#include <string>
#include <string_view>

// Names the standard output where a command takes a file name.
constexpr std::string_view StandardStreamName = "-";

// Writes bytes to path (or out for "-"); false after the complaint on err.
bool WriteOutput(const std::string& path, std::string_view bytes, std::ostream& out, std::ostream& err);
