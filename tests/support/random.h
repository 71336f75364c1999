#ifndef GLYPHRANE_TESTS_SUPPORT_RANDOM_H_
#define GLYPHRANE_TESTS_SUPPORT_RANDOM_H_

#include <cstdint>

// The tests' one generator (xorshift32): a fixed seed, so a failing round can be
// replayed, and the same numbers on every build. Header-only, so that the native
// test programs share it with the Windows ones.
class Random {
 public:
  explicit Random(uint32_t seed) : state_(seed ? seed : 1) {}  // 0 would stay 0

  // A number in [0, range); range must be at least 1.
  uint32_t Next(uint32_t range) {
    state_ ^= state_ << 13;
    state_ ^= state_ >> 17;
    state_ ^= state_ << 5;
    return state_ % range;
  }
  bool OneIn(uint32_t n) { return Next(n) == 0; }

 private:
  uint32_t state_;
};

#endif  // GLYPHRANE_TESTS_SUPPORT_RANDOM_H_
