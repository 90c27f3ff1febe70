// crossgen with the strip scanword and the game's default dictionary: fills whose JSON is checked
// on its own (the upper and the lower words spell the answer, every word a dictionary word used
// once, no word at the same columns in both rows), a height the strip does not take and the time
// limit ending a hopeless fill.

#include "../crossword/CrosswordFixture.h"
#include "../crossword/FillFixture.h"
#include "KindJson.h"

#include "dictionary/FileHelpers.h"

#include "platform/RecordingUi.h"
#include "platform/Text.h"

#include <gtest/gtest.h>

#include <set>

namespace {

std::string JsonAnswer(const std::string& json) {
    const nlohmann::json answer = JsonMember(json, "answer");
    return answer.is_string() ? FromUtf8(answer.get<std::string>()) : std::string();
}

class StripKind : public KindCrossgenTest {};

}  // namespace

TEST_F(StripKind, FillsSpellOneChainTwice) {
    ScopedRecordingUi quiet;
    TWorkDictionary dictionary;
    ASSERT_TRUE(LoadWordList(dictionary, mDefaults.DictionaryFile));
    for (const int width : {12, 30}) {
        SCOPED_TRACE(width);
        const std::string size = std::to_string(width) + "x2";
        const Outcome fill = Run({"fill", "--kind", "strip", "--size", size, "--seed", "7", "--json"});
        ASSERT_EQ(fill.exitCode, ExitCode::Filled) << fill.err << fill.out;
        EXPECT_NE(fill.out.find("\"kind\": \"strip\""), std::string::npos);
        const std::string answer = JsonAnswer(fill.out);
        ASSERT_EQ(answer.size(), static_cast<std::size_t>(width));
        const std::string row = dictionary.ToUpperText(answer);  // rows show capitals
        EXPECT_EQ(JsonRows(fill.out), (std::vector<std::string>{row, row}));
        std::set<std::string> seen;
        std::set<std::pair<std::size_t, std::size_t>> upperSpans;
        for (const std::string key : {"upper", "lower"}) {
            const std::vector<std::string> words = JsonStringList(fill.out, key);
            ASSERT_FALSE(words.empty()) << key;
            std::string chain;
            for (const std::string& word : words) {
                SCOPED_TRACE(ToUtf8(word));
                int index = 0;
                EXPECT_TRUE(dictionary.Find(word, index));
                EXPECT_TRUE(seen.insert(word).second);
                const std::pair span{chain.size(), word.size()};
                if (key == "upper")
                    upperSpans.insert(span);
                else
                    EXPECT_EQ(upperSpans.count(span), 0u) << "at column " << span.first << " in both rows";
                chain += word;
            }
            EXPECT_EQ(chain, answer) << key;
        }
        EXPECT_EQ(Untimed(Run({"fill", "--kind", "strip", "--size", size, "--seed", "7", "--json"}).out),
                  Untimed(fill.out));
    }
}

TEST_F(StripKind, OnlyTwoRows) {
    ScopedRecordingUi quiet;
    for (const std::string size : {"10x3", "10x1"}) {
        const Outcome fill = Run({"fill", "--kind", "strip", "--size", size});
        EXPECT_EQ(fill.exitCode, ExitCode::BadInput) << size;
        EXPECT_NE(fill.err.find("--size Wx2"), std::string::npos) << fill.err;
    }
}

// Eight short words cannot cover 40 columns twice, so the search goes on until the limit ends it;
// the clock moves on by a second at every message run of the fill.
TEST_F(StripKind, TimeLimitEndsTheFill) {
    const std::string dictionary = Path("words.wdi");
    ASSERT_TRUE(WriteDictionaryFile(dictionary, DictionaryLayout{},
                                    DictionaryWords({"аб", "ба", "абб", "баа", "ааб", "бба", "аба", "баб"})));
    const ClockAtMessageRuns clock(1000);
    const Outcome run = Run({"fill", "--kind", "strip", "--size", "40x2", "--dict", dictionary, "--seed", "5",
                             "--time-limit", "1", "--json"});
    EXPECT_EQ(run.exitCode, ExitCode::NotFilled) << run.err;
    EXPECT_NE(run.out.find("\"error\": -4"), std::string::npos) << run.out;
    EXPECT_GT(clock.Runs(), 0);
}
