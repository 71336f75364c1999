#include "train/drawing_search.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "convert/cubed_distance.h"
#include "convert/tile_matching.h"
#include "gtest/gtest.h"
#include "tests/convert/picture_builder.h"
#include "tests/support/random.h"
#include "train/glyph_costs.h"

namespace {

constexpr int32_t kTileWidth = 6, kTileHeight = 12;  // blocks of 2 x 4

// A small corpus of gradients with a bar across each, its tiles, and glyph cells of
// graded ink (glyph g has g of every eight pixels inked), whose own descriptions
// are the records the search starts from.
struct Corpus {
  std::vector<PictureBuilder> pictures;
  std::vector<std::vector<uint8_t>> cells;
  TrainingTiles tiles;
  TileRegrets regrets;
  std::vector<GlyphDefinition> records;
  std::vector<uint32_t> glyph;

  Corpus() {
    Random random(11);
    for (int32_t n = 0; n < 3; ++n) {
      PictureBuilder p(8 * kTileWidth, 5 * kTileHeight);
      for (int32_t y = 0; y < p.height(); ++y) {
        for (int32_t x = 0; x < p.width(); ++x) {
          const bool bar = (x + n * y / 3) % 17 < 3;
          p.Grey(x, y, bar ? 20 : static_cast<uint8_t>(60 + 3 * x + n * 20 + random.Next(12)));
        }
      }
      pictures.push_back(p);
    }
    tiles.blockWidth = 2, tiles.blockHeight = 4;
    for (const PictureBuilder& p : pictures)
      AddPictureTiles(p.width(), p.height(), p.rows(), &tiles);
    for (int32_t g = 0; g < 9; ++g) {
      std::vector<uint8_t> cell(kTileWidth * kTileHeight, 255);
      for (size_t i = 0; i < cell.size(); ++i)
        cell[i] = (i * 7 + i / kTileWidth) % 8 < static_cast<size_t>(g) ? 0 : 255;
      cells.push_back(cell);
      GlyphDefinition record{};
      record.character = 'a' + g;
      record.blue = record.green = record.red = 255 - 255 * g / 8;
      for (int32_t& e : record.edge) e = static_cast<int32_t>(random.Next(40));
      records.push_back(record);
      glyph.push_back(static_cast<uint32_t>(g));
    }
    regrets = ComputeRegrets(tiles, ShapesOfCells(cells, 2, 4), CostWeights{});
  }

  CorpusDrawing Drawing() const {
    CorpusDrawing drawing(cells, 2, 4);
    for (const PictureBuilder& p : pictures) drawing.AddPicture(p.width(), p.height(), p.rows(), 0);
    return drawing;
  }

  // The figure of the converter's own picks with these records.
  double RuleFigure(const std::vector<GlyphDefinition>& r, const std::vector<uint32_t>& g,
                    double edgeWeight) const {
    CorpusDrawing drawing = Drawing();
    for (size_t t = 0; t < tiles.Count(); ++t) {
      const GlyphDefinition& nearest =
          FindNearestGlyph(r.data(), static_cast<uint32_t>(r.size()), tiles.features[t]);
      drawing.Show(t, g[static_cast<size_t>(&nearest - r.data())]);
    }
    return drawing.Figure(edgeWeight);
  }
};

size_t GlyphsDrawn(const std::vector<uint32_t>& glyph) {
  std::vector<uint32_t> sorted = glyph;
  std::sort(sorted.begin(), sorted.end());
  return static_cast<size_t>(std::unique(sorted.begin(), sorted.end()) - sorted.begin());
}

TEST(DrawingSearchTest, RaisesTheConvertersOwnFigureAndKeepsItsLimits) {
  const Corpus corpus;
  DrawingSearchSettings settings;
  settings.passes = 3;
  settings.edgeWeight = 0.5;
  settings.densest = 8;
  for (uint32_t floor : {0u, 9u}) {
    settings.fewestGlyphs = floor;
    std::vector<GlyphDefinition> records = corpus.records;
    std::vector<uint32_t> glyph = corpus.glyph;
    CorpusDrawing drawing = corpus.Drawing();
    const double before = corpus.RuleFigure(records, glyph, settings.edgeWeight);
    const double after =
        SearchOnDrawing(corpus.tiles, corpus.regrets, settings, &drawing, &records, &glyph);
    SCOPED_TRACE(::testing::Message() << "floor " << floor);
    EXPECT_GT(after, before);
    // What the search believes is what the converter draws with its records.
    EXPECT_EQ(after, corpus.RuleFigure(records, glyph, settings.edgeWeight));
    ASSERT_EQ(records.size(), corpus.records.size());
    EXPECT_NE(std::find(glyph.begin(), glyph.end(), settings.densest), glyph.end());
    EXPECT_GE(GlyphsDrawn(glyph), floor);
    for (const GlyphDefinition& r : records) {
      int32_t values[12];
      ComparedValues(r, values);
      for (int32_t v : values) EXPECT_TRUE(v >= 0 && v <= 255) << v;
    }
  }
}

TEST(DrawingSearchTest, TheSameCorpusGivesTheSameRecords) {
  const Corpus corpus;
  DrawingSearchSettings settings;
  settings.passes = 2;
  std::vector<GlyphDefinition> records[2] = {corpus.records, corpus.records};
  std::vector<uint32_t> glyph[2] = {corpus.glyph, corpus.glyph};
  for (int run = 0; run < 2; ++run) {
    CorpusDrawing drawing = corpus.Drawing();
    SearchOnDrawing(corpus.tiles, corpus.regrets, settings, &drawing, &records[run], &glyph[run]);
  }
  EXPECT_EQ(glyph[0], glyph[1]);
  for (size_t r = 0; r < records[0].size(); ++r) {
    EXPECT_EQ(0, std::memcmp(&records[0][r], &records[1][r], sizeof(GlyphDefinition))) << r;
  }
}

}  // namespace
