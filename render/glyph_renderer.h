#ifndef GLYPHRANE_RENDER_GLYPH_RENDERER_H_
#define GLYPHRANE_RENDER_GLYPH_RENDERER_H_

#include <cstdint>
#include <string>
#include <vector>

// The output pane's font, code page 932.
constexpr char kPaneFontFace[] = "ＭＳ ゴシック";

// How characters are drawn for a block size: the glyph generator describes the
// cells, the console converter draws its text from them.
struct GlyphRendering {
  int32_t blockWidth = 3;
  int32_t blockHeight = 6;
  std::string fontFace = kPaneFontFace;
  int32_t pixelHeight = 0;                 // 0: the tile's height, so the cell fills the tile
  bool antialiased = false;
  std::vector<unsigned char> characters;

  int32_t TileWidth() const { return 3 * blockWidth; }
  int32_t TileHeight() const { return 3 * blockHeight; }
  int32_t FontHeight() const { return pixelHeight != 0 ? pixelHeight : TileHeight(); }
};

// The largest block side drawn: a tile of 3 x 64 pixels is far beyond any useful
// glyph and keeps every rendering buffer small.
constexpr int32_t kLargestBlockSide = 64;

// One character as the output pane shows it, scaled to one tile: TileWidth() x
// TileHeight() grey bytes, rows top-down, 0 black, 255 white.
using GlyphCell = std::vector<uint8_t>;

// Renders every character of options.characters, in order, black on white in the
// options' font and pixel height, and scales each character's cell (its advance
// width by the font's cell height) to the tile. False, with a message in *error,
// when the font face is not installed or a GDI object cannot be had; every GDI
// object taken is released on every way out.
// REQUIRES: block sides 1 to kLargestBlockSide.
bool RenderGlyphCells(const GlyphRendering& options, std::vector<GlyphCell>* cells,
                      std::string* error);

#endif  // GLYPHRANE_RENDER_GLYPH_RENDERER_H_
