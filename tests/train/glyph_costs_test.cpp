#include "train/glyph_costs.h"

#include <vector>

#include "convert/tile_matching.h"
#include "gtest/gtest.h"
#include "tests/convert/picture_builder.h"
#include "train/training_tiles.h"

namespace {

// Cells of 1 x 1 blocks: 3 x 3 pixels, rows top-down.
using Cell = std::vector<uint8_t>;
const Cell kBlank(9, 255), kFull(9, 0);
const Cell kLeftBar = {0, 255, 255, 0, 255, 255, 0, 255, 255};
const Cell kTopBar = {0, 0, 0, 255, 255, 255, 255, 255, 255};

TEST(TrainingTilesTest, EachWholeTileGivesTheConvertersFeaturesAndItsBlockGreys) {
  // Two tiles of 1 x 1 blocks and a remainder column; the left tile grey 100 in
  // one corner block, the right one pure blue.
  PictureBuilder picture(7, 3);
  for (int32_t y = 0; y < 3; ++y) {
    for (int32_t x = 0; x < 7; ++x) picture.Set(x, y, 255, 255, 255);
    for (int32_t x = 3; x < 6; ++x) picture.Set(x, y, 255, 0, 0);
  }
  picture.Grey(0, 0, 100);
  TrainingTiles tiles;
  tiles.blockWidth = tiles.blockHeight = 1;
  ASSERT_TRUE(AddPictureTiles(picture.width(), picture.height(), picture.rows(), &tiles));
  ASSERT_EQ(tiles.Count(), 2u);
  EXPECT_EQ(tiles.Blocks(0)[0], 100 * kGreyScale);
  EXPECT_EQ(tiles.Blocks(0)[8], kWhite);
  EXPECT_EQ(tiles.Blocks(1)[4], (114 * kWhite + 500) / 1000);  // blue's share of grey
  PreparedPicture prepared(picture);
  const GlyphDefinition expected = TileFeatures(prepared.state().PixelGrid, 7, 3, 0, 1, 1);
  EXPECT_EQ(tiles.features[1].blue, expected.blue);
  EXPECT_EQ(tiles.features[1].edge[3], expected.edge[3]);
}

TEST(GlyphCostsTest, ShapesStretchTheDensestCellToBlackAndKeepPaperWhite) {
  const GlyphShapes shapes = ShapesOfCells({kBlank, kLeftBar}, 1, 1);
  for (int b = 0; b < 9; ++b) EXPECT_EQ(shapes.Blocks(0)[b], kWhite);
  // A third of the cell inked reads black on average: its bar goes to -2 white.
  EXPECT_EQ(shapes.Blocks(1)[0], kWhite - 3 * kWhite);
  EXPECT_EQ(shapes.Blocks(1)[1], kWhite);
}

TEST(GlyphCostsTest, OrientedPartsTellStrokeDirectionsApart) {
  const GlyphShapes shapes = ShapesOfCells({kBlank, kLeftBar, kTopBar, kFull}, 1, 1);
  int64_t flat[2], vertical[2], horizontal[2];
  OrientedPart(shapes.Blocks(3), flat);
  OrientedPart(shapes.Blocks(1), vertical);
  OrientedPart(shapes.Blocks(2), horizontal);
  EXPECT_EQ(flat[0], 0);
  EXPECT_EQ(flat[1], 0);
  EXPECT_GT(vertical[0], 0);  // steps across x: Jxx leads
  EXPECT_LT(horizontal[0], 0);
  EXPECT_EQ(vertical[0], -horizontal[0]);
}

TEST(GlyphCostsTest, RegretsAreZeroForTheTargetAndFollowTheWeights) {
  const GlyphShapes shapes = ShapesOfCells({kBlank, kLeftBar, kTopBar, kFull}, 1, 1);
  TrainingTiles tiles;
  tiles.features.resize(2);
  // A tile that looks exactly like the left bar, and a mid grey one.
  tiles.blockGrey.assign(shapes.Blocks(1), shapes.Blocks(1) + 9);
  tiles.blockGrey.insert(tiles.blockGrey.end(), 9, kWhite / 2);
  const TileRegrets plain = ComputeRegrets(tiles, shapes, CostWeights{0, 0});
  EXPECT_EQ(plain.target[0], 1u);
  EXPECT_EQ(plain.Of(0)[1], 0u);
  EXPECT_GT(plain.Of(0)[2], 0u);
  // Mid grey is as far from paper, bars and ink block by block (a tie the first
  // glyph wins); weighing tone, the bars' mean (a third of white) is nearest.
  EXPECT_EQ(plain.target[1], 0u);
  EXPECT_EQ(ComputeRegrets(tiles, shapes, CostWeights{1000, 0}).target[1], 1u);
  // Rewarding strokes along edges makes the bar's own tile like a cross bar less.
  const TileRegrets edged = ComputeRegrets(tiles, shapes, CostWeights{0, 64});
  EXPECT_GT(edged.Of(0)[2], plain.Of(0)[2]);
}

}  // namespace
