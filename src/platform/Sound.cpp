#include "Sound.h"

#include <SDL.h>
#include <SDL_mixer.h>

TDXSound::TDXSound() = default;

TDXSound::~TDXSound() {
    if (!mReady) return;
    Mix_CloseAudio();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

bool TDXSound::Initialize() {
    if (mReady) return true;
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return false;
    if (Mix_OpenAudio(22050, AUDIO_S16SYS, 1, 512) != 0) {
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return false;
    }
    mReady = true;
    return true;
}

TDXWaveList::~TDXWaveList() {
    for (auto& item : mItems)
        if (item.chunk) Mix_FreeChunk(item.chunk);
}

void TDXWaveList::Add(const std::string& name, std::vector<uint8_t> waveFile) {
    mItems.push_back({name, std::move(waveFile), nullptr});
}

const std::string& TDXWaveList::Name(int index) const {
    return mItems[index].name;
}

void TDXWaveList::Play(int index) {
    if (!mSound.Ready() || index < 0 || index >= Count()) return;
    Item& item = mItems[index];
    if (!item.chunk) {
        SDL_RWops* bytes = SDL_RWFromConstMem(item.waveFile.data(), static_cast<int>(item.waveFile.size()));
        item.chunk = bytes ? Mix_LoadWAV_RW(bytes, 1) : nullptr;
        if (!item.chunk) return;
    }
    Mix_PlayChannel(-1, item.chunk, 0);
}

std::vector<uint8_t> MakeWaveFile(const std::vector<int16_t>& samples, int sampleRate) {
    std::vector<uint8_t> out;
    const auto put = [&](uint32_t value, int bytes) {
        for (int i = 0; i < bytes; ++i) out.push_back(static_cast<uint8_t>(value >> (8 * i)));
    };
    const auto tag = [&](const char* text) { out.insert(out.end(), text, text + 4); };
    const uint32_t dataSize = static_cast<uint32_t>(samples.size() * 2);
    tag("RIFF");
    put(36 + dataSize, 4);
    tag("WAVE");
    tag("fmt ");
    put(16, 4);
    put(1, 2);  // PCM
    put(1, 2);  // mono
    put(static_cast<uint32_t>(sampleRate), 4);
    put(static_cast<uint32_t>(sampleRate) * 2, 4);
    put(2, 2);
    put(16, 2);
    tag("data");
    put(dataSize, 4);
    for (const int16_t s : samples) put(static_cast<uint16_t>(s), 2);
    return out;
}
