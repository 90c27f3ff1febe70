// crossgen with the word field and the game's default dictionary: fills whose JSON is checked on
// its own (words of the dictionary, each straight in one of the eight directions, the grid's
// letters spelling it, every cell covered), repeated fills, a saved crossword shown again.

#include "KindJson.h"
#include "PictureFiles.h"

#include "cli/CrosswordOptions.h"
#include "crossword/Crossword.h"
#include "platform/RecordingUi.h"
#include "platform/Text.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>

namespace {

class WordFieldKind : public KindCrossgenTest {
protected:
    // Checks a fill's JSON by itself against a width x height field.
    void ExpectFieldWords(const std::string& json, int width, int height) {
        TWorkDictionary dictionary;
        ASSERT_TRUE(LoadWordList(dictionary, mDefaults.DictionaryFile));
        const std::vector<std::string> rows = JsonRows(json);
        ASSERT_EQ(rows.size(), static_cast<std::size_t>(height));
        std::vector<std::vector<bool>> covered(height, std::vector<bool>(width, false));
        const std::vector<JsonCellWord> words = JsonCellWords(json);
        ASSERT_FALSE(words.empty());
        for (const JsonCellWord& word : words) {
            SCOPED_TRACE(ToUtf8(word.word));
            int index = 0;
            EXPECT_TRUE(dictionary.Find(dictionary.ToLowerText(word.word), index));
            ASSERT_EQ(word.cells.size(), word.word.size());
            ASSERT_GE(word.cells.size(), 2u);
            const int dx = word.cells[1].first - word.cells[0].first, dy = word.cells[1].second - word.cells[0].second;
            EXPECT_TRUE(std::abs(dx) <= 1 && std::abs(dy) <= 1 && (dx || dy));
            for (std::size_t i = 0; i < word.cells.size(); ++i) {
                const auto [x, y] = word.cells[i];
                EXPECT_EQ(x, word.cells[0].first + dx * static_cast<int>(i));
                EXPECT_EQ(y, word.cells[0].second + dy * static_cast<int>(i));
                ASSERT_TRUE(x >= 0 && y >= 0 && x < width && y < height);
                EXPECT_EQ(rows[y][x], word.word[i]) << x << "," << y;
                covered[y][x] = true;
            }
        }
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x) EXPECT_TRUE(covered[y][x]) << x << "," << y;
    }
};

}  // namespace

TEST_F(WordFieldKind, FillsCoverTheField) {
    ScopedRecordingUi quiet;
    for (const auto& [width, height] : {std::pair(10, 10), std::pair(7, 4)}) {
        SCOPED_TRACE(std::to_string(width) + "x" + std::to_string(height));
        const std::string size = std::to_string(width) + "x" + std::to_string(height);
        const Outcome fill = Run({"fill", "--kind", "wordfield", "--size", size, "--seed", "5", "--json"});
        ASSERT_EQ(fill.exitCode, ExitCode::Filled) << fill.err << fill.out;
        EXPECT_NE(fill.out.find("\"kind\": \"wordfield\""), std::string::npos);
        ExpectFieldWords(fill.out, width, height);
        EXPECT_EQ(Untimed(Run({"fill", "--kind", "wordfield", "--size", size, "--seed", "5", "--json"}).out),
                  Untimed(fill.out));
    }
}

TEST_F(WordFieldKind, ATargetStopsTheFillEarly) {
    ScopedRecordingUi quiet;
    const Outcome fill =
        Run({"fill", "--kind", "wordfield", "--size", "10x10", "--target", "3", "--seed", "4", "--json"});
    ASSERT_EQ(fill.exitCode, ExitCode::Filled) << fill.err;
    EXPECT_EQ(JsonCellWords(fill.out).size(), 3u);
    EXPECT_EQ(Run({"fill", "--kind", "wordfield", "--size", "10x10", "--target", "0"}).exitCode, ExitCode::BadInput);
}

TEST_F(WordFieldKind, SavedFieldsShowTheirWords) {
    ScopedRecordingUi quiet;
    const Outcome fill =
        Run({"fill", "--kind", "wordfield", "--size", "8x8", "--seed", "2", "--json", "--save", Path("field.cwd")});
    ASSERT_EQ(fill.exitCode, ExitCode::Filled) << fill.err;
    const Outcome shown = Run({"show", Path("field.cwd"), "--json"});
    ASSERT_EQ(shown.exitCode, ExitCode::Filled) << shown.err;
    EXPECT_EQ(JsonRows(shown.out), JsonRows(fill.out));
    EXPECT_EQ(JsonCellWords(shown.out).size(), JsonCellWords(fill.out).size());
}

// What crossgen writes of a word field fills back without naming the kind again.
TEST_F(WordFieldKind, TemplatesAndPicturesFillAsTheSize) {
    ScopedRecordingUi quiet;
    const std::vector<std::string> fillArgs = {"fill", "--seed", "3", "--json"};
    const auto fill = [&](std::vector<std::string> source) {
        std::vector<std::string> args = fillArgs;
        args.insert(args.end(), source.begin(), source.end());
        return Run(args);
    };
    const Outcome direct = fill({"--kind", "wordfield", "--size", "6x5"});
    ASSERT_EQ(direct.exitCode, ExitCode::Filled) << direct.err;

    ASSERT_EQ(Run({"template", "--kind", "wordfield", "--size", "6x5", "--out", Path("field.sbl")}).exitCode,
              ExitCode::Filled);
    const Outcome fromFile = fill({"--template", Path("field.sbl")});
    ASSERT_EQ(fromFile.exitCode, ExitCode::Filled) << fromFile.err;
    EXPECT_EQ(Untimed(fromFile.out), Untimed(direct.out));

    PictureReadBack({"template", "--kind", "wordfield", "--size", "6x5"}, "field.txt");
    const Outcome fromPicture = fill({"--picture", Path("field.txt")});
    ASSERT_EQ(fromPicture.exitCode, ExitCode::Filled) << fromPicture.err;
    EXPECT_EQ(Untimed(fromPicture.out), Untimed(direct.out));
}

TEST_F(WordFieldKind, TemplateAndCrosswordDrawingsAreNotEmpty) {
    ScopedRecordingUi quiet;
    ExpectDrawingsOf({"template", "--kind", "wordfield", "--size", "5x4"},
                     {"fill", "--kind", "wordfield", "--size", "5x4", "--seed", "1"});
}

// The words come in the crossword's own list order, which the fill shuffles and the saved file
// keeps: the same words from the same cells, and not in the reading order of their starts.
TEST_F(WordFieldKind, WordsComeInTheListOrder) {
    ScopedRecordingUi quiet;
    const Outcome fill =
        Run({"fill", "--kind", "wordfield", "--size", "10x10", "--seed", "6", "--json", "--save", Path("field.cwd")});
    ASSERT_EQ(fill.exitCode, ExitCode::Filled) << fill.err;
    std::ostringstream err;
    const auto crossword = TCrosswordInput{.DictionaryFile = mDefaults.DictionaryFile}.Load(Path("field.cwd"), err);
    ASSERT_TRUE(crossword) << err.str();

    std::vector<std::pair<std::string, std::pair<int, int>>> listed, printed;
    for (int i = 0; i < crossword->Words.Count(); ++i)
        listed.push_back({crossword->Dictionary.ToUpperText(crossword->Words.SlotWord(i)),
                          {crossword->Words.WordX(i), crossword->Words.WordY(i)}});
    for (const JsonCellWord& word : JsonCellWords(fill.out)) printed.push_back({word.word, word.cells.at(0)});
    EXPECT_EQ(printed, listed);

    std::vector<std::pair<int, int>> starts;
    for (const auto& [word, start] : printed) starts.emplace_back(start.second, start.first);
    ASSERT_GT(starts.size(), 10u);
    EXPECT_FALSE(std::is_sorted(starts.begin(), starts.end()));
    EXPECT_FALSE(std::is_sorted(starts.rbegin(), starts.rend()));
}

// The other commands take the word field: its answers in the list order, its editor script, its
// working view and its template reshaped.
TEST_F(WordFieldKind, OtherCommandsTakeIt) {
    ScopedRecordingUi quiet;
    const Outcome fill =
        Run({"fill", "--kind", "wordfield", "--size", "6x5", "--seed", "2", "--json", "--save", Path("field.cwd")});
    ASSERT_EQ(fill.exitCode, ExitCode::Filled) << fill.err;
    const Outcome answers = Run({"clues", Path("field.cwd")});
    ASSERT_EQ(answers.exitCode, ExitCode::Filled) << answers.err;
    TWorkDictionary dictionary;
    ASSERT_TRUE(LoadWordList(dictionary, mDefaults.DictionaryFile));
    std::vector<std::string> listed, printed;
    std::istringstream words(answers.out);
    for (std::string word; words >> word;) listed.push_back(dictionary.ToUpperText(FromUtf8(word)));
    for (const JsonCellWord& word : JsonCellWords(fill.out)) printed.push_back(word.word);
    EXPECT_EQ(listed, printed);

    ASSERT_EQ(Run({"script", Path("field.cwd"), "--out", Path("field.txt")}).exitCode, ExitCode::Filled);
    std::ifstream script(Path("field.txt"));
    int rectangles = 0;
    for (std::string line; std::getline(script, line);) rectangles += line.starts_with(".CreateRectangle ");
    EXPECT_GE(rectangles, 6 * 5);

    const Outcome view = Run({"view", "--kind", "wordfield", "--size", "5x4", "--out", Path("view.png")});
    ASSERT_EQ(view.exitCode, ExitCode::Filled) << view.err;
    EXPECT_TRUE(ShowsADrawing(ReadPng(Path("view.png"))));

    std::ofstream(Path("corner.txt")) << "field 3x2\n. . #\n. . .\n";
    ASSERT_EQ(Run({"template", "--picture", Path("corner.txt"), "--out", Path("corner.sbl")}).exitCode, ExitCode::Filled);
    const Outcome mirrored = Run({"edit", "--template", Path("corner.sbl"), "--mirror", "h", "--out", Path("mirrored.sbl")});
    ASSERT_EQ(mirrored.exitCode, ExitCode::Filled) << mirrored.err;
    // A template file keeps the kind's code, not the name: it reads back as the word field.
    EXPECT_EQ(Run({"template", "--template", Path("mirrored.sbl")}).out, "wordfield 3x2\n# . .\n. . .\n");
}
