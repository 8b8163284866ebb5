#pragma once
// The program's one source of randomness: a 32-bit linear congruential
// generator with a 15-bit output, reseeded from a millisecond tick count.
//
// SeedRandom adds the tick count to a running accumulator, so that two seedings
// in the same millisecond still get different seeds; a given sequence of tick
// readings always yields the same draws. It is not for security.

#include <cstdint>

// A millisecond count from a fixed starting point, wrapping modulo 2^32.
using TickSource = std::uint32_t (*)();

// The monotonic clock in milliseconds, taken as unsigned 32 bits.
std::uint32_t MonotonicTickCount();
// Replaces the clock (null restores it); for reproducible runs and tests.
void SetTickSource(TickSource source);

void SeedRandom();
// 0..32767; steps the generator once.
int NextRandom();
// Between the two bounds, both included. A negative bound counts as 0 and
// swapped bounds are put in order; equal bounds give that value without a
// draw. A range wider than 32768 values only ever yields its lowest 32768.
std::int32_t RandomInRange(std::int32_t lo = 0, std::int32_t hi = 2147483647);

// The state behind the functions above: the seed accumulator (0 at start) and
// the generator state (1 until the first seeding).
struct RandomState {
    std::uint32_t accumulator = 0;
    std::uint32_t generator = 1;
};
RandomState CurrentRandomState();
void RestoreRandomState(RandomState state);
