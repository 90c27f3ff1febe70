#include "WorkDictionary.h"

#include "LetterCase.h"
#include "platform/Progress.h"
#include "platform/Text.h"
#include "platform/Ui.h"

#include <algorithm>
#include <atomic>
#include <climits>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <numeric>
#include <optional>

namespace {

constexpr std::size_t HeaderSize = 256;
constexpr std::string_view Magic = "WorkDict";
constexpr std::size_t ReadBlockSize = 4096;
constexpr int BlocksPerProgressStep = 10;
constexpr int RecordsPerProgressStep = 1001;
// A record: 4-byte size n, then n bytes (category, two 4-byte fields, text), then 2 bytes.
constexpr uint32_t RecordFixedBytes = 9;
constexpr std::size_t RecordTrailerBytes = 2;

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;

uint32_t ReadU32(const char* p) {
    uint32_t n = 0;
    for (int i = 0; i < 4; ++i) n |= uint32_t{static_cast<unsigned char>(p[i])} << (8 * i);
    return n;
}

int ClampToInt(uint64_t n) {
    return n > static_cast<uint64_t>(INT_MAX) ? INT_MAX : static_cast<int>(n);
}

bool FileExists(const std::string& path) {
    std::error_code error;
    return !path.empty() && std::filesystem::is_regular_file(path, error);
}

std::string DefinitionReadError(const std::string& path) {
    return Format("Ошибка чтения файла %s!\r\nСоздайте файл заново!"_cp, path);
}

// Dictionaries live on several threads (the game's fill and the window's), so versions are
// drawn from one atomic counter.
uint64_t NextVersion() {
    static std::atomic<uint64_t> last{0};
    return ++last;
}

}  // namespace

std::string_view DefaultAlphabet() {
    return "абвгдеёжзийклмнопрстуфхчцшщъыьэюя"_cp;
}

struct TWorkDictionary::FileHeader {
    uint8_t cellFormat = 0;
    uint8_t language = 0;
    uint32_t alphabetLength = 0;
    uint32_t wordAreaLength = 0;
    uint32_t fragmentLength = 0;
    bool hasLetterMap = false;
    uint32_t lowerLength = 0;
    uint32_t upperLength = 0;
    uint64_t bodySize = 0;
};

TWorkDictionary::TWorkDictionary() : Alphabet(DefaultAlphabet()), mVersion(NextVersion()) {}

TWorkDictionary::~TWorkDictionary() = default;

std::string_view TWorkDictionary::EntryText(int i) const {
    const Entry& entry = mEntries[i];
    return {mPool.data() + entry.textOffset, entry.textLength};
}

void TWorkDictionary::Clear() {
    mEntries.clear();
    mPool.clear();
    Rebuild();
}

bool TWorkDictionary::Load() {
    Clear();
    if (!FileExists(FileName)) {
        TheUi().Message(Format("Файл %s не найден!"_cp, FileName));
        return false;
    }
    std::optional<TfmProgress> progress;
    if (ShowProgress) {
        progress.emplace();
        progress->Start("Чтение словаря..."_cp, 1);
    }
    FileHeader header;
    std::string body;
    bool ok = ReadHeaderAndBody(header, body, progress ? &*progress : nullptr);
    if (!ok) {
        TheUi().Message(Format("Ошибка формата файла %s"_cp, FileName));
    } else {
        ok = ParseBody(header, body, progress ? &*progress : nullptr);
        if (!ok) {
            TheUi().Message("Ошибка чтения словаря!"_cp);
            Clear();
        }
    }
    progress.reset();
    if (mDefinitionsInMemory) LoadDefinitions();
    return ok;
}

bool TWorkDictionary::ReadHeaderAndBody(FileHeader& header, std::string& body, TfmProgress* progress) {
    FilePtr file(std::fopen(FileName.c_str(), "rb"));
    if (!file) return false;
    char raw[HeaderSize];
    if (std::fread(raw, 1, HeaderSize, file.get()) != HeaderSize) return false;
    if (std::string_view(raw, Magic.size()) != Magic) return false;
    header.cellFormat = static_cast<uint8_t>(raw[8]);
    // A format the reader does not know could not divide the words into cells.
    if (header.cellFormat > LastCellFormat) return false;
    header.language = static_cast<uint8_t>(raw[9]);
    header.alphabetLength = ReadU32(raw + 10);
    header.wordAreaLength = ReadU32(raw + 14);
    header.fragmentLength = header.cellFormat == CellFormatPiecesWithFragments ? ReadU32(raw + 18) : 0;
    header.hasLetterMap = raw[22] == '1';
    header.lowerLength = header.hasLetterMap ? ReadU32(raw + 23) : 0;
    header.upperLength = header.hasLetterMap ? ReadU32(raw + 27) : 0;
    header.bodySize = uint64_t{header.alphabetLength} + header.wordAreaLength + header.fragmentLength +
                      header.lowerLength + header.upperLength;

    std::error_code error;
    const uint64_t fileSize = std::filesystem::file_size(FileName, error);
    if (error || fileSize < HeaderSize || fileSize - HeaderSize < header.bodySize) return false;

    if (progress) progress->Start("Чтение словаря..."_cp, ClampToInt(header.bodySize));
    body.resize(header.bodySize);
    std::size_t done = 0;
    int blocks = 0;
    while (done < body.size()) {
        const std::size_t want = std::min(ReadBlockSize, body.size() - done);
        if (std::fread(body.data() + done, 1, want, file.get()) != want) return false;
        done += want;
        if (++blocks % BlocksPerProgressStep == 0 && progress)
            progress->Advance(static_cast<int>(ReadBlockSize * BlocksPerProgressStep));
    }
    return true;
}

bool TWorkDictionary::ParseBody(const FileHeader& header, const std::string& body, TfmProgress* progress) {
    if (progress) progress->Start("Подготовка словаря к работе..."_cp, ClampToInt(header.bodySize));
    const std::string_view all(body);
    std::size_t at = 0;
    const auto take = [&](uint32_t length) {
        const std::string_view part = all.substr(at, length);
        at += length;
        return part;
    };
    const std::string_view alphabet = take(header.alphabetLength);
    const std::string_view fragmentText = take(header.fragmentLength);
    TFragments fragments;
    if (header.cellFormat == CellFormatPiecesWithFragments && !fragments.LoadFromText(fragmentText))
        TheUi().Message("Ошибка инициализации фрагментов!"_cp);
    const std::string_view lower = take(header.lowerLength);
    const std::string_view upper = take(header.upperLength);

    const bool appendInOrder = header.cellFormat == CellFormatSingle;
    std::vector<Entry> entries;
    int records = 0;
    while (at < all.size()) {
        if (all.size() - at < 4) return false;
        const uint32_t n = ReadU32(all.data() + at);
        if (n < RecordFixedBytes || all.size() - at - 4 < uint64_t{n} + RecordTrailerBytes) return false;
        const char* record = all.data() + at + 4;
        const auto category = static_cast<uint8_t>(record[0]);
        if (category >= WordCategoryCount) return false;
        const std::string_view text(record + RecordFixedBytes, n - RecordFixedBytes);
        if (text.empty()) return false;
        const int cells = CellCountOf(text, header.cellFormat);
        // Outside 2..25 cells no search could offer the word, and the length index has no place
        // for it; such a word is left out rather than refusing the whole dictionary.
        if (cells >= MinWordCells && cells <= MaxWordCells) {
            const Entry entry{static_cast<uint32_t>(text.data() - all.data()), static_cast<uint32_t>(text.size()),
                              ReadU32(record + 1), ReadU32(record + 5), static_cast<uint8_t>(cells),
                              static_cast<WordCategory>(category)};
            if (appendInOrder && !entries.empty()) {
                const Entry& last = entries.back();
                if (CompareDictionaryOrder(last.cells, all.substr(last.textOffset, last.textLength), cells, text) >= 0)
                    return false;
            }
            entries.push_back(entry);
        }
        at += 4 + uint64_t{n} + RecordTrailerBytes;
        if (++records % RecordsPerProgressStep == 0 && progress)
            progress->Advance(ClampToInt(at) - progress->Position());
    }

    if (!appendInOrder) {
        const auto textOf = [&](const Entry& e) { return all.substr(e.textOffset, e.textLength); };
        std::stable_sort(entries.begin(), entries.end(), [&](const Entry& a, const Entry& b) {
            return CompareDictionaryOrder(a.cells, textOf(a), b.cells, textOf(b)) < 0;
        });
        for (std::size_t i = 1; i < entries.size(); ++i) {
            if (textOf(entries[i - 1]) == textOf(entries[i]) && entries[i - 1].cells == entries[i].cells) {
                TheUi().Message(Format("Ошибка формата файла %s"_cp, FileName));
                return false;
            }
        }
    }

    // The words move into one pool in entry order, so each length's words lie side by side.
    std::size_t poolSize = 0;
    for (const Entry& entry : entries) poolSize += entry.textLength;
    mPool.clear();
    mPool.reserve(poolSize);
    for (Entry& entry : entries) {
        const std::size_t offset = mPool.size();
        mPool.append(all.substr(entry.textOffset, entry.textLength));
        entry.textOffset = static_cast<uint32_t>(offset);
    }
    mEntries = std::move(entries);

    SetCellFormat(header.cellFormat);
    if (header.cellFormat == CellFormatPiecesWithFragments) mFragments.LoadFromText(fragments.AsText());
    Language = header.language;
    mBodySize = static_cast<uint32_t>(header.bodySize);
    Alphabet = alphabet;
    mHasLetterMap = header.hasLetterMap;
    mLowerLetters = mHasLetterMap ? std::string(lower) : std::string();
    mUpperLetters = mHasLetterMap ? std::string(upper) : std::string();
    Rebuild();
    return true;
}

void TWorkDictionary::Rebuild() {
    mVersion = NextVersion();
    // Entries are sorted by cell count, so the first entry of at least L cells is a bound.
    for (int cells = MinWordCells; cells <= MaxWordCells + 1; ++cells) {
        const auto first = std::lower_bound(mEntries.begin(), mEntries.end(), cells,
                                            [](const Entry& e, int c) { return e.cells < c; });
        mLengthIndex[cells] = static_cast<int>(first - mEntries.begin());
    }
    const bool oneCharPerCell = std::all_of(mEntries.begin(), mEntries.end(),
                                            [](const Entry& e) { return e.textLength == e.cells; });
    if (oneCharPerCell && !mEntries.empty())
        mLetterIndex.Build(
            mLengthIndex, [this](int i) { return EntryText(i); },
            [this](int i) { return mEntries[i].category == WordCategory::Unavailable; });
    else
        mLetterIndex.Clear();
}

void TWorkDictionary::AssignFrom(const TWorkDictionary& other) {
    if (&other == this) return;
    mEntries = other.mEntries;
    mPool = other.mPool;
    ShowProgress = other.ShowProgress;
    FileName = other.FileName;
    SetCellFormat(other.mCellFormat);
    Language = other.Language;
    Alphabet = other.Alphabet;
    mBodySize = other.mBodySize;
    mDefinitionsInMemory = other.mDefinitionsInMemory;
    // The definitions held in memory belong to the words just copied; keeping the old ones
    // would give every entry a wrong definition.
    mDefinitions = other.mDefinitionsInMemory ? other.mDefinitions : std::string();
    mFragments.LoadFromText(other.mFragments.AsText());
    Rebuild();
}

void TWorkDictionary::SetEntryCategory(int i, WordCategory category) {
    if (i < 0 || i >= Count()) return;
    Entry& entry = mEntries[i];
    entry.category = category;
    mLetterIndex.SetUnavailable(i, entry.cells, category == WordCategory::Unavailable);
}

bool TWorkDictionary::Find(std::string_view word, int& index) const {
    const int cells = CellCountOf(word, mCellFormat);
    const auto at = std::lower_bound(mEntries.begin(), mEntries.end(), word, [&](const Entry& e, std::string_view key) {
        return CompareDictionaryOrder(e.cells, {mPool.data() + e.textOffset, e.textLength}, cells, key) < 0;
    });
    index = static_cast<int>(at - mEntries.begin());
    return at != mEntries.end() && at->cells == cells && EntryText(index) == word;
}

void TWorkDictionary::SetCategoryOf(std::string_view word, WordCategory category) {
    int index = 0;
    if (Find(word, index)) SetEntryCategory(index, category);
}

int TWorkDictionary::LengthIndex(int cells) const {
    if (cells < MinWordCells || cells > MaxWordCells + 1) return Count();
    return mLengthIndex[cells];
}

std::string TWorkDictionary::Definition(int i) const {
    if (i < 0 || i >= Count()) return {};
    const Entry& entry = mEntries[i];
    if (entry.definitionLength == 0) return {};
    if (mDefinitionsInMemory) {
        if (entry.definitionOffset >= mDefinitions.size()) return {};
        return mDefinitions.substr(entry.definitionOffset, entry.definitionLength);
    }
    FilePtr file(FileExists(FileName) ? std::fopen(FileName.c_str(), "rb") : nullptr);
    const uint64_t start = HeaderSize + uint64_t{mBodySize} + entry.definitionOffset;
    std::string text;
    bool ok = file && start <= static_cast<uint64_t>(LONG_MAX) &&
              std::fseek(file.get(), static_cast<long>(start), SEEK_SET) == 0;
    char block[ReadBlockSize];
    while (ok && text.size() < entry.definitionLength) {
        const std::size_t want = std::min<std::size_t>(ReadBlockSize, entry.definitionLength - text.size());
        const std::size_t got = std::fread(block, 1, want, file.get());
        text.append(block, got);
        ok = got == want;
    }
    if (!ok) {
        TheUi().Message(DefinitionReadError(FileName));
        return {};
    }
    return text;
}

void TWorkDictionary::SetDefinitionsInMemory(bool on) {
    mDefinitionsInMemory = on;
    if (on)
        LoadDefinitions();
    else
        mDefinitions.clear();
}

void TWorkDictionary::LoadDefinitions() {
    if (!mDefinitionsInMemory || !FileExists(FileName)) return;
    mDefinitions.clear();
    std::error_code error;
    const uint64_t fileSize = std::filesystem::file_size(FileName, error);
    const uint64_t start = HeaderSize + uint64_t{mBodySize};
    FilePtr file(std::fopen(FileName.c_str(), "rb"));
    if (error || !file) {
        TheUi().Message(DefinitionReadError(FileName));
        return;
    }
    if (fileSize <= start) return;
    std::optional<TfmProgress> progress;
    if (ShowProgress) {
        progress.emplace();
        progress->Start("Чтение словаря..."_cp, ClampToInt(fileSize - start));
    }
    if (start > static_cast<uint64_t>(LONG_MAX) || std::fseek(file.get(), static_cast<long>(start), SEEK_SET) != 0) {
        TheUi().Message(DefinitionReadError(FileName));
        return;
    }
    char block[ReadBlockSize];
    for (;;) {
        const std::size_t got = std::fread(block, 1, sizeof block, file.get());
        mDefinitions.append(block, got);
        if (progress && got > 0) progress->Advance(static_cast<int>(ReadBlockSize));
        if (got < sizeof block) break;
    }
    if (std::ferror(file.get())) TheUi().Message(DefinitionReadError(FileName));
}

void TWorkDictionary::SetCellFormat(uint8_t format) {
    mVersion = NextVersion();
    mCellFormat = format;
    if (format != CellFormatPiecesWithFragments) mFragments.Clear();
}

uint8_t TWorkDictionary::CharsetCode() const {
    switch (Language) {
        case 0:
            return 204;
        case 1:
            return 0;
        default:
            return 1;
    }
}

char TWorkDictionary::ToLowerLetter(char c) const {
    if (mHasLetterMap) {
        const std::size_t at = mUpperLetters.find(c);
        if (at != std::string::npos && at < mLowerLetters.size()) return mLowerLetters[at];
    }
    return LowerLetter(c);
}

char TWorkDictionary::ToUpperLetter(char c) const {
    if (mHasLetterMap) {
        const std::size_t at = mLowerLetters.find(c);
        if (at != std::string::npos && at < mUpperLetters.size()) return mUpperLetters[at];
    }
    return UpperLetter(c);
}

std::string TWorkDictionary::ToLowerText(std::string_view text) const {
    std::string out(text);
    for (char& c : out) c = ToLowerLetter(c);
    return out;
}

std::string TWorkDictionary::ToUpperText(std::string_view text) const {
    std::string out(text);
    for (char& c : out) c = ToUpperLetter(c);
    return out;
}
