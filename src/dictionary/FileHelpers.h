#pragma once

// Whole-file helpers of the engine: reading and writing whole files in 4096-byte blocks
// (ReadFileText, WriteFileText, ReadFileBlocks, from the platform layer) and writing lists.

#include "platform/FileText.h"

#include <string>
#include <vector>

// Creates or replaces the file with the items one after another, each followed by CR LF when
// withLineBreaks. False on error, with "Ошибка записи в файл %s" only when showError.
bool WriteListToFile(const std::string& path, const std::vector<std::string>& list, bool withLineBreaks,
                     bool showError);
