#ifndef GLYPHRANE_TOOLS_GLYPHGEN_DEFINITION_ADJUSTMENT_H_
#define GLYPHRANE_TOOLS_GLYPHGEN_DEFINITION_ADJUSTMENT_H_

#include <cstdint>
#include <vector>

#include "convert/glyph_definition.h"

// Stretches each colour channel over the set so that the darkest glyph reads 0 and
// the lightest (the space, when the set has one) 255, rounding to the nearest
// value. Black-on-white text never covers a whole cell, so raw colours leave every
// picture area darker than the densest glyph to that one glyph. A channel on which
// all glyphs agree is left as it is.
void StretchTone(std::vector<GlyphDefinition>* glyphs);

// Scales every block edge value by numerator / denominator, rounding to the nearest
// value. Rendered glyphs have sharp black-on-white outlines whose edge values sit
// far above those of a picture's tiles; at full strength the cubed edge differences
// outweigh the colour and most of a picture comes out as spaces.
// REQUIRES: 0 <= numerator <= denominator, denominator >= 1.
void ScaleEdges(std::vector<GlyphDefinition>* glyphs, int32_t numerator, int32_t denominator);

#endif  // GLYPHRANE_TOOLS_GLYPHGEN_DEFINITION_ADJUSTMENT_H_
