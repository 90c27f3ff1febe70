#include "SmallCrossword.h"

#include "platform/Clock.h"

#include <algorithm>
#include <functional>
#include <set>

namespace {

// Expected texts are written in UTF-8 with "|" for CR LF.
std::string Text(const std::string& utf8) {
    std::string text;
    for (const char c : Cp(utf8)) text += c == '|' ? std::string("\r\n") : std::string(1, c);
    return text;
}

class ClueTextTest : public SmallCrosswordTest {
protected:
    void SetUp() override {
        SmallCrosswordTest::SetUp();
        crossword = MakeSmall();
        SetDefinition(*crossword, 0, "Жилое здание");
        SetDefinition(*crossword, 1, "Дерево с желудями");
        SetDefinition(*crossword, 2, "&FB+Весенний месяц");
        SetDefinition(*crossword, 4, "  Упрямое животное  ");
        SetDefinition(*crossword, 5, "Колючий зверёк");
    }

    std::unique_ptr<TClassicCrossword> crossword;
};

// Row labels of the grouped list: the text between each "~#2" and the blank before "~#1".
std::vector<std::string> RowLabels(const std::string& text) {
    std::vector<std::string> labels;
    for (std::size_t at = text.find("~#2"); at != std::string::npos; at = text.find("~#2", at + 1)) {
        const std::size_t end = text.find(" ~#1", at);
        labels.push_back(ToUtf8(text.substr(at + 3, end - at - 3)));
    }
    return labels;
}

}  // namespace

TEST_F(ClueTextTest, AnswerLists) {
    struct Case {
        TClueListOptions options;
        std::string expected;
    };
    const Case cases[] = {
        {{}, "~#1дом дуб март конь баран ёж ~#1"},
        {{.Numbers = true, .Headings = true, .SplitDirections = true, .OnePerLine = true, .Capitalize = true, .Dot = true},
         "~#2По горизонтали:~#1|~#1~#21. ~#1Дом. |~#24. ~#1Баран. |~#25. ~#1Ёж. ||"
         "~#2По вертикали:~#1|~#1~#21. ~#1Дуб. |~#22. ~#1Март. |~#23. ~#1Конь. |"},
        // Headings need both switches.
        {{.Headings = true, .SplitDirections = false}, "~#1дом дуб март конь баран ёж ~#1"},
        {{.Headings = false, .SplitDirections = true}, "~#1дом баран ёж ~#1дуб март конь "},
        {{.Numbers = true, .Count = true, .Order = 1},
         "~#1~#21 ~#1дом ~#22 ~#1баран ~#23 ~#1ёж ~#24 ~#1дуб ~#25 ~#1март ~#26 ~#1конь ~#1"},
    };
    for (const Case& c : cases) EXPECT_EQ(crossword->BuildClueText(c.options), Text(c.expected)) << c.expected;
}

TEST_F(ClueTextTest, AnEmptySlotShowsAQuestionMarkPerCell) {
    crossword->RemoveWord(3);
    EXPECT_EQ(crossword->BuildClueText({}), Text("~#1дом дуб март ???? баран ёж ~#1"));
    EXPECT_EQ(crossword->BuildCluePages({}, true), Text("~#1дом - Жилое здание дуб - Дерево с желудями "
                                                        "март - &FB+Весенний месяц ???? - ??? баран - Упрямое животное "
                                                        "ёж - Колючий зверёк ~#1"));
}

TEST_F(ClueTextTest, TheKeyWordLineFollowsWhenItsCellsArePainted) {
    crossword->Template->KeyWordCells = std::string{0, 0, 1, 2, 2, 2};
    EXPECT_EQ(crossword->KeywordText(), Cp("дар"));
    const TClueListOptions options{.OnePerLine = true};
    const std::string list = Text("~#1дом|дуб|март|конь|баран|ёж|~#1");
    EXPECT_EQ(crossword->BuildClueText(options), list);  // key-word cells are not painted by default
    crossword->Template->KeyWordCellLook.NoPaint = false;
    EXPECT_EQ(crossword->BuildClueText(options), list + Text("||~#1Ключевое слово:~#2 дар|"));
    crossword->Template->KeyWordAllowed = false;
    EXPECT_EQ(crossword->BuildClueText(options), list);
}

TEST_F(ClueTextTest, ClueLists) {
    struct Case {
        TClueListOptions options;
        bool withAnswers;
        std::string expected;
    };
    const Case cases[] = {
        {{.Numbers = true, .Markup = true, .Lengths = true}, true,
         "~#1~#21 ~#1дом - Жилое здание (3). ~#21 ~#1дуб - Дерево с желудями (3). "
         "~#22 ~#1март - Весенний месяц (4). ~#23 ~#1конь - ??? (4). ~#24 ~#1баран - Упрямое животное (5). "
         "~#25 ~#1ёж - Колючий зверёк (2). ~#1"},
        {{.Numbers = true, .Headings = true, .SplitDirections = true, .OnePerLine = true, .Dot = true}, false,
         "~#2По горизонтали:~#1|~#1~#21. ~#1Жилое здание|~#24. ~#1Упрямое животное|~#25. ~#1Колючий зверёк||"
         "~#2По вертикали:~#1|~#1~#21. ~#1Дерево с желудями|~#22. ~#1&FB+Весенний месяц|~#23. ~#1???|"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(crossword->BuildCluePages(c.options, c.withAnswers), Text(c.expected)) << c.expected;
}

TEST_F(ClueTextTest, CluesByRowsAndColumns) {
    const TClueListOptions options{.Numbers = true, .OnePerLine = true, .Dot = true};
    EXPECT_EQ(crossword->BuildDirectionClues(options),
              Text("~#2A. ~#1Жилое здание|~#2C. ~#1Упрямое животное|~#2E. ~#1Колючий зверёк|"
                   "~#21. ~#1Дерево с желудями|~#23. ~#1&FB+Весенний месяц|~#25. ~#1???|"));
    crossword->Output.RowLabels = LabelAlphabet::Cyrillic;
    crossword->Output.ColumnLabels = LabelAlphabet::Latin;
    EXPECT_EQ(crossword->BuildDirectionClues({.Headings = true, .SplitDirections = true, .Markup = true}),
              Text("~#2По горизонтали:~#1 Жилое здание Упрямое животное Колючий зверёк |"
                   "~#2По вертикали:~#1 Дерево с желудями Весенний месяц ??? "));
}

TEST_F(CrosswordTest, CluesOfOneRowShareAGroup) {
    auto crossword = Make({"..#..", "#####", "...##"}, {"кот"});
    crossword->Template->NumberCells();
    EXPECT_EQ(crossword->BuildDirectionClues({.Numbers = true, .Lengths = true}),
              Text("~#2A ~#1??? (2)./??? (2). ~#2C ~#1??? (3). "));
}

TEST_F(CrosswordTest, RowLabelsInEveryAlphabet) {
    auto crossword = Make(GridPicture(60, ".."), {"кот"});
    struct Case {
        uint8_t alphabet;
        std::vector<std::pair<int, std::string>> labels;  // row number from 1, label
    };
    const Case cases[] = {
        {LabelAlphabet::Cyrillic, {{1, "А"}, {7, "Ё"}, {24, "Ц"}, {25, "Ч"}, {33, "Я"}, {34, "АА"}, {35, "АБ"}, {60, "АЩ"}}},
        {LabelAlphabet::Latin, {{1, "A"}, {22, "V"}, {23, "W"}, {26, "Z"}, {27, "AA"}, {52, "AZ"}, {53, "BA"}}},
        {LabelAlphabet::Digits, {{1, "1"}, {10, "10"}, {60, "60"}}},
    };
    for (const Case& c : cases) {
        crossword->Output.RowLabels = c.alphabet;
        // 60 row labels, then the labels of the two columns.
        const std::vector<std::string> labels = RowLabels(crossword->BuildDirectionClues({.Numbers = true}));
        ASSERT_EQ(labels.size(), 62u);
        const std::vector<std::string> rows(labels.begin(), labels.begin() + 60);
        EXPECT_EQ(std::set<std::string>(rows.begin(), rows.end()).size(), 60u) << int(c.alphabet);
        for (const auto& [row, label] : c.labels) EXPECT_EQ(rows[row - 1], label) << int(c.alphabet) << " " << row;
    }
}

TEST_F(ClueTextTest, WordOrders) {
    EXPECT_EQ(crossword->OrderedWords(0), (std::vector<int>{0, 1, 2, 3, 4, 5}));
    EXPECT_EQ(crossword->OrderedWords(1), (std::vector<int>{0, 4, 5, 1, 2, 3}));
    EXPECT_EQ(crossword->SlotsByLine(0), (std::vector<int>{0, 4, 5}));
    EXPECT_EQ(crossword->SlotsByLine(1), (std::vector<int>{1, 2, 3}));

    bool shuffled = false;
    for (uint32_t seed = 1; seed <= 20; ++seed) {
        RandSeed(seed);
        const std::vector<int> order = crossword->OrderedWords(3);
        std::vector<int> sorted = order;
        std::sort(sorted.begin(), sorted.end());
        EXPECT_EQ(sorted, (std::vector<int>{0, 1, 2, 3, 4, 5}));
        const auto firstDown = std::find_if(order.begin(), order.end(), [](int s) { return s == 1 || s == 2 || s == 3; });
        EXPECT_TRUE(std::all_of(firstDown, order.end(), [](int s) { return s == 1 || s == 2 || s == 3; })) << seed;
        shuffled = shuffled || order != std::vector<int>{0, 4, 5, 1, 2, 3};
    }
    EXPECT_TRUE(shuffled);
}

TEST_F(CrosswordTest, DownWordsByColumnOrByRow) {
    // Down slots: (0,1) in column 0, then (1,0) and (2,0) in the first row.
    auto crossword = Make({"#..", "...", "..#"}, {"кот"});
    const std::vector<int> across = {crossword->Words.FindSlot(1, 0, "6"), crossword->Words.FindSlot(0, 1, "66"),
                                     crossword->Words.FindSlot(0, 2, "6")};
    const int down0 = crossword->Words.FindSlot(0, 1, "2"), down1 = crossword->Words.FindSlot(1, 0, "22"),
              down2 = crossword->Words.FindSlot(2, 0, "2");
    std::vector<int> byColumn = across, byRow = across;
    byColumn.insert(byColumn.end(), {down0, down1, down2});
    byRow.insert(byRow.end(), {down1, down2, down0});
    EXPECT_EQ(crossword->OrderedWords(1), byColumn);
    EXPECT_EQ(crossword->OrderedWords(2), byRow);
}

TEST_F(ClueTextTest, Markup) {
    struct Case {
        std::string definition;
        std::string text;
        int position;
        std::function<bool(const TDefinitionMarkup&)> check;
    };
    const auto format = [](const TDefinitionMarkup& m) { return m.Format; };
    const TFormatParameters base = crossword->OprFormat;
    const Case cases[] = {
        {"&FB+&FS012Текст", "Текст", 10, [&](auto& m) { return m.Format.Bold && m.Format.FontSize == 12; }},
        {"&fb+&fi+текст", "текст", 8, [&](auto& m) { return m.Format.Bold && m.Format.Italic; }},
        {"&FS000x", "x", 6, [&](auto& m) { return m.Format.FontSize == 1; }},
        {"&FS999x", "x", 6, [&](auto& m) { return m.Format.FontSize == 255; }},
        {"&FSabcx", "x", 6, [&](auto& m) { return m.Format.FontSize == base.FontSize; }},
        {"&CA1x", "x", 4, [&](auto& m) { return m.Link.Mode == 1 && !m.Link.Link; }},
        {"&CA7x", "x", 4, [&](auto& m) { return m.Link.Mode == 3; }},
        {"&CC123abcx", "x", 9, [&](auto& m) { return m.Link.Link && m.Link.Number1 == 123 && m.Link.Number2 == 255; }},
        {"&CO\"a.bmp\"&CP\"b\"x", "x", 16, [&](auto& m) { return m.Link.Text1 == "a.bmp" && m.Link.Text2 == "b"; }},
        {"&FC\"C4278190080\"x", "x", 16,
         [&](auto& m) { return m.Format.FontColor == TColorValue{0xFF000000u, TColorModel::Cmyk}; }},
        {"&FC\"0xyz\"x", "x", 9,
         [&](auto& m) { return m.Format.FontColor == TColorValue{base.FontColor.Value, TColorModel::Rgb}; }},
        {"&FN\"Times\"x", "x", 10, [&](auto& m) { return m.Format.FontName == "Times"; }},
        {"&H-x", "x", 3, [&](auto& m) { return !m.Format.HFlag; }},
        {"&Ipic.bmp", "pic.bmp", 2, [&](auto& m) { return m.Picture; }},
        {"&I&FB+x", "&FB+x", 2, [&](auto& m) { return m.Picture && !m.Format.Bold; }},
        {"&L050&S080&W150x", "x", 15,
         [&](auto& m) { return m.Format.Interline == 50 && m.Format.SPercent == 80 && m.Format.FontWidth == 150; }},
        {"&Labcx", "x", 5, [&](auto& m) { return m.Format.Interline == 100; }},
        {"&L999x", "x", 5, [&](auto& m) { return m.Format.Interline == 255; }},
        {"&L-12x", "x", 5, [&](auto& m) { return m.Format.Interline == 0; }},
        {"&RUслово", "СЛОВО", 3, [&](auto& m) { return m.Format.CaseMode == 1; }},
        {"&RDСЛОВО", "слово", 3, [&](auto& m) { return m.Format.CaseMode == 2; }},
        {"&RU&Rxслово", "слово", 6, [&](auto& m) { return m.Format.CaseMode == 0; }},
        {"&Z&Qx", "x", 4, [&](auto& m) { return m.Format.Z; }},
        {"текст\r\n\r\n", "текст", 0, [&](auto& m) { return format(m) == base; }},
        {"&", "&", 0, [&](auto& m) { return format(m) == base; }},
    };
    for (const Case& c : cases) {
        const TDefinitionMarkup markup = crossword->FormatDefinition(Cp(c.definition), true);
        EXPECT_EQ(ToUtf8(markup.Text), c.text) << c.definition;
        EXPECT_EQ(markup.Position, c.position) << c.definition;
        EXPECT_TRUE(c.check(markup)) << c.definition;
    }
}

TEST_F(ClueTextTest, MarkupCutShortLeavesTheText) {
    const std::string cutShort[] = {
        "&C", "&CA", "&CC12345", "&CO\"abc", "&CP", "&F", "&FB", "&FBx", "&FI", "&FC\"\"", "&FC\"C12",
        "&FN\"Arial", "&FS12", "&H", "&Hx", "&L12", "&S1", "&W", "&R", "&FB+&R", "&FB+&FS01",
    };
    for (const std::string& definition : cutShort) {
        const TDefinitionMarkup markup = crossword->FormatDefinition(definition, true);
        EXPECT_EQ(markup.Text, definition);
        EXPECT_EQ(markup.Position, 0) << definition;
        EXPECT_FALSE(markup.Picture) << definition;
    }
}

TEST_F(ClueTextTest, PickingADefinition) {
    struct Case {
        std::string definitions;
        TDefinitionChoice choice;
        bool picked;
        std::set<std::string> allowed;
    };
    const Case cases[] = {
        {"Жилое здание; Строение", {}, true, {"Жилое здание", "Строение"}},
        {"старое##~Новое", {}, true, {"Новое"}},
        {"Длинное определение; Короткое; Ещё одно длинное", {.LimitLength = true, .MaxLength = 8}, true, {"Короткое"}},
        {"Длинное определение; Короткое", {.LimitLength = true, .MaxLength = 7}, false, {""}},
        {"Первое; Второе; x##~&Ipic.bmp; Третье", {.PreferPictures = true}, true, {"&Ipic.bmp"}},
        {"Первое; &FB+Второе", {.PreferPictures = true}, true, {"Первое", "&FB+Второе"}},
        {"", {}, false, {""}},
    };
    for (const Case& c : cases) {
        std::set<std::string> seen;
        for (uint32_t seed = 1; seed <= 30; ++seed) {
            RandSeed(seed);
            std::string text = "stale";
            EXPECT_EQ(crossword->PickDefinition(false, Cp(c.definitions), text, c.choice), c.picked) << c.definitions;
            seen.insert(ToUtf8(text));
        }
        EXPECT_EQ(seen, c.allowed) << c.definitions;
    }
}

TEST_F(ClueTextTest, CluesInTheGridPickPlainText) {
    crossword->CluesInGrid = 1;
    std::string text;
    EXPECT_TRUE(crossword->PickDefinition(true, Cp("&FB+&RUМесяц"), text, {}));
    EXPECT_EQ(ToUtf8(text), "МЕСЯЦ");
    EXPECT_FALSE(crossword->PickDefinition(true, Cp("&FB+Весенний месяц"), text, {.LimitLength = true, .MaxLength = 10}));
    EXPECT_TRUE(crossword->PickDefinition(true, Cp("&FB+Весна"), text, {.LimitLength = true, .MaxLength = 5}));
    EXPECT_EQ(ToUtf8(text), "Весна");
}
