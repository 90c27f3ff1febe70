// Makes "rekl.col", the game's banner strip: three animated 468 x 60 GIF banners drawn with
// Cairo, each with its repeat count and a link for the player.
//   make_banners OUTPUT LINK_HOW_TO_PLAY LINK_CROSSGEN LINK_TOURNAMENT

#include "banner/GifWriter.h"
#include "platform/FileText.h"
#include "platform/RecordFile.h"

#include <cairo.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <functional>
#include <memory>
#include <numbers>
#include <string>
#include <vector>

namespace {

constexpr int Width = 468;
constexpr int Height = 60;
constexpr char Font[] = "DejaVu Sans";

struct Rgb {
    double r, g, b;
};

// The game's colours: a deep teal board, cream letter cells, amber highlights.
constexpr Rgb Board{0.11, 0.25, 0.31};
constexpr Rgb BoardLight{0.17, 0.36, 0.43};
constexpr Rgb Cell{0.96, 0.92, 0.80};
constexpr Rgb Ink{0.12, 0.20, 0.45};
constexpr Rgb Amber{0.98, 0.76, 0.25};
constexpr Rgb White{1.0, 1.0, 1.0};

using Painter = std::function<void(cairo_t*, int frame)>;

void SetColor(cairo_t* cr, Rgb c, double alpha = 1.0) {
    cairo_set_source_rgba(cr, c.r, c.g, c.b, alpha);
}

void Background(cairo_t* cr) {
    cairo_pattern_t* gradient = cairo_pattern_create_linear(0, 0, 0, Height);
    cairo_pattern_add_color_stop_rgb(gradient, 0, BoardLight.r, BoardLight.g, BoardLight.b);
    cairo_pattern_add_color_stop_rgb(gradient, 1, Board.r, Board.g, Board.b);
    cairo_set_source(cr, gradient);
    cairo_paint(cr);
    cairo_pattern_destroy(gradient);
    SetColor(cr, Amber);
    cairo_set_line_width(cr, 2);
    cairo_rectangle(cr, 1, 1, Width - 2, Height - 2);
    cairo_stroke(cr);
}

// A letter cell of side `size` with its top-left corner at (x, y).
void LetterCell(cairo_t* cr, double x, double y, double size, const char* letter, double alpha = 1.0) {
    SetColor(cr, Cell, alpha);
    cairo_rectangle(cr, x, y, size, size);
    cairo_fill(cr);
    SetColor(cr, Board, alpha);
    cairo_set_line_width(cr, 1);
    cairo_rectangle(cr, x + 0.5, y + 0.5, size - 1, size - 1);
    cairo_stroke(cr);
    cairo_select_font_face(cr, Font, CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_BOLD);
    cairo_set_font_size(cr, size * 0.62);
    cairo_text_extents_t e;
    cairo_text_extents(cr, letter, &e);
    SetColor(cr, Ink, alpha);
    cairo_move_to(cr, x + (size - e.width) / 2 - e.x_bearing, y + (size - e.height) / 2 - e.y_bearing);
    cairo_show_text(cr, letter);
}

void Text(cairo_t* cr, double x, double y, double size, const char* text, Rgb color, double alpha = 1.0,
          bool bold = false) {
    cairo_select_font_face(cr, Font, CAIRO_FONT_SLANT_NORMAL, bold ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
    cairo_set_font_size(cr, size);
    SetColor(cr, color, alpha);
    cairo_move_to(cr, x, y);
    cairo_show_text(cr, text);
}

// The word ЗЕЛЬВАНА gathers from scattered shards, then the call to play fades in.
void HowToPlay(cairo_t* cr, int frame) {
    Background(cr);
    static const char* letters[] = {"З", "Е", "Л", "Ь", "В", "А", "Н", "А"};
    const double gather = std::min(1.0, frame / 6.0);
    for (int i = 0; i < 8; ++i) {
        const double homeX = 12 + i * 26, homeY = 16;
        const double fromX = 20 + std::fmod(i * 157.0, 200.0), fromY = (i % 2 ? -30.0 : 60.0);
        const double t = 1 - std::pow(1 - gather, 3);
        LetterCell(cr, fromX + (homeX - fromX) * t, fromY + (homeY - fromY) * t, 24, letters[i]);
    }
    const double alpha = std::clamp((frame - 6) / 3.0, 0.0, 1.0);
    Text(cr, 232, 27, 16, "Собери кроссворд", White, alpha, true);
    Text(cr, 232, 47, 13, "из осколков — правила игры", Amber, alpha);
}

// A small grid fills itself word by word, as the generator does.
void Crossgen(cairo_t* cr, int frame) {
    Background(cr);
    static const char* grid[3] = {"СЛОВО", "О#К#Д", "КОТ#А"};
    static const char* upper[3][5] = {{"С", "Л", "О", "В", "О"}, {"О", "", "К", "", "Д"}, {"К", "О", "Т", "", "А"}};
    const int shown = frame * 2;
    int n = 0;
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x) {
            const double cx = 14 + x * 17, cy = 5 + y * 17;
            if (grid[y][0] && upper[y][x][0] == '\0') {
                SetColor(cr, Board);
                cairo_rectangle(cr, cx, cy, 16, 16);
                cairo_fill(cr);
                continue;
            }
            LetterCell(cr, cx, cy, 16, n++ < shown ? upper[y][x] : "");
        }
    Text(cr, 112, 27, 17, "crossgen", Amber, 1.0, true);
    Text(cr, 200, 27, 14, "— генератор кроссвордов", White);
    const double alpha = std::clamp((frame - 4) / 3.0, 0.0, 1.0);
    Text(cr, 112, 48, 12, "шаблон, словарь и готовая сетка за доли секунды", Cell, alpha);
}

// A clock runs and points fall: the rating game in a glance.
void Tournament(cairo_t* cr, int frame) {
    Background(cr);
    const double cx = 32, cy = 30, radius = 20;
    SetColor(cr, Cell);
    cairo_arc(cr, cx, cy, radius, 0, 2 * std::numbers::pi);
    cairo_fill(cr);
    SetColor(cr, Ink);
    cairo_set_line_width(cr, 2);
    cairo_arc(cr, cx, cy, radius, 0, 2 * std::numbers::pi);
    cairo_stroke(cr);
    const double angle = frame * std::numbers::pi / 6 - std::numbers::pi / 2;
    cairo_move_to(cr, cx, cy);
    cairo_line_to(cr, cx + std::cos(angle) * (radius - 5), cy + std::sin(angle) * (radius - 5));
    cairo_stroke(cr);
    Text(cr, 66, 27, 16, "Рейтинг-игра:", White, 1.0, true);
    Text(cr, 200, 27, 15, "21 партия турнира", Amber);
    char points[64];
    std::snprintf(points, sizeof points, "чем быстрее, тем больше очков: %d", 540 - frame * 7);
    Text(cr, 66, 48, 13, points, Cell);
}

TGifFrame Render(const Painter& paint, int frame, int delay) {
    std::unique_ptr<cairo_surface_t, decltype(&cairo_surface_destroy)> surface(
        cairo_image_surface_create(CAIRO_FORMAT_RGB24, Width, Height), cairo_surface_destroy);
    cairo_t* cr = cairo_create(surface.get());
    paint(cr, frame);
    cairo_destroy(cr);
    cairo_surface_flush(surface.get());
    TGifFrame out{TDIB(Width, Height), delay, std::nullopt};
    const unsigned char* data = cairo_image_surface_get_data(surface.get());
    const int stride = cairo_image_surface_get_stride(surface.get());
    for (int y = 0; y < Height; ++y) {
        const auto* row = reinterpret_cast<const uint32_t*>(data + y * stride);
        for (int x = 0; x < Width; ++x) out.Image.SetPixel(x, y, row[x] & 0xFFFFFF);
    }
    return out;
}

struct BannerPlan {
    Painter paint;
    int frames;
    int delay;      // hundredths per frame
    int lastDelay;  // the closing frame stays longer
    int repeat;
};

}  // namespace

int main(int argc, char** argv) {
    if (argc != 5) {
        std::fprintf(stderr, "usage: make_banners OUTPUT LINK_HOW_TO_PLAY LINK_CROSSGEN LINK_TOURNAMENT\n");
        return 2;
    }
    const BannerPlan plans[] = {
        {HowToPlay, 10, 12, 250, 2},
        {Crossgen, 10, 15, 250, 2},
        {Tournament, 12, 25, 150, 2},
    };
    std::string file;
    for (int i = 0; i < 3; ++i) {
        const BannerPlan& plan = plans[i];
        std::vector<TGifFrame> frames;
        for (int f = 0; f < plan.frames; ++f)
            frames.push_back(Render(plan.paint, f, f + 1 == plan.frames ? plan.lastDelay : plan.delay));
        const std::string gif = EncodeGif(Width, Height, frames, true);
        if (gif.empty()) {
            std::fprintf(stderr, "make_banners: could not encode banner %d\n", i + 1);
            return 1;
        }
        AppendTwoPartRecord(file, IntToBytes(plan.repeat) + argv[2 + i], gif);
    }
    return WriteFileText(argv[1], file) ? 0 : 1;
}
