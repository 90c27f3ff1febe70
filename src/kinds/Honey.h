#pragma once

// The honeycomb crosswords: one ring word per numbered centre of a honeycomb template, the clues
// standing in the centres. TBaseHoney is the common parent, never made by the factory; THoney
// (kind 8) takes the hexagon template, THoney_8 (kind 9) the square one.

#include "HoneyShablon.h"

#include "crossword/Crossword.h"

namespace PutCode {
constexpr int RingEnds = 8;  // a ring of centre, ring, centre needs a word ending in its first letter
}  // namespace PutCode

class TBaseHoney : public TCrossword {
public:
    bool KeepsBasePlacement() const override { return true; }
    // Rows outer, columns inner: one slot per numbered centre, its ring word.
    void RebuildWords() override;
    // In the centre, ring, centre mode a word whose first and last letters differ is refused.
    int TryPutWord(int slot, std::string_view word, TPutChecks checks) override;
    // In the centre, ring, centre mode the words of ring length whose ends differ are held back
    // from the fill and given back on every way out.
    bool Fill(int x1, int y1, int x2, int y2, bool useSpecial, int& errCode, TFillResult& best) override;
    // The number of the slot's centre.
    int ClueNumber(int slot) const override;
    // Rings have no rows or columns to group by.
    std::string BuildDirectionClues(const TClueListOptions& options) const override { return {}; }
    // The centres hold letters in every ring mode but the first.
    void PrepareForFill() override;
    // A ring puzzle has no Italian or sapper form.
    void ExportItalianScript(TComExport& list) override {}
    void ExportSapperScript(TComExport& list) override {}
    // The kind's fast view with the letters of every cell a word passes through, each in the box
    // that CellBox gives.
    void DrawToBitmap(TFastDrawParameters parameters, TBitmap& bitmap) override;
    // The base styles and, from a honeycomb, its start stroke.
    void CopyStyles(const TCrossword& other) override;

    // --- clues in the centres ---

    // The grid, then every numbered centre's clue in the box between its cell's vertical sides,
    // and the empty-cell picture on the blanks.
    void ExportCrosswordScript(TComExport& list, int mode) override;
    void ExportCharStyles(TCommandWriter& writer, int mode) const override;
    // With CheckFits, only the alternatives that fit the centre's box (pictures always).
    bool PickDefinition(bool applyCase, std::string_view definitions, std::string& text,
                        const TDefinitionChoice& choice) const override;

    TBaseHoneyShablon& Honey() const { return static_cast<TBaseHoneyShablon&>(*Template); }
    // The numbered centres, rows outer, columns inner: slot i belongs to the i-th.
    std::vector<std::pair<int, int>> Centres() const;
    // True when the first and last cells of the word hold the same letter.
    bool RingWordCloses(std::string_view word) const;

protected:
    TBaseHoney(TCrosswordKind kind, std::unique_ptr<TBaseHoneyShablon> shablon);

    // The box of (x, y) in the working view, whose Zoom is the cell's side in pixels.
    virtual TRect CellBox(int x, int y, const TFastDrawParameters& parameters) const = 0;
};

class THoney : public TBaseHoney {
public:
    THoney();

    // The base fill, and while it runs out of words, a free centre turned to a random start and
    // the fill run again; on failure the template that came furthest is put back.
    bool FillDefault(int x1, int y1, int x2, int y2, int& errCode, TFillResult& result) override;
    // The same turning around the propagating fill: its proof that no fill exists holds only
    // for the rings as they stand.
    bool FillPropagate(int x1, int y1, int x2, int y2, int& errCode, TFillResult& result) override;
    // The base picture; the codeword table of mode 2 stands in hexagon rows, which the picture's
    // height follows.
    void DrawToMetafile(TMetafile& metafile, int mode) override;

protected:
    // The rectangle between the hexagon's two vertical sides.
    TRect CellBox(int x, int y, const TFastDrawParameters& parameters) const override;

private:
    // Where SetStartDirection repeats a centre's turn with symmetry on.
    std::vector<std::pair<int, int>> MirrorImages(int x, int y) const;
    // Gives every empty slot whose centre's ring changed its new ring.
    void UpdateRings();
    // FillDefault's turning of rings around a base method.
    template <typename BaseFill>
    bool FillTurningRings(int x1, int y1, int x2, int y2, int& errCode, TFillResult& result, BaseFill&& baseFill);
};

class THoney_8 : public TBaseHoney {
public:
    THoney_8();

protected:
    TRect CellBox(int x, int y, const TFastDrawParameters& parameters) const override;
};
