#pragma once

// JSON output of crossgen's commands: every command that prints JSON builds it with these; the
// escaping is nlohmann-json's.

#include <string>
#include <string_view>

// A JSON string literal of UTF-8 text, quotes included.
std::string JsonString(std::string_view utf8);
// A JSON number with two decimals (times in milliseconds).
std::string JsonFixed2(double value);
