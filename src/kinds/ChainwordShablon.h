#pragma once

// TChainwordShablon (kind 3): one chain of letter cells snaking through the grid. Every chain
// cell holds the direction digit of its step out (attribute D: 2 down, 4 right, 6 left, 8 up) and
// may carry a word-start mark (MarkE); the letter cells, their walls and numbers are derived by
// NumberCells, which walls every chain cell on the sides the chain does not pass through.
// Consecutive words share Overlap letters.
//
// TCrossChainwordShablon (kind 15): a chain that may pass a cell twice. A cell's attribute D is
// four 2-bit fields, one per way of entering it (bits 0-1 moving right, 2-3 left, 4-5 up, 6-7
// down): 1 straight on, 2 turn clockwise, 3 turn counterclockwise, 0 no entry that way. Its words
// start at the chain positions listed in WordStarts and share one cell each.

#include "EstonishShablon.h"

#include "dictionary/SpaceSortedList.h"

#include <string>

class TChainwordShablon : public TEstonishShablon {
public:
    TChainwordShablon(int width, int height, TShablonKind kind = TShablonKind::Chainword);

    int GetWordLayout() const override { return 2; }
    // Only the cell itself: the chain derives the letter cells.
    void SetLetterCell(int x, int y, bool on) override { SetLetterCellOnly(x, y, on); }
    // Walls as given, on the cell only: the chain walls the grid's edges too.
    void SetAttrA(int x, int y, int value) override;
    void SetFlagD(int x, int y, bool on) override;
    // The digit on the cell and the mirrored digit on its mirror images; a value other than 0, 2,
    // 4, 6 and 8 is ignored.
    void SetAttrD(int x, int y, int value) override;
    bool HasMarkE(int x, int y) const override { return HasFlag(x, y, CellFlag::MarkE); }
    void SetMarkE(int x, int y, bool on) override;
    // The words whose paths reach (x, y), found walking the chain backward.
    void WordsThroughCell(int x, int y, TShablonWords& words) const override;
    bool ParseTemplate(std::string_view text, int x0, int y0) override;
    std::string SerializeTemplate(int x0, int y0, int x1, int y1) const override;
    // The text, then the letter cells, walls and numbers its chain gives.
    bool LoadFromText(std::string_view text) override;
    // The chain's cells count as used before NumberCells has made them letter cells.
    void GetUsedBounds(int& minX, int& minY, int& endX, int& endY) const override;
    // Walks the chain from its start: letter cells, walls, 1 on the start and the next numbers
    // on the marked cells met.
    void NumberCells() override;
    // Moves the chain start with the cells.
    void ShiftCells(int x0, int y0, int x1, int y1, int dx, int dy) override;
    // The walls' mirror, the cells' directions turned with them and the chain start moved with
    // its cell: the chain runs through the same cells in the same order.
    void MirrorCells(int x0, int y0, int x1, int y1, TMirrorAxes axes) override;

    // The steps of the word starting at the numbered cell (x, y): to the next word's start and
    // Overlap - 1 cells beyond it, or to the chain's end. Empty for a cell without a number.
    std::string ChainWordPath(int x, int y) const;
    // True when the cell has a wall on the side its digit leaves by (the chain's last cell).
    bool ChainEndsAt(int x, int y) const;
    // Moves (x, y) one step along the chain; false at the chain's end.
    bool NextChainCell(int& x, int& y) const;
    // The step character ("2", "6", "4", "8") of the cell's digit.
    char ChainStepChar(int x, int y) const;
    // Replaces the chain by one from (x, y) taking the moves ("R", "L", "U", "D") in turn, then
    // numbers it. False, the grid without a chain, when a move leaves the grid, turns straight
    // back or enters a cell the chain has passed, or for another character.
    virtual bool LayMoves(int x, int y, std::string_view moves);
    // A chain from (0, 0) along row 0 rightwards, row 1 leftwards and so on through every cell.
    void LaySerpentine();

    uint8_t ChainStartX = 0;
    uint8_t ChainStartY = 0;
    uint8_t Overlap = 1;

protected:
    // The direction value d of a cell turned by a mirror.
    virtual int MirroredDirection(int d, const TMirror& mirror) const;
    // Every cell without direction, mark or number; no chain start in the grid.
    void ClearChain();
    // The text head, the chain start and Overlap, then each cell's direction byte and, with
    // withMarks, its word-start byte.
    std::string ChainText(int x0, int y0, int x1, int y1, bool withMarks) const;
    // Positions 4-6 of a template text, after its length and kind are checked.
    bool ParseHead(std::string_view text, char kind);
};

class TCrossChainwordShablon : public TChainwordShablon {
public:
    TCrossChainwordShablon(int width, int height);

    int GetWordLayout() const override { return 1; }
    // The byte on this cell only.
    void SetAttrD(int x, int y, int value) override;
    // No word-start marks, which the template text could not keep: WordStarts tells where words
    // begin.
    bool HasMarkE(int x, int y) const override { return TShablon::HasMarkE(x, y); }
    void SetMarkE(int x, int y, bool on) override { TShablon::SetMarkE(x, y, on); }
    void CheckTemplate() override;
    // As the chainword's, but a cell may be passed twice from different directions; a chain whose
    // walk would not follow the moves (its start's way out read from another passage, or its end
    // running on into an earlier passage) is refused too.
    bool LayMoves(int x, int y, std::string_view moves) override;
    void WordsThroughCell(int x, int y, TShablonWords& words) const override { words.Clear(); }
    bool ParseTemplate(std::string_view text, int x0, int y0) override;
    std::string SerializeTemplate(int x0, int y0, int x1, int y1) const override;
    // Walls every chain cell but where the chain passes, numbers 1 on the start and 2, 3, ... on
    // the positions of WordStarts in list order.
    void NumberCells() override;

    // The chain's cells in order, a crossing cell once per passage; a closed chain lists its start
    // again at the end. A chain that would repeat a step ends with that step's second passage,
    // loopStart then being the position of its first; else -1.
    void ChainCells(TCoord& list, int& loopStart) const;

    // The text WordStarts keeps for a chain position.
    static std::string PositionText(int position);

    TSpaceSortedList WordStarts;

protected:
    // The ways in and out swap as the mirror swaps the sides; turns change hands across one axis.
    int MirroredDirection(int d, const TMirror& mirror) const override;
};
