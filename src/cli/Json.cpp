#include "Json.h"

#include <nlohmann/json.hpp>

#include <cstdio>

std::string JsonString(std::string_view utf8) {
    // Bytes that are no UTF-8 become U+FFFD rather than an invalid document.
    return nlohmann::json(std::string(utf8)).dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
}

std::string JsonFixed2(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.2f", value);
    return text;
}
