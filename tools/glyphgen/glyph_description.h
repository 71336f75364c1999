#ifndef GLYPHRANE_TOOLS_GLYPHGEN_GLYPH_DESCRIPTION_H_
#define GLYPHRANE_TOOLS_GLYPHGEN_GLYPH_DESCRIPTION_H_

#include <cstdint>

#include "convert/glyph_definition.h"

// Describes one rendered cell (3 blockWidth x 3 blockHeight grey bytes, rows
// top-down) with the converter's own edge map and tile features, as a picture tile
// of that look would be described. The cell is framed by one white pixel on every
// side, as if spaces stood around it, so that its own border pixels get edge
// values the way an inner tile's do. character is the given byte, spare 0.
// False when the working memory cannot be had.
bool DescribeGlyphCell(const uint8_t* cell, int32_t blockWidth, int32_t blockHeight,
                       unsigned char character, GlyphDefinition* description);

#endif  // GLYPHRANE_TOOLS_GLYPHGEN_GLYPH_DESCRIPTION_H_
