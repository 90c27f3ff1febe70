#pragma once

// What the crossgen tests of the kinds share: one run of crossgen, readers of its JSON (through
// nlohmann-json), the game's dictionary to check words against, and a fixture on the game's
// default files with a scratch folder of its own.

#include "PictureFiles.h"

#include "cli/Crossgen.h"
#include "dictionary/WorkDictionary.h"
#include "kinds/Kinds.h"
#include "platform/Text.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <unistd.h>
#include <utility>
#include <vector>

struct Outcome {
    int exitCode;
    std::string out;
    std::string err;
};

inline Outcome RunCrossgenWith(const std::vector<std::string>& args, const TCrossgenDefaults& defaults) {
    std::ostringstream out, err;
    const int code = RunCrossgen(args, out, err, defaults);
    return {code, out.str(), err.str()};
}

using TJsonCells = std::vector<std::pair<int, int>>;

// The JSON value crossgen printed; a discarded value (is_discarded) when the text is no JSON.
inline nlohmann::json ParsedJson(const std::string& text) {
    return nlohmann::json::parse(text, nullptr, false);
}

// The [x, y] pairs of a list of cells; none when the value is no list.
inline TJsonCells JsonCellPairs(const nlohmann::json& cells) {
    TJsonCells pairs;
    if (!cells.is_array()) return pairs;
    for (const nlohmann::json& cell : cells) pairs.emplace_back(cell.at(0).get<int>(), cell.at(1).get<int>());
    return pairs;
}

// A member of a JSON object, null when the object lacks it.
inline nlohmann::json JsonMember(const std::string& json, const std::string& key) {
    const nlohmann::json object = ParsedJson(json);
    return object.is_object() ? object.value(key, nlohmann::json()) : nlohmann::json();
}

// A word of a fill's JSON by its cells, its letters in cp1251.
struct JsonCellWord {
    TJsonCells cells;
    std::string word;
};

inline std::vector<JsonCellWord> JsonCellWords(const std::string& json) {
    std::vector<JsonCellWord> words;
    const nlohmann::json list = JsonMember(json, "words");
    if (!list.is_array()) return words;
    for (const nlohmann::json& word : list)
        words.push_back({JsonCellPairs(word.at("cells")), FromUtf8(word.at("word").get<std::string>())});
    return words;
}

// The strings of a JSON member that holds a list of strings, in cp1251; none without it.
inline std::vector<std::string> JsonStringList(const std::string& json, const std::string& key) {
    std::vector<std::string> list;
    const nlohmann::json member = JsonMember(json, key);
    if (!member.is_array()) return list;
    for (const nlohmann::json& item : member) list.push_back(FromUtf8(item.get<std::string>()));
    return list;
}

// The grid rows of a fill's JSON, in cp1251 (one byte a cell); none without rows.
inline std::vector<std::string> JsonRows(const std::string& json) {
    return JsonStringList(json, "rows");
}

// The JSON without its timing, which differs between runs.
inline std::string Untimed(const std::string& json) {
    nlohmann::json object = ParsedJson(json);
    if (!object.is_object()) return json;
    object.erase("ms");
    return object.dump();
}

// The word list of the dictionary file, loaded without progress.
inline bool LoadWordList(TWorkDictionary& dictionary, const std::string& file) {
    dictionary.ShowProgress = false;
    dictionary.FileName = file;
    return dictionary.Load();
}

// crossgen on the game's collection and dictionary, with a scratch folder per test.
class KindCrossgenTest : public ::testing::Test {
protected:
    void SetUp() override {
        RegisterKinds();
        const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
        mDir = std::filesystem::temp_directory_path() /
               ("zelvana-" + std::string(test->test_suite_name()) + "-" + std::to_string(getpid()) + "-" + test->name());
        std::filesystem::create_directories(mDir);
        const std::string dataDir = ZELVANA_DATA_DIR;
        mDefaults = {dataDir + "/templates.col", dataDir + "/dic1.wdi"};
    }
    void TearDown() override { std::filesystem::remove_all(mDir); }

    std::string Path(const std::string& name) const { return (mDir / name).string(); }

    Outcome Run(const std::vector<std::string>& args) const { return RunCrossgenWith(args, mDefaults); }

    // The picture form that `template` with args prints, written to the file name and read back
    // by `template --picture` unchanged.
    Outcome PictureReadBack(const std::vector<std::string>& args, const std::string& name) const {
        const Outcome picture = Run(args);
        EXPECT_EQ(picture.exitCode, ExitCode::Filled) << picture.err;
        std::ofstream(Path(name)) << picture.out;
        const Outcome again = Run({"template", "--picture", Path(name)});
        EXPECT_EQ(again.exitCode, ExitCode::Filled) << again.err;
        EXPECT_EQ(again.out, picture.out);
        return picture;
    }

    // The template that `template` with templateArgs makes, drawn by `draw`, and the crossword
    // that `fill` with fillArgs saves, drawn by `picture`: both show something.
    void ExpectDrawingsOf(std::vector<std::string> templateArgs, std::vector<std::string> fillArgs) const {
        templateArgs.insert(templateArgs.end(), {"--out", Path("drawn.sbl")});
        ASSERT_EQ(Run(templateArgs).exitCode, ExitCode::Filled);
        const Outcome drawn = Run({"draw", "--template", Path("drawn.sbl"), "--out", Path("drawn.png")});
        ASSERT_EQ(drawn.exitCode, ExitCode::Filled) << drawn.err;
        EXPECT_TRUE(ShowsADrawing(ReadPng(Path("drawn.png"))));

        fillArgs.insert(fillArgs.end(), {"--save", Path("drawn.cwd")});
        const Outcome fill = Run(fillArgs);
        ASSERT_EQ(fill.exitCode, ExitCode::Filled) << fill.err;
        const Outcome painted = Run({"picture", Path("drawn.cwd"), "--out", Path("painted.png")});
        ASSERT_EQ(painted.exitCode, ExitCode::Filled) << painted.err;
        EXPECT_TRUE(ShowsADrawing(ReadPng(Path("painted.png"))));
    }

    std::filesystem::path mDir;
    TCrossgenDefaults mDefaults;
};
