#include "Output.h"

#include "platform/OutputFile.h"

#include <ostream>

bool WriteOutput(const std::string& path, std::string_view bytes, std::ostream& out, std::ostream& err) {
    if (path == StandardStreamName) {
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        out.flush();
        if (out) return true;
        err << "crossgen: cannot write the standard output\n";
        return false;
    }
    const TFileOutcome outcome = WriteOutputFile(path, bytes);
    if (!outcome) err << "crossgen: cannot write " << path << ": " << outcome.Reason() << "\n";
    return static_cast<bool>(outcome);
}

bool CheckOutput(const std::string& path, const std::vector<std::string>& inputs, std::ostream& err) {
    if (path == StandardStreamName) return true;
    std::string reason = CheckOutputPath(path).Reason();
    for (const std::string& input : inputs)
        if (reason.empty() && !input.empty() && input != StandardStreamName && IsSameFile(path, input))
            reason = "it is the input " + input;
    if (reason.empty()) return true;
    err << "crossgen: cannot write " << path << ": " << reason << "\n";
    return false;
}
