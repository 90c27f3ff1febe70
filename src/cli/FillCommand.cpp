#include "FillCommand.h"

#include "crossword/ClassicCrossword.h"
#include "platform/Clock.h"
#include "platform/IndexCollection.h"
#include "platform/Text.h"
#include "template/ShablonWords.h"

#include <charconv>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <ostream>

const char* const FillHelp =
    "usage: crossgen fill (--size WxH | --template FILE) [OPTIONS]\n"
    "\n"
    "Fills a classic crossword template with dictionary words and prints the grid in capital\n"
    "letters (\"#\" for a block, \".\" for a letter cell left empty) and the words placed.\n"
    "\n"
    "  --size WxH         pick a template of W columns and H rows at random from the collection\n"
    "  --template FILE    fill this template file instead (a classic \"SHABLON\" template)\n"
    "  --templates FILE   the template collection (default: templates.col in the working\n"
    "                     directory, where the game reads it)\n"
    "  --dict FILE        the dictionary (default: dic1.wdi beside crossgen, where the game\n"
    "                     reads it)\n"
    "  --seed N           seed the random choices: the same seed and files give the same\n"
    "                     crossword (default: seeded from the clock)\n"
    "  --time-limit S     give up after S whole seconds (default 0: no limit)\n"
    "  --json             print one JSON object instead: width, height, rows, words (x, y,\n"
    "                     direction, word), filled, error (the fill's error code: -1 stopped,\n"
    "                     -2 no solution, -4 time limit, 0 or more a slot without candidates)\n"
    "                     and ms (the fill time in milliseconds)\n"
    "  --help             this text\n"
    "\n"
    "exit codes: 0 filled, 1 not filled, 2 bad arguments or unreadable files\n";

namespace {

constexpr int MaxTimeLimit = 3599;  // the fill counts elapsed time within the hour

template <typename Number>
bool ParseNumber(std::string_view text, Number& value) {
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() && end == text.data() + text.size();
}

bool ParseSize(std::string_view text, int& width, int& height) {
    const auto x = text.find_first_of("xX");
    if (x == std::string_view::npos) return false;
    return ParseNumber(text.substr(0, x), width) && ParseNumber(text.substr(x + 1), height) && width >= 1 &&
           height >= 1 && width <= TShablon::MaxSide && height <= TShablon::MaxSide;
}

std::string JsonString(std::string_view utf8) {
    std::string out = "\"";
    for (const char c : utf8) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (static_cast<unsigned char>(c) < 0x20) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", static_cast<unsigned char>(c));
            out += escaped;
        } else {
            out += c;
        }
    }
    return out + "\"";
}

std::string Direction(std::string_view path) {
    if (path.find_first_not_of('6') == std::string_view::npos) return "across";
    if (path.find_first_not_of('2') == std::string_view::npos) return "down";
    return "path " + std::string(path);
}

// The grid's rows in UTF-8 capitals.
std::vector<std::string> GridRows(const TCrossword& crossword) {
    std::vector<std::string> rows;
    for (int y = 0; y < crossword.Height; ++y) {
        std::string row;
        for (int x = 0; x < crossword.Width; ++x) {
            if (!crossword.Template->IsLetterCell(x, y))
                row += '#';
            else if (crossword.IsCellEmpty(x, y))
                row += '.';
            else
                row += ToUtf8(crossword.Dictionary.ToUpperText(crossword.CellText(x, y)));
        }
        rows.push_back(row);
    }
    return rows;
}

bool PickFromCollection(const TFillOptions& options, TCrossword& crossword, std::ostream& err) {
    TIndexCollection collection;
    collection.FileName = options.TemplatesFile;
    if (!collection.LoadFromFile()) {
        err << "crossgen: cannot read the template collection " << options.TemplatesFile << "\n";
        return false;
    }
    const char wantedWidth = SmallNumberChar(options.Width);
    const char wantedHeight = SmallNumberChar(options.Height);
    std::vector<std::string> texts;
    for (int i = 0; i < collection.Count(); ++i) {
        std::string text = collection.EntryText(i);
        if (text.size() < 12 || text[10] != wantedWidth || text[11] != wantedHeight) continue;
        if (text.starts_with(TShablon::Prefix)) text.erase(0, TShablon::Prefix.size());
        texts.push_back(std::move(text));
    }
    if (texts.empty()) {
        err << "crossgen: " << options.TemplatesFile << " holds no template of " << options.Width << "x"
            << options.Height << "\n";
        return false;
    }
    crossword.SetWidth(options.Width);
    crossword.SetHeight(options.Height);
    if (!crossword.Template->ParseTemplate(texts[RandomInt(static_cast<int>(texts.size()))], 0, 0)) {
        err << "crossgen: a template of " << options.Width << "x" << options.Height << " in "
            << options.TemplatesFile << " is damaged\n";
        return false;
    }
    crossword.PrepareForFill();
    return true;
}

bool ReadTemplateFile(const TFillOptions& options, TCrossword& crossword, std::ostream& err) {
    TShablonHeader header;
    if (!TShablon::ReadTemplateHeader(options.TemplateFile, header)) {
        if (!std::filesystem::exists(options.TemplateFile))
            err << "crossgen: cannot read the template file " << options.TemplateFile << "\n";
        else
            err << "crossgen: " << options.TemplateFile << " is not a template file\n";
        return false;
    }
    if (header.Kind != static_cast<int>(TShablonKind::Classic)) {
        err << "crossgen: " << options.TemplateFile << " is a template of kind " << header.Kind
            << "; only classic templates (kind 0) can be filled\n";
        return false;
    }
    if (!crossword.LoadTemplateFile(options.TemplateFile)) {
        err << "crossgen: cannot read the template file " << options.TemplateFile << "\n";
        return false;
    }
    return true;
}

void PrintText(const TCrossword& crossword, std::ostream& out) {
    for (const std::string& row : GridRows(crossword)) out << row << "\n";
    out << "\n";
    for (int i = 0; i < crossword.Words.Count(); ++i) {
        if (!crossword.Words.SlotFilled(i)) continue;
        out << crossword.Words.WordX(i) << "," << crossword.Words.WordY(i) << " "
            << Direction(crossword.Words.WordPath(i)) << " "
            << ToUtf8(crossword.Dictionary.ToUpperText(crossword.Words.SlotWord(i))) << "\n";
    }
}

void PrintJson(const TCrossword& crossword, bool filled, int errCode, double ms, std::ostream& out) {
    out << "{\"width\": " << static_cast<int>(crossword.Width) << ", \"height\": " << static_cast<int>(crossword.Height)
        << ", \"rows\": [";
    const std::vector<std::string> rows = GridRows(crossword);
    for (std::size_t i = 0; i < rows.size(); ++i) out << (i ? ", " : "") << JsonString(rows[i]);
    out << "], \"words\": [";
    bool first = true;
    for (int i = 0; i < crossword.Words.Count(); ++i) {
        if (!crossword.Words.SlotFilled(i)) continue;
        out << (first ? "" : ", ") << "{\"x\": " << crossword.Words.WordX(i) << ", \"y\": " << crossword.Words.WordY(i)
            << ", \"direction\": " << JsonString(Direction(crossword.Words.WordPath(i)))
            << ", \"word\": " << JsonString(ToUtf8(crossword.Dictionary.ToUpperText(crossword.Words.SlotWord(i))))
            << "}";
        first = false;
    }
    char time[32];
    std::snprintf(time, sizeof time, "%.2f", ms);
    out << "], \"filled\": " << (filled ? "true" : "false") << ", \"error\": " << errCode << ", \"ms\": " << time
        << "}\n";
}

}  // namespace

bool ParseFillOptions(const std::vector<std::string>& args, const TCrossgenDefaults& defaults, TFillOptions& options,
                      std::ostream& err) {
    options.TemplatesFile = defaults.TemplatesFile;
    options.DictionaryFile = defaults.DictionaryFile;
    bool sizeGiven = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        std::string name = args[i];
        std::optional<std::string> inlineValue;
        if (const auto eq = name.find('='); name.starts_with("--") && eq != std::string::npos) {
            inlineValue = name.substr(eq + 1);
            name.erase(eq);
        }
        const auto value = [&]() -> std::optional<std::string> {
            if (inlineValue) return inlineValue;
            if (i + 1 < args.size()) return args[++i];
            err << "crossgen: " << name << " needs a value\n";
            return std::nullopt;
        };
        if (name == "--help" || name == "-h") {
            options.Help = true;
        } else if (name == "--json") {
            options.Json = true;
        } else if (name == "--size") {
            const auto v = value();
            if (!v) return false;
            if (!ParseSize(*v, options.Width, options.Height)) {
                err << "crossgen: --size wants WxH with sides from 1 to 200, not \"" << *v << "\"\n";
                return false;
            }
            sizeGiven = true;
        } else if (name == "--template" || name == "--templates" || name == "--dict") {
            const auto v = value();
            if (!v) return false;
            if (v->empty()) {
                err << "crossgen: " << name << " needs a file name\n";
                return false;
            }
            (name == "--template" ? options.TemplateFile : name == "--templates" ? options.TemplatesFile
                                                                                 : options.DictionaryFile) = *v;
        } else if (name == "--seed") {
            const auto v = value();
            if (!v) return false;
            uint32_t seed = 0;
            if (!ParseNumber(*v, seed)) {
                err << "crossgen: --seed wants a whole number from 0 to 4294967295, not \"" << *v << "\"\n";
                return false;
            }
            options.Seed = seed;
        } else if (name == "--time-limit") {
            const auto v = value();
            if (!v) return false;
            if (!ParseNumber(*v, options.TimeLimit) || options.TimeLimit < 0 || options.TimeLimit > MaxTimeLimit) {
                err << "crossgen: --time-limit wants whole seconds from 0 to " << MaxTimeLimit << ", not \"" << *v
                    << "\"\n";
                return false;
            }
        } else {
            err << "crossgen: unknown option \"" << args[i] << "\" (see crossgen fill --help)\n";
            return false;
        }
    }
    if (options.Help) return true;
    if (sizeGiven == !options.TemplateFile.empty()) {
        err << "crossgen: fill wants either --size WxH or --template FILE (see crossgen fill --help)\n";
        return false;
    }
    return true;
}

int RunFill(const TFillOptions& options, std::ostream& out, std::ostream& err) {
    if (options.Seed)
        RandSeed(*options.Seed);
    else
        Randomize();

    TClassicCrossword crossword;
    crossword.Interactive = 0;
    crossword.Dictionary.ShowProgress = false;
    if (!crossword.LoadDictionary(options.DictionaryFile)) {
        err << "crossgen: cannot load the dictionary " << options.DictionaryFile << "\n";
        return ExitCode::BadInput;
    }
    const bool ready = options.TemplateFile.empty() ? PickFromCollection(options, crossword, err)
                                                    : ReadTemplateFile(options, crossword, err);
    if (!ready) return ExitCode::BadInput;

    crossword.FillParameters.TimeLimit = options.TimeLimit;
    int errCode = 0;
    TFillResult best;
    const auto start = std::chrono::steady_clock::now();
    const bool filled = crossword.Fill(0, 0, crossword.Width, crossword.Height, false, errCode, best);
    const double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();

    if (options.Json) {
        PrintJson(crossword, filled, errCode, ms, out);
    } else {
        PrintText(crossword, out);
        if (!filled) err << "crossgen: the crossword could not be filled (error " << errCode << ")\n";
    }
    return filled ? ExitCode::Filled : ExitCode::NotFilled;
}
