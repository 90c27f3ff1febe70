#pragma once

// TFootBallCrossword: the football (kind 7). The placed words form the match: straight words,
// each starting on the last cell of the one before, a kick-off from beside the centre spot at
// the start of each half and after every goal (a word ending in the first or the last column).
// The clues follow the match, split into the two halves on request.

#include "FootBallShablon.h"

#include "crossword/Crossword.h"

#include <algorithm>

class TFootBallCrossword : public TCrossword {
public:
    TFootBallCrossword();

    // Both halves are played: twice the half length of words stand.
    bool IsComplete() const override;
    // The answers in match order; with SplitDirections the two halves under their headings.
    std::string BuildClueText(const TClueListOptions& options) const override;
    // The clues in match order, halved as the answers are.
    std::string BuildCluePages(const TClueListOptions& options, bool withAnswers) const override;
    // The match rebuilt from the placed words (whatever the mode): after a kick-off slot, the
    // slot starting where the last one ended; at a new half or after a goal the first slot
    // starting beside the centre spot.
    std::vector<int> OrderedWords(int mode) const override;
    // The straight-line rule.
    TWordLengthLimits WordLengthLimits(const TCoord& coord, std::string& text) const override;
    void SlotExtraText(const TCoord& coord, std::string& text) const override;
    void ExtraCells(const TCoord& coord, TCoord& cells) const override;
    // Plays the match until both halves are full.
    bool FillSpecial(int x1, int y1, int x2, int y2, int& errCode, TFillResult& result) override;
    // The base driver with the football's own fill.
    bool Fill(int x1, int y1, int x2, int y2, bool useSpecial, int& errCode, TFillResult& best) override;

    // True when the slot's last cell lies in the first or the last column.
    bool EndsInGoal(int slot) const;

private:
    const TFootBallShablon& Pitch() const { return static_cast<const TFootBallShablon&>(*Template); }
    int HalfLength() const { return std::max<int>(Pitch().HalfLength, 1); }
    // The word of a slot for the lists, or "?" per cell of an empty one.
    std::string Answer(int slot, const TClueListOptions& options) const;
    // The entries of the list in match order, split into halves when asked.
    template <typename Entry>
    std::string MatchList(const TClueListOptions& options, Entry&& entry) const;
};
