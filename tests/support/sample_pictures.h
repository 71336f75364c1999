#ifndef GLYPHRANE_TESTS_SUPPORT_SAMPLE_PICTURES_H_
#define GLYPHRANE_TESTS_SUPPORT_SAMPLE_PICTURES_H_

#include <cstdint>
#include <string>
#include <vector>

// A picture in memory: width x height pixels, top row first, 3 bytes each (B, G, R).
struct Picture {
  int32_t width;
  int32_t height;
  std::vector<uint8_t> bgr;
};

// A deterministic picture with colour and edges, so that glyph choices vary.
Picture PatternPicture(int32_t width, int32_t height);
// A dark disc on a light ground with a mid-grey band, so that text art of it has
// edges and areas of each glyph of SampleDefinitions.
Picture DiscPicture(int32_t width, int32_t height);

// The picture as a 24-bit bottom-up BMP file.
std::string BmpFile(const Picture& picture);
// The picture as a binary PPM (P6) file.
std::string PpmFile(const Picture& picture);

#endif  // GLYPHRANE_TESTS_SUPPORT_SAMPLE_PICTURES_H_
