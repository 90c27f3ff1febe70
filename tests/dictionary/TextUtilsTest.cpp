#include "TestFiles.h"

#include "dictionary/FileHelpers.h"
#include "dictionary/LetterCase.h"
#include "dictionary/Syllables.h"
#include "dictionary/TextHelpers.h"
#include "platform/Clock.h"
#include "platform/RecordingUi.h"
#include "platform/Text.h"

#include <algorithm>

TEST(LetterCase, TablesMapEachLetterBothWays) {
    const std::string_view upper = UpperLetterTable();
    const std::string_view lower = LowerLetterTable();
    ASSERT_EQ(upper.size(), 33u);
    ASSERT_EQ(lower.size(), 33u);
    for (std::size_t i = 0; i < upper.size(); ++i) {
        EXPECT_EQ(LowerLetter(upper[i]), lower[i]) << i;
        EXPECT_EQ(UpperLetter(lower[i]), upper[i]) << i;
    }
    EXPECT_EQ(UpperText("съешь ещё этих мягких"_cp), "СЪЕШЬ ЕЩЁ ЭТИХ МЯГКИХ"_cp);
    EXPECT_EQ(LowerText("ЁЖ Э Abc"_cp), "ёж э abc"_cp);
}

TEST(LetterCase, EdgeCasesOfTheKeyMap) {
    struct Case {
        std::string_view in;
        std::string_view upper;
    };
    const Case cases[] = {
        {"ё"_cp, "Ё"_cp}, {"f", "F"}, {"<", ","}, {"1", "1"}, {"`", "~"}, {"\"", "'"}, {"F", "F"}, {"Я"_cp, "Я"_cp},
    };
    for (const Case& c : cases) EXPECT_EQ(UpperLetter(c.in[0]), c.upper[0]) << c.in;
    EXPECT_EQ(LowerLetter("Э"_cp[0]), "э"_cp[0]);
    EXPECT_EQ(LowerLetter('Z'), 'z');
    // The key rows are not folded back by LowerLetter: only Latin capitals change.
    EXPECT_EQ(LowerLetter(','), ',');
    EXPECT_EQ(LowerKeyTable().size(), UpperKeyTable().size());
}

TEST(TextHelpers, ZeroPaddedKeepsTheLastDigits) {
    EXPECT_EQ(ZeroPadded(7, 2), "07");
    EXPECT_EQ(ZeroPadded(123, 2), "23");
    EXPECT_EQ(ZeroPadded(5, 8), "0005");
    EXPECT_EQ(ZeroPadded(42, 0), "");
}

TEST(TextHelpers, CharacterRoutines) {
    EXPECT_EQ(CountChar("a~b~c", '~'), 2);
    EXPECT_EQ(ReplaceChar("a~b~c", '~', ' '), "a b c");
    EXPECT_EQ(RemoveChars("молоко"_cp, "ао"_cp), "млк"_cp);
    EXPECT_TRUE(AllInAlphabet("ко~т "_cp, "кот"_cp));
    EXPECT_FALSE(AllInAlphabet("кит"_cp, "кот"_cp));
    RandSeed(3);
    const std::string shuffled = ShuffleText("абвгдежз"_cp);
    std::string sortedA = shuffled, sortedB = std::string("абвгдежз"_cp);
    std::sort(sortedA.begin(), sortedA.end());
    std::sort(sortedB.begin(), sortedB.end());
    EXPECT_EQ(sortedA, sortedB);
}

TEST(Syllables, RealWords) {
    struct Case {
        std::string_view word;
        std::string_view syllables;
    };
    const Case cases[] = {
        {"молоко"_cp, "мо~ло~ко"_cp},
        {"поэт"_cp, "по~эт"_cp},
        {"кошка"_cp, "кош~ка"_cp},
        {"сестра"_cp, "сест~ра"_cp},
        {"подъезд"_cp, "по~дъезд"_cp},
        {"соль"_cp, "соль"_cp},
        {"ручьи"_cp, "ру~чьи"_cp},
        {"окно"_cp, "окно"_cp},
        {"а"_cp, "а"_cp},
        {""_cp, ""_cp},
        {"КОРОВА"_cp, "КО~РО~ВА"_cp},
    };
    for (const Case& c : cases) EXPECT_EQ(ToUtf8(Syllabify(c.word)), ToUtf8(c.syllables)) << ToUtf8(c.word);
}

TEST(Syllables, MarkSyllablesTouchesOnlyCyrillicRuns) {
    EXPECT_EQ(MarkSyllables("Latin words 123"), "Latin words 123");
    EXPECT_EQ(ToUtf8(MarkSyllables("молоко-корова, 2 раза"_cp)), ToUtf8("мо~ло~ко-ко~ро~ва, 2 ра~за"_cp));
    // "ё" lies outside 192..255 and ends a run.
    EXPECT_EQ(ToUtf8(MarkSyllables("береза"_cp)), ToUtf8("бе~ре~за"_cp));
}

TEST(FileHelpers, WholeFilesAndBlocks) {
    ScratchDir dir;
    ScopedRecordingUi ui;
    const std::string empty = dir.File("empty.txt");
    ASSERT_TRUE(WriteListToFile(empty, {}, true, true));
    EXPECT_EQ(std::filesystem::file_size(empty), 0u);

    const std::string lines = dir.File("lines.txt");
    ASSERT_TRUE(WriteListToFile(lines, {"a", "bc"}, true, true));
    std::string text;
    ASSERT_TRUE(ReadFileText(lines, text));
    EXPECT_EQ(text, "a\r\nbc\r\n");

    const std::string big = dir.File("big.bin");
    std::string bytes(3 * FileBlockSize + 10, '\0');
    for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<char>(i * 7);
    ASSERT_TRUE(WriteFileText(big, bytes));
    std::vector<std::string> blocks;
    ASSERT_TRUE(ReadFileBlocks(big, blocks));
    ASSERT_EQ(blocks.size(), 4u);
    EXPECT_EQ(blocks[3].size(), 10u);
    std::string joined;
    for (const auto& b : blocks) joined += b;
    EXPECT_EQ(joined, bytes);
    ASSERT_TRUE(ReadFileText(big, text, 5000));
    EXPECT_EQ(text, bytes.substr(0, 2 * FileBlockSize));

    EXPECT_FALSE(ReadFileText(dir.File("missing"), text));
    EXPECT_FALSE(ReadFileBlocks(dir.File("missing"), blocks));
    EXPECT_TRUE(ui->Messages.empty());

    EXPECT_FALSE(WriteFileText(dir.File("no/such/dir/x"), "x"));
    EXPECT_FALSE(WriteListToFile(dir.File("no/such/dir/y"), {"y"}, false, false));
    ASSERT_EQ(ui->Messages.size(), 1u);
    EXPECT_EQ(ui->Messages[0], Format("Ошибка записи в файл %s"_cp, dir.File("no/such/dir/x")));
}
