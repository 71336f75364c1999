#include "score/text_drawing.h"

#include <algorithm>
#include <string>

namespace {

// The rows of the text, each without its CR LF; a last row without one is dropped,
// as no complete row of tiles stands behind it.
std::vector<std::string> RowsOf(const char* text, size_t length) {
  std::vector<std::string> rows;
  size_t start = 0;
  for (size_t i = 0; i + 1 < length; ++i) {
    if (text[i] == '\r' && text[i + 1] == '\n') {
      rows.emplace_back(text + start, i - start);
      start = i + 2;
      ++i;
    }
  }
  return rows;
}

}  // namespace

GreyImage DrawTextArt(const char* text, size_t length, const GlyphCells& glyphs) {
  const std::vector<std::string> rows = RowsOf(text, length);
  size_t columns = 0;
  for (const std::string& row : rows) columns = std::max(columns, row.size());
  const int32_t w = glyphs.tileWidth, h = glyphs.tileHeight;
  GreyImage image(static_cast<int32_t>(columns) * w, static_cast<int32_t>(rows.size()) * h, 255);
  for (size_t r = 0; r < rows.size(); ++r) {
    for (size_t c = 0; c < rows[r].size(); ++c) {
      const std::vector<uint8_t>& cell = glyphs.cells[static_cast<uint8_t>(rows[r][c])];
      if (cell.size() != static_cast<size_t>(w) * h) continue;
      for (int32_t y = 0; y < h; ++y) {
        for (int32_t x = 0; x < w; ++x) {
          image.At(static_cast<int32_t>(c) * w + x, static_cast<int32_t>(r) * h + y) =
              cell[static_cast<size_t>(y) * w + x];
        }
      }
    }
  }
  return image;
}

double DensestDarkness(const GlyphCells& glyphs) {
  double densest = 0;
  for (const std::vector<uint8_t>& cell : glyphs.cells) {
    if (cell.empty()) continue;
    double sum = 0;
    for (uint8_t v : cell) sum += v;
    densest = std::max(densest, 255.0 - sum / static_cast<double>(cell.size()));
  }
  return densest;
}
