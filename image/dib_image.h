#ifndef GLYPHRANE_IMAGE_DIB_IMAGE_H_
#define GLYPHRANE_IMAGE_DIB_IMAGE_H_

#include <windows.h>

// The one picture the program converts, held as its own DIB section. At 32 bits
// per pixel the rows lie bottom-up, biWidth x 4 bytes each. All fields zero when
// empty. The global holder is emptied at program exit.
struct DibImage {
  HBITMAP bitmap;       // owned DIB section; null when empty
  BITMAPINFO info;      // describes bitmap: biHeight positive, BI_RGB
  void* bits;           // the section's pixels, valid as long as bitmap
  DWORD imageSize;      // copy of info.biSizeImage
  HDC memoryDc;         // holds bitmap selected while the picture is held

  // Empties the holder: the device context goes before the bitmap it holds.
  void Reset();

  // Decodes fileName (plug-ins first, then GDI+) and holds it at bitCount bits per
  // pixel. 1 when held, 0 otherwise; when no decoder reads the file the held
  // picture is kept.
  int Load(const char* fileName, int bitCount);
};

extern DibImage dibImage;

// Creates a DIB section described by *info (a width or height of 0 is taken from
// source; biSizeImage is computed), copies source into it with one BitBlt and
// stores its pixels in *bitsOut. Null on failure. source stays the caller's.
HBITMAP ConvertToDib(BITMAPINFO* info, void** bitsOut, HBITMAP source);

#endif  // GLYPHRANE_IMAGE_DIB_IMAGE_H_
