#ifndef GLYPHRANE_TOOLS_GLYPHGEN_CORPUS_TRAINING_H_
#define GLYPHRANE_TOOLS_GLYPHGEN_CORPUS_TRAINING_H_

#include <cstddef>
#include <string>
#include <vector>

#include "convert/glyph_definition.h"
#include "render/glyph_renderer.h"
#include "tools/glyphgen/generator_options.h"

// How the corpus looks drawn with the converter's picks: means over the pictures
// of the tone and edge figures.
struct DrawnFigures {
  double tone = 0;
  double edges = 0;
};

// What a training run saw, for the definition file's header.
struct TrainingSummary {
  size_t pictures = 0;
  size_t tiles = 0;
  // The converter's picks on the corpus: the mean regret per tile (how much worse
  // than the tile's best glyph, in squared quarter grey levels) with the glyphs'
  // own descriptions and with the trained records, and how many tiles got their
  // best glyph with the trained records.
  uint64_t ownRegret = 0;
  uint64_t trainedRegret = 0;
  size_t bestPicks = 0;
  // Before and after the search on the drawn corpus, when there was one.
  bool searched = false;
  DrawnFigures figureBefore, figureAfter;
};

// Replaces the glyphs' own descriptions (in the order of cells) with records
// trained on every *.ppm of options.trainFolder, read in byte order of their
// names so that every machine trains alike. False, with a message in *error, when
// the folder holds no picture, a picture cannot be read, or no picture is large
// enough for a tile.
bool TrainOnCorpus(const GeneratorOptions& options, const std::vector<GlyphCell>& cells,
                   std::vector<GlyphDefinition>* glyphs, TrainingSummary* summary,
                   std::string* error);

#endif  // GLYPHRANE_TOOLS_GLYPHGEN_CORPUS_TRAINING_H_
