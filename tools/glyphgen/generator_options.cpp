#include "tools/glyphgen/generator_options.h"

#include <cstring>

#include "convert/glyph_definition.h"
#include "convert/option_text.h"
#include "tools/glyphgen/glyph_set.h"

namespace {

// "3x6": block width and height in pixels.
bool ReadBlockSize(const char* text, GeneratorOptions* options) {
  std::string width, height;
  return SplitBlockSize(text, &width, &height) &&
         ReadWholeNumber(width.c_str(), 1, kLargestBlockSide, &options->blockWidth) &&
         ReadWholeNumber(height.c_str(), 1, kLargestBlockSide, &options->blockHeight);
}

// "1/8" or "1": a fraction from 0 to 1 with a denominator up to 256.
bool ReadEdgeScale(const char* text, GeneratorOptions* options) {
  const char* slash = std::strchr(text, '/');
  std::string numerator = slash != nullptr ? std::string(text, slash) : std::string(text);
  int32_t denominator = 1;
  if (slash != nullptr && !ReadWholeNumber(slash + 1, 1, 256, &denominator)) return false;
  int32_t value = 0;
  if (!ReadWholeNumber(numerator.c_str(), 0, denominator, &value)) return false;
  options->edgeNumerator = value;
  options->edgeDenominator = denominator;
  return true;
}

bool ReadSwitch(const char* text, const char* on, const char* off, bool* value) {
  if (std::strcmp(text, on) == 0) {
    *value = true;
  } else if (std::strcmp(text, off) == 0) {
    *value = false;
  } else {
    return false;
  }
  return true;
}

// Takes the value of one option; false when it cannot be read.
bool TakeValue(const std::string& name, const char* value, GeneratorOptions* options) {
  if (name == "--block") return ReadBlockSize(value, options);
  if (name == "--height") return ReadWholeNumber(value, 1, kLargestPixelHeight, &options->pixelHeight);
  if (name == "--font") return (options->fontFace = value), !options->fontFace.empty();
  if (name == "--set") return (options->setParts = value), true;
  if (name == "--antialias") return ReadSwitch(value, "on", "off", &options->antialiased);
  if (name == "--tone") return ReadSwitch(value, "stretch", "raw", &options->stretchTone);
  if (name == "--edge-scale") return ReadEdgeScale(value, options);
  if (name == "--output" || name == "-o") return (options->outputPath = value), true;
  if (name == "--atlas") return (options->atlasPath = value), true;
  if (name == "--train") return (options->trainFolder = value), !options->trainFolder.empty();
  if (name == "--records") {
    return ReadWholeNumber(value, 1, static_cast<int32_t>(kDefinitionTableCapacity),
                           &options->records);
  }
  if (name == "--cost") return ReadSwitch(value, "similarity", "blocks", &options->similarityCost);
  if (name == "--tone-weight") return ReadWholeNumber(value, 0, 1000, &options->toneWeight);
  if (name == "--edge-weight") return ReadWholeNumber(value, 0, 1000000, &options->edgeWeight);
  if (name == "--per-glyph") return ReadWholeNumber(value, 0, 256, &options->recordsPerGlyph);
  if (name == "--pull") return ReadWholeNumber(value, 0, 1000000, &options->pull);
  if (name == "--rounds") return ReadWholeNumber(value, 0, 100, &options->rounds);
  if (name == "--refine") return ReadWholeNumber(value, 0, 100, &options->refineSweeps);
  if (name == "--neighbours") return ReadWholeNumber(value, 0, 20, &options->neighbourPasses);
  if (name == "--search") return ReadWholeNumber(value, 0, 20, &options->searchPasses);
  if (name == "--search-edges") {
    return ReadWholeNumber(value, 0, 10000, &options->searchEdgeWeight);
  }
  if (name == "--glyph-floor") return ReadWholeNumber(value, 0, 256, &options->glyphFloor);
  return false;
}

bool IsValueOption(const std::string& name) {
  static const char* const kNames[] = {"--block",      "--height", "--font",   "--set",
                                       "--antialias",  "--tone",   "--output", "-o",
                                       "--edge-scale", "--atlas",  "--train",  "--records",
                                       "--tone-weight", "--edge-weight", "--pull",  "--rounds",
                                       "--per-glyph", "--cost", "--refine", "--neighbours",
                                       "--search", "--search-edges", "--glyph-floor"};
  for (const char* known : kNames) {
    if (name == known) return true;
  }
  return false;
}

}  // namespace

bool ParseGeneratorOptions(int argc, const char* const* argv, GeneratorOptions* options,
                           std::string* error) {
  for (int i = 1; i < argc; ++i) {
    std::string name = argv[i];
    if (name == "--help" || name == "-h") {
      options->showUsage = true;
      return true;
    }
    if (!IsValueOption(name)) {
      *error = "unknown option \"" + name + "\"";
      return false;
    }
    if (i + 1 >= argc) {
      *error = "the option " + name + " needs a value";
      return false;
    }
    const char* value = argv[++i];
    if (!TakeValue(name, value, options)) {
      *error = "cannot read \"" + std::string(value) + "\" as the value of " + name;
      return false;
    }
  }
  if (options->outputPath.empty()) {
    *error = "no output file: give it with --output FILE";
    return false;
  }
  if (options->neighbourPasses > 0 && !options->similarityCost) {
    *error = "--neighbours needs the similarity cost: the blocks cost has no neighbours";
    return false;
  }
  return ParseGlyphSet(options->setParts, &options->characters, error);
}

const char* GeneratorUsage() {
  return "usage: glyphrane-glyphgen --output FILE [options]\n"
         "Renders each character of a glyph set in a font and writes a glyph definition\n"
         "file that describes it as the converter describes a picture's tiles.\n"
         "\n"
         "  --output FILE, -o FILE  the definition file to write\n"
         "  --block WxH             block size in pixels (default 3x6); one character\n"
         "                          fills a tile of 3 x 3 blocks\n"
         "  --font FACE             font face (default the output pane's font)\n"
         "  --height PIXELS         character cell height (default the tile height)\n"
         "  --set SET               characters, as comma-separated parts: ascii, kana\n"
         "                          (half-width katakana), 0x41, 0x30-0x39 (default ascii)\n"
         "  --tone stretch|raw      stretch the colours so that the darkest glyph reads 0\n"
         "                          and the lightest 255 (default stretch)\n"
         "  --edge-scale N/D        scale the block edge values by N/D, 0 to 1 (default 1/16)\n"
         "  --antialias on|off      smoothed or two-level rendering (default off)\n"
         "  --atlas FILE            also write the rendered cells as a PGM picture\n"
         "  --train FOLDER          choose the records on the folder's pictures (*.ppm,\n"
         "                          binary, 8 bits) so that the converter picks the\n"
         "                          glyphs that draw them best; a glyph may get several\n"
         "  --records N             trained records, at most (1-256, default 256)\n"
         "  --cost similarity|blocks  training: judge a glyph by how like the picture\n"
         "                          it looks among its neighbours after a one-cell blur,\n"
         "                          or by its own cell's blocks (default similarity)\n"
         "  --tone-weight N         blocks cost: a cell's mean tone against its shape (4)\n"
         "  --edge-weight N         training: strokes along the picture's edges (16)\n"
         "  --pull N                training: a glyph's fit against a record's nearness\n"
         "                          (16; about 1 suits the blocks cost)\n"
         "  --rounds N              training rounds (default 8)\n"
         "  --per-glyph N           training: records a glyph may have, at most (3; 0: any)\n"
         "  --refine N              training: passes that nudge the records on the\n"
         "                          converter's own rule after the rounds (4)\n"
         "  --neighbours N          similarity cost: train again N times, judging each\n"
         "                          glyph among the glyphs the last records drew (0)\n"
         "  --search N              training: passes that move and relabel the records\n"
         "                          while the corpus drawn by the converter's picks looks\n"
         "                          more like itself, by tone + edges as --score reads\n"
         "                          them (4; 0: none)\n"
         "  --search-edges N        the search's weight of edges against tone, in\n"
         "                          hundredths (15)\n"
         "  --glyph-floor N         the search leaves at least N glyphs drawn (85)\n"
         "  --help                  this text\n";
}
