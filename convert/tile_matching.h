#ifndef GLYPHRANE_CONVERT_TILE_MATCHING_H_
#define GLYPHRANE_CONVERT_TILE_MATCHING_H_

#include <cstddef>
#include <cstdint>

#include "convert/glyph_definition.h"

// The features of the tile whose top-left pixel is (x, y) in grid (a PixelGrid of
// gridWidth pixels across): mean blue, green and red over the tile, and for each of
// its 3 x 3 blocks the block's edge sum divided by its shorter side, capped at 255.
// character and spare are 0. Pictures and glyph renderings share this function so
// that a glyph and a picture area that look alike come out near.
// REQUIRES: the tile of 3 blockWidth x 3 blockHeight pixels lies inside the grid.
GlyphDefinition TileFeatures(const uint8_t* grid, int32_t gridWidth, int32_t x, int32_t y,
                             int32_t blockWidth, int32_t blockHeight);

// The record nearest to features by the sum over blue..edge[8] of |difference|^3;
// the earlier record wins a tie. Distances are exact in unsigned 64-bit arithmetic
// and saturate, so far records never win through an overflow.
// REQUIRES: count >= 1.
const GlyphDefinition& FindNearestGlyph(const GlyphDefinition* definitions, uint32_t count,
                                        const GlyphDefinition& features);

// The number of bytes ConvertTiles writes before its NUL for a picture of width x
// height pixels: (tiles across + 2) x tiles down. A record's character may itself
// be NUL, so this, not the first NUL, is where the text ends.
// REQUIRES: width, height >= 0; blockWidth, blockHeight >= 1.
size_t ArtTextLength(int32_t width, int32_t height, int32_t blockWidth, int32_t blockHeight);

// Writes the text of the picture in grid into out: one character per whole tile
// (3 x 3 blocks of blockWidth x blockHeight pixels), CR LF after each row of tiles,
// then NUL. Remainders at the right and bottom are not looked at.
// REQUIRES: count >= 1; blockWidth, blockHeight >= 1; out holds
// ArtTextSize(width, height) bytes.
void ConvertTiles(const uint8_t* grid, int32_t width, int32_t height,
                  const GlyphDefinition* definitions, uint32_t count,
                  int32_t blockWidth, int32_t blockHeight, char* out);

#endif  // GLYPHRANE_CONVERT_TILE_MATCHING_H_
