// crossgen with the honeycomb kinds: templates only from files and pictures, the picture form's
// centres and header values, fills whose JSON is checked on its own (every word of the
// dictionary on its centre's ring in the ring mode's order, centre letters in the rows), the
// time limit of the ring turning and the start strokes among the drawing items.

#include "../crossword/CrosswordFixture.h"
#include "KindJson.h"

#include "dictionary/FileHelpers.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <regex>

namespace {

using Cells = std::vector<std::pair<int, int>>;

// Two centres, (1, 1) starting at its default and (3, 1) at a stored start, whose rings share
// cells; worked out by hand from the kinds' direction tables, clockwise.
struct TKindCase {
    const char* Kind;
    const char* Centre;  // the token of the second centre
    Cells Rings[2];
};
const TKindCase Kinds[] = {
    {"honeycomb", "o3",
     {{{0, 1}, {1, 0}, {2, 0}, {2, 1}, {2, 2}, {1, 2}}, {{4, 1}, {4, 2}, {3, 2}, {2, 1}, {3, 0}, {4, 0}}}},
    {"honeycomb8", "o6",
     {{{0, 1}, {0, 0}, {1, 0}, {2, 0}, {2, 1}, {2, 2}, {1, 2}, {0, 2}},
      {{4, 1}, {4, 2}, {3, 2}, {2, 2}, {2, 1}, {2, 0}, {3, 0}, {4, 0}}}},
};
const Cells Centres = {{1, 1}, {3, 1}};

// With a gap, the second centre and its ring stand `gap` columns further right, apart from the first.
std::string Picture(const TKindCase& kind, int mode, int gap = 0) {
    std::string letters = ". . . . .", middle = ". o . ";
    for (int i = 0; i < gap; ++i) {
        letters += " .";
        middle += ". ";
    }
    return std::string(kind.Kind) + " " + std::to_string(5 + gap) + "x3 first-row=0 ring=0 mode=" +
           std::to_string(mode) + "\n" + letters + "\n" + middle + kind.Centre + " .\n" + letters + "\n";
}

class HoneyKind : public KindCrossgenTest {
protected:
    std::string WriteText(const std::string& name, const std::string& text) {
        EXPECT_TRUE(WriteFileText(Path(name), text));
        return Path(name);
    }
};

TEST_F(HoneyKind, PicturesKeepCentresTheirStartsAndTheHeaderValues) {
    struct TCase {
        std::string In;
        std::string Out;
    };
    const TCase cases[] = {
        // A centre without a stored start is written with the start its ring takes.
        {"honeycomb 5x3 first-row=0 ring=1 mode=2\n. . . . .\n. o . o3 .\n. . . . .\n",
         "honeycomb 5x3 first-row=0 ring=1 mode=2\n. . . . .\n. o0 . o3 .\n. . . . .\n"},
        {"honeycomb8 3x3 first-row=0 ring=0 mode=3\n. . .\n. o9 .\n. . .\n",
         "honeycomb8 3x3 first-row=0 ring=0 mode=3\n. . .\n. o9 .\n. . .\n"},
        // Drawn from an odd first row, the even rows move one column right; the ring stays whole.
        {"honeycomb 4x3 first-row=1 ring=0 mode=0\n. . . #\n. o . .\n. . . #\n",
         "honeycomb 4x3 first-row=0 ring=0 mode=0\n# . . .\n. o0 . .\n# . . .\n"},
    };
    for (const TCase& c : cases) {
        const Outcome run = Run({"template", "--picture", WriteText("in.txt", c.In)});
        EXPECT_EQ(run.exitCode, ExitCode::Filled) << run.err;
        EXPECT_EQ(run.out, c.Out);
    }
    for (const char* bad : {"honeycomb 3x3 first-row=0 ring=0 mode=0\n. . .\n. o6 .\n. . .\n",
                            "honeycomb8 3x3 first-row=0 ring=0 mode=0\n. . .\n. o5 .\n. . .\n",
                            "honeycomb 3x3 first-row=0 ring=0 mode=4\n. . .\n. o .\n. . .\n"}) {
        const Outcome run = Run({"template", "--picture", WriteText("bad.txt", bad)});
        EXPECT_EQ(run.exitCode, ExitCode::BadInput) << bad;
        EXPECT_FALSE(run.err.empty());
    }
}

TEST_F(HoneyKind, SizeIsRefusedWithAMessage) {
    for (const char* kind : {"honeycomb", "honeycomb8"}) {
        const Outcome run = Run({"fill", "--kind", kind, "--size", "9x9"});
        EXPECT_EQ(run.exitCode, ExitCode::BadInput);
        EXPECT_NE(run.err.find("--picture"), std::string::npos) << run.err;
    }
}

TEST_F(HoneyKind, FillsLayEveryWordOnItsRingInTheModesOrder) {
    TWorkDictionary dictionary;
    ASSERT_TRUE(LoadWordList(dictionary, mDefaults.DictionaryFile));
    for (const TKindCase& kind : Kinds)
        for (const int mode : {0, 2, 3}) {
            SCOPED_TRACE(std::string(kind.Kind) + " mode " + std::to_string(mode));
            // Ten-letter words starting and ending alike are too few to cross in three cells.
            const int gap = std::string(kind.Kind) == "honeycomb8" && mode == 3 ? 2 : 0;
            const std::string picture = WriteText("in.txt", Picture(kind, mode, gap));
            const Outcome run = Run({"fill", "--picture", picture, "--seed", "5", "--json"});
            ASSERT_EQ(run.exitCode, ExitCode::Filled) << run.err << run.out;
            const std::string second = kind.Centre + 1;
            const std::string start = std::string(kind.Kind) == "honeycomb" ? "0" : "4";
            EXPECT_NE(run.out.find("\"ringMode\": " + std::to_string(mode) + ", \"centres\": [[1, 1, 1, " + start +
                                   "], [" + std::to_string(3 + gap) + ", 1, 2, " + second + "]]"),
                      std::string::npos)
                << run.out;
            const std::vector<std::string> rows = JsonRows(run.out);
            ASSERT_EQ(rows.size(), 3u);
            const std::vector<JsonCellWord> words = JsonCellWords(run.out);
            ASSERT_EQ(words.size(), 2u);
            for (int c = 0; c < 2; ++c) {
                Cells cells;
                const auto [cx, cy] = Centres[c];
                const std::pair centre{cx + c * gap, cy};
                if (mode == 1 || mode == 3) cells.push_back(centre);
                for (const auto& [x, y] : kind.Rings[c]) cells.emplace_back(x + c * gap, y);
                if (mode == 2 || mode == 3) cells.push_back(centre);
                const auto word = std::find_if(words.begin(), words.end(), [&](const JsonCellWord& w) { return w.cells == cells; });
                ASSERT_NE(word, words.end());
                int index = 0;
                EXPECT_TRUE(dictionary.Find(dictionary.ToLowerText(word->word), index)) << ToUtf8(word->word);
                std::string spelled;
                for (const auto& [x, y] : cells) spelled += rows[y][x];
                EXPECT_EQ(spelled, word->word);
                if (mode == 3) { EXPECT_EQ(spelled.front(), spelled.back()); }
                EXPECT_EQ(rows[centre.second][centre.first] == '#', mode == 0);
            }
        }
}

// No two words share a letter, so no turn of the rings helps; the turning ends at the limit.
TEST_F(HoneyKind, RingTurningEndsAtTheTimeLimit) {
    const std::string dictionary = Path("words.wdi");
    ASSERT_TRUE(WriteDictionaryFile(dictionary, DictionaryLayout{}, DictionaryWords({"абвгде", "жзиклм"})));
    const std::string picture = WriteText("in.txt", Picture(Kinds[0], 0));
    const Outcome run = Run({"fill", "--picture", picture, "--dict", dictionary, "--method", "backtrack",
                             "--time-limit", "1", "--json"});
    EXPECT_EQ(run.exitCode, ExitCode::NotFilled) << run.err;
    EXPECT_NE(run.out.find("\"error\": -4"), std::string::npos) << run.out;
}

TEST_F(HoneyKind, DrawItemsListTheStartStrokes) {
    const std::string picture = WriteText("in.txt", Picture(Kinds[0], 0));
    const Outcome run = Run({"draw", "--picture", picture, "--items"});
    ASSERT_EQ(run.exitCode, ExitCode::Filled) << run.err;
    static const std::regex stroke(R"re((^|\n)16 )re");
    const auto strokes = std::distance(std::sregex_iterator(run.out.begin(), run.out.end(), stroke), std::sregex_iterator());
    EXPECT_EQ(strokes, 2) << run.out;
}

}  // namespace
