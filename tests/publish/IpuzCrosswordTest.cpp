#include "PublishFixture.h"

#include "crossword/CrosswordFactory.h"
#include "publish/IpuzCrossword.h"
#include "publish/IpuzFormat.h"

#include <nlohmann/json.hpp>

#include <functional>

namespace {

using nlohmann::json;

class IpuzCrosswordTest : public PublishTest {
protected:
    static json Written(const TCrossword& crossword) {
        return json::parse(IpuzText(PuzzleOfCrossword(crossword, {"Заголовок", "Автор", "© 2026", "Заметки"})));
    }

    // The fields every ipuz crossword must have, the grid's shape and its solution rows.
    static void ExpectCrosswordFields(const json& file, const TCrossword& crossword, const GridPicture& solution) {
        EXPECT_EQ(file["version"], "http://ipuz.org/v2");
        ASSERT_TRUE(file["kind"].is_array());
        EXPECT_EQ(file["kind"][0], "http://ipuz.org/crossword#1");
        EXPECT_EQ(file["dimensions"]["width"], crossword.Width);
        EXPECT_EQ(file["dimensions"]["height"], crossword.Height);
        EXPECT_EQ(file["title"], "Заголовок");
        EXPECT_EQ(file["author"], "Автор");
        EXPECT_EQ(file["copyright"], "© 2026");
        EXPECT_EQ(file["notes"], "Заметки");
        ASSERT_EQ(file["puzzle"].size(), static_cast<std::size_t>(crossword.Height));
        ASSERT_EQ(file["solution"].size(), static_cast<std::size_t>(crossword.Height));
        for (int y = 0; y < crossword.Height; ++y) {
            ASSERT_EQ(file["puzzle"][y].size(), static_cast<std::size_t>(crossword.Width));
            std::string row;
            for (const json& cell : file["solution"][y]) row += cell.get<std::string>();
            EXPECT_EQ(row, solution[y]) << "row " << y;
        }
    }

    static std::size_t ClueCount(const json& file) {
        std::size_t count = 0;
        for (const auto& [direction, clues] : file["clues"].items()) count += clues.size();
        return count;
    }
};

TEST_F(IpuzCrosswordTest, ClassicCrosswordHasItsNumbersBlocksSolutionAndNumberedClues) {
    const auto crossword = Classic();
    const json file = Written(*crossword);
    ExpectCrosswordFields(file, *crossword, {"КОТ", "О#А", "МАК"});
    EXPECT_EQ(file["puzzle"], json::parse(R"([[1, 0, 2], [0, "#", 0], [3, 0, 0]])"));
    EXPECT_EQ(file["clues"]["Across"], json::parse(R"([
        {"number": 1, "clue": "Домашний зверь", "enumeration": "3", "cells": [[1, 1], [2, 1], [3, 1]]},
        {"number": 3, "clue": "Цветок", "enumeration": "3", "cells": [[1, 3], [2, 3], [3, 3]]}])"));
    ASSERT_EQ(file["clues"]["Down"].size(), 2u);
    EXPECT_EQ(file["clues"]["Down"][1]["number"], 2);
    EXPECT_EQ(file["clues"]["Down"][1]["cells"], json::parse("[[3, 1], [3, 2], [3, 3]]"));
}

TEST_F(IpuzCrosswordTest, EstonianWallsBecomeBars) {
    const auto crossword = Estonian();
    const json file = Written(*crossword);
    ExpectCrosswordFields(file, *crossword, {"АБВ", "ГДЕ", "ЖЗИ"});
    EXPECT_EQ(file["puzzle"][0][0], json::parse(R"({"cell": 1, "style": {"barred": "R"}})"));
    EXPECT_EQ(file["puzzle"][0][1], 2);
    // Three down words and three across words, the first row's cut short by the bar.
    EXPECT_EQ(file["clues"]["Down"].size(), 3u);
    EXPECT_EQ(file["clues"]["Across"].size(), 3u);
    EXPECT_EQ(file["clues"]["Across"][0]["cells"], json::parse("[[2, 1], [3, 1]]"));
}

TEST_F(IpuzCrosswordTest, ScanwordIsAnArrowwordWithTheClueCellOfEveryClue) {
    const auto crossword = Scanword();
    const json file = Written(*crossword);
    ExpectCrosswordFields(file, *crossword, {"#####", "#СКАН", "#О#О#", "#МОСТ", "#####"});
    EXPECT_EQ(file["kind"][1], "http://ipuz.org/crossword/arrowword#1");
    EXPECT_EQ(file["clueplacement"], "blocks");
    EXPECT_EQ(ClueCount(file), 4u);
    // The corner serves both words of (1, 1); column 3's clue stands above it, row 3's left of it.
    std::map<std::string, json> locations;
    for (const auto& [direction, clues] : file["clues"].items())
        for (const json& clue : clues) locations[direction + " " + clue["cells"][0].dump()] = clue["location"];
    EXPECT_EQ(locations["Across [2,2]"], json::parse("[1, 1]"));
    EXPECT_EQ(locations["Down [2,2]"], json::parse("[1, 1]"));
    EXPECT_EQ(locations["Down [4,2]"], json::parse("[4, 1]"));
    EXPECT_EQ(locations["Across [2,4]"], json::parse("[1, 4]"));
}

TEST_F(IpuzCrosswordTest, WriteThenImportGivesTheSameGridWordsAndClues) {
    const std::vector<std::pair<const char*, std::function<std::unique_ptr<TCrossword>()>>> cases = {
        {"classic", [this] { return Classic(); }},
        {"estonian", [this] { return Estonian(); }},
        {"diagonal", [this] { return Diagonal(); }},
        {"scanword", [this] { return Scanword(); }},
    };
    for (const auto& [name, make] : cases) {
        SCOPED_TRACE(name);
        const auto original = make();
        const TIpuzRead read = ReadIpuz(IpuzText(PuzzleOfCrossword(*original, {})));
        ASSERT_TRUE(read.Ok) << read.Error;
        const TIpuzImport imported = CrosswordOfPuzzle(read.Puzzle);
        ASSERT_TRUE(imported.Crossword) << imported.Error;
        EXPECT_TRUE(imported.Solved);
        const TCrossword& copy = *imported.Crossword;
        EXPECT_EQ(copy.Kind, original->Kind);
        EXPECT_EQ(Letters(copy), Letters(*original));
        EXPECT_EQ(SlotsOf(copy), SlotsOf(*original));
        for (int y = 0; y < original->Height; ++y)
            for (int x = 0; x < original->Width; ++x) {
                EXPECT_EQ(copy.Template->GetAttrA(x, y), original->Template->GetAttrA(x, y)) << x << "," << y;
                EXPECT_EQ(copy.Template->GetAttrB(x, y), original->Template->GetAttrB(x, y)) << x << "," << y;
                EXPECT_EQ(copy.Template->GetNumber(x, y), original->Template->GetNumber(x, y)) << x << "," << y;
            }
    }
}

TEST_F(IpuzCrosswordTest, KindsWithoutAnIpuzPuzzleAreRefused) {
    for (const TCrosswordKind kind : {TCrosswordKind::Chainword, TCrosswordKind::LineSkanword, TCrosswordKind::FootBall,
                                      TCrosswordKind::Honey, TCrosswordKind::Honey8, TCrosswordKind::Circle,
                                      TCrosswordKind::CrossChainword, TCrosswordKind::Knight}) {
        const auto crossword = CreateCrossword(static_cast<int>(kind));
        ASSERT_TRUE(crossword);
        EXPECT_FALSE(IpuzHoldsKind(*crossword)) << static_cast<int>(kind);
    }
    for (const TCrosswordKind kind : {TCrosswordKind::Classic, TCrosswordKind::American, TCrosswordKind::Skanword3,
                                      TCrosswordKind::English, TCrosswordKind::Diagonal})
        EXPECT_TRUE(IpuzHoldsKind(*CreateCrossword(static_cast<int>(kind)))) << static_cast<int>(kind);
}

}  // namespace
