#pragma once

// The working dictionary: the words of a ".wdi" file in dictionary order (cell count, then
// text), each with its category and the place of its definition, and the searches by mask.
//
// File layout (integers 32-bit little-endian, text cp1251):
//   header, 256 bytes: "WorkDict", cell format (byte 8), language (9), alphabet length (10),
//     word area length (14), fragment block length (18, cell format 3 only), letter map flag
//     (22, "1" = present), lower map length (23), upper map length (27), reserved;
//   body: alphabet, fragment block, lower map, upper map, word records
//     [n = 9 + text length][category][definition offset][definition length][text][2 bytes];
//   definition area: from 256 + BodySize to the end of the file.

#include "CellFormat.h"
#include "Fragments.h"
#include "LetterIndex.h"

#include <cstdint>
#include <string>
#include <string_view>

class TMask;
class TFindSpecial;
class TFind;
class TfmProgress;

// The letters a word may use unless a dictionary file names its own.
std::string_view DefaultAlphabet();

class TWorkDictionary {
public:
    TWorkDictionary();
    ~TWorkDictionary();
    TWorkDictionary(const TWorkDictionary&) = delete;
    TWorkDictionary& operator=(const TWorkDictionary&) = delete;

    std::string FileName;     // the file Load reads
    bool ShowProgress = true; // show the progress window while loading
    std::string Alphabet;     // the letters words may use
    int Language = 0;         // header byte 9; see CharsetCode

    // Reads FileName. True when the words are ready; on failure the dictionary is empty and
    // the user has been told why.
    bool Load();
    // Removes every word.
    void Clear();
    // Replaces everything by other's words and settings; the letter map and an in-memory
    // definition text are not copied.
    void AssignFrom(const TWorkDictionary& other);

    int Count() const { return static_cast<int>(mEntries.size()); }
    // The word of entry i; valid until the dictionary is loaded, cleared or assigned.
    std::string_view EntryText(int i) const;
    int EntryCells(int i) const { return mEntries[i].cells; }
    WordCategory EntryCategory(int i) const { return mEntries[i].category; }
    void SetEntryCategory(int i, WordCategory category);
    uint32_t DefinitionOffset(int i) const { return mEntries[i].definitionOffset; }
    uint32_t DefinitionLength(int i) const { return mEntries[i].definitionLength; }

    // Binary search in dictionary order (cell count by CellFormat). True and the entry index
    // when found; else false and the index at which the word would be inserted.
    bool Find(std::string_view word, int& index) const;
    // Sets the category of word when the dictionary holds it.
    void SetCategoryOf(std::string_view word, WordCategory category);

    // For cells 2..26: the first entry with at least that many cells (Count when none), so the
    // entries of L cells are [LengthIndex(L), LengthIndex(L + 1)). Other values give Count.
    int LengthIndex(int cells) const;

    // The definition of entry i, from memory or from the file; empty when it has none or the
    // file cannot be read ("Ошибка чтения файла %s!\r\nСоздайте файл заново!").
    std::string Definition(int i) const;
    bool DefinitionsInMemory() const { return mDefinitionsInMemory; }
    // On: reads the definition area into memory; off: drops it.
    void SetDefinitionsInMemory(bool on);
    // Reads the definition area of FileName into memory when DefinitionsInMemory is on.
    void LoadDefinitions();
    // The definition area held in memory.
    const std::string& Definitions() const { return mDefinitions; }

    // Changes whenever the entries or their cell format change, never for a category; no two
    // dictionaries share a value. What is worked out from the words may be kept while it stays.
    uint64_t Version() const { return mVersion; }

    uint8_t CellFormat() const { return mCellFormat; }
    // Any format other than 3 empties Fragments.
    void SetCellFormat(uint8_t format);
    // Bytes of the file body: alphabet, fragment block, letter maps and word records.
    uint32_t BodySize() const { return mBodySize; }
    const TFragments& Fragments() const { return mFragments; }
    TFragments& Fragments() { return mFragments; }
    // The font character set for the language: 0 -> 204 (Russian), 1 -> 0 (ANSI), else 1.
    uint8_t CharsetCode() const;

    // Letter case through the file's letter map, else through the general Russian tables.
    bool HasLetterMap() const { return mHasLetterMap; }
    const std::string& LowerLetters() const { return mLowerLetters; }
    const std::string& UpperLetters() const { return mUpperLetters; }
    char ToLowerLetter(char c) const;
    char ToUpperLetter(char c) const;
    std::string ToLowerText(std::string_view text) const;
    std::string ToUpperText(std::string_view text) const;

    // Searches by mask. The mask's cell count selects the entries of that many cells; masks
    // of fewer than 2 or more than 25 cells match nothing.

    // True when some entry matches and is ordinary or reserve.
    bool HasCandidate(const TMask& mask) const;
    // With every cell unknown: the number of entries of that length, every category counted.
    // Otherwise the matching entries: ordinary and reserve ones when withoutUnavailable, else all.
    int CountCandidates(const TMask& mask, bool withoutUnavailable) const;
    // Every matching entry goes into store under its category, in dictionary order.
    void CollectCandidates(const TMask& mask, TFindSpecial& store, bool clearFirst) const;
    // Every matching entry goes into list as a line (category digit, word); list ends sorted.
    void CollectCandidateLines(const TMask& mask, TFind& list, bool clearFirst) const;
    // list is cleared; then the lines of mask's text resized to each length minCells (at
    // least 2) .. maxCells.
    void CollectByLengthRange(const TMask& mask, int minCells, TFind& list, int maxCells) const;
    // A uniformly random entry of that many cells; the start of the range when it is empty.
    int RandomEntryOfLength(int cells) const;
    // Cyclic scan of the mask's range after position, coming round to startIndex: true with
    // the first matching word that is not unavailable. position and wrapped carry the scan
    // state between calls.
    bool ScanFrom(const TMask& mask, int startIndex, std::string& word, int& position, bool& wrapped) const;
    // A random matching word of minCells .. maxCells cells, lengths tried around a random
    // centre. mask is left holding the last tried text.
    bool RandomMatch(TMask& mask, int minCells, std::string& word, int maxCells) const;

private:
    struct Entry {
        uint32_t textOffset;
        uint32_t textLength;
        uint32_t definitionOffset;
        uint32_t definitionLength;
        uint8_t cells;
        WordCategory category;
    };
    struct FileHeader;
    // How a one-character-per-cell mask is compared: CollectCandidates and CountCandidates look
    // at the known positions only, the other searches test the whole mask (Matches).
    enum class MatchRule { KnownPositions, WholeMask };

    bool ReadHeaderAndBody(FileHeader& header, std::string& body, TfmProgress* progress);
    bool ParseBody(const FileHeader& header, const std::string& body, TfmProgress* progress);
    void Rebuild();
    template <typename Visit>
    void ForEachMatch(const TMask& mask, MatchRule rule, Visit&& visit) const;
    bool EntryMatches(const TMask& mask, const MaskCells& known, int i) const;
    bool UsesLetterIndex(const TMask& mask) const;

    std::vector<Entry> mEntries;
    std::string mPool;  // the entries' texts, one after another in entry order
    int mLengthIndex[MaxWordCells + 2] = {};
    TLetterIndex mLetterIndex;

    uint64_t mVersion;
    uint8_t mCellFormat = CellFormatSingle;
    uint32_t mBodySize = 0;
    TFragments mFragments;
    bool mDefinitionsInMemory = false;
    std::string mDefinitions;
    bool mHasLetterMap = false;
    std::string mLowerLetters;
    std::string mUpperLetters;
};
