#include "PrintLook.h"

#include "crossword/Crossword.h"
#include "export/ComExport.h"
#include "kinds/HoneyShablon.h"
#include "kinds/StrikeOut.h"
#include "platform/Canvas.h"
#include "template/ShablonDrawing.h"
#include "template/UsedArea.h"

#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

namespace {

constexpr int PenWidth = 2;            // cell lines, 2 % of a cell side: a fine printed rule
constexpr float WallScale = 2.0f;      // a wall reaches two pen widths into each of its cells
constexpr int MarkGap = 2;             // between a number and a cell side, a wall or the letters
constexpr int NumberBandPercent = 26;  // the most of a cell's height the clue numbers take
constexpr int LetterPercent = 90;      // the letters' height in the room below the numbers
constexpr int ArrowWidth = 3;          // line arrows, in their box of 100
// Clue texts keep this far (before Scale) off their cell's frame: the format's own margin.
constexpr uint8_t ClueMarginType = 1;
constexpr int32_t ClueMargin = 5;
constexpr double UnitsPerPoint = 3.58; // drawing units of a point of font size, before Scale
constexpr int ExportUnits = 1000;      // per drawing unit
constexpr TColorValue Black = RgbColor(0);
constexpr TColorValue White = RgbColor(0xFFFFFF);
// Clue cells take a tint light enough to keep their small print crisp; key-word cells a shade
// darker so that they stand out among the letter cells.
constexpr int ClueCellTint = 8;
constexpr int KeyWordTint = 16;
// Answer lines cross the letters: grey keeps both readable.
constexpr int StrikeOutTint = 50;
constexpr std::string_view LetterStyle = "CROSSWORD_CHARS";

TColorValue Grey(int percentBlack) {
    const int v = 255 - 255 * std::clamp(percentBlack, 0, 100) / 100;
    return RgbColor(RGB(v, v, v));
}

// The kinds whose cells are the squares of the template's grid, drawn by the base drawing: the
// look paints their blocks and sets their letters below the numbers. The other kinds place their
// cells, numbers and letters by their own geometry and take the look's colours and faces only.
bool HasSquareCells(TCrosswordKind kind) {
    switch (kind) {
        case TCrosswordKind::Classic:
        case TCrosswordKind::Estonish:
        case TCrosswordKind::Chainword:
        case TCrosswordKind::CrossChainword:
        case TCrosswordKind::Kinder:
        case TCrosswordKind::Knight:
        case TCrosswordKind::FillWord:
        case TCrosswordKind::English:
        case TCrosswordKind::FootBall: return true;
        default: return false;
    }
}

// Where the clue numbers end and the letters begin in a cell, drawing units from its top; the
// letters keep inset from the other sides.
struct TLetterBand {
    int Top = 0;
    int Inset = 0;
};

// The numbers the template prints: clue numbers and, when key-word cells are painted, theirs.
struct TPrintedNumbers {
    std::vector<int> Clue;
    std::vector<int> KeyWord;
    bool ShareCells = false;  // a key-word number stands in a cell with a clue number
};

TPrintedNumbers PrintedNumbers(const TShablon& t) {
    TPrintedNumbers numbers;
    for (int x = 0; x < t.Width; ++x)
        for (int y = 0; y < t.Height; ++y) {
            const int clue = t.IsNumbered(x, y) ? t.GetNumber(x, y) : 0;
            if (clue > 0) numbers.Clue.push_back(clue);
            const int keyWord = t.KeyWordCellLook.NoPaint ? -1 : t.KeyWordNumberAt(x, y);
            if (keyWord < 0) continue;
            numbers.KeyWord.push_back(keyWord);
            numbers.ShareCells = numbers.ShareCells || clue > 0;
        }
    return numbers;
}

// The largest size in points, at most the band's height, at which every number fits the width
// (drawing units); 1 when none does.
uint8_t NumberPoints(const TShablon& t, const std::string& face, const std::vector<int>& numbers, int width,
                     int maxHeight) {
    const TTextMetrics& metrics = CairoTextMetrics();
    TFont font;
    font.Name = face;
    int points = std::max(1, static_cast<int>(maxHeight / (UnitsPerPoint * t.Scale)));
    for (; points > 1; --points) {
        font.Height = RoundEven(points * UnitsPerPoint * t.Scale);
        const bool fits = std::all_of(numbers.begin(), numbers.end(), [&](int n) {
            return metrics.TextWidth(font, std::to_string(n)) <= width;
        });
        if (fits && font.Height <= maxHeight) break;
    }
    return static_cast<uint8_t>(std::min(points, 255));
}

void SetNumberLook(TDigitGraphics& look, const TPrintLook& print, uint8_t points, int inset, uint8_t alignX) {
    look.FontColor = Black;
    look.FontName = print.FontName;
    look.FontSize = points;
    look.FontStyle = 0;
    look.DX = inset;
    look.DY = inset;
    look.AlignX = alignX;
    look.AlignY = 0;
}

// The template's part of the look. Answers the letter band of its cells.
TLetterBand ApplyTemplateLook(TShablon& t, const TPrintLook& print, bool cluesInGrid) {
    t.PenWidth = PenWidth;
    t.WallScale = WallScale;
    t.WallColor = Black;
    t.WideOutline.Color = Black;

    TKletkaGraphics& letter = t.LetterCellLook;
    letter.NoPaint = false;
    letter.NoFill = false;
    letter.BrushColor = White;
    letter.PenColor = Black;

    // Blocks are the other cells of the crossword kinds; in the kinds with clues in the grid the
    // other cells hold the clues.
    TKletkaGraphics& other = t.BlankCellLook;
    other.NoPaint = false;
    other.NoFill = false;
    other.PenColor = Black;
    other.BrushColor = cluesInGrid ? Grey(ClueCellTint) : Grey(print.BlockShade);
    other.ShowOutside = false;

    TKletkaGraphics& keyWord = t.KeyWordCellLook;
    keyWord.NoPaint = keyWord.NoPaint && t.KeyWordCells.empty();
    keyWord.NoFill = false;
    keyWord.BrushColor = Grey(KeyWordTint);
    keyWord.PenColor = Black;

    TStrelkaGraphics arrows = t.ArrowLook;
    arrows.Show = true;
    arrows.Color = Black;
    arrows.Width = ArrowWidth;
    arrows.FileName.clear();
    t.SetArrowLook(arrows);

    // Numbers keep off the cell's sides and walls; a number and a key-word number sharing a cell
    // take half of its width each.
    const int scale = t.Scale;
    const int wallReach = t.UsesWalls ? RoundEven(PenWidth * WallScale) : 0;
    const int inset = std::max(PenWidth / 2, wallReach) + MarkGap;
    const int cell = t.GetCellPixelWidth();
    const TPrintedNumbers numbers = PrintedNumbers(t);
    const int room = cell - 2 * inset * scale;
    const int width = numbers.ShareCells ? (room - MarkGap * scale) / 2 : room;
    const int maxHeight = t.GetCellPixelHeight() * NumberBandPercent / 100;
    std::vector<int> all = numbers.Clue;
    all.insert(all.end(), numbers.KeyWord.begin(), numbers.KeyWord.end());
    const uint8_t points = NumberPoints(t, print.FontName, all, width, maxHeight);
    SetNumberLook(t.DigitLook, print, points, inset, 0);
    SetNumberLook(t.KeyWordDigitLook, print, points, inset, 1);
    return {scale * (inset + MarkGap) + RoundEven(points * UnitsPerPoint * scale), scale * inset};
}

// The cell an item lies in, from its top-left corner: the template's cell and the top of the cell
// where the export placed it. False for a corner outside the grid's cells.
bool ItemCell(const TShablon& t, const TComExport& list, int i, int& x, int& y, int32_t& top) {
    const int64_t cellWidth = int64_t{t.GetCellPixelWidth()} * ExportUnits;
    const int64_t cellHeight = int64_t{t.GetCellPixelHeight()} * ExportUnits;
    if (cellWidth <= 0 || cellHeight <= 0 || list.X(i) < 0 || list.Y(i) > 0) return false;
    const int movedX = static_cast<int>(list.X(i) / cellWidth), movedY = static_cast<int>(-int64_t{list.Y(i)} / cellHeight);
    int dx = 0, dy = 0, left = 0;
    t.ExportMove(dx, dy);
    t.CellToExport(movedX, movedY, left, top);
    x = movedX - dx;
    y = movedY - dy;
    return !t.IsOutside(x, y);
}

// Sets the letters of the letter cells below the numbers.
void LowerLetters(const TShablon& t, TComExport& list, const TLetterBand& band) {
    const int64_t cellHeight = int64_t{t.GetCellPixelHeight()} * ExportUnits;
    for (int i = 0; i < list.Count(); ++i) {
        int x = 0, y = 0;
        int32_t top = 0;
        if (list.Kind(i) != static_cast<int>(TExportKind::TextBlock) || list.Name(i) != LetterStyle ||
            !ItemCell(t, list, i, x, y, top) || !t.IsLetterCell(x, y))
            continue;
        list.SetY(i, static_cast<int32_t>(top - int64_t{band.Top} * ExportUnits));
        list.SetY2(i, static_cast<int32_t>(cellHeight - int64_t{band.Top + band.Inset} * ExportUnits));
    }
}

bool TouchesLetterCell(const TShablon& t, int x, int y) {
    for (int dx = -1; dx <= 1; ++dx)
        for (int dy = -1; dy <= 1; ++dy)
            if ((dx != 0 || dy != 0) && !t.IsOutside(x + dx, y + dy) && t.IsLetterCell(x + dx, y + dy)) return true;
    return false;
}

// Paints the blocks the template's export leaves out: every other cell that touches a letter
// cell, side or corner (the export draws only the enclosed ones).
void PaintBlocks(const TShablon& t, TComExport& list) {
    const TUsedArea area = UsedArea(t);
    int dx = 0, dy = 0;
    t.ExportMove(dx, dy);
    for (int x = area.MinX; x < area.EndX; ++x)
        for (int y = area.MinY; y < area.EndY; ++y) {
            if (t.IsLetterCell(x, y) || t.IsClueCell(x, y) || t.IsInnerBlank(x, y) || !TouchesLetterCell(t, x, y))
                continue;
            const auto [mx, my] = t.MovedCell(x, y, dx, dy);
            int ex = 0, ey = 0;
            t.CellToExport(mx, my, ex, ey);
            list.AddCell(ex, ey, false, CellKind::Other);
        }
}

}  // namespace

void ApplyPrintLook(TShablon& shablon, const TPrintLook& look) {
    shablon.NumberCells();
    ApplyTemplateLook(shablon, look, false);
}

void ApplyPrintLook(TCrossword& crossword, const TPrintLook& look) {
    TShablon& t = *crossword.Template;
    t.NumberCells();
    const bool square = HasSquareCells(crossword.Kind);
    const TLetterBand band = ApplyTemplateLook(t, look, crossword.CluesInGrid != 0);

    TCrosswordChars& chars = crossword.Chars;
    chars.NoPaint = false;
    chars.FontName = look.FontName;
    chars.FontColor = Black;
    chars.Bold = false;
    chars.Italic = false;
    chars.Center = true;
    const bool numbered = square && t.UsesDigits;
    if (square) {
        const int room = t.GetCellPixelHeight() - (numbered ? band.Top : band.Inset) - band.Inset;
        chars.FontSize = static_cast<uint8_t>(std::clamp(
            static_cast<int>(room * LetterPercent / 100 / (UnitsPerPoint * t.Scale)), 1, 255));
    }

    crossword.OprText.NoPaint = false;
    crossword.OprFormat.FontName = look.FontName;
    crossword.OprFormat.FontColor = Black;
    crossword.OprFormat.SpaceType = ClueMarginType;
    crossword.OprFormat.SpaceSize = ClueMargin;
    crossword.SapperFormat.FontName = look.FontName;
    crossword.SapperFormat.FontColor = Black;
    crossword.Output.MarkerColor = Grey(look.BlockShade >= 50 ? 25 : 75);
    if (auto* owner = dynamic_cast<TStrikeOutOwner*>(&crossword)) owner->StrikeOut.Color = Grey(StrikeOutTint);
    if (auto* honey = dynamic_cast<TBaseHoneyShablon*>(&t)) honey->HoneyStroke.Colour = Black;

    if (!square) {
        crossword.ExportPass = nullptr;
        return;
    }
    crossword.ExportPass = [band, numbered](const TCrossword& c, TComExport& list) {
        PaintBlocks(*c.Template, list);
        if (numbered) LowerLetters(*c.Template, list, band);
    };
}
