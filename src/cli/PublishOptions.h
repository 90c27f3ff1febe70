#pragma once

// What the commands that publish a crossword share: the texts a puzzle carries ("--title",
// "--author", "--copyright", "--notes") and the writing of an ipuz file, which names the kind
// when ipuz has no place for it.

#include "Options.h"

#include "publish/IpuzCrossword.h"

#include <functional>
#include <iosfwd>
#include <string>

class TCrossword;

struct TPublishOptions {
    TIpuzInfo Info;  // UTF-8, as typed

    void AddOptions(TOptionParser& parser);
    // True when one of them was given.
    bool Given(const TOptionParser& parser) const;
};

// The help lines of the options above.
extern const char* const PublishOptionsHelp;

// Writes the ipuz file of the crossword to path ("-": out). False after a complaint on err: a
// kind that ipuz cannot hold, or a file that cannot be written.
bool WriteIpuzFile(const TCrossword& crossword, const TIpuzInfo& info, const std::string& path, std::ostream& out,
                   std::ostream& err);

// What a publishing command makes of the loaded crossword: the file at path ("-": out); false
// after a complaint on err.
using TPublishWriter = std::function<bool(TCrossword& crossword, const TIpuzInfo& info, const std::string& path,
                                          std::ostream& out, std::ostream& err)>;

// The whole of a command "NAME FILE [--out FILE] [--title ...] [--dict FILE] [--partial]
// [--seed N]": its options read (helpHead and helpTail, with --seed, --help and the exit codes,
// frame the help), the output checked, the crossword file loaded (TCrosswordInput), the random
// generator seeded, then write. An exit code.
int RunPublishCommand(const std::string& name, const std::vector<std::string>& args, std::ostream& out,
                      std::ostream& err, const char* helpHead, const char* helpTail, const TPublishWriter& write);
