#include "Shablon.h"

#include "ShablonDrawing.h"

#include "cellshape/CellOutline.h"
#include "export/ComExport.h"
#include "export/ScriptWriter.h"
#include "platform/Progress.h"
#include "platform/Text.h"
#include "platform/Ui.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <numbers>

namespace {

constexpr int64_t ExportUnits = 1000;
constexpr std::string_view CollectionBackground = "background";

bool FileExists(const std::string& name) {
    std::error_code error;
    return !name.empty() && std::filesystem::is_regular_file(name, error);
}

TBoxAlign AlignOf(uint8_t align) {
    return align == 1 ? TBoxAlign::Far : align == 2 ? TBoxAlign::Centre : TBoxAlign::Near;
}

using TCurvePoints = std::vector<std::pair<int32_t, int32_t>>;

}  // namespace

// ---- the whole picture ----

void TShablon::ExportToScript(std::vector<std::string>& lines) {
    TScriptWriter writer(lines, CmykAdaptation);
    TComExport list;
    BuildExport(list);
    EditorExport(writer, list);
}

bool TShablon::ExportToOle(IAutomation& editor) {
    TfmProgress progress;
    try {
        TAutomationWriter writer(editor, CmykAdaptation);
        TComExport list;
        BuildExport(list);
        progress.Start(list.Count() > 0 ? list.Text(0) : std::string_view(), list.Count());
        EditorExport(writer, list, &progress);
    } catch (const std::exception&) {
        TheUi().Message("OLE-ошибка!"_cp);
        return false;
    }
    return true;
}

void TShablon::EditorExport(TCommandWriter& writer, const TComExport& list, TfmProgress* progress) const {
    EditorDefineStyles(writer);
    if (UsesArrows) EditorLoadArrowShapes(writer);
    for (int i = 0; i < list.Count(); ++i) {
        if (progress) FollowExportProgress(*progress, list, i);
        EditorDrawItem(writer, list, i);
    }
    if (UsesArrows) EditorDeleteArrowShapes(writer);
}

void TShablon::EditorDrawItem(TCommandWriter& writer, const TComExport& list, int i) const {
    const int x = list.X(i), y = list.Y(i);
    switch (static_cast<TExportKind>(list.Kind(i))) {
        case TExportKind::Cell:
        case TExportKind::CanvasCell: EditorDrawCell(writer, x, y, list.Value(i), list.Flag(i)); break;
        case TExportKind::ShapedCell: EditorDrawShapedCell(writer, x, y, list.Value(i), list.Flag(i)); break;
        case TExportKind::CellEx: EditorDrawCellEx(writer, x, y, list.X2(i), list.Y2(i), list.Value(i)); break;
        case TExportKind::ColorCell:
            EditorDrawColorCell(writer, x, y, list.X2(i), list.Y2(i), list.Flag(i), list.Mode(i));
            break;
        case TExportKind::Number:
            if (list.Flag2(i))
                EditorDrawNumberOn(writer, x, y, list.X2(i), list.Colour(i));
            else
                EditorDrawNumber(writer, x, y, list.X2(i));
            break;
        case TExportKind::CanvasNumber: EditorDrawNumber(writer, x, y, list.X2(i)); break;
        case TExportKind::KeyWordNumber:
        case TExportKind::CanvasKeyWordNumber: EditorDrawKeyWordNumber(writer, x, y, list.X2(i), list.Y2(i)); break;
        case TExportKind::KeyWordNumberShaped:
            EditorDrawKeyWordNumberShaped(writer, x, y, list.X2(i), list.Y2(i));
            break;
        case TExportKind::Outline: EditorDrawOutline(writer, x, y, list.X2(i), list.Y2(i), list.Text(i)); break;
        case TExportKind::Walls: EditorDrawWalls(writer, x, y, list.X2(i)); break;
        case TExportKind::Arrows: EditorDrawArrows(writer, x, y, list.X2(i)); break;
        case TExportKind::TurnMarks: EditorDrawTurnMarks(writer, x, y, list.X2(i)); break;
        case TExportKind::Line: EditorDrawLine(writer, x, y, list.X2(i), list.Y2(i), list.Name(i)); break;
        case TExportKind::HoneyArrows: EditorDrawHoneyArrows(writer, x, y, list.Value(i), list.X2(i)); break;
        case TExportKind::Background: EditorDrawBackground(writer, list.Text(i)); break;
        case TExportKind::CellPart:
            EditorDrawCellPart(writer, x, y, list.X2(i), list.Y2(i), list.Rect(i), list.Value(i));
            break;
        default: break;
    }
}

// ---- styles ----

void TShablon::EditorDefineStyles(TCommandWriter& writer) const {
    const int64_t unit = int64_t{Scale} * ExportUnits;
    const int32_t pen = ToEditorRange(unit * PenWidth);
    const auto shapeStyle = [&](std::string_view name, int32_t width, TColorValue penColour, bool noFill,
                                TColorValue fill, bool misc) {
        writer.SetOutlineWidth(width);
        writer.StoreColor(penColour);
        writer.SetOutlineColor();
        if (noFill) {
            writer.ApplyNoFill();
        } else {
            writer.StoreColor(fill);
            writer.ApplyUniformFillColor();
        }
        if (misc) writer.SetOutlineMiscProperties();
        writer.SaveStyleProp(name, false);
    };
    writer.CreateRectangle(StyleShape::Near, StyleShape::Near, StyleShape::Far, StyleShape::Far);
    for (const int kind : {CellKind::Letter, CellKind::Other, CellKind::KeyWord}) {
        const TKletkaGraphics& look = *CellKindLook(*this, kind);
        shapeStyle(CellKindStyle(kind), pen, look.PenColor, look.NoFill, look.BrushColor, false);
    }
    shapeStyle("WIDE_ABRIS", ToEditorRange(unit * WideOutline.Width), WideOutline.Color, true, {}, false);
    const int32_t wall = ToEditorRange(std::llround(static_cast<double>(unit) * PenWidth * WallScale));
    shapeStyle("STENKA_GRAPHICS", wall, WallColor, false, WallColor, true);
    writer.DeleteObject();

    writer.CreateArtisticText("1", StyleShape::Near, StyleShape::Near);
    for (const auto& [name, look] : {std::pair<std::string_view, const TDigitGraphics*>{"DIGITS", &DigitLook},
                                     {"KEY_WORD_DIGITS", &KeyWordDigitLook}}) {
        const int style = (look->FontStyle & FontStyle::Bold ? CharacterStyle::Bold : 0) |
                          (look->FontStyle & FontStyle::Italic ? CharacterStyle::Italic : 0);
        writer.SetCharacterAttributes(look->FontName, look->FontSize * Scale, style, 100, 0);
        writer.StoreColor(look->FontColor);
        writer.ApplyUniformFillColor();
        writer.SaveStyleProp(name, true);
    }
    writer.DeleteObject();
}

// ---- cells ----

void TShablon::EditorDrawCell(TCommandWriter& writer, int ex, int ey, int cellKind, bool extra) const {
    EditorDrawCellEx(writer, ex, ey, 1, 1, cellKind);
}

void TShablon::EditorDrawCellEx(TCommandWriter& writer, int ex, int ey, int columns, int rows, int cellKind) const {
    const TKletkaGraphics* look = CellKindLook(*this, cellKind);
    if (!look || look->NoPaint) return;
    const TKletkaForm& form = look->Form;
    const int64_t cell = int64_t{GetCellPixelWidth()} * ExportUnits;
    const int32_t w = ToEditorRange(columns * cell), h = ToEditorRange(rows * int64_t{GetCellPixelHeight()} * ExportUnits);
    const int32_t left = ex, top = ey, right = ToEditorRange(int64_t{ex} + w), bottom = ToEditorRange(int64_t{ey} - h);
    const auto outline = [&](const std::vector<std::string>& script) {
        TOutlinePoints points;
        int count = 0;
        std::string errors;
        BuildCellOutline(script, ToEditorRange(cell), 0, 0, w, h, points, count, errors);
        TCurvePoints curve;
        for (int i = 0; i < count; ++i)
            curve.emplace_back(ToEditorRange(int64_t{left} + points[i].X), ToEditorRange(int64_t{top} - points[i].Y));
        if (curve.empty()) return;
        writer.Curve(curve, true);
        writer.ApplyStyle(CellKindStyle(cellKind));
    };
    switch (form.ImportType) {
        case TKletkaImport::Picture:
            EditorImportPicture(writer, FileExists(form.File2) ? form.File2 : form.File1, TEditorBox{left, top, w, h},
                                true);
            return;
        case TKletkaImport::Script: outline(Files().Script(form.ScriptFile)); return;
        case TKletkaImport::BaseForm: break;
        default: return;
    }
    const bool equalCorners = form.Param1 == form.Param2 && form.Param1 == form.Param3 && form.Param1 == form.Param4;
    switch (form.Form) {
        case KletkaForm::Rounded:
            if (!equalCorners) break;
            writer.CreateRectangle(top, left, bottom, right);
            writer.SetCornerRoundness(10 * form.Param1, 10 * form.Param1, 10 * form.Param1, 10 * form.Param1);
            writer.ApplyStyle(CellKindStyle(cellKind));
            return;
        case KletkaForm::Ellipse:
            writer.CreateEllipse(top, left, bottom, right);
            writer.ApplyStyle(CellKindStyle(cellKind));
            return;
        case KletkaForm::Triangle:
        case KletkaForm::Hexagon:
        case KletkaForm::Octagon: {
            const int sides = form.Form == KletkaForm::Triangle ? 3 : form.Form == KletkaForm::Hexagon ? 6 : 8;
            writer.CreateSymPolygon(top, left, bottom, right, sides);
            writer.SetSize(w, h);
            writer.SetPosition(left, top);
            writer.ApplyStyle(CellKindStyle(cellKind));
            return;
        }
        default:
            if (form.Form > KletkaForm::Last) return;
            break;
    }
    std::vector<std::string> script;
    MakeBaseFormScript(form, script);
    outline(script);
}

void TShablon::EditorDrawShapedCell(TCommandWriter& writer, int ex, int ey, int cellKind, bool extra) const {
    const TKletkaGraphics* look = CellKindLook(*this, cellKind);
    if (!look || look->NoPaint) return;
    const int64_t g = int64_t{GetCellPixelWidth()} * ExportUnits, h = int64_t{GetCellPixelHeight()} * ExportUnits;
    if (look->Form.Form == 1) {
        const int64_t r = std::llround((g / 2) / std::numbers::sqrt2);
        const int64_t cx = ex + g / 2, cy = ey - h / 2;
        writer.CreateEllipse(ToEditorRange(cy + r), ToEditorRange(cx - r), ToEditorRange(cy - r), ToEditorRange(cx + r));
        writer.ApplyStyle(CellKindStyle(cellKind));
        return;
    }
    const auto offsets = ShapedCellCorners(look->Form.Form, g, h);
    if (offsets.empty()) return;
    TCurvePoints curve;
    for (const auto& [dx, dy] : offsets) curve.emplace_back(ToEditorRange(ex + dx), ToEditorRange(ey - dy));
    writer.Curve(curve, true);
    writer.ApplyStyle(CellKindStyle(cellKind));
}

void TShablon::EditorDrawCellPart(TCommandWriter& writer, int ex, int ey, int columns, int rows,
                                  const TItemRect& part, int cellKind) const {
    const TKletkaGraphics* look = CellKindLook(*this, cellKind);
    if (!look || look->NoPaint || part.Right < part.Left || part.Bottom < part.Top) return;
    const int64_t cellW = int64_t{GetCellPixelWidth()} * ExportUnits, cellH = int64_t{GetCellPixelHeight()} * ExportUnits;
    const int64_t width = cellW * (int64_t{part.Right} - part.Left + 1);
    const int64_t height = cellH * (int64_t{part.Bottom} - part.Top + 1);
    writer.CreateRectangle(ey, ex, ToEditorRange(ey - height), ToEditorRange(ex + width));
    writer.SetOutlineMiscProperties();
    writer.RememberObject(FrameIdVariable);
    EditorDrawCellEx(writer, ToEditorRange(ex - cellW * part.Left), ToEditorRange(ey + cellH * part.Top), columns, rows, cellKind);
    writer.PlaceInside(FrameIdVariable, ToEditorRange(-cellW * part.Left), ToEditorRange(cellH * part.Top), -1, 0);
}

// ---- numbers, walls, lines, pictures ----

void TShablon::EditorDrawDigits(TCommandWriter& writer, int ex, int ey, int number, const TDigitGraphics& look,
                                std::string_view style) const {
    if (look.Hidden) return;
    const int64_t unit = int64_t{Scale} * ExportUnits;
    const int32_t dx = ToEditorRange(unit * look.DX), dy = ToEditorRange(unit * look.DY);
    writer.CreateArtisticText(std::to_string(number), ToEditorRange(int64_t{ex} + dx), ToEditorRange(int64_t{ey} - dy));
    writer.ApplyStyle(style);
    const TEditorBox cell{ex, ey, ToEditorRange(int64_t{GetCellPixelWidth()} * ExportUnits),
                          ToEditorRange(int64_t{GetCellPixelHeight()} * ExportUnits)};
    writer.AlignText(cell, AlignOf(look.AlignX), AlignOf(look.AlignY), dx, dy);
}

void TShablon::EditorDrawNumber(TCommandWriter& writer, int ex, int ey, int number) const {
    EditorDrawDigits(writer, ex, ey, number, DigitLook, "DIGITS");
}

void TShablon::EditorDrawNumberOn(TCommandWriter& writer, int ex, int ey, int number, TColorValue fill) const {
    const TDigitGraphics look = DigitLookOn(fill);
    EditorDrawDigits(writer, ex, ey, number, look, "DIGITS");
    if (look.Hidden || look.FontColor == DigitLook.FontColor) return;
    writer.StoreColor(look.FontColor);
    writer.ApplyUniformFillColor();
}

void TShablon::EditorDrawKeyWordNumber(TCommandWriter& writer, int ex, int ey, int x, int y) const {
    const int n = KeyWordNumberAt(x, y);
    if (n < 0 || KeyWordCellLook.NoPaint) return;
    EditorDrawCell(writer, ex, ey, CellKind::KeyWord, false);
    EditorDrawDigits(writer, ex, ey, n, KeyWordDigitLook, "KEY_WORD_DIGITS");
}

void TShablon::EditorDrawKeyWordNumberShaped(TCommandWriter& writer, int ex, int ey, int x, int y) const {
    const int n = KeyWordNumberAt(x, y);
    if (n < 0 || KeyWordCellLook.NoPaint) return;
    EditorDrawShapedCell(writer, ex, ey, CellKind::KeyWord, false);
    EditorDrawDigits(writer, ex, ey, n, KeyWordDigitLook, "KEY_WORD_DIGITS");
}

void TShablon::EditorDrawWalls(TCommandWriter& writer, int ex, int ey, int bits) const {
    const int64_t t = int64_t{RoundEven(PenWidth * static_cast<double>(WallScale))} * Scale * ExportUnits;
    const int64_t s = int64_t{Scale} * CellSize * ExportUnits;
    const auto wall = [&](int64_t left, int64_t top, int64_t right, int64_t bottom) {
        writer.CreateRectangle(ToEditorRange(top), ToEditorRange(left), ToEditorRange(bottom), ToEditorRange(right));
        writer.SetCornerRoundness(1000, 1000, 1000, 1000);
        writer.ApplyStyle("STENKA_GRAPHICS");
    };
    if (bits & 8) wall(ex - t, ey + t, ex + t, ey - s - t);
    if (bits & 2) wall(ex + s - t, ey + t, ex + s + t, ey - s - t);
    if (bits & 4) wall(ex - t, ey + t, ex + s + t, ey - t);
    if (bits & 1) wall(ex - t, ey - s + t, ex + s + t, ey - s - t);
}

void TShablon::EditorDrawArrows(TCommandWriter& writer, int ex, int ey, int bits) const {
    if (!ArrowLook.Show) return;
    const int32_t size = ToEditorRange(int64_t{GetCellPixelWidth()} * ExportUnits);
    const TEditorBox cell{ex, ey, size, size};
    // Where the arrow of each code stands in its cell: 1 top middle, 2 top left, 3 left middle,
    // 4 bottom left, 5 bottom right, 6 right middle (vertical) or bottom middle (horizontal),
    // 7 top right.
    const auto place = [&](int key, int code, bool horizontal, int offset) {
        static constexpr TBoxAlign N = TBoxAlign::Near, F = TBoxAlign::Far, C = TBoxAlign::Centre;
        static constexpr TBoxAlign Xs[8] = {C, C, N, N, N, F, F, F}, Ys[8] = {C, N, N, C, F, F, C, N};
        TBoxAlign alignX = Xs[code], alignY = Ys[code];
        if (horizontal && code == 6) alignX = C, alignY = F;
        const std::string shape = "STRELKA" + std::to_string(key) + "&";
        writer.SelectRemembered(shape);
        writer.DuplicateObject();
        writer.OrderToFront();
        writer.PlaceInBox(cell, alignX, alignY, ToEditorRange(int64_t{ScriptArrowOffsets[offset].X} * size / 100),
                          ToEditorRange(int64_t{ScriptArrowOffsets[offset].Y} * size / 100));
    };
    if (bits & 7) place(bits & 0x47, bits & 7, false, (bits & 7) + (bits & 0x40 ? 14 : 0));
    if (bits >> 3 & 7) place(bits & 0xB8, bits >> 3 & 7, true, (bits >> 3 & 7) + 7 + (bits & 0x80 ? 14 : 0));
}

void TShablon::EditorDrawTurnMarks(TCommandWriter& writer, int ex, int ey, int bits) const {
    const int32_t size = ToEditorRange(int64_t{GetCellPixelWidth()} * ExportUnits);
    for (const int mask : {0x03, 0x0C, 0x30, 0xC0}) {
        const int v = bits & mask;
        if (v == 0) continue;
        writer.SelectRemembered("TURN" + std::to_string(v) + "&");
        writer.DuplicateObject();
        writer.OrderToFront();
        writer.CentreInBox(TEditorBox{ex, ey, size, size});
    }
}

void TShablon::EditorDrawLine(TCommandWriter& writer, int ex1, int ey1, int ex2, int ey2,
                              std::string_view style) const {
    writer.Curve({{ex1, ey1}, {ex2, ey2}}, false);
    writer.ApplyStyle(style);
}

void TShablon::EditorDrawOutline(TCommandWriter& writer, int x, int y, int x0, int y0,
                                 std::string_view contour) const {
    if (contour.empty()) return;
    int cornerX = x, cornerY = y;
    switch (static_cast<uint8_t>(contour[0])) {
        case 4: break;
        case 2: ++cornerX; break;
        case 1: ++cornerX, ++cornerY; break;
        case 8: ++cornerY; break;
        default: return;
    }
    TCurvePoints curve;
    const auto corner = [&] {
        int ex = 0, ey = 0;
        CellToExport(cornerX - x0, cornerY - y0, ex, ey);
        curve.emplace_back(ex, ey);
    };
    corner();
    for (std::size_t i = 1; i < contour.size(); ++i) {
        if (i > 1 && contour[i] != contour[i - 1]) corner();
        switch (contour[i]) {
            case '6': ++cornerX; break;
            case '4': --cornerX; break;
            case '2': ++cornerY; break;
            case '8': --cornerY; break;
            default: break;
        }
    }
    if (curve.size() < 3) return;
    writer.Curve(curve, true);
    writer.ApplyStyle("WIDE_ABRIS");
}

void TShablon::EditorDrawBackground(TCommandWriter& writer, std::string_view name) const {
    EditorImportPicture(writer, std::string(name), TEditorBox{0, 0, GetExportWidth(), GetExportHeight()}, true);
}

void TShablon::EditorImportPicture(TCommandWriter& writer, const std::string& name, const TEditorBox& box,
                                   bool fitted) const {
    const int entry = Pictures.IndexOfName(name);
    const std::string file = entry >= 0 ? Pictures.PictureFileName(entry) : name;
    if (!box.HasArea() || !FileExists(file)) return;
    writer.FileImport(file);
    if (fitted)
        writer.FitPicture(box, true);
    else
        writer.SetPosition(box.Left, box.Top);
}
