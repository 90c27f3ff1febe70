// crossgen with the two chain kinds and the game's default dictionary: fills whose JSON is checked
// on its own (words of the dictionary lying on consecutive chain cells, neighbours sharing their
// overlap, the chain covered to its end, the grid's letters spelling every word), repeated fills,
// template files and pictures read back, saved crosswords shown again, refused chains.

#include "KindJson.h"
#include "PictureFiles.h"

#include "platform/RecordingUi.h"
#include "platform/Text.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

using TCells = TJsonCells;

TCells JsonChain(const std::string& json) {
    return JsonCellPairs(JsonMember(json, "chain"));
}

class ChainKind : public KindCrossgenTest {
protected:
    // Checks a fill's JSON by itself: every word a dictionary word on a run of consecutive chain
    // positions spelled by the rows, the first at the chain's start, each next one starting where
    // the one before leaves its last overlap cells, the last ending on the chain's last cell.
    void ExpectChainWords(const std::string& json, int overlap) {
        TWorkDictionary dictionary;
        ASSERT_TRUE(LoadWordList(dictionary, mDefaults.DictionaryFile));
        const std::vector<std::string> rows = JsonRows(json);
        const TCells chain = JsonChain(json);
        ASSERT_GE(chain.size(), 2u);
        std::vector<std::pair<std::size_t, std::size_t>> runs;  // chain position, length
        for (const JsonCellWord& word : JsonCellWords(json)) {
            SCOPED_TRACE(ToUtf8(word.word));
            int index = 0;
            EXPECT_TRUE(dictionary.Find(dictionary.ToLowerText(word.word), index));
            ASSERT_EQ(word.cells.size(), word.word.size());
            ASSERT_GT(word.cells.size(), static_cast<std::size_t>(overlap));
            for (std::size_t i = 0; i < word.cells.size(); ++i) {
                const auto [x, y] = word.cells[i];
                ASSERT_TRUE(y < static_cast<int>(rows.size()) && x < static_cast<int>(rows[y].size()));
                EXPECT_EQ(rows[y][x], word.word[i]) << x << "," << y;
            }
            bool found = false;
            for (std::size_t p = 0; p + word.cells.size() <= chain.size() && !found; ++p)
                if (std::equal(word.cells.begin(), word.cells.end(), chain.begin() + static_cast<std::ptrdiff_t>(p))) {
                    runs.emplace_back(p, word.cells.size());
                    found = true;
                }
            EXPECT_TRUE(found) << "not on consecutive chain cells";
        }
        ASSERT_FALSE(runs.empty());
        std::sort(runs.begin(), runs.end());
        EXPECT_EQ(runs.front().first, 0u);
        for (std::size_t i = 1; i < runs.size(); ++i)
            EXPECT_EQ(runs[i].first, runs[i - 1].first + runs[i - 1].second - overlap) << "word " << i;
        EXPECT_EQ(runs.back().first + runs.back().second, chain.size());
    }
};

// show's JSON is the fill's but for what only a fill reports (its outcome, method and timing):
// the same grid, chain, walls, words and numbers.
::testing::AssertionResult ShowsTheFill(const std::string& shown, const std::string& fill) {
    const std::string body = shown.substr(0, shown.rfind('}'));
    if (body.empty() || fill.compare(0, body.size(), body) != 0)
        return ::testing::AssertionFailure() << "shown " << shown << "filled " << fill;
    return ::testing::AssertionSuccess();
}

// A crossing chain: row 1 rightwards, back along row 0, then down column 1 through its first passage.
const char* const CrossChain = "0,1:RRRRULLLDDD";

}  // namespace

TEST_F(ChainKind, FillsCoverTheChain) {
    ScopedRecordingUi quiet;
    const struct {
        std::vector<std::string> source;
        int overlap;
        std::size_t chainCells;
    } cases[] = {
        {{"--kind", "chainword", "--size", "10x6"}, 1, 60},
        {{"--kind", "chainword", "--size", "8x5", "--overlap", "2"}, 2, 40},
        {{"--kind", "chainword", "--chain", "0,0:RRRRDDLLLL"}, 1, 11},
        {{"--kind", "crosschainword", "--chain", CrossChain}, 1, 12},
        {{"--kind", "crosschainword", "--chain", CrossChain, "--method", "random"}, 1, 12},
    };
    for (const auto& c : cases) {
        std::vector<std::string> args = {"fill", "--seed", "7", "--json"};
        args.insert(args.end(), c.source.begin(), c.source.end());
        SCOPED_TRACE(c.source[1] + " " + c.source[3]);
        const Outcome fill = Run(args);
        ASSERT_EQ(fill.exitCode, ExitCode::Filled) << fill.err << fill.out;
        EXPECT_NE(fill.out.find("\"kind\": \"" + c.source[1] + "\""), std::string::npos);
        EXPECT_NE(fill.out.find("\"number\": 1"), std::string::npos);
        EXPECT_EQ(JsonChain(fill.out).size(), c.chainCells);
        ExpectChainWords(fill.out, c.overlap);
        EXPECT_EQ(Untimed(Run(args).out), Untimed(fill.out));
    }
}

TEST_F(ChainKind, TemplatesAndPicturesFillAsTheSize) {
    ScopedRecordingUi quiet;
    const std::vector<std::vector<std::string>> sources = {
        {"--kind", "chainword", "--size", "6x4", "--overlap", "2"},
        {"--kind", "crosschainword", "--chain", CrossChain},
    };
    for (const auto& source : sources) {
        SCOPED_TRACE(source[1]);
        std::vector<std::string> fillArgs = {"fill", "--seed", "3", "--json"};
        std::vector<std::string> templateArgs = {"template"};
        fillArgs.insert(fillArgs.end(), source.begin(), source.end());
        templateArgs.insert(templateArgs.end(), source.begin(), source.end());
        const Outcome direct = Run(fillArgs);
        ASSERT_EQ(direct.exitCode, ExitCode::Filled) << direct.err;

        std::vector<std::string> toFile = templateArgs;
        toFile.insert(toFile.end(), {"--out", Path("chain.sbl")});
        ASSERT_EQ(Run(toFile).exitCode, ExitCode::Filled);
        const Outcome fromFile = Run({"fill", "--template", Path("chain.sbl"), "--seed", "3", "--json"});
        ASSERT_EQ(fromFile.exitCode, ExitCode::Filled) << fromFile.err;
        EXPECT_EQ(Untimed(fromFile.out), Untimed(direct.out));

        const Outcome picture = Run(templateArgs);
        ASSERT_EQ(picture.exitCode, ExitCode::Filled) << picture.err;
        EXPECT_NE(picture.out.find("start="), std::string::npos);
        EXPECT_NE(picture.out.find("d"), std::string::npos);
        std::ofstream(Path("chain.txt")) << picture.out;
        const Outcome again = Run({"template", "--picture", Path("chain.txt")});
        ASSERT_EQ(again.exitCode, ExitCode::Filled) << again.err;
        EXPECT_EQ(again.out, picture.out);
        const Outcome fromPicture = Run({"fill", "--picture", Path("chain.txt"), "--seed", "3", "--json"});
        ASSERT_EQ(fromPicture.exitCode, ExitCode::Filled) << fromPicture.err;
        EXPECT_EQ(Untimed(fromPicture.out), Untimed(direct.out));
    }
}

// A chain read from a picture or laid from the options has its letter cells, walls and numbers
// as the template file read back has them.
TEST_F(ChainKind, ChecksOfPicturesAndOptionsAgreeWithTheTemplateFile) {
    ScopedRecordingUi quiet;
    const struct {
        std::vector<std::string> source;
        std::string letterCells;
    } cases[] = {
        {{"--kind", "chainword", "--size", "6x4", "--overlap", "2"}, "24"},
        {{"--kind", "crosschainword", "--chain", CrossChain}, "11"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.source[1]);
        std::vector<std::string> templateArgs = {"template"};
        templateArgs.insert(templateArgs.end(), c.source.begin(), c.source.end());
        std::vector<std::string> toFile = templateArgs;
        toFile.insert(toFile.end(), {"--out", Path("chain.sbl")});
        ASSERT_EQ(Run(toFile).exitCode, ExitCode::Filled);
        std::ofstream(Path("chain.txt")) << Run(templateArgs).out;

        const Outcome fromFile = Run({"check", "--template", Path("chain.sbl")});
        EXPECT_NE(fromFile.out.find("Общее число рабочих клеток - " + c.letterCells + "\n"), std::string::npos)
            << fromFile.out;
        std::vector<std::string> checkArgs = {"check"};
        checkArgs.insert(checkArgs.end(), c.source.begin(), c.source.end());
        for (const auto& args : {checkArgs, std::vector<std::string>{"check", "--picture", Path("chain.txt")}}) {
            const Outcome check = Run(args);
            EXPECT_EQ(check.exitCode, fromFile.exitCode) << args[1];
            EXPECT_EQ(check.out, fromFile.out) << args[1];
        }
    }
}

TEST_F(ChainKind, SavedChainsShowTheirWords) {
    ScopedRecordingUi quiet;
    const Outcome fill = Run({"fill", "--kind", "chainword", "--size", "6x4", "--seed", "2", "--json", "--save",
                              Path("chain.cwd")});
    ASSERT_EQ(fill.exitCode, ExitCode::Filled) << fill.err;
    const Outcome shown = Run({"show", Path("chain.cwd"), "--json"});
    ASSERT_EQ(shown.exitCode, ExitCode::Filled) << shown.err;
    EXPECT_EQ(JsonRows(shown.out), JsonRows(fill.out));
    EXPECT_EQ(JsonCellWords(shown.out).size(), JsonCellWords(fill.out).size());
    EXPECT_TRUE(ShowsTheFill(shown.out, fill.out));

    const Outcome cross = Run({"fill", "--kind", "crosschainword", "--chain", CrossChain, "--seed", "2", "--json",
                               "--save", Path("cross.cwd")});
    ASSERT_EQ(cross.exitCode, ExitCode::Filled) << cross.err;
    // With no method asked for, the crossing chainword is filled by its random fill.
    EXPECT_NE(cross.out.find("\"method\": \"random\""), std::string::npos);
    const Outcome crossShown = Run({"show", Path("cross.cwd"), "--json"});
    ASSERT_EQ(crossShown.exitCode, ExitCode::Filled) << crossShown.err;
    EXPECT_EQ(JsonRows(crossShown.out), JsonRows(cross.out));
    EXPECT_EQ(JsonCellWords(crossShown.out).size(), JsonCellWords(cross.out).size());
    EXPECT_TRUE(ShowsTheFill(crossShown.out, cross.out));
}

TEST_F(ChainKind, BadChainsAreRefused) {
    ScopedRecordingUi quiet;
    const std::vector<std::vector<std::string>> cases = {
        {"fill", "--kind", "crosschainword", "--size", "5x5"},                  // no chain
        {"fill", "--kind", "crosschainword", "--chain", "0,0:RRL"},             // a U-turn
        {"fill", "--kind", "crosschainword", "--chain", "0,0:RDLURD"},          // a step repeated
        {"fill", "--kind", "chainword", "--chain", "0,1:RRRULLD"},              // a cell passed twice
        {"fill", "--kind", "chainword", "--chain", "0,0:RX"},                   // no move
        {"fill", "--kind", "chainword", "--chain", "0,0:LL"},                   // off the grid
        {"fill", "--kind", "chainword", "--chain", "RR"},                       // no start
        {"template", "--kind", "chainword", "--chain", "0,0:RR", "--size", "2x2"},  // beyond the size
        {"fill", "--kind", "chainword", "--size", "5x5", "--overlap", "25"},
        {"fill", "--kind", "classic", "--size", "5x5", "--chain", "0,0:RR"},
    };
    for (const auto& args : cases) {
        SCOPED_TRACE(args[4]);
        const Outcome run = Run(args);
        EXPECT_EQ(run.exitCode, ExitCode::BadInput) << run.out;
        EXPECT_FALSE(run.err.empty());
    }
}

// Pictures with no chain to fill (the fills would answer at once with nothing placed) or with a
// step or mark the template text cannot hold.
TEST_F(ChainKind, PicturesWithoutAChainOrWithWhatTheTextCannotHoldAreRefused) {
    ScopedRecordingUi quiet;
    const struct {
        const char* command;
        const char* picture;
    } cases[] = {
        {"fill", "chainword 3x1 start=0,0 overlap=1\n# # #\n"},
        {"fill", "chainword 3x1 start=2,0 overlap=1\n.d4 .d4 #\n"},
        {"fill", "chainword 1x1 start=0,0 overlap=1\n.d4\n"},
        {"fill", "crosschainword 2x1 start=0,0\n.d1 #\n"},
        {"template", "chainword 2x1 start=0,0 overlap=1\n.d4 .d3\n"},
        {"template", "crosschainword 2x1 start=0,0\n.d1m .d1\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.picture);
        std::ofstream(Path("chain.txt")) << c.picture;
        const Outcome run = Run({c.command, "--picture", Path("chain.txt")});
        EXPECT_EQ(run.exitCode, ExitCode::BadInput) << run.out;
        EXPECT_FALSE(run.err.empty());
    }
}

TEST_F(ChainKind, TemplateAndCrosswordDrawingsAreNotEmpty) {
    ScopedRecordingUi quiet;
    const std::vector<std::vector<std::string>> sources = {
        {"--kind", "chainword", "--size", "6x4"},
        {"--kind", "crosschainword", "--chain", CrossChain},
    };
    for (const auto& source : sources) {
        SCOPED_TRACE(source[1]);
        std::vector<std::string> templateArgs = {"template", "--out", Path("chain.sbl")};
        templateArgs.insert(templateArgs.end(), source.begin(), source.end());
        ASSERT_EQ(Run(templateArgs).exitCode, ExitCode::Filled);
        const Outcome drawn = Run({"draw", "--template", Path("chain.sbl"), "--out", Path("chain.png")});
        ASSERT_EQ(drawn.exitCode, ExitCode::Filled) << drawn.err;
        EXPECT_TRUE(ShowsADrawing(ReadPng(Path("chain.png"))));

        std::vector<std::string> fillArgs = {"fill", "--seed", "1", "--save", Path("chain.cwd")};
        fillArgs.insert(fillArgs.end(), source.begin(), source.end());
        const Outcome fill = Run(fillArgs);
        ASSERT_EQ(fill.exitCode, ExitCode::Filled) << fill.err;
        const Outcome painted = Run({"picture", Path("chain.cwd"), "--out", Path("chain.png")});
        ASSERT_EQ(painted.exitCode, ExitCode::Filled) << painted.err;
        EXPECT_TRUE(ShowsADrawing(ReadPng(Path("chain.png"))));
    }
}
