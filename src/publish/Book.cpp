#include "Book.h"

#include "PuzzlePage.h"

#include "platform/Text.h"

#include <algorithm>
#include <string>

namespace {

constexpr double SolutionColumnMm = 80;  // the width a solution wants, which sets how many share a row
constexpr double GutterMm = 8;
constexpr double SolutionCellMm = 6;

// The solutions' slot width on the setup's paper, and how many stand in a row.
int SolutionColumns(const TPageSetup& setup) {
    const TPageFrame frame(setup);
    const int gutter = PageUnitsOfMm(GutterMm);
    return std::max(1, (frame.Content.Width() + gutter) / (PageUnitsOfMm(SolutionColumnMm) + gutter));
}

int SolutionWidth(const TPageSetup& setup) {
    const TPageFrame frame(setup);
    const int columns = SolutionColumns(setup);
    return (frame.Content.Width() - (columns - 1) * PageUnitsOfMm(GutterMm)) / columns;
}

}  // namespace

std::vector<TMetafile> BookPuzzlePages(TCrossword& crossword, const TPageSetup& setup, int k) {
    TPageSetup puzzle = setup;
    puzzle.Solution = TSolutionPlace::None;
    puzzle.Title = (setup.Title.empty() ? std::string("Кроссворд"_cp) : setup.Title) + std::string(" № "_cp) +
                   std::to_string(k + 1);
    return PuzzlePages(crossword, puzzle);
}

std::shared_ptr<TMetafile> BookSolution(TCrossword& crossword, const TPageSetup& setup, int k) {
    const int width = SolutionWidth(setup);
    return SolutionBlock(crossword, setup, std::string("№ "_cp) + std::to_string(k + 1), width,
                         std::min(width, TPageFrame(setup).Content.Height() / 2), SolutionCellMm);
}

std::vector<TMetafile> BookSolutionPages(std::span<const std::shared_ptr<TMetafile>> solutions,
                                         const TPageSetup& setup) {
    const TPageFrame frame(setup);
    const TRect& c = frame.Content;
    const int gutter = PageUnitsOfMm(GutterMm), columns = SolutionColumns(setup), width = SolutionWidth(setup);
    std::vector<TMetafile> pages;
    int y = c.Bottom, rowHeight = 0, column = columns;
    for (const std::shared_ptr<TMetafile>& solution : solutions) {
        if (column == columns) {
            y += rowHeight + gutter;
            rowHeight = 0;
            column = 0;
        }
        if (column == 0 && y + solution->Height() > c.Bottom) {
            pages.emplace_back(frame.Width, frame.Height, CairoTextMetrics());
            TCanvas canvas(pages.back());
            y = c.Top + DrawTitle(canvas, setup, frame, "Ответы"_cp);
        }
        TCanvas canvas(pages.back());
        canvas.Draw(c.Left + column * (width + gutter), y, solution);
        rowHeight = std::max(rowHeight, solution->Height());
        ++column;
    }
    return pages;
}
