#ifndef GLYPHRANE_TESTS_PARSERS_RANDOM_DAMAGE_H_
#define GLYPHRANE_TESTS_PARSERS_RANDOM_DAMAGE_H_

#include <string>

#include "tests/support/random.h"

// The file with one to three kinds of damage a reader meets: cut short, bytes
// changed, a header number turned huge, zero or endless, comments and separators
// put in, pieces removed or repeated, the format digit changed.
std::string Damage(const std::string& file, Random* random);

#endif  // GLYPHRANE_TESTS_PARSERS_RANDOM_DAMAGE_H_
