#pragma once

// The one writer of vector-editor commands, shared by the two deliveries: script text (one line
// per command into a text list) and the live automation object. Every command is formatted
// here once; the steps that depend on what the editor answers (sizes, ids) are the two
// deliveries' own: the script writes variable lines that the editor evaluates, the automation
// asks the editor and computes the same values itself.
//
// Choices the editor's command leaves open, used by both deliveries: SetCharacterAttributes
// takes the size in whole points, the style bits bold 1 and italic 2, and as its two format
// values the line pitch in percent (the format's Interline) and the alignment byte.
//
// Units are the editor's: integers, y upward.

#include "FormatParameters.h"

#include "platform/Automation.h"
#include "platform/ColorValue.h"

#include <string>
#include <string_view>
#include <vector>

class TComExport;
class TfmProgress;

// The temporary shape the styles are saved from: a rectangle from Near to Far, a text at Near.
namespace StyleShape {
constexpr int32_t Near = 10000;
constexpr int32_t Far = 20000;
}  // namespace StyleShape

// The script variable a frame's id is kept in while its content is placed inside it.
constexpr std::string_view FrameIdVariable = "NNN&";

// An editor coordinate computed in 64 bits, held to the editor's 32-bit range.
int32_t ToEditorRange(int64_t v);

// The live delivery's progress window while item i of the list is replayed: a caption item
// replaces the caption, and the bar moves on every ProgressStep items.
void FollowExportProgress(TfmProgress& progress, const TComExport& list, int i);

// Bits of SetCharacterAttributes' style argument.
namespace CharacterStyle {
constexpr int Bold = 1;
constexpr int Italic = 2;
}  // namespace CharacterStyle

// How a text or picture is placed in its box along one axis: at the near side (left, top), at
// the far side (right, bottom) or centred. Numbers follow the digit looks' AlignX and AlignY.
enum class TBoxAlign : uint8_t { Near = 0, Far = 1, Centre = 2 };

// A box in editor units: its top-left corner and its size.
struct TEditorBox {
    int32_t Left = 0;
    int32_t Top = 0;
    int32_t Width = 0;
    int32_t Height = 0;

    bool HasArea() const { return Width > 0 && Height > 0; }
};

class TCommandWriter {
public:
    // fourComponents: every colour goes out as CMYK, whatever its model.
    explicit TCommandWriter(bool fourComponents) : mFourComponents(fourComponents) {}
    virtual ~TCommandWriter() = default;

    // --- commands ---

    void CreateRectangle(int32_t top, int32_t left, int32_t bottom, int32_t right);
    void SetCornerRoundness(int32_t a, int32_t b, int32_t c, int32_t d);
    void CreateEllipse(int32_t top, int32_t left, int32_t bottom, int32_t right);
    void CreateSymPolygon(int32_t top, int32_t left, int32_t bottom, int32_t right, int32_t sides);
    void CreateArtisticText(std::string_view text, int32_t x, int32_t y);
    void SetSize(int32_t width, int32_t height);
    void SetPosition(int32_t x, int32_t y);
    void BeginDrawCurve(int32_t x, int32_t y);
    void DrawCurveLineTo(int32_t x, int32_t y);
    void DrawCurveClosePath();
    void EndDrawCurve();
    void ApplyStyle(std::string_view style);
    void ApplyNoFill();
    void ApplyUniformFillColor();
    void SetOutlineWidth(int32_t width);
    void SetOutlineColor();
    void SetOutlineMiscProperties();
    // A CMYK line when the writer's switch is on or the colour's model is CMYK, else an RGB line.
    void StoreColor(TColorValue colour);
    // Raw CMYK components, for the styles that name their inks.
    void StoreCmyk(int c, int m, int y, int k);
    void SetCharacterAttributes(std::string_view font, int size, int styleBits, int interline, int alignment);
    // Font, size, bold and italic, line pitch and alignment of a text format.
    void SetCharacterAttributes(const TFormatParameters& format);
    // text: a text style (saved with the extra argument 7).
    void SaveStyleProp(std::string_view style, bool text);
    // A style saved with its two property arguments given (the arrow and turn picture styles).
    void SaveStyleProp(std::string_view style, int32_t first, int32_t second);
    void DeleteObject();
    void UnSelectAll();
    void DuplicateObject();
    void OrderToFront();
    void FileImport(std::string_view fileName);
    // A polyline through points, closed or open.
    void Curve(const std::vector<std::pair<int32_t, int32_t>>& points, bool closed);

    // --- steps that need the editor's answers ---

    // After an import: the picture keeps its proportions and fills the box in its longer
    // direction, centred in it or at its corner. A picture the editor answers as empty stays
    // unscaled at the box corner.
    virtual void FitPicture(const TEditorBox& box, bool centred) = 0;
    // After a text is created and styled: puts it in the box by the alignment pair, dx and dy in
    // from the near sides (from the far side the text's own size is added).
    virtual void AlignText(const TEditorBox& box, TBoxAlign alignX, TBoxAlign alignY, int32_t dx, int32_t dy) = 0;
    // Keeps the current object's id under a name ("NNN&").
    virtual void RememberObject(std::string_view name) = 0;
    // Puts the current object inside the remembered frame.
    virtual void PlaceInside(std::string_view frame, int32_t a, int32_t b, int32_t c, int32_t d) = 0;
    // Selects the object remembered under the name.
    virtual void SelectRemembered(std::string_view name) = 0;
    // Places the current object (a duplicated arrow) in the box: a side placement puts it
    // against that side while it is smaller than the box and centres it otherwise; then it
    // moves by (offsetX, offsetY), offsetY downward.
    virtual void PlaceInBox(const TEditorBox& box, TBoxAlign alignX, TBoxAlign alignY, int32_t offsetX,
                            int32_t offsetY) = 0;
    // Centres the current object in the box, keeping its size.
    virtual void CentreInBox(const TEditorBox& box) = 0;
    // After a text block is created and styled: its width scaled by widthPercent, shrunk with its
    // proportions when it is larger than the box, then centred in the box or put dx, dy in from
    // its top-left corner.
    virtual void FitText(const TEditorBox& box, int widthPercent, bool centred, int32_t dx, int32_t dy) = 0;

protected:
    virtual void Command(std::string_view method, const TVariants& args) = 0;

private:
    bool mFourComponents;
};

// Appends one line per command to a text list; the answers become script variables.
class TScriptWriter : public TCommandWriter {
public:
    TScriptWriter(std::vector<std::string>& lines, bool fourComponents)
        : TCommandWriter(fourComponents), mLines(lines) {}

    void FitPicture(const TEditorBox& box, bool centred) override;
    void AlignText(const TEditorBox& box, TBoxAlign alignX, TBoxAlign alignY, int32_t dx, int32_t dy) override;
    void RememberObject(std::string_view name) override;
    void PlaceInside(std::string_view frame, int32_t a, int32_t b, int32_t c, int32_t d) override;
    void SelectRemembered(std::string_view name) override;
    void PlaceInBox(const TEditorBox& box, TBoxAlign alignX, TBoxAlign alignY, int32_t offsetX,
                    int32_t offsetY) override;
    void CentreInBox(const TEditorBox& box) override;
    void FitText(const TEditorBox& box, int widthPercent, bool centred, int32_t dx, int32_t dy) override;

protected:
    void Command(std::string_view method, const TVariants& args) override;

private:
    void Line(std::string line) { mLines.push_back(std::move(line)); }

    std::vector<std::string>& mLines;
};

// Calls the automation object; a failing call throws TAutomationError out of the writer.
class TAutomationWriter : public TCommandWriter {
public:
    TAutomationWriter(IAutomation& editor, bool fourComponents) : TCommandWriter(fourComponents), mEditor(editor) {}

    void FitPicture(const TEditorBox& box, bool centred) override;
    void AlignText(const TEditorBox& box, TBoxAlign alignX, TBoxAlign alignY, int32_t dx, int32_t dy) override;
    void RememberObject(std::string_view name) override;
    void PlaceInside(std::string_view frame, int32_t a, int32_t b, int32_t c, int32_t d) override;
    void SelectRemembered(std::string_view name) override;
    void PlaceInBox(const TEditorBox& box, TBoxAlign alignX, TBoxAlign alignY, int32_t offsetX,
                    int32_t offsetY) override;
    void CentreInBox(const TEditorBox& box) override;
    void FitText(const TEditorBox& box, int widthPercent, bool centred, int32_t dx, int32_t dy) override;

protected:
    void Command(std::string_view method, const TVariants& args) override;

private:
    // The current object's width and height.
    std::pair<int32_t, int32_t> GetSize();
    int32_t Remembered(std::string_view name) const;

    IAutomation& mEditor;
    std::vector<std::pair<std::string, int32_t>> mIds;
};
