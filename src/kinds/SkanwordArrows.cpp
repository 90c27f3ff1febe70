// The scanword templates' arrow and turn pictures: on the canvas, in the list of picture files
// and as the shapes the vector-editor export duplicates.

#include "SkanwordShablon.h"

#include "export/ScriptWriter.h"
#include "platform/Canvas.h"
#include "platform/IniFile.h"
#include "platform/Metafile.h"
#include "template/GlobalOption.h"

#include <algorithm>
#include <filesystem>
#include <functional>
#include <limits>

namespace {

// An arrow or turn picture is drawn in the box of one cell, this many units a side.
constexpr int PictureBox = 100;
// The arrow setting that takes the pictures from the template's own collection.
constexpr std::string_view SavedPictures = "saved";
constexpr const char* ArrowSection = "STRELKI";
// Editor units per drawing unit.
constexpr int64_t ExportUnits = 1000;
// The temporary shape the styles are saved from.
constexpr int32_t StyleShapeNear = 10000;
constexpr int32_t StyleShapeFar = 20000;
constexpr const char* TurnSection = "TURN";

constexpr const char* VerticalKeys[7] = {"DOWN",        "DOWNRIGHT_DOWN", "RIGHT_DOWN",   "UPRIGHT_DOWN",
                                         "UPLEFT_DOWN", "LEFT_DOWN",      "DOWNLEFT_DOWN"};
constexpr const char* HorizontalKeys[7] = {"DOWN_RIGHT",   "DOWNRIGHT_RIGHT", "RIGHT",         "UPRIGHT_RIGHT",
                                           "UPLEFT_RIGHT", "UP_RIGHT",        "DOWNLEFT_RIGHT"};
constexpr const char* InsideVerticalKeys[7] = {"INDOWN_DOWN",   "INDOWN_DOWNRIGHT", "INDOWN_RIGHT",   "INDOWN_UPRIGHT",
                                               "INDOWN_UPLEFT", "INDOWN_LEFT",      "INDOWN_DOWNLEFT"};
constexpr const char* InsideHorizontalKeys[7] = {"INRIGHT_DOWN",   "INRIGHT_DOWNRIGHT", "INRIGHT_RIGHT",
                                                 "INRIGHT_UPRIGHT", "INRIGHT_UP",       "INRIGHT_UPLEFT",
                                                 "INRIGHT_DOWNLEFT"};
constexpr const char* TurnKeyNames[8] = {"DOWNRIGHT", "DOWNLEFT", "RIGHTDOWN", "RIGHTUP",
                                         "UPRIGHT",   "UPLEFT",   "LEFTDOWN",  "LEFTUP"};

int32_t Clamp32(int64_t v) {
    return static_cast<int32_t>(
        std::clamp<int64_t>(v, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max()));
}

bool IsFile(const std::string& name) {
    std::error_code error;
    return !name.empty() && std::filesystem::is_regular_file(name, error);
}

// The picture a drawing routine leaves in a box-sized metafile.
std::unique_ptr<TMetafile> DrawnPicture(const std::function<void(TCanvas&)>& draw) {
    auto metafile = std::make_unique<TMetafile>(PictureBox, PictureBox);
    TCanvas canvas(*metafile);
    draw(canvas);
    return metafile;
}

}  // namespace

// ---- keys ----

std::vector<TSkanwordShablon::TArrowKey> TSkanwordShablon::ArrowKeys() const {
    std::vector<TArrowKey> keys;
    for (int code = 1; code <= 7; ++code) keys.push_back({"STRELKA_V_" + std::to_string(code), VerticalKeys[code - 1], code});
    for (int code = 1; code <= 7; ++code)
        keys.push_back({"STRELKA_H_" + std::to_string(code), HorizontalKeys[code - 1], code << 3});
    return keys;
}

std::vector<TSkanwordShablon::TArrowKey> TSkanwordShablon2::ArrowKeys() const {
    std::vector<TArrowKey> keys = TSkanwordShablon::ArrowKeys();
    for (int code = 1; code <= 7; ++code)
        keys.push_back({"STRELKA_V_" + std::to_string(0x40 | code), InsideVerticalKeys[code - 1], 0x40 | code});
    for (int code = 1; code <= 7; ++code)
        keys.push_back({"STRELKA_H_" + std::to_string(0x80 | code), InsideHorizontalKeys[code - 1], 0x80 | code << 3});
    return keys;
}

std::vector<TSkanwordShablon::TArrowKey> TSkanwordShablon3::TurnKeys() const {
    std::vector<TArrowKey> keys;
    for (int i = 0; i < 8; ++i) keys.push_back({"TURN_" + std::to_string(1 << i), TurnKeyNames[i], 1 << i});
    return keys;
}

// ---- pictures for drawing ----

void TSkanwordShablon::LoadArrowPictures() {
    ArrowPictures.Clear();
    if (!ArrowLook.FileName.empty() && ArrowLook.FileName != SavedPictures) {
        ReadArrowOffsets(StyleFile(ArrowLook.FileName));
        ReadScriptArrowOffsets(StyleFile(ArrowLook.FileName));
    }
    LoadPictures(ArrowSection, ArrowKeys(), &TShablon::DrawLineArrows, 0);
}

void TSkanwordShablon3::LoadArrowPictures() {
    TSkanwordShablon::LoadArrowPictures();
    LoadPictures(TurnSection, TurnKeys(), static_cast<TDrawn>(&TSkanwordShablon3::DrawTurnMark), PenWidth / 2);
}

void TSkanwordShablon::LoadPictures(const char* section, const std::vector<TArrowKey>& keys, TDrawn drawn, int inset) {
    const bool saved = ArrowLook.FileName == SavedPictures;
    const bool named = !saved && !ArrowLook.FileName.empty();
    const TIniFile ini(named ? StyleFile(ArrowLook.FileName) : std::string());
    for (const TArrowKey& key : keys) {
        if (saved) {
            const int entry = Pictures.IndexOfName(key.Picture);
            if (entry >= 0 && ArrowPictures.AddGraphic(key.Picture, Pictures.Picture(entry))) continue;
        } else if (named) {
            const std::string file = FindOptionFile(ini.ReadString(section, key.Key, ""));
            std::shared_ptr<const TPicture> picture = file.empty() ? nullptr : TPicture::FromFile(file);
            if (picture) {
                const auto inBox = DrawnPicture([&](TCanvas& canvas) {
                    canvas.StretchDraw(TRect{inset, inset, PictureBox - inset, PictureBox - inset}, picture);
                });
                if (ArrowPictures.AddFromStream(TPictureKind::Metafile, key.Picture, inBox->SvgData())) continue;
            }
        }
        const auto line = DrawnPicture([&](TCanvas& canvas) { (this->*drawn)(canvas, key.Bits); });
        ArrowPictures.AddFromStream(TPictureKind::Metafile, key.Picture, line->SvgData());
    }
}

void TSkanwordShablon::FastDraw(TFastDrawParameters parameters, TBitmap& bitmap) {
    if (ArrowPictures.Count() == 0) LoadArrowPictures();
    TShablon::FastDraw(std::move(parameters), bitmap);
}

void TSkanwordShablon3::DrawTurnMark(TCanvas& canvas, int bit) const {
    // Each bit: where the word enters the cell from and the stroke direction it leaves in
    // (1 down, 2 right, 6 left, 8 up).
    struct TTurnMark {
        int Bit;
        TPoint From;
        int Direction;
    };
    constexpr int H = PictureBox / 2;
    static constexpr TTurnMark Marks[8] = {{1, {H, 0}, 2},          {2, {H, 0}, 6},         {4, {0, H}, 1},
                                           {8, {0, H}, 8},          {16, {H, PictureBox}, 2}, {32, {H, PictureBox}, 6},
                                           {64, {PictureBox, H}, 1}, {128, {PictureBox, H}, 8}};
    for (const TTurnMark& mark : Marks) {
        if (mark.Bit != bit) continue;
        canvas.Pen = {ArrowLook.Color.ToRgb(), ArrowLook.Width, TPenStyle::Solid};
        canvas.MoveTo(mark.From.X, mark.From.Y);
        canvas.LineTo(H, H);
        DrawArrowStroke(canvas, H, H, mark.Direction, false);
    }
}

void TSkanwordShablon::ListPictureFiles(std::vector<std::string>& files) const {
    TShablon::ListPictureFiles(files);
    if (ArrowLook.FileName.empty()) return;
    const TIniFile ini(StyleFile(ArrowLook.FileName));
    std::vector<TArrowKey> keys = TSkanwordShablon::ArrowKeys();
    // The list names the horizontal code 6 ("UP_RIGHT") after code 7.
    std::swap(keys[12], keys[13]);
    for (const TArrowKey& key : keys) {
        const std::string name = ini.ReadString(ArrowSection, key.Key, key.Picture);
        if (name.empty()) continue;
        const std::string found = FindOptionFile(name);
        files.push_back(found.empty() ? name : found);
    }
}

// ---- shapes for the vector editor ----

std::string TSkanwordShablon::ExportPictureFile(const char* section, const char* key) const {
    if (ArrowLook.FileName == SavedPictures) {
        const int entry = Pictures.IndexOfName(key);
        const std::string file = entry >= 0 ? Pictures.PictureFileName(entry) : std::string();
        return IsFile(file) ? file : std::string();
    }
    if (ArrowLook.FileName.empty()) return {};
    const std::string settings = StyleFile(ArrowLook.FileName);
    const std::string name = TIniFile(settings).ReadString(section, key, "");
    if (name.empty()) return {};
    if (IsFile(name)) return name;
    const std::string beside = (std::filesystem::path(settings).parent_path() / name).string();
    return IsFile(beside) ? beside : std::string();
}

void TSkanwordShablon::LoadEditorShapes(TCommandWriter& writer, const char* section,
                                        const std::vector<TArrowKey>& keys, const TEditorShapeStyles& styles,
                                        TDrawn drawn) const {
    const int64_t unit = int64_t{GetCellPixelWidth()} * ExportUnits / PictureBox;
    const int32_t cell = Clamp32(unit * PictureBox);
    for (const TArrowKey& key : keys) {
        const std::string file =
            ExportPictureFile(section, ArrowLook.FileName == SavedPictures ? key.Picture.c_str() : key.Key);
        if (!file.empty()) {
            writer.FileImport(file);
            writer.FitPicture(TEditorBox{0, 0, cell, cell}, true);
            writer.ApplyStyle(styles.Picture);
        } else {
            const auto line = DrawnPicture([&](TCanvas& canvas) { (this->*drawn)(canvas, key.Bits); });
            std::vector<std::pair<int32_t, int32_t>> curve;
            for (const TCanvasCall& call : line->Calls())
                for (const TPoint& point : call.Points) {
                    const std::pair<int32_t, int32_t> at{Clamp32(point.X * unit), Clamp32(-point.Y * unit)};
                    if (curve.empty() || curve.back() != at) curve.push_back(at);
                }
            writer.Curve(curve, false);
            writer.ApplyStyle(styles.Drawn);
        }
        writer.RememberObject(styles.Prefix + std::to_string(key.Bits) + "&");
    }
}

void TSkanwordShablon::DeleteEditorShapes(TCommandWriter& writer, const std::vector<TArrowKey>& keys,
                                          std::string_view prefix) const {
    for (const TArrowKey& key : keys) {
        writer.SelectRemembered(std::string(prefix) + std::to_string(key.Bits) + "&");
        writer.DeleteObject();
    }
}

void TSkanwordShablon::DefineShapeStyles(TCommandWriter& writer, const TEditorShapeStyles& styles, int drawnInk,
                                         int pictureInk) const {
    writer.CreateRectangle(StyleShapeNear, StyleShapeNear, StyleShapeFar, StyleShapeFar);
    writer.SetOutlineWidth(Clamp32(int64_t{GetCellPixelWidth()} * ExportUnits / PictureBox * ArrowLook.Width));
    if (drawnInk < 0)
        writer.StoreColor(ArrowLook.Color);
    else
        writer.StoreCmyk(0, 0, 0, drawnInk);
    writer.SetOutlineColor();
    writer.ApplyNoFill();
    writer.SaveStyleProp(styles.Drawn, false);
    writer.StoreCmyk(0, 0, 0, pictureInk);
    writer.SaveStyleProp(styles.Picture, 0, 0);
    writer.DeleteObject();
}

namespace {

const TSkanwordShablon::TEditorShapeStyles ArrowStyles{"STRELKA", "STRELKA_NORMAL", "STRELKA_USER"};
const TSkanwordShablon::TEditorShapeStyles TurnStyles{"TURN", "TURN_NORMAL", "TURN_USER"};

}  // namespace

void TSkanwordShablon::EditorDefineStyles(TCommandWriter& writer) const {
    TShablon::EditorDefineStyles(writer);
    DefineShapeStyles(writer, ArrowStyles, -1, 255);
}

void TSkanwordShablon::EditorLoadArrowShapes(TCommandWriter& writer) const {
    LoadEditorShapes(writer, ArrowSection, ArrowKeys(), ArrowStyles, &TShablon::DrawLineArrows);
}

void TSkanwordShablon::EditorDeleteArrowShapes(TCommandWriter& writer) const {
    writer.UnSelectAll();
    DeleteEditorShapes(writer, ArrowKeys(), ArrowStyles.Prefix);
}

void TSkanwordShablon3::EditorDefineStyles(TCommandWriter& writer) const {
    TSkanwordShablon::EditorDefineStyles(writer);
    DefineShapeStyles(writer, TurnStyles, 96, 100);
}

void TSkanwordShablon3::EditorLoadArrowShapes(TCommandWriter& writer) const {
    TSkanwordShablon::EditorLoadArrowShapes(writer);
    LoadEditorShapes(writer, TurnSection, TurnKeys(), TurnStyles, static_cast<TDrawn>(&TSkanwordShablon3::DrawTurnMark));
}

void TSkanwordShablon3::EditorDeleteArrowShapes(TCommandWriter& writer) const {
    TSkanwordShablon::EditorDeleteArrowShapes(writer);
    DeleteEditorShapes(writer, TurnKeys(), TurnStyles.Prefix);
}
