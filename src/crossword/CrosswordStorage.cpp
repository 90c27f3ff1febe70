// Crossword files and the crossword's pictures.
//
// A file is a 64-byte header and nine blocks (integers 4 bytes little-endian, text cp1251):
//   0  "CROSSWORD"             12 length of A          31 length of E
//   9  chr(48 + kind)          16 length of B          35 length of F
//   10 chr(48 + width)         20 length of C          39 Unformatted
//   11 chr(48 + height)        24 length of D          40 length of G
//   28 version (3)             29 cell format          44 length of H
//   30 language                48 length of I          52 incomplete (0 or 1)
//                                                      53 eleven zero bytes
// A the dictionary's file name, B the template text, C the filled slots' records (each after
// its 4-byte length), D the template's file name, E the dictionary's alphabet, F the clue format
// (kinds that print clues in the grid), G the key-word cells, H the picture collection, I the
// caller's text. The incomplete byte marks a file saved from a fill that did not finish; files
// of older writers hold a zero byte there, and readers that do not know the mark skip it.
//
// Reading checks every length and value against what the file holds before anything changes,
// so a damaged file leaves the crossword as a 1 x 1 grid without words and the dictionary as it
// was.

#include "CrosswordFile.h"

#include "dictionary/TextHelpers.h"
#include "platform/Text.h"
#include "platform/Ui.h"
#include "template/ShablonFactory.h"

#include <array>
#include <filesystem>
#include <optional>

namespace {

constexpr std::string_view Magic = "CROSSWORD";
constexpr std::size_t HeaderSize = 64;
constexpr uint8_t FileVersion = 3;
constexpr std::string_view BackgroundName = "background";

constexpr std::array<std::size_t, BlockCount> LengthAt = {12, 16, 20, 24, 31, 35, 40, 44, 48};
constexpr std::size_t KindAt = 9, WidthAt = 10, HeightAt = 11, VersionAt = 28, CellFormatAt = 29,
                      LanguageAt = 30, UnformattedAt = 39, IncompleteAt = 52;

// The kinds that print clues inside the grid keep their clue format in the file.
bool KeepsClueFormat(TCrosswordKind kind) {
    switch (kind) {
        case TCrosswordKind::Skanword:
        case TCrosswordKind::LineSkanword:
        case TCrosswordKind::Honey:
        case TCrosswordKind::Honey8:
        case TCrosswordKind::American:
        case TCrosswordKind::Skanword2:
        case TCrosswordKind::Skanword3:
            return true;
        default:
            return false;
    }
}

char FlagChar(bool on) {
    return on ? '1' : '0';
}

// Reads fields from a block; a field is read only when all its bytes are there.
class TBlockReader {
public:
    explicit TBlockReader(std::string_view data) : mData(data) {}

    bool Has(std::size_t count) const { return mAt <= mData.size() && mData.size() - mAt >= count; }
    bool Byte(uint8_t& value) {
        if (!Has(1)) return false;
        value = static_cast<uint8_t>(mData[mAt++]);
        return true;
    }
    bool Flag(bool& value) {
        uint8_t byte = 0;
        if (!Byte(byte)) return false;
        value = byte == '1';
        return true;
    }
    bool Int(int32_t& value) {
        if (!Has(4)) return false;
        value = BytesToInt(mData.substr(mAt, 4));
        mAt += 4;
        return true;
    }
    // A 4-byte length and that many bytes. Absent: false. A negative length or one that runs
    // past the data: false and Damaged.
    bool Text(std::string& text) {
        int32_t length = 0;
        if (!Int(length)) return false;
        if (length < 0 || !Has(static_cast<std::size_t>(length))) {
            mDamaged = true;
            return false;
        }
        text.assign(mData.substr(mAt, static_cast<std::size_t>(length)));
        mAt += static_cast<std::size_t>(length);
        return true;
    }
    void Skip(std::size_t count) { mAt += count; }
    bool Damaged() const { return mDamaged; }

private:
    std::string_view mData;
    std::size_t mAt = 0;
    bool mDamaged = false;
};

// What the clue format block sets.
struct TClueFormatSettings {
    TFormatParameters Format;
    bool CanUnite = false;
    bool Pictures = false;         // clue cells without a definition show pictures
    std::string PictureList;       // their names, separated by "|"
};

// The bounds of the fields read as raw bytes.
void CheckFormatFields(TFormatParameters& format) {
    format.FontSize = ClampFontSize(format.FontSize);
    format.FontColor.Model = ColorModelOf(static_cast<uint8_t>(format.FontColor.Model));
}

// The fixed fields at the head of every version; shift 0 for version 1, which has no colour type.
void ReadFixedClueFields(TBlockReader& reader, int shift, TFormatParameters& format) {
    int32_t color = 0;
    uint8_t model = 0;
    reader.Byte(format.FontSize);
    reader.Int(color);
    if (shift == 1) reader.Byte(model);
    format.FontColor = {static_cast<uint32_t>(color), static_cast<TColorModel>(model)};
    reader.Byte(format.FontWidth);
    reader.Byte(format.SPercent);
    reader.Byte(format.Interline);
    reader.Byte(format.CharSet);
    reader.Flag(format.Bold);
    reader.Flag(format.Italic);
    reader.Flag(format.HFlag);
}

// Version 3: the fixed fields, then the font name and the clue pictures while bytes last.
bool ReadClueFormat3(std::string_view block, TClueFormatSettings& settings) {
    TFormatParameters& format = settings.Format;
    TBlockReader reader(block);
    ReadFixedClueFields(reader, 1, format);
    reader.Byte(format.CaseMode);
    reader.Flag(settings.CanUnite);
    reader.Byte(format.SpaceType);
    reader.Int(format.SpaceSize);
    reader.Skip(11);
    reader.Text(format.FontName) && reader.Flag(settings.Pictures) && reader.Text(settings.PictureList);
    return !reader.Damaged();
}

// Versions 1 and 2 (shift 0 and 1): a non-zero byte after the fixed fields starts a font name
// that runs to the end; a zero byte is followed by the name with its length, then the
// "CAN_UNITE" flag and the clue pictures, while bytes last.
bool ReadClueFormatOld(std::string_view block, int shift, TClueFormatSettings& settings) {
    TFormatParameters& format = settings.Format;
    TBlockReader reader(block);
    ReadFixedClueFields(reader, shift, format);
    uint8_t nameStart = 0;
    if (!reader.Byte(nameStart)) return true;
    if (nameStart != 0) {
        format.FontName.assign(block.substr(12 + shift));
        return true;
    }
    reader.Text(format.FontName) && reader.Flag(settings.CanUnite) && reader.Flag(settings.Pictures) &&
        reader.Text(settings.PictureList);
    return !reader.Damaged();
}

// Reads a clue format block of the given version over settings; false for a damaged block.
// Blocks too short to hold the fixed fields are ignored: 12 bytes or fewer of versions 1 and 2,
// 29 or fewer of version 3.
bool ReadClueFormat(std::string_view block, uint8_t version, TClueFormatSettings& settings) {
    constexpr std::size_t ShortestOld = 13, Shortest3 = 30;
    bool ok = true;
    if (version == 3 && block.size() >= Shortest3) ok = ReadClueFormat3(block, settings);
    if (version < 3 && block.size() >= ShortestOld) ok = ReadClueFormatOld(block, version - 1, settings);
    CheckFormatFields(settings.Format);
    return ok;
}

std::string ClueFormatBlock(const TClueFormatSettings& settings) {
    const TFormatParameters& format = settings.Format;
    std::string block;
    block += static_cast<char>(format.FontSize);
    block += IntToBytes(static_cast<int32_t>(format.FontColor.Value));
    block += static_cast<char>(format.FontColor.Model);
    block += static_cast<char>(format.FontWidth);
    block += static_cast<char>(format.SPercent);
    block += static_cast<char>(format.Interline);
    block += static_cast<char>(format.CharSet);
    block += FlagChar(format.Bold);
    block += FlagChar(format.Italic);
    block += FlagChar(format.HFlag);
    block += static_cast<char>(format.CaseMode);
    block += FlagChar(settings.CanUnite);
    block += static_cast<char>(format.SpaceType);
    block += IntToBytes(format.SpaceSize);
    block.append(11, '\0');
    block += IntToBytes(static_cast<int32_t>(format.FontName.size()));
    block += format.FontName;
    block += FlagChar(settings.Pictures);
    block += IntToBytes(static_cast<int32_t>(settings.PictureList.size()));
    block += settings.PictureList;
    return block;
}

}  // namespace

bool CutCrosswordFile(std::string_view data, TCrosswordKind kind, uint8_t lastVersion, TCrosswordFile& file) {
    if (data.size() < HeaderSize || !data.starts_with(Magic)) return false;
    const auto byte = [&](std::size_t at) { return static_cast<uint8_t>(data[at]); };
    file.Version = byte(VersionAt);
    file.Width = SmallNumberOf(data[WidthAt]);
    file.Height = SmallNumberOf(data[HeightAt]);
    file.CellFormat = byte(CellFormatAt);
    file.Language = byte(LanguageAt);
    file.Unformatted = byte(UnformattedAt);
    file.Incomplete = byte(IncompleteAt) != 0;
    if (file.Version < 1 || file.Version > lastVersion || SmallNumberOf(data[KindAt]) != static_cast<int>(kind) ||
        file.Width < 1 || file.Width > TCrossword::MaxSide || file.Height < 1 || file.Height > TCrossword::MaxSide ||
        file.CellFormat > LastCellFormat || file.Unformatted > 1)
        return false;

    std::size_t at = HeaderSize;
    for (int b = 0; b < BlockCount; ++b) {
        const int32_t length = BytesToInt(data.substr(LengthAt[b], 4));
        if (length < 0 || data.size() - at < static_cast<std::size_t>(length)) return false;
        file.Blocks[b] = data.substr(at, static_cast<std::size_t>(length));
        at += static_cast<std::size_t>(length);
    }
    const std::string_view records = file.Blocks[BlockC];
    for (std::size_t pos = 0; pos < records.size();) {
        if (records.size() - pos < 4) return false;
        const int32_t length = BytesToInt(records.substr(pos, 4));
        if (length < 0 || records.size() - pos - 4 < static_cast<std::size_t>(length)) return false;
        file.Records.emplace_back(records.substr(pos, 4 + static_cast<std::size_t>(length)));
        pos += 4 + static_cast<std::size_t>(length);
    }
    return true;
}

std::string CrosswordFileText(const TCrossword& crossword, uint8_t version,
                              const std::array<std::string, BlockCount>& blocks) {
    std::string text(HeaderSize, '\0');
    text.replace(0, Magic.size(), Magic);
    text[KindAt] = SmallNumberChar(static_cast<int>(crossword.Kind));
    text[WidthAt] = SmallNumberChar(crossword.Width);
    text[HeightAt] = SmallNumberChar(crossword.Height);
    text[VersionAt] = static_cast<char>(version);
    text[CellFormatAt] = static_cast<char>(crossword.Dictionary.CellFormat());
    text[LanguageAt] = static_cast<char>(crossword.Dictionary.Language);
    text[UnformattedAt] = static_cast<char>(crossword.Unformatted);
    text[IncompleteAt] = static_cast<char>(crossword.Incomplete != 0);
    for (int b = 0; b < BlockCount; ++b) {
        text.replace(LengthAt[b], 4, IntToBytes(static_cast<int32_t>(blocks[b].size())));
        text += blocks[b];
    }
    return text;
}

std::array<std::string, BlockCount> CrosswordFileBlocks(const TCrossword& crossword) {
    constexpr int last = TCrossword::MaxSide - 1;
    std::array<std::string, BlockCount> blocks;
    blocks[BlockA] = crossword.Dictionary.FileName;
    blocks[BlockB] = crossword.Template->SerializeTemplate(0, 0, crossword.Width - 1, crossword.Height - 1);
    for (const std::string& record : crossword.CopyWords(0, 0, last, last)) blocks[BlockC] += record;
    blocks[BlockD] = crossword.Template->FileName;
    blocks[BlockE] = crossword.Dictionary.Alphabet;
    return blocks;
}

void EmptyCrossword(TCrossword& crossword, int width, int height) {
    constexpr int last = TCrossword::MaxSide - 1;
    crossword.ClearWords(0, 0, last, last, true);
    crossword.Words.Clear();
    crossword.FixedCells.Clear();
    crossword.UnplacedWords.clear();
    crossword.Incomplete = 0;
    crossword.Template->ClearKeyWord();
    crossword.SetWidth(width);
    crossword.SetHeight(height);
    crossword.ClearCells(0, 0, last, last);
}

void PasteFileWords(TCrossword& crossword, const TCrosswordFile& file, bool showMessages) {
    if (showMessages) {
        crossword.PasteWords(0, 0, false, file.Records);
        return;
    }
    crossword.UnplacedWords.clear();
    std::string word;
    for (const std::string& record : file.Records)
        if (!crossword.PasteWord(0, 0, false, word, std::string_view(record).substr(4)))
            crossword.UnplacedWords.push_back(word);
}

bool CrosswordFormatError(TCrossword& crossword, bool showMessages) {
    if (showMessages) TheUi().Message(Format("Ошибка формата файла %s"_cp, FromUtf8(crossword.FileName)));
    EmptyCrossword(crossword, 1, 1);
    return false;
}

void TakeFileDictionary(TCrossword& crossword, const TCrosswordFile& file, bool loadDictionary, bool showMessages) {
    TWorkDictionary& dictionary = crossword.Dictionary;
    const auto describeDictionary = [&] {
        dictionary.SetCellFormat(file.CellFormat);
        dictionary.Language = file.Language;
        dictionary.Alphabet = file.Blocks[BlockE];
        dictionary.FileName = file.Blocks[BlockA];
    };
    describeDictionary();
    if (loadDictionary && !dictionary.Load()) {
        describeDictionary();
        if (showMessages)
            TheUi().Message(
                Format("Ошибка чтения словаря %s!\r\nКроссворд загружен без словаря"_cp, dictionary.FileName));
    }
}

// --- pictures ---

void TCrossword::RegisterPictures() {
    const std::string background = Template->BackgroundPicture;
    std::error_code error;
    if (!background.empty() && background != BackgroundName && std::filesystem::is_regular_file(background, error))
        Template->Pictures.ReplaceFromFile(BackgroundName, background);
    if (CluesInGrid != 1) return;
    for (int i = 0; i < Words.Count(); ++i) {
        if (!Words.SlotFilled(i) || !Words.SlotHasDefinition(i)) continue;
        const TDefinitionMarkup markup = FormatDefinition(Words.SlotDefinition(i), false);
        if (markup.Picture && !markup.Text.empty() && Template->Pictures.IndexOfName(markup.Text) < 0)
            Template->Pictures.AddFromFile(markup.Text, markup.Text);
    }
}

void TCrossword::ListPictures(std::vector<std::string>& list) const {
    list.clear();
    if (!Template->BackgroundPicture.empty()) list.emplace_back(BackgroundName);
    if (CluesInGrid != 1) return;
    for (int i = 0; i < Words.Count(); ++i) {
        if (!Words.SlotFilled(i) || !Words.SlotHasDefinition(i)) continue;
        const TDefinitionMarkup markup = FormatDefinition(Words.SlotDefinition(i), false);
        if (markup.Picture && !markup.Text.empty()) list.push_back(markup.Text);
        for (const std::string* link : {&markup.Link.Text1, &markup.Link.Text2})
            if (!link->empty()) list.push_back(*link);
    }
}

void TCrossword::LoadPictures(std::string_view collectionText) {
    Template->Pictures.Clear();
    Template->Pictures.ParseText(collectionText);
    if (Template->Pictures.IndexOfName(BackgroundName) >= 0) Template->BackgroundPicture = BackgroundName;
}

// --- files ---

std::string TCrossword::SaveToText(bool withPictures, std::string_view extra) {
    if (withPictures) RegisterPictures();
    std::array<std::string, BlockCount> blocks = CrosswordFileBlocks(*this);
    if (KeepsClueFormat(Kind))
        blocks[BlockF] = ClueFormatBlock({OprFormat, Template->CanUnite, OprText.EmptyOpr, OprText.EmptyOprFileName});
    blocks[BlockG] = Template->KeyWordCells;
    if (withPictures) blocks[BlockH] = Template->Pictures.SaveToText();
    blocks[BlockI] = extra;
    return CrosswordFileText(*this, FileVersion, blocks);
}

bool TCrossword::LoadFromText(std::string_view data, bool loadDictionary, bool showMessages, std::string& extra) {
    extra.clear();
    const auto formatError = [&] { return CrosswordFormatError(*this, showMessages); };
    try {
        TCrosswordFile file;
        if (!CutCrosswordFile(data, Kind, FileVersion, file)) return formatError();
        TClueFormatSettings clueFormat{OprFormat, Template->CanUnite, OprText.EmptyOpr, OprText.EmptyOprFileName};
        if (!file.Blocks[BlockF].empty() && !ReadClueFormat(file.Blocks[BlockF], file.Version, clueFormat))
            return formatError();
        // The template text is tried on a scratch template first: what follows changes the
        // crossword and its dictionary.
        const std::unique_ptr<TShablon> scratch =
            CreateTemplate(file.Width, file.Height, static_cast<int>(Template->Kind));
        if (!scratch || !scratch->ParseTemplate(file.Blocks[BlockB], 0, 0)) {
            if (showMessages) TheUi().Message("Ошибка чтения шаблона кроссворда!"_cp);
            return formatError();
        }

        EmptyCrossword(*this, file.Width, file.Height);
        Unformatted = file.Unformatted;
        Incomplete = file.Incomplete;
        TakeFileDictionary(*this, file, loadDictionary, showMessages);
        if (!file.Blocks[BlockF].empty()) {
            OprFormat = clueFormat.Format;
            Template->CanUnite = clueFormat.CanUnite;
            OprText.EmptyOpr = clueFormat.Pictures;
            OprText.EmptyOprFileName = clueFormat.PictureList;
        }

        if (!Template->ParseTemplate(file.Blocks[BlockB], 0, 0)) return formatError();
        Template->NumberCells();
        PrepareForFill();
        Template->FileName = file.Blocks[BlockD];
        PasteFileWords(*this, file, showMessages);
        const std::string_view keyword = file.Blocks[BlockG];
        Template->KeyWordCells = keyword.substr(0, keyword.size() / 2 * 2);
        if (!file.Blocks[BlockH].empty()) LoadPictures(file.Blocks[BlockH]);
        extra = file.Blocks[BlockI];
        return true;
    } catch (...) {
        return formatError();
    }
}

namespace {

// Writes the bytes text makes to the crossword's file; false, with the message when Interactive,
// on any failure, the old file kept.
template <typename TMake>
bool WriteCrosswordFile(TCrossword& crossword, TMake make) {
    try {
        if (ReplaceFileText(crossword.FileName, make())) return true;
        if (crossword.Interactive) TheUi().Message(Format("Ошибка записи в файл %s"_cp, FromUtf8(crossword.FileName)));
    } catch (...) {
    }
    return false;
}

}  // namespace

bool TCrossword::SaveToFile(bool withPictures, std::string_view extra) {
    return WriteCrosswordFile(*this, [&] { return SaveToText(withPictures, extra); });
}

bool TCrossword::LoadFromFile(bool loadDictionary, bool showMessages, std::string& extra) {
    extra.clear();
    std::string data;
    return ReadFileText(FileName, data) && LoadFromText(data, loadDictionary, showMessages, extra);
}

std::string TCrossword::SaveText(bool withPictures) {
    return SaveToText(withPictures, {});
}

bool TCrossword::LoadText(std::string_view data, bool loadDictionary, bool showMessages) {
    std::string extra;
    return LoadFromText(data, loadDictionary, showMessages, extra);
}

bool TCrossword::Save(bool withPictures) {
    return WriteCrosswordFile(*this, [&] { return SaveText(withPictures); });
}

bool TCrossword::Load(bool loadDictionary, bool showMessages) {
    std::string data;
    return ReadFileText(FileName, data) && LoadText(data, loadDictionary, showMessages);
}
