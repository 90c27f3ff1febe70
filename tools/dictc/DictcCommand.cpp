#include "DictcCommand.h"

#include "WordListCompiler.h"

namespace {

const char* const Help =
    "usage: dictc [--strict] WORDS.txt OUT.wdi\n"
    "\n"
    "Compiles a word list into a \".wdi\" dictionary for the game and crossgen.\n"
    "\n"
    "WORDS.txt is UTF-8 text (a byte-order mark is allowed), one word a line:\n"
    "  WORD[<tab>DEFINITIONS[<tab>CATEGORY]]\n"
    "  WORD          2 to 25 Russian letters; capitals become small letters and \"ё\" becomes \"е\"\n"
    "  DEFINITIONS   the word's clues, alternatives separated by \"; \"\n"
    "  CATEGORY      0 ordinary (the default), 1 reserve (taken only when nothing else fits),\n"
    "                2 never offered\n"
    "Empty lines and lines starting with \"#\" are skipped. For example:\n"
    "  # animals\n"
    "  кот<tab>домашний зверь; мурлыка\n"
    "  ёж<tab>колючий зверь<tab>1\n"
    "  ад\n"
    "\n"
    "A line the compiler cannot take (Latin letters, spaces, hyphens, digits, more than 25\n"
    "letters, a bad category) is skipped with a warning naming its line number; a word given\n"
    "again is merged into the first, keeping every definition.\n"
    "\n"
    "  --strict   refuse the whole list instead when a line would be skipped or merged\n"
    "  --help     this text\n"
    "\n"
    "exit codes: 0 dictionary written, 1 the output could not be written, 2 bad arguments,\n"
    "nothing usable read or the list refused\n";

}  // namespace

int RunDictc(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    std::vector<std::string> files;
    ListReading reading = ListReading::Forgiving;
    for (const std::string& arg : args) {
        if (arg == "--help") {
            out << Help;
            return DictcExit::Written;
        }
        if (arg == "--strict")
            reading = ListReading::Strict;
        else
            files.push_back(arg);
    }
    if (files.size() != 2 || files[0].starts_with("--") || files[1].starts_with("--")) {
        err << "usage: dictc [--strict] WORDS.txt OUT.wdi (dictc --help tells more)\n";
        return DictcExit::BadInput;
    }
    switch (CompileWordList(files[0], files[1], reading)) {
        case CompileResult::Written: return DictcExit::Written;
        case CompileResult::NotWritten: return DictcExit::NotWritten;
        case CompileResult::NothingUsable: break;
    }
    return DictcExit::BadInput;
}
