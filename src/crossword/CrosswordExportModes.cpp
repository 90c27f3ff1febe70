// The export modes' items: what the grid cells show per mode, the codeword table, the Italian
// labels and markers, the sapper texts and the shuffled blocks.

#include "Crossword.h"

#include "dictionary/CellFormat.h"
#include "export/ComExport.h"
#include "export/ScriptWriter.h"
#include "platform/Clock.h"
#include "platform/Metafile.h"
#include "platform/Text.h"
#include "platform/Ui.h"
#include "template/TextFitting.h"

#include <algorithm>
#include <cmath>
#include <optional>

namespace {

constexpr int64_t ExportUnits = 1000;
// Draws of a decoy letter before the last one is taken whatever it is.
constexpr int DecoyDraws = 35;
// Exchanges that shuffle the codeword numbers and the sapper letters.
constexpr int NumberExchanges = 201;
constexpr int SapperExchanges = 16;
// The Italian labels stand this far (times Scale) inside their cell-sized square.
constexpr int64_t LabelInset = 4000;
constexpr std::string_view CharsStyle = "CROSSWORD_CHARS";
constexpr std::string_view SapperStyle = "SAPPER_CHARS";
// The letters decoys and random letters come from when the dictionary has no alphabet.
constexpr std::string_view FallbackLetters = "абвгдеёжзийклмнопрстуфхчцшщъыьэюя"_cp;

// The used area and the move that brings it to the corner: every item is placed where the
// template's export put its cell.
struct TOrigin {
    int X = 0;
    int Y = 0;
    int EndX = 1;
    int EndY = 1;
    int DX = 0;
    int DY = 0;
};

TOrigin OriginOf(const TShablon& shablon) {
    TOrigin o;
    shablon.GetUsedBounds(o.X, o.Y, o.EndX, o.EndY);
    shablon.ExportMove(o.DX, o.DY);
    return o;
}

// The export position of cell (x, y) moved by (dx, dy).
void MovedCellToExport(const TShablon& shablon, int x, int y, int dx, int dy, int& ex, int& ey) {
    const auto [cx, cy] = shablon.MovedCell(x, y, dx, dy);
    shablon.CellToExport(cx, cy, ex, ey);
}

std::string_view LetterSource(const TWorkDictionary& dictionary) {
    return dictionary.Alphabet.empty() ? FallbackLetters : std::string_view(dictionary.Alphabet);
}

char RandomLetter(std::string_view letters) {
    return letters[RandomInt(static_cast<int>(letters.size()))];
}

// The letter a letter cell exports: its text, or with FILL_EMPTY a random letter for an empty
// cell; empty for other cells unless words pass through them and one has put its letter there.
std::string ExportedLetter(const TCrossword& crossword, int x, int y, std::string_view letters) {
    if (!crossword.Template->IsLetterCell(x, y))
        return crossword.AllCellsHoldLetters && !crossword.IsCellEmpty(x, y) ? crossword.CellText(x, y) : std::string();
    if (!crossword.IsCellEmpty(x, y)) return crossword.CellText(x, y);
    return crossword.Chars.FillEmpty ? std::string(1, RandomLetter(letters)) : std::string();
}

// Measures the few cell texts that need wrapping; made on first use.
class TLetterLayout {
public:
    std::string Wrap(std::string_view text, const TFormatParameters& format, int32_t width, int32_t height) {
        if (text.size() <= 3) return std::string(text);
        if (!mCanvas) {
            mScratch.emplace(0, 0, CairoTextMetrics());
            mCanvas.emplace(*mScratch);
        }
        const TRect rect{0, 0, static_cast<int>(width / ExportUnits), static_cast<int>(height / ExportUnits)};
        return WrapCellText(*mCanvas, text, rect, format);
    }

private:
    std::optional<TMetafile> mScratch;
    std::optional<TCanvas> mCanvas;
};

}  // namespace

// ---- shared geometry of the letter items ----

namespace {

// The fields of a letter text in a cell at (ex, ey): the cell less inset on every side when the
// letters are centred, else the cell with the letter record's offsets from its top left.
TBlockFields LetterFields(const TCrossword& crossword, int32_t ex, int32_t ey, int32_t width, int32_t height,
                          int64_t inset) {
    const TShablon& t = *crossword.Template;
    TBlockFields f;
    f.Name = CharsStyle;
    f.Flag = crossword.Chars.Center;
    if (crossword.Chars.Center) {
        f.X = ToEditorRange(ex + inset);
        f.Y = ToEditorRange(ey - inset);
        f.X2 = ToEditorRange(width - 2 * inset);
        f.Y2 = ToEditorRange(height - 2 * inset);
    } else {
        const int64_t unit = int64_t{t.Scale} * ExportUnits;
        f.X = ex;
        f.Y = ey;
        f.Param1 = ToEditorRange(unit * crossword.Chars.DX);
        f.Param2 = ToEditorRange(unit * crossword.Chars.DY);
        f.X2 = ToEditorRange(int64_t{width} - f.Param1);
        f.Y2 = ToEditorRange(int64_t{height} - f.Param2);
    }
    return f;
}

TFormatParameters LetterFormat(const TCrossword& crossword) {
    TFormatParameters format;
    format.FontName = crossword.Chars.FontName;
    format.FontSize = crossword.Chars.FontSize;
    format.Bold = crossword.Chars.Bold;
    format.Italic = crossword.Chars.Italic;
    format.FontColor = crossword.Chars.FontColor;
    return format;
}

int64_t CellWidth(const TShablon& t) { return int64_t{t.GetCellPixelWidth()} * ExportUnits; }
int64_t CellHeight(const TShablon& t) { return int64_t{t.GetCellPixelHeight()} * ExportUnits; }
int64_t PenUnits(const TShablon& t) { return int64_t{t.PenWidth} * t.Scale * ExportUnits; }

// The letter items of the grid and of the blocks: cells of the template's size, their texts
// inside the pen, wrapped when they need it, in the letter format.
class TLetterItems {
public:
    explicit TLetterItems(const TCrossword& crossword)
        : mCrossword(crossword),
          mWidth(CellWidth(*crossword.Template)),
          mHeight(CellHeight(*crossword.Template)),
          mPen(PenUnits(*crossword.Template)),
          mFormat(LetterFormat(crossword)),
          mLetters(LetterSource(crossword.Dictionary)) {}

    // The fields of a letter text in the cell (or in columns x 1 of the cell's width) whose
    // corner is (ex, ey).
    TBlockFields Fields(int32_t ex, int32_t ey, int64_t width) const {
        return LetterFields(mCrossword, ex, ey, ToEditorRange(width), ToEditorRange(mHeight), mPen);
    }
    TBlockFields Fields(int32_t ex, int32_t ey) const { return Fields(ex, ey, mWidth); }
    void Add(TComExport& list, int32_t ex, int32_t ey, const std::string& text) {
        const TBlockFields fields = Fields(ex, ey);
        list.AddTextBlock(fields, mLayout.Wrap(text, mFormat, fields.X2, fields.Y2));
    }
    std::string Letter(int x, int y) const { return ExportedLetter(mCrossword, x, y, mLetters); }
    std::string_view Letters() const { return mLetters; }
    int64_t Width() const { return mWidth; }
    int64_t Height() const { return mHeight; }

private:
    const TCrossword& mCrossword;
    int64_t mWidth;
    int64_t mHeight;
    int64_t mPen;
    TFormatParameters mFormat;
    std::string_view mLetters;
    TLetterLayout mLayout;
};

}  // namespace

// ---- the grid ----

void TCrossword::BuildModeExport(TComExport& list, int mode) {
    if (mode != 5) ExportCrosswordScript(list, mode);
    switch (mode) {
        case 2: ExportKeywordScript(list); break;
        case 4: ExportItalianScript(list); break;
        case 5: ExportBlocksScript(list); break;
        case 6: ExportSapperScript(list); break;
        default: break;
    }
    if (ExportPass) ExportPass(*this, list);
}

namespace {

// The letter with a decoy drawn from letters that the text does not hold yet, at a random place.
std::string WithDecoy(std::string text, std::string_view letters) {
    char decoy = 0;
    for (int draw = 0; draw < DecoyDraws; ++draw) {
        decoy = RandomLetter(letters);
        if (text.find(decoy) == std::string::npos) break;
    }
    text.insert(text.begin() + RandomInt(static_cast<int>(text.size()) + 1), decoy);
    return text;
}

}  // namespace

bool TCrossword::IsGivenCell(int x, int y, std::string_view letter) const {
    if (GivenLetters.Contains(letter)) return true;
    if (GivenWords.Count() == 0) return false;
    for (const int slot : SlotsThroughCell(x, y))
        if (Words.SlotFilled(slot) && GivenWords.Contains(Words.SlotWord(slot))) return true;
    return false;
}

void TCrossword::ExportCrosswordScript(TComExport& list, int mode) {
    if (mode == 2) NumberLetters();
    Template->BuildExport(list);
    if (!Template->ExportFits()) return;
    list.AddCaption("Экспорт в формате CDR. Кроссворд..."_cp);
    const TShablon& t = *Template;
    const TOrigin o = OriginOf(t);
    TLetterItems items(*this);
    const bool fragments = Dictionary.CellFormat() == CellFormatPiecesWithFragments && Chars.ShowFragments &&
                           mode != 2 && mode != 3;
    const auto upper = [&](const std::string& text) { return Chars.CapitalLetters ? Dictionary.ToUpperText(text) : text; };
    for (int x = o.X; x < o.EndX; ++x)
        for (int y = o.Y; y < o.EndY; ++y) {
            const std::string letter = items.Letter(x, y);
            if (letter.empty()) continue;
            std::string text;
            switch (mode) {
                case 0: text = upper(letter); break;
                case 1:
                case 4:
                case 6:
                    if (IsGivenCell(x, y, letter)) text = upper(letter);
                    break;
                case 2: {
                    const int i = LetterCounts.IndexOf(letter);
                    text = i >= 0 ? std::to_string(LetterCounts.LetterNumber(i)) : "?";
                    break;
                }
                case 3: text = upper(WithDecoy(letter, items.Letters())); break;
                default: break;
            }
            if (text.empty()) continue;
            int ex = 0, ey = 0;
            MovedCellToExport(t, x, y, o.DX, o.DY, ex, ey);
            if (fragments) {
                const int f = Dictionary.Fragments().IndexOfFragment(letter);
                if (f >= 0) {
                    TBlockFields picture = items.Fields(ex, ey);
                    picture.Flag = true;
                    list.AddPicture(picture, Dictionary.Fragments().FragmentValue(f));
                    continue;
                }
            }
            if (mode == 3 && Dictionary.CellFormat() == CellFormatSingle && text.size() == 2) {
                const int64_t half = items.Width() / 2;
                list.AddTextBlock(items.Fields(ex, ey, half), text.substr(0, 1));
                list.AddTextBlock(items.Fields(ToEditorRange(ex + half), ey, items.Width() - half), text.substr(1, 1));
                list.AddLine(ToEditorRange(ex + half), ey, ToEditorRange(ex + half), ToEditorRange(ey - items.Height()),
                             "CHAR_POLE");
                continue;
            }
            items.Add(list, ex, ey, text);
        }
    if (mode == 4) ExportMarkedWordsScript(list);
}

// ---- the codeword table ----

void TCrossword::NumberLetters() {
    TCharsCount counts;
    CountLetters(counts);
    int highest = 0;
    for (int i = 0; i < LetterCounts.Count(); ++i) highest = std::max(highest, LetterCounts.LetterNumber(i));
    // New letters, most frequent first (the first of equal frequencies).
    std::vector<int> fresh;
    for (int i = 0; i < counts.Count(); ++i)
        if (LetterCounts.IndexOf(counts.Letter(i)) < 0) fresh.push_back(i);
    std::stable_sort(fresh.begin(), fresh.end(),
                     [&](int l, int r) { return counts.CountOf(l) > counts.CountOf(r); });
    for (const int i : fresh) {
        // The highest number + 1, so that a number freed by a leaving letter is never reused.
        LetterCounts.AddCount(counts.Letter(i), ++highest);
        const int added = LetterCounts.IndexOf(counts.Letter(i));
        if (added < 0) {
            TheUi().Message("Неопознанная ошибка!"_cp);
            return;
        }
        LetterCounts.SetPrinted(added, false);
    }
    for (int i = LetterCounts.Count() - 1; i >= 0; --i)
        if (counts.IndexOf(LetterCounts.Letter(i)) < 0) LetterCounts.Delete(i);
    if (!Output.ShuffleNumbers || LetterCounts.Count() == 0) return;
    for (int k = 0; k < NumberExchanges; ++k) {
        const int i = RandomInt(LetterCounts.Count()), j = RandomInt(LetterCounts.Count());
        if (LetterCounts.Printed(i) || LetterCounts.Printed(j)) continue;
        const int n = LetterCounts.LetterNumber(i);
        LetterCounts.SetLetterNumber(i, LetterCounts.LetterNumber(j));
        LetterCounts.SetLetterNumber(j, n);
    }
}

void TCrossword::ExportKeywordScript(TComExport& list) {
    if (Chars.NoPaint || !Template->ExportFits()) return;
    list.AddCaption("Экспорт в формате CDR. Кейворд..."_cp);
    const TShablon& t = *Template;
    std::vector<int> order(LetterCounts.Count());
    for (int i = 0; i < LetterCounts.Count(); ++i) order[i] = i;
    std::stable_sort(order.begin(), order.end(),
                     [&](int l, int r) { return LetterCounts.LetterNumber(l) < LetterCounts.LetterNumber(r); });
    const bool keyWordTable = t.KeyWordAllowed && t.ShowKeyWordTable && !t.KeyWordCellLook.NoPaint;
    const int firstRow = Height + (keyWordTable ? 3 : 1);
    const int64_t a = CellWidth(t), b = CellHeight(t), pen = PenUnits(t);
    for (int k = 0; k < static_cast<int>(order.size()); ++k) {
        const int i = order[k];
        const int column = k % Width, row = firstRow + 2 * (k / Width);
        int ex = 0, ey = 0, lx = 0, ly = 0;
        t.CellToExport(column, row, ex, ey);
        t.CellToExport(column, row + 1, lx, ly);
        list.AddCell(ex, ey, false, CellKind::Letter);
        list.AddCell(lx, ly, false, CellKind::Letter);
        list.AddTextBlock(LetterFields(*this, ex, ey, ToEditorRange(a), ToEditorRange(b), pen / 2),
                          std::to_string(LetterCounts.LetterNumber(i)));
        if (LetterCounts.Printed(i)) {
            const std::string& letter = LetterCounts.Letter(i);
            list.AddTextBlock(LetterFields(*this, lx, ly, ToEditorRange(a), ToEditorRange(b), pen / 2),
                              Chars.CapitalLetters ? Dictionary.ToUpperText(letter) : letter);
        }
    }
}

// ---- the Italian puzzle ----

void TCrossword::ExportItalianScript(TComExport& list) {
    if (!Template->ExportFits()) return;
    list.AddCaption("Экспорт в формате CDR. Итальянский..."_cp);
    const TShablon& t = *Template;
    const TOrigin o = OriginOf(t);
    const int64_t a = CellWidth(t), b = CellHeight(t), p = PenUnits(t), h = p / 2;
    const int64_t inset = h + LabelInset * t.Scale;
    TBlockFields box;
    box.Name = CharsStyle;
    box.Flag = true;
    box.Param1 = box.Param2 = ToEditorRange(h);
    box.X2 = ToEditorRange(a - p - 2 * LabelInset * t.Scale);
    box.Y2 = ToEditorRange(b - p - 2 * LabelInset * t.Scale);
    const auto label = [&](int n, uint8_t alphabet) {
        const std::string text = LabelText(n, alphabet);
        return Chars.CapitalLetters ? Dictionary.ToUpperText(text) : text;
    };
    for (int n = 0; n < o.EndX - o.X; ++n) {
        box.X = ToEditorRange(n * a + inset);
        box.Y = ToEditorRange(b + inset);
        list.AddTextBlock(box, label(n + 1, Output.ColumnLabels));
    }
    for (int n = 0; n < o.EndY - o.Y; ++n) {
        box.X = ToEditorRange(-a - inset);
        box.Y = ToEditorRange(-n * b - inset);
        list.AddTextBlock(box, label(n + 1, Output.RowLabels));
    }
}

void TCrossword::ExportMarkedWordsScript(TComExport& list) {
    const TShablon& t = *Template;
    const TOrigin o = OriginOf(t);
    std::vector<TCell> marked;
    const auto mark = [&](int x, int y) {
        if (x < 0 || y < 0 || x >= Width || y >= Height) return;
        if (std::find(marked.begin(), marked.end(), TCell{static_cast<uint8_t>(x), static_cast<uint8_t>(y)}) !=
            marked.end())
            return;
        marked.push_back(TCell{static_cast<uint8_t>(x), static_cast<uint8_t>(y)});
        int ex = 0, ey = 0;
        MovedCellToExport(t, x, y, o.DX, o.DY, ex, ey);
        list.AddMarker(ex, ey);
    };
    for (int slot = 0; slot < Words.Count(); ++slot) {
        if (!Words.SlotFilled(slot) || !GivenWords.Contains(Words.SlotWord(slot))) continue;
        const TCoord cells = SlotCells(slot);
        if (cells.Count() == 0) continue;
        const TCell& first = cells.Cell(0);
        const TCell& last = cells.Cell(cells.Count() - 1);
        const std::string_view path = Words.WordPath(slot);
        if (!path.empty() && path[0] == '6') {
            mark(first.x - 1, first.y);
            mark(last.x + 1, last.y);
        } else {
            mark(first.x, first.y - 1);
            mark(last.x, last.y + 1);
        }
    }
    std::vector<TCell> free;
    for (int x = 0; x < Width; ++x)
        for (int y = 0; y < Height; ++y) {
            const TCell cell{static_cast<uint8_t>(x), static_cast<uint8_t>(y)};
            if (!t.IsLetterCell(x, y) && std::find(marked.begin(), marked.end(), cell) == marked.end())
                free.push_back(cell);
        }
    while (static_cast<int>(marked.size()) < Output.HintMarkerCount && !free.empty()) {
        const int pick = RandomInt(static_cast<int>(free.size()));
        const TCell cell = free[pick];
        free.erase(free.begin() + pick);
        mark(cell.x, cell.y);
    }
}

// ---- the sapper puzzle ----

std::string TCrossword::SapperText(int x, int y) const {
    std::vector<std::string> letters;
    for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx) {
            const int nx = x + dx, ny = y + dy;
            if ((dx == 0 && dy == 0) || nx < 0 || ny < 0 || nx >= Width || ny >= Height) continue;
            if (!Template->IsLetterCell(nx, ny) || IsCellEmpty(nx, ny)) continue;
            letters.push_back(Chars.CapitalLetters ? Dictionary.ToUpperText(CellText(nx, ny)) : CellText(nx, ny));
        }
    if (!letters.empty())
        for (int k = 0; k < SapperExchanges; ++k)
            std::swap(letters[RandomInt(static_cast<int>(letters.size()))],
                      letters[RandomInt(static_cast<int>(letters.size()))]);
    const bool joined = !IsSingleCharFormat(Dictionary.CellFormat());
    std::string text;
    for (const std::string& letter : letters) text += (joined && !text.empty() ? "-" : "") + letter;
    if (!joined && text.size() > 3) text.insert(static_cast<std::size_t>(std::nearbyint(text.size() / 2.0)), "\r\n");
    return text;
}

void TCrossword::ExportSapperScript(TComExport& list) {
    if (!Template->ExportFits()) return;
    list.AddCaption("Экспорт в формате CDR. Сапер..."_cp);
    const TShablon& t = *Template;
    const TOrigin o = OriginOf(t);
    const int64_t a = CellWidth(t), b = CellHeight(t), pen = PenUnits(t);
    for (int x = o.X; x < o.EndX; ++x)
        for (int y = o.Y; y < o.EndY; ++y) {
            if (t.IsLetterCell(x, y)) continue;
            const std::string text = SapperText(x, y);
            if (text.empty()) continue;
            int ex = 0, ey = 0;
            MovedCellToExport(t, x, y, o.DX, o.DY, ex, ey);
            TBlockFields f;
            f.X = ex;
            f.Y = ey;
            f.X2 = ToEditorRange(a);
            f.Y2 = ToEditorRange(b);
            f.Flag = true;
            if (Sapper.ShowPicture && !Sapper.PictureFileName.empty()) list.AddPicture(f, Sapper.PictureFileName);
            f.Name = SapperStyle;
            f.Flag = SapperFormat.Alignment == 2;
            f.X = ToEditorRange(ex + pen);
            f.Y = ToEditorRange(ey - pen);
            f.X2 = ToEditorRange(a - 2 * pen);
            f.Y2 = ToEditorRange(b - 2 * pen);
            list.AddFormattedText(f, text, SapperFormat);
        }
}

// ---- shuffled blocks ----

void TCrossword::ExportBlocksScript(TComExport& list) {
    const int bw = std::max<int>(Template->WordBlockWidth, 1), bh = std::max<int>(Template->WordBlockHeight, 1);
    std::vector<TCellBlock> blocks;
    for (int y = 0; y < Height; y += bh)
        for (int x = 0; x < Width; x += bw) blocks.push_back(TCellBlock{x, y, bw, bh, 0, 0});
    const int count = static_cast<int>(blocks.size());
    for (int k = 0; k < Width * Height + 1; ++k)
        std::swap(blocks[RandomInt(count)], blocks[RandomInt(count)]);
    ExportCellsScript(list, blocks);
}

std::vector<TCellBlock> TCrossword::PlacedBlocks(const std::vector<TCellBlock>& blocks) const {
    const int bw = std::max<int>(Template->WordBlockWidth, 1), bh = std::max<int>(Template->WordBlockHeight, 1);
    const int across = std::max((Width + bw - 1) / bw, 1);
    std::vector<TCellBlock> placed = blocks;
    for (int k = 0; k < static_cast<int>(placed.size()); ++k) {
        const int column = k % across, row = k / across;
        placed[k].DX = column * (bw + 1) - placed[k].X;
        placed[k].DY = row * (bh + 1) - placed[k].Y;
    }
    return placed;
}

void TCrossword::ExportCellsScript(TComExport& list, const std::vector<TCellBlock>& blocks) {
    if (!Template->ExportFits()) return;
    const std::vector<TCellBlock> placed = PlacedBlocks(blocks);
    Template->BuildWordExport(list, placed);
    list.AddCaption("Экспорт в формате CDR. Кроссворд..."_cp);
    const TShablon& t = *Template;
    const TOrigin o = OriginOf(t);
    TLetterItems items(*this);
    for (const TCellBlock& block : placed)
        for (int x = block.X; x < block.X + block.Width && x < Width; ++x)
            for (int y = block.Y; y < block.Y + block.Height && y < Height; ++y) {
                std::string letter = items.Letter(x, y);
                if (letter.empty()) continue;
                if (Chars.CapitalLetters) letter = Dictionary.ToUpperText(letter);
                int ex = 0, ey = 0;
                MovedCellToExport(t, x, y, block.DX - o.X, block.DY - o.Y, ex, ey);
                items.Add(list, ex, ey, letter);
            }
}
