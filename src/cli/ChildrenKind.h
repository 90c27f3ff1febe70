#pragma once

// The children's crossword in crossgen: "--across" lays the words along the rows of a --size
// field instead of down its columns. The key-word cells lie across the middle of the field (row
// H div 2, one per column; with the words across, column W div 2, one per row) however the
// template came, no template text storing them; "--keyword WORD" is written there before the fill.

#include "Options.h"

#include <iosfwd>
#include <string>
#include <string_view>

class TCrossword;
class TShablon;

struct TChildrenOptions {
    bool Across = false;

    // Declares --across.
    void AddOptions(TOptionParser& parser);
    // Turns a children's template to words across; false, with why, for another kind with --across.
    bool Apply(TShablon& shablon, std::string& error) const;
};

// For a children's crossword: lays the key-word cells and writes keyword (UTF-8) into them; false
// after a complaint on err when the key word has more letters than the field has key-word cells.
bool PrepareChildrenFill(TCrossword& crossword, const std::string& keyword, std::ostream& err);

// The picture form's value (" orientation=0" or 1) and its setting back.
std::string ChildrenPictureValues(const TShablon& shablon);
bool SetChildrenPictureValue(TShablon& shablon, std::string_view key, std::string_view value);
// The JSON members ", \"keyword\": TEXT, \"keywordCells\": [[x, y], ...]" and, per word,
// ", \"keyword\": [x, y]": the key-word cell the word passes through, null for none.
std::string ChildrenJsonMembers(const TCrossword& crossword);
std::string ChildrenWordJson(const TCrossword& crossword, int slot);

extern const char* const ChildrenOptionsHelp;
