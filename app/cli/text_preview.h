#ifndef GLYPHRANE_APP_CLI_TEXT_PREVIEW_H_
#define GLYPHRANE_APP_CLI_TEXT_PREVIEW_H_

#include <cstddef>
#include <cstdint>

#include "convert/conversion_state.h"
#include "convert/glyph_definition.h"

// What the console converter shows of a converted text besides the text itself.
struct PreviewRequest {
  const char* renderPath = nullptr;  // --render: a PNG of the text as the pane draws it
  bool score = false;                // --score: the figures on standard error
};

// Draws the text (length bytes, as the converter wrote it) with the glyphs of the
// records table[0, count) rendered in the pane's font at the tile size of the
// block size, writes the PNG asked for and prints the score line asked for: the
// tone and edge figures of the drawing, its tone stretched so the set's densest
// glyph reads black, against the picture's grey in state's grid. Null on success;
// otherwise the message of what failed. REQUIRES: GDI+ has been started.
const char* WritePreview(const PreviewRequest& request, const GlyphDefinition* table,
                         uint32_t count, int32_t blockWidth, int32_t blockHeight,
                         const ConversionState& state, size_t length);

#endif  // GLYPHRANE_APP_CLI_TEXT_PREVIEW_H_
