// The crossword's pictures: the printable picture of an export mode, replayed from the same item
// list as the vector-editor export, and the working view with the letters on the fast view.

#include "Crossword.h"

#include "dictionary/Mask.h"
#include "export/ComExport.h"
#include "platform/Bitmap.h"
#include "platform/Canvas.h"
#include "platform/Metafile.h"
#include "template/CoordList.h"
#include "template/GlobalOption.h"
#include "template/ShablonDrawing.h"
#include "template/TextFitting.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <memory>

namespace {

constexpr double UnitsPerPoint = 3.58;
constexpr int ExportUnits = 1000;  // per drawing unit
// The largest letter height a format record holds (its size is a byte).
constexpr int MaxFormatHeight = 255;
// The working view draws the letters in squares of 48 units, 30 high, stretched to the zoom.
constexpr int ViewUnit = 48;
constexpr int ViewLetterHeight = 30;
constexpr int ViewUnscaledZoom = 100;
constexpr TColor FixedLetterColor = RGB(0, 255, 0);
constexpr TColor LetterColor = RGB(0, 0, 0);

bool FitsInt(int64_t v) {
    return v >= std::numeric_limits<int>::min() && v <= std::numeric_limits<int>::max();
}

int ClampToInt(int64_t v) {
    return static_cast<int>(std::clamp<int64_t>(v, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

int32_t WrappedSum(int32_t a, int64_t b) {
    return static_cast<int32_t>(static_cast<uint32_t>(a) + static_cast<uint32_t>(b));
}

// Style names are ASCII; other bytes stay as they are.
std::string UpperAscii(std::string_view text) {
    std::string upper(text);
    for (char& c : upper)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return upper;
}

// Drawing units of an export-unit size.
int ExportToUnits(int32_t size) {
    return RoundEven(static_cast<double>(size) / ExportUnits);
}

// The box of a text or picture item: its corner and its width and height in export units.
TRect ItemBox(const TComExport& list, int i, int px, int py) {
    return TRect{px, py, ClampToInt(int64_t{px} + ExportToUnits(list.X2(i))),
                 ClampToInt(int64_t{py} + ExportToUnits(list.Y2(i)))};
}

TDrawnFormat OwnFormat(const TComExport& list, int i) {
    const TFormatParameters& format = list.Format(i);
    return {format, RoundEven(format.FontSize * UnitsPerPoint)};
}

TFramePiece FramePieceOf(const TComExport& list, int i) {
    return {list.Rect(i), list.X2(i), list.Y2(i), ExportToUnits(list.Param3(i)), ExportToUnits(list.Param4(i)),
            list.Flag(i)};
}

// DrawTextBlock at a letter height of any size: a height the format's byte cannot hold is drawn
// that many times smaller on a piece that is then stretched back into the box.
void DrawBlock(TCanvas& canvas, std::string_view text, const TRect& box, const TDrawnFormat& drawn, bool centred,
               bool wrap) {
    double fontSize = 0;
    if (drawn.Height <= MaxFormatHeight) {
        TFormatParameters format = drawn.Format;
        format.FontSize = static_cast<uint8_t>(std::max(drawn.Height, 1));
        DrawTextBlock(canvas, text, box, format, centred, wrap, fontSize);
        return;
    }
    if (box.Width() <= 0 || box.Height() <= 0) return;
    const int shrink = (drawn.Height + MaxFormatHeight - 1) / MaxFormatHeight;
    const int width = (box.Width() + shrink - 1) / shrink, height = (box.Height() + shrink - 1) / shrink;
    auto piece = std::make_shared<TMetafile>(width, height, canvas.Metrics());
    TCanvas pieceCanvas(*piece);
    TFormatParameters format = drawn.Format;
    format.FontSize = static_cast<uint8_t>(std::clamp(drawn.Height / shrink, 1, MaxFormatHeight));
    DrawTextBlock(pieceCanvas, text, TRect{0, 0, width, height}, format, centred, wrap, fontSize);
    canvas.StretchDraw(TRect{box.Left, box.Top, ClampToInt(int64_t{box.Left} + int64_t{width} * shrink),
                             ClampToInt(int64_t{box.Top} + int64_t{height} * shrink)},
                       std::shared_ptr<const TMetafile>(std::move(piece)));
}

// Mode 4 moves the whole picture one cell right and one cell down to make room for the labels.
// ShiftItems moves the items placed in export units; the rest move here as well, so that no text,
// frame or mark stays a cell away from its cell: the kinds ShiftItems leaves alone by the same
// amount, those placed in drawing units by one cell of drawing units, and an outline, which is
// placed in cells, by one cell.
void ShiftOneCell(TComExport& list, int cellWidth, int cellHeight) {
    const int64_t dx = int64_t{cellWidth} * ExportUnits, dy = -int64_t{cellHeight} * ExportUnits;
    list.ShiftItems(static_cast<int32_t>(dx), static_cast<int32_t>(dy));
    for (int i = 0; i < list.Count(); ++i) {
        switch (static_cast<TExportKind>(list.Kind(i))) {
            case TExportKind::ShapedCell:
            case TExportKind::KeyWordNumberShaped:
            case TExportKind::StyledTextBlock:
            case TExportKind::CellPart:
            case TExportKind::FramedPicture:
            case TExportKind::FramedText:
            case TExportKind::TurnMarks:
                list.SetX(i, WrappedSum(list.X(i), dx));
                list.SetY(i, WrappedSum(list.Y(i), dy));
                break;
            case TExportKind::CanvasCell:
            case TExportKind::CanvasNumber:
            case TExportKind::CanvasKeyWordNumber:
                list.SetX(i, WrappedSum(list.X(i), cellWidth));
                list.SetY(i, WrappedSum(list.Y(i), cellHeight));
                break;
            case TExportKind::Outline:
                list.SetX(i, WrappedSum(list.X(i), 1 - dx));
                list.SetY(i, WrappedSum(list.Y(i), 1 - dy));
                break;
            default: break;
        }
    }
}

}  // namespace

// ---- the printable picture ----

void TCrossword::DrawToMetafile(TMetafile& metafile, int mode) {
    TShablon& shablon = *Template;
    shablon.BeginDrawing();
    metafile.Clear();
    metafile.SetSize(0, 0);
    if (!shablon.ExportFits()) return;
    const int64_t cellWidth = shablon.GetCellPixelWidth(), cellHeight = shablon.GetCellPixelHeight();
    int64_t width = int64_t{shablon.Scale} * shablon.GetPixelWidth();
    int64_t height = int64_t{shablon.Scale} * shablon.GetPixelHeight();
    if (shablon.UsesArrows) shablon.LoadArrowPictures();

    TComExport list;
    BuildModeExport(list, mode);
    switch (mode) {
        case 2: {
            const int64_t lines = LetterCounts.Count() / std::max<int>(Width, 1) + 1;
            height += (2 * lines + 1) * cellHeight;
            break;
        }
        case 4:
            ShiftOneCell(list, static_cast<int>(cellWidth), static_cast<int>(cellHeight));
            width += cellWidth;
            height += cellHeight;
            break;
        case 5: {
            // A block side of 0 would divide by zero; such a block is one cell.
            const int bx = std::max<int>(shablon.WordBlockWidth, 1), by = std::max<int>(shablon.WordBlockHeight, 1);
            const int padX = Width % bx != 0 ? bx - Width % bx : 0;
            const int padY = Height % by != 0 ? by - Height % by : 0;
            width += cellWidth * ((Width - 1) / bx + padX);
            height += cellHeight * ((Height - 1) / by + padY);
            break;
        }
        default: break;
    }
    if (!FitsInt(width) || !FitsInt(height)) return;
    metafile.SetSize(static_cast<int>(width), static_cast<int>(height));
    DrawItemsToMetafile(list, metafile);
}

void TCrossword::DrawItemsToMetafile(const TComExport& list, TMetafile& metafile) {
    const TShablon& shablon = *Template;
    TCanvas canvas(metafile);
    for (int i = 0; i < list.Count(); ++i) {
        int px = 0, py = 0;
        shablon.ExportToCanvas(list.X(i), list.Y(i), px, py, false);
        switch (static_cast<TExportKind>(list.Kind(i))) {
            case TExportKind::Polyline:
                shablon.CanvasDrawPolyline(canvas, list.Text(i), list.Name(i), list.Colour(i),
                                           ClampToInt(int64_t{list.X2(i)} * shablon.Scale));
                break;
            case TExportKind::TextBlock:
                DrawBlock(canvas, list.Text(i), ItemBox(list, i, px, py), StyleFormat(list.Name(i)), list.Flag(i), true);
                break;
            case TExportKind::StyledTextBlock:
            case TExportKind::FormattedText:
                DrawBlock(canvas, list.Text(i), ItemBox(list, i, px, py), OwnFormat(list, i), list.Flag(i), false);
                break;
            case TExportKind::Picture:
                TShablon::DrawPictureFitted(canvas, shablon.NamedPicture(std::string(list.Text(i))),
                                            ItemBox(list, i, px, py), list.Flag(i));
                break;
            case TExportKind::FramedPicture:
                DrawFramedPicture(canvas, std::string(list.Text(i)), FramePieceOf(list, i), px, py);
                break;
            case TExportKind::FramedText:
                DrawFramedText(canvas, list.Text(i), FramePieceOf(list, i), false, OwnFormat(list, i), px, py);
                break;
            case TExportKind::Marker: DrawMarker(canvas, px, py); break;
            default: shablon.CanvasDrawItem(canvas, list, i); break;
        }
    }
}

TDrawnFormat TCrossword::StyleFormat(std::string_view styleName) const {
    const std::string name = UpperAscii(styleName);
    const int scale = Template->Scale;
    TDrawnFormat drawn;
    const auto take = [&](const std::string& fontName, uint8_t points, TColorValue color, bool bold, bool italic) {
        drawn.Format.FontName = fontName;
        drawn.Format.FontColor = color;
        drawn.Format.Bold = bold;
        drawn.Format.Italic = italic;
        drawn.Format.CharSet = static_cast<uint8_t>(std::clamp(Dictionary.Language, 0, 255));
        drawn.Height = RoundEven(points * UnitsPerPoint * scale);
    };
    if (name == "CROSSWORD_CHARS") {
        take(Chars.FontName, Chars.FontSize, Chars.FontColor, Chars.Bold, Chars.Italic);
    } else if (name == "OPR_TEXT") {
        take(OprFormat.FontName, OprFormat.FontSize, OprFormat.FontColor, OprFormat.Bold, OprFormat.Italic);
    } else if (name == "SAPPER_CHARS") {
        drawn.Format = DefaultSapperFormat();
        take(SapperFormat.FontName, SapperFormat.FontSize, SapperFormat.FontColor, SapperFormat.Bold,
             SapperFormat.Italic);
    } else {
        drawn.Height = drawn.Format.FontSize;
    }
    drawn.Format.FontSize = static_cast<uint8_t>(std::clamp(drawn.Height, 1, MaxFormatHeight));
    return drawn;
}

// ---- boxes spanning several cells ----

namespace {

// Draws into a piece of the cells of frame.Piece, clipped to them, the content of the whole box
// placed so that the piece shows its part, then puts the piece at (px, py).
template <typename TDrawContent>
void DrawPieceOfBox(TCanvas& canvas, const TShablon& shablon, const TFramePiece& frame, int px, int py,
                    TDrawContent drawContent) {
    const TItemRect& part = frame.Piece;
    if (part.Right < part.Left || part.Bottom < part.Top) return;
    const int64_t cw = shablon.GetCellPixelWidth(), ch = shablon.GetCellPixelHeight();
    const int64_t width = cw * (int64_t{part.Right} - part.Left + 1);
    const int64_t height = ch * (int64_t{part.Bottom} - part.Top + 1);
    const int64_t left = frame.MarginX - cw * part.Left, top = frame.MarginY - ch * part.Top;
    const int64_t right = cw * frame.Columns - frame.MarginX - cw * part.Left;
    const int64_t bottom = ch * frame.Rows - frame.MarginY - ch * part.Top;
    for (const int64_t v : {width, height, left, top, right, bottom})
        if (!FitsInt(v)) return;
    auto piece = std::make_shared<TMetafile>(static_cast<int>(width), static_cast<int>(height), canvas.Metrics());
    TCanvas pieceCanvas(*piece);
    pieceCanvas.SetClipRect({0, 0, static_cast<int>(width), static_cast<int>(height)});
    drawContent(pieceCanvas, TRect{static_cast<int>(left), static_cast<int>(top), static_cast<int>(right),
                                   static_cast<int>(bottom)});
    canvas.Draw(px, py, std::shared_ptr<const TMetafile>(std::move(piece)));
}

}  // namespace

void TCrossword::DrawFramedPicture(TCanvas& canvas, const std::string& name, const TFramePiece& frame, int px,
                                   int py) const {
    DrawPieceOfBox(canvas, *Template, frame, px, py, [&](TCanvas& piece, const TRect& inner) {
        TShablon::DrawPictureFitted(piece, Template->NamedPicture(name), inner, frame.Centred);
    });
}

void TCrossword::DrawFramedText(TCanvas& canvas, std::string_view text, const TFramePiece& frame, bool wrap,
                                const TDrawnFormat& format, int px, int py) const {
    DrawPieceOfBox(canvas, *Template, frame, px, py, [&](TCanvas& piece, const TRect& inner) {
        DrawBlock(piece, text, inner, format, frame.Centred, wrap);
    });
}

void TCrossword::DrawMarker(TCanvas& canvas, int px, int py) const {
    TKletkaGraphics look = Template->BlankCellLook;
    look.BrushColor = Output.MarkerColor;
    Template->CanvasDrawLookCell(canvas, px, py, 1, 1, look);
}

// ---- the working view ----

void TCrossword::DrawToBitmap(TFastDrawParameters parameters, TBitmap& bitmap) {
    const TFastDrawParameters& p = parameters;
    Template->FastDraw(parameters, bitmap);
    const int z = p.CellPixels();
    int columns = 0, rows = 0;
    Template->PixelsToCells(bitmap.Width(), bitmap.Height(), p, columns, rows);

    auto letters = std::make_shared<TMetafile>(columns * ViewUnit, rows * ViewUnit, bitmap.Metrics());
    TCanvas canvas(*letters);
    canvas.Brush.Style = TBrushStyle::Clear;
    const std::string& fontName = TGlobalOption::Instance().DefaultFontName;
    if (!fontName.empty()) canvas.Font.Name = fontName;
    canvas.Font.Charset = Dictionary.CharsetCode();
    const bool onPath = (p.PathMode == 1 || p.PathMode == 2) && p.PathCells;
    const TMask typed(Dictionary.CellFormat(), p.PathText);
    const auto draw = [&](std::string_view text, int i, int j, TColor color) {
        canvas.Font.Color = color;
        DrawFittedText(canvas, Dictionary.ToUpperText(text),
                       TRect{ViewUnit * i, ViewUnit * j, ViewUnit * (i + 1), ViewUnit * (j + 1)}, ViewLetterHeight,
                       true);
    };
    // Grid positions are ints: a view scrolled near the right edge must not wrap round to column 0.
    for (int i = 0; i < columns; ++i) {
        const int64_t x = int64_t{p.FirstColumn} + i;
        if (x < 0 || x >= Width) continue;
        for (int j = 0; j < rows; ++j) {
            const int64_t y = int64_t{p.FirstRow} + j;
            if (y < 0 || y >= Height) continue;
            const int cx = static_cast<int>(x), cy = static_cast<int>(y);
            if (!Template->IsLetterCell(cx, cy) && !(AllCellsHoldLetters && !IsCellEmpty(cx, cy))) continue;
            if (!IsCellEmpty(cx, cy)) draw(CellText(cx, cy), i, j, IsFixedCell(cx, cy) ? FixedLetterColor : LetterColor);
            const int k = onPath ? p.PathCells->IndexOfCell(cx, cy) : -1;
            if (k >= 0 && !typed.IsUnknown(k)) draw(typed.CellText(k), i, j, LetterColor);
        }
    }

    TCanvas target(bitmap);
    if (p.Zoom == ViewUnscaledZoom)
        target.Draw(0, 0, std::shared_ptr<const TMetafile>(std::move(letters)));
    else
        target.StretchDraw(TRect{0, 0, ClampToInt(int64_t{columns} * z), ClampToInt(int64_t{rows} * z)},
                           std::shared_ptr<const TMetafile>(std::move(letters)));
}
