#pragma once

// The fill as crossgen's commands run it: the method and the time limit every fill keeps
// ("--method", "--time-limit"), the check that a template has slots at all, and what a
// crossword maker is told when a fill fails.

#include "Options.h"

#include <iosfwd>
#include <string>

class TCrossword;
class TFillResult;

struct TFillOptions {
    // Seconds a fill runs at most unless told otherwise, and the most it may be told.
    static constexpr int DefaultTimeLimit = 60;
    static constexpr int MaxTimeLimit = 86400;

    static constexpr int KindsDefault = -1;  // the method that settles the crossword's kind best

    int Method = KindsDefault;  // index into the method names: backtrack, restart, propagate, random
    int TimeLimit = DefaultTimeLimit;
    int TargetWords = 0;  // the word field stops at this many words instead of covering the field; 0: off

    // Declares --method, --time-limit and --target.
    void AddOptions(TOptionParser& parser);
    // Sets the crossword's fill method (the kind's own when none was asked for) and time limit.
    void Apply(TCrossword& crossword) const;
    // The method a fill of the crossword runs: "backtrack", "restart", "propagate" or "random".
    const char* MethodName(const TCrossword& crossword) const;
};

// The usage lines of the options above, for the commands' help texts.
extern const char* const FillOptionsHelp;

// False, after a complaint on err, when the template's letter cells form no slot, or when a
// crossword that lays its words on free paths (and has no slots before the fill) has no letter
// cell at all.
bool HasSlots(const TCrossword& crossword, std::ostream& err);

// After a failed fill: the grid goes back to the best partial fill, and the answer is what went
// wrong, in UTF-8 ("слот 4,7 вниз, 30 букв: нет слов такой длины" for a slot that no word fits
// before the search starts).
std::string ShowFailure(TCrossword& crossword, int errCode, const TFillResult& best);
