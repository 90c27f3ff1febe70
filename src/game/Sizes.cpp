#include "Sizes.h"

#include "platform/Text.h"

#include <algorithm>

const std::vector<TSize>& TemplateSizes() {
    static const std::vector<TSize> sizes = {
        {8, 8},   {8, 9},   {9, 8},   {9, 9},   {12, 9},  {9, 12},  {12, 12}, {15, 9},
        {9, 15},  {15, 12}, {12, 15}, {15, 15}, {16, 12}, {12, 16}, {16, 16},
    };
    return sizes;
}

std::vector<TSize> ShardSizesFor(int W, int H) {
    std::vector<TSize> sizes;
    for (const TSize shard : {TSize{3, 3}, TSize{4, 3}, TSize{3, 4}, TSize{4, 4}})
        if (W % shard.Width == 0 && H % shard.Height == 0) sizes.push_back(shard);
    return sizes;
}

bool IsTemplateSize(int W, int H) {
    const auto& sizes = TemplateSizes();
    return std::find(sizes.begin(), sizes.end(), TSize{W, H}) != sizes.end();
}

bool IsShardSizeFor(int W, int H, int w, int h) {
    const auto sizes = ShardSizesFor(W, H);
    return std::find(sizes.begin(), sizes.end(), TSize{w, h}) != sizes.end();
}

std::string SizeText(TSize size) {
    return Format("%dx%d", size.Width, size.Height);
}
