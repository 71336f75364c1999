#include <cstdint>
#include <vector>

#include "gtest/gtest.h"
#include "render/cell_resample.h"

namespace {

TEST(CellResampleTest, SameSizeCopies) {
  const std::vector<uint8_t> cell = {0, 1, 2, 3, 254, 255};
  EXPECT_EQ(ResampleByArea(cell.data(), 3, 2, 3, 2), cell);
}

TEST(CellResampleTest, ShrinkingAveragesTheCoveredAreaAndRoundsHalvesUp) {
  const std::vector<uint8_t> square = {0, 255, 255, 255};
  EXPECT_EQ(ResampleByArea(square.data(), 2, 2, 1, 1), std::vector<uint8_t>{191});  // 191.25
  const std::vector<uint8_t> pair = {0, 255};
  EXPECT_EQ(ResampleByArea(pair.data(), 2, 1, 1, 1), std::vector<uint8_t>{128});  // 127.5
  // Three pixels into two: each target takes one whole and half of the middle one.
  const std::vector<uint8_t> row = {0, 90, 180};
  EXPECT_EQ(ResampleByArea(row.data(), 3, 1, 2, 1), (std::vector<uint8_t>{30, 150}));
  const std::vector<uint8_t> column = {0, 90, 180};
  EXPECT_EQ(ResampleByArea(column.data(), 1, 3, 1, 2), (std::vector<uint8_t>{30, 150}));
}

TEST(CellResampleTest, EnlargingRepeatsAndKeepsTheMean) {
  const std::vector<uint8_t> one = {77};
  EXPECT_EQ(ResampleByArea(one.data(), 1, 1, 3, 2), std::vector<uint8_t>(6, 77));
  // A doubled-height cell of 18 x 36 back to 9 x 18: pairs of rows merge.
  std::vector<uint8_t> tall(18 * 36);
  for (int y = 0; y < 36; ++y)
    for (int x = 0; x < 18; ++x) tall[y * 18 + x] = (y / 2 + x / 2) % 2 ? 255 : 0;
  std::vector<uint8_t> tile = ResampleByArea(tall.data(), 18, 36, 9, 18);
  ASSERT_EQ(tile.size(), 9u * 18u);
  for (int y = 0; y < 18; ++y)
    for (int x = 0; x < 9; ++x) ASSERT_EQ(tile[y * 9 + x], (y + x) % 2 ? 255 : 0) << x << "," << y;
}

}  // namespace
