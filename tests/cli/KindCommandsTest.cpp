#include "../crossword/CrosswordFixture.h"

#include "KindJson.h"

#include "cli/TemplatePicture.h"
#include "dictionary/FileHelpers.h"
#include "platform/IndexCollection.h"
#include "template/ClassicShablon.h"

#include <algorithm>
#include <cstdio>
#include <map>
#include <sstream>

namespace {

// One word of a fill's JSON, its letters in cp1251.
struct JsonWord {
    int x = 0, y = 0;
    std::string path;
    std::vector<TCell> cells;
    std::string word;
};

// The text of the JSON string that begins after key at or after from.
std::string JsonText(const std::string& json, const std::string& key, std::size_t from = 0) {
    const std::size_t at = json.find(key, from);
    if (at == std::string::npos) return {};
    const std::size_t start = at + key.size();
    return json.substr(start, json.find('"', start) - start);
}

// The [x, y] pairs of a text.
std::vector<TCell> JsonCells(const std::string& text) {
    std::vector<TCell> cells;
    for (std::size_t at = text.find('['); at != std::string::npos; at = text.find('[', at + 1)) {
        int x = 0, y = 0;
        if (std::sscanf(text.c_str() + at, "[%d, %d]", &x, &y) == 2)
            cells.push_back({static_cast<uint8_t>(x), static_cast<uint8_t>(y)});
    }
    return cells;
}

std::vector<JsonWord> JsonWords(const std::string& json) {
    std::vector<JsonWord> words;
    for (std::size_t at = json.find("{\"x\": "); at != std::string::npos; at = json.find("{\"x\": ", at + 1)) {
        JsonWord word;
        EXPECT_EQ(std::sscanf(json.c_str() + at, "{\"x\": %d, \"y\": %d", &word.x, &word.y), 2);
        word.path = JsonText(json, "\"path\": \"", at);
        const std::size_t cells = json.find("\"cells\": ", at);
        word.cells = JsonCells(json.substr(cells, json.find("]]", cells) + 2 - cells));
        word.word = FromUtf8(JsonText(json, "\"word\": \"", at));
        words.push_back(word);
    }
    return words;
}

// Russian capitals of cp1251 in lower case, as the dictionary keeps them.
std::string Lower(std::string text) {
    for (char& c : text) {
        const auto b = static_cast<unsigned char>(c);
        if (b >= 0xC0 && b <= 0xDF) c = static_cast<char>(b + 0x20);
        if (b == 0xA8) c = static_cast<char>(0xB8);
    }
    return text;
}

// The move of a keypad step digit.
TCell Step(TCell from, char step) {
    static const std::string digits = "123456789";
    const auto i = static_cast<int>(digits.find(step));
    EXPECT_GE(i, 0) << step;
    return {static_cast<uint8_t>(from.x + i % 3 - 1), static_cast<uint8_t>(from.y - (i / 3 - 1))};
}

// The [x, y, value] members of a cell array of the JSON ("walls": [[1, 0, 2], ...]).
std::map<std::pair<int, int>, int> JsonCellValues(const std::string& json, const std::string& member) {
    std::map<std::pair<int, int>, int> values;
    const std::size_t start = json.find("\"" + member + "\": [");
    if (start == std::string::npos) return values;
    const std::size_t end = json.find("]]", start);
    for (std::size_t at = json.find('[', start + member.size() + 4); at < end; at = json.find('[', at + 1)) {
        int x = 0, y = 0, value = 0;
        if (std::sscanf(json.c_str() + at, "[%d, %d, %d]", &x, &y, &value) == 3) values[{x, y}] = value;
    }
    return values;
}

// Every word of the JSON: a word of the list (when there is one), used once, starting at its x and y, its cells
// following its path one step at a time, and the grid holding its letters on them.
void ExpectWordsStandOnTheirCells(const std::string& json, const std::vector<std::string>& dictionary) {
    const std::vector<std::string> rows = JsonRows(json);
    std::vector<std::string> seen;
    for (const JsonWord& word : JsonWords(json)) {
        SCOPED_TRACE(ToUtf8(word.word));
        if (!dictionary.empty()) {
            EXPECT_NE(std::find(dictionary.begin(), dictionary.end(), ToUtf8(Lower(word.word))), dictionary.end());
        }
        EXPECT_EQ(std::count(seen.begin(), seen.end(), word.word), 0);
        seen.push_back(word.word);
        ASSERT_EQ(word.cells.size(), word.word.size());
        ASSERT_EQ(word.path.size() + 1, word.cells.size());
        EXPECT_EQ(word.cells[0], (TCell{static_cast<uint8_t>(word.x), static_cast<uint8_t>(word.y)}));
        for (std::size_t i = 0; i < word.cells.size(); ++i) {
            if (i > 0) {
                EXPECT_EQ(word.cells[i], Step(word.cells[i - 1], word.path[i - 1]));
            }
            ASSERT_LT(word.cells[i].y, rows.size());
            ASSERT_LT(word.cells[i].x, rows[word.cells[i].y].size());
            EXPECT_EQ(rows[word.cells[i].y][word.cells[i].x], word.word[i]);
        }
    }
}

class KindCommands : public CrosswordTest {
protected:
    void SetUp() override {
        CrosswordTest::SetUp();
        RegisterKinds();
        mDefaults = {Path("templates.col"), WriteDictionary(Words)};
    }

    std::string WriteText(const std::string& name, const std::string& text) {
        EXPECT_TRUE(WriteFileText(Path(name), text));
        return Path(name);
    }

    std::string WriteClassic(const std::string& name, const GridPicture& grid) {
        TClassicShablon shablon(1, 1);
        DrawGrid(shablon, grid);
        shablon.FileName = Path(name);
        EXPECT_TRUE(shablon.SaveToFile());
        return shablon.FileName;
    }

    Outcome Run(const std::vector<std::string>& args) const { return RunCrossgenWith(args, mDefaults); }

    static inline const std::vector<std::string> Words = {"дом", "дуб", "мир", "иск", "око", "бор", "кот", "лес",
                                                          "сок", "рама", "лото", "кино", "река", "сено"};
    TCrossgenDefaults mDefaults;
};

}  // namespace

TEST_F(KindCommands, HelpNamesTheKindsAndTheTemplateCommand) {
    const Outcome main = Run({"--help"});
    EXPECT_NE(main.out.find("  template "), std::string::npos);
    for (const char* command : {"template", "fill", "draw", "view", "check"}) {
        const Outcome help = Run({command, "--help"});
        EXPECT_EQ(help.exitCode, ExitCode::Filled) << command;
        for (const char* option : {"--kind", "--picture", "classic"})
            EXPECT_NE(help.out.find(option), std::string::npos) << command << " " << option;
    }
    EXPECT_NE(Run({"edit", "--help"}).out.find("--kind"), std::string::npos);
}

TEST_F(KindCommands, PicturesGoThroughTemplateFilesUnchanged) {
    const std::vector<std::string> pictures = {
        "classic 4x3\n"
        ". . . #\n"
        ". # . .\n"
        ". . . .\n",
        // Walls on every side of a cell, and at the border of the grid.
        "estonian 3x3\n"
        ". . .\n"
        ".w2 .w15 .w8\n"
        ". .w4 .\n",
        "american 3x2\n"
        ".w2 . .\n"
        ". . .w8\n",
        // Clue cells left of and above words, arrows on their first cells.
        "scanword 4x3\n"
        "# # .a1 #\n"
        "# .a24 . .\n"
        "# # . #\n",
        // An arrow drawn inside its clue cell (bit 7) beside a plain one.
        "scanword2 3x2\n"
        "# .a152 .\n"
        "# .a24 .\n",
        // A word bending down at a turn mark.
        "scanword3 3x3\n"
        "# .a24 .t4\n"
        "# # .\n"
        "# # .\n",
        "fillword 3x2\n"
        ". . .\n"
        ". # .\n",
        "wordfield 2x2\n"
        ". .\n"
        ". .\n",
        "football 5x3 half=4\n"
        ". . . . .\n"
        ". . # . .\n"
        ". . . . .\n",
    };
    for (const std::string& picture : pictures) {
        SCOPED_TRACE(picture);
        const std::string file = WriteText("in.txt", picture);
        const Outcome read = Run({"template", "--picture", file});
        ASSERT_EQ(read.exitCode, ExitCode::Filled) << read.err;
        EXPECT_EQ(read.out, picture);

        const Outcome stored = Run({"template", "--picture", file, "--out", Path("t.shb")});
        ASSERT_EQ(stored.exitCode, ExitCode::Filled) << stored.err;
        EXPECT_TRUE(stored.out.empty());
        const Outcome back = Run({"template", "--template", Path("t.shb")});
        ASSERT_EQ(back.exitCode, ExitCode::Filled) << back.err;
        EXPECT_EQ(back.out, picture);
    }
}

// A mirror turns what the cells carry with them: walls keep splitting the same words, arrows
// still start their words from a clue cell, and a chain runs through the mirrored cells in the
// same order.
TEST_F(KindCommands, MirrorsTurnWallsArrowsAndChains) {
    const auto mirrored = [&](const std::string& kindArgs, const std::vector<std::string>& source,
                              const std::string& axes) {
        std::vector<std::string> store = {"template", "--out", Path("t.shb")};
        store.insert(store.end(), source.begin(), source.end());
        if (!kindArgs.empty()) store.insert(store.end(), {"--kind", kindArgs});
        EXPECT_EQ(Run(store).exitCode, ExitCode::Filled) << ::testing::PrintToString(store);
        const Outcome edit = Run({"edit", "--template", Path("t.shb"), "--mirror", axes, "--out", Path("m.shb")});
        EXPECT_EQ(edit.exitCode, ExitCode::Filled) << edit.err;
        return Path("m.shb");
    };
    struct TPictureCase {
        std::string picture;
        std::string axes;
        std::string expected;
    };
    const std::string scanword = "scanword 4x3\n# .a27 . .\n# . # #\n# . # #\n";
    const TPictureCase pictures[] = {
        // "2+2" stays "2+2": the wall between cells 1 and 2 is now on the left of cell 2.
        {"estonian 4x1\n. .w2 . .\n", "h", "estonian 4x1\n. . .w8 .\n"},
        {"estonian 1x4\n.\n.w1\n.\n.\n", "v", "estonian 1x4\n.\n.\n.w4\n.\n"},
        {"american 2x2\n.w2 .\n. .\n", "hv", "american 2x2\n. .\n. .w8\n"},
        // The down word keeps its first cell, its clue now on its right; the across word reads
        // from its other end, its arrow moving there with the clue on the same side.
        {scanword, "h", "scanword 4x3\n.a24 . .a6 #\n# # . #\n# # . #\n"},
        {scanword, "v", "scanword 4x3\n# .a3 # #\n# . # #\n# .a24 . .\n"},
    };
    for (const TPictureCase& c : pictures) {
        SCOPED_TRACE(c.picture + c.axes);
        const std::string file = mirrored("", {"--picture", WriteText("in.txt", c.picture)}, c.axes);
        const Outcome back = Run({"template", "--template", file});
        ASSERT_EQ(back.exitCode, ExitCode::Filled) << back.err;
        EXPECT_EQ(back.out, c.expected);
    }
    for (const char* kind : {"chainword", "crosschainword"}) {
        SCOPED_TRACE(kind);
        const std::string file = mirrored(kind, {"--chain", "0,0:RRD"}, "h");
        const Outcome fill = Run({"fill", "--template", file, "--json"});
        EXPECT_NE(fill.out.find("\"chain\": [[2, 0], [1, 0], [0, 0], [0, 1]]"), std::string::npos) << fill.out << fill.err;
    }
}

TEST_F(KindCommands, MalformedPicturesAreRefused) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"", "the picture is empty"},
        {"crossword 2x1\n. .\n", "does not begin with a kind"},
        {"classic\n. .\n", "the size WxH"},
        {"classic 2x0\n", "the size WxH"},
        {"classic 2x2\n. .\n", "1 rows, not 2"},
        {"classic 2x1\n. . .\n", "row 0 has 3 cells, not 2"},
        {"classic 2x1\n. x\n", "cell 1,0: \"x\" is no cell"},
        {"classic 2x1\n. .w\n", "cell 1,0"},
        {"classic 2x1\n. .w1w1\n", "cell 1,0"},
        {"classic 2x1\n. .w256\n", "cell 1,0"},
        {"classic 2x1\n. .w-1\n", "cell 1,0"},
        {"classic 2x1\n. .w2\n", "cell 1,0: classic templates do not keep w2 there"},
        {"classic 2x1\n. .m\n", "cell 1,0: classic templates keep no mark there"},
        {"classic 2x1 half=3\n. .\n", "take no value \"half=3\""},
        {"football 5x3 half=0\n. . . . .\n. . # . .\n. . . . .\n", "take no value \"half=0\""},
        {"football 4x3\n. . . .\n. . . .\n. . . .\n", "football templates cannot be 4x3"},
        {"estonian 2x1\n. #w2\n", "cell 1,0: estonian templates do not keep w2 there"},
        // Negative values are refused where they are read, not wrapped round in a byte.
        {"chainword 2x1 start=-1,0 overlap=1\n.d4 .\n", "take no value \"start=-1,0\""},
        {"picturepuzzle 2x1 colors=4 background=-1\n.c1 #\n", "take no value \"background=-1\""},
        {"honeycomb 3x3 first-row=0 ring=-1 mode=0\n. . .\n. . .\n. . .\n", "take no value \"ring=-1\""},
    };
    for (const auto& [picture, complaint] : cases) {
        const Outcome run = Run({"template", "--picture", WriteText("bad.txt", picture)});
        EXPECT_EQ(run.exitCode, ExitCode::BadInput) << picture;
        EXPECT_NE(run.err.find(complaint), std::string::npos) << picture << "\n" << run.err;
        EXPECT_TRUE(run.out.empty()) << picture;
    }
}

TEST_F(KindCommands, InputsThatNoKindTakesExitWithTwo) {
    const std::string unknownKind = WriteText("c.shb", "SHABLON  C22\x01\x01\x01\x01");
    const std::string classic = WriteClassic("k.shb", {"...", ".#.", "..."});
    const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
        {{"template", "--size", "3x3", "--kind", "nosuch"}, "--kind wants one of classic"},
        {{"template", "--size", "3x3", "--template", classic}, "one of --size WxH, --template FILE and --picture FILE"},
        {{"template"}, "one of --size WxH"},
        {{"template", "--picture", Path("missing.txt")}, "cannot read " + Path("missing.txt") + ": No such file"},
        {{"template", "--template", unknownKind}, "kind 19 template, which crossgen does not make"},
        {{"fill", "--template", unknownKind}, "kind 19, which crossgen cannot fill"},
        {{"template", "--template", classic, "--out", Path("no/such/dir/t.shb")}, "cannot write " + Path("no/such/dir/t.shb") + ": No such file"},
        // Kinds whose grid is a path or a chain they are given: a size alone makes none.
        {{"template", "--kind", "knight", "--size", "8x8"}, "a knight template needs its path"},
        {{"draw", "--kind", "knight", "--size", "8x8", "--out", Path("k.svg")}, "a knight template needs its path"},
        {{"template", "--kind", "crosschainword", "--size", "8x8"}, "a crossing chainword needs its chain"},
        {{"draw", "--kind", "crosschainword", "--size", "8x8", "--out", Path("c.svg")}, "a crossing chainword needs its chain"},
        // A field without letter cells is refused as a grid without slots is, not filled with nothing.
        {{"fill", "--picture", WriteText("fw.txt", "fillword 2x2\n# #\n# #\n")}, "no letter cell"},
        {{"fill", "--picture", WriteText("wf.txt", "wordfield 3x1\n# # #\n")}, "no letter cell"},
    };
    for (const auto& [args, complaint] : cases) {
        const Outcome run = Run(args);
        EXPECT_EQ(run.exitCode, ExitCode::BadInput) << ::testing::PrintToString(args);
        EXPECT_NE(run.err.find(complaint), std::string::npos) << ::testing::PrintToString(args) << "\n" << run.err;
    }
}

TEST_F(KindCommands, TheCollectionPathNumbersCropsAndFillsLikeATemplateFile) {
    // A 4 x 4 entry whose last row is empty: the fill reads it cropped to 4 x 3.
    TIndexCollection collection;
    collection.FileName = Path("templates.col");
    const std::string text = "SHABLON  044" "\x01\x01\x01\x02" "\x02\x02\x01\x02" "\x02\x02\x01\x02" "\x01\x01\x01\x02";
    collection.Add("4x4", text);
    ASSERT_TRUE(collection.SaveToFile());
    EXPECT_EQ(Run({"template", "--size", "4x4"}).out, "classic 4x3\n. # # .\n. # # .\n. . . .\n");

    const std::string file = WriteText("e.shb", text);
    const Outcome fromFile = Run({"fill", "--template", file, "--seed", "3", "--json"});
    const Outcome fromSize = Run({"fill", "--size", "4x4", "--seed", "3", "--json"});
    ASSERT_EQ(fromSize.exitCode, ExitCode::Filled) << fromSize.err;
    EXPECT_TRUE(fromSize.out.starts_with("{\"width\": 4, \"height\": 3, ")) << fromSize.out;
    EXPECT_EQ(fromSize.out.substr(0, fromSize.out.find("\"ms\"")), fromFile.out.substr(0, fromFile.out.find("\"ms\"")));
    ExpectWordsStandOnTheirCells(fromSize.out, Words);
    EXPECT_EQ(JsonWords(fromSize.out).size(), 3u);
}

TEST_F(KindCommands, JsonNamesTheKindAndTheCellsOfEveryWord) {
    const std::string file = WriteClassic("k.shb", {"...", ".#.", "..."});
    const Outcome run = Run({"fill", "--template", file, "--seed", "2", "--json"});
    ASSERT_EQ(run.exitCode, ExitCode::Filled) << run.err;
    EXPECT_NE(run.out.find("\"rows\": [\""), std::string::npos);
    EXPECT_NE(run.out.find("], \"kind\": \"classic\", \"words\": [{\"x\": 0, \"y\": 0, \"direction\": \"across\", "
                           "\"path\": \"66\", \"cells\": [[0, 0], [1, 0], [2, 0]], \"word\": \""),
              std::string::npos)
        << run.out;
    EXPECT_EQ(run.out.find("\"walls\""), std::string::npos);
    EXPECT_EQ(run.out.find("\"goal\""), std::string::npos);
    EXPECT_EQ(JsonWords(run.out).size(), 4u);
    ExpectWordsStandOnTheirCells(run.out, Words);

    // show prints the same members from the saved crossword.
    ASSERT_EQ(Run({"fill", "--template", file, "--seed", "2", "--save", Path("k.cwd")}).exitCode, ExitCode::Filled);
    const Outcome show = Run({"show", "--json", Path("k.cwd")});
    ASSERT_EQ(show.exitCode, ExitCode::Filled) << show.err;
    EXPECT_TRUE(run.out.starts_with(show.out.substr(0, show.out.size() - 2) + ", \"filled\": true")) << show.out;
}

TEST_F(KindCommands, AFileOfAnotherKindIsReadIntoTheKindThatTakesIt) {
    const std::string classic = WriteClassic("k.shb", {"...", ".#.", "..."});
    const Outcome stored = Run({"template", "--kind", "estonian", "--template", classic, "--out", Path("e.shb")});
    ASSERT_EQ(stored.exitCode, ExitCode::Filled) << stored.err;
    std::string text;
    ASSERT_TRUE(ReadFileText(Path("e.shb"), text));
    EXPECT_TRUE(text.starts_with("SHABLON  133")) << text;
    EXPECT_EQ(Run({"template", "--template", Path("e.shb")}).out, "estonian 3x3\n. . .\n. # .\n. . .\n");
    EXPECT_EQ(Run({"template", "--kind", "fillword", "--template", classic}).out, "fillword 3x3\n. . .\n. # .\n. . .\n");

    const std::string scanword = WriteText("s.txt", "scanword 3x2\n# .a24 .\n# . .\n");
    const std::vector<std::pair<std::vector<std::string>, std::string>> refused = {
        {{"template", "--kind", "classic", "--picture", scanword}, "is a scanword template, which classic templates cannot read"},
        {{"fill", "--kind", "estonian", "--template", classic}, "is a classic template, which estonian crosswords cannot fill"},
        {{"fill", "--kind", "classic", "--picture", scanword}, "is a scanword template, which classic crosswords cannot fill"},
        {{"fill", "--kind", "field", "--size", "4x4"}, "field templates make no crossword to fill"},
        {{"fill", "--picture", WriteText("f.txt", "field 2x1\n. .\n")}, "field templates make no crossword to fill"},
    };
    for (const auto& [args, complaint] : refused) {
        const Outcome run = Run(args);
        EXPECT_EQ(run.exitCode, ExitCode::BadInput) << ::testing::PrintToString(args);
        EXPECT_NE(run.err.find(complaint), std::string::npos) << ::testing::PrintToString(args) << "\n" << run.err;
    }
}

TEST_F(KindCommands, ASizeGivesEachKindItsGrid) {
    const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
        {{"--kind", "fillword", "--size", "3x2"}, "fillword 3x2\n. . .\n. . .\n"},
        {{"--kind", "field", "--size", "2x1"}, "field 2x1\n. .\n"},
        // The pitch is odd: 6 columns give 5, the goals are the three middle rows, the centre is blocked.
        {{"--kind", "football", "--size", "6x5"},
         "football 5x5 half=20\n# . . . #\n. . . . .\n. . # . .\n. . . . .\n# . . . #\n"},
    };
    for (const auto& [args, picture] : cases) {
        std::vector<std::string> command = {"template"};
        command.insert(command.end(), args.begin(), args.end());
        const Outcome run = Run(command);
        EXPECT_EQ(run.exitCode, ExitCode::Filled) << run.err;
        EXPECT_EQ(run.out, picture);
    }
}

// Fills of every kind with the game's dictionary, checked on the JSON alone.
class KindFills : public KindCommands {
protected:
    void SetUp() override {
        KindCommands::SetUp();
        mDefaults = {DataDir + "/templates.col", DataDir + "/dic1.wdi"};
        ASSERT_TRUE(LoadWordList(mDictionary, mDefaults.DictionaryFile));
    }

    // Fills with the seed; the same seed gives the same JSON.
    std::string Fill(std::vector<std::string> args, uint32_t seed) {
        args.insert(args.begin(), "fill");
        args.insert(args.end(), {"--json", "--seed", std::to_string(seed)});
        const Outcome run = Run(args);
        EXPECT_EQ(run.exitCode, ExitCode::Filled) << run.err << run.out;
        const Outcome again = Run(args);
        EXPECT_EQ(again.out.substr(0, again.out.find("\"ms\"")), run.out.substr(0, run.out.find("\"ms\"")));
        return run.out;
    }

    void ExpectDictionaryWords(const std::string& json) {
        for (const JsonWord& word : JsonWords(json)) {
            int entry = 0;
            EXPECT_TRUE(mDictionary.Find(Lower(word.word), entry)) << ToUtf8(word.word);
        }
    }

    static inline const std::string DataDir = ZELVANA_DATA_DIR;
    TWorkDictionary mDictionary;
};

TEST_F(KindFills, EstonianWordsNeverCrossAWall) {
    // The wall splits the middle row into words of 3 and 2 letters.
    const std::string picture = WriteText("e.txt",
                                          "estonian 5x5\n"
                                          ". . . . .\n"
                                          ". # . # .\n"
                                          ". . .w2 . .\n"
                                          ". # . # .\n"
                                          ". . . . .\n");
    for (const uint32_t seed : {1u, 2u, 3u}) {
        const std::string json = Fill({"--picture", picture}, seed);
        ExpectWordsStandOnTheirCells(json, {});
        ExpectDictionaryWords(json);
        const auto walls = JsonCellValues(json, "walls");
        EXPECT_EQ(walls, (std::map<std::pair<int, int>, int>{{{2, 2}, 2}})) << json;
        EXPECT_EQ(JsonWords(json).size(), 7u);
        const auto wall = [&](int x, int y, int bit) {
            const auto found = walls.find({x, y});
            return found != walls.end() && (found->second & bit);
        };
        for (const JsonWord& word : JsonWords(json))
            for (std::size_t i = 1; i < word.cells.size(); ++i) {
                const TCell a = word.cells[i - 1], b = word.cells[i];
                const bool across = b.x == a.x + 1;
                EXPECT_FALSE(across ? wall(a.x, a.y, 2) || wall(b.x, b.y, 8) : wall(a.x, a.y, 1) || wall(b.x, b.y, 4))
                    << ToUtf8(word.word) << " crosses a wall at " << int(a.x) << "," << int(a.y);
            }
    }
}

TEST_F(KindFills, ScanwordArrowsPointFromClueCellsToTheFirstCells) {
    // Where the clue cell of a word lies from its first cell, by arrow code 1..7.
    const TCell across[] = {{0, 255}, {255, 255}, {255, 0}, {255, 1}, {1, 1}, {0, 1}, {1, 255}};
    const TCell down[] = {{0, 255}, {255, 255}, {255, 0}, {255, 1}, {1, 1}, {1, 0}, {1, 255}};
    for (const char* kind : {"scanword", "scanword2", "scanword3"}) {
        SCOPED_TRACE(kind);
        const std::string picture = WriteText("s.txt", std::string(kind) +
                                                           " 4x4\n"
                                                           "# # # #\n"
                                                           "# .a25 .a1 .a1\n"
                                                           "# .a24 . .\n"
                                                           "# .a24 . .\n");
        const std::string json = Fill({"--picture", picture}, 1);
        ExpectWordsStandOnTheirCells(json, {});
        ExpectDictionaryWords(json);
        const auto arrows = JsonCellValues(json, "arrows");
        const std::vector<TCell> clueCells = JsonCells(json.substr(json.find("\"clueCells\": "), 80));
        EXPECT_EQ(clueCells.size(), 6u) << json;
        const std::vector<JsonWord> words = JsonWords(json);
        EXPECT_EQ(words.size(), 6u);
        for (const JsonWord& word : words) {
            const bool isAcross = word.path[0] == '6';
            const int code = (arrows.at({word.x, word.y}) >> (isAcross ? 3 : 0)) & 7;
            ASSERT_GE(code, 1) << ToUtf8(word.word);
            const TCell offset = (isAcross ? across : down)[code - 1];
            const TCell clue{static_cast<uint8_t>(word.x + offset.x), static_cast<uint8_t>(word.y + offset.y)};
            EXPECT_NE(std::find(clueCells.begin(), clueCells.end(), clue), clueCells.end()) << ToUtf8(word.word);
        }
    }
}

TEST_F(KindFills, ThirdScanwordWordsBendAtTurnMarks) {
    const std::string picture = WriteText("s.txt",
                                          "scanword3 4x4\n"
                                          "# # # #\n"
                                          "# .a24 . .t4\n"
                                          "# .a24 . .\n"
                                          "# # # .\n");
    const std::string json = Fill({"--picture", picture}, 2);
    ExpectWordsStandOnTheirCells(json, {});
    ExpectDictionaryWords(json);
    EXPECT_NE(json.find("\"turns\": [[3, 0, 4]]"), std::string::npos) << json;
    const std::vector<JsonWord> words = JsonWords(json);
    ASSERT_EQ(words.size(), 2u);
    EXPECT_EQ(words[0].path, "6622");
}

TEST_F(KindFills, FillWordsCoverTheFieldByOrthogonalSteps) {
    for (const uint32_t seed : {1u, 2u, 3u}) {
        const std::string json = Fill({"--kind", "fillword", "--size", "5x4"}, seed);
        ExpectWordsStandOnTheirCells(json, {});
        ExpectDictionaryWords(json);
        std::vector<TCell> covered;
        for (const JsonWord& word : JsonWords(json)) {
            EXPECT_EQ(word.path.find_first_not_of("2468"), std::string::npos) << word.path;
            covered.insert(covered.end(), word.cells.begin(), word.cells.end());
        }
        EXPECT_EQ(covered.size(), 20u) << json;
        std::sort(covered.begin(), covered.end(), [](TCell a, TCell b) { return a.x != b.x ? a.x < b.x : a.y < b.y; });
        EXPECT_EQ(std::adjacent_find(covered.begin(), covered.end()), covered.end()) << json;
    }
}

TEST_F(KindFills, FootballWordsFollowTheMatch) {
    // Two words a half: the match has four, each half begun next to the centre spot (3, 2).
    const std::string picture = WriteText("f.txt",
                                          "football 7x5 half=2\n"
                                          "# . . . . . #\n"
                                          ". . . . . . .\n"
                                          ". . . # . . .\n"
                                          ". . . . . . .\n"
                                          "# . . . . . #\n");
    for (const uint32_t seed : {1u, 2u, 3u}) {
        const std::string json = Fill({"--picture", picture}, seed);
        ExpectWordsStandOnTheirCells(json, {});
        ExpectDictionaryWords(json);
        const std::vector<JsonWord> words = JsonWords(json);
        ASSERT_EQ(words.size(), 4u) << json;
        std::size_t at = 0;
        bool kickOff = true;
        for (std::size_t i = 0; i < words.size(); ++i) {
            const JsonWord& word = words[i];
            // Straight: one step repeated.
            EXPECT_EQ(word.path.find_first_not_of(word.path[0]), std::string::npos) << word.path;
            if (kickOff) {
                EXPECT_TRUE(std::abs(word.x - 3) <= 1 && std::abs(word.y - 2) <= 1) << json;
            } else {
                EXPECT_EQ(word.cells[0], words[i - 1].cells.back()) << json;
            }
            const bool goal = word.cells.back().x == 0 || word.cells.back().x == 6;
            at = json.find("\"goal\": ", json.find("\"word\": ", at));
            ASSERT_NE(at, std::string::npos);
            EXPECT_EQ(json.compare(at + 8, goal ? 4 : 5, goal ? "true" : "false"), 0) << json;
            kickOff = goal || (i + 1) % 2 == 0;
        }
    }
}
