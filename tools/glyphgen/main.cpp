// glyphrane-glyphgen: makes a glyph definition file from a font.
#include <cstdio>
#include <string>
#include <vector>

#include "tools/glyphgen/cell_atlas.h"
#include "tools/glyphgen/corpus_training.h"
#include "tools/glyphgen/definition_writer.h"
#include "tools/glyphgen/generator_options.h"
#include "tools/glyphgen/glyph_generator.h"

namespace {

constexpr int kFailed = 1;
constexpr int kUsageError = 2;

int Fail(const std::string& message, int status) {
  std::fprintf(stderr, "glyphrane-glyphgen: %s\n", message.c_str());
  return status;
}

}  // namespace

int main(int argc, char** argv) {
  GeneratorOptions options;
  std::string error;
  if (!ParseGeneratorOptions(argc, argv, &options, &error)) {
    std::fputs(GeneratorUsage(), stderr);
    return Fail(error, kUsageError);
  }
  if (options.showUsage) {
    std::fputs(GeneratorUsage(), stdout);
    return 0;
  }
  std::vector<GlyphDefinition> glyphs;
  std::vector<GlyphCell> cells;
  if (!GenerateDefinitions(options, &glyphs, &cells, &error)) return Fail(error, kFailed);
  TrainingSummary training;
  if (!options.trainFolder.empty() &&
      !TrainOnCorpus(options, cells, &glyphs, &training, &error)) {
    return Fail(error, kFailed);
  }
  if (!WriteWholeFile(options.outputPath, DefinitionFileText(options, glyphs, training))) {
    return Fail("cannot write \"" + options.outputPath + "\"", kFailed);
  }
  if (!options.atlasPath.empty() &&
      !WriteWholeFile(options.atlasPath,
                      CellAtlasPgm(cells, options.TileWidth(), options.TileHeight()))) {
    return Fail("cannot write \"" + options.atlasPath + "\"", kFailed);
  }
  return 0;
}
