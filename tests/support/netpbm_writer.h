#ifndef GLYPHRANE_TESTS_SUPPORT_NETPBM_WRITER_H_
#define GLYPHRANE_TESTS_SUPPORT_NETPBM_WRITER_H_

#include <string>
#include <vector>

#include "tests/support/random.h"

// A picture as a Netpbm file holds it: samples row by row from the top, red,
// green and blue for P3 and P6, one per pixel otherwise (a PBM bit: 1 is black).
struct SamplePicture {
  int format = 6;
  int width = 1;
  int height = 1;
  int maxval = 255;
  std::vector<int> samples;

  int Channels() const { return format == 3 || format == 6 ? 3 : 1; }
};

// Random samples of a picture up to largestSide pixels a side (maxval 1 for PBM).
SamplePicture RandomPicture(int format, int maxval, int largestSide, Random* random);

// The file. Given a generator, the separators vary: runs of white space and
// comments in the header, any white space in an ASCII raster, none between PBM
// bits, and junk in the padding bits of a P4 row.
std::string WriteNetpbm(const SamplePicture& picture, Random* random = nullptr);

#endif  // GLYPHRANE_TESTS_SUPPORT_NETPBM_WRITER_H_
