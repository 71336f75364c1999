#ifndef GLYPHRANE_CONVERT_GLYPH_DEFINITION_H_
#define GLYPHRANE_CONVERT_GLYPH_DEFINITION_H_

#include <cstdint>

// One glyph of a definition file, and also the feature vector of one tile: the
// matcher compares the two field by field. Fourteen signed 32-bit integers in
// this order; definition files store any 32-bit value, tiles only 0-255.
struct GlyphDefinition {
  int32_t character;  // only the low byte is ever written or read
  int32_t spare;      // stored, read by nothing
  int32_t blue;
  int32_t green;
  int32_t red;
  int32_t edge[9];    // blocks of the 3 x 3 tile, rows top to bottom, each left to right
};

static_assert(sizeof(GlyphDefinition) == 14 * sizeof(int32_t),
              "a record is fourteen 32-bit integers without padding");

// The table capacity of the Convert command.
constexpr uint32_t kDefinitionTableCapacity = 256;

#endif  // GLYPHRANE_CONVERT_GLYPH_DEFINITION_H_
