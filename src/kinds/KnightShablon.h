#pragma once

// TKnightShablon: the knight-path template (kind 16). Its letter cells are visited in one stored
// order, the path, which comes with the template text; words (or one phrase) run along it.

#include "template/ClassicShablon.h"
#include "template/Coord.h"

#include <cstdint>
#include <string>
#include <vector>

// The path store of a knight template: which cells lie on the path and the path itself.
class TKnightFill {
public:
    TKnightFill();

    // The number of steps: the cells of the board that are on the path.
    int PathLength() const;
    void ClearMask();
    void SetMaskCell(int x, int y, uint8_t value);
    void SetBoardWidth(int width);
    void SetBoardHeight(int height);

    // 0: a letter cell on the path; 1: any other. [x * 200 + y].
    std::vector<uint8_t> Mask;
    uint8_t BoardWidth = 8;
    uint8_t BoardHeight = 8;
    uint8_t StartX = 0;
    uint8_t StartY = 0;
    std::vector<TCell> Path;
};

class TKnightShablon : public TClassicShablon {
public:
    TKnightShablon(int width, int height);

    void SetWidth(int width) override;
    void SetHeight(int height) override;
    int GetWordLayout() const override { return 1; }
    void SetLetterCell(int x, int y, bool on) override;
    // The flag of the first cell of every word placed on the path.
    bool HasMarkE(int x, int y) const override { return HasFlag(x, y, CellFlag::MarkE); }
    void SetMarkE(int x, int y, bool on) override { SetFlag(x, y, CellFlag::MarkE, on); }
    // The base view, then with the details the step numbers of the path.
    void FastDraw(TFastDrawParameters parameters, TBitmap& bitmap) override;
    // None: the words lie where the crossword put them.
    void WordsThroughCell(int x, int y, TShablonWords& words) const override { words.Clear(); }
    // The classic text ("0" accepted) followed by the phrase flag and, when there is one, the
    // start cell and the path steps, relative to the rectangle.
    bool ParseTemplate(std::string_view text, int x0, int y0) override;
    std::string SerializeTemplate(int x0, int y0, int x1, int y1) const override;
    // Rebuilds the mask; the word starts on the path take their numbers in path order.
    void NumberCells() override;
    // Keeps the path: cropping moves the cells and the steps together.
    void CropToUsed() override;
    // Moves the path with the cells; a shift that takes a step off the letter cells drops it.
    void ShiftCells(int x0, int y0, int x1, int y1, int dx, int dy) override;
    // Mirrors the path's steps with the cells; a mirror that leaves a step off the letter cells
    // drops it.
    void MirrorCells(int x0, int y0, int x1, int y1, TMirrorAxes axes) override;

    // The step index of (x, y), or -1 off the path (and without one).
    int PathIndex(int x, int y) const;
    int PathLength() const { return HasPath ? static_cast<int>(Fill.Path.size()) : 0; }

    TKnightFill Fill;
    bool HasPath = false;
    bool PhraseMode = false;

private:
    // True when the steps visit every letter cell of the template once and nothing else.
    bool IsValidPath(const std::vector<TCell>& path) const;
    // Mask := not a letter cell, for every cell of the template.
    void RebuildMask();
};
