// The reference path: plain loops that every vector path must equal byte for byte.
#include <algorithm>

#include "convert/conversion_state.h"
#include "convert/engine_kernels.h"
#include "convert/record_layout.h"

namespace {

void PlainRow(const uint8_t* source, uint8_t* target, int32_t width) {
  for (int32_t x = 0; x < width; ++x, source += 4, target += 4) {
    target[0] = source[0];
    target[1] = source[1];
    target[2] = source[2];
    target[3] = 0;
  }
}

void EdgeRow(const uint8_t* source, const uint8_t* below, uint8_t* target, int32_t width) {
  PlainRow(source, target, width);
  for (int32_t x = 1; x < width - 1; ++x) {
    const uint8_t* pixel = source + static_cast<size_t>(x) * 4;
    target[static_cast<size_t>(x) * 4 + 3] = static_cast<uint8_t>(
        EdgeStrength(pixel, pixel + 4, pixel, below + static_cast<size_t>(x) * 4));
  }
}

void ColumnSums(const uint8_t* first, size_t stride, int32_t rows, size_t bytes,
                uint16_t* sums) {
  for (size_t i = 0; i < bytes; ++i) sums[i] = 0;
  for (int32_t r = 0; r < rows; ++r, first += stride) {
    for (size_t i = 0; i < bytes; ++i) sums[i] = static_cast<uint16_t>(sums[i] + first[i]);
  }
}

uint32_t ScaledCube(uint32_t u, uint32_t scale) {
  const uint32_t a = u << scale;
  const uint32_t square = (a * a) >> 16;
  return (square * a) >> 16;
}

uint32_t CubeBounds(const int16_t* values, uint32_t count, const int16_t* /*boxes*/,
                    const int32_t probe[12], uint32_t scale, uint16_t limit, uint16_t* bounds,
                    uint16_t* listed) {
  uint32_t least = 65535;
  for (uint32_t i = 0; i < count; ++i) {
    uint32_t sum = 0;
    for (uint32_t k = 0; k < 12; ++k) {
      const int32_t difference = probe[k] - values[GroupedAt(i, k)];
      sum += ScaledCube(static_cast<uint32_t>(difference < 0 ? -difference : difference),
                        scale);
    }
    bounds[i] = static_cast<uint16_t>(sum < 65535 ? sum : 65535);
    if (bounds[i] < least) least = bounds[i];
  }
  const uint32_t threshold = limit < least + kBoundSlack ? limit : least + kBoundSlack;
  uint32_t n = 0;
  for (uint32_t i = 0; i < count; ++i) {
    if (bounds[i] <= threshold) listed[n++] = static_cast<uint16_t>(i);
  }
  return n;
}

}  // namespace

void GroupBoxes(const int16_t* values, uint32_t count, int16_t boxes[kBoxValues]) {
  for (uint32_t k = 0; k < 16; ++k) {
    const bool edge = k >= kBoxColours && k < 12;
    int16_t low = edge ? INT16_MAX : INT16_MIN, high = edge ? INT16_MIN : INT16_MAX;
    for (uint32_t i = 0; i < count && edge; ++i) {
      low = std::min(low, values[GroupedAt(i, k)]);
      high = std::max(high, values[GroupedAt(i, k)]);
    }
    boxes[kTableBox + k] = low;
    boxes[kTableBox + 16 + k] = high;
  }
  for (uint32_t k = 0; k < kBoxColours; ++k) {
    for (uint32_t g = 0; g < kRecordGroup; ++g) {
      int16_t low = 0, high = 0;
      for (uint32_t i = g * kRecordGroup; i < (g + 1) * kRecordGroup && i < count; ++i) {
        const int16_t v = values[GroupedAt(i, k)];
        if (i == g * kRecordGroup || v < low) low = v;
        if (i == g * kRecordGroup || v > high) high = v;
      }
      boxes[k * kRecordGroup + g] = low;
      boxes[kBoxHighs + k * kRecordGroup + g] = high;
    }
  }
}

uint32_t PlainNearestListed(const int32_t* rows, const uint16_t* listed, uint32_t n,
                            const int32_t probe[12], const uint16_t* indices,
                            uint32_t* distance) {
  uint32_t best = UINT32_MAX, least = UINT32_MAX;
  for (uint32_t j = 0; j < n; ++j) {
    const uint32_t sum = PlainExactDistance(rows + 12 * size_t{listed[j]}, probe);
    const uint32_t index = indices[listed[j]];
    if (best == UINT32_MAX || sum < least || (sum == least && index < best)) {
      least = sum;
      best = index;
    }
  }
  if (best != UINT32_MAX) *distance = least;
  return best;
}

uint32_t PlainExactDistance(const int32_t values[12], const int32_t probe[12]) {
  uint32_t sum = 0;
  for (uint32_t k = 0; k < 12; ++k) {
    const int32_t difference = probe[k] - values[k];
    const uint32_t magnitude = static_cast<uint32_t>(difference < 0 ? -difference : difference);
    sum += magnitude * magnitude * magnitude;
  }
  return sum;
}

const EngineKernels kScalarKernels = {PlainRow, EdgeRow, ColumnSums, CubeBounds,
                                      PlainNearestListed, PlainExactDistance};
