#pragma once

// The artwork's text sources: "KEY = value" lines, "#" starting a comment at the start of a
// line or after a blank. Values are UTF-8.

#include "platform/Surface.h"

#include <map>
#include <string>
#include <vector>

class TAssetFile {
public:
    // Reads path; throws std::runtime_error with the path when it cannot be read.
    explicit TAssetFile(const std::string& path);

    // The value of key; throws std::runtime_error naming the key and the file when it is missing.
    const std::string& Text(const std::string& key) const;
    int Number(const std::string& key) const;
    TColor32 Color(const std::string& key) const;

    // The file's non-comment lines as they stand (for lists such as the glyph characters).
    const std::vector<std::string>& Lines() const { return mLines; }

private:
    std::string mPath;
    std::map<std::string, std::string> mValues;
    std::vector<std::string> mLines;
};
