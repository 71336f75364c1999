#include "tools/glyphgen/glyph_generator.h"

#include "tools/glyphgen/definition_adjustment.h"
#include "tools/glyphgen/glyph_description.h"

bool GenerateDefinitions(const GeneratorOptions& options, std::vector<GlyphDefinition>* glyphs,
                         std::vector<GlyphCell>* cells, std::string* error) {
  if (!RenderGlyphCells(options.Rendering(), cells, error)) return false;
  glyphs->assign(cells->size(), GlyphDefinition{});
  for (size_t i = 0; i < cells->size(); ++i) {
    if (!DescribeGlyphCell((*cells)[i].data(), options.blockWidth, options.blockHeight,
                           options.characters[i], &(*glyphs)[i])) {
      *error = "out of memory while describing the glyphs";
      return false;
    }
  }
  if (options.stretchTone) StretchTone(glyphs);
  ScaleEdges(glyphs, options.edgeNumerator, options.edgeDenominator);
  return true;
}
