#pragma once

// What the fuzz targets share. Each target is one function, LLVMFuzzerTestOneInput, that feeds
// its bytes to one reader of untrusted files; it is linked either with libFuzzer or with the
// replay driver (Replay.cpp).

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// The input as the readers take it.
inline std::string_view Bytes(const uint8_t* data, std::size_t size) {
    return {reinterpret_cast<const char*>(data), size};
}

// Installs, once per process, a Ui that drops every message and answers No to every question:
// a long run would otherwise pile messages up or wait for a player.
void UseQuietUi();

// Writes the input to this process's scratch file (removed at exit) and answers its path, for
// readers that take a file name.
const std::string& ScratchFile(std::string_view bytes);
// The path of another scratch file of this process, told apart by its name's ending (removed at
// exit; nothing is written), for what a reader writes back.
std::string ScratchPath(std::string_view ending);
// The bytes of a file; empty when it cannot be read.
std::string ReadBack(const std::string& path);
// Ends the run with what broke: a fault the fuzzer should keep the input of.
[[noreturn]] void Broken(const char* what);
