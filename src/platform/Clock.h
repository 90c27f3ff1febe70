#pragma once

// Time and the program's one random generator.

#include <cstdint>
#include <functional>
#include <random>

// Milliseconds since an arbitrary start; wraps like the system tick count.
uint32_t TickCount();

// Replaces the tick source for the lifetime of the object (tests drive time by hand).
class ScopedTickSource {
public:
    explicit ScopedTickSource(std::function<uint32_t()> source);
    ~ScopedTickSource();
    ScopedTickSource(const ScopedTickSource&) = delete;
    ScopedTickSource& operator=(const ScopedTickSource&) = delete;

private:
    std::function<uint32_t()> mPrevious;
};

// A hand-driven clock for tests: installs itself as the tick source while it lives.
class ManualClock {
public:
    explicit ManualClock(uint32_t start = 1000) : mNow(start), mSource([this] { return mNow; }) {}
    void Advance(uint32_t ms) { mNow += ms; }
    void Set(uint32_t ms) { mNow = ms; }
    uint32_t Now() const { return mNow; }

private:
    uint32_t mNow;
    ScopedTickSource mSource;
};

// Seeds the generator from the clock (done once at start-up).
void Randomize();
// Seeds the generator with a fixed value (tests, reproducible runs).
void RandSeed(uint32_t seed);
// A uniform whole number in 0 .. n - 1; 0 when n <= 0.
int RandomInt(int n);
// A uniform number in [0, 1).
double RandomFloat();

// While it lives, the random numbers of the thread that made it come from a generator of its
// own, seeded with seed, so that work spread over threads draws the same numbers whatever the
// threads' timing. Other threads keep the program's generator. Streams nest.
class ScopedRandomStream {
public:
    explicit ScopedRandomStream(uint32_t seed);
    ~ScopedRandomStream();
    ScopedRandomStream(const ScopedRandomStream&) = delete;
    ScopedRandomStream& operator=(const ScopedRandomStream&) = delete;

private:
    std::mt19937 mGenerator;
    std::mt19937* mPrevious;
};
