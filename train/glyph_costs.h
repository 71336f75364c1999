#ifndef GLYPHRANE_TRAIN_GLYPH_COSTS_H_
#define GLYPHRANE_TRAIN_GLYPH_COSTS_H_

#include <cstddef>
#include <cstdint>
#include <vector>

#include "train/training_tiles.h"

// How each glyph looks from the distance text art is seen at: the grey of its
// rendered cell's 3 x 3 blocks in kGreyScale units, tone stretched as the scorer
// stretches a rendering (the set's densest cell reads black; a block darker than
// that average goes below 0).
struct GlyphShapes {
  std::vector<int32_t> blockGrey;  // nine per glyph

  size_t Count() const { return blockGrey.size() / 9; }
  const int32_t* Blocks(size_t glyph) const { return &blockGrey[9 * glyph]; }
};

// The shapes of rendered cells, each 3 blockWidth x 3 blockHeight grey bytes (0
// black), rows top-down, in the set's order. REQUIRES: at least one cell has ink.
GlyphShapes ShapesOfCells(const std::vector<std::vector<uint8_t>>& cells, int32_t blockWidth,
                          int32_t blockHeight);

// The weights of a glyph's cost at a tile.
struct CostWeights {
  int32_t tone = 8;  // the cell's mean, which is what survives the viewer's blur
  int32_t edge = 0;  // strokes along the tile's edges
};

// The oriented part (Jxx - Jyy, 2 Jxy) of the structure tensor of nine block
// greys, from the gradients of their four 2 x 2 squares, in kGreyScale units
// squared / 16: large along a straight edge or stroke, zero where flat.
void OrientedPart(const int32_t* blocks, int64_t oriented[2]);

// weight times how far a glyph's strokes run along a tile's edges (the product of
// their oriented parts, / 65536): negative where they cross them.
int64_t EdgeReward(const int32_t* tileBlocks, const int32_t* glyphBlocks, int32_t weight);

// What a glyph costs at a tile: the sum of squared block differences (the shape),
// plus weights.tone times the squared difference of the cell means, less
// weights.edge times how far the glyph's strokes run along the tile's edges (the
// product of their oriented parts). Its unit is a squared kGreyScale level.
int64_t GlyphCost(const int32_t* tileBlocks, const int32_t* glyphBlocks,
                  const CostWeights& weights);

// For every tile and glyph, how much more the glyph costs there than the tile's
// cheapest glyph (its target), saturated to 32 bits.
struct TileRegrets {
  size_t glyphs = 0;
  std::vector<uint32_t> regret;  // tile-major: regret[tile * glyphs + glyph]
  std::vector<uint32_t> target;  // the cheapest glyph of each tile; the first on a tie

  const uint32_t* Of(size_t tile) const { return &regret[tile * glyphs]; }
};

TileRegrets ComputeRegrets(const TrainingTiles& tiles, const GlyphShapes& shapes,
                           const CostWeights& weights);

#endif  // GLYPHRANE_TRAIN_GLYPH_COSTS_H_
