#include <cstring>
#include <string>
#include <vector>

#include "convert/conversion_state.h"
#include "convert/tile_matching.h"
#include "gtest/gtest.h"
#include "tests/convert/picture_builder.h"

namespace {

GlyphDefinition Glyph(char character, int32_t level, int32_t edge = 0) {
  GlyphDefinition g{};
  g.character = static_cast<uint8_t>(character);
  g.blue = g.green = g.red = level;
  for (int32_t& e : g.edge) e = edge;
  return g;
}

// Converts the picture and returns the whole ArtText buffer, NUL included, after
// checking that nothing was written past the size PreparePicture allocated.
std::string Convert(const PictureBuilder& picture, const std::vector<GlyphDefinition>& glyphs,
                    int32_t blockWidth, int32_t blockHeight) {
  PreparedPicture prepared(picture);
  EXPECT_TRUE(prepared.ok());
  if (!prepared.ok()) return {};
  size_t size = ArtTextSize(picture.width(), picture.height());
  const ConversionState& state = prepared.state();
  std::memset(state.ArtText, 0x7F, size);
  ConvertTiles(state.PixelGrid, state.width, state.height, glyphs.data(),
               static_cast<uint32_t>(glyphs.size()), blockWidth, blockHeight, state.ArtText);
  size_t length = std::strlen(state.ArtText);
  EXPECT_LT(length, size);
  EXPECT_EQ(length, ArtTextLength(picture.width(), picture.height(), blockWidth, blockHeight));
  return std::string(state.ArtText, length + 1);
}

const std::vector<GlyphDefinition> kDarkAndLight = {Glyph('#', 0), Glyph('.', 255)};

TEST(TileLayoutTest, TenByTenWithUnitBlocksFillsTheBufferExactly) {
  PictureBuilder picture(10, 10);
  for (int32_t y = 0; y < 10; ++y)
    for (int32_t x = 0; x < 10; ++x) picture.Grey(x, y, 255);
  // Dark tiles on the diagonal; the last column and row are never looked at.
  for (int32_t t = 0; t < 3; ++t)
    for (int32_t y = 0; y < 3; ++y)
      for (int32_t x = 0; x < 3; ++x) picture.Grey(3 * t + x, 3 * t + y, 0);
  for (int32_t i = 0; i < 10; ++i) picture.Grey(9, i, 0), picture.Grey(i, 9, 0);

  std::string text = Convert(picture, kDarkAndLight, 1, 1);
  EXPECT_EQ(text, std::string("#..\r\n.#.\r\n..#\r\n", 15) + '\0');
  EXPECT_EQ(text.size(), ArtTextSize(10, 10));
}

TEST(TileLayoutTest, DefaultBlocksOnThirtyByThirty) {
  PictureBuilder picture(30, 30);
  EXPECT_EQ(Convert(picture, kDarkAndLight, 3, 6), std::string("###\r\n") + '\0');
}

TEST(TileLayoutTest, TooShortGivesTheEmptyTextTooNarrowGivesBareRowEnds) {
  PictureBuilder picture(30, 17);
  EXPECT_EQ(Convert(picture, kDarkAndLight, 3, 6), std::string(1, '\0'));
  PictureBuilder narrow(8, 40);
  EXPECT_EQ(Convert(narrow, kDarkAndLight, 3, 6), std::string("\r\n\r\n") + '\0');
}

TEST(TileLayoutTest, HugeBlocksFitNoTileWithoutOverflow) {
  PictureBuilder picture(9, 9);
  EXPECT_EQ(Convert(picture, kDarkAndLight, INT32_MAX, 1), std::string("\r\n\r\n\r\n") + '\0');
  EXPECT_EQ(Convert(picture, kDarkAndLight, 1, INT32_MAX), std::string(1, '\0'));
  EXPECT_EQ(Convert(picture, kDarkAndLight, 0x55555556, 0x55555556), std::string(1, '\0'));
}

TEST(TileLayoutTest, CharacterIsTheLowByteEvenAbove0x7F) {
  GlyphDefinition kana = Glyph('\xB1', 0);
  kana.character = 0x7700 | 0xB1;
  PictureBuilder picture(3, 3);
  EXPECT_EQ(Convert(picture, {kana}, 1, 1), std::string("\xB1\r\n") + '\0');
}

TEST(TileLayoutTest, ColourMeansAreTruncatedPerChannel) {
  // One 3 x 3 tile: blue bytes sum to 908 (mean 100.9), green to 17 (1.9).
  PictureBuilder picture(3, 3);
  for (int32_t y = 0; y < 3; ++y)
    for (int32_t x = 0; x < 3; ++x) picture.Set(x, y, 100, 1, 200);
  picture.Set(2, 2, 108, 9, 200);
  PreparedPicture prepared(picture);
  ASSERT_TRUE(prepared.ok());
  GlyphDefinition f = TileFeatures(prepared.state().PixelGrid, 3, 0, 0, 1, 1);
  EXPECT_EQ(f.blue, 100);
  EXPECT_EQ(f.green, 1);
  EXPECT_EQ(f.red, 200);
}

TEST(TileLayoutTest, BlockEdgesDivideByTheShorterSideAndCapAt255) {
  // Edge values are planted directly in the grid's fourth byte.
  auto tileWith = [](int32_t blockWidth, int32_t blockHeight, uint8_t edge) {
    int32_t w = 3 * blockWidth, h = 3 * blockHeight;
    std::vector<uint8_t> grid(static_cast<size_t>(w) * h * 4, 0);
    // Only block (1, 2) (middle row, right column) carries edges.
    for (int32_t y = blockHeight; y < 2 * blockHeight; ++y)
      for (int32_t x = 2 * blockWidth; x < 3 * blockWidth; ++x)
        grid[(static_cast<size_t>(y) * w + x) * 4 + 3] = edge;
    return TileFeatures(grid.data(), w, 0, 0, blockWidth, blockHeight);
  };
  GlyphDefinition f = tileWith(2, 4, 10);
  EXPECT_EQ(f.edge[5], 40);  // 8 x 10 / 2
  for (int i : {0, 1, 2, 3, 4, 6, 7, 8}) EXPECT_EQ(f.edge[i], 0) << "block " << i;
  EXPECT_EQ(tileWith(2, 4, 70).edge[5], 255);  // 560 / 2 is capped
  EXPECT_EQ(tileWith(4, 2, 10).edge[5], 40);
  EXPECT_EQ(tileWith(3, 3, 10).edge[5], 30);
  EXPECT_EQ(tileWith(3, 6, 42).edge[5], 252);  // six times the mean
  EXPECT_EQ(tileWith(3, 6, 43).edge[5], 255);
}

TEST(TileLayoutTest, TilesAlongTheBorderSeeTheBorderWithoutEdges) {
  // A sharp vertical line through the middle of a 6 x 3 picture: the only edges
  // lie in the grid's interior, in column 2 (stepping right into the line).
  PictureBuilder picture(6, 3);
  for (int32_t y = 0; y < 3; ++y) picture.Grey(3, y, 255);
  PreparedPicture prepared(picture);
  ASSERT_TRUE(prepared.ok());
  GlyphDefinition left = TileFeatures(prepared.state().PixelGrid, 6, 0, 0, 1, 1);
  GlyphDefinition right = TileFeatures(prepared.state().PixelGrid, 6, 3, 0, 1, 1);
  EXPECT_EQ(left.edge[5], 255) << "middle row, right block: pixel (2, 1)";
  EXPECT_EQ(left.edge[2], 0) << "the first row has no edges";
  EXPECT_EQ(right.edge[3], 255) << "pixel (3, 1) steps right, out of the line";
  EXPECT_EQ(right.edge[5], 0) << "the last column has no edges";
}

}  // namespace
