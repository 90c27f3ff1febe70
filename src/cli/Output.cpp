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
    const TWriteOutcome outcome = WriteOutputFile(path, bytes);
    if (!outcome) err << "crossgen: cannot write " << path << ": " << outcome.Reason() << "\n";
    return static_cast<bool>(outcome);
}
