#ifndef GLYPHRANE_TOOLS_GLYPHGEN_GENERATOR_OPTIONS_H_
#define GLYPHRANE_TOOLS_GLYPHGEN_GENERATOR_OPTIONS_H_

#include <cstdint>
#include <string>
#include <vector>

#include "render/glyph_renderer.h"

// Everything that decides the bytes of a generated definition file. The defaults
// are the shipped sets' settings, chosen by scoring converted sample pictures
// (tools/measure-glyph-settings): stretched tone drew tone far better than raw
// colours at every edge scale; of the edge scales that still follow outlines
// (1/4 to 1/16), 1/16 drew tone best; two-level rendering scored as well as
// smoothed rendering and its bytes do not hang on a rasteriser's grey levels.
struct GeneratorOptions {
  int32_t blockWidth = 3;
  int32_t blockHeight = 6;
  std::string fontFace = kPaneFontFace;
  int32_t pixelHeight = 0;                 // 0: the tile's height, so the cell fills the tile
  std::string setParts = "ascii";
  std::vector<unsigned char> characters;   // the set, read from setParts
  bool antialiased = false;
  bool stretchTone = true;
  int32_t edgeNumerator = 1;               // block edge values are scaled by this fraction
  int32_t edgeDenominator = 16;
  std::string outputPath;
  std::string atlasPath;                   // empty: no picture of the rendered cells
  // Training (--train): the records are chosen on the corpus's pictures instead
  // of being the glyphs' own descriptions. The defaults are the shipped sets'.
  std::string trainFolder;                 // empty: no training
  int32_t records = 256;                   // at most this many records
  bool similarityCost = true;              // regrets by likeness among the neighbours
                                           // after the blur, else by the cell's blocks:
  int32_t toneWeight = 4;                  // a cell's mean against its block shape
  int32_t edgeWeight = 16;                 // strokes along the picture's edges
  int32_t pull = 16;                       // a glyph's regret against a record's distance
  int32_t rounds = 8;
  int32_t recordsPerGlyph = 3;             // 0: no limit
  int32_t refineSweeps = 4;                // passes of the search on the rule itself
  int32_t neighbourPasses = 0;             // trainings among the glyphs the last one drew
  int32_t searchPasses = 4;                // passes of the search on the drawn corpus
  int32_t searchEdgeWeight = 15;           // its figure: tone + this / 100 x edges
  int32_t glyphFloor = 85;                 // glyphs the search leaves drawn, at least
  bool showUsage = false;

  int32_t TileWidth() const { return 3 * blockWidth; }
  int32_t TileHeight() const { return 3 * blockHeight; }
  int32_t FontHeight() const { return pixelHeight != 0 ? pixelHeight : TileHeight(); }
  // What the renderer takes of these settings.
  GlyphRendering Rendering() const {
    return GlyphRendering{blockWidth, blockHeight, fontFace, pixelHeight, antialiased, characters};
  }
};
constexpr int32_t kLargestPixelHeight = 1024;

// Reads the command line (argv[1] on). False, with a message in *error, for an
// unknown option, a missing or unreadable value, or a missing output file.
bool ParseGeneratorOptions(int argc, const char* const* argv, GeneratorOptions* options,
                           std::string* error);

// The usage text, lines ending in '\n'.
const char* GeneratorUsage();

#endif  // GLYPHRANE_TOOLS_GLYPHGEN_GENERATOR_OPTIONS_H_
