#include "convert/column_sum_features.h"

#include <cstddef>
#include <cstring>

void SumRunColumns(const EngineKernels& kernels, const uint8_t* grid, int32_t gridWidth,
                   int32_t x, int32_t y, int32_t columns, int32_t blockHeight,
                   RunColumnSums* run) {
  const size_t stride = static_cast<size_t>(gridWidth) * 4;
  for (int r = 0; r < 3; ++r) {
    const uint8_t* first = grid + (static_cast<size_t>(y) + static_cast<size_t>(r) * blockHeight) *
                                      stride + static_cast<size_t>(x) * 4;
    kernels.columnSums(first, stride, blockHeight, static_cast<size_t>(columns) * 4,
                       run->sums[r]);
  }
}

namespace {

// kWidth and kHeight are the block size when known at compile time, 0 when not:
// the common narrow blocks then add their few columns without a loop, and unit
// blocks divide by constants, which cost no division.
template <int32_t kWidth, int32_t kHeight = 0>
GlyphDefinition Features(const RunColumnSums& run, int32_t column, int32_t blockWidth,
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
  const uint32_t pixels = 9u * static_cast<uint32_t>(blockWidth) * static_cast<uint32_t>(blockHeight);
  features.blue = static_cast<int32_t>(blue / pixels);
  features.green = static_cast<int32_t>(green / pixels);
  features.red = static_cast<int32_t>(red / pixels);
  return features;
}

}  // namespace

GlyphDefinition FeaturesFromColumnSums(const RunColumnSums& run, int32_t column,
                                       int32_t blockWidth, int32_t blockHeight) {
  switch (blockWidth) {
    case 1:
      return blockHeight == 1 ? Features<1, 1>(run, column, blockWidth, blockHeight)
                              : Features<1>(run, column, blockWidth, blockHeight);
    case 2: return Features<2>(run, column, blockWidth, blockHeight);
    case 3: return Features<3>(run, column, blockWidth, blockHeight);
    default: return Features<0>(run, column, blockWidth, blockHeight);
  }
}
