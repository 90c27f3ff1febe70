#include "Automation.h"

std::string QuoteScriptText(std::string_view text) {
    std::string quoted = "\"";
    for (const char c : text) {
        switch (c) {
            case '"': quoted += "\"+chr(34)+\""; break;
            case '\r': quoted += "\"+chr(13)+\""; break;
            case '\n': quoted += "\"+chr(10)+\""; break;
            default: quoted += c; break;
        }
    }
    return quoted + '"';
}

std::string FormatScriptCall(std::string_view method, const TVariants& args) {
    std::string line = ".";
    line += method;
    for (std::size_t i = 0; i < args.size(); ++i) {
        line += i == 0 ? " " : ", ";
        if (const auto* number = std::get_if<int32_t>(&args[i]))
            line += std::to_string(*number);
        else
            line += QuoteScriptText(std::get<std::string>(args[i]));
    }
    return line;
}

int32_t VariantInt(const TVariant& value) {
    const auto* number = std::get_if<int32_t>(&value);
    return number ? *number : 0;
}
