#include <cstdint>
#include <vector>

#include "convert/conversion_state.h"
#include "convert/tile_matching.h"
#include "gtest/gtest.h"
#include "tools/glyphgen/glyph_description.h"

namespace {

bool SameFeatures(const GlyphDefinition& a, const GlyphDefinition& b) {
  if (a.blue != b.blue || a.green != b.green || a.red != b.red) return false;
  for (int i = 0; i < 9; ++i) {
    if (a.edge[i] != b.edge[i]) return false;
  }
  return true;
}

// A cell with strokes of several greys: a frame, a diagonal and a grey patch.
std::vector<uint8_t> PatternCell(int32_t width, int32_t height) {
  std::vector<uint8_t> cell(static_cast<size_t>(width) * height, 255);
  for (int32_t y = 0; y < height; ++y) {
    for (int32_t x = 0; x < width; ++x) {
      uint8_t& p = cell[static_cast<size_t>(y) * width + x];
      if (x == 0 || y == height - 1) p = 0;
      if (x * height == y * width) p = 40;
      if (x > width / 2 && y < height / 3) p = 150;
    }
  }
  return cell;
}

TEST(GlyphDescriptionTest, BlankCellIsWhiteWithoutEdges) {
  std::vector<uint8_t> blank(9 * 18, 255);
  GlyphDefinition d{};
  ASSERT_TRUE(DescribeGlyphCell(blank.data(), 3, 6, ' ', &d));
  EXPECT_EQ(d.character, ' ');
  EXPECT_EQ(d.spare, 0);
  EXPECT_EQ(d.blue, 255);
  EXPECT_EQ(d.red, 255);
  for (int i = 0; i < 9; ++i) EXPECT_EQ(d.edge[i], 0) << i;
}

TEST(GlyphDescriptionTest, BlackCellHasEdgesWhereItMeetsTheSpacesBesideIt) {
  std::vector<uint8_t> black(9 * 18, 0);
  GlyphDefinition d{};
  ASSERT_TRUE(DescribeGlyphCell(black.data(), 3, 6, '#', &d));
  EXPECT_EQ(d.green, 0);
  // Each pixel's edge looks right and down, so only the right column and the
  // bottom row of the cell see the white around it; the left and top steps
  // belong to the neighbours' pixels, as they would in a picture.
  const int32_t expected[9] = {0, 0, 255, 0, 0, 255, 255, 255, 255};
  for (int i = 0; i < 9; ++i) EXPECT_EQ(d.edge[i], expected[i]) << i;
}

// The point of describing glyphs with the engine: a picture tile that looks like
// the glyph, with spaces around it, gets exactly the glyph's features.
TEST(GlyphDescriptionTest, EqualsTheFeaturesOfTheSameLookInAPicture) {
  for (auto [bw, bh] : {std::pair<int32_t, int32_t>{3, 6}, {2, 4}, {5, 3}, {1, 1}}) {
    const int32_t tw = 3 * bw, th = 3 * bh;
    std::vector<uint8_t> cell = PatternCell(tw, th);
    GlyphDefinition glyph{};
    ASSERT_TRUE(DescribeGlyphCell(cell.data(), bw, bh, 'x', &glyph));

    // Three tiles by three, white, the cell in the middle tile; rows bottom-up.
    const int32_t width = 3 * tw, height = 3 * th;
    std::vector<uint8_t> rows(static_cast<size_t>(width) * height * 4, 255);
    for (int32_t y = 0; y < th; ++y) {
      for (int32_t x = 0; x < tw; ++x) {
        uint8_t* p = &rows[(static_cast<size_t>(height - 1 - (th + y)) * width + tw + x) * 4];
        p[0] = p[1] = p[2] = cell[static_cast<size_t>(y) * tw + x];
      }
    }
    ConversionState state;
    ASSERT_TRUE(PreparePicture(state, width, height, rows.data()));
    GlyphDefinition tile = TileFeatures(state.PixelGrid, width, tw, th, bw, bh);
    ReleaseConversion(state);
    EXPECT_TRUE(SameFeatures(glyph, tile)) << "blocks " << bw << " x " << bh;
    EXPECT_GT(glyph.edge[0] + glyph.edge[4], 0) << "the pattern has edges to compare";
  }
}

}  // namespace
