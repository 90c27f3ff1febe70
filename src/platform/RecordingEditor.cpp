#include "RecordingEditor.h"

#include <algorithm>
#include <climits>

namespace {

int32_t Arg(const TVariants& args, std::size_t i) {
    return i < args.size() ? VariantInt(args[i]) : 0;
}

std::string TextArg(const TVariants& args, std::size_t i) {
    if (i >= args.size()) return {};
    const auto* text = std::get_if<std::string>(&args[i]);
    return text ? *text : std::string();
}

int32_t Span(int64_t from, int64_t to) {
    return static_cast<int32_t>(std::clamp<int64_t>(to - from, 0, INT_MAX));
}

}  // namespace

std::vector<TEditorObject> TRecordingEditor::Objects() const {
    std::vector<TEditorObject> alive;
    for (const TEditorObject& object : mObjects)
        if (!mDeleted.count(object.Id)) alive.push_back(object);
    return alive;
}

const TEditorObject* TRecordingEditor::Current() const {
    if (mCurrent <= 0 || mDeleted.count(mCurrent)) return nullptr;
    return &mObjects[mCurrent - 1];
}

TEditorObject& TRecordingEditor::Selected(std::string_view method) {
    if (mCurrent <= 0 || mDeleted.count(mCurrent))
        throw TAutomationError(std::string(method) + ": no object is selected");
    return mObjects[mCurrent - 1];
}

TEditorObject& TRecordingEditor::Create(TEditorShape shape) {
    TEditorObject object;
    object.Id = static_cast<int32_t>(mObjects.size()) + 1;
    object.Shape = shape;
    mObjects.push_back(object);
    mCurrent = object.Id;
    return mObjects.back();
}

// Top, left, bottom, right.
void TRecordingEditor::SetBox(TEditorObject& object, const TVariants& args) {
    object.Top = Arg(args, 0);
    object.Left = Arg(args, 1);
    object.Height = Span(Arg(args, 2), Arg(args, 0));
    object.Width = Span(Arg(args, 1), Arg(args, 3));
}

void TRecordingEditor::TextSize(TEditorObject& object) {
    const int64_t width = int64_t{TextUnitsPerByte} * static_cast<int64_t>(object.Text.size()) * object.FontSize / 24;
    object.Width = static_cast<int32_t>(std::min<int64_t>(width, INT_MAX));
    object.Height = TextUnitsPerPoint * std::clamp(object.FontSize, 0, INT_MAX / TextUnitsPerPoint);
}

TVariants TRecordingEditor::Invoke(std::string_view method, const TVariants& args) {
    mLog.push_back(FormatScriptCall(method, args));
    if (mFailAt > 0 && static_cast<int>(mLog.size()) >= mFailAt)
        throw TAutomationError(std::string(method) + ": the call was told to fail");

    if (method == "CreateRectangle") {
        SetBox(Create(TEditorShape::Rectangle), args);
    } else if (method == "CreateEllipse") {
        SetBox(Create(TEditorShape::Ellipse), args);
    } else if (method == "CreateSymPolygon") {
        TEditorObject& object = Create(TEditorShape::Polygon);
        SetBox(object, args);
        object.Sides = Arg(args, 4);
    } else if (method == "CreateArtisticText") {
        TEditorObject& object = Create(TEditorShape::Text);
        object.Text = TextArg(args, 0);
        object.Left = Arg(args, 1);
        object.Top = Arg(args, 2);
        TextSize(object);
    } else if (method == "FileImport") {
        TEditorObject& object = Create(TEditorShape::Picture);
        object.Text = TextArg(args, 0);
        object.Width = ImportWidth;
        object.Height = ImportHeight;
    } else if (method == "BeginDrawCurve") {
        mDrawingCurve = true;
        mCurve = {{Arg(args, 0), Arg(args, 1)}};
    } else if (method == "DrawCurveLineTo" || method == "DrawCurveClosePath") {
        if (!mDrawingCurve) throw TAutomationError(std::string(method) + ": no curve is being drawn");
        if (method == "DrawCurveLineTo") mCurve.push_back({Arg(args, 0), Arg(args, 1)});
        else mCurve.push_back(mCurve.front());
    } else if (method == "EndDrawCurve") {
        if (!mDrawingCurve) throw TAutomationError("EndDrawCurve: no curve is being drawn");
        mDrawingCurve = false;
        TEditorObject& object = Create(TEditorShape::Curve);
        object.Closed = mCurve.size() > 1 && mCurve.back() == mCurve.front();
        int64_t left = INT_MAX, right = INT_MIN, top = INT_MIN, bottom = INT_MAX;
        for (const TEditorPoint& p : mCurve) {
            left = std::min<int64_t>(left, p.X);
            right = std::max<int64_t>(right, p.X);
            top = std::max<int64_t>(top, p.Y);
            bottom = std::min<int64_t>(bottom, p.Y);
        }
        object.Left = static_cast<int32_t>(left);
        object.Top = static_cast<int32_t>(top);
        object.Width = Span(left, right);
        object.Height = Span(bottom, top);
        object.Points = std::move(mCurve);
        mCurve.clear();
    } else if (method == "SetCornerRoundness") {
        Selected(method).Corners = {Arg(args, 0), Arg(args, 1), Arg(args, 2), Arg(args, 3)};
    } else if (method == "SetSize") {
        TEditorObject& object = Selected(method);
        object.Width = Arg(args, 0);
        object.Height = Arg(args, 1);
    } else if (method == "SetPosition") {
        TEditorObject& object = Selected(method);
        object.Left = Arg(args, 0);
        object.Top = Arg(args, 1);
    } else if (method == "GetSize") {
        const TEditorObject& object = Selected(method);
        return {object.Width, object.Height};
    } else if (method == "GetObjectsCDRStaticID") {
        return {Selected(method).Id};
    } else if (method == "SelectObjectOfCDRStaticID") {
        const int32_t id = Arg(args, 0);
        if (id <= 0 || id > static_cast<int32_t>(mObjects.size()) || mDeleted.count(id))
            throw TAutomationError("SelectObjectOfCDRStaticID: no object " + std::to_string(id));
        mCurrent = id;
    } else if (method == "UnSelectAll") {
        mCurrent = 0;
    } else if (method == "DeleteObject") {
        mDeleted.insert(Selected(method).Id);
        mCurrent = 0;
    } else if (method == "DuplicateObject") {
        TEditorObject copy = Selected(method);
        copy.Id = static_cast<int32_t>(mObjects.size()) + 1;
        copy.Left += Arg(args, 0);
        copy.Top += Arg(args, 1);
        mObjects.push_back(copy);
        mCurrent = copy.Id;
    } else if (method == "OrderToFront") {
        Selected(method);
    } else if (method == "PlaceInside") {
        const int32_t frame = Arg(args, 0);
        if (frame <= 0 || frame > static_cast<int32_t>(mObjects.size()) || mDeleted.count(frame))
            throw TAutomationError("PlaceInside: no frame " + std::to_string(frame));
        Selected(method).Container = frame;
    } else if (method == "StoreColor") {
        mColor = args;
    } else if (method == "SetOutlineColor") {
        Selected(method).OutlineColor = mColor;
    } else if (method == "ApplyUniformFillColor") {
        TEditorObject& object = Selected(method);
        object.FillColor = mColor;
        object.NoFill = false;
    } else if (method == "ApplyNoFill") {
        TEditorObject& object = Selected(method);
        object.FillColor.clear();
        object.NoFill = true;
    } else if (method == "SetOutlineWidth") {
        Selected(method).OutlineWidth = Arg(args, 0);
    } else if (method == "SetOutlineMiscProperties") {
        Selected(method);
    } else if (method == "SetCharacterAttributes") {
        TEditorObject& object = Selected(method);
        if (object.Shape != TEditorShape::Text) throw TAutomationError("SetCharacterAttributes: not a text");
        object.FontSize = Arg(args, 3);
        TextSize(object);
    } else if (method == "SaveStyleProp") {
        const TEditorObject* object = Current();
        TStyle& style = mStyles[TextArg(args, 0)];
        style.Text = object && object->Shape == TEditorShape::Text;
        if (style.Text) style.FontSize = object->FontSize;
    } else if (method == "ApplyStyle") {
        const std::string name = TextArg(args, 0);
        const auto style = mStyles.find(name);
        if (style == mStyles.end()) throw TAutomationError("ApplyStyle: no style \"" + name + "\"");
        TEditorObject& object = Selected(method);
        object.Style = name;
        if (style->second.Text && object.Shape == TEditorShape::Text) {
            object.FontSize = style->second.FontSize;
            TextSize(object);
        }
    } else {
        throw TAutomationError("no method " + std::string(method));
    }
    return {};
}
