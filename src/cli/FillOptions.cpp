#include "FillOptions.h"

#include "crossword/Crossword.h"
#include "kinds/EnglishCrossword.h"
#include "dictionary/Mask.h"
#include "platform/Text.h"

#include <ostream>

namespace {

// The methods by their names on the command line.
// "random" names the random restarts too: the crossing chainword's random fill.
constexpr const char* MethodNames[] = {"backtrack", "restart", "propagate", "random"};
// backtrack is the fill's default method: the backtracking search, with a kind's own additions
// around it (the hexagon honeycomb turns stuck rings).
constexpr TFillMethod Methods[] = {TFillMethod::Default, TFillMethod::RandomRestart, TFillMethod::Propagate,
                                   TFillMethod::RandomRestart};
constexpr int PropagateMethod = 2;
constexpr int RandomMethod = 3;

// The method that settles a kind best when none is asked for: the crossing chainword's depth-first
// fill gets lost in its long chain where its random fill with take-backs finds a chain at once;
// every other kind gets the propagating fill, which also proves a grid impossible (the football
// plays its own match whatever the method).
int DefaultMethodOf(TCrosswordKind kind) {
    switch (kind) {
        case TCrosswordKind::CrossChainword:
            return RandomMethod;
        default:
            return PropagateMethod;
    }
}

// The index of the method a fill of the crossword runs.
int MethodFor(int asked, const TCrossword& crossword) {
    return asked == TFillOptions::KindsDefault ? DefaultMethodOf(crossword.Kind) : asked;
}

// "буква" in the form a count asks for.
std::string_view Letters(int n) {
    if (n % 10 == 1 && n % 100 != 11) return "буква"_cp;
    if (n % 10 >= 2 && n % 10 <= 4 && (n % 100 < 12 || n % 100 > 14)) return "буквы"_cp;
    return "букв"_cp;
}

std::string Heading(std::string_view path) {
    if (path.find_first_not_of('6') == std::string_view::npos) return std::string("вправо"_cp);
    if (path.find_first_not_of('2') == std::string_view::npos) return std::string("вниз"_cp);
    return std::string("по шагам "_cp) + std::string(path);
}

// Why no word fits the slot: there is none of its length left, or none with its letters.
std::string SlotWithoutWords(const TCrossword& crossword, int slot) {
    const TCrosswordWords& words = crossword.Words;
    const int length = words.WordLength(slot);
    const std::string text = Format("слот %d,%d "_cp, words.WordX(slot), words.WordY(slot)) +
                             Heading(words.WordPath(slot)) + ", " + std::to_string(length) + " " +
                             std::string(Letters(length)) + ": ";
    const TMask pattern(crossword.Dictionary.CellFormat(), crossword.SlotPattern(slot));
    TMask open(pattern.Mode(), std::string());
    open.Resize(pattern.CellCount());
    if (!crossword.Dictionary.HasCandidate(open)) return text + std::string("нет слов такой длины"_cp);
    std::string letters;
    for (int i = 0; i < pattern.CellCount(); ++i)
        letters += pattern.IsUnknown(i) ? std::string(".") : crossword.Dictionary.ToUpperText(pattern.CellText(i));
    return text + std::string("нет слов с буквами "_cp) + letters;
}

}  // namespace

const char* const FillOptionsHelp =
    "  --method M         the fill method: propagate (candidates kept consistent across\n"
    "                     crossings; proves a grid impossible), backtrack (the game's), restart\n"
    "                     or random (the same; the crossing chainword's random fill); by default\n"
    "                     random for the crossing chainword, propagate for every other kind\n"
    "  --time-limit S     give up after S whole seconds (default 60, at most 86400)\n"
    "  --target N         word field: stop once N words stand instead of covering the field\n";

void TFillOptions::AddOptions(TOptionParser& parser) {
    Method = KindsDefault;
    parser.Choice("--method", Method, {std::begin(MethodNames), std::end(MethodNames)});
    parser.Number("--time-limit", TimeLimit, 1, MaxTimeLimit);
    parser.Number("--target", TargetWords, 1, UINT16_MAX);
}

void TFillOptions::Apply(TCrossword& crossword) const {
    crossword.FillParameters.FillMethod = Methods[MethodFor(Method, crossword)];
    crossword.FillParameters.TimeLimit = TimeLimit;
    if (auto* field = dynamic_cast<TEnglishCrossword*>(&crossword); field && TargetWords > 0) {
        field->FillWhole = 0;
        field->TargetWords = static_cast<uint16_t>(TargetWords);
    }
}

const char* TFillOptions::MethodName(const TCrossword& crossword) const {
    return MethodNames[MethodFor(Method, crossword)];
}

bool HasSlots(const TCrossword& crossword, std::ostream& err) {
    if (crossword.Unformatted) {
        const TShablon& t = *crossword.Template;
        for (int x = 0; x < t.Width; ++x)
            for (int y = 0; y < t.Height; ++y)
                if (t.IsLetterCell(x, y)) return true;
        err << "crossgen: the template has no letter cell for a word to lie on\n";
        return false;
    }
    if (crossword.Words.Count() > 0) return true;
    err << (crossword.Template->UsesArrows
                ? "crossgen: the template has no slot: no arrow starts a word of two letter cells or more\n"
                : "crossgen: the template has no slot: no two letter cells stand side by side\n");
    return false;
}

std::string ShowFailure(TCrossword& crossword, int errCode, const TFillResult& best) {
    if (best.Count() > crossword.FilledCount()) crossword.RestoreState(best);
    if (errCode >= 0 && errCode < crossword.Words.Count()) return ToUtf8(SlotWithoutWords(crossword, errCode));
    if (errCode == FillError::Exhausted) return "no fill exists: the search tried every word";
    if (errCode == FillError::TimeLimit) return "the time limit ran out";
    if (errCode == FillError::PlaceFailed) return "the kind's fill could not place the word it chose";
    return "the fill was stopped";
}
