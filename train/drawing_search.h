#ifndef GLYPHRANE_TRAIN_DRAWING_SEARCH_H_
#define GLYPHRANE_TRAIN_DRAWING_SEARCH_H_

#include <cstdint>
#include <vector>

#include "convert/glyph_definition.h"
#include "train/corpus_drawing.h"
#include "train/glyph_costs.h"
#include "train/training_tiles.h"

// The last stage of training: a search on the converter's own rule, judged by how
// the corpus looks drawn with the rule's picks. The stages before it judge each
// tile's glyph by a cost of its own, which cannot see that a field of one glyph
// blurs even while a field of mixed glyphs ripples, nor that a stroke is worth
// its ripple only where it follows an outline. This one draws every change into
// the corpus and keeps it only when the figure, tone + edgeWeight x edges averaged
// over the pictures (CorpusDrawing), rises.
struct DrawingSearchSettings {
  double edgeWeight = 0.25;
  int32_t passes = 0;         // over all records; 0 leaves them as they are
  int32_t firstStep = 16;     // the move of a record's values in the first pass, halved each pass
  uint32_t densest = 0;       // the glyph that always keeps a record
  uint32_t fewestGlyphs = 0;  // relabelling never leaves fewer glyphs drawn than this
};

// records[r] draws glyph recordGlyph[r], an index into the drawing's cells and
// regrets' glyphs; drawing holds the pictures of tiles, in the same order. The
// search moves record values (within 0-255) and gives records other glyphs; it
// neither adds nor removes records. On return, records and recordGlyph hold the
// result, drawing shows its picks, and the figure is returned.
// REQUIRES: tiles and drawing hold the same tiles; records is not empty and
// within NearestRecords::WithinSearchRange; recordGlyph matches it and draws
// settings.densest.
double SearchOnDrawing(const TrainingTiles& tiles, const TileRegrets& regrets,
                       const DrawingSearchSettings& settings, CorpusDrawing* drawing,
                       std::vector<GlyphDefinition>* records, std::vector<uint32_t>* recordGlyph);

#endif  // GLYPHRANE_TRAIN_DRAWING_SEARCH_H_
