#include "Clock.h"

#include <chrono>
#include <random>

namespace {

uint32_t SteadyMilliseconds() {
    using namespace std::chrono;
    return static_cast<uint32_t>(duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

std::function<uint32_t()>& TickSource() {
    static std::function<uint32_t()> source = SteadyMilliseconds;
    return source;
}

// The generator of this thread's open stream, when there is one.
thread_local std::mt19937* tStream = nullptr;

std::mt19937& Generator() {
    static std::mt19937 generator{5489u};
    return tStream ? *tStream : generator;
}

}  // namespace

ScopedRandomStream::ScopedRandomStream(uint32_t seed)
    : mGenerator(seed), mPrevious(tStream) {
    tStream = &mGenerator;
}

ScopedRandomStream::~ScopedRandomStream() {
    tStream = mPrevious;
}

uint32_t TickCount() {
    return TickSource()();
}

ScopedTickSource::ScopedTickSource(std::function<uint32_t()> source) : mPrevious(std::move(TickSource())) {
    TickSource() = std::move(source);
}

ScopedTickSource::~ScopedTickSource() {
    TickSource() = std::move(mPrevious);
}

void Randomize() {
    const auto now = std::chrono::high_resolution_clock::now().time_since_epoch().count();
    Generator().seed(static_cast<uint32_t>(now ^ (now >> 32)));
}

void RandSeed(uint32_t seed) {
    Generator().seed(seed);
}

int RandomInt(int n) {
    if (n <= 0) return 0;
    return std::uniform_int_distribution<int>(0, n - 1)(Generator());
}

double RandomFloat() {
    return std::uniform_real_distribution<double>(0.0, 1.0)(Generator());
}
