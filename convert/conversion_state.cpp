#include "convert/conversion_state.h"

#include <cstdlib>

#include "convert/engine_kernels.h"

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

  // One pass per row: the copy top-down and the edge map together, reading the
  // pixel below from the input, so each byte is touched once. The first and last
  // row and, for pictures under 3 pixels wide, every row have no edges.
  const EngineKernels& kernels = ActiveKernels();
  const size_t rowBytes = static_cast<size_t>(width) * 4;
  for (int32_t y = 0; y < height; ++y) {
    const uint8_t* source = rows + static_cast<size_t>(height - 1 - y) * rowBytes;
    uint8_t* target = grid + static_cast<size_t>(y) * rowBytes;
    if (y == 0 || y == height - 1 || width < 3) {
      kernels.plainRow(source, target, width);
    } else {
      kernels.edgeRow(source, source - rowBytes, target, width);
    }
  }

  state.PixelGrid = grid;
  state.width = width;
  state.height = height;
  state.ArtText = text;
  return true;
}
