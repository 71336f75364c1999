#include "train/glyph_costs.h"

#include <algorithm>

GlyphShapes ShapesOfCells(const std::vector<std::vector<uint8_t>>& cells, int32_t blockWidth,
                          int32_t blockHeight) {
  const int32_t tileWidth = 3 * blockWidth;
  // Darkness sums, whole, so that the stretch divides once per block.
  int64_t densest = 0;
  std::vector<int64_t> darkness(cells.size() * 9, 0);
  for (size_t g = 0; g < cells.size(); ++g) {
    int64_t cellSum = 0;
    for (size_t i = 0; i < cells[g].size(); ++i) {
      const int32_t x = static_cast<int32_t>(i % tileWidth),
                    y = static_cast<int32_t>(i / tileWidth);
      const int64_t ink = 255 - cells[g][i];
      darkness[9 * g + y / blockHeight * 3 + x / blockWidth] += ink;
      cellSum += ink;
    }
    densest = std::max(densest, cellSum);
  }
  // A block of darkness d (summed over its n pixels) reads white minus
  // kGreyScale x d / n x 255 / (densest / 9n): the cell of densest darkness, 9n
  // pixels, reads black on average.
  GlyphShapes shapes;
  shapes.blockGrey.resize(darkness.size());
  for (size_t i = 0; i < darkness.size(); ++i) {
    const int64_t scaled = darkness[i] * 9 * kWhite;
    shapes.blockGrey[i] = kWhite - static_cast<int32_t>((scaled + densest / 2) / densest);
  }
  return shapes;
}

void OrientedPart(const int32_t* blocks, int64_t oriented[2]) {
  int64_t xx = 0, yy = 0, xy = 0;
  for (int r = 0; r < 2; ++r) {
    for (int c = 0; c < 2; ++c) {
      const int64_t a = blocks[3 * r + c], b = blocks[3 * r + c + 1];
      const int64_t d = blocks[3 * r + c + 3], e = blocks[3 * r + c + 4];
      const int64_t gx = b - a + e - d, gy = d - a + e - b;  // twice the mean steps
      xx += gx * gx, yy += gy * gy, xy += gx * gy;
    }
  }
  oriented[0] = (xx - yy) / 64;
  oriented[1] = 2 * xy / 64;
}

int64_t EdgeReward(const int32_t* tileBlocks, const int32_t* glyphBlocks, int32_t weight) {
  if (weight == 0) return 0;
  int64_t tile[2], glyph[2];
  OrientedPart(tileBlocks, tile);
  OrientedPart(glyphBlocks, glyph);
  return weight * ((tile[0] * glyph[0] + tile[1] * glyph[1]) / 65536);
}

namespace {

// Fills a tile's regret row from its costs and returns its cheapest glyph.
uint32_t StoreRegrets(const std::vector<int64_t>& costs, uint32_t* row) {
  const uint32_t best =
      static_cast<uint32_t>(std::min_element(costs.begin(), costs.end()) - costs.begin());
  for (size_t g = 0; g < costs.size(); ++g) {
    row[g] = static_cast<uint32_t>(std::min<int64_t>(costs[g] - costs[best], UINT32_MAX));
  }
  return best;
}

}  // namespace

int64_t GlyphCost(const int32_t* tileBlocks, const int32_t* glyphBlocks,
                  const CostWeights& weights) {
  int64_t shape = 0, tone = 0;
  for (int b = 0; b < 9; ++b) {
    const int64_t d = static_cast<int64_t>(tileBlocks[b]) - glyphBlocks[b];
    shape += d * d;
    tone += d;
  }
  // tone / 9 is the mean's difference; its square counts once per block.
  return shape + weights.tone * (tone * tone) / 9 -
         EdgeReward(tileBlocks, glyphBlocks, weights.edge);
}

TileRegrets ComputeRegrets(const TrainingTiles& tiles, const GlyphShapes& shapes,
                           const CostWeights& weights) {
  TileRegrets regrets;
  regrets.glyphs = shapes.Count();
  regrets.regret.resize(tiles.Count() * regrets.glyphs);
  regrets.target.resize(tiles.Count());
  std::vector<int64_t> costs(regrets.glyphs);
  for (size_t t = 0; t < tiles.Count(); ++t) {
    for (size_t g = 0; g < regrets.glyphs; ++g) {
      costs[g] = GlyphCost(tiles.Blocks(t), shapes.Blocks(g), weights);
    }
    regrets.target[t] = StoreRegrets(costs, &regrets.regret[t * regrets.glyphs]);
  }
  return regrets;
}
