#include <vector>

#include "gtest/gtest.h"
#include "tools/glyphgen/definition_adjustment.h"

namespace {

GlyphDefinition Glyph(int32_t grey, int32_t edge = 0) {
  GlyphDefinition g{};
  g.blue = g.green = g.red = grey;
  for (int32_t& e : g.edge) e = edge;
  return g;
}

TEST(DefinitionAdjustmentTest, ToneStretchPutsTheDarkestAt0AndTheLightestAt255) {
  std::vector<GlyphDefinition> glyphs = {Glyph(255), Glyph(90), Glyph(200), Glyph(173)};
  glyphs[2].blue = 210;  // channels are stretched each on its own
  StretchTone(&glyphs);
  EXPECT_EQ(glyphs[0].red, 255);
  EXPECT_EQ(glyphs[1].red, 0);
  EXPECT_EQ(glyphs[2].red, 170);   // 110 x 255 / 165 = 170.0
  EXPECT_EQ(glyphs[3].red, 128);   // 83 x 255 / 165 = 128.27
  EXPECT_EQ(glyphs[2].blue, 185);  // 120 x 255 / 165 = 185.45
  EXPECT_EQ(glyphs[1].edge[0], 0) << "edges are not touched";
}

TEST(DefinitionAdjustmentTest, ToneStretchLeavesAFlatChannelAlone) {
  std::vector<GlyphDefinition> glyphs = {Glyph(200), Glyph(200)};
  StretchTone(&glyphs);
  EXPECT_EQ(glyphs[0].green, 200);
  EXPECT_EQ(glyphs[1].green, 200);
}

TEST(DefinitionAdjustmentTest, EdgeScaleRoundsToTheNearestValue) {
  std::vector<GlyphDefinition> glyphs = {Glyph(0, 255), Glyph(0, 8), Glyph(0, 7)};
  ScaleEdges(&glyphs, 1, 16);
  EXPECT_EQ(glyphs[0].edge[8], 16);  // 15.94
  EXPECT_EQ(glyphs[1].edge[0], 1);   // 0.5, halves up
  EXPECT_EQ(glyphs[2].edge[4], 0);   // 0.44
  EXPECT_EQ(glyphs[0].blue, 0) << "colours are not touched";

  std::vector<GlyphDefinition> whole = {Glyph(0, 173)};
  ScaleEdges(&whole, 1, 1);
  EXPECT_EQ(whole[0].edge[3], 173);
  ScaleEdges(&whole, 3, 4);
  EXPECT_EQ(whole[0].edge[3], 130);  // 129.75
  ScaleEdges(&whole, 0, 1);
  EXPECT_EQ(whole[0].edge[3], 0);
}

}  // namespace
