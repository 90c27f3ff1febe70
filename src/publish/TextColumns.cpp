#include "TextColumns.h"

#include <algorithm>
#include <string_view>

namespace {

// A heading stands half a line clear of the entries above it.
constexpr int HeadingSpacePercent = 50;

// Breaks text into lines no wider than width (the first line firstWidth), at blanks; a word wider
// than a whole line is broken where it must.
std::vector<std::string> BreakLines(std::string_view text, const TFont& font, int firstWidth, int width,
                                    const TTextMetrics& metrics) {
    std::vector<std::string> lines;
    std::string line;
    const auto room = [&] { return lines.empty() ? firstWidth : width; };
    const auto fits = [&](std::string_view candidate) { return metrics.TextWidth(font, candidate) <= room(); };
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = text.find(' ', start);
        if (end == std::string_view::npos) end = text.size();
        std::string word(text.substr(start, end - start));
        start = end + 1;
        if (word.empty()) continue;
        if (!line.empty() && fits(line + " " + word)) {
            line += " " + word;
            continue;
        }
        if (!line.empty()) lines.push_back(std::move(line));
        line.clear();
        while (word.size() > 1 && !fits(word)) {
            std::size_t keep = word.size() - 1;
            while (keep > 1 && !fits(std::string_view(word).substr(0, keep))) --keep;
            lines.push_back(word.substr(0, keep));
            word.erase(0, keep);
        }
        line = std::move(word);
    }
    if (!line.empty()) lines.push_back(std::move(line));
    return lines;
}

}  // namespace

TFont TListType::Font(bool bold) const {
    TFont font;
    font.Name = Face;
    font.Height = -Size;
    font.Bold = bold;
    return font;
}

std::vector<TSetBlock> SetEntries(const std::vector<TListEntry>& entries, const TListType& type, int width,
                                  const TTextMetrics& metrics) {
    const TFont normal = type.Font(false), bold = type.Font(true);
    const int space = metrics.TextWidth(normal, " ");
    // The numbers stand right-aligned in a column as wide as the widest of them.
    int labelWidth = 0;
    for (const TListEntry& entry : entries)
        if (!entry.Heading && !entry.Label.empty())
            labelWidth = std::max(labelWidth, metrics.TextWidth(bold, entry.Label));
    const int indent = labelWidth > 0 ? labelWidth + space : 0;

    std::vector<TSetBlock> blocks;
    for (const TListEntry& entry : entries) {
        TSetBlock block;
        if (entry.Heading) {
            block.SpaceBefore = type.Leading * HeadingSpacePercent / 100;
            block.KeepWithNext = true;
            for (std::string& line : BreakLines(entry.Text, bold, width, width, metrics))
                block.Lines.push_back({TSetRun{0, true, std::move(line)}});
            blocks.push_back(std::move(block));
            continue;
        }
        const std::vector<std::string> lines =
            BreakLines(entry.Text, normal, std::max(1, width - indent), std::max(1, width - indent), metrics);
        for (std::size_t i = 0; i < lines.size(); ++i) {
            std::vector<TSetRun> runs;
            if (i == 0 && !entry.Label.empty())
                runs.push_back({labelWidth - metrics.TextWidth(bold, entry.Label), true, entry.Label});
            runs.push_back({indent, false, lines[i]});
            block.Lines.push_back(std::move(runs));
        }
        if (block.Lines.empty() && !entry.Label.empty()) block.Lines.push_back({TSetRun{0, true, entry.Label}});
        blocks.push_back(std::move(block));
    }
    return blocks;
}

std::vector<TPlacedBlock> FlowBlocks(const std::vector<TSetBlock>& blocks, int leading,
                                     const std::function<TColumnFrame(int)>& frameAt,
                                     std::vector<TColumnFrame>& frames) {
    std::vector<TPlacedBlock> placed;
    frames.clear();
    if (blocks.empty()) return placed;
    frames.push_back(frameAt(0));
    int y = frames.back().Top;
    bool emptyFrame = true;
    const auto height = [&](std::size_t i) { return static_cast<int>(blocks[i].Lines.size()) * leading; };
    for (std::size_t i = 0; i < blocks.size(); ++i) {
        // A heading goes along with the block after it.
        const int need = height(i) + (blocks[i].KeepWithNext && i + 1 < blocks.size() ? height(i + 1) : 0);
        const int space = emptyFrame ? 0 : blocks[i].SpaceBefore;
        if (y + space + need > frames.back().Bottom) {
            // An empty frame is passed over only for a taller one (a column cut short by the grid).
            const TColumnFrame next = frameAt(static_cast<int>(frames.size()));
            if (!emptyFrame || next.Bottom - next.Top > frames.back().Bottom - frames.back().Top) {
                frames.push_back(next);
                y = next.Top;
                emptyFrame = true;
            }
        }
        y += emptyFrame ? 0 : blocks[i].SpaceBefore;
        placed.push_back({static_cast<int>(frames.size()) - 1, y});
        y += height(i);
        emptyFrame = false;
    }
    return placed;
}

void DrawBlock(TCanvas& canvas, const TSetBlock& block, const TListType& type, int x, int y) {
    canvas.Brush.Style = TBrushStyle::Clear;
    canvas.TextAlign = TTextAlign::Top;
    for (const std::vector<TSetRun>& line : block.Lines) {
        for (const TSetRun& run : line) {
            canvas.Font = type.Font(run.Bold);
            canvas.TextOut(x + run.X, y, run.Text);
        }
        y += type.Leading;
    }
}
