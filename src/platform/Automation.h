#pragma once

// Late-bound automation: a method called by name with variant arguments, answering variant
// results. A failing call throws TAutomationError; the caller that drives a whole export
// catches it and reports the failure once.
//
// The same calls written as script text are one line each: ".Method arg, arg", numbers in
// decimal, texts quoted by QuoteScriptText.

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

using TVariant = std::variant<int32_t, std::string>;
using TVariants = std::vector<TVariant>;

class TAutomationError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class IAutomation {
public:
    virtual ~IAutomation() = default;
    // Calls the method; throws TAutomationError when it fails.
    virtual TVariants Invoke(std::string_view method, const TVariants& args) = 0;
};

// A script string literal. Quotes, CR and LF leave the literal as "+chr(34)+", "+chr(13)+" and
// "+chr(10)+", so one command stays one line whatever its text holds.
std::string QuoteScriptText(std::string_view text);

// The script line of a call: "." + method, then the arguments separated by ", ".
std::string FormatScriptCall(std::string_view method, const TVariants& args);

// The integer of a variant; 0 for a text.
int32_t VariantInt(const TVariant& value);
