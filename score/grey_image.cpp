#include "score/grey_image.h"

GreyImage GreyOfBgrx(const uint8_t* pixels, int32_t width, int32_t height) {
  GreyImage grey(width, height);
  for (size_t i = 0; i < grey.pixels.size(); ++i) {
    const uint8_t* p = pixels + 4 * i;
    grey.pixels[i] = 0.299 * p[2] + 0.587 * p[1] + 0.114 * p[0];
  }
  return grey;
}

GreyImage Cropped(const GreyImage& image, int32_t width, int32_t height) {
  GreyImage out(width, height);
  for (int32_t y = 0; y < height; ++y) {
    for (int32_t x = 0; x < width; ++x) out.At(x, y) = image.At(x, y);
  }
  return out;
}
