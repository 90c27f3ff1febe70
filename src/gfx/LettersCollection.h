#pragma once

// TLettersCollection: the glyphs texts are drawn with, in up to ten coloured sets, and the
// text engine on top of them. A text is one byte per character; "&" and a digit switch the
// glyph set in mid-text ("&&" draws one "&"). Every glyph surface has black as its
// transparent colour.

#include "SurfaceCollection.h"

#include "platform/GraphCollection.h"

#include <array>
#include <cstdint>
#include <string_view>
#include <vector>

// How a glyph picture becomes a coloured glyph. The numbers are those of the effect kinds.
enum class TGlyphEffectKind : uint8_t {
    Copy = 0,      // the picture as it is
    Plain = 1,     // colour 1 where the picture is set
    Shadowed = 2,  // colour 1 with a one-pixel shadow down and right in colour 2 (one pixel larger)
    Outlined = 3,  // colour 1 inside a one-pixel outline in colour 2 (two pixels larger)
    Shaded = 4,    // colour 1 scaled by the picture's blue level, moved one pixel down and right
};

struct TGlyphEffect {
    TGlyphEffectKind Kind = TGlyphEffectKind::Copy;
    TColor32 Color1 = 0;
    TColor32 Color2 = 0;
};

enum class THorzAlign : uint8_t { Left = 0, Center = 1, Right = 2 };
enum class TVertAlign : uint8_t { Center = 1, Top = 3, Bottom = 4 };

class TLettersCollection : public TSurfaceCollection {
public:
    static constexpr int GlyphSets = 10;
    static constexpr int MaxGlyphs = 2561;   // the size of the glyph store
    static constexpr int MissingAdvance = 10;  // a character without a glyph moves on this far
    static constexpr int GlyphSpacing = 2;     // pixels between two glyphs

    TLettersCollection();

    // Makes a glyph of every picture of source with the effect and maps it in set 0..9 (other
    // sets are ignored) under the character code of the picture's decimal name modulo 256
    // (0 when the name is not a number). Glyphs beyond the store's size are dropped.
    void LoadGlyphSet(const TGraphCollection& source, const TGlyphEffect& effect, int set);
    // The glyph image of a picture's pixels; "set" source pixels are those that are not black.
    static TDIB MakeGlyph(const TDIB& source, const TGlyphEffect& effect);

    // The glyph of a character code in a set, -1 when there is none.
    int Glyph(int set, unsigned char code) const { return mGlyphTable[set][code]; }
    // The glyphs a text draws, in order (-1 for characters without a glyph).
    std::vector<int> ParseMarkup(std::string_view text) const;
    // Sum of glyph width + 2 over the text, 10 for each character without a glyph.
    int TextWidth(std::string_view text) const;
    // The tallest glyph of the text, 0 when it has none.
    int TextHeight(std::string_view text) const;
    // Draws text with (x, y) as its anchor: its left edge, centre or right edge, and its
    // vertical centre, top or bottom. All glyphs share the top row.
    void DrawText(TDirectDrawSurface& target, int x, int y, std::string_view text, THorzAlign horz,
                  TVertAlign vert) const;

private:
    // Calls visit(glyph) for every glyph the text draws (-1 for none, also for a glyph whose
    // surface is gone); allocates nothing.
    template <typename Visit>
    void ForEachGlyph(std::string_view text, Visit visit) const;

    std::array<std::array<int32_t, 256>, GlyphSets> mGlyphTable;
};
