#ifndef GLYPHRANE_IMAGE_DIB_IMAGE_H_
#define GLYPHRANE_IMAGE_DIB_IMAGE_H_

#include <windows.h>

#include "image/plugin_host.h"

// The one picture the program converts, held as its own DIB section. At 32 bits
// per pixel the rows lie bottom-up, biWidth x 4 bytes each. All fields zero when
// empty. Plain data with no constructor, so the global holder needs no
// construction step; the global one is emptied at program exit.
struct DibImage {
  HBITMAP bitmap;       // owned DIB section; null when empty
  BITMAPINFO info;      // describes bitmap: biHeight positive, BI_RGB
  void* bits;           // the section's pixels, valid as long as bitmap
  DWORD imageSize;      // copy of info.bmiHeader.biSizeImage
  HDC memoryDc;         // holds bitmap selected while the picture is held

  // Empties the holder: the device context goes before the bitmap it holds.
  void Reset();

  // Decodes fileName (the plug-ins of plugins first, then GDI+) and holds it at
  // bitCount bits per pixel (16, 24 or 32: depths without a colour table). 1 when
  // held, 0 otherwise. When no decoder reads the file the held picture is kept. Once one
  // has, the old picture is gone: a failed copy into the section leaves the holder
  // empty, while a device context that cannot be had leaves the new bitmap held
  // (with bits, info and imageSize) and memoryDc null, and still gives 0.
  // REQUIRES: GDI+ has been started.
  int Load(const PluginTable& plugins, const char* fileName, int bitCount);
};

extern DibImage dibImage;

// Creates a DIB section described by *info (a width or height of 0 is taken from
// source; biSizeImage is computed), copies source into its top-left corner with
// one BitBlt and stores its pixels in *bitsOut. Null (and *bitsOut null) on
// failure, including a size that does not fit in 32 bits. source stays the
// caller's and is not changed.
HBITMAP ConvertToDib(BITMAPINFO* info, void** bitsOut, HBITMAP source);

#endif  // GLYPHRANE_IMAGE_DIB_IMAGE_H_
