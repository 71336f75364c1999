#include <cstdint>

#include "convert/conversion_state.h"
#include "gtest/gtest.h"
#include "tests/convert/picture_builder.h"

namespace {

TEST(EdgeMapTest, EdgeStrengthTakesTheLargerStepOverThree) {
  const uint8_t pixel[4] = {10, 20, 30, 0};
  const uint8_t right[4] = {13, 20, 30, 0};
  const uint8_t below[4] = {10, 20, 90, 0};
  EXPECT_EQ(EdgeStrength(pixel, right, pixel, below), 20);  // h 3, v 60
  EXPECT_EQ(EdgeStrength(pixel, below, pixel, right), 20) << "either direction may win";
  const uint8_t black[4] = {0, 0, 0, 0};
  const uint8_t white[4] = {255, 255, 255, 0};
  EXPECT_EQ(EdgeStrength(black, white, black, black), 255);
  EXPECT_EQ(EdgeStrength(white, black, white, white), 255) << "steps are absolute";
  const uint8_t fourthByteDiffers[4] = {10, 20, 30, 255};
  EXPECT_EQ(EdgeStrength(pixel, fourthByteDiffers, pixel, fourthByteDiffers), 0);
}

TEST(EdgeMapTest, GridIsThePictureUpsideDownWithColoursKept) {
  PictureBuilder picture(2, 3);
  picture.Set(0, 0, 1, 2, 3);  // top left as seen
  picture.Set(1, 2, 7, 8, 9);  // bottom right as seen
  PreparedPicture prepared(picture);
  ASSERT_TRUE(prepared.ok());
  EXPECT_EQ(prepared.state().width, 2);
  EXPECT_EQ(prepared.state().height, 3);
  // The input's last row in memory is the top of the picture: grid row 0.
  EXPECT_EQ(prepared.Pixel(0, 0)[0], 1);
  EXPECT_EQ(prepared.Pixel(0, 0)[2], 3);
  EXPECT_EQ(prepared.Pixel(1, 2)[1], 8);
  EXPECT_EQ(prepared.Edge(0, 0), 0) << "the fourth input byte is not copied";
}

TEST(EdgeMapTest, NarrowPicturesHaveNoEdges) {
  for (int32_t width : {1, 2, 5}) {
    for (int32_t height : {1, 2}) {
      PictureBuilder picture(width, height);
      for (int32_t y = 0; y < height; ++y)
        for (int32_t x = 0; x < width; ++x) picture.Grey(x, y, (x + y) % 2 ? 255 : 0);
      PreparedPicture prepared(picture);
      ASSERT_TRUE(prepared.ok());
      for (int32_t y = 0; y < height; ++y)
        for (int32_t x = 0; x < width; ++x)
          EXPECT_EQ(prepared.Edge(x, y), 0) << width << "x" << height << " at " << x << "," << y;
    }
  }
}

TEST(EdgeMapTest, OnlyInteriorPixelsGetEdgesFromRightAndBelow) {
  // A checkerboard: every pixel differs from its neighbours, so every pixel that
  // gets an edge value at all gets 255.
  {
    PictureBuilder picture(4, 4);
    for (int32_t y = 0; y < 4; ++y)
      for (int32_t x = 0; x < 4; ++x) picture.Grey(x, y, (x + y) % 2 ? 255 : 0);
    PreparedPicture prepared(picture);
    ASSERT_TRUE(prepared.ok());
    for (int32_t y = 0; y < 4; ++y) {
      for (int32_t x = 0; x < 4; ++x) {
        bool interior = x >= 1 && x <= 2 && y >= 1 && y <= 2;
        EXPECT_EQ(prepared.Edge(x, y), interior ? 255 : 0) << x << "," << y;
      }
    }
  }

  // A 3 x 3 picture has one edge value, at its centre; the centre looks right and
  // down only, so a step to its left or above does not count.
  PictureBuilder small(3, 3);
  small.Grey(0, 1, 255);
  small.Grey(1, 0, 255);
  small.Grey(1, 2, 90);
  PreparedPicture preparedSmall(small);
  ASSERT_TRUE(preparedSmall.ok());
  EXPECT_EQ(preparedSmall.Edge(1, 1), 90);
}

TEST(EdgeMapTest, UnrepresentableSizesFailAndLeaveTheStateEmpty) {
  const uint8_t pixel[4] = {};
  ConversionState state;
  EXPECT_FALSE(PreparePicture(state, 0, 1, pixel));
  EXPECT_FALSE(PreparePicture(state, 1, -1, pixel));
  EXPECT_EQ(state.PixelGrid, nullptr);
  EXPECT_EQ(state.ArtText, nullptr);
  EXPECT_EQ(state.width, 0);
  // Too large to allocate on any machine; nothing may be read from rows.
  EXPECT_FALSE(PreparePicture(state, INT32_MAX, INT32_MAX, pixel));
  EXPECT_EQ(state.PixelGrid, nullptr);
  EXPECT_EQ(state.height, 0);
}

TEST(EdgeMapTest, ArtTextSizeIsExactAndChecked) {
  EXPECT_EQ(ArtTextSize(10, 10), 16u);  // (3 + 2) x 3 + 1
  EXPECT_EQ(ArtTextSize(2, 2), 1u);
  EXPECT_EQ(ArtTextSize(30, 30), 121u);
  EXPECT_EQ(ArtTextSize(INT32_MAX, 2), 1u);
  size_t large = ArtTextSize(INT32_MAX, INT32_MAX);
  if (sizeof(size_t) == 4) {
    EXPECT_EQ(large, 0u) << "does not fit 32 bits: refused, not wrapped";
  } else {
    EXPECT_EQ(large, (size_t{715827882} + 2) * 715827882 + 1);
  }
}

}  // namespace
