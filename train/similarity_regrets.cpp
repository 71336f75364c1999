#include "train/similarity_regrets.h"

#include <algorithm>
#include <array>

namespace {

constexpr int32_t kReach = 2;                // a window reaches this many blocks around
constexpr int32_t kWindow = 2 * kReach + 1;  // its side
constexpr int64_t kWindowBlocks = kWindow * kWindow;
constexpr int32_t kMargin = 1 + 2 * kReach;            // blocks around a tile that its windows read
constexpr int32_t kRegion = 3 + 2 * kMargin;           // the side of what is read
constexpr int32_t kFirstCentre = kReach;               // window centres, in region coordinates,
constexpr int32_t kLastCentre = kRegion - 1 - kReach;  // those that the change reaches
constexpr int32_t kBlurredWhite = 9 * kWhite;          // blurred blocks are sums of nine
constexpr int32_t kOne = 1 << 24;                      // fixed point of each SSIM factor

// SSIM's constants, (0.01 x 255)^2 and (0.03 x 255)^2 grey levels squared, times 16,
// in squared window sums of blurred blocks ((9 kGreyScale kWindowBlocks)^2 = 810,000
// per grey level squared). At SSIM's own constants the faint ripple any text leaves
// in a smooth area weighs so much that smooth pictures are drawn worse; 16 to 64
// times them scored best on the corpus, and alike.
constexpr int64_t kLuminanceC = 10404 * 8100;  // 104.04 x 810,000
constexpr int64_t kStructureC = 93636 * 8100;  // 936.36 x 810,000

using Region = std::array<int64_t, kRegion * kRegion>;
using Sums = std::array<int64_t, (kRegion + 1) * (kRegion + 1)>;

// Summed-area table, so that every window's sum costs four reads.
void SumsOf(const Region& values, Sums* sums) {
  for (int32_t x = 0; x <= kRegion; ++x) (*sums)[x] = 0;
  for (int32_t y = 0; y < kRegion; ++y) {
    int64_t row = 0;
    (*sums)[(y + 1) * (kRegion + 1)] = 0;
    for (int32_t x = 0; x < kRegion; ++x) {
      row += values[y * kRegion + x];
      (*sums)[(y + 1) * (kRegion + 1) + x + 1] = (*sums)[y * (kRegion + 1) + x + 1] + row;
    }
  }
}

int64_t WindowSum(const Sums& sums, int32_t cy, int32_t cx) {
  const int32_t top = cy - kReach, left = cx - kReach, w = kRegion + 1;
  return sums[(top + kWindow) * w + left + kWindow] - sums[top * w + left + kWindow] -
         sums[(top + kWindow) * w + left] + sums[top * w + left];
}

// The blurred picture around one tile and what its windows sum to, read once for
// all the glyphs tried there.
class Surroundings {
 public:
  // drawn: the glyph each tile of the sheet shows, by its index among shapes'
  // glyphs, or null for the picture's own blocks.
  Surroundings(const TrainingTiles& tiles, const TileSheet& sheet, size_t tile,
               const GlyphShapes& shapes, const uint32_t* drawn) {
    const size_t index = tile - sheet.firstTile;
    const int32_t ty = static_cast<int32_t>(index / sheet.across),
                  tx = static_cast<int32_t>(index % sheet.across);
    // A sheet's blocks, its edge repeated outwards.
    auto blocksAt = [&](int32_t by, int32_t bx, bool inDrawing) {
      by = std::clamp(by, 0, 3 * sheet.down - 1);
      bx = std::clamp(bx, 0, 3 * sheet.across - 1);
      const size_t t = sheet.firstTile + static_cast<size_t>(by / 3) * sheet.across + bx / 3;
      const int32_t* blocks = inDrawing ? shapes.Blocks(drawn[t]) : tiles.Blocks(t);
      return blocks[by % 3 * 3 + bx % 3];
    };
    // Blurred by a 3 x 3 box, the blurred edge repeated outwards; the drawing is
    // left unclipped, as a change to it adds.
    auto blurred = [&](int32_t by, int32_t bx, bool inDrawing) {
      by = std::clamp(by, 0, 3 * sheet.down - 1);
      bx = std::clamp(bx, 0, 3 * sheet.across - 1);
      int32_t sum = 0;
      for (int32_t dy = -1; dy <= 1; ++dy)
        for (int32_t dx = -1; dx <= 1; ++dx) sum += blocksAt(by + dy, bx + dx, inDrawing);
      return sum;
    };
    Region squares;
    for (int32_t y = 0; y < kRegion; ++y) {
      for (int32_t x = 0; x < kRegion; ++x) {
        const int32_t by = 3 * ty - kMargin + y, bx = 3 * tx - kMargin + x;
        const int64_t a = blurred(by, bx, false);
        picture_[y * kRegion + x] = a;
        squares[y * kRegion + x] = a * a;
        drawing_[y * kRegion + x] = drawn != nullptr ? blurred(by, bx, true) : a;
      }
    }
    tileBlocks_ = drawn != nullptr ? shapes.Blocks(drawn[tile]) : tiles.Blocks(tile);
    SumsOf(picture_, &pictureSums_);
    SumsOf(squares, &pictureSquareSums_);
  }

  int64_t SimilarityWith(const int32_t* blocks) const {
    // The blocks' change, blurred: it reaches one block around the tile.
    int32_t change[5][5] = {};
    for (int32_t b = 0; b < 9; ++b) {
      const int32_t d = blocks[b] - tileBlocks_[b];
      for (int32_t dy = 0; dy < 3; ++dy)
        for (int32_t dx = 0; dx < 3; ++dx) change[b / 3 + dy][b % 3 + dx] += d;
    }
    Region drawn = drawing_, squares, products;
    for (int32_t y = 0; y < 5; ++y)
      for (int32_t x = 0; x < 5; ++x)
        drawn[(kMargin - 1 + y) * kRegion + kMargin - 1 + x] += change[y][x];
    for (size_t i = 0; i < drawn.size(); ++i) {
      drawn[i] = std::clamp<int64_t>(drawn[i], 0, kBlurredWhite);
      squares[i] = drawn[i] * drawn[i];
      products[i] = drawn[i] * picture_[i];
    }
    Sums drawnSums, squareSums, productSums;
    SumsOf(drawn, &drawnSums);
    SumsOf(squares, &squareSums);
    SumsOf(products, &productSums);
    int64_t total = 0;
    for (int32_t cy = kFirstCentre; cy <= kLastCentre; ++cy) {
      for (int32_t cx = kFirstCentre; cx <= kLastCentre; ++cx) {
        const int64_t sa = WindowSum(pictureSums_, cy, cx), sb = WindowSum(drawnSums, cy, cx);
        const int64_t varA = kWindowBlocks * WindowSum(pictureSquareSums_, cy, cx) - sa * sa;
        const int64_t varB = kWindowBlocks * WindowSum(squareSums, cy, cx) - sb * sb;
        const int64_t cov = kWindowBlocks * WindowSum(productSums, cy, cx) - sa * sb;
        // Each factor is at most 1 and its terms below 2^37, so both fit 64 bits.
        const int64_t luminance =
            ((2 * sa * sb + kLuminanceC) * kOne) / (sa * sa + sb * sb + kLuminanceC);
        const int64_t structure = ((2 * cov + kStructureC) * kOne) / (varA + varB + kStructureC);
        total += luminance * structure;
      }
    }
    return total;
  }

 private:
  const int32_t* tileBlocks_ = nullptr;  // what the tile shows now
  Region picture_, drawing_;
  Sums pictureSums_, pictureSquareSums_;
};

const TileSheet& SheetOf(const TrainingTiles& tiles, size_t tile) {
  auto after = std::upper_bound(tiles.sheets.begin(), tiles.sheets.end(), tile,
                                [](size_t t, const TileSheet& s) { return t < s.firstTile; });
  return *(after - 1);
}

}  // namespace

int64_t SimilarityWithBlocks(const TrainingTiles& tiles, size_t tile, const int32_t* blocks) {
  return Surroundings(tiles, SheetOf(tiles, tile), tile, GlyphShapes{}, nullptr)
      .SimilarityWith(blocks);
}

TileRegrets ComputeSimilarityRegrets(const TrainingTiles& tiles, const GlyphShapes& shapes,
                                     int32_t edgeWeight, const std::vector<uint32_t>* drawn) {
  TileRegrets regrets;
  regrets.glyphs = shapes.Count();
  regrets.regret.resize(tiles.Count() * regrets.glyphs);
  regrets.target.resize(tiles.Count());
  std::vector<int64_t> similarity(regrets.glyphs);
  for (const TileSheet& sheet : tiles.sheets) {
    const size_t end = sheet.firstTile + static_cast<size_t>(sheet.across) * sheet.down;
    for (size_t t = sheet.firstTile; t < end; ++t) {
      const Surroundings around(tiles, sheet, t, shapes,
                                drawn != nullptr ? drawn->data() : nullptr);
      for (size_t g = 0; g < regrets.glyphs; ++g) {
        // In the regrets' unit; the shift floors alike on every build.
        similarity[g] = (around.SimilarityWith(shapes.Blocks(g)) >> 32) +
                        EdgeReward(tiles.Blocks(t), shapes.Blocks(g), edgeWeight);
      }
      const size_t best = static_cast<size_t>(
          std::max_element(similarity.begin(), similarity.end()) - similarity.begin());
      regrets.target[t] = static_cast<uint32_t>(best);
      uint32_t* row = &regrets.regret[t * regrets.glyphs];
      for (size_t g = 0; g < regrets.glyphs; ++g) {
        row[g] =
            static_cast<uint32_t>(std::min<int64_t>(similarity[best] - similarity[g], UINT32_MAX));
      }
    }
  }
  return regrets;
}
