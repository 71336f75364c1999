#ifndef GLYPHRANE_TESTS_PARSERS_RANDOM_DAMAGE_H_
#define GLYPHRANE_TESTS_PARSERS_RANDOM_DAMAGE_H_

#include <cstdint>
#include <string>

// A small generator with a fixed seed, so a failing round can be replayed.
class Random {
 public:
  explicit Random(uint32_t seed) : state_(seed ? seed : 1) {}
  // A number in [0, range); range must be at least 1.
  uint32_t Next(uint32_t range);
  bool OneIn(uint32_t n) { return Next(n) == 0; }

 private:
  uint32_t state_;
};

// The file with one to three kinds of damage a reader meets: cut short, bytes
// changed, a header number turned huge, zero or endless, comments and separators
// put in, pieces removed or repeated, the format digit changed.
std::string Damage(const std::string& file, Random* random);

#endif  // GLYPHRANE_TESTS_PARSERS_RANDOM_DAMAGE_H_
