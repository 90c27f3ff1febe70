#pragma once

// Setting a page's list in columns: the entries broken into lines for a column's width, each
// number right-aligned in a narrow column of its own with its clue hanging beside it, and the
// entries flowed down one column after another, an entry never parted and a heading never left
// at a column's foot. Units are page units; texts cp1251.

#include "ClueList.h"

#include "platform/Canvas.h"

#include <functional>
#include <string>
#include <vector>

// The type of a list: its face, the letter height of its text and the pitch of its lines.
struct TListType {
    std::string Face;
    int Size = 90;
    int Leading = 112;

    // The font of the list's text, bold or not.
    TFont Font(bool bold) const;
};

// A piece of a line: its text, bold or not, at its offset from the column's left side.
struct TSetRun {
    int X = 0;
    bool Bold = false;
    std::string Text;
};

struct TSetBlock {
    std::vector<std::vector<TSetRun>> Lines;
    int SpaceBefore = 0;        // page units above the block in a column that has lines already
    bool KeepWithNext = false;  // a heading: never the last block of a column
};

// The entries set for a column width units wide.
std::vector<TSetBlock> SetEntries(const std::vector<TListEntry>& entries, const TListType& type, int width,
                                  const TTextMetrics& metrics);

// Where one column of a page lies.
struct TColumnFrame {
    int Page = 0;
    int Left = 0;
    int Top = 0;
    int Bottom = 0;
};

// Where a block landed: the index of its frame and the top of its first line.
struct TPlacedBlock {
    int Frame = 0;
    int Top = 0;
};

// Flows the blocks into the frames in order; frameAt(i) gives the i-th frame, frames receives the
// frames used. A block that does not fit an empty frame goes on to the next frame when that one is
// taller, else it is placed there all the same and runs over the frame's foot.
std::vector<TPlacedBlock> FlowBlocks(const std::vector<TSetBlock>& blocks, int leading,
                                     const std::function<TColumnFrame(int)>& frameAt,
                                     std::vector<TColumnFrame>& frames);

// Draws the block's lines with their first line's top at y, the column's left side at x.
void DrawBlock(TCanvas& canvas, const TSetBlock& block, const TListType& type, int x, int y);
