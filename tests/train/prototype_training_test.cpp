#include "train/prototype_training.h"

#include <cstring>
#include <set>
#include <vector>

#include "gtest/gtest.h"
#include "train/glyph_costs.h"

namespace {

constexpr int kKinds = 6;

// Tiles of six kinds, each kind a cloud of features around its own centre and
// looking exactly like one glyph (its block greys are the glyph's), so that a
// perfect set of records exists: one record per kind, labelled with its glyph.
struct Corpus {
  std::vector<GlyphDefinition> glyphs;  // the seeds: all at one place, all wrong
  GlyphShapes shapes;
  TrainingTiles tiles;
  TileRegrets regrets;
};

Corpus MakeCorpus() {
  Corpus c;
  for (int g = 0; g < kKinds; ++g) {
    GlyphDefinition glyph{};
    glyph.character = 'A' + g;
    c.glyphs.push_back(glyph);
    // Glyph g inks block g (and the last glyph is paper).
    for (int b = 0; b < 9; ++b) c.shapes.blockGrey.push_back(b == g && g < 5 ? 0 : kWhite);
  }
  uint32_t state = 12345;
  auto next = [&state] { return (state = state * 1103515245u + 12345u) >> 16; };
  for (int i = 0; i < 600; ++i) {
    const int kind = static_cast<int>(next() % kKinds);
    GlyphDefinition f{};
    f.blue = 40 * kind + static_cast<int32_t>(next() % 9);
    f.green = 200 - 30 * kind + static_cast<int32_t>(next() % 9);
    f.red = 100;
    f.edge[kind % 9] = 120 + static_cast<int32_t>(next() % 9);
    c.tiles.features.push_back(f);
    c.tiles.blockGrey.insert(c.tiles.blockGrey.end(), c.shapes.Blocks(kind),
                             c.shapes.Blocks(kind) + 9);
  }
  c.regrets = ComputeRegrets(c.tiles, c.shapes, CostWeights{});
  return c;
}

std::vector<uint32_t> GlyphsOf(const std::vector<GlyphDefinition>& records) {
  std::vector<uint32_t> glyphs;
  for (const GlyphDefinition& r : records)
    glyphs.push_back(static_cast<uint32_t>(r.character - 'A'));
  return glyphs;
}

TEST(PrototypeTrainingTest, LearnsRecordsThatPickEveryTilesOwnGlyph) {
  const Corpus c = MakeCorpus();
  const std::vector<GlyphDefinition> records =
      TrainPrototypes(c.glyphs, c.tiles, c.regrets, TrainingSettings{});
  const RuleOutcome outcome = ApplyRule(records, GlyphsOf(records), c.tiles, c.regrets);
  EXPECT_EQ(outcome.regret, 0u);
  // Only records that win a tile are kept, in the order of their characters.
  std::set<uint32_t> winners(outcome.winner.begin(), outcome.winner.end());
  EXPECT_EQ(winners.size(), records.size());
  for (size_t i = 1; i < records.size(); ++i) {
    EXPECT_LE(records[i - 1].character, records[i].character);
  }
  // The same input gives the same records, value for value.
  const std::vector<GlyphDefinition> again =
      TrainPrototypes(c.glyphs, c.tiles, c.regrets, TrainingSettings{});
  ASSERT_EQ(again.size(), records.size());
  for (size_t i = 0; i < records.size(); ++i) {
    EXPECT_EQ(0, std::memcmp(&again[i], &records[i], sizeof records[i])) << "record " << i;
  }
}

TEST(PrototypeTrainingTest, KeepsTheDensestGlyphThoughNoTileWantsIt) {
  Corpus c = MakeCorpus();
  // A seventh glyph, darker than the rest, that every tile regrets.
  GlyphDefinition darkest{};
  darkest.character = 'Z';
  darkest.blue = darkest.green = darkest.red = -1;
  c.glyphs.push_back(darkest);
  TileRegrets regrets;
  regrets.glyphs = kKinds + 1;
  regrets.target = c.regrets.target;
  for (size_t t = 0; t < c.tiles.Count(); ++t) {
    regrets.regret.insert(regrets.regret.end(), c.regrets.Of(t), c.regrets.Of(t) + kKinds);
    regrets.regret.push_back(1000000);
  }
  for (uint32_t limit : {6u, 256u}) {  // a full table gives up its least used record
    TrainingSettings settings;
    settings.records = limit;
    const std::vector<GlyphDefinition> records =
        TrainPrototypes(c.glyphs, c.tiles, regrets, settings);
    EXPECT_LE(records.size(), limit);
    ASSERT_FALSE(records.empty());
    EXPECT_EQ(records.back().character, 'Z') << "limit " << limit;
    EXPECT_EQ(records.back().blue, -1);
  }
}

TEST(PrototypeTrainingTest, KeepsToTheRecordLimitAndTheRecordsPerGlyph) {
  const Corpus c = MakeCorpus();
  for (uint32_t limit : {1u, 4u, 256u}) {
    TrainingSettings settings;
    settings.records = limit;
    settings.recordsPerGlyph = 2;
    const std::vector<GlyphDefinition> records =
        TrainPrototypes(c.glyphs, c.tiles, c.regrets, settings);
    EXPECT_GE(records.size(), 1u);
    EXPECT_LE(records.size(), limit);
    std::vector<int> perGlyph(kKinds, 0);
    for (uint32_t g : GlyphsOf(records)) EXPECT_LE(++perGlyph[g], 2) << "limit " << limit;
  }
}

}  // namespace
