#ifndef GLYPHRANE_CONVERT_COLUMN_SUM_FEATURES_H_
#define GLYPHRANE_CONVERT_COLUMN_SUM_FEATURES_H_

#include <cstddef>
#include <cstdint>
#include <cstring>

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

// Only the engine's plain code includes this header, never a vector path.
namespace column_sums {

// The features of the tile whose first column is column of the run. kWidth and
// kHeight are the block size when known at compile time, 0 when not: the common
// narrow blocks then add their few columns without a loop, and unit blocks divide
// by constants, which cost no division.
template <int32_t kWidth, int32_t kHeight = 0>
inline GlyphDefinition RunTileFeatures(const RunColumnSums& run, int32_t column, int32_t blockWidth,
                                       int32_t blockHeight) {
  if (kWidth != 0) blockWidth = kWidth;
  if (kHeight != 0) blockHeight = kHeight;
  // Within FitsColumnSums a block sums at most 160 x 257 x 255 and a tile nine
  // times that: 32 bits are exact.
  static_assert(9ull * (kRunColumns / 3) * kColumnSumRowLimit * 255 < (1ull << 32),
                "a tile's sums fit 32 bits");
  GlyphDefinition features{};
  const uint32_t shorterSide =
      static_cast<uint32_t>(blockWidth < blockHeight ? blockWidth : blockHeight);
  // Small blocks add a pixel column's four sums as one 64-bit word: no block sum
  // of at most 257 x 255 carries into the next 16-bit lane; small tiles keep
  // adding the blocks' words, so their colours need no unpacking per block.
  const int64_t blockPixels = static_cast<int64_t>(blockWidth) * blockHeight;
  const bool packed = blockPixels <= 257, packedTile = 9 * blockPixels <= 257;
  uint32_t blue = 0, green = 0, red = 0;
  uint64_t tileLanes = 0;
  for (int r = 0; r < 3; ++r) {
    const uint16_t* sums = run.sums[r] + static_cast<size_t>(column) * 4;
    for (int c = 0; c < 3; ++c) {
      uint32_t b = 0, g = 0, rd = 0, edge = 0;
      if (packed) {
        uint64_t lanes = 0;
        for (int32_t i = 0; i < blockWidth; ++i, sums += 4) {
          uint64_t word;
          std::memcpy(&word, sums, sizeof word);
          lanes += word;
        }
        uint16_t lane[4];
        std::memcpy(lane, &lanes, sizeof lane);
        edge = lane[3];
        if (packedTile) {
          tileLanes += lanes;
        } else {
          b = lane[0], g = lane[1], rd = lane[2];
        }
      } else {
        for (int32_t i = 0; i < blockWidth; ++i, sums += 4) {
          b += sums[0];
          g += sums[1];
          rd += sums[2];
          edge += sums[3];
        }
      }
      blue += b;
      green += g;
      red += rd;
      // As in TileFeatures: the shorter side, not the pixel count. A unit block's
      // edge is one byte, which needs no cap.
      const uint32_t value = edge / shorterSide;
      const bool unit = kWidth == 1 && kHeight == 1;
      features.edge[3 * r + c] = static_cast<int32_t>(unit || value < 255 ? value : 255);
    }
  }
  if (packedTile) {
    uint16_t lane[4];
    std::memcpy(lane, &tileLanes, sizeof lane);
    blue = lane[0], green = lane[1], red = lane[2];
  }
  const uint32_t pixels =
      9u * static_cast<uint32_t>(blockWidth) * static_cast<uint32_t>(blockHeight);
  features.blue = static_cast<int32_t>(blue / pixels);
  features.green = static_cast<int32_t>(green / pixels);
  features.red = static_cast<int32_t>(red / pixels);
  return features;
}

template <int32_t kWidth, int32_t kHeight = 0, typename Use>
inline void EachTile(const RunColumnSums& run, int32_t tiles, int32_t blockWidth,
                     int32_t blockHeight, Use& use) {
  for (int32_t t = 0; t < tiles; ++t) {
    use(RunTileFeatures<kWidth, kHeight>(run, t * 3 * blockWidth, blockWidth, blockHeight));
  }
}

}  // namespace column_sums

// Calls use(features) with the features of each of the run's first tiles tiles in
// turn. The block size is looked at once per run, and the tile's arithmetic is
// compiled into the caller's loop: at unit blocks a call per tile would cost about
// as much as the arithmetic.
template <typename Use>
inline void ForEachRunTile(const RunColumnSums& run, int32_t tiles, int32_t blockWidth,
                           int32_t blockHeight, Use&& use) {
  switch (blockWidth) {
    case 1:
      if (blockHeight == 1) return column_sums::EachTile<1, 1>(run, tiles, 1, 1, use);
      return column_sums::EachTile<1>(run, tiles, blockWidth, blockHeight, use);
    case 2:
      return column_sums::EachTile<2>(run, tiles, blockWidth, blockHeight, use);
    case 3:
      return column_sums::EachTile<3>(run, tiles, blockWidth, blockHeight, use);
    default:
      return column_sums::EachTile<0>(run, tiles, blockWidth, blockHeight, use);
  }
}

#endif  // GLYPHRANE_CONVERT_COLUMN_SUM_FEATURES_H_
