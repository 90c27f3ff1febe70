#pragma once

// The options of the commands that print a crossword in one of its export modes (the script of
// the vector editor, the picture): the mode, the files, the random seed, and what the modes
// show (given letters and words, hint markers, the codeword table, blocks, labels).

#include "CrosswordOptions.h"
#include "Options.h"

#include <iosfwd>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class TCrossword;

// [--mode 0-6] [--style FILE] [--dict FILE] [--partial] [--seed N] [--given-letters L] [--given-words W1,W2]
// [--hint-markers N] [--reveal LETTERS|all] [--shuffle-numbers] [--blocks WxH]
// [--row-labels A] [--column-labels A]
struct TExportModeOptions {
    int Mode = 0;
    std::string StyleFile;
    TCrosswordInput Input;
    std::optional<uint32_t> Seed;
    std::string GivenLetters;  // UTF-8
    std::string GivenWords;    // UTF-8, separated by commas
    int HintMarkers = 0;
    std::string Reveal;        // UTF-8 letters, or "all"
    bool ShuffleNumbers = false;
    int BlockWidth = 0;        // 0: the template's
    int BlockHeight = 0;
    int RowLabels = 0;
    int ColumnLabels = 0;

    void AddOptions(TOptionParser& parser);
    // Reads the crossword file (TCrosswordInput) and the style file, seeds the random generator
    // and applies the options the parser was given; nullptr after a complaint.
    std::unique_ptr<TCrossword> Load(const std::string& file, const TOptionParser& parser, std::ostream& err) const;
    // Applies the given options to a loaded crossword; the codeword table is numbered first
    // when --reveal names the letters it prints.
    void Apply(TCrossword& crossword, const TOptionParser& parser) const;
};

// The help lines of the options above but --dict and --partial (CrosswordInputHelp).
extern const char* const ExportModeOptionsHelp;
