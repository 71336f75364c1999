#ifndef GLYPHRANE_SCORE_TEXT_ART_SCORE_H_
#define GLYPHRANE_SCORE_TEXT_ART_SCORE_H_

#include <cstdint>

#include "score/grey_image.h"

// How much text art looks like its picture, seen from the distance at which text
// art is meant to be seen. Both figures compare a picture with the rendering of its
// text, of the same size, cut into cells of cellWidth x cellHeight (one a
// character). REQUIRES: both images have the same size, a whole number of cells,
// at least one; cellWidth, cellHeight >= 1.

// Tone: both blurred over one cell across and one down (a box, edges mirrored),
// the rendering clipped to 0-255, then the mean structural similarity (SSIM:
// Gaussian window of sigma 1.5 and radius 5, range 255). 1 for the same image.
// The rendering should be tone-stretched first (StretchTone).
double ToneSimilarity(const GreyImage& picture, const GreyImage& rendering, int32_t cellWidth,
                      int32_t cellHeight);

// Edges: how far the strokes of the rendering run along the picture's edges. Both
// blurred over half a cell; in each cell, the structure tensor of the gradients
// summed over the cell, and its oriented part (Jxx - Jyy, 2 Jxy), which is large
// along a straight edge and near zero for texture and flat areas. The figure is
// the correlation of the two images' oriented parts over all cells: 1 where every
// stroke follows an edge of the same direction and strength share, 0 where they
// are unrelated (or either has none), below 0 where strokes run across edges.
double EdgeAgreement(const GreyImage& picture, const GreyImage& rendering, int32_t cellWidth,
                     int32_t cellHeight);

// Makes a rendering's darkest glyph read black: every value v becomes
// 255 - (255 - v) x 255 / darkness, where darkness is the largest mean darkness
// (255 - mean) of any glyph cell of the set. Values may fall below 0; the tone
// figure clips them after its blur, which keeps each cell's mean.
// REQUIRES: darkness > 0.
void StretchTone(GreyImage* rendering, double darkness);

#endif  // GLYPHRANE_SCORE_TEXT_ART_SCORE_H_
