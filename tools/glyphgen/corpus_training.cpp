#include "tools/glyphgen/corpus_training.h"

#include <algorithm>
#include <optional>

#include "image/ppm_picture.h"
#include "platform/directory_walk.h"
#include "platform/path_join.h"
#include "train/corpus_drawing.h"
#include "train/drawing_search.h"
#include "train/glyph_costs.h"
#include "train/prototype_training.h"
#include "train/similarity_regrets.h"
#include "train/training_tiles.h"

namespace {

bool CorpusPictures(const std::string& folder, std::vector<std::string>* paths,
                    std::string* error) {
  char pattern[kPathBytes];
  if (!JoinPath(pattern, folder.c_str(), "*.ppm")) {
    *error = "the folder name \"" + folder + "\" is too long";
    return false;
  }
  std::vector<std::string> names;
  ForEachMatch(pattern, [&](const char* name) {
    names.push_back(name);
    return true;
  });
  std::sort(names.begin(), names.end());
  for (const std::string& name : names) {
    char path[kPathBytes];
    if (!JoinPath(path, folder.c_str(), name.c_str())) {
      *error = "the path of \"" + name + "\" is too long";
      return false;
    }
    paths->push_back(path);
  }
  if (paths->empty()) *error = "the folder \"" + folder + "\" holds no *.ppm picture";
  return !paths->empty();
}

// Draws the corpus with the tiles' winning records (the converter's picks, as
// ApplyRule found them) and reads its figures.
DrawnFigures DrawnFigure(CorpusDrawing& drawing, const RuleOutcome& outcome,
                         const std::vector<uint32_t>& recordGlyphs) {
  for (size_t t = 0; t < outcome.winner.size(); ++t) {
    drawing.Show(t, recordGlyphs[outcome.winner[t]]);
  }
  return DrawnFigures{drawing.MeanTone(), drawing.MeanEdges()};
}

}  // namespace

bool TrainOnCorpus(const GeneratorOptions& options, const std::vector<GlyphCell>& cells,
                   std::vector<GlyphDefinition>* glyphs, TrainingSummary* summary,
                   std::string* error) {
  std::vector<std::string> paths;
  if (!CorpusPictures(options.trainFolder, &paths, error)) return false;
  TrainingTiles tiles;
  tiles.blockWidth = options.blockWidth;
  tiles.blockHeight = options.blockHeight;
  // The corpus drawn in glyphs is large, so only a search that reads it draws it.
  std::optional<CorpusDrawing> drawing;
  if (options.searchPasses > 0) drawing.emplace(cells, options.blockWidth, options.blockHeight);
  for (const std::string& path : paths) {
    BottomUpPicture picture;
    if (!ReadPpmPicture(path, &picture)) {
      *error = "cannot read \"" + path + "\" as a binary PPM or PGM of 8 bits";
      return false;
    }
    if (!AddPictureTiles(picture.width, picture.height, picture.rows.data(), &tiles) ||
        (drawing && !drawing->AddPicture(picture.width, picture.height, picture.rows.data(), 0))) {
      *error = "out of memory while reading \"" + path + "\"";
      return false;
    }
  }
  if (tiles.Count() == 0) {
    *error = "no picture of \"" + options.trainFolder + "\" is as large as one tile";
    return false;
  }
  const GlyphShapes shapes = ShapesOfCells(cells, options.blockWidth, options.blockHeight);
  TileRegrets regrets =
      options.similarityCost
          ? ComputeSimilarityRegrets(tiles, shapes, options.edgeWeight)
          : ComputeRegrets(tiles, shapes, CostWeights{options.toneWeight, options.edgeWeight});
  TrainingSettings settings;
  settings.records = static_cast<uint32_t>(options.records);
  settings.rounds = options.rounds;
  settings.regretWeight = options.pull;
  settings.recordsPerGlyph = static_cast<uint32_t>(options.recordsPerGlyph);
  settings.refineSweeps = options.refineSweeps;
  std::vector<uint32_t> glyphOf(256, 0), ownGlyphs;
  for (uint32_t g = 0; g < glyphs->size(); ++g) {
    glyphOf[(*glyphs)[g].character & 0xFF] = g;
    ownGlyphs.push_back(g);
  }
  summary->ownRegret = ApplyRule(*glyphs, ownGlyphs, tiles, regrets).regret / tiles.Count();
  const std::vector<GlyphDefinition> own = *glyphs;
  auto glyphsDrawn = [&](const std::vector<GlyphDefinition>& records) {
    std::vector<uint32_t> drawn;
    for (const GlyphDefinition& record : records) drawn.push_back(glyphOf[record.character & 0xFF]);
    return drawn;
  };
  std::vector<uint32_t> recordGlyphs;
  RuleOutcome outcome;
  for (int32_t pass = 0;; ++pass) {
    *glyphs = TrainPrototypes(own, tiles, regrets, settings);
    recordGlyphs = glyphsDrawn(*glyphs);
    outcome = ApplyRule(*glyphs, recordGlyphs, tiles, regrets);
    if (pass == options.neighbourPasses || !options.similarityCost) break;
    // Judge each glyph again among the glyphs these records draw around it.
    std::vector<uint32_t> drawn(tiles.Count());
    for (size_t t = 0; t < tiles.Count(); ++t) drawn[t] = recordGlyphs[outcome.winner[t]];
    regrets = ComputeSimilarityRegrets(tiles, shapes, options.edgeWeight, &drawn);
  }
  if (drawing) {
    DrawingSearchSettings search;
    search.passes = options.searchPasses;
    search.edgeWeight = options.searchEdgeWeight / 100.0;
    search.densest = static_cast<uint32_t>(DensestGlyph(own));
    search.fewestGlyphs = static_cast<uint32_t>(options.glyphFloor);
    summary->figureBefore = DrawnFigure(*drawing, outcome, recordGlyphs);
    SearchOnDrawing(tiles, regrets, search, &*drawing, glyphs, &recordGlyphs);
    for (size_t r = 0; r < glyphs->size(); ++r) {
      (*glyphs)[r].character = own[recordGlyphs[r]].character;
    }
    outcome = ApplyRule(*glyphs, recordGlyphs, tiles, regrets);
    *glyphs = KeepWinners(*glyphs, outcome.winner, own[search.densest],
                          static_cast<uint32_t>(options.records));
    recordGlyphs = glyphsDrawn(*glyphs);
    outcome = ApplyRule(*glyphs, recordGlyphs, tiles, regrets);
    summary->figureAfter = DrawnFigure(*drawing, outcome, recordGlyphs);
    summary->searched = true;
  }
  summary->trainedRegret = outcome.regret / tiles.Count();
  for (size_t t = 0; t < tiles.Count(); ++t) {
    summary->bestPicks += recordGlyphs[outcome.winner[t]] == regrets.target[t];
  }
  summary->pictures = paths.size();
  summary->tiles = tiles.Count();
  return true;
}
