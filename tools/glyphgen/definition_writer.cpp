#include "tools/glyphgen/definition_writer.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace {

std::string Join(const int32_t* values, int count) {
  std::string line;
  for (int i = 0; i < count; ++i) {
    if (i > 0) line += ' ';
    line += std::to_string(values[i]);
  }
  return line;
}

// 25 as "0.25".
std::string Hundredths(int32_t value) {
  char text[32];
  std::snprintf(text, sizeof text, "%d.%02d", static_cast<int>(value / 100),
                static_cast<int>(value % 100));
  return text;
}

// A figure to four places, rounded in whole numbers so that every build writes
// the same digits.
std::string Figure(double value) {
  const long long tenThousandths = std::llround(value * 10000);
  char text[32];
  std::snprintf(text, sizeof text, "%s%lld.%04lld", tenThousandths < 0 ? "-" : "",
                std::llabs(tenThousandths) / 10000, std::llabs(tenThousandths) % 10000);
  return text;
}

std::string Header(const GeneratorOptions& options, size_t recordCount,
                   const TrainingSummary& training) {
  const std::string end = "\r\n";
  std::string text = "Glyphrane glyph definitions, made by glyphrane-glyphgen" + end;
  text += "font: " + options.fontFace + ", " + std::to_string(options.FontHeight()) +
          " pixels high, " + (options.antialiased ? "antialiased" : "not antialiased") + end;
  text += "blocks: " + std::to_string(options.blockWidth) + " x " +
          std::to_string(options.blockHeight) + " pixels, one character per tile of " +
          std::to_string(options.TileWidth()) + " x " + std::to_string(options.TileHeight()) +
          end;
  text += "set: " + options.setParts + " (" + std::to_string(options.characters.size()) +
          " characters)" + end;
  text += std::string("tone: ") +
          (options.stretchTone ? "stretched, darkest glyph 0, lightest 255" : "as rendered") +
          end;
  text += "edges: scaled by " + std::to_string(options.edgeNumerator) + "/" +
          std::to_string(options.edgeDenominator) + end;
  if (training.pictures > 0) {
    text += "trained on " + std::to_string(training.pictures) + " pictures (" +
            std::to_string(training.tiles) + " tiles): " +
            (options.similarityCost ? std::string("cost by similarity among neighbours")
                                    : "cost by blocks, tone weight " +
                                          std::to_string(options.toneWeight)) +
            ", edge weight " + std::to_string(options.edgeWeight) + ", pull " +
            std::to_string(options.pull) +
            ", " + std::to_string(options.rounds) + " rounds" +
            (options.refineSweeps == 0
                 ? std::string()
                 : ", " + std::to_string(options.refineSweeps) + " passes on the rule") +
            (options.neighbourPasses == 0
                 ? std::string()
                 : ", trained " + std::to_string(options.neighbourPasses) +
                       " more times among the glyphs drawn") +
            ", at most " +
            std::to_string(options.records) + " records, " +
            (options.recordsPerGlyph == 0 ? std::string("any number")
                                          : std::to_string(options.recordsPerGlyph)) +
            " a character" + end;
    text += std::to_string(recordCount) +
            " records, each the prototype of a kind of tile; a character may have several" +
            end;
    text += "mean regret per tile: " + std::to_string(training.ownRegret) +
            " with the glyphs' own descriptions, " + std::to_string(training.trainedRegret) +
            " trained; best glyph picked for " + std::to_string(training.bestPicks) + " tiles" +
            end;
    if (training.searched) {
      text += "then " + std::to_string(options.searchPasses) +
              " passes of search on the corpus drawn, by tone + " +
              Hundredths(options.searchEdgeWeight) + " x edges" +
              (options.glyphFloor == 0
                   ? std::string()
                   : ", at least " + std::to_string(options.glyphFloor) + " glyphs") +
              ": tone " + Figure(training.figureBefore.tone) + " to " +
              Figure(training.figureAfter.tone) + ", edges " + Figure(training.figureBefore.edges) +
              " to " + Figure(training.figureAfter.edges) + end;
    }
  }
  text += "Each record: the character; 0 and its mean blue, green, red; its block edge"
          " values, three rows of three." + end;
  return text;
}

}  // namespace

std::string DefinitionFileText(const GeneratorOptions& options,
                               const std::vector<GlyphDefinition>& glyphs,
                               const TrainingSummary& training) {
  std::string text = Header(options, glyphs.size(), training);
  for (const GlyphDefinition& glyph : glyphs) {
    const int32_t colour[4] = {glyph.spare, glyph.blue, glyph.green, glyph.red};
    text += "#data\r\n";
    text += static_cast<char>(glyph.character & 0xFF);
    text += "\r\n" + Join(colour, 4) + "\r\n";
    for (int row = 0; row < 3; ++row) text += Join(glyph.edge + 3 * row, 3) + "\r\n";
  }
  return text;
}

bool WriteWholeFile(const std::string& path, const std::string& bytes) {
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) return false;
  bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  // A full disk may show only when the buffer is flushed.
  return std::fclose(file) == 0 && written;
}
