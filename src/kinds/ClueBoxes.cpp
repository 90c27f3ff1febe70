#include "ClueBoxes.h"

#include "crossword/Crossword.h"
#include "dictionary/Opredelenia.h"
#include "dictionary/TextHelpers.h"
#include "export/ScriptWriter.h"
#include "platform/Canvas.h"
#include "platform/Metafile.h"
#include "template/ShablonDrawing.h"
#include "template/TextFitting.h"

#include <algorithm>
#include <filesystem>

namespace {

constexpr int64_t ExportUnits = 1000;  // per drawing unit
constexpr double UnitsPerPoint = 3.58;
// The largest letter height a format record holds (its size is a byte).
constexpr int MaxFormatHeight = 255;
// An alternative that holds this is laid out without everything up to and including it.
constexpr std::string_view DefinitionPrefixEnd = "##~";

bool Centred(const TFormatParameters& format) {
    return format.Alignment == 2;
}

// The format with its size turned into a letter height of points x scale x 3.58 drawing units.
TFormatParameters AtHeight(const TFormatParameters& format, int scale) {
    TFormatParameters drawn = format;
    drawn.FontSize =
        static_cast<uint8_t>(std::clamp(RoundEven(format.FontSize * scale * UnitsPerPoint), 1, MaxFormatHeight));
    return drawn;
}

// A canvas that only measures.
class TScratch {
public:
    TScratch() : mMetafile(0, 0, CairoTextMetrics()), mCanvas(mMetafile) {}
    TCanvas& Canvas() { return mCanvas; }

private:
    TMetafile mMetafile;
    TCanvas mCanvas;
};

// The clue text broken into the lines of a box of width x height drawing units; as it is when no
// layout fits, so that the picture shrinks it rather than losing it.
std::string LaidOut(const TCrossword& crossword, const TClueContent& clue, int64_t width, int64_t height) {
    TScratch scratch;
    const TRect rect{0, 0, static_cast<int>(std::min<int64_t>(width, INT32_MAX)),
                     static_cast<int>(std::min<int64_t>(height, INT32_MAX))};
    std::string lines = WrapCellText(scratch.Canvas(), clue.Text, rect, AtHeight(clue.Format, crossword.Template->Scale));
    return lines.empty() ? clue.Text : lines;
}

}  // namespace

// ---- what a box shows ----

TClueContent SlotClue(const TCrossword& crossword, int slot, int number) {
    TClueContent clue;
    const int type = crossword.OprText.OprShowType;
    const bool filled = slot >= 0 && slot < crossword.Words.Count() && crossword.Words.SlotFilled(slot);
    const bool defined = filled && crossword.Words.SlotHasDefinition(slot);
    const std::string_view trimmed = defined ? TrimBlanks(crossword.Words.SlotDefinition(slot)) : std::string_view();
    std::string raw;
    switch (type) {
        case 1: raw = std::to_string(number); break;
        case 0:
        case 2:
        case 3:
            if (!filled || trimmed.empty()) return clue;
            raw = trimmed;
            break;
        case 4:
            if (!filled) return clue;
            raw = RemoveChars(crossword.Words.SlotWord(slot), crossword.OprText.LettersOut);
            break;
        case 5:
            if (!filled) return clue;
            raw = ShuffleText(crossword.Words.SlotWord(slot));
            break;
        default: return clue;
    }
    TDefinitionMarkup markup = crossword.FormatDefinition(raw, true);
    clue.Picture = markup.Picture;
    clue.Format = markup.Format;
    clue.Link = markup.Link;
    clue.Text = TrimBlanks(markup.Text);
    if (clue.Picture || clue.Text.empty()) return clue;
    if (type == 2) clue.Text = std::to_string(number) + ". " + clue.Text;
    if (type == 3) clue.Text += " (" + std::to_string(crossword.Words.WordLength(slot)) + ")";
    return clue;
}

int64_t ClueMargin(const TCrossword& crossword) {
    const TShablon& t = *crossword.Template;
    switch (crossword.OprFormat.SpaceType) {
        case 0: return int64_t{t.PenWidth} * t.Scale * ExportUnits;
        case 1: return int64_t{crossword.OprFormat.SpaceSize} * t.Scale * ExportUnits;
        default: return 0;
    }
}

// ---- items ----

void AddClueItem(TComExport& list, const TCrossword& crossword, const TClueBox& box, const TClueContent& clue) {
    if (clue.Text.empty()) return;
    const int64_t margin = ClueMargin(crossword);
    const int64_t width = box.Width - 2 * margin, height = box.Height - 2 * margin;
    if (width <= 0 || height <= 0) return;
    TBlockFields f;
    f.X = ToEditorRange(box.X + margin);
    f.Y = ToEditorRange(box.Y - margin);
    f.X2 = ToEditorRange(width);
    f.Y2 = ToEditorRange(height);
    f.Flag = Centred(clue.Format);
    if (clue.Picture) {
        list.AddPicture(f, clue.Text);
        return;
    }
    f.Name = ClueStyle;
    list.AddFormattedText(f, LaidOut(crossword, clue, width / ExportUnits, height / ExportUnits), clue.Format);
}

void AddFramedClueItem(TComExport& list, const TCrossword& crossword, const TClueFrame& frame,
                       const TClueContent& clue) {
    if (clue.Text.empty()) return;
    const TShablon& t = *crossword.Template;
    const int64_t margin = ClueMargin(crossword);
    const int64_t width = int64_t{t.GetCellPixelWidth()} * ExportUnits * frame.Columns - 2 * margin;
    const int64_t height = int64_t{t.GetCellPixelHeight()} * ExportUnits * frame.Rows - 2 * margin;
    if (width <= 0 || height <= 0) return;
    TBlockFields f;
    f.X = frame.X;
    f.Y = frame.Y;
    f.X2 = frame.Columns;
    f.Y2 = frame.Rows;
    f.Rect = frame.Part;
    f.Param3 = f.Param4 = ToEditorRange(margin);
    f.Flag = Centred(clue.Format);
    if (clue.Picture) {
        list.AddFramedPicture(f, clue.Text);
        return;
    }
    f.Name = ClueStyle;
    list.AddFramedText(f, LaidOut(crossword, clue, width / ExportUnits, height / ExportUnits), clue.Format);
}

// ---- fitting ----

double ClueFontSize(const TCrossword& crossword, const TClueContent& clue, int width, int height) {
    if (clue.Picture) return -1;
    if (clue.Text.empty() || width <= 0 || height <= 0) return 0;
    const TFormatParameters format = AtHeight(clue.Format, 1);
    TScratch scratch;
    double size = 0;
    DrawTextBlock(scratch.Canvas(), clue.Text, TRect{0, 0, width, height}, format, Centred(format), true, size);
    // The format's byte may have held a smaller height than the points ask for.
    return size * (clue.Format.FontSize * UnitsPerPoint) / format.FontSize;
}

std::string FittingDefinitions(const TCrossword& crossword, std::string_view definitions, int width,
                               int height, float minFontSize) {
    TOpredelenia alternatives;
    alternatives.SplitDefinitions(definitions);
    std::string kept;
    for (int i = 0; i < alternatives.Count(); ++i) {
        std::string_view laid = alternatives.Item(i);
        const std::size_t end = laid.find(DefinitionPrefixEnd);
        if (end != std::string_view::npos) laid.remove_prefix(end + DefinitionPrefixEnd.size());
        // Whatever the show type, the definition is measured as the clue markup sets it.
        TClueContent clue;
        const TDefinitionMarkup markup = crossword.FormatDefinition(laid, true);
        clue.Picture = markup.Picture;
        clue.Format = markup.Format;
        clue.Text = TrimBlanks(markup.Text);
        const double size = ClueFontSize(crossword, clue, width, height);
        if (size >= 0 && size < minFontSize) continue;
        if (!kept.empty()) kept += "; ";
        kept += alternatives.Item(i);
    }
    return kept;
}

std::string FittingDefinitionsInBox(const TCrossword& crossword, std::string_view definitions, int64_t width,
                                    int64_t height, float minFontSize) {
    // Measured at Scale 1: the layout is the same at every scale.
    const int64_t scale = std::max<int>(crossword.Template->Scale, 1);
    const int64_t margin = ClueMargin(crossword) / ExportUnits / scale;
    const auto side = [&](int64_t size) { return static_cast<int>(std::clamp<int64_t>(size / scale - 2 * margin, -1, INT32_MAX)); };
    return FittingDefinitions(crossword, definitions, side(width), side(height), minFontSize);
}

// ---- shared pieces of the kinds ----

void DefineClueStyle(TCommandWriter& writer, const TCrossword& crossword) {
    writer.CreateArtisticText("1", StyleShape::Near, StyleShape::Near);
    writer.SetCharacterAttributes(crossword.OprFormat);
    writer.StoreColor(crossword.OprFormat.FontColor);
    writer.ApplyUniformFillColor();
    writer.SaveStyleProp(ClueStyle, true);
    writer.DeleteObject();
}

std::vector<int> ClueNumbers(const TCrossword& crossword) {
    std::vector<int> numbers(crossword.Words.Count(), 0);
    const std::vector<int> order = crossword.OrderedWords(0);
    // A word with two clue cells (a template defect the check marks) keeps its first number.
    for (int k = 0; k < static_cast<int>(order.size()); ++k)
        if (order[k] >= 0 && order[k] < static_cast<int>(numbers.size()) && numbers[order[k]] == 0)
            numbers[order[k]] = k + 1;
    return numbers;
}

std::vector<std::string> EmptyBoxPictures(const TCrossword& crossword) {
    std::vector<std::string> names;
    if (!crossword.OprText.EmptyOpr) return names;
    std::string_view rest = crossword.OprText.EmptyOprFileName;
    for (;;) {
        const std::size_t bar = rest.find('|');
        const std::string_view name = rest.substr(0, bar);
        if (!name.empty()) names.emplace_back(name);
        if (bar == std::string_view::npos) break;
        rest.remove_prefix(bar + 1);
    }
    return names;
}

TClueContent EmptyBoxPicture(const TCrossword& crossword) {
    TClueContent clue;
    const std::string& name = crossword.OprText.EmptyOprFileName;
    std::error_code error;
    if (!crossword.OprText.EmptyOpr || name.empty() || !std::filesystem::is_regular_file(name, error)) return clue;
    clue.Text = name;
    clue.Picture = true;
    clue.Format = crossword.OprFormat;
    return clue;
}
