#pragma once

// Whole-file reading and writing in 4096-byte blocks with the program's own messages.
// A missing file is reported to the caller only, never shown.

#include <cstdint>
#include <string>
#include <vector>

constexpr int FileBlockSize = 4096;

// The file's bytes in text. limit > 0 stops once at least limit bytes are read (so up to
// limit + 4095 bytes come back). False for a missing file (no message) or a read error
// ("Ошибка чтения файла %s", text emptied).
bool ReadFileText(const std::string& path, std::string& text, int64_t limit = 0);

// Creates or replaces the file with text. False with "Ошибка записи в файл %s" on error.
bool WriteFileText(const std::string& path, const std::string& text);

// Creates or replaces the file with the items one after another, each followed by CR LF when
// withLineBreaks. False on error, with "Ошибка записи в файл %s" only when showError.
bool WriteListToFile(const std::string& path, const std::vector<std::string>& list, bool withLineBreaks,
                     bool showError);

// Clears blocks, then adds every 4096-byte block of the file (the last one shorter) in order.
// False for a missing file (no message) or a read error ("Ошибка чтения файла %s").
bool ReadFileBlocks(const std::string& path, std::vector<std::string>& blocks);
