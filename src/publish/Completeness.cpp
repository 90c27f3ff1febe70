#include "Completeness.h"

#include "ClueList.h"

#include "crossword/Crossword.h"

namespace {

std::string Counted(int n, const char* one, const char* many) {
    return std::to_string(n) + " " + (n == 1 ? one : many);
}

// The kinds whose page shows the words themselves (to find, or as the phrase) instead of clues.
bool PrintsClues(const TCrossword& crossword) {
    return crossword.Kind != TCrosswordKind::FillWord && crossword.Kind != TCrosswordKind::English &&
           ListedSolution(crossword).empty();
}

}  // namespace

std::string TMissingParts::Describe() const {
    std::string text;
    if (EmptyCells > 0) text = Counted(EmptyCells, "empty cell", "empty cells");
    if (WordsWithoutClue > 0)
        text += (text.empty() ? "" : ", ") + Counted(WordsWithoutClue, "word without a clue", "words without a clue");
    return text;
}

TMissingParts MissingParts(const TCrossword& crossword) {
    TMissingParts missing;
    const TShablon& t = *crossword.Template;
    // A knight's phrase stands in its cells as it was given, its blanks too.
    if (!crossword.Chars.FillEmpty && ListedSolution(crossword).empty())
        for (int x = 0; x < crossword.Width; ++x)
            for (int y = 0; y < crossword.Height; ++y)
                if (t.IsLetterCell(x, y) && crossword.IsCellEmpty(x, y)) ++missing.EmptyCells;
    if (PrintsClues(crossword))
        for (int i = 0; i < crossword.Words.Count(); ++i)
            if (!crossword.Words.SlotFilled(i) || !crossword.Words.SlotHasDefinition(i)) ++missing.WordsWithoutClue;
    return missing;
}
