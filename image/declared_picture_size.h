#ifndef GLYPHRANE_IMAGE_DECLARED_PICTURE_SIZE_H_
#define GLYPHRANE_IMAGE_DECLARED_PICTURE_SIZE_H_

#include <cstddef>
#include <cstdint>

// The pixel size a picture file's header declares, read before any decoder sees
// the file, so that a picture no 32-bit DIB section can hold is refused without
// asking a decoder to allocate for it: some decoders overrun their own buffers
// when a header lies about a size whose byte count wraps around.
// The input is an untrusted file start: nothing here reads outside [data, data + size).

// True, with the declared width and height, when data starts a JPEG (its first
// frame header, any SOF marker) or a PNG (its IHDR) and holds the size; false for
// other formats and for a header that ends or breaks before its size.
bool ReadDeclaredPictureSize(const uint8_t* data, size_t size, uint32_t* width,
                             uint32_t* height);

// False when data declares a size (as read above) whose 32-bit bitmap would not
// fit a signed 32-bit byte count; true otherwise, also when no size is declared.
bool DeclaredSizeFitsABitmap(const uint8_t* data, size_t size);

#endif  // GLYPHRANE_IMAGE_DECLARED_PICTURE_SIZE_H_
