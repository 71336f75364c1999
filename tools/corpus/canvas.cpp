#include "tools/corpus/canvas.h"

#include <algorithm>
#include <cstdio>

void Canvas::Blend(int32_t x, int32_t y, Rgb colour, int32_t cover) {
  if (x < 0 || y < 0 || x >= width || y >= height || cover <= 0) return;
  uint8_t* p = At(x, y);
  const int32_t keep = 256 - std::min(cover, 256);
  p[0] = static_cast<uint8_t>((p[0] * keep + colour.r * (256 - keep) + 128) >> 8);
  p[1] = static_cast<uint8_t>((p[1] * keep + colour.g * (256 - keep) + 128) >> 8);
  p[2] = static_cast<uint8_t>((p[2] * keep + colour.b * (256 - keep) + 128) >> 8);
}

Rgb Mix(Rgb a, Rgb b, int32_t t) {
  t = std::clamp(t, 0, 256);
  return Rgb{(a.r * (256 - t) + b.r * t + 128) >> 8, (a.g * (256 - t) + b.g * t + 128) >> 8,
             (a.b * (256 - t) + b.b * t + 128) >> 8};
}

bool WritePpm(const Canvas& canvas, const std::string& path) {
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) return false;
  const std::string header =
      "P6\n" + std::to_string(canvas.width) + " " + std::to_string(canvas.height) + "\n255\n";
  bool written =
      std::fwrite(header.data(), 1, header.size(), file) == header.size() &&
      std::fwrite(canvas.bytes.data(), 1, canvas.bytes.size(), file) == canvas.bytes.size();
  return std::fclose(file) == 0 && written;
}

namespace {

// One pass along rows (step 3) or columns (step 3 x width), sums kept running.
void BlurLines(Canvas* canvas, int32_t radius, bool alongRows) {
  const int32_t lines = alongRows ? canvas->height : canvas->width;
  const int32_t length = alongRows ? canvas->width : canvas->height;
  const size_t step = alongRows ? 3 : static_cast<size_t>(canvas->width) * 3;
  const int32_t window = 2 * radius + 1;
  std::vector<uint8_t> line(static_cast<size_t>(length) * 3);
  for (int32_t l = 0; l < lines; ++l) {
    uint8_t* start = alongRows ? canvas->At(0, l) : canvas->At(l, 0);
    for (int32_t i = 0; i < length; ++i)
      std::copy(start + i * step, start + i * step + 3, &line[3 * i]);
    for (int32_t c = 0; c < 3; ++c) {
      int32_t sum = 0;
      for (int32_t k = -radius; k <= radius; ++k) sum += line[3 * std::clamp(k, 0, length - 1) + c];
      for (int32_t i = 0; i < length; ++i) {
        start[i * step + c] = static_cast<uint8_t>((sum + window / 2) / window);
        sum += line[3 * std::min(i + radius + 1, length - 1) + c] -
               line[3 * std::max(i - radius, 0) + c];
      }
    }
  }
}

}  // namespace

void BoxBlur(Canvas* canvas, int32_t radius) {
  if (radius <= 0) return;
  BlurLines(canvas, radius, true);
  BlurLines(canvas, radius, false);
}
