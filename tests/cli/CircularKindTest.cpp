// crossgen with the circular kind and the game's default files: fills whose JSON is checked on
// its own (words of the dictionary, one letter per ring, column words on one column winding
// counterclockwise, diagonal words one column and one ring per letter round the ring winding
// clockwise, the parity switch), repeated fills, the picture form,
// the two clue lists and the pictures of every mode.

#include "KindJson.h"

#include "dictionary/FileHelpers.h"
#include "platform/RecordingUi.h"
#include "platform/Text.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

namespace {

struct JsonWord {
    int x = 0, y = 0;
    std::string path;
    std::vector<std::pair<int, int>> cells;
    std::string word;  // cp1251
};

std::vector<JsonWord> JsonWords(const std::string& json) {
    std::vector<JsonWord> words;
    const nlohmann::json list = JsonMember(json, "words");
    if (!list.is_array()) return words;
    for (const nlohmann::json& word : list)
        words.push_back({word.at("x").get<int>(), word.at("y").get<int>(), word.at("path").get<std::string>(),
                         JsonCellPairs(word.at("cells")), FromUtf8(word.at("word").get<std::string>())});
    return words;
}

// The picture form of a W x H ring whose letter cells are exactly the cells of its slots.
std::string RingPicture(int width, int height, bool parity) {
    std::string text = "circular " + std::to_string(width) + "x" + std::to_string(height) +
                       (parity ? " parity=on\n" : " parity=off\n");
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const int start = ((x - y) % width + width) % width;
            const bool letter = x % 2 == 0 || (start % 2 == 0) == parity;
            text += std::string(x ? " " : "") + (letter ? "." : "#");
        }
        text += "\n";
    }
    return text;
}

class CircularKind : public KindCrossgenTest {
protected:
    std::string WriteText(const std::string& name, const std::string& text) {
        EXPECT_TRUE(WriteFileText(Path(name), text));
        return Path(name);
    }

    // Checks a fill's JSON by itself against the ring of width x height.
    void ExpectRingWords(const std::string& json, int width, int height, bool parity) {
        TWorkDictionary dictionary;
        ASSERT_TRUE(LoadWordList(dictionary, mDefaults.DictionaryFile));
        const std::vector<std::string> rows = JsonRows(json);
        ASSERT_EQ(rows.size(), static_cast<std::size_t>(height));
        const std::vector<JsonWord> words = JsonWords(json);
        const int columnWords = (width + 1) / 2, diagonalWords = parity ? (width + 1) / 2 : width / 2;
        EXPECT_EQ(words.size(), static_cast<std::size_t>(columnWords + diagonalWords));
        const auto count = [&](const std::string& member) {
            int n = 0;
            for (auto at = json.find(member); at != std::string::npos; at = json.find(member, at + 1)) ++n;
            return n;
        };
        EXPECT_EQ(count(parity ? "\"parity\": \"on\"" : "\"parity\": \"off\""), 1);
        EXPECT_EQ(count("\"sense\": \"counterclockwise\""), columnWords);
        EXPECT_EQ(count("\"sense\": \"clockwise\""), diagonalWords);
        for (const JsonWord& word : words) {
            SCOPED_TRACE(ToUtf8(word.word));
            int index = 0;
            EXPECT_TRUE(dictionary.Find(dictionary.ToLowerText(word.word), index));
            ASSERT_EQ(word.cells.size(), static_cast<std::size_t>(height));
            ASSERT_EQ(word.word.size(), static_cast<std::size_t>(height));
            EXPECT_EQ(word.y, 0);
            const bool column = word.path == std::string(height - 1, '2');
            const bool clockwise = word.path == std::string(height - 1, '3');
            ASSERT_TRUE(column || clockwise) << word.path;
            if (column) { EXPECT_EQ(word.x % 2, 0); }
            if (clockwise) { EXPECT_EQ(word.x % 2 == 0, parity); }
            for (int i = 0; i < height; ++i) {
                const int x = column ? word.x : (word.x + i) % width;
                EXPECT_EQ(word.cells[i], std::pair(x, i));
                EXPECT_EQ(rows[i][x], word.word[i]) << x << "," << i;
            }
        }
    }
};

}  // namespace

TEST_F(CircularKind, FillsRingsOfBothParities) {
    ScopedRecordingUi quiet;
    struct TCase {
        int W, H;
        bool Parity;
    };
    for (const TCase c : {TCase{16, 5, true}, TCase{16, 5, false}, TCase{9, 4, true}}) {
        SCOPED_TRACE(std::to_string(c.W) + "x" + std::to_string(c.H) + (c.Parity ? " on" : " off"));
        const std::string picture = WriteText("ring.txt", RingPicture(c.W, c.H, c.Parity));
        const Outcome fill = Run({"fill", "--picture", picture, "--seed", "7", "--json"});
        ASSERT_EQ(fill.exitCode, ExitCode::Filled) << fill.err << fill.out;
        EXPECT_NE(fill.out.find("\"kind\": \"circular\""), std::string::npos);
        ExpectRingWords(fill.out, c.W, c.H, c.Parity);
        EXPECT_EQ(Untimed(Run({"fill", "--picture", picture, "--seed", "7", "--json"}).out), Untimed(fill.out));
    }
    // --size gives the ring of the slots' cells, with the parity switch off unless --parity says.
    const Outcome sized = Run({"fill", "--kind", "circular", "--size", "8x5", "--seed", "3", "--json"});
    ASSERT_EQ(sized.exitCode, ExitCode::Filled) << sized.err;
    ExpectRingWords(sized.out, 8, 5, false);
    const Outcome on = Run({"fill", "--kind", "circular", "--size", "16x5", "--parity", "on", "--seed", "3", "--json"});
    ASSERT_EQ(on.exitCode, ExitCode::Filled) << on.err;
    ExpectRingWords(on.out, 16, 5, true);
    EXPECT_EQ(Run({"fill", "--kind", "circular", "--size", "8x5", "--parity", "maybe"}).exitCode, ExitCode::BadInput);
    EXPECT_EQ(Run({"fill", "--kind", "classic", "--size", "8x8", "--parity", "on"}).exitCode, ExitCode::BadInput);
}

TEST_F(CircularKind, TemplatesGoThroughFilesAndPicturesUnchanged) {
    ScopedRecordingUi quiet;
    const Outcome sized = Run({"template", "--kind", "circular", "--size", "8x5"});
    ASSERT_EQ(sized.exitCode, ExitCode::Filled) << sized.err;
    EXPECT_EQ(sized.out, RingPicture(8, 5, false));
    EXPECT_EQ(Run({"template", "--kind", "circular", "--size", "8x5", "--parity", "on"}).out, RingPicture(8, 5, true));
    for (const bool parity : {true, false}) {
        const std::string picture = RingPicture(6, 4, parity);
        const std::string in = WriteText("in.txt", picture);
        ASSERT_EQ(Run({"template", "--picture", in, "--out", Path("ring.tpl")}).exitCode, ExitCode::Filled);
        const Outcome back = Run({"template", "--template", Path("ring.tpl")});
        EXPECT_EQ(back.out, picture) << back.err;
        // A fill from the template file is the fill from the picture.
        const Outcome fromFile = Run({"fill", "--template", Path("ring.tpl"), "--seed", "2", "--json"});
        const Outcome fromPicture = Run({"fill", "--picture", in, "--seed", "2", "--json"});
        ASSERT_EQ(fromFile.exitCode, ExitCode::Filled) << fromFile.err;
        EXPECT_EQ(Untimed(fromFile.out), Untimed(fromPicture.out));
    }
    EXPECT_EQ(Run({"template", "--picture", WriteText("bad.txt", "circular 2x2 parity=maybe\n. .\n. .\n")}).exitCode,
              ExitCode::BadInput);
}

TEST_F(CircularKind, SavedCrosswordShowsCluesAndPictures) {
    ScopedRecordingUi quiet;
    const std::string picture = WriteText("ring.txt", RingPicture(12, 4, true));
    const std::string file = Path("ring.cwd");
    const Outcome fill = Run({"fill", "--picture", picture, "--seed", "4", "--save", file});
    ASSERT_EQ(fill.exitCode, ExitCode::Filled) << fill.err;
    const Outcome shown = Run({"show", file, "--json"});
    EXPECT_EQ(shown.exitCode, ExitCode::Filled) << shown.err;
    const Outcome filled = Run({"fill", "--picture", picture, "--seed", "4", "--json"});
    EXPECT_EQ(JsonRows(shown.out), JsonRows(filled.out));

    const Outcome clues = Run({"clues", file, "--split", "--headings", "--numbers", "--one-per-line"});
    ASSERT_EQ(clues.exitCode, ExitCode::Filled) << clues.err;
    const auto counterclockwise = clues.out.find("Против часовой стрелки:");
    const auto clockwise = clues.out.find("По часовой стрелке:");
    ASSERT_NE(counterclockwise, std::string::npos) << clues.out;
    ASSERT_NE(clockwise, std::string::npos) << clues.out;
    EXPECT_LT(counterclockwise, clockwise);

    for (const int mode : {0, 1, 2, 3, 4, 6}) {
        const std::string out = Path("mode" + std::to_string(mode) + ".svg");
        const Outcome drawn = Run({"picture", file, "--mode", std::to_string(mode), "--out", out});
        EXPECT_EQ(drawn.exitCode, ExitCode::Filled) << mode << drawn.err;
        std::string svg;
        EXPECT_TRUE(ReadFileText(out, svg)) << mode;
        EXPECT_NE(svg.find("<path"), std::string::npos) << mode;
    }
    // The circle has no blocks to shuffle: mode 5 draws nothing, and says so.
    const Outcome blocks = Run({"picture", file, "--mode", "5", "--out", Path("mode5.svg")});
    EXPECT_EQ(blocks.exitCode, ExitCode::BadInput);
    EXPECT_EQ(blocks.err, "crossgen: a circular crossword draws nothing in mode 5\n");
    EXPECT_FALSE(std::filesystem::exists(Path("mode5.svg")));
}
