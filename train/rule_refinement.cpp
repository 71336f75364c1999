#include "train/rule_refinement.h"

#include <algorithm>

#include "convert/cubed_distance.h"
#include "train/rule_outcome.h"

namespace {

constexpr uint32_t kNoRecord = UINT32_MAX;

// A record's distance from a tile, ordered as the converter orders them: the
// nearer, then the earlier record.
struct Pick {
  int64_t distance = INT64_MAX;
  uint32_t record = kNoRecord;
};

bool Nearer(const Pick& a, const Pick& b) {
  return a.distance < b.distance || (a.distance == b.distance && a.record < b.record);
}

// The converter's cubed difference, signed so that distances can be nudged by
// differences of cubes; within the search's range it never saturates.
int64_t Cubed(int32_t a, int32_t b) { return static_cast<int64_t>(CubedDistance(a, b)); }

// Values this small keep every sum of twelve cubed differences inside 64 bits,
// so distances are plain sums here and moving one value changes them by two cubes.
constexpr int32_t kLargestSearchedValue = 1 << 18;

bool WithinSearchRange(const std::vector<GlyphDefinition>& definitions) {
  for (const GlyphDefinition& d : definitions) {
    int32_t values[12];
    ComparedValues(d, values);
    for (int32_t v : values) {
      if (v < -kLargestSearchedValue || v > kLargestSearchedValue) return false;
    }
  }
  return true;
}

class RuleSearch {
 public:
  RuleSearch(const TrainingTiles& tiles, const TileRegrets& regrets,
             const std::vector<GlyphDefinition>& records, const std::vector<uint32_t>& glyph)
      : regrets_(regrets), tileCount_(tiles.Count()), glyph_(glyph) {
    tileValues_.resize(12 * tileCount_);
    for (size_t t = 0; t < tileCount_; ++t) ComparedValues(tiles.features[t], &tileValues_[12 * t]);
    recordValues_.resize(12 * records.size());
    for (size_t r = 0; r < records.size(); ++r) ComparedValues(records[r], &recordValues_[12 * r]);
    first_.resize(tileCount_);
    second_.resize(tileCount_);
    distance_.resize(tileCount_);
    for (size_t t = 0; t < tileCount_; ++t) FindNearest(t);
  }

  uint64_t Regret() const {
    uint64_t sum = 0;
    for (size_t t = 0; t < tileCount_; ++t) sum += RegretOf(t, first_[t].record);
    return sum;
  }

  void Relabel(uint32_t r, uint32_t perGlyph) {
    std::vector<int64_t> sums(regrets_.glyphs, 0);
    for (size_t t = 0; t < tileCount_; ++t) {
      if (first_[t].record != r) continue;
      const uint32_t* regret = regrets_.Of(t);
      for (size_t g = 0; g < regrets_.glyphs; ++g) sums[g] += regret[g];
    }
    std::vector<uint32_t> taken(regrets_.glyphs, 0);
    for (uint32_t g : glyph_) ++taken[g];
    uint32_t best = glyph_[r];
    for (uint32_t g = 0; g < regrets_.glyphs; ++g) {
      if (perGlyph != 0 && g != glyph_[r] && taken[g] >= perGlyph) continue;
      if (sums[g] < sums[best]) best = g;
    }
    glyph_[r] = best;
  }

  // Nudges record r's values by step while a nudge lowers the regret, at most
  // `moves` times.
  void Nudge(uint32_t r, int32_t step, int32_t moves) {
    int32_t* values = &recordValues_[12 * r];
    for (size_t t = 0; t < tileCount_; ++t) distance_[t] = DistanceTo(t, r);
    for (int32_t move = 0; move < moves; ++move) {
      const std::vector<uint32_t> reachable = Reachable(r, step);
      int64_t bestChange = 0;
      int32_t bestValue = 0, bestIndex = -1;
      for (int32_t k = 0; k < 12; ++k) {
        for (int32_t sign : {-1, 1}) {
          const int32_t value = std::clamp(values[k] + sign * step, 0, 255);
          if (value == values[k]) continue;
          const int64_t change = RegretChange(r, reachable, k, value);
          if (change < bestChange) bestChange = change, bestIndex = k, bestValue = value;
        }
      }
      if (bestIndex < 0) return;
      Move(r, bestIndex, bestValue);
    }
  }

  void Store(std::vector<GlyphDefinition>* records, std::vector<uint32_t>* glyph) const {
    for (size_t r = 0; r < records->size(); ++r) {
      GlyphDefinition& record = (*records)[r];
      const int32_t* values = &recordValues_[12 * r];
      record.blue = values[0], record.green = values[1], record.red = values[2];
      std::copy(values + 3, values + 12, record.edge);
    }
    *glyph = glyph_;
  }

  uint32_t Records() const { return static_cast<uint32_t>(glyph_.size()); }

 private:
  int64_t RegretOf(size_t t, uint32_t r) const { return regrets_.Of(t)[glyph_[r]]; }

  int64_t DistanceTo(size_t t, uint32_t r) const {
    const int32_t* x = &tileValues_[12 * t];
    const int32_t* v = &recordValues_[12 * r];
    int64_t sum = 0;
    for (int k = 0; k < 12; ++k) sum += Cubed(x[k], v[k]);
    return sum;
  }

  void FindNearest(size_t t) {
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

  // Who wins tile t when record r stands at `distance` from it and no other record moves.
  uint32_t WinnerWith(size_t t, uint32_t r, int64_t distance) const {
    const Pick moved{distance, r};
    const Pick& rival = first_[t].record == r ? second_[t] : first_[t];
    return Nearer(moved, rival) ? r : rival.record;
  }

  // The tiles whose pick a nudge of record r by at most step can change: those it
  // wins, and those it could come nearer than their winner.
  std::vector<uint32_t> Reachable(uint32_t r, int32_t step) const {
    const int32_t* v = &recordValues_[12 * r];
    std::vector<uint32_t> reachable;
    for (size_t t = 0; t < tileCount_; ++t) {
      if (first_[t].record != r) {
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

  int64_t RegretChange(uint32_t r, const std::vector<uint32_t>& reachable, int32_t k,
                       int32_t value) const {
    const int32_t old = recordValues_[12 * r + k];
    int64_t change = 0;
    for (uint32_t t : reachable) {
      const int32_t x = tileValues_[12 * t + k];
      const int64_t distance = distance_[t] - Cubed(x, old) + Cubed(x, value);
      const uint32_t winner = WinnerWith(t, r, distance);
      if (winner != first_[t].record) change += RegretOf(t, winner) - RegretOf(t, first_[t].record);
    }
    return change;
  }

  void Move(uint32_t r, int32_t k, int32_t value) {
    const int32_t old = recordValues_[12 * r + k];
    recordValues_[12 * r + k] = value;
    for (size_t t = 0; t < tileCount_; ++t) {
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

  const TileRegrets& regrets_;
  size_t tileCount_;
  std::vector<uint32_t> glyph_;
  std::vector<int32_t> tileValues_, recordValues_;  // twelve per tile, per record
  std::vector<Pick> first_, second_;                // each tile's two nearest records
  std::vector<int64_t> distance_;                   // each tile's distance to the record in hand
};

}  // namespace

uint64_t RefineOnRule(const TrainingTiles& tiles, const TileRegrets& regrets,
                      const RefinementSettings& settings, std::vector<GlyphDefinition>* records,
                      std::vector<uint32_t>* recordGlyph) {
  if (!WithinSearchRange(*records) || !WithinSearchRange(tiles.features)) {
    return ApplyRule(*records, *recordGlyph, tiles, regrets).regret;
  }
  RuleSearch search(tiles, regrets, *records, *recordGlyph);
  int32_t step = std::max(1, settings.firstStep);
  for (int32_t sweep = 0; sweep < settings.sweeps; ++sweep) {
    for (uint32_t r = 0; r < search.Records(); ++r) {
      search.Relabel(r, settings.recordsPerGlyph);
      search.Nudge(r, step, 4);
    }
    step = std::max(1, step / 2);
  }
  search.Store(records, recordGlyph);
  return search.Regret();
}
