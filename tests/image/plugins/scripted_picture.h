#ifndef GLYPHRANE_TESTS_IMAGE_PLUGINS_SCRIPTED_PICTURE_H_
#define GLYPHRANE_TESTS_IMAGE_PLUGINS_SCRIPTED_PICTURE_H_

// The test plug-ins read files that start with "GLYT" and a command letter;
// the letter chooses how the plug-in answers. Shared by the plug-ins and the
// tests that check what the host made of each answer.

namespace scripted {

const char kMagic[4] = {'G', 'L', 'Y', 'T'};

enum Command : char {
  kMark = 'M',              // 1 x 1, 32 bits, blue byte = the plug-in's mark
  kFail = 'F',              // GetPicture answers kFailure
  kTopDown = 'T',           // 24 bits, negative height
  kNoImageSize = 'Z',       // 24 bits, biSizeImage 0
  kHugeImageSize = 'B',     // 24 bits, biSizeImage far beyond the pixel block
  kSmallerImageSize = 'S',  // 24 bits, biSizeImage one row short
  kPalette8 = '8',          // 8 bits, biClrUsed 3
  kPalette4 = '4',          // 4 bits, biClrUsed 0: 16 entries
  kPalette1 = '1',          // 1 bit, biClrUsed 0: 2 entries
  kBitFields16 = 'X',       // 16 bits, BI_BITFIELDS 5-6-5
  kV4Header8 = 'V',         // 8 bits behind a 108-byte header
  kShortHeaderBlock = 'h',  // header block of 20 bytes
  kShortColourTable = 'c',  // 8 bits, table block holds 16 of 256 entries
  kShortPixelBlock = 'p',   // pixel block one byte short
  kZeroWidth = 'w',
  kNegativeWidth = 'n',
  kOverflowingSize = 'o',   // rows x height beyond 32 bits
  kAbsurdWidth = 'a',       // a row alone beyond 32 bits
  kRleCompression = 'r',    // 8 bits, BI_RLE8
  kNoHandles = '0',         // success without handles
  kPaddedProbe = 'K',       // claimed only when all 2 KB offered are there, zeros after the file
};

const int kFailure = 7;
const int kWidth = 3;
const int kHeight = 2;

struct Bgr {
  unsigned char blue, green, red;
};

// Pixel (x, y) of the scripted pictures, y counted from the top.
inline Bgr PatternPixel(int x, int y) {
  return Bgr{static_cast<unsigned char>(10 + 40 * x), static_cast<unsigned char>(200 - 60 * y),
             static_cast<unsigned char>(90 + 11 * x + 50 * y)};
}

// Colour table entry k of the paletted pictures, and the index of pixel (x, y).
inline Bgr PaletteColour(int k) {
  return Bgr{static_cast<unsigned char>(5 + 16 * k), static_cast<unsigned char>(250 - 13 * k),
             static_cast<unsigned char>(100 + 7 * k)};
}
inline int PaletteIndex(int x, int y, int entries) { return (x + 2 * y + 1) % entries; }

}  // namespace scripted

#endif  // GLYPHRANE_TESTS_IMAGE_PLUGINS_SCRIPTED_PICTURE_H_
