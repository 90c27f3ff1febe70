#pragma once

// TCircle: the circular crossword (kind 10) on a circular template. The slots are the
// template's column and diagonal slots; the clue lists split into the counterclockwise (column)
// and the clockwise (diagonal) words.

#include "CircleShablon.h"

#include "crossword/Crossword.h"

class TCircle : public TCrossword {
public:
    TCircle();

    bool KeepsBasePlacement() const override { return true; }
    // The entries numbered by their first cell, in two lists by the words' sense when the
    // headings, the split and the template's parity switch are on.
    std::string BuildClueText(const TClueListOptions& options) const override;
    std::string BuildCluePages(const TClueListOptions& options, bool withAnswers) const override;
    // The kind has no rows or columns to group by: "Отсутствует!".
    std::string BuildDirectionClues(const TClueListOptions& options) const override;
    // The split lists under "Против часовой стрелки:" (column words) and "По часовой стрелке:"
    // (diagonal words).
    std::string JoinDirectionClues(const TClueListOptions& options, std::string_view clockwise,
                                   std::string_view separator, std::string_view counterclockwise) const override;
    // The base copy and, from a circular template, the ring settings and the parity switch.
    void CopyStyles(const TCrossword& other) override;

    TCircleShablon& Circle() const { return static_cast<TCircleShablon&>(*Template); }

private:
    // The options the base lists are built with.
    TClueListOptions ListOptions(const TClueListOptions& options) const;
};
