#pragma once

// Starting other programs, always with an argument vector and never through a shell.

#include <functional>
#include <optional>
#include <string>
#include <vector>

struct ProcessResult {
    int exitCode = -1;   // -1: the program could not be started or was killed
    std::string output;  // what it wrote to standard output
};

// Runs argv[0] (looked up in PATH), collects its standard output and waits for it.
// whileWaiting, when given, is called every few milliseconds until the program ends
// (the game lets its window repaint meanwhile).
ProcessResult RunProcess(const std::vector<std::string>& argv, const std::function<void()>& whileWaiting = {});

// Starts argv[0] and does not wait for it; false when it could not be started.
bool SpawnDetached(const std::vector<std::string>& argv);

// The directory of the running executable, without a trailing slash.
std::string ExecutableDir();
