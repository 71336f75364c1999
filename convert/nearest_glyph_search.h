#ifndef GLYPHRANE_CONVERT_NEAREST_GLYPH_SEARCH_H_
#define GLYPHRANE_CONVERT_NEAREST_GLYPH_SEARCH_H_

#include <cstdint>

#include "convert/engine_kernels.h"
#include "convert/glyph_definition.h"

// FindNearestGlyph for every tile of a picture, with exactly its answers (least
// distance, earliest record among equals) but far less work per tile:
// - a repeated probe reuses the previous answer;
// - the search starts from the previous tile's winner, since neighbouring tiles
//   tend to look alike, and drops a record as soon as its partial sum loses;
// - for tables of up to 256 records it visits records in order of their blue value,
//   outward from the probe's, and stops once |blue difference|^3 alone loses;
// - when every record value lies in -308..563, cubes come from a table and sums
//   stay in 32 bits (twelve cubes of 563 are below 2^31); then, for tables of up
//   to 256 records, a lower bound of every record's distance is taken at once by
//   the vector kernels (cubes in 16 bits, in units of 2^8 when every value lies in
//   0-255, up to 2^14 otherwise, rounded down), which list the records whose bound
//   loses neither to the previous winner nor to the least bound, and only those
//   are summed exactly (none when one is listed: it is the nearest); the AVX2
//   kernel first bounds whole groups of 16 by their boxes (least and greatest of
//   each colour, and the whole table's of each edge), so groups far in tone are
//   never summed, and stops summing a group once its colours lose.
// Keeps copies of up to 256 records' values: no allocation, about 22 KB of stack.
class NearestGlyphSearch {
 public:
  // REQUIRES: count >= 1; definitions outlive the search and do not change.
  NearestGlyphSearch(const GlyphDefinition* definitions, uint32_t count);

  const GlyphDefinition& Find(const GlyphDefinition& features);

 private:
  static constexpr uint32_t kIndexedLimit = 256;
  static_assert(kIndexedLimit <= kRecordGroup * kRecordGroup && kIndexedLimit % 8 == 0,
                "CubeBounds takes the boxes of at most kRecordGroup groups, and "
                "nearestListed reads its list in eights");

  template <typename Distance>
  uint32_t Search(const int32_t probe[12]) const;
  uint32_t SearchByBounds(const int32_t probe[12]);
  template <typename Distance>
  Distance DistanceUpTo(uint32_t record, const int32_t probe[12], Distance limit) const;
  void ValuesOf(uint32_t record, int32_t out[12]) const;

  const GlyphDefinition* definitions_;
  uint32_t count_;
  bool small_ = true;      // every value in the cube table's range
  bool indexed_ = false;   // count_ <= kIndexedLimit: rows_, order_ and the rest are set
  bool havePrevious_ = false;
  uint32_t previous_ = 0;
  int32_t previousProbe_[12] = {};
  // The records in order of blue, stable: place i holds record order_[i], whose
  // values are rows_[i] and blue blues_[i]; record r is at place placeOf_[r].
  alignas(32) int32_t rows_[kIndexedLimit][12];
  uint16_t order_[kIndexedLimit] = {};
  uint16_t placeOf_[kIndexedLimit] = {};
  int32_t blues_[kIndexedLimit];
  // For SearchByBounds, set when small_ and indexed_: the places' values in 16 bits,
  // grouped (GroupedAt), the last group filled up with the last place; bounds_ and
  // listed_ are CubeBounds' answers for one probe.
  const EngineKernels& kernels_;
  uint32_t scale_ = 6;  // CubeBounds' scale: the finest that the values allow
  alignas(32) int16_t columns_[12 * kIndexedLimit];
  alignas(32) int16_t boxes_[kBoxValues];
  alignas(32) uint16_t bounds_[kIndexedLimit];
  uint16_t listed_[kIndexedLimit] = {};
};

#endif  // GLYPHRANE_CONVERT_NEAREST_GLYPH_SEARCH_H_
