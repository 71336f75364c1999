#ifndef GLYPHRANE_TOOLS_GLYPHGEN_GLYPH_GENERATOR_H_
#define GLYPHRANE_TOOLS_GLYPHGEN_GLYPH_GENERATOR_H_

#include <string>
#include <vector>

#include "convert/glyph_definition.h"
#include "tools/glyphgen/generator_options.h"
#include "render/glyph_renderer.h"

// Renders the options' set, describes every cell as the converter describes a tile
// and applies the tone and edge adjustments: one record per character, in set
// order. cells receives the rendered cells. False, with a message, when rendering
// fails or memory cannot be had.
bool GenerateDefinitions(const GeneratorOptions& options, std::vector<GlyphDefinition>* glyphs,
                         std::vector<GlyphCell>* cells, std::string* error);

#endif  // GLYPHRANE_TOOLS_GLYPHGEN_GLYPH_GENERATOR_H_
