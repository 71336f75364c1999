#ifndef GLYPHRANE_TRAIN_RULE_REFINEMENT_H_
#define GLYPHRANE_TRAIN_RULE_REFINEMENT_H_

#include <cstdint>
#include <vector>

#include "convert/glyph_definition.h"
#include "train/glyph_costs.h"
#include "train/training_tiles.h"

// The clustering rounds move records by a stand-in (each tile's pull towards a
// record), so their records still leave regret the converter's own rule could
// lose. This search works on that rule itself: it nudges one value of one record
// at a time, or gives a record another glyph, and keeps a change only when the
// summed regret of the rule's picks over the training tiles falls. Every change
// is judged exactly, in whole numbers, so the result is the same on every build.
struct RefinementSettings {
  int32_t sweeps = 0;            // passes over all records; 0 leaves them as they are
  int32_t firstStep = 16;        // the nudge of the first pass, halved each pass down to 1
  uint32_t recordsPerGlyph = 0;  // a relabelling keeps to this many records a glyph (0: any)
};

// records[r] draws glyph recordGlyph[r] (an index into regrets' glyphs). Returns
// the summed regret after refining; it is never above the regret before. Nudged
// values stay within 0-255, the tiles' range; records or tiles with values far
// outside it (beyond 2^18) are left as they are. REQUIRES: records is not empty
// and recordGlyph matches it.
uint64_t RefineOnRule(const TrainingTiles& tiles, const TileRegrets& regrets,
                      const RefinementSettings& settings, std::vector<GlyphDefinition>* records,
                      std::vector<uint32_t>* recordGlyph);

#endif  // GLYPHRANE_TRAIN_RULE_REFINEMENT_H_
