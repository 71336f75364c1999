#include "convert/tile_matching.h"

#include <algorithm>
#include <cstddef>

namespace {

constexpr uint64_t kSaturated = UINT64_MAX;
// The largest |difference| whose cube fits 64 bits: 2642245^3 < 2^64 <= 2642246^3.
constexpr uint64_t kLargestCubeRoot = 2642245;
static_assert(kLargestCubeRoot * kLargestCubeRoot * kLargestCubeRoot / kLargestCubeRoot /
                      kLargestCubeRoot == kLargestCubeRoot,
              "the cube of kLargestCubeRoot fits 64 bits");
static_assert((kLargestCubeRoot + 1) * (kLargestCubeRoot + 1) * (kLargestCubeRoot + 1) /
                      (kLargestCubeRoot + 1) / (kLargestCubeRoot + 1) != kLargestCubeRoot + 1,
              "the next cube does not");

// A tile's sums are exact for any grid of fewer than 2^56 pixels (a sum of bytes
// stays below 2^64), far beyond what memory holds; 32 bits would overflow from
// blocks of 935,723 pixels on.
using Sum = uint64_t;

inline uint64_t CubedDistance(int32_t a, int32_t b) {
  int64_t difference = int64_t{a} - b;
  uint64_t magnitude = static_cast<uint64_t>(difference < 0 ? -difference : difference);
  if (magnitude > kLargestCubeRoot) return kSaturated;
  return magnitude * magnitude * magnitude;
}

inline uint64_t SaturatingAdd(uint64_t a, uint64_t b) {
  uint64_t sum = a + b;
  return sum < a ? kSaturated : sum;
}

}  // namespace

GlyphDefinition TileFeatures(const uint8_t* grid, int32_t gridWidth, int32_t x, int32_t y,
                             int32_t blockWidth, int32_t blockHeight) {
  GlyphDefinition features{};
  const size_t stride = static_cast<size_t>(gridWidth) * 4;
  const Sum shorterSide = static_cast<Sum>(blockWidth < blockHeight ? blockWidth : blockHeight);
  Sum blue = 0, green = 0, red = 0;

  // One pass over each block: its colour sums add up to the tile's.
  for (int r = 0; r < 3; ++r) {
    for (int c = 0; c < 3; ++c) {
      const uint8_t* blockTopLeft =
          grid + (static_cast<size_t>(y) + static_cast<size_t>(r) * blockHeight) * stride +
          (static_cast<size_t>(x) + static_cast<size_t>(c) * blockWidth) * 4;
      Sum edge = 0;
      for (int32_t row = 0; row < blockHeight; ++row) {
        const uint8_t* pixel = blockTopLeft + static_cast<size_t>(row) * stride;
        for (int32_t column = 0; column < blockWidth; ++column, pixel += 4) {
          blue += pixel[0];
          green += pixel[1];
          red += pixel[2];
          edge += pixel[3];
        }
      }
      // The shorter side, not the pixel count: the block's mean edge strength times
      // its longer side, which makes thin strokes in tall blocks count.
      Sum value = edge / shorterSide;
      features.edge[3 * r + c] = static_cast<int32_t>(value < 255 ? value : 255);
    }
  }
  const Sum pixels = Sum{9} * static_cast<Sum>(blockWidth) * static_cast<Sum>(blockHeight);
  features.blue = static_cast<int32_t>(blue / pixels);
  features.green = static_cast<int32_t>(green / pixels);
  features.red = static_cast<int32_t>(red / pixels);
  return features;
}

const GlyphDefinition& FindNearestGlyph(const GlyphDefinition* definitions, uint32_t count,
                                        const GlyphDefinition& features) {
  const int32_t probe[12] = {features.blue,    features.green,   features.red,
                             features.edge[0], features.edge[1], features.edge[2],
                             features.edge[3], features.edge[4], features.edge[5],
                             features.edge[6], features.edge[7], features.edge[8]};
  const GlyphDefinition* best = definitions;
  uint64_t least = kSaturated;
  for (uint32_t i = 0; i < count; ++i) {
    const GlyphDefinition& record = definitions[i];
    const int32_t values[12] = {record.blue,    record.green,   record.red,
                                record.edge[0], record.edge[1], record.edge[2],
                                record.edge[3], record.edge[4], record.edge[5],
                                record.edge[6], record.edge[7], record.edge[8]};
    uint64_t distance = 0;
    // Terms are never negative, so once the sum reaches the best distance so far
    // this record cannot win (a tie keeps the earlier one): stop summing.
    for (int k = 0; k < 12 && distance < least; ++k) {
      distance = SaturatingAdd(distance, CubedDistance(probe[k], values[k]));
    }
    if (distance < least) {
      least = distance;
      best = &record;
    }
  }
  return *best;
}

namespace {

// The twelve compared values of a record, blue to the last edge.
inline void ComparedValues(const GlyphDefinition& g, int32_t out[12]) {
  out[0] = g.blue;
  out[1] = g.green;
  out[2] = g.red;
  for (int k = 0; k < 9; ++k) out[3 + k] = g.edge[k];
}

// Record values for which every |difference| from a feature (0-255) is at most
// 563, so that twelve cubes sum below 2^31: the table below and 32-bit sums serve.
constexpr int32_t kSmallLow = -308;
constexpr int32_t kSmallHigh = 563;

struct CubeTable {
  uint32_t cube[kSmallHigh + 1];
  constexpr CubeTable() : cube() {
    for (uint32_t d = 0; d <= kSmallHigh; ++d) cube[d] = d * d * d;
  }
};
constexpr CubeTable kCubes;
static_assert(12ull * kSmallHigh * kSmallHigh * kSmallHigh < (1ull << 31),
              "twelve cubes of 563 fit a signed 32-bit sum");

// FindNearestGlyph over a whole picture, with the same answers: it starts from the
// previous tile's winner (neighbouring tiles tend to look alike), so that most
// records are dropped after a few terms, and reuses the answer for a repeated probe.
class NearestGlyphSearch {
 public:
  NearestGlyphSearch(const GlyphDefinition* definitions, uint32_t count)
      : definitions_(definitions), count_(count) {
    for (uint32_t i = 0; i < count && small_; ++i) {
      int32_t values[12];
      ComparedValues(definitions[i], values);
      for (int32_t v : values) small_ = small_ && v >= kSmallLow && v <= kSmallHigh;
    }
  }

  const GlyphDefinition& Find(const GlyphDefinition& features) {
    int32_t probe[12];
    ComparedValues(features, probe);
    if (havePrevious_ && std::equal(probe, probe + 12, previousProbe_)) {
      return definitions_[previous_];
    }
    previous_ = small_ ? Search<uint32_t>(probe) : Search<uint64_t>(probe);
    std::copy(probe, probe + 12, previousProbe_);
    havePrevious_ = true;
    return definitions_[previous_];
  }

 private:
  template <typename Distance>
  static Distance Term(int32_t probe, int32_t value) {
    if constexpr (sizeof(Distance) == 4) {
      return kCubes.cube[probe > value ? probe - value : value - probe];
    } else {
      return CubedDistance(probe, value);
    }
  }

  // Distance of record i, or any value above limit once the sum passes it.
  template <typename Distance>
  Distance DistanceUpTo(uint32_t i, const int32_t probe[12], Distance limit) const {
    int32_t values[12];
    ComparedValues(definitions_[i], values);
    Distance sum = 0;
    for (int k = 0; k < 12 && sum <= limit; ++k) {
      if constexpr (sizeof(Distance) == 4) {
        sum += Term<Distance>(probe[k], values[k]);
      } else {
        sum = SaturatingAdd(sum, Term<Distance>(probe[k], values[k]));
      }
    }
    return sum;
  }

  // The least distance, the earliest record among equals: what a plain scan in
  // table order with a strict comparison chooses.
  template <typename Distance>
  uint32_t Search(const int32_t probe[12]) const {
    const Distance kMax = static_cast<Distance>(~Distance{0});
    uint32_t best = previous_;
    Distance least = DistanceUpTo<Distance>(best, probe, kMax);
    for (uint32_t i = 0; i < count_; ++i) {
      if (i == best) continue;
      if (i > best && least == 0) break;
      // An earlier record wins a tie, a later one must be strictly nearer.
      Distance limit = i < best ? least : least - 1;
      Distance distance = DistanceUpTo<Distance>(i, probe, limit);
      if (distance <= limit) {
        least = distance;
        best = i;
      }
    }
    return best;
  }

  const GlyphDefinition* definitions_;
  uint32_t count_;
  bool small_ = true;
  bool havePrevious_ = false;
  uint32_t previous_ = 0;
  int32_t previousProbe_[12] = {};
};

}  // namespace

void ConvertTiles(const uint8_t* grid, int32_t width, int32_t height,
                  const GlyphDefinition* definitions, uint32_t count,
                  int32_t blockWidth, int32_t blockHeight, char* out) {
  // 64-bit so that any block size whose tile exceeds the picture fits no tile.
  const int64_t tileWidth = int64_t{3} * blockWidth;
  const int64_t tileHeight = int64_t{3} * blockHeight;
  NearestGlyphSearch search(definitions, count);
  char* next = out;
  for (int64_t y = 0; y + tileHeight <= height; y += tileHeight) {
    for (int64_t x = 0; x + tileWidth <= width; x += tileWidth) {
      GlyphDefinition features = TileFeatures(grid, width, static_cast<int32_t>(x),
                                              static_cast<int32_t>(y), blockWidth, blockHeight);
      *next++ = static_cast<char>(static_cast<uint8_t>(search.Find(features).character));
    }
    *next++ = '\r';
    *next++ = '\n';
  }
  *next = '\0';
}
