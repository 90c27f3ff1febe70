// The crossword's printable picture as canvas calls (fixed text metrics): the size of each export
// mode, the replay of every item kind, the style formats, the pieces of boxes spanning several
// cells and the markers; and its working view as pixels.

#include "SmallCrossword.h"

#include "export/ComExport.h"
#include "platform/Bitmap.h"
#include "platform/Canvas.h"
#include "platform/Metafile.h"
#include "template/CoordList.h"

#include <functional>
#include <optional>

namespace {

// The default looks: 100-unit cells, a pen of 7, so cell (1, 1) starts at (103, 103).
constexpr int CellUnits = 100;
constexpr int Corner = 103;
constexpr int32_t CellExport = CellUnits * 1000;

std::vector<TCanvasOp> Ops(const std::vector<TCanvasCall>& calls) {
    std::vector<TCanvasOp> ops;
    for (const TCanvasCall& call : calls) ops.push_back(call.Op);
    return ops;
}

// The texts drawn anywhere inside the calls, nested pictures included, with their fonts.
void CollectTexts(const std::vector<TCanvasCall>& calls, std::vector<const TCanvasCall*>& texts) {
    for (const TCanvasCall& call : calls) {
        if (call.Op == TCanvasOp::Text) texts.push_back(&call);
        if (call.Op == TCanvasOp::Metafile && call.Metafile) CollectTexts(call.Metafile->Calls(), texts);
    }
}

std::vector<const TCanvasCall*> TextsOf(const TMetafile& metafile) {
    std::vector<const TCanvasCall*> texts;
    CollectTexts(metafile.Calls(), texts);
    return texts;
}

TBlockFields BoxAtCell11(std::string_view style = "") {
    TBlockFields fields;
    fields.X = CellExport;
    fields.Y = -CellExport;
    fields.X2 = CellExport;
    fields.Y2 = CellExport;
    fields.Name = std::string(style);
    return fields;
}

// A frame of one column and two rows whose first row this item draws.
TBlockFields FrameAtCell11() {
    TBlockFields fields = BoxAtCell11();
    fields.X2 = 1;
    fields.Y2 = 2;
    fields.Rect = {0, 0, 0, 0};
    return fields;
}

struct KindCase {
    int Kind;
    std::function<void(TComExport&)> Add;
    std::vector<TCanvasOp> Ops;
    std::optional<TPoint> At;  // the top-left corner of the first call's rectangle
};

using Op = TCanvasOp;

// One item of every kind at cell (1, 1), and what each draws.
const std::vector<KindCase>& EveryKind() {
    static const std::vector<KindCase> cases = {
        {0, [](TComExport& l) { l.AddCaption("caption"); }, {}, {}},
        {1, [](TComExport& l) { l.AddCell(CellExport, -CellExport, false, CellKind::Letter); }, {Op::RoundRect}, TPoint{Corner, Corner}},
        {2, [](TComExport& l) { l.AddShapedCell(CellExport, -CellExport, false, CellKind::Letter); }, {Op::Polygon}, {}},
        {3, [](TComExport& l) { l.AddCanvasCell(Corner, Corner, false, CellKind::Letter); }, {Op::RoundRect}, TPoint{Corner, Corner}},
        {4, [](TComExport& l) { l.AddCellEx(CellExport, -CellExport, 2, 1, CellKind::Letter); }, {Op::RoundRect}, TPoint{Corner, Corner}},
        {5, [](TComExport& l) { l.AddColorCell(CellExport, -CellExport, 1, 1, false, 0); }, {}, {}},
        {6, [](TComExport& l) { l.AddNumber(CellExport, -CellExport, 12); }, {Op::Text}, {}},
        {7, [](TComExport& l) { l.AddCanvasNumber(Corner, Corner, 12); }, {Op::Text}, {}},
        {8, [](TComExport& l) { l.AddKeyWordNumber(CellExport, -CellExport, 1, 1); }, {Op::RoundRect, Op::Text}, TPoint{Corner, Corner}},
        {9, [](TComExport& l) { l.AddKeyWordNumberShaped(CellExport, -CellExport, 1, 1); }, {Op::Polygon, Op::Text}, {}},
        {10, [](TComExport& l) { l.AddCanvasKeyWordNumber(Corner, Corner, 1, 1); }, {Op::RoundRect, Op::Text}, TPoint{Corner, Corner}},
        {11, [](TComExport& l) { l.AddOutline(1, 1, 0, 0, "\x04" "6248"); }, {Op::Line, Op::Line, Op::Line, Op::Line}, {}},
        {12, [](TComExport& l) { l.AddWalls(CellExport, -CellExport, 8 | 4); }, {Op::RoundRect, Op::RoundRect}, {}},
        {13, [](TComExport& l) { l.AddArrows(CellExport, -CellExport, 1); }, {Op::Picture}, {}},
        {14, [](TComExport& l) { l.AddLine(CellExport, -CellExport, 2 * CellExport, -CellExport, "SETKA_STYLE"); }, {Op::Line}, {}},
        {15, [](TComExport& l) {
             l.AddPolyline({{CellExport, -CellExport}, {2 * CellExport, -2 * CellExport}}, "STRIKE_OUT", RgbColor(0x00FF00), 3);
         }, {Op::Line}, {}},
        {16, [](TComExport& l) { l.AddHoneyArrows(CellExport, -CellExport, 1, 0); }, {}, {}},
        {17, [](TComExport& l) { l.AddTextBlock(BoxAtCell11("CROSSWORD_CHARS"), "А"_cp); }, {Op::Metafile}, TPoint{Corner, Corner}},
        {18, [](TComExport& l) { l.AddStyledTextBlock(BoxAtCell11(), "Б"_cp, TFormatParameters{}); }, {Op::Metafile}, TPoint{Corner, Corner}},
        {19, [](TComExport& l) { l.AddPicture(BoxAtCell11(), "photo"); }, {Op::Picture}, TPoint{Corner, Corner}},
        {20, [](TComExport& l) { l.AddFormattedText(BoxAtCell11(), "В"_cp, TFormatParameters{}); }, {Op::Metafile}, TPoint{Corner, Corner}},
        {21, [](TComExport& l) { l.AddBackground("background"); }, {Op::Picture}, {}},
        {22, [](TComExport& l) { l.AddCellPart(CellExport, -CellExport, 1, 2, CellKind::Letter, {0, 0, 0, 0}); }, {Op::Metafile}, TPoint{Corner, Corner}},
        {23, [](TComExport& l) { l.AddFramedPicture(FrameAtCell11(), "photo"); }, {Op::Metafile}, TPoint{Corner, Corner}},
        {24, [](TComExport& l) { l.AddFramedText(FrameAtCell11(), "Г"_cp, TFormatParameters{}); }, {Op::Metafile}, TPoint{Corner, Corner}},
        {25, [](TComExport& l) { l.AddMarker(CellExport, -CellExport); }, {Op::RoundRect}, TPoint{Corner, Corner}},
        {26, [](TComExport& l) { l.AddTurnMarks(CellExport, -CellExport, 1); }, {Op::Picture}, {}},
        {27, [](TComExport& l) { l.SetKind(l.AddCell(CellExport, -CellExport, false, 0), static_cast<TExportKind>(27)); }, {}, {}},
    };
    return cases;
}

// Looks under which every kind draws something: painted other and key-word cells, a key-word
// cell at (1, 1), arrow and turn pictures, a named picture and a background.
void PaintEverything(TCrossword& crossword) {
    TShablon& t = *crossword.Template;
    t.BlankCellLook.NoPaint = false;
    t.KeyWordCellLook.NoPaint = false;
    t.SetKeyWordCell(1, 1, 1);
    t.ArrowPictures.AddBlank("STRELKA_V_1", TPictureKind::Bitmap, 10, 10);
    t.ArrowPictures.AddBlank("TURN_1", TPictureKind::Bitmap, 10, 10);
    t.Pictures.AddBlank("photo", TPictureKind::Bitmap, 40, 20);
    t.Pictures.AddBlank("background", TPictureKind::Bitmap, 40, 20);
}

TMetafile Replay(TCrossword& crossword, const TComExport& list) {
    TMetafile metafile(2000, 2000, FixedTextMetrics());
    crossword.DrawItemsToMetafile(list, metafile);
    return metafile;
}

TMetafile Picture(TCrossword& crossword, int mode) {
    TMetafile metafile(0, 0, FixedTextMetrics());
    crossword.DrawToMetafile(metafile, mode);
    return metafile;
}

class CrosswordPicture : public SmallCrosswordTest {};

}  // namespace

TEST_F(CrosswordPicture, EveryItemKindIsReplayed) {
    auto crossword = MakeSmall();
    PaintEverything(*crossword);
    for (const KindCase& c : EveryKind()) {
        TComExport list;
        c.Add(list);
        const TMetafile picture = Replay(*crossword, list);
        EXPECT_EQ(Ops(picture.Calls()), c.Ops) << "kind " << c.Kind;
        if (c.At && !picture.Calls().empty()) {
            EXPECT_EQ(picture.Calls()[0].Rect.Left, c.At->X) << "kind " << c.Kind;
            EXPECT_EQ(picture.Calls()[0].Rect.Top, c.At->Y) << "kind " << c.Kind;
        }
    }
}

TEST_F(CrosswordPicture, ItemsReadTheirOwnFields) {
    auto crossword = MakeSmall();
    crossword->Template->BlankCellLook.NoPaint = false;
    crossword->Output.MarkerColor = RgbColor(0x123456);
    TComExport list;
    list.AddPolyline({{CellExport, -CellExport}, {2 * CellExport, -2 * CellExport}}, "STRIKE_OUT", RgbColor(0x00FF00), 3);
    list.AddMarker(CellExport, -CellExport);
    list.AddTextBlock(BoxAtCell11("CROSSWORD_CHARS"), "А"_cp);
    TFormatParameters own;
    own.FontName = "Courier";
    own.FontSize = 20;
    list.AddFormattedText(BoxAtCell11(), "Б"_cp, own);
    const TMetafile picture = Replay(*crossword, list);
    ASSERT_EQ(picture.Calls().size(), 4u);

    const TCanvasCall& line = picture.Calls()[0];
    EXPECT_EQ(line.Points, (std::vector<TPoint>{{Corner, Corner}, {Corner + CellUnits, Corner + CellUnits}}));
    EXPECT_EQ(line.Pen.Color, 0x00FF00u);
    EXPECT_EQ(line.Pen.Width, 3);
    EXPECT_EQ(picture.Calls()[1].Brush.Color, 0x123456u);
    EXPECT_EQ(picture.Calls()[1].Rect, (TRect{Corner, Corner, Corner + CellUnits, Corner + CellUnits}));

    const auto texts = TextsOf(picture);
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[0]->Text, "А"_cp);
    EXPECT_EQ(texts[0]->Font.Height, 57);  // 16 points of the grid letters
    EXPECT_EQ(texts[1]->Font.Name, "Courier");
    EXPECT_EQ(texts[1]->Font.Height, 72);  // 20 points of its own format
}

TEST_F(CrosswordPicture, UnknownKindsAreSkippedAndTheRestDrawn) {
    auto crossword = MakeSmall();
    TComExport list;
    list.AddCell(0, 0, false, CellKind::Letter);
    list.SetKind(list.AddCell(0, 0, false, CellKind::Letter), static_cast<TExportKind>(27));
    list.SetKind(list.AddCell(0, 0, false, CellKind::Letter), static_cast<TExportKind>(127));
    list.AddCell(CellExport, -CellExport, false, CellKind::Letter);
    const TMetafile picture = Replay(*crossword, list);
    ASSERT_EQ(Ops(picture.Calls()), (std::vector<TCanvasOp>{Op::RoundRect, Op::RoundRect}));
    EXPECT_EQ(picture.Calls()[1].Rect.Left, Corner);
}

TEST_F(CrosswordPicture, BoxesWithoutAreaDrawNothing) {
    auto crossword = MakeSmall();
    PaintEverything(*crossword);
    for (const auto& [width, height] : {std::pair{0, CellExport}, {CellExport, 0}, {-CellExport, CellExport}}) {
        TBlockFields box = BoxAtCell11("CROSSWORD_CHARS");
        box.X2 = width;
        box.Y2 = height;
        TComExport list;
        list.AddTextBlock(box, "А"_cp);
        list.AddFormattedText(box, "Б"_cp, TFormatParameters{});
        list.AddPicture(box, "photo");
        EXPECT_TRUE(Replay(*crossword, list).Calls().empty()) << width << " x " << height;
    }
}

TEST_F(CrosswordPicture, StyleFormats) {
    auto crossword = MakeSmall();
    crossword->Template->Scale = 2;
    crossword->Dictionary.Language = 1;
    crossword->Chars.FontName = "Times New Roman";
    crossword->Chars.FontSize = 20;
    crossword->Chars.Bold = false;
    crossword->Chars.Italic = true;
    crossword->Chars.FontColor = RgbColor(0x00FF00);
    crossword->OprFormat.FontName = "Verdana";
    crossword->OprFormat.FontSize = 8;
    crossword->SapperFormat.FontName = "Courier";
    crossword->SapperFormat.FontSize = 12;
    crossword->SapperFormat.Bold = false;

    struct Case {
        std::string Name;
        std::string Font;
        int Height;
        bool Bold, Italic;
        uint32_t Color;
        uint8_t CharSet;
        bool HFlag;
    };
    const Case cases[] = {
        {"CROSSWORD_CHARS", "Times New Roman", 143, false, true, 0x00FF00, 1, true},  // 20 x 3.58 x 2
        {"crossword_chars", "Times New Roman", 143, false, true, 0x00FF00, 1, true},
        {"Opr_Text", "Verdana", 57, false, false, 0, 1, true},
        {"SAPPER_CHARS", "Courier", 86, false, false, 255, 1, false},  // from the red, unhyphenated format
        {"ITALIAN_HINT", "Arial Cyr", 10, false, false, 0, 0, true},
        {"", "Arial Cyr", 10, false, false, 0, 0, true},
    };
    for (const Case& c : cases) {
        const TDrawnFormat drawn = crossword->StyleFormat(c.Name);
        EXPECT_EQ(drawn.Format.FontName, c.Font) << c.Name;
        EXPECT_EQ(drawn.Height, c.Height) << c.Name;
        EXPECT_EQ(drawn.Format.Bold, c.Bold) << c.Name;
        EXPECT_EQ(drawn.Format.Italic, c.Italic) << c.Name;
        EXPECT_EQ(drawn.Format.FontColor.ToRgb(), c.Color) << c.Name;
        EXPECT_EQ(drawn.Format.CharSet, c.CharSet) << c.Name;
        EXPECT_EQ(drawn.Format.HFlag, c.HFlag) << c.Name;
    }
}

TEST_F(CrosswordPicture, LowerCaseLetterStyleDrawsInTheLetterFont) {
    auto crossword = MakeSmall();
    crossword->Chars.FontName = "Times New Roman";
    TComExport list;
    list.AddTextBlock(BoxAtCell11("crossword_chars"), "Ж"_cp);
    const TMetafile picture = Replay(*crossword, list);
    const auto texts = TextsOf(picture);
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0]->Font.Name, "Times New Roman");
    EXPECT_EQ(texts[0]->Font.Height, 57);
}

TEST_F(CrosswordPicture, LettersTallerThanAByteKeepTheirHeight) {
    auto crossword = MakeSmall();
    crossword->Template->Scale = 5;
    crossword->Chars.FontSize = 20;  // 358 units at scale 5
    TBlockFields box = BoxAtCell11("CROSSWORD_CHARS");
    box.X2 = box.Y2 = 5 * CellExport;
    TComExport list;
    list.AddTextBlock(box, "Ж"_cp);
    const TMetafile picture = Replay(*crossword, list);
    // Drawn half as large on a piece stretched to twice its size.
    ASSERT_EQ(Ops(picture.Calls()), std::vector<TCanvasOp>{Op::Metafile});
    const TCanvasCall& piece = picture.Calls()[0];
    EXPECT_EQ(piece.Rect.Width(), 2 * piece.Metafile->Width());
    const auto texts = TextsOf(picture);
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0]->Font.Height, 179);
}

TEST_F(CrosswordPicture, FramedTextOfThreeRowsDrawnAsOnePieceShowsTheWholeText) {
    auto crossword = MakeSmall();
    const std::string text(Cp("ОДИН\r\nДВА\r\nТРИ"));
    TDrawnFormat format{TFormatParameters{}, 36};

    TMetafile whole(1000, 1000, FixedTextMetrics());
    TCanvas canvas(whole);
    crossword->DrawFramedText(canvas, text, TFramePiece{{0, 0, 0, 2}, 1, 3, 0, 0, false}, false, format, 10, 20);
    ASSERT_EQ(Ops(whole.Calls()), std::vector<TCanvasOp>{Op::Metafile});
    const TCanvasCall& piece = whole.Calls()[0];
    EXPECT_EQ(piece.Rect, (TRect{10, 20, 10 + CellUnits, 20 + 3 * CellUnits}));
    ASSERT_EQ(Ops(piece.Metafile->Calls()), std::vector<TCanvasOp>{Op::Metafile});
    const TCanvasCall& block = piece.Metafile->Calls()[0];
    EXPECT_GT(block.Rect.Height(), CellUnits);  // more than one row
    EXPECT_LE(block.Rect.Bottom, 3 * CellUnits);
    std::vector<std::string> lines;
    for (const TCanvasCall* call : TextsOf(whole)) lines.push_back(call->Text);
    EXPECT_EQ(lines, (std::vector<std::string>{Cp("ОДИН"), Cp("ДВА"), Cp("ТРИ")}));

    // The middle row alone: its piece is one cell, the box placed a row above it and clipped.
    TMetafile middle(1000, 1000, FixedTextMetrics());
    TCanvas middleCanvas(middle);
    crossword->DrawFramedText(middleCanvas, text, TFramePiece{{0, 1, 0, 1}, 1, 3, 0, 0, false}, false, format, 10, 20);
    ASSERT_EQ(middle.Calls().size(), 1u);
    EXPECT_EQ(middle.Calls()[0].Rect.Height(), CellUnits);
    const TCanvasCall& shifted = middle.Calls()[0].Metafile->Calls()[0];
    EXPECT_EQ(shifted.Rect.Top, block.Rect.Top - CellUnits);
    EXPECT_EQ(shifted.Clip, (TRect{0, 0, CellUnits, CellUnits}));
}

TEST_F(CrosswordPicture, FramedPiecesTurnedInsideOutDrawNothing) {
    auto crossword = MakeSmall();
    PaintEverything(*crossword);
    TMetafile metafile(1000, 1000, FixedTextMetrics());
    TCanvas canvas(metafile);
    for (const TItemRect& piece : {TItemRect{1, 0, 0, 0}, TItemRect{0, 2, 0, 1}}) {
        const TFramePiece frame{piece, 1, 3, 0, 0, true};
        crossword->DrawFramedText(canvas, "А"_cp, frame, false, TDrawnFormat{TFormatParameters{}, 36}, 0, 0);
        crossword->DrawFramedPicture(canvas, "photo", frame, 0, 0);
    }
    EXPECT_TRUE(metafile.Calls().empty());
}

TEST_F(CrosswordPicture, MarkersFollowTheOtherCellLook) {
    auto crossword = MakeSmall();
    TMetafile metafile(1000, 1000, FixedTextMetrics());
    TCanvas canvas(metafile);
    crossword->DrawMarker(canvas, 0, 0);
    EXPECT_TRUE(metafile.Calls().empty());  // the other cells are not painted by default

    crossword->Template->BlankCellLook.NoPaint = false;
    crossword->Template->BlankCellLook.BrushColor = RgbColor(0xFFFFFF);
    crossword->Output.MarkerColor = TColorValue{0x000000FF, TColorModel::Cmyk};  // black ink only
    crossword->DrawMarker(canvas, 0, 0);
    ASSERT_EQ(Ops(metafile.Calls()), std::vector<TCanvasOp>{Op::RoundRect});
    EXPECT_EQ(metafile.Calls()[0].Brush.Color, 0u);
    EXPECT_EQ(crossword->Template->BlankCellLook.BrushColor, RgbColor(0xFFFFFF));
}

TEST_F(CrosswordPicture, SizeOfEachMode) {
    struct Case {
        int Mode;
        bool KeyWordTable;
        int BlockSide;
        int Width, Height;
    };
    // 5 x 5 cells of 100 and a margin of 7; the grid holds 13 letters.
    const Case cases[] = {
        {0, false, 3, 507, 507},
        {0, true, 3, 507, 707},    // two rows for the key-word table
        {2, false, 3, 507, 1207},  // 13 letters in lines of 5: 3 lines of two rows and one row
        {2, true, 3, 507, 1407},
        {4, false, 3, 607, 607},   // a column and a row of labels
        {5, false, 3, 707, 707},   // one gap between two blocks and one cell of padding
        {5, false, 2, 807, 807},   // two gaps and one cell of padding
        {5, false, 0, 907, 907},   // blocks of one cell: four gaps
        {6, false, 3, 507, 507},
    };
    for (const Case& c : cases) {
        auto crossword = MakeSmall();
        crossword->Template->KeyWordCellLook.NoPaint = !c.KeyWordTable;
        crossword->Template->WordBlockWidth = crossword->Template->WordBlockHeight = static_cast<uint8_t>(c.BlockSide);
        const TMetafile picture = Picture(*crossword, c.Mode);
        EXPECT_EQ(picture.Width(), c.Width) << "mode " << c.Mode;
        EXPECT_EQ(picture.Height(), c.Height) << "mode " << c.Mode;
        EXPECT_FALSE(picture.Calls().empty()) << "mode " << c.Mode;
    }
}

TEST_F(CrosswordPicture, SolutionShowsEveryLetterAndThePuzzleNone) {
    auto crossword = MakeSmall();
    std::vector<std::string> letters;
    const TMetafile solution = Picture(*crossword, 0), puzzle = Picture(*crossword, 1);
    for (const TCanvasCall* call : TextsOf(solution))
        if (call->Font.Height == 57) letters.push_back(call->Text);
    EXPECT_EQ(letters.size(), 16u);  // the letter cells of the grid
    for (const TCanvasCall* call : TextsOf(puzzle)) EXPECT_NE(call->Font.Height, 57) << call->Text;
}

namespace {

// A crossword whose grid items are one item of every kind and which adds no labels, so that
// mode 4 moves exactly those items.
class TEveryKindCrossword : public TClassicCrossword {
public:
    void ExportCrosswordScript(TComExport& list, int) override {
        for (const KindCase& c : EveryKind())
            if (c.Kind != static_cast<int>(TExportKind::Background)) c.Add(list);
    }
    void ExportItalianScript(TComExport&) override {}
};

// Where a call draws: its points, its text position or its rectangle's corners.
std::vector<TPoint> Placement(const TCanvasCall& call) {
    switch (call.Op) {
        case TCanvasOp::Line:
        case TCanvasOp::Polyline:
        case TCanvasOp::Polygon: return call.Points;
        case TCanvasOp::Text: return {call.At};
        default: return {{call.Rect.Left, call.Rect.Top}, {call.Rect.Right, call.Rect.Bottom}};
    }
}

void ExpectMoved(const std::vector<TPoint>& before, const std::vector<TPoint>& after, int d) {
    ASSERT_EQ(before.size(), after.size());
    for (std::size_t i = 0; i < before.size(); ++i) EXPECT_EQ(after[i], (TPoint{before[i].X + d, before[i].Y + d}));
}

}  // namespace

TEST_F(CrosswordPicture, ItalianModeMovesEveryItemOneCellRightAndDown) {
    TEveryKindCrossword crossword;
    crossword.Dictionary.ShowProgress = false;
    crossword.SetWidth(5);
    crossword.SetHeight(5);
    DrawGrid(*crossword.Template, SmallGrid);
    PaintEverything(crossword);
    const TMetafile plain = Picture(crossword, 0), italian = Picture(crossword, 4);
    ASSERT_EQ(Ops(italian.Calls()), Ops(plain.Calls()));
    for (std::size_t i = 0; i < plain.Calls().size(); ++i) {
        const TCanvasCall &a = plain.Calls()[i], &b = italian.Calls()[i];
        SCOPED_TRACE("call " + std::to_string(i));
        ExpectMoved(Placement(a), Placement(b), CellUnits);
    }
}

// ---- the working view ----

namespace {

TColor32 Channel(TColor32 pixel, int shift) {
    return pixel >> shift & 0xFF;
}

bool Green(TColor32 p) {
    return Channel(p, 8) > 150 && Channel(p, 16) < 100 && Channel(p, 0) < 100;
}

bool Dark(TColor32 p) {
    return Channel(p, 16) < 90 && Channel(p, 8) < 90 && Channel(p, 0) < 90;
}

// The pixels of a square's inside (its grid lines left out) that pass the test: their count and
// the height of the rows holding them.
struct Ink {
    int Count = 0;
    int Height = 0;
};

Ink InkIn(const TDIB& image, int left, int top, int side, bool (*test)(TColor32)) {
    Ink ink;
    int first = -1, last = -1;
    for (int y = top + 3; y < top + side - 3; ++y)
        for (int x = left + 3; x < left + side - 3; ++x)
            if (test(image.Pixel(x, y))) {
                ++ink.Count;
                if (first < 0) first = y;
                last = y;
            }
    ink.Height = first < 0 ? 0 : last - first + 1;
    return ink;
}

}  // namespace

TEST_F(CrosswordPicture, ViewAtZoom200DrawsLettersInto96PixelSquaresFixedOnesGreen) {
    auto crossword = Make({"...", "..."}, {"кот"});
    crossword->SetFixedLetter(0, 0, "ш"_cp);
    crossword->SetCellText(1, 0, "ж"_cp);
    TCoordList path;
    path.AddTag(2, 1, "");
    TFastDrawParameters view;
    view.Zoom = 200;
    view.PathMode = 1;
    view.PathCells = &path;
    view.PathText = "м"_cp;
    TBitmap bitmap(3 * 96, 2 * 96);
    crossword->DrawToBitmap(view, bitmap);
    const TDIB image = bitmap.Pixels();

    const Ink fixed = InkIn(image, 0, 0, 96, Green);
    EXPECT_GT(fixed.Count, 100);
    EXPECT_GT(fixed.Height, 32);  // a letter 30 units high at twice the size
    EXPECT_EQ(InkIn(image, 0, 0, 96, Dark).Count, 0);
    const Ink plain = InkIn(image, 96, 0, 96, Dark);
    EXPECT_GT(plain.Count, 100);
    EXPECT_GT(plain.Height, 32);
    EXPECT_EQ(InkIn(image, 96, 0, 96, Green).Count, 0);
    EXPECT_GT(InkIn(image, 192, 96, 96, Dark).Count, 50);  // typed along the path
    EXPECT_EQ(InkIn(image, 0, 96, 96, Dark).Count, 0);
    EXPECT_EQ(InkIn(image, 192, 0, 96, Dark).Count, 0);
}

TEST_F(CrosswordPicture, ViewScrolledToColumn190DoesNotWrapToColumn0) {
    std::string row(200, '#');
    row.replace(0, 3, "...");
    auto crossword = Make({row}, {"кот"});
    crossword->SetCellText(0, 0, "ш"_cp);
    TFastDrawParameters view;
    view.FirstColumn = 190;
    constexpr int Columns = 70;  // up to column 259, past 255
    TBitmap bitmap(Columns * 48, 48);
    crossword->DrawToBitmap(view, bitmap);
    const TDIB image = bitmap.Pixels();
    int ink = 0;
    for (int x = 10 * 48 + 2; x < image.Width(); ++x)
        for (int y = 0; y < image.Height(); ++y) ink += Dark(image.Pixel(x, y)) ? 1 : 0;
    EXPECT_EQ(ink, 0);

    // The same letter shows where its column is in view.
    view.FirstColumn = 0;
    TBitmap unscrolled(Columns * 48, 48);
    crossword->DrawToBitmap(view, unscrolled);
    EXPECT_GT(InkIn(unscrolled.Pixels(), 0, 0, 48, Dark).Count, 20);
}
