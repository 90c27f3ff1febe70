// The making of the default word lists: nouns from a hunspell dictionary, their forms, how
// often they are used, the senses of the English-Russian dictionaries, the thesaurus and the
// clues made from them. Every fixture is a few lines written here in the sources' own formats.

#include "Clues.h"
#include "EnglishRussian.h"
#include "ListText.h"
#include "NounList.h"
#include "Thesaurus.h"
#include "WordForms.h"

#include "dictionary/FileHelpers.h"
#include "platform/Text.h"

#include <gtest/gtest.h>

namespace {

std::vector<std::string> Utf8(const std::vector<std::string>& cp1251Texts) {
    std::vector<std::string> texts;
    for (const std::string& text : cp1251Texts) texts.push_back(ToUtf8(text));
    return texts;
}

std::vector<std::string> Cp(std::initializer_list<std::string_view> utf8Texts) {
    std::vector<std::string> texts;
    for (const std::string_view text : utf8Texts) texts.push_back(FromUtf8(text));
    return texts;
}

// A number as dictd writes it in an index: base 64, most significant digit first.
std::string DictdNumber(std::size_t n) {
    static constexpr std::string_view Digits = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string out;
    do {
        out.insert(out.begin(), Digits[n % 64]);
        n /= 64;
    } while (n > 0);
    return out;
}

// A dictd dictionary of the given entries (UTF-8, each starting with its headword line).
struct Dictd {
    std::string index;
    std::string text;
};

Dictd MakeDictd(const std::vector<std::string>& entries) {
    Dictd dictd;
    dictd.text = "00-database-info\n  made by a test\n";
    dictd.index = "00-database-info\tA\t" + DictdNumber(dictd.text.size()) + "\n";
    for (const std::string& entry : entries) {
        const std::string headword = entry.substr(0, entry.find('\n'));
        dictd.index += headword + "\t" + DictdNumber(dictd.text.size()) + "\t" + DictdNumber(entry.size()) + "\n";
        dictd.text += entry;
    }
    return dictd;
}

struct SenseSeen {
    std::string english;
    bool noun;
    bool technical;
    std::vector<std::vector<std::string>> groups;  // UTF-8
};

std::vector<SenseSeen> SensesWithTranslations(const std::vector<std::string_view>& entries, bool mueller) {
    std::vector<SenseSeen> senses;
    const auto keep = [&](const TranslationSense& sense) {
        if (sense.groups.empty()) return;
        SenseSeen seen{sense.english, sense.noun, sense.technical, {}};
        for (const auto& group : sense.groups) seen.groups.push_back(Utf8(group));
        senses.push_back(seen);
    };
    if (mueller)
        ForEachMuellerSense(entries, Cp({"фин"}), keep);
    else
        ForEachFreeDictSense(entries, keep);
    return senses;
}

bool operator==(const SenseSeen& a, const SenseSeen& b) {
    return a.english == b.english && a.noun == b.noun && a.technical == b.technical && a.groups == b.groups;
}

void PrintTo(const SenseSeen& s, std::ostream* out) {
    *out << s.english << (s.noun ? " noun" : "") << (s.technical ? " technical" : "") << " "
         << ::testing::PrintToString(s.groups);
}

}  // namespace

TEST(NounList, TakesNominativeNounsByTheRules) {
    std::string rulesText;
    ASSERT_TRUE(ReadFileText(std::string(ZELVANA_ASSETS_DIR) + "/noun-rules.txt", rulesText));
    NounRules rules;
    std::string error;
    ASSERT_TRUE(ParseNounRules(rulesText, rules, error)) << error;
    EXPECT_FALSE(ParseNounRules("noun-flags J\nnormal-min-uses three 2\n", rules, error));
    EXPECT_EQ(error, "line 2: unknown or malformed rule \"normal-min-uses three 2\"");
    ASSERT_TRUE(ParseNounRules(rulesText, rules, error));

    const std::string dic = "10\n"
                            "кот/J\n"
                            "Москва/I\n"       // a proper name
                            "ножницы/J\n"      // plural only
                            "красивый/AZ\n"    // an adjective
                            "бежать/L\n"       // a verb
                            "синий/H\n"        // "ий" without a masculine paradigm
                            "гений/J\n"
                            "ёжик/J\n"
                            "время\n"          // no paradigm: taken only when named
                            "хохол/J\n";       // excluded
    const std::vector<Noun> nouns = ExtractNouns(dic, rules, Cp({"хохол"}), Cp({"время", "сон"}));
    std::vector<std::string> words;
    for (const Noun& noun : nouns) words.push_back(ToUtf8(noun.word));
    EXPECT_EQ(words, (std::vector<std::string>{"время", "гений", "ежик", "кот"}));
    EXPECT_EQ(Utf8(nouns[2].spellings), std::vector<std::string>{"ёжик"});
    EXPECT_EQ(nouns[2].flags, std::vector<std::string>{"J"});
}

TEST(WordForms, SuffixRulesMakeTheFormsOfAStem) {
    const std::string aff = "SET UTF-8\n"
                            "SFX J Y 4\n"
                            "SFX J   0     а     [^ьй]\n"
                            "SFX J   0     ами   [^ьй]\n"
                            "SFX J   ь     я     ь\n"
                            "SFX J   й     я     [аеиоу]й\n"
                            "\n"
                            "SFX K Y 1\n"
                            "SFX K   0     ы     .\n";
    SuffixRules rules;
    rules.Read(aff, "J");
    struct Case {
        std::string stem;
        std::string flags;
        std::vector<std::string> forms;
    };
    const Case cases[] = {
        {"кот", "J", {"кот", "кота", "котами"}},
        {"конь", "J", {"конь", "коня"}},
        {"чай", "J", {"чай", "чая"}},
        {"кот", "K", {"кот"}},  // rules of flags not read are not applied
        {"ёж", "XJ", {"ёж", "ёжа", "ёжами"}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Utf8(rules.FormsOf(FromUtf8(c.stem), c.flags)), c.forms) << c.stem;
    }
    EXPECT_EQ(Utf8(rules.FormsOf(FromUtf8("бый"), "J")), std::vector<std::string>{"бый"});  // "ы" is not in [аеиоу]
    EXPECT_EQ(Utf8(rules.FormsOf(FromUtf8("бой"), "J")), (std::vector<std::string>{"бой", "боя"}));
}

TEST(UseCounter, CountsEveryFormForItsNouns) {
    SuffixRules rules;
    rules.Read("SFX J Y 2\nSFX J 0 а .\nSFX J 0 ами .\nSFX L Y 1\nSFX L ь и ь\n", "JL");
    const std::vector<Noun> nouns = {
        {FromUtf8("кот"), {FromUtf8("кот")}, {"J"}},
        {FromUtf8("лань"), {FromUtf8("лань")}, {"L"}},
        {FromUtf8("лани"), {FromUtf8("лани")}, {""}},  // shares the form "лани"
        {FromUtf8("еж"), {FromUtf8("ёж")}, {"J"}},
    };
    UseCounter uses(nouns, rules);
    uses.Count(FromUtf8("Кота и котами; лани. Котик, котов. Ежа и ёжа!"));
    EXPECT_EQ(uses.Uses(FromUtf8("кот")), 2);
    EXPECT_EQ(uses.Uses(FromUtf8("лань")), 1);
    EXPECT_EQ(uses.Uses(FromUtf8("лани")), 1);
    EXPECT_EQ(uses.Uses(FromUtf8("еж")), 2);
    EXPECT_EQ(uses.Uses(FromUtf8("пес")), 0);
}

TEST(EnglishRussian, SensesKeepTheirPartOfSpeechLabelsAndTranslations) {
    const Dictd mueller = MakeDictd({
        "bank\n"
        "   _I [bæŋk] _n.\n"
        "      1) вал, насыпь\n"
        "      2) берег (реки); river bank берег реки\n"
        "   _II _n. _фин. банк; bank of issue эмиссионный банк\n",
        "house\n"
        "   1. _n. [haʊs]\n"
        "      1) дом; жилище; здание\n"
        "      2) _attr. домашний\n"
        "      3) магазин, мастерская и т. п.\n"
        "   2. _v. приютить\n",
        "almanac\n"
        "   [↗ɘ:lmɜnæk] _n. календарь; альманах\n",
    });
    // A second headword for the same entry.
    const std::size_t houseLine = mueller.index.find("house\t");
    const std::string index = mueller.index + "House" +
                              mueller.index.substr(houseLine + 5, mueller.index.find('\n', houseLine) - houseLine - 4);
    const std::vector<std::string_view> entries = DictdEntries(index, mueller.text);
    ASSERT_EQ(entries.size(), 3u);  // the database's own entry left out, "House" given once
    using Groups = std::vector<std::vector<std::string>>;
    using Seen = std::vector<SenseSeen>;
    const Seen expected = {
        {"bank", true, false, Groups{{"вал", "насыпь"}}},
        {"bank", true, false, Groups{{"берег"}}},
        {"bank", true, true, Groups{{"банк"}}},  // the label of the homonym holds for its sense
        {"house", true, false, Groups{{"дом"}, {"жилище"}, {"здание"}}},
        {"house", false, false, Groups{{"домашний"}}},  // attributive
        {"house", false, false, Groups{{"приютить"}}},  // the verb
        {"almanac", true, false, Groups{{"календарь"}, {"альманах"}}},
    };
    EXPECT_EQ(SensesWithTranslations(entries, true), expected);

    const Dictd freedict = MakeDictd({"zoo /zˈuː/\nзоопарк\n", "about /əbaut/\n1. о\n2. приблизительно, примерно\n"});
    EXPECT_EQ(SensesWithTranslations(DictdEntries(freedict.index, freedict.text), false),
              (Seen{{"zoo", true, false, Groups{{"зоопарк"}}},
                    {"about", true, false, Groups{{"о"}}},
                    {"about", true, false, Groups{{"приблизительно", "примерно"}}}}));
    // Places outside the text are not read.
    EXPECT_TRUE(DictdEntries("far\t" + DictdNumber(mueller.text.size()) + "\tB\n", mueller.text).empty());
}

TEST(Thesaurus, ReadsSynonymsAndSimilarTermsOnly) {
    const std::string text = "UTF-8\n"
                             "дом|3\n"
                             "(синоним)|здание|жилище\n"
                             "(антоним)|улица\n"
                             "(сходный термин)|кров\n"
                             "изба|1\n"
                             "(синоним)|хата\n"
                             "хата|x\n"
                             "лес|1\n"
                             "(синоним)|бор\n";
    const std::vector<ThesaurusEntry> entries = ReadThesaurus(text);
    ASSERT_EQ(entries.size(), 2u);  // a damaged entry ends the reading
    EXPECT_EQ(ToUtf8(entries[0].headword), "дом");
    ASSERT_EQ(entries[0].meanings.size(), 2u);
    EXPECT_EQ(Utf8(entries[0].meanings[0]), (std::vector<std::string>{"здание", "жилище"}));
    EXPECT_EQ(Utf8(entries[0].meanings[1]), std::vector<std::string>{"кров"});
    EXPECT_EQ(Utf8(entries[1].meanings[0]), std::vector<std::string>{"хата"});
}

TEST(Clues, SynonymsNeverOfTheAnswersRootNorOffensiveNorAcrossSenses) {
    EXPECT_TRUE(SameRoot(FromUtf8("дом"), FromUtf8("домик")));
    EXPECT_TRUE(SameRoot(FromUtf8("ртуть"), FromUtf8("ртутный")));
    EXPECT_FALSE(SameRoot(FromUtf8("кот"), FromUtf8("кошка")));
    EXPECT_FALSE(SameRoot(FromUtf8("вода"), FromUtf8("в")));

    const std::vector<std::string> nouns = Cp({"дом", "домик", "здание", "жилище", "кров", "изба", "хата", "берег",
                                               "банк", "вал", "насыпь", "глобус", "человек", "пристанище",
                                               "шар", "англичанин"});
    ClueMaker clues(nouns, Cp({"паскуда", "сволочь"}));
    const std::string longAdjective(33, '\xE0');  // 33 letters "а", then "ое"
    clues.AddThesaurus({
        {FromUtf8("дом"), {Cp({"домик", "здание", "жилище"}), Cp({"кров"}), Cp({"сволочь", "паскудный человек"}),
                           {longAdjective + FromUtf8("ое пристанище")}, Cp({"бежать", "США", "очень большой дом"})}},
        {FromUtf8("изба"), {Cp({"хата", "дом"})}},
    });
    TranslationSense s1;
    s1.english = "bank";
    s1.noun = true;
    s1.groups = {Cp({"вал", "насыпь"})};
    clues.AddSense(s1);
    TranslationSense s2 = s1;
    s2.groups = {Cp({"берег"})};
    clues.AddSense(s2);
    TranslationSense s3 = s1;
    s3.groups = {Cp({"банк"})};
    clues.AddSense(s3);
    TranslationSense globe;
    globe.english = "globe";
    globe.noun = true;
    globe.groups = {Cp({"шар"}), Cp({"земной шар"})};
    clues.AddSense(globe);
    TranslationSense globe2 = globe;
    globe2.groups = {Cp({"глобус"})};
    clues.AddSense(globe2);
    TranslationSense verb = globe;
    verb.noun = false;
    verb.groups = {Cp({"шар", "глобус"})};
    clues.AddSense(verb);
    TranslationSense englishman = globe;
    englishman.english = "Englishman";
    englishman.groups = {Cp({"англичанин"})};
    clues.AddSense(englishman);

    struct Case {
        const char* noun;
        std::vector<std::string> russian;
        std::string definition;
    };
    const Case cases[] = {
        // The first meaning gives a pair ("домик" is of the root), a headword listing the noun
        // early on comes next, then the other meanings: offensive, too long or not naming a
        // thing, all but "кров" are left out.
        {"дом", {"здание, жилище", "изба", "кров"}, "здание, жилище; изба; кров"},
        {"хата", {"изба"}, "изба"},
        {"вал", {"насыпь"}, "насыпь"},
        {"берег", {}, "по-английски bank"},  // "банк" translates another sense
        {"банк", {}, "по-английски bank"},
        {"шар", {}, "по-английски globe"},  // "земной шар" holds the answer
        {"глобус", {}, "по-английски globe"},  // the verb's "шар" is not a synonym
        {"англичанин", {}, ""},  // "по-английски" would give it away
        {"человек", {}, ""},
    };
    for (const Case& c : cases) {
        const std::string noun = FromUtf8(c.noun);
        EXPECT_EQ(Utf8(clues.RussianClues(noun)), c.russian) << c.noun;
        EXPECT_EQ(ToUtf8(clues.Definition(noun)), c.definition) << c.noun;
    }
    EXPECT_TRUE(clues.InThesaurus(FromUtf8("хата")));
    EXPECT_FALSE(clues.InThesaurus(FromUtf8("берег")));
}

TEST(Levels, NormalTakesUsedCluedWordsOfEveryLengthHardEveryKnownWord) {
    NounRules rules;
    rules.normalMinUses = 3;
    rules.normalMinUsesInThesaurus = 2;
    rules.normalShortest = 2;
    rules.normalLongest = 4;
    rules.normalPerLengthMin = 1;
    rules.hardMinUses = 1;
    const auto noun = [](const char* word, int uses, bool inThesaurus, bool hasClue, bool hardOnly = false) {
        return RankedNoun{FromUtf8(word), uses, inThesaurus, hasClue, hardOnly};
    };
    const std::vector<RankedNoun> nouns = {
        noun("ад", 0, false, true),   noun("ил", 0, false, false), noun("кот", 5, false, true),
        noun("лес", 2, true, true),   noun("мир", 2, false, true), noun("пять", 9, false, true, true),
        noun("дуб", 7, false, false), noun("ель", 0, false, false), noun("сом", 0, true, false),
    };
    // "ад" stands for its length, which no word reaches by use; no length-4 word may stand.
    EXPECT_EQ(Utf8(NormalLevel(nouns, rules)), (std::vector<std::string>{"ад", "кот", "лес"}));
    EXPECT_EQ(Utf8(HardLevel(nouns, rules)),
              (std::vector<std::string>{"ад", "дуб", "кот", "лес", "мир", "пять", "сом"}));
}
