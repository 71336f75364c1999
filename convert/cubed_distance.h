#ifndef GLYPHRANE_CONVERT_CUBED_DISTANCE_H_
#define GLYPHRANE_CONVERT_CUBED_DISTANCE_H_

#include <cstdint>

#include "convert/glyph_definition.h"

// The arithmetic of glyph distances: |difference|^3 per compared value, summed,
// exact in unsigned 64 bits and saturating, so that a record far outside the
// feature range can never look near through an overflow.

constexpr uint64_t kSaturatedDistance = UINT64_MAX;
// The largest |difference| whose cube fits 64 bits: 2642245^3 < 2^64 <= 2642246^3.
constexpr uint64_t kLargestCubeRoot = 2642245;
static_assert(kLargestCubeRoot * kLargestCubeRoot * kLargestCubeRoot / kLargestCubeRoot /
                      kLargestCubeRoot == kLargestCubeRoot,
              "the cube of kLargestCubeRoot fits 64 bits");
static_assert((kLargestCubeRoot + 1) * (kLargestCubeRoot + 1) * (kLargestCubeRoot + 1) /
                      (kLargestCubeRoot + 1) / (kLargestCubeRoot + 1) != kLargestCubeRoot + 1,
              "the next cube does not");

inline uint64_t CubedDistance(int32_t a, int32_t b) {
  int64_t difference = int64_t{a} - b;
  uint64_t magnitude = static_cast<uint64_t>(difference < 0 ? -difference : difference);
  if (magnitude > kLargestCubeRoot) return kSaturatedDistance;
  return magnitude * magnitude * magnitude;
}

inline uint64_t SaturatingAdd(uint64_t a, uint64_t b) {
  uint64_t sum = a + b;
  return sum < a ? kSaturatedDistance : sum;
}

// The twelve compared values of a record or feature vector, blue to the last edge.
inline void ComparedValues(const GlyphDefinition& g, int32_t out[12]) {
  out[0] = g.blue;
  out[1] = g.green;
  out[2] = g.red;
  for (int k = 0; k < 9; ++k) out[3 + k] = g.edge[k];
}

#endif  // GLYPHRANE_CONVERT_CUBED_DISTANCE_H_
