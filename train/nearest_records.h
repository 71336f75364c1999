#ifndef GLYPHRANE_TRAIN_NEAREST_RECORDS_H_
#define GLYPHRANE_TRAIN_NEAREST_RECORDS_H_

#include <cstddef>
#include <cstdint>
#include <vector>

#include "convert/glyph_definition.h"
#include "train/training_tiles.h"

// The converter's rule (the nearest record by summed cubed differences, the
// earlier on a tie) over the training tiles, kept up to date while the searches
// move one record's values: each tile's two nearest records are known, so the
// effect of a move on a tile is a sum of two cubes and one comparison.
class NearestRecords {
 public:
  // REQUIRES: records is not empty; every value of records and tiles lies within
  // WithinSearchRange.
  NearestRecords(const TrainingTiles& tiles, const std::vector<GlyphDefinition>& records);

  // Values this small keep every sum of twelve cubed differences inside 64 bits,
  // so that distances are plain sums and moving one value changes them by two
  // cubes.
  static bool WithinSearchRange(const std::vector<GlyphDefinition>& definitions);

  size_t Tiles() const { return first_.size(); }
  uint32_t Records() const { return static_cast<uint32_t>(recordValues_.size() / 12); }
  uint32_t Winner(size_t t) const { return first_[t].record; }
  int32_t Value(uint32_t r, int32_t k) const { return recordValues_[12 * r + k]; }

  // Takes record r in hand: the moves below are of its values.
  void Hold(uint32_t r);
  // The tiles whose winner a change of at most step in one of the held record's
  // values can change: those it wins, and those it could come nearer than their
  // winner.
  std::vector<uint32_t> Reachable(int32_t step) const;
  // Who would win tile t with the held record's value k at value.
  uint32_t WinnerIf(size_t t, int32_t k, int32_t value) const;
  // Moves the held record's value k to value.
  void Move(int32_t k, int32_t value);

  // The records' values, written back into records (characters untouched).
  void Store(std::vector<GlyphDefinition>* records) const;

 private:
  struct Pick {
    int64_t distance = INT64_MAX;
    uint32_t record = UINT32_MAX;
  };
  static bool Nearer(const Pick& a, const Pick& b) {
    return a.distance < b.distance || (a.distance == b.distance && a.record < b.record);
  }
  int64_t DistanceTo(size_t t, uint32_t r) const;
  void FindNearest(size_t t);

  std::vector<int32_t> tileValues_, recordValues_;  // twelve per tile, per record
  std::vector<Pick> first_, second_;                // each tile's two nearest records
  uint32_t held_ = 0;
  std::vector<int64_t> distance_;  // each tile's distance to the held record
};

#endif  // GLYPHRANE_TRAIN_NEAREST_RECORDS_H_
