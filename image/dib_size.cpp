#include "image/dib_size.h"

#include <climits>
#include <cstdint>

bool DibRowBytes(int bitCount, int width, int* rowBytes) {
  *rowBytes = 0;
  if (bitCount <= 0 || width <= 0) return false;
  const int64_t bytes = (static_cast<int64_t>(bitCount) * width + 31) / 32 * 4;
  if (bytes > INT_MAX) return false;
  *rowBytes = static_cast<int>(bytes);
  return true;
}

bool DibPixelBytes(int bitCount, int width, int height, int* pixelBytes) {
  *pixelBytes = 0;
  if (height == 0 || height == INT_MIN) return false;
  int rowBytes;
  if (!DibRowBytes(bitCount, width, &rowBytes)) return false;
  const int64_t rows = height < 0 ? -static_cast<int64_t>(height) : height;
  const int64_t bytes = rows * rowBytes;
  if (bytes > INT_MAX) return false;
  *pixelBytes = static_cast<int>(bytes);
  return true;
}
