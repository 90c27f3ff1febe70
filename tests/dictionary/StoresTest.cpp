#include "TestFiles.h"

#include "dictionary/DynaUsedWord.h"
#include "dictionary/Find.h"
#include "dictionary/FindSpecial.h"
#include "dictionary/Mask.h"
#include "dictionary/Fragments.h"
#include "dictionary/Opredelenia.h"
#include "dictionary/SpaceSortedList.h"
#include "dictionary/WorkDictionary.h"
#include "platform/Text.h"

#include <gtest/gtest.h>

namespace {
std::string Numbered(int i) {
    return "w" + std::to_string(i);
}
}  // namespace

TEST(FindSpecial, CandidatesAreNumberedAcrossBuckets) {
    TFindSpecial store;
    store.Add("r1", WordCategory::Reserve);
    store.Add("o1", WordCategory::Ordinary);
    store.Add("u1", WordCategory::Unavailable);
    store.Add("o2", WordCategory::Ordinary);
    EXPECT_EQ(store.Total(), 4);
    EXPECT_EQ(store.BucketCount(WordCategory::Ordinary), 2);
    const std::vector<std::string> expected = {"o1", "o2", "r1", "u1"};
    for (int i = 0; i < 4; ++i) EXPECT_EQ(store.Item(i), expected[i]);
    EXPECT_EQ(store.Item(4), "");
    EXPECT_EQ(store.Item(-1), "");
    store.Delete(2);
    EXPECT_EQ(store.Item(2), "u1");
    EXPECT_EQ(store.BucketCount(WordCategory::Reserve), 0);
    store.Reset();
    EXPECT_EQ(store.Total(), 0);
}

TEST(FindSpecial, DeletingFromAFullFixedStorePullsInTheOverflow) {
    TFindSpecial store;
    for (int i = 0; i <= TFindSpecial::FixedStoreSize; ++i) store.Add(Numbered(i), WordCategory::Ordinary);
    ASSERT_EQ(store.BucketCount(WordCategory::Ordinary), 4001);
    store.Delete(0);
    EXPECT_EQ(store.BucketCount(WordCategory::Ordinary), 4000);
    EXPECT_EQ(store.Item(0), "w1");
    EXPECT_EQ(store.Item(3999), "w4000");
    store.Delete(1000);
    EXPECT_EQ(store.Item(1000), "w1002");
    EXPECT_EQ(store.Item(3998), "w4000");
    EXPECT_EQ(store.Total(), 3999);
}

TEST(FindSpecial, LongWordsAreNeverCut) {
    const std::string longWord(40, 'x');
    for (bool fixed : {true, false}) {
        TFindSpecial store;
        store.SetUseFixedStore(fixed);
        store.Add("short", WordCategory::Ordinary);
        store.Add(longWord, WordCategory::Ordinary);
        store.Add(std::string(25, 'y'), WordCategory::Ordinary);
        EXPECT_EQ(store.Item(1), longWord);
        store.Delete(0);
        EXPECT_EQ(store.Item(0), longWord);
        EXPECT_EQ(store.Item(1), std::string(25, 'y'));
    }
    TFindSpecial store;
    store.Add("a", WordCategory::Ordinary);
    store.Add(longWord, WordCategory::Ordinary);
    store.SetUseFixedStore(false);
    EXPECT_EQ(store.Item(0), "a");
    EXPECT_EQ(store.Item(1), longWord);
}

TEST(Find, LinesSortOrdinaryFirstAndCountModulo256) {
    TFind list;
    list.Add("1b");
    list.Add("0z");
    list.Add("2a");
    EXPECT_EQ(list.Line(0), "0z");
    EXPECT_EQ(list.LineWord(1), "b");
    list.Delete(0);
    EXPECT_EQ(list.Count(), 2);
    list.Clear();
    EXPECT_EQ(list.Count(), 0);

    // The search counts each line it collects: 300 reserve words wrap the reserve counter to 44.
    ScratchDir dir;
    std::vector<DictionaryWord> words;
    const std::string_view letters = "абвгдежзийклмнопрстуфхцчшщъыьэюя"_cp;
    for (int i = 0; i < 300; ++i) {
        const std::string word = {'\xEA', letters[i / 32], letters[i % 32]};  // "к" and two letters
        words.push_back({word, WordCategory::Reserve, {}});
    }
    words.push_back({std::string("кот"_cp), WordCategory::Ordinary, {}});
    SortInDictionaryOrder(words, CellFormatSingle);
    TWorkDictionary dictionary;
    dictionary.ShowProgress = false;
    dictionary.FileName = dir.File("many.wdi");
    ASSERT_TRUE(WriteDictionaryFile(dictionary.FileName, DictionaryLayout{}, words));
    ASSERT_TRUE(dictionary.Load());
    dictionary.CollectCandidateLines(TMask(CellFormatSingle, std::string("к  "_cp)), list, true);
    EXPECT_EQ(list.Count(), 301);
    EXPECT_EQ(list.CategoryCount(WordCategory::Reserve), 300 % 256);
    EXPECT_EQ(list.CategoryCount(WordCategory::Ordinary), 1);
    EXPECT_EQ(list.Line(0), "0кот"_cp);
    list.Clear();
    EXPECT_EQ(list.CategoryCount(WordCategory::Reserve), 0);
}

TEST(SpaceSortedList, HoldsEachTextOnceInByteOrder) {
    TSpaceSortedList list;
    EXPECT_EQ(list.Add("б"_cp), 0);
    EXPECT_EQ(list.Add("а"_cp), 0);
    EXPECT_EQ(list.Add("я"_cp), 2);
    EXPECT_EQ(list.Add("б"_cp), 1);
    EXPECT_EQ(list.Count(), 3);
    int index = -1;
    EXPECT_FALSE(list.Locate("в"_cp, index));
    EXPECT_EQ(index, 2);
    EXPECT_FALSE(list.Locate("яя"_cp, index));
    EXPECT_EQ(index, 3);
    list.Remove("б"_cp);
    EXPECT_FALSE(list.Contains("б"_cp));
    list.AddStrings({std::string("а"_cp), std::string("ж"_cp)});
    EXPECT_EQ(list.Count(), 3);
    list.Remove("а"_cp);
    EXPECT_FALSE(list.Contains("а"_cp));
}

TEST(DynaUsedWord, CountsUses) {
    TDynaUsedWord used;
    used.AddUse("кот"_cp);
    used.AddUse("кот"_cp);
    used.AddUse("ая"_cp);
    EXPECT_EQ(used.ItemWord(0), "ая"_cp);
    EXPECT_EQ(used.UseCount(1), 2);
    used.ReleaseUse("кот"_cp);
    EXPECT_EQ(used.UseCount(1), 1);
    used.ReleaseUse("кот"_cp);
    EXPECT_FALSE(used.Contains("кот"_cp));
    used.ReleaseUse("нет"_cp);
    EXPECT_EQ(used.Count(), 1);
    EXPECT_EQ(used.UseCount(5), -1);
    EXPECT_EQ(used.ItemWord(5), "");
    used.SetUseCount(0, 7);
    EXPECT_EQ(used.UseCount(0), 7);
}

TEST(Opredelenia, SplitsAlternativesOnceRegardlessOfCase) {
    TOpredelenia defs;
    defs.SplitDefinitions("Кот; кот; ; пёс;КОТ"_cp);
    ASSERT_EQ(defs.Count(), 2);
    EXPECT_EQ(defs.Item(0), "Кот"_cp);
    EXPECT_EQ(defs.Item(1), "пёс;КОТ"_cp);
    defs.SplitDefinitions("ПЁС; зверь"_cp);
    EXPECT_EQ(defs.JoinDefinitions(), "Кот; пёс;КОТ; ПЁС; зверь"_cp);
}

TEST(Fragments, TextFormRoundTripsAndBrokenTextKeepsEarlierPairs) {
    TFragments fragments;
    fragments.AddFragment("ab", "1");
    fragments.AddFragment("c", "");
    EXPECT_EQ(fragments.AsText(), "ab;*1;*c;*;*");
    TFragments copy;
    EXPECT_TRUE(copy.LoadFromText(fragments.AsText()));
    EXPECT_EQ(copy.AsText(), fragments.AsText());
    EXPECT_EQ(copy.IndexOfFragment("c"), 1);
    EXPECT_EQ(copy.IndexOfFragment("x"), -1);
    EXPECT_FALSE(copy.LoadFromText("a;*1;*b;*"));
    ASSERT_EQ(copy.Count(), 1);
    EXPECT_EQ(copy.FragmentValue(0), "1");
}
