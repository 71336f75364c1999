#include "convert/conversion_state.h"

#include <cstdlib>
#include <cstring>

namespace {

inline int32_t ColourStep(const uint8_t* p, const uint8_t* q) {
  return std::abs(p[0] - q[0]) + std::abs(p[1] - q[1]) + std::abs(p[2] - q[2]);
}

// A byte count as a size_t, or 0 when it cannot be represented or allocated.
size_t CheckedSize(uint64_t bytes) {
  if (bytes == 0 || bytes > static_cast<uint64_t>(PTRDIFF_MAX)) return 0;
  return static_cast<size_t>(bytes);
}

}  // namespace

int32_t EdgeStrength(const uint8_t* a, const uint8_t* b, const uint8_t* c, const uint8_t* d) {
  int32_t h = ColourStep(a, b);
  int32_t v = ColourStep(c, d);
  return (h > v ? h : v) / 3;
}

size_t ArtTextSize(int32_t width, int32_t height) {
  if (width < 0 || height < 0) return 0;
  return CheckedSize((uint64_t{static_cast<uint32_t>(width)} / 3 + 2) *
                         (uint64_t{static_cast<uint32_t>(height)} / 3) + 1);
}

void ReleaseConversion(ConversionState& state) {
  std::free(state.PixelGrid);
  std::free(state.ArtText);
  state = ConversionState{};
}

bool PreparePicture(ConversionState& state, int32_t width, int32_t height,
                    const uint8_t* rows) {
  if (width <= 0 || height <= 0) return false;
  size_t gridSize = CheckedSize(uint64_t{static_cast<uint32_t>(width)} *
                                static_cast<uint32_t>(height) * 4);
  size_t textSize = ArtTextSize(width, height);
  if (gridSize == 0 || textSize == 0) return false;

  uint8_t* grid = static_cast<uint8_t*>(std::malloc(gridSize));
  if (grid == nullptr) return false;
  char* text = static_cast<char*>(std::malloc(textSize));
  if (text == nullptr) {
    std::free(grid);
    return false;
  }

  const size_t rowBytes = static_cast<size_t>(width) * 4;
  for (int32_t y = 0; y < height; ++y) {
    const uint8_t* source = rows + static_cast<size_t>(height - 1 - y) * rowBytes;
    uint8_t* target = grid + static_cast<size_t>(y) * rowBytes;
    std::memcpy(target, source, rowBytes);
    for (int32_t x = 0; x < width; ++x) target[x * 4 + 3] = 0;
  }

  // Only bytes 0-2 are read, so writing byte 3 in place disturbs no later pixel.
  for (int32_t y = 1; y < height - 1; ++y) {
    uint8_t* row = grid + static_cast<size_t>(y) * rowBytes;
    for (int32_t x = 1; x < width - 1; ++x) {
      uint8_t* pixel = row + static_cast<size_t>(x) * 4;
      pixel[3] = static_cast<uint8_t>(EdgeStrength(pixel, pixel + 4, pixel, pixel + rowBytes));
    }
  }

  state.PixelGrid = grid;
  state.width = width;
  state.height = height;
  state.ArtText = text;
  return true;
}
