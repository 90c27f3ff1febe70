#include "TextFitting.h"

#include "dictionary/Syllables.h"
#include "dictionary/TextHelpers.h"
#include "platform/Metafile.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <memory>
#include <vector>

namespace {

constexpr std::string_view LineBreak = "\r\n";
// Texts are measured at this many times the size of their rectangle.
constexpr int Oversampling = 4;
// Points to canvas units.
constexpr double UnitsPerPoint = 3.58;

// Rounds halves to the even neighbour.
int64_t RoundEven(double value) {
    return std::llrint(value);
}

// Long texts at wide fonts measure beyond the int range: sizes are computed in 64 bits and held
// to it.
int ClampToInt(int64_t value) {
    return static_cast<int>(std::clamp<int64_t>(value, INT_MIN, INT_MAX));
}

void SetFormatFont(TCanvas& canvas, const TFormatParameters& format, int height) {
    canvas.Font.Charset = FontCharset(format.CharSet);
    canvas.Font.Name = format.FontName;
    canvas.Font.Bold = format.Bold;
    canvas.Font.Italic = format.Italic;
    canvas.Font.Height = height;
}

std::vector<std::string_view> SplitLines(std::string_view text) {
    std::vector<std::string_view> lines;
    for (std::size_t at = 0;;) {
        const std::size_t end = text.find(LineBreak, at);
        lines.push_back(text.substr(at, end == std::string_view::npos ? std::string_view::npos : end - at));
        if (end == std::string_view::npos) return lines;
        at = end + LineBreak.size();
    }
}

std::vector<std::string_view> Words(std::string_view text) {
    std::vector<std::string_view> words;
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t end = std::min(text.find(' ', at), text.size());
        if (end > at) words.push_back(text.substr(at, end - at));
        at = end + 1;
    }
    return words;
}

// Lays the words out line by line at the canvas font.
class TCellLayout {
public:
    TCellLayout(TCanvas& canvas, int maxWidth, int maxHeight, const TFormatParameters& format)
        : mCanvas(canvas), mMaxWidth(maxWidth), mMaxHeight(maxHeight), mFormat(format) {}

    std::optional<std::string> Lay(const std::vector<std::string_view>& words) {
        const int letter = mCanvas.TextHeight();
        const int step = static_cast<int>(RoundEven(static_cast<double>(letter) * mFormat.Interline / 100));
        int used = letter;
        if (used > mMaxHeight) return std::nullopt;
        std::string result, line, part;
        for (std::size_t next = 0;;) {
            if (part.empty()) {
                if (next == words.size()) return result + line;
                part = mFormat.HFlag ? MarkSyllables(words[next]) : std::string(words[next]);
                ++next;
            }
            const std::string head = line.empty() ? line : line + " ";
            std::string piece;
            // The longest piece of the part that fits, and the last break in it: the length of
            // the piece before the break and the break character's place in the part.
            std::size_t breakLength = 0, breakAt = 0, k = 0;
            for (; k < part.size() && Fits(head, piece, part[k]); ++k) {
                if (part[k] == '~' || part[k] == '-') {
                    breakLength = piece.size();
                    breakAt = k;
                }
                if (part[k] != '~') piece += part[k];
            }
            if (k == part.size()) {
                line = head + piece;
                part.clear();
                continue;
            }
            // A break after the first character is never taken.
            if (breakLength > 1) {
                result += head + piece.substr(0, breakLength) + "-" + std::string(LineBreak);
                part.erase(0, breakAt + 1);
            } else if (line.empty()) {
                return std::nullopt;
            } else {
                result += line + std::string(LineBreak);
            }
            line.clear();
            used += step;
            if (used > mMaxHeight) return std::nullopt;
        }
    }

private:
    // Whether head + piece + c is within the line's characters and, scaled, its width.
    bool Fits(const std::string& head, const std::string& piece, char c) const {
        if (head.size() + piece.size() >= mFormat.SPercent) return false;
        const int width = mCanvas.TextWidth(head + piece + c);
        return RoundEven(static_cast<double>(width) * mFormat.FontWidth / 100) <= mMaxWidth;
    }

    TCanvas& mCanvas;
    int mMaxWidth;
    int mMaxHeight;
    const TFormatParameters& mFormat;
};

}  // namespace

uint8_t FontCharset(uint8_t charSet) {
    constexpr uint8_t RussianCharset = 204, AnsiCharset = 0, DefaultCharset = 1;
    return charSet == 0 ? RussianCharset : charSet == 1 ? AnsiCharset : DefaultCharset;
}

std::optional<std::string> LayoutCellText(TCanvas& canvas, std::string_view text, int maxWidth, int maxHeight,
                                          const TFormatParameters& format, int height) {
    SetFormatFont(canvas, format, height);
    return TCellLayout(canvas, maxWidth, maxHeight, format).Lay(Words(TrimBlanks(text)));
}

std::string WrapCellText(TCanvas& canvas, std::string_view text, const TRect& rect, const TFormatParameters& format) {
    const int maxWidth = Oversampling * rect.Width(), maxHeight = Oversampling * rect.Height();
    text = TrimBlanks(text);
    if (text.size() <= 3) return std::string(text);
    // A size of 0 would be the canvas's default size, above the top of the search.
    const int top = Oversampling * std::max<int>(format.FontSize, 1);
    SetFormatFont(canvas, format, top);
    if (format.Z) {
        std::string lines;
        for (const char c : text) lines += c == '~' ? std::string(LineBreak) : std::string(1, c);
        return lines;
    }

    const std::vector<std::string_view> words = Words(text);
    TCellLayout layout(canvas, maxWidth, maxHeight, format);
    const auto layAt = [&](int height) {
        canvas.Font.Height = height;
        return layout.Lay(words);
    };
    // The largest height from 3 to the top at which the words fit, by halving.
    std::optional<std::string> lines = layAt(top);
    if (lines) return *lines;
    int lo = 3, hi = top;
    lines = layAt(lo);
    if (!lines) return {};
    while (hi - lo >= 2) {
        const int height = (hi + lo) / 2;
        std::optional<std::string> tried = layAt(height);
        if (tried) {
            lo = height;
            lines = std::move(tried);
        } else {
            hi = height;
        }
    }
    canvas.Font.Height = lo;
    return *lines;
}

void DrawTextBlock(TCanvas& canvas, std::string_view text, const TRect& rect, const TFormatParameters& format,
                   bool centred, bool wrap, double& fontSize) {
    fontSize = 0;
    std::string wrapped;
    if (wrap) {
        wrapped = WrapCellText(canvas, text, rect, format);
        text = wrapped;
    }
    const int boxWidth = rect.Right - rect.Left + 1, boxHeight = rect.Bottom - rect.Top + 1;
    if (text.empty() || rect.Right <= rect.Left || rect.Bottom <= rect.Top) return;

    auto block = std::make_shared<TMetafile>(0, 0, canvas.Metrics());
    TCanvas blockCanvas(*block);
    SetFormatFont(blockCanvas, format, std::max<int>(format.FontSize, 1));
    blockCanvas.Font.Color = format.FontColor.ToRgb();
    blockCanvas.Brush.Style = TBrushStyle::Clear;
    const std::vector<std::string_view> lines = SplitLines(text);
    int blockWidth = 0;
    for (const std::string_view line : lines) blockWidth = std::max(blockWidth, blockCanvas.TextWidth(line));
    const int lineHeight = blockCanvas.TextHeight();
    const int64_t pitch = RoundEven(static_cast<double>(format.Interline) * lineHeight / 100);
    const int blockHeight = ClampToInt(
        RoundEven(static_cast<double>(lines.size() - 1) * lineHeight * format.Interline / 100) + lineHeight -
        blockCanvas.InternalLeading());
    if (blockWidth <= 0 || blockHeight <= 0) return;
    block->SetSize(blockWidth, blockHeight);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const int x = centred ? (blockWidth - blockCanvas.TextWidth(lines[i])) / 2 : 0;
        blockCanvas.TextOut(x, ClampToInt(static_cast<int64_t>(i) * pitch), lines[i]);
    }

    const int64_t scaledWidth = int64_t{format.FontWidth} * blockWidth / 100;
    double ratio = 1;
    if (scaledWidth > boxWidth || blockHeight > boxHeight)
        ratio = std::max(static_cast<double>(scaledWidth) / boxWidth, static_cast<double>(blockHeight) / boxHeight);
    fontSize = std::max<int>(format.FontSize, 1) / (ratio * UnitsPerPoint);
    const int width = ClampToInt(RoundEven(static_cast<double>(scaledWidth) / ratio));
    const int height = ClampToInt(RoundEven(blockHeight / ratio));
    int left = rect.Left, top = rect.Top;
    if (centred) {
        left += (rect.Right - rect.Left - width) / 2;
        top += (rect.Bottom - rect.Top - height) / 2;
    }
    canvas.StretchDraw(TRect{left, top, left + width, top + height}, std::shared_ptr<const TMetafile>(block));
}

void DrawFittedText(TCanvas& canvas, std::string_view text, const TRect& rect, int height, bool centred) {
    const int boxWidth = rect.Right - rect.Left, boxHeight = rect.Bottom - rect.Top;
    if (boxWidth <= 0 || boxHeight <= 0) return;
    canvas.Font.Height = -height;
    int textWidth = canvas.TextWidth(text), textHeight = canvas.TextHeight();
    const double ratio = std::max(static_cast<double>(textWidth) / boxWidth, static_cast<double>(textHeight) / boxHeight);
    if (ratio > 1) {
        canvas.Font.Height = -std::max(1, static_cast<int>(height / ratio));
        textWidth = canvas.TextWidth(text);
        textHeight = canvas.TextHeight();
    }
    if (centred)
        canvas.TextOut(rect.Left + (boxWidth - textWidth) / 2, rect.Top + (boxHeight - textHeight) / 2, text);
    else
        canvas.TextOut(rect.Left, rect.Top, text);
}
