#include "export/ScriptWriter.h"

#include "platform/RecordingEditor.h"

#include <gtest/gtest.h>

namespace {

using TLines = std::vector<std::string>;

TEST(ScriptWriter, ColourLinesFollowTheSwitchAndTheModel) {
    const struct {
        bool Four;
        TColorValue Colour;
        std::string Line;
    } cases[] = {
        {false, RgbColor(RGB(10, 20, 30)), ".StoreColor 5, 10, 20, 30"},
        {false, TColorValue{0x0A141E28, TColorModel::Cmyk}, ".StoreColor 3, 10, 20, 30, 40"},
        {true, RgbColor(RGB(255, 255, 255)), ".StoreColor 3, 0, 0, 0, 0"},
        {true, RgbColor(RGB(0, 0, 0)), ".StoreColor 3, 0, 0, 0, 255"},
        {true, RgbColor(RGB(200, 100, 0)), ".StoreColor 3, 0, 100, 200, 55"},
    };
    for (const auto& c : cases) {
        TLines lines;
        TScriptWriter(lines, c.Four).StoreColor(c.Colour);
        EXPECT_EQ(lines, TLines{c.Line});
    }
}

TEST(ScriptWriter, EveryQuotedArgumentIsEscaped) {
    TLines lines;
    TScriptWriter writer(lines, false);
    writer.CreateArtisticText("a\"b\r\nc", 1, -2);
    writer.ApplyStyle("x\"y");
    writer.FileImport("dir\\\"f\".cdr");
    TFormatParameters format;
    format.FontName = "Times \"New\"";
    format.FontSize = 12;
    format.Bold = true;
    format.Italic = true;
    format.Interline = 120;
    format.Alignment = 1;
    writer.SetCharacterAttributes(format);
    writer.SaveStyleProp("T", true);
    EXPECT_EQ(lines, (TLines{".CreateArtisticText \"a\"+chr(34)+\"b\"+chr(13)+\"\"+chr(10)+\"c\", 1, -2",
                             ".ApplyStyle \"x\"+chr(34)+\"y\"", ".FileImport \"dir\\\"+chr(34)+\"f\"+chr(34)+\".cdr\"",
                             ".SetCharacterAttributes 0, 0, \"Times \"+chr(34)+\"New\"+chr(34)+\"\", 12, 3, 0, 0, 0, 0, "
                             "0, 1000, 120, 1",
                             ".SaveStyleProp \"T\", -1, -1, 7"}));
}

TEST(ScriptWriter, AutomationComputesWhatTheScriptLinesSay) {
    // A 6000 x 2400 text (100 bytes at 24 points) placed in the box by each alignment pair.
    const TEditorBox box{-1001, 500, 10001, 5001};
    const struct {
        TBoxAlign X, Y;
        int32_t Left, Top;
    } cases[] = {
        {TBoxAlign::Near, TBoxAlign::Near, -1001 + 30, 500 - 40},
        {TBoxAlign::Far, TBoxAlign::Far, -1001 + 10001 - 30 - 6000, 500 - 5001 + 40 + 2400},
        {TBoxAlign::Centre, TBoxAlign::Centre, -1001 + 2000, 500 - 1300},
    };
    for (const auto& c : cases) {
        TRecordingEditor editor;
        editor.Invoke("CreateArtisticText", {std::string(100, 'x'), 0, 0});
        TAutomationWriter writer(editor, false);
        writer.AlignText(box, c.X, c.Y, 30, 40);
        EXPECT_EQ(editor.Current()->Left, c.Left);
        EXPECT_EQ(editor.Current()->Top, c.Top);
    }
}

TEST(ScriptWriter, AnEmptyImportStaysUnscaledAtTheCorner) {
    struct EmptyEditor : TRecordingEditor {
        TVariants Invoke(std::string_view method, const TVariants& args) override {
            if (method == "GetSize") return {0, 0};
            return TRecordingEditor::Invoke(method, args);
        }
    } editor;
    editor.Invoke("FileImport", {std::string("p.svg")});
    TAutomationWriter writer(editor, false);
    writer.FitPicture(TEditorBox{100, 200, 1000, 1000}, true);
    EXPECT_EQ(editor.Current()->Left, 100);
    EXPECT_EQ(editor.Current()->Top, 200);
    EXPECT_EQ(editor.Current()->Width, TRecordingEditor::ImportWidth);
}

TEST(ScriptWriter, RememberedFramesAreFoundAgain) {
    TRecordingEditor editor;
    TAutomationWriter writer(editor, false);
    writer.CreateRectangle(0, 0, -10, 10);
    writer.RememberObject("NNN&");
    writer.CreateEllipse(0, 0, -10, 10);
    writer.PlaceInside("NNN&", 1, 2, -1, 0);
    EXPECT_EQ(editor.Current()->Container, 1);
    EXPECT_THROW(writer.PlaceInside("OTHER&", 0, 0, 0, 0), TAutomationError);
}

}  // namespace
