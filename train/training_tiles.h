#ifndef GLYPHRANE_TRAIN_TRAINING_TILES_H_
#define GLYPHRANE_TRAIN_TRAINING_TILES_H_

#include <cstddef>
#include <cstdint>
#include <vector>

#include "convert/glyph_definition.h"

// Grey levels in quarters (0 black, 1020 white): fine enough that a cell's 3 x 3
// block means keep their rounding apart, small enough that squared sums of them
// stay far inside 64 bits.
constexpr int32_t kGreyScale = 4;
constexpr int32_t kWhite = 255 * kGreyScale;

// The tiles of training pictures, each seen twice: as the converter sees it (the
// twelve features it matches records against) and as a viewer sees it (the grey
// of its 3 x 3 blocks, in kGreyScale units), for the glyph costs.
// Where one picture's tiles lie: tiles firstTile on, across x down of them, rows
// top-down, so that a tile's neighbours can be found.
struct TileSheet {
  size_t firstTile = 0;
  int32_t across = 0;
  int32_t down = 0;
};

struct TrainingTiles {
  int32_t blockWidth = 3;
  int32_t blockHeight = 6;
  std::vector<GlyphDefinition> features;
  std::vector<int32_t> blockGrey;  // nine per tile, blocks in the features' order
  std::vector<TileSheet> sheets;   // one per picture that has whole tiles

  size_t Count() const { return features.size(); }
  const int32_t* Blocks(size_t tile) const { return &blockGrey[9 * tile]; }
};

// Adds every whole tile of a picture (rows bottom-up, 4 bytes a pixel: blue,
// green, red, any; the image holder's layout), in the order the converter writes
// them. False, with tiles unchanged, when the picture's grid cannot be had.
// REQUIRES: width, height > 0.
bool AddPictureTiles(int32_t width, int32_t height, const uint8_t* rows, TrainingTiles* tiles);

// The grey of one pixel's blue, green and red, in kGreyScale units times 1000:
// the weights of the scorer's grey, kept whole so every build sums alike.
inline int64_t GreyTimes1000(const uint8_t* bgr) {
  return kGreyScale * (114 * static_cast<int64_t>(bgr[0]) + 587 * bgr[1] + 299 * bgr[2]);
}

#endif  // GLYPHRANE_TRAIN_TRAINING_TILES_H_
