#include "Commands.h"
#include "Options.h"
#include "TemplateSource.h"

#include "platform/Text.h"
#include "template/Shablon.h"

#include <cstdio>
#include <ostream>

namespace {

const char* const CheckHelpHead =
    "usage: crossgen check (--size WxH | --template FILE | --picture FILE) [--kind NAME] [--min N]\n"
    "                      [--max N]\n"
    "\n"
    "Checks a template: prints its statistics (slots by length, letter cells, the share of\n"
    "crossing cells), then one line \"x y 0xMMMM\" for every cell with defect marks, row by row:\n"
    "  0x0001 a letter cell in no slot        0x0002 a slot longer than 25 letters\n"
    "  0x0004 a slot with fewer than 2 crossings\n"
    "  0x0008 a slot whose crossing cells are fewer than 0.4 of its letters\n"
    "  0x0200 a slot shorter than --min       0x0400 a slot longer than --max\n"
    "\n";

const char* const CheckHelpTail =
    "  --min N            the shortest acceptable slot (default 3)\n"
    "  --max N            the longest acceptable slot (default 25)\n"
    "  --help             this text\n"
    "\n"
    "exit codes: 0 no defects, 1 some cells marked, 2 bad arguments or unreadable files\n";

// The report's CR LF line ends as the terminal's.
std::string TerminalLines(std::string_view cp1251Text) {
    std::string text = ToUtf8(cp1251Text);
    std::string lines;
    for (const char c : text)
        if (c != '\r') lines += c;
    return lines;
}

}  // namespace

int CheckCommand(const TCommandArgs& args, std::ostream& out, std::ostream& err, const TCrossgenDefaults& defaults) {
    TOptionParser parser("check", err);
    TTemplateSource source;
    source.AddOptions(parser, defaults);
    int minLength = 3;
    int maxLength = 25;
    parser.Number("--min", minLength, 0, 255);
    parser.Number("--max", maxLength, 0, 255);
    if (!parser.Parse(args)) return ExitCode::BadInput;
    if (parser.Help) {
        out << CheckHelpHead << TemplateSourceHelp() << CheckHelpTail;
        return ExitCode::Filled;
    }
    if (!source.Check(parser)) return ExitCode::BadInput;
    source.SeedRandom();

    const auto shablon = source.LoadTemplate(err);
    if (!shablon) return ExitCode::BadInput;
    shablon->MinWordLength = static_cast<uint8_t>(minLength);
    shablon->MaxWordLength = static_cast<uint8_t>(maxLength);
    shablon->CheckTemplate();

    out << TerminalLines(shablon->GetStatistics());
    bool marked = false;
    for (int y = 0; y < shablon->Height; ++y)
        for (int x = 0; x < shablon->Width; ++x) {
            const uint16_t marks = shablon->MarksAt(x, y);
            if (marks == 0) continue;
            char line[32];
            std::snprintf(line, sizeof line, "%d %d 0x%04X\n", x, y, marks);
            out << line;
            marked = true;
        }
    return marked ? ExitCode::NotFilled : ExitCode::Filled;
}
