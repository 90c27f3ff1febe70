#pragma once

// Fire-and-forget sounds. Without an audio device nothing is played and nothing is reported.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

struct Mix_Chunk;

class TDXSound {
public:
    TDXSound();
    ~TDXSound();
    TDXSound(const TDXSound&) = delete;
    TDXSound& operator=(const TDXSound&) = delete;

    // Opens the audio device; false (and silence) when there is none.
    bool Initialize();
    bool Ready() const { return mReady; }

private:
    bool mReady = false;
};

// Named waves on a sound device, addressed by position.
class TDXWaveList {
public:
    explicit TDXWaveList(TDXSound& sound) : mSound(sound) {}
    ~TDXWaveList();
    TDXWaveList(const TDXWaveList&) = delete;
    TDXWaveList& operator=(const TDXWaveList&) = delete;

    // Appends a wave given as the bytes of a RIFF WAVE file.
    void Add(const std::string& name, std::vector<uint8_t> waveFile);
    int Count() const { return static_cast<int>(mItems.size()); }
    const std::string& Name(int index) const;
    // Starts wave index without waiting; does nothing without a device or a decodable wave.
    void Play(int index);

private:
    struct Item {
        std::string name;
        std::vector<uint8_t> waveFile;
        Mix_Chunk* chunk = nullptr;  // decoded on first play, freed with the list
    };

    TDXSound& mSound;
    std::vector<Item> mItems;
};

// The bytes of a 16-bit mono RIFF WAVE file holding samples.
std::vector<uint8_t> MakeWaveFile(const std::vector<int16_t>& samples, int sampleRate);
