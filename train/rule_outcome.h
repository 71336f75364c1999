#ifndef GLYPHRANE_TRAIN_RULE_OUTCOME_H_
#define GLYPHRANE_TRAIN_RULE_OUTCOME_H_

#include <cstdint>
#include <vector>

#include "convert/glyph_definition.h"
#include "train/glyph_costs.h"
#include "train/training_tiles.h"

// What the converter's own rule (the nearest record, the earlier on a tie) makes
// of the training tiles with a set of records, record r drawing glyph
// recordGlyph[r]: the figure every stage of training is judged by.
struct RuleOutcome {
  uint64_t regret = 0;           // summed over the tiles
  std::vector<uint32_t> winner;  // each tile's record
};

// REQUIRES: records is not empty and recordGlyph matches it.
RuleOutcome ApplyRule(const std::vector<GlyphDefinition>& records,
                      const std::vector<uint32_t>& recordGlyph, const TrainingTiles& tiles,
                      const TileRegrets& regrets);

#endif  // GLYPHRANE_TRAIN_RULE_OUTCOME_H_
