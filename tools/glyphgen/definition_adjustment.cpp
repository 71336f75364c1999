#include "tools/glyphgen/definition_adjustment.h"

namespace {

// Rounds value x numerator / denominator to the nearest integer, halves up.
// REQUIRES: value >= 0, numerator >= 0, denominator >= 1.
int32_t ScaleRounded(int32_t value, int64_t numerator, int64_t denominator) {
  return static_cast<int32_t>((2 * value * numerator + denominator) / (2 * denominator));
}

void StretchChannel(std::vector<GlyphDefinition>* glyphs, int32_t GlyphDefinition::*channel) {
  int32_t darkest = 255, lightest = 0;
  for (const GlyphDefinition& glyph : *glyphs) {
    if (glyph.*channel < darkest) darkest = glyph.*channel;
    if (glyph.*channel > lightest) lightest = glyph.*channel;
  }
  if (lightest <= darkest) return;
  for (GlyphDefinition& glyph : *glyphs) {
    glyph.*channel = ScaleRounded(glyph.*channel - darkest, 255, lightest - darkest);
  }
}

}  // namespace

void StretchTone(std::vector<GlyphDefinition>* glyphs) {
  StretchChannel(glyphs, &GlyphDefinition::blue);
  StretchChannel(glyphs, &GlyphDefinition::green);
  StretchChannel(glyphs, &GlyphDefinition::red);
}

void ScaleEdges(std::vector<GlyphDefinition>* glyphs, int32_t numerator, int32_t denominator) {
  for (GlyphDefinition& glyph : *glyphs) {
    for (int32_t& edge : glyph.edge) edge = ScaleRounded(edge, numerator, denominator);
  }
}
