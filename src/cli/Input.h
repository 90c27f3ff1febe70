#pragma once

// How crossgen reads the files it is given. Every input is a regular file: a FIFO, a socket, a
// device or a directory is refused before anything waits on it, with one line on err,
// "crossgen: cannot read FILE: reason", and the command answers ExitCode::BadInput. Where a
// command reads the bytes of a file itself (crossword files, template files, template pictures,
// images), "-" is the standard input (std::cin).

#include <cstddef>
#include <iosfwd>
#include <string>

// The most crossgen reads of one input: far more than any crossword or template file holds.
constexpr std::size_t MaxInputBytes = std::size_t{256} << 20;

// Reads the file at path, or the standard input for "-", into bytes, at most maxSize of them;
// false after the complaint.
bool ReadInput(const std::string& path, std::string& bytes, std::ostream& err, std::size_t maxSize = MaxInputBytes);

// For a file the engine reads by its name (a dictionary, a style file, a collection): false,
// after the complaint, unless path names a readable regular file. "-" is refused: the engine
// reads files, not the standard input.
bool CheckInput(const std::string& path, std::ostream& err);
