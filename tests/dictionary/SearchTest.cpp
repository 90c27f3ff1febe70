#include "TestFiles.h"

#include "dictionary/Find.h"
#include "dictionary/FindSpecial.h"
#include "dictionary/Mask.h"
#include "dictionary/WorkDictionary.h"
#include "platform/Clock.h"
#include "platform/RecordingUi.h"

#include <algorithm>
#include <random>
#include <set>

namespace {

// A dictionary of random words over a small alphabet, so that masks have many matches.
std::vector<DictionaryWord> RandomWords(std::mt19937& random, int count, uint8_t cellFormat) {
    const std::string letters = "абвгде"_cp.data();
    std::set<std::string> texts;
    while (static_cast<int>(texts.size()) < count) {
        const int cells = 2 + static_cast<int>(random() % 7);
        std::string word;
        for (int i = 0; i < cells; ++i) {
            word += letters[random() % 6];
            if (cellFormat == CellFormatPairs) word += letters[random() % 6];
        }
        texts.insert(word);
    }
    std::vector<DictionaryWord> words;
    for (const std::string& text : texts)
        words.push_back({text, static_cast<WordCategory>(random() % 5 == 0 ? 1 + random() % 2 : 0), {}});
    SortInDictionaryOrder(words, cellFormat);
    return words;
}

TMask RandomMask(std::mt19937& random, uint8_t mode, const std::vector<DictionaryWord>& words, int known) {
    // A mask made from a real word keeps most searches non-empty.
    const std::string& word = words[random() % words.size()].text;
    const int cells = CellCountOf(word, mode);
    TMask mask(mode, "");
    mask.Resize(cells);
    for (int k = 0; k < known; ++k) {
        const int i = static_cast<int>(random() % cells);
        mask.SetCell(i, mode == CellFormatPairs ? word.substr(2 * i, 2) : word.substr(i, 1));
    }
    return mask;
}

// The searches as the rules state them, entry by entry over the whole dictionary.
struct Reference {
    const std::vector<DictionaryWord>& words;
    uint8_t format;

    bool Collectable(const TMask& mask, const std::string& word) const {
        if (CellCountOf(word, format) != mask.CellCount()) return false;
        if (!IsSingleCharFormat(mask.Mode())) return mask.Matches(word);
        for (int i = 0; i < std::min(mask.CellCount(), 25); ++i)
            if (mask.Text()[i] != ' ' && mask.Text()[i] != word[i]) return false;
        return true;
    }
    bool InRange(const TMask& mask, const std::string& word) const {
        return CellCountOf(word, format) == mask.CellCount();
    }
    int Count(const TMask& mask, bool withoutUnavailable) const {
        int count = 0;
        bool allUnknown = true;
        for (int i = 0; i < mask.CellCount(); ++i) allUnknown = allUnknown && mask.IsUnknown(i);
        for (const auto& w : words) {
            if (allUnknown ? InRange(mask, w.text)
                           : Collectable(mask, w.text) &&
                                 (!withoutUnavailable || w.category != WordCategory::Unavailable))
                ++count;
        }
        return count;
    }
    std::vector<std::string> Collected(const TMask& mask) const {
        std::vector<std::string> byBucket[3];
        for (const auto& w : words)
            if (Collectable(mask, w.text)) byBucket[static_cast<int>(w.category)].push_back(w.text);
        std::vector<std::string> all;
        for (auto& bucket : byBucket) all.insert(all.end(), bucket.begin(), bucket.end());
        return all;
    }
    std::vector<std::string> Lines(const TMask& mask) const {
        std::vector<std::string> lines;
        for (const auto& w : words)
            if (InRange(mask, w.text) && mask.Matches(w.text))
                lines.push_back(char('0' + static_cast<int>(w.category)) + w.text);
        std::sort(lines.begin(), lines.end());
        return lines;
    }
    bool Has(const TMask& mask) const {
        return std::any_of(words.begin(), words.end(), [&](const auto& w) {
            return InRange(mask, w.text) && mask.Matches(w.text) && w.category != WordCategory::Unavailable;
        });
    }
};

class SearchTest : public ::testing::Test {
protected:
    void Load(const std::vector<DictionaryWord>& words, uint8_t format) {
        DictionaryLayout layout;
        layout.cellFormat = format;
        dictionary.FileName = WriteBytes(dir.File("s.wdi"), DictionaryFileBytes(layout, words));
        dictionary.ShowProgress = false;
        ASSERT_TRUE(dictionary.Load());
    }
    static std::vector<std::string> Items(const TFindSpecial& store) {
        std::vector<std::string> items;
        for (int i = 0; i < store.Total(); ++i) items.push_back(store.Item(i));
        return items;
    }

    ScratchDir dir;
    ScopedRecordingUi ui;
    TWorkDictionary dictionary;
};

}  // namespace

TEST_F(SearchTest, EverySearchYieldsExactlyTheSpecifiedCandidates) {
    std::mt19937 random(11);
    for (uint8_t format : {CellFormatSingle, CellFormatSingleAnyOrder, CellFormatPairs}) {
        const std::vector<DictionaryWord> words = RandomWords(random, 3000, format);
        Load(words, format);
        const Reference reference{words, format};
        TFindSpecial store;
        TFind lines;
        for (int trial = 0; trial < 300; ++trial) {
            const TMask mask = RandomMask(random, format, words, trial % 5);
            SCOPED_TRACE(mask.Text());
            for (bool without : {false, true})
                EXPECT_EQ(dictionary.CountCandidates(mask, without), reference.Count(mask, without));
            dictionary.CollectCandidates(mask, store, true);
            EXPECT_EQ(Items(store), reference.Collected(mask));
            dictionary.CollectCandidateLines(mask, lines, true);
            std::vector<std::string> got;
            for (int i = 0; i < lines.Count(); ++i) got.push_back(lines.Line(i));
            EXPECT_EQ(got, reference.Lines(mask));
            EXPECT_EQ(dictionary.HasCandidate(mask), reference.Has(mask));
        }
    }
}

TEST_F(SearchTest, AllUnknownMaskCountsEveryCategoryOfItsLength) {
    Load({{"аб"_cp.data(), WordCategory::Ordinary, {}},
          {"ав"_cp.data(), WordCategory::Unavailable, {}},
          {"абв"_cp.data(), WordCategory::Reserve, {}}},
         CellFormatSingle);
    EXPECT_EQ(dictionary.CountCandidates(TMask(0, "  "), true), 2);
    EXPECT_EQ(dictionary.CountCandidates(TMask(0, "а "_cp.data()), true), 1);
    EXPECT_EQ(dictionary.CountCandidates(TMask(0, "а "_cp.data()), false), 2);
    TFindSpecial store;
    dictionary.CollectCandidates(TMask(0, "  "), store, true);
    EXPECT_EQ(store.Total(), 2);
    EXPECT_EQ(store.BucketCount(WordCategory::Unavailable), 1);

    // A word placed in the grid becomes unavailable to the counts without unavailable words.
    dictionary.SetCategoryOf("аб"_cp, WordCategory::Unavailable);
    EXPECT_EQ(dictionary.CountCandidates(TMask(0, "а "_cp.data()), true), 0);
    EXPECT_FALSE(dictionary.HasCandidate(TMask(0, "а "_cp.data())));
    dictionary.SetCategoryOf("аб"_cp, WordCategory::Ordinary);
    EXPECT_TRUE(dictionary.HasCandidate(TMask(0, " б"_cp.data())));
}

TEST_F(SearchTest, MasksOutsideTwoToTwentyFiveCellsFindNothing) {
    std::vector<DictionaryWord> words = Words({"ад"});
    Load(words, CellFormatPairs);
    for (const TMask& mask : {TMask(0, ""), TMask(0, "а"_cp.data()), TMask(0, std::string(26, ' ')),
                              TMask(0, std::string(300, ' ')), TMask(1, std::string(52, ' '))}) {
        EXPECT_EQ(dictionary.CountCandidates(mask, false), 0);
        EXPECT_FALSE(dictionary.HasCandidate(mask));
        TFindSpecial store;
        dictionary.CollectCandidates(mask, store, true);
        EXPECT_EQ(store.Total(), 0);
        std::string word;
        int position = 0;
        bool wrapped = false;
        EXPECT_FALSE(dictionary.ScanFrom(mask, 0, word, position, wrapped));
    }
}

TEST_F(SearchTest, ScanFromWrapsAndStopsAtTheStart) {
    Load(Words({"ад", "ум", "кот"}), CellFormatSingle);
    std::string word;
    bool wrapped = false;
    int position = 2;  // the range of three cells holds only entry 2
    EXPECT_TRUE(dictionary.ScanFrom(TMask(0, "   "), 2, word, position, wrapped));
    EXPECT_EQ(ToUtf8(word), "кот");
    EXPECT_TRUE(wrapped);
    EXPECT_FALSE(dictionary.ScanFrom(TMask(0, "   "), 2, word, position, wrapped));

    dictionary.SetCategoryOf("кот"_cp, WordCategory::Unavailable);
    wrapped = false;
    position = 2;
    EXPECT_FALSE(dictionary.ScanFrom(TMask(0, "   "), 2, word, position, wrapped));
    EXPECT_EQ(position, 2);

    wrapped = false;
    position = 0;
    EXPECT_TRUE(dictionary.ScanFrom(TMask(0, "  "), 0, word, position, wrapped));
    EXPECT_EQ(ToUtf8(word), "ум");
    EXPECT_TRUE(dictionary.ScanFrom(TMask(0, "  "), 0, word, position, wrapped));
    EXPECT_EQ(ToUtf8(word), "ад");
    EXPECT_FALSE(dictionary.ScanFrom(TMask(0, "  "), 0, word, position, wrapped));
    // A start outside the mask's range scans nothing (it could never end the scan).
    wrapped = false;
    position = 7;
    EXPECT_FALSE(dictionary.ScanFrom(TMask(0, "у "_cp.data()), 7, word, position, wrapped));
}

TEST_F(SearchTest, RandomMatchAndLengthRanges) {
    Load(Words({"ад", "ум", "кот", "лес", "сова", "собака"}), CellFormatSingle);
    RandSeed(5);
    for (int trial = 0; trial < 50; ++trial) {
        TMask mask(0, "с"_cp.data());
        std::string word;
        ASSERT_TRUE(dictionary.RandomMatch(mask, 3, word, 6));
        EXPECT_TRUE(word == "сова"_cp || word == "собака"_cp) << ToUtf8(word);
        EXPECT_EQ(mask.CellCount(), static_cast<int>(word.size()));
    }
    TMask none(0, "я"_cp.data());
    std::string word;
    EXPECT_FALSE(dictionary.RandomMatch(none, 2, word, 25));
    EXPECT_FALSE(dictionary.RandomMatch(none, 1, word, 25));
    EXPECT_FALSE(dictionary.RandomMatch(none, 5, word, 4));

    TFind lines;
    dictionary.CollectByLengthRange(TMask(0, " "), 0, lines, 99);
    EXPECT_EQ(lines.Count(), 6);
    EXPECT_EQ(lines.CategoryCount(WordCategory::Ordinary), 6);
    dictionary.CollectByLengthRange(TMask(0, "со"_cp.data()), 3, lines, 4);
    ASSERT_EQ(lines.Count(), 1);
    EXPECT_EQ(lines.LineWord(0), "сова"_cp);
    EXPECT_EQ(dictionary.RandomEntryOfLength(3) / 2, 1);
    EXPECT_EQ(dictionary.RandomEntryOfLength(5), 5);
}
