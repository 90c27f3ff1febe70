// Points, the tournament table and the rating.

#include "Game.h"

#include "platform/Clock.h"
#include "platform/Text.h"

#include <cmath>
#include <utility>
#include <vector>

namespace {

struct TSizes {
    uint8_t W, H, w, h;
};

// The sizes of the 21 entries; an entry with several variants draws one at random.
const std::vector<std::vector<TSizes>>& TournamentSizes() {
    static const std::vector<std::vector<TSizes>> sizes = {
        {{8, 8, 4, 4}, {8, 9, 4, 3}, {9, 8, 3, 4}},
        {{9, 9, 3, 3}},
        {{12, 9, 4, 3}, {12, 9, 3, 3}},
        {{9, 12, 3, 3}, {9, 12, 3, 4}},
        {{15, 9, 3, 3}},
        {{9, 15, 3, 3}},
        {{12, 12, 4, 4}},
        {{12, 12, 3, 4}, {12, 12, 4, 3}},
        {{12, 12, 3, 3}},
        {{12, 16, 4, 4}},
        {{12, 16, 3, 4}},
        {{16, 12, 4, 4}},
        {{16, 12, 4, 3}},
        {{15, 12, 3, 4}},
        {{15, 12, 3, 3}},
        {{12, 15, 4, 3}},
        {{12, 15, 3, 3}},
        {{16, 16, 4, 4}},
        {{16, 16, 4, 4}},
        {{15, 15, 3, 3}},
        {{15, 15, 3, 3}},
    };
    return sizes;
}

}  // namespace

int TGame::PointsFor(int rating, int shardCount, bool hard) {
    // Single precision throughout, as the stored tournament files were scored with it.
    const float r = static_cast<float>(rating);
    float x;
    if (rating <= 2000)
        x = 60.0f - r / 100.0f;
    else if (rating <= 4000)
        x = 40.0f - (r - 2000.0f) / 200.0f;
    else if (rating <= 10000)
        x = 30.0f - (r - 4000.0f) / 400.0f;
    else
        x = 15.0f - (r - 10000.0f) / 3000.0f;
    if (hard) x = static_cast<float>(x * 1.1);
    return static_cast<int>(std::nearbyint(static_cast<double>(shardCount) * x));  // halves to even
}

void TGame::InitTournament() {
    const auto& sizes = TournamentSizes();
    for (int i = 0; i < TournamentSize; ++i) {
        const auto& variants = sizes[i];
        const TSizes s = variants[variants.size() == 1 ? 0 : RandomInt(static_cast<int>(variants.size()))];
        TTournamentEntry& entry = Tournament[i];
        entry.W = s.W;
        entry.H = s.H;
        entry.w = s.w;
        entry.h = s.h;
        entry.Seconds = 0;
        entry.Points = 0;
        entry.Order = -1;
    }
}

bool TGame::IsTournamentSize(int W, int H, int w, int h) {
    for (const auto& variants : TournamentSizes())
        for (const TSizes& s : variants)
            if (s.W == W && s.H == H && s.w == w && s.h == h) return true;
    return false;
}

void TGame::FillSizeList() {
    TBrevSelector* selector = Controls.FindSelector("SIZE");
    if (!selector) return;
    selector->Items.clear();
    for (const TTournamentEntry& e : Tournament)
        if (e.Order < 0) selector->Items.push_back(Format("%dx%d (%dx%d)", e.W, e.H, e.w, e.h));
    selector->ItemIndex = 0;
}

int TGame::FindTournamentEntry(int W, int H, int w, int h, bool unplayedOnly) const {
    for (int i = 0; i < TournamentSize; ++i) {
        const TTournamentEntry& e = Tournament[i];
        if (e.W == W && e.H == H && e.w == w && e.h == h && (!unplayedOnly || e.Order < 0)) return i;
    }
    return -1;
}

int TGame::PlayedCount() const {
    for (int i = 0; i < TournamentSize; ++i)
        if (Tournament[i].Order < 0) return i;
    return -1;
}

void TGame::SortTournament() {
    const auto outOfOrder = [](const TTournamentEntry& a, const TTournamentEntry& b) {
        return (a.Order < 0 && b.Order >= 0) || (a.Order >= 0 && b.Order >= 0 && a.Order > b.Order);
    };
    for (bool swapped = true; swapped;) {
        swapped = false;
        for (int i = 0; i + 1 < TournamentSize; ++i)
            if (outOfOrder(Tournament[i], Tournament[i + 1])) {
                std::swap(Tournament[i], Tournament[i + 1]);
                swapped = true;
            }
    }
}

void TGame::MarkTournamentEntry() {
    const int i = FindTournamentEntry(CrossWidth, CrossHeight, ShardWidth, ShardHeight, true);
    if (i < 0) return;
    Tournament[i].Order = PlayedCount();
    Tournament[i].Seconds = 0;
    Tournament[i].Points = -1;
    Tournament[i].Hard = Hard;
    SortTournament();
}

void TGame::RecordResult() {
    if (SimpleMode) return;
    int last = -1;
    for (int i = 0; i < TournamentSize; ++i)
        if (Tournament[i].Order >= 0) last = i;
    if (last < 0) return;
    TTournamentEntry& entry = Tournament[last];
    const int seconds = static_cast<int>((EndTick - StartTick) / 1000);
    entry.Seconds = seconds;
    if (MaxPoints - seconds < 0) {
        entry.Points = -1;
    } else {
        entry.Points = MaxPoints - seconds;
        Rating += entry.Points;
    }
    if (!TournamentFile.empty()) WriteTournament();
}
