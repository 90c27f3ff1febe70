#pragma once

// TEstonishCrossword (kind 1) and TAmerican (kind 11): crosswords on the wall templates. Their
// slots are the template's straight runs, so the fill works on the grid as for the classic kind.

#include "crossword/Crossword.h"

class TEstonishCrossword : public TCrossword {
public:
    TEstonishCrossword();

    bool KeepsBasePlacement() const override { return true; }
};

// The American crossword prints its clues in strips beside the grid (CluesInGrid on).
class TAmerican : public TCrossword {
public:
    TAmerican();

    bool KeepsBasePlacement() const override { return true; }
    // Always empty: the clues stand in the strips.
    std::string BuildDirectionClues(const TClueListOptions& options) const override { return {}; }
    // Modes 1 and 4 on: the across words by row, each row left to right, then the down words by
    // column, each column top to bottom; the others as the base orders them.
    std::vector<int> OrderedWords(int mode) const override;
    // With CheckFits, only the alternatives that fit a box of 100 x 100 units go to the choice.
    bool PickDefinition(bool applyCase, std::string_view definitions, std::string& text,
                        const TDefinitionChoice& choice) const override;

    // One box of the strips: its cell position, (-k, y) left of row y or (x, -k) above column x
    // (k from 1), and the slot whose clue it shows (-1: an empty box).
    struct TClueBoxPlace {
        int X = 0;
        int Y = 0;
        int Slot = -1;
    };
    // Every box of the strips: row by row, each strip from the grid outward, then column by
    // column; a row's words stand in their left-to-right order, the last next to the grid, and
    // the strip is filled up to the most words of a row (a column) with empty boxes.
    std::vector<TClueBoxPlace> ClueBoxPlaces() const;

    // The grid, then the strips of clue boxes left of the rows and above the columns.
    void ExportCrosswordScript(TComExport& list, int mode) override;
    // The base styles and the clue style.
    void ExportCharStyles(TCommandWriter& writer, int mode) const override;
    // The strips have no place in these puzzles.
    void ExportItalianScript(TComExport& list) override {}
    void ExportMarkedWordsScript(TComExport& list) override {}
    void ExportCellsScript(TComExport& list, const std::vector<TCellBlock>& blocks) override {}
    // The picture grows by the strips, the grid moving right and down by as many cells.
    void DrawToMetafile(TMetafile& metafile, int mode) override;
};
