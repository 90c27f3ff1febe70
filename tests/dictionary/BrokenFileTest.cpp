#include "TestFiles.h"

#include "dictionary/TextHelpers.h"
#include "dictionary/WorkDictionary.h"
#include "platform/RecordingUi.h"

#include <random>
#include <set>

namespace {

class BrokenFileTest : public ::testing::Test {
protected:
    BrokenFileTest() { dictionary.ShowProgress = false; }

    // Loads bytes; checks that a failure leaves nothing and that only the reader's own
    // messages appear. Returns the load's result.
    bool LoadBytes(const std::string& bytes) {
        ui->Messages.clear();
        dictionary.FileName = WriteBytes(dir.File("broken.wdi"), bytes);
        const bool ok = dictionary.Load();
        const std::set<std::string> allowed = {
            Format("Ошибка формата файла %s"_cp, dictionary.FileName),
            std::string("Ошибка чтения словаря!"_cp),
            std::string("Ошибка инициализации фрагментов!"_cp),
            Format("Ошибка чтения файла %s!\r\nСоздайте файл заново!"_cp, dictionary.FileName),
        };
        for (const std::string& message : ui->Messages) EXPECT_TRUE(allowed.contains(message)) << ToUtf8(message);
        if (!ok) {
            EXPECT_EQ(dictionary.Count(), 0);
        } else {
            for (int i = 0; i < dictionary.Count(); ++i) {
                EXPECT_GE(dictionary.EntryCells(i), 2);
                dictionary.Definition(i);
            }
        }
        return ok;
    }
    std::string LastMessage() { return ui->Messages.empty() ? "" : ui->Messages.back(); }
    std::string FormatError() const { return Format("Ошибка формата файла %s"_cp, dictionary.FileName); }

    static std::string Sample(uint8_t format) {
        DictionaryLayout layout;
        layout.cellFormat = format;
        layout.fragmentText = "аб;*1;*";
        layout.letterMap = true;
        layout.lowerLetters = "аб"_cp;
        layout.upperLetters = "АБ"_cp;
        std::vector<DictionaryWord> words = Words({"аб", "ва", "где"});
        if (format == CellFormatPiecesWithFragments) words = Words({"аб~в", "г~д", "е~ж~з"});
        words[1].definition = "определение";
        words[2].category = WordCategory::Reserve;
        return DictionaryFileBytes(layout, words);
    }

    ScratchDir dir;
    ScopedRecordingUi ui;
    TWorkDictionary dictionary;
};

}  // namespace

TEST_F(BrokenFileTest, EveryTruncationFailsCleanlyOrKeepsTheWholeBody) {
    for (uint8_t format : {CellFormatSingle, CellFormatPiecesWithFragments}) {
        const std::string bytes = Sample(format);
        ASSERT_TRUE(LoadBytes(bytes));
        const std::size_t bodyEnd = 256 + dictionary.BodySize();
        for (std::size_t size = 0; size < bytes.size(); ++size) {
            SCOPED_TRACE(size);
            const bool ok = LoadBytes(bytes.substr(0, size));
            EXPECT_EQ(ok, size >= bodyEnd);
            if (!ok) {
                EXPECT_EQ(ui->Messages, std::vector<std::string>{FormatError()});
            }
        }
    }
}

TEST_F(BrokenFileTest, GarbledBytesNeverCrash) {
    std::mt19937 random(1);
    for (uint8_t format : {CellFormatSingle, CellFormatPiecesWithFragments}) {
        const std::string bytes = Sample(format);
        for (std::size_t at = 0; at < bytes.size(); ++at) {
            for (const int value : {0x00, 0x01, 0x7F, 0x80, 0xFF, static_cast<int>(random() % 256)}) {
                std::string garbled = bytes;
                garbled[at] = static_cast<char>(value);
                SCOPED_TRACE(testing::Message() << at << " = " << value);
                LoadBytes(garbled);
            }
        }
        for (int trial = 0; trial < 300; ++trial) {
            std::string garbled = bytes;
            for (int k = 0; k < 4; ++k) garbled[8 + random() % (garbled.size() - 8)] = static_cast<char>(random());
            LoadBytes(garbled);
        }
    }
}

TEST_F(BrokenFileTest, OversizedAndImpossibleFieldsGiveTheirMessages) {
    const std::string bytes = Sample(CellFormatSingle);
    struct Case {
        std::size_t at;
        std::string value;
        bool formatError;  // else "Ошибка чтения словаря!"
    };
    const std::size_t firstRecord = 256 + 33 + 2 + 2;  // alphabet and both letter maps
    const Case cases[] = {
        {0, "Wxrk", true},                               // magic
        {8, std::string(1, '\x09'), true},               // no such cell format
        {10, IntToBytes(-1), true},             // alphabet longer than the file
        {14, IntToBytes(0x7FFFFFFF), true},             // word area longer than the file
        {23, IntToBytes(-16), true},             // letter map longer than the file
        {firstRecord, IntToBytes(-1), false},   // record running past the body
        {firstRecord, IntToBytes(3), false},             // record shorter than its fields
        {firstRecord, IntToBytes(9), false},             // empty word
        {firstRecord + 4, std::string(1, '\x03'), false},  // no such category
    };
    for (const Case& c : cases) {
        std::string broken = bytes;
        broken.replace(c.at, c.value.size(), c.value);
        SCOPED_TRACE(c.at);
        EXPECT_FALSE(LoadBytes(broken));
        EXPECT_EQ(LastMessage(), c.formatError ? FormatError() : std::string("Ошибка чтения словаря!"_cp));
    }
    EXPECT_FALSE(LoadBytes(""));
    EXPECT_FALSE(LoadBytes(std::string(255, 'W')));
}

TEST_F(BrokenFileTest, ADefinitionOutsideTheFileIsAnErrorNotACrash) {
    std::string bytes = Sample(CellFormatSingle);
    // Second record's definition offset and length point far past the end.
    const std::size_t secondRecord = 256 + 33 + 2 + 2 + (4 + 9 + 2 + 2);
    bytes.replace(secondRecord + 5, 4, IntToBytes(0x7FFFFFF0));
    ASSERT_TRUE(LoadBytes(bytes));
    EXPECT_EQ(dictionary.Definition(1), "");
    EXPECT_EQ(LastMessage(), Format("Ошибка чтения файла %s!\r\nСоздайте файл заново!"_cp, dictionary.FileName));
    dictionary.SetDefinitionsInMemory(true);
    EXPECT_EQ(dictionary.Definition(1), "");
}
