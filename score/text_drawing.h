#ifndef GLYPHRANE_SCORE_TEXT_DRAWING_H_
#define GLYPHRANE_SCORE_TEXT_DRAWING_H_

#include <cstddef>
#include <cstdint>
#include <vector>

#include "score/grey_image.h"

// The rendered glyphs of a set by byte value, each tileWidth x tileHeight grey
// bytes, rows top-down, 0 black and 255 white. A byte without a cell draws as
// blank paper.
struct GlyphCells {
  int32_t tileWidth = 0;
  int32_t tileHeight = 0;
  std::vector<uint8_t> cells[256];
};

// Text art drawn as the cells show it: one cell per byte, a row of cells per row
// of text (rows end in CR LF, as the converter writes them). The image is as wide
// as the longest row. A length-byte text without any row end gives no rows.
GreyImage DrawTextArt(const char* text, size_t length, const GlyphCells& glyphs);

// The largest mean darkness (255 - mean) of any cell: what StretchTone takes.
// 0 when no cell has ink.
double DensestDarkness(const GlyphCells& glyphs);

#endif  // GLYPHRANE_SCORE_TEXT_DRAWING_H_
