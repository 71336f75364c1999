#ifndef GLYPHRANE_TESTS_CONVERT_PICTURE_BUILDER_H_
#define GLYPHRANE_TESTS_CONVERT_PICTURE_BUILDER_H_

#include <cstdint>
#include <string>
#include <vector>

#include "convert/conversion_state.h"

// A 32-bit picture laid out as the image holder keeps it: rows bottom-up.
// Pixels are addressed top-down, as a person sees the picture.
class PictureBuilder {
 public:
  PictureBuilder(int32_t width, int32_t height) : width_(width), height_(height),
      rows_(static_cast<size_t>(width) * height * 4, 0) {}

  void Set(int32_t x, int32_t y, uint8_t blue, uint8_t green, uint8_t red) {
    uint8_t* p = &rows_[(static_cast<size_t>(height_ - 1 - y) * width_ + x) * 4];
    p[0] = blue;
    p[1] = green;
    p[2] = red;
    p[3] = 0xEE;  // never read: the grid's fourth byte is the edge map
  }
  void Grey(int32_t x, int32_t y, uint8_t level) { Set(x, y, level, level, level); }

  int32_t width() const { return width_; }
  int32_t height() const { return height_; }
  const uint8_t* rows() const { return rows_.data(); }

 private:
  int32_t width_, height_;
  std::vector<uint8_t> rows_;
};

// Prepares the picture into a conversion state of its own; releases it on scope exit.
class PreparedPicture {
 public:
  explicit PreparedPicture(const PictureBuilder& picture)
      : ok_(PreparePicture(state_, picture.width(), picture.height(), picture.rows())) {}
  ~PreparedPicture() { ReleaseConversion(state_); }
  PreparedPicture(const PreparedPicture&) = delete;
  PreparedPicture& operator=(const PreparedPicture&) = delete;

  bool ok() const { return ok_; }
  const ConversionState& state() const { return state_; }
  const uint8_t* Pixel(int32_t x, int32_t y) const {
    return state_.PixelGrid + (static_cast<size_t>(y) * state_.width + x) * 4;
  }
  uint8_t Edge(int32_t x, int32_t y) const { return Pixel(x, y)[3]; }

 private:
  ConversionState state_;
  bool ok_;
};

#endif  // GLYPHRANE_TESTS_CONVERT_PICTURE_BUILDER_H_
