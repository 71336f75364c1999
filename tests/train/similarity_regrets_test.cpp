#include "train/similarity_regrets.h"

#include <algorithm>
#include <cstdint>
#include <vector>

#include "gtest/gtest.h"
#include "tests/convert/picture_builder.h"

namespace {

// Pictures of 9 x 5 tiles of 1 x 1 blocks (27 x 15 pixels), grey given per column.
TrainingTiles TilesOf(int32_t (*grey)(int32_t x)) {
  PictureBuilder picture(27, 15);
  for (int32_t y = 0; y < 15; ++y)
    for (int32_t x = 0; x < 27; ++x) picture.Grey(x, y, static_cast<uint8_t>(grey(x)));
  TrainingTiles tiles;
  tiles.blockWidth = tiles.blockHeight = 1;
  EXPECT_TRUE(AddPictureTiles(picture.width(), picture.height(), picture.rows(), &tiles));
  return tiles;
}

// Glyph shapes by their nine block greys, in kGreyScale units.
GlyphShapes ShapesOf(const std::vector<std::vector<int32_t>>& glyphs) {
  GlyphShapes shapes;
  for (const auto& g : glyphs) shapes.blockGrey.insert(shapes.blockGrey.end(), g.begin(), g.end());
  return shapes;
}

constexpr int32_t kMid = kWhite / 2;
const std::vector<int32_t> kPaper(9, kWhite), kInk(9, 0), kFlatMid(9, kMid);
const std::vector<int32_t> kStripes = {0, kWhite, kMid, 0, kWhite, kMid, 0, kWhite, kMid};
const std::vector<int32_t> kLeftHalf = {0, 0, kWhite, 0, 0, kWhite, 0, 0, kWhite};

TEST(SimilarityRegretsTest, ATilesOwnBlocksMatchEveryWindowExactly) {
  const TrainingTiles tiles = TilesOf([](int32_t x) { return (x * 37) % 256; });
  // 9 x 9 windows reach the change, each exactly 1 in 2^48 units.
  for (size_t t : {size_t{0}, size_t{22}, tiles.Count() - 1}) {
    EXPECT_EQ(SimilarityWithBlocks(tiles, t, tiles.Blocks(t)), int64_t{81} << 48) << t;
    EXPECT_LT(SimilarityWithBlocks(tiles, t, kInk.data()), int64_t{81} << 48) << t;
  }
}

// The figure computed the plain way, in floating point: the block grid with the
// blocks set in, each blurred by a 3 x 3 box, and SSIM over every 5 x 5 window
// within reach of the tile. Only for tiles whose windows stay inside the picture.
double PlainSimilarity(const TrainingTiles& tiles, int32_t across, size_t tile,
                       const int32_t* blocks) {
  const int32_t down = static_cast<int32_t>(tiles.Count()) / across;
  const int32_t w = 3 * across, h = 3 * down;
  std::vector<double> picture(static_cast<size_t>(w) * h), drawn;
  for (size_t t = 0; t < tiles.Count(); ++t)
    for (int32_t b = 0; b < 9; ++b)
      picture[(t / across * 3 + b / 3) * w + t % across * 3 + b % 3] = tiles.Blocks(t)[b];
  drawn = picture;
  const int32_t ty = static_cast<int32_t>(tile) / across, tx = static_cast<int32_t>(tile) % across;
  for (int32_t b = 0; b < 9; ++b) drawn[(3 * ty + b / 3) * w + 3 * tx + b % 3] = blocks[b];
  auto blurred = [&](const std::vector<double>& g, int32_t y, int32_t x) {
    double sum = 0;
    for (int32_t dy = -1; dy <= 1; ++dy)
      for (int32_t dx = -1; dx <= 1; ++dx) sum += g[(y + dy) * w + x + dx];
    return sum / 9;
  };
  const double c1 = 16 * 6.5025 * kGreyScale * kGreyScale,
               c2 = 16 * 58.5225 * kGreyScale * kGreyScale;
  double total = 0;
  for (int32_t cy = 3 * ty - 3; cy <= 3 * ty + 5; ++cy) {
    for (int32_t cx = 3 * tx - 3; cx <= 3 * tx + 5; ++cx) {
      double sa = 0, sb = 0, saa = 0, sbb = 0, sab = 0;
      for (int32_t y = cy - 2; y <= cy + 2; ++y) {
        for (int32_t x = cx - 2; x <= cx + 2; ++x) {
          const double a = blurred(picture, y, x);
          const double b = std::clamp(blurred(drawn, y, x), 0.0, double{kWhite});
          sa += a, sb += b, saa += a * a, sbb += b * b, sab += a * b;
        }
      }
      const double ma = sa / 25, mb = sb / 25;
      const double va = saa / 25 - ma * ma, vb = sbb / 25 - mb * mb, cov = sab / 25 - ma * mb;
      total += (2 * ma * mb + c1) * (2 * cov + c2) / ((ma * ma + mb * mb + c1) * (va + vb + c2));
    }
  }
  return total;
}

TEST(SimilarityRegretsTest, AgreesWithThePlainComputationOnRandomPictures) {
  uint32_t state = 7;
  auto next = [&state] { return (state = state * 1103515245u + 12345u) >> 16; };
  for (int round = 0; round < 6; ++round) {
    PictureBuilder picture(36, 24);
    for (int32_t y = 0; y < 24; ++y)
      for (int32_t x = 0; x < 36; ++x)
        picture.Grey(x, y, static_cast<uint8_t>(round % 2 ? next() % 256 : (x + y) * 6 % 256));
    TrainingTiles tiles;
    tiles.blockWidth = tiles.blockHeight = 1;
    ASSERT_TRUE(AddPictureTiles(36, 24, picture.rows(), &tiles));
    for (size_t t : {size_t{2 * 12 + 2}, size_t{3 * 12 + 6}, size_t{5 * 12 + 9}}) {
      int32_t blocks[9];
      for (int32_t& b : blocks) b = static_cast<int32_t>(next() % 1600) - 400;  // past both ends
      const double fast = static_cast<double>(SimilarityWithBlocks(tiles, t, blocks)) / 0x1p48;
      EXPECT_NEAR(fast, PlainSimilarity(tiles, 12, t, blocks), 1e-4) << round << " " << t;
    }
  }
}

TEST(SimilarityRegretsTest, FlatAreasWantEvenToneAndEdgesWantStrokesAlongThem) {
  const GlyphShapes shapes = ShapesOf({kPaper, kInk, kFlatMid, kStripes, kLeftHalf});
  // Mid grey everywhere: the even glyph of that tone, and texture of the same
  // mean costs.
  const TileRegrets flat =
      ComputeSimilarityRegrets(TilesOf([](int32_t) { return 128; }), shapes, 0);
  EXPECT_EQ(flat.target[22], 2u);
  EXPECT_GT(flat.Of(22)[3], 0u);
  EXPECT_GT(flat.Of(22)[0], flat.Of(22)[3]);
  // Ink on the left, paper on the right, the edge two thirds into tile column 4:
  // the glyph inked on its left two thirds draws it; even mid grey does not.
  const TrainingTiles edgeTiles = TilesOf([](int32_t x) { return x < 14 ? 0 : 255; });
  const TileRegrets edge = ComputeSimilarityRegrets(edgeTiles, shapes, 0);
  EXPECT_EQ(edge.target[2 * 9 + 4], 4u);
  EXPECT_GT(edge.Of(2 * 9 + 4)[2], 0u);
  EXPECT_EQ(edge.target[2 * 9 + 1], 1u);  // inside the ink, ink
  EXPECT_EQ(edge.target[2 * 9 + 7], 0u);  // on the paper, paper
  // Rewarding strokes along edges widens the stroke's lead there.
  EXPECT_GT(ComputeSimilarityRegrets(edgeTiles, shapes, 64).Of(2 * 9 + 4)[2],
            edge.Of(2 * 9 + 4)[2]);
}

// What the records draw around a tile decides: a lone textured glyph among the
// picture's flat blocks stands out, but in a field of the same glyph it blurs as
// even as the picture, so it beats an even glyph of a slightly wrong tone there.
TEST(SimilarityRegretsTest, AFieldOfOneGlyphBlursEvenAmongTheGlyphsDrawn) {
  const std::vector<int32_t> offTone(9, kMid + 60);
  const GlyphShapes shapes = ShapesOf({offTone, kStripes});
  const TrainingTiles tiles = TilesOf([](int32_t) { return 128; });
  const TileRegrets amongPicture = ComputeSimilarityRegrets(tiles, shapes, 0);
  const std::vector<uint32_t> stripesEverywhere(tiles.Count(), 1);
  const TileRegrets amongStripes = ComputeSimilarityRegrets(tiles, shapes, 0, &stripesEverywhere);
  for (size_t t : {size_t{0}, size_t{22}, tiles.Count() - 1}) {
    EXPECT_EQ(amongPicture.target[t], 0u) << t;
    EXPECT_EQ(amongStripes.target[t], 1u) << t;
    EXPECT_GT(amongStripes.Of(t)[0], 0u) << t;
  }
}

}  // namespace
