#pragma once

// TChainword (kind 3): words follow one another along the chainword's chain, each sharing its
// last Overlap letters with the next. Formatted, the slots are the template's; unformatted, the
// fill chooses where words start and marks those cells in the template.
//
// TCrossChainword (kind 14): the chain may cross itself; words lie on consecutive chain
// positions, each ending on the cell where the next begins. The chain is taken from the template
// when one is loaded; the positions where words start number the template's cells.

#include "ChainwordShablon.h"

#include "crossword/Crossword.h"

class TChainword : public TCrossword {
public:
    TChainword();

    // Unformatted: the words reach from the chain start to its last cell, each starting on the
    // Overlap-th cell from the end of the one before.
    bool IsComplete() const override;
    void RebuildWords() override;
    // Unformatted, a placed word marks its first cell as a word start; the chain is renumbered.
    int PutWordAtCoord(const TCoord& coord, std::string_view word, TPutChecks checks, int& slot) override;
    void RemoveWordAtCoord(const TCoord& coord) override;
    TWordLengthLimits WordLengthLimits(const TCoord& coord, std::string& text) const override;
    // The chain's steps from coord's first cell, ending Overlap cells into the next marked word
    // start, at the chain's end or after 25 cells.
    void SlotExtraText(const TCoord& coord, std::string& text) const override;
    // Lays words along the chain from its start, going back over the positions when stuck.
    bool FillSpecial(int x1, int y1, int x2, int y2, int& errCode, TFillResult& result) override;
    // The base driver, with the chainword's own fill when unformatted.
    bool Fill(int x1, int y1, int x2, int y2, bool useSpecial, int& errCode, TFillResult& best) override;

private:
    const TChainwordShablon& Shape() const { return static_cast<const TChainwordShablon&>(*Template); }
    TChainwordShablon& Shape() { return static_cast<TChainwordShablon&>(*Template); }
    // The slot whose first cell is (x, y), or -1.
    int SlotStartingAt(int x, int y) const;
};

class TCrossChainword : public TCrossword {
public:
    // A word ending where a placed word begins that does not continue the chain from there.
    static constexpr int BreaksChain = 7;

    TCrossChainword();

    // The words cover the chain from its first position to its last.
    bool IsComplete() const override;
    bool LoadText(std::string_view data, bool loadDictionary, bool showMessages) override;
    bool LoadTemplateFile(const std::string& path) override;
    // Takes the chain from the template before words are pasted onto it.
    void PrepareForFill() override;
    // Refuses with 6 a word with two letters for one cell, with 7 one that ends where a word
    // leaves the chain, with 3 one ending in a letter no word may begin with; a placed word's
    // position joins WordStarts.
    int PutWordAtCoord(const TCoord& coord, std::string_view word, TPutChecks checks, int& slot) override;
    void RemoveWordAtCoord(const TCoord& coord) override;
    TWordLengthLimits WordLengthLimits(const TCoord& coord, std::string& text) const override;
    // The free run from the position of coord's first two cells: to the next placed word, the
    // chain's end or 25 cells.
    void SlotExtraText(const TCoord& coord, std::string& text) const override;
    // The cells that follow coord's first cell on the chain, but for those a word through it
    // already goes on to.
    void ExtraCells(const TCoord& coord, TCoord& cells) const override;
    // Random words with random take-backs (fill method 1).
    bool FillRandomRestart(int x1, int y1, int x2, int y2, int& errCode, TFillResult& result) override;
    // Depth-first over the open chain positions.
    bool FillSpecial(int x1, int y1, int x2, int y2, int& errCode, TFillResult& result) override;
    // The base driver: fill method 1 runs FillRandomRestart, every other one FillSpecial.
    bool Fill(int x1, int y1, int x2, int y2, bool useSpecial, int& errCode, TFillResult& best) override;

    // The first chain position whose cell and the next are cells[0] and cells[1]; -1 for none.
    int ChainPositionOf(const TCoord& cells) const;
    // The first slot starting at (x0, y0) with its first step towards (x1, y1); -1 for none.
    int WordAtChainStep(int x0, int y0, int x1, int y1) const;
    // The first position from p on where no word starts, skipping over the words; -1 when the
    // chain is full from there.
    int NextOpenPosition(int p) const;
    // WordStarts from the slots, and the template renumbered.
    void RebuildWordStarts();

    TCoord Chain{MaxSide, MaxSide};

private:
    TCrossChainwordShablon& Shape() { return static_cast<TCrossChainwordShablon&>(*Template); }
    const TCrossChainwordShablon& Shape() const { return static_cast<const TCrossChainwordShablon&>(*Template); }
    // The chain from the template.
    void TakeChain();
    // The run of two chain cells from position p.
    TCoord StepAt(int p) const;
    // The word's cells on the chain from position p.
    TCoord CellsFrom(int p, int count) const;
    int WordAtPosition(int p) const;
};
