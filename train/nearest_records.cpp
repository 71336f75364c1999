#include "train/nearest_records.h"

#include <algorithm>

#include "convert/cubed_distance.h"

namespace {

// The converter's cubed difference, signed so that distances can be moved by
// differences of cubes; within the search range it never saturates.
int64_t Cubed(int32_t a, int32_t b) { return static_cast<int64_t>(CubedDistance(a, b)); }

constexpr int32_t kLargestSearchedValue = 1 << 18;

}  // namespace

bool NearestRecords::WithinSearchRange(const std::vector<GlyphDefinition>& definitions) {
  for (const GlyphDefinition& d : definitions) {
    int32_t values[12];
    ComparedValues(d, values);
    for (int32_t v : values) {
      if (v < -kLargestSearchedValue || v > kLargestSearchedValue) return false;
    }
  }
  return true;
}

NearestRecords::NearestRecords(const TrainingTiles& tiles,
                               const std::vector<GlyphDefinition>& records) {
  const size_t count = tiles.Count();
  tileValues_.resize(12 * count);
  for (size_t t = 0; t < count; ++t) ComparedValues(tiles.features[t], &tileValues_[12 * t]);
  recordValues_.resize(12 * records.size());
  for (size_t r = 0; r < records.size(); ++r) ComparedValues(records[r], &recordValues_[12 * r]);
  first_.resize(count);
  second_.resize(count);
  distance_.resize(count);
  for (size_t t = 0; t < count; ++t) FindNearest(t);
}

int64_t NearestRecords::DistanceTo(size_t t, uint32_t r) const {
  const int32_t* x = &tileValues_[12 * t];
  const int32_t* v = &recordValues_[12 * r];
  int64_t sum = 0;
  for (int k = 0; k < 12; ++k) sum += Cubed(x[k], v[k]);
  return sum;
}

void NearestRecords::FindNearest(size_t t) {
  Pick first, second;
  for (uint32_t r = 0; r < Records(); ++r) {
    const Pick p{DistanceTo(t, r), r};
    if (Nearer(p, first)) {
      second = first, first = p;
    } else if (Nearer(p, second)) {
      second = p;
    }
  }
  first_[t] = first, second_[t] = second;
}

void NearestRecords::Hold(uint32_t r) {
  held_ = r;
  for (size_t t = 0; t < Tiles(); ++t) distance_[t] = DistanceTo(t, r);
}

std::vector<uint32_t> NearestRecords::Reachable(int32_t step) const {
  const int32_t* v = &recordValues_[12 * held_];
  std::vector<uint32_t> reachable;
  for (size_t t = 0; t < Tiles(); ++t) {
    if (first_[t].record != held_) {
      const int32_t* x = &tileValues_[12 * t];
      int64_t drop = 0;
      for (int k = 0; k < 12; ++k) {
        const int32_t gap = x[k] < v[k] ? v[k] - x[k] : x[k] - v[k];
        drop = std::max(drop, Cubed(gap, 0) - Cubed(std::max(0, gap - step), 0));
      }
      if (distance_[t] - drop > first_[t].distance) continue;
    }
    reachable.push_back(static_cast<uint32_t>(t));
  }
  return reachable;
}

uint32_t NearestRecords::WinnerIf(size_t t, int32_t k, int32_t value) const {
  const int32_t x = tileValues_[12 * t + k];
  const Pick moved{distance_[t] - Cubed(x, recordValues_[12 * held_ + k]) + Cubed(x, value), held_};
  const Pick& rival = first_[t].record == held_ ? second_[t] : first_[t];
  return Nearer(moved, rival) ? held_ : rival.record;
}

void NearestRecords::Move(int32_t k, int32_t value) {
  const uint32_t r = held_;
  const int32_t old = recordValues_[12 * r + k];
  recordValues_[12 * r + k] = value;
  for (size_t t = 0; t < Tiles(); ++t) {
    const int32_t x = tileValues_[12 * t + k];
    const int64_t before = distance_[t];
    distance_[t] += Cubed(x, value) - Cubed(x, old);
    const Pick moved{distance_[t], r};
    if (first_[t].record == r) {
      // Still first only while nearer than the runner-up; else the runner-up
      // leads and the new runner-up is unknown.
      if (Nearer(moved, second_[t])) {
        first_[t] = moved;
      } else {
        FindNearest(t);
      }
    } else if (second_[t].record == r) {
      if (Nearer(moved, first_[t])) {
        second_[t] = first_[t], first_[t] = moved;
      } else if (distance_[t] <= before) {
        second_[t] = moved;  // came nearer: nothing else can have passed it
      } else {
        FindNearest(t);
      }
    } else if (Nearer(moved, first_[t])) {
      second_[t] = first_[t], first_[t] = moved;
    } else if (Nearer(moved, second_[t])) {
      second_[t] = moved;
    }
  }
}

void NearestRecords::Store(std::vector<GlyphDefinition>* records) const {
  for (size_t r = 0; r < records->size(); ++r) {
    GlyphDefinition& record = (*records)[r];
    const int32_t* values = &recordValues_[12 * r];
    record.blue = values[0], record.green = values[1], record.red = values[2];
    std::copy(values + 3, values + 12, record.edge);
  }
}
