#include "platform/RecordingEditor.h"

#include <gtest/gtest.h>

namespace {

TEST(ScriptText, QuotesCrAndLfLeaveTheLiteral) {
    const struct {
        std::string Text;
        std::string Quoted;
    } cases[] = {
        {"", "\"\""},
        {"abc", "\"abc\""},
        {"a\"b", "\"a\"+chr(34)+\"b\""},
        {"ab\r\ncd", "\"ab\"+chr(13)+\"\"+chr(10)+\"cd\""},
        {"\"", "\"\"+chr(34)+\"\""},
    };
    for (const auto& c : cases) EXPECT_EQ(QuoteScriptText(c.Text), c.Quoted) << c.Text;
}

TEST(ScriptText, CallLineHasNumbersAndQuotedTexts) {
    EXPECT_EQ(FormatScriptCall("DeleteObject", {}), ".DeleteObject");
    EXPECT_EQ(FormatScriptCall("CreateArtisticText", {std::string("x\ny"), -5, 7}),
              ".CreateArtisticText \"x\"+chr(10)+\"y\", -5, 7");
}

TEST(RecordingEditor, KeepsObjectsSizesAndIds) {
    TRecordingEditor editor;
    editor.Invoke("CreateRectangle", {0, 100, -2000, 3100});
    const TVariants size = editor.Invoke("GetSize", {});
    ASSERT_EQ(size.size(), 2u);
    EXPECT_EQ(VariantInt(size[0]), 3000);
    EXPECT_EQ(VariantInt(size[1]), 2000);
    const int32_t id = VariantInt(editor.Invoke("GetObjectsCDRStaticID", {}).at(0));
    editor.Invoke("CreateArtisticText", {std::string("abcd"), 10, 20});
    EXPECT_EQ(editor.Current()->Width, 4 * TRecordingEditor::TextUnitsPerByte);
    EXPECT_EQ(editor.Current()->Height, 24 * TRecordingEditor::TextUnitsPerPoint);
    editor.Invoke("UnSelectAll", {});
    EXPECT_EQ(editor.Current(), nullptr);
    editor.Invoke("SelectObjectOfCDRStaticID", {id});
    editor.Invoke("DuplicateObject", {0, 0});
    editor.Invoke("SetPosition", {5, 6});
    editor.Invoke("SelectObjectOfCDRStaticID", {id});
    editor.Invoke("DeleteObject", {});
    const auto objects = editor.Objects();
    ASSERT_EQ(objects.size(), 2u);
    EXPECT_EQ(objects[0].Shape, TEditorShape::Text);
    EXPECT_EQ(objects[1].Shape, TEditorShape::Rectangle);
    EXPECT_EQ(objects[1].Left, 5);
    EXPECT_EQ(objects[1].Width, 3000);
    EXPECT_THROW(editor.Invoke("SelectObjectOfCDRStaticID", {id}), TAutomationError);
}

TEST(RecordingEditor, CurvesTakeTheirBox) {
    TRecordingEditor editor;
    editor.Invoke("BeginDrawCurve", {0, 0});
    editor.Invoke("DrawCurveLineTo", {400, -100});
    editor.Invoke("DrawCurveLineTo", {100, -300});
    editor.Invoke("DrawCurveClosePath", {});
    editor.Invoke("EndDrawCurve", {});
    const TEditorObject& curve = *editor.Current();
    EXPECT_TRUE(curve.Closed);
    EXPECT_EQ(curve.Left, 0);
    EXPECT_EQ(curve.Top, 0);
    EXPECT_EQ(curve.Width, 400);
    EXPECT_EQ(curve.Height, 300);
    EXPECT_THROW(editor.Invoke("DrawCurveLineTo", {1, 1}), TAutomationError);
}

TEST(RecordingEditor, RefusesStylesNeverSavedAndTextStylesSetTheSize) {
    TRecordingEditor editor;
    editor.Invoke("CreateArtisticText", {std::string("1"), 10000, 10000});
    EXPECT_THROW(editor.Invoke("ApplyStyle", {std::string("DIGITS")}), TAutomationError);
    editor.Invoke("SetCharacterAttributes", {0, 0, std::string("Arial"), 10, 0, 0, 0, 0, 0, 0, 1000, 0, 0});
    editor.Invoke("SaveStyleProp", {std::string("DIGITS"), -1, -1, 7});
    editor.Invoke("DeleteObject", {});
    editor.Invoke("CreateArtisticText", {std::string("12"), 0, 0});
    editor.Invoke("ApplyStyle", {std::string("DIGITS")});
    EXPECT_EQ(editor.Current()->Style, "DIGITS");
    EXPECT_EQ(editor.Current()->Height, 10 * TRecordingEditor::TextUnitsPerPoint);
    EXPECT_EQ(editor.Current()->Width, 2 * TRecordingEditor::TextUnitsPerByte * 10 / 24);
}

TEST(RecordingEditor, FailsFromTheChosenCallOnAndLogsIt) {
    for (const int k : {1, 2, 3}) {
        TRecordingEditor editor;
        editor.FailAt(k);
        int passed = 0;
        try {
            for (int i = 0; i < 4; ++i, ++passed) editor.Invoke("CreateEllipse", {0, 0, -10, 10, 0, 0, 0});
        } catch (const TAutomationError&) {
        }
        EXPECT_EQ(passed, k - 1);
        EXPECT_EQ(editor.Objects().size(), static_cast<std::size_t>(k - 1));
        EXPECT_EQ(editor.Log().back(), ".CreateEllipse 0, 0, -10, 10, 0, 0, 0");
    }
}

TEST(RecordingEditor, UnknownMethodsAndCallsWithoutSelectionFail) {
    TRecordingEditor editor;
    EXPECT_THROW(editor.Invoke("Explode", {}), TAutomationError);
    EXPECT_THROW(editor.Invoke("SetSize", {1, 1}), TAutomationError);
    EXPECT_THROW(editor.Invoke("PlaceInside", {1, 0, 0, 0, 0}), TAutomationError);
}

}  // namespace
