// templategen: makes "templates.col", the game's classic templates for its 15 sizes.
//
//   templategen DICTIONARY OUTPUT
//
// For every size it makes candidate shapes from a fixed seed (so every build writes the same
// file) and keeps a candidate only when the engine fills it with the dictionary for each of a
// number of seeds within a budget of search passes. Passes are counted instead of time so that
// a slow build (sanitizers, a busy machine) keeps exactly the same templates.

#include "GridShape.h"
#include "TemplateMaker.h"

#include "crossword/ClassicCrossword.h"
#include "platform/Clock.h"
#include "platform/ConsoleUi.h"
#include "platform/IndexCollection.h"
#include "template/ClassicShablon.h"

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
// Candidates tried per size before giving up on reaching TemplatesPerSize.
constexpr int MaxCandidates = 2000;

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
        std::set<std::vector<uint8_t>> kept;
        int candidates = 0;
        while (static_cast<int>(kept.size()) < TemplatesPerSize && candidates < MaxCandidates) {
            ++candidates;
            const TGridShape shape = maker.Next();
            if (kept.count(shape.Letters) != 0) continue;
            const std::string text = TemplateText(shape);
            if (!FillsReliably(crossword, ui, shape, text)) continue;
            kept.insert(shape.Letters);
            const std::string name =
                std::to_string(width) + "x" + std::to_string(height) + "-" + std::to_string(kept.size());
            collection.Add(name, text);
        }
        std::printf("templategen: %dx%d: %zu templates from %d candidates\n", width, height, kept.size(), candidates);
        if (static_cast<int>(kept.size()) < TemplatesPerSize) complete = false;
    }
    if (!complete) {
        std::fprintf(stderr, "templategen: too few templates that fill reliably\n");
        return 1;
    }
    return collection.SaveToFile() ? 0 : 1;
}
