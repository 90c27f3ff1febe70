#pragma once

// The puzzle sizes the game offers: 15 template sizes and, for each, the shard sizes that
// divide it.

#include <string>
#include <string_view>
#include <vector>

struct TSize {
    int Width;
    int Height;

    bool operator==(const TSize&) const = default;
};

// The template sizes in menu order ("8x8" .. "16x16"); the seventh, 12 x 12, is chosen at first.
const std::vector<TSize>& TemplateSizes();
constexpr int DefaultTemplateSize = 6;

// The shard sizes for a W x H template, in menu order: 3x3, 4x3, 3x4, 4x4 where they divide it.
std::vector<TSize> ShardSizesFor(int W, int H);

bool IsTemplateSize(int W, int H);
// True when w x h is among ShardSizesFor(W, H).
bool IsShardSizeFor(int W, int H, int w, int h);

// The template size of a menu text: "12x9" (simple menu) or "12x9 (4x3)" (rating menu).
// A part that is not a number counts as 1.
TSize ParseTemplateSize(std::string_view text);
// The shard size of a menu text: "4x3" (simple menu) or "12x9 (4x3)" (rating menu).
TSize ParseShardSize(std::string_view text);

// "WxH", as the menus show a size.
std::string SizeText(TSize size);
