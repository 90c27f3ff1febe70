#include "Input.h"

#include "Output.h"

#include "platform/FileText.h"

#include <iostream>

namespace {

bool CannotRead(const std::string& path, const std::string& reason, std::ostream& err) {
    err << "crossgen: cannot read " << path << ": " << reason << "\n";
    return false;
}

bool ReadStandardInput(std::string& bytes, std::size_t maxSize, std::ostream& err) {
    bytes.clear();
    char block[1 << 16];
    while (std::cin.read(block, sizeof block) || std::cin.gcount() > 0) {
        bytes.append(block, static_cast<std::size_t>(std::cin.gcount()));
        if (bytes.size() > maxSize)
            return CannotRead("the standard input", "it holds more than " + std::to_string(maxSize) + " bytes", err);
    }
    if (std::cin.bad()) return CannotRead("the standard input", "a read failed", err);
    return true;
}

}  // namespace

bool ReadInput(const std::string& path, std::string& bytes, std::ostream& err, std::size_t maxSize) {
    if (path == StandardStreamName) return ReadStandardInput(bytes, maxSize, err);
    const TFileOutcome outcome = ReadInputFile(path, bytes, maxSize);
    return outcome || CannotRead(path, outcome.Reason(), err);
}

bool CheckInput(const std::string& path, std::ostream& err) {
    if (path == StandardStreamName) return CannotRead(path, "only a crossword or template file is read from the standard input", err);
    const TFileOutcome outcome = CheckInputFile(path);
    return outcome || CannotRead(path, outcome.Reason(), err);
}
