#pragma once

// TGame: the game object. It holds the puzzle being played (the shards' letters, where each
// shard lies, the shard being dragged), the geometry of the board and the tray, the clock, the
// rating and the tournament table, and applies the rules of play.
//
// The board is a field of 16 x 16 cells of 24 pixels; the crossword is centred in it. Board slots
// hold cell positions within that field, tray slots hold pixel positions. Shard ids are
// column-major: the shard cut from shard column c and shard row r has id c * ShardRows + r.

#include "crossword/Crossword.h"
#include "game/Sizes.h"
#include "game/UsedWordHistory.h"
#include "gfx/BrevCollections.h"
#include "gfx/LettersCollection.h"
#include "gfx/ScreenLayout.h"
#include "gfx/SurfaceCollection.h"
#include "platform/IndexCollection.h"
#include "platform/Process.h"

#include <array>
#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

constexpr int MaxShardCols = 5;
constexpr int MaxShardRows = 5;
constexpr int MaxShards = MaxShardCols * MaxShardRows;
constexpr int MaxShardSide = 4;
constexpr int TournamentSize = 21;
constexpr int GlowFloor = -12;  // the deepest glow of a board slot under a resting mouse

enum TScreen : uint8_t {
    ScreenSimpleMenu = 0,
    ScreenRatingMenu = 1,
    ScreenGenerating = 2,
    ScreenPlay = 3,
};

// The two sounds, by their position in the main window's wave list.
enum class TSound {
    ReturnBlock = 0,  // a dragged shard dropped where it cannot go
    BlockSet = 1,     // a dragged shard dropped into a slot
};

// One board or tray slot: a cell position (board) or a pixel position (tray).
struct TShardSlot {
    int32_t X = 0;
    int32_t Y = 0;
    int16_t Shard = -1;  // -1: empty
};

// One row of the tournament table.
struct TTournamentEntry {
    uint8_t W = 0, H = 0;  // template size in cells
    uint8_t w = 0, h = 0;  // shard size in cells
    int32_t Seconds = 0;   // playing time of a won game
    int32_t Points = 0;    // 0 while unplayed; -1 for a game not won or won too slowly
    int32_t Order = 0;     // position in the order of play, -1 while unplayed
    bool Hard = false;     // the HARD option the entry was played with

    bool Played() const { return Order >= 0; }
};

struct TBoardHit {
    bool Inside = false;
    int C = 0, R = 0;    // board slot
    int DX = 0, DY = 0;  // point relative to the slot's top-left pixel
};

struct TTrayHit {
    bool Hit = false;
    int C = 0, R = 0;    // tray slot
    int Shard = -1;      // the shard in the slot, -1 when empty or nothing hit
    int DX = 0, DY = 0;  // point relative to the slot's top-left pixel
};

// How DrawShard draws a shard: as tiles with letters, or as the hint's marks of letter cells.
enum class TShardStyle { Normal, Hint };

enum class TPutKind {
    Board,          // into board slot (c, r); its occupant moves to the first free tray slot
    Tray,           // into tray slot (c, r); its occupant moves to the first free tray slot
    FirstFreeTray,  // into the first empty tray slot in reading order
};

// How the last puzzle was made (figures for benchmarks and tests).
struct TPuzzleMaking {
    int Fills = 0;          // fills run: one or two methods for each template tried
    int TimedOut = 0;       // fills that ran out of their time budget
    int WordsReleased = 0;  // used words handed back to the dictionary
};

template <typename T>
using TSlotGrid = std::array<std::array<T, MaxShardRows>, MaxShardCols>;  // [column][row]

using TShardCells = std::array<std::array<char, MaxShardSide>, MaxShardSide>;  // [column][row]

class TGame {
public:
    // Creates the classic crossword and loads the dictionary "dic1.wdi" from dictionaryDir.
    explicit TGame(std::string dictionaryDir = ExecutableDir());
    // Stops a running fill first.
    ~TGame();
    TGame(const TGame&) = delete;
    TGame& operator=(const TGame&) = delete;

    // --- a new puzzle ---

    // The template size chosen in the current menu.
    TSize GetCrossSize() const;
    // The shard size chosen in the current menu.
    TSize GetShardSize() const;
    // Stores the HARD option and loads its dictionary into the crossword.
    void SetHard(bool on);
    // Picks a stored template of W x H at random and starts filling it on the fill thread. A
    // search that runs out of its time budget gives way to the propagating method and then to
    // the size's other templates; as the words used by earlier puzzles run low, the oldest of
    // them are used again.
    bool CreatePuzzle(int W, int H);
    // Starts the fill thread, or stops it and waits for it (its completion then runs at once).
    void SetFilling(bool on);
    // The fill thread's completion, on the window's thread.
    void OnFillDone();
    // Reads the filled grid's letters into the shards and deals them into the tray.
    void CutAndScatter();
    // True when a filled puzzle of the template size and level chosen in the current menu is
    // ready to be played.
    bool PuzzleFitsChoice() const;
    // A new game of the filled crossword in w x h shards. False, and nothing changes, unless
    // PuzzleFitsChoice and w x h divides the chosen template size.
    bool StartGame(int w, int h);

    // --- geometry and the rules of play ---

    // Start-of-game state for a W x H crossword cut into w x h shards.
    void SetupGeometry(int W, int H, int w, int h);
    // Places every tray slot at its pixel position (when shards are dealt or a game is loaded).
    void LayoutTray();
    // Lays out the tray and deals shards 0 .. NC * NR - 1 into it in random order.
    void DealShards();
    // Every board slot at its cell position and empty.
    void ResetBoard();
    TBoardHit BoardHit(int x, int y) const;
    TTrayHit TrayHit(int x, int y) const;
    // Removes shard id from whichever board or tray slot holds it.
    void TakeShard(int id);
    void PutShard(int id, int c, int r, TPutKind kind);

    // A mouse press on the play screen: picks up the shard under (x, y), if any.
    void PickUp(int x, int y);
    // A left-button release on the play screen while dragging: drops the shard at (x, y).
    void Drop(int x, int y);
    // Returns the dragged shard to the first free tray slot, silently.
    void CancelDrag();

    // Moves the board's shards by one slot with wrap-around; (dx, dy) is one of the four unit steps.
    void ShiftBoard(int dx, int dy);
    // Returns every board shard to the tray through tray slot (0, 0).
    void ClearBoard();
    // Shows the solution and ends the game, not won.
    void GiveUp();
    // Ends the game as won when every board slot holds its own shard.
    void CheckSolved();
    // The per-frame step: the glow of the board slot under the mouse. True when a glow changed.
    bool Step();

    // Pixel position of board slot (c, r)'s top-left corner.
    int BoardSlotLeft(int c) const { return OriginX + CellPixels * Board[c][0].X; }
    int BoardSlotTop(int r) const { return OriginY + CellPixels * Board[0][r].Y; }

    // --- screens ---

    // The simple-game menu's controls and buttons, built afresh.
    void BuildSimpleMenu();
    // The rating-game menu's controls and buttons, built afresh ("SIZE" is filled later).
    void BuildRatingMenu();
    // The play screen's buttons, built afresh; the menu's controls stay but are not used.
    void BuildPlayButtons();
    // Shows screen s: sets Screen and the states and images of its buttons.
    void SetScreen(TScreen screen);
    // Marks the generated puzzle ready or not and updates the buttons that depend on it.
    void SetReady(bool ready);
    // Fills the "BLOCKSIZE" selector, if present, with the shard sizes of W x H and chooses the first.
    void FillShardSizes(int W, int H);
    // Keeps the simple menu's template and shard sizes in LastSize.
    void RememberSizes();

    // Draws a menu screen (the two menus and the generating screen) onto the whole target.
    void DrawMenu(TDirectDrawSurface& target) const;
    // Draws the play screen onto the whole target.
    void DrawPlay(TDirectDrawSurface& target) const;
    void DrawShard(TDirectDrawSurface& target, int x, int y, TShardStyle style, int id) const;
    void DrawBoard(TDirectDrawSurface& target) const;
    void DrawTray(TDirectDrawSurface& target) const;
    void DrawHint(TDirectDrawSurface& target) const;
    // One frame of the victory spiral at phase m (-49 .. 50, not 0).
    void DrawVictory(TDirectDrawSurface& target, int m) const;
    // The tournament table with its top-left corner at (x0, y0).
    void DrawResults(TDirectDrawSurface& target, int x0, int y0) const;

    // --- points and the tournament table ---

    // Rating points a game of n shards is worth at rating r.
    static int PointsFor(int rating, int shardCount, bool hard);
    // True for the template and shard sizes a tournament entry can have.
    static bool IsTournamentSize(int W, int H, int w, int h);
    void InitTournament();
    // The "SIZE" selector offers the unplayed entries, the first one chosen.
    void FillSizeList();
    // The first entry of these sizes (and unplayed, when asked); -1 if none.
    int FindTournamentEntry(int W, int H, int w, int h, bool unplayedOnly) const;
    // The index of the first unplayed entry; -1 when all are played.
    int PlayedCount() const;
    void SortTournament();
    // Marks the tournament entry of the game being started as played (not won yet).
    void MarkTournamentEntry();
    // Records a won rating game in its tournament entry and the rating.
    void RecordResult();

    // --- saved games and tournament files ---

    // The bytes of a saved game of the running game.
    std::string SaveGameText() const;
    // Restores a saved game; on a text that is not one, says so and changes nothing.
    bool LoadSaved(std::string_view text);
    // Writes the tournament table to TournamentFile; false (reported) when it cannot.
    bool WriteTournament();
    // Reads and checks TournamentFile into the table and the rating; a broken file is reported
    // and changes nothing.
    bool ReadTournament();

    // Seconds of play so far (or of the whole game once it is over), in tenths.
    uint32_t ElapsedTenths() const;
    // What the time-driven parts of the current screen show (the running clock, the victory
    // spiral's phase): when it changes, the screen needs a new frame.
    uint32_t TimeShown() const;

    // How the last puzzle was made; read while no fill runs.
    const TPuzzleMaking& LastMaking() const { return mMaking; }

    // Plays a sound; set by the main window (tests record the calls).
    std::function<void(TSound)> PlaySound;

    // --- state ---
    std::unique_ptr<TCrossword> Crossword;  // the classic crossword every puzzle is filled in
    TIndexCollection Templates;              // the template texts of "templates.col"
    std::thread FillThread;                  // runs the fill while Filling
    TSurfaceSortCollection Surfaces;  // the images of "graph.col" by name; empty until loaded
    TLettersCollection Letters;       // the glyph sets of "font.col"
    TBrevButtonCollection Buttons;    // the buttons of the current screen
    TBrevControlCollection Controls;  // the selectors and the check box of the current menu
    bool Hard = false;
    TScreen Screen = ScreenSimpleMenu;
    bool Filling = false;
    bool PuzzleReady = false;
    bool PuzzleHard = false;  // the level the crossword was last filled at
    uint8_t CrossWidth = 0, CrossHeight = 0;
    uint8_t ShardWidth = 0, ShardHeight = 0;
    int32_t OriginX = 0, OriginY = 0;
    uint8_t OffsetCol = 0, OffsetRow = 0;
    uint8_t ShardCols = 0, ShardRows = 0;
    uint32_t StartTick = 0, EndTick = 0;
    bool GameOver = false, Won = false, HintUsed = false;
    int32_t MaxPoints = 0;
    TSlotGrid<int32_t> Glow{};
    int32_t MouseX = -1, MouseY = -1;
    bool Dragging = false;
    uint8_t DragShard = 0;
    int32_t DragDX = 0, DragDY = 0;
    TSlotGrid<TShardSlot> Tray{};
    std::array<TShardCells, MaxShards> ShardLetters{};
    TSlotGrid<TShardSlot> Board{};
    std::array<uint8_t, 4> LastSize{};  // template W, H and shard w, h last chosen in the simple menu
    std::array<TTournamentEntry, TournamentSize> Tournament{};
    bool SimpleMode = true;
    int32_t Rating = 0;
    std::string TournamentFile;

private:
    void Play(TSound sound) const;
    // Joins the finished (or stopped) fill thread and runs its completion.
    void FinishFill();
    // The fill thread's work: fills the loaded template, moving on through mCandidates and
    // handing used words back as needed. True when the grid is filled.
    bool MakePuzzle();
    // One fill of the loaded template with the method within budgetMs: 0 when the grid is
    // filled (its words recorded), else the fill's error code with the grid cleared again.
    int FillLoaded(TFillMethod method, int budgetMs);
    // Before a fill of the loaded template: hands back the oldest used words of each of its
    // word lengths that fell below its reserve. The number of words the dictionary offers again.
    int KeepWordReserve();

    std::shared_ptr<bool> mAlive;          // lets a queued completion see that the game is gone
    std::atomic<bool> mFillResult{false};  // the fill's result, written by the fill thread
    std::atomic<bool> mFillEnded{true};    // set by the fill thread as its last step
    std::atomic<bool> mStopFill{false};    // the player stopped the fill
    std::atomic<bool> mFillHopeless{false};  // no template of the size could be filled at all
    int mFillGeneration = 0;               // which fill a queued completion belongs to
    std::string mDictionaryDir;
    // The template texts of the size being made, the loaded one first; the fill thread's alone
    // while Filling, as are mUsedWords and mMaking.
    std::vector<std::string> mCandidates;
    TUsedWordHistory mUsedWords;
    TPuzzleMaking mMaking;
};
