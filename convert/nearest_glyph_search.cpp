#include "convert/nearest_glyph_search.h"

#include <algorithm>

#include "convert/cubed_distance.h"
#include "convert/record_layout.h"

namespace {

constexpr int32_t kSmallLow = -308;
constexpr int32_t kSmallHigh = 563;

struct CubeTable {
  uint32_t cube[kSmallHigh + 1];
  constexpr CubeTable() : cube() {
    for (uint32_t d = 0; d <= kSmallHigh; ++d) cube[d] = d * d * d;
  }
};
constexpr CubeTable kCubes;
// |probe - value| <= 563 stays within what CubeBounds takes at its coarsest scale.
static_assert(255 - kSmallLow < 1024 && kSmallHigh < 1024,
              "the small range's differences fit CubeBounds");

// CubeBounds' limit for a best distance of least: a record whose bound exceeds
// least in its units (rounded down) is farther than least, so it can neither win
// nor tie.
uint16_t BoundLimit(uint32_t least, uint32_t scale) {
  const uint32_t limit = least >> (32 - 3 * scale);
  return static_cast<uint16_t>(limit < 65535 ? limit : 65535);
}

template <typename Distance>
inline Distance AddTerm(Distance sum, int32_t probe, int32_t value) {
  if constexpr (sizeof(Distance) == 4) {
    // Features lie in 0-255 and values in -308..563: |difference| <= 563.
    return sum + kCubes.cube[probe > value ? probe - value : value - probe];
  } else {
    return SaturatingAdd(sum, CubedDistance(probe, value));
  }
}

}  // namespace

NearestGlyphSearch::NearestGlyphSearch(const GlyphDefinition* definitions, uint32_t count)
    : definitions_(definitions),
      count_(count),
      indexed_(count <= kIndexedLimit),
      kernels_(ActiveKernels()) {
  for (uint32_t i = 0; i < count && small_; ++i) {
    int32_t values[12];
    ComparedValues(definitions[i], values);
    for (int32_t v : values) small_ = small_ && v >= kSmallLow && v <= kSmallHigh;
  }
  if (!indexed_) return;
  for (uint32_t i = 0; i < count; ++i) order_[i] = static_cast<uint16_t>(i);
  std::stable_sort(order_, order_ + count, [definitions](uint16_t a, uint16_t b) {
    return definitions[a].blue < definitions[b].blue;
  });
  for (uint32_t i = 0; i < count; ++i) {
    ComparedValues(definitions[order_[i]], rows_[i]);
    placeOf_[order_[i]] = static_cast<uint16_t>(i);
    blues_[i] = rows_[i][0];
  }
  if (!small_) return;
  // Probes lie in 0-255; the finest unit the widest difference allows.
  int32_t widest = 0;
  for (uint32_t i = 0; i < count; ++i) {
    for (int32_t v : rows_[i]) widest = std::max(widest, std::max(v, 255 - v));
  }
  scale_ = widest < 256 ? 8 : widest < 512 ? 7 : 6;
  const uint32_t padded = (count + kRecordGroup - 1) / kRecordGroup * kRecordGroup;
  for (uint32_t i = 0; i < padded; ++i) {
    // Filling up repeats the last place, so that it never brings the least bound
    // that CubeBounds' threshold follows below the table's own.
    for (uint32_t k = 0; k < 12; ++k) {
      columns_[GroupedAt(i, k)] = static_cast<int16_t>(rows_[i < count ? i : count - 1][k]);
    }
  }
  GroupBoxes(columns_, count, boxes_);
}

const GlyphDefinition& NearestGlyphSearch::Find(const GlyphDefinition& features) {
  int32_t probe[12];
  ComparedValues(features, probe);
  if (havePrevious_ && std::equal(probe, probe + 12, previousProbe_)) {
    return definitions_[previous_];
  }
  previous_ = !small_ ? Search<uint64_t>(probe)
              : indexed_ ? SearchByBounds(probe)
                         : Search<uint32_t>(probe);
  std::copy(probe, probe + 12, previousProbe_);
  havePrevious_ = true;
  return definitions_[previous_];
}

void NearestGlyphSearch::ValuesOf(uint32_t record, int32_t out[12]) const {
  if (indexed_) {
    std::copy(rows_[placeOf_[record]], rows_[placeOf_[record]] + 12, out);
  } else {
    ComparedValues(definitions_[record], out);
  }
}

template <typename Distance>
Distance NearestGlyphSearch::DistanceUpTo(uint32_t record, const int32_t probe[12],
                                          Distance limit) const {
  int32_t values[12];
  ValuesOf(record, values);
  Distance sum = 0;
  // Terms are never negative: once the sum passes the limit the record has lost.
  for (int k = 0; k < 12 && sum <= limit; ++k) sum = AddTerm<Distance>(sum, probe[k], values[k]);
  return sum;
}

template <typename Distance>
uint32_t NearestGlyphSearch::Search(const int32_t probe[12]) const {
  const Distance kMax = static_cast<Distance>(~Distance{0});
  uint32_t best = previous_;
  Distance least = DistanceUpTo<Distance>(best, probe, kMax);

  // Record i replaces the best when nearer, or equally near and earlier in the
  // table: the plain scan's choice.
  auto consider = [&](uint32_t i) {
    if (i == best) return;
    if (i > best && least == 0) return;
    Distance limit = i < best ? least : least - 1;
    Distance distance = DistanceUpTo<Distance>(i, probe, limit);
    if (distance <= limit) {
      least = distance;
      best = i;
    }
  };

  if (!indexed_) {
    for (uint32_t i = 0; i < count_; ++i) consider(i);
    return best;
  }

  // Outward from the probe's blue; the blue term alone bounds a record's distance
  // from below, and it only grows further out, so the walk ends once it loses.
  const int32_t blue = probe[0];
  uint32_t up = static_cast<uint32_t>(std::lower_bound(blues_, blues_ + count_, blue) - blues_);
  uint32_t down = up;  // the next record below is down - 1
  while (up < count_ || down > 0) {
    uint64_t gapUp = up < count_ ? CubedDistance(blues_[up], blue) : kSaturatedDistance;
    uint64_t gapDown = down > 0 ? CubedDistance(blue, blues_[down - 1]) : kSaturatedDistance;
    bool goUp = up < count_ && (down == 0 || gapUp <= gapDown);
    if ((goUp ? gapUp : gapDown) > static_cast<uint64_t>(least)) break;
    consider(order_[goUp ? up++ : --down]);
  }
  return best;
}

uint32_t NearestGlyphSearch::SearchByBounds(const int32_t probe[12]) {
  uint32_t best = previous_;
  uint32_t least = kernels_.exactDistance(rows_[placeOf_[best]], probe);
  const uint32_t listed = kernels_.cubeBounds(columns_, count_, boxes_, probe, scale_,
                                              BoundLimit(least, scale_), bounds_, listed_);
  // Every record left out is farther than the record of the least bound, which is
  // always listed, or than the previous winner, whose bound is within limit: when
  // one is listed, it is the nearest, with no tie.
  if (listed == 1) return order_[listed_[0]];
  uint32_t distance = 0;
  const uint32_t nearest =
      kernels_.nearestListed(&rows_[0][0], listed_, listed, probe, order_, &distance);
  // The plain scan's choice: nearer, or as near and earlier in the table.
  if (nearest != UINT32_MAX && (distance < least || (distance == least && nearest < best))) {
    best = nearest;
  }
  return best;
}
