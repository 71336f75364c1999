#include "image/ppm_picture.h"

#include <fstream>
#include <iterator>

#include "image/plugins/netpbm/netpbm_parser.h"

namespace {

constexpr int kLargestSide = 65535;

}  // namespace

// The plug-in's parser reads the file; this tool only takes the binary forms at
// 8 bits per sample that its sample pictures use, and spreads the bitmap's rows
// to the 4 bytes per pixel that PreparePicture takes.
bool ParsePpmPicture(const uint8_t* data, size_t size, BottomUpPicture* picture) {
  NetpbmHeader header;
  if (!HasNetpbmMagic(data, size) || !ParseNetpbmHeader(data, size, &header) ||
      (header.format != 5 && header.format != 6) || header.maxval != 255 ||
      header.width > kLargestSide || header.height > kLargestSide ||
      !NetpbmRasterMayFit(size, header)) {
    return false;
  }
  std::vector<uint8_t> bitmap(static_cast<size_t>(NetpbmPixelBytes(header)));
  if (!DecodeNetpbmRaster(data, size, header, bitmap.data())) return false;

  const int bytesPerPixel = NetpbmBitCount(header.format) / 8;  // grey: index = level
  const size_t rowBytes = static_cast<size_t>(NetpbmRowBytes(header));
  picture->width = header.width;
  picture->height = header.height;
  picture->rows.assign(static_cast<size_t>(header.width) * header.height * 4, 0);
  for (int y = 0; y < header.height; ++y) {
    const uint8_t* source = bitmap.data() + static_cast<size_t>(y) * rowBytes;
    uint8_t* target = picture->rows.data() + static_cast<size_t>(y) * header.width * 4;
    for (int x = 0; x < header.width; ++x, source += bytesPerPixel, target += 4) {
      target[0] = source[0];
      target[1] = source[bytesPerPixel == 3 ? 1 : 0];
      target[2] = source[bytesPerPixel == 3 ? 2 : 0];
    }
  }
  return true;
}

bool ParsePpmPicture(const std::string& bytes, BottomUpPicture* picture) {
  return ParsePpmPicture(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), picture);
}

bool ReadPpmPicture(const std::string& path, BottomUpPicture* picture) {
  std::ifstream file(path, std::ios::binary);
  if (!file) return false;
  std::string bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  return ParsePpmPicture(bytes, picture);
}
