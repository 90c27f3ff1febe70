#include "KnightShablon.h"

#include "platform/Bitmap.h"
#include "platform/Canvas.h"
#include "platform/Metafile.h"
#include "platform/Text.h"
#include "platform/Ui.h"
#include "template/GlobalOption.h"

#include <algorithm>
#include <cmath>
#include <memory>

namespace {

constexpr int Side = TShablon::MaxSide;
// The view's cell square and the look of the step numbers.
constexpr int Unit = 48;
constexpr int ZoomUnscaled = 100;
constexpr int StepFontSize = 16;
constexpr TColor StepColor = RGB(255, 0, 0);

void FormatError() {
    TheUi().Message("Неверный формат шаблона!"_cp);
}

}  // namespace

TKnightFill::TKnightFill() : Mask(Side * Side, 0) {}

int TKnightFill::PathLength() const {
    int count = 0;
    for (int x = 0; x < BoardWidth; ++x)
        for (int y = 0; y < BoardHeight; ++y) count += Mask[x * Side + y] == 0 ? 1 : 0;
    return count;
}

void TKnightFill::ClearMask() {
    for (int x = 0; x < BoardWidth; ++x)
        for (int y = 0; y < BoardHeight; ++y) Mask[x * Side + y] = 0;
}

void TKnightFill::SetMaskCell(int x, int y, uint8_t value) {
    if (x >= 0 && y >= 0 && x < Side && y < Side) Mask[x * Side + y] = value;
}

void TKnightFill::SetBoardWidth(int width) {
    BoardWidth = static_cast<uint8_t>(std::clamp(width, 0, Side));
    ClearMask();
}

void TKnightFill::SetBoardHeight(int height) {
    BoardHeight = static_cast<uint8_t>(std::clamp(height, 0, Side));
    ClearMask();
}

TKnightShablon::TKnightShablon(int width, int height) : TClassicShablon(width, height, TShablonKind::Knight) {
    // The board follows the template from the start, so that the path length counts its cells.
    Fill.SetBoardWidth(Width);
    Fill.SetBoardHeight(Height);
}

void TKnightShablon::SetWidth(int width) {
    const int old = Width;
    TClassicShablon::SetWidth(width);
    Fill.SetBoardWidth(Width);
    // The crossword sets the size again after reading a template: only a change drops the path.
    if (Width != old) HasPath = false;
    RebuildMask();
}

void TKnightShablon::SetHeight(int height) {
    const int old = Height;
    TClassicShablon::SetHeight(height);
    Fill.SetBoardHeight(Height);
    // The crossword sets the size again after reading a template: only a change drops the path.
    if (Height != old) HasPath = false;
    RebuildMask();
}

void TKnightShablon::SetLetterCell(int x, int y, bool on) {
    TClassicShablon::SetLetterCell(x, y, on);
    HasPath = false;
}

int TKnightShablon::PathIndex(int x, int y) const {
    if (!HasPath) return -1;
    for (std::size_t i = 0; i < Fill.Path.size(); ++i)
        if (Fill.Path[i].x == x && Fill.Path[i].y == y) return static_cast<int>(i);
    return -1;
}

bool TKnightShablon::IsValidPath(const std::vector<TCell>& path) const {
    std::vector<uint8_t> seen(Side * Side, 0);
    int letters = 0;
    for (int x = 0; x < Width; ++x)
        for (int y = 0; y < Height; ++y) letters += IsLetterCell(x, y) ? 1 : 0;
    if (static_cast<int>(path.size()) != letters) return false;
    for (const TCell& step : path) {
        if (IsOutside(step.x, step.y) || !IsLetterCell(step.x, step.y) || seen[step.x * Side + step.y]) return false;
        seen[step.x * Side + step.y] = 1;
    }
    return true;
}

void TKnightShablon::RebuildMask() {
    for (int x = 0; x < Width; ++x)
        for (int y = 0; y < Height; ++y) Fill.SetMaskCell(x, y, IsLetterCell(x, y) ? 0 : 1);
}

bool TKnightShablon::ParseTemplate(std::string_view text, int x0, int y0) {
    if (text.size() >= 3 && SmallNumberOf(text[0]) != static_cast<int>(TShablonKind::Knight) &&
        SmallNumberOf(text[0]) != static_cast<int>(TShablonKind::Classic)) {
        TheUi().Message("Несовместимый тип шаблона!"_cp);
        return false;
    }
    // The cells are those of a classic text.
    std::string cells(text);
    if (!cells.empty()) cells[0] = SmallNumberChar(static_cast<int>(TShablonKind::Classic));
    if (!TClassicShablon::ParseTemplate(cells, x0, y0)) return false;
    std::size_t p = 3 + static_cast<std::size_t>(SmallNumberOf(text[1])) * SmallNumberOf(text[2]);
    NumberCells();
    // A text that ends after its cells (a classic one) has neither phrase flag nor path.
    PhraseMode = p < text.size() && text[p] == '1';
    ++p;
    if (p + 2 > text.size()) return true;

    const int steps = Fill.PathLength();
    if (text.size() - p < 2 + 2 * static_cast<std::size_t>(steps)) {
        FormatError();
        return false;
    }
    const int startX = SmallNumberOf(text[p]) + x0, startY = SmallNumberOf(text[p + 1]) + y0;
    p += 2;
    std::vector<TCell> path;
    path.reserve(steps);
    for (int i = 0; i < steps; ++i, p += 2) {
        const int x = SmallNumberOf(text[p]) + x0, y = SmallNumberOf(text[p + 1]) + y0;
        if (x >= Side || y >= Side) {
            FormatError();
            return false;
        }
        path.push_back({static_cast<uint8_t>(x), static_cast<uint8_t>(y)});
    }
    // Steps off the template, off its letter cells or visiting a cell twice would let the
    // numbering, the phrase and the fill reach cells that are not there.
    if (!IsValidPath(path)) {
        FormatError();
        return false;
    }
    Fill.StartX = static_cast<uint8_t>(startX);
    Fill.StartY = static_cast<uint8_t>(startY);
    Fill.Path = std::move(path);
    HasPath = true;
    NumberCells();
    return true;
}

std::string TKnightShablon::SerializeTemplate(int x0, int y0, int x1, int y1) const {
    std::string text = TClassicShablon::SerializeTemplate(x0, y0, x1, y1);
    text += PhraseMode ? '1' : '0';
    const bool inside = std::ranges::all_of(
        Fill.Path, [&](const TCell& step) { return step.x >= x0 && step.x <= x1 && step.y >= y0 && step.y <= y1; });
    if (!HasPath || !inside) return text;
    text += SmallNumberChar(Fill.StartX - x0);
    text += SmallNumberChar(Fill.StartY - y0);
    for (const TCell& step : Fill.Path) {
        text += SmallNumberChar(step.x - x0);
        text += SmallNumberChar(step.y - y0);
    }
    return text;
}

void TKnightShablon::NumberCells() {
    RebuildMask();
    for (int x = 0; x < Width; ++x)
        for (int y = 0; y < Height; ++y) SetNumbered(x, y, false);
    if (!HasPath) return;
    int counter = 1;
    for (const TCell& step : Fill.Path)
        if (HasMarkE(step.x, step.y)) SetNumber(step.x, step.y, counter++);
}

void TKnightShablon::CropToUsed() {
    const bool hadPath = HasPath;
    int minX = 0, minY = 0, endX = 1, endY = 1;
    GetUsedBounds(minX, minY, endX, endY);
    ShiftCells(0, 0, Width - 1, Height - 1, -minX, -minY);
    const bool shiftedPath = HasPath;
    SetSize(endX - minX, endY - minY);
    HasPath = hadPath && shiftedPath && IsValidPath(Fill.Path);
    NumberCells();
}

void TKnightShablon::ShiftCells(int x0, int y0, int x1, int y1, int dx, int dy) {
    const bool hadPath = HasPath;
    TClassicShablon::ShiftCells(x0, y0, x1, y1, dx, dy);
    if (!hadPath) return;
    std::vector<TCell> moved;
    moved.reserve(Fill.Path.size());
    bool onGrid = true;
    for (const TCell& step : Fill.Path) {
        const int x = step.x + dx, y = step.y + dy;
        onGrid = onGrid && x >= 0 && y >= 0 && x < Side && y < Side;
        moved.push_back({static_cast<uint8_t>(x), static_cast<uint8_t>(y)});
    }
    // A step pushed off the template would wrap round in a byte: the path is dropped instead.
    HasPath = onGrid && IsValidPath(moved);
    if (HasPath) {
        Fill.Path = std::move(moved);
        Fill.StartX = static_cast<uint8_t>(Fill.StartX + dx);
        Fill.StartY = static_cast<uint8_t>(Fill.StartY + dy);
    }
    NumberCells();
}

void TKnightShablon::MirrorCells(int x0, int y0, int x1, int y1, TMirrorAxes axes) {
    const bool hadPath = HasPath;
    TClassicShablon::MirrorCells(x0, y0, x1, y1, axes);
    const TMirror m(x0, y0, x1, y1, axes);
    const auto mirrored = [&m](TCell cell) {
        if (!m.Contains(cell.x, cell.y)) return cell;
        return TCell{static_cast<uint8_t>(m.X(cell.x)), static_cast<uint8_t>(m.Y(cell.y))};
    };
    for (TCell& step : Fill.Path) step = mirrored(step);
    const TCell start = mirrored({Fill.StartX, Fill.StartY});
    Fill.StartX = start.x;
    Fill.StartY = start.y;
    HasPath = hadPath && IsValidPath(Fill.Path);
    NumberCells();
}

void TKnightShablon::FastDraw(TFastDrawParameters parameters, TBitmap& bitmap) {
    TClassicShablon::FastDraw(parameters, bitmap);
    if (!parameters.ShowDetails || !HasPath) return;
    int cols = 0, rows = 0;
    PixelsToCells(bitmap.Width(), bitmap.Height(), parameters, cols, rows);
    auto overlay = std::make_shared<TMetafile>(cols * Unit, rows * Unit, bitmap.Metrics());
    TCanvas canvas(*overlay);
    const std::string& font = TGlobalOption::Instance().DefaultFontName;
    canvas.Font.Name = font.empty() ? "Arial" : font;
    canvas.Font.SetSize(StepFontSize);
    canvas.Font.Color = StepColor;
    canvas.Brush.Style = TBrushStyle::Clear;
    canvas.TextAlign = TTextAlign::Top;
    for (std::size_t k = 0; k < Fill.Path.size(); ++k) {
        const TCell step = Fill.Path[k];
        if (IsOutside(step.x, step.y)) continue;
        const int64_t column = int64_t{step.x} - parameters.FirstColumn;
        const int64_t row = int64_t{step.y} - parameters.FirstRow;
        if (column < 0 || row < 0 || column >= cols || row >= rows) continue;
        canvas.TextOut(static_cast<int>(column * Unit + 2), static_cast<int>(row * Unit), std::to_string(k + 1));
    }
    TCanvas target(bitmap);
    if (parameters.Zoom == ZoomUnscaled) {
        target.Draw(0, 0, std::shared_ptr<const TMetafile>(std::move(overlay)));
    } else {
        const int z = static_cast<int>(std::lround(Unit * parameters.Zoom / 100.0));
        target.StretchDraw(TRect{0, 0, cols * z, rows * z}, std::shared_ptr<const TMetafile>(std::move(overlay)));
    }
}
