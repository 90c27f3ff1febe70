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

namespace {

// The whole number written in text, or 1 when it is not one.
int NumberOr1(std::string_view text) {
    if (text.empty()) return 1;
    int value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') return 1;
        value = value * 10 + (c - '0');
    }
    return value;
}

std::string_view Part(std::string_view text, std::size_t from, std::size_t count) {
    return from < text.size() ? text.substr(from, count) : std::string_view();
}

}  // namespace

TSize ParseTemplateSize(std::string_view text) {
    const auto bracket = text.find(" (");
    if (bracket != std::string_view::npos) text = text.substr(0, bracket);
    if (Part(text, 1, 1) == "x") return {NumberOr1(Part(text, 0, 1)), NumberOr1(Part(text, 2, 2))};
    return {NumberOr1(Part(text, 0, 2)), NumberOr1(Part(text, 3, 2))};
}

TSize ParseShardSize(std::string_view text) {
    const auto bracket = text.find('(');
    if (bracket != std::string_view::npos) text = text.substr(bracket + 1);
    const auto digit = [&](std::size_t i) { return i < text.size() ? text[i] - '0' : 0; };
    return {digit(0), digit(2)};
}

std::string SizeText(TSize size) {
    return Format("%dx%d", size.Width, size.Height);
}
