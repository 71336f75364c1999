#ifndef GLYPHRANE_IMAGE_GDIPLUS_DECODER_H_
#define GLYPHRANE_IMAGE_GDIPLUS_DECODER_H_

#include <windows.h>

// The picture at path decoded by GDI+ into a new 32-bit bottom-up DIB section of
// the picture's own pixel size, which the caller owns; null on failure.
// REQUIRES: GDI+ has been started.
HBITMAP LoadPictureViaGdiPlus(const char* path);

#endif  // GLYPHRANE_IMAGE_GDIPLUS_DECODER_H_
