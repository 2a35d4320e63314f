// Rand15: the generator's 15-bit linear congruential random source.
// The point layout depends on its exact sequence, so it is ours, not the C library's.
#pragma once
#include <cstdint>

namespace Rand15 {

inline constexpr uint32_t kMultiplier = 22695477u;
inline constexpr uint32_t kIncrement = 1u;

// One step of the recurrence, modulo 2^32.
constexpr uint32_t step(uint32_t state) { return state * kMultiplier + kIncrement; }
// The 15 bits a state yields.
constexpr uint32_t output(uint32_t state) { return (state >> 16) & 0x7FFFu; }

// state := s, then one value is drawn and discarded.
void seed(uint32_t s);
// Advances the one program-wide state and returns 0 ... 32767.
uint32_t next();

// The raw state, for generators that run the recurrence in registers and
// hand the final state back so the program-wide sequence stays the same.
uint32_t state();
void setState(uint32_t s);

}  // namespace Rand15
