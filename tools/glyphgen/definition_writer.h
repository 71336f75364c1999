#ifndef GLYPHRANE_TOOLS_GLYPHGEN_DEFINITION_WRITER_H_
#define GLYPHRANE_TOOLS_GLYPHGEN_DEFINITION_WRITER_H_

#include <string>
#include <vector>

#include "convert/glyph_definition.h"
#include "tools/glyphgen/corpus_training.h"
#include "tools/glyphgen/generator_options.h"

// The bytes of a definition file: free text naming the font, its size, the block
// size, the set and the adjustments, then one "#data" record per glyph, CR LF line
// ends. The same options and glyphs always give the same bytes. A trained set's
// header also says what it was trained on (training.pictures > 0).
std::string DefinitionFileText(const GeneratorOptions& options,
                               const std::vector<GlyphDefinition>& glyphs,
                               const TrainingSummary& training = TrainingSummary());

// Writes bytes to path as they are; false when the file cannot be written whole.
bool WriteWholeFile(const std::string& path, const std::string& bytes);

#endif  // GLYPHRANE_TOOLS_GLYPHGEN_DEFINITION_WRITER_H_
