#pragma once

// The knight-path kind in crossgen: "--path "X,Y X,Y ..."" makes the grid (the path's cells are
// its letter cells, the path is stored with them), "--phrase TEXT" writes a phrase along the path
// instead of a fill, "--answer-lines" strikes the placed words through in the solution.

#include "Options.h"

#include <iosfwd>
#include <optional>
#include <span>
#include <string>
#include <string_view>

class TCrossword;
class TShablon;

// The columns and rows the path's cells need; false for a malformed path.
bool KnightPathSize(std::string_view cells, int& width, int& height);
// Makes the path's cells the knight template's letter cells and stores the path; false, with why,
// for a malformed path, a cell twice, fewer than two cells or a cell outside the template.
bool SetKnightPath(TShablon& shablon, std::string_view cells, std::string& error);
// The picture form's knight values: " phrase=on|off", and the path as each cell's step number
// from 1, set back once the cells are read (false for steps that make no path of the cells).
std::string KnightPictureValues(const TShablon& shablon);
bool SetKnightPictureValue(TShablon& shablon, std::string_view key, std::string_view value);
std::optional<int> KnightStep(const TShablon& shablon, int x, int y);
bool SetKnightSteps(TShablon& shablon, std::span<const std::optional<int>> steps);
// A knight crossword without a path cannot be filled: false after a complaint on err.
bool CheckKnightPath(const TCrossword& crossword, std::ostream& err);
// The knight's JSON members: ", \"steps\": [[x, y], ...], \"phrase\": TEXT"; empty for other kinds.
std::string KnightJsonMembers(const TCrossword& crossword);

struct TKnightOptions {
    std::string Phrase;
    bool AnswerLines = false;

    void AddOptions(TOptionParser& parser);
    // True when the phrase takes the place of the fill.
    bool WritesPhrase(const TOptionParser& parser) const;
    // Writes the phrase along the path; false after a complaint on err (another kind, or a phrase
    // of more or fewer letters than the path has cells).
    bool ApplyPhrase(TCrossword& crossword, std::ostream& err) const;
    // With --answer-lines: the lines shown (every placed word struck through, the crossword
    // file keeping the look).
    void ApplyAnswerLines(TCrossword& crossword) const;
};

// The usage lines of --path, and of the options above.
extern const char* const KnightPathHelp;
extern const char* const KnightOptionsHelp;
