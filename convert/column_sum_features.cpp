#include "convert/column_sum_features.h"

#include <cstddef>

void SumRunColumns(const EngineKernels& kernels, const uint8_t* grid, int32_t gridWidth,
                   int32_t x, int32_t y, int32_t columns, int32_t blockHeight,
                   RunColumnSums* run) {
  const size_t stride = static_cast<size_t>(gridWidth) * 4;
  for (int r = 0; r < 3; ++r) {
    const uint8_t* first = grid + (static_cast<size_t>(y) + static_cast<size_t>(r) * blockHeight) *
                                      stride + static_cast<size_t>(x) * 4;
    kernels.columnSums(first, stride, blockHeight, static_cast<size_t>(columns) * 4,
                       run->sums[r]);
  }
}
