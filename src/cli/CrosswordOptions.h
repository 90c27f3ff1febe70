#pragma once

// Options and steps that the crossword commands share: choosing definitions for the placed
// words, reading a crossword file with its dictionary or another one, and a style file.

#include "Options.h"

#include <iosfwd>
#include <memory>
#include <string>

class TCrossword;
class TShablon;

// --definitions [--max-clue-length N] [--prefer-picture-clues] [--min-clue-font PT]
struct TDefinitionOptions {
    bool Pick = false;
    int MaxLength = 0;  // 0: any length
    bool PreferPictures = false;
    int MinFontSize = 6;  // points a definition laid into the grid's clue box must reach

    void AddOptions(TOptionParser& parser);
    // After parsing: the refinements need --definitions; false after a complaint.
    bool Check(const TOptionParser& parser) const;
    // With --definitions, every placed word whose dictionary entry has a definition that
    // qualifies gets one of its alternatives, chosen at random; a kind that prints its clues in
    // the grid takes only those that fit the word's clue box at the smallest font size.
    void Apply(TCrossword& crossword) const;
};

// The help lines of the options above.
extern const char* const DefinitionOptionsHelp;

// How a crossword command reads its crossword file (FILE, "-" the standard input):
// [--dict FILE] [--partial].
struct TCrosswordInput {
    std::string DictionaryFile;  // empty: the dictionary the file names
    bool Partial = false;        // take an incomplete file as it is

    void AddOptions(TOptionParser& parser);
    // A crossword of the kind the file holds, read through that kind's own load (the knight's
    // phrase, the children's key word ...) with the file's dictionary or DictionaryFile, questions
    // off and no progress shown. A file is incomplete when some of its words find no place in
    // its grid (each is named on err) or it was saved from a fill that did not finish; such a
    // file is refused unless Partial. nullptr after a complaint on err; the engine's own messages
    // go to stderr.
    std::unique_ptr<TCrossword> Load(const std::string& path, std::ostream& err) const;
};

// The help lines of the options above.
extern const char* const CrosswordInputHelp;

// True when the loaded crossword holds every word of its file and a finished fill.
bool IsCompleteFile(const TCrossword& crossword);

// Loads the style file into the crossword when one is named; false after a complaint on err.
bool LoadStyleFile(TCrossword& crossword, const std::string& styleFile, std::ostream& err);
// False, after naming each on err, when the style file just loaded gave values outside what their
// fields take (the engine held them to their ranges).
bool StyleValuesInRange(const TShablon& shablon, const std::string& styleFile, std::ostream& err);
