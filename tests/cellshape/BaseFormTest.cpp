#include "cellshape/CellOutline.h"

#include <gtest/gtest.h>

namespace {

using Lines = std::vector<std::string>;

TKletkaForm Form(uint8_t code, int32_t p1 = 0, int32_t p2 = 0, int32_t p3 = 0, int32_t p4 = 0) {
    TKletkaForm form;
    form.Form = code;
    form.Param1 = p1;
    form.Param2 = p2;
    form.Param3 = p3;
    form.Param4 = p4;
    return form;
}

struct ScriptCase {
    const char* name;
    TKletkaForm form;
    Lines lines;
};

const ScriptCase ScriptCases[] = {
    {"plain rectangle", Form(0),
     {"BEGIN 0, 0", "TOPRIGHT", "LINE 0, 0", "BOTTOMRIGHT", "LINE 0, 0", "BOTTOMLEFT", "LINE 0, 0", "END"}},
    {"rounded corners", Form(0, 1, 2, 3, 4),
     {"BEGIN 0, 5", "ARC 5, 0, 5, 5, 0, 15", "TOPRIGHT", "LINE -10, 0", "ARC 0, 10, -10, 10, 0, 15", "BOTTOMRIGHT",
      "LINE 0, -20", "ARC -20, 0, -20, -20, 0, 15", "BOTTOMLEFT", "LINE 15, 0", "ARC 0, -15, 15, -15, 0, 15", "END"}},
    {"ellipse", Form(1),
     {"SCALE 1", "BEGIN 500, 0", "ARC 500, 1000, 500, 500, 0, 30", "ARC 500, 0, 500, 500, 0, 30", "END"}},
    {"triangle", Form(2), {"SCALE 1", "BEGIN 500, 0", "LINE 1000, 1000", "LINE 0, 1000", "END"}},
    {"hexagon", Form(3),
     {"SCALE 1", "BEGIN 500, 0", "LINE 1000, 250", "LINE 1000, 750", "LINE 500, 1000", "LINE 0, 750", "LINE 0, 250",
      "END"}},
    {"octagon", Form(4),
     {"SCALE 1", "BEGIN 293, 0", "LINE 707, 0", "LINE 1000, 293", "LINE 1000, 707", "LINE 707, 1000", "LINE 293, 1000",
      "LINE 0, 707", "LINE 0, 293", "END"}},
    {"concave corners, one left plain", Form(5, 1, 0, 3, 4),
     {"BEGIN 0, 5", "ARC 5, 0, 0, 0, 1, 15", "TOPRIGHT", "LINE 0, 0", "BOTTOMRIGHT", "LINE 0, -20",
      "ARC -20, 0, 0, 0, 1, 15", "BOTTOMLEFT", "LINE 15, 0", "ARC 0, -15, 0, 0, 1, 15", "END"}},
    {"chamfered corners", Form(6, 1, 2, 3, 4),
     {"BEGIN 0, 5", "LINE 5, 0", "TOPRIGHT", "LINE -10, 0", "LINE 0, 10", "BOTTOMRIGHT", "LINE 0, -20", "LINE -20, 0",
      "BOTTOMLEFT", "LINE 15, 0", "LINE 0, -15", "END"}},
    {"pinched sides", Form(7, 10, 20, 30, 40),
     {"SCALE 1", "BEGIN 0, 0", "LINE 500, 50", "LINE 1000, 0", "LINE 800, 500", "LINE 1000, 1000", "LINE 500, 900",
      "LINE 0, 1000", "LINE 150, 500", "END", "END"}},
    {"mixed corners by remainder", Form(8, 31, 3, 5, 1),
     {"BEGIN 0, 155", "ARC 155, 0, 0, 0, 1, 15", "TOPRIGHT", "LINE -15, 0", "ARC 0, 15, -15, 15, 0, 15", "BOTTOMRIGHT",
      "LINE 0, -5", "ARC -5, 0, 0, 0, 1, 15", "BOTTOMLEFT", "LINE 25, 0", "LINE 0, -25", "END"}},
    {"circle without a notch", Form(9, 7, 0),
     {"SCALE 1", "BEGIN 500, 0", "ARC 500, 1000, 500, 500, 0, 30", "ARC 500, 0, 500, 500, 0, 30", "END"}},
    {"notch to the right", Form(9, 0, 100),
     {"SCALE 1", "BEGIN 854, 146", "ARC 854, 854, 1000, 500, 1, 30", "ARC 854, 146, 500, 500, 0, 60", "END"}},
    {"notch at the top", Form(9, 25, 100),
     {"SCALE 1", "BEGIN 146, 146", "ARC 854, 146, 500, 0, 1, 30", "ARC 146, 146, 500, 500, 0, 60", "END"}},
    {"corners without loops", Form(10),
     {"BEGIN 0, 0", "TOPRIGHT", "LINE 0, 0", "BOTTOMRIGHT", "LINE 0, 0", "BOTTOMLEFT", "LINE 0, 0", "END"}},
    {"loops, the half rounded to even", Form(10, 1),
     {"BEGIN 2, 5", "ARC 5, 2, 2, 2, 0, 50", "TOPRIGHT", "LINE -5, 2", "ARC -2, 5, -2, 2, 0, 50", "BOTTOMRIGHT",
      "LINE -2, -5", "ARC -5, -2, -2, -2, 0, 50", "BOTTOMLEFT", "LINE 5, -2", "ARC 2, -5, 2, -2, 0, 50", "END"}},
    {"loops, the half rounded up to even", Form(10, 3),
     {"BEGIN 8, 15", "ARC 15, 8, 8, 8, 0, 50", "TOPRIGHT", "LINE -15, 8", "ARC -8, 15, -8, 8, 0, 50", "BOTTOMRIGHT",
      "LINE -8, -15", "ARC -15, -8, -8, -8, 0, 50", "BOTTOMLEFT", "LINE 15, -8", "ARC 8, -15, 8, -8, 0, 50", "END"}},
    {"radii beyond 32 bits are clamped", Form(6, 1000000000),
     {"BEGIN 0, 2147483647", "LINE 2147483647, 0", "TOPRIGHT", "LINE 0, 0", "BOTTOMRIGHT", "LINE 0, 0", "BOTTOMLEFT",
      "LINE 0, 0", "END"}},
    {"unknown code", Form(11), {}},
};

TEST(BaseFormScript, EachFormWritesItsLines) {
    for (const ScriptCase& c : ScriptCases) {
        Lines lines{"old line"};
        MakeBaseFormScript(c.form, lines);
        EXPECT_EQ(lines, c.lines) << c.name;
    }
}

TEST(BaseFormScript, EveryGeneratedScriptReadsCleanly) {
    for (const ScriptCase& c : ScriptCases) {
        Lines lines;
        MakeBaseFormScript(c.form, lines);
        TOutlinePoints points;
        int count = -1;
        std::string errors = "stale";
        BuildCellOutline(lines, 100, 0, 0, 100, 100, points, count, errors);
        EXPECT_EQ(errors, "") << c.name;
        EXPECT_EQ(count > 0, !lines.empty()) << c.name;
    }
}

}  // namespace
