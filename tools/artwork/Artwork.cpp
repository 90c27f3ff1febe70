#include "Artwork.h"

#include "gfx/GraphicsLoader.h"
#include "gfx/ScreenLayout.h"
#include "platform/ArtCanvas.h"
#include "platform/Text.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <stdexcept>

namespace {

constexpr int ButtonWidth = 160;            // ordinary buttons: 176 apart on the play screen
constexpr int ButtonHeight = 28;            // 32 apart in the menus
constexpr int ShadowDepth = 2;              // rows below a button for its shadow
constexpr int BoxWidth = 240;               // both menu panels; buttons stand in their middle
constexpr int SimpleBoxHeight = 224;
constexpr int RatingBoxHeight = 204;
constexpr int BottomPanelHeight = ScreenHeight - BottomPanelAt.Y;
constexpr int CheckSide = 15;
constexpr int FieldPixels = FieldCells * CellPixels + 1;  // grid lines span the field and its last edge
constexpr int OutlineThickness = 3;
constexpr uint32_t LetterSeed = 20240611;  // fixes the scattered letters of the background

using TPainter = std::function<void(TArtCanvas&)>;

const TColor32 Key = 0;        // the transparent colour of every image
const TColor32 NearBlack = 0x010101;

// --- pixels ---

TDIB Crop(const TDIB& from, int left, int top, int width, int height) {
    TDIB out(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) out.SetPixel(x, y, from.Pixel(left + x, top + y));
    return out;
}

// Lays a keyed image onto a composition, as the game will draw it.
void Place(TDIB& onto, const TDIB& image, TScreenPoint at) {
    for (int y = 0; y < image.Height(); ++y)
        for (int x = 0; x < image.Width(); ++x)
            if (image.Pixel(x, y) != Key) onto.SetPixel(at.X + x, at.Y + y, image.Pixel(x, y));
}

// An image drawn with transparency. It is painted over what will lie under it (so its smooth
// edges blend into that), and every pixel the painter leaves untouched becomes the key.
TDIB Keyed(const TDIB& under, const TPainter& paint) {
    TArtCanvas over(under);
    paint(over);
    TArtCanvas alone(under.Width(), under.Height());
    paint(alone);
    TDIB out = over.Pixels();
    for (int y = 0; y < out.Height(); ++y)
        for (int x = 0; x < out.Width(); ++x) {
            if (alone.Alpha(x, y) == 0)
                out.SetPixel(x, y, Key);
            else if (out.Pixel(x, y) == Key)
                out.SetPixel(x, y, NearBlack);
        }
    return out;
}

// An image drawn without transparency.
TDIB Opaque(int width, int height, const TPainter& paint) {
    TArtCanvas canvas(TDIB(width, height));
    paint(canvas);
    return canvas.Pixels();
}

// A hit mask: white where the painter covers at least half a pixel, black elsewhere.
TDIB Mask(int width, int height, const TPainter& paint) {
    TArtCanvas canvas(width, height);
    paint(canvas);
    TDIB out(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            if (canvas.Alpha(x, y) >= 128) out.SetPixel(x, y, 0xFFFFFF);
    return out;
}

void Add(TGraphCollection& pictures, const std::string& name, const TDIB& image) {
    const auto picture = TPicture::FromImage(TPictureKind::Bitmap, image);
    if (!picture || !pictures.AddGraphic(name, *picture)) throw std::runtime_error("cannot store the picture " + name);
    pictures.SetTag(pictures.IndexOfName(name), static_cast<int32_t>(Key));
}

TFontSpec FontFrom(const TAssetFile& fonts, const std::string& prefix) {
    TFontSpec font;
    font.Family = fonts.Text(prefix + "_FAMILY");
    font.PixelSize = fonts.Number(prefix + "_SIZE");
    const auto flag = [&](const std::string& key) {
        try {
            return fonts.Number(prefix + key) != 0;
        } catch (const std::runtime_error&) {
            return false;
        }
    };
    font.Bold = flag("_BOLD");
    font.Italic = flag("_ITALIC");
    return font;
}

// Splits UTF-8 text into its characters, each as UTF-8.
std::vector<std::string> Characters(const std::string& text) {
    std::vector<std::string> out;
    for (std::size_t pos = 0; pos < text.size();) {
        const std::size_t start = pos;
        cp1251::DecodeUtf8(text, pos);
        out.push_back(text.substr(start, pos - start));
    }
    return out;
}

TColor32 Darker(TColor32 color, double factor) {
    const auto channel = [&](int shift) { return static_cast<TColor32>(((color >> shift) & 0xFF) * factor) << shift; };
    return channel(16) | channel(8) | channel(0);
}

// --- the screen images ---

struct TButtonColors {
    TColor32 Top, Bottom, Edge, Text;
};

enum class TButtonLook { Normal, Pressed, Disabled };

enum class TArrow { Up, Down, Left, Right };

class TScreenPainter {
public:
    TScreenPainter(const TAssetFile& palette, const TAssetFile& labels, const TAssetFile& fonts,
                   const TLettersCollection& letters)
        : mPalette(palette), mLabels(labels), mFonts(fonts), mLetters(letters) {}

    void AddAll(TGraphCollection& pictures) const;

private:
    TColor32 C(const char* name) const { return mPalette.Color(name); }
    TRgba Rgba(const char* name, double alpha = 1) const { return RgbaOf(C(name), alpha); }

    TDIB Background() const;
    TDIB Panel(const TDIB& under, int width, int height, std::string_view title) const;
    TDIB BottomPanel(const TDIB& under) const;
    TDIB LetterCell() const;
    TDIB BlockCell() const;
    TDIB HintCell(const TDIB& under) const;
    TDIB TrayFrame(const TDIB& under, int w, int h) const;
    TDIB CheckBox(const TDIB& under, bool checked) const;

    void PaintButton(TArtCanvas& canvas, TButtonLook look, const TButtonColors& colors, const std::string& label) const;
    void AddButton(TGraphCollection& pictures, const std::string& name, const TDIB& screen, TScreenPoint at,
                   const TButtonColors& normal) const;
    void AddArrow(TGraphCollection& pictures, const std::string& name, TArrow arrow, const TDIB& screen,
                  TScreenPoint at) const;
    TButtonColors Look(TButtonLook look, const TButtonColors& normal) const;

    const TAssetFile& mPalette;
    const TAssetFile& mLabels;
    const TAssetFile& mFonts;
    const TLettersCollection& mLetters;
};

TDIB TScreenPainter::Background() const {
    return Opaque(ScreenWidth, ScreenHeight, [&](TArtCanvas& c) {
        c.Rectangle(0, 0, ScreenWidth, ScreenHeight);
        c.FillGradient(0, 0, 0, ScreenHeight, {{0, Rgba("BACK_TOP")}, {1, Rgba("BACK_BOTTOM")}});
        c.Rectangle(0, 0, ScreenWidth, ScreenHeight);
        c.FillRadial(ScreenWidth * 0.62, 40, 520, {{0, RgbaOf(0xFFFFFF, 0.10)}, {1, RgbaOf(0xFFFFFF, 0)}});

        // Letters scattered over the ground, faint enough to read text and grid over them.
        const std::vector<std::string> letters = Characters("АБВГДЕЖЗИКЛМНОПРСТУФХЦЧШЩЭЮЯ");
        uint32_t state = LetterSeed;
        const auto next = [&](int n) {
            state = state * 1664525u + 1013904223u;
            return static_cast<int>((state >> 8) % static_cast<uint32_t>(n));
        };
        for (int i = 0; i < 70; ++i) {
            TFontSpec font{"DejaVu Serif", static_cast<double>(24 + next(48)), next(2) == 0, next(3) == 0,
                           TTextEdges::Smooth};
            c.SetFont(font);
            c.DrawText(next(ScreenWidth + 40) - 20, next(ScreenHeight + 40), letters[next(static_cast<int>(letters.size()))],
                       Rgba("BACK_LETTERS", 0.02 + next(4) * 0.005));
        }
    });
}

// A menu panel: a rounded, see-through card whose top border breaks for the title, which the
// screen draws centred on the top edge.
TDIB TScreenPainter::Panel(const TDIB& under, int width, int height, std::string_view title) const {
    constexpr double Radius = 12;
    const double gapLeft = 6;
    const double gapRight = (SimpleTitleAt.X - SimpleBoxAt.X) + mLetters.TextWidth(title) + 4;
    return Keyed(under, [&](TArtCanvas& c) {
        c.RoundedRectangle(0.75, 0.75, width - 1.5, height - 1.5, Radius);
        c.Fill(Rgba("PANEL", 0.5));
        c.RoundedRectangle(0.75, 0.75, width - 1.5, height - 1.5, Radius);
        c.FillGradient(0, 0, 0, 70, {{0, Rgba("PANEL_SHINE", 0.10)}, {1, Rgba("PANEL_SHINE", 0)}});
        const double l = 0.75, t = 0.75, r = width - 0.75, b = height - 0.75;
        c.MoveTo(gapRight, t);
        c.LineTo(r - Radius, t);
        c.Arc(r - Radius, t + Radius, Radius, -M_PI / 2, 0);
        c.Arc(r - Radius, b - Radius, Radius, 0, M_PI / 2);
        c.Arc(l + Radius, b - Radius, Radius, M_PI / 2, M_PI);
        c.Arc(l + Radius, t + Radius, Radius, M_PI, 3 * M_PI / 2);
        c.LineTo(gapLeft, t);
        c.Stroke(Rgba("PANEL_BORDER", 0.9), 1.5);
    });
}

TDIB TScreenPainter::BottomPanel(const TDIB& under) const {
    return Keyed(under, [&](TArtCanvas& c) {
        c.Rectangle(0, 0, ScreenWidth, BottomPanelHeight);
        c.FillGradient(0, 0, 0, BottomPanelHeight, {{0, Rgba("BOTTOM_TOP")}, {1, Rgba("BOTTOM_BOTTOM")}});
        c.Rectangle(0, 0, ScreenWidth, 1);
        c.Fill(Rgba("PANEL_BORDER", 0.85));
        c.Rectangle(0, 1, ScreenWidth, 1);
        c.Fill(Rgba("PANEL_SHINE", 0.12));
        // The word mark in the part the banner leaves free.
        TFontSpec font = FontFrom(mFonts, "LOGO");
        c.SetFont(font);
        const std::string logo = mLabels.Text("LOGO");
        const TTextExtents ink = c.MeasureText(logo);
        const double x = 640 - ink.InkLeft - ink.InkWidth / 2;
        const double baseline = (BannerCentreY - BottomPanelAt.Y) - ink.InkTop - ink.InkHeight / 2;
        c.DrawText(x + 2, baseline + 2, logo, RgbaOf(0x000000, 0.45));
        c.DrawText(x, baseline, logo, Rgba("LOGO"));
    });
}

// A cell's raised edges: light at the left and top, dark at the right and bottom. The face
// inside them (from (1, 1), CellPixels - 2 square) is left to the caller.
void PaintBevel(TArtCanvas& c, TRgba light, TRgba dark) {
    c.Rectangle(0, 0, CellPixels, CellPixels);
    c.Fill(dark);
    c.Rectangle(0, 0, CellPixels - 1, CellPixels - 1);
    c.Fill(light);
    c.Rectangle(1, 1, CellPixels - 2, CellPixels - 2);
}

// A bevelled ivory tile; the board draws it over the grid, so it carries its own edges.
TDIB TScreenPainter::LetterCell() const {
    return Opaque(CellPixels, CellPixels, [&](TArtCanvas& c) {
        PaintBevel(c, Rgba("TILE_LIGHT"), Rgba("TILE_DARK"));
        c.Fill(Rgba("TILE"));
    });
}

TDIB TScreenPainter::BlockCell() const {
    return Opaque(CellPixels, CellPixels, [&](TArtCanvas& c) {
        PaintBevel(c, Rgba("BLOCK_LIGHT"), Rgba("BLOCK_DARK"));
        c.Fill(Rgba("BLOCK"));
        for (int k = -CellPixels; k < CellPixels; k += 6) {  // a fine hatching marks the block
            c.MoveTo(1 + k, CellPixels - 1);
            c.LineTo(CellPixels - 1 + k, 1);
        }
        c.Rectangle(1, 1, CellPixels - 2, CellPixels - 2);
        c.Clip();
        c.Stroke(Rgba("BLOCK_LIGHT", 0.35), 1);
        c.ResetClip();
    });
}

// The hint: the outline of a letter cell, open in the middle so the board shows through.
TDIB TScreenPainter::HintCell(const TDIB& under) const {
    return Keyed(under, [&](TArtCanvas& c) {
        c.RoundedRectangle(3.5, 3.5, CellPixels - 7, CellPixels - 7, 3);
        c.Stroke(Rgba("HINT", 0.75), 1.5);
        c.Circle(CellPixels / 2.0, CellPixels / 2.0, 1.5);
        c.Fill(Rgba("HINT", 0.6));
    });
}

// A tray slot: a frame two pixels wide around a dark well with faint cell marks.
TDIB TScreenPainter::TrayFrame(const TDIB& under, int w, int h) const {
    constexpr int inset = TrayFrameInset;
    const int width = CellPixels * w + 2 * inset, height = CellPixels * h + 2 * inset;
    return Keyed(under, [&](TArtCanvas& c) {
        c.RoundedRectangle(0, 0, width, height, 4);
        c.FillGradient(0, 0, width, height, {{0, Rgba("PANEL_BORDER")}, {1, Rgba("FRAME")}});
        c.Rectangle(inset, inset, width - 2 * inset, height - 2 * inset);
        c.FillGradient(0, inset, 0, height - inset, {{0, Rgba("WELL_TOP")}, {1, Rgba("WELL_BOTTOM")}});
        for (int k = 1; k < w; ++k) {
            c.Rectangle(inset + CellPixels * k, 2 * inset, 1, height - 4 * inset);
            c.Fill(Rgba("GRID", 0.6));
        }
        for (int k = 1; k < h; ++k) {
            c.Rectangle(2 * inset, inset + CellPixels * k, width - 4 * inset, 1);
            c.Fill(Rgba("GRID", 0.6));
        }
    });
}

TDIB TScreenPainter::CheckBox(const TDIB& under, bool checked) const {
    return Keyed(under, [&](TArtCanvas& c) {
        c.RoundedRectangle(0.75, 0.75, CheckSide - 1.5, CheckSide - 1.5, 3);
        c.Fill(Rgba("CHECK_BOX"));
        c.RoundedRectangle(0.75, 0.75, CheckSide - 1.5, CheckSide - 1.5, 3);
        c.Stroke(Rgba("PANEL_BORDER"), 1.5);
        if (checked) {
            c.MoveTo(3.5, 7.5);
            c.LineTo(6.5, 11);
            c.LineTo(12, 3.5);
            c.Stroke(Rgba("CHECK_MARK"), 2.4);
        }
    });
}

TButtonColors TScreenPainter::Look(TButtonLook look, const TButtonColors& normal) const {
    switch (look) {
        case TButtonLook::Normal: return normal;
        case TButtonLook::Pressed:
            // The pressed face keeps the button's colours, darkened and lit from below.
            return {Darker(normal.Bottom, 0.8), normal.Top, normal.Edge, normal.Text};
        case TButtonLook::Disabled:
            return {C("DISABLED_TOP"), C("DISABLED_BOTTOM"), C("DISABLED_EDGE"), C("DISABLED_TEXT")};
    }
    return normal;
}

// A pill-shaped button with a centred label. The pressed button sinks by a pixel and loses its
// shadow; the disabled one turns flat grey.
void TScreenPainter::PaintButton(TArtCanvas& c, TButtonLook look, const TButtonColors& colors,
                                 const std::string& label) const {
    const double w = ButtonWidth, h = ButtonHeight, r = (ButtonHeight - 1) / 2.0;
    const double sink = look == TButtonLook::Pressed ? 1 : 0;
    if (look == TButtonLook::Normal) {
        c.RoundedRectangle(1, 2, w - 2, h, r);
        c.Fill(RgbaOf(0x000000, 0.35));
    }
    c.RoundedRectangle(0.5, 0.5 + sink, w - 1, h - 1, r);
    c.FillGradient(0, sink, 0, h + sink, {{0, RgbaOf(colors.Top)}, {1, RgbaOf(colors.Bottom)}});
    if (look == TButtonLook::Normal) {
        c.RoundedRectangle(3, 1.5, w - 6, h / 2 - 1, r / 2);
        c.Fill(RgbaOf(0xFFFFFF, 0.28));
    }
    if (look == TButtonLook::Pressed) {
        c.RoundedRectangle(1.5, 1.5 + sink, w - 3, 4, 2);
        c.Fill(RgbaOf(0x000000, 0.18));
    }
    c.RoundedRectangle(0.5, 0.5 + sink, w - 1, h - 1, r);
    c.Stroke(RgbaOf(colors.Edge), 1);

    c.SetFont(FontFrom(mFonts, "BUTTON"));
    const TTextExtents ink = c.MeasureText(label);
    const TTextExtents capital = c.MeasureText("Н");
    if (ink.InkWidth > w - 2 * r) throw std::runtime_error("the label " + label + " does not fit its button");
    const double x = std::round(w / 2 - ink.InkLeft - ink.InkWidth / 2);
    const double baseline = std::round(h / 2 - capital.InkTop / 2) + sink;
    if (look == TButtonLook::Normal) c.DrawText(x, baseline + 1, label, RgbaOf(0xFFFFFF, 0.35));
    c.DrawText(x, baseline, label, RgbaOf(colors.Text));
}

void TScreenPainter::AddButton(TGraphCollection& pictures, const std::string& name, const TDIB& screen,
                               TScreenPoint at, const TButtonColors& normal) const {
    const TDIB under = Crop(screen, at.X, at.Y, ButtonWidth, ButtonHeight + ShadowDepth);
    const std::string label = mLabels.Text(name);
    const TButtonLook looks[] = {TButtonLook::Normal, TButtonLook::Pressed, TButtonLook::Disabled};
    for (int state = 0; state < 3; ++state)
        Add(pictures, name + std::to_string(state + 1),
            Keyed(under, [&](TArtCanvas& c) { PaintButton(c, looks[state], Look(looks[state], normal), label); }));
}

using TPoints = std::vector<std::pair<double, double>>;

// An arrow button's outline (its plate, shaped like the arrow) and the arrow drawn on it.
struct TArrowShape {
    int Width, Height;
    TPoints Plate, Head, Shaft;
};

TPoints Moved(TPoints points, double dx, double dy) {
    for (auto& [x, y] : points) {
        x += dx;
        y += dy;
    }
    return points;
}

TArrowShape ArrowShape(TArrow arrow) {
    // Upright arrows are narrower: the four buttons stand 24 to 32 pixels apart.
    TArrowShape shape = arrow == TArrow::Up || arrow == TArrow::Down
                            ? TArrowShape{22, 24,
                                          {{11, 0.5}, {21.5, 10}, {21.5, 23.5}, {0.5, 23.5}, {0.5, 10}},
                                          {{11, 5}, {4.5, 12}, {17.5, 12}},
                                          {{8.5, 11}, {13.5, 11}, {13.5, 19}, {8.5, 19}}}
                            : TArrowShape{30, 24,
                                          {{0.5, 12}, {11, 0.5}, {29.5, 0.5}, {29.5, 23.5}, {11, 23.5}},
                                          {{6, 12}, {14, 5.5}, {14, 18.5}},
                                          {{13, 9.5}, {23, 9.5}, {23, 14.5}, {13, 14.5}}};
    const bool mirrorX = arrow == TArrow::Right, mirrorY = arrow == TArrow::Down;
    for (TPoints* points : {&shape.Plate, &shape.Head, &shape.Shaft})
        for (auto& [x, y] : *points) {
            if (mirrorX) x = shape.Width - x;
            if (mirrorY) y = shape.Height - y;
        }
    return shape;
}

void TScreenPainter::AddArrow(TGraphCollection& pictures, const std::string& name, TArrow arrow, const TDIB& screen,
                              TScreenPoint at) const {
    const TArrowShape shape = ArrowShape(arrow);
    const TButtonColors normal{C("BUTTON_TOP"), C("BUTTON_BOTTOM"), C("BUTTON_EDGE"), C("BUTTON_TEXT")};
    const TDIB under = Crop(screen, at.X, at.Y, shape.Width, shape.Height + ShadowDepth);
    const TButtonLook looks[] = {TButtonLook::Normal, TButtonLook::Pressed, TButtonLook::Disabled};
    for (int state = 0; state < 3; ++state) {
        const TButtonLook look = looks[state];
        const TButtonColors colors = Look(look, normal);
        const double sink = look == TButtonLook::Pressed ? 1 : 0;
        Add(pictures, name + std::to_string(state + 1), Keyed(under, [&](TArtCanvas& c) {
                if (look == TButtonLook::Normal) {
                    c.Polygon(Moved(shape.Plate, 1, 1.5));
                    c.Fill(RgbaOf(0x000000, 0.35));
                }
                c.Polygon(Moved(shape.Plate, 0, sink));
                c.FillGradient(0, sink, 0, shape.Height + sink, {{0, RgbaOf(colors.Top)}, {1, RgbaOf(colors.Bottom)}});
                c.Polygon(Moved(shape.Plate, 0, sink));
                c.Stroke(RgbaOf(colors.Edge), 1);
                c.Polygon(Moved(shape.Head, 0, sink));
                c.Polygon(Moved(shape.Shaft, 0, sink));
                c.Fill(RgbaOf(colors.Text));
            }));
    }
    Add(pictures, name + "4", Mask(shape.Width, shape.Height, [&](TArtCanvas& c) {
            c.Polygon(shape.Plate);
            c.Fill(RgbaOf(0xFFFFFF));
        }));
}

void TScreenPainter::AddAll(TGraphCollection& pictures) const {
    const TDIB back = Background();
    Add(pictures, "BACK", back);

    // The menus: panels over the ground, then the buttons and the check box over the panels.
    TDIB simpleMenu = back;
    const TDIB simpleBox = Panel(Crop(back, SimpleBoxAt.X, SimpleBoxAt.Y, BoxWidth, SimpleBoxHeight), BoxWidth,
                                 SimpleBoxHeight, "&1ПРОСТАЯ ИГРА"_cp);
    Place(simpleMenu, simpleBox, SimpleBoxAt);
    Add(pictures, "MBOX", simpleBox);
    TDIB ratingMenu = back;
    const TDIB ratingBox = Panel(Crop(back, RatingBoxAt.X, RatingBoxAt.Y, BoxWidth, RatingBoxHeight), BoxWidth,
                                 RatingBoxHeight, "&1РЕЙТИНГ-ИГРА"_cp);
    Place(ratingMenu, ratingBox, RatingBoxAt);
    Add(pictures, "MBOX1", ratingBox);

    const TButtonColors normal{C("BUTTON_TOP"), C("BUTTON_BOTTOM"), C("BUTTON_EDGE"), C("BUTTON_TEXT")};
    const TButtonColors stop{C("STOP_TOP"), C("STOP_BOTTOM"), C("STOP_EDGE"), C("STOP_TEXT")};
    AddButton(pictures, "BT_CREATE", simpleMenu, CreateAt, normal);
    AddButton(pictures, "BT_STOP", simpleMenu, CreateAt, stop);
    AddButton(pictures, "BT_BEGIN", simpleMenu, BeginAt, normal);
    AddButton(pictures, "BT_LOAD", simpleMenu, LoadAt, normal);
    AddButton(pictures, "BT_RATING", simpleMenu, RatingAt, normal);
    AddButton(pictures, "BT_SIMPLE", ratingMenu, SimpleAt, normal);
    Add(pictures, "BT_MASK", Mask(ButtonWidth, ButtonHeight, [&](TArtCanvas& c) {
            c.RoundedRectangle(0.5, 0.5, ButtonWidth - 1, ButtonHeight - 1, (ButtonHeight - 1) / 2.0);
            c.Fill(RgbaOf(0xFFFFFF));
        }));

    // The check box stands at the right end of its line, centred on the line's height.
    const int lineHeight = mLetters.TextHeight("1");
    const TScreenPoint checkAt{SimpleHardAt.X + HardBoxWidth - CheckSide, SimpleHardAt.Y + (lineHeight - CheckSide) / 2};
    const TDIB checkUnder = Crop(simpleMenu, checkAt.X, checkAt.Y, CheckSide, CheckSide);
    Add(pictures, "CHECKON", CheckBox(checkUnder, true));
    Add(pictures, "CHECKOFF", CheckBox(checkUnder, false));

    // The play screen: the bottom panel, its buttons, the arrows, the field's pieces and the tray.
    TDIB play = back;
    const TDIB bottom = BottomPanel(Crop(back, BottomPanelAt.X, BottomPanelAt.Y, ScreenWidth, BottomPanelHeight));
    Place(play, bottom, BottomPanelAt);
    Add(pictures, "LB", bottom);
    AddButton(pictures, "BT_SAVE", play, SaveAt, normal);
    AddButton(pictures, "BT_CLEAR", play, ClearAt, normal);
    AddButton(pictures, "BT_HINT", play, HintAt, normal);
    AddButton(pictures, "BT_CLOSE", play, CloseAt, normal);
    AddArrow(pictures, "BT_UP", TArrow::Up, play, UpAt);
    AddArrow(pictures, "BT_DOWN", TArrow::Down, play, DownAt);
    AddArrow(pictures, "BT_LEFT", TArrow::Left, play, LeftAt);
    AddArrow(pictures, "BT_RIGHT", TArrow::Right, play, RightAt);

    Add(pictures, "LINE_H", Opaque(FieldPixels, 1, [&](TArtCanvas& c) {
            c.Rectangle(0, 0, FieldPixels, 1);
            c.Fill(Rgba("GRID"));
        }));
    Add(pictures, "LINE_V", Opaque(1, FieldPixels, [&](TArtCanvas& c) {
            c.Rectangle(0, 0, 1, FieldPixels);
            c.Fill(Rgba("GRID"));
        }));
    // Outline pieces reach a pixel before and after their cell, so neighbours overlap at corners.
    Add(pictures, "SEL_H", Opaque(CellPixels + 2, OutlineThickness, [&](TArtCanvas& c) {
            c.Rectangle(0, 0, CellPixels + 2, OutlineThickness);
            c.Fill(Rgba("OUTLINE"));
        }));
    Add(pictures, "SEL_V", Opaque(OutlineThickness, CellPixels + 2, [&](TArtCanvas& c) {
            c.Rectangle(0, 0, OutlineThickness, CellPixels + 2);
            c.Fill(Rgba("OUTLINE"));
        }));
    Add(pictures, "CHAR", LetterCell());
    Add(pictures, "NCHAR", BlockCell());
    Add(pictures, "CHAR2", HintCell(Crop(back, FieldLeft + 6 * CellPixels, FieldTop + 6 * CellPixels, CellPixels, CellPixels)));
    for (int w = 3; w <= 4; ++w)
        for (int h = 3; h <= 4; ++h)
            Add(pictures, std::to_string(w) + std::to_string(h),
                TrayFrame(Crop(back, 420, 16, CellPixels * w + 2 * TrayFrameInset, CellPixels * h + 2 * TrayFrameInset), w, h));
}

}  // namespace

TArtwork::TArtwork(const std::string& assetDir)
    : mPalette(assetDir + "/palette.txt"),
      mLabels(assetDir + "/labels.txt"),
      mFonts(assetDir + "/fonts.txt"),
      mGlyphs(assetDir + "/glyphs.txt") {}

TGraphCollection TArtwork::Font() const {
    TFontSpec font = FontFrom(mFonts, "GLYPH");
    font.Edges = TTextEdges::Crisp;
    const int blank = mFonts.Number("GLYPH_BLANK");

    std::vector<std::string> characters;
    for (const auto& line : mGlyphs.Lines())
        for (auto& character : Characters(line)) characters.push_back(std::move(character));

    // Each character is drawn alone on a roomy canvas; all glyphs then share the rows from the
    // highest ink of any character to the lowest, so texts line up at their tops.
    const int side = static_cast<int>(font.PixelSize * 3);
    const int baseline = static_cast<int>(font.PixelSize * 2);
    struct Drawn {
        std::string Character;
        TDIB Pixels;
        int Left, Right;  // ink columns, Right excluded
    };
    std::vector<Drawn> drawn;
    int top = side, bottom = 0;
    for (const auto& character : characters) {
        TArtCanvas canvas(side, side);
        canvas.SetFont(font);
        canvas.DrawText(font.PixelSize / 2, baseline, character, RgbaOf(0xFFFFFF));
        TDIB pixels(side, side);
        int left = side, right = 0;
        for (int y = 0; y < side; ++y)
            for (int x = 0; x < side; ++x)
                if (canvas.Alpha(x, y) >= 128) {
                    pixels.SetPixel(x, y, 0xFFFFFF);
                    left = std::min(left, x);
                    right = std::max(right, x + 1);
                    top = std::min(top, y);
                    bottom = std::max(bottom, y + 1);
                }
        if (right <= left) throw std::runtime_error("the font draws nothing for " + character);
        drawn.push_back({character, std::move(pixels), left, right});
    }

    TGraphCollection glyphs;
    Add(glyphs, std::to_string(static_cast<unsigned char>(' ')), TDIB(blank, bottom - top));
    for (const auto& glyph : drawn) {
        const std::string code = FromUtf8(glyph.Character);
        if (code.size() != 1 || (code == "?" && glyph.Character != "?"))
            throw std::runtime_error(glyph.Character + " is not a code page 1251 character");
        Add(glyphs, std::to_string(static_cast<unsigned char>(code[0])),
            Crop(glyph.Pixels, glyph.Left, top, glyph.Right - glyph.Left, bottom - top));
    }
    return glyphs;
}

TGraphCollection TArtwork::Screens(const TGraphCollection& font) const {
    TLettersCollection letters;
    for (int set = 0; set < static_cast<int>(std::size(GlyphSetEffects)); ++set)
        letters.LoadGlyphSet(font, GlyphSetEffects[set], set);
    TGraphCollection pictures;
    TScreenPainter(mPalette, mLabels, mFonts, letters).AddAll(pictures);
    return pictures;
}
