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

// A new crossword of the kind the crossword file at path holds, questions off and no progress
// shown; classic when the file holds no readable header, which the load then reports. nullptr
// after a complaint on err.
std::unique_ptr<TCrossword> CrosswordOfFile(const std::string& path, std::ostream& err);

// Reads the crossword file at path with the dictionary it names, or with dictionaryFile when that
// is not empty. False after a complaint on err; the engine's own messages go to stderr.
bool LoadCrosswordFile(TCrossword& crossword, const std::string& path, const std::string& dictionaryFile,
                       std::ostream& err);

// Loads the style file into the crossword when one is named; false after a complaint on err.
bool LoadStyleFile(TCrossword& crossword, const std::string& styleFile, std::ostream& err);
// False, after naming each on err, when the style file just loaded gave values outside what their
// fields take (the engine held them to their ranges).
bool StyleValuesInRange(const TShablon& shablon, const std::string& styleFile, std::ostream& err);
