#include "Honey.h"

#include "crossword/FillResult.h"
#include "dictionary/CellFormat.h"
#include "dictionary/Mask.h"
#include "platform/Bitmap.h"
#include "platform/Canvas.h"
#include "platform/Clock.h"
#include "platform/Metafile.h"
#include "platform/Ui.h"
#include "template/CoordList.h"
#include "template/GlobalOption.h"
#include "template/TextFitting.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>
#include <utility>
#include <vector>

namespace {

// The working view's letters fill 30 of every 48 units of a cell's height.
constexpr int ViewLetterHeight = 30;
constexpr int ViewUnit = 48;
constexpr TColor FixedLetterColor = RGB(0, 255, 0);
constexpr TColor LetterColor = RGB(0, 0, 0);

// Gives the held-back words their categories again, whichever way the fill ends.
class TCategoryRestore {
public:
    explicit TCategoryRestore(TWorkDictionary& dictionary) : mDictionary(dictionary) {}
    ~TCategoryRestore() {
        for (const auto& [i, category] : mHeld) mDictionary.SetEntryCategory(i, category);
    }
    TCategoryRestore(const TCategoryRestore&) = delete;
    TCategoryRestore& operator=(const TCategoryRestore&) = delete;

    void Hold(int i) {
        mHeld.emplace_back(i, mDictionary.EntryCategory(i));
        mDictionary.SetEntryCategory(i, WordCategory::Unavailable);
    }

private:
    TWorkDictionary& mDictionary;
    std::vector<std::pair<int, WordCategory>> mHeld;
};

}  // namespace

TBaseHoney::TBaseHoney(TCrosswordKind kind, std::unique_ptr<TBaseHoneyShablon> shablon)
    : TCrossword(kind, std::move(shablon)) {
    CluesInGrid = 1;
}

std::vector<std::pair<int, int>> TBaseHoney::Centres() const {
    std::vector<std::pair<int, int>> centres;
    for (int y = 0; y < Height; ++y)
        for (int x = 0; x < Width; ++x)
            if (Template->IsNumbered(x, y) && !Template->IsLetterCell(x, y)) centres.emplace_back(x, y);
    return centres;
}

int TBaseHoney::ClueNumber(int slot) const {
    const std::vector<std::pair<int, int>> centres = Centres();
    if (slot < 0 || slot >= static_cast<int>(centres.size())) return 0;
    return Template->GetNumber(centres[slot].first, centres[slot].second);
}

void TBaseHoney::RebuildWords() {
    Words.Clear();
    TShablonWords through;
    for (const auto& [x, y] : Centres()) {
        Template->WordsThroughCell(x, y, through);
        Words.AddSlot(through.WordX(0), through.WordY(0), through.WordPath(0), Honey().RingWordLength());
    }
}

void TBaseHoney::CopyStyles(const TCrossword& other) {
    TCrossword::CopyStyles(other);
    const TShablonKind kind = other.Template->Kind;
    if (kind == TShablonKind::Honey || kind == TShablonKind::Honey8)
        Honey().HoneyStroke = static_cast<const TBaseHoneyShablon&>(*other.Template).HoneyStroke;
}

void TBaseHoney::PrepareForFill() {
    TCrossword::PrepareForFill();
    AllCellsHoldLetters = Honey().RingMode != 0 ? 1 : 0;
}

void TBaseHoney::DrawToBitmap(TFastDrawParameters parameters, TBitmap& bitmap) {
    const TFastDrawParameters& p = parameters;
    Template->FastDraw(parameters, bitmap);
    TCanvas canvas(bitmap);
    canvas.Brush.Style = TBrushStyle::Clear;
    const std::string& fontName = TGlobalOption::Instance().DefaultFontName;
    if (!fontName.empty()) canvas.Font.Name = fontName;
    canvas.Font.Charset = Dictionary.CharsetCode();
    const bool onPath = (p.PathMode == 1 || p.PathMode == 2) && p.PathCells;
    const TMask typed(Dictionary.CellFormat(), p.PathText);
    const auto draw = [&](std::string_view text, const TRect& box, TColor color) {
        canvas.Font.Color = color;
        DrawFittedText(canvas, Dictionary.ToUpperText(text), box, box.Height() * ViewLetterHeight / ViewUnit, true);
    };
    for (int y = 0; y < Height; ++y)
        for (int x = 0; x < Width; ++x) {
            const bool letterCell = Template->IsLetterCell(x, y);
            if (!letterCell && (!AllCellsHoldLetters || IsCellEmpty(x, y))) continue;
            const TRect box = CellBox(x, y, p);
            if (box.Right <= 0 || box.Bottom <= 0 || box.Left >= bitmap.Width() || box.Top >= bitmap.Height()) continue;
            if (!IsCellEmpty(x, y)) draw(CellText(x, y), box, IsFixedCell(x, y) ? FixedLetterColor : LetterColor);
            const int k = onPath ? p.PathCells->IndexOfCell(x, y) : -1;
            if (k >= 0 && !typed.IsUnknown(k)) draw(typed.CellText(k), box, LetterColor);
        }
}

bool TBaseHoney::RingWordCloses(std::string_view word) const {
    const TMask cells(Dictionary.CellFormat(), word);
    const int count = cells.CellCount();
    return count > 0 && cells.CellText(0) == cells.CellText(count - 1);
}

int TBaseHoney::TryPutWord(int slot, std::string_view word, TPutChecks checks) {
    if (Honey().RingMode == 3 && !RingWordCloses(word)) return PutCode::RingEnds;
    return TCrossword::TryPutWord(slot, word, checks);
}

bool TBaseHoney::Fill(int x1, int y1, int x2, int y2, bool useSpecial, int& errCode, TFillResult& best) {
    if (Honey().RingMode != 3) return TCrossword::Fill(x1, y1, x2, y2, useSpecial, errCode, best);
    // Held back as unavailable rather than deleted: the placed words keep their dictionary
    // entries, and nothing has to be pasted back afterwards.
    TCategoryRestore restore(Dictionary);
    const int length = Honey().RingWordLength();
    for (int i = 0; i < Dictionary.Count(); ++i)
        if (Dictionary.EntryCells(i) == length && Dictionary.EntryCategory(i) != WordCategory::Unavailable &&
            !RingWordCloses(Dictionary.EntryText(i)))
            restore.Hold(i);
    return TCrossword::Fill(x1, y1, x2, y2, useSpecial, errCode, best);
}

THoney::THoney() : TBaseHoney(TCrosswordKind::Honey, std::make_unique<THoneyShablon>(1, 1)) {}

void THoney::UpdateRings() {
    TShablonWords through;
    const auto centres = Centres();
    for (int slot = 0; slot < static_cast<int>(centres.size()) && slot < Words.Count(); ++slot) {
        if (Words.SlotFilled(slot)) continue;
        Template->WordsThroughCell(centres[slot].first, centres[slot].second, through);
        if (Words.WordX(slot) != through.WordX(0) || Words.WordY(slot) != through.WordY(0) ||
            Words.WordPath(slot) != through.WordPath(0))
            Words.ReplaceSlot(slot, through.WordX(0), through.WordY(0), through.WordPath(0), Honey().RingWordLength());
    }
}

std::vector<std::pair<int, int>> THoney::MirrorImages(int x, int y) const {
    const TShablon& t = *Template;
    const int mx = t.MirrorX.MirrorOf(x), my = t.MirrorY.MirrorOf(y);
    const bool byX = t.MirrorX.Enabled && mx != x, byY = t.MirrorY.Enabled && my != y;
    std::vector<std::pair<int, int>> images;
    if (byX) images.emplace_back(mx, y);
    if (byY) images.emplace_back(x, my);
    if (byX && byY) images.emplace_back(mx, my);
    return images;
}

bool THoney::FillDefault(int x1, int y1, int x2, int y2, int& errCode, TFillResult& result) {
    return FillTurningRings(x1, y1, x2, y2, errCode, result,
                            [&](TFillResult& run) { return TCrossword::FillDefault(x1, y1, x2, y2, errCode, run); });
}

bool THoney::FillPropagate(int x1, int y1, int x2, int y2, int& errCode, TFillResult& result) {
    return FillTurningRings(x1, y1, x2, y2, errCode, result,
                            [&](TFillResult& run) { return TCrossword::FillPropagate(x1, y1, x2, y2, errCode, run); });
}

template <typename BaseFill>
bool THoney::FillTurningRings(int x1, int y1, int x2, int y2, int& errCode, TFillResult& result, BaseFill&& baseFill) {
    const auto centres = Centres();
    const auto filledCentre = [&](int x, int y) {
        const auto at = std::find(centres.begin(), centres.end(), std::pair{x, y});
        const auto slot = at - centres.begin();
        return at != centres.end() && slot < Words.Count() && Words.SlotFilled(static_cast<int>(slot));
    };
    // A turn also turns the mirror images of the centre; one whose word stands would lose it.
    std::vector<std::pair<int, int>> free;
    for (const auto& [x, y] : centres) {
        if (x < x1 || x > x2 || y < y1 || y > y2 || filledCentre(x, y)) continue;
        const auto images = MirrorImages(x, y);
        if (std::none_of(images.begin(), images.end(), [&](const auto& c) { return filledCentre(c.first, c.second); }))
            free.emplace_back(x, y);
    }
    // Each base run keeps its own clock; the turning keeps one from its own start.
    const uint32_t start = TickCount();
    TFillResult startState;
    SaveState(startState);
    std::string bestTemplate;
    TFillResult bestResult;
    bool done = false;
    for (;;) {
        if (const int stop = StopCode(start, FillParameters.TimeLimit); stop != 0) {
            errCode = stop;
            break;
        }
        TFillResult run;
        done = baseFill(run);
        result = run;
        if (done || errCode != FillError::Exhausted || free.empty()) break;
        if (run.Count() > bestResult.Count()) {
            bestTemplate = Template->SerializeTemplate(0, 0, Width - 1, Height - 1);
            bestResult = run;
        }
        RestoreState(startState);
        const auto [cx, cy] = free[RandomInt(static_cast<int>(free.size()))];
        Honey().SetStartDirection(cx, cy, RandomInt(6));
        UpdateRings();
        // Short runs never reach their own message turns; the user's cancel must still get through.
        TheUi().ProcessMessages();
    }
    if (!done && errCode < 0 && !bestTemplate.empty()) {
        result = bestResult;
        ClearWords(0, 0, Width - 1, Height - 1, true);
        Template->ParseTemplate(bestTemplate, 0, 0);
        Template->NumberCells();
        RebuildWords();
        RestoreState(startState);
    }
    return done;
}

TRect THoney::CellBox(int x, int y, const TFastDrawParameters& parameters) const {
    const double s = std::max(parameters.Zoom, 1);
    const double sqrt3 = std::numbers::sqrt3;
    const int px = static_cast<int>(std::lround((x - parameters.FirstColumn + (y & 1) / 2.0) * s * sqrt3));
    const int py = static_cast<int>(std::lround(((y - parameters.FirstRow) * 1.5 + 0.5) * s));
    return {px, py, px + static_cast<int>(std::lround(s * sqrt3)), py + static_cast<int>(s)};
}

void THoney::DrawToMetafile(TMetafile& metafile, int mode) {
    TCrossword::DrawToMetafile(metafile, mode);
    if (mode != 2 || metafile.Width() == 0) return;
    const TShablon& t = *Template;
    const bool keyWordTable = t.KeyWordAllowed && t.ShowKeyWordTable && !t.KeyWordCellLook.NoPaint;
    const int lines = LetterCounts.Count() / std::max<int>(Width, 1) + 1;
    const int lastRow = Height + (keyWordTable ? 3 : 1) + 2 * lines - 1;
    int px = 0, py = 0;
    t.CellToCanvas(0, lastRow, px, py);
    // From the top of the hexagon's sides to its lower vertex, and the pen below it.
    const int64_t bottom = int64_t{py} + int64_t{t.Scale} * (t.CellSize + t.CellSize / 2 + t.PenWidth);
    if (bottom > metafile.Height() && bottom <= std::numeric_limits<int>::max())
        metafile.SetSize(metafile.Width(), static_cast<int>(bottom));
}

THoney_8::THoney_8() : TBaseHoney(TCrosswordKind::Honey8, std::make_unique<THoneyShablon_8>(1, 1)) {}

TRect THoney_8::CellBox(int x, int y, const TFastDrawParameters& parameters) const {
    const int s = std::max(parameters.Zoom, 1);
    const int px = s * (x - parameters.FirstColumn), py = s * (y - parameters.FirstRow);
    return {px, py, px + s, py + s};
}
