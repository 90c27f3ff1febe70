#include "Reklama.h"

#include "platform/Clock.h"
#include "platform/FileText.h"
#include "platform/RecordFile.h"
#include "platform/Ui.h"

#include <algorithm>

namespace {

constexpr int DefaultFrameDelay = 10;  // hundredths: a frame that states no delay shows 100 ms
constexpr TColor32 CanvasWhite = 0xFFFFFF;

}  // namespace

TReklama::TReklama() : FrameTick(TickCount()) {}

void TReklama::Clear() {
    mBanners.clear();
    mDamaged = false;
    FrameBitmap.reset();
    CurrentBanner = CurrentFrame = 0;
    RenderedBanner = RenderedFrame = -1;
}

bool TReklama::LoadFromFile() {
    Clear();
    std::vector<std::string> blocks;
    if (!ReadFileBlocks(FileName, blocks)) return false;
    ParseText(JoinBlocks(blocks));
    return true;
}

void TReklama::ParseText(std::string_view text) {
    const auto cut = CutTwoPartRecords(text);
    mDamaged = cut.Damaged;
    for (const TTwoPartRecord& record : cut.Records) {
        const int index = AddBanner(record.Body);
        if (index >= 0)
            SetItemText(index, record.Header);
        else
            mDamaged = true;
        TheUi().ProcessMessages();
    }
}

int TReklama::AddBanner(std::string_view gifBytes) {
    auto image = TGifImage::Decode(gifBytes);
    if (!image) return -1;
    mBanners.push_back({IntToBytes(1), std::move(*image)});
    return Count() - 1;
}

int TReklama::RepeatCount(int i) const {
    return BytesToInt(std::string_view(mBanners[i].text).substr(0, 4));
}

std::string TReklama::Link(int i) const {
    const std::string& text = mBanners[i].text;
    return text.size() > 4 ? text.substr(4) : std::string();
}

const TDIB* TReklama::CurrentPicture() {
    if (mBanners.empty()) return nullptr;
    if (CurrentBanner == RenderedBanner && CurrentFrame == RenderedFrame) return FrameBitmap.get();
    const TGifImage& image = mBanners[CurrentBanner].image;
    if (CurrentBanner != RenderedBanner) {
        FrameBitmap = std::make_unique<TDIB>(image.Width(), image.Height());
        for (int y = 0; y < FrameBitmap->Height(); ++y) std::fill_n(FrameBitmap->Row(y), FrameBitmap->Width(), CanvasWhite);
        RenderedBanner = CurrentBanner;
        Loops = 0;
    }
    RenderedFrame = CurrentFrame;
    image.DrawFrame(CurrentFrame, *FrameBitmap);
    FrameTick = TickCount();
    const int delay = image.FrameDelay(CurrentFrame);
    FrameDelay = delay > 0 ? delay : DefaultFrameDelay;
    return FrameBitmap.get();
}

void TReklama::Advance() {
    if (mBanners.empty()) return;
    if (static_cast<int64_t>(TickCount() - FrameTick) < static_cast<int64_t>(FrameDelay) * 10) return;
    ++CurrentFrame;
    if (CurrentFrame >= mBanners[CurrentBanner].image.FrameCount()) {
        CurrentFrame = 0;
        ++Loops;
        if (Loops >= RepeatCount(CurrentBanner)) {
            ++CurrentBanner;
            if (CurrentBanner >= Count()) CurrentBanner = 0;
        }
    }
    CurrentPicture();
}
