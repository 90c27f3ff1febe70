// What crossgen tells of the kinds with clues in the grid: the members a fill's JSON gives their
// words (the scanword's clue cell and clue number, the American's box in the strips) and the
// clue items draw --items lists after the grid.

#include "cli/CrosswordOptions.h"
#include "cli/KindNames.h"

#include "../crossword/CrosswordFixture.h"
#include "KindJson.h"

#include "kinds/EstonishCrossword.h"
#include "kinds/Skanword.h"
#include "kinds/Walls.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <regex>
#include <string>
#include <vector>

namespace {

class ClueJsonTest : public CrosswordTest {
protected:
    static std::string WordJson(const char* kind, const TCrossword& crossword, int slot) {
        const TKindName* name = FindKindName(kind);
        EXPECT_TRUE(name && name->JsonWordValues);
        return name && name->JsonWordValues ? name->JsonWordValues(crossword, slot) : std::string();
    }
};

}  // namespace

TEST_F(ClueJsonTest, ScanwordWordsNameTheirClueCellAndNumber) {
    // Both words of (1, 1) take their clue from the corner, the down word of column 3 from above;
    // the across word of row 3 has no arrow.
    auto crossword = Make<TSkanword>({"#####", "#....", "#.#.#", "#....", "#####"}, {"кот"});
    crossword->Template->SetAttrB(1, 1, 2 | 2 << 3);
    crossword->Template->SetAttrB(3, 1, 1);
    crossword->Template->NumberCells();
    crossword->PrepareForFill();
    struct TCase {
        int X;
        int Y;
        char Step;
        std::string Json;
    };
    const TCase cases[] = {
        {1, 1, '2', ", \"clueCell\": [0, 0], \"clueNumber\": 1"},
        {1, 1, '6', ", \"clueCell\": [0, 0], \"clueNumber\": 2"},
        {3, 1, '2', ", \"clueCell\": [3, 0], \"clueNumber\": 3"},
        {1, 3, '6', ", \"clueCell\": null, \"clueNumber\": null"},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Json);
        const int slot = c.Step == '2' ? Down(*crossword, c.X, c.Y, 3) : Across(*crossword, c.X, c.Y, 4);
        ASSERT_GE(slot, 0);
        EXPECT_EQ(WordJson("scanword", *crossword, slot), c.Json);
    }
}

// The definitions crossgen gives the words of a scanword fit their clue boxes at the smallest font.
TEST_F(ClueJsonTest, DefinitionsOfTheGridsCluesFitTheirBoxes) {
    std::string longText;
    for (int k = 0; k < 12; ++k) longText += "длинноеслово ";
    for (const bool fitting : {true, false}) {
        SCOPED_TRACE(fitting);
        DictionaryWord word{.text = Cp("кот"), .definition = Cp(longText + (fitting ? "; Зверь" : ""))};
        const std::string dictionary = Path("clues.wdi");
        ASSERT_TRUE(WriteDictionaryFile(dictionary, DictionaryLayout{}, {word}));
        // One down word under its clue cell.
        TSkanword crossword;
        crossword.Dictionary.ShowProgress = false;
        ASSERT_TRUE(crossword.LoadDictionary(dictionary));
        crossword.SetWidth(1);
        crossword.SetHeight(4);
        DrawGrid(*crossword.Template, {"#", ".", ".", "."});
        crossword.Template->SetAttrB(0, 1, 1);
        crossword.Template->NumberCells();
        crossword.PrepareForFill();
        int errCode = 0;
        TFillResult best;
        ASSERT_TRUE(crossword.Fill(0, 0, 1, 4, false, errCode, best)) << errCode;
        TDefinitionOptions options;
        options.Pick = true;
        for (int draw = 0; draw < 6; ++draw) {
            options.Apply(crossword);
            EXPECT_EQ(crossword.Words.SlotHasDefinition(0), fitting);
            if (fitting) { EXPECT_EQ(crossword.Words.SlotDefinition(0), Cp("Зверь")); }
        }
    }
}

TEST_F(ClueJsonTest, AmericanWordsNameTheirBoxInTheStrips) {
    // Row 0 holds two across words, row 1 one; walls below row 0 keep the columns apart.
    auto crossword = Make<TAmerican>({"......", "#....#"}, {"кот"});
    for (int x = 0; x < 6; ++x) crossword->Template->SetAttrA(x, 0, WallBit::Below | (x == 2 ? WallBit::Right : 0));
    crossword->Template->NumberCells();
    crossword->PrepareForFill();
    EXPECT_EQ(WordJson("american", *crossword, Across(*crossword, 0, 0, 3)), ", \"clueBox\": [-2, 0]");
    EXPECT_EQ(WordJson("american", *crossword, Across(*crossword, 3, 0, 3)), ", \"clueBox\": [-1, 0]");
    EXPECT_EQ(WordJson("american", *crossword, Across(*crossword, 1, 1, 4)), ", \"clueBox\": [-1, 1]");
}

namespace {

class ClueItemsTest : public KindCrossgenTest {};

}  // namespace

TEST_F(ClueItemsTest, DrawItemsListTheClueBoxesOfTheEmptyPuzzle) {
    // The scanword's corner (0, 0) serves two words, (3, 0) and (0, 3) one each; the American's
    // first row holds two words, its second one; the honeycomb has two numbered centres.
    const std::string scanword =
        "scanword 5x5\n# # # # #\n# .a18 . .a1 .\n# . # . #\n# .a24 . . .\n# # # # #\n";
    const std::string american = "american 6x2\n. .w1 .w3 .w1 .w1 .\n# . . . . #\n";
    const std::string honeycomb = "honeycomb 5x3 first-row=0 ring=0 mode=0\n. . . . .\n. o . o3 .\n. . . . .\n";
    const std::string numbers = Path("numbers.sty");
    std::ofstream(numbers) << "[SKANWORD_OPR]\r\nOPR_SHOW_TYPE=1\r\n";
    struct TCase {
        std::string Picture;
        bool Numbers;                    // the style shows clue numbers, else definitions
        std::vector<std::string> Texts;  // the clue texts in list order
        int Poles;                       // lines parting two-word clue cells
        int StripBoxes;                  // boxes left of or above the grid
    };
    const TCase cases[] = {
        {scanword, true, {"1", "2", "3", "4"}, 1, 0},
        // An empty puzzle has no definitions to show; the two-word cell is parted all the same.
        {scanword, false, {}, 1, 0},
        // The row's words in their order, the last next to the grid, then an empty box.
        {american, true, {"2", "1", "3"}, 0, 4},
        {american, false, {}, 0, 4},
        {honeycomb, true, {"1", "2"}, 0, 0},
        {"classic 2x1\n. .\n", true, {}, 0, 0},
    };
    static const std::regex text(R"re(^20 .* Text="([^"]*)"$)re");
    static const std::regex pole(R"re(^14 Name="CHAR_POLE" )re");
    // y runs upward: a box left of the grid has a negative x, one above it a positive y.
    static const std::regex stripBox(R"re(^1 .*( X=-| Y=[1-9]))re");
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Picture.substr(0, c.Picture.find('\n')) + (c.Numbers ? " numbers" : ""));
        const std::string picture = Path("in.txt");
        std::ofstream(picture) << c.Picture;
        std::vector<std::string> args = {"draw", "--picture", picture, "--items"};
        if (c.Numbers) args.insert(args.end(), {"--style", numbers});
        const Outcome run = Run(args);
        ASSERT_EQ(run.exitCode, ExitCode::Filled) << run.err;
        std::vector<std::string> texts;
        int poles = 0, strips = 0;
        std::istringstream lines(run.out);
        for (std::string line; std::getline(lines, line);) {
            std::smatch found;
            if (std::regex_match(line, found, text)) texts.push_back(found[1]);
            poles += std::regex_search(line, pole);
            strips += std::regex_search(line, stripBox);
        }
        EXPECT_EQ(texts, c.Texts) << run.out;
        EXPECT_EQ(poles, c.Poles);
        EXPECT_EQ(strips, c.StripBoxes);
    }
}

TEST_F(ClueItemsTest, FilledWordsTellWhereTheirCluesStand) {
    // The grids of the items test: each word's clue place depends on the template alone.
    const std::string lattice = "5x5\n# # # # #\n# .a18 . .a1 .\n# . # . #\n# .a24 . . .\n# # # # #\n";
    const std::vector<std::string> scanwordClues = {
        "1,1 across [0, 0] 2", "1,1 down [0, 0] 1", "1,3 across [0, 3] 4", "3,1 down [3, 0] 3"};
    struct TCase {
        std::string Picture;
        std::vector<std::string> Clues;  // "x,y direction place number", sorted
    };
    const TCase cases[] = {
        {"scanword " + lattice, scanwordClues},
        {"scanword2 " + lattice, scanwordClues},
        {"scanword3 " + lattice, scanwordClues},
        {"american 6x2\n. .w1 .w3 .w1 .w1 .\n# . . . . #\n", {"0,0 across [-2, 0] ", "1,1 across [-1, 1] ", "3,0 across [-1, 0] "}},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Picture.substr(0, c.Picture.find('\n')));
        const std::string picture = Path("in.txt");
        std::ofstream(picture) << c.Picture;
        const Outcome run = Run({"fill", "--picture", picture, "--json", "--seed", "3"});
        ASSERT_EQ(run.exitCode, ExitCode::Filled) << run.err;
        std::vector<std::string> clues;
        for (const nlohmann::json& word : JsonMember(run.out, "words")) {
            const nlohmann::json place = word.contains("clueCell") ? word["clueCell"] : word.value("clueBox", nlohmann::json());
            if (!place.is_array()) continue;
            const nlohmann::json number = word.value("clueNumber", nlohmann::json());
            clues.push_back(std::to_string(word["x"].get<int>()) + "," + std::to_string(word["y"].get<int>()) + " " +
                            word["direction"].get<std::string>() + " [" + std::to_string(place[0].get<int>()) + ", " +
                            std::to_string(place[1].get<int>()) + "] " +
                            (number.is_number() ? std::to_string(number.get<int>()) : std::string()));
        }
        std::sort(clues.begin(), clues.end());
        EXPECT_EQ(clues, c.Clues) << run.out;
    }
}

TEST_F(ClueItemsTest, TheDrawnAmericanMakesRoomForItsStrips) {
    // The same grid with walls as an Estonian template: the American's picture is two boxes wider.
    const std::string grid = "6x2\n. .w1 .w3 .w1 .w1 .\n# . . . . #\n";
    const auto width = [&](const std::string& kind) {
        const std::string picture = Path(kind + ".txt"), drawn = Path(kind + ".svg");
        std::ofstream(picture) << kind + " " + grid;
        const Outcome run = Run({"draw", "--picture", picture, "--out", drawn});
        EXPECT_EQ(run.exitCode, ExitCode::Filled) << run.err;
        std::ifstream in(drawn);
        const std::string svg((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        std::smatch found;
        return std::regex_search(svg, found, std::regex(R"re(<svg [^>]*width="(\d+)")re")) ? std::stoi(found[1]) : 0;
    };
    const int estonian = width("estonian");
    EXPECT_GT(estonian, 0);
    EXPECT_EQ(width("american"), estonian + 2 * 100);  // two boxes of the default cell size
}
