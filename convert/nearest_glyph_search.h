#ifndef GLYPHRANE_CONVERT_NEAREST_GLYPH_SEARCH_H_
#define GLYPHRANE_CONVERT_NEAREST_GLYPH_SEARCH_H_

#include <cstdint>

#include "convert/glyph_definition.h"

// FindNearestGlyph for every tile of a picture, with exactly its answers (least
// distance, earliest record among equals) but far less work per tile:
// - a repeated probe reuses the previous answer;
// - the search starts from the previous tile's winner, since neighbouring tiles
//   tend to look alike, and drops a record as soon as its partial sum loses;
// - for tables of up to 256 records it visits records in order of their blue value,
//   outward from the probe's, and stops once |blue difference|^3 alone loses;
// - when every record value lies in -308..563, cubes come from a table and sums
//   stay in 32 bits (twelve cubes of 563 are below 2^31).
// Keeps a copy of up to 256 records' values: no allocation, about 14 KB of stack.
class NearestGlyphSearch {
 public:
  // REQUIRES: count >= 1; definitions outlive the search and do not change.
  NearestGlyphSearch(const GlyphDefinition* definitions, uint32_t count);

  const GlyphDefinition& Find(const GlyphDefinition& features);

 private:
  static constexpr uint32_t kIndexedLimit = 256;

  template <typename Distance>
  uint32_t Search(const int32_t probe[12]) const;
  template <typename Distance>
  Distance DistanceUpTo(uint32_t record, const int32_t probe[12], Distance limit) const;
  void ValuesOf(uint32_t record, int32_t out[12]) const;

  const GlyphDefinition* definitions_;
  uint32_t count_;
  bool small_ = true;      // every value in the cube table's range
  bool indexed_ = false;   // count_ <= kIndexedLimit: values_, order_ and blues_ are set
  bool havePrevious_ = false;
  uint32_t previous_ = 0;
  int32_t previousProbe_[12] = {};
  int32_t values_[kIndexedLimit][12];
  uint16_t order_[kIndexedLimit];   // record numbers sorted by blue, stable
  int32_t blues_[kIndexedLimit];    // blue of order_[k]
};

#endif  // GLYPHRANE_CONVERT_NEAREST_GLYPH_SEARCH_H_
