// The one process-wide pseudo-random generator that every library shares.
//
// Algorithm: a 32-bit linear congruential generator,
//     RandSeed := RandSeed * 134775813 + 1   (mod 2^32),
// stepped once per draw. Random(N) is the upper 32 bits of the 64-bit product RandSeed * N, so it lies
// in 0 .. N-1 for N > 0 and is 0 for N <= 0; Random() is RandSeed / 2^32, in [0, 1). The same seed
// always yields the same sequence, on every machine. RandSeed is 0 when the process starts.
#pragma once

#include <cstdint>

namespace qyx {

/// The generator's state; assign it to seed the generator.
extern uint32_t RandSeed;

/// Seeds the generator from the clock.
void Randomize();
/// A uniform integer in 0 .. N-1 (0 when N <= 0).
int Random(int N);
/// A uniform real in [0, 1).
double Random();

} // namespace qyx
