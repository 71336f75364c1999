#include "train/rule_refinement.h"

#include <algorithm>

#include "train/nearest_records.h"
#include "train/rule_outcome.h"

namespace {

class RuleSearch {
 public:
  RuleSearch(const TrainingTiles& tiles, const TileRegrets& regrets,
             const std::vector<GlyphDefinition>& records, const std::vector<uint32_t>& glyph)
      : regrets_(regrets), rule_(tiles, records), glyph_(glyph) {}

  uint64_t Regret() const {
    uint64_t sum = 0;
    for (size_t t = 0; t < rule_.Tiles(); ++t) sum += RegretOf(t, rule_.Winner(t));
    return sum;
  }

  void Relabel(uint32_t r, uint32_t perGlyph) {
    std::vector<int64_t> sums(regrets_.glyphs, 0);
    for (size_t t = 0; t < rule_.Tiles(); ++t) {
      if (rule_.Winner(t) != r) continue;
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
    rule_.Hold(r);
    for (int32_t move = 0; move < moves; ++move) {
      const std::vector<uint32_t> reachable = rule_.Reachable(step);
      int64_t bestChange = 0;
      int32_t bestValue = 0, bestIndex = -1;
      for (int32_t k = 0; k < 12; ++k) {
        for (int32_t sign : {-1, 1}) {
          const int32_t value = std::clamp(rule_.Value(r, k) + sign * step, 0, 255);
          if (value == rule_.Value(r, k)) continue;
          const int64_t change = RegretChange(reachable, k, value);
          if (change < bestChange) bestChange = change, bestIndex = k, bestValue = value;
        }
      }
      if (bestIndex < 0) return;
      rule_.Move(bestIndex, bestValue);
    }
  }

  void Store(std::vector<GlyphDefinition>* records, std::vector<uint32_t>* glyph) const {
    rule_.Store(records);
    *glyph = glyph_;
  }

  uint32_t Records() const { return rule_.Records(); }

 private:
  int64_t RegretOf(size_t t, uint32_t r) const { return regrets_.Of(t)[glyph_[r]]; }

  int64_t RegretChange(const std::vector<uint32_t>& reachable, int32_t k, int32_t value) const {
    int64_t change = 0;
    for (uint32_t t : reachable) {
      const uint32_t winner = rule_.WinnerIf(t, k, value);
      if (winner != rule_.Winner(t)) change += RegretOf(t, winner) - RegretOf(t, rule_.Winner(t));
    }
    return change;
  }

  const TileRegrets& regrets_;
  NearestRecords rule_;
  std::vector<uint32_t> glyph_;
};

}  // namespace

uint64_t RefineOnRule(const TrainingTiles& tiles, const TileRegrets& regrets,
                      const RefinementSettings& settings, std::vector<GlyphDefinition>* records,
                      std::vector<uint32_t>* recordGlyph) {
  if (!NearestRecords::WithinSearchRange(*records) ||
      !NearestRecords::WithinSearchRange(tiles.features)) {
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
