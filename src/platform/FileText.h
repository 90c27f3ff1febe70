#pragma once

// Whole-file reading and writing in 4096-byte blocks, and the 4-byte little-endian numbers that
// every stored text uses. Read errors show "Ошибка чтения файла %s", write errors
// "Ошибка записи в файл %s", with the path; a missing file answers false without a message.

#include "FileOutcome.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

constexpr std::size_t FileBlockSize = 4096;

// Reads the regular file at path into text. With limit > 0 reading stops after the first block that
// brings the text to at least limit bytes (so up to limit + 4095 bytes are read).
// False when the file is missing (silent) or cannot be read, or is no regular file, which is
// refused without waiting on it (reported; text is then empty).
bool ReadFileText(const std::string& path, std::string& text, std::size_t limit = 0);

// Writes text as the whole file at path through the output writer (OutputFile.h), so a failed
// write leaves the old file as it was; false (reported) on any error.
bool WriteFileText(const std::string& path, std::string_view text);

// WriteFileText without the message: the caller reports the failure in its own words.
bool ReplaceFileText(const std::string& path, std::string_view text);

// Reads the whole regular file at path (links followed) into bytes. Never waits: a FIFO, a
// socket, a device or a directory is refused before anything is read, and so is a file of more
// than maxSize bytes; bytes is then empty and the outcome says why.
TFileOutcome ReadInputFile(const std::string& path, std::string& bytes, std::size_t maxSize);

// Why the file at path cannot be read as ReadInputFile reads it (missing, not a regular file,
// unreadable), or success; lets a program refuse an input it hands on by name, without waiting.
TFileOutcome CheckInputFile(const std::string& path);

// ReadInputFile without the reason: false, silently and with text empty, for anything it refuses
// or a file that is missing or unreadable.
bool ReadRegularFile(const std::string& path, std::string& text, std::size_t maxSize);

// Reads the file at path as its 4096-byte blocks (the last one shorter), in order.
bool ReadFileBlocks(const std::string& path, std::vector<std::string>& blocks);

// n as four bytes, least significant first.
std::string IntToBytes(int32_t n);

// The number of the last four bytes of four zero bytes followed by s: exactly four bytes read
// as IntToBytes wrote them, fewer are the high-order bytes, more than four use the last four.
int32_t BytesToInt(std::string_view s);
