#include "ScriptWriter.h"

#include "ComExport.h"

#include "platform/Progress.h"

#include <algorithm>
#include <cmath>
#include <tuple>

namespace {

std::string Int(int64_t v) {
    return std::to_string(v);
}

// from + sign * (span - size) / 2 as the script evaluates it: in reals, truncated toward zero
// when it becomes an integer again.
int64_t Centred(int32_t from, int32_t span, int32_t size, int sign) {
    return static_cast<int64_t>(std::trunc(from + sign * (static_cast<double>(span) - size) / 2));
}

// The near, far or centred coordinate of a text of size `size` along one axis, in the script's
// expression and computed. Along y the far side is the bottom and the text hangs down from its top.
struct TAxisPlace {
    std::string Expression;
    int64_t Value;
};

TAxisPlace PlaceX(const TEditorBox& box, TBoxAlign align, int32_t dx, int32_t ix) {
    switch (align) {
        case TBoxAlign::Far: {
            const int64_t at = int64_t{box.Left} + box.Width - dx;
            return {Int(at) + "-ix&", at - ix};
        }
        case TBoxAlign::Centre:
            return {Int(box.Left) + "+(" + Int(box.Width) + "-ix&)/2", Centred(box.Left, box.Width, ix, 1)};
        default: return {Int(int64_t{box.Left} + dx), int64_t{box.Left} + dx};
    }
}

TAxisPlace PlaceY(const TEditorBox& box, TBoxAlign align, int32_t dy, int32_t iy) {
    switch (align) {
        case TBoxAlign::Far: {
            const int64_t at = int64_t{box.Top} - box.Height + dy;
            return {Int(at) + "+iy&", at + iy};
        }
        case TBoxAlign::Centre:
            return {Int(box.Top) + "-(" + Int(box.Height) + "-iy&)/2", Centred(box.Top, box.Height, iy, -1)};
        default: return {Int(int64_t{box.Top} - dy), int64_t{box.Top} - dy};
    }
}

// A size scaled, as the script scales it, by the larger of its ratios to the box: a real scale,
// the sizes truncated toward zero.
std::pair<int32_t, int32_t> ScaledToBox(int32_t hx, int32_t hy, const TEditorBox& box) {
    const double scale = std::max(static_cast<double>(hx) / box.Width, static_cast<double>(hy) / box.Height);
    return {ToEditorRange(static_cast<int64_t>(std::trunc(hx / scale))),
            ToEditorRange(static_cast<int64_t>(std::trunc(hy / scale)))};
}

// The progress bar moves on after this many items.
constexpr int ProgressStep = 25;

}  // namespace

int32_t ToEditorRange(int64_t v) {
    return static_cast<int32_t>(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX));
}

void FollowExportProgress(TfmProgress& progress, const TComExport& list, int i) {
    if (list.Kind(i) == static_cast<int>(TExportKind::Caption)) {
        const int position = progress.Position();
        progress.Start(list.Text(i), list.Count());
        progress.Advance(position);
    }
    if (i > 0 && i % ProgressStep == 0) progress.Advance(ProgressStep);
}

// ---- the commands ----

void TCommandWriter::CreateRectangle(int32_t top, int32_t left, int32_t bottom, int32_t right) {
    Command("CreateRectangle", {top, left, bottom, right});
}

void TCommandWriter::SetCornerRoundness(int32_t a, int32_t b, int32_t c, int32_t d) {
    Command("SetCornerRoundness", {a, b, c, d});
}

void TCommandWriter::CreateEllipse(int32_t top, int32_t left, int32_t bottom, int32_t right) {
    Command("CreateEllipse", {top, left, bottom, right, 0, 0, 0});
}

void TCommandWriter::CreateSymPolygon(int32_t top, int32_t left, int32_t bottom, int32_t right, int32_t sides) {
    Command("CreateSymPolygon", {top, left, bottom, right, sides, 1, 1, 0, 0, 0});
}

void TCommandWriter::CreateArtisticText(std::string_view text, int32_t x, int32_t y) {
    Command("CreateArtisticText", {std::string(text), x, y});
}

void TCommandWriter::SetSize(int32_t width, int32_t height) { Command("SetSize", {width, height}); }
void TCommandWriter::SetPosition(int32_t x, int32_t y) { Command("SetPosition", {x, y}); }
void TCommandWriter::BeginDrawCurve(int32_t x, int32_t y) { Command("BeginDrawCurve", {x, y}); }
void TCommandWriter::DrawCurveLineTo(int32_t x, int32_t y) { Command("DrawCurveLineTo", {x, y}); }
void TCommandWriter::DrawCurveClosePath() { Command("DrawCurveClosePath", {}); }
void TCommandWriter::EndDrawCurve() { Command("EndDrawCurve", {}); }
void TCommandWriter::ApplyStyle(std::string_view style) { Command("ApplyStyle", {std::string(style)}); }
void TCommandWriter::ApplyNoFill() { Command("ApplyNoFill", {}); }
void TCommandWriter::ApplyUniformFillColor() { Command("ApplyUniformFillColor", {}); }
void TCommandWriter::SetOutlineWidth(int32_t width) { Command("SetOutlineWidth", {width}); }
void TCommandWriter::SetOutlineColor() { Command("SetOutlineColor", {}); }
void TCommandWriter::SetOutlineMiscProperties() { Command("SetOutlineMiscProperties", {0, 0, 2, 1, 1, 0, 0, 0}); }
void TCommandWriter::DeleteObject() { Command("DeleteObject", {}); }
void TCommandWriter::UnSelectAll() { Command("UnSelectAll", {}); }
void TCommandWriter::DuplicateObject() { Command("DuplicateObject", {0, 0}); }
void TCommandWriter::OrderToFront() { Command("OrderToFront", {}); }
void TCommandWriter::FileImport(std::string_view fileName) { Command("FileImport", {std::string(fileName)}); }

void TCommandWriter::StoreColor(TColorValue colour) {
    if (colour.Model == TColorModel::Cmyk) {
        StoreCmyk(colour.Value >> 24 & 0xFF, colour.Value >> 16 & 0xFF, colour.Value >> 8 & 0xFF, colour.Value & 0xFF);
        return;
    }
    const uint32_t rgb = colour.ToRgb();
    const int r = rgb & 0xFF, g = rgb >> 8 & 0xFF, b = rgb >> 16 & 0xFF;
    if (mFourComponents) {
        const int k = 255 - std::max({r, g, b});
        StoreCmyk(255 - r - k, 255 - g - k, 255 - b - k, k);
        return;
    }
    Command("StoreColor", {5, r, g, b});
}

void TCommandWriter::StoreCmyk(int c, int m, int y, int k) {
    Command("StoreColor", {3, c, m, y, k});
}

void TCommandWriter::SetCharacterAttributes(std::string_view font, int size, int styleBits, int interline,
                                            int alignment) {
    Command("SetCharacterAttributes",
            {0, 0, std::string(font), size, styleBits, 0, 0, 0, 0, 0, 1000, interline, alignment});
}

void TCommandWriter::SetCharacterAttributes(const TFormatParameters& format) {
    const int style = (format.Bold ? CharacterStyle::Bold : 0) | (format.Italic ? CharacterStyle::Italic : 0);
    SetCharacterAttributes(format.FontName, format.FontSize, style, format.Interline, format.Alignment);
}

void TCommandWriter::SaveStyleProp(std::string_view style, bool text) {
    if (text)
        Command("SaveStyleProp", {std::string(style), -1, -1, 7});
    else
        Command("SaveStyleProp", {std::string(style), -1, -1});
}

void TCommandWriter::SaveStyleProp(std::string_view style, int32_t first, int32_t second) {
    Command("SaveStyleProp", {std::string(style), first, second});
}

void TCommandWriter::Curve(const std::vector<std::pair<int32_t, int32_t>>& points, bool closed) {
    if (points.empty()) return;
    BeginDrawCurve(points[0].first, points[0].second);
    for (std::size_t i = 1; i < points.size(); ++i) DrawCurveLineTo(points[i].first, points[i].second);
    if (closed) DrawCurveClosePath();
    EndDrawCurve();
}

// ---- script ----

void TScriptWriter::Command(std::string_view method, const TVariants& args) {
    Line(FormatScriptCall(method, args));
}

void TScriptWriter::FitPicture(const TEditorBox& box, bool centred) {
    const std::string w = Int(box.Width), h = Int(box.Height), l = Int(box.Left), t = Int(box.Top);
    Line(".GetSize hx&, hy&");
    Line("IF (hx&>0) AND (hy&>0) THEN");
    Line("IF (hx&/" + w + ")>(hy&/" + h + ") THEN");
    Line("Scale=hx&/" + w);
    Line("ELSE");
    Line("Scale=hy&/" + h);
    Line("ENDIF");
    Line("hx&=hx&/Scale");
    Line("hy&=hy&/Scale");
    Line(".SetSize hx&, hy&");
    if (centred)
        Line(".SetPosition " + l + "+(" + w + "-hx&)/2, " + t + "-(" + h + "-hy&)/2");
    else
        Line(".SetPosition " + l + ", " + t);
    Line("ELSE");
    Line(".SetPosition " + l + ", " + t);
    Line("ENDIF");
}

void TScriptWriter::AlignText(const TEditorBox& box, TBoxAlign alignX, TBoxAlign alignY, int32_t dx, int32_t dy) {
    Line(".GetSize ix&, iy&");
    Line(".SetPosition " + PlaceX(box, alignX, dx, 0).Expression + ", " + PlaceY(box, alignY, dy, 0).Expression);
}

void TScriptWriter::RememberObject(std::string_view name) {
    Line(std::string(name) + "=.GetObjectsCDRStaticID()");
}

void TScriptWriter::PlaceInside(std::string_view frame, int32_t a, int32_t b, int32_t c, int32_t d) {
    Line(".PlaceInside " + std::string(frame) + ", " + Int(a) + ", " + Int(b) + ", " + Int(c) + ", " + Int(d));
}

void TScriptWriter::SelectRemembered(std::string_view name) {
    Line(".SelectObjectOfCDRStaticID " + std::string(name));
}

void TScriptWriter::PlaceInBox(const TEditorBox& box, TBoxAlign alignX, TBoxAlign alignY, int32_t offsetX,
                               int32_t offsetY) {
    const std::string l = Int(box.Left), t = Int(box.Top), w = Int(box.Width), h = Int(box.Height);
    const std::string r = Int(int64_t{box.Left} + box.Width), b = Int(int64_t{box.Top} - box.Height);
    Line(".GetSize ix&, iy&");
    const auto sided = [&](const std::string& size, const std::string& span, const std::string& near,
                           const std::string& centred) {
        Line("IF " + size + "<" + span + " THEN");
        Line(near);
        Line("ELSE");
        Line(centred);
        Line("ENDIF");
    };
    switch (alignX) {
        case TBoxAlign::Near: sided("ix&", w, "dX&=" + l, "dX&=" + l + "+(" + w + "-ix&)/2"); break;
        case TBoxAlign::Far: sided("ix&", w, "dX&=" + r + "-ix&", "dX&=" + r + "-ix&-(" + w + "-ix&)/2"); break;
        case TBoxAlign::Centre: Line("dX&=" + l + "+(" + w + "-ix&)/2"); break;
    }
    switch (alignY) {
        case TBoxAlign::Near: sided("iy&", h, "dY&=" + t, "dY&=" + t + "-(" + h + "-iy&)/2"); break;
        case TBoxAlign::Far: sided("iy&", h, "dY&=" + b + "+iy&", "dY&=" + b + "+iy&+(" + h + "-iy&)/2"); break;
        case TBoxAlign::Centre: Line("dY&=" + t + "-(" + h + "-iy&)/2"); break;
    }
    // A negative offset turns its sign rather than writing "--".
    const auto moved = [](const std::string& variable, int64_t offset) {
        return variable + (offset < 0 ? "-" + Int(-offset) : "+" + Int(offset));
    };
    Line(".SetPosition " + moved("dX&", offsetX) + ", " + moved("dY&", -int64_t{offsetY}));
}

void TScriptWriter::CentreInBox(const TEditorBox& box) {
    const std::string w = Int(box.Width), h = Int(box.Height);
    Line(".GetSize hx&, hy&");
    Line(".SetPosition " + Int(box.Left) + "+(" + w + "-hx&)/2, " + Int(box.Top) + "-(" + h + "-hy&)/2");
}

void TScriptWriter::FitText(const TEditorBox& box, int widthPercent, bool centred, int32_t dx, int32_t dy) {
    const std::string w = Int(box.Width), h = Int(box.Height), l = Int(box.Left), t = Int(box.Top);
    Line(".GetSize hx&, hy&");
    if (widthPercent != 100) {
        Line("hx&=hx&*" + Int(widthPercent) + "/100");
        Line(".SetSize hx&, hy&");
    }
    Line("IF (hx&>" + w + ") or (hy&>" + h + ") THEN");
    Line("    IF (hx&/" + w + ")>(hy&/" + h + ") THEN");
    Line("      Scale=hx&/" + w);
    Line("    ELSE");
    Line("    Scale=hy&/" + h);
    Line("    ENDIF");
    Line("hX&=hX&/Scale");
    Line("hY&=hY&/Scale");
    Line(".SetSize hX&, hY&");
    Line("ENDIF");
    if (centred)
        Line(".SetPosition " + l + "+(" + w + "-hx&)/2, " + t + "-(" + h + "-hy&)/2");
    else
        Line(".SetPosition " + l + "+" + Int(dx) + ", " + t + "-" + Int(dy));
}

// ---- automation ----

void TAutomationWriter::Command(std::string_view method, const TVariants& args) {
    mEditor.Invoke(method, args);
}

std::pair<int32_t, int32_t> TAutomationWriter::GetSize() {
    const TVariants size = mEditor.Invoke("GetSize", {});
    if (size.size() < 2) throw TAutomationError("GetSize: no size answered");
    return {VariantInt(size[0]), VariantInt(size[1])};
}

void TAutomationWriter::FitPicture(const TEditorBox& box, bool centred) {
    auto [hx, hy] = GetSize();
    if (hx <= 0 || hy <= 0) {
        SetPosition(box.Left, box.Top);
        return;
    }
    // The script's arithmetic: a real scale, the sizes truncated toward zero.
    std::tie(hx, hy) = ScaledToBox(hx, hy, box);
    SetSize(hx, hy);
    if (centred)
        SetPosition(ToEditorRange(Centred(box.Left, box.Width, hx, 1)), ToEditorRange(Centred(box.Top, box.Height, hy, -1)));
    else
        SetPosition(box.Left, box.Top);
}

void TAutomationWriter::AlignText(const TEditorBox& box, TBoxAlign alignX, TBoxAlign alignY, int32_t dx,
                                  int32_t dy) {
    const auto [ix, iy] = GetSize();
    SetPosition(ToEditorRange(PlaceX(box, alignX, dx, ix).Value), ToEditorRange(PlaceY(box, alignY, dy, iy).Value));
}

void TAutomationWriter::RememberObject(std::string_view name) {
    const TVariants id = mEditor.Invoke("GetObjectsCDRStaticID", {});
    if (id.empty()) throw TAutomationError("GetObjectsCDRStaticID: no id answered");
    const auto known = std::find_if(mIds.begin(), mIds.end(), [&](const auto& entry) { return entry.first == name; });
    if (known != mIds.end())
        known->second = VariantInt(id[0]);
    else
        mIds.emplace_back(std::string(name), VariantInt(id[0]));
}

int32_t TAutomationWriter::Remembered(std::string_view name) const {
    const auto known = std::find_if(mIds.begin(), mIds.end(), [&](const auto& entry) { return entry.first == name; });
    if (known == mIds.end()) throw TAutomationError("no object remembered as " + std::string(name));
    return known->second;
}

void TAutomationWriter::SelectRemembered(std::string_view name) {
    Command("SelectObjectOfCDRStaticID", {Remembered(name)});
}

void TAutomationWriter::PlaceInBox(const TEditorBox& box, TBoxAlign alignX, TBoxAlign alignY, int32_t offsetX,
                                   int32_t offsetY) {
    const auto [ix, iy] = GetSize();
    const int64_t right = int64_t{box.Left} + box.Width, bottom = int64_t{box.Top} - box.Height;
    int64_t x = Centred(box.Left, box.Width, ix, 1);
    if (alignX == TBoxAlign::Near && ix < box.Width) x = box.Left;
    if (alignX == TBoxAlign::Far)
        x = ix < box.Width ? right - ix : Centred(ToEditorRange(right - ix), -box.Width, -ix, 1);
    int64_t y = Centred(box.Top, box.Height, iy, -1);
    if (alignY == TBoxAlign::Near && iy < box.Height) y = box.Top;
    if (alignY == TBoxAlign::Far)
        y = iy < box.Height ? bottom + iy : Centred(ToEditorRange(bottom + iy), box.Height, iy, 1);
    SetPosition(ToEditorRange(x + offsetX), ToEditorRange(y - offsetY));
}

void TAutomationWriter::CentreInBox(const TEditorBox& box) {
    const auto [hx, hy] = GetSize();
    SetPosition(ToEditorRange(Centred(box.Left, box.Width, hx, 1)), ToEditorRange(Centred(box.Top, box.Height, hy, -1)));
}

void TAutomationWriter::PlaceInside(std::string_view frame, int32_t a, int32_t b, int32_t c, int32_t d) {
    Command("PlaceInside", {Remembered(frame), a, b, c, d});
}

void TAutomationWriter::FitText(const TEditorBox& box, int widthPercent, bool centred, int32_t dx, int32_t dy) {
    auto [hx, hy] = GetSize();
    if (widthPercent != 100) {
        hx = ToEditorRange(static_cast<int64_t>(std::trunc(static_cast<double>(hx) * widthPercent / 100)));
        SetSize(hx, hy);
    }
    if (hx > box.Width || hy > box.Height) {
        std::tie(hx, hy) = ScaledToBox(hx, hy, box);
        SetSize(hx, hy);
    }
    if (centred)
        SetPosition(ToEditorRange(Centred(box.Left, box.Width, hx, 1)), ToEditorRange(Centred(box.Top, box.Height, hy, -1)));
    else
        SetPosition(ToEditorRange(int64_t{box.Left} + dx), ToEditorRange(int64_t{box.Top} - dy));
}
