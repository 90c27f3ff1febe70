#include "Options.h"

#include <algorithm>
#include <charconv>
#include <ostream>

namespace {

template <typename Number>
bool ParseAs(std::string_view text, Number& value) {
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return !text.empty() && error == std::errc() && end == text.data() + text.size();
}

constexpr int MaxSide = 200;

}  // namespace

bool ParseWholeNumber(std::string_view text, int& value) { return ParseAs(text, value); }
bool ParseWholeNumber(std::string_view text, uint32_t& value) { return ParseAs(text, value); }

bool ParseSize(std::string_view text, int& width, int& height) {
    const auto x = text.find_first_of("xX");
    if (x == std::string_view::npos) return false;
    return ParseAs(text.substr(0, x), width) && ParseAs(text.substr(x + 1), height) && width >= 1 && height >= 1 &&
           width <= MaxSide && height <= MaxSide;
}

bool ParseNumberList(std::string_view text, std::size_t count, std::vector<int>& values) {
    values.clear();
    while (values.size() < count) {
        const auto comma = text.find(',');
        int value = 0;
        if (!ParseAs(text.substr(0, comma), value)) return false;
        values.push_back(value);
        if (comma == std::string_view::npos) break;
        text.remove_prefix(comma + 1);
        if (values.size() == count) return false;
    }
    return values.size() == count;
}

TOptionParser::TOptionParser(std::string command, std::ostream& err) : mCommand(std::move(command)), mErr(err) {}

void TOptionParser::Flag(std::string name, bool& target) { mOptions.push_back({std::move(name), &target, {}}); }

void TOptionParser::Value(std::string name, std::function<std::string(const std::string&)> take) {
    mOptions.push_back({std::move(name), nullptr, std::move(take)});
}

void TOptionParser::Text(std::string name, std::string& target) {
    Value(std::move(name), [&target](const std::string& value) -> std::string {
        if (value.empty()) return "needs a name";
        target = value;
        return {};
    });
}

void TOptionParser::Number(std::string name, int& target, int min, int max) {
    Value(std::move(name), [&target, min, max](const std::string& value) -> std::string {
        int number = 0;
        if (!ParseWholeNumber(value, number) || number < min || number > max)
            return "wants a whole number from " + std::to_string(min) + " to " + std::to_string(max);
        target = number;
        return {};
    });
}

void TOptionParser::Choice(std::string name, int& target, std::vector<std::string> words) {
    Value(std::move(name), [&target, words = std::move(words)](const std::string& value) -> std::string {
        const auto found = std::find(words.begin(), words.end(), value);
        if (found != words.end()) {
            target = static_cast<int>(found - words.begin());
            return {};
        }
        std::string wanted = "wants one of";
        for (std::size_t i = 0; i < words.size(); ++i) wanted += (i ? ", " : " ") + words[i];
        return wanted;
    });
}

void TOptionParser::Seed(std::string name, std::optional<uint32_t>& target) {
    Value(std::move(name), [&target](const std::string& value) -> std::string {
        uint32_t seed = 0;
        if (!ParseWholeNumber(value, seed)) return "wants a whole number from 0 to 4294967295";
        target = seed;
        return {};
    });
}

void TOptionParser::Operand(std::string what, std::string& target) {
    mOperandName = std::move(what);
    mOperand = &target;
}

bool TOptionParser::Parse(const std::vector<std::string>& args) {
    bool operandTaken = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const bool afterSeparator = args[i] == "--" && i + 1 < args.size();
        // A lone "-" names a standard stream, an operand like any file name.
        if (mOperand && (afterSeparator || args[i] == "-" || !args[i].starts_with("-"))) {
            if (operandTaken) {
                mErr << "crossgen: " << mCommand << " takes one " << mOperandName << ", not also \""
                     << args[i + (afterSeparator ? 1 : 0)] << "\"\n";
                return false;
            }
            i += afterSeparator ? 1 : 0;
            *mOperand = args[i];
            operandTaken = true;
            continue;
        }
        std::string name = args[i];
        std::optional<std::string> inlineValue;
        if (const auto eq = name.find('='); name.starts_with("--") && eq != std::string::npos) {
            inlineValue = name.substr(eq + 1);
            name.erase(eq);
        }
        if (name == "--help" || name == "-h") {
            Help = true;
            continue;
        }
        const auto option = std::find_if(mOptions.begin(), mOptions.end(),
                                          [&](const TOption& o) { return o.Name == name; });
        if (option == mOptions.end()) {
            mErr << "crossgen: unknown option \"" << args[i] << "\" (see crossgen " << mCommand << " --help)\n";
            return false;
        }
        mGiven.push_back(name);
        if (option->Flag) {
            if (inlineValue) {
                mErr << "crossgen: " << name << " takes no value\n";
                return false;
            }
            *option->Flag = true;
            continue;
        }
        if (!inlineValue && i + 1 >= args.size()) {
            mErr << "crossgen: " << name << " needs a value\n";
            return false;
        }
        const std::string value = inlineValue ? *inlineValue : args[++i];
        if (const std::string wanted = option->Take(value); !wanted.empty()) {
            mErr << "crossgen: " << name << " " << wanted << ", not \"" << value << "\"\n";
            return false;
        }
    }
    return true;
}

bool TOptionParser::Given(std::string_view name) const {
    return std::find(mGiven.begin(), mGiven.end(), name) != mGiven.end();
}

bool TOptionParser::Complain(std::string_view what) const {
    mErr << "crossgen: " << mCommand << " wants " << what << " (see crossgen " << mCommand << " --help)\n";
    return false;
}
