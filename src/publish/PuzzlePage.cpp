#include "PuzzlePage.h"

#include "ClueList.h"
#include "TextColumns.h"

#include "crossword/Crossword.h"
#include "export/ComExport.h"
#include "kinds/StrikeOut.h"
#include "platform/Text.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace {

constexpr double TitleScale = 1.6;     // the title's letters, times the list's
constexpr double LeadingScale = 1.25;  // a line's pitch, times its letters' height
constexpr double GutterMm = 5;         // between two columns
constexpr double GapMm = 4;            // below the title and the grid, beside the solution
constexpr double MinColumnMm = 45;     // a narrower column would break most clues
constexpr int EntriesPerColumn = 12;   // entries per column when the columns are chosen
constexpr int ListGridPercent = 60;    // the most of the content's height a grid above a list takes
constexpr double ListCellMm = 9;       // the largest cell of a grid above a list: a newspaper's
constexpr double SmallestListCellMm = 5;  // the grid shrinks down to this to keep a puzzle on its page
constexpr double CellStepMm = 0.5;
constexpr double GridPageCellMm = 20;  // the largest cell of a grid that is the page, clues inside
constexpr double FootCellMm = 4.5;     // the solution at the page's foot: small
constexpr int FootWidthPercent = 40;   // and no wider or taller than this much of the content
constexpr int FootHeightPercent = 22;
constexpr double SolutionPageCellMm = 10;
// The answer lines through the words of a letter field's solution: light grey, so that the letters
// under them stay readable.
constexpr TStrikeOutLook AnswerLines{true, 10, {0xB0B0B0, TColorModel::Rgb}};

// The style of the grid letters' items.
constexpr std::string_view LetterStyle = "CROSSWORD_CHARS";

// The export modes of the pictures.
constexpr int SolutionMode = 0;
constexpr int PuzzleMode = 1;

// The kinds whose puzzle is a field of letters in which the words are found.
bool IsLetterField(const TCrossword& crossword) {
    return crossword.Kind == TCrosswordKind::FillWord || crossword.Kind == TCrosswordKind::English;
}

// The kinds whose solution strikes the words through in the field of letters.
bool StrikesWordsOut(const TCrossword& crossword) {
    return IsLetterField(crossword) || (crossword.Kind == TCrosswordKind::Knight && ListedSolution(crossword).empty());
}

TListType ListType(const TPageSetup& setup) {
    TListType type;
    type.Face = setup.Look.FontName;
    type.Size = PageUnitsOfPoints(setup.FontSize);
    type.Leading = static_cast<int>(std::lround(type.Size * LeadingScale));
    return type;
}

std::shared_ptr<TMetafile> Picture(TCrossword& crossword, int mode) {
    auto picture = std::make_shared<TMetafile>();
    crossword.DrawToMetafile(*picture, mode);
    if (picture->Width() <= 0 || picture->Height() <= 0) return nullptr;
    return picture;
}

// The puzzle's picture: the empty grid with its given letters; the field of letters of the kinds
// whose words are found in it. The circular crossword's puzzle mode writes the answers' letters
// too, in small letters beside the given capitals: those are left out.
std::shared_ptr<TMetafile> PuzzlePicture(TCrossword& crossword) {
    if (IsLetterField(crossword)) return Picture(crossword, SolutionMode);
    if (crossword.Kind != TCrosswordKind::Circle) return Picture(crossword, PuzzleMode);
    const auto pass = crossword.ExportPass;
    crossword.ExportPass = [pass](const TCrossword& c, TComExport& list) {
        if (pass) pass(c, list);
        for (int i = 0; i < list.Count(); ++i)
            if (list.Name(i) == LetterStyle && c.Dictionary.ToUpperText(list.Text(i)) != list.Text(i)) list.SetText(i, "");
    };
    auto picture = Picture(crossword, PuzzleMode);
    crossword.ExportPass = pass;
    return picture;
}

// The solution's picture: the letters, without the clues of the kinds that print them in the grid
// and without their arrows, which would cross the letters of the words' first cells; with the
// words of a letter field struck through.
std::shared_ptr<TMetafile> SolutionPicture(TCrossword& crossword) {
    TShablon& t = *crossword.Template;
    const bool arrows = t.ArrowLook.Show;
    t.ArrowLook.Show = false;
    const bool cluesHidden = crossword.OprText.NoPaint;
    const auto pass = crossword.ExportPass;
    auto* owner = dynamic_cast<TStrikeOutOwner*>(&crossword);
    const bool ownLines = owner && owner->StrikeOut.ShowLine;
    if (owner) owner->StrikeOut.ShowLine = false;
    crossword.OprText.NoPaint = cluesHidden || crossword.CluesInGrid;
    if (StrikesWordsOut(crossword))
        crossword.ExportPass = [pass](const TCrossword& c, TComExport& list) {
            if (pass) pass(c, list);
            std::vector<int> slots;
            for (int i = 0; i < c.Words.Count(); ++i)
                if (c.Words.SlotFilled(i)) slots.push_back(i);
            AddStrikeOutLines(c, slots, AnswerLines, list);
        };
    auto picture = Picture(crossword, SolutionMode);
    crossword.ExportPass = pass;
    crossword.OprText.NoPaint = cluesHidden;
    if (owner) owner->StrikeOut.ShowLine = ownLines;
    t.ArrowLook.Show = arrows;
    return picture;
}

// The size of a picture scaled to fit width x height with its cells (cellUnits of its units) at
// most cellMm; at least 1 x 1.
TRect Fitted(const TMetafile& picture, int cellUnits, int width, int height, double cellMm) {
    const double scale = std::min({static_cast<double>(width) / picture.Width(),
                                   static_cast<double>(height) / picture.Height(),
                                   static_cast<double>(PageUnitsOfMm(cellMm)) / std::max(cellUnits, 1)});
    return {0, 0, std::max(1, static_cast<int>(picture.Width() * scale)),
            std::max(1, static_cast<int>(picture.Height() * scale))};
}

TRect Moved(const TRect& r, int x, int y) {
    return {x, y, x + r.Width(), y + r.Height()};
}

int ColumnCount(const TPageSetup& setup, const TClueList& list, int width, int gutter) {
    if (setup.Columns > 0) return setup.Columns;
    const int most = std::max(1, (width + gutter) / (PageUnitsOfMm(MinColumnMm) + gutter));
    const int entries = static_cast<int>(std::count_if(list.Entries.begin(), list.Entries.end(),
                                                       [](const TListEntry& e) { return !e.Heading; }));
    return std::clamp((entries + EntriesPerColumn - 1) / EntriesPerColumn, std::min(2, most), most);
}

bool Overlap(int left, int right, int otherLeft, int otherRight) {
    return left < otherRight && right > otherLeft;
}

}  // namespace

TPageFrame::TPageFrame(const TPageSetup& setup)
    : Width(PageUnitsOfMm(setup.Paper.Width)), Height(PageUnitsOfMm(setup.Paper.Height)) {
    const int margin = PageUnitsOfMm(setup.Margins);
    Content = {margin, margin, Width - margin, Height - margin};
}

int DrawTitle(TCanvas& canvas, const TPageSetup& setup, const TPageFrame& frame, std::string_view title) {
    if (title.empty()) return 0;
    const TListType type = ListType(setup);
    canvas.Font.Name = type.Face;
    canvas.Font.Height = -static_cast<int>(std::lround(type.Size * TitleScale));
    canvas.Font.Bold = true;
    canvas.Font.Italic = false;
    canvas.Font.Color = 0;
    canvas.Brush.Style = TBrushStyle::Clear;
    canvas.TextAlign = TTextAlign::Top;
    const TRect& c = frame.Content;
    canvas.TextOut(c.Left + (c.Width() - canvas.TextWidth(title)) / 2, c.Top, title);
    return static_cast<int>(std::lround(type.Size * TitleScale * LeadingScale)) + PageUnitsOfMm(GapMm);
}

std::shared_ptr<TMetafile> SolutionBlock(TCrossword& crossword, const TPageSetup& setup, std::string_view heading,
                                         int width, int height, double cellMm) {
    const auto picture = SolutionPicture(crossword);
    if (!picture) return nullptr;
    const TListType type = ListType(setup);
    const TTextMetrics& metrics = CairoTextMetrics();
    const int headingHeight = heading.empty() ? 0 : type.Leading;
    const std::string listed = ListedSolution(crossword);
    const std::vector<TSetBlock> phrase =
        listed.empty() ? std::vector<TSetBlock>{} : SetEntries({{false, "", listed}}, type, width, metrics);
    const int phraseLines = phrase.empty() ? 0 : static_cast<int>(phrase.front().Lines.size());
    const int phraseHeight = phraseLines * type.Leading;
    const TRect size = Fitted(*picture, crossword.Template->GetCellPixelWidth(), width,
                              std::max(1, height - headingHeight - phraseHeight), cellMm);

    int blockWidth = std::max(size.Width(), metrics.TextWidth(type.Font(true), heading));
    for (const auto& line : phraseLines ? phrase.front().Lines : std::vector<std::vector<TSetRun>>{})
        for (const TSetRun& run : line) blockWidth = std::max(blockWidth, run.X + metrics.TextWidth(type.Font(false), run.Text));
    auto block = std::make_shared<TMetafile>(blockWidth, headingHeight + size.Height() + phraseHeight, metrics);
    TCanvas canvas(*block);
    if (!heading.empty()) DrawBlock(canvas, TSetBlock{{{TSetRun{0, true, std::string(heading)}}}}, type, 0, 0);
    canvas.StretchDraw(Moved(size, 0, headingHeight), picture);
    if (!phrase.empty()) DrawBlock(canvas, phrase.front(), type, 0, headingHeight + size.Height());
    return block;
}

std::vector<TMetafile> PuzzlePages(TCrossword& crossword, const TPageSetup& setup) {
    ApplyPrintLook(crossword, setup.Look);
    const TPageFrame frame(setup);
    const TRect& c = frame.Content;
    const TListType type = ListType(setup);
    const TTextMetrics& metrics = CairoTextMetrics();
    const int gutter = PageUnitsOfMm(GutterMm), gap = PageUnitsOfMm(GapMm);

    const auto grid = PuzzlePicture(crossword);
    if (!grid) return {};
    std::shared_ptr<TMetafile> foot;
    if (setup.Solution == TSolutionPlace::Same) {
        foot = SolutionBlock(crossword, setup, "Ответ"_cp, c.Width() * FootWidthPercent / 100,
                             c.Height() * FootHeightPercent / 100, FootCellMm);
        if (!foot) return {};
    }
    const TRect footBox = foot ? Moved(TRect{0, 0, foot->Width(), foot->Height()}, c.Right - foot->Width(),
                                       c.Bottom - foot->Height())
                               : TRect{};

    const TClueList list = PageClueList(crossword, setup.Lengths);
    const int columns = ColumnCount(setup, list, c.Width(), gutter);
    const int columnWidth = std::max(1, (c.Width() - (columns - 1) * gutter) / columns);
    const std::vector<TSetBlock> blocks = SetEntries(list.Entries, type, columnWidth, metrics);
    const bool listed = !blocks.empty();

    TMetafile first(frame.Width, frame.Height, metrics);
    TCanvas firstCanvas(first);
    const int top = c.Top + DrawTitle(firstCanvas, setup, frame, setup.Title);
    const int noteHeight = list.Note.empty() ? 0 : type.Leading + gap;

    // The grid above a list takes part of the page and, when it leaves a column free, stands at
    // the right with the list beginning beside it; alone it takes the page. The list flows down
    // the columns; the solution at the foot shortens the columns it stands over on the last
    // page, which may take the list onto one more page.
    struct TLayout {
        TRect GridBox;
        int FootPage = 0;
        int EvenPage = -1;       // the last page, whose columns end at EvenBottom at the latest
        int EvenBottom = 0;      // so that they come out of even length
        std::vector<TColumnFrame> Frames;
        std::vector<TPlacedBlock> Placed;
        int Pages = 1;
    };
    const auto layOut = [&](double cellMm) {
        TLayout layout;
        const int gridHeight = listed ? c.Height() * ListGridPercent / 100
                                      : c.Bottom - top - noteHeight - (foot ? foot->Height() + gap : 0);
        TRect& gridBox = layout.GridBox;
        gridBox = Fitted(*grid, crossword.Template->GetCellPixelWidth(), c.Width(), std::max(1, gridHeight), cellMm);
        const bool beside = listed && columns > 1 && gridBox.Width() <= c.Width() - columnWidth - gutter;
        gridBox = Moved(gridBox, beside ? c.Right - gridBox.Width() : c.Left + (c.Width() - gridBox.Width()) / 2, top);
        const auto frameAt = [&](int i) {
            TColumnFrame column;
            column.Page = i / columns;
            column.Left = c.Left + i % columns * (columnWidth + gutter);
            const int right = column.Left + columnWidth;
            column.Top = column.Page > 0                                            ? c.Top
                         : Overlap(column.Left, right, gridBox.Left, gridBox.Right) ? gridBox.Bottom + gap
                                                                                    : top;
            column.Bottom =
                foot && column.Page == layout.FootPage && Overlap(column.Left, right, footBox.Left, footBox.Right)
                    ? footBox.Top - gap
                    : c.Bottom;
            if (column.Page == layout.EvenPage) column.Bottom = std::min(column.Bottom, layout.EvenBottom);
            return column;
        };
        const auto lastPage = [&] { return layout.Frames.empty() ? 0 : layout.Frames.back().Page; };
        for (;;) {
            layout.Placed = FlowBlocks(blocks, type.Leading, frameAt, layout.Frames);
            layout.Pages = std::max(layout.FootPage, lastPage()) + 1;
            if (!foot || lastPage() <= layout.FootPage) break;
            layout.FootPage = lastPage();
        }
        // The columns of the last page end at the lowest foot that keeps the list on that page
        // with no entry running over its column's foot, when they begin at one height (a list
        // beside the grid stays beside it).
        const int page = lastPage();
        bool level = listed;
        for (int i = 0; i < columns && level; ++i)
            level = frameAt(page * columns + i).Top == frameAt(page * columns).Top;
        if (!level) return layout;
        const auto fits = [&](const std::vector<TPlacedBlock>& placed) {
            if (lastPage() != page) return false;
            for (std::size_t i = 0; i < blocks.size(); ++i)
                if (placed[i].Top + static_cast<int>(blocks[i].Lines.size()) * type.Leading >
                    layout.Frames[placed[i].Frame].Bottom)
                    return false;
            return true;
        };
        int low = c.Top, high = c.Bottom;
        layout.EvenPage = page;
        while (low < high) {
            layout.EvenBottom = (low + high) / 2;
            if (fits(FlowBlocks(blocks, type.Leading, frameAt, layout.Frames)))
                high = layout.EvenBottom;
            else
                low = layout.EvenBottom + 1;
        }
        layout.EvenBottom = high;
        layout.Placed = FlowBlocks(blocks, type.Leading, frameAt, layout.Frames);
        return layout;
    };
    // The largest grid that keeps the puzzle on the fewest pages.
    TLayout layout = layOut(listed ? ListCellMm : GridPageCellMm);
    for (double cellMm = ListCellMm - CellStepMm; listed && layout.Pages > 1 && cellMm >= SmallestListCellMm;
         cellMm -= CellStepMm) {
        TLayout smaller = layOut(cellMm);
        if (smaller.Pages < layout.Pages) layout = std::move(smaller);
    }

    firstCanvas.StretchDraw(layout.GridBox, grid);
    if (!list.Note.empty()) {
        firstCanvas.Font = type.Font(false);
        firstCanvas.Font.Italic = true;
        firstCanvas.TextOut(c.Left + (c.Width() - firstCanvas.TextWidth(list.Note)) / 2, layout.GridBox.Bottom + gap,
                            list.Note);
    }
    std::vector<TMetafile> pages;
    pages.push_back(std::move(first));
    while (static_cast<int>(pages.size()) < layout.Pages) pages.emplace_back(frame.Width, frame.Height, metrics);
    for (std::size_t i = 0; i < blocks.size(); ++i) {
        const TColumnFrame& column = layout.Frames[layout.Placed[i].Frame];
        TCanvas canvas(pages[column.Page]);
        DrawBlock(canvas, blocks[i], type, column.Left, layout.Placed[i].Top);
    }
    if (foot) {
        TCanvas canvas(pages[layout.FootPage]);
        canvas.StretchDrawTurned(footBox, foot);
    }

    if (setup.Solution == TSolutionPlace::Separate) {
        TMetafile page(frame.Width, frame.Height, metrics);
        TCanvas canvas(page);
        const int solutionTop = c.Top + DrawTitle(canvas, setup, frame, setup.Title);
        const auto block = SolutionBlock(crossword, setup, "Ответ"_cp, c.Width(), c.Bottom - solutionTop,
                                         SolutionPageCellMm);
        if (!block) return {};
        canvas.Draw(c.Left + (c.Width() - block->Width()) / 2, solutionTop, block);
        pages.push_back(std::move(page));
    }
    return pages;
}
