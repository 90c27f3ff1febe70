#include "PublishFixture.h"

#include "publish/IpuzCrossword.h"
#include "publish/IpuzFormat.h"

#include <string>

namespace {

class IpuzFormatTest : public PublishTest {};

// A crossword written by hand to the format's documentation: labelled and plain clues, a label
// after the direction's name, a cell object, the default block and empty values, no cells
// lists (the words come from the numbers).
const char* const HandMade = R"({
  "version": "http://ipuz.org/v2",
  "kind": ["http://ipuz.org/crossword#1"],
  "title": "Вручную",
  "author": "Тест",
  "dimensions": {"width": 3, "height": 3},
  "puzzle": [[{"cell": 1, "style": {"shapebg": "circle"}}, 0, 2],
             [0, "#", 0],
             [3, 0, 0]],
  "solution": [["К", "О", "Т"],
               ["О", "#", "А"],
               ["М", "А", {"value": "К"}]],
  "clues": {
    "Across:По горизонтали": [[1, "Мурлыка"], {"number": 3, "clue": "Цветок", "enumeration": 3}],
    "Down": [[1, "Снежный шар"], [2, "Именно"]]
  }
})";

TEST_F(IpuzFormatTest, AHandMadeCrosswordIsReadAsTheDocumentationDescribesIt) {
    const TIpuzRead read = ReadIpuz(HandMade);
    ASSERT_TRUE(read.Ok) << read.Error;
    const TIpuzPuzzle& puzzle = read.Puzzle;
    EXPECT_EQ(puzzle.Kind, TIpuzKind::Crossword);
    EXPECT_EQ(puzzle.Title, "Вручную");
    EXPECT_EQ(puzzle.Cell(0, 0).Number, 1);
    EXPECT_TRUE(puzzle.Cell(1, 0).Letter);
    EXPECT_FALSE(puzzle.Cell(1, 1).Letter);
    EXPECT_EQ(puzzle.Cell(2, 2).Solution, "К");
    ASSERT_EQ(puzzle.Clues.size(), 4u);
    EXPECT_EQ(puzzle.Clues[0].Direction, "Across");
    EXPECT_EQ(puzzle.Clues[1].Number, 3);

    const TIpuzImport imported = CrosswordOfPuzzle(puzzle);
    ASSERT_TRUE(imported.Crossword) << imported.Error;
    EXPECT_EQ(imported.Crossword->Kind, TCrosswordKind::Classic);
    EXPECT_EQ(Letters(*imported.Crossword), (GridPicture{"кот", "о#а", "мак"}));
    EXPECT_EQ(SlotsOf(*imported.Crossword),
              (std::vector<std::string>{"0,0 22 ком | Снежный шар", "0,0 66 кот | Мурлыка", "0,2 66 мак | Цветок",
                                        "2,0 22 так | Именно"}));
}

TEST_F(IpuzFormatTest, CellsCountedFromZeroAreTakenSo) {
    const TIpuzRead read = ReadIpuz(R"({"version": "http://ipuz.org/v2", "kind": ["http://ipuz.org/crossword#1"],
        "dimensions": {"width": 2, "height": 1}, "puzzle": [[1, 0]],
        "clues": {"Across": [{"number": 1, "clue": "Да", "cells": [[0, 0], [1, 0]]}]}})");
    ASSERT_TRUE(read.Ok) << read.Error;
    EXPECT_EQ(read.Puzzle.Clues[0].Cells, (std::vector<TIpuzCellRef>{{0, 0}, {1, 0}}));
}

TEST_F(IpuzFormatTest, DamagedAndHostileFilesAreNamedNotFollowed) {
    const std::string head = R"("version": "http://ipuz.org/v2", "kind": ["http://ipuz.org/crossword#1"], )";
    const std::string grid = R"("dimensions": {"width": 2, "height": 2}, "puzzle": [[1, 2], [3, 0]])";
    const struct {
        std::string file;
        const char* complaint;
    } cases[] = {
        {"", "is not JSON"},
        {"{\"version\": ", "is not JSON"},
        {"[1, 2]", "is not a JSON object"},
        {std::string(100, '[') + std::string(100, ']'), "nests lists deeper"},
        {"{" + grid + "}", "version"},
        {R"({"version": "http://ipuz.org/v2", "kind": ["http://ipuz.org/wordsearch#1"], )" + grid + "}", "not a crossword"},
        {"{" + head + R"("dimensions": {"width": 0, "height": 2}, "puzzle": []})", "\"width\" from 1 to 200"},
        {"{" + head + R"("dimensions": {"width": 2, "height": 100000}, "puzzle": []})", "\"height\" from 1 to 200"},
        {"{" + head + R"("dimensions": {"width": 2, "height": 2}})", "no \"puzzle\""},
        {"{" + head + R"("dimensions": {"width": 2, "height": 2}, "puzzle": [[1, 2]]})", "list of 2 rows"},
        {"{" + head + R"("dimensions": {"width": 2, "height": 2}, "puzzle": [[1, 2], [3]]})", "row 2 of \"puzzle\""},
        {"{" + head + R"("dimensions": {"width": 2, "height": 2}, "puzzle": [[1, 2], [3, true]]})", "cell [2, 2]"},
        {"{" + head + R"("dimensions": {"width": 2, "height": 2}, "puzzle": [[1, 2], [3, {"cell": 0, "style": {"barred": "X"}}]]})",
         "bars of cell [2, 2]"},
        {"{" + head + grid + R"(, "solution": [["А", "Б"], ["В", "#"]]})", "block in \"solution\""},
        {"{" + head + R"("dimensions": {"width": 2, "height": 2}, "puzzle": [[1, "#"], [3, 0]], "solution": [["А", "Б"], ["В", "Г"]]})",
         "holds a letter"},
        {"{" + head + grid + R"(, "clues": {"Across": [{"number": 1, "clue": "Да", "cells": [[1, 1], [3, 1]]}]}})", "outside the grid"},
        {"{" + head + grid + R"(, "clues": {"Across": [[1, 2]]}})", "is not a text"},
        {"{" + head + grid + R"(, "clues": {"Across": [{"number": 1, "cells": [[1, "a"]]}]}})", "no number"},
        {"{" + head + grid + R"(, "clues": ["Across"]})", "\"clues\" is not an object"},
    };
    for (const auto& c : cases) {
        const TIpuzRead read = ReadIpuz(c.file);
        EXPECT_FALSE(read.Ok) << c.file;
        EXPECT_NE(read.Error.find(c.complaint), std::string::npos) << c.file << "\n -> " << read.Error;
    }
}

TEST_F(IpuzFormatTest, PuzzlesThatCannotBecomeACrosswordSayWhy) {
    const std::string head = R"({"version": "http://ipuz.org/v2", "kind": ["http://ipuz.org/crossword#1"],
        "dimensions": {"width": 3, "height": 1}, "puzzle": [[1, 0, 0]], )";
    const struct {
        std::string file;
        const char* complaint;
    } cases[] = {
        {head + R"("clues": {"Sideways": [[1, "Вбок"]]}})", "only across, down and diagonal"},
        {head + R"("clues": {"Diagonal": [[1, "Косо"]], "Across": [[1, "Прямо"]]}})", "mixes diagonal words"},
        {R"({"version": "http://ipuz.org/v2", "kind": ["http://ipuz.org/crossword#1"],
            "dimensions": {"width": 2, "height": 2}, "puzzle": [[1, 0], [0, 0]],
            "clues": {"Diagonal": [[1, "Косо"]]}})", "off their lattice"},
        {head + R"("clues": {"Across": [[5, "Нет такого"]]}})", "no word of its number"},
        {head + R"("clues": {"Across": [{"number": 1, "cells": [[1, 1], [3, 1]]}]}})", "no word of the grid"},
        {head + R"("clues": {"Across": [[1, "Раз"], [1, "Два"]]}})", "second clue of one word"},
        {head + R"("solution": [["К", "О", null]]})", "leaves letter cells empty"},
        {head + R"("solution": [["К", "ОТ", "Т"]]})", "not one letter"},
        {head + R"("solution": [["К", "😀", "Т"]]})", "not one letter"},
        {R"({"version": "http://ipuz.org/v2", "kind": ["http://ipuz.org/crossword#1"],
            "dimensions": {"width": 7, "height": 1}, "puzzle": [[1, 0, 0, "#", 2, 0, 0]],
            "solution": [["К", "О", "Т", "#", "К", "О", "Т"]]})", "twice"},
        {R"({"version": "http://ipuz.org/v2", "kind": ["http://ipuz.org/crossword#1", "http://ipuz.org/crossword/arrowword#1"],
            "dimensions": {"width": 3, "height": 2}, "puzzle": [["#", "#", "#"], [0, 0, 0]],
            "clues": {"Across": [{"clue": "Где?", "cells": [[1, 2], [2, 2], [3, 2]]}]}})", "stands in no block"},
    };
    for (const auto& c : cases) {
        const TIpuzRead read = ReadIpuz(c.file);
        ASSERT_TRUE(read.Ok) << c.file << "\n -> " << read.Error;
        const TIpuzImport imported = CrosswordOfPuzzle(read.Puzzle);
        EXPECT_FALSE(imported.Crossword) << c.file;
        EXPECT_NE(imported.Error.find(c.complaint), std::string::npos) << c.file << "\n -> " << imported.Error;
    }
}

}  // namespace
