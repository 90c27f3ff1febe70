// crossgen with the knight kind and the game's default dictionary: fills along a 5 x 5 knight's
// tour whose JSON is checked on its own (words of the dictionary on consecutive steps covering
// the path, numbered in path order, the rows agreeing), repeated fills, template files, the
// phrase, and the complaints about paths.

#include "KindJson.h"

#include "cli/TemplatePicture.h"
#include "dictionary/FileHelpers.h"
#include "kinds/KnightShablon.h"
#include "platform/FileText.h"
#include "platform/RecordingUi.h"
#include "platform/Text.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

namespace {

// A knight's tour of the 5 x 5 board.
const std::string Tour = "0,0 1,2 0,4 2,3 4,4 3,2 4,0 2,1 3,3 4,1 2,0 0,1 1,3 3,4 4,2 3,0 1,1 0,3 2,4 4,3 "
                         "3,1 1,0 2,2 1,4 0,2";

using TCells = TJsonCells;

TCells TourCells() {
    TCells cells;
    std::istringstream in(Tour);
    std::string step;
    while (in >> step) cells.emplace_back(std::stoi(step), std::stoi(step.substr(step.find(',') + 1)));
    return cells;
}

class KnightKind : public KindCrossgenTest {
protected:
    // Checks a fill's JSON by itself against the path.
    void ExpectPathWords(const std::string& json, const TCells& path) {
        TWorkDictionary dictionary;
        ASSERT_TRUE(LoadWordList(dictionary, mDefaults.DictionaryFile));
        const std::vector<std::string> rows = JsonRows(json);
        ASSERT_FALSE(rows.empty());
        EXPECT_EQ(JsonCellPairs(JsonMember(json, "steps")), path);

        std::size_t next = 0;
        int number = 0;
        for (const nlohmann::json& word : JsonMember(json, "words")) {
            const TCells cells = JsonCellPairs(word.at("cells"));
            const std::string text = FromUtf8(word.at("word").get<std::string>());
            SCOPED_TRACE(ToUtf8(text));
            int index = 0;
            EXPECT_TRUE(dictionary.Find(dictionary.ToLowerText(text), index));
            ASSERT_EQ(cells.size(), text.size());
            EXPECT_EQ(word.at("number").get<int>(), ++number);
            for (std::size_t i = 0; i < cells.size(); ++i, ++next) {
                ASSERT_LT(next, path.size());
                EXPECT_EQ(cells[i], path[next]);
                EXPECT_EQ(rows[cells[i].second][cells[i].first], text[i]);
            }
        }
        EXPECT_EQ(next, path.size());
    }
};

}  // namespace

TEST_F(KnightKind, FillsATourAlongThePath) {
    ScopedRecordingUi quiet;
    const Outcome fill = Run({"fill", "--kind", "knight", "--path", Tour, "--seed", "5", "--json"});
    ASSERT_EQ(fill.exitCode, ExitCode::Filled) << fill.err << fill.out;
    EXPECT_NE(fill.out.find("\"kind\": \"knight\""), std::string::npos);
    ExpectPathWords(fill.out, TourCells());
    EXPECT_EQ(Untimed(Run({"fill", "--kind", "knight", "--path", Tour, "--seed", "5", "--json"}).out),
              Untimed(fill.out));

    // Through a template file, and through a saved crossword.
    ASSERT_EQ(Run({"template", "--kind", "knight", "--path", Tour, "--out", Path("tour.tpl")}).exitCode,
              ExitCode::Filled);
    const Outcome fromFile = Run({"fill", "--template", Path("tour.tpl"), "--seed", "5", "--json"});
    EXPECT_EQ(Untimed(fromFile.out), Untimed(fill.out)) << fromFile.err;
    const Outcome saved = Run({"fill", "--template", Path("tour.tpl"), "--seed", "5", "--save", Path("tour.crw")});
    ASSERT_EQ(saved.exitCode, ExitCode::Filled) << saved.err;
    const Outcome shown = Run({"show", Path("tour.crw")});
    ASSERT_EQ(shown.exitCode, 0) << shown.err;
    EXPECT_NE(saved.out.find(shown.out.substr(0, shown.out.find('\n'))), std::string::npos);
}

TEST_F(KnightKind, WritesAPhraseAlongThePath) {
    ScopedRecordingUi quiet;
    const Outcome phrase = Run({"fill", "--kind", "knight", "--path", "0,0 2,1 1,3 3,2", "--phrase", "конь", "--json"});
    ASSERT_EQ(phrase.exitCode, ExitCode::Filled) << phrase.err;
    EXPECT_NE(phrase.out.find("\"rows\": [\"К###\", \"##О#\", \"###Ь\", \"#Н##\"]"), std::string::npos) << phrase.out;
    EXPECT_NE(phrase.out.find("\"phrase\": \"конь\""), std::string::npos);
    // One letter for every cell: a longer phrase does not fit, a shorter one would leave cells blank.
    for (const char* phrase : {"конь", "к"}) {
        const Outcome refused = Run({"fill", "--kind", "knight", "--path", "0,0 2,1", "--phrase", phrase});
        EXPECT_EQ(refused.exitCode, ExitCode::BadInput) << phrase;
        EXPECT_NE(refused.err.find("letters, the path 2 cells"), std::string::npos) << refused.err;
    }
}

TEST_F(KnightKind, RefusesBadPaths) {
    ScopedRecordingUi quiet;
    const std::vector<std::vector<std::string>> refused = {
        {"fill", "--kind", "knight", "--path", "0,0"},
        {"fill", "--kind", "knight", "--path", "0,0 1,2 0,0"},
        {"fill", "--kind", "knight", "--path", "0,0 1,x"},
        {"fill", "--kind", "knight", "--path", "0,0 200,1"},
        {"fill", "--kind", "knight", "--size", "2x2", "--path", "0,0 1,2"},
        {"fill", "--kind", "classic", "--path", "0,0 1,2"},
        // A knight grid without a path cannot be filled.
        {"fill", "--kind", "knight", "--size", "5x5"},
    };
    for (const auto& args : refused) {
        const Outcome outcome = Run(args);
        EXPECT_EQ(outcome.exitCode, ExitCode::BadInput) << args[4];
        EXPECT_FALSE(outcome.err.empty()) << args[4];
    }
}

TEST_F(KnightKind, PictureFormCarriesThePathAndThePhraseFlag) {
    ScopedRecordingUi quiet;
    const Outcome made = Run({"template", "--kind", "knight", "--path", "0,0 2,1 0,2 1,0 2,2"});
    ASSERT_EQ(made.exitCode, ExitCode::Filled) << made.err;
    EXPECT_EQ(made.out, "knight 3x3 phrase=off\n.p1 .p4 #\n# # .p2\n.p3 # .p5\n");

    for (const std::string& picture : {made.out, std::string("knight 3x2 phrase=on\n.p2 # .p3\n# # .p1\n")}) {
        SCOPED_TRACE(picture);
        ASSERT_TRUE(WriteFileText(Path("path.txt"), picture));
        const Outcome again = Run({"template", "--picture", Path("path.txt")});
        EXPECT_EQ(again.exitCode, ExitCode::Filled) << again.err;
        EXPECT_EQ(again.out, picture);
    }

    // The steps read become the path the fill follows.
    ASSERT_TRUE(WriteFileText(Path("path.txt"), made.out));
    const Outcome phrase = Run({"fill", "--picture", Path("path.txt"), "--phrase", "кошка", "--json"});
    ASSERT_EQ(phrase.exitCode, ExitCode::Filled) << phrase.err;
    EXPECT_NE(phrase.out.find("\"steps\": [[0, 0], [2, 1], [0, 2], [1, 0], [2, 2]]"), std::string::npos) << phrase.out;
    EXPECT_NE(phrase.out.find("\"rows\": [\"КК#\", \"##О\", \"Ш#А\"]"), std::string::npos) << phrase.out;

    const std::vector<std::string> refused = {
        "knight 3x1 phrase=off\n.p1 .p3 #\n",      // a step missing
        "knight 3x1 phrase=off\n.p1 .p1 #\n",      // a step twice
        "knight 3x1 phrase=off\n.p1 .p2 #p3\n",    // a step off the letter cells
        "knight 3x1 phrase=off\n.p1 .p2 .\n",      // a letter cell off the path
        "knight 3x1 phrase=maybe\n.p1 .p2 #\n",
        "knight 3x1 phrase=off\n.p1 .p2p2 #\n",
    };
    for (const std::string& picture : refused) {
        SCOPED_TRACE(picture);
        ASSERT_TRUE(WriteFileText(Path("bad.txt"), picture));
        const Outcome outcome = Run({"template", "--picture", Path("bad.txt")});
        EXPECT_EQ(outcome.exitCode, ExitCode::BadInput);
        EXPECT_FALSE(outcome.err.empty());
    }
}

TEST_F(KnightKind, EditShiftMovesThePathWithItsCells) {
    ScopedRecordingUi quiet;
    // A template file with free room right of and below the path.
    std::string error;
    const auto roomy = ReadTemplatePicture("knight 5x4 phrase=off\n"
                                           ".p1 # .p3 # #\n"
                                           "# # # # #\n"
                                           "# .p2 # # #\n"
                                           "# # # # #\n",
                                           error);
    ASSERT_TRUE(roomy) << error;
    roomy->FileName = Path("roomy.tpl");
    ASSERT_TRUE(roomy->SaveToFile());

    struct Case {
        std::string shift;
        std::string picture;
    };
    const std::vector<Case> cases = {
        {"2,1", "knight 5x4 phrase=off\n# # # # #\n# # .p1 # .p3\n# # # # #\n# # # .p2 #\n"},
        // A step moved off the grid takes the path with it; the cells left keep their places.
        {"3,0", "knight 5x4 phrase=off\n# # # . #\n# # # # #\n# # # # .\n# # # # #\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.shift);
        const Outcome edit = Run({"edit", "--template", Path("roomy.tpl"), "--shift", c.shift, "--out", Path("moved.tpl")});
        ASSERT_EQ(edit.exitCode, ExitCode::Filled) << edit.err;
        TKnightShablon moved(5, 4);
        moved.FileName = Path("moved.tpl");
        ASSERT_TRUE(moved.LoadFromFile());
        EXPECT_EQ(TemplatePicture(moved), c.picture);
    }
}

TEST_F(KnightKind, CluesPictureAndScriptShowAKnightCrossword) {
    ScopedRecordingUi quiet;
    const std::string file = Path("tour.crw");
    ASSERT_EQ(Run({"fill", "--kind", "knight", "--path", Tour, "--seed", "5", "--save", file}).exitCode,
              ExitCode::Filled);
    const Outcome clues = Run({"clues", file});
    EXPECT_EQ(clues.exitCode, ExitCode::Filled) << clues.err;
    EXPECT_FALSE(clues.out.empty());
    for (const std::string mode : {"0", "1"}) {
        SCOPED_TRACE(mode);
        const std::string svg = Path("tour" + mode + ".svg");
        const Outcome picture = Run({"picture", file, "--mode", mode, "--out", svg});
        EXPECT_EQ(picture.exitCode, ExitCode::Filled) << picture.err;
        EXPECT_GT(std::filesystem::file_size(svg), 0u);
        const std::string script = Path("tour" + mode + ".txt");
        const Outcome written = Run({"script", file, "--mode", mode, "--out", script});
        EXPECT_EQ(written.exitCode, ExitCode::Filled) << written.err;
        EXPECT_GT(std::filesystem::file_size(script), 0u);
    }
}
