#include "FileHelpers.h"

bool WriteListToFile(const std::string& path, const std::vector<std::string>& list, bool withLineBreaks,
                     bool showError) {
    std::string text;
    for (const std::string& item : list) {
        text += item;
        if (withLineBreaks) text += "\r\n";
    }
    return showError ? WriteFileText(path, text) : ReplaceFileText(path, text);
}
