#include "tools/benchmark/synthetic_picture.h"

#include <cmath>
#include <cstddef>

std::vector<uint8_t> MakeSyntheticPicture() {
  constexpr int32_t w = kSyntheticWidth, h = kSyntheticHeight;
  std::vector<uint8_t> rows(static_cast<size_t>(w) * h * 4);
  for (int32_t y = 0; y < h; ++y) {
    for (int32_t x = 0; x < w; ++x) {
      uint8_t* p = &rows[(static_cast<size_t>(y) * w + x) * 4];
      int32_t dx = x - w / 2, dy = y - h / 2;
      int32_t ring = static_cast<int32_t>(std::sqrt(double(dx) * dx + double(dy) * dy)) / 7;
      bool stripe = ((x / 13) + (y / 29)) % 5 == 0;
      p[0] = static_cast<uint8_t>(stripe ? 255 : (x * 255 / w));
      p[1] = static_cast<uint8_t>(ring % 2 ? 200 : (y * 255 / h));
      p[2] = static_cast<uint8_t>(((x ^ y) & 0x3F) * 4);
      p[3] = 0;
    }
  }
  return rows;
}
