#ifndef GLYPHRANE_RENDER_CELL_RESAMPLE_H_
#define GLYPHRANE_RENDER_CELL_RESAMPLE_H_

#include <cstdint>
#include <vector>

// Scales a grey picture (one byte per pixel, rows top-down) to targetWidth x
// targetHeight by area averaging: each target pixel is the mean of the source area
// it covers, weighted by how much of each source pixel lies in it, rounded to the
// nearest value. Exact integer arithmetic, so every platform gives the same bytes;
// GDI's stretching modes differ between systems. Same size in and out copies.
// REQUIRES: all sizes >= 1 and at most 65536; source holds width x height bytes.
std::vector<uint8_t> ResampleByArea(const uint8_t* source, int32_t sourceWidth,
                                    int32_t sourceHeight, int32_t targetWidth,
                                    int32_t targetHeight);

#endif  // GLYPHRANE_RENDER_CELL_RESAMPLE_H_
