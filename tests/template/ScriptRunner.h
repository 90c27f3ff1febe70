#pragma once

// A small interpreter of the export's script text, run against an automation object: commands,
// ".GetSize" into variables, "NAME=.GetObjectsCDRStaticID()", assignments with + - * / and
// parentheses, comparisons with AND and OR, nested IF/ELSE/ENDIF. Texts are quoted literals
// joined with + and chr(n). Arithmetic is real; a value becomes an integer (a "&" variable or a
// command argument) by truncation toward zero. Variable names ignore case.

#include "platform/Automation.h"
#include "platform/RecordingEditor.h"

#include <cctype>
#include <cmath>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

class TScriptRunner {
public:
    explicit TScriptRunner(IAutomation& editor) : mEditor(editor) {}

    // Runs every line; throws std::runtime_error on a line it cannot read.
    void Run(const std::vector<std::string>& lines) {
        std::vector<bool> active;  // per open IF: whether its current branch runs
        for (const std::string& raw : lines) {
            const std::string line = Trim(raw);  // nested IF blocks may be indented
            const bool running = std::all_of(active.begin(), active.end(), [](bool b) { return b; });
            if (line.rfind("IF ", 0) == 0 && line.size() > 8 && line.substr(line.size() - 5) == " THEN") {
                active.push_back(running && Eval(line.substr(3, line.size() - 8)).Number != 0);
                mTaken.push_back(active.back());
            } else if (line == "ELSE") {
                Need(!active.empty(), line);
                active.pop_back();
                const bool outer = std::all_of(active.begin(), active.end(), [](bool b) { return b; });
                active.push_back(outer && !mTaken.back());
            } else if (line == "ENDIF") {
                Need(!active.empty(), line);
                active.pop_back();
                mTaken.pop_back();
            } else if (running) {
                Statement(line);
            }
        }
        Need(active.empty(), "IF without ENDIF");
    }

    double Variable(const std::string& name) const { return mVars.at(Lower(name)); }

private:
    struct TValue {
        bool IsText = false;
        double Number = 0;
        std::string Text;
    };

    static void Need(bool ok, const std::string& what) {
        if (!ok) throw std::runtime_error("script: " + what);
    }

    static std::string Lower(std::string s) {
        for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        return s;
    }

    static std::string Trim(const std::string& s) {
        const auto b = s.find_first_not_of(' ');
        const auto e = s.find_last_not_of(' ');
        return b == std::string::npos ? std::string() : s.substr(b, e - b + 1);
    }

    // Splits at commas outside quotes and parentheses.
    static std::vector<std::string> SplitArgs(const std::string& s) {
        std::vector<std::string> parts;
        std::string part;
        int depth = 0;
        bool quoted = false;
        for (const char c : s) {
            if (c == '"') quoted = !quoted;
            if (!quoted && c == '(') ++depth;
            if (!quoted && c == ')') --depth;
            if (!quoted && depth == 0 && c == ',') {
                parts.push_back(Trim(part));
                part.clear();
            } else {
                part += c;
            }
        }
        if (!Trim(part).empty()) parts.push_back(Trim(part));
        return parts;
    }

    void Statement(const std::string& line) {
        if (line[0] == '.') {
            const auto space = line.find(' ');
            const std::string method = line.substr(1, space == std::string::npos ? std::string::npos : space - 1);
            const std::vector<std::string> args =
                space == std::string::npos ? std::vector<std::string>() : SplitArgs(line.substr(space + 1));
            if (method == "GetSize") {
                Need(args.size() == 2, line);
                const TVariants size = mEditor.Invoke(method, {});
                mVars[Lower(args[0])] = VariantInt(size.at(0));
                mVars[Lower(args[1])] = VariantInt(size.at(1));
                return;
            }
            TVariants values;
            for (const std::string& arg : args) {
                const TValue v = Eval(arg);
                if (v.IsText) values.emplace_back(v.Text);
                else values.emplace_back(static_cast<int32_t>(std::trunc(v.Number)));
            }
            mEditor.Invoke(method, values);
            return;
        }
        const auto eq = line.find('=');
        Need(eq != std::string::npos, line);
        const std::string name = Lower(Trim(line.substr(0, eq)));
        const std::string expression = Trim(line.substr(eq + 1));
        double value = 0;
        if (expression == ".GetObjectsCDRStaticID()")
            value = VariantInt(mEditor.Invoke("GetObjectsCDRStaticID", {}).at(0));
        else
            value = Eval(expression).Number;
        mVars[name] = name.back() == '&' ? std::trunc(value) : value;
    }

    TValue Eval(const std::string& text) {
        mText = text;
        mAt = 0;
        TValue v = Or();
        Skip();
        Need(mAt == mText.size(), "cannot read " + text);
        return v;
    }

    void Skip() {
        while (mAt < mText.size() && mText[mAt] == ' ') ++mAt;
    }

    bool Word(const char* word) {
        Skip();
        const std::string w = word;
        if (Lower(mText.substr(mAt, w.size())) != Lower(w)) return false;
        mAt += w.size();
        return true;
    }

    TValue Or() {
        TValue v = And();
        while (Word("or ")) v.Number = (v.Number != 0 || And().Number != 0) ? 1 : 0;
        return v;
    }

    TValue And() {
        TValue v = Compare();
        while (Word("and ")) v.Number = (Compare().Number != 0 && v.Number != 0) ? 1 : 0;
        return v;
    }

    TValue Compare() {
        TValue v = Sum();
        Skip();
        if (mAt < mText.size() && (mText[mAt] == '>' || mText[mAt] == '<')) {
            const char op = mText[mAt++];
            const double r = Sum().Number;
            v.Number = op == '>' ? v.Number > r : v.Number < r;
        }
        return v;
    }

    TValue Sum() {
        TValue v = Product();
        for (;;) {
            Skip();
            if (mAt >= mText.size() || (mText[mAt] != '+' && mText[mAt] != '-')) return v;
            const char op = mText[mAt++];
            const TValue r = Product();
            if (v.IsText || r.IsText) {
                Need(op == '+' && v.IsText && r.IsText, "text arithmetic");
                v.Text += r.Text;
            } else {
                v.Number = op == '+' ? v.Number + r.Number : v.Number - r.Number;
            }
        }
    }

    TValue Product() {
        TValue v = Factor();
        for (;;) {
            Skip();
            if (mAt >= mText.size() || (mText[mAt] != '*' && mText[mAt] != '/')) return v;
            const char op = mText[mAt++];
            const double r = Factor().Number;
            Need(op == '*' || r != 0, "division by zero in " + mText);
            v.Number = op == '*' ? v.Number * r : v.Number / r;
        }
    }

    TValue Factor() {
        Skip();
        Need(mAt < mText.size(), "missing value in " + mText);
        const char c = mText[mAt];
        if (c == '(') {
            ++mAt;
            TValue v = Or();
            Skip();
            Need(mAt < mText.size() && mText[mAt] == ')', "missing ) in " + mText);
            ++mAt;
            return v;
        }
        if (c == '-') {
            ++mAt;
            TValue v = Factor();
            v.Number = -v.Number;
            return v;
        }
        if (c == '"') {
            const auto end = mText.find('"', mAt + 1);
            Need(end != std::string::npos, "open quote in " + mText);
            TValue v{true, 0, mText.substr(mAt + 1, end - mAt - 1)};
            mAt = end + 1;
            return v;
        }
        if (std::isdigit(static_cast<unsigned char>(c))) {
            std::size_t used = 0;
            const double n = std::stod(mText.substr(mAt), &used);
            mAt += used;
            return {false, n, {}};
        }
        std::string name;
        while (mAt < mText.size() && (std::isalnum(static_cast<unsigned char>(mText[mAt])) || mText[mAt] == '&' ||
                                      mText[mAt] == '_'))
            name += mText[mAt++];
        Need(!name.empty(), "cannot read " + mText);
        if (Lower(name) == "chr") {
            const TValue code = Factor();
            return {true, 0, std::string(1, static_cast<char>(static_cast<int>(code.Number)))};
        }
        const auto known = mVars.find(Lower(name));
        Need(known != mVars.end(), "unknown variable " + name);
        return {false, known->second, {}};
    }

    IAutomation& mEditor;
    std::map<std::string, double> mVars;
    std::vector<bool> mTaken;
    std::string mText;
    std::size_t mAt = 0;
};

// What an editor object is, for comparing the objects the two deliveries leave.
inline std::string Describe(const TEditorObject& o) {
    return std::to_string(static_cast<int>(o.Shape)) + " " + std::to_string(o.Left) + "," + std::to_string(o.Top) +
           " " + std::to_string(o.Width) + "x" + std::to_string(o.Height) + " " + o.Style + " '" + o.Text + "' in " +
           std::to_string(o.Container);
}

inline std::vector<std::string> Describe(const TRecordingEditor& editor) {
    std::vector<std::string> all;
    for (const TEditorObject& o : editor.Objects()) all.push_back(Describe(o));
    return all;
}
