#pragma once

// TCrossword: a template filled with words. It owns the template, the letter grid, the slot
// records with the word placed in each, the working dictionary and the bookkeeping that keeps
// the dictionary, the grid and the slots consistent while words come and go. The kinds of
// crossword derive from it; the class factory makes one from its kind code.
//
// Invariants the operations keep: a word standing in a slot is in UsedWords and has category
// 2 (unavailable) in the dictionary, and its slot record remembers the category it had before;
// a grid cell of a filled slot holds that word's cell text. Cells of no filled slot and no fixed
// letter are unknown to the fill whatever text they still hold.
//
// Threads: a crossword is used by one thread at a time. While Fill runs on a worker thread,
// another thread may only clear Running, which asks the fill to stop within one pass.

#include "CharsCount.h"
#include "ClueOptions.h"
#include "CrosswordLook.h"
#include "CrosswordPicture.h"
#include "CrosswordWords.h"
#include "FillResult.h"
#include "WordVariant.h"

#include "dictionary/DynaUsedWord.h"
#include "dictionary/SpaceSortedList.h"
#include "dictionary/WorkDictionary.h"
#include "template/Coord.h"
#include "template/Shablon.h"

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

class IAutomation;
class TBitmap;
class TCanvas;
class TComExport;
class TCommandWriter;
class TfmProgress;
class TIniFile;
class TMask;
class TMetafile;
class TFindSpecial;
class TSlotGraph;
class TWordIndex;

// Crossword kind codes.
enum class TCrosswordKind : uint8_t {
    Classic = 0,
    Estonish = 1,
    Skanword = 2,
    Chainword = 3,
    LineSkanword = 4,
    FillWord = 5,
    English = 6,
    FootBall = 7,
    Honey = 8,
    Honey8 = 9,
    Circle = 10,
    American = 11,
    Kinder = 12,
    Skanword2 = 13,
    CrossChainword = 14,
    Knight = 15,
    Skanword3 = 16,
    Diagonal = 17,
};
constexpr int CrosswordKindCount = 18;

// Result codes of placing a word.
namespace PutCode {
constexpr int Placed = 0;
constexpr int OutsideAlphabet = 1;   // a letter outside the dictionary's alphabet
constexpr int DoesNotFit = 2;        // the word does not fit the slot's pattern
constexpr int StartLetter = 3;       // another word would begin with a letter of NoStartLetters
constexpr int Unavailable = 4;       // already in the grid, or unavailable in the dictionary
constexpr int Related = 5;           // related to a word in the grid
constexpr int TwoLetters = 6;        // a slot crossing itself would get two letters in one cell
}  // namespace PutCode

// Error codes of the fill methods (a slot index when 0 or more).
namespace FillError {
constexpr int Stopped = -1;         // Running was cleared; also the value before any method ran
constexpr int Exhausted = -2;       // the search came back to its first level with nothing left
constexpr int PlaceFailed = -3;     // a kind's own fill could not place the word it chose
constexpr int TimeLimit = -4;       // the time limit was exceeded
constexpr int ListWordBase = 0x10000000;  // + k: list word k cannot be placed
}  // namespace FillError

// Which checks TryPutWord, PutWordAtCoord and PasteWord make besides the pattern.
struct TPutChecks {
    bool Alphabet = false;      // every letter in the dictionary's alphabet
    bool StartLetters = false;  // no other word begins with a letter of NoStartLetters
    bool Related = false;       // not related to a word in the grid
};

struct TKeywordOptions {
    bool SingleWordCellsOnly = false;  // only cells through which at most one slot passes
    bool AvoidMarkedCells = false;     // not numbered cells, not arrow cells
};

enum class TFillMethod : uint8_t {
    Default = 0,
    RandomRestart = 1,
    Backtrack = 2,
    WordList = 3,
    Propagate = 4,  // candidate sets kept consistent across crossings; for dense grids
};

struct TFillParameters {
    TFillMethod FillMethod = TFillMethod::Backtrack;
    int TimeLimit = 0;      // whole seconds from the start allowed to methods 0-2 and 4; 0 = none
    int ListTimeLimit = 0;  // whole seconds allowed to the word-list phase of method 3; 0 = none
    int TimeLimitMs = 0;    // milliseconds allowed to every method besides the limits above; 0 = none
    uint8_t Attempts = 1;
    std::vector<std::string> WordList;  // words method 3 must place (at most 100 are used)
    uint8_t WordListOrdered = 0;        // method 3: non-zero places them in order
};

// The word lengths a kind accepts along a cell list.
struct TWordLengthLimits {
    int Min = 2;
    int Max = 25;
    bool Flag = true;
};

// Whether a template of templateKind can carry a crossword of kind (LoadTemplateFile's test).
bool TemplateKindFits(TCrosswordKind kind, int templateKind);

class TCrossword {
public:
    static constexpr int MaxSide = 200;
    static constexpr std::string_view EmptyCell = " ";

    TCrossword(TCrosswordKind kind, std::unique_ptr<TShablon> shablon);
    virtual ~TCrossword();
    TCrossword(const TCrossword&) = delete;
    TCrossword& operator=(const TCrossword&) = delete;

    // --- the grid ---

    // The text of cell (x, y); " " for an empty cell and outside the 200 x 200 array.
    const std::string& CellText(int x, int y) const;
    void SetCellText(int x, int y, std::string_view text);
    bool IsCellEmpty(int x, int y) const { return CellText(x, y) == EmptyCell; }
    // Empties every cell of [x1..x2] x [y1..y2].
    void ClearCells(int x1, int y1, int x2, int y2);
    // Resizes the grid and the template; new columns (rows) start empty.
    void SetWidth(int width);
    void SetHeight(int height);

    // --- slots and words ---

    // Empties every filled slot whose first cell lies in the rectangle and that is not Locked
    // (every one with includeLocked).
    void ClearWords(int x1, int y1, int x2, int y2, bool includeLocked);
    int FilledCount() const;
    bool IsWordUsed(std::string_view word) const { return UsedWords.Contains(word); }
    // Makes a word that stayed in UsedWords from an earlier fill available again, with the
    // category it had before it was placed. False, and nothing changes, while a slot holds it.
    bool ReleaseUsedWord(std::string_view word, WordCategory category);
    // Counts the cell texts of every placed word (a shared cell counts once per word).
    void CountLetters(TCharsCount& counts) const;
    // The cells of slot i.
    TCoord SlotCells(int slot) const { return Words.SlotCells(slot, Width, Height); }
    // The indices of the slots through (x, y): those of WordsThroughCell that Words holds.
    std::vector<int> SlotsThroughCell(int x, int y) const;

    // True when the kind keeps the base PlaceWord, SlotPattern, RemoveWord, WordsThroughCell and
    // CrossingSlots: the fill then works on the grid directly instead of calling them.
    virtual bool KeepsBasePlacement() const { return false; }
    // True when every slot holds a word.
    virtual bool IsComplete() const;
    // Rebuilds Words from the template: its slots in the order of their first letter cell met
    // row by row. Words placed before stay in UsedWords and keep category 2.
    virtual void RebuildWords();
    // Writes a word into a slot without checking it against the grid. 0, 4 (in use) or 5.
    virtual int PlaceWord(int slot, std::string_view word, bool checkRelated);
    // Reads a template file (header, kind, body), keeping the words that still fit.
    virtual bool LoadTemplateFile(const std::string& path);
    // After the template was read: crops and numbers it, sizes the grid to it with every cell
    // empty, sets Unformatted from its word layout and prepares the slots. Words are dropped.
    void TakeTemplate();
    virtual void PrepareForFill() { RebuildWords(); }
    // Loads the dictionary; words standing in the grid become unavailable in it again.
    virtual bool LoadDictionary(const std::string& path);
    // The mask text of a slot: the letters fixed by crossing filled slots and fixed cells.
    virtual std::string SlotPattern(int slot) const;
    // Places a word after checking it (removing the slot's word first). PutCode.
    virtual int TryPutWord(int slot, std::string_view word, TPutChecks checks);
    // Takes the word out of a slot; letters that crossing words or fixed cells hold stay.
    virtual void RemoveWord(int slot);
    // The letters of the template's key-word cells, in key-word order.
    virtual std::string KeywordText() const;
    // Chooses the key-word cells that spell keyword in the filled grid.
    virtual bool SetKeyword(std::string_view keyword, TKeywordOptions options);
    // Fixes (or, with an empty letter, releases) the letter of a cell.
    virtual void SetFixedLetter(int x, int y, std::string_view letter);
    // SlotPattern for a free cell list.
    virtual std::string PatternAtCoord(const TCoord& coord) const;
    // Places a word along a free cell list, creating its slot record (slot: its index, or -1).
    virtual int PutWordAtCoord(const TCoord& coord, std::string_view word, TPutChecks checks, int& slot);
    // Removes the word lying on a cell list and deletes its slot record.
    virtual void RemoveWordAtCoord(const TCoord& coord);
    virtual TWordLengthLimits WordLengthLimits(const TCoord& coord, std::string& text) const { return {}; }
    // The steps a run starting with coord may take further, as a step string (nothing here).
    virtual void SlotExtraText(const TCoord& coord, std::string& text) const {}
    virtual void ExtraCells(const TCoord& coord, TCoord& cells) const { cells.Clear(); }
    // The records of the filled slots that begin in the rectangle, positions made relative to
    // it, each prefixed by its length as 4 bytes.
    virtual std::vector<std::string> CopyWords(int x1, int y1, int x2, int y2) const;
    // CopyWords as one text, each item followed by CR LF.
    virtual std::string CopyWordsText(int x1, int y1, int x2, int y2) const;
    // The raw record of a filled slot; empty otherwise.
    virtual std::string SlotRecord(int slot) const;
    // Pastes copied words with their positions moved by (x, y); asks whether to go on after a
    // word that does not fit. False when the user stopped. UnplacedWords receives the words not
    // placed, those after a stop too.
    virtual bool PasteWords(int x, int y, bool checkAlphabet, const std::vector<std::string>& items);
    // Pastes one copied record (without its length prefix); word receives its word. A free path
    // (Unformatted) that leaves the grid, or holds a step that is no move, is refused.
    virtual bool PasteWord(int x, int y, bool checkAlphabet, std::string& word, std::string_view record);
    virtual bool PasteWordsText(int x, int y, std::string_view text);
    // The slots through (x, y): the template's, or with Unformatted those of Words.
    virtual void WordsThroughCell(int x, int y, TShablonWords& words) const;
    // The indices of the slots crossing slot, once per shared cell.
    virtual std::vector<int> CrossingSlots(int slot) const;

    // --- pictures ---

    // Puts the background file (and, with CluesInGrid, the clue pictures) into the template's
    // picture collection, the background under the name "background".
    virtual void RegisterPictures();
    // The names of the pictures the crossword uses.
    virtual void ListPictures(std::vector<std::string>& list) const;
    // Replaces the picture collection by the pictures of a collection text; a picture named
    // "background" becomes the template's background.
    virtual void LoadPictures(std::string_view collectionText);

    // --- clue texts (entries carry the switches "~#1" and "~#2"; lines end in CR LF) ---

    // The answer list.
    virtual std::string BuildClueText(const TClueListOptions& options) const;
    // The clue list, with the answers when asked.
    virtual std::string BuildCluePages(const TClueListOptions& options, bool withAnswers) const;
    // The clues grouped by rows (across words) and columns (down words), labelled.
    virtual std::string BuildDirectionClues(const TClueListOptions& options) const;
    // across + down, with the direction headings when the options ask for them.
    virtual std::string JoinDirectionClues(const TClueListOptions& options, std::string_view across,
                                           std::string_view separator, std::string_view down) const;
    // Chooses one of the alternatives of a definitions text; false (text empty) when none qualifies.
    virtual bool PickDefinition(bool applyCase, std::string_view definitions, std::string& text,
                                const TDefinitionChoice& choice) const;
    // The slot indices in clue order: 0 by clue number, 1 across words then down words by
    // position, 2 the same without the letter-cell test, 3 shuffled with across before down.
    virtual std::vector<int> OrderedWords(int mode) const;
    // Every slot index, sorted by the template's cell number of its first cell (equal numbers keep
    // slot order).
    std::vector<int> SlotsByNumber() const;
    // OrderedWords(mode), then every slot it leaves out, by number: the order of the lists, which
    // name every word.
    std::vector<int> ListedWords(int mode) const;
    // The number the crossword's picture shows for the slot (that of its first cell), or 0 when
    // it shows none: the lists then number the slot with nothing.
    virtual int ClueNumber(int slot) const;
    // Reads the markup codes at the head of a definition against the clue format.
    TDefinitionMarkup FormatDefinition(std::string_view definition, bool applyCase) const;
    // Mode 0: the across slots by row, then column; mode 1: the others by column, then row.
    std::vector<int> SlotsByLine(int mode) const;

    // --- files ---

    // The bytes of a crossword file: dictionary name, template, words, clue format, key word,
    // pictures (withPictures), the caller's extra text and the Incomplete mark. May throw.
    virtual std::string SaveToText(bool withPictures, std::string_view extra);
    // Reads the bytes of a crossword file; extra receives the caller's text. Messages and
    // questions only with showMessages. A damaged file leaves a 1 x 1 crossword without words.
    virtual bool LoadFromText(std::string_view data, bool loadDictionary, bool showMessages, std::string& extra);
    // SaveToText written to FileName; a failed write keeps the old file.
    bool SaveToFile(bool withPictures, std::string_view extra);
    // LoadFromText of the file FileName.
    bool LoadFromFile(bool loadDictionary, bool showMessages, std::string& extra);
    // The file as the kind writes it: SaveToText with the kind's own extra text (none here).
    // May throw.
    virtual std::string SaveText(bool withPictures);
    // Reads such a file back with what the kind keeps in it; the caller's text is dropped.
    virtual bool LoadText(std::string_view data, bool loadDictionary, bool showMessages);
    // SaveText written to FileName; LoadText of the file FileName.
    bool Save(bool withPictures);
    bool Load(bool loadDictionary, bool showMessages);

    // --- style files (after the template's own sections) ---

    // Reads the template's looks and the crossword's from a style file, found as the template
    // finds it; false, with a message, when there is none or it cannot be read.
    virtual bool LoadStyles(const std::string& path);
    // Writes them, keeping the file's other sections, in one replacement of the whole file;
    // false, with a message, on failure (the old file then stays as it was).
    bool SaveStyles(const std::string& path);
    // Sets the keys of the template's looks and the crossword's in a style file's text; false
    // when a value cannot be set.
    virtual bool WriteStyles(TIniFile& ini);
    // Takes the looks of other and its template, its output settings, marked sets and letter counts.
    virtual void CopyStyles(const TCrossword& other);

    // --- the fill ---

    // Fills the empty slots whose first cell lies in the rectangle with the method of the
    // fill parameters, Attempts times at most. best receives the largest partial fill.
    virtual bool Fill(int x1, int y1, int x2, int y2, bool useSpecial, int& errCode, TFillResult& best);
    virtual bool FillDefault(int x1, int y1, int x2, int y2, int& errCode, TFillResult& result);
    virtual bool FillRandomRestart(int x1, int y1, int x2, int y2, int& errCode, TFillResult& result);
    virtual bool FillBacktrack(int x1, int y1, int x2, int y2, int& errCode, TFillResult& result);
    virtual bool FillFromListOrdered(int x1, int y1, int x2, int y2, int& errCode, TFillResult& result);
    virtual bool FillFromList(int x1, int y1, int x2, int y2, int& errCode, TFillResult& result);
    // Method 4: a search over per-slot candidate sets that stay consistent across crossings,
    // choosing slots by their candidates and failures and restarting with a growing cutoff.
    virtual bool FillPropagate(int x1, int y1, int x2, int y2, int& errCode, TFillResult& result);
    virtual bool FillSpecial(int x1, int y1, int x2, int y2, int& errCode, TFillResult& result) { return false; }
    // False, with slot = the first empty slot of the rectangle that has no candidate at all.
    virtual bool CheckFillable(int x1, int y1, int x2, int y2, int& slot) const;
    // One record per filled slot, in slot order.
    void SaveState(TFillResult& result) const;
    // The record SaveState keeps for a filled slot.
    std::string StateRecord(int slot) const;
    // Clears every word and places the saved ones again; false at the first that fails.
    bool RestoreState(const TFillResult& result);

    // --- export (the vector editor and the printable picture share these item lists) ---

    // The item list of an export mode: the grid with its cell texts (not in mode 5), then mode
    // 2 the codeword table, 4 the Italian labels, 5 the shuffled blocks, 6 the sapper texts;
    // last ExportPass, when one is set.
    void BuildModeExport(TComExport& list, int mode);
    // The template's items, then one text item per letter cell with what the mode shows: 0 the
    // letter, 1, 4 and 6 only given letters and the letters of given words, 2 the codeword
    // number ("?" without one), 3 the letter with a decoy; 5 and 7 on nothing. Mode 4 adds the
    // hint markers.
    virtual void ExportCrosswordScript(TComExport& list, int mode);
    // The codeword table below the grid: per letter its number and, when printed, the letter.
    virtual void ExportKeywordScript(TComExport& list);
    // The column labels above the grid and the row labels left of it.
    virtual void ExportItalianScript(TComExport& list);
    // Markers beside the given words, then at random non-letter cells up to HintMarkerCount.
    virtual void ExportMarkedWordsScript(TComExport& list);
    // In every non-letter cell the letters of its lettered neighbours, shuffled.
    virtual void ExportSapperScript(TComExport& list);
    // The template's cells of each block, then their letters, block k at the k-th block place.
    virtual void ExportCellsScript(TComExport& list, const std::vector<TCellBlock>& blocks);
    // Mode 5: the grid cut into word blocks, shuffled, through ExportCellsScript.
    void ExportBlocksScript(TComExport& list);
    // The blocks with the moves that put block k at the k-th block place, in reading order, one
    // cell further per block column and row.
    std::vector<TCellBlock> PlacedBlocks(const std::vector<TCellBlock>& blocks) const;
    // The codeword numbering: new letters take the next numbers by falling frequency, letters
    // gone from the grid leave; with ShuffleNumbers the numbers of unprinted letters are mixed.
    void NumberLetters();
    // The sapper text of a non-letter cell (its neighbours' letters, shuffled).
    std::string SapperText(int x, int y) const;
    // True when the cell's letter shows in the given-letters modes: a given letter, or a cell of
    // a filled slot whose word is given.
    bool IsGivenCell(int x, int y, std::string_view letter) const;
    // The picture files an export of the crossword draws on.
    virtual void ExportPictureList(std::vector<std::string>& list) const;
    // The styles the crossword's items apply: the template's, "CROSSWORD_CHARS", then mode 4
    // "ITALIAN_HINT" and mode 6 "SAPPER_CHARS".
    virtual void ExportCharStyles(TCommandWriter& writer, int mode) const;
    // Styles, arrow shapes and every item of the list through one writer; progress, when given,
    // follows the items.
    void ExportGridAutomation(TCommandWriter& writer, const TComExport& list, int mode,
                              TfmProgress* progress = nullptr) const;
    // One item: the crossword's own kinds here, the rest through the template.
    virtual void ExportItem(TCommandWriter& writer, const TComExport& list, int i) const;
    // Appends the commands of the mode's picture, one line each.
    virtual void ExportToScript(std::vector<std::string>& lines, int mode);
    // Draws the mode's picture through the automation object with the progress window. False,
    // after "OLE-ошибка!", when a call fails; what was drawn before stays.
    virtual bool ExportTemplateScript(IAutomation& editor, int mode);

    // --- picture (drawing units: a cell is the template's cell pixel size) ---

    // The printable picture of an export mode, from the mode's item list: 2 adds the codeword
    // table below the grid, 4 the labels (the grid moves one cell right and down), 5 draws the
    // shuffled blocks instead of the grid, 6 adds the sapper texts. Empty when its positions do
    // not fit in 32 bits.
    virtual void DrawToMetafile(TMetafile& metafile, int mode);
    // Replays an item list onto the metafile: the template's kinds through the template, the
    // crossword's text blocks, pictures, framed pieces and markers here; unknown kinds are skipped.
    void DrawItemsToMetafile(const TComExport& list, TMetafile& metafile);
    // The format of a style name (compared in upper case): "CROSSWORD_CHARS" the grid letters,
    // "OPR_TEXT" the clue texts, "SAPPER_CHARS" the sapper texts, any other the default format.
    TDrawnFormat StyleFormat(std::string_view styleName) const;
    // One piece of a picture or text box spanning several cells, drawn at (px, py), showing its
    // part of the whole box; nothing for a piece whose right (bottom) lies before its left (top).
    void DrawFramedPicture(TCanvas& canvas, const std::string& name, const TFramePiece& frame, int px, int py) const;
    void DrawFramedText(TCanvas& canvas, std::string_view text, const TFramePiece& frame, bool wrap,
                        const TDrawnFormat& format, int px, int py) const;
    // A marked-word marker on the cell at (px, py): the other-cell look filled with MarkerColor,
    // nothing while that look is not painted.
    void DrawMarker(TCanvas& canvas, int px, int py) const;
    // The working view: the template's fast view with the letters on top, fixed letters green
    // and the text typed along a path in its cells.
    virtual void DrawToBitmap(TFastDrawParameters parameters, TBitmap& bitmap);

    // --- fields ---

    std::string FileName;
    uint8_t Width = 1;
    uint8_t Height = 1;
    const TCrosswordKind Kind;
    std::unique_ptr<TShablon> Template;
    TWorkDictionary Dictionary;
    TCrosswordWords Words;
    TSpaceSortedList UsedWords;          // every word now standing in a slot
    TDynaUsedWord RelatedUsed;           // words excluded because a related word stands
    TWorkDictionary RelatedDictionary;   // per word, its related words as "; "-separated text
    uint8_t AvoidRelatedWords = 0;
    uint8_t PasteChecksRelated = 0;
    std::string NoStartLetters;          // letters no word may begin with
    uint8_t AvoidStartLetters = 1;       // the kinds' fills ask PutWordAtCoord for the start-letter test
    std::atomic<uint8_t> Running{0};     // 1 while a fill runs; clearing it stops the fill
    uint8_t Interactive = 1;             // questions may be asked while loading a template file
    uint8_t CluesInGrid = 0;
    uint8_t AllCellsHoldLetters = 0;     // words pass through non-letter cells too, whose letters show
    int Unformatted = 0;                 // 1: slots are free cell lists kept in Words
    TCoord FixedCells{MaxSide, MaxSide}; // cells whose letter the user fixed
    TFillParameters FillParameters;
    TCharsCount LetterCounts;
    TSpaceSortedList GivenLetters;
    TSpaceSortedList GivenWords;
    TCrosswordChars Chars;              // the grid letters
    TOprText OprText;                   // clue texts in clue cells
    TFormatParameters OprFormat = DefaultOprFormat();        // the clue text format
    TFormatParameters SapperFormat = DefaultSapperFormat();
    TRTFParameters TextStyle1;          // "~#1" texts of the clue lists
    TRTFParameters TextStyle2 = DefaultEmphasisStyle();  // "~#2" texts
    TAddishenSapperParameters Sapper;
    TCrosswordOutput Output;
    uint8_t Incomplete = 0;              // saved from a fill that did not finish; kept in the file
    std::vector<std::string> UnplacedWords;  // the words the last paste or file load could not place
    // Runs over every item list BuildModeExport makes, and so over every picture and script of
    // the crossword: a look that places items its own way (the print look) sets it; none at first.
    std::function<void(const TCrossword&, TComExport&)> ExportPass;

protected:
    // Pending window messages run every this many passes of a fill (for fills on the window's
    // thread).
    static constexpr int PassesPerMessageRun = 25;

    // Where the fill keeps what it needs between passes; built at the start of a fill.
    struct TFillState;

    static int Index(int x, int y) { return x * MaxSide + y; }
    bool InRect(int slot, int x1, int y1, int x2, int y2) const;
    // The empty slots whose first cell lies in the rectangle, in slot order.
    std::vector<int> EmptySlotsIn(int x1, int y1, int x2, int y2) const;
    // True when a filled slot other than exceptSlot passes through (x, y).
    bool FilledSlotThrough(int x, int y, int exceptSlot) const;
    bool IsFixedCell(int x, int y) const { return FixedCells.IndexOfCell(x, y) >= 0; }
    // The pattern of the cells of slot (-1: a free cell list) into mask.
    void BuildPattern(std::span<const TCell> cells, int slot, TMask& mask) const;
    // PlaceWord along the given cells of slot.
    int PlaceWordOnCells(int slot, std::string_view word, bool checkRelated, std::span<const TCell> cells);
    // RemoveWord with the slot's pattern already known.
    void RemoveWordWithPattern(int slot, const TMask& pattern, std::span<const TCell> cells);
    // The dictionary and related-word bookkeeping of a word entering or leaving the grid.
    void RecordPlacedWord(int slot, std::string_view word);
    void ReleaseRelated(std::string_view word);
    int StartLetterConflict(std::string_view word, std::span<const TCell> cells, int slot, bool wordsSlotsOnly) const;
    // True when cells visit some cell twice and the word has different letters at the two visits.
    bool TwoLettersForOneCell(std::string_view word, std::span<const TCell> cells) const;
    // The fills' first step: CheckFillable; false with errCode = the slot without candidates.
    bool PreCheck(int x1, int y1, int x2, int y2, int& errCode) const;
    // Whole seconds since startTick.
    static int ElapsedSeconds(uint32_t startTick);
    // The check at the top of every pass of a fill: Stopped when Running was cleared, TimeLimit
    // once timeLimit whole seconds (0: none) or FillParameters.TimeLimitMs milliseconds (0: none)
    // have passed since startTick, else 0.
    int StopCode(uint32_t startTick, int timeLimit) const;

    // The fill's own placing, pattern and removal: straight on the grid and the slot graph for
    // a kind that KeepsBasePlacement, through the kind's virtual operations otherwise.
    void StartFillState(TFillState& state) const;
    void FillPattern(TFillState& state, int slot, TMask& mask) const;
    int FillPlace(TFillState& state, int slot, std::string_view word);
    void FillRemove(TFillState& state, int slot);
    // The slots crossing slot, once per shared cell.
    std::span<const int> FillCrossing(TFillState& state, int slot) const;
    // The grid with levelSlots placed by the search is its deepest yet: SaveState into result,
    // or on the fast path kept in the fill state until FinishDeepest writes it there.
    void SaveDeepest(TFillState& state, std::span<const int> levelSlots, TFillResult& result) const;
    void FinishDeepest(const TFillState& state, TFillResult& result) const;

    // The backtracking fill's steps, on the fill state.
    int MostConstrainedSlot(TFillState& state, TWordVariant& variant, const std::vector<int>& pending);
    void MarkCrossingForRecount(TFillState& state, TWordVariant& variant, int slot) const;
    // The candidate store of level r of the backtracking fill, made when a fill first gets there.
    TFindSpecial& LevelStore(int r);
    // The word-list methods' preparation: the list sorted by the number of fitting slots.
    bool PrepareWordList(std::vector<std::string>& list, int& errCode) const;
    // The word-list methods' first step: the pre-check, then PrepareWordList.
    bool StartWordList(int x1, int y1, int x2, int y2, std::vector<std::string>& words, int& errCode) const;
    // The word-list methods' last step: the backtracking fill of the rest, keeping the larger
    // partial fill in result; on failure the grid goes back to the list words alone.
    bool FillAfterList(int x1, int y1, int x2, int y2, int& errCode, TFillResult& result);
    // The empty slots of the rectangle that word fits.
    std::vector<int> ListWordCandidates(std::string_view word, int x1, int y1, int x2, int y2) const;
    // True when every empty slot crossing slot still has a candidate.
    bool CrossingSlotsFillable(int slot) const;
    // The propagating fill's index of Dictionary's words, made again only when the dictionary
    // changed since the last fill.
    const TWordIndex& WordIndex();

private:
    std::vector<std::string> mCells;  // 200 x 200 cell texts, [x][y]
    // Candidate stores of the backtracking fill's levels, kept between fills.
    std::vector<std::unique_ptr<TFindSpecial>> mStores;
    std::unique_ptr<TWordIndex> mWordIndex;
};
