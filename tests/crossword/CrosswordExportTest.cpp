#include "CrosswordFixture.h"

#include "../template/ScriptRunner.h"

#include "export/ComExport.h"
#include "export/ScriptWriter.h"
#include "platform/Clock.h"
#include "platform/FileText.h"
#include "platform/RecordingEditor.h"

#include <algorithm>
#include <map>
#include <set>

namespace {

using TLines = std::vector<std::string>;

// A filled 6 x 6 classic grid:
//
//   к о т # м ы     across: кот, мы, токарь, дом      down: кит, ток, марта, да
//   и # о # а #
//   т о к а р ь
//   # # # # т #
//   д о м # а #
//   а # # # # #
const GridPicture SixGrid = {
    "...#..",
    ".#.#.#",
    "......",
    "####.#",
    "...#.#",
    ".#####",
};

struct TPlaced {
    bool Across;
    int X, Y;
    const char* Word;
};

const std::vector<TPlaced> SixWords = {
    {true, 0, 0, "кот"}, {true, 4, 0, "мы"},   {true, 0, 2, "токарь"}, {true, 0, 4, "дом"},
    {false, 0, 0, "кит"}, {false, 2, 0, "ток"}, {false, 4, 0, "марта"}, {false, 0, 4, "да"},
};

// The texts of the crossword's text items (kinds 17, 18, 20) in list order, in UTF-8.
std::vector<std::string> Texts(const TComExport& list) {
    std::vector<std::string> texts;
    for (int i = 0; i < list.Count(); ++i) {
        const auto kind = static_cast<TExportKind>(list.Kind(i));
        if (kind == TExportKind::TextBlock || kind == TExportKind::StyledTextBlock ||
            kind == TExportKind::FormattedText)
            texts.push_back(ToUtf8(std::string(list.Text(i))));
    }
    return texts;
}

int CountKind(const TComExport& list, TExportKind kind) {
    int n = 0;
    for (int i = 0; i < list.Count(); ++i) n += list.Kind(i) == static_cast<int>(kind);
    return n;
}

// The style a line applies or saves, or empty.
std::string StyleIn(const std::string& line, const std::string& command) {
    if (line.rfind(command + " \"", 0) != 0) return {};
    const auto end = line.find('"', command.size() + 2);
    return line.substr(command.size() + 2, end - command.size() - 2);
}

class CrosswordExportTest : public CrosswordTest {
protected:
    std::unique_ptr<TClassicCrossword> MakeSix() {
        std::vector<std::string> words;
        for (const TPlaced& p : SixWords) words.push_back(p.Word);
        auto crossword = Make(SixGrid, words);
        crossword->Template->NumberCells();
        for (const TPlaced& p : SixWords) {
            const int length = static_cast<int>(Cp(p.Word).size());
            const int slot = p.Across ? Across(*crossword, p.X, p.Y, length) : Down(*crossword, p.X, p.Y, length);
            EXPECT_GE(slot, 0) << p.Word;
            EXPECT_EQ(crossword->PlaceWord(slot, Cp(p.Word), false), PutCode::Placed) << p.Word;
        }
        crossword->GivenWords.Add(Cp("дом"));
        crossword->GivenLetters.Add(Cp("к"));
        return crossword;
    }

    static TComExport ModeList(TCrossword& crossword, int mode) {
        TComExport list;
        crossword.BuildModeExport(list, mode);
        return list;
    }
};

// ---- what the cells show ----

TEST_F(CrosswordExportTest, CellTextsFollowTheMode) {
    auto crossword = MakeSix();
    const struct {
        int mode;
        std::vector<std::string> texts;  // the grid's texts, columns outer
    } cases[] = {
        {0, {"К", "И", "Т", "Д", "А", "О", "О", "О", "Т", "О", "К", "М", "А", "М", "А", "Р", "Т", "А", "Ы", "Ь"}},
        // only the given letter к and the cells of the given word дом
        {1, {"К", "Д", "О", "К", "М"}},
        {7, {}},
    };
    for (const auto& c : cases) {
        RandSeed(1);
        const TComExport list = ModeList(*crossword, c.mode);
        EXPECT_EQ(Texts(list), c.texts) << c.mode;
    }
    crossword->Chars.CapitalLetters = false;
    EXPECT_EQ(Texts(ModeList(*crossword, 1)), (std::vector<std::string>{"к", "д", "о", "к", "м"}));
}

TEST_F(CrosswordExportTest, DecoysStandBesideTheLetterInTwoHalves) {
    auto crossword = MakeSix();
    RandSeed(7);
    const TComExport list = ModeList(*crossword, 3);
    const std::vector<std::string> texts = Texts(list);
    ASSERT_EQ(texts.size(), 2u * 20);
    EXPECT_EQ(CountKind(list, TExportKind::Line), 20);
    // The first cell holds к: one of its halves is К, the other a different letter.
    EXPECT_TRUE((texts[0] == "К") != (texts[1] == "К")) << texts[0] << texts[1];
    EXPECT_NE(texts[0], texts[1]);
    for (int i = 0; i < list.Count(); ++i)
        if (list.Kind(i) == static_cast<int>(TExportKind::Line)) { EXPECT_EQ(list.Name(i), "CHAR_POLE"); }
}

TEST_F(CrosswordExportTest, FillEmptyGivesEmptyCellsARandomLetter) {
    auto crossword = Make(SixGrid, {"кот"});
    crossword->Dictionary.Alphabet = Cp("ж");
    EXPECT_TRUE(Texts(ModeList(*crossword, 0)).empty());
    crossword->Chars.FillEmpty = true;
    const std::vector<std::string> texts = Texts(ModeList(*crossword, 0));
    EXPECT_EQ(texts, std::vector<std::string>(20, "Ж"));
}

// ---- the codeword table ----

TEST_F(CrosswordExportTest, CodewordNumbersGoByFallingFrequencyAndAreNeverReused) {
    auto crossword = MakeSix();
    crossword->NumberLetters();
    const TCharsCount& table = crossword->LetterCounts;
    const auto number = [&](const char* letter) {
        const int i = table.IndexOf(Cp(letter));
        return i < 0 ? -1 : table.LetterNumber(i);
    };
    // Counted per word: т 5; а, к, о 4 (equal counts in byte order); м 3; д, р 2; и, ы, ь 1.
    const std::vector<std::pair<const char*, int>> expected = {
        {"т", 1}, {"а", 2}, {"к", 3}, {"о", 4}, {"м", 5}, {"д", 6}, {"р", 7}, {"и", 8}, {"ы", 9}, {"ь", 10}};
    for (const auto& [letter, n] : expected) EXPECT_EQ(number(letter), n) << letter;
    EXPECT_EQ(table.Count(), 10);

    // мы leaves with ы, whose 9 stays a gap; a new letter takes the highest number + 1, not 10.
    const int across = Across(*crossword, 4, 0, 2);
    crossword->RemoveWord(across);
    crossword->NumberLetters();
    EXPECT_EQ(number("ы"), -1);
    EXPECT_EQ(number("ь"), 10);
    ASSERT_EQ(crossword->PlaceWord(across, Cp("мю"), false), PutCode::Placed);
    crossword->NumberLetters();
    EXPECT_EQ(number("ю"), 11);
    std::set<int> numbers;
    for (int i = 0; i < table.Count(); ++i) numbers.insert(table.LetterNumber(i));
    EXPECT_EQ(static_cast<int>(numbers.size()), table.Count());
    EXPECT_EQ(numbers.count(9), 0u);
}

TEST_F(CrosswordExportTest, CodewordCellsShowNumbersAndTheTableItsRevealedLetters) {
    auto crossword = MakeSix();
    const std::vector<std::string> texts = Texts(ModeList(*crossword, 2));
    ASSERT_EQ(texts.size(), 20u + 10u);
    EXPECT_EQ(texts[0], "3");  // к
    EXPECT_EQ(texts[2], "1");  // т
    EXPECT_EQ(std::vector<std::string>(texts.begin() + 20, texts.end()),
              (std::vector<std::string>{"1", "2", "3", "4", "5", "6", "7", "8", "9", "10"}));

    crossword->LetterCounts.SetPrinted(crossword->LetterCounts.IndexOf(Cp("т")), true);
    TComExport table;
    crossword->ExportKeywordScript(table);
    EXPECT_EQ(CountKind(table, TExportKind::Cell), 2 * 10);
    const std::vector<std::string> tableTexts = Texts(table);
    ASSERT_EQ(tableTexts.size(), 11u);
    EXPECT_EQ(tableTexts[0], "1");
    EXPECT_EQ(tableTexts[1], "Т");
    EXPECT_EQ(tableTexts[2], "2");

    crossword->Chars.NoPaint = true;
    TComExport none;
    crossword->ExportKeywordScript(none);
    EXPECT_EQ(none.Count(), 0);
}

TEST_F(CrosswordExportTest, ALetterWithoutANumberShowsAQuestionMark) {
    auto crossword = Make(SixGrid, {"кот"});
    ASSERT_EQ(crossword->PlaceWord(Across(*crossword, 0, 0, 3), Cp("кот"), false), PutCode::Placed);
    crossword->SetCellText(0, 4, Cp("ж"));  // in no placed word, so never counted
    TComExport list;
    crossword->ExportCrosswordScript(list, 2);
    EXPECT_EQ(Texts(list), (std::vector<std::string>{"1", "?", "2", "3"}));
}

TEST_F(CrosswordExportTest, ShufflingKeepsThePrintedLettersNumbers) {
    auto crossword = MakeSix();
    crossword->NumberLetters();
    TCharsCount& table = crossword->LetterCounts;
    std::map<std::string, int> before;
    for (int i = 0; i < table.Count(); ++i) {
        if (i % 2 == 0) table.SetPrinted(i, true);
        before[table.Letter(i)] = table.LetterNumber(i);
    }
    crossword->Output.ShuffleNumbers = true;
    RandSeed(3);
    crossword->NumberLetters();
    std::set<int> numbers;
    bool moved = false;
    for (int i = 0; i < table.Count(); ++i) {
        numbers.insert(table.LetterNumber(i));
        if (table.Printed(i))
            EXPECT_EQ(table.LetterNumber(i), before[table.Letter(i)]);
        else
            moved = moved || table.LetterNumber(i) != before[table.Letter(i)];
    }
    EXPECT_EQ(numbers.size(), before.size());
    EXPECT_TRUE(moved);
}

// ---- the Italian puzzle ----

TEST_F(CrosswordExportTest, ItalianLabelsNameEveryColumnAndRow) {
    auto crossword = Make(std::vector<std::string>(40, "............"), {"кот"});
    crossword->Output.ColumnLabels = LabelAlphabet::Digits;
    crossword->Output.RowLabels = LabelAlphabet::Cyrillic;
    TComExport list;
    crossword->ExportItalianScript(list);
    const std::vector<std::string> texts = Texts(list);
    ASSERT_EQ(texts.size(), 12u + 40u);
    for (int n = 0; n < 12; ++n) EXPECT_EQ(texts[n], std::to_string(n + 1));
    const std::set<std::string> rows(texts.begin() + 12, texts.end());
    EXPECT_EQ(rows.size(), 40u);
    EXPECT_EQ(texts[12], "А");

    // Cell 100 x 1000 units, pen 7 x 1000, scale 1: h = 3500, inset 7500, box 100000 - 15000.
    const int column2 = 1 + 2, row1 = 1 + 12 + 1;
    EXPECT_EQ(list.X(column2), 2 * 100000 + 7500);
    EXPECT_EQ(list.Y(column2), 100000 + 7500);
    EXPECT_EQ(list.X(row1), -100000 - 7500);
    EXPECT_EQ(list.Y(row1), -100000 - 7500);
    EXPECT_EQ(list.X2(row1), 100000 - 7000 - 8000);
    EXPECT_EQ(list.Y2(row1), 100000 - 7000 - 8000);
    EXPECT_TRUE(list.Flag(row1));
    EXPECT_EQ(list.Param1(row1), 3500);
}

TEST_F(CrosswordExportTest, MarkersStandBesideGivenWordsThenAtRandom) {
    auto crossword = MakeSix();
    const auto markers = [&](int count) {
        crossword->Output.HintMarkerCount = static_cast<uint8_t>(count);
        TComExport list;
        crossword->ExportMarkedWordsScript(list);
        std::vector<std::pair<int, int>> cells;
        for (int i = 0; i < list.Count(); ++i) cells.emplace_back(list.X(i) / 100000, -list.Y(i) / 100000);
        return cells;
    };
    // дом (across at 0,4): left of it is outside the grid, right of it (3,4) is blocked.
    EXPECT_EQ(markers(0), (std::vector<std::pair<int, int>>{{3, 4}}));
    // ток (down at 2,0): above is outside, below (2,3) is blocked.
    crossword->GivenWords.Add(Cp("ток"));
    const auto both = markers(0);
    const std::set<std::pair<int, int>> besideBoth = {{3, 4}, {2, 3}};
    EXPECT_EQ((std::set<std::pair<int, int>>(both.begin(), both.end())), besideBoth);
    const auto all = markers(5);
    ASSERT_EQ(all.size(), 5u);
    const std::set<std::pair<int, int>> distinct(all.begin(), all.end());
    EXPECT_EQ(distinct.size(), 5u);
    for (const auto& [x, y] : all) EXPECT_FALSE(crossword->Template->IsLetterCell(x, y));
    // No more markers than blocked cells.
    EXPECT_EQ(markers(255).size(), 16u);
}

// ---- the sapper puzzle ----

TEST_F(CrosswordExportTest, SapperTextsListTheNeighboursLetters) {
    auto crossword = MakeSix();
    const auto sorted = [](std::string text) {
        std::sort(text.begin(), text.end());
        return text;
    };
    RandSeed(5);
    // (3,0) sees т (2,0), м (4,0), о (2,1) and а (4,1): four letters break after two.
    const std::string text = crossword->SapperText(3, 0);
    EXPECT_EQ(sorted(text), sorted(Cp("ТМОА") + "\r\n"));
    EXPECT_EQ(text.find("\r\n"), 2u);
    // (1,1) sees all eight neighbours; (3,4) three, which stay on one line.
    EXPECT_EQ(sorted(crossword->SapperText(1, 1)), sorted(Cp("КОТИОТОК") + "\r\n"));
    EXPECT_EQ(sorted(crossword->SapperText(3, 4)), sorted(Cp("ТМА")));
    // The letters are shuffled: different seeds give different orders.
    std::vector<std::string> orders;
    for (uint32_t seed = 0; seed < 40; ++seed) {
        RandSeed(seed);
        orders.push_back(crossword->SapperText(3, 4));
    }
    EXPECT_GT(std::set<std::string>(orders.begin(), orders.end()).size(), 1u);
    // A format with several characters per cell joins them with "-" and keeps one line.
    crossword->Dictionary.SetCellFormat(CellFormatPairs);
    const std::string joined = crossword->SapperText(5, 1);  // м ы / а / р ь
    EXPECT_EQ(joined.size(), 5u + 4u);
    EXPECT_EQ(joined[1], '-');
    EXPECT_EQ(joined.find('\r'), std::string::npos);

    TComExport list;
    crossword->Sapper.ShowPicture = true;
    crossword->Sapper.PictureFileName = "mine.png";
    crossword->ExportSapperScript(list);
    // Every blocked cell with lettered neighbours gets a picture and a text; (5,5) gets neither.
    EXPECT_EQ(CountKind(list, TExportKind::Picture), CountKind(list, TExportKind::FormattedText));
    EXPECT_EQ(CountKind(list, TExportKind::FormattedText), 16);

    // A blocked cell without lettered neighbours: an empty text, and neither picture nor text.
    auto lonely = Make({"###", "###", "###"}, {"кот"});
    lonely->Sapper = crossword->Sapper;
    EXPECT_EQ(lonely->SapperText(1, 1), "");
    TComExport empty;
    lonely->ExportSapperScript(empty);
    EXPECT_EQ(CountKind(empty, TExportKind::Picture) + CountKind(empty, TExportKind::FormattedText), 0);
}

// ---- shuffled blocks ----

TEST_F(CrosswordExportTest, BlocksStandApartAndHoldEveryCellOnce) {
    auto crossword = MakeSix();
    RandSeed(11);
    const TComExport list = ModeList(*crossword, 5);
    // Every cell once, each at a block place: columns 0-2 and 4-6, rows likewise.
    std::multiset<std::pair<int, int>> places;
    for (int i = 0; i < list.Count(); ++i)
        if (list.Kind(i) == static_cast<int>(TExportKind::Cell)) places.emplace(list.X(i) / 100000, -list.Y(i) / 100000);
    // The letter cells and the one enclosed blank, (1,1).
    const int cells = CountKind(ModeList(*crossword, 0), TExportKind::Cell);
    EXPECT_EQ(cells, 21);
    EXPECT_EQ(static_cast<int>(places.size()), cells);
    for (const auto& [x, y] : places) {
        EXPECT_NE(x, 3);
        EXPECT_NE(y, 3);
        EXPECT_LT(x, 7);
        EXPECT_LT(y, 7);
        EXPECT_EQ(places.count({x, y}), 1u);
    }
    std::vector<std::string> letters = Texts(list), solution = Texts(ModeList(*crossword, 0));
    std::sort(letters.begin(), letters.end());
    std::sort(solution.begin(), solution.end());
    EXPECT_EQ(letters, solution);

    crossword->Template->WordBlockWidth = 0;
    crossword->Template->WordBlockHeight = 0;
    const TComExport ones = ModeList(*crossword, 5);
    std::set<std::pair<int, int>> spread;
    for (int i = 0; i < ones.Count(); ++i)
        if (ones.Kind(i) == static_cast<int>(TExportKind::Cell)) spread.emplace(ones.X(i) / 100000, -ones.Y(i) / 100000);
    EXPECT_EQ(static_cast<int>(spread.size()), cells);
    for (const auto& [x, y] : spread) EXPECT_TRUE(x % 2 == 0 && y % 2 == 0 && x <= 10 && y <= 10);
}

TEST_F(CrosswordExportTest, SevenBySevenBlocksLeaveRoomForTheGaps) {
    auto crossword = Make(std::vector<std::string>(7, "......."), {"кот"});
    const TComExport list = ModeList(*crossword, 5);
    int right = 0, bottom = 0, cells = 0;
    for (int i = 0; i < list.Count(); ++i)
        if (list.Kind(i) == static_cast<int>(TExportKind::Cell)) {
            ++cells;
            right = std::max(right, list.X(i) / 100000);
            bottom = std::max(bottom, -list.Y(i) / 100000);
        }
    EXPECT_EQ(cells, 49);
    // Three block columns of 3 cells with two gaps: places 0 .. 10.
    EXPECT_LE(right, 10);
    EXPECT_LE(bottom, 10);
}

// ---- the deliveries ----

TEST_F(CrosswordExportTest, BothDeliveriesLeaveTheSameObjectsInEveryMode) {
    auto crossword = MakeSix();
    crossword->Template->BlankCellLook.NoPaint = false;
    crossword->Output.HintMarkerCount = 3;
    for (int mode = 0; mode <= 7; ++mode) {
        RandSeed(21);
        TLines lines;
        crossword->ExportToScript(lines, mode);
        RandSeed(21);
        TRecordingEditor live;
        EXPECT_TRUE(crossword->ExportTemplateScript(live, mode));
        TRecordingEditor scripted;
        TScriptRunner(scripted).Run(lines);
        EXPECT_EQ(Describe(scripted), Describe(live)) << mode;
        EXPECT_GT(live.Objects().size(), 20u) << mode;

        std::set<std::string> saved;
        for (const std::string& line : lines) {
            EXPECT_EQ(line.find_first_of("\r\n"), std::string::npos) << line;
            const std::string savedStyle = StyleIn(line, ".SaveStyleProp");
            if (!savedStyle.empty()) saved.insert(savedStyle);
            const std::string applied = StyleIn(line, ".ApplyStyle");
            if (!applied.empty()) { EXPECT_TRUE(saved.count(applied)) << applied << " in mode " << mode; }
        }
    }
}

TEST_F(CrosswordExportTest, AFailingCallEndsTheExportKeepingWhatWasDrawn) {
    auto crossword = MakeSix();
    for (const int k : {1, 5, 60, 200}) {
        mUi->Messages.clear();
        const int hidden = mUi->ProgressHidden;
        TRecordingEditor editor;
        editor.FailAt(k);
        EXPECT_FALSE(crossword->ExportTemplateScript(editor, 0));
        EXPECT_EQ(mUi->Messages, std::vector<std::string>{std::string("OLE-ошибка!"_cp)});
        EXPECT_EQ(static_cast<int>(editor.Log().size()), k);
        EXPECT_GT(mUi->ProgressHidden, hidden);
        if (k == 200) { EXPECT_FALSE(editor.Objects().empty()); }
    }
}

// ---- the crossword's own items ----

TEST_F(CrosswordExportTest, TextBlocksAreEscapedFittedAndFormatted) {
    auto crossword = MakeSix();
    TComExport list;
    TBlockFields box;
    box.X = 1000;
    box.Y = -2000;
    box.X2 = 50000;
    box.Y2 = 40000;
    box.Name = "SAPPER_CHARS";
    box.Flag = true;
    TFormatParameters format;
    format.FontWidth = 80;
    format.FontName = "Times";
    list.AddFormattedText(box, "a \"b\"\r\nc", format);
    box.X2 = 0;  // a box without area writes nothing
    list.AddTextBlock(box, "x");
    TLines lines;
    TScriptWriter writer(lines, false);
    for (int i = 0; i < list.Count(); ++i) crossword->ExportItem(writer, list, i);
    const TLines expected = {
        ".CreateArtisticText \"a \"+chr(34)+\"b\"+chr(34)+\"\"+chr(13)+\"\"+chr(10)+\"c\", 1000, -2000",
        ".ApplyStyle \"SAPPER_CHARS\"",
        ".SetCharacterAttributes 0, 0, \"Times\", 10, 0, 0, 0, 0, 0, 0, 1000, 100, 2",
        ".StoreColor 5, 0, 0, 0",
        ".ApplyUniformFillColor",
        ".GetSize hx&, hy&",
        "hx&=hx&*80/100",
        ".SetSize hx&, hy&",
        "IF (hx&>50000) or (hy&>40000) THEN",
        "    IF (hx&/50000)>(hy&/40000) THEN",
        "      Scale=hx&/50000",
        "    ELSE",
        "    Scale=hy&/40000",
        "    ENDIF",
        "hX&=hX&/Scale",
        "hY&=hY&/Scale",
        ".SetSize hX&, hY&",
        "ENDIF",
        ".SetPosition 1000+(50000-hx&)/2, -2000-(40000-hy&)/2",
    };
    EXPECT_EQ(lines, expected);
}

TEST_F(CrosswordExportTest, FramedTextsAndMarkers) {
    auto crossword = MakeSix();
    TComExport list;
    TBlockFields framed;
    framed.X = 100000;
    framed.Y = -100000;
    framed.X2 = 1;  // a box of one column and three rows, of which rows 1 .. 2 are shown
    framed.Y2 = 3;
    framed.Rect = TItemRect{0, 1, 0, 2};
    framed.Param3 = 2000;
    framed.Param4 = 3000;
    framed.Name = "SKANWORD_OPR";
    list.AddFramedText(framed, "clue", TFormatParameters{});
    framed.Rect = TItemRect{0, 2, 0, 1};  // bottom above top: nothing
    list.AddFramedText(framed, "clue", TFormatParameters{});
    list.AddMarker(0, 0);
    crossword->Template->BlankCellLook.NoPaint = true;
    TLines hidden;
    TScriptWriter writer(hidden, false);
    crossword->ExportItem(writer, list, 2);
    EXPECT_TRUE(hidden.empty());

    crossword->Template->BlankCellLook.NoPaint = false;
    TLines lines;
    TScriptWriter lineWriter(lines, false);
    for (int i = 0; i < list.Count(); ++i) crossword->ExportItem(lineWriter, list, i);
    ASSERT_GE(lines.size(), 5u);
    EXPECT_EQ(lines[0], ".CreateRectangle -100000, 100000, -300000, 200000");
    EXPECT_EQ(lines[1], ".SetOutlineMiscProperties 0, 0, 2, 1, 1, 0, 0, 0");
    EXPECT_EQ(lines[2], "NNN&=.GetObjectsCDRStaticID()");
    // The whole box stands a row higher, less its margins.
    EXPECT_EQ(lines[3], ".CreateArtisticText \"clue\", 102000, -3000");
    const auto place = std::find(lines.begin(), lines.end(), ".PlaceInside NNN&, 0, 100000, -1, 0");
    ASSERT_NE(place, lines.end());
    EXPECT_EQ(std::count_if(lines.begin(), lines.end(), [](const std::string& l) { return l.rfind(".PlaceInside", 0) == 0; }), 1);
    EXPECT_EQ(lines[lines.size() - 2], ".CreateRectangle 0, 0, -100000, 100000");
    EXPECT_EQ(lines.back(), ".ApplyStyle \"ITALIAN_HINT\"");
}

TEST_F(CrosswordExportTest, PolylinesAndPicturesOfTheCrossword) {
    auto crossword = MakeSix();
    TComExport list;
    list.AddPolyline({{0, 0}, {5000, -5000}, {9000, 0}}, "STRIKE_OUT", RgbColor(0), 700);
    TBlockFields box;
    box.X = 0;
    box.Y = 0;
    box.X2 = 60000;
    box.Y2 = 30000;
    box.Flag = true;
    list.AddPicture(box, Path("missing.png"));
    const std::string picture = Path("piece.png");
    ASSERT_TRUE(WriteFileText(picture, "not read by the export"));
    list.AddPicture(box, picture);
    TLines lines;
    TScriptWriter writer(lines, false);
    for (int i = 0; i < list.Count(); ++i) crossword->ExportItem(writer, list, i);
    const TLines head = {".BeginDrawCurve 0, 0", ".DrawCurveLineTo 5000, -5000", ".DrawCurveLineTo 9000, 0",
                         ".EndDrawCurve", ".ApplyStyle \"STRIKE_OUT\"", ".FileImport \"" + picture + "\""};
    ASSERT_GT(lines.size(), head.size());
    EXPECT_EQ(TLines(lines.begin(), lines.begin() + head.size()), head);
    EXPECT_EQ(std::count_if(lines.begin(), lines.end(), [](const std::string& l) { return l.rfind(".FileImport", 0) == 0; }),
              1);
}

TEST_F(CrosswordExportTest, PictureListNamesTheFilesTheExportDrawsOn) {
    auto crossword = MakeSix();
    crossword->OprText.EmptyOpr = true;
    crossword->OprText.EmptyOprFileName = "a.png||b.png";
    std::vector<std::string> list{"stale"};
    crossword->ExportPictureList(list);
    EXPECT_EQ(list, (std::vector<std::string>{"a.png", "b.png"}));
    crossword->OprText.EmptyOpr = false;
    crossword->ExportPictureList(list);
    EXPECT_TRUE(list.empty());
}

}  // namespace
