#include "train/training_tiles.h"

#include "convert/conversion_state.h"
#include "convert/tile_matching.h"

namespace {

// Releases the converter's grid on every way out.
struct PreparedPicture {
  ConversionState state;
  ~PreparedPicture() { ReleaseConversion(state); }
};

int32_t RoundedQuotient(int64_t sum, int64_t count) {
  return static_cast<int32_t>((sum + count / 2) / count);
}

}  // namespace

bool AddPictureTiles(int32_t width, int32_t height, const uint8_t* rows, TrainingTiles* tiles) {
  PreparedPicture picture;
  if (!PreparePicture(picture.state, width, height, rows)) return false;
  const uint8_t* grid = picture.state.PixelGrid;
  const int32_t bw = tiles->blockWidth, bh = tiles->blockHeight;
  const int32_t across = width / (3 * bw), down = height / (3 * bh);
  if (across > 0 && down > 0) tiles->sheets.push_back(TileSheet{tiles->Count(), across, down});
  for (int32_t ty = 0; ty < down; ++ty) {
    for (int32_t tx = 0; tx < across; ++tx) {
      const int32_t left = 3 * bw * tx, top = 3 * bh * ty;
      tiles->features.push_back(TileFeatures(grid, width, left, top, bw, bh));
      for (int32_t block = 0; block < 9; ++block) {
        int64_t sum = 0;
        for (int32_t y = 0; y < bh; ++y) {
          const uint8_t* pixel =
              grid +
              (static_cast<size_t>(top + block / 3 * bh + y) * width + left + block % 3 * bw) * 4;
          for (int32_t x = 0; x < bw; ++x, pixel += 4) sum += GreyTimes1000(pixel);
        }
        tiles->blockGrey.push_back(RoundedQuotient(sum, 1000 * static_cast<int64_t>(bw) * bh));
      }
    }
  }
  return true;
}
