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

#include <chrono>

namespace {

// A stored template text begins "SHABLON  " and its kind; the width and height characters
// follow at these positions.
constexpr std::string_view TemplatePrefix = "SHABLON  ";
constexpr std::size_t WidthCharAt = 10, HeightCharAt = 11;

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
    if (!Crossword->LoadDictionary(mDictionaryDir + "/" + std::string(name)))
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
        const std::string& chosen = candidates[RandomInt(static_cast<int>(candidates.size()))];
        if (!Crossword->Template->ParseTemplate(chosen, 0, 0)) throw std::runtime_error("template");
        Crossword->PrepareForFill();
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
        FillThread = std::thread([this, generation, alive = std::weak_ptr<bool>(mAlive)] {
            bool result = false;
            try {
                TFillResult best;
                int errCode = 0;
                result = Crossword->Fill(0, 0, Crossword->Width, Crossword->Height, false, errCode, best);
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
    // Filling stays set until OnFillDone. The fill raises Running when it starts, so a stop
    // that came before that is repeated.
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

void TGame::OnFillDone() {
    SetReady(mFillResult);
    Filling = false;
    SetScreen(SimpleMode ? ScreenSimpleMenu : ScreenRatingMenu);
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
