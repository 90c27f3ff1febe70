#pragma once

// A puzzle laid out on printed pages: the title, the grid in the print look scaled to the page
// (never cut), the list in columns that go on to the next column and the next page, and the
// solution where the setup puts it. Pages are metafiles in page units (PageSetup.h).

#include "PageSetup.h"

#include "platform/Metafile.h"

#include <memory>
#include <string_view>
#include <vector>

class TCrossword;

// The page's sheet and the part of it inside the margins, page units.
struct TPageFrame {
    int Width = 0;
    int Height = 0;
    TRect Content;

    explicit TPageFrame(const TPageSetup& setup);
};

// The pages of the crossword, which takes the print look of the setup. Empty when its pictures
// cannot be drawn (their positions do not fit in 32 bits).
std::vector<TMetafile> PuzzlePages(TCrossword& crossword, const TPageSetup& setup);

// The crossword's solution as one block to place on a page, page units: the heading, the grid
// with its letters at most width x height (its cells at most cellMm millimetres) and, for a
// knight, the phrase. Null when the picture cannot be drawn. The crossword must have taken the
// print look.
std::shared_ptr<TMetafile> SolutionBlock(TCrossword& crossword, const TPageSetup& setup, std::string_view heading,
                                         int width, int height, double cellMm);

// The title line of a page, set centred at the top of the content; answers the room it takes
// (nothing for an empty title).
int DrawTitle(TCanvas& canvas, const TPageSetup& setup, const TPageFrame& frame, std::string_view title);
