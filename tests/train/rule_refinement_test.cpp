#include "train/rule_refinement.h"

#include <vector>

#include "gtest/gtest.h"
#include "train/rule_outcome.h"

namespace {

uint32_t Next(uint32_t* state) { return (*state = *state * 1103515245u + 12345u) >> 16; }

// Random tiles and records whose values come from a coarse grid, so that many
// tiles stand at equal distances from two records and the tie rule decides. A
// tile's best glyph follows from its tone and first edge, as in pictures, so that
// well placed records can serve it.
struct Problem {
  TrainingTiles tiles;
  TileRegrets regrets;
  std::vector<GlyphDefinition> records;
  std::vector<uint32_t> glyph;
};

GlyphDefinition RandomValues(uint32_t* state) {
  GlyphDefinition d{};
  d.blue = static_cast<int32_t>(Next(state) % 9) * 31;
  d.green = d.red = d.blue;
  for (int32_t& e : d.edge) e = static_cast<int32_t>(Next(state) % 3) * 120;
  return d;
}

Problem RandomProblem(uint32_t seed, uint32_t glyphs, uint32_t records) {
  Problem p;
  uint32_t state = seed;
  p.regrets.glyphs = glyphs;
  for (int t = 0; t < 1500; ++t) {
    p.tiles.features.push_back(RandomValues(&state));
    const GlyphDefinition& f = p.tiles.features.back();
    p.regrets.target.push_back(static_cast<uint32_t>(f.blue / 62 + f.edge[0] / 120) % glyphs);
    for (uint32_t g = 0; g < glyphs; ++g) {
      p.regrets.regret.push_back(g == p.regrets.target.back() ? 0 : 1 + Next(&state) % 1000);
    }
  }
  for (uint32_t r = 0; r < records; ++r) {
    p.records.push_back(RandomValues(&state));
    p.glyph.push_back(r % glyphs);
  }
  return p;
}

// The search keeps its own account of every tile's two nearest records; if that
// account went wrong, the regret it reports would part from the rule's.
TEST(RuleRefinementTest, LowersTheRulesRegretAndReportsItExactly) {
  for (uint32_t seed : {1u, 2u, 3u}) {
    for (uint32_t records : {1u, 2u, 12u}) {
      Problem p = RandomProblem(seed, 5, records);
      const uint64_t before = ApplyRule(p.records, p.glyph, p.tiles, p.regrets).regret;
      RefinementSettings settings;
      settings.sweeps = 3;
      settings.recordsPerGlyph = 3;
      const uint64_t reported = RefineOnRule(p.tiles, p.regrets, settings, &p.records, &p.glyph);
      EXPECT_EQ(reported, ApplyRule(p.records, p.glyph, p.tiles, p.regrets).regret)
          << "seed " << seed << ", " << records << " records";
      EXPECT_LE(reported, before);
      if (records > 1) {
        EXPECT_LT(reported, before) << "seed " << seed;
      }
      std::vector<uint32_t> perGlyph(5, 0);
      for (uint32_t g : p.glyph) EXPECT_LE(++perGlyph[g], 3u);
      for (const GlyphDefinition& r : p.records) {
        for (int32_t v : {r.blue, r.green, r.red, r.edge[0], r.edge[8]}) {
          EXPECT_GE(v, 0);
          EXPECT_LE(v, 255);
        }
      }
    }
  }
}

// Two records on a line of tiles: the tiles from 120 on want glyph 1, but the
// boundary between the records lies at 150, where the means of the tiles each
// record wins keep it.
TEST(RuleRefinementTest, MovesABoundaryToWhereTheGlyphsChange) {
  Problem p;
  p.regrets.glyphs = 2;
  for (int32_t v = 0; v <= 250; v += 2) {
    GlyphDefinition f{};
    f.blue = v;
    p.tiles.features.push_back(f);
    const bool wantsOne = v >= 120;
    p.regrets.target.push_back(wantsOne ? 1 : 0);
    p.regrets.regret.push_back(wantsOne ? 100 : 0);
    p.regrets.regret.push_back(wantsOne ? 0 : 100);
  }
  for (int32_t v : {100, 200}) {
    GlyphDefinition r{};
    r.blue = v;
    p.records.push_back(r);
  }
  p.glyph = {0, 1};
  RefinementSettings settings;
  settings.sweeps = 6;
  EXPECT_EQ(ApplyRule(p.records, p.glyph, p.tiles, p.regrets).regret, 1600u);
  EXPECT_EQ(RefineOnRule(p.tiles, p.regrets, settings, &p.records, &p.glyph), 0u);
}

// Values beyond what the search's sums can hold are not touched.
TEST(RuleRefinementTest, LeavesValuesFarOutsideTheTileRangeAlone) {
  Problem p = RandomProblem(7, 3, 4);
  p.records[2].edge[4] = INT32_MIN;
  const std::vector<GlyphDefinition> before = p.records;
  RefinementSettings settings;
  settings.sweeps = 2;
  EXPECT_EQ(RefineOnRule(p.tiles, p.regrets, settings, &p.records, &p.glyph),
            ApplyRule(before, p.glyph, p.tiles, p.regrets).regret);
  for (size_t r = 0; r < before.size(); ++r) EXPECT_EQ(p.records[r].blue, before[r].blue);
  EXPECT_EQ(p.records[2].edge[4], INT32_MIN);
}

}  // namespace
