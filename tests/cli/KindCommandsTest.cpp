#include "../crossword/CrosswordFixture.h"

#include "cli/Crossgen.h"
#include "cli/TemplatePicture.h"
#include "dictionary/FileHelpers.h"
#include "kinds/Kinds.h"
#include "platform/IndexCollection.h"
#include "template/ClassicShablon.h"

#include <algorithm>
#include <regex>
#include <sstream>

namespace {

struct Outcome {
    int exitCode;
    std::string out;
    std::string err;
};

// One word of a fill's JSON, its letters in cp1251.
struct JsonWord {
    int x = 0, y = 0;
    std::string path;
    std::vector<TCell> cells;
    std::string word;
};

// The grid rows of a fill's JSON, in cp1251 (one byte a cell).
std::vector<std::string> JsonRows(const std::string& json) {
    static const std::regex rows(R"re("rows": \[([^\]]*)\])re");
    static const std::regex row(R"re("([^"]*)")re");
    std::smatch found;
    std::vector<std::string> list;
    if (!std::regex_search(json, found, rows)) return list;
    const std::string text = found[1];
    for (auto it = std::sregex_iterator(text.begin(), text.end(), row); it != std::sregex_iterator(); ++it)
        list.push_back(FromUtf8((*it)[1].str()));
    return list;
}

std::vector<TCell> JsonCells(const std::string& text) {
    static const std::regex cell(R"re(\[(\d+), (\d+)\])re");
    std::vector<TCell> cells;
    for (auto it = std::sregex_iterator(text.begin(), text.end(), cell); it != std::sregex_iterator(); ++it)
        cells.push_back({static_cast<uint8_t>(std::stoi((*it)[1])), static_cast<uint8_t>(std::stoi((*it)[2]))});
    return cells;
}

std::vector<JsonWord> JsonWords(const std::string& json) {
    static const std::regex word(
        R"re(\{"x": (\d+), "y": (\d+), "direction": "[^"]*", "path": "([^"]*)", "cells": (\[(?:\[\d+, \d+\](?:, )?)*\]), "word": "([^"]*)")re");
    std::vector<JsonWord> words;
    for (auto it = std::sregex_iterator(json.begin(), json.end(), word); it != std::sregex_iterator(); ++it)
        words.push_back({std::stoi((*it)[1]), std::stoi((*it)[2]), (*it)[3], JsonCells((*it)[4]), FromUtf8((*it)[5].str())});
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

// Every word of the JSON: a word of the list, used once, starting at its x and y, its cells
// following its path one step at a time, and the grid holding its letters on them.
void ExpectWordsStandOnTheirCells(const std::string& json, const std::vector<std::string>& dictionary) {
    const std::vector<std::string> rows = JsonRows(json);
    std::vector<std::string> seen;
    for (const JsonWord& word : JsonWords(json)) {
        SCOPED_TRACE(ToUtf8(word.word));
        EXPECT_NE(std::find(dictionary.begin(), dictionary.end(), ToUtf8(Lower(word.word))), dictionary.end());
        EXPECT_EQ(std::count(seen.begin(), seen.end(), word.word), 0);
        seen.push_back(word.word);
        ASSERT_EQ(word.cells.size(), word.word.size());
        ASSERT_EQ(word.path.size() + 1, word.cells.size());
        EXPECT_EQ(word.cells[0], (TCell{static_cast<uint8_t>(word.x), static_cast<uint8_t>(word.y)}));
        for (std::size_t i = 0; i < word.cells.size(); ++i) {
            if (i > 0) EXPECT_EQ(word.cells[i], Step(word.cells[i - 1], word.path[i - 1]));
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

    Outcome Run(const std::vector<std::string>& args) {
        std::ostringstream out, err;
        const int code = RunCrossgen(args, out, err, mDefaults);
        return {code, out.str(), err.str()};
    }

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
        {"classic 2x1\n. .w2\n", "cell 1,0: a classic template does not keep w2 there"},
        {"classic 2x1\n. .m\n", "cell 1,0: a classic template keeps no mark"},
        {"classic 2x1 half=3\n. .\n", "takes no value \"half=3\""},
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
        {{"template", "--picture", Path("missing.txt")}, "cannot read the template picture"},
        {{"template", "--template", unknownKind}, "kind 19 template, which crossgen does not make"},
        {{"fill", "--template", unknownKind}, "kind 19, which crossgen cannot fill"},
        {{"template", "--template", classic, "--out", Path("no/such/dir/t.shb")}, "cannot write the template file"},
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
