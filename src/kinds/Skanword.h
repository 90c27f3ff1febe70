#pragma once

// The scanword crosswords: clues stand in clue cells inside the grid, so CluesInGrid is on.
// TSkanword and TSkanword2 fill the straight runs of their templates as the classic crossword
// does; TSkanword3 fills the bending words of the third scanword template, where a word that
// passes a cell twice must have the same letter at both visits.

#include "crossword/Crossword.h"
#include "template/CoordList.h"

class TSkanwordShablon;

class TSkanword : public TCrossword {
public:
    TSkanword();

    bool KeepsBasePlacement() const override { return true; }

    // --- clues in the grid ---

    // Where a slot's clue stands: its clue cell (-1, -1 when none serves it), the area's size in
    // cells (its block with CanUnite, else 1 x 1), the words the clue cell serves (1 when none)
    // and the slot's place among them (0 the upper half of a two-word cell).
    struct TClueArea {
        int X = -1;
        int Y = -1;
        int Width = 1;
        int Height = 1;
        int WordsInCell = 1;
        int Place = 0;
    };
    TClueArea ClueAreaOfSlot(int slot) const;
    bool ClueAreaOfSlot(int slot, int& width, int& height, int& wordsInCell) const;
    // Mode 0: the clue cells rows outer, columns inner, each cell's words in its map order;
    // words without a slot are left out. The others as the base orders them.
    std::vector<int> OrderedWords(int mode) const override;
    // The entries are numbered by the clue order.
    std::string BuildClueText(const TClueListOptions& options) const override;
    std::string BuildCluePages(const TClueListOptions& options, bool withAnswers) const override;
    // With CheckFits, only the alternatives that fit the slot's clue area at the smallest font
    // allowed (pictures always) go to the choice.
    bool PickDefinition(bool applyCase, std::string_view definitions, std::string& text,
                        const TDefinitionChoice& choice) const override;

    // The grid, then the clue areas of the used area and the pictures of its empty areas.
    void ExportCrosswordScript(TComExport& list, int mode) override;
    // The blocks, then the clue areas meeting each block, cut at its edge.
    void ExportCellsScript(TComExport& list, const std::vector<TCellBlock>& blocks) override;
    void ExportCharStyles(TCommandWriter& writer, int mode) const override;

    // The arrow pictures STRELKA_H_1 .. 7 and STRELKA_V_1 .. 7 go with the crossword's pictures.
    void RegisterPictures() override;
    void ListPictures(std::vector<std::string>& list) const override;
    // The arrows are then drawn from the pictures the collection brought.
    void LoadPictures(std::string_view collectionText) override;

    // The clue map and the blocks of the whole grid, made again only when the template changed.
    struct TClueLayout {
        std::string Key;
        TCoordList Map;
        TCoordList Blocks;
    };
    const TClueLayout& ClueLayout() const;

protected:
    // The template is made here rather than by the factory, so that a crossword never starts
    // without one whether the kinds are registered or not.
    TSkanword(TCrosswordKind kind, std::unique_ptr<TShablon> shablon);

private:
    // The clue items of the clue cells and empty blocks meeting the cells [x0, x1) x [y0, y1),
    // each cell (x, y) placed at the export position of (x + dx, y + dy).
    void ExportClueAreas(TComExport& list, int x0, int y0, int x1, int y1, int dx, int dy);

    mutable TClueLayout mClueLayout;
};

class TSkanword2 : public TSkanword {
public:
    TSkanword2();
};

class TSkanword3 : public TSkanword {
public:
    TSkanword3();

    // The fill places words through PlaceWord, which checks the slots that cross themselves.
    bool KeepsBasePlacement() const override { return false; }
    // The template's bending words, in its list order.
    void RebuildWords() override;
    // TwoLetters when the slot crosses itself and the word has different letters at two visits
    // of one cell; otherwise the base placement.
    int PlaceWord(int slot, std::string_view word, bool checkRelated) override;
};
