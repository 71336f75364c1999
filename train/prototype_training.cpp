#include "train/prototype_training.h"

#include <algorithm>
#include <numeric>
#include <tuple>

#include "convert/cubed_distance.h"
#include "train/rule_refinement.h"

namespace {

// Records and the glyph (index into the set) each one draws.
struct Prototypes {
  std::vector<GlyphDefinition> records;
  std::vector<uint32_t> glyph;
};

uint64_t Distance(const GlyphDefinition& a, const GlyphDefinition& b) {
  int32_t x[12], y[12];
  ComparedValues(a, x);
  ComparedValues(b, y);
  uint64_t sum = 0;
  for (int k = 0; k < 12; ++k) sum = SaturatingAdd(sum, CubedDistance(x[k], y[k]));
  return sum;
}

GlyphDefinition Labelled(GlyphDefinition values, const GlyphDefinition& glyph) {
  values.character = glyph.character;
  values.spare = 0;
  return values;
}

// The tiles the rule serves worst, worst first (the earlier tile on a tie), each
// kind of tile once: where new records do the most good.
std::vector<uint32_t> WorstServedTiles(const RuleOutcome& outcome,
                                       const std::vector<uint32_t>& recordGlyph,
                                       const TileRegrets& regrets, const TrainingTiles& tiles,
                                       size_t wanted) {
  std::vector<uint32_t> order(tiles.Count());
  std::iota(order.begin(), order.end(), 0u);
  auto regretOf = [&](uint32_t t) { return regrets.Of(t)[recordGlyph[outcome.winner[t]]]; };
  std::stable_sort(order.begin(), order.end(),
                   [&](uint32_t a, uint32_t b) { return regretOf(a) > regretOf(b); });
  std::vector<uint32_t> chosen;
  for (uint32_t t : order) {
    if (chosen.size() == wanted || regretOf(t) == 0) break;
    bool seen = false;
    for (uint32_t c : chosen) seen = seen || Distance(tiles.features[c], tiles.features[t]) == 0;
    if (!seen) chosen.push_back(t);
  }
  return chosen;
}

// The glyph that suits a tile best among those with room for another record
// (other than record `except`); any glyph when perGlyph is 0.
uint32_t RoomyGlyph(const Prototypes& p, uint32_t tile, const TileRegrets& regrets,
                    uint32_t perGlyph, size_t except) {
  std::vector<uint32_t> taken(regrets.glyphs, 0);
  for (size_t r = 0; r < p.glyph.size(); ++r) {
    if (r != except) ++taken[p.glyph[r]];
  }
  const uint32_t* regret = regrets.Of(tile);
  uint32_t best = regrets.target[tile];
  if (perGlyph == 0 || taken[best] < perGlyph) return best;
  for (uint32_t g = 0; g < regrets.glyphs; ++g) {
    if (taken[g] < perGlyph && (taken[best] >= perGlyph || regret[g] < regret[best])) best = g;
  }
  return best;
}

// Puts record r (a new one when r is the record count) at a tile's features.
void PlaceRecord(size_t r, uint32_t tile, const std::vector<GlyphDefinition>& glyphs,
                 const TrainingTiles& tiles, const TileRegrets& regrets, uint32_t perGlyph,
                 Prototypes* p) {
  const uint32_t glyph = RoomyGlyph(*p, tile, regrets, perGlyph, r);
  const GlyphDefinition record = Labelled(tiles.features[tile], glyphs[glyph]);
  if (r == p->records.size()) {
    p->records.push_back(record);
    p->glyph.push_back(glyph);
  } else {
    p->records[r] = record;
    p->glyph[r] = glyph;
  }
}

// The set's own descriptions, then records at the tiles they serve worst.
Prototypes Seeded(const std::vector<GlyphDefinition>& glyphs, const TrainingTiles& tiles,
                  const TileRegrets& regrets, uint32_t limit, uint32_t perGlyph) {
  Prototypes p;
  for (uint32_t g = 0; g < glyphs.size() && p.records.size() < limit; ++g) {
    p.records.push_back(Labelled(glyphs[g], glyphs[g]));
    p.glyph.push_back(g);
  }
  const RuleOutcome outcome = ApplyRule(p.records, p.glyph, tiles, regrets);
  for (uint32_t t : WorstServedTiles(outcome, p.glyph, regrets, tiles, limit - p.records.size())) {
    PlaceRecord(p.records.size(), t, glyphs, tiles, regrets, perGlyph, &p);
  }
  return p;
}

// Each tile to the record that is near and draws a glyph that suits it.
std::vector<uint32_t> PulledAssignment(const Prototypes& p, const TrainingTiles& tiles,
                                       const TileRegrets& regrets, int32_t regretWeight) {
  std::vector<uint32_t> member(tiles.Count());
  for (size_t t = 0; t < tiles.Count(); ++t) {
    const uint32_t* regret = regrets.Of(t);
    uint64_t best = kSaturatedDistance;
    for (uint32_t r = 0; r < p.records.size(); ++r) {
      const uint64_t pull = SaturatingAdd(Distance(tiles.features[t], p.records[r]),
                                          uint64_t{regret[p.glyph[r]]} * regretWeight);
      if (pull < best) best = pull, member[t] = r;
    }
  }
  return member;
}

// The glyph of least summed regret over its tiles for each record that has tiles,
// at most perGlyph records a glyph: the records with most tiles choose first.
void Relabel(const std::vector<int64_t>& regretSums, const std::vector<int64_t>& members,
             size_t glyphs, uint32_t perGlyph, Prototypes* p) {
  std::vector<uint32_t> order;
  for (uint32_t r = 0; r < members.size(); ++r) {
    if (members[r] > 0) order.push_back(r);
  }
  std::stable_sort(order.begin(), order.end(),
                   [&](uint32_t a, uint32_t b) { return members[a] > members[b]; });
  std::vector<uint32_t> taken(glyphs, 0);
  for (uint32_t r : order) {
    const int64_t* regret = &regretSums[r * glyphs];
    uint32_t best = UINT32_MAX;
    for (uint32_t g = 0; g < glyphs; ++g) {
      if (perGlyph != 0 && taken[g] >= perGlyph) continue;
      if (best == UINT32_MAX || regret[g] < regret[best]) best = g;
    }
    if (best == UINT32_MAX) continue;  // not reached: records are capped by the glyphs' room
    p->glyph[r] = best;
    ++taken[best];
  }
}

// Moves each record to the rounded mean features of its tiles and relabels it.
// Returns the records left without tiles.
std::vector<uint32_t> Recentred(const std::vector<uint32_t>& member, const TrainingTiles& tiles,
                                const TileRegrets& regrets,
                                const std::vector<GlyphDefinition>& glyphs, uint32_t perGlyph,
                                Prototypes* p) {
  const size_t count = p->records.size();
  std::vector<int64_t> sums(count * 12, 0), regretSums(count * regrets.glyphs, 0);
  std::vector<int64_t> members(count, 0);
  for (size_t t = 0; t < tiles.Count(); ++t) {
    const uint32_t r = member[t];
    int32_t values[12];
    ComparedValues(tiles.features[t], values);
    for (int k = 0; k < 12; ++k) sums[12 * r + k] += values[k];
    const uint32_t* regret = regrets.Of(t);
    for (size_t g = 0; g < regrets.glyphs; ++g) regretSums[r * regrets.glyphs + g] += regret[g];
    ++members[r];
  }
  Relabel(regretSums, members, regrets.glyphs, perGlyph, p);
  std::vector<uint32_t> empty;
  for (uint32_t r = 0; r < count; ++r) {
    if (members[r] == 0) {
      empty.push_back(r);
      continue;
    }
    int32_t mean[12];
    for (int k = 0; k < 12; ++k) {
      mean[k] = static_cast<int32_t>((sums[12 * r + k] + members[r] / 2) / members[r]);
    }
    GlyphDefinition& record = p->records[r];
    record.blue = mean[0], record.green = mean[1], record.red = mean[2];
    std::copy(mean + 3, mean + 12, record.edge);
    record.character = glyphs[p->glyph[r]].character;
  }
  return empty;
}

}  // namespace

size_t DensestGlyph(const std::vector<GlyphDefinition>& glyphs) {
  auto sum = [](const GlyphDefinition& g) { return int64_t{g.blue} + g.green + g.red; };
  return static_cast<size_t>(
      std::min_element(glyphs.begin(), glyphs.end(),
                       [&](const auto& a, const auto& b) { return sum(a) < sum(b); }) -
      glyphs.begin());
}

std::vector<GlyphDefinition> KeepWinners(const std::vector<GlyphDefinition>& records,
                                         const std::vector<uint32_t>& winner,
                                         const GlyphDefinition& darkest, uint32_t limit) {
  std::vector<uint64_t> wins(records.size(), 0);
  for (uint32_t r : winner) ++wins[r];
  std::vector<GlyphDefinition> kept;
  std::vector<uint64_t> keptWins;
  bool hasDarkest = false;
  for (size_t r = 0; r < records.size(); ++r) {
    if (wins[r] == 0) continue;
    kept.push_back(records[r]);
    keptWins.push_back(wins[r]);
    hasDarkest = hasDarkest || records[r].character == darkest.character;
  }
  if (!hasDarkest) {
    if (kept.size() >= limit) {
      const size_t fewest = static_cast<size_t>(std::min_element(keptWins.begin(), keptWins.end()) -
                                                keptWins.begin());
      kept.erase(kept.begin() + static_cast<std::ptrdiff_t>(fewest));
    }
    kept.push_back(darkest);
  }
  auto key = [](const GlyphDefinition& g) {
    return std::make_tuple(g.character & 0xFF, g.blue, g.green, g.red, g.edge[0], g.edge[1],
                           g.edge[2], g.edge[3], g.edge[4], g.edge[5], g.edge[6], g.edge[7],
                           g.edge[8]);
  };
  std::sort(kept.begin(), kept.end(),
            [&](const GlyphDefinition& a, const GlyphDefinition& b) { return key(a) < key(b); });
  return kept;
}

std::vector<GlyphDefinition> TrainPrototypes(const std::vector<GlyphDefinition>& glyphs,
                                             const TrainingTiles& tiles, const TileRegrets& regrets,
                                             const TrainingSettings& settings) {
  // More records than the glyphs may carry would leave some without a glyph.
  uint32_t limit = settings.records;
  if (settings.recordsPerGlyph != 0) {
    limit = static_cast<uint32_t>(
        std::min<uint64_t>(limit, uint64_t{settings.recordsPerGlyph} * glyphs.size()));
  }
  Prototypes p = Seeded(glyphs, tiles, regrets, limit, settings.recordsPerGlyph);
  Prototypes best = p;
  RuleOutcome bestOutcome = ApplyRule(p.records, p.glyph, tiles, regrets);
  for (int32_t round = 0; round < settings.rounds; ++round) {
    const std::vector<uint32_t> member = PulledAssignment(p, tiles, regrets, settings.regretWeight);
    const std::vector<uint32_t> empty =
        Recentred(member, tiles, regrets, glyphs, settings.recordsPerGlyph, &p);
    RuleOutcome outcome = ApplyRule(p.records, p.glyph, tiles, regrets);
    // Records no tile wants start again where the rule does worst.
    const std::vector<uint32_t> reseeds =
        WorstServedTiles(outcome, p.glyph, regrets, tiles, empty.size());
    for (size_t i = 0; i < reseeds.size(); ++i) {
      PlaceRecord(empty[i], reseeds[i], glyphs, tiles, regrets, settings.recordsPerGlyph, &p);
    }
    if (!reseeds.empty()) outcome = ApplyRule(p.records, p.glyph, tiles, regrets);
    if (outcome.regret < bestOutcome.regret) best = p, bestOutcome = std::move(outcome);
  }
  if (settings.refineSweeps > 0) {
    RefinementSettings refinement;
    refinement.sweeps = settings.refineSweeps;
    refinement.recordsPerGlyph = settings.recordsPerGlyph;
    RefineOnRule(tiles, regrets, refinement, &best.records, &best.glyph);
    for (size_t r = 0; r < best.records.size(); ++r) {
      best.records[r].character = glyphs[best.glyph[r]].character;
    }
    bestOutcome = ApplyRule(best.records, best.glyph, tiles, regrets);
  }
  return KeepWinners(best.records, bestOutcome.winner, glyphs[DensestGlyph(glyphs)],
                     settings.records);
}
