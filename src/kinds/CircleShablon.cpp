#include "CircleShablon.h"

#include "export/ComExport.h"
#include "export/ScriptWriter.h"
#include "platform/Bitmap.h"
#include "platform/IniFile.h"
#include "platform/Picture.h"
#include "platform/Text.h"
#include "platform/Ui.h"
#include "template/CoordList.h"
#include "template/GlobalOption.h"
#include "template/ShablonDrawing.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>

namespace {

constexpr std::string_view CircleSection = "CIRCLE";
constexpr char LetterCellByte = 0x01;
constexpr char OtherCellByte = 0x02;
// The parity bytes follow the kind, width and height; the cells follow them.
constexpr std::size_t ParityAt = 3;
constexpr std::size_t CellsAt = 7;
constexpr int64_t ExportUnits = 1000;
// The view's scale is Zoom * ViewUnits / BaseRadius.
constexpr double ViewUnits = 15;
constexpr double NumberSizePerZoom = 0.3;
constexpr std::string_view CollectionBackground = "background";

using namespace ViewLook;

int ClampToInt(int64_t v) {
    return static_cast<int>(std::clamp<int64_t>(v, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

int Modulo(int value, int n) {
    const int r = value % n;
    return r < 0 ? r + n : r;
}

float FactorOf(uint8_t speed) {
    return 1.0f - static_cast<float>(speed) / 100.0f;
}

// r(n) of the ring settings, in 64 bits.
int64_t RadiusOf(int32_t base, float factor, int n) {
    float power = 1.0f;
    for (int i = 0; i < n + 2; ++i) power *= factor;
    return std::llround(std::clamp<double>(RoundEven(static_cast<double>(base) * power), 0, INT_MAX));
}

// A drawing point in export units.
std::pair<int32_t, int32_t> ExportPoint(TPoint p) {
    return {ClampToInt(int64_t{p.X} * ExportUnits), ClampToInt(-int64_t{p.Y} * ExportUnits)};
}

// True when p lies on the same side of the line a-b as inside, or on the line.
bool SameSide(TPoint a, TPoint b, TPoint p, TPoint inside) {
    const auto cross = [&](TPoint q) {
        return (int64_t{b.X} - a.X) * (int64_t{q.Y} - a.Y) - (int64_t{b.Y} - a.Y) * (int64_t{q.X} - a.X);
    };
    const int64_t side = cross(p), reference = cross(inside);
    return side == 0 || (side > 0) == (reference > 0);
}

void AppendPoint(std::string& contour, int x, int y, int corner) {
    contour += static_cast<char>(static_cast<uint8_t>(x));
    contour += static_cast<char>(static_cast<uint8_t>(y));
    contour += static_cast<char>(static_cast<uint8_t>(corner));
}

}  // namespace

// ---- geometry ----

TRingGeometry::TRingGeometry(const TCircleShablon& shablon, double zoom)
    : mWidth(std::max<int>(shablon.Width, 1)),
      mZoom(zoom),
      mBase(shablon.EffectiveBaseRadius()),
      mFactor(shablon.RingFactor()) {
    mCentre = {RoundEven(shablon.GetPixelWidth() / 2 * zoom), RoundEven(shablon.GetPixelHeight() / 2 * zoom)};
    for (int n = -2; n <= shablon.Height + 1; ++n) mRadii.push_back(static_cast<double>(RadiusOf(mBase, mFactor, n)));
}

double TRingGeometry::Radius(int n) const {
    n = std::max(n, -2);
    const std::size_t i = static_cast<std::size_t>(n + 2);
    const double r = i < mRadii.size() ? mRadii[i] : static_cast<double>(RadiusOf(mBase, mFactor, n));
    return r * mZoom;
}

double TRingGeometry::Angle(int x, int y) const {
    return std::numbers::pi / 2 + (std::numbers::pi * y - 2 * std::numbers::pi * x) / mWidth;
}

TPoint TRingGeometry::At(double angle, double radius) const {
    return {ClampToInt(int64_t{mCentre.X} + RoundEven(radius * std::cos(angle))),
            ClampToInt(int64_t{mCentre.Y} - RoundEven(radius * std::sin(angle)))};
}

TPoint TRingGeometry::Corner(int x, int y, int corner) const {
    switch (corner) {
        case CircleCorner::SideBefore: return At(Angle(x, y + 1), Radius(y));
        case CircleCorner::Outer: return At(Angle(x, y), Radius(y - 1));
        case CircleCorner::SideAfter: return At(Angle(x + 1, y + 1), Radius(y));
        default: return At(Angle(x, y), Radius(y + 1));
    }
}

std::vector<TPoint> TRingGeometry::Cell(int x, int y) const {
    return {Corner(x, y, CircleCorner::SideBefore), Corner(x, y, CircleCorner::Outer),
            Corner(x, y, CircleCorner::SideAfter), Corner(x, y, CircleCorner::Inner)};
}

TPoint TRingGeometry::Letter(int x, int y) const {
    return At(Angle(x, y), Radius(y));
}

TPoint TRingGeometry::NumberPoint(int x, int y) const {
    return At(Angle(x, y), (Radius(0) + Radius(-1)) / 2);
}

// ---- the template ----

TCircleShablon::TCircleShablon(int width, int height) : TShablon(width, height, TShablonKind::Circle) {
    UsesDigits = true;
    MarkWordCells();
}

void TCircleShablon::MarkWordCells() {
    TShablonWords words;
    for (int x = 0; x < Width; ++x)
        for (int y = 0; y < Height; ++y) {
            WordsThroughCell(x, y, words);
            SetLetterCellOnly(x, y, words.Count() > 0);
        }
}

uint8_t TCircleShablon::EffectiveSpeedOfChangeRadius() const {
    // A ring 100 per cent smaller has no radius left, and beyond that the radii turn negative.
    return SpeedOfChangeRadius > 99 ? DefaultSpeedOfChangeRadius : SpeedOfChangeRadius;
}

int32_t TCircleShablon::EffectiveBaseRadius() const {
    // Below 1 the view's scale divides by zero; the picture is 2 * r(-1) wide, and its export
    // positions (times the scale and 1000) must fit in 32 bits.
    if (BaseRadius < 1) return DefaultBaseRadius;
    const int64_t outer = RadiusOf(BaseRadius, FactorOf(EffectiveSpeedOfChangeRadius()), -1);
    const int64_t exportSide = (2 * outer + GridMargin()) * ExportUnits * std::max<int64_t>(Scale, 1);
    return exportSide > std::numeric_limits<int32_t>::max() ? DefaultBaseRadius : BaseRadius;
}

float TCircleShablon::RingFactor() const {
    return FactorOf(EffectiveSpeedOfChangeRadius());
}

int TCircleShablon::RingRadius(int n) const {
    return static_cast<int>(RadiusOf(EffectiveBaseRadius(), RingFactor(), n));
}

double TCircleShablon::LetterScale(int y) const {
    if (!AutoDecreaseChars) return 1;
    double scale = 1;
    for (int i = 0; i < y; ++i) scale *= RingFactor();
    return scale;
}

void TCircleShablon::WordsThroughCell(int x, int y, TShablonWords& words) const {
    words.Clear();
    if (IsOutside(x, y)) return;
    if (x % 2 == 0) words.AddWord(x, 0, Height, std::string(Height - 1, '2'));
    // The start column decides, not (x, y): with an odd number of columns a diagonal that wraps
    // past column 0 changes the parity of x - y along its way.
    const int start = Modulo(x - y, Width);
    if ((start % 2 == 0) == Parity) words.AddWord(start, 0, Height, std::string(Height - 1, '3'));
}

bool TCircleShablon::ParseTemplate(std::string_view text, int x0, int y0) {
    if (text.size() <= ParityAt + 3) {
        TheUi().Message("Неверный формат шаблона!"_cp);
        return false;
    }
    if (SmallNumberOf(text[0]) != static_cast<int>(TShablonKind::Circle)) {
        TheUi().Message("Несовместимый тип шаблона!"_cp);
        return false;
    }
    const int w = SmallNumberOf(text[1]);
    const int h = SmallNumberOf(text[2]);
    // A short text is refused before anything changes.
    if (text.size() < CellsAt + static_cast<std::size_t>(w) * h) {
        TheUi().Message("Неверный формат шаблона!"_cp);
        return false;
    }
    Parity = text[ParityAt] == 1;
    ClearRect(x0, y0, x0 + w - 1, y0 + h - 1, false);
    std::size_t p = CellsAt;
    for (int x = x0; x < x0 + w; ++x)
        for (int y = y0; y < y0 + h; ++y, ++p) SetLetterCell(x, y, text[p] == LetterCellByte);
    return true;
}

std::string TCircleShablon::SerializeTemplate(int x0, int y0, int x1, int y1) const {
    std::string text;
    text += SmallNumberChar(static_cast<int>(Kind));
    text += SmallNumberChar(x1 - x0 + 1);
    text += SmallNumberChar(y1 - y0 + 1);
    text += static_cast<char>(Parity ? 1 : 0);
    text.append(3, '\0');
    for (int x = x0; x <= x1; ++x)
        for (int y = y0; y <= y1; ++y) text += IsLetterCell(x, y) ? LetterCellByte : OtherCellByte;
    return text;
}

void TCircleShablon::NumberCells() {
    for (int x = 0; x < Width; ++x) SetNumbered(x, 0, false);
    for (int x = 0; x < Width; ++x) {
        if (!Parity)
            SetNumber(x, 0, x + 1);
        else if (x % 2 == 0)
            SetNumber(x, 0, x / 2 + 1);
    }
}

void TCircleShablon::MarkInnerBlanks() {
    for (int x = 0; x < Width; ++x)
        for (int y = 0; y < Height; ++y)
            SetInnerBlank(x, y, y >= FirstInnerRow() && y <= Height - 2 && !IsLetterCell(x, y));
}

void TCircleShablon::GetUsedBounds(int& minX, int& minY, int& endX, int& endY) const {
    minX = 0;
    minY = 0;
    endX = Width;
    endY = Height;
}

int TCircleShablon::GetPixelWidth() const {
    return ClampToInt(2 * int64_t{RingRadius(-1)} + GridMargin());
}

int TCircleShablon::GetPixelHeight() const {
    return GetPixelWidth();
}

void TCircleShablon::ExportToCanvas(int ex, int ey, int& px, int& py, bool full) const {
    px = static_cast<int>(ex / ExportUnits);
    py = ClampToInt(-int64_t{ey} / ExportUnits);
}

int TCircleShablon::ContourRow(uint8_t row) {
    return row <= MaxSide ? row : row - 256;
}

void TCircleShablon::TraceOutline(bool outlineOnly, std::vector<std::string>& contours) const {
    contours.clear();
    const int h = Height;
    std::string outer;
    for (int x = 0; x < Width; ++x) {
        if (Parity && x % 2 == 0) AppendPoint(outer, x, 2, CircleCorner::Outer);
        AppendPoint(outer, x, 1, CircleCorner::Outer);
        if (!Parity || x % 2 == 0) AppendPoint(outer, x, 0, CircleCorner::Outer);
    }
    contours.push_back(outer);

    std::string inner;
    const bool twoRows = Parity == (h % 2 == 0);
    for (int x = 0; x < Width; ++x) {
        if (twoRows || x % 2 == 0) AppendPoint(inner, x, h - 1, CircleCorner::Inner);
        AppendPoint(inner, x, h - 2, CircleCorner::Inner);
        if (!twoRows && x % 2 == 0) AppendPoint(inner, x, h - 3, CircleCorner::Inner);
    }
    contours.push_back(inner);

    if (outlineOnly) return;
    for (int y = FirstInnerRow(); y <= h - 2; ++y)
        for (int x = 0; x < Width; ++x) {
            if (IsLetterCell(x, y)) continue;
            std::string cell;
            for (const int corner : {CircleCorner::SideBefore, CircleCorner::Outer, CircleCorner::SideAfter,
                                     CircleCorner::Inner})
                AppendPoint(cell, x, y, corner);
            contours.push_back(cell);
        }
}

void TCircleShablon::ExportCell(int x, int y, int x0, int y0, TComExport& list) const {
    if (IsOutside(x, y)) return;
    if (IsLetterCell(x, y)) {
        if (KeyWordCellLook.NoPaint || KeyWordNumberAt(x, y) < 0)
            list.AddCanvasCell(x, y, false, CellKind::Letter);
        else
            list.AddCanvasKeyWordNumber(x, y, x, y);
        if (IsNumbered(x, y)) list.AddCanvasNumber(x, y, GetNumber(x, y));
    } else if (BlankCellLook.ShowOutside || IsInnerBlank(x, y)) {
        list.AddCanvasCell(x, y, false, CellKind::Other);
    }
}

// ---- style files ----

bool TCircleShablon::LoadStyle(const std::string& fileName) {
    if (!TShablon::LoadStyle(fileName)) return false;
    const TIniFile ini(FindOptionFile(fileName));
    const auto read = [&](std::string_view key, int32_t& field, int32_t malformed) {
        if (ini.ValueExists(CircleSection, key)) field = ini.ReadInteger(CircleSection, key, malformed);
    };
    const auto readBool = [&](std::string_view key, bool& field) {
        int32_t value = field ? 1 : 0;
        read(key, value, 1);
        field = value != 0;
    };
    int32_t speed = SpeedOfChangeRadius;
    read("BASE_RADIUS", BaseRadius, DefaultBaseRadius);
    read("SPEED_OF_CHANGE_RADIUS", speed, DefaultSpeedOfChangeRadius);
    SpeedOfChangeRadius = speed < 0 || speed > 99 ? DefaultSpeedOfChangeRadius : static_cast<uint8_t>(speed);
    BaseRadius = EffectiveBaseRadius();
    // The key is written under its other name, so both are read.
    readBool("NOT_USE_CURVE", NotUseCurve);
    readBool("NotUseCurve", NotUseCurve);
    readBool("AUTO_DECREASE_CHARS", AutoDecreaseChars);
    return true;
}

bool TCircleShablon::WriteStyle(TIniFile& ini) {
    bool ok = TShablon::WriteStyle(ini);
    ok = ini.WriteInteger(CircleSection, "BASE_RADIUS", BaseRadius) && ok;
    ok = ini.WriteInteger(CircleSection, "SPEED_OF_CHANGE_RADIUS", SpeedOfChangeRadius) && ok;
    ok = ini.WriteBool(CircleSection, "NotUseCurve", NotUseCurve) && ok;
    return ini.WriteBool(CircleSection, "AUTO_DECREASE_CHARS", AutoDecreaseChars) && ok;
}

// ---- the picture ----

void TCircleShablon::CanvasDrawOutline(TCanvas& canvas, int x, int y, int x0, int y0,
                                       std::string_view contour) const {
    if (contour.empty()) return;
    const TRingGeometry ring(*this, Scale);
    std::vector<TPoint> points{ring.Corner(x, y, static_cast<uint8_t>(contour[0]))};
    for (std::size_t i = 1; i + 2 < contour.size(); i += 3)
        points.push_back(ring.Corner(static_cast<uint8_t>(contour[i]), ContourRow(static_cast<uint8_t>(contour[i + 1])),
                                     static_cast<uint8_t>(contour[i + 2])));
    points.push_back(points.front());
    canvas.Pen = {WideOutline.Color.ToRgb(), ClampToInt(int64_t{WideOutline.Width} * Scale), TPenStyle::Solid};
    canvas.Polyline(points);
}

void TCircleShablon::CanvasDrawCell(TCanvas& canvas, int px, int py, int cellKind, bool extra) const {
    const TKletkaGraphics* look = CellKindLook(*this, cellKind);
    if (!look || look->NoPaint) return;
    canvas.Pen = {look->PenColor.ToRgb(), ClampToInt(int64_t{Scale} * PenWidth), TPenStyle::Solid};
    canvas.Brush = {look->BrushColor.ToRgb(), look->NoFill ? TBrushStyle::Clear : TBrushStyle::Solid};
    canvas.Polygon(TRingGeometry(*this, Scale).Cell(px, py));
}

void TCircleShablon::CanvasDrawCentredDigits(TCanvas& canvas, TPoint at, int number,
                                             const TDigitGraphics& look) const {
    // The base draws digits centred in a cell's box: a box centred on the point.
    TDigitGraphics centred = look;
    centred.AlignX = 2;
    centred.AlignY = 2;
    CanvasDrawDigits(canvas, ClampToInt(int64_t{at.X} - GetCellPixelWidth() / 2),
                     ClampToInt(int64_t{at.Y} - GetCellPixelHeight() / 2), number, centred);
}

void TCircleShablon::CanvasDrawNumber(TCanvas& canvas, int px, int py, int number) const {
    CanvasDrawCentredDigits(canvas, TRingGeometry(*this, Scale).NumberPoint(px, py), number, DigitLook);
}

// The key-word number stands between the letter and the inner corner, clear of the letter.
void TCircleShablon::CanvasDrawKeyWordNumber(TCanvas& canvas, int px, int py, int x, int y) const {
    const int n = KeyWordNumberAt(x, y);
    if (n < 0 || KeyWordCellLook.NoPaint) return;
    CanvasDrawCell(canvas, px, py, CellKind::KeyWord, false);
    const TRingGeometry ring(*this, Scale);
    const TPoint at = ring.At(ring.Angle(px, py), (ring.Radius(py) + ring.Radius(py + 1)) / 2);
    CanvasDrawCentredDigits(canvas, at, n, KeyWordDigitLook);
}

// ---- the vector-editor export ----

void TCircleShablon::EditorDrawOutline(TCommandWriter& writer, int x, int y, int x0, int y0,
                                       std::string_view contour) const {
    if (contour.empty()) return;
    const TRingGeometry ring(*this, Scale);
    std::vector<std::pair<int32_t, int32_t>> curve{ExportPoint(ring.Corner(x, y, static_cast<uint8_t>(contour[0])))};
    for (std::size_t i = 1; i + 2 < contour.size(); i += 3)
        curve.push_back(ExportPoint(ring.Corner(static_cast<uint8_t>(contour[i]),
                                                ContourRow(static_cast<uint8_t>(contour[i + 1])),
                                                static_cast<uint8_t>(contour[i + 2]))));
    writer.Curve(curve, true);
    writer.ApplyStyle("WIDE_ABRIS");
}

void TCircleShablon::EditorDrawCell(TCommandWriter& writer, int ex, int ey, int cellKind, bool extra) const {
    const TKletkaGraphics* look = CellKindLook(*this, cellKind);
    if (!look || look->NoPaint) return;
    std::vector<std::pair<int32_t, int32_t>> curve;
    for (const TPoint& corner : TRingGeometry(*this, Scale).Cell(ex, ey)) curve.push_back(ExportPoint(corner));
    writer.Curve(curve, true);
    writer.ApplyStyle(CellKindStyle(cellKind));
}

void TCircleShablon::EditorDrawCentredDigits(TCommandWriter& writer, TPoint at, int number, std::string_view style,
                                             const TDigitGraphics& look) const {
    if (look.Hidden) return;
    const auto [ex, ey] = ExportPoint(at);
    writer.CreateArtisticText(std::to_string(number), ex, ey);
    writer.ApplyStyle(style);
    writer.CentreInBox(TEditorBox{ex, ey, 0, 0});
}

void TCircleShablon::EditorDrawNumber(TCommandWriter& writer, int ex, int ey, int number) const {
    EditorDrawCentredDigits(writer, TRingGeometry(*this, Scale).NumberPoint(ex, ey), number, "DIGITS", DigitLook);
}

void TCircleShablon::EditorDrawKeyWordNumber(TCommandWriter& writer, int ex, int ey, int x, int y) const {
    const int n = KeyWordNumberAt(x, y);
    if (n < 0 || KeyWordCellLook.NoPaint) return;
    EditorDrawCell(writer, ex, ey, CellKind::KeyWord, false);
    const TRingGeometry ring(*this, Scale);
    const TPoint at = ring.At(ring.Angle(ex, ey), (ring.Radius(ey) + ring.Radius(ey + 1)) / 2);
    EditorDrawCentredDigits(writer, at, n, "KEY_WORD_DIGITS", KeyWordDigitLook);
}

// ---- the working view ----

double TCircleShablon::ViewScale(const TFastDrawParameters& parameters) const {
    return parameters.Zoom * ViewUnits / EffectiveBaseRadius();
}

TPoint TCircleShablon::ViewOffset(const TFastDrawParameters& parameters) const {
    const double k = ViewScale(parameters);
    return {RoundEven(static_cast<double>(GetPixelWidth()) * parameters.FirstColumn * k / std::max<int>(Width, 1)),
            RoundEven(static_cast<double>(GetPixelHeight()) * parameters.FirstRow * k / std::max<int>(Height, 1))};
}

void TCircleShablon::PixelsToCells(int pixelWidth, int pixelHeight, const TFastDrawParameters& parameters,
                                   int& columns, int& rows) const {
    columns = Width;
    rows = Height;
}

void TCircleShablon::PixelToCell(int px, int py, const TFastDrawParameters& parameters, int& x, int& y) const {
    x = -1;
    y = -1;
    const TRingGeometry ring(*this, ViewScale(parameters));
    const TPoint offset = ViewOffset(parameters);
    const TPoint p{ClampToInt(int64_t{px} + offset.X), ClampToInt(int64_t{py} + offset.Y)};
    for (int cx = 0; cx < Width; ++cx)
        for (int cy = 0; cy < Height; ++cy) {
            const std::vector<TPoint> corners = ring.Cell(cx, cy);
            const TPoint letter = ring.Letter(cx, cy);
            bool inside = true;
            for (std::size_t i = 0; i < corners.size() && inside; ++i)
                inside = SameSide(corners[i], corners[(i + 1) % corners.size()], p, letter);
            if (inside) {
                x = cx;
                y = cy;
                return;
            }
        }
}

void TCircleShablon::FastDraw(TFastDrawParameters parameters, TBitmap& bitmap) {
    const TFastDrawParameters& p = parameters;
    const TRingGeometry ring(*this, ViewScale(p));
    const TPoint offset = ViewOffset(p);
    const auto shifted = [&](TPoint point) {
        return TPoint{ClampToInt(int64_t{point.X} - offset.X), ClampToInt(int64_t{point.Y} - offset.Y)};
    };
    TCanvas canvas(bitmap);
    canvas.Brush = {WindowColor, TBrushStyle::Solid};
    canvas.FillRect({0, 0, bitmap.Width(), bitmap.Height()});
    if (p.ShowDetails && BackgroundPicture.find_first_not_of(' ') != std::string::npos) {
        std::shared_ptr<const TPicture> picture;
        const int index = BackgroundPicture == CollectionBackground ? Pictures.IndexOfName(BackgroundPicture) : -1;
        picture = index >= 0 ? Pictures.SharedPicture(index) : std::shared_ptr<const TPicture>(TPicture::FromFile(BackgroundPicture));
        const TPoint corner = shifted({0, 0});
        const TPoint far = shifted(ring.At(0, 0));
        DrawPictureFitted(canvas, picture, TRect{corner.X, corner.Y, 2 * far.X - corner.X, 2 * far.Y - corner.Y}, true);
    }

    canvas.Pen = {Black, 1, TPenStyle::Solid};
    for (int x = 0; x < Width; ++x)
        for (int y = 0; y < Height; ++y) {
            const bool selected = p.SelectionOn && p.SelX0 <= x && x <= p.SelX1 && p.SelY0 <= y && y <= p.SelY1;
            const bool highlighted =
                p.HighlightOn && p.HighlightCells && p.HighlightCells->IndexOfCell(x, y) >= 0;
            const bool letter = IsLetterCell(x, y);
            TBrush brush{White, TBrushStyle::Clear};
            if (letter) brush = {selected ? Blue : highlighted ? Yellow : White, TBrushStyle::Solid};
            else if (selected) brush = {Navy, TBrushStyle::Solid};
            canvas.Brush = brush;
            std::vector<TPoint> corners = ring.Cell(x, y);
            for (TPoint& corner : corners) corner = shifted(corner);
            canvas.Polygon(corners);
        }

    if (!p.ShowDetails) return;
    canvas.Font.Name = "Arial";
    canvas.Font.SetSize(RoundEven(p.Zoom * NumberSizePerZoom));
    canvas.Font.Bold = false;
    canvas.Font.Italic = false;
    canvas.Font.Color = Red;
    canvas.Brush.Style = TBrushStyle::Clear;
    canvas.TextAlign = TTextAlign::Baseline;
    for (int x = 0; x < Width; ++x) {
        if (!IsNumbered(x, 0)) continue;
        const std::string text = std::to_string(GetNumber(x, 0));
        const TPoint at = shifted(ring.NumberPoint(x, 0));
        canvas.TextOut(at.X - canvas.TextWidth(text) / 2, at.Y + canvas.FontAscent() / 2, text);
    }
}
