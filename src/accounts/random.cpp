#include "accounts/random.h"

#include <time.h>

namespace {

RandomState g_state;
TickSource g_tickSource = &MonotonicTickCount;

}  // namespace

std::uint32_t MonotonicTickCount() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    const std::uint64_t ms = static_cast<std::uint64_t>(now.tv_sec) * 1000u + static_cast<std::uint64_t>(now.tv_nsec) / 1000000u;
    return static_cast<std::uint32_t>(ms);
}

void SetTickSource(TickSource source) { g_tickSource = source ? source : &MonotonicTickCount; }

void SeedRandom() {
    const std::uint32_t seed = g_tickSource() + g_state.accumulator;
    g_state.accumulator += (seed & 0xFFu) + 100u;
    g_state.generator = seed;
}

int NextRandom() {
    g_state.generator = g_state.generator * 214013u + 2531011u;
    return static_cast<int>((g_state.generator >> 16) & 0x7FFFu);
}

std::int32_t RandomInRange(std::int32_t lo, std::int32_t hi) {
    if (lo < 0) lo = 0;
    if (hi < 0) hi = 0;
    const std::int32_t a = lo < hi ? lo : hi;
    const std::int32_t b = lo < hi ? hi : lo;
    if (a == b) return a;
    const std::int32_t span = b - a;  // 1 .. 2147483647
    const std::int32_t divisor = span == 2147483647 ? span : span + 1;
    return a + NextRandom() % divisor;
}

RandomState CurrentRandomState() { return g_state; }
void RestoreRandomState(RandomState state) { g_state = state; }
