#include "game/Sizes.h"

#include <gtest/gtest.h>

TEST(Sizes, EveryMenuTextParses) {
    for (const TSize size : TemplateSizes()) {
        EXPECT_EQ(ParseTemplateSize(SizeText(size)), size) << SizeText(size);
        for (const TSize shard : ShardSizesFor(size.Width, size.Height)) {
            const std::string rating = SizeText(size) + " (" + SizeText(shard) + ")";
            EXPECT_EQ(ParseTemplateSize(rating), size) << rating;
            EXPECT_EQ(ParseShardSize(rating), shard) << rating;
            EXPECT_EQ(ParseShardSize(SizeText(shard)), shard);
        }
    }
    EXPECT_EQ(ParseTemplateSize("12x9 (4x3)"), (TSize{12, 9}));
    EXPECT_EQ(ParseShardSize("12x9 (4x3)"), (TSize{4, 3}));
    EXPECT_EQ(ParseTemplateSize("ab"), (TSize{1, 1}));
    EXPECT_EQ(ParseTemplateSize(""), (TSize{1, 1}));
}

TEST(Sizes, ShardSizesFollowDivisibilityInMenuOrder) {
    using List = std::vector<TSize>;
    EXPECT_EQ(ShardSizesFor(15, 12), (List{{3, 3}, {3, 4}}));
    EXPECT_EQ(ShardSizesFor(16, 12), (List{{4, 3}, {4, 4}}));
    EXPECT_EQ(ShardSizesFor(12, 12), (List{{3, 3}, {4, 3}, {3, 4}, {4, 4}}));
    EXPECT_EQ(ShardSizesFor(8, 9), (List{{4, 3}}));
    for (const TSize size : TemplateSizes()) EXPECT_FALSE(ShardSizesFor(size.Width, size.Height).empty());
    EXPECT_EQ(TemplateSizes().size(), 15u);
    EXPECT_EQ(TemplateSizes()[DefaultTemplateSize], (TSize{12, 12}));
}
