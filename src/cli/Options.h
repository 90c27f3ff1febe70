#pragma once

// The one option parser of crossgen's commands. A command declares its options, then parses
// the words after its name; every complaint is one line on err naming the option, and the
// caller answers ExitCode::BadInput.

#include <cstdint>
#include <functional>
#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Reads a whole decimal number of the given type; false for anything else.
bool ParseWholeNumber(std::string_view text, int& value);
bool ParseWholeNumber(std::string_view text, uint32_t& value);
// "WxH" with sides from 1 to 200.
bool ParseSize(std::string_view text, int& width, int& height);
// Comma-separated whole numbers, exactly count of them ("X,Y", "X0,Y0,X1,Y1").
bool ParseNumberList(std::string_view text, std::size_t count, std::vector<int>& values);

class TOptionParser {
public:
    // command names the command in messages ("fill"); err receives the complaints.
    TOptionParser(std::string command, std::ostream& err);

    // An option without a value.
    void Flag(std::string name, bool& target);
    // An option with a value; take answers an empty text when it used the value, else what the
    // value should be ("wants WxH with sides from 1 to 200").
    void Value(std::string name, std::function<std::string(const std::string& value)> take);
    // A non-empty file name or text.
    void Text(std::string name, std::string& target);
    // A whole number from min to max.
    void Number(std::string name, int& target, int min, int max);
    // One of the listed words; target gets its index.
    void Choice(std::string name, int& target, std::vector<std::string> words);
    // A seed of the random generator: a whole number from 0 to 4294967295.
    void Seed(std::string name, std::optional<uint32_t>& target);
    // The one word that is not an option (a file, a text; after "--" any word); what names it
    // in complaints.
    void Operand(std::string what, std::string& target);

    // Reads the words; "--help" and "-h" set Help. "--name=value" and "--name value" both work.
    // False after a complaint on err.
    bool Parse(const std::vector<std::string>& args);
    // True when the option was given.
    bool Given(std::string_view name) const;
    // Complains that the command wants what (e.g. "either --size WxH or --template FILE").
    bool Complain(std::string_view what) const;

    bool Help = false;

private:
    struct TOption {
        std::string Name;
        bool* Flag = nullptr;
        std::function<std::string(const std::string&)> Take;
    };

    std::string mCommand;
    std::ostream& mErr;
    std::vector<TOption> mOptions;
    std::vector<std::string> mGiven;
    std::string mOperandName;
    std::string* mOperand = nullptr;
};
