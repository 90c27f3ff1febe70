#include "JaponishShablon.h"

#include "export/ComExport.h"
#include "export/ScriptWriter.h"
#include "platform/Bitmap.h"
#include "platform/Canvas.h"
#include "platform/Metafile.h"
#include "platform/IniFile.h"
#include "platform/Text.h"
#include "platform/Ui.h"
#include "template/GlobalOption.h"
#include "template/ShablonWords.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>
#include <memory>

namespace {

constexpr std::string_view Section = "JAPONISH";
constexpr std::string_view SetkaStyle = "SETKA_STYLE";
constexpr int64_t ExportUnits = 1000;
constexpr const char* LineEnd = "\r\n";
constexpr int32_t MaxSetkaWidthTenths = 1000;  // guide lines a hundred pens wide
// Text positions (0-based) of the palette and the cells, new form and old form.
constexpr std::size_t PaletteAt = 4;
constexpr std::size_t NewCellsAt = PaletteAt + 16 * 5;
constexpr std::size_t OldCellsAt = PaletteAt + 16 * 4;
constexpr uint8_t NewFormBit = 0x80;

constexpr std::array<uint32_t, TJaponishShablon::PaletteSize> DefaultPalette{
    0xFFFFFF, 0x000080, 0x008000, 0x008080, 0x800000, 0x800080, 0x808000, 0x808080,
    0xC0C0C0, 0x0000FF, 0x00FF00, 0x00FFFF, 0xFF0000, 0xFF00FF, 0xFFFF00, 0x000000};

int ClampToInt(int64_t v) {
    return static_cast<int>(std::clamp<int64_t>(v, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

uint32_t ReadLittle32(std::string_view text, std::size_t at) {
    uint32_t v = 0;
    for (int i = 3; i >= 0; --i) v = v << 8 | static_cast<uint8_t>(text[at + i]);
    return v;
}

void BadText() {
    TheUi().Message("Неверный формат шаблона!"_cp);
}

}  // namespace

TJaponishShablon::TJaponishShablon(int width, int height) : TShablon(width, height, TShablonKind::Japonish) {
    for (int i = 0; i < PaletteSize; ++i) Palette[i] = RgbColor(DefaultPalette[i]);
    UsesWalls = false;
    UsesArrows = false;
    UsesDigits = true;
    KeyWordAllowed = false;
}

bool TJaponishShablon::IsLetterCell(int x, int y) const {
    return InArray(x, y) && ColorAt(x, y) != BackgroundColor;
}

void TJaponishShablon::SetLetterCellOnly(int x, int y, bool on) {
    SetColorAt(x, y, on ? CurrentColor : BackgroundColor);
}

int TJaponishShablon::ColorAt(int x, int y) const {
    return InArray(x, y) ? Cells[Index(x, y)].Number : 0;
}

void TJaponishShablon::SetColorAt(int x, int y, int color) {
    if (IsOutside(x, y)) return;
    Cells[Index(x, y)].Number = static_cast<uint16_t>(color);
}

// ---- runs ----

template <class TCellOf>
std::vector<TColorRun> TJaponishShablon::RunsOf(int count, TCellOf cell) const {
    std::vector<TColorRun> runs;
    int previous = BackgroundColor;
    for (int i = 0; i < count; ++i) {
        const int c = cell(i);
        if (c == BackgroundColor) {
            previous = c;
            continue;
        }
        const bool joins = previous != BackgroundColor && (ColorCount == 2 || previous == c);
        if (joins)
            ++runs.back().Length;
        else
            runs.push_back({1, c});
        previous = c;
    }
    return runs;
}

std::vector<TColorRun> TJaponishShablon::RowRuns(int y) const {
    return RunsOf(Width, [&](int i) { return ColorAt(i, y); });
}

std::vector<TColorRun> TJaponishShablon::ColumnRuns(int x) const {
    return RunsOf(Height, [&](int i) { return ColorAt(x, i); });
}

uint8_t TJaponishShablon::MaxRowRuns() const {
    std::size_t most = 0;
    for (int y = 0; y < Height; ++y) most = std::max(most, RowRuns(y).size());
    return static_cast<uint8_t>(most);
}

uint8_t TJaponishShablon::MaxColumnRuns() const {
    std::size_t most = 0;
    for (int x = 0; x < Width; ++x) most = std::max(most, ColumnRuns(x).size());
    return static_cast<uint8_t>(most);
}

// ---- text ----

bool TJaponishShablon::ParseTemplate(std::string_view text, int x0, int y0) {
    if (text.size() <= OldCellsAt - 1) {
        BadText();
        return false;
    }
    if (SmallNumberOf(text[0]) != static_cast<int>(TShablonKind::Japonish)) {
        TheUi().Message("Несовместимый тип шаблона!"_cp);
        return false;
    }
    const int w = SmallNumberOf(text[1]);
    const int h = SmallNumberOf(text[2]);
    const uint8_t head = static_cast<uint8_t>(text[3]);
    const bool newForm = head & NewFormBit;
    const std::size_t entry = newForm ? 5 : 4;
    const std::size_t cellsAt = newForm ? NewCellsAt : OldCellsAt;
    // The palette must be whole before anything is taken from it.
    if (text.size() < cellsAt) {
        BadText();
        return false;
    }
    ClearRect(x0, y0, x0 + w - 1, y0 + h - 1, false);
    ColorCount = static_cast<uint8_t>(head & ~NewFormBit);
    for (int i = 0; i < PaletteSize; ++i) {
        const std::size_t at = PaletteAt + i * entry;
        Palette[i].Value = ReadLittle32(text, at);
        Palette[i].Model = newForm ? static_cast<TColorModel>(static_cast<uint8_t>(text[at + 4])) : TColorModel::Rgb;
    }
    std::size_t p = cellsAt;
    for (int x = x0; x < x0 + w; ++x)
        for (int y = y0; y < y0 + h; ++y, ++p) {
            const int color = p < text.size() ? static_cast<uint8_t>(text[p]) : PaletteSize;
            if (color >= PaletteSize) {
                BadText();
                return false;
            }
            SetColorAt(x, y, color);
        }
    if (p < text.size()) {
        const int background = SmallNumberOf(text[p]);
        if (background >= PaletteSize) {
            BadText();
            return false;
        }
        BackgroundColor = static_cast<uint8_t>(background);
    }
    return true;
}

std::string TJaponishShablon::SerializeTemplate(int x0, int y0, int x1, int y1) const {
    std::string text = TextHead(x0, y0, x1, y1);
    text += static_cast<char>(NewFormBit | ColorCount);
    for (const TColorValue& colour : Palette) {
        for (int i = 0; i < 4; ++i) text += static_cast<char>(colour.Value >> (8 * i) & 0xFF);
        text += static_cast<char>(colour.Model);
    }
    for (int x = x0; x <= x1; ++x)
        for (int y = y0; y <= y1; ++y) text += static_cast<char>(ColorAt(x, y));
    text += SmallNumberChar(BackgroundColor);
    return text;
}

// ---- size and statistics ----

int TJaponishShablon::GetPixelWidth() const {
    int minX = 0, minY = 0, endX = 1, endY = 1;
    GetUsedBounds(minX, minY, endX, endY);
    const int tasks = Zadania ? MaxRowRuns() : 0;
    return ClampToInt(int64_t{CellSize} * (endX - minX + tasks) + 2 * int64_t{PenWidth});
}

int TJaponishShablon::GetPixelHeight() const {
    int minX = 0, minY = 0, endX = 1, endY = 1;
    GetUsedBounds(minX, minY, endX, endY);
    const int tasks = Zadania ? MaxColumnRuns() : 0;
    return ClampToInt(int64_t{CellSize} * (endY - minY + tasks) + 2 * int64_t{PenWidth});
}

void TJaponishShablon::CheckTemplate() {
    std::fill(Marks.begin(), Marks.end(), uint16_t{0});
}

std::string TJaponishShablon::GetStatistics() const {
    const int all = Width * Height;
    int working = 0;
    for (int x = 0; x < Width; ++x)
        for (int y = 0; y < Height; ++y) working += IsLetterCell(x, y) ? 1 : 0;
    char percent[32];
    std::snprintf(percent, sizeof percent, "%3.2f%%", working * 100.0 / all);
    std::string text = Format("Тип кроссворда - %s"_cp, KindNames[static_cast<int>(Kind)]) + LineEnd;
    text += Format("Общее число цветов в кроссворде - %d"_cp, int{ColorCount}) + LineEnd;
    text += Format("Общее число клеток кроссворде - %d"_cp, all) + LineEnd;
    text += Format("Общее число рабочих клеток - %d"_cp, working) + LineEnd;
    text += std::string("Процент \"черноты\" - "_cp) + percent + LineEnd;
    return text;
}

// ---- style files ----

bool TJaponishShablon::LoadStyle(const std::string& fileName) {
    if (!TShablon::LoadStyle(fileName)) return false;
    const TIniFile ini(FindOptionFile(fileName));
    // A number outside what its field holds is held to the range and noted.
    const auto readInt = [&](const std::string& key, int32_t& field, int32_t malformed, int32_t min = INT32_MIN,
                             int32_t max = INT32_MAX) {
        if (ini.ValueExists(Section, key)) field = ReadIniInRange(ini, Section, key, malformed, min, max, StyleClamps);
    };
    const auto readBool = [&](const std::string& key, bool& field, bool malformed) {
        int32_t v = field ? 1 : 0;
        readInt(key, v, malformed ? 1 : 0);
        field = v != 0;
    };
    const auto readColor = [&](const std::string& key, TColorValue& colour, uint32_t malformed) {
        int32_t v = static_cast<int32_t>(colour.Value);
        readInt(key, v, static_cast<int32_t>(malformed));
        colour.Value = static_cast<uint32_t>(v);
        if (ini.ValueExists(Section, key + "_T")) colour.Model = ReadIniColorModel(ini, Section, key + "_T", StyleClamps);
    };
    readInt("WIDTH", CellSize, 100, 1, MaxStyleLength);
    readInt("PEN_WIDTH", PenWidth, 7, 0, MaxStyleLength);
    if (ini.ValueExists(Section, "BACKGROUND_PICTURE"))
        BackgroundPicture = ini.ReadString(Section, "BACKGROUND_PICTURE", "");
    readBool("ZADANIA", Zadania, true);
    readBool("ZADANIA_PAINT", ZadaniaPaint, true);
    readColor("ZADANIA_COLOR", ZadaniaColor, 0xC0C0C0);
    readColor("ZADANIA_PENCOLOR", ZadaniaPenColor, 0);
    readBool("QUESTIONS_REZIM", QuestionsRezim, false);
    readColor("QUESTIONS_COLOR", QuestionsColor, 0xFFFFFF);
    readColor("QUESTIONS_PENCOLOR", QuestionsPenColor, 0);
    readBool("PAINT_BACKGROUND", PaintBackground, true);
    readBool("SHOW_SETKA", ShowSetka, true);
    readInt("SETKA_STEP", SetkaStep, 5, 1, TShablon::MaxSide);
    readColor("SETKA_COLOR", SetkaColor, 0);
    int32_t setkaWidth = 0;
    readInt("SETKA_WIDTH", setkaWidth, 15, 0, MaxSetkaWidthTenths);
    if (ini.ValueExists(Section, "SETKA_WIDTH")) SetkaWidth = static_cast<float>(setkaWidth) / 10;
    for (int i = 0; i < PaletteSize; ++i) readColor("COLOR_" + std::to_string(i), Palette[i], i == 0 ? 0xFFFFFF : 0);
    return true;
}

bool TJaponishShablon::WriteStyle(TIniFile& ini) {
    bool ok = TShablon::WriteStyle(ini);
    const auto writeInt = [&](const std::string& key, int32_t value) { ok = ini.WriteInteger(Section, key, value) && ok; };
    const auto writeColor = [&](const std::string& key, const TColorValue& colour) {
        writeInt(key, static_cast<int32_t>(colour.Value));
    };
    const auto writeModel = [&](const std::string& key, const TColorValue& colour) {
        writeInt(key + "_T", static_cast<uint8_t>(colour.Model));
    };
    writeInt("WIDTH", CellSize);
    writeInt("PEN_WIDTH", PenWidth);
    ok = ini.WriteString(Section, "BACKGROUND_PICTURE", BackgroundPicture) && ok;
    writeInt("ZADANIA", Zadania);
    writeInt("ZADANIA_PAINT", ZadaniaPaint);
    writeColor("ZADANIA_COLOR", ZadaniaColor);
    writeColor("ZADANIA_PENCOLOR", ZadaniaPenColor);
    writeModel("ZADANIA_COLOR", ZadaniaColor);
    writeModel("ZADANIA_PENCOLOR", ZadaniaPenColor);
    writeInt("QUESTIONS_REZIM", QuestionsRezim);
    writeColor("QUESTIONS_COLOR", QuestionsColor);
    writeColor("QUESTIONS_PENCOLOR", QuestionsPenColor);
    writeModel("QUESTIONS_COLOR", QuestionsColor);
    writeModel("QUESTIONS_PENCOLOR", QuestionsPenColor);
    writeInt("PAINT_BACKGROUND", PaintBackground);
    writeInt("SHOW_SETKA", ShowSetka);
    writeInt("SETKA_STEP", SetkaStep);
    writeColor("SETKA_COLOR", SetkaColor);
    writeModel("SETKA_COLOR", SetkaColor);
    writeInt("SETKA_WIDTH", static_cast<int32_t>(std::lround(SetkaWidth * 10)));
    for (int i = 0; i < PaletteSize; ++i) writeColor("COLOR_" + std::to_string(i), Palette[i]);
    for (int i = 0; i < PaletteSize; ++i) writeModel("COLOR_" + std::to_string(i), Palette[i]);
    return ok;
}

// ---- the export ----

void TJaponishShablon::BuildExport(TComExport& list) {
    NumberCells();
    MarkInnerBlanks();
    int minX = 0, minY = 0, endX = 1, endY = 1;
    GetUsedBounds(minX, minY, endX, endY);
    const int left = Zadania ? MaxRowRuns() : 0;
    const int top = Zadania ? MaxColumnRuns() : 0;
    const int64_t s = int64_t{CellSize} * Scale * ExportUnits;
    const auto ex = [&](int64_t column) { return ClampToInt(column * s); };
    const auto ey = [&](int64_t row) { return ClampToInt(-row * s); };

    list.AddCaption("Экспорт в формате CDR. Внутренняя зона..."_cp);
    list.AddBackground(BackgroundPicture);
    for (int i = minX; i < endX; ++i)
        for (int j = minY; j < endY; ++j) list.AddColorCell(ex(i - minX + left), ey(j - minY + top), i, j, true, 0);

    if (Zadania) {
        list.AddCaption("Экспорт в формате CDR. Задания..."_cp);
        const auto task = [&](int64_t column, int64_t row, const TColorRun* run) {
            const int color = run ? run->Color : BackgroundColor;
            list.AddColorCell(ex(column), ey(row), 0, 0, false, static_cast<uint8_t>(color));
            if (run) list.AddNumberOn(ex(column), ey(row), run->Length, TaskFill(color));
        };
        for (int i = minX; i < endX; ++i) {
            const std::vector<TColorRun> runs = RunsOf(endY - minY, [&](int k) { return ColorAt(i, minY + k); });
            const int n = static_cast<int>(runs.size());
            for (int t = top - 1; t >= 0; --t) {
                const int k = n - (top - t);
                task(i - minX + left, t, k >= 0 ? &runs[k] : nullptr);
            }
        }
        for (int j = minY; j < endY; ++j) {
            const std::vector<TColorRun> runs = RunsOf(endX - minX, [&](int k) { return ColorAt(minX + k, j); });
            const int n = static_cast<int>(runs.size());
            for (int t = left - 1; t >= 0; --t) {
                const int k = n - (left - t);
                task(t, j - minY + top, k >= 0 ? &runs[k] : nullptr);
            }
        }
    }

    // A step below 1 would never advance.
    if (ShowSetka && SetkaStep >= 1) {
        const int columns = endX - minX, rows = endY - minY;
        for (int64_t k = left; k <= left + columns - 1; k += SetkaStep)
            list.AddLine(ex(k), 0, ex(k), ey(top + rows), SetkaStyle);
        for (int64_t t = top; t <= top + rows - 1; t += SetkaStep)
            list.AddLine(0, ey(t), ex(left + columns), ey(t), SetkaStyle);
    }
}

TColorValue TJaponishShablon::TaskFill(int color) const {
    return color == BackgroundColor || ColorCount == 2 ? ZadaniaColor : ShownColor(color);
}

TColorValue TJaponishShablon::ShownColor(int color) const {
    if (ColorCount == 2 && color != BackgroundColor) return Palette[1];
    return Palette[std::clamp(color, 0, PaletteSize - 1)];
}

void TJaponishShablon::CanvasDrawColorCell(TCanvas& canvas, int px, int py, int x2, int y2, bool flag,
                                           int mode) const {
    TColorValue fill;
    TColorValue pen = QuestionsPenColor;
    bool noFill = false;
    if (flag) {
        const int color = ColorAt(x2, y2);
        const bool background = color == BackgroundColor;
        if (QuestionsRezim) {
            fill = QuestionsColor;
        } else {
            if (background && !PaintBackground) return;
            fill = ShownColor(color);
            noFill = background && FillBackground == 0;
        }
    } else {
        if (!Zadania) return;
        const bool empty = mode == BackgroundColor;
        if (empty && !ZadaniaPaint) return;
        fill = TaskFill(mode);
        pen = ZadaniaPenColor;
    }
    const int size = ClampToInt(int64_t{Scale} * CellSize);
    canvas.Pen = {pen.ToRgb(), ClampToInt(int64_t{Scale} * PenWidth), TPenStyle::Solid};
    canvas.Brush = {fill.ToRgb(), noFill ? TBrushStyle::Clear : TBrushStyle::Solid};
    canvas.Rectangle(px, py, ClampToInt(int64_t{px} + size), ClampToInt(int64_t{py} + size));
}

void TJaponishShablon::CanvasDrawLine(TCanvas& canvas, int px1, int py1, int px2, int py2,
                                      std::string_view style) const {
    if (style != SetkaStyle) {
        TShablon::CanvasDrawLine(canvas, px1, py1, px2, py2, style);
        return;
    }
    canvas.Pen = {SetkaColor.ToRgb(), ClampToInt(std::llround(static_cast<double>(Scale) * PenWidth * SetkaWidth)), TPenStyle::Solid};
    canvas.MoveTo(px1, py1);
    canvas.LineTo(px2, py2);
}

void TJaponishShablon::EditorDefineStyles(TCommandWriter& writer) const {
    TShablon::EditorDefineStyles(writer);
    const int64_t pen = int64_t{Scale} * ExportUnits * PenWidth;
    const auto style = [&](std::string_view name, TColorValue outline, TColorValue fill) {
        writer.SetOutlineWidth(ToEditorRange(pen));
        writer.StoreColor(outline);
        writer.SetOutlineColor();
        writer.StoreColor(fill);
        writer.ApplyUniformFillColor();
        writer.SaveStyleProp(name, -1, -1);
    };
    writer.CreateRectangle(StyleShape::Near, StyleShape::Near, StyleShape::Far, StyleShape::Far);
    if (QuestionsRezim) style("QUESTIONS_STYLE", QuestionsPenColor, QuestionsColor);
    for (int i = 0; i < PaletteSize; ++i) style("COLOR_" + std::to_string(i), QuestionsPenColor, Palette[i]);
    style("ZADANIA_STYLE", ZadaniaPenColor, ZadaniaColor);
    writer.DeleteObject();
    if (!ShowSetka) return;
    writer.CreateRectangle(StyleShape::Near, StyleShape::Near, StyleShape::Far, StyleShape::Far);
    writer.SetOutlineWidth(ToEditorRange(std::llround(static_cast<double>(pen) * SetkaWidth)));
    writer.StoreColor(SetkaColor);
    writer.SetOutlineColor();
    writer.SaveStyleProp(SetkaStyle, 0, -1);
    writer.DeleteObject();
}

void TJaponishShablon::EditorDrawColorCell(TCommandWriter& writer, int ex, int ey, int x2, int y2, bool flag,
                                           int mode) const {
    std::string style;
    bool noFill = false;
    if (flag) {
        const int color = ColorAt(x2, y2);
        const bool background = color == BackgroundColor;
        if (QuestionsRezim) {
            style = "QUESTIONS_STYLE";
        } else {
            if (background && !PaintBackground) return;
            style = "COLOR_" + std::to_string(ColorCount == 2 && !background ? 1 : color);
            noFill = background && FillBackground == 0;
        }
    } else {
        if (!Zadania) return;
        const bool empty = mode == BackgroundColor;
        if (empty && !ZadaniaPaint) return;
        style = empty || ColorCount == 2 ? "ZADANIA_STYLE" : "COLOR_" + std::to_string(mode);
    }
    const int64_t size = int64_t{GetCellPixelWidth()} * ExportUnits;
    writer.CreateRectangle(ey, ex, ToEditorRange(int64_t{ey} - size), ToEditorRange(int64_t{ex} + size));
    writer.ApplyStyle(style);
    if (noFill) writer.ApplyNoFill();
}

// ---- the working view ----

void TJaponishShablon::FastDraw(TFastDrawParameters parameters, TBitmap& bitmap) {
    constexpr int Unit = 48;
    constexpr int Corner = 10;
    const TFastDrawParameters& p = parameters;
    int cols = 0, rows = 0;
    PixelsToCells(bitmap.Width(), bitmap.Height(), p, cols, rows);
    auto view = std::make_shared<TMetafile>(cols * Unit, rows * Unit, bitmap.Metrics());
    TCanvas canvas(*view);
    const auto square = [&](int left, int top, int side, TColor colour) {
        canvas.Brush = {colour, TBrushStyle::Solid};
        canvas.FillRect({left, top, left + side, top + side});
    };
    for (int i = 0; i < cols; ++i) {
        const int64_t x = int64_t{p.FirstColumn} + i;
        if (x < 0 || x >= Width) continue;
        for (int j = 0; j < rows; ++j) {
            const int64_t y = int64_t{p.FirstRow} + j;
            if (y < 0 || y >= Height) continue;
            const int color = ColorAt(static_cast<int>(x), static_cast<int>(y));
            if (color != BackgroundColor || FillBackground != 0) {
                const int shown = ColorCount == 2 ? (color != 0 ? 1 : 0) : color;
                square(Unit * i, Unit * j, Unit, Palette[std::clamp(shown, 0, PaletteSize - 1)].ToRgb());
            }
            if (p.SelectionOn && p.SelX0 <= x && x <= p.SelX1 && p.SelY0 <= y && y <= p.SelY1)
                square(Unit * i, Unit * j, Corner, RGB(0, 0, 255));
        }
    }

    DrawViewLines(canvas, p, cols, rows);

    TCanvas target(bitmap);
    target.Brush = {RGB(240, 240, 240), TBrushStyle::Solid};
    target.FillRect({0, 0, bitmap.Width(), bitmap.Height()});
    const int z = p.CellPixels();
    if (p.Zoom == 100)
        target.Draw(0, 0, std::shared_ptr<const TMetafile>(std::move(view)));
    else
        target.StretchDraw(TRect{0, 0, cols * z, rows * z}, std::shared_ptr<const TMetafile>(std::move(view)));
}
