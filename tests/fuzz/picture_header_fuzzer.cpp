// Picture file starts of any bytes through the header reader that runs before the
// decoders: nothing read outside the input (AddressSanitizer watches), and a
// picture is refused only for a size it declares.
#include <cstdint>
#include <cstdlib>

#include "image/declared_picture_size.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  uint32_t width = 0, height = 0;
  const bool declared = ReadDeclaredPictureSize(data, size, &width, &height);
  if (!DeclaredSizeFitsABitmap(data, size) && (!declared || width == 0 || height == 0)) {
    std::abort();
  }
  return 0;
}
