#include "image/declared_picture_size.h"

#include <climits>
#include <cstring>

#include "image/dib_size.h"

namespace {

uint32_t BigEndian16(const uint8_t* p) { return uint32_t{p[0]} << 8 | p[1]; }
uint32_t BigEndian32(const uint8_t* p) { return BigEndian16(p) << 16 | BigEndian16(p + 2); }

// Frame headers: SOF0 to SOF15 but DHT (C4), JPG (C8) and DAC (CC), which share
// the range.
bool IsFrameMarker(uint8_t marker) {
  return marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
}

// Markers that stand alone, without a length: TEM and RST0 to RST7.
bool IsStandaloneMarker(uint8_t marker) {
  return marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7);
}

bool ReadJpegSize(const uint8_t* data, size_t size, uint32_t* width, uint32_t* height) {
  if (size < 2 || data[0] != 0xFF || data[1] != 0xD8) return false;
  size_t at = 2;
  for (;;) {
    if (at >= size || data[at] != 0xFF) return false;
    while (at < size && data[at] == 0xFF) ++at;  // fill bytes before the marker
    if (at >= size) return false;
    const uint8_t marker = data[at++];
    if (IsStandaloneMarker(marker)) continue;
    // The picture's data or its end before any frame header: no size to read.
    if (marker == 0xDA || marker == 0xD9 || size - at < 2) return false;
    const uint32_t length = BigEndian16(data + at);
    if (length < 2) return false;
    if (IsFrameMarker(marker)) {
      // Length, precision, then the height and the width.
      if (length < 7 || size - at < 7) return false;
      *height = BigEndian16(data + at + 3);
      *width = BigEndian16(data + at + 5);
      return true;
    }
    if (size - at < length) return false;
    at += length;
  }
}

bool ReadPngSize(const uint8_t* data, size_t size, uint32_t* width, uint32_t* height) {
  static const uint8_t kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  // The signature, then the IHDR chunk: its length, its type, the width and height.
  if (size < 24 || std::memcmp(data, kSignature, 8) != 0 ||
      std::memcmp(data + 12, "IHDR", 4) != 0) {
    return false;
  }
  *width = BigEndian32(data + 16);
  *height = BigEndian32(data + 20);
  return true;
}

}  // namespace

bool ReadDeclaredPictureSize(const uint8_t* data, size_t size, uint32_t* width,
                             uint32_t* height) {
  return ReadJpegSize(data, size, width, height) || ReadPngSize(data, size, width, height);
}

bool DeclaredSizeFitsABitmap(const uint8_t* data, size_t size) {
  uint32_t width = 0, height = 0;
  if (!ReadDeclaredPictureSize(data, size, &width, &height)) return true;
  // A side of 0 is for the decoder to refuse (or, in a JPEG, to learn later).
  if (width == 0 || height == 0) return true;
  int bytes = 0;
  return width <= INT_MAX && height <= INT_MAX &&
         DibPixelBytes(32, static_cast<int>(width), static_cast<int>(height), &bytes);
}
