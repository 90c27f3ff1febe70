#pragma once

// TJaponishShablon: the picture puzzle template (kind 4). It holds no words: every cell keeps a
// colour index in its number field, and the puzzle printed from it shows, beside each row and
// above each column, the lengths of the runs of coloured cells (its tasks).

#include "template/Shablon.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

// One run of a line: its length and colour index.
struct TColorRun {
    int Length = 0;
    int Color = 0;

    bool operator==(const TColorRun&) const = default;
};

class TJaponishShablon : public TShablon {
public:
    static constexpr int PaletteSize = 16;

    TJaponishShablon(int width, int height);

    // A picture cell: its index differs from BackgroundColor.
    bool IsLetterCell(int x, int y) const override;
    // Paints CurrentColor when on, BackgroundColor when off.
    void SetLetterCellOnly(int x, int y, bool on) override;
    void WordsThroughCell(int x, int y, TShablonWords& words) const override { words.Clear(); }
    bool ParseTemplate(std::string_view text, int x0, int y0) override;
    std::string SerializeTemplate(int x0, int y0, int x1, int y1) const override;
    void NumberCells() override {}
    // The used area, the task zone when tasks are shown, and the pen on both sides.
    int GetPixelWidth() const override;
    int GetPixelHeight() const override;
    // A picture has no slots to find defects in: no cell is marked.
    void CheckTemplate() override;
    std::string GetStatistics() const override;
    bool LoadStyle(const std::string& fileName) override;
    bool WriteStyle(TIniFile& ini) override;
    void ExportCell(int x, int y, int x0, int y0, TComExport& list) const override {}
    // The picture cells, the task zones and the guide lines.
    void BuildExport(TComExport& list) override;
    // flag: a picture cell (x2, y2); else a task cell of colour index mode.
    void CanvasDrawColorCell(TCanvas& canvas, int px, int py, int x2, int y2, bool flag, int mode) const override;
    void EditorDrawColorCell(TCommandWriter& writer, int ex, int ey, int x2, int y2, bool flag,
                             int mode) const override;
    void EditorDefineStyles(TCommandWriter& writer) const override;
    void CanvasDrawLine(TCanvas& canvas, int px1, int py1, int px2, int py2, std::string_view style) const override;
    // Each visible cell a square of its shown colour, the selection corner, the axes and the grid.
    void FastDraw(TFastDrawParameters parameters, TBitmap& bitmap) override;

    int ColorAt(int x, int y) const;
    void SetColorAt(int x, int y, int color);
    // The runs of row y (column x), in reading order.
    std::vector<TColorRun> RowRuns(int y) const;
    std::vector<TColorRun> ColumnRuns(int x) const;
    // The largest number of runs in any row (column).
    uint8_t MaxRowRuns() const;
    uint8_t MaxColumnRuns() const;

    uint8_t CurrentColor = 1;
    uint8_t BackgroundColor = 0;
    std::array<TColorValue, PaletteSize> Palette;
    uint8_t ColorCount = 2;
    uint8_t FillBackground = 0;  // background cells that are drawn get a fill
    bool Zadania = false;        // the tasks are produced
    bool ZadaniaPaint = true;    // empty task cells are drawn
    TColorValue ZadaniaColor = RgbColor(0xC0C0C0);
    TColorValue ZadaniaPenColor = RgbColor(0);
    bool QuestionsRezim = false;  // blank mode
    TColorValue QuestionsColor = RgbColor(0xFFFFFF);
    TColorValue QuestionsPenColor = RgbColor(0);
    bool PaintBackground = true;
    bool ShowSetka = true;
    int32_t SetkaStep = 5;
    TColorValue SetkaColor = RgbColor(0);
    float SetkaWidth = 2.0f;  // a multiple of the pen width

private:
    // The runs of count cells, the i-th at cell(i); two-colour puzzles join touching colours.
    template <class TCellOf>
    std::vector<TColorRun> RunsOf(int count, TCellOf cell) const;
    // The palette colour a cell of index color shows.
    TColorValue ShownColor(int color) const;
    // The fill of a task cell of a run of index color (the background index: an empty task cell).
    TColorValue TaskFill(int color) const;
};
