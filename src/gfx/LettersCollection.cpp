#include "LettersCollection.h"

#include "platform/Ui.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace {

constexpr int LoadMessageInterval = 20;  // pictures between two runs of the window's messages

// The character code a glyph picture's name stands for.
unsigned char CodeOfName(const std::string& name) {
    long long value = 0;
    const auto [end, error] = std::from_chars(name.data(), name.data() + name.size(), value);
    if (error != std::errc() || end != name.data() + name.size()) return 0;
    return static_cast<unsigned char>(((value % 256) + 256) % 256);
}

TColor32 Scaled(TColor32 color, double level) {
    const auto channel = [&](int shift) {
        return static_cast<TColor32>(std::nearbyint(((color >> shift) & 0xFF) * level)) << shift;
    };
    return channel(16) | channel(8) | channel(0);
}

}  // namespace

TLettersCollection::TLettersCollection() {
    for (auto& set : mGlyphTable) set.fill(-1);
}

void TLettersCollection::LoadGlyphSet(const TGraphCollection& source, const TGlyphEffect& effect, int set) {
    if (set < 0 || set >= GlyphSets) return;
    for (int i = 0; i < source.Count() && Count() < MaxGlyphs; ++i) {
        const int index = AddFromDIB(MakeGlyph(source.Picture(i).Pixels(), effect));
        Surface(index).SetTransparentColor(0);
        mGlyphTable[set][CodeOfName(source.Name(i))] = index;
        if (i % LoadMessageInterval == 0) TheUi().ProcessMessages();
    }
}

TDIB TLettersCollection::MakeGlyph(const TDIB& source, const TGlyphEffect& effect) {
    const int w = source.Width(), h = source.Height();
    const auto isSet = [&](int x, int y) { return source.Pixel(x, y) != 0; };
    switch (effect.Kind) {
        case TGlyphEffectKind::Copy: return source;
        case TGlyphEffectKind::Plain: {
            TDIB out(w, h);
            for (int x = 0; x < w; ++x)
                for (int y = 0; y < h; ++y)
                    if (isSet(x, y)) out.SetPixel(x, y, effect.Color1);
            return out;
        }
        case TGlyphEffectKind::Shadowed: {
            TDIB out(w + 1, h + 1);
            for (int x = 0; x < w; ++x)
                for (int y = 0; y < h; ++y)
                    if (isSet(x, y)) {
                        out.SetPixel(x, y, effect.Color1);
                        out.SetPixel(x + 1, y + 1, effect.Color2);
                    }
            return out;
        }
        case TGlyphEffectKind::Outlined: {
            TDIB out(w + 2, h + 2);
            for (int x = 0; x < w; ++x)
                for (int y = 0; y < h; ++y)
                    if (isSet(x, y)) {
                        out.SetPixel(x, y + 1, effect.Color2);
                        out.SetPixel(x + 2, y + 1, effect.Color2);
                        out.SetPixel(x + 1, y, effect.Color2);
                        out.SetPixel(x + 1, y + 2, effect.Color2);
                    }
            for (int x = 0; x < w; ++x)
                for (int y = 0; y < h; ++y)
                    if (isSet(x, y)) out.SetPixel(x + 1, y + 1, effect.Color1);
            return out;
        }
        case TGlyphEffectKind::Shaded: {
            TDIB out(w, h);
            for (int x = 0; x < w; ++x)
                for (int y = 0; y < h; ++y) {
                    const double level = (source.Pixel(x, y) & 0xFF) / 255.0;
                    if (level > 0.5) out.SetPixel(x + 1, y + 1, Scaled(effect.Color1, level));
                }
            return out;
        }
    }
    return source;
}

template <typename Visit>
void TLettersCollection::ForEachGlyph(std::string_view text, Visit visit) const {
    int set = 0;
    bool pending = false;
    for (const char c : text) {
        if (pending && c != '&') {
            set = c >= '0' && c <= '9' ? c - '0' : 0;
            pending = false;
        } else if (c != '&' || pending) {
            const int glyph = mGlyphTable[set][static_cast<unsigned char>(c)];
            visit(glyph < Count() ? glyph : -1);
            pending = false;
        } else {
            pending = true;
        }
    }
}

std::vector<int> TLettersCollection::ParseMarkup(std::string_view text) const {
    std::vector<int> glyphs;
    ForEachGlyph(text, [&](int glyph) { glyphs.push_back(glyph); });
    return glyphs;
}

int TLettersCollection::TextWidth(std::string_view text) const {
    int width = 0;
    ForEachGlyph(text, [&](int glyph) { width += glyph < 0 ? MissingAdvance : Surface(glyph).Width() + GlyphSpacing; });
    return width;
}

int TLettersCollection::TextHeight(std::string_view text) const {
    int height = 0;
    ForEachGlyph(text, [&](int glyph) {
        if (glyph >= 0) height = std::max(height, Surface(glyph).Height());
    });
    return height;
}

void TLettersCollection::DrawText(TDirectDrawSurface& target, int x, int y, std::string_view text, THorzAlign horz,
                                  TVertAlign vert) const {
    int column = x;
    if (horz == THorzAlign::Center) column = x - TextWidth(text) / 2;
    if (horz == THorzAlign::Right) column = x - TextWidth(text);
    int row = y;
    if (vert == TVertAlign::Center) row = y - TextHeight(text) / 2;
    if (vert == TVertAlign::Bottom) row = y - TextHeight(text);
    ForEachGlyph(text, [&](int glyph) {
        if (glyph < 0) {
            column += MissingAdvance;
            return;
        }
        const TDirectDrawSurface& surface = Surface(glyph);
        surface.Draw(target, column, row, TBlit::Keyed);
        column += surface.Width() + GlyphSpacing;
    });
}
