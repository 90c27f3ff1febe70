#pragma once

// What the commands that publish a crossword share: the texts a puzzle carries ("--title",
// "--author", "--copyright", "--notes") and the writing of an ipuz file, which names the kind
// when ipuz has no place for it.

#include "Options.h"

#include "publish/IpuzCrossword.h"

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
