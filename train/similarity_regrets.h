#ifndef GLYPHRANE_TRAIN_SIMILARITY_REGRETS_H_
#define GLYPHRANE_TRAIN_SIMILARITY_REGRETS_H_

#include <cstdint>
#include <vector>

#include "train/glyph_costs.h"
#include "train/training_tiles.h"

// Regrets by what the viewer sees: each glyph is set into its tile among the
// picture's own blocks, both pictures are blurred by one cell (a 3 x 3 box of
// blocks), and the local similarity (SSIM over windows of 5 x 5 blocks, every
// window the change reaches) is summed. A glyph's regret is how far that sum falls
// short of the best glyph's, in 1/65536 of one window's similarity, plus what it
// loses of EdgeReward(edgeWeight) against that glyph. Judging the
// glyph in its surroundings rather than on its own cell is what keeps flat areas
// flat: a glyph whose tone or texture stands out from its neighbours costs there,
// while a stroke that continues the picture's outline does not.
// The neighbours are the picture's own blocks when drawn is null. Otherwise they
// are the glyphs drawn[t] (indices of shapes' glyphs, one per tile) that the
// records currently choose: among its neighbours' glyphs, a glyph that differs from
// them leaves a ripple that the blur does not smooth, while a field of one glyph
// blurs even, which is what the viewer's eye and the tone figure reward.
// REQUIRES: tiles came from AddPictureTiles (their sheets cover them); drawn, if
// given, holds one glyph below shapes.Count() per tile.
TileRegrets ComputeSimilarityRegrets(const TrainingTiles& tiles, const GlyphShapes& shapes,
                                     int32_t edgeWeight,
                                     const std::vector<uint32_t>* drawn = nullptr);

// The summed similarity of the windows around one tile with blocks in it instead
// of its own, in 2^-48 of one window's: the figure the regrets compare. Exposed for
// the tests. REQUIRES: tile < tiles.Count().
int64_t SimilarityWithBlocks(const TrainingTiles& tiles, size_t tile, const int32_t* blocks);

#endif  // GLYPHRANE_TRAIN_SIMILARITY_REGRETS_H_
