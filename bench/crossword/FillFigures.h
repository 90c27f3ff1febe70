#pragma once

// The figures the fill benchmarks report, and the game's files and seed runs they share.

#include "crossword/Crossword.h"
#include "platform/Clock.h"
#include "platform/IndexCollection.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

// The value below which the share (0 .. 1) of the values lie (nearest rank); 0 for none.
inline double Percentile(std::vector<double> values, double share) {
    if (values.empty()) return 0;
    std::sort(values.begin(), values.end());
    const auto at = static_cast<std::size_t>(share * static_cast<double>(values.size() - 1) + 0.5);
    return values[std::min(at, values.size() - 1)];
}

inline std::string DataFile(const std::string& name) { return std::string(ZELVANA_DATA_DIR) + "/" + name; }

// The game's dictionary in the crossword, loaded without progress.
inline bool LoadGameDictionary(TCrossword& crossword, const std::string& name = "dic1.wdi") {
    crossword.Dictionary.ShowProgress = false;
    return crossword.LoadDictionary(DataFile(name));
}

// One crossword of the kind with the game's dictionary, made on first use; null without it.
template <typename TKind>
TKind* LoadedOnce() {
    static std::unique_ptr<TKind> crossword;
    if (!crossword) {
        crossword = std::make_unique<TKind>();
        if (!LoadGameDictionary(*crossword)) crossword.reset();
    }
    return crossword.get();
}

// LoadedOnce's crossword as an open side x side field of letter cells; null, the case skipped,
// without the game's dictionary.
template <typename TKind>
TKind* OpenField(benchmark::State& state, int side) {
    TKind* crossword = LoadedOnce<TKind>();
    if (!crossword) {
        state.SkipWithError("dic1.wdi missing: build the data files first");
        return nullptr;
    }
    crossword->SetWidth(side);
    crossword->SetHeight(side);
    crossword->Template->ClearRect(0, 0, side - 1, side - 1, true);
    return crossword;
}

// The template texts of a size in the collection, without the prefix, as the game picks them.
inline std::vector<std::string> TemplatesOfSize(const TIndexCollection& templates, int width, int height) {
    std::vector<std::string> texts;
    for (int i = 0; i < templates.Count(); ++i) {
        const std::string text = templates.EntryText(i);
        if (text.size() > 12 && text[10] == static_cast<char>(48 + width) && text[11] == static_cast<char>(48 + height))
            texts.push_back(text.substr(9));
    }
    return texts;
}

// Crosswords of the kinds with the game's dictionary and the game's templates, loaded once for
// every case.
template <typename... TKinds>
struct TGameFiles {
    TGameFiles() {
        Templates.FileName = DataFile("templates.col");
        Loaded = (LoadGameDictionary(std::get<TKinds>(Crosswords)) && ...) && Templates.LoadFromFile();
    }
    static TGameFiles& Once() {
        static TGameFiles files;
        return files;
    }
    template <typename TKind>
    TKind& Get() {
        return std::get<TKind>(Crosswords);
    }
    std::tuple<TKinds...> Crosswords;
    TIndexCollection Templates;
    bool Loaded = false;
};

// Whether a case that started now still has time for another fill.
class TCaseBudget {
public:
    explicit TCaseBudget(int seconds) : mEnd(std::chrono::steady_clock::now() + std::chrono::seconds(seconds)) {}
    bool Left() const { return std::chrono::steady_clock::now() < mEnd; }

private:
    std::chrono::steady_clock::time_point mEnd;
};

// The outcome of a case's fills: a fill that runs out of time counts with its limit.
struct TFillTally {
    // Fills the whole crossword as prepared under the seed; the words stay.
    bool Fill(TCrossword& crossword, int seed) {
        RandSeed(static_cast<uint32_t>(seed));
        int errCode = 0;
        TFillResult best;
        const auto start = std::chrono::steady_clock::now();
        const bool ok = crossword.Fill(0, 0, crossword.Width, crossword.Height, false, errCode, best);
        const std::chrono::duration<double, std::milli> elapsed = std::chrono::steady_clock::now() - start;
        Milliseconds.push_back(elapsed.count());
        if (ok)
            ++Filled;
        else
            LastError = errCode;
        return ok;
    }
    // The fills that ran, the share that succeeded and the median and 95th-percentile time.
    void Report(benchmark::State& state, const std::string& label) const {
        state.SetLabel(label);
        state.counters["fills"] = static_cast<double>(Milliseconds.size());
        state.counters["success_%"] = 100.0 * Filled / std::max<std::size_t>(Milliseconds.size(), 1);
        state.counters["median_ms"] = Percentile(Milliseconds, 0.5);
        state.counters["p95_ms"] = Percentile(Milliseconds, 0.95);
    }
    std::vector<double> Milliseconds;
    int Filled = 0;
    int LastError = 0;
};

inline std::string SizeLabel(int width, int height) { return std::to_string(width) + "x" + std::to_string(height); }

// A case's fills: seeds 1 .. Seeds, each fill given TimeLimitSeconds, none started after
// BudgetSeconds, so that the figures cover the fills that ran.
struct TSeedRun {
    int Seeds;
    int TimeLimitSeconds;
    int BudgetSeconds;
};

// Fills the crossword as prepare sets it up under each seed of the run, clearing it after each
// fill, and reports the figures under the label; a grid prepare refuses skips the case.
template <typename Prepare>
void FillSeeds(benchmark::State& state, TCrossword& crossword, const TSeedRun& run, Prepare&& prepare,
               const std::string& label) {
    crossword.FillParameters.TimeLimit = run.TimeLimitSeconds;
    TFillTally tally;
    for (auto _ : state) {
        const TCaseBudget budget(run.BudgetSeconds);
        for (int seed = 1; seed <= run.Seeds && budget.Left(); ++seed) {
            if (!prepare()) {
                state.SkipWithError("the grid was refused");
                return;
            }
            tally.Fill(crossword, seed);
            crossword.ClearWords(0, 0, crossword.Width, crossword.Height, true);
        }
    }
    tally.Report(state, label);
    state.counters["last_error"] = tally.LastError;
}
