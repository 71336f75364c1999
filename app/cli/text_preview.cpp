#include "app/cli/text_preview.h"

#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "command/messages.h"
#include "image/png_writer.h"
#include "render/glyph_renderer.h"
#include "score/grey_image.h"
#include "score/text_art_score.h"
#include "score/text_drawing.h"

namespace {

// The set's characters, each once, drawn at the tile size. False when the font or a
// GDI object cannot be had, or the block is larger than glyphs are drawn.
bool RenderSet(const GlyphDefinition* table, uint32_t count, int32_t blockWidth,
               int32_t blockHeight, GlyphCells* glyphs) {
  if (blockWidth > kLargestBlockSide || blockHeight > kLargestBlockSide) return false;
  GlyphRendering rendering;
  rendering.blockWidth = blockWidth;
  rendering.blockHeight = blockHeight;
  bool seen[256] = {};
  for (uint32_t i = 0; i < count; ++i) {
    const uint8_t byte = static_cast<uint8_t>(table[i].character);
    if (!seen[byte]) rendering.characters.push_back(byte);
    seen[byte] = true;
  }
  std::vector<GlyphCell> cells;
  std::string error;
  if (!RenderGlyphCells(rendering, &cells, &error)) return false;
  glyphs->tileWidth = rendering.TileWidth();
  glyphs->tileHeight = rendering.TileHeight();
  for (size_t i = 0; i < cells.size(); ++i) glyphs->cells[rendering.characters[i]] = cells[i];
  return true;
}

std::vector<uint8_t> Bytes(const GreyImage& image) {
  std::vector<uint8_t> bytes(image.pixels.size());
  for (size_t i = 0; i < bytes.size(); ++i) {
    bytes[i] = static_cast<uint8_t>(std::lround(std::fmin(std::fmax(image.pixels[i], 0), 255)));
  }
  return bytes;
}

}  // namespace

const char* WritePreview(const PreviewRequest& request, const GlyphDefinition* table,
                         uint32_t count, int32_t blockWidth, int32_t blockHeight,
                         const ConversionState& state, size_t length) {
  GlyphCells glyphs;
  if (!RenderSet(table, count, blockWidth, blockHeight, &glyphs)) return kMessageGlyphsNotDrawn;
  GreyImage drawing = DrawTextArt(state.ArtText, length, glyphs);
  if (request.renderPath != nullptr) {
    // A text without characters is still a picture of its size: an empty one is not.
    if (drawing.pixels.empty() ||
        !WriteGreyPng(request.renderPath, Bytes(drawing).data(), drawing.width, drawing.height)) {
      return kMessagePreviewNotWritten;
    }
  }
  if (request.score) {
    const double darkness = DensestDarkness(glyphs);
    if (drawing.pixels.empty() || darkness <= 0) return kMessageNothingToScore;
    StretchTone(&drawing, darkness);
    const GreyImage picture = Cropped(GreyOfBgrx(state.PixelGrid, state.width, state.height),
                                      drawing.width, drawing.height);
    const double tone = ToneSimilarity(picture, drawing, glyphs.tileWidth, glyphs.tileHeight);
    const double edges = EdgeAgreement(picture, drawing, glyphs.tileWidth, glyphs.tileHeight);
    std::fprintf(stderr, kMessageScore, tone, edges);
    std::fputc('\n', stderr);
  }
  return nullptr;
}
