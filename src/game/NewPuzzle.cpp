// Making a new puzzle: choosing a template of the asked size, filling it on a worker thread,
// cutting the filled grid into shards and dealing them.

#include "Game.h"

#include "Sizes.h"
#include "crossword/CrosswordFactory.h"
#include "dictionary/LetterCase.h"
#include "platform/Clock.h"
#include "platform/MainThread.h"
#include "platform/Process.h"
#include "platform/Text.h"
#include "platform/Ui.h"
#include "template/ShablonWords.h"

#include <chrono>
#include <algorithm>

namespace {

// A stored template text begins "SHABLON  " and its kind; the width and height characters
// follow at these positions.
constexpr std::string_view TemplatePrefix = "SHABLON  ";
constexpr std::size_t WidthCharAt = 10, HeightCharAt = 11;

// Each method gets this long on one template before the next is tried: the search fills a game
// template in a millisecond or, now and then, wanders for seconds. When every template of the
// size ran out of its time and no used word can come back, the budget grows tenfold up to
// LastBudgetMs before the size is given up.
constexpr int FirstBudgetMs = 10;
constexpr int BudgetGrowth = 10;
constexpr int LastBudgetMs = 1000;
// Before a fill, every word length of the template keeps this share (percent) of the
// dictionary's words of the length on offer, and at least ReserveWordsPerSlot for each slot of
// the length: the oldest used words come back as the newest go out.
constexpr int ReservePercent = 50;
constexpr int ReserveWordsPerSlot = 10;

// What the player reads when no template of the size can be filled at all.
constexpr std::string_view NoPuzzleMessage =
    "Не удалось создать кроссворд: ни один шаблон этого размера из templates.col не заполняется словами словаря."_cp;

// True when the classic template reader takes text (after the prefix) without a message: its
// kind and a cell byte for every cell its header names. The fill thread, which may show no
// message, loads only such texts.
bool ReadsQuietly(std::string_view text) {
    return text.size() >= 3 && SmallNumberOf(text[0]) == static_cast<int>(TShablonKind::Classic) &&
           text.size() >= 3 + static_cast<std::size_t>(SmallNumberOf(text[1]) * SmallNumberOf(text[2]));
}

}  // namespace

TGame::TGame(std::string dictionaryDir)
    : Crossword(CreateCrossword(static_cast<int>(TCrosswordKind::Classic))),
      mAlive(std::make_shared<bool>(true)),
      mDictionaryDir(std::move(dictionaryDir)) {
    Crossword->Interactive = 0;
    SetHard(false);
}

TGame::~TGame() {
    SetFilling(false);
}

TSize TGame::GetCrossSize() const {
    const TBrevSelector* selector = Controls.FindSelector(SimpleMode ? "CROSSSIZE" : "SIZE");
    return ParseTemplateSize(selector ? selector->Value() : std::string());
}

TSize TGame::GetShardSize() const {
    const TBrevSelector* selector = Controls.FindSelector(SimpleMode ? "BLOCKSIZE" : "SIZE");
    return ParseShardSize(selector ? selector->Value() : std::string());
}

void TGame::SetHard(bool on) {
    Hard = on;
    const std::string_view name = on ? "dic2.wdi" : "dic1.wdi";
    if (Crossword->LoadDictionary(mDictionaryDir + "/" + std::string(name)))
        mUsedWords.MarkUnavailable(*Crossword);
    else
        TheUi().Message(on ? "Отсутствует необходимый словарь dic2.wdi!"_cp : "Отсутствует необходимый словарь dic1.wdi!"_cp);
}

bool TGame::CreatePuzzle(int W, int H) {
    if (Filling) return false;
    std::vector<std::string> candidates;
    for (int i = 0; i < Templates.Count(); ++i) {
        std::string text = Templates.EntryText(i);
        if (text.size() <= HeightCharAt || text[WidthCharAt] != static_cast<char>('0' + W) ||
            text[HeightCharAt] != static_cast<char>('0' + H))
            continue;
        if (text.starts_with(TemplatePrefix)) text.erase(0, TemplatePrefix.size());
        candidates.push_back(std::move(text));
    }
    if (candidates.empty()) {
        TheUi().Message("Отсутствует шаблон необходимого размера!"_cp);
        return false;
    }
    try {
        Crossword->SetWidth(W);
        Crossword->SetHeight(H);
        const auto chosen = candidates.begin() + RandomInt(static_cast<int>(candidates.size()));
        if (!Crossword->Template->ParseTemplate(*chosen, 0, 0)) throw std::runtime_error("template");
        Crossword->PrepareForFill();
        // The fill thread moves on to the others in random order.
        mCandidates.assign(1, std::move(*chosen));
        candidates.erase(chosen);
        while (!candidates.empty()) {
            const auto next = candidates.begin() + RandomInt(static_cast<int>(candidates.size()));
            if (ReadsQuietly(*next)) mCandidates.push_back(std::move(*next));
            candidates.erase(next);
        }
        PuzzleHard = Hard;
        SetFilling(true);
        return true;
    } catch (...) {
        TheUi().Message("Ошибка создания кроссворда!"_cp);
        return false;
    }
}

void TGame::SetFilling(bool on) {
    if (on == Filling) return;
    if (on) {
        Filling = true;
        const int generation = ++mFillGeneration;
        mFillResult = false;
        mFillEnded = false;
        mStopFill = false;
        mFillHopeless = false;
        FillThread = std::thread([this, generation, alive = std::weak_ptr<bool>(mAlive)] {
            bool result = false;
            try {
                result = MakePuzzle();
            } catch (...) {
                result = false;
            }
            mFillResult = result;
            mFillEnded = true;
            // The game may be gone, or the fill already stopped and handled, by the time this runs.
            PostToMainThread([this, generation, alive] {
                if (alive.lock() && Filling && generation == mFillGeneration) FinishFill();
            });
        });
        return;
    }
    // Filling stays set until OnFillDone. Each fill raises Running when it starts, so a stop
    // that came before that is repeated.
    mStopFill = true;
    while (!mFillEnded) {
        Crossword->Running = 0;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    FinishFill();
}

void TGame::FinishFill() {
    if (FillThread.joinable()) FillThread.join();
    OnFillDone();
}

bool TGame::MakePuzzle() {
    TCrossword& crossword = *Crossword;
    mMaking = {};
    int budgetMs = FirstBudgetMs;
    std::size_t loaded = 0;  // CreatePuzzle loaded the first candidate
    std::size_t failedInARow = 0;
    bool anyTimedOut = false;  // since the last round over every template
    while (!mStopFill) {
        mMaking.WordsReleased += KeepWordReserve();
        int errCode = FillLoaded(TFillMethod::Backtrack, budgetMs);
        // A search that wanders gives way to the propagating method, which rarely does.
        if (errCode == FillError::TimeLimit) errCode = FillLoaded(TFillMethod::Propagate, budgetMs);
        if (errCode == 0) return true;
        if (errCode == FillError::Stopped) return false;
        anyTimedOut = anyTimedOut || errCode == FillError::TimeLimit;
        if (++failedInARow >= mCandidates.size()) {
            // Every template failed: the words left may be too few to fit together, so the older
            // half of every length comes back; with none to give back, the fills get more time
            // unless every last try searched to its end without a fill.
            failedInARow = 0;
            const int released = mUsedWords.ReleaseOlderHalf(crossword);
            mMaking.WordsReleased += released;
            if (released == 0) {
                if (!anyTimedOut || budgetMs >= LastBudgetMs) {
                    mFillHopeless = true;
                    return false;
                }
                budgetMs = std::min(budgetMs * BudgetGrowth, LastBudgetMs);
            }
            anyTimedOut = false;
        }
        if (mCandidates.size() > 1) {
            loaded = (loaded + 1) % mCandidates.size();
            if (!crossword.Template->ParseTemplate(mCandidates[loaded], 0, 0)) return false;
            crossword.PrepareForFill();
        }
    }
    return false;
}

int TGame::FillLoaded(TFillMethod method, int budgetMs) {
    TCrossword& crossword = *Crossword;
    crossword.FillParameters.FillMethod = method;
    crossword.FillParameters.TimeLimitMs = budgetMs;
    int errCode = 0;
    TFillResult best;
    ++mMaking.Fills;
    if (crossword.Fill(0, 0, crossword.Width, crossword.Height, false, errCode, best)) {
        mUsedWords.Record(crossword);
        return 0;
    }
    // The words of an unfinished fill are free again.
    crossword.ClearWords(0, 0, crossword.Width, crossword.Height, true);
    if (errCode == FillError::TimeLimit) ++mMaking.TimedOut;
    return errCode == 0 ? FillError::Exhausted : errCode;
}

int TGame::KeepWordReserve() {
    TCrossword& crossword = *Crossword;
    std::array<int, MaxWordCells + 1> slots{};
    for (int i = 0; i < crossword.Words.Count(); ++i) {
        const int cells = crossword.Words.WordLength(i);
        if (cells >= 0 && cells <= MaxWordCells) ++slots[cells];
    }
    const TWorkDictionary& dictionary = crossword.Dictionary;
    int released = 0;
    for (int cells = MinWordCells; cells <= MaxWordCells; ++cells) {
        if (slots[cells] == 0) continue;
        const int words = dictionary.LengthIndex(cells + 1) - dictionary.LengthIndex(cells);
        const int reserve = std::max(slots[cells] * ReserveWordsPerSlot, words * ReservePercent / 100);
        if (mUsedWords.Count(cells) > 0) released += mUsedWords.Release(crossword, cells, reserve);
    }
    return released;
}

void TGame::OnFillDone() {
    SetReady(mFillResult);
    Filling = false;
    SetScreen(SimpleMode ? ScreenSimpleMenu : ScreenRatingMenu);
    if (mFillHopeless) TheUi().Message(NoPuzzleMessage);
}

void TGame::CutAndScatter() {
    for (int sc = 0; sc < ShardCols; ++sc)
        for (int sr = 0; sr < ShardRows; ++sr) {
            TShardCells& cells = ShardLetters[sc * ShardRows + sr];
            for (int cx = 0; cx < ShardWidth; ++cx)
                for (int cy = 0; cy < ShardHeight; ++cy) {
                    const int x = sc * ShardWidth + cx, y = sr * ShardHeight + cy;
                    const std::string& text = Crossword->CellText(x, y);
                    const bool letter = Crossword->Template->IsLetterCell(x, y) && !text.empty();
                    cells[cx][cy] = letter ? UpperLetter(text[0]) : '*';
                }
        }
    DealShards();
}

bool TGame::PuzzleFitsChoice() const {
    const TSize size = GetCrossSize();
    return PuzzleReady && !Filling && PuzzleHard == Hard && Crossword->Width == size.Width &&
           Crossword->Height == size.Height;
}

bool TGame::StartGame(int w, int h) {
    const TSize size = GetCrossSize();
    if (!PuzzleFitsChoice() || !IsShardSizeFor(size.Width, size.Height, w, h)) return false;
    SetupGeometry(size.Width, size.Height, w, h);
    CutAndScatter();
    ResetBoard();
    return true;
}
