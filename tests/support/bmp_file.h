#ifndef GLYPHRANE_TESTS_SUPPORT_BMP_FILE_H_
#define GLYPHRANE_TESTS_SUPPORT_BMP_FILE_H_

#include <cstdint>
#include <string>
#include <vector>

// BMP files built byte by byte, so that no decoder under test has a hand in them.

// bgr: width x height pixels, top row first, 3 bytes each (blue, green, red).
// The rows are stored bottom-up, or top-down (a negative height) when topDown.
std::string Bmp24File(int width, int height, const std::vector<uint8_t>& bgr,
                      bool topDown = false);

// An 8-bit bottom-up BMP: paletteBgr holds 3 bytes an entry, indices one a
// pixel, top row first.
std::string Bmp8File(int width, int height, const std::vector<uint8_t>& paletteBgr,
                     const std::vector<uint8_t>& indices);

#endif  // GLYPHRANE_TESTS_SUPPORT_BMP_FILE_H_
