#include "render/cell_resample.h"

namespace {

// The overlap of source pixel i with target pixel t, both measured in units of
// 1 / (sourceSize x targetSize) of the whole length: source pixel i spans
// [i x target, (i + 1) x target), target pixel t spans [t x source, (t + 1) x source).
int64_t Overlap(int64_t i, int64_t t, int64_t sourceSize, int64_t targetSize) {
  int64_t low = i * targetSize > t * sourceSize ? i * targetSize : t * sourceSize;
  int64_t highSource = (i + 1) * targetSize, highTarget = (t + 1) * sourceSize;
  int64_t high = highSource < highTarget ? highSource : highTarget;
  return high > low ? high - low : 0;
}

// Weights of every source pixel for every target pixel along one axis; each
// target's weights add up to sourceSize.
std::vector<std::vector<std::pair<int32_t, int64_t>>> AxisWeights(int32_t sourceSize,
                                                                  int32_t targetSize) {
  std::vector<std::vector<std::pair<int32_t, int64_t>>> weights(targetSize);
  for (int32_t t = 0; t < targetSize; ++t) {
    int32_t first = static_cast<int32_t>(int64_t{t} * sourceSize / targetSize);
    for (int32_t i = first; i < sourceSize; ++i) {
      int64_t w = Overlap(i, t, sourceSize, targetSize);
      if (w == 0) break;
      weights[t].emplace_back(i, w);
    }
  }
  return weights;
}

}  // namespace

std::vector<uint8_t> ResampleByArea(const uint8_t* source, int32_t sourceWidth,
                                    int32_t sourceHeight, int32_t targetWidth,
                                    int32_t targetHeight) {
  auto across = AxisWeights(sourceWidth, targetWidth);
  auto down = AxisWeights(sourceHeight, targetHeight);
  // 255 x 65536 x 65536 < 2^63: the sums stay exact.
  const int64_t total = int64_t{sourceWidth} * sourceHeight;
  std::vector<uint8_t> target(static_cast<size_t>(targetWidth) * targetHeight);
  for (int32_t ty = 0; ty < targetHeight; ++ty) {
    for (int32_t tx = 0; tx < targetWidth; ++tx) {
      int64_t sum = 0;
      for (const auto& [sy, wy] : down[ty]) {
        const uint8_t* row = source + static_cast<size_t>(sy) * sourceWidth;
        for (const auto& [sx, wx] : across[tx]) sum += row[sx] * wx * wy;
      }
      target[static_cast<size_t>(ty) * targetWidth + tx] =
          static_cast<uint8_t>((sum + total / 2) / total);
    }
  }
  return target;
}
