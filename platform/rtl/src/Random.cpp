#include <qyx/platform/Random.h>

#include <chrono>

namespace qyx {

uint32_t RandSeed = 0;

static uint32_t NextSeed() {
    RandSeed = RandSeed * 134775813u + 1u;
    return RandSeed;
}

void Randomize() {
    const auto now = std::chrono::steady_clock::now().time_since_epoch();
    RandSeed = static_cast<uint32_t>(std::chrono::duration_cast<std::chrono::nanoseconds>(now).count());
}

int Random(int N) {
    const uint32_t s = NextSeed();
    if (N <= 0) return 0;
    return static_cast<int>((static_cast<uint64_t>(s) * static_cast<uint32_t>(N)) >> 32);
}

double Random() { return static_cast<double>(NextSeed()) * (1.0 / 4294967296.0); }

} // namespace qyx
