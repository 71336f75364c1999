#ifndef GLYPHRANE_CONVERT_CONVERSION_STATE_H_
#define GLYPHRANE_CONVERT_CONVERSION_STATE_H_

#include <cstddef>
#include <cstdint>

// The converter's working state. The program keeps one instance for the whole run
// and passes it in; tools and tests keep their own. Empty (all null and 0) at
// start, after ReleaseConversion and after a failed PreparePicture.
struct ConversionState {
  // The picture top-down, width x height pixels of 4 bytes: blue, green, red and
  // edge strength (0 along the picture's border). Owned.
  uint8_t* PixelGrid = nullptr;
  int32_t width = 0;
  int32_t height = 0;
  // One byte per tile, CR LF after each row of tiles, NUL at the end, in a buffer
  // of ArtTextSize(width, height) bytes. Owned; null until a picture is prepared.
  char* ArtText = nullptr;
};

// Releases the grid and the text and returns state to Empty.
void ReleaseConversion(ConversionState& state);

// Builds the grid from rows (height rows of width x 4 bytes, bottom row first, the
// image holder's layout at 32 bits per pixel), fills its edge map and allocates
// ArtText, all into state. False, with state Empty, when a buffer cannot be had or
// its size cannot be represented. REQUIRES: state is Empty; width, height > 0.
bool PreparePicture(ConversionState& state, int32_t width, int32_t height,
                    const uint8_t* rows);

// Byte size of ArtText for a picture of width x height pixels:
// (width / 3 + 2) x (height / 3) + 1. 0 when it does not fit a size_t.
size_t ArtTextSize(int32_t width, int32_t height);

// The edge strength of a pixel: the larger of the colour steps |a - b| and
// |c - d| (bytes 0-2, summed), divided by 3. Always 0-255.
int32_t EdgeStrength(const uint8_t* a, const uint8_t* b, const uint8_t* c, const uint8_t* d);

#endif  // GLYPHRANE_CONVERT_CONVERSION_STATE_H_
