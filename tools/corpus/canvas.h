#ifndef GLYPHRANE_TOOLS_CORPUS_CANVAS_H_
#define GLYPHRANE_TOOLS_CORPUS_CANVAS_H_

#include <cstdint>
#include <string>
#include <vector>

// A colour picture being drawn: red, green, blue bytes, rows top-down. Every
// drawing operation is whole-number arithmetic, so a picture is the same bytes on
// every build.
struct Rgb {
  int32_t r = 0, g = 0, b = 0;
};

struct Canvas {
  int32_t width = 0;
  int32_t height = 0;
  std::vector<uint8_t> bytes;

  Canvas(int32_t w, int32_t h) : width(w), height(h), bytes(static_cast<size_t>(w) * h * 3, 0) {}
  uint8_t* At(int32_t x, int32_t y) { return &bytes[(static_cast<size_t>(y) * width + x) * 3]; }
  // Mixes colour into a pixel by cover/256 (0 none, 256 all).
  void Blend(int32_t x, int32_t y, Rgb colour, int32_t cover);
};

// The mix of a and b by t/256.
Rgb Mix(Rgb a, Rgb b, int32_t t);

// Writes the canvas as a binary PPM; false when the file cannot be written whole.
bool WritePpm(const Canvas& canvas, const std::string& path);

// A box blur of radius pixels each way, rounding to nearest, borders clamped: the
// soft edges of a photograph's focus.
void BoxBlur(Canvas* canvas, int32_t radius);

#endif  // GLYPHRANE_TOOLS_CORPUS_CANVAS_H_
