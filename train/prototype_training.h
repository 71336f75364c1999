#ifndef GLYPHRANE_TRAIN_PROTOTYPE_TRAINING_H_
#define GLYPHRANE_TRAIN_PROTOTYPE_TRAINING_H_

#include <cstddef>
#include <cstdint>
#include <vector>

#include "convert/glyph_definition.h"
#include "train/glyph_costs.h"
#include "train/rule_outcome.h"
#include "train/training_tiles.h"

// Chooses the records of a definition file so that the converter's own rule (the
// nearest record by summed cubed differences, the earlier on a tie) picks, for the
// training tiles, glyphs that cost little. A glyph may get several records (its
// prototypes in different kinds of tile); records that win no tile are dropped.
struct TrainingSettings {
  uint32_t records = kDefinitionTableCapacity;  // at most this many
  int32_t rounds = 8;
  // How far a tile is pulled towards a record whose glyph suits it, against the
  // record's distance: distance + regretWeight x regret.
  int32_t regretWeight = 1;
  // At most this many records draw the same glyph (0: no limit), so that the
  // records spread over the set instead of crowding on the few glyphs of even tone.
  uint32_t recordsPerGlyph = 0;
  // Passes of the search on the rule itself that follows the rounds (0: none).
  int32_t refineSweeps = 0;
};

// glyphs: the set's own descriptions, in the order of regrets' glyphs; their
// characters label the records. The densest glyph (least summed colour) always
// keeps a record, so that the set's tones keep their range. The result holds at
// most settings.records records, ordered by character and then by value, the same
// for the same input on every build. REQUIRES: glyphs and regrets agree; tiles has
// at least one tile; settings.records >= 1.
std::vector<GlyphDefinition> TrainPrototypes(const std::vector<GlyphDefinition>& glyphs,
                                             const TrainingTiles& tiles, const TileRegrets& regrets,
                                             const TrainingSettings& settings);

// The index of the glyph of the least summed colour, the first on a tie: the set's
// densest. REQUIRES: glyphs is not empty.
size_t DensestGlyph(const std::vector<GlyphDefinition>& glyphs);

// Keeps the records that win a tile (winner: each tile's record), ordered so the
// file reads by character and then by value, and the densest glyph: a viewer reads
// every tone against the darkest glyph a text can hold, so a set without it would
// draw all its tones lighter. When it won no tile, `darkest` (its own description)
// joins, in place of the record that won the fewest where `limit` is reached.
std::vector<GlyphDefinition> KeepWinners(const std::vector<GlyphDefinition>& records,
                                         const std::vector<uint32_t>& winner,
                                         const GlyphDefinition& darkest, uint32_t limit);

#endif  // GLYPHRANE_TRAIN_PROTOTYPE_TRAINING_H_
