#ifndef GLYPHRANE_TOOLS_GLYPHGEN_CELL_ATLAS_H_
#define GLYPHRANE_TOOLS_GLYPHGEN_CELL_ATLAS_H_

#include <cstdint>
#include <string>
#include <vector>

#include "render/glyph_renderer.h"

// A binary PGM picture of the rendered cells side by side, in set order, each
// tileWidth x tileHeight: the scoring script draws converted text from it.
std::string CellAtlasPgm(const std::vector<GlyphCell>& cells, int32_t tileWidth,
                         int32_t tileHeight);

#endif  // GLYPHRANE_TOOLS_GLYPHGEN_CELL_ATLAS_H_
