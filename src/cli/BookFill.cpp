#include "BookFill.h"

#include "crossword/Crossword.h"
#include "platform/Clock.h"
#include "platform/SerialUi.h"

#include <algorithm>
#include <condition_variable>
#include <mutex>
#include <ostream>
#include <sstream>
#include <thread>
#include <unordered_set>

namespace {

// The steps of a puzzle, each drawing from a random stream of its own.
enum class TStep : uint32_t { Fill = 0, Repair = 1, Define = 2 };
// How far round its clashing answers a settled puzzle is filled again: the clashing slots, then
// with the slots crossing them, then with the slots crossing those.
constexpr int RepairRings = 3;
// Whole fills a puzzle tries, each with a fresh template pick and stream, before the book fails.
constexpr int FillAttempts = 3;

// The seed of one step of one puzzle (attempt: its try), spread over 32 bits (SplitMix64) so that
// neighbouring puzzles draw unrelated numbers.
uint32_t StepSeed(uint32_t seed, int puzzle, TStep step, int attempt = 0) {
    uint64_t z = (uint64_t{seed} << 32) + static_cast<uint64_t>(puzzle) * 64 + static_cast<uint32_t>(step) * 16 +
                 static_cast<uint64_t>(attempt) + 0x9E3779B97F4A7C15ull;
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return static_cast<uint32_t>(z ^ (z >> 31));
}

using TAnswers = std::unordered_set<std::string>;

std::vector<std::string> AnswersOf(const TCrossword& crossword) {
    std::vector<std::string> answers;
    for (int i = 0; i < crossword.Words.Count(); ++i)
        if (crossword.Words.SlotFilled(i)) answers.emplace_back(crossword.Words.SlotWord(i));
    return answers;
}

void Avoid(TCrossword& crossword, const TAnswers& answers) {
    for (const std::string& answer : answers) crossword.Dictionary.SetCategoryOf(answer, WordCategory::Unavailable);
}

// The slots and, rings times over, the slots crossing them.
std::vector<int> WithCrossings(const TCrossword& crossword, std::vector<int> slots, int rings) {
    for (int ring = 0; ring < rings; ++ring) {
        const std::size_t known = slots.size();
        for (std::size_t i = 0; i < known; ++i)
            for (const int crossing : crossword.CrossingSlots(slots[i]))
                if (std::find(slots.begin(), slots.end(), crossing) == slots.end()) slots.push_back(crossing);
    }
    return slots;
}

class TBookFill {
public:
    TBookFill(const TFillJob& job, const TOptionParser& parser, int count, uint32_t seed, const TBookHooks& hooks)
        : mJob(job), mParser(parser), mSeed(seed), mHooks(hooks), mPuzzles(count) {}

    TBookResult Run(int jobs, std::vector<TBookPuzzle>& puzzles, std::ostream& err);

private:
    enum class TState : uint8_t { Waiting, Filling, Filled, Settling, Settled, Defining, Done };

    struct TPuzzle {
        TState State = TState::Waiting;
        std::unique_ptr<TCrossword> Crossword;
        TFillOutcome Outcome;
        std::vector<std::string> Answers;  // once settled
        std::string Complaint;
        TBookResult Result = TBookResult::Filled;
    };

    void Work();
    // The answers of the settled puzzles first .. last - 1; under the lock.
    TAnswers SettledAnswers(int first, int last) const;
    // The steps, run without the lock on a puzzle no other thread touches meanwhile.
    void FillPuzzle(int k, const TAnswers& avoid, int firstAttempt);
    void SettlePuzzle(int k, const TAnswers& between, const TAnswers& earlier);
    bool Repair(TPuzzle& puzzle, int k, const TAnswers& clashes, const TAnswers& earlier);
    void DefinePuzzle(int k);

    const TFillJob& mJob;
    const TOptionParser& mParser;
    const uint32_t mSeed;
    const TBookHooks& mHooks;
    std::vector<TPuzzle> mPuzzles;
    std::mutex mMutex;
    std::condition_variable mChanged;
    int mSettled = 0;   // puzzles 0 .. mSettled - 1 are settled
    int mRunning = 0;   // steps running
    bool mFailed = false;
};

TAnswers TBookFill::SettledAnswers(int first, int last) const {
    TAnswers answers;
    for (int i = std::max(first, 0); i < last; ++i) answers.insert(mPuzzles[i].Answers.begin(), mPuzzles[i].Answers.end());
    return answers;
}

void TBookFill::FillPuzzle(int k, const TAnswers& avoid, int firstAttempt) {
    TPuzzle& puzzle = mPuzzles[k];
    std::ostringstream complaint;
    for (int attempt = firstAttempt; attempt < FillAttempts; ++attempt) {
        const ScopedRandomStream stream(StepSeed(mSeed, k, TStep::Fill, attempt));
        auto crossword = mJob.Prepare(complaint);
        TFillOutcome outcome;
        if (!crossword || (Avoid(*crossword, avoid), !mJob.Run(*crossword, mParser, outcome, complaint))) {
            puzzle.Result = TBookResult::BadInput;
            puzzle.Complaint = complaint.str();
            return;
        }
        puzzle.Crossword = std::move(crossword);
        puzzle.Outcome = outcome;
        if (outcome.Filled) return;
    }
    puzzle.Result = TBookResult::NotFilled;
    puzzle.Complaint = "crossgen: puzzle " + std::to_string(k + 1) + " could not be filled (error " +
                       std::to_string(puzzle.Outcome.ErrCode) + "): " + puzzle.Outcome.Failure + "\n";
}

bool TBookFill::Repair(TPuzzle& puzzle, int k, const TAnswers& clashes, const TAnswers& earlier) {
    TCrossword& crossword = *puzzle.Crossword;
    if (crossword.Template->GetWordLayout() != 0 || crossword.Unformatted) return false;
    std::vector<int> clashing;
    for (int i = 0; i < crossword.Words.Count(); ++i)
        if (crossword.Words.SlotFilled(i) && clashes.contains(std::string(crossword.Words.SlotWord(i))))
            clashing.push_back(i);
    const ScopedRandomStream stream(StepSeed(mSeed, k, TStep::Repair));
    for (int rings = 0; rings < RepairRings; ++rings) {
        for (const int slot : WithCrossings(crossword, clashing, rings))
            if (crossword.Words.SlotFilled(slot)) crossword.RemoveWord(slot);
        // Taking a word out gives it back its category; the earlier answers stay out of reach.
        Avoid(crossword, earlier);
        int errCode = 0;
        TFillResult best;
        if (crossword.Fill(0, 0, crossword.Width, crossword.Height, false, errCode, best)) return true;
    }
    return false;
}

void TBookFill::SettlePuzzle(int k, const TAnswers& between, const TAnswers& earlier) {
    TPuzzle& puzzle = mPuzzles[k];
    TAnswers clashes;
    for (const std::string& answer : AnswersOf(*puzzle.Crossword))
        if (between.contains(answer)) clashes.insert(answer);
    if (!clashes.empty() && !Repair(puzzle, k, clashes, earlier)) {
        FillPuzzle(k, earlier, 1);
        if (puzzle.Result != TBookResult::Filled) return;
    }
    puzzle.Answers = AnswersOf(*puzzle.Crossword);
}

void TBookFill::DefinePuzzle(int k) {
    TPuzzle& puzzle = mPuzzles[k];
    const ScopedRandomStream stream(StepSeed(mSeed, k, TStep::Define));
    mJob.Finish(*puzzle.Crossword, puzzle.Outcome);
    if (mHooks.Made) mHooks.Made(k, *puzzle.Crossword);
}

void TBookFill::Work() {
    const int count = static_cast<int>(mPuzzles.size());
    std::unique_lock lock(mMutex);
    for (;;) {
        // The next puzzle to settle comes first: every later step waits for it.
        int settle = -1, define = -1, fill = -1;
        if (!mFailed) {
            if (mSettled < count && mPuzzles[mSettled].State == TState::Filled) settle = mSettled;
            for (int k = 0; k < mSettled && define < 0; ++k)
                if (mPuzzles[k].State == TState::Settled) define = k;
            for (int k = mSettled; k < std::min(count, mSettled + BookWindow) && fill < 0; ++k)
                if (mPuzzles[k].State == TState::Waiting) fill = k;
        }
        if (settle < 0 && define < 0 && fill < 0) {
            // Nothing to start: the book is made (or has failed) once nothing runs, else a step
            // that runs will make more to do.
            const bool made = std::all_of(mPuzzles.begin(), mPuzzles.end(),
                                          [](const TPuzzle& p) { return p.State == TState::Done; });
            if (mRunning == 0 && (made || mFailed)) {
                mChanged.notify_all();
                return;
            }
            mChanged.wait(lock);
            continue;
        }
        ++mRunning;
        if (settle >= 0) {
            mPuzzles[settle].State = TState::Settling;
            const TAnswers between = SettledAnswers(settle - BookWindow + 1, settle);
            const TAnswers earlier = SettledAnswers(0, settle);
            lock.unlock();
            SettlePuzzle(settle, between, earlier);
            lock.lock();
            TPuzzle& puzzle = mPuzzles[settle];
            puzzle.State = TState::Settled;
            mFailed = mFailed || puzzle.Result != TBookResult::Filled;
            if (!mFailed) {
                ++mSettled;
                if (mHooks.Progress) mHooks.Progress(mSettled);
            }
        } else if (define >= 0) {
            mPuzzles[define].State = TState::Defining;
            lock.unlock();
            DefinePuzzle(define);
            lock.lock();
            mPuzzles[define].State = TState::Done;
        } else {
            mPuzzles[fill].State = TState::Filling;
            const TAnswers avoid = SettledAnswers(0, fill - BookWindow + 1);
            lock.unlock();
            FillPuzzle(fill, avoid, 0);
            lock.lock();
            mPuzzles[fill].State = TState::Filled;
            mFailed = mFailed || mPuzzles[fill].Result != TBookResult::Filled;
        }
        --mRunning;
        mChanged.notify_all();
    }
}

TBookResult TBookFill::Run(int jobs, std::vector<TBookPuzzle>& puzzles, std::ostream& err) {
    // The engine reports and lets messages run from every thread.
    const ScopedSerialUi serialUi;
    std::vector<std::thread> helpers;
    for (int i = 1; i < jobs; ++i) helpers.emplace_back([this] { Work(); });
    Work();
    for (std::thread& helper : helpers) helper.join();

    puzzles.clear();
    for (const TPuzzle& puzzle : mPuzzles)
        if (puzzle.Result != TBookResult::Filled) {
            err << puzzle.Complaint;
            return puzzle.Result;
        }
    for (TPuzzle& puzzle : mPuzzles) puzzles.push_back({std::move(puzzle.Crossword), puzzle.Outcome});
    return TBookResult::Filled;
}

}  // namespace

TBookResult FillBook(const TFillJob& job, const TOptionParser& parser, int count, int jobs, uint32_t seed,
                     std::vector<TBookPuzzle>& puzzles, std::ostream& err, const TBookHooks& hooks) {
    TBookFill book(job, parser, count, seed, hooks);
    return book.Run(std::max(jobs, 1), puzzles, err);
}
