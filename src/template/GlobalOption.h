#pragma once

// TGlobalOption: the process-wide options a host application may set. Nothing in this program
// fills it, so every look-up through it falls back to its default.

#include <string>

struct TGlobalOption {
    std::string FirstDirectory;   // style and picture files are looked for here ...
    std::string SecondDirectory;  // ... and here, after their own name
    std::string DefaultFontName;  // letters of the crossword pictures; empty: the canvas's font
    std::string InterfaceFontName;  // the progress window's font; empty: its own
    int InterfaceCharset = 0;

    // The one record of the process.
    static TGlobalOption& Instance();
};

// The file a relative name stands for in folder when a regular file is there, else the name as
// given (an absolute name, an empty folder: the name).
std::string FileBeside(const std::string& folder, const std::string& name);

// Finds a style or picture file: the name as given, then in the first and the second directory
// (a directory left empty is skipped). Answers the path of the first regular file found, or an
// empty string.
std::string FindOptionFile(const std::string& name);
