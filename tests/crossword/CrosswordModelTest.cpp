#include "CrosswordFixture.h"

#include "crossword/CrosswordFactory.h"
#include "dictionary/FileHelpers.h"
#include "template/ClassicShablon.h"

namespace {

// An across and a down slot sharing their first cell.
const GridPicture Corner = {
    "...",
    ".##",
    ".##",
};

int CategoryOf(const TCrossword& crossword, const std::string& utf8Word) {
    int index = -1;
    if (!crossword.Dictionary.Find(Cp(utf8Word), index)) return -1;
    return static_cast<int>(crossword.Dictionary.EntryCategory(index));
}

}  // namespace

TEST(CrosswordWords, NewRecordsAndTheirFields) {
    TCrosswordWords words;
    words.AddSlot(1, 2, "66", 3);
    EXPECT_EQ(words.Entry(0), "312" "66" "000000000");
    EXPECT_FALSE(words.SlotFilled(0));
    EXPECT_EQ(words.SlotCategory(0), 0);

    words.SetSlotWord(0, "abc");
    words.SetSlotDefinition(0, "def");
    words.SetSlotFilled(0, true);
    words.SetSlotCategory(0, 1);
    EXPECT_EQ(words.SlotWord(0), "abc");
    EXPECT_EQ(words.SlotDefinition(0), "def");
    words.SetSlotWord(0, "xyzzy");  // a new word keeps the definition behind it
    EXPECT_EQ(words.SlotDefinition(0), "def");
    EXPECT_EQ(words.Entry(0), std::string("312" "66" "1010") + std::string("\x05\0\0\0", 4) + "xyzzy" "def");
    EXPECT_EQ(words.FindSlot(1, 2, "66"), 0);
    EXPECT_EQ(words.FindSlot(1, 2, "22"), -1);

    // Field reads of short or damaged records stay inside the record.
    EXPECT_EQ(TCrosswordWords::RecordWord("3"), "");
    EXPECT_EQ(TCrosswordWords::RecordWord(std::string("312661000") + std::string("\xFF\xFF\xFF\x7F", 4) + "ab"), "ab");
    EXPECT_FALSE(TCrosswordWords::RecordFilled(""));
}

TEST_F(CrosswordTest, SlotsFollowTheFirstLetterCellRowByRow) {
    const auto crossword = Make({"#...", "#.#.", "#..."}, {"кот"});
    ASSERT_EQ(crossword->Words.Count(), 4);
    EXPECT_EQ(crossword->Words.Entry(0).substr(0, 5), "310" "66");  // across from (1, 0)
    EXPECT_EQ(crossword->Words.Entry(1).substr(0, 5), "310" "22");  // down from (1, 0)
    EXPECT_EQ(crossword->Words.Entry(2).substr(0, 5), "330" "22");  // down from (3, 0)
    EXPECT_EQ(crossword->Words.Entry(3).substr(0, 5), "312" "66");  // across from (1, 2)
    EXPECT_EQ(crossword->CrossingSlots(0), (std::vector<int>{1, 2}));
    EXPECT_EQ(crossword->CrossingSlots(1), (std::vector<int>{0, 3}));
}

TEST_F(CrosswordTest, RemovingAWordKeepsTheLettersOfCrossingWords) {
    auto crossword = Make(Corner, {"дом", "дно", "кот"});
    const int across = Across(*crossword, 0, 0, 3), down = Down(*crossword, 0, 0, 3);
    ASSERT_EQ(crossword->PlaceWord(across, Cp("дом"), true), PutCode::Placed);
    ASSERT_EQ(crossword->PlaceWord(down, Cp("дно"), true), PutCode::Placed);
    EXPECT_EQ(Letters(*crossword), (GridPicture{"дом", "н##", "о##"}));
    EXPECT_EQ(CategoryOf(*crossword, "дом"), 2);
    EXPECT_TRUE(crossword->IsWordUsed(Cp("дом")));
    EXPECT_TRUE(crossword->IsComplete());

    crossword->RemoveWord(across);
    EXPECT_EQ(Letters(*crossword), (GridPicture{"д..", "н##", "о##"}));
    EXPECT_EQ(CategoryOf(*crossword, "дом"), 0);
    EXPECT_FALSE(crossword->IsWordUsed(Cp("дом")));
    EXPECT_EQ(crossword->SlotPattern(across), Cp("д  "));

    crossword->RemoveWord(across);  // not filled: nothing changes
    EXPECT_EQ(Letters(*crossword), (GridPicture{"д..", "н##", "о##"}));
    crossword->RemoveWord(down);
    EXPECT_EQ(Letters(*crossword), (GridPicture{"...", ".##", ".##"}));
    EXPECT_EQ(crossword->FilledCount(), 0);
}

TEST_F(CrosswordTest, AWordKeptFromAnEarlierFillIsReleasedWithItsCategory) {
    auto crossword = Make(Corner, {"дом", "дно:1", "кот"});
    const int across = Across(*crossword, 0, 0, 3), down = Down(*crossword, 0, 0, 3);
    ASSERT_EQ(crossword->PlaceWord(across, Cp("дом"), true), PutCode::Placed);
    ASSERT_EQ(crossword->PlaceWord(down, Cp("дно"), true), PutCode::Placed);
    EXPECT_FALSE(crossword->ReleaseUsedWord(Cp("дом"), WordCategory::Ordinary));  // its slot holds it
    EXPECT_TRUE(crossword->IsWordUsed(Cp("дом")));

    crossword->PrepareForFill();  // new slots; the words stay used
    EXPECT_TRUE(crossword->ReleaseUsedWord(Cp("дно"), WordCategory::Reserve));
    EXPECT_FALSE(crossword->IsWordUsed(Cp("дно")));
    EXPECT_EQ(CategoryOf(*crossword, "дно"), 1);
    EXPECT_TRUE(crossword->IsWordUsed(Cp("дом")));
    EXPECT_EQ(CategoryOf(*crossword, "дом"), 2);
}

TEST_F(CrosswordTest, StaleLettersOfAnEarlierPuzzleAreUnknown) {
    auto crossword = Make(Corner, {"дом", "дно"});
    crossword->SetCellText(0, 0, Cp("ж"));  // left over, no filled slot through it
    EXPECT_EQ(crossword->SlotPattern(0), "   ");
    crossword->SetFixedLetter(0, 0, Cp("д"));
    EXPECT_EQ(crossword->SlotPattern(0), Cp("д  "));
}

TEST_F(CrosswordTest, FixedLetterOutlivesTheWordsThroughIt) {
    auto crossword = Make(Corner, {"дом", "дно", "ком", "кит"});
    const int across = Across(*crossword, 0, 0, 3), down = Down(*crossword, 0, 0, 3);
    ASSERT_EQ(crossword->PlaceWord(across, Cp("дом"), true), PutCode::Placed);
    crossword->SetFixedLetter(0, 0, Cp("д"));
    crossword->RemoveWord(across);
    EXPECT_EQ(Letters(*crossword)[0], "д..");
    EXPECT_EQ(crossword->SlotPattern(across), Cp("д  "));
    EXPECT_EQ(crossword->SlotPattern(down), Cp("д  "));

    // A different letter empties the words through the cell.
    ASSERT_EQ(crossword->TryPutWord(down, Cp("дно"), {}), PutCode::Placed);
    crossword->SetFixedLetter(0, 0, Cp("к"));
    EXPECT_FALSE(crossword->Words.SlotFilled(down));
    EXPECT_EQ(Letters(*crossword), (GridPicture{"к..", ".##", ".##"}));
    EXPECT_EQ(crossword->TryPutWord(across, Cp("дом"), {}), PutCode::DoesNotFit);
    EXPECT_EQ(crossword->TryPutWord(across, Cp("ком"), {}), PutCode::Placed);

    // Released while a word stands on it: the letter stays as the word's.
    crossword->SetFixedLetter(0, 0, "");
    EXPECT_EQ(Letters(*crossword)[0], "ком");
    crossword->RemoveWord(across);
    EXPECT_EQ(Letters(*crossword)[0], "...");
}

TEST_F(CrosswordTest, TryPutWordCodes) {
    auto crossword = Make(Corner, {"дом", "дно", "ком", "ьок", "абв"});
    const int across = Across(*crossword, 0, 0, 3), down = Down(*crossword, 0, 0, 3);
    crossword->Dictionary.Alphabet = Cp("дномк");
    EXPECT_EQ(crossword->TryPutWord(across, Cp("абв"), {.Alphabet = true}), PutCode::OutsideAlphabet);
    EXPECT_EQ(crossword->TryPutWord(across, Cp("дымок"), {}), PutCode::DoesNotFit);
    ASSERT_EQ(crossword->TryPutWord(across, Cp("дом"), {}), PutCode::Placed);
    EXPECT_EQ(crossword->TryPutWord(down, Cp("ком"), {}), PutCode::DoesNotFit);

    // A word already in the grid: 4, and the slot's own word has been taken out first.
    EXPECT_EQ(crossword->TryPutWord(across, Cp("дом"), {}), PutCode::Placed);
    ASSERT_EQ(crossword->TryPutWord(down, Cp("дно"), {}), PutCode::Placed);
    EXPECT_EQ(crossword->TryPutWord(down, Cp("дом"), {}), PutCode::Unavailable);
    EXPECT_FALSE(crossword->Words.SlotFilled(down));
    EXPECT_FALSE(crossword->IsWordUsed(Cp("дно")));

    // Another slot would begin with "ь".
    crossword->RemoveWord(across);
    EXPECT_EQ(crossword->TryPutWord(down, Cp("ьок"), {.StartLetters = true}), PutCode::StartLetter);
    EXPECT_EQ(crossword->TryPutWord(down, Cp("ьок"), {}), PutCode::Placed);
}

TEST_F(CrosswordTest, RelatedWordsAreKeptOut) {
    auto crossword = Make(Corner, {"дом", "дно", "кот"});
    const std::string related = Path("related.wdi");
    DictionaryWord entry{Cp("дом"), WordCategory::Ordinary, Cp("дно; кот")};
    ASSERT_TRUE(WriteDictionaryFile(related, DictionaryLayout{}, {entry}));
    crossword->RelatedDictionary.FileName = related;
    ASSERT_TRUE(crossword->RelatedDictionary.Load());
    crossword->AvoidRelatedWords = 1;

    ASSERT_EQ(crossword->PlaceWord(0, Cp("дом"), true), PutCode::Placed);
    EXPECT_EQ(crossword->TryPutWord(1, Cp("дно"), {.Related = true}), PutCode::Related);
    EXPECT_EQ(crossword->TryPutWord(1, Cp("дно"), {}), PutCode::Placed);
    crossword->RemoveWord(1);
    crossword->RemoveWord(0);
    EXPECT_EQ(crossword->RelatedUsed.Count(), 0);
    EXPECT_EQ(crossword->TryPutWord(1, Cp("дно"), {.Related = true}), PutCode::Placed);
}

TEST_F(CrosswordTest, PlacedWordsStayUnavailableAcrossADictionaryReload) {
    auto crossword = Make(Corner, {"дом:1", "дно"});
    ASSERT_EQ(crossword->PlaceWord(0, Cp("дом"), true), PutCode::Placed);
    EXPECT_EQ(crossword->Words.SlotCategory(0), 1);
    ASSERT_TRUE(crossword->LoadDictionary(crossword->Dictionary.FileName));
    EXPECT_EQ(CategoryOf(*crossword, "дом"), 2);
    crossword->RemoveWord(0);
    EXPECT_EQ(CategoryOf(*crossword, "дом"), 1);

    EXPECT_FALSE(crossword->LoadDictionary(Path("missing.wdi")));
    EXPECT_EQ(crossword->Dictionary.Count(), 0);
    EXPECT_EQ(mUi->Messages.size(), 1u);  // the dictionary's own "not found"
}

TEST_F(CrosswordTest, SameWidthKeepsTheCellsAndGrowingClearsNewOnes) {
    auto crossword = Make(Corner, {"дом"});
    ASSERT_EQ(crossword->PlaceWord(0, Cp("дом"), true), PutCode::Placed);
    crossword->SetWidth(3);
    EXPECT_EQ(Letters(*crossword)[0], "дом");
    crossword->SetCellText(4, 0, Cp("я"));
    crossword->SetWidth(5);
    EXPECT_TRUE(crossword->IsCellEmpty(4, 0));
    EXPECT_EQ(crossword->Template->Width, 5);
}

TEST_F(CrosswordTest, CopiedWordsPasteAtAnOffset) {
    auto crossword = Make({"...#...", "#######", "...#..."}, {"дом", "кот", "лес"});
    ASSERT_EQ(crossword->PlaceWord(Across(*crossword, 0, 0, 3), Cp("дом"), true), PutCode::Placed);
    crossword->Words.SetSlotLocked(0, true);
    const std::vector<std::string> copied = crossword->CopyWords(0, 0, 2, 0);
    ASSERT_EQ(copied.size(), 1u);
    EXPECT_EQ(copied[0].substr(4, 3), "300");
    const std::string text = crossword->CopyWordsText(0, 0, 2, 0);
    EXPECT_EQ(text, copied[0] + "\r\n");

    crossword->ClearWords(0, 0, 6, 2, true);
    ASSERT_TRUE(crossword->PasteWords(4, 2, true, copied));
    EXPECT_EQ(Letters(*crossword), (GridPicture{"...#...", "#######", "...#дом"}));
    const int pasted = Across(*crossword, 4, 2, 3);
    EXPECT_TRUE(crossword->Words.SlotLocked(pasted));
    EXPECT_EQ(crossword->SlotRecord(pasted), crossword->Words.Entry(pasted));
    EXPECT_EQ(crossword->SlotRecord(0), "");

    // No slot at the target: the user is asked whether to go on.
    mUi->Answers = {false};
    EXPECT_FALSE(crossword->PasteWordsText(1, 0, text));
    ASSERT_EQ(mUi->Questions.size(), 1u);
    EXPECT_EQ(mUi->Questions[0],
              Format("Слово %s не удалось поместить в кроссворд.\r\nПродолжить со следующим словом?"_cp, Cp("дом")));
    mUi->Answers = {true};
    EXPECT_TRUE(crossword->PasteWordsText(1, 0, text));

    crossword->ClearWords(0, 0, 6, 2, false);  // locked words stay
    EXPECT_EQ(crossword->FilledCount(), 1);
}

TEST_F(CrosswordTest, LoadingATemplateFileKeepsTheWordsThatStillFit) {
    auto crossword = Make({"...#...", "#######", "...#..."}, {"дом", "кот", "лес"});
    ASSERT_EQ(crossword->PlaceWord(Across(*crossword, 0, 0, 3), Cp("дом"), true), PutCode::Placed);
    ASSERT_EQ(crossword->PlaceWord(Across(*crossword, 4, 0, 3), Cp("кот"), true), PutCode::Placed);
    mUi->Answers = {true};  // go on past the word that no longer fits

    TClassicShablon shape(1, 1);
    DrawGrid(shape, {"...#....", "#.######", "#.######", "########"});
    shape.FileName = Path("shape.shb");
    ASSERT_TRUE(shape.SaveToFile());
    ASSERT_TRUE(crossword->LoadTemplateFile(shape.FileName));
    EXPECT_EQ(crossword->Width, 8);
    EXPECT_EQ(crossword->Height, 3);  // the empty last row is cropped
    EXPECT_EQ(Letters(*crossword), (GridPicture{"дом#....", "#.######", "#.######"}));
    EXPECT_EQ(crossword->Template->GetNumber(4, 0), 3);
    EXPECT_FALSE(crossword->IsWordUsed(Cp("кот")));  // its slot is gone
    ASSERT_EQ(mUi->Questions.size(), 1u);          // and the user was asked about it

    ASSERT_TRUE(WriteFileText(Path("foreign.shb"), "SHABLON  222\x01\x01\x01\x01"));
    EXPECT_FALSE(crossword->LoadTemplateFile(Path("foreign.shb")));
    EXPECT_FALSE(crossword->LoadTemplateFile(Path("missing.shb")));
    EXPECT_EQ(crossword->Width, 8);  // nothing changed

    ASSERT_TRUE(WriteFileText(Path("short.shb"), "SHABLON  044\x01\x01"));
    EXPECT_FALSE(crossword->LoadTemplateFile(Path("short.shb")));
    EXPECT_EQ(crossword->Words.Count(), 0);
    EXPECT_EQ(crossword->Width, 1);
}

TEST_F(CrosswordTest, KeywordCellsSpellTheKeyword) {
    auto crossword = Make(Corner, {"дом", "дно"});
    ASSERT_EQ(crossword->PlaceWord(0, Cp("дом"), true), PutCode::Placed);
    ASSERT_EQ(crossword->PlaceWord(1, Cp("дно"), true), PutCode::Placed);

    ASSERT_TRUE(crossword->SetKeyword(Cp("мод"), {}));
    EXPECT_EQ(crossword->KeywordText(), Cp("мод"));
    EXPECT_EQ(crossword->Template->KeyWordNumberAt(2, 0), 1);
    EXPECT_EQ(crossword->Template->KeyWordNumberAt(0, 0), 3);

    // One "о" is in the grid twice, but "д" only once.
    EXPECT_FALSE(crossword->SetKeyword(Cp("дод"), {}));
    EXPECT_EQ(mUi->Messages, std::vector<std::string>{Format("Не достаточно букв \"%s\" для ключевого слова!"_cp, Cp("д"))});
    EXPECT_EQ(crossword->KeywordText(), "");

    ASSERT_TRUE(crossword->SetKeyword(Cp("оо"), {}));
    EXPECT_EQ(crossword->KeywordText(), Cp("оо"));
    EXPECT_TRUE(crossword->SetKeyword("", {}));
    EXPECT_EQ(crossword->Template->KeyWordCells, "");
}

TEST_F(CrosswordTest, LongKeywordIsPlacedLetterByLetter) {
    auto crossword = Make({"................"}, {"абвгдежзийклмноп"});
    ASSERT_EQ(crossword->PlaceWord(0, Cp("абвгдежзийклмноп"), true), PutCode::Placed);
    ASSERT_TRUE(crossword->SetKeyword(Cp("понмлкйизжедгвба"), {}));
    EXPECT_EQ(crossword->KeywordText(), Cp("понмлкйизжедгвба"));
    EXPECT_FALSE(crossword->SetKeyword(Cp("аабвгдежзийклмно"), {}));  // a cell is used once only
    EXPECT_TRUE(mUi->Messages.empty());
}

TEST_F(CrosswordTest, FreeCellListsBecomeSlots) {
    auto crossword = Make({"...", "...", "..."}, {"дом", "мир", "дым"});
    crossword->Unformatted = 1;
    crossword->Words.Clear();
    int slot = -1;
    ASSERT_EQ(crossword->PutWordAtCoord(TCoord(0, 0, "66", 3, 3), Cp("дом"), {}, slot), PutCode::Placed);
    EXPECT_EQ(slot, 0);
    ASSERT_EQ(crossword->PutWordAtCoord(TCoord(2, 0, "12", 3, 3), Cp("мир"), {}, slot), PutCode::Placed);
    EXPECT_EQ(Letters(*crossword), (GridPicture{"дом", ".и.", ".р."}));
    EXPECT_EQ(crossword->PatternAtCoord(TCoord(0, 0, "3", 3, 3)), Cp("ди"));
    EXPECT_EQ(crossword->PutWordAtCoord(TCoord(0, 0, "22", 3, 3), Cp("дом"), {}, slot), PutCode::Unavailable);
    EXPECT_EQ(slot, -1);

    crossword->RemoveWordAtCoord(TCoord(0, 0, "66", 3, 3));
    EXPECT_EQ(crossword->Words.Count(), 1);
    EXPECT_EQ(Letters(*crossword), (GridPicture{"..м", ".и.", ".р."}));
}

// A cell list that comes back to its first cell takes a word only when the word has the same
// letter at both visits.
TEST_F(CrosswordTest, SelfCrossingCellListNeedsOneLetterPerCell) {
    struct Case {
        const char* word;
        int code;
        GridPicture letters;
    };
    const Case cases[] = {
        {"шалаш", PutCode::Placed, {"ша", "ал"}},
        {"кабан", PutCode::TwoLetters, {"..", ".."}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.word);
        auto crossword = Make({"..", ".."}, {"шалаш", "кабан"});
        crossword->Unformatted = 1;
        crossword->Words.Clear();
        int slot = -1;
        EXPECT_EQ(crossword->PutWordAtCoord(TCoord(0, 0, "6248", 2, 2), Cp(c.word), {}, slot), c.code);
        EXPECT_EQ(Letters(*crossword), c.letters);
        EXPECT_EQ(crossword->Words.Count(), c.code == PutCode::Placed ? 1 : 0);
        EXPECT_EQ(crossword->IsWordUsed(Cp(c.word)), c.code == PutCode::Placed);
    }
}

TEST(CrosswordFactory, ClassicAndRegisteredKinds) {
    const auto classic = CreateCrossword(0);
    ASSERT_NE(classic, nullptr);
    EXPECT_EQ(classic->Kind, TCrosswordKind::Classic);
    EXPECT_EQ(classic->Template->Kind, TShablonKind::Classic);
    EXPECT_EQ(classic->Width, 1);
    EXPECT_EQ(CreateCrossword(0, TKindCode::Template)->Kind, TCrosswordKind::Classic);
    EXPECT_EQ(CreateCrossword(4, TKindCode::Template), nullptr);
    EXPECT_EQ(CreateCrossword(18), nullptr);
    EXPECT_EQ(CreateCrossword(5, TKindCode::Template), nullptr);

    class TLineTest : public TCrossword {
    public:
        TLineTest() : TCrossword(TCrosswordKind::LineSkanword, std::make_unique<TClassicShablon>(1, 1)) {}
    };
    // The kind a test registers leaves with the test, however the test ends.
    struct ScopedKind {
        ScopedKind(TCrosswordKind kind, TCrosswordMaker maker)
            : kind(kind), previous(RegisterCrosswordKind(kind, std::move(maker))) {}
        ~ScopedKind() { RegisterCrosswordKind(kind, std::move(previous)); }
        TCrosswordKind kind;
        TCrosswordMaker previous;
    };
    {
        const ScopedKind registered(TCrosswordKind::LineSkanword, [] { return std::make_unique<TLineTest>(); });
        const auto line = CreateCrossword(5, TKindCode::Template);
        ASSERT_NE(line, nullptr);
        EXPECT_EQ(line->Kind, TCrosswordKind::LineSkanword);
        {
            const ScopedKind failing(TCrosswordKind::LineSkanword, [] () -> std::unique_ptr<TCrossword> { throw 1; });
            EXPECT_EQ(CreateCrossword(4), nullptr);
        }
        EXPECT_NE(CreateCrossword(4), nullptr);  // the earlier maker is back
    }
    EXPECT_EQ(CreateCrossword(4), nullptr);
}
