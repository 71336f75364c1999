#include "convert/tile_matching.h"

#include <cstddef>

#include "convert/column_sum_features.h"
#include "convert/cubed_distance.h"
#include "convert/engine_kernels.h"
#include "convert/nearest_glyph_search.h"

namespace {

// A tile's sums are exact for any grid of fewer than 2^56 pixels (a sum of bytes
// stays below 2^64), far beyond what memory holds; 32 bits would overflow from
// blocks of 935,723 pixels on.
using Sum = uint64_t;

}  // namespace

GlyphDefinition TileFeatures(const uint8_t* grid, int32_t gridWidth, int32_t x, int32_t y,
                             int32_t blockWidth, int32_t blockHeight) {
  GlyphDefinition features{};
  const size_t stride = static_cast<size_t>(gridWidth) * 4;
  const Sum shorterSide = static_cast<Sum>(blockWidth < blockHeight ? blockWidth : blockHeight);
  Sum blue = 0, green = 0, red = 0;

  // One pass over each block: its colour sums add up to the tile's.
  for (int r = 0; r < 3; ++r) {
    for (int c = 0; c < 3; ++c) {
      const uint8_t* blockTopLeft =
          grid + (static_cast<size_t>(y) + static_cast<size_t>(r) * blockHeight) * stride +
          (static_cast<size_t>(x) + static_cast<size_t>(c) * blockWidth) * 4;
      Sum edge = 0;
      for (int32_t row = 0; row < blockHeight; ++row) {
        const uint8_t* pixel = blockTopLeft + static_cast<size_t>(row) * stride;
        for (int32_t column = 0; column < blockWidth; ++column, pixel += 4) {
          blue += pixel[0];
          green += pixel[1];
          red += pixel[2];
          edge += pixel[3];
        }
      }
      // The shorter side, not the pixel count: the block's mean edge strength times
      // its longer side, which makes thin strokes in tall blocks count.
      Sum value = edge / shorterSide;
      features.edge[3 * r + c] = static_cast<int32_t>(value < 255 ? value : 255);
    }
  }
  const Sum pixels = Sum{9} * static_cast<Sum>(blockWidth) * static_cast<Sum>(blockHeight);
  features.blue = static_cast<int32_t>(blue / pixels);
  features.green = static_cast<int32_t>(green / pixels);
  features.red = static_cast<int32_t>(red / pixels);
  return features;
}

const GlyphDefinition& FindNearestGlyph(const GlyphDefinition* definitions, uint32_t count,
                                        const GlyphDefinition& features) {
  int32_t probe[12];
  ComparedValues(features, probe);
  const GlyphDefinition* best = definitions;
  uint64_t least = kSaturatedDistance;
  for (uint32_t i = 0; i < count; ++i) {
    const GlyphDefinition& record = definitions[i];
    int32_t values[12];
    ComparedValues(record, values);
    uint64_t distance = 0;
    // Terms are never negative, so once the sum reaches the best distance so far
    // this record cannot win (a tie keeps the earlier one): stop summing.
    for (int k = 0; k < 12 && distance < least; ++k) {
      distance = SaturatingAdd(distance, CubedDistance(probe[k], values[k]));
    }
    if (distance < least) {
      least = distance;
      best = &record;
    }
  }
  return *best;
}

size_t ArtTextLength(int32_t width, int32_t height, int32_t blockWidth, int32_t blockHeight) {
  const int64_t across = width / (int64_t{3} * blockWidth);
  const int64_t down = height / (int64_t{3} * blockHeight);
  return static_cast<size_t>((across + 2) * down);
}

void ConvertTiles(const uint8_t* grid, int32_t width, int32_t height,
                  const GlyphDefinition* definitions, uint32_t count,
                  int32_t blockWidth, int32_t blockHeight, char* out) {
  // 64-bit so that any block size whose tile exceeds the picture fits no tile.
  const int64_t tileWidth = int64_t{3} * blockWidth;
  const int64_t tileHeight = int64_t{3} * blockHeight;
  NearestGlyphSearch search(definitions, count);
  auto emit = [&](const GlyphDefinition& features, char* at) {
    *at = static_cast<char>(static_cast<uint8_t>(search.Find(features).character));
  };
  const bool inRuns = FitsColumnSums(blockWidth, blockHeight);
  const EngineKernels& kernels = ActiveKernels();
  RunColumnSums run;
  const int64_t runTiles = inRuns ? kRunColumns / tileWidth : 1;
  char* next = out;
  for (int64_t y = 0; y + tileHeight <= height; y += tileHeight) {
    const int64_t across = width / tileWidth;
    for (int64_t first = 0; first < across; first += runTiles) {
      const int64_t tiles = across - first < runTiles ? across - first : runTiles;
      const int32_t x = static_cast<int32_t>(first * tileWidth);
      if (!inRuns) {
        emit(TileFeatures(grid, width, x, static_cast<int32_t>(y), blockWidth, blockHeight),
             next++);
        continue;
      }
      SumRunColumns(kernels, grid, width, x, static_cast<int32_t>(y),
                    static_cast<int32_t>(tiles * tileWidth), blockHeight, &run);
      ForEachRunTile(run, static_cast<int32_t>(tiles), blockWidth, blockHeight,
                     [&](const GlyphDefinition& features) { emit(features, next++); });
    }
    *next++ = '\r';
    *next++ = '\n';
  }
  *next = '\0';
}
