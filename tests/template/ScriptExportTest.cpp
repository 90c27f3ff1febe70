// The template's vector-editor export: the script text of each item kind, and the two
// deliveries (script text run by a small interpreter, and live calls) leaving the same objects
// in the recording editor.

#include "GridPicture.h"
#include "ScriptRunner.h"

#include "export/ComExport.h"
#include "export/ScriptWriter.h"
#include "platform/RecordingEditor.h"
#include "platform/RecordingUi.h"
#include "platform/Text.h"
#include "template/ClassicShablon.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <set>

namespace {

using TLines = std::vector<std::string>;

bool Has(const TLines& lines, const std::string& line) {
    return std::find(lines.begin(), lines.end(), line) != lines.end();
}

int CountPrefix(const TLines& lines, const std::string& prefix) {
    return static_cast<int>(std::count_if(lines.begin(), lines.end(),
                                          [&](const std::string& l) { return l.rfind(prefix, 0) == 0; }));
}

// The lines after the style block (which ends with the second ".DeleteObject").
TLines AfterStyles(const TLines& lines) {
    int deletes = 0;
    for (std::size_t i = 0; i < lines.size(); ++i)
        if (lines[i] == ".DeleteObject" && ++deletes == 2) return TLines(lines.begin() + i + 1, lines.end());
    return {};
}

TLines ScriptOf(TShablon& shablon) {
    TLines lines;
    shablon.ExportToScript(lines);
    return lines;
}

struct ScriptExportTest : ::testing::Test {
    ScopedRecordingUi Ui;
    TClassicShablon Shablon{3, 3};

    void SetUp() override { DrawGrid(Shablon, {"...", ".#.", "..."}); }
};

TEST_F(ScriptExportTest, StylesComeFirstAndEveryAppliedStyleWasSaved) {
    const TLines lines = ScriptOf(Shablon);
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines[0], ".CreateRectangle 10000, 10000, 20000, 20000");
    for (const char* style : {"CHAR_POLE", "NOT_CHAR_POLE", "KEY_WORD_POLE", "WIDE_ABRIS", "STENKA_GRAPHICS"})
        EXPECT_TRUE(Has(lines, ".SaveStyleProp \"" + std::string(style) + "\", -1, -1")) << style;
    for (const char* style : {"DIGITS", "KEY_WORD_DIGITS"})
        EXPECT_TRUE(Has(lines, ".SaveStyleProp \"" + std::string(style) + "\", -1, -1, 7")) << style;
    std::set<std::string> saved;
    for (const std::string& line : lines) {
        EXPECT_EQ(line.find_first_of("\r\n"), std::string::npos);
        if (line.rfind(".SaveStyleProp \"", 0) == 0) saved.insert(line.substr(16, line.find('"', 16) - 16));
        if (line.rfind(".ApplyStyle \"", 0) == 0) {
            EXPECT_TRUE(saved.count(line.substr(13, line.size() - 14))) << line;
        }
    }
}

TEST_F(ScriptExportTest, ColoursFollowTheFourComponentSwitchAndTheModel) {
    Shablon.LetterCellLook.PenColor = RgbColor(RGB(255, 0, 0));
    Shablon.LetterCellLook.BrushColor = TColorValue{0x01020304, TColorModel::Cmyk};
    Shablon.LetterCellLook.NoFill = false;
    Shablon.CmykAdaptation = false;
    TLines lines = ScriptOf(Shablon);
    EXPECT_TRUE(Has(lines, ".StoreColor 5, 255, 0, 0"));
    EXPECT_TRUE(Has(lines, ".StoreColor 3, 1, 2, 3, 4"));
    Shablon.CmykAdaptation = true;
    lines = ScriptOf(Shablon);
    EXPECT_TRUE(Has(lines, ".StoreColor 3, 0, 255, 255, 0"));
    EXPECT_FALSE(Has(lines, ".StoreColor 5, 255, 0, 0"));
}

TEST_F(ScriptExportTest, CellFormsBecomeTheirCommands) {
    const struct {
        uint8_t Form;
        int P1, P2, P3, P4;
        std::string Expected;  // a line the letter cell at (0, 0) writes
        std::string Absent;
    } cases[] = {
        {KletkaForm::Rounded, 20, 20, 20, 20, ".SetCornerRoundness 200, 200, 200, 200", ".BeginDrawCurve"},
        {KletkaForm::Rounded, 20, 0, 0, 0, ".DrawCurveClosePath", ".SetCornerRoundness"},
        {KletkaForm::Ellipse, 0, 0, 0, 0, ".CreateEllipse 0, 0, -100000, 100000, 0, 0, 0", ".BeginDrawCurve"},
        {KletkaForm::Triangle, 0, 0, 0, 0, ".CreateSymPolygon 0, 0, -100000, 100000, 3, 1, 1, 0, 0, 0", ""},
        {KletkaForm::Hexagon, 0, 0, 0, 0, ".CreateSymPolygon 0, 0, -100000, 100000, 6, 1, 1, 0, 0, 0", ""},
        {KletkaForm::Octagon, 0, 0, 0, 0, ".CreateSymPolygon 0, 0, -100000, 100000, 8, 1, 1, 0, 0, 0", ""},
        {KletkaForm::Chamfered, 10, 10, 10, 10, ".DrawCurveClosePath", ".SetCornerRoundness"},
    };
    for (const auto& c : cases) {
        TKletkaForm& form = Shablon.LetterCellLook.Form;
        form.Form = c.Form;
        form.Param1 = c.P1, form.Param2 = c.P2, form.Param3 = c.P3, form.Param4 = c.P4;
        const TLines lines = AfterStyles(ScriptOf(Shablon));
        EXPECT_TRUE(Has(lines, c.Expected)) << int{c.Form};
        if (!c.Absent.empty()) { EXPECT_EQ(CountPrefix(lines, c.Absent), 0) << int{c.Form}; }
        EXPECT_TRUE(Has(lines, ".ApplyStyle \"CHAR_POLE\"")) << int{c.Form};
    }
    Shablon.LetterCellLook.Form.Form = KletkaForm::Hexagon;
    const TLines polygon = AfterStyles(ScriptOf(Shablon));
    EXPECT_TRUE(Has(polygon, ".SetSize 100000, 100000"));
    EXPECT_TRUE(Has(polygon, ".SetPosition 0, 0"));
}

TEST_F(ScriptExportTest, PictureCellsImportTheirFileOnlyWhenItExists) {
    const auto dir = std::filesystem::temp_directory_path() / ("zelvana_script_" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    const std::string file = (dir / "cell \"a\".svg").string();
    std::ofstream(file) << "<svg/>";
    Shablon.LetterCellLook.Form.ImportType = TKletkaImport::Picture;
    Shablon.LetterCellLook.Form.File1 = file;
    TLines lines = AfterStyles(ScriptOf(Shablon));
    EXPECT_EQ(CountPrefix(lines, ".FileImport "), 8);
    EXPECT_TRUE(Has(lines, FormatScriptCall("FileImport", {file})));
    EXPECT_NE(FormatScriptCall("FileImport", {file}).find("+chr(34)+"), std::string::npos);
    EXPECT_TRUE(Has(lines, "IF (hx&/100000)>(hy&/100000) THEN"));
    EXPECT_TRUE(Has(lines, ".SetPosition 0+(100000-hx&)/2, 0-(100000-hy&)/2"));
    Shablon.LetterCellLook.Form.File1 = (dir / "missing.svg").string();
    lines = AfterStyles(ScriptOf(Shablon));
    EXPECT_EQ(CountPrefix(lines, ".FileImport "), 0);
    EXPECT_EQ(CountPrefix(lines, ".GetSize hx&"), 0);
    std::filesystem::remove_all(dir);
}

TEST_F(ScriptExportTest, NoPaintCellsStillGetTheirNumbers) {
    Shablon.LetterCellLook.NoPaint = true;
    const TLines lines = AfterStyles(ScriptOf(Shablon));
    EXPECT_EQ(CountPrefix(lines, ".ApplyStyle \"CHAR_POLE\""), 0);
    EXPECT_GT(CountPrefix(lines, ".CreateArtisticText \"1\""), 0);
    EXPECT_GT(CountPrefix(lines, ".ApplyStyle \"DIGITS\""), 0);
}

TEST_F(ScriptExportTest, NumbersTakeOneOfNinePlaces) {
    Shablon.DigitLook.DX = 5;
    Shablon.DigitLook.DY = 7;
    const struct {
        uint8_t AlignX, AlignY;
        std::string Position;
    } cases[] = {
        {0, 0, ".SetPosition 5000, -7000"},
        {0, 1, ".SetPosition 5000, -93000+iy&"},
        {0, 2, ".SetPosition 5000, 0-(100000-iy&)/2"},
        {1, 0, ".SetPosition 95000-ix&, -7000"},
        {1, 1, ".SetPosition 95000-ix&, -93000+iy&"},
        {1, 2, ".SetPosition 95000-ix&, 0-(100000-iy&)/2"},
        {2, 0, ".SetPosition 0+(100000-ix&)/2, -7000"},
        {2, 1, ".SetPosition 0+(100000-ix&)/2, -93000+iy&"},
        {2, 2, ".SetPosition 0+(100000-ix&)/2, 0-(100000-iy&)/2"},
    };
    for (const auto& c : cases) {
        Shablon.DigitLook.AlignX = c.AlignX;
        Shablon.DigitLook.AlignY = c.AlignY;
        const TLines lines = AfterStyles(ScriptOf(Shablon));
        const auto text = std::find(lines.begin(), lines.end(), ".CreateArtisticText \"1\", 5000, -7000");
        ASSERT_LT(std::distance(text, lines.end()), static_cast<std::ptrdiff_t>(lines.size()) + 1);
        ASSERT_GE(lines.end() - text, 4);
        EXPECT_EQ(text[1], ".ApplyStyle \"DIGITS\"");
        EXPECT_EQ(text[2], ".GetSize ix&, iy&");
        EXPECT_EQ(text[3], c.Position) << int{c.AlignX} << int{c.AlignY};
    }
    Shablon.DigitLook.Hidden = true;
    EXPECT_EQ(CountPrefix(AfterStyles(ScriptOf(Shablon)), ".CreateArtisticText"), 0);
}

TEST_F(ScriptExportTest, WallsAreRoundedBarsAlongTheirSides) {
    TLines lines;
    TScriptWriter writer(lines, false);
    Shablon.EditorDrawWalls(writer, 0, 0, 8 | 1);
    EXPECT_EQ(lines, (TLines{".CreateRectangle 14000, -14000, -114000, 14000",
                             ".SetCornerRoundness 1000, 1000, 1000, 1000", ".ApplyStyle \"STENKA_GRAPHICS\"",
                             ".CreateRectangle -86000, -14000, -114000, 114000",
                             ".SetCornerRoundness 1000, 1000, 1000, 1000", ".ApplyStyle \"STENKA_GRAPHICS\""}));
}

TEST_F(ScriptExportTest, CellPartsArePlacedInsideTheirFrame) {
    TLines lines;
    TScriptWriter writer(lines, false);
    Shablon.EditorDrawCellPart(writer, 0, 0, 2, 2, TItemRect{1, 0, 1, 1}, CellKind::Letter);
    EXPECT_EQ(lines.front(), ".CreateRectangle 0, 0, -200000, 100000");
    EXPECT_TRUE(Has(lines, "NNN&=.GetObjectsCDRStaticID()"));
    EXPECT_TRUE(Has(lines, ".CreateRectangle 0, -100000, -200000, 100000"));
    EXPECT_EQ(lines.back(), ".PlaceInside NNN&, -100000, 0, -1, 0");
    lines.clear();
    Shablon.EditorDrawCellPart(writer, 0, 0, 2, 2, TItemRect{1, 0, 0, 1}, CellKind::Letter);
    EXPECT_TRUE(lines.empty());
}

// Every kind the template writes, as a hand-made list.
TComExport MixedItems() {
    TComExport list;
    list.AddCaption("first");
    list.AddCell(0, 0, false, CellKind::Letter);
    list.AddShapedCell(100000, 0, false, CellKind::Other);
    list.AddCellEx(0, -100000, 2, 1, CellKind::KeyWord);
    list.AddNumber(0, 0, 12);
    list.AddWalls(0, 0, 15);
    list.AddLine(0, 0, 300000, -300000, "CHAR_POLE");
    list.AddOutline(0, 0, 0, 0, std::string{'\x04'} + "6622448");
    list.AddCellPart(200000, -200000, 3, 2, CellKind::Letter, TItemRect{1, 1, 2, 1});
    list.AddArrows(0, 0, 2 | 6 << 3);
    list.AddArrows(100000, 0, 0x40 | 0x80 | 5 | 1 << 3);
    list.AddTurnMarks(0, 0, 0x02 | 0x30);
    list.AddCaption("second");
    return list;
}

// The remembered shapes the arrow and turn items duplicate: one wider and one narrower than a cell.
void RememberShapes(TCommandWriter& writer) {
    const std::pair<const char*, int32_t> shapes[] = {{"STRELKA2&", 150000}, {"STRELKA48&", 30001},
                                                      {"STRELKA69&", 20000},  {"STRELKA136&", 120001},
                                                      {"TURN2&", 50001},      {"TURN48&", 130000}};
    for (const auto& [name, size] : shapes) {
        writer.CreateRectangle(0, 0, -size / 2, size);
        writer.RememberObject(name);
    }
}

TEST_F(ScriptExportTest, BothDeliveriesLeaveTheSameObjects) {
    for (const uint8_t form : {KletkaForm::Rounded, KletkaForm::Ellipse, KletkaForm::Hexagon, KletkaForm::Looped}) {
        Shablon.LetterCellLook.Form.Form = form;
        Shablon.BlankCellLook.Form.Form = form % 5;
        Shablon.WideOutline.Show = true;
        for (const uint8_t align : {0, 1, 2}) {
            Shablon.DigitLook.AlignX = align;
            Shablon.DigitLook.AlignY = 2 - align;
            TRecordingEditor scripted, live;
            TScriptRunner(scripted).Run(ScriptOf(Shablon));
            EXPECT_TRUE(Shablon.ExportToOle(live));
            EXPECT_EQ(Describe(scripted), Describe(live)) << int{form};
            EXPECT_GT(live.Objects().size(), 8u);
        }
    }
    const TComExport list = MixedItems();
    Shablon.ArrowLook.Show = true;
    Shablon.ScriptArrowOffsets[2] = {10, -20};
    Shablon.ScriptArrowOffsets[8 + 21] = {-3, 7};
    TLines lines;
    TScriptWriter script(lines, true);
    RememberShapes(script);
    Shablon.EditorExport(script, list);
    TRecordingEditor scripted, live;
    TScriptRunner(scripted).Run(lines);
    TAutomationWriter automation(live, true);
    RememberShapes(automation);
    Shablon.EditorExport(automation, list);
    EXPECT_EQ(Describe(scripted), Describe(live));
    const auto objects = live.Objects();
    EXPECT_TRUE(std::any_of(objects.begin(), objects.end(), [](const TEditorObject& o) { return o.Container != 0; }));
    EXPECT_TRUE(Ui->Messages.empty());
}

TEST_F(ScriptExportTest, ArrowsDuplicateTheirRememberedShape) {
    Shablon.ArrowLook.Show = true;
    Shablon.ScriptArrowOffsets[2] = {10, -20};
    TLines lines;
    TScriptWriter writer(lines, false);
    Shablon.EditorDrawArrows(writer, 0, 0, 2);
    EXPECT_EQ(lines, (TLines{".SelectObjectOfCDRStaticID STRELKA2&", ".DuplicateObject 0, 0", ".OrderToFront",
                             ".GetSize ix&, iy&", "IF ix&<100000 THEN", "dX&=0", "ELSE", "dX&=0+(100000-ix&)/2",
                             "ENDIF", "IF iy&<100000 THEN", "dY&=0", "ELSE", "dY&=0-(100000-iy&)/2", "ENDIF",
                             ".SetPosition dX&+10000, dY&+20000"}));
    lines.clear();
    Shablon.ArrowLook.Show = false;
    Shablon.EditorDrawArrows(writer, 0, 0, 2);
    EXPECT_TRUE(lines.empty());
}

TEST_F(ScriptExportTest, PicturesFitTheSameWayInBothDeliveries) {
    const auto dir = std::filesystem::temp_directory_path() / ("zelvana_fit_" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    const std::string file = (dir / "p.svg").string();
    std::ofstream(file) << "<svg/>";
    for (const TEditorBox box : {TEditorBox{-5001, 3, 12345, 777}, TEditorBox{7, -9, 100, 100000},
                                 TEditorBox{0, 0, 0, 100}}) {
        TLines lines;
        TScriptWriter script(lines, false);
        Shablon.EditorImportPicture(script, file, box, true);
        TRecordingEditor scripted, live;
        TScriptRunner(scripted).Run(lines);
        TAutomationWriter automation(live, false);
        Shablon.EditorImportPicture(automation, file, box, true);
        EXPECT_EQ(Describe(scripted), Describe(live));
        EXPECT_EQ(live.Objects().empty(), !box.HasArea());
    }
    std::filesystem::remove_all(dir);
}

TEST_F(ScriptExportTest, AFailingCallEndsTheExportWithTheMessage) {
    for (const int k : {1, 5, 40}) {
        Ui->Messages.clear();
        const int hiddenBefore = Ui->ProgressHidden;
        TRecordingEditor editor;
        editor.FailAt(k);
        EXPECT_FALSE(Shablon.ExportToOle(editor));
        EXPECT_EQ(Ui->Messages, std::vector<std::string>{std::string("OLE-ошибка!"_cp)});
        EXPECT_EQ(static_cast<int>(editor.Log().size()), k);
        EXPECT_GT(Ui->ProgressHidden, hiddenBefore);
    }
    TRecordingEditor editor;
    editor.FailAt(1000000);
    Ui->Messages.clear();
    EXPECT_TRUE(Shablon.ExportToOle(editor));
    EXPECT_TRUE(Ui->Messages.empty());
}

}  // namespace
