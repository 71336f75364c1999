#ifndef GLYPHRANE_TOOLS_CORPUS_CORPUS_PICTURES_H_
#define GLYPHRANE_TOOLS_CORPUS_CORPUS_PICTURES_H_

#include <cstdint>
#include <string>

#include "tools/corpus/canvas.h"

// The generated part of the glyph trainer's corpus: pictures of the kinds text art
// is made of, each drawn from its number alone, so every build draws the same
// bytes. Kinds take turns: gradients, fractal noise, shapes, text, and scenes
// that mix them under a photograph's soft focus; eight pictures of fur and eight
// clip-art drawings on paper follow.
constexpr int32_t kCorpusPictureCount = 55;

// Picture number (0 to kCorpusPictureCount - 1), width x height pixels.
Canvas CorpusPicture(int32_t number, int32_t width, int32_t height);

// Its file name: the number and the kind, "07-shapes.ppm".
std::string CorpusPictureName(int32_t number);

#endif  // GLYPHRANE_TOOLS_CORPUS_CORPUS_PICTURES_H_
