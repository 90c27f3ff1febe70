#pragma once

// One fill as crossgen's commands describe it on their command lines: where the template comes
// from, the dictionary, the fill's method and time limit, a style file, the definitions, the key
// word and the knight's phrase. fill makes one crossword this way, book many.

#include "CrosswordOptions.h"
#include "FillOptions.h"
#include "KnightPath.h"
#include "Options.h"
#include "TemplateSource.h"

#include <iosfwd>
#include <memory>
#include <string>
#include <vector>

class TCrossword;

// How a fill went.
struct TFillOutcome {
    bool Filled = false;
    bool KeywordPlaced = true;
    int ErrCode = 0;       // the fill's error code (FillError, or a slot without candidates)
    std::string Failure;   // what went wrong, in UTF-8; empty when filled
    double Ms = 0;         // the fill's time
};

struct TFillJob {
    TTemplateSource Source;
    std::string DictionaryFile;
    TFillOptions Fill;
    std::string StyleFile;
    TDefinitionOptions Definitions;
    std::string Keyword;  // UTF-8
    TKnightOptions Knight;

    // Declares the options of all the above; the game's files are the defaults.
    void AddOptions(TOptionParser& parser, const TCrossgenDefaults& defaults);
    // After parsing: the template source and the definitions' refinements; false after a complaint.
    bool Check(const TOptionParser& parser) const;
    // The files the job reads, which no output may overwrite.
    std::vector<std::string> Inputs() const;
    // A crossword of the kind with the dictionary, the template (a size picks one with the random
    // generator) and the style loaded, ready to fill; nullptr after a complaint on err.
    std::unique_ptr<TCrossword> Prepare(std::ostream& err) const;
    // Fills the crossword (or writes the knight's phrase along its path). False after a complaint
    // on err about the phrase.
    bool Run(TCrossword& crossword, const TOptionParser& parser, TFillOutcome& outcome, std::ostream& err) const;
    // After the fill: gives the words definitions and places the key word.
    void Finish(TCrossword& crossword, TFillOutcome& outcome) const;
};

// The help lines of the options above.
std::string FillJobHelp();
