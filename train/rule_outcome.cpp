#include "train/rule_outcome.h"

#include "convert/tile_matching.h"

RuleOutcome ApplyRule(const std::vector<GlyphDefinition>& records,
                      const std::vector<uint32_t>& recordGlyph, const TrainingTiles& tiles,
                      const TileRegrets& regrets) {
  RuleOutcome outcome;
  outcome.winner.resize(tiles.Count());
  const uint32_t count = static_cast<uint32_t>(records.size());
  for (size_t t = 0; t < tiles.Count(); ++t) {
    const GlyphDefinition& nearest = FindNearestGlyph(records.data(), count, tiles.features[t]);
    const uint32_t r = static_cast<uint32_t>(&nearest - records.data());
    outcome.winner[t] = r;
    outcome.regret += regrets.Of(t)[recordGlyph[r]];
  }
  return outcome;
}
