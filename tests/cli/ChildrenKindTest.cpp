// crossgen with the children's crossword and the game's default dictionary: fills whose JSON is
// checked on its own (dictionary words, one straight word per line through its key-word cell,
// the key word's letters there, the rows agreeing), repeated fills, templates, pictures and saved
// crosswords giving the same fill, and drawings of both.

#include "KindJson.h"

#include "platform/RecordingUi.h"
#include "platform/Text.h"

#include <gtest/gtest.h>

#include <fstream>
#include <set>
#include <sstream>

namespace {

// The [x, y] of a fill's key-word cells.
TJsonCells KeywordCells(const std::string& json) {
    return JsonCellPairs(JsonMember(json, "keywordCells"));
}

class ChildrenKind : public KindCrossgenTest {
protected:
    // Checks a fill's JSON by itself: a width x height field, words down the columns (across the
    // rows with across), one key-word cell per letter of the key word (UTF-8), in the middle
    // cells of the middle lines, each holding its letter and crossed by its line's word.
    void ExpectChildrenWords(const std::string& json, int width, int height, bool across,
                             const std::string& utf8Keyword) {
        TWorkDictionary dictionary;
        ASSERT_TRUE(LoadWordList(dictionary, mDefaults.DictionaryFile));
        const std::string keyword = dictionary.ToUpperText(FromUtf8(utf8Keyword));
        EXPECT_NE(json.find("\"keyword\": \"" + ToUtf8(keyword) + "\""), std::string::npos);
        const std::vector<std::string> rows = JsonRows(json);
        ASSERT_EQ(rows.size(), static_cast<std::size_t>(height));
        const int lines = across ? height : width;
        const int letters = static_cast<int>(keyword.size());
        const int first = (lines - letters) / 2;
        const TJsonCells keyCells = KeywordCells(json);
        ASSERT_EQ(keyCells.size(), keyword.size());
        for (int k = 0; k < letters; ++k) {
            const auto [x, y] = keyCells[k];
            EXPECT_EQ(across ? y : x, first + k);
            EXPECT_EQ(across ? x : y, across ? width / 2 : height / 2);
            EXPECT_EQ(rows[y][x], keyword[k]) << x << "," << y;
        }
        const std::vector<JsonCellWord> words = JsonCellWords(json);
        ASSERT_EQ(words.size(), static_cast<std::size_t>(lines));
        std::vector<bool> lineUsed(lines, false);
        for (const JsonCellWord& word : words) {
            SCOPED_TRACE(ToUtf8(word.word));
            int index = 0;
            EXPECT_TRUE(dictionary.Find(dictionary.ToLowerText(word.word), index));
            ASSERT_EQ(word.cells.size(), word.word.size());
            ASSERT_GE(word.cells.size(), 2u);
            const auto [x0, y0] = word.cells[0];
            const int line = across ? y0 : x0;
            ASSERT_TRUE(line >= 0 && line < lines);
            EXPECT_FALSE(lineUsed[line]) << "one word per line";
            lineUsed[line] = true;
            bool throughKey = false;
            for (std::size_t i = 0; i < word.cells.size(); ++i) {
                const auto [x, y] = word.cells[i];
                EXPECT_EQ(x, x0 + (across ? static_cast<int>(i) : 0));
                EXPECT_EQ(y, y0 + (across ? 0 : static_cast<int>(i)));
                ASSERT_TRUE(x >= 0 && y >= 0 && x < width && y < height);
                EXPECT_EQ(rows[y][x], word.word[i]) << x << "," << y;
                throughKey = throughKey || (line >= first && line < first + letters && word.cells[i] == keyCells[line - first]);
            }
            if (line >= first && line < first + letters) { EXPECT_TRUE(throughKey); }
        }
    }
};

}  // namespace

TEST_F(ChildrenKind, FillsSpellTheKeyWordAcrossTheWords) {
    ScopedRecordingUi quiet;
    struct Case {
        std::string size;
        int width, height;
        bool across;
        std::string keyword;
        std::string spelt;  // as the dictionaries write it: ё as е
    };
    const Case cases[] = {
        {"8x7", 8, 7, false, "карандаш", "карандаш"},
        {"8x7", 8, 7, false, "кот", "кот"},
        {"8x7", 8, 7, false, "ёлка", "елка"},
        {"6x9", 6, 9, true, "ромашка", "ромашка"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.size + " " + c.keyword);
        std::vector<std::string> args = {"fill", "--kind", "children", "--size", c.size, "--keyword", c.keyword,
                                         "--seed", "7", "--json"};
        if (c.across) args.push_back("--across");
        const Outcome fill = Run(args);
        ASSERT_EQ(fill.exitCode, ExitCode::Filled) << fill.err << fill.out;
        EXPECT_NE(fill.out.find("\"kind\": \"children\""), std::string::npos);
        ExpectChildrenWords(fill.out, c.width, c.height, c.across, c.spelt);
        EXPECT_EQ(Untimed(Run(args).out), Untimed(fill.out));
    }
}

TEST_F(ChildrenKind, KeyWordsTheFieldCannotTakeAreRefused) {
    ScopedRecordingUi quiet;
    const std::pair<std::string, std::string> cases[] = {
        {"карандаш", "8 letters"},
        {"abc", "not in the dictionary's alphabet"},
        {"кот9", "not in the dictionary's alphabet"},
    };
    for (const auto& [keyword, complaint] : cases) {
        const Outcome fill = Run({"fill", "--kind", "children", "--size", "4x5", "--keyword", keyword});
        EXPECT_EQ(fill.exitCode, ExitCode::BadInput) << keyword;
        EXPECT_NE(fill.err.find(complaint), std::string::npos) << fill.err;
    }
    EXPECT_EQ(Run({"fill", "--kind", "wordfield", "--size", "4x5", "--across"}).exitCode, ExitCode::BadInput);
}

TEST_F(ChildrenKind, TemplatesPicturesAndSavedCrosswordsGiveTheSameFill) {
    ScopedRecordingUi quiet;
    const std::vector<std::string> fillArgs = {"fill", "--kind", "children", "--keyword", "лето", "--seed", "3",
                                               "--json"};
    const auto fill = [&](std::vector<std::string> source) {
        std::vector<std::string> args = fillArgs;
        args.insert(args.end(), source.begin(), source.end());
        return Run(args);
    };
    const Outcome direct = fill({"--size", "6x5", "--across", "--save", Path("kids.cwd")});
    ASSERT_EQ(direct.exitCode, ExitCode::Filled) << direct.err;

    ASSERT_EQ(Run({"template", "--kind", "children", "--size", "6x5", "--across", "--out", Path("kids.sbl")}).exitCode,
              ExitCode::Filled);
    const Outcome fromFile = fill({"--template", Path("kids.sbl")});
    ASSERT_EQ(fromFile.exitCode, ExitCode::Filled) << fromFile.err;
    EXPECT_EQ(Untimed(fromFile.out), Untimed(direct.out));

    const Outcome picture = PictureReadBack({"template", "--kind", "children", "--size", "6x5", "--across"}, "kids.txt");
    EXPECT_NE(picture.out.find("orientation=1"), std::string::npos) << picture.out;
    const Outcome fromPicture = fill({"--picture", Path("kids.txt")});
    ASSERT_EQ(fromPicture.exitCode, ExitCode::Filled) << fromPicture.err;
    EXPECT_EQ(Untimed(fromPicture.out), Untimed(direct.out));

    const Outcome shown = Run({"show", Path("kids.cwd"), "--json"});
    ASSERT_EQ(shown.exitCode, ExitCode::Filled) << shown.err;
    EXPECT_EQ(JsonRows(shown.out), JsonRows(direct.out));
    EXPECT_EQ(KeywordCells(shown.out), KeywordCells(direct.out));
    EXPECT_EQ(JsonCellWords(shown.out).size(), JsonCellWords(direct.out).size());
}

TEST_F(ChildrenKind, TemplateAndCrosswordDrawingsAreNotEmpty) {
    ScopedRecordingUi quiet;
    ExpectDrawingsOf({"template", "--kind", "children", "--size", "5x4"},
                     {"fill", "--kind", "children", "--size", "5x4", "--keyword", "сон", "--seed", "1"});
}

// The other commands take the children's crossword: its answers and key word, an editor script
// drawing only the shown cells, the working view and a reshaped template keeping its orientation.
TEST_F(ChildrenKind, OtherCommandsTakeIt) {
    ScopedRecordingUi quiet;
    // Blocks cut columns 1 and 3: some words are shorter than their column.
    std::ofstream(Path("field.txt")) << "children 4x7 orientation=0\n"
                                        ". # . .\n. . . .\n. . . #\n. . . .\n. . . .\n. . . .\n. # . .\n";
    const Outcome fill = Run({"fill", "--picture", Path("field.txt"), "--keyword", "сон", "--seed", "3", "--json",
                              "--save", Path("kids.cwd")});
    ASSERT_EQ(fill.exitCode, ExitCode::Filled) << fill.err;

    const Outcome answers = Run({"clues", Path("kids.cwd")});
    ASSERT_EQ(answers.exitCode, ExitCode::Filled) << answers.err;
    std::vector<std::string> listed, printed;
    std::istringstream words(answers.out.substr(0, answers.out.find('\n')));
    for (std::string word; words >> word;) listed.push_back(word);
    const std::vector<JsonCellWord> filled = JsonCellWords(fill.out);
    TWorkDictionary dictionary;
    ASSERT_TRUE(LoadWordList(dictionary, mDefaults.DictionaryFile));
    for (const JsonCellWord& word : filled) printed.push_back(ToUtf8(dictionary.ToLowerText(word.word)));
    EXPECT_EQ(listed, printed);
    EXPECT_NE(answers.out.find("Ключевое слово: сон"), std::string::npos) << answers.out;

    // The shown cells are the words' and the key word's; the field has 25 letter cells.
    std::set<std::pair<int, int>> shown;
    for (const JsonCellWord& word : filled) shown.insert(word.cells.begin(), word.cells.end());
    for (const auto& cell : KeywordCells(fill.out)) shown.insert(cell);
    ASSERT_LT(shown.size(), 25u);
    ASSERT_EQ(Run({"script", Path("kids.cwd"), "--out", Path("kids.txt")}).exitCode, ExitCode::Filled);
    std::ifstream script(Path("kids.txt"));
    std::size_t rectangles = 0;
    for (std::string line; std::getline(script, line);) rectangles += line.starts_with(".CreateRectangle ");
    EXPECT_GE(rectangles, shown.size());
    EXPECT_LT(rectangles, 25u);

    const Outcome view = Run({"view", "--kind", "children", "--size", "5x4", "--out", Path("view.png")});
    ASSERT_EQ(view.exitCode, ExitCode::Filled) << view.err;
    EXPECT_TRUE(ShowsADrawing(ReadPng(Path("view.png"))));

    ASSERT_EQ(Run({"template", "--kind", "children", "--size", "3x2", "--across", "--out", Path("across.sbl")}).exitCode,
              ExitCode::Filled);
    ASSERT_EQ(Run({"edit", "--template", Path("across.sbl"), "--mirror", "h", "--out", Path("mirrored.sbl")}).exitCode,
              ExitCode::Filled);
    EXPECT_EQ(Run({"template", "--template", Path("mirrored.sbl")}).out, "children 3x2 orientation=1\n. . .\n. . .\n");
}
