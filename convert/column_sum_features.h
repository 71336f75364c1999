#ifndef GLYPHRANE_CONVERT_COLUMN_SUM_FEATURES_H_
#define GLYPHRANE_CONVERT_COLUMN_SUM_FEATURES_H_

#include <cstdint>

#include "convert/engine_kernels.h"
#include "convert/glyph_definition.h"

// TileFeatures for a run of neighbouring tiles at once: each of the run's three
// block rows is first summed down its pixel columns (one vector pass over the
// grid), and each block's sums are then added from blockWidth column sums instead
// of re-reading its pixels. Equal to TileFeatures for every tile it covers.

// A run covers at most this many pixels across: the sums live on the stack
// (3 x 480 x 4 16-bit sums, 11.5 KB), since ConvertTiles allocates nothing.
constexpr int32_t kRunColumns = 480;

// Whether blocks of this size can be summed in runs: a column sum must stay within
// 16 bits and a tile within a run. Other sizes take TileFeatures tile by tile.
inline bool FitsColumnSums(int32_t blockWidth, int32_t blockHeight) {
  return blockHeight <= kColumnSumRowLimit && blockWidth <= kRunColumns / 3;
}

struct RunColumnSums {
  // sums[r][4 * x + byte]: byte 0-3 of pixel column x of the run, summed over
  // block row r.
  uint16_t sums[3][kRunColumns * 4];
};

// Sums the run of tiles whose first tile has its top-left pixel at (x, y) and that
// is columns pixels across. REQUIRES: FitsColumnSums; columns <= kRunColumns; the
// run's tiles lie in the grid.
void SumRunColumns(const EngineKernels& kernels, const uint8_t* grid, int32_t gridWidth,
                   int32_t x, int32_t y, int32_t columns, int32_t blockHeight,
                   RunColumnSums* run);

// The features of the tile whose first column is column of the run.
GlyphDefinition FeaturesFromColumnSums(const RunColumnSums& run, int32_t column,
                                       int32_t blockWidth, int32_t blockHeight);

#endif  // GLYPHRANE_CONVERT_COLUMN_SUM_FEATURES_H_
