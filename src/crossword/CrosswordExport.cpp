// The vector-editor export of a crossword: its styles, the replay of its item list through the
// one command writer (script lines or the live automation object), the emitters of the kinds
// only crosswords produce, and the picture files an export draws on.

#include "Crossword.h"

#include "export/ComExport.h"
#include "export/ScriptWriter.h"
#include "platform/Progress.h"
#include "platform/Text.h"
#include "platform/Ui.h"

#include <algorithm>

namespace {

constexpr int64_t ExportUnits = 1000;
constexpr std::string_view MarkerStyle = "ITALIAN_HINT";

int StyleBits(bool bold, bool italic) {
    return (bold ? CharacterStyle::Bold : 0) | (italic ? CharacterStyle::Italic : 0);
}

TEditorBox BoxOf(const TComExport& list, int i) {
    return TEditorBox{list.X(i), list.Y(i), list.X2(i), list.Y2(i)};
}

}  // namespace

// ---- the deliveries ----

void TCrossword::ExportToScript(std::vector<std::string>& lines, int mode) {
    TScriptWriter writer(lines, Template->CmykAdaptation);
    TComExport list;
    BuildModeExport(list, mode);
    ExportGridAutomation(writer, list, mode);
}

bool TCrossword::ExportTemplateScript(IAutomation& editor, int mode) {
    TfmProgress progress;
    try {
        TAutomationWriter writer(editor, Template->CmykAdaptation);
        TComExport list;
        BuildModeExport(list, mode);
        progress.Start(list.Count() > 0 ? list.Text(0) : std::string_view(), list.Count());
        ExportGridAutomation(writer, list, mode, &progress);
    } catch (const std::exception&) {
        TheUi().Message("OLE-ошибка!"_cp);
        return false;
    }
    return true;
}

void TCrossword::ExportGridAutomation(TCommandWriter& writer, const TComExport& list, int mode,
                                      TfmProgress* progress) const {
    ExportCharStyles(writer, mode);
    if (Template->UsesArrows) Template->EditorLoadArrowShapes(writer);
    for (int i = 0; i < list.Count(); ++i) {
        if (progress) FollowExportProgress(*progress, list, i);
        ExportItem(writer, list, i);
    }
    if (Template->UsesArrows) Template->EditorDeleteArrowShapes(writer);
}

// ---- styles ----

void TCrossword::ExportCharStyles(TCommandWriter& writer, int mode) const {
    const TShablon& t = *Template;
    t.EditorDefineStyles(writer);
    writer.CreateArtisticText("1", StyleShape::Near, StyleShape::Near);
    writer.SetCharacterAttributes(Chars.FontName, Chars.FontSize * t.Scale, StyleBits(Chars.Bold, Chars.Italic), 100,
                                  Chars.Center ? 2 : 0);
    writer.StoreColor(Chars.FontColor);
    writer.ApplyUniformFillColor();
    writer.SaveStyleProp("CROSSWORD_CHARS", true);
    if (mode == 6) {
        writer.SetCharacterAttributes(SapperFormat);
        writer.StoreColor(SapperFormat.FontColor);
        writer.ApplyUniformFillColor();
        writer.SaveStyleProp("SAPPER_CHARS", true);
    }
    writer.DeleteObject();
    if (mode != 4) return;
    // The markers take the other cells' pen and the marker colour as their fill.
    writer.CreateRectangle(StyleShape::Near, StyleShape::Near, StyleShape::Far, StyleShape::Far);
    writer.SetOutlineWidth(ToEditorRange(int64_t{t.PenWidth} * t.Scale * ExportUnits));
    writer.StoreColor(t.BlankCellLook.PenColor);
    writer.SetOutlineColor();
    writer.StoreColor(Output.MarkerColor);
    writer.ApplyUniformFillColor();
    writer.SaveStyleProp(MarkerStyle, false);
    writer.DeleteObject();
}

// ---- the crossword's own item kinds ----

namespace {

// A text block in its box: nothing for a box without area (a label box of a small cell).
void EmitText(TCommandWriter& writer, const TEditorBox& box, std::string_view text, std::string_view style,
              const TFormatParameters* format, bool centred, int32_t dx, int32_t dy) {
    if (!box.HasArea() || text.empty()) return;
    writer.CreateArtisticText(text, box.Left, box.Top);
    writer.ApplyStyle(style);
    if (format) {
        writer.SetCharacterAttributes(*format);
        writer.StoreColor(format->FontColor);
        writer.ApplyUniformFillColor();
    }
    writer.FitText(box, format ? format->FontWidth : 100, centred, dx, dy);
}

}  // namespace

void TCrossword::ExportItem(TCommandWriter& writer, const TComExport& list, int i) const {
    const TShablon& t = *Template;
    switch (static_cast<TExportKind>(list.Kind(i))) {
        case TExportKind::Polyline: {
            std::vector<std::pair<int32_t, int32_t>> points;
            for (const TItemPoint& p : list.Points(i)) points.emplace_back(p.X, p.Y);
            if (points.size() < 2) return;
            writer.Curve(points, false);
            writer.ApplyStyle(list.Name(i));
            return;
        }
        case TExportKind::TextBlock:
            EmitText(writer, BoxOf(list, i), list.Text(i), list.Name(i), nullptr, list.Flag(i), list.Param1(i),
                     list.Param2(i));
            return;
        case TExportKind::StyledTextBlock:
        case TExportKind::FormattedText:
            EmitText(writer, BoxOf(list, i), list.Text(i), list.Name(i), &list.Format(i), list.Flag(i),
                     list.Param1(i), list.Param2(i));
            return;
        case TExportKind::Picture: t.EditorImportPicture(writer, std::string(list.Text(i)), BoxOf(list, i), true); return;
        case TExportKind::FramedPicture:
        case TExportKind::FramedText: {
            // The frame is the visible part of the box; the whole box stands where it would
            // without the cut, and the editor clips it to the frame.
            const TItemRect part = list.Rect(i);
            if (part.Right < part.Left || part.Bottom < part.Top) return;
            const int64_t cw = int64_t{t.GetCellPixelWidth()} * ExportUnits;
            const int64_t ch = int64_t{t.GetCellPixelHeight()} * ExportUnits;
            const int64_t left = list.X(i) - cw * part.Left, top = list.Y(i) + ch * part.Top;
            const int64_t marginX = list.Param3(i), marginY = list.Param4(i);
            const TEditorBox inner{ToEditorRange(left + marginX), ToEditorRange(top - marginY),
                                   ToEditorRange(cw * list.X2(i) - 2 * marginX), ToEditorRange(ch * list.Y2(i) - 2 * marginY)};
            const bool picture = list.Kind(i) == static_cast<int>(TExportKind::FramedPicture);
            if (!inner.HasArea() || list.Text(i).empty()) return;
            writer.CreateRectangle(list.Y(i), list.X(i),
                                   ToEditorRange(list.Y(i) - ch * (int64_t{part.Bottom} - part.Top + 1)),
                                   ToEditorRange(list.X(i) + cw * (int64_t{part.Right} - part.Left + 1)));
            writer.SetOutlineMiscProperties();
            writer.RememberObject(FrameIdVariable);
            if (picture)
                t.EditorImportPicture(writer, std::string(list.Text(i)), inner, true);
            else
                EmitText(writer, inner, list.Text(i), list.Name(i), &list.Format(i), list.Flag(i), 0, 0);
            writer.PlaceInside(FrameIdVariable, ToEditorRange(-cw * part.Left), ToEditorRange(ch * part.Top), -1, 0);
            return;
        }
        case TExportKind::Marker: {
            // Drawn as the picture draws it: nothing while the other cells are not painted.
            if (t.BlankCellLook.NoPaint) return;
            const int64_t cw = int64_t{t.GetCellPixelWidth()} * ExportUnits;
            const int64_t ch = int64_t{t.GetCellPixelHeight()} * ExportUnits;
            writer.CreateRectangle(list.Y(i), list.X(i), ToEditorRange(list.Y(i) - ch), ToEditorRange(list.X(i) + cw));
            writer.ApplyStyle(MarkerStyle);
            return;
        }
        default: t.EditorDrawItem(writer, list, i); return;
    }
}

// ---- picture files ----

void TCrossword::ExportPictureList(std::vector<std::string>& list) const {
    Template->ListPictureFiles(list);
    if (CluesInGrid == 1)
        for (int slot = 0; slot < Words.Count(); ++slot) {
            const TDefinitionMarkup markup = FormatDefinition(Words.SlotDefinition(slot), false);
            if (markup.Picture && !markup.Text.empty()) list.push_back(markup.Text);
        }
    if (!OprText.EmptyOpr) return;
    std::string_view names = OprText.EmptyOprFileName;
    for (;;) {
        const std::size_t bar = names.find('|');
        const std::string_view name = names.substr(0, bar);
        if (!name.empty()) list.emplace_back(name);
        if (bar == std::string_view::npos) break;
        names.remove_prefix(bar + 1);
    }
}
