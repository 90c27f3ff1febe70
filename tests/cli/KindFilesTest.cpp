// Crossword files of every kind as the later commands read them: a saved fill comes back whole
// through the kind's own load (with what the kind keeps beside the words), and its answer lists
// name every word in every order, numbered as the kind's picture numbers them.

#include "KindJson.h"

#include "platform/RecordingUi.h"

#include <algorithm>
#include <sstream>

namespace {

// Whether the answer list numbers a kind's words: as its picture does, never with a 0.
enum class TNumbers { Shown, None, AsTheCluesAre };

struct TKindFill {
    const char* Name;
    std::vector<std::string> Args;  // of fill, besides the seed and the file
    std::string Picture;            // the template picture to fill, when not empty
    TNumbers Numbers = TNumbers::Shown;
    bool ListsWords = true;         // the answer list names the words (not a chain or a phrase)
};

const std::string KnightPath = "0,0 2,1 4,0 3,2 4,4 2,3";
const std::string TwoRings = " 7x3 first-row=0 ring=0 mode=0\n. . . # . . .\n. o . # . o .\n. . . # . . .\n";

const TKindFill KindFills[] = {
    {"classic", {"--size", "9x9"}},
    {"estonian", {"--kind", "estonian", "--size", "9x9"}},
    {"scanword", {"--kind", "scanword", "--size", "9x9"}, {}, TNumbers::AsTheCluesAre},
    {"scanword2", {"--kind", "scanword2", "--size", "9x9"}, {}, TNumbers::AsTheCluesAre},
    {"scanword3", {}, "scanword3 4x4\n# # # #\n# .a24 . .t4\n# .a24 . .\n# # # .\n", TNumbers::AsTheCluesAre},
    {"american", {"--kind", "american", "--size", "9x9"}, {}, TNumbers::None},
    {"diagonal", {"--kind", "diagonal", "--size", "9x9"}},
    {"circular", {"--kind", "circular", "--size", "8x5"}},
    {"chainword", {"--kind", "chainword", "--size", "6x4"}},
    {"crosschainword", {"--kind", "crosschainword", "--chain", "0,1:RRRRULLLDDD"}},
    {"fillword", {"--kind", "fillword", "--size", "5x4"}, {}, TNumbers::None},
    {"wordfield", {"--kind", "wordfield", "--size", "6x5"}, {}, TNumbers::None},
    {"football", {}, "football 7x5 half=2\n# . . . . . #\n. . . . . . .\n. . . # . . .\n. . . . . . .\n# . . . . . #\n",
     TNumbers::None},
    // The key word stands in its cells beside the words.
    {"children", {"--kind", "children", "--size", "5x4", "--keyword", "сон"}},
    {"knight", {"--kind", "knight", "--path", KnightPath}},
    // The phrase of a knight's path rides beside the words: its letters stand in the cells.
    {"knight phrase", {"--kind", "knight", "--path", KnightPath, "--phrase", "кошкин"}, {}, TNumbers::None, false},
    {"strip", {"--kind", "strip", "--size", "20x2"}, {}, TNumbers::None, false},
    {"honeycomb", {}, "honeycomb" + TwoRings},
    {"honeycomb8", {}, "honeycomb8" + TwoRings},
};

// cp1251 Russian letters in capitals, as the JSON prints words.
std::string Upper(std::string text) {
    for (char& c : text) {
        const auto b = static_cast<unsigned char>(c);
        if (b >= 0xE0) c = static_cast<char>(b - 0x20);
        if (b == 0xB8) c = static_cast<char>(0xA8);
    }
    return text;
}

// The entries of an answer list printed one per line, without the key word that may close it
// and the goal a football word may score.
std::vector<std::string> Entries(const std::string& text) {
    const std::string goal = " (ГОЛ!)";
    std::vector<std::string> entries;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        if (line.empty() || line.starts_with("Ключевое слово:")) continue;
        if (line.ends_with(goal)) line.resize(line.size() - goal.size());
        entries.push_back(line);
    }
    return entries;
}

class KindFiles : public KindCrossgenTest {
protected:
    // Fills the kind with a seed, saves it, and answers fill's JSON (or nothing after a failure).
    std::string FillAndSave(const TKindFill& kind, const std::string& file) {
        std::vector<std::string> args = {"fill"};
        args.insert(args.end(), kind.Args.begin(), kind.Args.end());
        if (!kind.Picture.empty()) {
            std::ofstream(Path("kind.txt")) << kind.Picture;
            args.insert(args.end(), {"--picture", Path("kind.txt")});
        }
        args.insert(args.end(), {"--seed", "2", "--json", "--save", file});
        const Outcome fill = Run(args);
        EXPECT_EQ(fill.exitCode, ExitCode::Filled) << fill.err << fill.out;
        return fill.exitCode == ExitCode::Filled ? fill.out : std::string();
    }

    ScopedRecordingUi mQuiet;
};

}  // namespace

TEST_F(KindFiles, ASavedCrosswordOfEveryKindComesBackWhole) {
    for (const TKindFill& kind : KindFills) {
        SCOPED_TRACE(kind.Name);
        const std::string file = Path("kind.cwd");
        const std::string filled = FillAndSave(kind, file);
        if (filled.empty()) continue;
        const Outcome shown = Run({"show", file, "--json"});
        ASSERT_EQ(shown.exitCode, ExitCode::Filled) << shown.err;
        EXPECT_EQ(JsonRows(shown.out), JsonRows(filled));
        EXPECT_EQ(JsonCellWords(shown.out).size(), JsonCellWords(filled).size());
        EXPECT_TRUE(shown.out.ends_with(", \"complete\": true}\n")) << shown.out;
        EXPECT_TRUE(shown.err.empty()) << shown.err;
    }
}

TEST_F(KindFiles, AnswerListsNameEveryWordInEveryOrder) {
    for (const TKindFill& kind : KindFills) {
        if (!kind.ListsWords) continue;
        SCOPED_TRACE(kind.Name);
        const std::string file = Path("kind.cwd");
        const std::string filled = FillAndSave(kind, file);
        if (filled.empty()) continue;
        std::vector<std::string> words;
        for (const JsonCellWord& word : JsonCellWords(filled)) words.push_back(ToUtf8(word.word));
        std::sort(words.begin(), words.end());
        ASSERT_FALSE(words.empty());

        for (const char* order : {"0", "1", "2", "3"}) {
            SCOPED_TRACE(order);
            const Outcome listed = Run({"clues", file, "--order", order, "--one-per-line", "--seed", "1"});
            ASSERT_EQ(listed.exitCode, ExitCode::Filled) << listed.err;
            std::vector<std::string> answers;
            for (const std::string& entry : Entries(listed.out)) answers.push_back(ToUtf8(Upper(FromUtf8(entry))));
            std::sort(answers.begin(), answers.end());
            EXPECT_EQ(answers, words);
        }

        for (const std::string& entry : Entries(Run({"clues", file, "--numbers", "--one-per-line"}).out)) {
            const bool numbered = entry.find_first_of("0123456789") == 0;
            if (kind.Numbers != TNumbers::AsTheCluesAre) EXPECT_EQ(numbered, kind.Numbers == TNumbers::Shown) << entry;
            EXPECT_FALSE(entry.starts_with("0 ")) << entry;
        }
    }
}
