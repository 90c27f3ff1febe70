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

    // The template's items, then each letter in a square centred on its letter position, its
    // size shrinking ring by ring with AutoDecreaseChars: mode 0 the letter, 1 (and 6) only the
    // given letters and the letters of given words, as the puzzle may show nothing more, 2 the
    // codeword number; 3 and 4 act as 0.
    void ExportCrosswordScript(TComExport& list, int mode) override;
    // No codeword table, sapper texts or labels: the numbers stand in the cells.
    void ExportKeywordScript(TComExport& list) override {}
    void ExportSapperScript(TComExport& list) override {}
    void ExportItalianScript(TComExport& list) override {}
    // The rings cannot be cut into blocks: mode 5 draws nothing.
    void ExportCellsScript(TComExport& list, const std::vector<TCellBlock>& blocks) override;
    void ExportToScript(std::vector<std::string>& lines, int mode) override;
    bool ExportTemplateScript(IAutomation& editor, int mode) override;

    // The picture of a mode as the export draws it, the size of the rings; mode 5 is empty.
    void DrawToMetafile(TMetafile& metafile, int mode) override;
    // The template's view with each letter on its letter position, Zoom / 2 points high (shrinking
    // ring by ring with AutoDecreaseChars), fixed letters green.
    void DrawToBitmap(TFastDrawParameters parameters, TBitmap& bitmap) override;

    // The export mode this kind draws for a mode asked for.
    static int SupportedMode(int mode) { return mode == 3 || mode == 4 ? 0 : mode; }

    TCircleShablon& Circle() const { return static_cast<TCircleShablon&>(*Template); }

private:
    // The options the base lists are built with.
    TClueListOptions ListOptions(const TClueListOptions& options) const;
};
