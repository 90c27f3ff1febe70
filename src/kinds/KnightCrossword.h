#pragma once

// TKnightCrossword: the knight-path puzzle (kind 15). Dictionary words are placed end to end
// along the template's path, or one phrase is written letter by letter along it; the answer
// lines strike the given words through.

#include "KnightShablon.h"
#include "StrikeOut.h"

#include "crossword/Crossword.h"

#include <string>

class TKnightCrossword : public TCrossword, public TStrikeOutOwner {
public:
    TKnightCrossword();

    TKnightShablon& Knight() { return static_cast<TKnightShablon&>(*Template); }
    const TKnightShablon& Knight() const { return static_cast<const TKnightShablon&>(*Template); }

    // The placed words together are as long as the path.
    bool IsComplete() const override;
    // In phrase mode the phrase itself (emphasised with both direction options).
    std::string BuildClueText(const TClueListOptions& options) const override;
    // Mode 1 is the solution with the given words (every word when none is given) struck through,
    // when the lines are shown.
    void ExportCrosswordScript(TComExport& list, int mode) override;
    // No letter table: nothing.
    void ExportItalianScript(TComExport& list) override {}
    void ExportCharStyles(TCommandWriter& writer, int mode) const override;
    // The phrase rides along as the file's extra text, followed by the answer lines' look when
    // they are shown (after a NUL, which no phrase holds).
    std::string SaveText(bool withPictures) override;
    bool LoadText(std::string_view data, bool loadDictionary, bool showMessages) override;
    bool LoadStyles(const std::string& path) override;
    bool WriteStyles(TIniFile& ini) override;
    void CopyStyles(const TCrossword& other) override;
    // The base placing and removal; the first cells of the words then number the path.
    int PutWordAtCoord(const TCoord& coord, std::string_view word, TPutChecks checks, int& slot) override;
    void RemoveWordAtCoord(const TCoord& coord) override;
    // A word starts at a free path cell and runs along the following steps up to the next word,
    // 2 to 25 letters; refused in phrase mode.
    TWordLengthLimits WordLengthLimits(const TCoord& coord, std::string& text) const override;
    // The path cells from the first cell of coord on, 25 at most.
    void SlotExtraText(const TCoord& coord, std::string& text) const override;
    // Places words along the path from its first free step, backing off when stuck.
    bool FillSpecial(int x1, int y1, int x2, int y2, int& errCode, TFillResult& result) override;
    bool Fill(int x1, int y1, int x2, int y2, bool useSpecial, int& errCode, TFillResult& best) override;

    // Clears the fixed letters and writes text along the path, one letter per step.
    void SetPhrase(std::string_view text);

    std::string Phrase;

private:
    // The cells of the path from step first on, count of them at most.
    TCoord PathRun(int first, int count) const;
    // The first step from first on that no word covers; -1 when there is none.
    int FirstFreeStep(int first) const;
    // The mark of every placed word's first cell, then the numbers along the path.
    void MarkWordStarts();
};
