// crossgen with the diagonal kind, on the game's collection and dictionary: the fill's JSON is
// checked on its own against the lattice, the words against the dictionary and the classic fill
// of the same size and seed, and the other commands against the fill.

#include "../crossword/CrosswordFixture.h"

#include "KindJson.h"

#include "dictionary/FileHelpers.h"
#include "platform/Metafile.h"

#include <algorithm>
#include <filesystem>
#include <map>
#include <regex>
#include <sstream>

namespace {

struct TJsonWord {
    int X = 0, Y = 0;
    std::string Direction;
    std::vector<std::pair<int, int>> Cells;
    std::string Word;  // cp1251
};

std::vector<TJsonWord> WordsOf(const std::string& json) {
    std::vector<TJsonWord> words;
    const nlohmann::json list = JsonMember(json, "words");
    if (!list.is_array()) return words;
    for (const nlohmann::json& word : list)
        words.push_back({word.at("x").get<int>(), word.at("y").get<int>(), word.at("direction").get<std::string>(),
                         JsonCellPairs(word.at("cells")), FromUtf8(word.at("word").get<std::string>())});
    return words;
}

// The JSON up to the fill time, which differs between runs.
std::string WithoutTime(const std::string& json) {
    return json.substr(0, json.find("\"ms\""));
}

// The JSON members before "filled", as show prints them.
std::string GridPart(const std::string& json) {
    return json.substr(0, json.find(", \"filled\""));
}

// The grid's letter cells, "." each, and its other cells.
std::vector<std::string> Shape(const std::string& json) {
    std::vector<std::string> rows = JsonRows(json);
    for (std::string& row : rows) std::replace_if(row.begin(), row.end(), [](char c) { return c != '#'; }, '.');
    return rows;
}

class DiagonalKind : public CrosswordTest {
protected:
    void SetUp() override {
        CrosswordTest::SetUp();
        RegisterKinds();
        mDefaults = {DataDir + "/templates.col", DataDir + "/dic1.wdi"};
        ASSERT_TRUE(LoadWordList(mDictionary, mDefaults.DictionaryFile));
    }

    Outcome Run(const std::vector<std::string>& args) const { return RunCrossgenWith(args, mDefaults); }

    // A filled crossword's JSON, made twice to see that the seed repeats it.
    std::string Fill(std::vector<std::string> args) {
        args.insert(args.begin(), "fill");
        args.insert(args.end(), {"--json", "--seed", "7"});
        const Outcome run = Run(args);
        EXPECT_EQ(run.exitCode, ExitCode::Filled) << run.err << run.out;
        EXPECT_EQ(WithoutTime(Run(args).out), WithoutTime(run.out));
        return run.out;
    }

    static std::vector<int> Lengths(const std::vector<TJsonWord>& words) {
        std::vector<int> lengths;
        for (const TJsonWord& word : words) lengths.push_back(static_cast<int>(word.Cells.size()));
        std::sort(lengths.begin(), lengths.end());
        return lengths;
    }

    static inline const std::string DataDir = ZELVANA_DATA_DIR;
    TCrossgenDefaults mDefaults;
    TWorkDictionary mDictionary;
};

}  // namespace

TEST_F(DiagonalKind, FillRunsItsWordsAlongTheDiagonalsOfTheLattice) {
    const std::string json = Fill({"--kind", "diagonal", "--size", "9x9"});
    const std::vector<TJsonWord> words = WordsOf(json);
    const std::vector<std::string> rows = JsonRows(json);
    ASSERT_FALSE(words.empty());
    for (const TJsonWord& word : words) {
        SCOPED_TRACE(ToUtf8(word.Word));
        int entry = 0;
        EXPECT_TRUE(mDictionary.Find(mDictionary.ToLowerText(word.Word), entry));
        ASSERT_EQ(word.Cells.size(), word.Word.size());
        EXPECT_EQ(word.Cells.front(), std::pair(word.X, word.Y));
        const int dx = word.Direction == "down-right" ? 1 : word.Direction == "down-left" ? -1 : 0;
        ASSERT_NE(dx, 0) << word.Direction;
        for (std::size_t i = 0; i < word.Cells.size(); ++i) {
            const auto [x, y] = word.Cells[i];
            EXPECT_EQ((x + y) % 2, 0);
            if (i > 0) { EXPECT_EQ(word.Cells[i], std::pair(word.Cells[i - 1].first + dx, word.Cells[i - 1].second + 1)); }
            ASSERT_LT(static_cast<std::size_t>(y), rows.size());
            ASSERT_LT(static_cast<std::size_t>(x), rows[y].size());
            EXPECT_EQ(rows[y][x], word.Word[i]);
        }
    }
    // The lattice holds the classic template the same seed picks, so its slots are the classic ones.
    const std::string classic = Fill({"--size", "9x9"});
    EXPECT_EQ(Lengths(words), Lengths(WordsOf(classic)));
}

TEST_F(DiagonalKind, TemplateFilesSavedCrosswordsAndPicturesRoundTrip) {
    const std::vector<std::string> size = {"--kind", "diagonal", "--size", "9x9", "--seed", "7"};
    std::vector<std::string> made = {"template", "--out", Path("d.shb")};
    made.insert(made.end(), size.begin(), size.end());
    ASSERT_EQ(Run(made).exitCode, ExitCode::Filled);
    EXPECT_EQ(Shape(Fill({"--template", Path("d.shb")})), Shape(Fill({"--kind", "diagonal", "--size", "9x9"})));

    std::vector<std::string> printed = {"template"};
    printed.insert(printed.end(), size.begin(), size.end());
    const Outcome picture = Run(printed);
    ASSERT_EQ(picture.exitCode, ExitCode::Filled) << picture.err;
    EXPECT_EQ(picture.out.substr(0, picture.out.find(' ')), "diagonal");
    ASSERT_TRUE(WriteFileText(Path("d.txt"), picture.out));
    EXPECT_EQ(Run({"template", "--picture", Path("d.txt")}).out, picture.out);

    const std::string json = Fill({"--kind", "diagonal", "--size", "9x9", "--save", Path("d.crw")});
    const Outcome shown = Run({"show", Path("d.crw"), "--json"});
    ASSERT_EQ(shown.exitCode, ExitCode::Filled) << shown.err;
    EXPECT_EQ(shown.out, GridPart(json) + "}\n");

    const Outcome clues = Run({"clues", Path("d.crw"), "--split", "--headings"});
    ASSERT_EQ(clues.exitCode, ExitCode::Filled) << clues.err;
    const std::size_t downRight = clues.out.find("Слева-вниз-направо:"), downLeft = clues.out.find("Справа-вниз-налево:");
    EXPECT_NE(downRight, std::string::npos) << clues.out;
    EXPECT_NE(downLeft, std::string::npos) << clues.out;
    EXPECT_LT(downRight, downLeft);
}

// Every mode draws a picture; the codeword mode is taller by its table, and mode 4 is mode 1.
TEST_F(DiagonalKind, EveryModeDrawsAPicture) {
    Fill({"--kind", "diagonal", "--size", "9x9", "--save", Path("d.crw")});
    std::map<int, std::string> pictures;
    for (int mode = 0; mode <= 6; ++mode) {
        SCOPED_TRACE(mode);
        const std::string out = Path("m" + std::to_string(mode) + ".svg");
        const Outcome run = Run({"picture", Path("d.crw"), "--out", out, "--mode", std::to_string(mode), "--seed", "1"});
        ASSERT_EQ(run.exitCode, ExitCode::Filled) << run.err;
        std::string svg;
        ASSERT_TRUE(ReadFileText(out, svg));
        EXPECT_NE(svg.find("<path"), std::string::npos);
        pictures[mode] = svg;
    }
    const std::regex height(R"re(height="(\d+)(?:pt)?")re");
    std::smatch grid, codeword;
    ASSERT_TRUE(std::regex_search(pictures[0], grid, height));
    ASSERT_TRUE(std::regex_search(pictures[2], codeword, height));
    EXPECT_GT(std::stoi(codeword[1]), std::stoi(grid[1]));
    const std::regex surface("surface[0-9]+");
    EXPECT_EQ(std::regex_replace(pictures[4], surface, ""), std::regex_replace(pictures[1], surface, ""));
}
