#ifndef GLYPHRANE_IMAGE_PPM_PICTURE_H_
#define GLYPHRANE_IMAGE_PPM_PICTURE_H_

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// A picture in the image holder's layout: rows bottom-up, 4 bytes per pixel
// (blue, green, red, 0), as PreparePicture takes them.
struct BottomUpPicture {
  int32_t width = 0;
  int32_t height = 0;
  std::vector<uint8_t> rows;
};

// Reads a binary PPM (P6) or PGM (P5) file with a maximum value of 255. False for
// any other or damaged file, a size beyond 65535 pixels a side included; never
// reads past the file's bytes.
bool ReadPpmPicture(const std::string& path, BottomUpPicture* picture);

// The same over bytes in memory.
bool ParsePpmPicture(const uint8_t* data, size_t size, BottomUpPicture* picture);
bool ParsePpmPicture(const std::string& bytes, BottomUpPicture* picture);

#endif  // GLYPHRANE_IMAGE_PPM_PICTURE_H_
