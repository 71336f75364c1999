#ifndef GLYPHRANE_TOOLS_GLYPHGEN_GLYPH_RENDERER_H_
#define GLYPHRANE_TOOLS_GLYPHGEN_GLYPH_RENDERER_H_

#include <cstdint>
#include <string>
#include <vector>

#include "tools/glyphgen/generator_options.h"

// One character as the output pane shows it, scaled to one tile: TileWidth() x
// TileHeight() grey bytes, rows top-down, 0 black, 255 white.
using GlyphCell = std::vector<uint8_t>;

// Renders every character of options.characters, in order, black on white in the
// options' font and pixel height, and scales each character's cell (its advance
// width by the font's cell height) to the tile. False, with a message in *error,
// when the font face is not installed or a GDI object cannot be had; every GDI
// object taken is released on every way out.
bool RenderGlyphCells(const GeneratorOptions& options, std::vector<GlyphCell>* cells,
                      std::string* error);

#endif  // GLYPHRANE_TOOLS_GLYPHGEN_GLYPH_RENDERER_H_
