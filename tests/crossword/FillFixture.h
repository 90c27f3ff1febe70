#pragma once

// Helpers of the fill tests: small grids and word lists, an independent check of a filled grid,
// and Uis that let a test step in at the fill's message runs.

#include "CrosswordFixture.h"

#include "platform/Clock.h"

#include <functional>
#include <future>
#include <random>
#include <set>
#include <thread>

// rows rows of three separate 3-letter slots, block rows between them.
inline GridPicture Comb(int rows) {
    GridPicture grid;
    for (int r = 0; r < rows; ++r) {
        if (r > 0) grid.push_back("###########");
        grid.push_back("...#...#...");
    }
    return grid;
}

// 40 three-letter words.
inline std::vector<std::string> CombWords() {
    std::vector<std::string> words;
    for (const char* first : {"б", "в", "г", "д"})
        for (const char* middle : {"а", "о"})
            for (const char* last : {"к", "л", "м", "н", "р"}) words.push_back(std::string(first) + middle + last);
    return words;
}

// A grid that these words fill in two ways (one the other turned over its diagonal).
inline const GridPicture Knot = {"...#.", ".#...", "...#."};
inline const std::vector<std::string> KnotWords = {"дом", "дуб", "мир", "иск", "око", "бор", "кот", "лес", "сок"};

// The letters along a slot.
inline std::string SlotLetters(const TCrossword& crossword, int slot) {
    std::string letters;
    const TCoord cells = crossword.SlotCells(slot);
    for (const TCell& cell : cells.Cells()) letters += crossword.CellText(cell.x, cell.y);
    return letters;
}

inline std::vector<std::string> PlacedWords(const TCrossword& crossword) {
    std::vector<std::string> words;
    for (int i = 0; i < crossword.Words.Count(); ++i)
        if (crossword.Words.SlotFilled(i)) words.emplace_back(crossword.Words.SlotWord(i));
    return words;
}

// Checks a filled grid by its letters alone, without the crossword's slot records: every run of
// two letter cells or more, across and down, is a word of the list (UTF-8), and no run is the
// same word as another.
inline ::testing::AssertionResult SoundFill(const TCrossword& crossword, const std::vector<std::string>& utf8Words) {
    const std::set<std::string> known(utf8Words.begin(), utf8Words.end());
    std::vector<std::string> runs;
    const auto collect = [&](int x0, int y0, int dx, int dy, int n) {
        std::string run;
        int cells = 0;
        for (int i = 0; i <= n; ++i) {
            const int x = x0 + i * dx, y = y0 + i * dy;
            if (i < n && crossword.Template->IsLetterCell(x, y)) {
                run += ToUtf8(crossword.CellText(x, y));
                ++cells;
                continue;
            }
            if (cells >= 2) runs.push_back(run);
            run.clear();
            cells = 0;
        }
    };
    for (int y = 0; y < crossword.Height; ++y) collect(0, y, 1, 0, crossword.Width);
    for (int x = 0; x < crossword.Width; ++x) collect(x, 0, 0, 1, crossword.Height);
    std::set<std::string> seen;
    for (const std::string& run : runs) {
        if (!known.contains(run)) return ::testing::AssertionFailure() << "\"" << run << "\" is not a word";
        if (!seen.insert(run).second) return ::testing::AssertionFailure() << "\"" << run << "\" stands twice";
    }
    return ::testing::AssertionSuccess();
}

// count words of the length over the letters (UTF-8 letters), drawn at random without repeats;
// every such word when count is larger than their number.
inline std::vector<std::string> WordsOver(const std::vector<std::string>& letters, int length, int count, uint32_t seed) {
    std::vector<std::string> all{""};
    for (int i = 0; i < length; ++i) {
        std::vector<std::string> longer;
        for (const std::string& head : all)
            for (const std::string& letter : letters) longer.push_back(head + letter);
        all.swap(longer);
    }
    std::shuffle(all.begin(), all.end(), std::mt19937(seed));
    if (static_cast<int>(all.size()) > count) all.resize(count);
    return all;
}

// Installs a Ui for the lifetime of the object and puts the previous one back after.
template <typename TUi>
class ScopedUi {
public:
    ScopedUi() {
        auto ui = std::make_unique<TUi>();
        mUi = ui.get();
        mPrevious = InstallUi(std::move(ui));
    }
    ~ScopedUi() { InstallUi(std::move(mPrevious)); }
    TUi* operator->() { return mUi; }

private:
    TUi* mUi;
    std::unique_ptr<Ui> mPrevious;
};

// Calls Hook at every message run of a fill (once every 25 passes).
class HookUi : public RecordingUi {
public:
    void ProcessMessages() override {
        if (Hook) Hook();
    }
    std::function<void()> Hook;
};

// A hand-driven clock that moves on by step at every message run of a fill, counting the runs.
class ClockAtMessageRuns {
public:
    explicit ClockAtMessageRuns(uint32_t step) {
        mUi->Hook = [this, step] {
            ++mRuns;
            mClock.Advance(step);
        };
    }
    int Runs() const { return mRuns; }

private:
    ManualClock mClock;
    ScopedUi<HookUi> mUi;
    int mRuns = 0;
};

// Runs fill on a thread of its own and holds it at its first message run (after 25 passes)
// while during runs on the test's thread; then lets the fill go on and waits for its end.
inline void AtFirstMessageRun(const std::function<void()>& fill, const std::function<void()>& during) {
    struct GateUi : RecordingUi {
        std::promise<void> Reached;
        std::shared_future<void> Release;
        bool Passed = false;
        void ProcessMessages() override {
            if (Passed) return;
            Passed = true;
            Reached.set_value();
            Release.wait();
        }
    };
    ScopedUi<GateUi> gate;
    std::promise<void> release;
    gate->Release = release.get_future().share();
    std::future<void> reached = gate->Reached.get_future();
    std::thread filling(fill);
    reached.wait();
    during();
    release.set_value();
    filling.join();
}
