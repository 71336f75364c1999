#ifndef GLYPHRANE_IMAGE_PNG_WRITER_H_
#define GLYPHRANE_IMAGE_PNG_WRITER_H_

#include <cstdint>

// Writes a grey picture, width x height bytes with rows top-down (0 black, 255
// white), as a PNG file at path (ANSI code page) through GDI+'s PNG encoder.
// False when the size is not positive, the encoder is missing or the file cannot
// be written. REQUIRES: GDI+ has been started.
bool WriteGreyPng(const char* path, const uint8_t* grey, int32_t width, int32_t height);

#endif  // GLYPHRANE_IMAGE_PNG_WRITER_H_
