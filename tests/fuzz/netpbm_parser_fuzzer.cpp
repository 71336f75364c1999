// Netpbm files of any bytes through the plug-in's parser. Beyond reading nothing
// outside the input (AddressSanitizer watches), an accepted header must keep the
// bitmap it asks for bounded by the input's size, so that a short file with a
// lying header cannot make the plug-in allocate gigabytes.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "image/plugins/netpbm/netpbm_parser.h"

namespace {

[[noreturn]] void Fail(const char* what) {
  std::fprintf(stderr, "Netpbm parser: %s\n", what);
  std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  HasNetpbmMagic(data, size);
  NetpbmHeader header;
  if (!ParseNetpbmHeader(data, size, &header)) return 0;
  if (header.format < 1 || header.format > 6) Fail("a format outside P1 to P6");
  if (header.width < 1 || header.height < 1) Fail("a width or height below 1");
  if (header.maxval < 1 || header.maxval > 65535) Fail("a maxval outside 1 to 65535");
  if (header.rasterOffset > size) Fail("a raster that starts past the file");
  if (!NetpbmRasterMayFit(size, header)) return 0;

  // Each sample takes at least a bit of input (P4) or a byte (the others), and a
  // row grows by at most its padding to 4 bytes: four bytes out per byte in.
  const int pixelBytes = NetpbmPixelBytes(header);
  if (pixelBytes <= 0) Fail("a bitmap of no bytes");
  if (static_cast<size_t>(pixelBytes) > 4 * size) Fail("a bitmap larger than the input allows");
  if (NetpbmRowBytes(header) % 4 != 0) Fail("a row not padded to 4 bytes");

  std::vector<uint8_t> pixels(static_cast<size_t>(pixelBytes));
  DecodeNetpbmRaster(data, size, header, pixels.data());
  return 0;
}
