// Known images with known scores, and the filters the scores are built from.
#include <cmath>

#include "gtest/gtest.h"
#include "score/image_filters.h"
#include "score/text_art_score.h"
#include "score/text_drawing.h"

namespace {

GreyImage Pattern(int32_t width, int32_t height, double (*value)(int32_t x, int32_t y)) {
  GreyImage image(width, height);
  for (int32_t y = 0; y < height; ++y)
    for (int32_t x = 0; x < width; ++x) image.At(x, y) = value(x, y);
  return image;
}

TEST(ImageFiltersTest, MirrorsWithTheEdgePixelRepeatedAtAnyDistance) {
  const int32_t expected[] = {2, 2, 1, 0, 0, 1, 2, 2, 1, 0, 0, 1};  // i = -4 .. 7, n = 3
  for (int64_t i = -4; i <= 7; ++i) EXPECT_EQ(Mirrored(i, 3), expected[i + 4]) << i;
  EXPECT_EQ(Mirrored(-1, 1), 0);
}

TEST(ImageFiltersTest, BoxAndGaussianKeepFlatImagesAndAverageRamps) {
  const GreyImage flat(7, 5, 42);
  for (double v : BoxBlur(flat, 4, 3).pixels) EXPECT_NEAR(v, 42, 1e-9);
  for (double v : GaussianBlur(flat, 1.5, 5).pixels) EXPECT_NEAR(v, 42, 1e-9);
  // A ramp 0, 3, 6, ... across: a window of 3 gives the centre's value, but for
  // the mirrored first value (0, 0, 3) and last.
  const GreyImage ramp = Pattern(5, 1, [](int32_t x, int32_t) { return 3.0 * x; });
  const GreyImage blurred = BoxBlur(ramp, 3, 1);
  const double expected[] = {1, 3, 6, 9, 11};
  for (int32_t x = 0; x < 5; ++x) EXPECT_NEAR(blurred.At(x, 0), expected[x], 1e-9) << x;
  // An even window reaches one further before than after: x - 2 .. x + 1, so at
  // x = 0 the mirrored values 3, 0, 0, 3.
  EXPECT_NEAR(BoxBlur(ramp, 4, 1).At(0, 0), (3.0 + 0 + 0 + 3) / 4, 1e-9);
}

TEST(TextArtScoreTest, ToneIsOneForTheSameImageAndTheClosedFormForFlatOnes) {
  const GreyImage picture =
      Pattern(18, 36, [](int32_t x, int32_t y) { return std::fmod(x * 37.0 + y * 11.0, 256.0); });
  EXPECT_NEAR(ToneSimilarity(picture, picture, 9, 18), 1.0, 1e-12);
  // Flat images have no variance: SSIM is its luminance term alone.
  const double c1 = 2.55 * 2.55;
  const double expected = (2 * 100.0 * 200.0 + c1) / (100.0 * 100.0 + 200.0 * 200.0 + c1);
  EXPECT_NEAR(ToneSimilarity(GreyImage(18, 36, 100), GreyImage(18, 36, 200), 9, 18), expected,
              1e-12);
  // The rendering is clipped after its blur: far below black reads as black.
  EXPECT_NEAR(ToneSimilarity(GreyImage(9, 18, 0), GreyImage(9, 18, -500), 9, 18), 1.0, 1e-12);
}

TEST(TextArtScoreTest, StretchMakesTheDarkestGlyphBlackAndKeepsPaperWhite) {
  GreyImage rendering(2, 1);
  rendering.At(0, 0) = 255;
  rendering.At(1, 0) = 255 - 60;
  StretchTone(&rendering, 60);
  EXPECT_DOUBLE_EQ(rendering.At(0, 0), 255);
  EXPECT_DOUBLE_EQ(rendering.At(1, 0), 0);
}

// A picture of 4 x 4 cells of 8 x 8 with a vertical edge through its middle, and
// renderings: strokes along it, strokes across it, fine texture, blank paper.
TEST(TextArtScoreTest, EdgesRewardStrokesAlongTheEdgesOnly) {
  auto edge = [](int32_t x, int32_t) { return x < 16 ? 30.0 : 220.0; };
  auto along = [](int32_t x, int32_t) { return x % 8 == 4 ? 0.0 : 255.0; };
  auto across = [](int32_t, int32_t y) { return y % 8 == 4 ? 0.0 : 255.0; };
  auto texture = [](int32_t x, int32_t y) { return (x + y) % 2 ? 0.0 : 255.0; };
  const GreyImage picture = Pattern(32, 32, edge);
  EXPECT_NEAR(EdgeAgreement(picture, picture, 8, 8), 1.0, 1e-12);
  EXPECT_GT(EdgeAgreement(picture, Pattern(32, 32, along), 8, 8), 0.5);
  EXPECT_LT(EdgeAgreement(picture, Pattern(32, 32, across), 8, 8), -0.5);
  EXPECT_NEAR(EdgeAgreement(picture, Pattern(32, 32, texture), 8, 8), 0.0, 0.05);
  EXPECT_EQ(EdgeAgreement(picture, GreyImage(32, 32, 255), 8, 8), 0.0);
}

TEST(TextDrawingTest, OneCellPerByteARowPerRowOfText) {
  GlyphCells glyphs;
  glyphs.tileWidth = 2;
  glyphs.tileHeight = 1;
  glyphs.cells['a'] = {0, 10};
  glyphs.cells['\0'] = {20, 30};  // a glyph may be NUL
  const char text[] = "a\0\r\n\0a?\r\nignored, no row end";
  const GreyImage image = DrawTextArt(text, sizeof text - 1, glyphs);
  ASSERT_EQ(image.width, 6);
  ASSERT_EQ(image.height, 2);
  const double expected[2][6] = {{0, 10, 20, 30, 255, 255}, {20, 30, 0, 10, 255, 255}};
  for (int32_t y = 0; y < 2; ++y)
    for (int32_t x = 0; x < 6; ++x) EXPECT_EQ(image.At(x, y), expected[y][x]) << x << ", " << y;
  EXPECT_DOUBLE_EQ(DensestDarkness(glyphs), 255 - 5.0);
}

}  // namespace
