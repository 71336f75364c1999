#ifndef GLYPHRANE_SCORE_GREY_IMAGE_H_
#define GLYPHRANE_SCORE_GREY_IMAGE_H_

#include <cstddef>
#include <cstdint>
#include <vector>

// A grey picture for scoring: width x height values, rows top-down, 0 black and
// 255 white; values may leave that range while a rendering is being stretched.
struct GreyImage {
  int32_t width = 0;
  int32_t height = 0;
  std::vector<double> pixels;

  GreyImage() = default;
  GreyImage(int32_t w, int32_t h, double value = 0)
      : width(w), height(h), pixels(static_cast<size_t>(w) * h, value) {}
  double& At(int32_t x, int32_t y) { return pixels[static_cast<size_t>(y) * width + x]; }
  double At(int32_t x, int32_t y) const { return pixels[static_cast<size_t>(y) * width + x]; }
};

// The grey of width x height pixels of 4 bytes (blue, green, red, any), rows
// top-down as the engine's grid holds them: 0.299 red + 0.587 green + 0.114 blue.
GreyImage GreyOfBgrx(const uint8_t* pixels, int32_t width, int32_t height);

// The top-left width x height of image. REQUIRES: it lies inside image.
GreyImage Cropped(const GreyImage& image, int32_t width, int32_t height);

#endif  // GLYPHRANE_SCORE_GREY_IMAGE_H_
