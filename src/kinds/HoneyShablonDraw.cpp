// The honeycomb templates' looks: the start stroke and its style section, the hexagon cells of
// the picture and the editor export, and the working views.

#include "HoneyShablon.h"

#include "export/ScriptWriter.h"
#include "platform/Bitmap.h"
#include "platform/IniFile.h"
#include "platform/Picture.h"
#include "platform/Text.h"
#include "platform/Ui.h"
#include "template/Coord.h"
#include "template/CoordList.h"
#include "template/GlobalOption.h"
#include "template/ShablonDrawing.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <numbers>

namespace {

constexpr std::string_view HoneySection = "HONEY";
constexpr std::string_view StrokeStyle = "HONEY_STRELKS";
constexpr int64_t ExportUnits = 1000;
constexpr double Sqrt3 = std::numbers::sqrt3;
constexpr std::string_view CollectionBackground = "background";

using namespace ViewLook;

int ClampToInt(int64_t v) {
    return static_cast<int>(std::clamp<int64_t>(v, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

// The hexagon of side r whose left side runs down from (px, py), y downward.
std::vector<TPoint> Hexagon(int px, int py, int r) {
    const int64_t half = std::llround(r * Sqrt3 / 2), whole = std::llround(r * Sqrt3);
    const auto at = [&](int64_t dx, int64_t dy) { return TPoint{ClampToInt(px + dx), ClampToInt(py + dy)}; };
    return {at(0, 0), at(half, -(r / 2)), at(whole, 0), at(whole, r), at(half, int64_t{r} + r / 2), at(0, r)};
}

bool Listed(const TCoordList* list, int x, int y) {
    return list && list->IndexOfCell(x, y) >= 0;
}

}  // namespace

// ---- the stroke and its style ----

bool TBaseHoneyShablon::LoadStyle(const std::string& fileName) {
    if (!TClassicShablon::LoadStyle(fileName)) return false;
    const TIniFile ini(FindOptionFile(fileName));
    const auto read = [&](std::string_view key, int32_t& field, int32_t malformed, int32_t min, int32_t max) {
        if (ini.ValueExists(HoneySection, key))
            field = ReadIniInRange(ini, HoneySection, key, malformed, min, max, StyleClamps);
    };
    THoneyStroke& stroke = HoneyStroke;
    int32_t show = stroke.Show ? 1 : 0, len = stroke.Len, colour = static_cast<int32_t>(stroke.Colour.Value);
    read("SHOW", show, 1, INT32_MIN, INT32_MAX);
    read("WIDTH", stroke.Width, 100, 0, MaxStyleLength);
    read("LEN", len, 25, 0, 255);
    read("COLOR", colour, 0, INT32_MIN, INT32_MAX);
    if (ini.ValueExists(HoneySection, "COLOR_T"))
        stroke.Colour.Model = ReadIniColorModel(ini, HoneySection, "COLOR_T", StyleClamps);
    stroke.Show = show != 0;
    stroke.Len = static_cast<uint8_t>(len);
    stroke.Colour.Value = static_cast<uint32_t>(colour);
    return true;
}

bool TBaseHoneyShablon::WriteStyle(TIniFile& ini) {
    bool ok = TClassicShablon::WriteStyle(ini);
    ok = ini.WriteBool(HoneySection, "SHOW", HoneyStroke.Show) && ok;
    ok = ini.WriteInteger(HoneySection, "WIDTH", HoneyStroke.Width) && ok;
    ok = ini.WriteInteger(HoneySection, "LEN", HoneyStroke.Len) && ok;
    ok = ini.WriteInteger(HoneySection, "COLOR", static_cast<int32_t>(HoneyStroke.Colour.Value)) && ok;
    return ini.WriteInteger(HoneySection, "COLOR_T", static_cast<uint8_t>(HoneyStroke.Colour.Model)) && ok;
}

void TBaseHoneyShablon::EditorDefineStyles(TCommandWriter& writer) const {
    TClassicShablon::EditorDefineStyles(writer);
    writer.CreateRectangle(StyleShape::Near, StyleShape::Near, StyleShape::Far, StyleShape::Far);
    writer.SetOutlineWidth(ToEditorRange(int64_t{Scale} * ExportUnits * HoneyStroke.Width));
    writer.StoreColor(HoneyStroke.Colour);
    writer.SetOutlineColor();
    writer.ApplyNoFill();
    writer.SaveStyleProp(StrokeStyle, false);
    writer.DeleteObject();
}

void TBaseHoneyShablon::CanvasDrawHoneyArrows(TCanvas& canvas, int px, int py, int value, int bits) const {
    double x = 0, y = 0, ux = 0, uy = 0;
    if (!HoneyStroke.Show || !StrokeBase(value, bits, x, y, ux, uy)) return;
    const double length = static_cast<double>(value) * HoneyStroke.Len / 100;
    const int width = value == CellSize || CellSize == 0
                          ? HoneyStroke.Width
                          : RoundEven(static_cast<double>(value) * HoneyStroke.Width / CellSize);
    canvas.Pen = {HoneyStroke.Colour.ToRgb(), width, TPenStyle::Solid};
    canvas.MoveTo(RoundEven(px + x), RoundEven(py + y));
    canvas.LineTo(RoundEven(px + x + length * ux), RoundEven(py + y + length * uy));
}

void TBaseHoneyShablon::EditorDrawHoneyArrows(TCommandWriter& writer, int ex, int ey, int value, int bits) const {
    const double r = static_cast<double>(value) * ExportUnits;
    double x = 0, y = 0, ux = 0, uy = 0;
    if (!HoneyStroke.Show || !StrokeBase(r, bits, x, y, ux, uy)) return;
    const double length = r * HoneyStroke.Len / 100;
    const auto point = [&](double dx, double dy) {
        return std::pair{ToEditorRange(ex + std::llround(dx)), ToEditorRange(ey - std::llround(dy))};
    };
    writer.Curve({point(x, y), point(x + length * ux, y + length * uy)}, false);
    writer.ApplyStyle(StrokeStyle);
}

bool THoneyShablon::StrokeBase(double r, int d, double& x, double& y, double& ux, double& uy) const {
    if (!IsDirection(d)) return false;
    // The outward normals of the sides, left first, clockwise on the page.
    static constexpr double Normals[6][2] = {{-1, 0}, {-0.5, -Sqrt3 / 2}, {0.5, -Sqrt3 / 2},
                                             {1, 0},  {0.5, Sqrt3 / 2},   {-0.5, Sqrt3 / 2}};
    ux = Normals[d][0];
    uy = Normals[d][1];
    const double apothem = r * Sqrt3 / 2;
    x = apothem + apothem * ux;
    y = r / 2 + apothem * uy;
    return true;
}

bool THoneyShablon_8::StrokeBase(double r, int d, double& x, double& y, double& ux, double& uy) const {
    if (!IsDirection(d)) return false;
    const TStep step = StepOf(static_cast<char>('0' + d));
    x = r / 2 * (1 + step.dx);
    y = r / 2 * (1 + step.dy);
    const double norm = std::hypot(step.dx, step.dy);
    ux = step.dx / norm;
    uy = step.dy / norm;
    return true;
}

// ---- hexagon cells ----

void THoneyShablon::CanvasDrawCell(TCanvas& canvas, int px, int py, int cellKind, bool extra) const {
    const TKletkaGraphics* look = CellKindLook(*this, cellKind);
    if (!look || look->NoPaint) return;
    canvas.Pen = {look->PenColor.ToRgb(), ClampToInt(int64_t{Scale} * PenWidth), TPenStyle::Solid};
    canvas.Brush = {look->BrushColor.ToRgb(), look->NoFill ? TBrushStyle::Clear : TBrushStyle::Solid};
    canvas.Polygon(Hexagon(px, py, ClampToInt(int64_t{Scale} * CellSize)));
}

void THoneyShablon::EditorDrawCell(TCommandWriter& writer, int ex, int ey, int cellKind, bool extra) const {
    const TKletkaGraphics* look = CellKindLook(*this, cellKind);
    if (!look || look->NoPaint) return;
    std::vector<std::pair<int32_t, int32_t>> curve;
    for (const TPoint& p : Hexagon(0, 0, ClampToInt(int64_t{Scale} * CellSize * ExportUnits)))
        curve.emplace_back(ToEditorRange(int64_t{ex} + p.X), ToEditorRange(int64_t{ey} - p.Y));
    writer.Curve(curve, true);
    writer.ApplyStyle(CellKindStyle(cellKind));
}

// ---- the working views ----

std::vector<TPoint> THoneyShablon::ViewShape(int px, int py, int s) const {
    return Hexagon(px, py, s);
}

TPoint THoneyShablon::ViewPoint(int x, int y, const TFastDrawParameters& parameters) const {
    const double s = std::max(parameters.Zoom, 1);
    return {RoundEven((x - static_cast<double>(parameters.FirstColumn) + (y & 1) / 2.0) * s * Sqrt3),
            RoundEven(((y - static_cast<double>(parameters.FirstRow)) * 1.5 + 0.5) * s)};
}

TRect THoneyShablon::ViewGridRect(const TFastDrawParameters& parameters) const {
    const double s = std::max(parameters.Zoom, 1);
    const int left = RoundEven(-parameters.FirstColumn * s * Sqrt3), top = RoundEven(-parameters.FirstRow * s * 1.5);
    return {left, top, RoundEven(left + (Width + 0.5) * s * Sqrt3), RoundEven(top + (Height * 1.5 + 0.5) * s)};
}

int THoneyShablon::ViewNumberHeight(int s) const {
    return RoundEven(s / 1.7);
}

void THoneyShablon::PixelsToCells(int pixelWidth, int pixelHeight, const TFastDrawParameters& parameters,
                                  int& columns, int& rows) const {
    const double s = std::max(parameters.Zoom, 1);
    // The shifted rows and the top vertices reach one cell further.
    columns = std::max(0, static_cast<int>(std::ceil(pixelWidth / (s * Sqrt3))) + 1);
    rows = std::max(0, static_cast<int>(std::ceil(pixelHeight / (s * 1.5))) + 1);
}

std::vector<TPoint> THoneyShablon_8::ViewShape(int px, int py, int s) const {
    const int right = ClampToInt(int64_t{px} + s), bottom = ClampToInt(int64_t{py} + s);
    return {{px, py}, {right, py}, {right, bottom}, {px, bottom}};
}

TPoint THoneyShablon_8::ViewPoint(int x, int y, const TFastDrawParameters& parameters) const {
    const int64_t s = std::max(parameters.Zoom, 1);
    return {ClampToInt(s * (x - int64_t{parameters.FirstColumn})), ClampToInt(s * (y - int64_t{parameters.FirstRow}))};
}

TRect THoneyShablon_8::ViewGridRect(const TFastDrawParameters& parameters) const {
    const TPoint corner = ViewPoint(0, 0, parameters), end = ViewPoint(Width, Height, parameters);
    return {corner.X, corner.Y, end.X, end.Y};
}

void THoneyShablon_8::PixelsToCells(int pixelWidth, int pixelHeight, const TFastDrawParameters& parameters,
                                    int& columns, int& rows) const {
    const int64_t s = std::max(parameters.Zoom, 1);
    columns = static_cast<int>(std::max<int64_t>(0, (pixelWidth + s - 1) / s));
    rows = static_cast<int>(std::max<int64_t>(0, (pixelHeight + s - 1) / s));
}

void TBaseHoneyShablon::FastDraw(TFastDrawParameters parameters, TBitmap& bitmap) {
    const TFastDrawParameters& p = parameters;
    const int s = std::max(p.Zoom, 1);
    BeginDrawing();
    if (AutoCheck) CheckTemplate();
    const bool onPath = p.PathMode == 1 || p.PathMode == 2;
    const bool marksShown = (p.ShowDetails && AutoCheck) || p.ShowMarks;

    TCanvas canvas(bitmap);
    canvas.Brush = {WindowColor, TBrushStyle::Solid};
    canvas.FillRect({0, 0, bitmap.Width(), bitmap.Height()});
    if (p.ShowDetails && BackgroundPicture.find_first_not_of(' ') != std::string::npos) {
        const int index = BackgroundPicture == CollectionBackground ? Pictures.IndexOfName(BackgroundPicture) : -1;
        const std::shared_ptr<const TPicture> picture =
            index >= 0 ? Pictures.SharedPicture(index)
                       : std::shared_ptr<const TPicture>(TPicture::FromFile(BackgroundPicture));
        DrawPictureFitted(canvas, picture, ViewGridRect(p), true);
    }

    std::vector<TPoint> centres;
    for (int y = 0; y < Height; ++y)
        for (int x = 0; x < Width; ++x) {
            if ((x < p.FirstColumn - 1 && p.FirstColumn != 0) || (y < p.FirstRow - 1 && p.FirstRow != 0)) continue;
            const TPoint at = ViewPoint(x, y, p);
            if (at.X >= bitmap.Width() || at.Y >= bitmap.Height()) continue;
            const bool selected = p.SelectionOn && p.SelX0 <= x && x <= p.SelX1 && p.SelY0 <= y && y <= p.SelY1;
            TColor fill = selected ? Navy : WindowColor;
            if (IsLetterCell(x, y)) {
                fill = selected ? Blue : White;
                if (p.HighlightOn && Listed(p.HighlightCells, x, y)) fill = Yellow;
                if (onPath && Listed(p.PathCells, x, y)) fill = Yellow;
                if (onPath && p.CurrentWord && p.CurrentWord->IndexOfCell(x, y) >= 0) fill = Blue;
            }
            const std::vector<TPoint> shape = ViewShape(at.X, at.Y, s);
            canvas.Pen = {Black, 1, TPenStyle::Solid};
            canvas.Brush = {fill, TBrushStyle::Solid};
            canvas.Polygon(shape);
            if (!p.ShowDetails) continue;

            const int textX = ClampToInt(int64_t{at.X} + s / 10 + 2), textY = ClampToInt(int64_t{at.Y} + s / 10 + 1);
            canvas.Font = TFont{};
            canvas.TextAlign = TTextAlign::Top;
            const int keyWordNumber = KeyWordNumberAt(x, y);
            if (keyWordNumber > 0) {
                canvas.Font.Name = "Arial Cyr";
                canvas.Font.Height = s / 2;
                canvas.Font.Color = White;
                canvas.Brush = {Silver, TBrushStyle::Solid};
                canvas.TextOut(textX, textY, std::to_string(keyWordNumber));
            }
            if (IsNumbered(x, y)) {
                canvas.Font.Name = "Arial Cyr";
                canvas.Font.Height = ViewNumberHeight(s);
                canvas.Font.Color = Red;
                canvas.Brush.Style = TBrushStyle::Clear;
                canvas.TextOut(textX, textY, std::to_string(GetNumber(x, y)));
            }
            if (IsRingCentre(x, y)) centres.push_back({x, y});
            if (marksShown) {
                const uint16_t m = MarksAt(x, y);
                // Both marks stand inside the lower right corner of the cell.
                const TPoint corner = *std::max_element(shape.begin(), shape.end(), [](const TPoint& a, const TPoint& b) {
                    return int64_t{a.X} + a.Y < int64_t{b.X} + b.Y;
                });
                const int side = std::max(2, s / 5);
                const auto mark = [&](TColor color, int bottom) {
                    canvas.Brush = {color, TBrushStyle::Solid};
                    canvas.FillRect({corner.X - side - 2, bottom - side, corner.X - 2, bottom});
                };
                if (ShowsLowerMark(m, MarkMask)) mark(Red, corner.Y - 2);
                if (ShowsUpperMark(m, MarkMask)) mark(UpperMark, corner.Y - side - 4);
            }
        }
    // The strokes reach over the neighbours, so they come last.
    for (const TPoint& c : centres) {
        const TPoint at = ViewPoint(c.X, c.Y, p);
        CanvasDrawHoneyArrows(canvas, at.X, at.Y, s, RingStart(c.X, c.Y));
    }
}
