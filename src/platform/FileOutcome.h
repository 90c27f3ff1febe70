#pragma once

// The outcome of reading or writing one file: done, or why not.

#include <string>

// True when done, else the reason in English ("No space left on device", "is a FIFO").
class TFileOutcome {
public:
    TFileOutcome() = default;
    static TFileOutcome Failed(std::string reason) { return TFileOutcome(std::move(reason)); }

    explicit operator bool() const { return mReason.empty(); }
    const std::string& Reason() const { return mReason; }

private:
    explicit TFileOutcome(std::string reason) : mReason(std::move(reason)) {}
    std::string mReason;
};

// Why a file of this type (a stat mode) is not a regular file: "is a directory", "is a FIFO",
// "is a socket", "is a device"; empty for a regular file.
std::string NotRegularReason(unsigned mode);
