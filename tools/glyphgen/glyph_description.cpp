#include "tools/glyphgen/glyph_description.h"

#include <cstddef>
#include <vector>

#include "convert/conversion_state.h"
#include "convert/tile_matching.h"

bool DescribeGlyphCell(const uint8_t* cell, int32_t blockWidth, int32_t blockHeight,
                       unsigned char character, GlyphDefinition* description) {
  const int32_t tileWidth = 3 * blockWidth, tileHeight = 3 * blockHeight;
  const int32_t width = tileWidth + 2, height = tileHeight + 2;
  // PreparePicture takes its rows bottom-up, as a bitmap holds them.
  std::vector<uint8_t> rows(static_cast<size_t>(width) * height * 4, 0xFF);
  for (int32_t y = 0; y < tileHeight; ++y) {
    uint8_t* row = rows.data() + static_cast<size_t>(height - 2 - y) * width * 4;
    for (int32_t x = 0; x < tileWidth; ++x) {
      uint8_t grey = cell[static_cast<size_t>(y) * tileWidth + x];
      uint8_t* pixel = row + static_cast<size_t>(x + 1) * 4;
      pixel[0] = pixel[1] = pixel[2] = grey;
    }
  }
  ConversionState conversion;
  if (!PreparePicture(conversion, width, height, rows.data())) return false;
  *description = TileFeatures(conversion.PixelGrid, width, 1, 1, blockWidth, blockHeight);
  ReleaseConversion(conversion);
  description->character = character;
  description->spare = 0;
  return true;
}
