#include "image/plugins/netpbm/netpbm_parser.h"

#include <climits>
#include <cstring>

namespace {

bool IsSpace(uint8_t c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

bool IsDigit(uint8_t c) { return c >= '0' && c <= '9'; }

bool IsBinary(int format) { return format >= 4; }
bool IsBitmap(int format) { return format == 1 || format == 4; }
int SamplesPerPixel(int format) { return format == 3 || format == 6 ? 3 : 1; }

// A cursor over the input that never moves past its end.
struct Cursor {
  const uint8_t* data;
  size_t size;
  size_t at;

  bool AtEnd() const { return at >= size; }

  // Skips whitespace and comments ('#' to the end of the line).
  void SkipSeparators() {
    while (!AtEnd()) {
      if (IsSpace(data[at])) {
        ++at;
      } else if (data[at] == '#') {
        while (!AtEnd() && data[at] != '\n' && data[at] != '\r') ++at;
      } else {
        return;
      }
    }
  }

  // A decimal number of at most limit; false when there is none or it is larger.
  bool ReadNumber(int limit, int* value) {
    SkipSeparators();
    if (AtEnd() || !IsDigit(data[at])) return false;
    long long number = 0;
    while (!AtEnd() && IsDigit(data[at])) {
      number = number * 10 + (data[at] - '0');
      if (number > limit) return false;
      ++at;
    }
    *value = static_cast<int>(number);
    return true;
  }
};

uint8_t Scale(int sample, int maxval) {
  return static_cast<uint8_t>((sample * 255 + maxval / 2) / maxval);
}

// Samples of a binary raster, one or two bytes each, big-endian.
bool ReadBinarySample(Cursor* cursor, int maxval, int* sample) {
  const size_t width = maxval > 255 ? 2 : 1;
  if (cursor->size - cursor->at < width) return false;
  const uint8_t* p = cursor->data + cursor->at;
  *sample = width == 2 ? (p[0] << 8) | p[1] : p[0];
  cursor->at += width;
  return *sample <= maxval;
}

// A PBM ASCII sample is a single '0' or '1', with or without separators.
bool ReadBitmapDigit(Cursor* cursor, int* bit) {
  cursor->SkipSeparators();
  if (cursor->AtEnd()) return false;
  const uint8_t c = cursor->data[cursor->at++];
  if (c != '0' && c != '1') return false;
  *bit = c - '0';
  return true;
}

bool DecodeBitmapRow(Cursor* cursor, const NetpbmHeader& header, uint8_t* row) {
  if (IsBinary(header.format)) {
    const size_t bytes = (static_cast<size_t>(header.width) + 7) / 8;
    if (cursor->size - cursor->at < bytes) return false;
    std::memcpy(row, cursor->data + cursor->at, bytes);
    cursor->at += bytes;
    // Bits past the width are padding in both layouts; clear them so the
    // bitmap does not depend on what the file left there.
    const int spare = static_cast<int>(bytes * 8) - header.width;
    row[bytes - 1] &= static_cast<uint8_t>(0xFF << spare);
    return true;
  }
  for (int x = 0; x < header.width; ++x) {
    int bit;
    if (!ReadBitmapDigit(cursor, &bit)) return false;
    if (bit) row[x / 8] |= static_cast<uint8_t>(0x80 >> (x % 8));
  }
  return true;
}

bool DecodeSampleRow(Cursor* cursor, const NetpbmHeader& header, uint8_t* row) {
  const int samples = SamplesPerPixel(header.format);
  for (int x = 0; x < header.width; ++x) {
    for (int s = 0; s < samples; ++s) {
      int sample;
      const bool read = IsBinary(header.format)
                            ? ReadBinarySample(cursor, header.maxval, &sample)
                            : cursor->ReadNumber(header.maxval, &sample);
      if (!read) return false;
      // PPM stores red, green, blue; a bitmap pixel is blue, green, red.
      const int slot = samples == 3 ? x * 3 + (2 - s) : x;
      row[slot] = Scale(sample, header.maxval);
    }
  }
  return true;
}

}  // namespace

bool HasNetpbmMagic(const uint8_t* data, size_t size) {
  return size >= 3 && data[0] == 'P' && data[1] >= '1' && data[1] <= '6' &&
         (IsSpace(data[2]) || data[2] == '#');
}

int NetpbmBitCount(int format) {
  if (IsBitmap(format)) return 1;
  return SamplesPerPixel(format) == 3 ? 24 : 8;
}

int NetpbmRowBytes(const NetpbmHeader& header) {
  return static_cast<int>((static_cast<long long>(NetpbmBitCount(header.format)) *
                               header.width + 31) / 32 * 4);
}

int NetpbmPixelBytes(const NetpbmHeader& header) {
  return NetpbmRowBytes(header) * header.height;
}

bool ParseNetpbmHeader(const uint8_t* data, size_t size, NetpbmHeader* header) {
  if (!HasNetpbmMagic(data, size)) return false;
  NetpbmHeader parsed;
  parsed.format = data[1] - '0';
  Cursor cursor{data, size, 2};
  if (!cursor.ReadNumber(INT_MAX, &parsed.width) || parsed.width == 0) return false;
  if (!cursor.ReadNumber(INT_MAX, &parsed.height) || parsed.height == 0) return false;
  parsed.maxval = 1;
  if (!IsBitmap(parsed.format) &&
      (!cursor.ReadNumber(65535, &parsed.maxval) || parsed.maxval == 0)) {
    return false;
  }
  // The bitmap's byte count must fit the signed 32-bit counts of its users.
  const long long rowBytes =
      (static_cast<long long>(NetpbmBitCount(parsed.format)) * parsed.width + 31) / 32 * 4;
  if (rowBytes > INT_MAX / parsed.height) return false;
  // One whitespace character ends the header; a binary raster follows at once.
  if (cursor.AtEnd() || !IsSpace(data[cursor.at])) return false;
  parsed.rasterOffset = cursor.at + 1;
  *header = parsed;
  return true;
}

bool NetpbmRasterMayFit(size_t size, const NetpbmHeader& header) {
  if (header.rasterOffset > size) return false;
  const unsigned long long available = size - header.rasterOffset;
  const unsigned long long pixels =
      static_cast<unsigned long long>(header.width) * static_cast<unsigned long long>(header.height);
  if (header.format == 4) {
    return available >= (static_cast<unsigned long long>(header.width) + 7) / 8 * header.height;
  }
  const unsigned long long samples = pixels * SamplesPerPixel(header.format);
  const unsigned long long bytesPerSample =
      IsBinary(header.format) && header.maxval > 255 ? 2 : 1;
  return available >= samples * bytesPerSample;
}

bool DecodeNetpbmRaster(const uint8_t* data, size_t size, const NetpbmHeader& header,
                        uint8_t* pixels) {
  const int rowBytes = NetpbmRowBytes(header);
  std::memset(pixels, 0, static_cast<size_t>(rowBytes) * header.height);
  if (header.rasterOffset > size) return false;
  Cursor cursor{data, size, header.rasterOffset};
  for (int y = 0; y < header.height; ++y) {
    // Netpbm rows run top to bottom; bitmap rows bottom to top.
    uint8_t* row = pixels + static_cast<size_t>(header.height - 1 - y) * rowBytes;
    const bool decoded = IsBitmap(header.format) ? DecodeBitmapRow(&cursor, header, row)
                                                 : DecodeSampleRow(&cursor, header, row);
    if (!decoded) return false;
  }
  return true;
}
