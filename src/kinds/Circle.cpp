#include "Circle.h"

#include "export/ComExport.h"
#include "platform/Bitmap.h"
#include "platform/Clock.h"
#include "platform/Metafile.h"
#include "platform/Text.h"
#include "template/GlobalOption.h"
#include "template/ShablonDrawing.h"

#include <cmath>
#include <memory>

namespace {

constexpr std::string_view NormalText = "~#1";
constexpr std::string_view EmphasizedText = "~#2";
constexpr std::string_view CharsStyle = "CROSSWORD_CHARS";
// Empty cells take a random letter from here when the dictionary has no alphabet.
constexpr std::string_view FallbackLetters = "абвгдеёжзийклмнопрстуфхчцшщъыьэюя"_cp;
constexpr int64_t ExportUnits = 1000;
// A letter's square is this share of the distance between its cell's side corners.
constexpr double LetterBoxShare = 0.8;
// The view's letters are Zoom / ViewLetterDivisor points high.
constexpr double ViewLetterDivisor = 2;
constexpr TColor LetterColor = RGB(0, 0, 0);
constexpr TColor FixedLetterColor = RGB(0, 255, 0);

}  // namespace

TCircle::TCircle() : TCrossword(TCrosswordKind::Circle, std::make_unique<TCircleShablon>(1, 1)) {}

TClueListOptions TCircle::ListOptions(const TClueListOptions& options) const {
    TClueListOptions list = options;
    // Entries carry the clue number of their first cell, never a running count.
    list.Count = false;
    // The base split sends the column words ("2") to its second list and the diagonal words
    // ("3") to its first: the split goes by the word's path, whatever the order of the slots.
    list.SplitDirections = options.SplitDirections && options.Headings && Circle().Parity;
    list.Headings = list.SplitDirections;
    return list;
}

std::string TCircle::BuildClueText(const TClueListOptions& options) const {
    return TCrossword::BuildClueText(ListOptions(options));
}

std::string TCircle::BuildCluePages(const TClueListOptions& options, bool withAnswers) const {
    return TCrossword::BuildCluePages(ListOptions(options), withAnswers);
}

std::string TCircle::BuildDirectionClues(const TClueListOptions& options) const {
    return std::string("Отсутствует!"_cp);
}

std::string TCircle::JoinDirectionClues(const TClueListOptions& options, std::string_view clockwise,
                                        std::string_view separator, std::string_view counterclockwise) const {
    if (!options.Headings || !options.SplitDirections) return std::string(clockwise) + std::string(counterclockwise);
    const auto headed = [&](std::string_view heading, std::string_view list) {
        return std::string(EmphasizedText) + std::string(heading) + " " + std::string(NormalText) +
               std::string(separator) + std::string(list);
    };
    return headed("Против часовой стрелки:"_cp, counterclockwise) + "\r\n" + headed("По часовой стрелке:"_cp, clockwise);
}

void TCircle::CopyStyles(const TCrossword& other) {
    TCrossword::CopyStyles(other);
    if (other.Template->Kind != TShablonKind::Circle) return;
    const auto& from = static_cast<const TCircleShablon&>(*other.Template);
    TCircleShablon& to = Circle();
    to.BaseRadius = from.BaseRadius;
    to.SpeedOfChangeRadius = from.SpeedOfChangeRadius;
    to.NotUseCurve = from.NotUseCurve;
    to.Parity = from.Parity;
    to.AutoDecreaseChars = from.AutoDecreaseChars;
}

// ---- export ----

void TCircle::ExportCrosswordScript(TComExport& list, int mode) {
    mode = SupportedMode(mode);
    if (mode == 2) NumberLetters();
    Template->BuildExport(list);
    list.AddCaption("Экспорт в формате CDR. Кроссворд..."_cp);
    const TCircleShablon& t = Circle();
    const TRingGeometry ring(t, t.Scale);
    const std::string_view alphabet = Dictionary.Alphabet.empty() ? FallbackLetters : std::string_view(Dictionary.Alphabet);
    const bool fragments = Dictionary.CellFormat() == CellFormatPiecesWithFragments && Chars.ShowFragments && mode != 2;
    const auto upper = [&](const std::string& text) { return Chars.CapitalLetters ? Dictionary.ToUpperText(text) : text; };
    for (int x = 0; x < Width; ++x)
        for (int y = 0; y < Height; ++y) {
            if (!t.IsLetterCell(x, y)) continue;
            std::string letter = IsCellEmpty(x, y) ? std::string() : CellText(x, y);
            if (letter.empty() && Chars.FillEmpty) letter = std::string(1, alphabet[RandomInt(static_cast<int>(alphabet.size()))]);
            if (letter.empty()) continue;
            std::string text;
            switch (mode) {
                case 0: text = upper(letter); break;
                case 1:
                case 6:
                    if (IsGivenCell(x, y, letter)) text = upper(letter);
                    break;
                case 2: {
                    const int i = LetterCounts.IndexOf(letter);
                    text = i >= 0 ? std::to_string(LetterCounts.LetterNumber(i)) : "?";
                    break;
                }
                default: break;
            }
            if (text.empty()) continue;

            const TPoint side1 = ring.Corner(x, y, CircleCorner::SideBefore);
            const TPoint side2 = ring.Corner(x, y, CircleCorner::SideAfter);
            const double span = std::hypot(static_cast<double>(side2.X - side1.X), static_cast<double>(side2.Y - side1.Y)) * ExportUnits;
            const int64_t side = RoundEven(LetterBoxShare * span);
            const TPoint at = ring.Letter(x, y);
            TBlockFields box;
            box.Name = CharsStyle;
            box.Flag = true;
            box.X = static_cast<int32_t>(std::clamp<int64_t>(int64_t{at.X} * ExportUnits - side / 2, INT32_MIN, INT32_MAX));
            box.Y = static_cast<int32_t>(std::clamp<int64_t>(-int64_t{at.Y} * ExportUnits + side / 2, INT32_MIN, INT32_MAX));
            box.X2 = static_cast<int32_t>(side);
            box.Y2 = static_cast<int32_t>(side);
            if (fragments) {
                const int f = Dictionary.Fragments().IndexOfFragment(letter);
                if (f >= 0) {
                    list.AddPicture(box, Dictionary.Fragments().FragmentValue(f));
                    continue;
                }
            }
            TFormatParameters format;
            format.FontName = Chars.FontName;
            format.FontSize = static_cast<uint8_t>(RoundEven(Chars.FontSize * t.LetterScale(y)));
            format.Bold = Chars.Bold;
            format.Italic = Chars.Italic;
            format.FontColor = Chars.FontColor;
            list.AddStyledTextBlock(box, text, format);
        }
}

void TCircle::ExportCellsScript(TComExport& list, const std::vector<TCellBlock>& blocks) {
    list.Clear();
}

void TCircle::ExportToScript(std::vector<std::string>& lines, int mode) {
    TCrossword::ExportToScript(lines, SupportedMode(mode));
}

bool TCircle::ExportTemplateScript(IAutomation& editor, int mode) {
    return TCrossword::ExportTemplateScript(editor, SupportedMode(mode));
}

// ---- pictures ----

void TCircle::DrawToMetafile(TMetafile& metafile, int mode) {
    metafile.Clear();
    metafile.SetSize(0, 0);
    Template->BeginDrawing();
    TComExport list;
    BuildModeExport(list, SupportedMode(mode));
    if (list.Count() == 0) return;
    const TCircleShablon& t = Circle();
    metafile.SetSize(t.Scale * t.GetPixelWidth(), t.Scale * t.GetPixelHeight());
    DrawItemsToMetafile(list, metafile);
}

void TCircle::DrawToBitmap(TFastDrawParameters parameters, TBitmap& bitmap) {
    TCircleShablon& t = Circle();
    t.FastDraw(parameters, bitmap);
    const TRingGeometry ring(t, t.ViewScale(parameters));
    const TPoint offset = t.ViewOffset(parameters);
    TCanvas canvas(bitmap);
    canvas.Brush.Style = TBrushStyle::Clear;
    const std::string& fontName = TGlobalOption::Instance().DefaultFontName;
    if (!fontName.empty()) canvas.Font.Name = fontName;
    canvas.Font.Charset = Dictionary.CharsetCode();
    canvas.TextAlign = TTextAlign::Baseline;
    for (int x = 0; x < Width; ++x)
        for (int y = 0; y < Height; ++y) {
            if (!t.IsLetterCell(x, y) || IsCellEmpty(x, y)) continue;
            canvas.Font.SetSize(RoundEven(parameters.Zoom / ViewLetterDivisor * t.LetterScale(y)));
            canvas.Font.Color = IsFixedCell(x, y) ? FixedLetterColor : LetterColor;
            const std::string text = Dictionary.ToUpperText(CellText(x, y));
            const TPoint at = ring.Letter(x, y);
            canvas.TextOut(at.X - offset.X - canvas.TextWidth(text) / 2, at.Y - offset.Y + canvas.FontAscent() / 2, text);
        }
}
