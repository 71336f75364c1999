#ifndef GLYPHRANE_IMAGE_PLUGINS_NETPBM_NETPBM_PARSER_H_
#define GLYPHRANE_IMAGE_PLUGINS_NETPBM_NETPBM_PARSER_H_

#include <cstddef>
#include <cstdint>

// Netpbm pictures (P1 to P6) turned into device-independent bitmap rows. The
// input is an untrusted file: nothing here reads outside [data, data + size).

struct NetpbmHeader {
  int format;         // the digit of the magic number, 1 to 6
  int width;          // pixels, at least 1
  int height;         // pixels, at least 1
  int maxval;         // 1 for PBM, else 1 to 65535
  size_t rasterOffset;  // where the pixel data starts
};

// True when data begins with "P1" to "P6" followed by whitespace or '#'.
bool HasNetpbmMagic(const uint8_t* data, size_t size);

// Reads the header. False on a missing or non-decimal number, a width or height
// of 0 or one whose bitmap would not fit in a signed 32-bit byte count, or a
// maxval of 0 or above 65535.
bool ParseNetpbmHeader(const uint8_t* data, size_t size, NetpbmHeader* header);

// The bitmap a format becomes: 1 bit (PBM; colour 0 white, 1 black), 8 bits
// (PGM; 256 grey entries, entry i = grey i) or 24 bits (PPM; blue, green, red).
int NetpbmBitCount(int format);

// Bytes of one bitmap row (padded to 4) and of all rows, for a parsed header.
int NetpbmRowBytes(const NetpbmHeader& header);
int NetpbmPixelBytes(const NetpbmHeader& header);

// True when the input is long enough to hold the raster at all: a binary
// raster's exact size, or one byte per sample for an ASCII one. Checked before
// memory for the bitmap is asked for, so a short file cannot demand gigabytes.
bool NetpbmRasterMayFit(size_t size, const NetpbmHeader& header);

// Writes the picture into pixels (NetpbmPixelBytes bytes) as bottom-up rows,
// samples scaled from 0..maxval to 0..255. False when the raster ends early or
// holds a sample that is not a number or exceeds maxval.
bool DecodeNetpbmRaster(const uint8_t* data, size_t size, const NetpbmHeader& header,
                        uint8_t* pixels);

#endif  // GLYPHRANE_IMAGE_PLUGINS_NETPBM_NETPBM_PARSER_H_
