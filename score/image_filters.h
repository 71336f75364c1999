#ifndef GLYPHRANE_SCORE_IMAGE_FILTERS_H_
#define GLYPHRANE_SCORE_IMAGE_FILTERS_H_

#include <cstdint>

#include "score/grey_image.h"

// The filters the scores are made of. Beyond the border, images are mirrored with
// the edge pixel repeated (…, b, a | a, b, …), at any distance.

// The mean over a window of across x down pixels around each pixel: for an even
// side, the window reaches one pixel further before the pixel than after it.
// REQUIRES: across, down >= 1.
GreyImage BoxBlur(const GreyImage& image, int32_t across, int32_t down);

// A separable Gaussian of the given sigma, cut off at radius, its weights summing to 1.
GreyImage GaussianBlur(const GreyImage& image, double sigma, int32_t radius);

// The mirrored position of i in a row or column of n values.
int32_t Mirrored(int64_t i, int32_t n);

#endif  // GLYPHRANE_SCORE_IMAGE_FILTERS_H_
