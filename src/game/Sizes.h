#pragma once

// The puzzle sizes the game offers: 15 template sizes and, for each, the shard sizes that
// divide it.

#include <string>
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

// "WxH", as the menus show a size.
std::string SizeText(TSize size);
