#ifndef GLYPHRANE_IMAGE_DIB_SIZE_H_
#define GLYPHRANE_IMAGE_DIB_SIZE_H_

// The size rule of a device-independent bitmap, ((bitCount x width + 31) / 32) x
// height x 4, evaluated so that it can never overflow: a picture whose size does
// not fit in a signed 32-bit count is refused instead of wrapping around.

// Bytes of one row, rounded up to a multiple of 4. False (and *rowBytes 0)
// unless bitCount and width are positive and the row fits in a signed 32-bit count.
bool DibRowBytes(int bitCount, int width, int* rowBytes);

// Bytes of all rows of a picture |height| rows tall (either row order). False
// (and *pixelBytes 0) when height is 0 or INT_MIN, or under DibRowBytes' rules,
// or when the product does not fit in a signed 32-bit count.
bool DibPixelBytes(int bitCount, int width, int height, int* pixelBytes);

#endif  // GLYPHRANE_IMAGE_DIB_SIZE_H_
