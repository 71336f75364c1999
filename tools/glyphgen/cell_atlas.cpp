#include "tools/glyphgen/cell_atlas.h"

std::string CellAtlasPgm(const std::vector<GlyphCell>& cells, int32_t tileWidth,
                         int32_t tileHeight) {
  const size_t width = cells.size() * static_cast<size_t>(tileWidth);
  std::string pgm = "P5\n" + std::to_string(width) + " " + std::to_string(tileHeight) + "\n255\n";
  for (int32_t y = 0; y < tileHeight; ++y) {
    for (const GlyphCell& cell : cells) {
      const uint8_t* row = cell.data() + static_cast<size_t>(y) * tileWidth;
      pgm.append(reinterpret_cast<const char*>(row), static_cast<size_t>(tileWidth));
    }
  }
  return pgm;
}
