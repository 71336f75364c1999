#include <algorithm>
#include <cstring>
#include <set>
#include <string>
#include <vector>

#include "convert/definition_loader.h"
#include "gtest/gtest.h"
#include "tests/convert/test_files.h"
#include "tools/glyphgen/definition_writer.h"
#include "tools/glyphgen/glyph_generator.h"
#include "render/glyph_renderer.h"
#include "tools/glyphgen/glyph_set.h"

namespace {

GeneratorOptions OptionsFor(const char* set) {
  GeneratorOptions options;
  std::string error;
  EXPECT_TRUE(ParseGlyphSet(set, &options.characters, &error)) << error;
  options.setParts = set;
  return options;
}

bool SameRecord(const GlyphDefinition& a, const GlyphDefinition& b) {
  return std::memcmp(&a, &b, sizeof a) == 0;
}

int32_t Ink(const GlyphCell& cell) {
  int32_t ink = 0;
  for (uint8_t p : cell) ink += 255 - p;
  return ink;
}

TEST(GlyphGenerationTest, WrittenFileLoadsBackToTheSameRecords) {
  GeneratorOptions options = OptionsFor("ascii,kana");
  std::vector<GlyphDefinition> glyphs;
  std::vector<GlyphCell> cells;
  std::string error;
  ASSERT_TRUE(GenerateDefinitions(options, &glyphs, &cells, &error)) << error;
  ASSERT_EQ(glyphs.size(), 158u);

  TempFile file(DefinitionFileText(options, glyphs));
  // Pre-filled, so that a field the file failed to supply shows.
  std::vector<GlyphDefinition> table(kDefinitionTableCapacity);
  for (GlyphDefinition& g : table) std::memset(&g, 0x5A, sizeof g);
  for (GlyphDefinition& g : table) g.character = 0;
  ASSERT_EQ(LoadDefinitions(file.path(), table.data(), kDefinitionTableCapacity), 158u);
  for (size_t i = 0; i < glyphs.size(); ++i) {
    EXPECT_TRUE(SameRecord(table[i], glyphs[i])) << "record " << i << ", character 0x"
                                                  << std::hex << glyphs[i].character;
  }
}

TEST(GlyphGenerationTest, StretchedSetRunsFromTheDensestGlyphToTheSpace) {
  std::vector<GlyphDefinition> glyphs;
  std::vector<GlyphCell> cells;
  std::string error;
  ASSERT_TRUE(GenerateDefinitions(OptionsFor("ascii"), &glyphs, &cells, &error)) << error;
  ASSERT_EQ(glyphs.size(), 95u);
  EXPECT_EQ(glyphs[0].character, ' ');
  EXPECT_EQ(glyphs[0].red, 255);
  for (int32_t e : glyphs[0].edge) EXPECT_EQ(e, 0);
  int32_t darkest = 255, strongestEdge = 0;
  for (const GlyphDefinition& g : glyphs) {
    darkest = std::min(darkest, g.red);
    for (int32_t e : g.edge) strongestEdge = std::max(strongestEdge, e);
  }
  EXPECT_EQ(darkest, 0);
  EXPECT_EQ(strongestEdge, 16) << "255 scaled by 1/16";
}

TEST(GlyphGenerationTest, EveryPrintableCharacterLeavesInkAndKatakanaAreTheirOwn) {
  std::vector<GlyphCell> cells;
  std::string error;
  GeneratorOptions options = OptionsFor("ascii,kana");
  ASSERT_TRUE(RenderGlyphCells(options.Rendering(), &cells, &error)) << error;
  ASSERT_EQ(cells.size(), 158u);
  EXPECT_EQ(Ink(cells[0]), 0) << "the space is blank";
  for (size_t i = 1; i < cells.size(); ++i) {
    // IPA Gothic's underscore lies on the last pixel row below the cell at some
    // heights, 18 among them: it is drawn outside the cell and so describes as blank.
    if (options.characters[i] == '_') continue;
    EXPECT_GT(Ink(cells[i]), 0) << "character 0x" << std::hex << int(options.characters[i]);
    EXPECT_LT(Ink(cells[i]), 255 * 9 * 18 / 2) << "no glyph is a filled box";
  }
  // A font without katakana would draw one replacement shape for all of them.
  std::set<GlyphCell> katakana(cells.begin() + 95, cells.end());
  EXPECT_EQ(katakana.size(), 63u);
}

TEST(GlyphGenerationTest, OtherHeightsAndBlocksAreScaledToTheTile) {
  GeneratorOptions options = OptionsFor("0x41-0x42");
  options.pixelHeight = 36;
  std::vector<GlyphCell> doubled, direct;
  std::string error;
  ASSERT_TRUE(RenderGlyphCells(options.Rendering(), &doubled, &error)) << error;
  ASSERT_EQ(doubled.size(), 2u);
  EXPECT_EQ(doubled[0].size(), 9u * 18u);
  options.pixelHeight = 0;
  ASSERT_TRUE(RenderGlyphCells(options.Rendering(), &direct, &error)) << error;
  // Drawn twice as large and shrunk, a letter covers about as much as drawn small.
  for (size_t i = 0; i < 2; ++i) {
    EXPECT_NEAR(Ink(doubled[i]), Ink(direct[i]), Ink(direct[i]) / 3) << i;
  }

  options.blockWidth = 2;
  options.blockHeight = 4;
  ASSERT_TRUE(RenderGlyphCells(options.Rendering(), &direct, &error)) << error;
  EXPECT_EQ(direct[1].size(), 6u * 12u);
}

TEST(GlyphGenerationTest, SameOptionsGiveTheSameBytes) {
  GeneratorOptions options = OptionsFor("kana");
  std::vector<GlyphDefinition> first, second;
  std::vector<GlyphCell> cells;
  std::string error;
  ASSERT_TRUE(GenerateDefinitions(options, &first, &cells, &error)) << error;
  ASSERT_TRUE(GenerateDefinitions(options, &second, &cells, &error)) << error;
  EXPECT_EQ(DefinitionFileText(options, first), DefinitionFileText(options, second));
}

TEST(GlyphGenerationTest, MissingOrOverlongFontFacesAreRefused) {
  GeneratorOptions options = OptionsFor("ascii");
  std::vector<GlyphCell> cells;
  std::string error;
  options.fontFace = "No Such Font Glyphrane";
  EXPECT_FALSE(RenderGlyphCells(options.Rendering(), &cells, &error));
  EXPECT_EQ(error, "the font \"No Such Font Glyphrane\" is not installed");
  options.fontFace = std::string(32, 'A');
  EXPECT_FALSE(RenderGlyphCells(options.Rendering(), &cells, &error));
  EXPECT_NE(error.find("longer than a face name"), std::string::npos) << error;
}

TEST(GlyphGenerationTest, HeaderNamesTheSettingsAndHoldsNoMarker) {
  GeneratorOptions options = OptionsFor("ascii");
  std::vector<GlyphDefinition> none;
  std::string text = DefinitionFileText(options, none);
  EXPECT_NE(text.find("font: \x82\x6c\x82\x72 \x83\x53\x83\x56\x83\x62\x83\x4e, 18 pixels high"),
            std::string::npos) << text;
  EXPECT_NE(text.find("blocks: 3 x 6 pixels"), std::string::npos);
  EXPECT_NE(text.find("set: ascii (95 characters)"), std::string::npos);
  EXPECT_NE(text.find("edges: scaled by 1/16"), std::string::npos);
  EXPECT_EQ(text.find("#data"), std::string::npos);
}

}  // namespace
