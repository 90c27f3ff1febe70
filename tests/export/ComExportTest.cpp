#include "export/ComExport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <functional>

namespace {

// The bytes of a 4-character number, least significant first.
std::string Bytes(uint32_t v) {
    return {static_cast<char>(v & 0xFF), static_cast<char>(v >> 8 & 0xFF), static_cast<char>(v >> 16 & 0xFF),
            static_cast<char>(v >> 24 & 0xFF)};
}

// What a new item holds: 8 zero characters, 64 blanks, 128 zero characters.
std::string EmptyHeader() {
    return std::string(8, '\0') + std::string(64, ' ') + std::string(128, '\0');
}

// An item of the kind with X, Y, X2, Y2 = 100, -200, 300, -400.
int AddPlaced(TComExport& list, int kind) {
    const int i = list.Add();
    list.SetKind(i, static_cast<TExportKind>(kind));
    list.SetX(i, 100);
    list.SetY(i, -200);
    list.SetX2(i, 300);
    list.SetY2(i, -400);
    return i;
}

}  // namespace

TEST(ComExport, NewItemIsEmpty) {
    TComExport list;
    const int i = list.Add();
    EXPECT_EQ(list.ItemText(i), EmptyHeader());
    EXPECT_EQ(list.Kind(i), 0);
    EXPECT_EQ(list.Value(i), 0);
    EXPECT_EQ(list.Name(i), "");
    EXPECT_EQ(list.X(i), 0);
    EXPECT_EQ(list.Y2(i), 0);
    EXPECT_FALSE(list.Flag(i));
    EXPECT_FALSE(list.Flag2(i));
    EXPECT_EQ(list.Mode(i), 0);
    EXPECT_EQ(list.Param4(i), 0);
    EXPECT_EQ(list.Text(i), "");
    EXPECT_FALSE(list.HasFormat(i));
}

TEST(ComExport, EachSetterWritesItsBytesAndNothingElse) {
    struct Case {
        const char* field;
        std::function<void(TComExport&, int)> set;
        std::size_t position;  // 1-based, as the header table counts
        std::string bytes;
    };
    const std::vector<Case> cases = {
        {"Kind", [](TComExport& l, int i) { l.SetKind(i, TExportKind::TurnMarks); }, 1, Bytes(26)},
        {"Value", [](TComExport& l, int i) { l.SetValue(i, 0x01020304); }, 5, "\x04\x03\x02\x01"},
        {"Name", [](TComExport& l, int i) { l.SetName(i, "CHAR_POLE"); }, 9, "CHAR_POLE "},
        {"X", [](TComExport& l, int i) { l.SetX(i, -1); }, 73, "\xFF\xFF\xFF\xFF"},
        {"Y", [](TComExport& l, int i) { l.SetY(i, -100000); }, 77, Bytes(static_cast<uint32_t>(-100000))},
        {"X2", [](TComExport& l, int i) { l.SetX2(i, 0x7FFFFFFF); }, 81, "\xFF\xFF\xFF\x7F"},
        {"Y2", [](TComExport& l, int i) { l.SetY2(i, 256); }, 85, Bytes(256)},
        {"Flag", [](TComExport& l, int i) { l.SetFlag(i, true); }, 89, "1"},
        {"Flag off", [](TComExport& l, int i) { l.SetFlag(i, false); }, 89, "0"},
        {"Mode", [](TComExport& l, int i) { l.SetMode(i, 0xAB); }, 90, "\xAB"},
        {"Flag2", [](TComExport& l, int i) { l.SetFlag2(i, true); }, 91, "1"},
        {"Param1", [](TComExport& l, int i) { l.SetParam1(i, 7); }, 92, Bytes(7)},
        {"Param2", [](TComExport& l, int i) { l.SetParam2(i, -2); }, 96, Bytes(static_cast<uint32_t>(-2))},
        {"Colour", [](TComExport& l, int i) { l.SetColour(i, {0x11223344, TColorModel::Cmyk}); }, 100,
         std::string("\x44\x33\x22\x11\x01", 5)},
        {"Rect", [](TComExport& l, int i) { l.SetRect(i, {1, 2, 3, 4}); }, 102,
         Bytes(1) + Bytes(2) + Bytes(3) + Bytes(4)},
        {"Param3", [](TComExport& l, int i) { l.SetParam3(i, 3000); }, 118, Bytes(3000)},
        {"Param4", [](TComExport& l, int i) { l.SetParam4(i, 4000); }, 122, Bytes(4000)},
    };
    for (const Case& c : cases) {
        TComExport list;
        const int i = list.Add();
        c.set(list, i);
        std::string expected = EmptyHeader();
        expected.replace(c.position - 1, c.bytes.size(), c.bytes);
        EXPECT_EQ(list.ItemText(i), expected) << c.field;
    }
}

TEST(ComExport, FieldsReadBackWhatWasSet) {
    TComExport list;
    const int i = list.Add();
    list.SetX(i, -1);
    list.SetY2(i, -123456789);
    list.SetParam2(i, 0x7FFFFFFF);
    list.SetColour(i, {0xC0C0C0, TColorModel::Rgb});
    EXPECT_EQ(list.X(i), -1);
    EXPECT_EQ(list.Y2(i), -123456789);
    EXPECT_EQ(list.Param2(i), 0x7FFFFFFF);
    EXPECT_EQ(list.Colour(i), (TColorValue{0xC0C0C0, TColorModel::Rgb}));

    // Rect shares its first bytes with Colour: a framed item has no colour.
    list.SetRect(i, {-1, 2, 3, -4});
    EXPECT_EQ(list.Rect(i), (TItemRect{-1, 2, 3, -4}));
    EXPECT_NE(list.Colour(i), (TColorValue{0xC0C0C0, TColorModel::Rgb}));

    // Only the low 7 bits of the kind count.
    list.SetValue(i, 5);
    list.SetKind(i, static_cast<TExportKind>(0x80 | 6));
    EXPECT_EQ(list.Kind(i), 6);
    EXPECT_EQ(list.Value(i), 5);
}

TEST(ComExport, NamesArePaddedCutAndTrimmed) {
    TComExport list;
    const int i = list.Add();
    const std::string seventy = std::string(60, 'A') + "0123456789";
    list.SetName(i, seventy);
    EXPECT_EQ(list.Name(i), seventy.substr(0, 64));
    list.SetName(i, "  SETKA_STYLE ");
    EXPECT_EQ(list.Name(i), "SETKA_STYLE");
    EXPECT_EQ(list.ItemText(i).substr(8, 64), "  SETKA_STYLE" + std::string(51, ' '));
    list.SetName(i, "");
    EXPECT_EQ(list.Name(i), "");
}

TEST(ComExport, TextFollowsTheHeader) {
    TComExport list;
    const int i = list.Add();
    list.SetText(i, "first");
    list.SetValue(i, 9);
    list.SetText(i, std::string("a\0b", 3));
    EXPECT_EQ(list.Text(i), std::string("a\0b", 3));
    EXPECT_EQ(list.ItemText(i).size(), TComExport::HeaderSize + 3);
    EXPECT_EQ(list.Value(i), 9);
}

TEST(ComExport, EachAppendSetsItsKindAndFields) {
    TComExport list;
    TBlockFields box;
    box.X = 1;
    box.Y = -2;
    box.X2 = 3;
    box.Y2 = 4;
    box.Name = "OPR_TEXT";
    box.Flag = true;
    box.Flag2 = true;
    box.Param1 = 5;
    box.Param2 = 6;
    box.Rect = {0, 1, 2, 3};
    box.Param3 = 7;
    box.Param4 = 8;
    TFormatParameters bold;
    bold.Bold = true;

    EXPECT_EQ(list.AddCaption("caption"), 0);
    list.AddCell(10, -20, true, 2);
    list.AddShapedCell(10, -20, false, 1);
    list.AddCanvasCell(10, 20, false, 0);
    list.AddCellEx(10, -20, 2, 3, 1);
    list.AddColorCell(10, -20, 4, 5, true, 3);
    list.AddNumber(10, -20, 12);
    list.AddCanvasNumber(10, 20, 13);
    list.AddKeyWordNumber(10, -20, 4, 5);
    list.AddKeyWordNumberShaped(10, -20, 4, 5);
    list.AddCanvasKeyWordNumber(10, 20, 4, 5);
    list.AddOutline(2, 3, 1, 1, "\x04" "6248");
    list.AddWalls(10, -20, 0x0F);
    list.AddArrows(10, -20, 0x41);
    list.AddLine(10, -20, 30, -40, "CHAR_POLE");
    list.AddPolyline({{1, 2}, {-3, -4}}, "STRIKE_OUT", {0xFF, TColorModel::Rgb}, 9);
    list.AddHoneyArrows(10, -20, 6, 7);
    list.AddTextBlock(box, "text");
    list.AddStyledTextBlock(box, "styled", bold);
    list.AddPicture(box, "a.bmp");
    list.AddFormattedText(box, "clue", bold);
    list.AddBackground("back.jpg");
    list.AddCellPart(10, -20, 2, 3, 1, {0, 1, 1, 2});
    list.AddFramedPicture(box, "b.wmf");
    list.AddFramedText(box, "framed", bold);
    list.AddMarker(10, -20);
    list.AddTurnMarks(10, -20, 0x1B);
    ASSERT_EQ(list.Count(), ExportKindCount);
    for (int i = 0; i < list.Count(); ++i) EXPECT_EQ(list.Kind(i), i);

    EXPECT_EQ(list.Text(0), "caption");
    EXPECT_TRUE(list.Flag(1));
    EXPECT_EQ(list.Value(1), 2);
    EXPECT_EQ(list.Y(1), -20);
    EXPECT_EQ(list.Value(2), 1);
    EXPECT_EQ(list.Y(3), 20);
    EXPECT_EQ(list.X2(4), 2);
    EXPECT_EQ(list.Y2(4), 3);
    EXPECT_EQ(list.Value(4), 1);
    EXPECT_EQ(list.Mode(5), 3);
    EXPECT_TRUE(list.Flag(5));
    EXPECT_EQ(list.X2(6), 12);
    EXPECT_EQ(list.X2(7), 13);
    EXPECT_EQ(list.Y2(8), 5);
    EXPECT_EQ(list.X2(10), 4);
    EXPECT_EQ(list.Text(11), "\x04" "6248");
    EXPECT_EQ(list.X(11), 2);
    EXPECT_EQ(list.Y2(11), 1);
    EXPECT_EQ(list.X2(12), 0x0F);
    EXPECT_EQ(list.X2(13), 0x41);
    EXPECT_EQ(list.Name(14), "CHAR_POLE");
    EXPECT_EQ(list.Y2(14), -40);
    EXPECT_EQ(list.Points(15), (std::vector<TItemPoint>{{1, 2}, {-3, -4}}));
    EXPECT_EQ(list.Name(15), "STRIKE_OUT");
    EXPECT_EQ(list.Colour(15).Value, 0xFFu);
    EXPECT_EQ(list.X2(15), 9);
    EXPECT_EQ(list.X2(16), 6);
    EXPECT_EQ(list.Value(16), 7);

    EXPECT_EQ(list.Name(17), "OPR_TEXT");
    EXPECT_EQ(list.Param2(17), 6);
    EXPECT_FALSE(list.Flag2(17));
    EXPECT_FALSE(list.HasFormat(17));
    EXPECT_TRUE(list.Flag2(18));
    EXPECT_TRUE(list.Format(18).Bold);
    EXPECT_EQ(list.Text(19), "a.bmp");
    EXPECT_EQ(list.Name(19), "");
    EXPECT_EQ(list.Y2(19), 4);
    EXPECT_EQ(list.Param1(20), 5);
    EXPECT_TRUE(list.Format(20).Bold);
    EXPECT_EQ(list.Text(21), "back.jpg");
    EXPECT_EQ(list.Rect(22), (TItemRect{0, 1, 1, 2}));
    EXPECT_EQ(list.X2(22), 2);
    EXPECT_EQ(list.Rect(23), box.Rect);
    EXPECT_EQ(list.Param4(23), 8);
    EXPECT_EQ(list.Name(23), "");
    EXPECT_EQ(list.Name(24), "OPR_TEXT");
    EXPECT_EQ(list.Param3(24), 7);
    EXPECT_EQ(list.Text(24), "framed");
    EXPECT_EQ(list.X(25), 10);
    EXPECT_EQ(list.X2(26), 0x1B);
}

TEST(ComExport, ShiftMovesOnlyTheKindsPlacedInExportUnits) {
    const std::vector<int> moved = {1, 4, 5, 6, 8, 11, 12, 13, 16, 17, 19, 20, 25};
    TComExport list;
    for (int kind = 0; kind < ExportKindCount; ++kind)
        if (kind != static_cast<int>(TExportKind::Polyline)) AddPlaced(list, kind);
    const int stored = AddPlaced(list, 0x80 | 1);  // reads as kind 1
    const int unknown = AddPlaced(list, 27);
    list.ShiftItems(10, -5);

    for (int i = 0; i < list.Count(); ++i) {
        const int kind = list.Kind(i);
        const bool moves = std::find(moved.begin(), moved.end(), kind) != moved.end();
        const bool line = kind == static_cast<int>(TExportKind::Line);
        EXPECT_EQ(list.X(i), moves || line ? 110 : 100) << "kind " << kind;
        EXPECT_EQ(list.Y(i), moves || line ? -205 : -200) << "kind " << kind;
        EXPECT_EQ(list.X2(i), line ? 310 : 300) << "kind " << kind;
        EXPECT_EQ(list.Y2(i), line ? -405 : -400) << "kind " << kind;
    }
    EXPECT_EQ(list.X(stored), 110);
    EXPECT_EQ(list.X(unknown), 100);
}

TEST(ComExport, ShiftMovesEveryWholePointOfAPolyline) {
    TComExport list;
    const int i = list.AddPolyline({{0, 0}, {1000, -2000}, {0x7FFFFFFF, 5}}, "", {}, 1);
    // A stray byte after the last whole point is neither read nor moved.
    list.SetText(i, std::string(list.Text(i)) + "\x01");
    list.ShiftItems(10, -5);
    EXPECT_EQ(list.Points(i), (std::vector<TItemPoint>{{10, -5}, {1010, -2005}, {INT32_MIN + 9, 0}}));
    EXPECT_EQ(list.Text(i).back(), '\x01');
    EXPECT_EQ(list.Text(i).size(), 25u);
}

TEST(ComExport, FormatsAreOwnedAndDefaultWhenAbsent) {
    const TFormatParameters defaults;
    EXPECT_EQ(defaults.FontName, "Arial Cyr");
    EXPECT_EQ(defaults.FontSize, 10);
    EXPECT_EQ(defaults.FontColor, (TColorValue{0, TColorModel::Rgb}));
    EXPECT_FALSE(defaults.Bold || defaults.Italic || defaults.Z);
    EXPECT_TRUE(defaults.HFlag);
    EXPECT_EQ(defaults.Alignment, 2);
    EXPECT_EQ(defaults.FontWidth, 100);
    EXPECT_EQ(defaults.SPercent, 100);
    EXPECT_EQ(defaults.Interline, 100);
    EXPECT_EQ(defaults.SpaceSize, 10);

    TComExport list;
    const int plain = list.Add();
    const int own = list.Add();
    EXPECT_EQ(list.Format(plain), defaults);

    TFormatParameters format;
    format.FontName = "Times New Roman Cyr";
    format.FontSize = 14;
    list.SetFormat(own, format);
    format.FontSize = 20;  // the item keeps its own copy
    EXPECT_EQ(list.Format(own).FontSize, 14);
    list.SetFormat(own, format);
    EXPECT_EQ(list.Format(own).FontSize, 20);
    EXPECT_EQ(list.Format(plain), defaults);

    list.Clear();
    EXPECT_EQ(list.Count(), 0);
    const int fresh = list.Add();
    EXPECT_FALSE(list.HasFormat(fresh));
}
