#pragma once

// Where the game finds its data files, and what a banner link opens.
//
// The four collection files are looked up in the working directory first, then beside the
// executable, then in the installed data folder (<prefix>/share/zelvana for <prefix>/bin/zelvana).
// The dictionaries are looked up beside the executable, then in the installed data folder.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

struct TDataFolders {
    std::vector<std::string> Collections;   // searched in order for "graph.col" and the others
    std::vector<std::string> Dictionaries;  // searched in order for "dic1.wdi"; the first one otherwise

    // The folders of the running program.
    static TDataFolders OfProgram();
    // One folder for everything (tests, tools).
    static TDataFolders In(const std::string& folder);

    // The first folder holding a file named name, or nullopt.
    static std::optional<std::string> Find(const std::vector<std::string>& folders, std::string_view name);
};

// What a banner link opens.
struct TLinkTarget {
    std::string Url;      // the link to hand to the desktop; empty: nothing to open
    std::string Missing;  // the file the link names, when that file is not there (nothing is opened)
};

// http and https links stand as they are. A file link, or a document path without a scheme taken
// relative to baseFolder, opens as a file link when the file exists. Other links open nothing.
TLinkTarget ResolveLink(std::string_view link, const std::string& baseFolder);
