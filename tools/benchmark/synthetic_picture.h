#ifndef GLYPHRANE_TOOLS_BENCHMARK_SYNTHETIC_PICTURE_H_
#define GLYPHRANE_TOOLS_BENCHMARK_SYNTHETIC_PICTURE_H_

#include <cstdint>
#include <vector>

// The benchmarks' picture, in the image holder's layout (rows bottom-up, 4 bytes
// per pixel): smooth gradients, rings and hard-edged stripes, so that every tile
// differs and edges range from none to the cap, as in a photograph with text on it.
constexpr int32_t kSyntheticWidth = 4000;
constexpr int32_t kSyntheticHeight = 3000;
std::vector<uint8_t> MakeSyntheticPicture();

#endif  // GLYPHRANE_TOOLS_BENCHMARK_SYNTHETIC_PICTURE_H_
