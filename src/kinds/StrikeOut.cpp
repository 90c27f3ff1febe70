#include "StrikeOut.h"

#include "export/ComExport.h"
#include "export/ScriptWriter.h"
#include "platform/IniFile.h"
#include "platform/Text.h"
#include "platform/Ui.h"
#include "template/GlobalOption.h"

#include <algorithm>
#include <limits>
#include <vector>

namespace {

constexpr std::string_view Section = "FILLWORD_STRIKEOUT";
constexpr int64_t ExportUnits = 1000;
// The temporary shape the style is saved from, as the other styles are.
constexpr int32_t StyleShapeNear = 10000;
constexpr int32_t StyleShapeFar = 20000;

int32_t Clamp32(int64_t v) {
    return static_cast<int32_t>(
        std::clamp<int64_t>(v, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max()));
}

}  // namespace

bool LoadStrikeOutLook(const std::string& path, TStrikeOutLook& look, std::vector<TIniClamp>& clamps) {
    const std::string found = FindOptionFile(path);
    const TIniFile ini(found);
    if (found.empty() || ini.Failed()) {
        TheUi().Message(Format("Ошибка чтения файла стилей %s"_cp, FromUtf8(path)));
        return false;
    }
    if (ini.ValueExists(Section, "SHOW_LINE")) look.ShowLine = ini.ReadBool(Section, "SHOW_LINE", false);
    if (ini.ValueExists(Section, "WIDTH")) look.Width = ReadIniInRange(ini, Section, "WIDTH", 0, 0, MaxStyleLength, clamps);
    if (ini.ValueExists(Section, "COLOR"))
        look.Color.Value = static_cast<uint32_t>(ini.ReadInteger(Section, "COLOR", 0));
    if (ini.ValueExists(Section, "COLOR_T"))
        look.Color.Model = ReadIniColorModel(ini, Section, "COLOR_T", clamps);
    return true;
}

std::string StrikeOutLookText(const TStrikeOutLook& look) {
    return "SHOW_LINE=" + std::to_string(look.ShowLine ? 1 : 0) + " WIDTH=" + std::to_string(look.Width) +
           " COLOR=" + std::to_string(static_cast<int32_t>(look.Color.Value)) +
           " COLOR_T=" + std::to_string(static_cast<int>(look.Color.Model));
}

bool ReadStrikeOutLookText(std::string_view text, TStrikeOutLook& look) {
    int32_t values[4] = {};
    const char* const keys[4] = {"SHOW_LINE=", "WIDTH=", "COLOR=", "COLOR_T="};
    for (int i = 0; i < 4; ++i) {
        const std::size_t end = text.find(' ');
        const std::string_view word = text.substr(0, end);
        if (!word.starts_with(keys[i]) || !ParseIniInteger(word.substr(std::string_view(keys[i]).size()), values[i]))
            return false;
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    }
    if (!text.empty() || values[1] < 0 || values[1] > MaxStyleLength || values[3] < 0 || values[3] > 1) return false;
    look.ShowLine = values[0] != 0;
    look.Width = values[1];
    look.Color = {static_cast<uint32_t>(values[2]), static_cast<TColorModel>(values[3])};
    return true;
}

bool WriteStrikeOutLook(TIniFile& ini, const TStrikeOutLook& look) {
    bool ok = ini.WriteBool(Section, "SHOW_LINE", look.ShowLine);
    ok = ini.WriteInteger(Section, "WIDTH", look.Width) && ok;
    ok = ini.WriteInteger(Section, "COLOR", static_cast<int32_t>(look.Color.Value)) && ok;
    return ini.WriteInteger(Section, "COLOR_T", static_cast<int32_t>(look.Color.Model)) && ok;
}

void CopyStrikeOutLook(const TCrossword& other, TStrikeOutLook& look) {
    if (const auto* owner = dynamic_cast<const TStrikeOutOwner*>(&other)) look = owner->StrikeOut;
}

void AddStrikeOutLines(const TCrossword& crossword, const std::vector<int>& slots, const TStrikeOutLook& look,
                       TComExport& list) {
    const TShablon& shablon = *crossword.Template;
    int x0 = 0, y0 = 0, endX = 0, endY = 0;
    shablon.GetUsedBounds(x0, y0, endX, endY);
    const int64_t half = int64_t{shablon.CellSize} * shablon.Scale * ExportUnits / 2;
    for (const int slot : slots) {
        std::vector<TItemPoint> points;
        const TCoord cells = crossword.SlotCells(slot);
        for (const TCell& cell : cells.Cells()) {
            int ex = 0, ey = 0;
            shablon.CellToExport(cell.x - x0, cell.y - y0, ex, ey);
            // Export units grow upward: half a cell down is a smaller y.
            points.push_back({Clamp32(ex + half), Clamp32(ey - half)});
        }
        list.AddPolyline(points, StrikeOutStyle, look.Color, look.Width);
    }
}

void DefineStrikeOutStyle(TCommandWriter& writer, const TShablon& shablon, const TStrikeOutLook& look) {
    writer.CreateRectangle(StyleShapeNear, StyleShapeNear, StyleShapeFar, StyleShapeFar);
    writer.SetOutlineWidth(Clamp32(int64_t{look.Width} * shablon.Scale * ExportUnits));
    writer.StoreColor(look.Color);
    writer.SetOutlineColor();
    writer.ApplyNoFill();
    writer.SaveStyleProp(StrikeOutStyle, false);
    writer.DeleteObject();
}
