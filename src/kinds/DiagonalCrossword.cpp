#include "DiagonalCrossword.h"

#include "DiagonalShablon.h"

#include "export/ComExport.h"
#include "platform/Bitmap.h"
#include "platform/Canvas.h"
#include "platform/Metafile.h"
#include "platform/Text.h"
#include "template/GlobalOption.h"
#include "template/TextFitting.h"

#include <algorithm>
#include <limits>
#include <numeric>

namespace {

constexpr int64_t ExportUnits = 1000;
constexpr int ItalianMode = 4;
constexpr int GivenLettersMode = 1;
constexpr int CodewordMode = 2;
// The working view draws a lattice unit as 48 units and a letter 30 high, stretched to the zoom.
constexpr int ViewUnit = 48;
constexpr int ViewLetterHeight = 30;
constexpr TColor FixedLetterColor = RGB(0, 255, 0);
constexpr TColor LetterColor = RGB(0, 0, 0);

int32_t Clamp32(int64_t v) {
    return static_cast<int32_t>(
        std::clamp<int64_t>(v, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max()));
}

}  // namespace

TDiagonalCrossword::TDiagonalCrossword()
    : TCrossword(TCrosswordKind::Diagonal, std::make_unique<TDiagonalShablon>(1, 1)) {}

void TDiagonalCrossword::LayOnLattice(const TShablon& grid) {
    auto& shablon = static_cast<TDiagonalShablon&>(*Template);
    shablon.LayOnLattice(grid);
    SetWidth(shablon.Width);
    SetHeight(shablon.Height);
    shablon.NumberCells();
    PrepareForFill();
}

std::string TDiagonalCrossword::BuildDirectionClues(const TClueListOptions&) const {
    return std::string("Отсутствует!"_cp);
}

std::string TDiagonalCrossword::JoinDirectionClues(const TClueListOptions& options, std::string_view downRight,
                                                   std::string_view separator, std::string_view downLeft) const {
    if (!options.Headings || !options.SplitDirections) return std::string(downRight) + std::string(downLeft);
    const auto heading = [&](std::string_view title) {
        return "~#2" + std::string(title) + " ~#1" + std::string(separator);
    };
    return heading("Слева-вниз-направо:"_cp) + std::string(downRight) + "\r\n" + heading("Справа-вниз-налево:"_cp) +
           std::string(downLeft);
}

void TDiagonalCrossword::ExportCrosswordScript(TComExport& list, int mode) {
    TCrossword::ExportCrosswordScript(list, mode == ItalianMode ? GivenLettersMode : mode);
}

void TDiagonalCrossword::ExportKeywordScript(TComExport& list) {
    const TShablon& t = *Template;
    if (Chars.NoPaint || !t.ExportFits()) return;
    list.AddCaption("Экспорт в формате CDR. Кейворд..."_cp);
    int minX = 0, minY = 0, endX = 1, endY = 1;
    t.GetUsedBounds(minX, minY, endX, endY);
    std::vector<int> order(LetterCounts.Count());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(),
                     [&](int l, int r) { return LetterCounts.LetterNumber(l) < LetterCounts.LetterNumber(r); });
    const bool keyWordTable = t.KeyWordAllowed && t.ShowKeyWordTable && !t.KeyWordCellLook.NoPaint;
    const int firstRow = Height + 1 - minY + (keyWordTable ? 2 : 0);
    const int perLine = std::max(1, Width / 2);
    const int64_t a = int64_t{t.GetCellPixelWidth()} * ExportUnits, b = int64_t{t.GetCellPixelHeight()} * ExportUnits;
    const int64_t inset = int64_t{t.PenWidth} * t.Scale * ExportUnits / 2;
    // The text box of a table cell, laid out as the grid letters are.
    const auto fields = [&](int32_t ex, int32_t ey) {
        TBlockFields f;
        f.Name = "CROSSWORD_CHARS";
        f.Flag = Chars.Center;
        if (Chars.Center) {
            f.X = Clamp32(ex + inset);
            f.Y = Clamp32(ey - inset);
            f.X2 = Clamp32(a - 2 * inset);
            f.Y2 = Clamp32(b - 2 * inset);
        } else {
            const int64_t unit = int64_t{t.Scale} * ExportUnits;
            f.X = ex;
            f.Y = ey;
            f.Param1 = Clamp32(unit * Chars.DX);
            f.Param2 = Clamp32(unit * Chars.DY);
            f.X2 = Clamp32(a - f.Param1);
            f.Y2 = Clamp32(b - f.Param2);
        }
        return f;
    };
    for (int k = 0; k < static_cast<int>(order.size()); ++k) {
        const int i = order[k];
        const int column = 2 * (k % perLine) - minX + (minX % 2);
        const int row = firstRow + 4 * (k / perLine);
        int ex = 0, ey = 0;
        t.CellToExport(column, row, ex, ey);
        const int32_t ly = Clamp32(ey - b);
        list.AddCell(ex, ey, false, CellKind::Letter);
        list.AddCell(ex, ly, false, CellKind::Letter);
        list.AddTextBlock(fields(ex, ey), std::to_string(LetterCounts.LetterNumber(i)));
        if (LetterCounts.Printed(i)) {
            const std::string& letter = LetterCounts.Letter(i);
            list.AddTextBlock(fields(ex, ly), Chars.CapitalLetters ? Dictionary.ToUpperText(letter) : letter);
        }
    }
}

void TDiagonalCrossword::DrawToMetafile(TMetafile& metafile, int mode) {
    TCrossword::DrawToMetafile(metafile, mode == ItalianMode ? GivenLettersMode : mode);
    if (mode != CodewordMode || metafile.Width() <= 0) return;
    const TShablon& t = *Template;
    const int64_t lines = LetterCounts.Count() / std::max(1, Width / 2) + 1;
    const int64_t height = int64_t{t.Scale} * t.GetPixelHeight() + (2 * lines + 1) * t.GetCellPixelHeight();
    if (height <= std::numeric_limits<int>::max()) {
        metafile.SetSize(metafile.Width(), static_cast<int>(height));
    } else {
        metafile.Clear();
        metafile.SetSize(0, 0);
    }
}

void TDiagonalCrossword::DrawToBitmap(TFastDrawParameters parameters, TBitmap& bitmap) {
    const TFastDrawParameters& p = parameters;
    Template->FastDraw(parameters, bitmap);
    const int64_t z = p.CellPixels();
    int columns = 0, rows = 0;
    Template->PixelsToCells(bitmap.Width(), bitmap.Height(), p, columns, rows);

    auto letters = std::make_shared<TMetafile>((columns + 1) * ViewUnit, (rows + 1) * ViewUnit, bitmap.Metrics());
    TCanvas canvas(*letters);
    canvas.Brush.Style = TBrushStyle::Clear;
    const std::string& fontName = TGlobalOption::Instance().DefaultFontName;
    if (!fontName.empty()) canvas.Font.Name = fontName;
    canvas.Font.Charset = Dictionary.CharsetCode();
    // The cells one column (row) before the first show half their diamond, and their letter.
    const int64_t firstX = std::max<int64_t>(0, int64_t{p.FirstColumn} - 1);
    const int64_t firstY = std::max<int64_t>(0, int64_t{p.FirstRow} - 1);
    for (int64_t y = firstY; y < Height && y - p.FirstRow < rows; ++y)
        for (int64_t x = firstX; x < Width && x - p.FirstColumn < columns; ++x) {
            const int cx = static_cast<int>(x), cy = static_cast<int>(y);
            if (!Template->IsLetterCell(cx, cy) || IsCellEmpty(cx, cy)) continue;
            const int left = static_cast<int>((x - p.FirstColumn) * ViewUnit + ViewUnit / 2);
            const int top = static_cast<int>((y - p.FirstRow) * ViewUnit + ViewUnit / 2);
            canvas.Font.Color = IsFixedCell(cx, cy) ? FixedLetterColor : LetterColor;
            DrawFittedText(canvas, Dictionary.ToUpperText(CellText(cx, cy)),
                           TRect{left, top, left + ViewUnit, top + ViewUnit}, ViewLetterHeight, true);
        }
    TCanvas target(bitmap);
    const auto scaled = [&](int n) {
        return static_cast<int>(std::min<int64_t>(n * z, std::numeric_limits<int>::max()));
    };
    target.StretchDraw(TRect{0, 0, scaled(columns + 1), scaled(rows + 1)},
                       std::shared_ptr<const TMetafile>(std::move(letters)));
}
