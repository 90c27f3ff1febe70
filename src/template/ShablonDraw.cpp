#include "Shablon.h"

#include "GlobalOption.h"
#include "ShablonDrawing.h"

#include "cellshape/CellOutline.h"
#include "export/ComExport.h"
#include "platform/Canvas.h"
#include "platform/FileText.h"
#include "platform/Metafile.h"
#include "platform/Text.h"
#include "platform/Ui.h"

#include <cmath>
#include <cstdint>
#include <filesystem>
#include <limits>
#include <numbers>

namespace {

constexpr std::string_view LetterPenStyle = "CHAR_POLE";
constexpr std::string_view CollectionBackground = "background";
// The box a line arrow is drawn in, and its middle.
constexpr int ArrowBox = 100;
constexpr int ArrowMiddle = 50;

int ClampToInt(int64_t v) {
    return static_cast<int>(std::clamp<int64_t>(v, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

bool FitsInt(int64_t v) {
    return v >= std::numeric_limits<int>::min() && v <= std::numeric_limits<int>::max();
}

// The look's outline pen and its fill.
void UseCellPen(TCanvas& canvas, const TShablon& shablon, const TKletkaGraphics& look) {
    canvas.Pen = {look.PenColor.ToRgb(), ClampToInt(int64_t{shablon.Scale} * shablon.PenWidth), TPenStyle::Solid};
    canvas.Brush = {look.BrushColor.ToRgb(), look.NoFill ? TBrushStyle::Clear : TBrushStyle::Solid};
}

void DrawOutlinePolygon(TCanvas& canvas, const std::vector<std::string>& script, int unitSize, int px, int py, int w,
                        int h) {
    TOutlinePoints outline;
    int count = 0;
    std::string errors;
    BuildCellOutline(script, unitSize, px, py, w, h, outline, count, errors);
    std::vector<TPoint> points(count);
    for (int i = 0; i < count; ++i) points[i] = {outline[i].X, outline[i].Y};
    canvas.Polygon(points);
}

// The corner a contour starts at, for its side code; false for a code that is no side.
bool StartCorner(uint8_t side, int x, int y, int& cornerX, int& cornerY) {
    switch (side) {
        case 4: cornerX = x, cornerY = y; return true;
        case 2: cornerX = x + 1, cornerY = y; return true;
        case 1: cornerX = x + 1, cornerY = y + 1; return true;
        case 8: cornerX = x, cornerY = y + 1; return true;
        default: return false;
    }
}

// Stroke directions: 1 down, 2 right, 3 down-right, 4 up-right, 5 up-left, 6 left, 7 down-left, 8 up.
bool StrokeStep(int direction, int& dx, int& dy) {
    static constexpr int Steps[8][2] = {{0, 1}, {1, 0}, {1, 1}, {1, -1}, {-1, -1}, {-1, 0}, {-1, 1}, {0, -1}};
    if (direction < 1 || direction > 8) return false;
    dx = Steps[direction - 1][0];
    dy = Steps[direction - 1][1];
    return true;
}

// One arrow of a line-arrow code: an optional approach line ending at the stroke's start, then
// the stroke.
struct TLineArrow {
    bool Approach;
    TPoint From;
    TPoint Start;
    int Direction;
    bool Long;
};

enum StrokeDirection { Down = 1, Right = 2, DownRight = 3, UpRight = 4, UpLeft = 5, Left = 6, DownLeft = 7, Up = 8 };

bool FirstLineArrow(int v, int l1, int l2, int e, TLineArrow& a) {
    constexpr int S = ArrowBox, H = ArrowMiddle;
    switch (v) {
        case 1: a = {false, {}, {H, e}, Down, true}; return true;
        case 2: a = {true, {e, e}, {l1 + e, l1 + e}, Down, false}; return true;
        case 3: a = {true, {e, H}, {l1 + e, H}, Down, false}; return true;
        case 4: a = {true, {e, S - e}, {l1 + e, S - l1 - e}, Down, false}; return true;
        case 5: a = {true, {S - e, S - e}, {S - l1 - e, S - l1 - e}, Down, false}; return true;
        case 6: a = {true, {S - e, H}, {S - l1 - e, H}, Down, false}; return true;
        case 7: a = {true, {S - e, e}, {S - l1 - e, l1 + e}, Down, false}; return true;
        case 0x41: a = {false, {}, {H, S - l1 - e}, Down, true}; return true;
        case 0x42: a = {true, {S - l2 - e, S - l2 - l1 - e}, {S - l2 - e, S - l2 - e}, DownRight, false}; return true;
        case 0x43: a = {true, {S - l1 - e, H - l1}, {S - l1 - e, H}, Right, true}; return true;
        case 0x44: a = {true, {S - l2 - e, l2 + e - l1}, {S - l2 - e, l2 + e}, UpRight, false}; return true;
        case 0x45: a = {true, {l2 + e, l2 + e - l1}, {l2 + e, l2 + e}, UpLeft, false}; return true;
        case 0x46: a = {true, {l1 + e, H - l1}, {l1 + e, H}, Left, true}; return true;
        case 0x47: a = {true, {l2 + e, S - l2 - l1 - e}, {l2 + e, S - l2 - e}, DownLeft, false}; return true;
        default: return false;
    }
}

bool SecondLineArrow(int h, int l1, int l2, int e, TLineArrow& a) {
    constexpr int S = ArrowBox, H = ArrowMiddle;
    switch (h) {
        case 1: a = {true, {H, e}, {H, l1 + e}, Right, false}; return true;
        case 2: a = {true, {e, e}, {l1 + e, l1 + e}, Right, false}; return true;
        case 3: a = {false, {}, {e, H}, Right, true}; return true;
        case 4: a = {true, {e, S - e}, {l1 + e, S - l1 - e}, Right, false}; return true;
        case 5: a = {true, {S - e, S - e}, {S - l1 - e, S - l1 - e}, Right, false}; return true;
        case 6: a = {true, {H, S - e}, {H, S - l1 - e}, Right, false}; return true;
        case 7: a = {true, {S - e, e}, {S - l1 - e, l1 + e}, Right, false}; return true;
        case 0x81: a = {true, {H - l2, S - l1 - e}, {H, S - l1 - e}, Down, true}; return true;
        case 0x82: a = {true, {S - l2 - l1 - e, S - l2 - e}, {S - l2 - e, S - l2 - e}, DownRight, false}; return true;
        case 0x83: a = {false, {}, {S - l1 - e, H}, Right, true}; return true;
        case 0x84: a = {true, {S - l2 - l1 - e, l2 + e}, {S - l2 - e, l2 + e}, UpRight, false}; return true;
        case 0x85: a = {true, {H - l1, l2 + e}, {H, l2 + e}, Up, false}; return true;
        case 0x86: a = {true, {l2 + e - l1, l2 + e}, {l2 + e, l2 + e}, UpLeft, false}; return true;
        case 0x87: a = {true, {l2 + e - l1, S - l2 - e}, {l2 + e, S - l2 - e}, DownLeft, false}; return true;
        default: return false;
    }
}

}  // namespace

// ---- files and pictures ----

std::shared_ptr<const TPicture> TDrawingFiles::Picture(const std::string& path) {
    auto found = mPictures.find(path);
    if (found == mPictures.end()) {
        const std::string file = FileBeside(mFolder, path);
        std::shared_ptr<const TPicture> picture = TPicture::FromFile(file);
        // A missing file draws nothing silently; one that is there but cannot be read is reported.
        std::error_code error;
        if (!picture && std::filesystem::is_regular_file(file, error))
            TheUi().Message(Format("Не удалось прочитать рисунок %s"_cp, FromUtf8(file)));
        found = mPictures.emplace(path, std::move(picture)).first;
    }
    return found->second;
}

const std::vector<std::string>& TDrawingFiles::Script(const std::string& path) {
    auto found = mScripts.find(path);
    if (found == mScripts.end()) {
        std::vector<std::string> lines;
        LoadCellScript(FileBeside(mFolder, path), lines);
        found = mScripts.emplace(path, std::move(lines)).first;
    }
    return found->second;
}

TDrawingFiles& TShablon::Files() const {
    if (!DrawingFiles) DrawingFiles = std::make_shared<TDrawingFiles>(StyleFolder);
    return *DrawingFiles;
}

std::string TShablon::StyleFile(const std::string& name) const {
    return FileBeside(StyleFolder, name);
}

std::shared_ptr<const TPicture> TShablon::NamedPicture(const std::string& name) const {
    const int index = Pictures.IndexOfName(name);
    return index >= 0 ? Pictures.SharedPicture(index) : Files().Picture(name);
}

std::shared_ptr<const TPicture> TShablon::BackgroundPictureOf(std::string_view name) const {
    if (name == CollectionBackground) {
        const int index = Pictures.IndexOfName(name);
        if (index >= 0) return Pictures.SharedPicture(index);
    }
    return Files().Picture(std::string(name));
}

void TShablon::DrawPictureFitted(TCanvas& canvas, std::shared_ptr<const TPicture> picture, const TRect& rect,
                                 bool centred) {
    if (!picture || picture->Width() <= 0 || picture->Height() <= 0 || rect.Width() <= 0 || rect.Height() <= 0)
        return;
    const double ratio = std::max(static_cast<double>(picture->Width()) / rect.Width(),
                                  static_cast<double>(picture->Height()) / rect.Height());
    const int width = RoundEven(picture->Width() / ratio);
    const int height = RoundEven(picture->Height() / ratio);
    int left = rect.Left, top = rect.Top;
    if (centred) {
        left += (rect.Width() - width) / 2;
        top += (rect.Height() - height) / 2;
    }
    canvas.StretchDraw(TRect{left, top, left + width, top + height}, std::move(picture));
}

// ---- the picture ----

void TShablon::DrawToMetafile(TMetafile& metafile) {
    BeginDrawing();
    metafile.Clear();
    if (!ExportFits()) {
        metafile.SetSize(0, 0);
        return;
    }
    metafile.SetSize(Scale * GetPixelWidth(), Scale * GetPixelHeight());
    TCanvas canvas(metafile);
    if (UsesArrows) LoadArrowPictures();
    TComExport list;
    BuildExport(list);
    for (int i = 0; i < list.Count(); ++i) CanvasDrawItem(canvas, list, i);
}

void TShablon::CanvasDrawItem(TCanvas& canvas, const TComExport& list, int i) const {
    int px = 0, py = 0;
    ExportToCanvas(list.X(i), list.Y(i), px, py, false);
    switch (static_cast<TExportKind>(list.Kind(i))) {
        case TExportKind::Cell: CanvasDrawCell(canvas, px, py, list.Value(i), list.Flag(i)); break;
        case TExportKind::ShapedCell: CanvasDrawShapedCell(canvas, px, py, list.Value(i), list.Flag(i)); break;
        case TExportKind::CanvasCell: CanvasDrawCell(canvas, list.X(i), list.Y(i), list.Value(i), list.Flag(i)); break;
        case TExportKind::CellEx:
            CanvasDrawCellEx(canvas, px, py, list.X2(i), list.Y2(i), list.Value(i), list.Flag(i));
            break;
        case TExportKind::ColorCell:
            CanvasDrawColorCell(canvas, px, py, list.X2(i), list.Y2(i), list.Flag(i), list.Mode(i));
            break;
        case TExportKind::Number:
            if (list.Flag2(i))
                CanvasDrawDigits(canvas, px, py, list.X2(i), DigitLookOn(list.Colour(i)));
            else
                CanvasDrawNumber(canvas, px, py, list.X2(i));
            break;
        case TExportKind::CanvasNumber: CanvasDrawNumber(canvas, list.X(i), list.Y(i), list.X2(i)); break;
        case TExportKind::KeyWordNumber: CanvasDrawKeyWordNumber(canvas, px, py, list.X2(i), list.Y2(i)); break;
        case TExportKind::KeyWordNumberShaped:
            CanvasDrawKeyWordNumberShaped(canvas, px, py, list.X2(i), list.Y2(i));
            break;
        case TExportKind::CanvasKeyWordNumber:
            CanvasDrawKeyWordNumber(canvas, list.X(i), list.Y(i), list.X2(i), list.Y2(i));
            break;
        case TExportKind::Outline:
            CanvasDrawOutline(canvas, list.X(i), list.Y(i), list.X2(i), list.Y2(i), list.Text(i));
            break;
        case TExportKind::Walls: CanvasDrawWalls(canvas, px, py, list.X2(i)); break;
        case TExportKind::Arrows: CanvasDrawArrows(canvas, px, py, list.X2(i)); break;
        case TExportKind::Line: {
            int px2 = 0, py2 = 0;
            ExportToCanvas(list.X2(i), list.Y2(i), px2, py2, false);
            CanvasDrawLine(canvas, px, py, px2, py2, list.Name(i));
            break;
        }
        case TExportKind::HoneyArrows: CanvasDrawHoneyArrows(canvas, px, py, list.Value(i), list.X2(i)); break;
        case TExportKind::Background: CanvasDrawBackground(canvas, list.Text(i)); break;
        case TExportKind::CellPart:
            DrawCellPart(canvas, px, py, list.X2(i), list.Y2(i), list.Rect(i), list.Value(i));
            break;
        case TExportKind::TurnMarks: DrawTurnMarks(canvas, px, py, list.X2(i)); break;
        default: break;
    }
}

// ---- cells ----

void TShablon::CanvasDrawCell(TCanvas& canvas, int px, int py, int cellKind, bool extra) const {
    CanvasDrawCellEx(canvas, px, py, 1, 1, cellKind, extra);
}

void TShablon::CanvasDrawCellEx(TCanvas& canvas, int px, int py, int columns, int rows, int cellKind,
                                bool extra) const {
    const TKletkaGraphics* look = CellKindLook(*this, cellKind);
    if (look) CanvasDrawLookCell(canvas, px, py, columns, rows, *look);
}

void TShablon::CanvasDrawLookCell(TCanvas& canvas, int px, int py, int columns, int rows,
                                  const TKletkaGraphics& look) const {
    if (look.NoPaint) return;
    const TKletkaForm& form = look.Form;
    const int w = ClampToInt(int64_t{columns} * GetCellPixelWidth());
    const int h = ClampToInt(int64_t{rows} * GetCellPixelHeight());
    const int right = ClampToInt(int64_t{px} + w), bottom = ClampToInt(int64_t{py} + h);
    UseCellPen(canvas, *this, look);
    switch (form.ImportType) {
        case TKletkaImport::Picture:
            DrawPictureFitted(canvas, NamedPicture(form.File1), TRect{px, py, right, bottom}, true);
            return;
        case TKletkaImport::Script:
            DrawOutlinePolygon(canvas, Files().Script(form.ScriptFile), GetCellPixelWidth(), px, py, w, h);
            return;
        case TKletkaImport::BaseForm: break;
        default: return;
    }
    const bool equalCorners = form.Param1 == form.Param2 && form.Param1 == form.Param3 && form.Param1 == form.Param4;
    switch (form.Form) {
        case KletkaForm::Rounded:
            if (!equalCorners) break;
            {
                const int r = RoundEven(static_cast<double>(w) * form.Param1 / 100);
                canvas.RoundRect(px, py, right, bottom, r, r);
            }
            return;
        case KletkaForm::Ellipse: canvas.Ellipse(px, py, right, bottom); return;
        case KletkaForm::Triangle: {
            const TPoint points[] = {{px, bottom}, {px + w / 2, py}, {right, bottom}};
            canvas.Polygon(points);
            return;
        }
        case KletkaForm::Hexagon: {
            const int q = h / 4;
            const TPoint points[] = {{px + w / 2, py},     {right, py + q},      {right, py + q + h / 2},
                                     {px + w / 2, bottom}, {px, py + q + h / 2}, {px, py + q}};
            canvas.Polygon(points);
            return;
        }
        case KletkaForm::Octagon: {
            const double cut = 1 / (1 + std::numbers::sqrt2) / std::numbers::sqrt2;
            const int cx = RoundEven(w * cut), cy = RoundEven(h * cut);
            const TPoint points[] = {{px + cx, py},         {right - cx, py},     {right, py + cy}, {right, bottom - cy},
                                     {right - cx, bottom},  {px + cx, bottom},    {px, bottom - cy}, {px, py + cy}};
            canvas.Polygon(points);
            return;
        }
        default:
            if (form.Form > KletkaForm::Last) return;
            break;
    }
    std::vector<std::string> script;
    MakeBaseFormScript(form, script);
    DrawOutlinePolygon(canvas, script, GetCellPixelWidth(), px, py, w, h);
}

void TShablon::CanvasDrawShapedCell(TCanvas& canvas, int px, int py, int cellKind, bool extra) const {
    const TKletkaGraphics* look = CellKindLook(*this, cellKind);
    if (!look || look->NoPaint) return;
    const int g = GetCellPixelWidth(), h = GetCellPixelHeight();
    UseCellPen(canvas, *this, *look);
    if (look->Form.Form == 1) {
        const int r = RoundEven((g / 2) / std::numbers::sqrt2);
        const int cx = px + g / 2, cy = py + h / 2;
        canvas.Ellipse(cx - r, cy - r, cx + r, cy + r);
        return;
    }
    std::vector<TPoint> points;
    for (const auto& [dx, dy] : ShapedCellCorners(look->Form.Form, g, h))
        points.push_back({ClampToInt(px + dx), ClampToInt(py + dy)});
    if (!points.empty()) canvas.Polygon(points);
}

void TShablon::DrawCellPart(TCanvas& canvas, int px, int py, int columns, int rows, const TItemRect& part,
                            int cellKind) const {
    if (part.Right < part.Left || part.Bottom < part.Top) return;
    const int64_t cellW = GetCellPixelWidth(), cellH = GetCellPixelHeight();
    const int64_t width = cellW * (int64_t{part.Right} - part.Left + 1);
    const int64_t height = cellH * (int64_t{part.Bottom} - part.Top + 1);
    const int64_t left = -cellW * part.Left, top = -cellH * part.Top;
    if (!FitsInt(width) || !FitsInt(height) || !FitsInt(left) || !FitsInt(top)) return;
    auto piece = std::make_shared<TMetafile>(static_cast<int>(width), static_cast<int>(height), canvas.Metrics());
    TCanvas pieceCanvas(*piece);
    pieceCanvas.SetClipRect({0, 0, static_cast<int>(width), static_cast<int>(height)});
    CanvasDrawCellEx(pieceCanvas, static_cast<int>(left), static_cast<int>(top), columns, rows, cellKind, false);
    canvas.Draw(px, py, std::shared_ptr<const TMetafile>(std::move(piece)));
}

// ---- numbers, walls, arrows, lines ----

void TShablon::CanvasDrawDigits(TCanvas& canvas, int px, int py, int number, const TDigitGraphics& look) const {
    if (look.Hidden) return;
    canvas.Font.Name = look.FontName;
    canvas.Font.Height = RoundEven(look.FontSize * 3.58 * Scale);
    canvas.Font.Bold = look.FontStyle & FontStyle::Bold;
    canvas.Font.Italic = look.FontStyle & FontStyle::Italic;
    canvas.Font.Color = look.FontColor.ToRgb();
    canvas.Brush.Style = TBrushStyle::Clear;
    canvas.TextAlign = TTextAlign::Baseline;
    const std::string text = std::to_string(number);
    const int64_t tw = canvas.TextWidth(text), a = canvas.FontAscent();
    const int64_t w = GetCellPixelWidth(), h = GetCellPixelHeight();
    const int64_t dx = int64_t{Scale} * look.DX, dy = int64_t{Scale} * look.DY;
    int64_t x = px + dx, y = py + a + dy;
    if (look.AlignX == 1) x = px + w - tw - dx;
    if (look.AlignX == 2) x = px + (w - tw) / 2;
    if (look.AlignY == 1) y = py + h - dy;
    if (look.AlignY == 2) y = py + (h + a) / 2;
    canvas.TextOut(ClampToInt(x), ClampToInt(y), text);
}

TDigitGraphics TShablon::DigitLookOn(TColorValue fill) const {
    TDigitGraphics look = DigitLook;
    look.FontColor = ContrastingColor(look.FontColor, fill);
    return look;
}

void TShablon::CanvasDrawNumber(TCanvas& canvas, int px, int py, int number) const {
    CanvasDrawDigits(canvas, px, py, number, DigitLook);
}

void TShablon::CanvasDrawKeyWordNumber(TCanvas& canvas, int px, int py, int x, int y) const {
    const int n = KeyWordNumberAt(x, y);
    if (n < 0 || KeyWordCellLook.NoPaint) return;
    CanvasDrawCell(canvas, px, py, CellKind::KeyWord, false);
    CanvasDrawDigits(canvas, px, py, n, KeyWordDigitLook);
}

void TShablon::CanvasDrawKeyWordNumberShaped(TCanvas& canvas, int px, int py, int x, int y) const {
    const int n = KeyWordNumberAt(x, y);
    if (n < 0 || KeyWordCellLook.NoPaint) return;
    CanvasDrawShapedCell(canvas, px, py, CellKind::KeyWord, false);
    CanvasDrawDigits(canvas, px, py, n, KeyWordDigitLook);
}

void TShablon::CanvasDrawWalls(TCanvas& canvas, int px, int py, int bits) const {
    canvas.Brush = {WallColor.ToRgb(), TBrushStyle::Solid};
    canvas.Pen.Style = TPenStyle::Clear;
    const int64_t t = int64_t{RoundEven(PenWidth * static_cast<double>(WallScale))} * Scale;
    const int64_t s = int64_t{Scale} * CellSize;
    const int tt = ClampToInt(t);
    const auto wall = [&](int64_t left, int64_t top, int64_t right, int64_t bottom) {
        canvas.RoundRect(ClampToInt(left), ClampToInt(top), ClampToInt(right), ClampToInt(bottom), tt, tt);
    };
    if (bits & 8) wall(px - t, py - t, px + t, py + s + t);
    if (bits & 2) wall(px + s - t, py - t, px + s + t, py + s + t);
    if (bits & 4) wall(px - t, py - t, px + s + t, py + t);
    if (bits & 1) wall(px - t, py + s - t, px + s + t, py + s + t);
}

void TShablon::DrawArrowPictures(TCanvas& canvas, int px, int py, int size, int bits) const {
    const auto place = [&](const std::string& name, int offset) {
        const int index = ArrowPictures.IndexOfName(name);
        if (index < 0) return;
        const int64_t dx = int64_t{ArrowOffsets[offset].X} * size / 100;
        const int64_t dy = int64_t{ArrowOffsets[offset].Y} * size / 100;
        canvas.StretchDraw(TRect{ClampToInt(px + dx), ClampToInt(py + dy), ClampToInt(px + size + dx),
                                 ClampToInt(py + size + dy)},
                           ArrowPictures.SharedPicture(index));
    };
    const int inner = bits & 0x40 ? 14 : 0;
    const int v = bits & 0x47;
    if (v != 0) place("STRELKA_V_" + std::to_string(v), (bits & 7) + inner);
    const int h = (bits >> 3 & 7) | (bits & 0x80);
    if (h != 0) place("STRELKA_H_" + std::to_string(h), (bits >> 3 & 7) + 7 + (bits & 0x80 ? 14 : 0));
}

void TShablon::CanvasDrawArrows(TCanvas& canvas, int px, int py, int bits) const {
    if (!ArrowLook.Show) return;
    DrawArrowPictures(canvas, px, py, ClampToInt(int64_t{Scale} * CellSize), bits);
}

void TShablon::DrawTurnMarks(TCanvas& canvas, int px, int py, int bits) const {
    const int64_t s = int64_t{Scale} * CellSize, d = int64_t{Scale} * PenWidth;
    for (const int mask : {0x03, 0x0C, 0x30, 0xC0}) {
        const int v = bits & mask;
        const int index = v == 0 ? -1 : ArrowPictures.IndexOfName("TURN_" + std::to_string(v));
        if (index < 0) continue;
        canvas.StretchDraw(TRect{ClampToInt(px + d), ClampToInt(py + d), ClampToInt(px + s - d), ClampToInt(py + s - d)},
                           ArrowPictures.SharedPicture(index));
    }
}

void TShablon::DrawLineArrows(TCanvas& canvas, int code) const {
    canvas.Pen = {ArrowLook.Color.ToRgb(), ArrowLook.Width, TPenStyle::Solid};
    const bool inside = code & 0xC0;
    const int e = (inside ? ArrowLook.PenInsetInside : ArrowLook.PenInset) ? PenWidth / 2 : 0;
    const int l1 = ArrowLook.Len1, l2 = ArrowLook.Len2;
    const auto draw = [&](const TLineArrow& arrow) {
        if (arrow.Approach) {
            canvas.MoveTo(arrow.From.X, arrow.From.Y);
            canvas.LineTo(arrow.Start.X, arrow.Start.Y);
        }
        DrawArrowStroke(canvas, arrow.Start.X, arrow.Start.Y, arrow.Direction, arrow.Long);
    };
    TLineArrow arrow;
    if (FirstLineArrow(code & 0x47, l1, l2, e, arrow)) draw(arrow);
    if (SecondLineArrow((code & 0x80) + (code >> 3 & 7), l1, l2, e, arrow)) draw(arrow);
}

void TShablon::DrawArrowStroke(TCanvas& canvas, int x, int y, int direction, bool isLong) const {
    int dx = 0, dy = 0;
    if (!StrokeStep(direction, dx, dy)) return;
    const int length = isLong ? ArrowLook.Len1 : ArrowLook.Len2;
    const TPoint tip{x + dx * length, y + dy * length};
    const double degree = std::numbers::pi / 180;
    TPoint barb1, notch, barb2;
    if (dx == 0 || dy == 0) {
        const int k = RoundEven(std::cos(ArrowLook.Angle * degree) * ArrowLook.Len3);
        const int m = RoundEven(std::sin(ArrowLook.Angle * degree) * ArrowLook.Len3);
        const int sideX = std::abs(dy), sideY = std::abs(dx);
        barb1 = {tip.X - k * dx - m * sideX, tip.Y - k * dy - m * sideY};
        barb2 = {tip.X - k * dx + m * sideX, tip.Y - k * dy + m * sideY};
        notch = {tip.X - ArrowLook.Len4 * dx, tip.Y - ArrowLook.Len4 * dy};
    } else {
        const double beta = (45 - ArrowLook.Angle) * degree;
        const int p = RoundEven(std::cos(beta) * ArrowLook.Len3);
        const int q = RoundEven(std::sin(beta) * ArrowLook.Len3);
        const int d = RoundEven(std::cos(45 * degree) * ArrowLook.Len4);
        barb1 = {tip.X - dx * p, tip.Y - dy * q};
        notch = {tip.X - dx * d, tip.Y - dy * d};
        barb2 = {tip.X - dx * q, tip.Y - dy * p};
    }
    const TPoint points[] = {{x, y}, tip, barb1, notch, barb2, tip};
    canvas.Polyline(points);
}

void TShablon::CanvasDrawLine(TCanvas& canvas, int px1, int py1, int px2, int py2, std::string_view style) const {
    if (style == LetterPenStyle) {
        canvas.Pen.Color = LetterCellLook.PenColor.ToRgb();
        canvas.Pen.Width = ClampToInt(int64_t{Scale} * PenWidth);
    }
    canvas.MoveTo(px1, py1);
    canvas.LineTo(px2, py2);
}

void TShablon::CanvasDrawPolyline(TCanvas& canvas, std::string_view points, std::string_view style,
                                  TColorValue colour, int width) const {
    canvas.Pen.Color = colour.ToRgb();
    canvas.Pen.Width = width;
    constexpr std::size_t PointSize = 8;
    int lastX = 0, lastY = 0;
    for (std::size_t at = 0; at + PointSize <= points.size(); at += PointSize) {
        int px = 0, py = 0;
        ExportToCanvas(BytesToInt(points.substr(at, 4)), BytesToInt(points.substr(at + 4, 4)), px, py, false);
        if (at > 0) CanvasDrawLine(canvas, lastX, lastY, px, py, style);
        lastX = px;
        lastY = py;
    }
}

void TShablon::CanvasDrawBackground(TCanvas& canvas, std::string_view name) const {
    DrawPictureFitted(canvas, BackgroundPictureOf(name), TRect{0, 0, GetPixelWidth(), GetPixelHeight()}, true);
}

void TShablon::CanvasDrawOutline(TCanvas& canvas, int x, int y, int x0, int y0, std::string_view contour) const {
    int cornerX = 0, cornerY = 0;
    if (contour.empty() || !StartCorner(static_cast<uint8_t>(contour[0]), x, y, cornerX, cornerY)) return;
    canvas.Pen = {WideOutline.Color.ToRgb(), ClampToInt(int64_t{WideOutline.Width} * Scale), TPenStyle::Solid};
    int runX = cornerX, runY = cornerY;
    const auto lineToCorner = [&] {
        int px1 = 0, py1 = 0, px2 = 0, py2 = 0;
        CellToCanvas(runX - x0, runY - y0, px1, py1);
        CellToCanvas(cornerX - x0, cornerY - y0, px2, py2);
        canvas.MoveTo(px1, py1);
        canvas.LineTo(px2, py2);
        runX = cornerX;
        runY = cornerY;
    };
    for (std::size_t i = 1; i < contour.size(); ++i) {
        if (i > 1 && contour[i] != contour[i - 1]) lineToCorner();
        switch (contour[i]) {
            case '6': ++cornerX; break;
            case '4': --cornerX; break;
            case '2': ++cornerY; break;
            case '8': --cornerY; break;
            default: break;
        }
    }
    if (contour.size() > 1) lineToCorner();
}
