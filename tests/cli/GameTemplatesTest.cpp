// The game's data files as the build makes them: every template of "templates.col" keeps the
// rules of a game template, and crossgen fills every game size with the default files.

#include "platform/IndexCollection.h"
#include "platform/Process.h"
#include "template/ClassicShablon.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>

namespace {

const std::string DataDir = ZELVANA_DATA_DIR;

constexpr std::pair<int, int> GameSizes[] = {
    {8, 8},   {8, 9},   {9, 8},   {9, 9},   {12, 9},  {9, 12},  {12, 12}, {15, 9},
    {9, 15},  {15, 12}, {12, 15}, {15, 15}, {16, 12}, {12, 16}, {16, 16},
};

bool Connected(const TShablon& shablon) {
    std::vector<std::pair<int, int>> stack;
    std::vector<std::vector<bool>> seen(shablon.Width, std::vector<bool>(shablon.Height, false));
    int letters = 0;
    for (int x = 0; x < shablon.Width; ++x)
        for (int y = 0; y < shablon.Height; ++y)
            if (shablon.IsLetterCell(x, y)) {
                ++letters;
                if (stack.empty() && letters == 1) {
                    stack.emplace_back(x, y);
                    seen[x][y] = true;
                }
            }
    int reached = 0;
    while (!stack.empty()) {
        const auto [x, y] = stack.back();
        stack.pop_back();
        ++reached;
        constexpr std::pair<int, int> Steps[] = {{1, 0}, {-1, 0}, {0, 1}, {0, -1}};
        for (const auto& [dx, dy] : Steps) {
            const int nx = x + dx, ny = y + dy;
            if (shablon.IsOutside(nx, ny) || !shablon.IsLetterCell(nx, ny) || seen[nx][ny]) continue;
            seen[nx][ny] = true;
            stack.emplace_back(nx, ny);
        }
    }
    return letters > 0 && reached == letters;
}

// The share of the shards of every size the game offers that hold a letter cell.
double ShardsWithLetters(const TShablon& shablon) {
    int shards = 0, withLetters = 0;
    constexpr std::pair<int, int> ShardSizes[] = {{3, 3}, {4, 3}, {3, 4}, {4, 4}};
    for (const auto& [w, h] : ShardSizes) {
        if (shablon.Width % w != 0 || shablon.Height % h != 0) continue;
        for (int sx = 0; sx < shablon.Width; sx += w)
            for (int sy = 0; sy < shablon.Height; sy += h) {
                bool letter = false;
                for (int x = sx; x < sx + w; ++x)
                    for (int y = sy; y < sy + h; ++y) letter = letter || shablon.IsLetterCell(x, y);
                ++shards;
                withLetters += letter ? 1 : 0;
            }
    }
    return shards == 0 ? 0 : static_cast<double>(withLetters) / shards;
}

}  // namespace

TEST(GameTemplates, EveryTemplateKeepsTheRules) {
    TIndexCollection collection;
    collection.FileName = DataDir + "/templates.col";
    ASSERT_TRUE(collection.LoadFromFile());
    std::map<std::pair<int, int>, int> perSize;
    for (int i = 0; i < collection.Count(); ++i) {
        const std::string text = collection.EntryText(i);
        const std::string name = collection.EntryName(i);
        ASSERT_TRUE(text.starts_with("SHABLON  0")) << name;
        const int width = static_cast<unsigned char>(text[10]) - 48;
        const int height = static_cast<unsigned char>(text[11]) - 48;
        TClassicShablon shablon(width, height);
        ASSERT_TRUE(shablon.ParseTemplate(std::string_view(text).substr(9), 0, 0)) << name;
        ++perSize[{width, height}];

        TShablonWords slots;
        for (int x = 0; x < width; ++x)
            for (int y = 0; y < height; ++y) {
                EXPECT_EQ(shablon.IsLetterCell(x, y), shablon.IsLetterCell(width - 1 - x, height - 1 - y))
                    << name << " is not symmetric at " << x << "," << y;
                if (!shablon.IsLetterCell(x, y)) continue;
                shablon.WordsThroughCell(x, y, slots);
                EXPECT_GT(slots.Count(), 0) << name << ": a letter cell in no slot at " << x << "," << y;
                for (int s = 0; s < slots.Count(); ++s)
                    EXPECT_GE(slots.WordLength(s), 3) << name << ": a short slot at " << x << "," << y;
            }
        EXPECT_TRUE(Connected(shablon)) << name;
        for (int x = 0; x < width; ++x) {
            bool letter = false;
            for (int y = 0; y < height; ++y) letter = letter || shablon.IsLetterCell(x, y);
            EXPECT_TRUE(letter) << name << ": column " << x << " holds no letter";
        }
        for (int y = 0; y < height; ++y) {
            bool letter = false;
            for (int x = 0; x < width; ++x) letter = letter || shablon.IsLetterCell(x, y);
            EXPECT_TRUE(letter) << name << ": row " << y << " holds no letter";
        }
        EXPECT_GE(ShardsWithLetters(shablon), 0.9) << name;
    }
    for (const auto& size : GameSizes) EXPECT_GE(perSize[size], 20) << size.first << "x" << size.second;
    EXPECT_EQ(perSize.size(), std::size(GameSizes));
}

TEST(GameTemplates, CrossgenFillsEverySizeWithTheDefaultFiles) {
    // crossgen looks for "templates.col" in the working directory, like the game; the test's own
    // working directory comes back however the test ends.
    struct ScopedWorkingDirectory {
        explicit ScopedWorkingDirectory(const std::filesystem::path& path) { std::filesystem::current_path(path); }
        ~ScopedWorkingDirectory() { std::filesystem::current_path(previous); }
        std::filesystem::path previous = std::filesystem::current_path();
    };
    const ScopedWorkingDirectory inData(DataDir);
    for (const char* method : {"propagate", "backtrack"})
        for (const auto& [width, height] : GameSizes) {
            const std::string size = std::to_string(width) + "x" + std::to_string(height);
            const ProcessResult run =
                RunProcess({DataDir + "/crossgen", "fill", "--size", size, "--seed", "1", "--method", method, "--json"});
            EXPECT_EQ(run.exitCode, 0) << size << ": " << run.output;
            EXPECT_NE(run.output.find("\"filled\": true, \"method\": \"" + std::string(method) + "\", \"error\": 0"),
                      std::string::npos)
                << size;
            EXPECT_EQ(run.output.find('.'), run.output.rfind('.')) << size << ": an empty letter cell";
        }
}
