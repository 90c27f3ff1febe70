// templategen: makes "templates.col", the game's classic templates for its 15 sizes.
//
//   templategen DICTIONARY OUTPUT
//
// For every size it makes a pool of candidate shapes from a fixed seed (so every build writes
// the same file) and takes them one by one, each time the candidate that keeps the word
// lengths of the chosen templates closest to the dictionary's own: a game never uses a word
// twice in one run, so templates that draw on every length alike let a player make the most
// puzzles before the words of some length run out. A candidate is kept only when the engine
// fills it with the dictionary for each of a number of seeds within a budget of search passes.
// Passes are counted instead of time so that a slow build (sanitizers, a busy machine) keeps
// exactly the same templates.

#include "GridShape.h"
#include "TemplateMaker.h"

#include "crossword/ClassicCrossword.h"
#include "platform/Clock.h"
#include "platform/ConsoleUi.h"
#include "platform/IndexCollection.h"
#include "template/ClassicShablon.h"

#include <algorithm>
#include <cstdio>
#include <memory>
#include <set>
#include <string>

namespace {

// The game's template sizes, width x height.
constexpr std::pair<int, int> GameSizes[] = {
    {8, 8},   {8, 9},   {9, 8},   {9, 9},   {12, 9},  {9, 12},  {12, 12}, {15, 9},
    {9, 15},  {15, 12}, {12, 15}, {15, 15}, {16, 12}, {12, 16}, {16, 16},
};
constexpr int TemplatesPerSize = 24;
// A template is kept when every one of these fill seeds succeeds...
constexpr int CheckSeeds = 20;
// ...within this many passes of the backtracking search (about 0.1 s each in a release build).
constexpr long PassBudget = 40000;
// Distinct candidates drawn per size, and the draws allowed to find them.
constexpr int PoolSize = 300;
constexpr int PoolDraws = 3000;

// The console Ui that also stops a fill once it has run PassBudget passes: the fill lets window
// messages run once every 25 passes, so those calls count the passes.
class TPassCountingUi : public ConsoleUi {
public:
    void ProcessMessages() override {
        if (++mCalls * 25 >= PassBudget && mCrossword) mCrossword->Running = 0;
    }
    void Start(TCrossword* crossword) {
        mCrossword = crossword;
        mCalls = 0;
    }

private:
    TCrossword* mCrossword = nullptr;
    long mCalls = 0;
};

std::string TemplateText(const TGridShape& shape) {
    TClassicShablon shablon(shape.Width, shape.Height);
    for (int y = 0; y < shape.Height; ++y)
        for (int x = 0; x < shape.Width; ++x) shablon.SetLetterCellOnly(x, y, shape.IsLetter(x, y));
    return std::string(TShablon::Prefix) + shablon.SerializeTemplate(0, 0, shape.Width - 1, shape.Height - 1);
}

// Fills the template the way the game does, once per seed; false at the first seed that fails.
bool FillsReliably(TClassicCrossword& crossword, TPassCountingUi& ui, const TGridShape& shape, const std::string& text) {
    crossword.SetWidth(shape.Width);
    crossword.SetHeight(shape.Height);
    if (!crossword.Template->ParseTemplate(std::string_view(text).substr(TShablon::Prefix.size()), 0, 0)) return false;
    crossword.PrepareForFill();
    for (int seed = 1; seed <= CheckSeeds; ++seed) {
        RandSeed(static_cast<uint32_t>(seed));
        ui.Start(&crossword);
        int errCode = 0;
        TFillResult best;
        const bool filled = crossword.Fill(0, 0, shape.Width, shape.Height, false, errCode, best);
        // Take the words out again so that every check starts from the whole dictionary.
        crossword.ClearWords(0, 0, shape.Width, shape.Height, true);
        if (!filled) return false;
    }
    return true;
}

// How hard the templates whose slots counted per length are in need draw on the dictionary's
// words of the most used length: slots per puzzle over the words of that length.
double Strain(const std::vector<int>& need, const TWorkDictionary& dictionary) {
    double strain = 0;
    for (int length = 2; length < static_cast<int>(need.size()); ++length) {
        if (need[length] == 0) continue;
        const int words = dictionary.LengthIndex(length + 1) - dictionary.LengthIndex(length);
        strain = std::max(strain, words == 0 ? 1e9 : static_cast<double>(need[length]) / words);
    }
    return strain;
}

std::vector<int> Sum(const std::vector<int>& a, const std::vector<int>& b) {
    std::vector<int> sum(std::max(a.size(), b.size()), 0);
    for (std::size_t i = 0; i < a.size(); ++i) sum[i] += a[i];
    for (std::size_t i = 0; i < b.size(); ++i) sum[i] += b[i];
    return sum;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: templategen DICTIONARY OUTPUT\n");
        return 2;
    }
    auto ownedUi = std::make_unique<TPassCountingUi>();
    TPassCountingUi& ui = *ownedUi;
    InstallUi(std::move(ownedUi));

    TClassicCrossword crossword;
    crossword.Dictionary.ShowProgress = false;
    if (!crossword.LoadDictionary(argv[1])) return 1;

    TIndexCollection collection;
    collection.FileName = argv[2];
    bool complete = true;
    for (const auto& [width, height] : GameSizes) {
        TTemplateMaker maker(width, height, static_cast<uint32_t>(1000 * width + height));
        std::vector<TGridShape> pool;
        std::set<std::vector<uint8_t>> seen;
        for (int draw = 0; draw < PoolDraws && static_cast<int>(pool.size()) < PoolSize; ++draw) {
            TGridShape shape = maker.Next();
            if (seen.insert(shape.Letters).second) pool.push_back(std::move(shape));
        }
        const int candidates = static_cast<int>(pool.size());
        std::vector<int> need;  // slots per length over the templates kept so far
        int kept = 0;
        while (kept < TemplatesPerSize && !pool.empty()) {
            std::size_t next = 0;
            double lowest = 0;
            for (std::size_t i = 0; i < pool.size(); ++i) {
                const double strain = Strain(Sum(need, SlotLengths(pool[i])), crossword.Dictionary);
                if (i == 0 || strain < lowest) {
                    next = i;
                    lowest = strain;
                }
            }
            const TGridShape shape = std::move(pool[next]);
            pool.erase(pool.begin() + static_cast<std::ptrdiff_t>(next));
            const std::string text = TemplateText(shape);
            if (!FillsReliably(crossword, ui, shape, text)) continue;
            ++kept;
            need = Sum(need, SlotLengths(shape));
            const std::string name =
                std::to_string(width) + "x" + std::to_string(height) + "-" + std::to_string(kept);
            collection.Add(name, text);
        }
        std::printf("templategen: %dx%d: %d templates from %d candidates\n", width, height, kept, candidates);
        if (kept < TemplatesPerSize) complete = false;
    }
    if (!complete) {
        std::fprintf(stderr, "templategen: too few templates that fill reliably\n");
        return 1;
    }
    return collection.SaveToFile() ? 0 : 1;
}
